#include "core/alerts/mail_setup_image.h"

#include "core/platform/ipv4.h"

#include <algorithm>
#include <cstring>

namespace kovra {

namespace {

constexpr int kAccountRecord = 1;
constexpr int kDiRecord = 3;
constexpr int kAccountStoreRecord = 4;
constexpr int kSenderRecord = 5;
constexpr int kRecipientRecord = 6;
constexpr int kLastRecord = 7;

// A text field: where it starts and how many bytes it has, its NUL included.
struct TextField {
    size_t offset;
    size_t width;
};

constexpr size_t kBodyOffset = 4; // after the header
constexpr TextField kServerName { 4, 50 };
constexpr size_t kServerAddressOffset = 54;
constexpr size_t kPortOffset = 58;
constexpr size_t kAuthOffset = 60;
constexpr TextField kUser { 61, 43 };
constexpr TextField kPassword { 104, 14 };
constexpr TextField kSenderLocal { 4, 24 };
constexpr TextField kSenderDomain { 28, 24 };
constexpr TextField kRecipient1 { 52, 49 };
constexpr TextField kRecipient2 { 4, 49 };
constexpr TextField kMessage { 53, 24 };
constexpr size_t kDiModesOffset = 64;
constexpr size_t kDiModeCount = 8;
constexpr char kAt = '@';

using Record = std::array<uint8_t, kConfigBlockSize>;

// The text up to its first NUL, never past the field.
std::string readText(const Record& record, TextField field)
{
    const auto* begin = reinterpret_cast<const char*>(record.data() + field.offset);
    return std::string(begin, strnlen(begin, field.width));
}

// The text with its NUL and zero padding; what does not fit is cut (the dialog's checks keep
// every text inside its field).
void writeText(Record& record, TextField field, const std::string& text)
{
    std::fill_n(record.begin() + long(field.offset), field.width, uint8_t(0));
    std::memcpy(record.data() + field.offset, text.data(), std::min(text.size(), field.width - 1));
}

void clearBody(Record& record)
{
    std::fill(record.begin() + long(kBodyOffset), record.end(), uint8_t(0));
}

void writeAccount(Record& record, const MailAccountValues& account, bool hostName)
{
    clearBody(record);
    Ipv4 address = 0;
    if (hostName)
        writeText(record, kServerName, account.server);
    else if (parseIpv4(account.server, address))
        std::memcpy(record.data() + kServerAddressOffset, &address, sizeof address);
    record[kPortOffset] = uint8_t(account.port & 0xFF);
    record[kPortOffset + 1] = uint8_t((account.port >> 8) & 0xFF);
    record[kAuthOffset] = account.auth ? 1 : 0;
    writeText(record, kUser, account.user);
    writeText(record, kPassword, account.password);
}

} // namespace

MailSetupImage readMailSetupImage(const UnitRecord& unit, bool hostName)
{
    MailSetupImage image;
    MailAccountValues& account = image.account;
    const Record& store = unit.configBlock(kAccountStoreRecord);
    if (hostName) {
        account.server = readText(store, kServerName);
    } else {
        Ipv4 address = 0;
        std::memcpy(&address, store.data() + kServerAddressOffset, sizeof address);
        account.server = address == 0 ? std::string() : ipv4ToText(address);
    }
    account.port = store[kPortOffset] | (store[kPortOffset + 1] << 8);
    account.auth = store[kAuthOffset] != 0;
    account.user = readText(store, kUser);
    account.password = readText(store, kPassword);

    const Record& sender = unit.configBlock(kSenderRecord);
    const std::string local = readText(sender, kSenderLocal);
    const std::string domain = readText(sender, kSenderDomain);
    account.sender = local.empty() && domain.empty() ? std::string() : local + kAt + domain;
    account.to1 = readText(sender, kRecipient1);
    const Record& recipients = unit.configBlock(kRecipientRecord);
    account.to2 = readText(recipients, kRecipient2);
    account.message = readText(recipients, kMessage);

    const Record& di = unit.configBlock(kDiRecord);
    std::copy_n(di.begin() + long(kDiModesOffset), kDiModeCount, image.diModes.begin());
    return image;
}

void writeMailSetupImage(UnitRecord& unit, const MailSetupImage& image, bool hostName)
{
    const MailAccountValues& account = image.account;
    writeAccount(unit.configBlock(kAccountStoreRecord), account, hostName);

    const size_t at = account.sender.find(kAt);
    Record& sender = unit.configBlock(kSenderRecord);
    clearBody(sender);
    writeText(sender, kSenderLocal, account.sender.substr(0, at));
    writeText(sender, kSenderDomain, at == std::string::npos ? std::string() : account.sender.substr(at + 1));
    writeText(sender, kRecipient1, account.to1);

    Record& recipients = unit.configBlock(kRecipientRecord);
    clearBody(recipients);
    writeText(recipients, kRecipient2, account.to2);
    writeText(recipients, kMessage, account.message);

    Record& di = unit.configBlock(kDiRecord);
    std::copy(image.diModes.begin(), image.diModes.end(), di.begin() + long(kDiModesOffset));
}

SetupRecord mailAccountRecord(const MailSetupImage& image, bool hostName)
{
    Record record {};
    writeAccount(record, image.account, hostName);
    return { kAccountRecord, std::vector<uint8_t>(record.begin(), record.end()) };
}

std::vector<SetupRecord> mailSetupRecords(const UnitRecord& unit, const MailSetupImage& image, bool hostName)
{
    std::vector<SetupRecord> records;
    Ipv4 address = 0;
    const bool serverSet
        = hostName ? !image.account.server.empty() : parseIpv4(image.account.server, address) && address != 0;
    if (serverSet)
        records.push_back(mailAccountRecord(image, hostName));
    for (int n = kDiRecord; n <= kLastRecord; ++n)
        records.push_back(storedSetupRecord(unit, n));
    return records;
}

std::array<uint8_t, 8> diModesFromMasks(uint8_t enableMask, uint8_t edgeMask, int diCount)
{
    std::array<uint8_t, 8> modes {};
    for (int i = 0; i < std::min(diCount, int(kDiModeCount)); ++i) {
        if ((enableMask >> i) & 1)
            modes[size_t(i)] = ((edgeMask >> i) & 1) ? kDiMailOnOn : kDiMailOnOff;
    }
    return modes;
}

void masksFromDiModes(
    const std::array<uint8_t, 8>& modes, int diCount, uint8_t& enableMask, uint8_t& edgeMask)
{
    enableMask = 0;
    edgeMask = 0;
    for (int i = 0; i < std::min(diCount, int(kDiModeCount)); ++i) {
        if (modes[size_t(i)] == kDiMailOnOn || modes[size_t(i)] == kDiMailOnOff)
            enableMask |= uint8_t(1 << i);
        if (modes[size_t(i)] == kDiMailOnOn)
            edgeMask |= uint8_t(1 << i);
    }
}

} // namespace kovra
