#include "core/units/unit_table.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

void addUnit(UnitTable& table, const std::string& ip, int port)
{
    auto& slot = table.slot(table.unitCount());
    slot.record.ipText = ip;
    slot.settings.ports[0] = port;
    ASSERT_TRUE(table.accept());
}

} // namespace

TEST(UnitTable, RemovingASlotMovesTheLaterSlotsWithTheirSettings)
{
    UnitTable table;
    addUnit(table, "203.0.113.10", 10);
    addUnit(table, "203.0.113.11", 11);
    addUnit(table, "203.0.113.12", 12);

    table.removeSlot(1);

    ASSERT_EQ(table.unitCount(), 2);
    EXPECT_EQ(table.record(1).ipText, "203.0.113.12");
    EXPECT_EQ(table.slot(1).settings.ports[0], 12);
    EXPECT_EQ(table.record(2).modelIndex, -1) << "the freed slot is back to its start state";
    EXPECT_EQ(table.findByIpText("203.0.113.11"), -1);

    table.removeSlot(5);
    table.removeSlot(-1);
    EXPECT_EQ(table.unitCount(), 2);
}

TEST(UnitTable, HoldsAtMost256Units)
{
    UnitTable table;
    for (int i = 0; i < kMaxUnits; ++i)
        addUnit(table, "198.18.0." + std::to_string(i), i);
    EXPECT_TRUE(table.full());
    EXPECT_FALSE(table.accept());
    EXPECT_EQ(table.findByIpText("198.18.0.255"), 255);
    EXPECT_EQ(table.findByIpText(""), -1);
    table.reset();
    EXPECT_EQ(table.unitCount(), 0);
    EXPECT_EQ(table.record(200).kind, kKindWired);
    EXPECT_EQ(table.record(200).ipText, "");
}

TEST(UnitRecord, PortAndHardwareAddressTexts)
{
    UnitRecord record;
    record.setUnitPort(0x2710);
    EXPECT_EQ(record.configBlock0[24], 0x10);
    EXPECT_EQ(record.configBlock0[25], 0x27);
    EXPECT_EQ(record.unitPort(), 10000);

    record.mac = { 0x00, 0x80, 0x4c, 0xAB, 0x01, 0xfe };
    EXPECT_EQ(macText(record.mac), "00-80-4C-AB-01-FE");
    std::array<uint8_t, 6> back {};
    EXPECT_TRUE(parseMacText("00-80-4c-ab-01-FE", back));
    EXPECT_EQ(back, record.mac);
    for (const char* bad : { "00-80-4C-AB-01", "00:80:4C:AB:01:FE", "00-80-4C-AB-01-FG", "" })
        EXPECT_FALSE(parseMacText(bad, back)) << bad;
}
