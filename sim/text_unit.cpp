#include "text_unit.h"

#include "address_text.h"
#include "connection.h"

namespace sim {

namespace {

constexpr char kVersionRequest[] = "VER";
constexpr char kDumpRequest[] = "DUMP";
constexpr char kGetParamRequest[] = "GETPARAM";
constexpr char kEnd[] = "END";
constexpr char kNoReset[] = "NORESET";
constexpr char kMailTest[] = "MAILTEST"; // also MAILTEST1..8
constexpr char kMailTestCrlf[] = "MTEST";
constexpr char kCrlf[] = "\r\n";
constexpr size_t kMaxLine = 1024; // longer lines are cut: nothing the units know is that long
constexpr size_t kMaxMessage = 65536; // far above a message for eight mail entries
constexpr uint16_t kMaxPort = 65535;
constexpr int kSingleAccount = 0;
constexpr int kNotATest = -1;
constexpr char kLastEntry = '8';

// The mail entry a test line names: n for "MAILTEST%d" (1..8), 0 (the single account) for
// "MAILTEST" and "MTEST", -1 when the line is no test.
int mailTestEntry(const std::string& line)
{
    const size_t length = sizeof(kMailTest) - 1;
    if (line == kMailTestCrlf || line == kMailTest)
        return kSingleAccount;
    if (line.size() == length + 1 && line.compare(0, length, kMailTest) == 0 && line.back() >= '1'
        && line.back() <= kLastEntry)
        return line.back() - '0';
    return kNotATest;
}

const std::string* lookup(const ParameterList& list, const std::string& key)
{
    for (const auto& [name, value] : list)
        if (name == key)
            return &value;
    return nullptr;
}

std::string find(const ParameterList& list, const std::string& key)
{
    const std::string* value = lookup(list, key);
    return value ? *value : std::string();
}

} // namespace

TextUnit::TextUnit(const UnitConfig& config)
    : WiredUnit(config)
    , m_parameters(defaultParameters(config))
    , m_scrambles(scramblesCredentials(config.kind, config.text.sketchVersion))
    , m_vocabulary(ModelChannels::of(config.model))
{
    restart();
}

std::string TextUnit::parameter(const std::string& key) const
{
    std::lock_guard<std::mutex> lock(m_parameterMutex);
    return find(m_parameters, key);
}

uint16_t TextUnit::commandPort() const
{
    std::lock_guard<std::mutex> lock(m_parameterMutex);
    std::string port = find(m_parameters, "PORT1");
    if (port.empty())
        port = find(m_parameters, "PORT");
    const long value = std::strtol(port.c_str(), nullptr, 10);
    return value > 0 && value <= kMaxPort && value != kSettingsPort ? static_cast<uint16_t>(value) : 0;
}

void TextUnit::restart()
{
    // The network settings of the last message come into use now.
    uint32_t address = config().address;
    uint32_t mask = config().mask;
    uint32_t gateway = config().gateway;
    bool dhcp = config().dhcp;
    {
        std::lock_guard<std::mutex> lock(m_parameterMutex);
        uint32_t value = 0;
        if (AddressText::parse(find(m_parameters, "IP"), value)) {
            dhcp = value == 0;
            address = dhcp ? config().address : value;
        }
        if (AddressText::parse(find(m_parameters, "SUBM"), value) && AddressText::prefixLength(value) >= 0)
            mask = value;
        if (AddressText::parse(find(m_parameters, "GWAY"), value))
            gateway = value;
    }
    storeNetwork(dhcp, address, mask, gateway, commandPort());
    WiredUnit::restart();
}

DatagramAnswer TextUnit::datagram(const std::string& request, bool broadcast)
{
    // These units keep no records: of the discovery port they know only the search.
    DatagramAnswer answer = WiredUnit::datagram(request, broadcast);
    if (answer.request != "searchA" && answer.request != "searchB")
        return DatagramAnswer { answer.request, {}, "not a record unit", false };
    return answer;
}

void TextUnit::serve(uint16_t port, Connection& connection)
{
    if (port == kSettingsPort)
        serveSettings(connection);
    else
        WiredUnit::serve(port, connection);
}

std::string TextUnit::versionAnswer() const
{
    const TextUnitConfig& text = config().text;
    std::string answer = "SKETCH VER : " + std::to_string(text.sketchVersion) + kCrlf;
    if (text.versionLines == 2)
        answer += "TEXT VER : " + std::to_string(text.textVersion) + kCrlf;
    return answer;
}

std::string TextUnit::dumpAnswer() const
{
    std::string answer;
    std::lock_guard<std::mutex> lock(m_parameterMutex);
    for (const auto& [key, value] : m_parameters) {
        std::string wire = value;
        if (KeyVocabulary::isScrambledUser(key))
            wire = padScrambled(value, kUserShift);
        else if (KeyVocabulary::isScrambledPass(key))
            wire = padScrambled(value, kPassShift);
        answer += key + kCrlf + wire + kCrlf;
    }
    // "END" is a pair like the others: its value line is empty.
    return answer + kEnd + kCrlf + kCrlf;
}

nlohmann::json TextUnit::apply(const ParameterList& pairs)
{
    nlohmann::json ignored = nlohmann::json::object();
    std::lock_guard<std::mutex> lock(m_parameterMutex);
    for (const auto& [key, value] : pairs) {
        KeyVocabulary::Forms forms;
        const std::string why = m_vocabulary.take(key, value, forms);
        if (!why.empty()) {
            ignored[key] = why;
            continue;
        }
        // A setting stays under the form the unit holds it in; a new one comes in as sent.
        bool kept = false;
        for (const auto& [form, formValue] : forms) {
            for (auto& entry : m_parameters) {
                if (!kept && entry.first == form) {
                    entry.second = formValue;
                    kept = true;
                }
            }
        }
        if (!kept)
            m_parameters.push_back(forms.front());
    }
    return ignored;
}

nlohmann::json TextUnit::mailTest(int entry) const
{
    const std::string prefix = entry == kSingleAccount ? "M" : "M" + std::to_string(entry);
    nlohmann::json details = { { "entry", entry } };
    std::lock_guard<std::mutex> lock(m_parameterMutex);
    if (!lookup(m_parameters, prefix + "HOST")) {
        details["refused"] = "no such mail entry";
        return details;
    }
    // What the test mail would go out with.
    details["host"] = find(m_parameters, prefix + "HOST");
    details["sender"] = find(m_parameters, prefix + "FROM");
    details["to"] = { find(m_parameters, prefix + "TO1"), find(m_parameters, prefix + "TO2") };
    return details;
}

void TextUnit::serveSettings(Connection& connection)
{
    // Lines end in "\n" with or without "\r"; zero bytes (the requests' padding) are skipped.
    std::string raw; // every byte of the current request, for the log
    std::string line;
    std::vector<std::string> lines;
    bool noReset = false;
    std::vector<std::pair<int, std::string>> mailTests; // entry and line
    ParameterList pairs;
    std::string pendingKey;
    bool keyPending = false;
    uint8_t byte = 0;
    while (connection.readByte(byte)) {
        raw += static_cast<char>(byte);
        if (raw.size() > kMaxMessage) {
            connection.reply("incomplete", raw, {}, { { "refused", "message too long" } });
            return; // nothing is applied
        }
        if (byte == 0)
            continue;
        if (byte != '\n') {
            if (line.size() < kMaxLine)
                line += static_cast<char>(byte);
            continue;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string current = line;
        line.clear();
        const bool first = lines.empty();
        lines.push_back(current);
        if (first && current == kVersionRequest) {
            if (config().text.versionLines == 1) {
                connection.reply("VER", raw, versionAnswer());
                return; // old firmware ends the exchange
            }
            if (!connection.reply("VER", raw, versionAnswer()))
                return;
            raw.clear();
            lines.clear();
            continue;
        }
        if (lines.size() == 2 && (lines[0] == kDumpRequest || lines[0] == kGetParamRequest)
            && current == kEnd) {
            const bool known = lines[0] == kDumpRequest || m_scrambles;
            if (!connection.reply(known ? lines[0] : "unknown", raw, known ? dumpAnswer() : std::string()))
                return;
            raw.clear();
            lines.clear();
            continue;
        }
        if (keyPending) {
            pairs.emplace_back(pendingKey, current);
            keyPending = false;
        } else if (current == kNoReset) {
            noReset = true;
        } else if (mailTestEntry(current) != kNotATest) {
            mailTests.emplace_back(mailTestEntry(current), current);
        } else if (current == kEnd) {
            const nlohmann::json ignored = apply(pairs);
            nlohmann::json details = nlohmann::json::object();
            if (!ignored.empty())
                details["ignored"] = ignored;
            if (!connection.reply("settings", raw, {}, details))
                return;
            // The unit would send its test mails now, with the settings just applied.
            for (const auto& [entry, line] : mailTests)
                connection.reply("mailTest", line, {}, mailTest(entry));
            if (!noReset)
                requestRestart();
            return;
        } else {
            pendingKey = current;
            keyPending = true;
        }
    }
    if (!raw.empty())
        connection.reply("incomplete", raw, {}); // closed before END: nothing is applied
}

} // namespace sim
