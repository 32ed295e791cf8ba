#include "fleet_config.h"

#include "address_text.h"
#include "unit_kind.h"

#include <set>

namespace sim {

namespace {

constexpr int kMaxSettingMs = 600000;

// Locally administered addresses carrying the unit address's last three bytes.
std::array<uint8_t, 6> defaultMac(uint32_t address)
{
    return { 0x02, 0x4B, 0x56, static_cast<uint8_t>(address >> 16), static_cast<uint8_t>(address >> 8),
        static_cast<uint8_t>(address) };
}

bool readSetting(
    const nlohmann::json& item, const std::string& key, int low, int high, int& value, std::string& error)
{
    if (!item.is_number_integer() || item.get<long long>() < low || item.get<long long>() > high) {
        error = key + " must be an integer " + std::to_string(low) + ".." + std::to_string(high);
        return false;
    }
    value = item.get<int>();
    return true;
}

} // namespace

bool FleetConfig::parse(const std::string& text, std::string& error)
{
    const nlohmann::json root = nlohmann::json::parse(text, nullptr, false);
    if (root.is_discarded() || !root.is_object()) {
        error = "the fleet is not a JSON object";
        return false;
    }
    for (auto it = root.begin(); it != root.end(); ++it) {
        const std::string& key = it.key();
        int value = 0;
        if (key == "discoveryPort") {
            if (!readSetting(it.value(), key, 1, 65535, value, error))
                return false;
            discoveryPort = static_cast<uint16_t>(value);
        } else if (key == "restartMs") {
            if (!readSetting(it.value(), key, 0, kMaxSettingMs, restartMs, error))
                return false;
        } else if (key == "broadcastSpreadMs") {
            if (!readSetting(it.value(), key, 0, kMaxSettingMs, broadcastSpreadMs, error))
                return false;
        } else if (key != "units") {
            error = "unknown fleet field \"" + key + "\"";
            return false;
        }
    }
    const auto list = root.find("units");
    if (list == root.end() || !list->is_array() || list->empty()) {
        error = "units must be a non-empty list";
        return false;
    }
    units.clear();
    for (size_t i = 0; i < list->size(); ++i) {
        UnitConfig unit;
        if (!unit.parse((*list)[i], error)) {
            error = "units[" + std::to_string(i) + "]: " + error;
            return false;
        }
        units.push_back(std::move(unit));
    }
    return complete(error);
}

bool FleetConfig::complete(std::string& error)
{
    if (units.empty()) {
        error = "units must be a non-empty list";
        return false;
    }
    std::set<uint32_t> addresses;
    std::set<std::array<uint8_t, 6>> macs;
    for (size_t i = 0; i < units.size(); ++i) {
        UnitConfig& unit = units[i];
        const std::string where = "units[" + std::to_string(i) + "]: ";
        const UnitKind* kind = UnitKind::find(unit.kind);
        if (!kind) {
            error = where + "kind " + std::to_string(unit.kind) + " is not simulated";
            return false;
        }
        error = kind->complete(unit);
        if (!error.empty()) {
            error = where + error;
            return false;
        }
        if (!unit.mac)
            unit.mac = defaultMac(unit.address);
        if (!addresses.insert(unit.runningAddress()).second) {
            error = where + "address " + AddressText::format(unit.runningAddress()) + " is already taken";
            return false;
        }
        if (!macs.insert(*unit.mac).second) {
            error = where + "mac is already taken";
            return false;
        }
    }
    return true;
}

} // namespace sim
