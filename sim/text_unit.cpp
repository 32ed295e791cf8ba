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
constexpr uint16_t kMaxPort = 65535;

bool isScrambledKey(const std::string& key, char which)
{
    // "E%dUSER" / "E%dPASS"
    return key.size() == 6 && key[0] == 'E' && key[1] >= '1' && key[1] <= '8'
        && key.compare(2, 4, which == 'U' ? "USER" : "PASS") == 0;
}

bool isMailTest(const std::string& line)
{
    return line == kMailTestCrlf
        || (line.compare(0, sizeof(kMailTest) - 1, kMailTest) == 0
            && (line.size() == sizeof(kMailTest) - 1
                || (line.size() == sizeof(kMailTest) && line.back() >= '1' && line.back() <= '8')));
}

std::string find(const ParameterList& list, const std::string& key)
{
    for (const auto& [name, value] : list)
        if (name == key)
            return value;
    return {};
}

} // namespace

TextUnit::TextUnit(const UnitConfig& config)
    : WiredUnit(config)
    , m_parameters(defaultParameters(config))
    , m_scrambles(scramblesCredentials(config.kind, config.text.sketchVersion))
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

std::vector<uint16_t> TextUnit::tcpPorts() const
{
    std::vector<uint16_t> ports = WiredUnit::tcpPorts();
    ports.push_back(kSettingsPort);
    return ports;
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
        if (isScrambledKey(key, 'U'))
            wire = padScrambled(value, kUserShift);
        else if (isScrambledKey(key, 'P'))
            wire = padScrambled(value, kPassShift);
        answer += key + kCrlf + wire + kCrlf;
    }
    // "END" is a pair like the others: its value line is empty.
    return answer + kEnd + kCrlf + kCrlf;
}

void TextUnit::apply(const ParameterList& pairs)
{
    std::lock_guard<std::mutex> lock(m_parameterMutex);
    for (const auto& [key, value] : pairs) {
        std::string clear = value;
        if (isScrambledKey(key, 'U'))
            clear = unpadUnscrambled(value, kUserShift);
        else if (isScrambledKey(key, 'P'))
            clear = unpadUnscrambled(value, kPassShift);
        bool found = false;
        for (auto& entry : m_parameters) {
            if (entry.first == key) {
                entry.second = clear;
                found = true;
            }
        }
        if (!found)
            m_parameters.emplace_back(key, clear);
    }
}

void TextUnit::serveSettings(Connection& connection)
{
    // Lines end in "\n" with or without "\r"; zero bytes (the requests' padding) are skipped.
    std::string raw; // every byte of the current request, for the log
    std::string line;
    std::vector<std::string> lines;
    bool noReset = false;
    std::vector<std::string> mailTests;
    ParameterList pairs;
    std::string pendingKey;
    bool keyPending = false;
    uint8_t byte = 0;
    while (connection.readByte(byte)) {
        raw += static_cast<char>(byte);
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
        } else if (isMailTest(current)) {
            mailTests.push_back(current);
        } else if (current == kEnd) {
            apply(pairs);
            if (!connection.reply("settings", raw, {}))
                return;
            for (const std::string& test : mailTests)
                connection.reply("mailTest", test, {}); // the unit would send its test mail now
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
