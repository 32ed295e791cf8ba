#include "core/app/scripted_user_interface.h"
#include "core/functions/udp_keep_alive_form.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

const char* const kValueError = "設定値エラー";
const char* const kUdpQuestion
    = "?UDP通信モードに変更すると、弊社ツールが動作しない等、挙動が大きく変わります。\n切り替えますか？";

UnitSettings kind6Settings(int sockMode)
{
    UnitSettings settings;
    settings.sockMode = sockMode;
    settings.keepIdle = 60;
    settings.keepInterval = 10;
    settings.keepCount = 5;
    return settings;
}

TEST(FunctionsUdpKeepAliveForm, KeepAliveValuesMustBe1To65535)
{
    struct Case {
        const char* field;
        const char* text;
        bool passes;
    };
    const Case cases[] = {
        { kKeepIdleField, "", false }, { kKeepIdleField, "0", false }, { kKeepIdleField, "1", true },
        { kKeepIntervalField, "65535", true }, { kKeepIntervalField, "65536", false },
        { kKeepCountField, "-1", false }, { kKeepCountField, "abc", false }, // reads as 0
        { kKeepCountField, "12abc", true }, // the number at the start
    };
    for (const auto& c : cases) {
        UdpKeepAliveForm form(kind6Settings(0));
        ASSERT_EQ(form.setFieldText(c.field, c.text), DialogForm::SetResult::Set);
        EXPECT_EQ(form.check().value_or(""), c.passes ? "" : kValueError) << c.field << "=" << c.text;
    }
}

TEST(FunctionsUdpKeepAliveForm, OnlyTurningUdpModeOnAsksOncePerOk)
{
    struct Case {
        const char* name;
        int storedSockMode;
        bool checked;
        std::vector<bool> answers; // one per OK, until the dialog closes
        std::vector<std::string> transcript;
        bool closes;
        bool udpModeAfter;
    };
    const Case cases[] = {
        { "turned on, Yes", 0, true, { true }, { kUdpQuestion }, true, true },
        // No clears the check; the next OK finds it off and closes without asking.
        { "turned on, No", 0, true, { false, true }, { kUdpQuestion }, true, false },
        { "left off", 0, false, { true }, {}, true, false },
        { "already on", 1, true, { true }, {}, true, true },
        { "turned off", 1, false, { true }, {}, true, false },
    };
    for (const auto& c : cases) {
        UdpKeepAliveForm form(kind6Settings(c.storedSockMode));
        form.setUdpMode(c.checked);
        ScriptedUserInterface ui;
        bool closed = false;
        for (const bool answer : c.answers) {
            ui.queueAnswer(answer);
            if ((closed = acceptDialog(form, ui)))
                break;
        }
        EXPECT_EQ(closed, c.closes) << c.name;
        EXPECT_EQ(ui.transcript(), c.transcript) << c.name;
        EXPECT_EQ(form.udpMode(), c.udpModeAfter) << c.name;
    }
}

TEST(FunctionsUdpKeepAliveForm, AQuestionComesOnlyAfterTheChecksPass)
{
    UdpKeepAliveForm form(kind6Settings(0));
    form.setUdpMode(true);
    form.setFieldText(kKeepCountField, "0");
    ScriptedUserInterface ui(true);
    EXPECT_FALSE(acceptDialog(form, ui));
    EXPECT_EQ(ui.transcript(), std::vector<std::string> { kValueError });
    EXPECT_TRUE(form.udpMode());
}

TEST(FunctionsUdpKeepAliveForm, FieldsAreTheDialogsControls)
{
    UdpKeepAliveForm form(kind6Settings(1));
    form.setSpsIndex(4);
    std::vector<std::string> names;
    for (const auto& field : form.fields())
        names.push_back(field.name);
    EXPECT_EQ(
        names, (std::vector<std::string> { "keep-idle", "keep-interval", "keep-count", "udp-mode", "sps" }));
    EXPECT_EQ(form.field("keep-idle")->get(), "60");
    EXPECT_EQ(form.field("udp-mode")->get(), "on");
    EXPECT_EQ(form.field("sps")->get(), "400sps");

    struct Case {
        const char* field;
        const char* text;
        DialogForm::SetResult result;
    };
    const Case cases[] = {
        { "sps", "16.6sps", DialogForm::SetResult::Set },
        { "sps", "14400sps", DialogForm::SetResult::Set },
        { "sps", "20sps", DialogForm::SetResult::NotAllowed },
        { "sps", "5", DialogForm::SetResult::NotAllowed },
        { "udp-mode", "yes", DialogForm::SetResult::NotAllowed },
        { "udp-mode", "off", DialogForm::SetResult::Set },
        { "channel", "1", DialogForm::SetResult::UnknownField },
    };
    for (const auto& c : cases)
        EXPECT_EQ(form.setFieldText(c.field, c.text), c.result) << c.field << "=" << c.text;
    EXPECT_EQ(form.spsIndex(), 7);
    EXPECT_FALSE(form.udpMode());

    // A mode value the list does not have shows no row and stays as the unit had it.
    form.setSpsIndex(9);
    EXPECT_EQ(form.field("sps")->get(), "");
    EXPECT_EQ(form.spsIndex(), 9);
}

} // namespace
