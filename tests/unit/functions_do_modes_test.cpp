#include "core/app/scripted_user_interface.h"
#include "core/functions/do_modes_form.h"
#include "core/units/unit_record.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

const char* const kRange65 = "Keepaliveは0-65の範囲で設定してください。";
const char* const kRange1275 = "Keepaliveは0-1275の範囲で設定してください。";
const char* const kMultipleOf5 = "Keepaliveは5の倍数で設定してください。";
const char* const kOneShotRange = "ワンショット時間は1-255の範囲で設定してください。";

std::vector<std::string> fieldNames(const DialogForm& form)
{
    std::vector<std::string> names;
    for (const auto& field : form.fields())
        names.push_back(field.name);
    return names;
}

// Fields set as kovractl sets them; the first failing check's message, or "" when OK passes.
std::string checkWith(int kind, int doCount, const std::vector<std::pair<std::string, std::string>>& fields)
{
    DoModesForm form(kind, doCount, DoModeValues {});
    for (const auto& [name, text] : fields)
        EXPECT_EQ(form.setFieldText(name, text), DialogForm::SetResult::Set) << name;
    return form.check().value_or("");
}

TEST(FunctionsDoModesForm, ChecksInTheDialogsOrder)
{
    struct Case {
        const char* name;
        int kind;
        std::vector<std::pair<std::string, std::string>> fields;
        const char* failure;
    };
    const Case cases[] = {
        { "kind 5 at 1275", kKindKovra4, { { "keepalive", "1275" } }, "" },
        { "kind 5 above 1275", kKindKovra4, { { "keepalive", "1276" } }, kRange1275 },
        { "kind 5 between steps", kKindKovra4, { { "keepalive", "7" } }, kMultipleOf5 },
        { "kind 5 below 0", kKindKovra4, { { "keepalive", "-5" } }, kRange1275 },
        { "kind 7 range", kKindThirdName, { { "keepalive", "1280" } }, kRange1275 },
        { "empty reads as 0", kKindKovra4, { { "keepalive", "" } }, "" },
        { "kind 4 at 65", kKindNewerWired, { { "keepalive", "65" } }, "" },
        { "kind 4 above 65", kKindNewerWired, { { "keepalive", "66" } }, kRange65 },
        { "kind 4 takes any second", kKindNewerWired, { { "keepalive", "7" } }, "" },
        { "one-shot 0", kKindKovra4, { { "do2.mode", "one-shot" }, { "do2.time", "0" } }, kOneShotRange },
        { "one-shot empty", kKindKovra4, { { "do1.mode", "one-shot" } }, kOneShotRange },
        { "one-shot 256", kKindKovra4, { { "do3.mode", "one-shot" }, { "do3.time", "256" } }, kOneShotRange },
        { "one-shot 1 and 255", kKindKovra4,
            { { "do1.mode", "one-shot" }, { "do1.time", "1" }, { "do3.mode", "one-shot" },
                { "do3.time", "255" } },
            "" },
        // The edit holds three characters: 2550 arrives as 255.
        { "one-shot past the edit", kKindKovra4, { { "do1.mode", "one-shot" }, { "do1.time", "2550" } }, "" },
        { "a time without one-shot", kKindKovra4, { { "do1.time", "999" } }, "" },
        { "keep-alive before the rows", kKindKovra4, { { "keepalive", "3" }, { "do1.mode", "one-shot" } },
            kMultipleOf5 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkWith(c.kind, 3, c.fields), c.failure) << c.name;
}

TEST(FunctionsDoModesForm, OpensEachRowInTheModeItsValuesSay)
{
    DoModeValues values;
    values.keepAliveSeconds = 25;
    values.startOnMask = 0b1000'0101; // DO1, DO3 and DO8
    values.oneShot = { 0, 30, 40, 0, 0, 0, 0, 9 };
    const DoModesForm form(kKindKovra4, 4, values);

    struct Row {
        int mode;
        bool timeEnabled;
        const char* time;
    };
    const Row expected[] = {
        { kDoOnAtStart, false, "" },
        { kDoOneShot, true, "30" },
        { kDoOneShot, true, "40" }, // a one-shot time wins over the start-ON bit
        { kDoNormal, false, "" },
    };
    for (int row = 0; row < 4; ++row) {
        EXPECT_TRUE(form.rowEnabled(row)) << row;
        EXPECT_EQ(form.mode(row), expected[row].mode) << row;
        EXPECT_EQ(form.timeEnabled(row), expected[row].timeEnabled) << row;
        EXPECT_EQ(form.timeText(row), expected[row].time) << row;
    }
    // Rows past the DO count stay as the reset leaves them.
    for (int row = 4; row < DoModesForm::kRowCount; ++row) {
        EXPECT_FALSE(form.rowEnabled(row)) << row;
        EXPECT_EQ(form.mode(row), kDoNormal) << row;
        EXPECT_EQ(form.timeText(row), "") << row;
    }
    EXPECT_EQ(form.field("keepalive")->get(), "25");
    EXPECT_EQ(form.field("do1.mode")->get(), "on-at-start");
    EXPECT_EQ(form.field("do2.time")->get(), "30");
}

TEST(FunctionsDoModesForm, RowsAboveTheDoCountAreNeitherFieldsNorCheckedNorSent)
{
    DoModeValues values;
    values.keepAliveSeconds = 10;
    values.startOnMask = 0xFF;
    values.oneShot = { 0, 12, 0, 300, 0, 0, 0, 0 }; // DO4 would fail its check
    DoModesForm form(kKindKovra4, 2, values);

    EXPECT_EQ(fieldNames(form),
        (std::vector<std::string> { "keepalive", "do1.mode", "do1.time", "do2.mode", "do2.time" }));
    EXPECT_EQ(form.setFieldText("do3.mode", "one-shot"), DialogForm::SetResult::UnknownField);
    form.setMode(3, kDoOnAtStart);
    EXPECT_EQ(form.mode(3), kDoNormal);

    ASSERT_FALSE(form.check());
    EXPECT_EQ(form.values().keepAliveSeconds, 10);
    EXPECT_EQ(form.values().startOnMask, 0b01u);
    EXPECT_EQ(form.values().oneShot, (std::array<int, kChannelCount> { 0, 12, 0, 0, 0, 0, 0, 0 }));
}

TEST(FunctionsDoModesForm, OkTakesTheModesAsTheRowsShowThem)
{
    DoModeValues values;
    values.startOnMask = 0b0010;
    values.oneShot = { 7, 0, 0, 0, 0, 0, 0, 0 };
    DoModesForm form(kKindThirdName, 5, values);
    // DO1 leaves one-shot: its time is no longer sent. DO2 goes from start-ON to one-shot.
    ASSERT_EQ(form.setFieldText("do1.mode", "normal"), DialogForm::SetResult::Set);
    ASSERT_EQ(form.setFieldText("do2.mode", "one-shot"), DialogForm::SetResult::Set);
    ASSERT_EQ(form.setFieldText("do2.time", "15"), DialogForm::SetResult::Set);
    ASSERT_EQ(form.setFieldText("do5.mode", "on-at-start"), DialogForm::SetResult::Set);
    EXPECT_EQ(form.setFieldText("do3.mode", "on"), DialogForm::SetResult::NotAllowed);

    ScriptedUserInterface ui;
    ASSERT_TRUE(acceptDialog(form, ui));
    EXPECT_TRUE(ui.transcript().empty());
    EXPECT_EQ(form.values().startOnMask, 0b1'0000u);
    EXPECT_EQ(form.values().oneShot, (std::array<int, kChannelCount> { 0, 15, 0, 0, 0, 0, 0, 0 }));
}

TEST(FunctionsDoModesForm, ResetPutsEveryRowBackToNormalAndKeepsTheKeepAlive)
{
    DoModeValues values;
    values.keepAliveSeconds = 40;
    values.startOnMask = 0b01;
    values.oneShot = { 0, 50, 0, 0, 0, 0, 0, 0 };
    DoModesForm form(kKindKovra4, 2, values);
    EXPECT_TRUE(form.resetEnabled());
    form.reset();
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(form.mode(row), kDoNormal) << row;
        EXPECT_FALSE(form.timeEnabled(row)) << row;
        EXPECT_EQ(form.field(DoModesForm::timeFieldName(row))->get(), "") << row;
    }
    EXPECT_EQ(form.keepAliveSeconds(), 40);

    struct Count {
        int given;
        int rows;
    };
    for (const Count c : { Count { 0, 0 }, Count { -1, 0 }, Count { 8, 8 }, Count { 12, 8 } }) {
        const DoModesForm sized(kKindKovra4, c.given, DoModeValues {});
        EXPECT_EQ(sized.doCount(), c.rows) << c.given;
        EXPECT_EQ(sized.resetEnabled(), c.rows > 0) << c.given;
        EXPECT_EQ(sized.fields().size(), size_t(1 + 2 * c.rows)) << c.given;
    }
}

} // namespace
