// Answers of the QX units' mail alert reads ("AK" bands, "DN" DI masks, the DO alert
// registers) on arbitrary bytes: what a parser accepts must open the dialogs and be written
// back byte for byte as it came.
#include "core/alerts/analog_alert_commands.h"
#include "core/alerts/five_channel_mail_form.h"
#include "core/alerts/two_channel_mail_form.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A frame the echo and channel checks accept around the fuzzed payload, so that the value
// checks behind them run too.
std::string framed(const std::string& head, const std::string& payload, size_t length)
{
    std::string answer = head + payload;
    answer.resize(length - 1, '0');
    return answer + '\xC8';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int channel = data[0] % 18; // a few past the last channel too
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    std::array<kovra::AnalogAlert, kovra::kTwoChannelAiCount> alerts {};
    for (const std::string& answer : { bytes, framed(std::string("ak") + char(0x20 + channel), bytes, 13) }) {
        kovra::AnalogAlert alert;
        if (!kovra::parseAnalogAlertAnswer(answer, channel, alert))
            continue;
        // What was read goes back unchanged: the same mode byte and digits under "AL".
        const std::string request = kovra::analogAlertWriteRequest(channel, alert);
        std::string upper = answer.substr(2);
        for (char& c : upper)
            c = char(std::toupper(uint8_t(c)));
        if (request != "AL" + upper)
            std::abort();
        alerts[size_t(channel % kovra::kTwoChannelAiCount)] = alert;
        (void)kovra::FiveChannelMailForm::channelOf(alert, kovra::AnalogRangeType(data[0] % 9));
    }

    kovra::DiAlertMasks masks;
    for (const std::string& answer : { bytes, framed("dn", bytes, 7) }) {
        if (!kovra::parseDiAlertAnswer(answer, masks))
            continue;
        if (kovra::diAlertWriteRequest(masks) != "DM" + answer.substr(2))
            std::abort();
    }

    // The two-channel dialog opens on whatever was read and its checks hold.
    kovra::TwoChannelMailForm form(kovra::UnitSettings {}, alerts, masks);
    for (const kovra::FormField& field : form.fields())
        field.set(bytes);
    (void)form.check();

    const std::vector<uint8_t> registers(bytes.begin(), bytes.end());
    kovra::DoAlertRecords records {};
    if (kovra::parseDoAlertRegisterBytes(registers, records)) {
        const std::vector<uint8_t> again = kovra::doAlertRegisterBytes(records);
        if (!std::equal(again.begin(), again.end(), registers.begin()))
            std::abort();
        kovra::FiveChannelMailForm five(kovra::UnitSettings {}, data[0] & 1, 5, 2, {}, records);
        for (const kovra::FormField& field : five.fields())
            field.set(bytes);
        (void)five.check();
        (void)five.doAlertSetup(data[0] & 1);
    }
    return 0;
}
