// Which dialog each function button opens, and which units it refuses with which message.
#include "core/app/setting_command_choice.h"
#include "core/app/setting_command_texts.h"
#include "core/app/system_texts.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

struct Unit {
    int kind;
    int model;
    int sketch = 0;
    int sock = 0;
    int mode = 0;
};

UnitSlot slotOf(const Unit& u)
{
    UnitSlot slot;
    slot.record.kind = u.kind;
    slot.record.modelIndex = u.model;
    slot.record.sameSubnet = true;
    slot.settings.sketchVersion = u.sketch;
    slot.settings.sockMode = u.sock;
    slot.settings.unitMode = u.mode;
    return slot;
}

struct RefusalCase {
    const char* name;
    Unit unit;
    const char* refusal; // "" when the command goes on to its dialog
};

std::ostream& operator<<(std::ostream& out, const RefusalCase& c)
{
    return out << c.name;
}

class MailAlertRefusal : public ::testing::TestWithParam<RefusalCase> { };

TEST_P(MailAlertRefusal, MatchesTheUnit)
{
    EXPECT_EQ(mailAlertRefusal(slotOf(GetParam().unit)), GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(Units, MailAlertRefusal,
    ::testing::Values(RefusalCase { "wifi_module", { kKindWifiModule, 2 }, texts::kCannotSetThisDevice },
        RefusalCase { "model_unknown", { kKindWired, -1 }, texts::kCommunicationError },
        RefusalCase { "kind3_single_account", { kKindWifi, 1, 127 }, "" },
        RefusalCase { "kind7_without_di", { kKindThirdName, 3, 100 }, texts::kNoMailAlert },
        RefusalCase { "kind5_modbus_from_103", { kKindKovra4, 25, 103, 3 }, texts::kNoMailAlertModbus },
        // Below 1.03 the Modbus check does not apply: the clear per-entry form follows.
        RefusalCase { "kind5_modbus_102_goes_on", { kKindKovra4, 26, 102, 3 }, "" },
        RefusalCase { "kind7_modbus", { kKindThirdName, 0, 100, 3 }, texts::kNoMailAlertModbus },
        RefusalCase { "kind7_rotary_f", { kKindThirdName, 0, 100, 0, 1 }, texts::kNoMailAlertRotaryF },
        RefusalCase { "kind5_tmode", { kKindKovra4, 25, 104, 0, 1 }, texts::kNoMailAlertTmode },
        RefusalCase { "kind5_per_entry", { kKindKovra4, 25, 104 }, "" },
        RefusalCase { "kind0_no_mail_kind", { kKindWired, 3 }, texts::kNoMailAlert },
        RefusalCase { "kind0_classic", { kKindWired, 0 }, "" },
        RefusalCase { "kind4_classic", { kKindNewerWired, 17 }, "" }),
    [](const auto& info) { return std::string(info.param.name); });

class InputExtensionRefusal : public ::testing::TestWithParam<RefusalCase> { };

TEST_P(InputExtensionRefusal, MatchesTheUnit)
{
    EXPECT_EQ(inputExtensionRefusal(slotOf(GetParam().unit)), GetParam().refusal);
}

TEST(MailAlertChoice, Kinds5And7GetThePerInputEntries)
{
    for (const Unit& unit : { Unit { kKindKovra4, 25, 104 }, Unit { kKindThirdName, 0, 100 } }) {
        const SettingChoice choice = chooseSettingPath(SettingCommand::MailAlert, slotOf(unit), false);
        ASSERT_NE(choice.path, nullptr) << unit.kind;
        EXPECT_EQ(choice.path->form().dialogName(), "EntryMailDialog");
    }
}

TEST(MailAlertChoice, QxUnitsGetTheTwoOrFiveChannelDialogAndBinaryUnitsTheClassicOne)
{
    struct Case {
        Unit unit;
        const char* dialog;
    };
    for (const Case& c :
        { Case { { kKindQx, 0 }, "TwoChannelMailDialog" }, Case { { kKindQx, 6 }, "TwoChannelMailDialog" },
            Case { { kKindQx, 10 }, "FiveChannelMailDialog" },
            Case { { kKindQx, 12 }, "FiveChannelMailDialog" },
            Case { { kKindWired, 10 }, "ClassicMailDialog" },
            Case { { kKindKovra4, 32, 104 }, "EntryMailDialog" } }) {
        const SettingChoice choice = chooseSettingPath(SettingCommand::MailAlert, slotOf(c.unit), false);
        ASSERT_NE(choice.path, nullptr) << c.unit.kind << "/" << c.unit.model;
        EXPECT_EQ(choice.path->form().dialogName(), c.dialog);
    }
}

TEST(InputExtensionChoice, Kinds5And7GetTheFourConnections)
{
    for (const Unit& unit : { Unit { kKindKovra4, 25, 104 }, Unit { kKindThirdName, 0, 100 } }) {
        const SettingChoice choice = chooseSettingPath(SettingCommand::InputExtension, slotOf(unit), false);
        ASSERT_NE(choice.path, nullptr) << unit.kind;
        EXPECT_EQ(choice.path->form().templateId(), 145);
    }
}

TEST(InputExtensionChoice, Kinds3And6GetConnectionOneWithTheMaskUnderWifiMask)
{
    struct Case {
        Unit unit;
        bool wifiMask;
        bool individual;
    };
    for (const Case& c :
        { Case { { kKindWifi, 5, 119 }, true, true }, Case { { kKindWifi, 5, 119 }, false, false },
            Case { { kKindWifi, 1, 127 }, true, false }, Case { { kKindQx, 6, 0 }, true, false } }) {
        const SettingChoice choice
            = chooseSettingPath(SettingCommand::InputExtension, slotOf(c.unit), c.wifiMask);
        ASSERT_NE(choice.path, nullptr) << c.unit.kind;
        EXPECT_EQ(choice.path->form().templateId(), 131);
        EXPECT_EQ(choice.path->form().field("individual") != nullptr, c.individual) << c.unit.model;
    }
}

INSTANTIATE_TEST_SUITE_P(Units, InputExtensionRefusal,
    ::testing::Values(RefusalCase { "kind0_model0", { kKindWired, 0 }, "" },
        RefusalCase { "kind4_kind3_extension", { kKindNewerWired, 17 }, "" },
        RefusalCase { "kind5_connections", { kKindKovra4, 25, 104 }, "" },
        // Models without a row in the capability table have no extension kind.
        RefusalCase { "kind0_model7", { kKindWired, 7 }, texts::kNoInputExtension },
        RefusalCase { "kind4_model18", { kKindNewerWired, 18 }, texts::kNoInputExtension },
        RefusalCase { "kind1_model7_exempt", { kKindWiredGc, 7 }, "" }),
    [](const auto& info) { return std::string(info.param.name); });

struct OtherCase {
    const char* name;
    Unit unit;
    const char* refusal;
    int templateId; // of the dialog opened, 0 with a refusal
};

std::ostream& operator<<(std::ostream& out, const OtherCase& c)
{
    return out << c.name;
}

void expectChoice(SettingCommand command, const OtherCase& c)
{
    const SettingChoice choice = chooseSettingPath(command, slotOf(c.unit), false);
    EXPECT_EQ(choice.refusal, c.refusal);
    if (c.templateId == 0) {
        EXPECT_EQ(choice.path, nullptr);
        return;
    }
    ASSERT_NE(choice.path, nullptr);
    EXPECT_EQ(choice.path->form().templateId(), c.templateId);
}

class OtherSettingsChoice : public ::testing::TestWithParam<OtherCase> { };

TEST_P(OtherSettingsChoice, OpensTheUnitsDialog)
{
    expectChoice(SettingCommand::OtherSettings, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Units, OtherSettingsChoice,
    ::testing::Values(OtherCase { "kind6_udp_keep_alive", { kKindQx, 6 }, "", 147 },
        OtherCase { "model8_analog", { kKindWired, 8 }, "", 132 },
        OtherCase { "model10_thermo", { kKindWired, 10 }, "", 136 },
        OtherCase { "model12_thermo", { kKindWired, 12 }, "", 136 },
        // Analog inputs come before the kind: model 32 is a kind 5 unit.
        OtherCase { "model32_thermo", { kKindKovra4, 32, 104 }, "", 136 },
        OtherCase { "kind4_do_modes", { kKindNewerWired, 17 }, "", 143 },
        OtherCase { "kind5_do_modes", { kKindKovra4, 25, 104 }, "", 143 },
        OtherCase { "kind7_do_modes", { kKindThirdName, 0, 100 }, "", 143 },
        OtherCase { "kind3_120_wifi", { kKindWifi, 1, 120 }, "", 141 },
        OtherCase { "kind3_111_wifi", { kKindWifi, 1, 111 }, "", 141 },
        OtherCase { "kind3_99_wifi", { kKindWifi, 1, 99 }, "", 141 },
        OtherCase { "kind3_110_none", { kKindWifi, 1, 110 }, texts::kNoOtherFunctions, 0 },
        OtherCase { "kind3_105_none", { kKindWifi, 4, 105 }, texts::kNoOtherFunctions, 0 },
        OtherCase { "model9_analog_outputs", { kKindWired, 9 }, "", 132 },
        OtherCase { "model11_analog_outputs", { kKindWired, 11 }, "", 132 },
        OtherCase { "kind0_keep_alive", { kKindWired, 3 }, "", 140 },
        OtherCase { "kind1_keep_alive", { kKindWiredGc, 2 }, "", 140 },
        OtherCase { "kind2_keep_alive", { kKindWifiModule, 2 }, "", 140 }),
    [](const auto& info) { return std::string(info.param.name); });

class MailAlertChoice : public ::testing::TestWithParam<OtherCase> { };

TEST_P(MailAlertChoice, OpensTheUnitsVariant)
{
    expectChoice(SettingCommand::MailAlert, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Units, MailAlertChoice,
    ::testing::Values(OtherCase { "kind3_single", { kKindWifi, 1, 127 }, "", 152 },
        OtherCase { "kind5_entries", { kKindKovra4, 25, 104 }, "", 151 },
        // The binary kinds by the model's mail-alert kind: the classic dialog, or none.
        OtherCase { "kind0_model0_classic", { kKindWired, 0 }, "", 155 },
        OtherCase { "kind0_model8_classic", { kKindWired, 8 }, "", 155 },
        OtherCase { "kind1_model2_classic", { kKindWiredGc, 2 }, "", 155 },
        OtherCase { "kind4_model21_classic", { kKindNewerWired, 21 }, "", 155 },
        OtherCase { "kind0_model3_none", { kKindWired, 3 }, texts::kNoMailAlert, 0 },
        OtherCase { "kind4_model19_none", { kKindNewerWired, 19 }, texts::kNoMailAlert, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
