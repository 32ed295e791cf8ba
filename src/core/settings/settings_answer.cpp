#include "core/settings/settings_answer.h"

#include "core/platform/ipv4.h"
#include "core/platform/socket_error.h"
#include "core/settings/credential_scramble.h"
#include "core/units/unit_table.h"

#include <cstdio>
#include <limits>
#include <vector>

namespace kovra {

namespace {

constexpr char kEndKey[] = "END";
constexpr char kDhcpAddress[] = "0.0.0.0";
constexpr char kSketchPrefix[] = "SKETCH VER : ";
constexpr char kSketchShortPrefix[] = "SKETCH VER";
constexpr char kTextPrefix[] = "TEXT VER : ";
constexpr char kTextShortPrefix[] = "TEXT VER";
constexpr int kOldSketchOne = 1; // old units report version 1.00 as "1"
constexpr int kSketchOneHundredths = 100;
constexpr size_t kDumpLineOverhead = 4; // two "\r\n"
const char* const kWifiKeys[] = { "AP", "AP_CH", "SSID", "PASS" };

// The field each key sets.
enum class Field {
    Model,
    Id,
    Ip,
    Mask,
    Gateway,
    Port,
    MailHost,
    MailPort,
    MailUser,
    MailPass,
    MailFrom,
    MailTo1,
    MailTo2,
    MailSubject,
    RemoteHost,
    RemotePort,
    KeepIdle,
    KeepInterval,
    KeepAliveFives,
    KeepCount,
    ApMode,
    ApChannel,
    ERst,
    Ssid,
    WifiPass,
    DoMode,
    DoExtension,
    DoOneShot,
    DiExtension,
    EntryMode,
    EntryHost,
    EntryPort,
    EntryUser,
    EntryPass,
    EntryFrom,
    EntryTo1,
    EntryTo2,
    EntrySubject,
    ScrambledUser,
    ScrambledPass,
    Notice,
    Discon,
    Detect,
    RqReset,
    Sock,
    Mode
};

struct KeyField {
    std::string key;
    Field field;
    int index; // port/host/channel/entry index from 0
};

std::string numbered(const char* format, int n)
{
    char key[16];
    std::snprintf(key, sizeof key, format, n);
    return key;
}

// Every key the units send, in the order they are compared.
const std::vector<KeyField>& keyTable()
{
    static const std::vector<KeyField> table = [] {
        std::vector<KeyField> keys = {
            { "MODEL", Field::Model, 0 },
            { "ID", Field::Id, 0 },
            { "IP", Field::Ip, 0 },
            { "SUBM", Field::Mask, 0 },
            { "GWAY", Field::Gateway, 0 },
            { "PORT", Field::Port, 0 },
            { "PORT1", Field::Port, 0 },
            { "PORT2", Field::Port, 1 },
            { "PORT3", Field::Port, 2 },
            { "PORT4", Field::Port, 3 },
            { "MHOST", Field::MailHost, 0 },
            { "MPORT", Field::MailPort, 0 },
            { "MUSER", Field::MailUser, 0 },
            { "MPASS", Field::MailPass, 0 },
            { "MFROM", Field::MailFrom, 0 },
            { "MTO1", Field::MailTo1, 0 },
            { "MTO2", Field::MailTo2, 0 },
            { "MSUBJ", Field::MailSubject, 0 },
            { "HIP", Field::RemoteHost, 0 },
            { "HIP1", Field::RemoteHost, 0 },
            { "HIP2", Field::RemoteHost, 1 },
            { "HIP3", Field::RemoteHost, 2 },
            { "HIP4", Field::RemoteHost, 3 },
            { "HPORT", Field::RemotePort, 0 },
            { "HPORT1", Field::RemotePort, 0 },
            { "HPORT2", Field::RemotePort, 1 },
            { "HPORT3", Field::RemotePort, 2 },
            { "HPORT4", Field::RemotePort, 3 },
            { "KEEP_A", Field::KeepAliveFives, 0 },
            { "K_IDL", Field::KeepIdle, 0 },
            { "K_INT", Field::KeepInterval, 0 },
            { "K_CNT", Field::KeepCount, 0 },
            { "AP", Field::ApMode, 0 },
            { "AP_CH", Field::ApChannel, 0 },
            { "E_RST", Field::ERst, 0 },
            { "SSID", Field::Ssid, 0 },
            { "PASS", Field::WifiPass, 0 },
        };
        for (int n = 1; n <= kChannelCount; ++n) {
            keys.push_back({ numbered("DO%d_MD", n), Field::DoMode, n - 1 });
            keys.push_back({ numbered("DO%d_EX", n), Field::DoExtension, n - 1 });
            keys.push_back({ numbered("DO%d_OT", n), Field::DoOneShot, n - 1 });
        }
        const std::pair<const char*, Field> entryKeys[] = { { "DI%d_EX", Field::DiExtension },
            { "M%dMODE", Field::EntryMode }, { "M%dHOST", Field::EntryHost }, { "M%dPORT", Field::EntryPort },
            { "M%dUSER", Field::EntryUser }, { "M%dPASS", Field::EntryPass }, { "M%dFROM", Field::EntryFrom },
            { "M%dTO1", Field::EntryTo1 }, { "M%dTO2", Field::EntryTo2 }, { "M%dSUBJ", Field::EntrySubject },
            { "E%dUSER", Field::ScrambledUser }, { "E%dPASS", Field::ScrambledPass } };
        for (int n = 1; n <= kChannelCount; ++n)
            for (const auto& [format, field] : entryKeys)
                keys.push_back({ numbered(format, n), field, n - 1 });
        const std::pair<const char*, Field> tail[]
            = { { "NOTICE", Field::Notice }, { "DISCON", Field::Discon }, { "DETECT", Field::Detect },
                  { "RQ_RST", Field::RqReset }, { "SOCK", Field::Sock }, { "MODE", Field::Mode } };
        for (const auto& [key, field] : tail)
            keys.push_back({ key, field, 0 });
        return keys;
    }();
    return table;
}

bool isCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest start of text that fits max bytes without splitting a double-byte character.
std::string fitted(const std::string& text, size_t max)
{
    size_t end = 0;
    while (end < text.size()) {
        const size_t width = isCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + width > max)
            break;
        end += width;
    }
    return text.substr(0, std::min(end, text.size()));
}

void setAddress(Ipv4& field, const std::string& value)
{
    Ipv4 address = 0;
    if (parseIpv4(value, address))
        field = address;
}

bool isWifiKey(const std::string& key)
{
    for (const char* wifi : kWifiKeys)
        if (key == wifi)
            return true;
    return false;
}

// Text in front of the first "\r", or false when the line has none.
bool lineBeforeReturn(const std::string& line, std::string& text)
{
    const size_t cr = line.find('\r');
    if (cr == std::string::npos)
        return false;
    text = line.substr(0, cr);
    return true;
}

// The number after prefix (or after the short prefix); false when the line has neither.
bool versionAfter(
    const std::string& line, const char* prefix, const char* shortPrefix, int& value, bool& longForm)
{
    for (const char* candidate : { prefix, shortPrefix }) {
        const size_t at = line.find(candidate);
        if (at != std::string::npos) {
            value = settingsNumber(line.substr(at + std::char_traits<char>::length(candidate)));
            longForm = candidate == prefix;
            return true;
        }
    }
    return false;
}

} // namespace

int readAnswerLine(ByteSource& source, std::string& line)
{
    line.clear();
    std::string bytes;
    while (bytes.size() < kAnswerLineBytes) {
        uint8_t byte = 0;
        const int result = source.next(byte);
        if (result != 0)
            return result;
        bytes += char(byte);
        if (byte != '\n')
            continue;
        if (bytes.size() >= 2 && bytes[bytes.size() - 2] == '\r')
            bytes.resize(bytes.size() - 2);
        line = bytes.substr(0, bytes.find('\0'));
        return 0;
    }
    return kSettingsLineTooLong;
}

int readVersionAnswer(ByteSource& source, std::string& answer)
{
    answer.clear();
    int lineFeeds = 0;
    while (answer.size() < kVersionAnswerBytes && lineFeeds < 2) {
        uint8_t byte = 0;
        const int result = source.next(byte);
        if (result == kSocketDisconnected)
            return 0;
        if (result != 0)
            return result;
        answer += char(byte);
        if (byte == '\n')
            ++lineFeeds;
    }
    return 0;
}

VersionAnswer parseVersionAnswer(const std::string& answer, UnitVersions& versions)
{
    versions = UnitVersions {};
    const std::string text = answer.substr(0, answer.find('\0'));
    const size_t first = text.find('\n');
    std::string sketchLine;
    bool longForm = false;
    if (first == std::string::npos || !lineBeforeReturn(text.substr(0, first), sketchLine)
        || !versionAfter(sketchLine, kSketchPrefix, kSketchShortPrefix, versions.sketch, longForm)) {
        versions = UnitVersions {};
        return VersionAnswer::Unreadable;
    }
    if (first + 1 == text.size()) {
        // Old firmware: its one line and nothing else; the versions stay unknown.
        versions = UnitVersions {};
        return VersionAnswer::SingleLine;
    }
    const size_t second = text.find('\n', first + 1);
    std::string textLine;
    bool textLongForm = false;
    if (second == std::string::npos || !lineBeforeReturn(text.substr(first + 1, second - first - 1), textLine)
        || !versionAfter(textLine, kTextPrefix, kTextShortPrefix, versions.text, textLongForm)) {
        versions = UnitVersions {};
        return VersionAnswer::Unreadable;
    }
    if (longForm && versions.sketch == kOldSketchOne)
        versions.sketch = kSketchOneHundredths;
    return VersionAnswer::Versions;
}

int32_t settingsNumber(const std::string& value)
{
    size_t at = value.find_first_not_of(" \t");
    if (at == std::string::npos)
        return 0;
    bool negative = false;
    if (value[at] == '+' || value[at] == '-')
        negative = value[at++] == '-';
    int64_t number = 0;
    constexpr int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    for (; at < value.size() && value[at] >= '0' && value[at] <= '9'; ++at)
        number = std::min(number * 10 + (value[at] - '0'), limit);
    number = negative ? -number : number;
    return int32_t(std::max<int64_t>(
        std::min<int64_t>(number, std::numeric_limits<int32_t>::max()), std::numeric_limits<int32_t>::min()));
}

void applySettingsPair(const std::string& key, const std::string& value, UnitSlot& slot)
{
    const KeyField* match = nullptr;
    for (const KeyField& entry : keyTable()) {
        if (entry.key == key) {
            match = &entry;
            break;
        }
    }
    if (!match)
        return;
    UnitRecord& unit = slot.record;
    UnitSettings& s = slot.settings;
    const size_t i = size_t(match->index);
    const int32_t number = settingsNumber(value);
    const std::string text = fitted(value, kSettingTextMax);
    const std::string entryText = fitted(value, kEntryTextMax);
    switch (match->field) {
    case Field::Model:
        unit.modelIndex = number;
        break;
    case Field::Id:
        unit.unitSwitch = number;
        break;
    case Field::Ip:
        // Kinds 1 and 3 report their address here too, but not whether it came by DHCP.
        if (unit.kind == kKindKovra4 || unit.kind == kKindQx || unit.kind == kKindThirdName)
            unit.dhcp = value == kDhcpAddress;
        break;
    case Field::Mask:
        setAddress(unit.subnetMask, value);
        break;
    case Field::Gateway:
        setAddress(unit.gateway, value);
        break;
    case Field::Port:
        s.ports[i] = number;
        break;
    case Field::MailHost:
        s.mailHost = text;
        break;
    case Field::MailPort:
        s.mailPort = number;
        break;
    case Field::MailUser:
        s.mailUser = text;
        break;
    case Field::MailPass:
        s.mailPass = text;
        break;
    case Field::MailFrom:
        s.mailFrom = text;
        break;
    case Field::MailTo1:
        s.mailTo1 = text;
        break;
    case Field::MailTo2:
        s.mailTo2 = text;
        break;
    case Field::MailSubject:
        s.mailSubject = text;
        break;
    case Field::RemoteHost:
        s.remoteHosts[i] = text;
        break;
    case Field::RemotePort:
        s.remotePorts[i] = number;
        break;
    case Field::KeepIdle:
        s.keepIdle = number;
        break;
    case Field::KeepInterval:
        s.keepInterval = number;
        break;
    case Field::KeepAliveFives:
        s.keepInterval = number;
        break; // the same setting, counted in 5 s
    case Field::KeepCount:
        s.keepCount = number;
        break;
    case Field::ApMode:
        s.apMode = number;
        break;
    case Field::ApChannel:
        s.apChannel = number;
        break;
    case Field::ERst:
        s.eRstOption = number;
        break;
    case Field::Ssid:
        s.wifiSsid = text;
        break;
    case Field::WifiPass:
        s.wifiPass = text;
        break;
    case Field::DoMode:
        s.doMode[i] = number;
        break;
    case Field::DoExtension:
        s.doExtension[i] = number;
        break;
    case Field::DoOneShot:
        s.doOneShot[i] = number;
        break;
    case Field::DiExtension:
        s.diExtension[i] = number;
        break;
    case Field::EntryMode:
        s.mailMode[i] = number;
        break;
    case Field::EntryHost:
        s.mailHosts[i] = entryText;
        break;
    case Field::EntryPort:
        s.mailPorts[i] = number;
        break;
    case Field::EntryUser:
        s.mailUsers[i] = entryText;
        break;
    case Field::EntryPass:
        s.mailPasses[i] = entryText;
        break;
    case Field::EntryFrom:
        s.mailFroms[i] = entryText;
        break;
    case Field::EntryTo1:
        s.mailTo1s[i] = entryText;
        break;
    case Field::EntryTo2:
        s.mailTo2s[i] = entryText;
        break;
    case Field::EntrySubject:
        s.mailSubjects[i] = entryText;
        break;
    case Field::ScrambledUser:
        s.mailUsers[i] = unscrambledValue(value, kUserShift);
        break;
    case Field::ScrambledPass:
        s.mailPasses[i] = unscrambledValue(value, kPassShift);
        break;
    case Field::Notice:
        s.notice = number;
        break;
    case Field::Discon:
        s.discon = number;
        break;
    case Field::Detect:
        s.detect = number;
        break;
    case Field::RqReset:
        s.rqReset = number;
        break;
    case Field::Sock:
        s.sockMode = number;
        break;
    case Field::Mode:
        s.unitMode = number;
        break;
    }
}

int readSettingsPairs(ByteSource& source, UnitSlot& slot, std::string* dump)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    for (int n = 0; n < kMaxSettingsPairs; ++n) {
        std::string key;
        std::string value;
        int result = readAnswerLine(source, key);
        if (result == 0)
            result = readAnswerLine(source, value);
        if (result != 0)
            return result;
        if (key != kEndKey) {
            applySettingsPair(key, value, slot);
            if (dump)
                pairs.emplace_back(std::move(key), std::move(value));
            continue;
        }
        if (!dump)
            return 0;
        dump->clear();
        for (const auto& [dumpKey, dumpValue] : pairs) {
            if (isWifiKey(dumpKey))
                continue; // the Wi-Fi keys never go into a setup file
            if (dump->size() + dumpKey.size() + dumpValue.size() + kDumpLineOverhead >= kDumpTextLimit)
                return kSettingsDumpOverflow;
            *dump += dumpKey + "\r\n" + dumpValue + "\r\n";
        }
        return 0;
    }
    // 128 pairs without "END": the list uses what was read, but a setup file would miss the rest.
    return dump ? kSettingsNoEnd : 0;
}

} // namespace kovra
