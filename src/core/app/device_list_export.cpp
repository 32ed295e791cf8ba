#include "core/app/device_list_export.h"

#include "core/platform/cp932_text.h"
#include "core/platform/ipv4.h"

#include <cerrno>
#include <cstdio>
#include <fstream>

namespace kovra {

nlohmann::ordered_json deviceRowJson(const UnitSlot& slot, const DeviceRow& row)
{
    const UnitRecord& unit = slot.record;
    return {
        { "mac", row.mac },
        { "ip", row.ip },
        { "model", row.model },
        { "kind", unit.kind },
        { "typePair", cp932ToUtf8(unit.typePair()) },
        { "modelIndex", unit.modelIndex },
        { "unitSwitch", unit.unitSwitch },
        { "sameSubnet", unit.sameSubnet },
        { "dhcp", unit.dhcp },
        { "subnetMask", ipv4ToText(unit.subnetMask) },
        { "gateway", ipv4ToText(unit.gateway) },
        { "port", unit.unitPort() },
        { "sketchVersion", slot.settings.sketchVersion },
        { "textVersion", slot.settings.textVersion },
        { "firmwareText", cp932ToUtf8(unit.firmwareText) },
        { "addressConflict", row.addressConflict },
    };
}

nlohmann::ordered_json deviceListJson(const UnitTable& table, const std::vector<DeviceRow>& rows)
{
    auto list = nlohmann::ordered_json::array();
    for (const auto& row : rows) {
        const int slot = table.findByIpText(row.ip);
        if (slot >= 0)
            list.push_back(deviceRowJson(table.slot(slot), row));
    }
    return list;
}

namespace {

std::string csvField(const nlohmann::ordered_json& value)
{
    const std::string text = value.is_string() ? value.get<std::string>() : value.dump();
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string csvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + fields[i];
    return line + "\r\n";
}

} // namespace

std::string deviceListCsv(const UnitTable& table, const std::vector<DeviceRow>& rows)
{
    // The header comes from an object of the same shape, so it is there for an empty list too.
    const nlohmann::ordered_json shape = deviceRowJson(UnitSlot {}, DeviceRow {});
    std::vector<std::string> keys;
    for (const auto& item : shape.items())
        keys.push_back(item.key());
    std::string csv = csvLine(keys);
    for (const auto& object : deviceListJson(table, rows)) {
        std::vector<std::string> fields;
        for (const auto& key : keys)
            fields.push_back(csvField(object.at(key)));
        csv += csvLine(fields);
    }
    return csv;
}

DeviceListFormat deviceListFormatFor(const std::string& path)
{
    const std::string suffix = ".json";
    if (path.size() < suffix.size())
        return DeviceListFormat::Csv;
    std::string tail = path.substr(path.size() - suffix.size());
    for (char& c : tail)
        c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return tail == suffix ? DeviceListFormat::Json : DeviceListFormat::Csv;
}

int saveDeviceList(const std::string& path, DeviceListFormat format, const UnitTable& table,
    const std::vector<DeviceRow>& rows)
{
    const std::string text = format == DeviceListFormat::Json ? deviceListJson(table, rows).dump(2) + "\n"
                                                              : deviceListCsv(table, rows);
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return errno ? errno : EIO;
        out.write(text.data(), std::streamsize(text.size()));
        out.close();
        if (!out) {
            const int error = errno ? errno : EIO;
            std::remove(temporary.c_str());
            return error;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        std::remove(temporary.c_str());
        return error;
    }
    return 0;
}

} // namespace kovra
