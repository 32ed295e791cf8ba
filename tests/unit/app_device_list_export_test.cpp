// The device list export: CSV columns are the JSON keys, fields are quoted where they must be,
// a file is written whole or not at all.
#include "core/app/device_list_export.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

using namespace kovra;

namespace {

// A table of two units with the rows the window would show for them.
struct ListedUnits {
    UnitTable table;
    std::vector<DeviceRow> rows;

    void add(const std::string& ip, const std::string& model, const std::string& firmware)
    {
        UnitSlot& slot = table.slot(table.unitCount());
        slot.record.ipText = ip;
        slot.record.firmwareText = firmware;
        slot.record.kind = 5;
        slot.settings.sketchVersion = 104;
        ASSERT_TRUE(table.accept());
        rows.push_back({ "00-11-22-33-44-55", ip, model });
    }
};

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> found;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        found.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends with CRLF";
    return found;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(DeviceListExport, CsvHeaderIsTheJsonKeysAndRowsFollowTheList)
{
    ListedUnits units;
    units.add("203.0.113.10", "QM-110", "");
    units.add("203.0.113.11", "QM-N410 (Ver.1.04)", "V3.10");
    const auto json = deviceListJson(units.table, units.rows);
    ASSERT_EQ(json.size(), 2u);

    const auto csv = lines(deviceListCsv(units.table, units.rows));
    ASSERT_EQ(csv.size(), 3u);
    std::string keys;
    for (const auto& item : json[0].items())
        keys += (keys.empty() ? "" : ",") + item.key();
    EXPECT_EQ(csv[0], keys);
    EXPECT_EQ(csv[1].substr(0, 32), "00-11-22-33-44-55,203.0.113.10,Q");
    EXPECT_NE(csv[2].find(",QM-N410 (Ver.1.04),5,"), std::string::npos) << csv[2];
}

TEST(DeviceListExport, RowsWithoutAUnitAreLeftOut)
{
    ListedUnits units;
    units.add("203.0.113.10", "QM-110", "");
    units.rows.push_back({ "00-00-00-00-00-01", "203.0.113.99", "gone" });
    EXPECT_EQ(deviceListJson(units.table, units.rows).size(), 1u);
    EXPECT_EQ(lines(deviceListCsv(units.table, units.rows)).size(), 2u);
}

struct QuotingCase {
    const char* model;
    const char* field;
};

class DeviceListCsvQuoting : public testing::TestWithParam<QuotingCase> { };

TEST_P(DeviceListCsvQuoting, ModelTextIsQuotedOnlyWhereCsvNeedsIt)
{
    ListedUnits units;
    units.add("203.0.113.10", GetParam().model, "");
    const std::string csv = deviceListCsv(units.table, units.rows);
    EXPECT_NE(csv.find(std::string("203.0.113.10,") + GetParam().field + ",5,"), std::string::npos) << csv;
}

INSTANTIATE_TEST_SUITE_P(Fields, DeviceListCsvQuoting,
    testing::Values(QuotingCase { "QM-110", "QM-110" }, QuotingCase { "QM 1,2", "\"QM 1,2\"" },
        QuotingCase { "say \"hi\"", "\"say \"\"hi\"\"\"" }, QuotingCase { "two\nlines", "\"two\nlines\"" },
        QuotingCase { "機種", "機種" }));

TEST(DeviceListExport, FormatFollowsTheFileName)
{
    EXPECT_EQ(deviceListFormatFor("units.json"), DeviceListFormat::Json);
    EXPECT_EQ(deviceListFormatFor("/tmp/UNITS.JSON"), DeviceListFormat::Json);
    EXPECT_EQ(deviceListFormatFor("units.csv"), DeviceListFormat::Csv);
    EXPECT_EQ(deviceListFormatFor("units"), DeviceListFormat::Csv);
    EXPECT_EQ(deviceListFormatFor("json"), DeviceListFormat::Csv);
}

TEST(DeviceListExport, SaveWritesWholeFileOrLeavesTheOldOne)
{
    ListedUnits units;
    units.add("203.0.113.10", "QM-110", "");
    const auto folder = std::filesystem::temp_directory_path() / ("kovra-export-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto target = folder / "units.json";

    ASSERT_EQ(saveDeviceList(target.string(), DeviceListFormat::Json, units.table, units.rows), 0);
    EXPECT_EQ(nlohmann::ordered_json::parse(readFile(target)), deviceListJson(units.table, units.rows));

    // A folder that is not there: the error comes back and nothing is left behind.
    const auto missing = folder / "no-such-folder" / "units.csv";
    EXPECT_EQ(saveDeviceList(missing.string(), DeviceListFormat::Csv, units.table, units.rows), ENOENT);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}
