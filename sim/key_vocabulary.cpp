#include "key_vocabulary.h"

#include "address_text.h"
#include "text_parameters.h"
#include "wire_codes.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace sim {

namespace {

enum class Value { Integer, Text, Address, Destination, Mask, Scrambled, ReadOnly };
enum class Count { Dos, Dis };

struct Rule {
    Value value;
    long long low = INT_MIN;
    long long high = INT_MAX;
    size_t maxLength = KeyVocabulary::kMaxValueLength;
};

struct FixedKey {
    const char* key;
    Rule rule;
};

constexpr long long kMaxPort = 65535;
constexpr long long kMaxFives = 255; // KEEP_A: at most 1275 s
constexpr long long kMaxKeepAlive = 65535;
constexpr long long kLastMode = 3; // SOCK: normal, UDP, old mode, Modbus TCP
constexpr long long kFirstChannel = 1; // Wi-Fi channels 1..13
constexpr long long kLastChannel = 13;
constexpr long long kLastDoMode = 2; // normal, ON at start, one-shot
constexpr long long kMaxOneShot = 255; // x100 ms
constexpr int kKeepAliveStep = 5; // KEEP_A counts fives of seconds
constexpr int kMaxChannels = 8;
constexpr size_t kMaxDigits = 2;

constexpr Rule kInteger { Value::Integer };
constexpr Rule kPort { Value::Integer, 0, kMaxPort };
constexpr Rule kCommandPort { Value::Integer, 1, kMaxPort };
constexpr Rule kText { Value::Text };
constexpr Rule kAddress { Value::Address };
// A connection's destination: a dotted address, or empty for none.
constexpr Rule kDestination { Value::Destination };
constexpr char kNoDestination[] = "0.0.0.0"; // what a unit reports for none

const FixedKey kFixedKeys[] = {
    { "MODEL", { Value::ReadOnly } },
    { "ID", { Value::ReadOnly } },
    { "MODE", { Value::ReadOnly } },
    { "IP", kAddress },
    { "SUBM", { Value::Mask } },
    { "GWAY", kAddress },
    { "PORT", kCommandPort },
    { "PORT1", kCommandPort },
    { "PORT2", kPort },
    { "PORT3", kPort },
    { "PORT4", kPort },
    { "HIP", kDestination },
    { "HIP1", kDestination },
    { "HIP2", kDestination },
    { "HIP3", kDestination },
    { "HIP4", kDestination },
    { "HPORT", kPort },
    { "HPORT1", kPort },
    { "HPORT2", kPort },
    { "HPORT3", kPort },
    { "HPORT4", kPort },
    { "E_RST", kInteger },
    { "MHOST", kText },
    { "MPORT", kPort },
    { "MUSER", kText },
    { "MPASS", kText },
    { "MFROM", kText },
    { "MTO1", kText },
    { "MTO2", kText },
    { "MSUBJ", kText },
    { "KEEP_A", { Value::Integer, 0, kMaxFives } },
    { "K_IDL", { Value::Integer, 0, kMaxKeepAlive } },
    { "K_INT", { Value::Integer, 0, kMaxKeepAlive } },
    { "K_CNT", { Value::Integer, 0, kMaxKeepAlive } },
    { "AP", { Value::Integer, 0, 1 } },
    { "AP_CH", { Value::Integer, kFirstChannel, kLastChannel } },
    { "SSID", kText },
    { "PASS", kText },
    { "SOCK", { Value::Integer, 0, kLastMode } },
    { "NOTICE", kInteger },
    { "DISCON", kInteger },
    { "RQ_RST", kInteger },
    { "DETECT", kInteger },
};

// "DO%d_MD": prefix, the channel or entry number, suffix.
struct ChannelKey {
    const char* prefix;
    const char* suffix;
    Count count;
    Rule rule;
};

constexpr Rule kEntryText { Value::Text, 0, 0, KeyVocabulary::kMaxEntryText };
constexpr Rule kScrambled { Value::Scrambled };

const ChannelKey kChannelKeys[] = {
    { "DO", "_MD", Count::Dos, { Value::Integer, 0, kLastDoMode } },
    { "DO", "_OT", Count::Dos, { Value::Integer, 0, kMaxOneShot } },
    { "DO", "_EX", Count::Dos, kInteger },
    { "DI", "_EX", Count::Dis, kInteger },
    { "M", "MODE", Count::Dis, kInteger },
    { "M", "HOST", Count::Dis, kEntryText },
    { "M", "PORT", Count::Dis, kPort },
    { "M", "USER", Count::Dis, kEntryText },
    { "M", "PASS", Count::Dis, kEntryText },
    { "M", "FROM", Count::Dis, kEntryText },
    { "M", "TO1", Count::Dis, kEntryText },
    { "M", "TO2", Count::Dis, kEntryText },
    { "M", "SUBJ", Count::Dis, kEntryText },
    { "E", "USER", Count::Dis, kScrambled },
    { "E", "PASS", Count::Dis, kScrambled },
};

// The number between prefix and suffix of key, or -1 when key is not of that form.
int numberIn(const std::string& key, const char* prefix, const char* suffix)
{
    const size_t prefixLength = std::strlen(prefix);
    const size_t suffixLength = std::strlen(suffix);
    if (key.size() <= prefixLength + suffixLength || key.compare(0, prefixLength, prefix) != 0
        || key.compare(key.size() - suffixLength, suffixLength, suffix) != 0)
        return -1;
    const std::string digits = key.substr(prefixLength, key.size() - prefixLength - suffixLength);
    if (digits.size() > kMaxDigits || digits[0] == '0'
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stoi(digits);
}

bool readInteger(const std::string& text, long long& value)
{
    const size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    const size_t kMaxIntegerDigits = 10;
    if (text.size() == start || text.size() - start > kMaxIntegerDigits)
        return false;
    for (size_t i = start; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    value = std::stoll(text);
    return true;
}

std::string checkValue(const Rule& rule, const std::string& value)
{
    uint32_t address = 0;
    long long number = 0;
    switch (rule.value) {
    case Value::ReadOnly:
        return "read-only";
    case Value::Integer:
        if (!readInteger(value, number))
            return "not an integer";
        if (number < rule.low || number > rule.high)
            return "out of range " + std::to_string(rule.low) + ".." + std::to_string(rule.high);
        return {};
    case Value::Text:
        return value.size() > rule.maxLength ? "longer than " + std::to_string(rule.maxLength) + " bytes"
                                             : std::string();
    case Value::Address:
        return AddressText::parse(value, address) ? std::string() : "not a dotted IPv4 address";
    case Value::Destination:
        return value.empty() || AddressText::parse(value, address) ? std::string()
                                                                   : "not a dotted IPv4 address";
    case Value::Mask:
        return AddressText::parse(value, address) && AddressText::prefixLength(address) >= 0
            ? std::string()
            : "not a subnet mask";
    case Value::Scrambled:
        return value.size() < 2 * kPadLength || value.size() > 2 * kPadLength + KeyVocabulary::kMaxEntryText
            ? "not a padded credential"
            : std::string();
    }
    return {};
}

std::string otherForm(const std::string& key, const char* prefix, char replacement)
{
    std::string other = key;
    other.replace(0, std::strlen(prefix), 1, replacement);
    return other;
}

} // namespace

KeyVocabulary::KeyVocabulary(const ModelChannels& channels)
    : m_channels(channels)
{
}

std::string KeyVocabulary::take(const std::string& key, const std::string& value, Forms& forms) const
{
    const Rule* rule = nullptr;
    for (const FixedKey& fixed : kFixedKeys)
        if (key == fixed.key)
            rule = &fixed.rule;
    for (const ChannelKey& channel : kChannelKeys) {
        const int n = numberIn(key, channel.prefix, channel.suffix);
        if (rule || n < 0)
            continue;
        const int count = channel.count == Count::Dos ? m_channels.dos : m_channels.dis;
        if (n > std::min(count, kMaxChannels))
            return "no such channel";
        rule = &channel.rule;
    }
    if (!rule)
        return "unknown key";
    std::string why = checkValue(*rule, value);
    if (!why.empty())
        return why;
    std::string kept = value;
    long long number = 0;
    if (rule->value == Value::Integer) {
        readInteger(value, number);
        kept = std::to_string(number);
    } else if (rule->value == Value::Destination && value.empty()) {
        kept = kNoDestination;
    } else if (isScrambledUser(key)) {
        kept = unpadUnscrambled(value, kUserShift);
    } else if (isScrambledPass(key)) {
        kept = unpadUnscrambled(value, kPassShift);
    }
    if ((key == "PORT" || key == "PORT1") && (number == kSettingsPort || number == kConsolePort))
        return "the settings and console ports are taken";
    forms = { { key, kept } };
    static const char* const kConnectionOne[][2]
        = { { "PORT", "PORT1" }, { "HIP", "HIP1" }, { "HPORT", "HPORT1" } };
    for (const auto& pair : kConnectionOne) {
        if (key == pair[0] || key == pair[1])
            forms.emplace_back(key == pair[0] ? pair[1] : pair[0], kept);
    }
    // The reader puts both into one field, so a unit keeps one of them, each in its own units.
    if (key == "KEEP_A")
        forms.emplace_back("K_INT", std::to_string(number * kKeepAliveStep));
    if (key == "K_INT")
        forms.emplace_back("KEEP_A", std::to_string(std::min(number / kKeepAliveStep, kMaxFives)));
    if (isScrambledUser(key) || isScrambledPass(key))
        forms.emplace_back(otherForm(key, "E", 'M'), kept);
    if (numberIn(key, "M", "USER") >= 0 || numberIn(key, "M", "PASS") >= 0)
        forms.emplace_back(otherForm(key, "M", 'E'), kept);
    return {};
}

bool KeyVocabulary::isScrambledUser(const std::string& key)
{
    return numberIn(key, "E", "USER") >= 0;
}

bool KeyVocabulary::isScrambledPass(const std::string& key)
{
    return numberIn(key, "E", "PASS") >= 0;
}

} // namespace sim
