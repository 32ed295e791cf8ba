#include "unit_config.h"

#include "address_text.h"
#include "hex_text.h"
#include "wire_codes.h"

namespace sim {

namespace {

constexpr int kMaxLatencyMs = 600000;

bool readAddress(const nlohmann::json& item, const std::string& key, uint32_t& address, std::string& error)
{
    if (!item.is_string() || !AddressText::parse(item.get<std::string>(), address)) {
        error = key + " must be a dotted IPv4 address";
        return false;
    }
    return true;
}

bool readInt(const nlohmann::json& item, const std::string& key, long long low, long long high, int& value,
    std::string& error)
{
    if (!item.is_number_integer() || item.get<long long>() < low || item.get<long long>() > high) {
        error = key + " must be an integer " + std::to_string(low) + ".." + std::to_string(high);
        return false;
    }
    value = item.get<int>();
    return true;
}

bool readMac(const nlohmann::json& item, std::array<uint8_t, 6>& mac, std::string& error)
{
    std::string bytes;
    if (!item.is_string() || !HexText::parseBytes(item.get<std::string>(), bytes)
        || bytes.size() != mac.size()) {
        error = "mac must be six hexadecimal bytes, e.g. \"02:4B:56:00:71:0A\"";
        return false;
    }
    for (size_t i = 0; i < mac.size(); ++i)
        mac[i] = static_cast<uint8_t>(bytes[i]);
    return true;
}

bool readRecords(const nlohmann::json& item, std::map<int, std::string>& records, std::string& error)
{
    if (!item.is_object()) {
        error = "records must map a record number to hexadecimal bytes";
        return false;
    }
    for (auto it = item.begin(); it != item.end(); ++it) {
        const std::string& key = it.key();
        if (key.size() != 1 || key[0] < '0' || key[0] >= static_cast<char>('0' + kRecordCount)) {
            error = "records: \"" + key + "\" is not a record number 0..7";
            return false;
        }
        const int n = key[0] - '0';
        const size_t room = (n == 0 ? kRecord0Length : kRecordLength) - kHeaderLength;
        std::string bytes;
        if (!it.value().is_string() || !HexText::parseBytes(it.value().get<std::string>(), bytes)
            || bytes.size() > room) {
            error = "records: record " + key + " must be at most " + std::to_string(room)
                + " hexadecimal bytes (the record after its 4-byte header)";
            return false;
        }
        records[n] = bytes;
    }
    return true;
}

bool readRegisters(const nlohmann::json& item, std::map<int, uint8_t>& registers, std::string& error)
{
    if (!item.is_object()) {
        error = "registers must map a hexadecimal register code to a byte value";
        return false;
    }
    for (auto it = item.begin(); it != item.end(); ++it) {
        unsigned code = 0;
        const std::string& key = it.key();
        if (key.empty() || key.size() > 2 || !HexText::parse(key, 0, key.size(), code)
            || code >= kRegisterCount) {
            error = "registers: \"" + key + "\" is not a hexadecimal register code below 80";
            return false;
        }
        int value = 0;
        if (!readInt(it.value(), "registers: value of " + key, 0, 255, value, error))
            return false;
        registers[static_cast<int>(code)] = static_cast<uint8_t>(value);
    }
    return true;
}

template <typename Enum, size_t N>
bool readChoice(const nlohmann::json& item, const std::string& key,
    const std::pair<const char*, Enum> (&choices)[N], Enum& value, std::string& error)
{
    for (const auto& choice : choices) {
        if (item.is_string() && item.get<std::string>() == choice.first) {
            value = choice.second;
            return true;
        }
    }
    error = key + " must be one of";
    for (const auto& choice : choices)
        error += std::string(" \"") + choice.first + "\"";
    return false;
}

const std::pair<const char*, ModelAnswer> kModelAnswers[] = {
    { "auto", ModelAnswer::Auto },
    { "uu", ModelAnswer::Uu },
    { "mi", ModelAnswer::Mi },
    { "none", ModelAnswer::None },
};

const std::pair<const char*, SearchAnswer> kSearchAnswers[] = {
    { "auto", SearchAnswer::Auto },
    { "A", SearchAnswer::A },
    { "B", SearchAnswer::B },
    { "both", SearchAnswer::Both },
};

} // namespace

std::string UnitConfig::label() const
{
    return name.empty() ? AddressText::format(address) : name + " (" + AddressText::format(address) + ")";
}

bool UnitConfig::parse(const nlohmann::json& value, std::string& error)
{
    if (!value.is_object()) {
        error = "a unit must be an object";
        return false;
    }
    if (!value.contains("address")) {
        error = "address is missing";
        return false;
    }
    for (auto it = value.begin(); it != value.end(); ++it) {
        const std::string& key = it.key();
        const nlohmann::json& item = it.value();
        bool ok = true;
        int number = 0;
        if (key == "name") {
            ok = item.is_string();
            if (ok)
                name = item.get<std::string>();
            else
                error = "name must be a text";
        } else if (key == "kind") {
            ok = readInt(item, key, 0, 7, kind, error);
        } else if (key == "typePair") {
            ok = item.is_string() && item.get<std::string>().size() == 2;
            if (ok)
                typePair = item.get<std::string>();
            else
                error = "typePair must be two characters";
        } else if (key == "address") {
            ok = readAddress(item, key, address, error);
        } else if (key == "mask") {
            ok = readAddress(item, key, mask, error);
            if (ok && AddressText::prefixLength(mask) < 0) {
                error = "mask must be one unbroken run of one bits from the top";
                ok = false;
            }
        } else if (key == "gateway") {
            ok = readAddress(item, key, gateway, error);
        } else if (key == "lease") {
            ok = readAddress(item, key, lease, error);
        } else if (key == "dhcp") {
            ok = item.is_boolean();
            if (ok)
                dhcp = item.get<bool>();
            else
                error = "dhcp must be true or false";
        } else if (key == "mac") {
            std::array<uint8_t, 6> bytes {};
            ok = readMac(item, bytes, error);
            if (ok)
                mac = bytes;
        } else if (key == "conflictMac") {
            std::array<uint8_t, 6> bytes {};
            ok = readMac(item, bytes, error);
            if (ok)
                conflictMac = bytes;
        } else if (key == "port") {
            ok = readInt(item, key, 1, 65535, number, error);
            port = static_cast<uint16_t>(number);
        } else if (key == "httpPort") {
            ok = readInt(item, key, 1, 65535, number, error);
            httpPort = static_cast<uint16_t>(number);
        } else if (key == "model") {
            ok = readInt(item, key, 0, 255, model, error);
        } else if (key == "switch") {
            ok = readInt(item, key, 0, 15, unitSwitch, error);
        } else if (key == "firmware") {
            ok = item.is_string() && item.get<std::string>().size() <= kFirmwareTextMax;
            if (ok)
                firmware = item.get<std::string>();
            else
                error = "firmware must be a text of at most " + std::to_string(kFirmwareTextMax)
                    + " characters";
        } else if (key == "info") {
            ok = item.is_array() && item.size() == 2;
            for (size_t i = 0; ok && i < 2; ++i) {
                ok = readInt(item[i], "info", 0, 15, number, error);
                info[i] = static_cast<uint8_t>(number);
            }
            if (!ok)
                error = "info must be two values 0..15";
        } else if (key == "modelAnswer") {
            ok = readChoice(item, key, kModelAnswers, modelAnswer, error);
        } else if (key == "searchAnswer") {
            ok = readChoice(item, key, kSearchAnswers, searchAnswer, error);
        } else if (key == "records") {
            ok = readRecords(item, records, error);
        } else if (key == "writeAnswer") {
            std::string bytes;
            ok = item.is_string() && HexText::parseBytes(item.get<std::string>(), bytes)
                && bytes.size() == kWriteAnswerLength;
            if (ok)
                writeAnswer = bytes;
            else
                error = "writeAnswer must be four hexadecimal bytes, e.g. \"00 00 00 C0\"";
        } else if (key == "registers") {
            ok = readRegisters(item, registers, error);
        } else if (key == "latencyMs") {
            ok = readInt(item, key, 0, kMaxLatencyMs, latencyMs, error);
        } else if (key == "consoleBlocks") {
            ok = readInt(item, key, 0, 8, consoleBlocks, error);
        } else if (key == "fault") {
            ok = fault.parse(item, error);
        } else if (key == "text") {
            ok = text.parse(item, error);
        } else {
            error = "unknown field \"" + key + "\"";
            ok = false;
        }
        if (!ok)
            return false;
    }
    return true;
}

} // namespace sim
