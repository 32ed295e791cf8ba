#include "core/alerts/analog_entry.h"
#include "core/alerts/hex_count.h"
#include "core/alerts/numeric_entry_filter.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

TEST(AlertsHexCount, ReadsExactlyFourHexDigits)
{
    struct Case {
        const char* text;
        bool ok;
        int16_t raw;
    };
    const Case cases[] = {
        { "7FFF", true, 32767 },
        { "8000", true, -32768 },
        { "c000", true, -16384 },
        { "FFFF", true, -1 },
        { "0000", true, 0 },
        { "12345", true, 0x1234 }, // the fifth character belongs to the next field
        { "123", false, 0 },
        { "", false, 0 },
        { "-001", false, 0 },
        { " 123", false, 0 },
        { "0x12", false, 0 },
        { "12G4", false, 0 },
    };
    for (const auto& c : cases) {
        const auto raw = hexToRaw(c.text);
        ASSERT_EQ(raw.has_value(), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(*raw, c.raw) << c.text;
        }
    }
}

TEST(AlertsHexCount, WritesFixedWidthUpperCase)
{
    struct Case {
        int raw;
        int digits;
        const char* text;
    };
    const Case cases[] = {
        { -16384, 4, "C000" },
        { 0x7FFF, 4, "7FFF" },
        { -1, 4, "FFFF" },
        { 0, 4, "0000" },
        { 0xAB, 4, "00AB" },
        { 5, 2, "05" },
        { 0x1FF, 2, "FF" }, // never wider than its field
        { 10, 0, "A" },
        { -1, 12, "FFFFFFFF" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(rawToHex(c.raw, c.digits), c.text) << c.raw << "/" << c.digits;
}

TEST(AlertsHexCount, EverySignedCountRoundTrips)
{
    for (int raw = -32768; raw <= 32767; ++raw)
        ASSERT_EQ(hexToRaw(rawToHex(raw, 4)), int16_t(raw));
}

TEST(AlertsNumericEntryFilter, KeepsTheLeadingNumericRun)
{
    struct Case {
        const char* text;
        const char* accepted;
        bool rejected;
        double value;
    };
    const Case cases[] = {
        { "1a5", "1", true, 1.0 },
        { "12.5", "12.5", false, 12.5 },
        { "-3.25", "-3.25", false, -3.25 },
        { "", "", false, 0.0 },
        { "-", "-", false, 0.0 },
        { ".", ".", false, 0.0 },
        { "1-2", "1-2", false, 1.0 },
        { "1.2.3", "1.2.3", false, 1.2 },
        { "3e2", "3", true, 3.0 },
        { " 5", "", true, 0.0 },
        { "0x10", "0", true, 0.0 },
        { "１２", "", true, 0.0 }, // full-width digits are not digits here
        { "7,5", "7", true, 7.0 },
    };
    for (const auto& c : cases) {
        const NumericEntry entry = filterNumericEntry(c.text);
        EXPECT_EQ(entry.accepted, c.accepted) << c.text;
        EXPECT_EQ(entry.rejected, c.rejected) << c.text;
        EXPECT_EQ(entry.value, c.value) << c.text;
    }
    EXPECT_STREQ(kNonNumericEntryMessage, "数字以外は入力できません");
}

TEST(AlertsAnalogEntry, FiltersLimitsAndConverts)
{
    struct Case {
        const char* text;
        AnalogRangeType type;
        AnalogEntryLimit limit;
        bool nonNumeric;
        const char* boxText; // nullptr: the box keeps what was typed
        uint16_t raw;
    };
    const std::string manyDigits(400, '9');
    const Case cases[] = {
        { "50", 2, AnalogEntryLimit::Threshold, false, "10.000000", 0x7FFF },
        { "-50", 2, AnalogEntryLimit::Threshold, false, "-10.000000", 0x8000 },
        { "2", 2, AnalogEntryLimit::Threshold, false, nullptr, 6553 },
        { "1a5", 2, AnalogEntryLimit::Threshold, true, "1", 3277 },
        // Both at once: the run is kept, then the limit rewrites it.
        { "50x", 2, AnalogEntryLimit::Threshold, true, "10.000000", 0x7FFF },
        { "-1", 4, AnalogEntryLimit::Threshold, false, "0.000000", 0 },
        { "-", 2, AnalogEntryLimit::Threshold, false, nullptr, 0 },
        { "25", 4, AnalogEntryLimit::Hysteresis, false, "20.000000", 0x7FFF },
        { "-3", 2, AnalogEntryLimit::Hysteresis, false, "0.000000", 0 },
        { "20", 2, AnalogEntryLimit::Hysteresis, false, nullptr, 0xFFFE },
        { "6553.5", 6, AnalogEntryLimit::Hysteresis, false, nullptr, 0xFFFF },
        { "3276.8", 6, AnalogEntryLimit::Threshold, false, "3276.700000", 32767 },
        // Without a limit only the count range holds the value.
        { "50", 2, AnalogEntryLimit::None, false, nullptr, 0x7FFF },
        { manyDigits.c_str(), 2, AnalogEntryLimit::Threshold, false, "10.000000", 0x7FFF },
    };
    for (const auto& c : cases) {
        const AnalogEntryOutcome outcome = enterAnalogValue(c.text, c.type, c.limit);
        EXPECT_EQ(outcome.nonNumeric, c.nonNumeric) << c.text;
        EXPECT_EQ(outcome.replaceText, c.boxText != nullptr) << c.text;
        if (c.boxText) {
            EXPECT_EQ(outcome.text, c.boxText) << c.text;
        }
        EXPECT_EQ(outcome.raw, c.raw) << c.text;
    }
}

} // namespace
