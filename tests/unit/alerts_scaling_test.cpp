#include "core/alerts/analog_range_type.h"
#include "core/alerts/analog_scaling.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace kovra;

namespace {

struct RawCase {
    int raw;
    AnalogRangeType type;
    bool isUnsigned;
    double value;
};

class AlertsRawToValue : public testing::TestWithParam<RawCase> { };

TEST_P(AlertsRawToValue, ScalesAgainstTheSideOfZero)
{
    const RawCase& c = GetParam();
    EXPECT_DOUBLE_EQ(rawToValue(c.raw, c.type, c.isUnsigned), c.value)
        << std::hex << c.raw << " type " << c.type;
}

INSTANTIATE_TEST_SUITE_P(AlertsCounts, AlertsRawToValue,
    testing::Values(RawCase { 0x7FFF, 1, false, 1.0 }, RawCase { 0x8000, 1, false, -1.0 },
        RawCase { 0x4000, 1, false, 16384.0 / 32767.0 }, RawCase { 0xFFFF, 1, false, -1.0 / 32768.0 },
        // A width is unsigned: 0xFFFF is twice full scale, not a tiny negative value.
        RawCase { 0xFFFF, 1, true, 65535.0 / 32767.0 }, RawCase { 0x7FFF, 0, false, 0.1 },
        RawCase { 0x8000, 0, false, -0.1 }, RawCase { 0x7FFF, 2, false, 10.0 },
        RawCase { 0x8000, 3, false, -30.0 }, RawCase { 0x7FFF, 4, false, 20.0 },
        RawCase { 0x7FFF, 5, false, 20.0 }, RawCase { 0x00FA, 6, false, 25.0 },
        RawCase { -10, 6, false, -1.0 }, RawCase { 0xFFF6, 6, false, -1.0 },
        RawCase { 0xFFFF, 6, true, 6553.5 },
        // Type 9 is the ±30 V type.
        RawCase { 0x7FFF, 9, false, 30.0 }, RawCase { 0x8000, 9, false, -30.0 },
        // Only the low 16 bits of the carrier count.
        RawCase { 0x17FFF, 1, false, 1.0 }));

TEST(AlertsRawToValue, ZeroIsZeroForEveryType)
{
    for (AnalogRangeType type = 0; type <= 9; ++type) {
        EXPECT_EQ(rawToValue(0, type, false), 0.0) << type;
        EXPECT_EQ(rawToValue(0, type, true), 0.0) << type;
    }
}

struct ValueCase {
    double value;
    AnalogRangeType type;
    bool isUnsigned;
    uint16_t raw;
};

class AlertsValueToRaw : public testing::TestWithParam<ValueCase> { };

TEST_P(AlertsValueToRaw, RoundsHalfAwayFromZeroAndHoldsTheRange)
{
    const ValueCase& c = GetParam();
    EXPECT_EQ(valueToRaw(c.value, c.type, c.isUnsigned), c.raw) << c.value << " type " << c.type;
}

INSTANTIATE_TEST_SUITE_P(AlertsValues, AlertsValueToRaw,
    testing::Values(ValueCase { 4.0, 4, false, 6553 }, ValueCase { 20.0, 4, false, 0x7FFF },
        ValueCase { 0.05, 0, false, 16384 }, ValueCase { -0.05, 0, false, 0xC000 },
        ValueCase { 2.0, 1, true, 2 * 32767 }, ValueCase { -5.0, 4, false, 0 },
        ValueCase { -5.0, 5, false, 0 }, ValueCase { -0.0001, 1, true, 0 }, ValueCase { 0.0, 2, false, 0 },
        ValueCase { 0.0, 6, true, 0 }, ValueCase { 3276.8, 6, false, 0x7FFF },
        ValueCase { -3276.8, 6, false, 0x8000 }, ValueCase { 6553.5, 6, true, 0xFFFF },
        ValueCase { 1.0, 2, false, 3277 }, ValueCase { 2.0, 2, false, 6553 },
        ValueCase { -10.0, 2, false, 0x8000 }, ValueCase { -11.0, 2, false, 0x8000 },
        ValueCase { 15.0, 9, false, 16384 }, ValueCase { 15.0, 3, false, 16384 },
        // Far beyond the count range, and no number at all: held, never undefined.
        ValueCase { 1e300, 2, false, 0x7FFF }, ValueCase { -1e300, 2, false, 0x8000 },
        ValueCase { 1e300, 2, true, 0xFFFF },
        ValueCase { std::numeric_limits<double>::infinity(), 6, false, 0x7FFF },
        ValueCase { std::numeric_limits<double>::quiet_NaN(), 2, false, 0 }));

TEST(AlertsValueToRaw, EveryCountSurvivesTheRoundTrip)
{
    for (AnalogRangeType type = 0; type <= 6; ++type) {
        for (int raw = 0; raw <= 0xFFFF; ++raw) {
            const bool negative = raw >= 0x8000;
            if (!(negative && isCurrentRange(type))) {
                ASSERT_EQ(valueToRaw(rawToValue(raw, type, false), type, false), raw) << "type " << type;
            }
            ASSERT_EQ(valueToRaw(rawToValue(raw, type, true), type, true), raw)
                << "type " << type << " width";
        }
    }
}

TEST(AlertsValueToRawAlert, HoldsTheValueBeforeConverting)
{
    EXPECT_EQ(valueToRawAlert(10000.0, 6), 0x7FFF); // 7000 first, then the count range
    EXPECT_EQ(valueToRawAlert(-10000.0, 6), 0x8000);
    EXPECT_EQ(valueToRawAlert(700.0, 6), 7000);
    EXPECT_EQ(valueToRawAlert(-1.0, 4), 0);
    EXPECT_EQ(valueToRawAlert(5.0, 2), 16384);
    EXPECT_EQ(valueToRawAlert(std::numeric_limits<double>::quiet_NaN(), 2), 0);
}

TEST(AlertsPercent, CountsToText)
{
    const std::pair<int, const char*> cases[] = {
        { 0x7FFF, "+100.000" },
        { 0x8000, "-100.000" },
        { 0, "+0.000" },
        { 0x4000, "+50.002" },
        { 0xC000, "-50.000" },
        { -16384, "-50.000" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(rawToPercent(c.first), c.second) << c.first;
}

TEST(AlertsPercent, TextToCounts)
{
    struct Case {
        const char* text;
        bool accepted;
        int16_t raw;
    };
    const Case cases[] = {
        { "50", true, 16384 },
        { "-100", true, -32768 },
        { "100", true, 32767 },
        { "150", true, 32767 },
        { "-150", true, -32768 },
        { "-50", true, -16384 },
        { " 25%", true, 8192 },
        { "-0", true, 0 },
        { "abc", true, 0 },
        { "", true, 0 },
        { "1e999", false, 0 },
        { "-1e999", false, 0 },
        { "inf", false, 0 },
        { "nan", false, 0 },
        { "-NaN", false, 0 },
    };
    for (const auto& c : cases) {
        const auto raw = percentToRaw(c.text);
        ASSERT_EQ(raw.has_value(), c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_EQ(*raw, c.raw) << c.text;
        }
    }
}

TEST(AlertsClamp, ThresholdAndWidthLimitsPerType)
{
    struct Case {
        AnalogRangeType type;
        double thresholdMax, thresholdMin, widthMax;
    };
    const Case cases[] = {
        { 0, 0.1, -0.1, 0.2 },
        { 1, 1, -1, 2 },
        { 2, 10, -10, 20 },
        { 3, 30, -30, 60 },
        { 4, 20, 0, 20 },
        { 5, 20, 0, 20 },
        { 6, 3276.7, -3276.8, 6553.5 },
        { 9, 30, -30, 60 },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clampThreshold(1e9, c.type), c.thresholdMax) << c.type;
        EXPECT_EQ(clampThreshold(-1e9, c.type), c.thresholdMin) << c.type;
        EXPECT_EQ(clampThreshold(c.thresholdMax / 2, c.type), c.thresholdMax / 2) << c.type;
        EXPECT_EQ(clampHysteresis(1e9, c.type), c.widthMax) << c.type;
        EXPECT_EQ(clampHysteresis(-1.0, c.type), 0.0) << c.type;
        EXPECT_EQ(clampHysteresis(std::numeric_limits<double>::infinity(), c.type), c.widthMax) << c.type;
    }
}

TEST(AlertsFormat, WithAndWithoutUnit)
{
    struct Case {
        double value;
        AnalogRangeType type;
        const char* withUnit;
        const char* bare;
    };
    const Case cases[] = {
        { 0.05, 0, " 50.000 mV", "  0.050" },
        { -0.5, 1, "-0.50000 V", "-0.50000" },
        { 65530.0 / 32767.0, 2, " 1.9999 V", " 1.9999" },
        { 32770.0 / 32767.0, 2, " 1.0001 V", " 1.0001" },
        { -30.0, 3, "-30.0000 V", "-30.0000" },
        { 4.0, 4, "  4.000 mA", "  4.000" },
        { 20.0, 5, " 20.000 mA", " 20.000" },
        { 25.0, 6, "  25.00 ℃", "  25.00" },
        { 12.5, 9, "12.5000 V", "12.5000" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatValue(c.value, c.type, true), c.withUnit) << c.value;
        EXPECT_EQ(formatValue(c.value, c.type, false), c.bare) << c.value;
    }
    EXPECT_EQ(formatEntry(10.0), "10.000000");
    EXPECT_EQ(formatEntry(-0.1), "-0.100000");
}

TEST(AlertsRangeType, NamesListTextsAndUnits)
{
    struct Case {
        AnalogRangeType type;
        const char* name;
        const char* listText;
        const char* unit;
    };
    const Case cases[] = {
        { 0, "電圧[±0.1V]", "100mV", "V" },
        { 1, "電圧[±1V]", "1V", "V" },
        { 2, "電圧[±10V]", "10V", "V" },
        { 3, "電圧[±30V]", "30V", "V" },
        { 4, "電流[0-20mA]", "0-20mA(250Ω)", "mA" },
        { 5, "電流[0-20mA]", "0-20mA(50Ω)", "mA" },
        { 6, "温度[℃]", "℃", "℃" },
        // Past the seven names: the ±30 V type's, never past the table.
        { 7, "電圧[±30V]", "30V", "V" },
        { 0xFFFFFFFF, "電圧[±30V]", "30V", "V" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(analogRangeName(c.type), c.name) << c.type;
        EXPECT_EQ(analogRangeListText(c.type), c.listText) << c.type;
        EXPECT_EQ(analogEntryUnit(c.type), c.unit) << c.type;
    }
}

} // namespace
