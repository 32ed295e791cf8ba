#include "wired_unit.h"

#include "address_text.h"
#include "command_stream.h"
#include "connection.h"
#include "hex_text.h"
#include "mail_test_port.h"

#include <algorithm>

namespace sim {

namespace {

constexpr int kLastOldAnswerModel = 6; // the "UU" answer carries the model in three bits, 7 meaning none
constexpr int kLastCascadeModel = 0x2E; // three nibbles deep, the last one not 0Fh
constexpr int kModelShift = 4;
constexpr int kSwitchTop = 15; // units report 15 minus the rotary switch position
constexpr uint8_t kOldAnswerSecondByte = 0x00;
constexpr size_t kCascadeBytes = 3;
constexpr size_t kRegisterFieldLength = kRegisterDigits + 1; // register code and count digits
constexpr size_t kMemoryReadLength = 2 + kRegisterFieldLength + 1;
constexpr size_t kAlertLength = 13;
constexpr size_t kAlertFieldsLength = 10; // channel, code and eight hex digits
constexpr size_t kAlertValueDigits = 8;
constexpr size_t kChannelRequestLength = 4; // two letters, channel, end mark
constexpr size_t kDiAlertSetLength = 7; // "DM", four nibble bytes, end mark
constexpr size_t kDiAlertReadLength = 3; // "DN", end mark
constexpr uint8_t kNibble = 0x0F;
constexpr size_t kNoticeSetLength = 6;
constexpr size_t kNoticeDigits = 2;
constexpr char kReset[] = "RSET";
constexpr size_t kResetLength = 6;
constexpr int kMaxHostBits = 32;
constexpr int kSamplingKind = 6; // the "_T" units keep an ADC sampling index without analog inputs
constexpr int kBlockBeyondRecords = 8; // the one memory block that is not a stored record

const char* const kOtherKindTypePairs[] = { "Y1", "_L", "_W", "_T", "_B" };

void putAddress(std::string& bytes, size_t offset, uint32_t address)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>(address >> (24 - 8 * i));
}

uint32_t getAddress(const std::string& bytes, size_t offset)
{
    uint32_t address = 0;
    for (int i = 0; i < 4; ++i)
        address = (address << 8) | static_cast<uint8_t>(bytes[offset + i]);
    return address;
}

uint8_t byteAt(const std::string& bytes, size_t offset)
{
    return static_cast<uint8_t>(bytes[offset]);
}

std::string header(uint8_t flag, uint8_t code)
{
    return std::string { '\0', static_cast<char>(flag), '\0', static_cast<char>(code) };
}

const std::string kEnd(1, static_cast<char>(kEndMark));

bool isDhcpRecord(const std::string& record0)
{
    return record0[kRecord0AddressOffset] == 0 && record0[kRecord0AddressOffset + 1] == 0
        && record0[kRecord0AddressOffset + 3] == 0;
}

} // namespace

std::string WiredUnit::completeWired(UnitConfig& config)
{
    for (const char* pair : kOtherKindTypePairs) {
        if (config.typePair == pair)
            return "typePair " + *config.typePair + " belongs to another kind";
    }
    return completeCommandPort(config);
}

std::string WiredUnit::completeCommandPort(UnitConfig& config)
{
    if (config.modelAnswer == ModelAnswer::Auto)
        config.modelAnswer = config.model <= kLastOldAnswerModel ? ModelAnswer::Uu : ModelAnswer::Mi;
    if (config.modelAnswer == ModelAnswer::Uu && config.model > kLastOldAnswerModel)
        return "model " + std::to_string(config.model) + " cannot be told by the \"UU\" answer (models 0..6)";
    if (config.modelAnswer == ModelAnswer::Mi
        && (config.model > kLastCascadeModel || (config.model & kCascadePass) == kCascadePass))
        return "model " + std::to_string(config.model) + " cannot be told by the \"MI\" answer";
    if (config.searchAnswer == SearchAnswer::Auto)
        config.searchAnswer = SearchAnswer::A;
    if (!config.firmware)
        config.firmware = "1.00";
    return {};
}

WiredUnit::WiredUnit(const UnitConfig& config)
    : Unit(config)
    , m_analog(ModelChannels::of(config.model), config.kind == kSamplingKind)
    , m_block8(MemoryConsole::kBlockLength, '\0')
    , m_console({ [this](int n) { return memoryBlock(n); },
          [this](int n, const std::string& bytes) { storeMemoryBlock(n, bytes); },
          [this] { requestRestart(); } })
{
    for (size_t n = 0; n < kRecordCount; ++n) {
        std::string& record = m_records[n];
        record.assign(n == 0 ? kRecord0Length : kRecordLength, '\0');
        const auto given = config.records.find(static_cast<int>(n));
        if (given != config.records.end())
            record.replace(kHeaderLength, given->second.size(), given->second);
    }
    storeNetwork(config.dhcp, config.address, config.mask, config.gateway, config.port);
    for (const auto& [code, value] : config.registers)
        m_registers[static_cast<size_t>(code)] = value;
    restart();
}

void WiredUnit::storeNetwork(bool dhcp, uint32_t address, uint32_t mask, uint32_t gateway, uint16_t port)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string& record0 = m_records[0];
    if (!dhcp) {
        putAddress(record0, kRecord0AddressOffset, address);
        record0[kRecord0HostBitsOffset] = static_cast<char>(kMaxHostBits - AddressText::prefixLength(mask));
        putAddress(record0, kRecord0GatewayOffset, gateway);
    } else {
        putAddress(record0, kRecord0AddressOffset, 0);
        record0[kRecord0HostBitsOffset] = 0;
        putAddress(record0, kRecord0GatewayOffset, 0);
    }
    record0[kRecord0PortOffset] = static_cast<char>(port & 0xFF);
    record0[kRecord0PortOffset + 1] = static_cast<char>(port >> 8);
}

void WiredUnit::restart()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::string& record0 = m_records[0];
    const bool dhcp = isDhcpRecord(record0);
    const uint32_t address = dhcp ? (config().lease ? config().lease : config().address)
                                  : getAddress(record0, kRecord0AddressOffset);
    const int hostBits = std::min<int>(byteAt(record0, kRecord0HostBitsOffset), kMaxHostBits);
    setAddress(address);
    m_mask = dhcp ? AddressText::classfulMask(address) : AddressText::maskFromPrefix(kMaxHostBits - hostBits);
    m_port = static_cast<uint16_t>(
        byteAt(record0, kRecord0PortOffset) | byteAt(record0, kRecord0PortOffset + 1) << 8);
}

std::vector<uint16_t> WiredUnit::tcpPorts() const
{
    const uint16_t port = m_port;
    std::vector<uint16_t> ports;
    if (port != 0 && port != kSettingsPort)
        ports.push_back(port); // a record with port 0 leaves the unit without command port
    ports.push_back(kSettingsPort); // the classic mail dialog's test message
    if (hasConsole())
        ports.push_back(kConsolePort);
    return ports;
}

bool WiredUnit::hasConsole() const
{
    const int kind = config().kind;
    return kind == 0 || kind == 1 || kind == 4;
}

std::string WiredUnit::memoryBlock(int n) const
{
    if (n < 0 || n > config().consoleBlocks)
        return {};
    std::lock_guard<std::mutex> lock(m_mutex);
    if (n == kBlockBeyondRecords)
        return m_block8;
    return m_records[static_cast<size_t>(n)].substr(kHeaderLength);
}

void WiredUnit::storeMemoryBlock(int n, const std::string& bytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (n == kBlockBeyondRecords)
        m_block8 = bytes;
    else
        m_records[static_cast<size_t>(n)].replace(kHeaderLength, bytes.size(), bytes);
}

std::string WiredUnit::record(int n) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_records.at(static_cast<size_t>(n));
}

uint8_t WiredUnit::registerValue(int code) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_registers.at(static_cast<size_t>(code));
}

DatagramAnswer WiredUnit::datagram(const std::string& request, bool broadcast)
{
    DatagramAnswer answer;
    answer.request = "unknown";
    if (request == kSearchRequestB) {
        answer.request = "searchB";
        if (config().searchAnswer == SearchAnswer::B || config().searchAnswer == SearchAnswer::Both)
            answer.bytes = searchAnswer();
        return answer;
    }
    if (request.size() < kHeaderLength || request[0] != 0 || request[2] != 0)
        return answer;
    const uint8_t flag = byteAt(request, kWriteFlagOffset);
    const uint8_t code = byteAt(request, kCodeOffset);
    if (code >= kRecordWriteBase && code < kRecordWriteBase + kRecordCount
        && (flag == 0 || flag == kWriteContinues))
        return writeRecord(request, broadcast);
    if (flag != 0)
        return answer;
    if (code == kAddressSetCode)
        return addressSet(request);
    if (request.size() != kHeaderLength)
        return answer;
    if (code == kSearchRequestCode) {
        answer.request = "searchA";
        if (config().searchAnswer == SearchAnswer::A || config().searchAnswer == SearchAnswer::Both)
            answer.bytes = searchAnswer();
    } else if (code == kFirmwareQueryCode) {
        answer.request = "firmware";
        answer.bytes = firmwareAnswer();
    } else if (code >= kRecordQueryBase && code < kRecordQueryBase + kRecordCount) {
        const int n = code - kRecordQueryBase;
        answer.request = "record" + std::to_string(n);
        answer.bytes = recordAnswer(n);
    }
    return answer;
}

std::string WiredUnit::searchAnswer() const
{
    const UnitConfig& unit = config();
    std::string bytes(kSearchAnswerLength, '\0');
    bytes.replace(0, kHeaderLength, header(0, kSearchAnswerCode));
    bytes[kSearchInfoOffset] = static_cast<char>(unit.info[0] << 4);
    bytes[kSearchInfoOffset + 1] = static_cast<char>(unit.info[1] << 4);
    bytes.replace(kSearchTypePairOffset, 2, *unit.typePair);
    putAddress(bytes, kSearchAddressOffset, address());
    const uint16_t port = m_port;
    bytes[kSearchPortOffset] = static_cast<char>(port & 0xFF);
    bytes[kSearchPortOffset + 1] = static_cast<char>(port >> 8);
    for (size_t i = 0; i < unit.mac->size(); ++i)
        bytes[kSearchMacOffset + i] = static_cast<char>((*unit.mac)[i]);
    return bytes;
}

std::string WiredUnit::firmwareAnswer() const
{
    std::string bytes(kFirmwareAnswerLength, '\0');
    bytes.replace(0, kHeaderLength, header(0, kFirmwareAnswerCode));
    bytes.replace(kFirmwareTextOffset, config().firmware->size(), *config().firmware);
    return bytes;
}

std::string WiredUnit::recordAnswer(int n) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string bytes = m_records[static_cast<size_t>(n)];
    bytes.replace(0, kHeaderLength, header(0, static_cast<uint8_t>(kRecordAnswerBase + n)));
    return bytes;
}

DatagramAnswer WiredUnit::writeRecord(const std::string& request, bool broadcast)
{
    const uint8_t flag = byteAt(request, kWriteFlagOffset);
    const int n = byteAt(request, kCodeOffset) - kRecordWriteBase;
    const size_t expected = n == 0 ? kRecord0Length : kRecordLength;
    DatagramAnswer answer;
    answer.request = "write" + std::to_string(n);
    if (request.size() != expected) {
        answer.refused
            = "length " + std::to_string(request.size()) + ", expected " + std::to_string(expected);
        return answer;
    }
    if (broadcast) {
        // Records go to one unit's own address; a broadcast one would give every unit the same
        // settings (and the same address).
        answer.refused = "broadcast";
        return answer;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_records[static_cast<size_t>(n)] = request;
    }
    answer.bytes = config().writeAnswer ? *config().writeAnswer
                                        : header(flag, static_cast<uint8_t>(kRecordWriteAnswerBase + n));
    // 00 01 00 heads a record that more follow; the last one (00 00 00) makes the unit restart
    // and take the stored records into use.
    answer.restart = flag == 0;
    return answer;
}

DatagramAnswer WiredUnit::addressSet(const std::string& request)
{
    DatagramAnswer answer;
    answer.request = "addressSet";
    if (request.size() != kAddressSetLength
        || request.compare(kHeaderLength, sizeof(kAddressSetMark) - 1, kAddressSetMark) != 0
        || request[kAddressSetMacOffset - 2] != 0 || request[kAddressSetMacOffset - 1] != 0) {
        answer.refused = "malformed";
        return answer;
    }
    const auto& mac = *config().mac;
    if (byteAt(request, kAddressSetMacOffset) != mac[4]
        || byteAt(request, kAddressSetMacOffset + 1) != mac[5]) {
        answer.refused = "hardware address differs";
        return answer;
    }
    {
        // 0.0.0.0 switches the unit to DHCP: all of the record's address bytes become zero.
        std::lock_guard<std::mutex> lock(m_mutex);
        m_records[0].replace(kRecord0AddressOffset, 4, request, kAddressSetAddressOffset, 4);
    }
    answer.restart = true;
    return answer;
}

void WiredUnit::serve(uint16_t port, Connection& connection)
{
    if (port == kSettingsPort) {
        serveMailTestPort(connection, [this] { requestRestart(); });
        return;
    }
    if (port == kConsolePort && hasConsole()) {
        m_console.serve(connection);
        return;
    }
    CommandStream stream;
    std::string request;
    uint8_t byte = 0;
    while (connection.readByte(byte)) {
        if (!stream.push(byte, request))
            continue;
        std::string name;
        const std::string answer = command(request, name);
        if (!connection.reply(name, request, answer))
            return;
    }
}

std::string WiredUnit::command(const std::string& request, std::string& name)
{
    name = "unknown";
    if (request == kOldModelQuery) {
        name = "model";
        return config().modelAnswer == ModelAnswer::Uu ? modelAnswerOld() : std::string();
    }
    const uint8_t first = byteAt(request, 0);
    if (first >= kShortRead && first <= kShortWriteLast) {
        name = "short";
        return shortCommand(request);
    }
    if (request.size() < 2 || static_cast<uint8_t>(request.back()) != kEndMark)
        return {};
    if (request == std::string(kModelQuery) + kEnd) {
        name = "model";
        return config().modelAnswer == ModelAnswer::Mi ? modelAnswerExtended() : std::string();
    }
    const std::string letters = request.substr(0, 2);
    if (letters == "MR") {
        name = letters;
        return memoryRead(request);
    }
    if (letters == "MW") {
        name = letters;
        return memoryWrite(request);
    }
    if (letters == "AL" || letters == "AK") {
        name = letters;
        return alertCommand(request);
    }
    if (letters == "DM" || letters == "DN") {
        name = letters;
        return diAlertCommand(request);
    }
    if (letters == "NS" || letters == "NJ") {
        name = letters;
        return noticeCommand(request);
    }
    if (AnalogCommands::handles(letters)) {
        name = letters;
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_analog.answer(request, m_registers);
    }
    if (request.compare(0, sizeof(kReset) - 1, kReset) == 0) {
        name = kReset;
        return resetCommand(request);
    }
    return {};
}

std::string WiredUnit::modelAnswerOld() const
{
    const int model = config().model;
    const int reported = kSwitchTop - config().unitSwitch;
    return std::string { static_cast<char>((model << kModelShift) | reported),
        static_cast<char>(kOldAnswerSecondByte) };
}

std::string WiredUnit::modelAnswerExtended() const
{
    // The model number as a cascade of nibbles: 0Fh in a byte passes it on to the next one.
    const int model = config().model;
    const size_t depth = static_cast<size_t>(model >> kModelShift);
    std::string cascade(kCascadeBytes, '\0');
    for (size_t i = 0; i < depth; ++i)
        cascade[i] = static_cast<char>(kCascadePass);
    cascade[depth] = static_cast<char>(model & 0x0F);
    return echo(kModelQuery) + static_cast<char>(kSwitchTop - config().unitSwitch) + cascade + kEnd;
}

std::string WiredUnit::shortCommand(const std::string& request)
{
    if (request.size() != 2)
        return {};
    const uint8_t command = byteAt(request, 0);
    const uint8_t value = byteAt(request, 1);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (command == kShortRead) {
        if (value >= kShortValueCount)
            return {};
        return std::string { static_cast<char>(kShortRead), static_cast<char>(m_shortValues[value]) };
    }
    m_shortValues[command - kShortWriteFirst] = value;
    return request; // a write is acknowledged by repeating both bytes
}

std::string WiredUnit::memoryRead(const std::string& request) const
{
    const std::string refused = echo(request) + kAnswerRefused + kEnd;
    unsigned code = 0;
    unsigned count = 0;
    if (request.size() != kMemoryReadLength || !HexText::parse(request, 2, kRegisterDigits, code)
        || !HexText::parse(request, 2 + kRegisterDigits, 1, count) || code + count > kRegisterCount)
        return refused;
    std::string answer = echo(request) + request.substr(2, kRegisterFieldLength);
    std::lock_guard<std::mutex> lock(m_mutex);
    for (unsigned i = 0; i < count; ++i)
        answer += HexText::format(m_registers[code + i], 2);
    return answer + kEnd;
}

std::string WiredUnit::memoryWrite(const std::string& request)
{
    const std::string refused = echo(request) + kAnswerRefused + kEnd;
    unsigned code = 0;
    unsigned count = 0;
    if (!HexText::parse(request, 2, kRegisterDigits, code)
        || !HexText::parse(request, 2 + kRegisterDigits, 1, count)
        || request.size() != kMemoryReadLength + 2 * count || code + count > kRegisterCount)
        return refused;
    std::string values;
    for (unsigned i = 0; i < count; ++i) {
        unsigned value = 0;
        if (!HexText::parse(request, 2 + kRegisterFieldLength + 2 * i, 2, value))
            return refused;
        values += static_cast<char>(value);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    for (unsigned i = 0; i < count; ++i)
        m_registers[code + i] = static_cast<uint8_t>(values[i]);
    return echo(request) + kAnswerOk + kEnd;
}

std::string WiredUnit::alertCommand(const std::string& request)
{
    const bool set = request[1] == 'L';
    if (request.size() != (set ? kAlertLength : kChannelRequestLength))
        return {};
    const size_t channel = static_cast<uint8_t>(byteAt(request, 2) - kChannelOffset);
    if (channel >= kAlertChannelCount)
        return {};
    std::lock_guard<std::mutex> lock(m_mutex);
    Alert& alert = m_alerts[channel];
    if (set) {
        unsigned values = 0;
        if (!HexText::parse(request, 4, kAlertValueDigits, values))
            return {};
        alert.code = byteAt(request, 3);
        alert.values = request.substr(4, kAlertValueDigits);
        return echo(request) + request.substr(2, kAlertFieldsLength) + kEnd;
    }
    return echo(request) + request[2] + static_cast<char>(alert.code) + alert.values + kEnd;
}

std::string WiredUnit::diAlertCommand(const std::string& request)
{
    // Four bytes 20h + a nibble: the ON mask's low nibble, the enable mask's, then the high ones.
    std::lock_guard<std::mutex> lock(m_mutex);
    if (request[1] == 'N') {
        if (request.size() != kDiAlertReadLength)
            return {};
        std::string answer = echo(request);
        for (uint8_t nibble :
            { m_diAlertOn & kNibble, m_diAlertEnabled & kNibble, m_diAlertOn >> 4, m_diAlertEnabled >> 4 })
            answer += static_cast<char>(kChannelOffset + nibble);
        return answer + kEnd;
    }
    if (request.size() != kDiAlertSetLength)
        return {};
    uint8_t nibbles[4] = {};
    for (size_t i = 0; i < 4; ++i) {
        const uint8_t byte = byteAt(request, 2 + i);
        if ((byte & ~kNibble) != kChannelOffset)
            return {}; // not a nibble byte: the unit takes nothing
        nibbles[i] = byte & kNibble;
    }
    m_diAlertOn = static_cast<uint8_t>(nibbles[0] | (nibbles[2] << 4));
    m_diAlertEnabled = static_cast<uint8_t>(nibbles[1] | (nibbles[3] << 4));
    return echo(request) + request.substr(2, 4) + kEnd;
}

std::string WiredUnit::noticeCommand(const std::string& request)
{
    const bool set = request[1] == 'S';
    if (request.size() != (set ? kNoticeSetLength : kChannelRequestLength))
        return {};
    const size_t index = static_cast<uint8_t>(byteAt(request, 2) - kChannelOffset);
    if (index >= kNoticeCount)
        return {};
    std::lock_guard<std::mutex> lock(m_mutex);
    if (set) {
        unsigned value = 0;
        if (!HexText::parse(request, 3, kNoticeDigits, value))
            return {};
        m_notices[index] = static_cast<uint8_t>(value);
        return echo(request) + request.substr(2, 1 + kNoticeDigits) + kEnd;
    }
    return echo(request) + request[2] + HexText::format(m_notices[index], kNoticeDigits) + kEnd;
}

std::string WiredUnit::resetCommand(const std::string& request)
{
    if (request.size() != kResetLength)
        return {};
    const uint8_t value = static_cast<uint8_t>(byteAt(request, 4) - kChannelOffset);
    if (value > kMaxResetValue)
        return {};
    return echo(request) + request[4] + kEnd;
}

} // namespace sim
