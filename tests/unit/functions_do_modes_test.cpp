#include "core/app/scripted_user_interface.h"
#include "core/functions/do_modes_form.h"
#include "core/functions/other_settings_paths.h"
#include "core/units/unit_record.h"
#include "support/free_port.h"
#include "support/simulated_fleet.h"
#include "unit/net_fake_units.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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

// Kinds 5 and 7 open with the modes their settings report and write them in one message.
TEST(FunctionsDoModesPath, MessageUnitsWriteTheModesOfTheirDos)
{
    UnitSlot unit;
    unit.record.kind = kKindKovra4;
    unit.record.modelIndex = 1; // three DO
    unit.settings.keepInterval = 255;
    unit.settings.doMode = { 2, 1, 0, 1, 0, 0, 0, 0 };
    unit.settings.doOneShot = { 12, 30, 0, 0, 0, 0, 0, 0 };

    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> fields;
        const char* message;
    };
    const Case cases[] = {
        { "as opened", {},
            "DO1_MD\r\n2\r\nDO1_OT\r\n12\r\nDO2_MD\r\n1\r\nDO2_OT\r\n0\r\nDO3_MD\r\n0\r\nDO3_OT\r\n0\r\n"
            "KEEP_A\r\n255\r\nEND\r\n" },
        { "edited",
            { { "keepalive", "10" }, { "do1.mode", "normal" }, { "do3.mode", "one-shot" },
                { "do3.time", "99" } },
            "DO1_MD\r\n0\r\nDO1_OT\r\n0\r\nDO2_MD\r\n1\r\nDO2_OT\r\n0\r\nDO3_MD\r\n2\r\nDO3_OT\r\n99\r\n"
            "KEEP_A\r\n2\r\nEND\r\n" },
    };
    for (const auto& c : cases) {
        auto path = makeDoModesPath(unit);
        ASSERT_EQ(path->load(), 0) << c.name << ": nothing to read";
        for (const auto& [name, text] : c.fields)
            ASSERT_EQ(path->form().setFieldText(name, text), DialogForm::SetResult::Set) << name;
        ScriptedUserInterface ui;
        ASSERT_TRUE(acceptDialog(path->form(), ui)) << c.name;
        const WritePlan plan = path->plan();
        ASSERT_EQ(plan.size(), 1u) << c.name;
        ASSERT_TRUE(std::holds_alternative<MessageStep>(plan[0])) << c.name;
        EXPECT_EQ(std::get<MessageStep>(plan[0]).text, c.message) << c.name;

        UnitSlot after = unit;
        path->store(after);
        const DoModesForm reopened(kKindKovra4, 3, doModeValues(after.settings));
        EXPECT_EQ(reopened.timeText(2), c.fields.empty() ? "" : "99") << c.name;
        EXPECT_EQ(reopened.keepAliveSeconds(), c.fields.empty() ? 1275 : 10) << c.name;
    }
}

// Kind-4 units keep the modes in registers: keep-alive 40h, start-ON mask 44h, one-shot
// times from 60h.
class FunctionsDoModesRegisters : public ::testing::Test {
protected:
    std::string start(int model, const nlohmann::json& registers)
    {
        m_address = ipv4ToText(test::nextLoopbackAddress());
        m_model = model;
        const nlohmann::json unit = { { "address", m_address }, { "kind", kKindNewerWired },
            { "model", model }, { "registers", registers } };
        const nlohmann::json fleet = { { "discoveryPort", test_support::freeTcpPort() },
            { "units", nlohmann::json::array({ unit }) } };
        return m_fleet.start(fleet.dump().c_str());
    }

    UnitSlot unit() const
    {
        UnitSlot slot;
        slot.record.kind = kKindNewerWired;
        slot.record.modelIndex = m_model;
        slot.record.ipText = m_address;
        slot.record.setUnitPort(10001);
        return slot;
    }

    test_support::SimulatedFleet m_fleet;
    std::string m_address;
    int m_model = 0;
};

TEST_F(FunctionsDoModesRegisters, ReadsTheRegistersAndWritesThemBack)
{
    // Model 17: four DO. DO1 and DO3 start ON, DO2 is a 2.5 s one-shot; 64h lies past the DOs.
    ASSERT_EQ(start(17, { { "40", 30 }, { "44", 5 }, { "61", 25 }, { "64", 77 } }), "");
    auto path = makeDoModesPath(unit());
    ASSERT_EQ(path->load(), 0);
    const auto& form = dynamic_cast<const DoModesForm&>(path->form());
    EXPECT_EQ(form.keepAliveSeconds(), 30);
    EXPECT_EQ(form.mode(0), kDoOnAtStart);
    EXPECT_EQ(form.mode(1), kDoOneShot);
    EXPECT_EQ(form.timeText(1), "25");
    EXPECT_EQ(form.mode(2), kDoOnAtStart);
    EXPECT_EQ(form.mode(3), kDoNormal);

    for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>> { { "keepalive", "65" },
             { "do1.mode", "normal" }, { "do4.mode", "one-shot" }, { "do4.time", "200" } })
        ASSERT_EQ(path->form().setFieldText(name, text), DialogForm::SetResult::Set) << name;
    ScriptedUserInterface ui;
    ASSERT_TRUE(acceptDialog(path->form(), ui));
    const WritePlan plan = path->plan();
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(describeWritePlan(plan),
        describeWritePlan({ AccessorStep { Accessor::C, 65 }, AccessorStep { Accessor::E, 4 },
            MemoryStep { 0x60, { 0, 25, 0, 200 } } }));
    ASSERT_EQ(runWritePlan(plan, unit().record), 0);

    auto again = makeDoModesPath(unit());
    ASSERT_EQ(again->load(), 0);
    const auto& reread = dynamic_cast<const DoModesForm&>(again->form());
    EXPECT_EQ(reread.keepAliveSeconds(), 65);
    EXPECT_EQ(reread.mode(0), kDoNormal);
    EXPECT_EQ(reread.mode(2), kDoOnAtStart);
    EXPECT_EQ(reread.timeText(3), "200");
    const auto requests = m_fleet.requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back()["hex"], "4D 52 30 36 30 34 C8") << "MR0604: the four DOs' times only";
}

TEST_F(FunctionsDoModesRegisters, AModelWithoutDosHasNoOneShotTimes)
{
    ASSERT_EQ(start(21, { { "40", 12 } }), "");
    auto path = makeDoModesPath(unit());
    ASSERT_EQ(path->load(), 0);
    EXPECT_EQ(path->form().fields().size(), 1u);
    ScriptedUserInterface ui;
    ASSERT_TRUE(acceptDialog(path->form(), ui));
    EXPECT_EQ(describeWritePlan(path->plan()),
        describeWritePlan({ AccessorStep { Accessor::C, 12 }, AccessorStep { Accessor::E, 0 } }));
    for (const auto& request : m_fleet.requests())
        EXPECT_EQ(request["hex"].get<std::string>().rfind("4D 52 30 36", 0), std::string::npos)
            << request["hex"];
}

} // namespace
