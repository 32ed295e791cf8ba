// kovractl's setting dialogs: a form filled from FIELD=VALUE words through its named fields,
// or printed, with OK's checks and questions answered on the command line.
#include "cli/cli_user_interface.h"
#include "cli/dialog_words.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

using namespace kovra;
using cli::CliUserInterface;
using DialogResult = CliUserInterface::DialogResult;

namespace {

constexpr char kValueError[] = "設定値エラー";
constexpr char kSwitchQuestion[] = "切り替えますか？";

// A small mail-like dialog with one field of every kind, a range check and a question
// asked only when the mode changes.
class TestMailForm : public DialogForm {
public:
    TestMailForm()
    {
        addTextField("server", m_server);
        addNumberField("port", m_port);
        addChoiceField("mode", { { "none", 0 }, { "on-lo", 1 }, { "on-hi", 2 } }, m_mode);
        addCheckField("auth", m_auth);
        addTextField("password", m_password, FormField::Kind::Secret);
    }

    int templateId() const override { return 900; }
    std::string dialogName() const override { return "TestMailDialog"; }

    std::optional<std::string> check() override
    {
        if (m_port < 1 || m_port > 65535)
            return std::string(kValueError);
        return std::nullopt;
    }

    bool confirm(UserInterface& ui) override
    {
        if (m_mode == m_loadedMode || ui.askYesNo(kSwitchQuestion))
            return true;
        m_mode = m_loadedMode;
        return false;
    }

    std::string m_server = "mx.example.jp";
    int m_port = 25;
    int m_mode = 0;
    int m_loadedMode = 0;
    bool m_auth = false;
    std::string m_password = "Kv4!pass";
};

struct Terminal {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
};

CliUserInterface::DialogWords words(
    std::vector<std::string> assignments, bool showSecrets = false, bool json = false)
{
    return { std::move(assignments), showSecrets, json, std::nullopt };
}

} // namespace

TEST(CliDialogPrint, TextLinesInTheDialogsOrderWithTheSecretMasked)
{
    Terminal t;
    CliUserInterface ui(t.in, t.out, t.err, false, false);
    ui.fillDialogs(words({}));
    TestMailForm form;
    EXPECT_FALSE(ui.openDialog(form));
    EXPECT_EQ(ui.dialogResult(), DialogResult::Printed);
    EXPECT_EQ(t.out.str(), "server: mx.example.jp\nport: 25\nmode: none\nauth: off\npassword: *\n");
    EXPECT_EQ(t.err.str(), "");
}

TEST(CliDialogPrint, JsonObjectWithTheSecretShownOnRequest)
{
    Terminal t;
    CliUserInterface ui(t.in, t.out, t.err, false, false);
    ui.fillDialogs(words({}, true, true));
    TestMailForm form;
    form.m_mode = 2;
    EXPECT_FALSE(ui.openDialog(form));
    const auto printed = nlohmann::ordered_json::parse(t.out.str());
    EXPECT_EQ(printed, nlohmann::ordered_json::parse(R"({ "dialog": "TestMailDialog", "fields": {
        "server": "mx.example.jp", "port": "25", "mode": "on-hi", "auth": "off", "password": "Kv4!pass" } })"));
    // The fields keep the dialog's order.
    EXPECT_EQ(printed["fields"].begin().key(), "server");
    EXPECT_EQ(printed["fields"].back(), "Kv4!pass");
}

TEST(CliDialogPrint, EmptySecretStaysEmpty)
{
    TestMailForm form;
    form.m_password.clear();
    EXPECT_NE(cli::dialogValuesText(form, false, false).find("password: \n"), std::string::npos);
}

TEST(CliDialogPrint, DialogsOfCommandsWithoutWordsAreCancelledSilently)
{
    Terminal t;
    CliUserInterface ui(t.in, t.out, t.err, true, false);
    TestMailForm form;
    EXPECT_FALSE(ui.openDialog(form));
    EXPECT_EQ(ui.dialogResult(), DialogResult::NotOpened);
    EXPECT_EQ(t.out.str() + t.err.str(), "");
}

namespace {

struct FillCase {
    const char* name;
    std::vector<std::string> assignments;
    bool yes; // --yes
    const char* terminal; // answers typed on the terminal; nullptr: no terminal
    DialogResult result;
    const char* err; // the whole error stream
    // The form afterwards.
    const char* server;
    int port;
    int mode;
    bool auth;
};

class CliDialogFill : public testing::TestWithParam<FillCase> { };

} // namespace

TEST_P(CliDialogFill, AppliesWordsInOrderThenChecksAndAsks)
{
    const FillCase& c = GetParam();
    Terminal t;
    t.in.str(c.terminal ? c.terminal : "");
    CliUserInterface ui(t.in, t.out, t.err, c.yes, c.terminal != nullptr);
    ui.fillDialogs(words(c.assignments));
    TestMailForm form;
    EXPECT_EQ(ui.openDialog(form), c.result == DialogResult::Accepted);
    EXPECT_EQ(ui.dialogResult(), c.result);
    EXPECT_EQ(t.err.str(), c.err);
    EXPECT_EQ(t.out.str(), "");
    EXPECT_EQ(form.m_server, c.server);
    EXPECT_EQ(form.m_port, c.port);
    EXPECT_EQ(form.m_mode, c.mode);
    EXPECT_EQ(form.m_auth, c.auth);
}

INSTANTIATE_TEST_SUITE_P(Cases, CliDialogFill,
    testing::Values(
        FillCase { "EveryKind", { "server=smtp.example.jp", "port=587", "auth=on", "password=n3w" }, false,
            nullptr, DialogResult::Accepted, "", "smtp.example.jp", 587, 0, true },
        FillCase { "SplitAtTheFirstEquals", { "server=a=b" }, false, nullptr, DialogResult::Accepted, "",
            "a=b", 25, 0, false },
        FillCase { "LaterWordWins", { "port=0", "port=2525" }, false, nullptr, DialogResult::Accepted, "",
            "mx.example.jp", 2525, 0, false },
        FillCase { "UnknownFieldListsTheFields", { "port=587", "colour=red" }, true, nullptr,
            DialogResult::UsageError,
            "kovractl: TestMailDialog has no field \"colour\"; its fields: server, port, mode, auth, "
            "password\n",
            "mx.example.jp", 587, 0, false },
        FillCase { "ChoiceOutsideItsList", { "mode=sometimes" }, true, nullptr, DialogResult::UsageError,
            "kovractl: mode takes none, on-lo, on-hi; not \"sometimes\"\n", "mx.example.jp", 25, 0, false },
        FillCase { "CheckIsOnOrOff", { "auth=yes" }, true, nullptr, DialogResult::UsageError,
            "kovractl: auth takes off, on; not \"yes\"\n", "mx.example.jp", 25, 0, false },
        FillCase { "FailingCheckShowsItsMessage", { "port=0", "mode=on-hi" }, true, nullptr,
            DialogResult::Refused, "設定値エラー\n", "mx.example.jp", 0, 2, false },
        FillCase { "QuestionAnsweredByYes", { "mode=on-lo" }, true, nullptr, DialogResult::Accepted, "",
            "mx.example.jp", 25, 1, false },
        FillCase { "QuestionWithoutTerminalIsNo", { "mode=on-lo" }, false, nullptr, DialogResult::Refused, "",
            "mx.example.jp", 25, 0, false },
        FillCase { "QuestionAnsweredNoOnTheTerminal", { "mode=on-lo" }, false, "n\n", DialogResult::Refused,
            "切り替えますか？ [yes/no] ", "mx.example.jp", 25, 0, false },
        FillCase { "QuestionAnsweredYesOnTheTerminal", { "mode=on-hi" }, false, "y\n", DialogResult::Accepted,
            "切り替えますか？ [yes/no] ", "mx.example.jp", 25, 2, false }),
    [](const testing::TestParamInfo<FillCase>& info) { return std::string(info.param.name); });

TEST(CliDialogOutcome, MessagesAfterOkAreHeldForTheCommand)
{
    Terminal t;
    CliUserInterface ui(t.in, t.out, t.err, true, false);
    ui.showMessage("通信エラー"); // before the dialog: shown at once
    ui.fillDialogs(words({ "port=587" }));
    TestMailForm form;
    ASSERT_TRUE(ui.openDialog(form));
    ui.showMessage("設定完了しました。\nデバイスを再起動します。");
    EXPECT_EQ(t.err.str(), "通信エラー\n");
    EXPECT_EQ(
        ui.takeHeldMessages(), std::vector<std::string> { "設定完了しました。\nデバイスを再起動します。" });
    EXPECT_EQ(ui.messageCount(), 2);
    ui.showMessage("later");
    EXPECT_EQ(t.err.str(), "通信エラー\nlater\n");
}
