// The classic mail dialog's reads of a binary unit on arbitrary bytes: its stored records 3-7
// and an "AK" answer. Every text read stays inside its field, a row the parser accepts is
// one the dialog can show and writes back unchanged, and what is read opens the form.
#include "core/alerts/classic_mail_form.h"
#include "core/alerts/classic_mail_writes.h"
#include "core/alerts/mail_setup_image.h"

#include <algorithm>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the kind, the model and the channel; the rest fills the records.
    const int kinds[] = { kovra::kKindWired, kovra::kKindWiredGc, kovra::kKindNewerWired };
    kovra::UnitRecord unit;
    unit.kind = kinds[data[0] % 3];
    unit.modelIndex = data[0] % 13;
    const int channel = (data[0] >> 4) % 4;
    for (int n = 3; n <= 7; ++n) {
        auto& record = unit.configBlock(n);
        for (size_t i = 0; i < record.size(); ++i) {
            const size_t at = 1 + size_t(n - 3) * record.size() + i;
            record[i] = at < size ? data[at] : 0;
        }
    }
    const bool hostName = unit.kind != kovra::kKindWired;
    const kovra::MailSetupImage image = kovra::readMailSetupImage(unit, hostName);
    if (image.account.server.size() > 50 || image.account.user.size() > 43
        || image.account.password.size() > 14 || image.account.to1.size() > 49
        || image.account.sender.size() > 24 + 1 + 24)
        std::abort();

    kovra::ClassicAnalogRow row;
    const std::string answer = std::string("ak") + char(0x20 + channel)
        + std::string(reinterpret_cast<const char*>(data + 1), std::min<size_t>(size - 1, 9)) + '\xC8';
    for (const std::string& bytes : { answer, std::string(reinterpret_cast<const char*>(data), size) }) {
        if (!kovra::parseAnalogAlertAnswer(
                reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), channel, row))
            continue;
        if (row.mail < kovra::kAnalogMailOff || row.mail > kovra::kAnalogMailUnlit
            || kovra::analogAlertCode(row) + (row.flag ? 8 : 0) + 0x20 != uint8_t(bytes[3]))
            std::abort();
    }

    kovra::ClassicMailValues values;
    values.account = image.account;
    values.analog[0] = row;
    kovra::ClassicMailForm form(unit, values);
    for (const kovra::FormField& field : form.fields())
        (void)field.get();
    (void)form.check();
    return 0;
}
