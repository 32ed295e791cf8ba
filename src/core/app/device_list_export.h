#pragma once

#include "core/app/main_window_view.h"
#include "core/units/unit_table.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace kovra {

// The device list as an operator takes it away: one object per row, the row's texts with the
// unit behind it, keys in a fixed order (the row's texts first). `kovractl search --json` prints
// these objects; the CSV export has one column per key, in the same order.
nlohmann::ordered_json deviceRowJson(const UnitSlot& slot, const DeviceRow& row);

// Every row of the list whose unit is in the table, in list order.
nlohmann::ordered_json deviceListJson(const UnitTable& table, const std::vector<DeviceRow>& rows);

// The same as CSV: a header line of the keys, then a line per row; fields with a comma, a quote
// or a line break are quoted (quotes doubled); lines end with CRLF, as spreadsheets expect.
std::string deviceListCsv(const UnitTable& table, const std::vector<DeviceRow>& rows);

enum class DeviceListFormat { Csv, Json };

// The format a file name asks for: ".json" (any case) for JSON, anything else CSV.
DeviceListFormat deviceListFormatFor(const std::string& path);

// Writes the list to `path` in `format`, through a temporary file in the same folder renamed
// over the target only when complete. Result: 0, or the errno of the failing step.
int saveDeviceList(const std::string& path, DeviceListFormat format, const UnitTable& table,
    const std::vector<DeviceRow>& rows);

} // namespace kovra
