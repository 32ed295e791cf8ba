#include "core/units/model_table.h"
#include "core/units/unit_row_text.h"
#include "support/comma_locale.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

// --- The two tables, spot-checked where a shifted row or column would show. ---

struct NamesCase {
    int modelId;
    const char* first;
    const char* wifi;
    const char* third;
};

class ModelNamesTable : public testing::TestWithParam<NamesCase> { };

TEST_P(ModelNamesTable, RowHoldsItsThreeNames)
{
    const auto& c = GetParam();
    const ModelNames& names = modelNames(c.modelId);
    EXPECT_STREQ(names.first, c.first);
    EXPECT_STREQ(names.wifi, c.wifi);
    EXPECT_STREQ(names.third, c.third);
}

INSTANTIATE_TEST_SUITE_P(Rows, ModelNamesTable,
    testing::Values(NamesCase { 0, "QM-110", "QM-110W", "QM-N110" },
        NamesCase { 6, "QM-170", "QM-170W", "QM-N170" }, NamesCase { 7, "", "", "" },
        NamesCase { 8, "QM-210", "**", "" }, NamesCase { 10, "QM-210 V2", "**", "" },
        NamesCase { 12, "QM-240", "**", "" }, NamesCase { 16, "", "", "" },
        NamesCase { 17, "QM-310", "**", "" }, NamesCase { 18, "", "", "" },
        NamesCase { 19, "QM-320", "**", "" }, NamesCase { 22, "QM-350", "**", "" },
        NamesCase { 24, "", "", "" }, NamesCase { 25, "QM-N410", "**", "" },
        NamesCase { 27, "", "", "QM-N430" }, NamesCase { 31, "", "", "" }, NamesCase { 32, "QX-01", "", "" },
        NamesCase { 33, "", "", "" }, NamesCase { -1, "", "", "" }));

struct CapabilityCase {
    int modelId;
    ModelCapabilities row;
};

class ModelCapabilityTable : public testing::TestWithParam<CapabilityCase> { };

TEST_P(ModelCapabilityTable, RowHoldsItsThirteenValues)
{
    EXPECT_EQ(modelCapabilities(GetParam().modelId), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(Rows, ModelCapabilityTable,
    testing::Values(CapabilityCase { 0, { 2, 3, 0, 0, 2, 1, 1, 1, 1, 1, 1, 1, 0 } },
        CapabilityCase { 1, { 3, 2, 0, 0, 2, 2, 2, 2, 2, 2, 2, 1, 0 } },
        CapabilityCase { 3, { 5, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0 } },
        CapabilityCase { 7, { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 } },
        CapabilityCase { 9, { 0, 3, 2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0 } },
        CapabilityCase { 12, { 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 1, 1, 0 } },
        CapabilityCase { 17, { 4, 4, 0, 0, 3, 3, 3, 3, 3, 3, 3, 3, 0 } },
        CapabilityCase { 18, { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 } },
        CapabilityCase { 21, { 0, 8, 0, 0, 0, 3, 3, 3, 3, 3, 3, 3, 0 } },
        CapabilityCase { 27, { 5, 3, 0, 0, 1, 2, 2, 2, 2, 2, 1, 1, 0 } },
        CapabilityCase { 32, { 0, 2, 0, 3, 0, 0, 0, 0, 0, 0, 4, 1, 0 } },
        CapabilityCase { 40, { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 } },
        CapabilityCase { -1, { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 } }));

TEST(ModelCapabilityTable, LastColumnIsZeroAndMailKindsStayInRange)
{
    for (int id = 0; id < kModelCount; ++id) {
        const auto& row = modelCapabilities(id);
        EXPECT_EQ(row[12], 0) << "model " << id;
        EXPECT_LE(row[kCapMailAlertKind], 4) << "model " << id;
        // A row with any channel has a name in one of its columns, and the other way round.
        const ModelNames& names = modelNames(id);
        const bool named = names.first[0] || names.third[0];
        EXPECT_EQ(named, row[kCapDoCount] + row[kCapDiCount] + row[kCapAoCount] + row[kCapAiCount] > 0) << id;
    }
    EXPECT_EQ(modelDiCount(21), 8);
    EXPECT_EQ(modelDoCount(19), 8);
}

// --- Normalisation and the device list's model text. ---

struct RowTextCase {
    const char* name;
    int modelIndex;
    int kind;
    const char* typePair;
    int sketchVersion;
    bool showVersions;
    int expectedModel;
    int expectedKind;
    const char* expectedText;
};

class UnitRowText : public testing::TestWithParam<RowTextCase> { };

// The unit of a case, normalised.
UnitRecord normalisedUnit(const RowTextCase& c)
{
    UnitRecord unit;
    unit.modelIndex = c.modelIndex;
    unit.kind = c.kind;
    unit.answerInfo[2] = uint8_t(c.typePair[0]);
    unit.answerInfo[3] = uint8_t(c.typePair[1]);
    normalizeModel(unit);
    return unit;
}

UnitSettings settingsOf(const RowTextCase& c)
{
    UnitSettings settings;
    settings.sketchVersion = c.sketchVersion;
    return settings;
}

TEST_P(UnitRowText, NormalisesThenNamesTheModel)
{
    const auto& c = GetParam();
    const UnitRecord unit = normalisedUnit(c);
    EXPECT_EQ(unit.modelIndex, c.expectedModel);
    EXPECT_EQ(unit.kind, c.expectedKind);
    EXPECT_EQ(modelText(unit, settingsOf(c), c.showVersions), c.expectedText);
}

// The version keeps its point under a locale with a decimal comma (the text also names files).
TEST_P(UnitRowText, SameTextUnderACommaLocale)
{
    const auto& c = GetParam();
    testsupport::CommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << "no locale with a decimal comma (scripts/setup generates de_DE.UTF-8)";
    EXPECT_EQ(modelText(normalisedUnit(c), settingsOf(c), c.showVersions), c.expectedText);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnitRowText,
    testing::Values(
        // Unknown model: the type pair, or the family names of kinds 3, 5 and 6.
        RowTextCase { "UnknownWired", -1, kKindWired, "X1", 105, true, -1, kKindWired, "X1" },
        RowTextCase { "UnknownWifi", -1, kKindWifi, "_L", 105, false, -1, kKindWifi, "WiFi" },
        RowTextCase { "UnknownWifiVersion", -1, kKindWifi, "_L", 105, true, -1, kKindWifi, "WiFi 1.05" },
        RowTextCase { "UnknownKovra4", -1, kKindKovra4, "_W", 98, false, -1, kKindKovra4, "KOVRA4" },
        RowTextCase { "UnknownKovra4Version", -1, kKindKovra4, "_W", 98, true, -1, kKindKovra4, "K4 0.98" },
        RowTextCase { "UnknownQx", -1, kKindQx, "_T", 120, false, -1, kKindQx, "QX" },
        RowTextCase { "UnknownQxVersion", -1, kKindQx, "_T", 120, true, -1, kKindQx, "K4 1.20" },
        RowTextCase { "UnknownThirdName", -1, kKindThirdName, "_B", 120, true, -1, kKindThirdName, "_B" },
        // Known models.
        RowTextCase { "Above32IsRow0", 40, kKindWired, "X1", 0, true, 0, kKindWired, "QM-110" },
        RowTextCase { "GcFirmware", 2, kKindWiredGc, "X6", 0, true, 2, kKindWiredGc, "QM-130(G)" },
        RowTextCase { "WifiName", 1, kKindWifi, "_L", 0, false, 1, kKindWifi, "QM-120W" },
        RowTextCase { "WifiNameVersion", 1, kKindWifi, "_L", 131, true, 1, kKindWifi, "QM-120W (Ver.1.31)" },
        RowTextCase {
            "ThirdNameVersion", 4, kKindThirdName, "_B", 7, true, 4, kKindThirdName, "QM-N150 (Ver.0.07)" },
        RowTextCase { "ThirdNameNoVersion", 4, kKindThirdName, "_B", 7, false, 4, kKindThirdName, "QM-N150" },
        RowTextCase { "Model20IsKind4", 20, kKindWired, "X2", 110, true, 20, kKindNewerWired, "QM-330" },
        RowTextCase { "Model30IsKind5", 30, kKindWired, "X2", 110, true, 30, kKindKovra4, "X2" },
        RowTextCase {
            "Model25Version", 25, kKindWired, "X2", 110, true, 25, kKindKovra4, "QM-N410 (Ver.1.10)" },
        RowTextCase { "Model25NoVersion", 25, kKindWired, "X2", 110, false, 25, kKindKovra4, "QM-N410" },
        RowTextCase {
            "TwoDigitVersion", 25, kKindKovra4, "_W", 1234, true, 25, kKindKovra4, "QM-N410 (Ver.12.34)" },
        RowTextCase { "NegativeVersion", -1, kKindQx, "_T", -5, true, -1, kKindQx, "K4 -0.05" },
        RowTextCase { "Model32", 32, kKindWifi, "_L", 100, true, 32, kKindKovra4, "QX-01 (Ver.1.00)" },
        RowTextCase { "Model16KeepsKind", 16, kKindQx, "_T", 0, false, 16, kKindQx, "_T" },
        RowTextCase { "Model17", 17, kKindWifi, "_L", 0, false, 17, kKindNewerWired, "QM-310" },
        RowTextCase { "EmptyFirstNameShowsPair", 27, kKindThirdName, "_B", 100, true, 27, kKindKovra4, "_B" },
        RowTextCase { "EmptyRow", 13, kKindWired, "X9", 0, false, 13, kKindWired, "X9" }),
    [](const testing::TestParamInfo<RowTextCase>& info) { return std::string(info.param.name); });

} // namespace
