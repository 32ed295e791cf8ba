#include "core/alerts/single_mail_form.h"
#include "core/alerts/single_mail_path.h"
#include "core/app/scripted_user_interface.h"
#include "core/app/setting_command_choice.h"
#include "core/app/setting_outcome_text.h"
#include "core/units/unit_record.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

const char* const kTestQuestion = "設定を機器に書き込み、メール送信テストをします。";
const char* const kFullWidth = "全角文字が含まれています";
const char* const kPortError = "ポート番号エラー";
const char* const kSenderError = "送信元メールアドレスエラー";
const char* const kRecipientError = "送信先メールアドレスエラー";

UnitSlot storedUnit()
{
    UnitSlot unit;
    unit.record.kind = kKindWifi;
    unit.record.ipText = "127.0.0.1";
    UnitSettings& s = unit.settings;
    s.mailHost = "smtp.example.jp";
    s.mailPort = 587;
    s.mailUser = "alert";
    s.mailPass = "alert-pass";
    s.mailFrom = "unit@example.jp";
    s.mailTo1 = "ops@example.jp";
    s.mailSubject = "KOVRA alert";
    s.keepIdle = 30; // not the dialog's: kept as it is
    return unit;
}

using Fields = std::vector<std::pair<std::string, std::string>>;

void fill(DialogForm& form, const Fields& fields)
{
    for (const auto& [name, text] : fields)
        ASSERT_EQ(form.setFieldText(name, text), DialogForm::SetResult::Set) << name;
}

TEST(AlertsSingleMailForm, FieldsFilledFromTheStoredAccount)
{
    SingleMailForm form(storedUnit().settings);
    std::vector<std::string> names;
    for (const auto& field : form.fields())
        names.push_back(field.name);
    EXPECT_EQ(names,
        (std::vector<std::string> {
            "server", "port", "auth", "user", "password", "sender", "to1", "to2", "message" }));
    EXPECT_EQ(form.field("password")->kind, FormField::Kind::Secret);
    EXPECT_EQ(form.field("port")->get(), "587");
    EXPECT_EQ(form.field("sender")->get(), "unit@example.jp");
    EXPECT_TRUE(form.auth()); // a stored user means SMTP-AUTH

    UnitSettings anonymous = storedUnit().settings;
    anonymous.mailUser.clear();
    anonymous.mailPass.clear();
    EXPECT_FALSE(SingleMailForm(anonymous).auth());
}

struct CheckCase {
    const char* name;
    Fields fields;
    std::string failure; // "" when OK passes
};

class AlertsSingleMailCheck : public testing::TestWithParam<CheckCase> { };

TEST_P(AlertsSingleMailCheck, FirstFailureInTheDialogsOrder)
{
    SingleMailForm form(storedUnit().settings);
    fill(form, GetParam().fields);
    EXPECT_EQ(form.check().value_or(""), GetParam().failure);
}

const std::string k256(256, 'a');
const std::string k255(255, 'a');

INSTANTIATE_TEST_SUITE_P(Cases, AlertsSingleMailCheck,
    testing::Values(CheckCase { "Stored", {}, "" },
        // Kind 3 has none of the classic dialog's length limits.
        CheckCase { "NoLengthLimits",
            { { "server", std::string(80, 'h') },
                { "sender", std::string(30, 'l') + "@" + std::string(30, 'd') },
                { "to1", std::string(60, 't') + "@x" }, { "message", std::string(40, 'm') },
                { "user", std::string(50, 'u') }, { "password", std::string(20, 'p') } },
            "" },
        CheckCase { "FullWidthPortFirst", { { "port", "５８７" }, { "sender", "あ@x" } }, kFullWidth },
        CheckCase { "FullWidthUserLast", { { "user", "ユーザ" }, { "port", "70000" } }, kFullWidth },
        CheckCase { "HalfWidthKatakanaPasses", { { "message", "ｱﾗｰﾄ" } }, "" },
        CheckCase { "PortAboveRange", { { "port", "65536" }, { "sender", "no-at" } }, kPortError },
        CheckCase { "PortNotANumber", { { "port", "5x" } }, kPortError },
        CheckCase { "PortZeroWithServer", { { "port", "0" } }, kPortError },
        CheckCase { "PortZeroWithoutServer", { { "port", "0" }, { "server", "  " } }, "" },
        CheckCase {
            "SenderWithoutAt", { { "sender", "unit" }, { "to1", "ops" }, { "server", "" } }, kSenderError },
        CheckCase { "EmptySenderIsNone", { { "sender", "" } }, "" },
        CheckCase { "RecipientWithoutAtNoServer", { { "server", "" }, { "to2", "ops" } }, kRecipientError },
        CheckCase { "RecipientWithoutAtWithServer", { { "to1", "ops" }, { "to2", "ops" } }, "" },
        // Our own refusals: each value is one line of the message, of at most 255 bytes.
        CheckCase { "LineBreakInServer", { { "server", "smtp\nMPORT" } },
            "SMTPサーバアドレスに改行などの制御文字は使えません。" },
        CheckCase { "CarriageReturnInMessage", { { "message", "door\r" } },
            "メッセージに改行などの制御文字は使えません。" },
        CheckCase {
            "TabInPassword", { { "password", "a\tb" } }, "認証パスワードに改行などの制御文字は使えません。" },
        CheckCase { "PasswordUnsentWithoutAuth", { { "password", "a\nb" }, { "auth", "off" } }, "" },
        // Every mail writer takes only credentials the scrambled form could carry.
        CheckCase { "SpaceInUser", { { "user", "new user" } },
            "認証ユーザー名は空白を含まない半角英数字・記号で入力してください。" },
        CheckCase { "SpaceInPassword", { { "password", "pass word" } },
            "認証パスワードは空白を含まない半角英数字・記号で入力してください。" },
        CheckCase { "SpacedCredentialsUnsentWithoutAuth",
            { { "auth", "off" }, { "user", "new user" }, { "password", "pass word" } }, "" },
        CheckCase { "Recipient255Bytes", { { "to1", k255 } }, "" },
        CheckCase { "Recipient256Bytes", { { "to1", k256 } },
            "送信先メールアドレス１は255バイト以内で入力してください。" },
        // 128 double-byte characters are 256 cp932 bytes.
        CheckCase { "PasswordBytesInCp932",
            { { "password",
                [] {
                    std::string text;
                    for (int i = 0; i < 128; ++i)
                        text += "あ";
                    return text;
                }() } },
            "認証パスワードは255バイト以内で入力してください。" }),
    [](const testing::TestParamInfo<CheckCase>& info) { return info.param.name; });

std::string planText(DialogPath& path)
{
    const WritePlan plan = path.plan();
    EXPECT_EQ(plan.size(), 1u);
    const auto* step = std::get_if<MessageStep>(&plan.front());
    return step ? step->text : std::string();
}

TEST(AlertsSingleMailPath, PlanIsTheLfMessageOfTheTrimmedValuesAndStoreKeepsThem)
{
    auto path = makeSingleMailPath(storedUnit());
    fill(path->form(),
        { { "server", " smtp.example.net " }, { "port", "25" }, { "user", " ops.user " },
            { "password", "p-w!" }, { "sender", "a@b@example" }, { "to1", "x@b.example" },
            { "to2", "y@b.example" }, { "message", "ﾄﾞｱ open" } });
    ASSERT_EQ(path->form().check(), std::nullopt);
    EXPECT_EQ(planText(*path),
        "MHOST\nsmtp.example.net\nMPORT\n25\nMUSER\nops.user\nMPASS\np-w!\nMFROM\na@b@example\n"
        "MTO1\nx@b.example\nMTO2\ny@b.example\nMSUBJ\n\xc4\xde\xb1 open\nEND\n");

    UnitSlot unit = storedUnit();
    path->store(unit);
    EXPECT_EQ(unit.settings.mailHost, "smtp.example.net");
    EXPECT_EQ(unit.settings.mailPort, 25);
    EXPECT_EQ(unit.settings.mailPass, "p-w!");
    EXPECT_EQ(unit.settings.mailFrom, "a@b@example");
    EXPECT_EQ(unit.settings.mailSubject, "\xc4\xde\xb1 open");
    EXPECT_EQ(unit.settings.keepIdle, 30);
}

TEST(AlertsSingleMailPath, WithoutAuthTheCredentialsGoOutEmpty)
{
    auto path = makeSingleMailPath(storedUnit());
    fill(path->form(), { { "auth", "off" }, { "sender", "" } });
    ASSERT_EQ(path->form().check(), std::nullopt);
    EXPECT_EQ(planText(*path),
        "MHOST\nsmtp.example.jp\nMPORT\n587\nMUSER\n\nMPASS\n\nMFROM\n\nMTO1\nops@example.jp\nMTO2\n\n"
        "MSUBJ\nKOVRA alert\nEND\n");
}

TEST(AlertsSingleMailTest, SendsTheTestFormOnlyAfterTheChecksAndOk)
{
    SingleMailForm form(storedUnit().settings);
    std::vector<std::string> sent;
    form.setMessageSender([&sent](const std::string& text) {
        sent.push_back(text);
        return 0;
    });

    ScriptedUserInterface cancelled;
    EXPECT_FALSE(form.prepareTestSend(cancelled));
    EXPECT_EQ(cancelled.transcript(), std::vector<std::string> { std::string("?") + kTestQuestion });

    fill(form, { { "port", "99999" } });
    ScriptedUserInterface refused(true);
    EXPECT_FALSE(form.prepareTestSend(refused));
    EXPECT_EQ(refused.transcript(), std::vector<std::string> { kPortError });

    fill(form, { { "port", "2525" } });
    ScriptedUserInterface ok(true);
    const auto send = form.prepareTestSend(ok);
    ASSERT_TRUE(send);
    EXPECT_TRUE(sent.empty()); // the dialog runs the job, off its own thread
    EXPECT_EQ(send(), 0);
    EXPECT_EQ(sent,
        std::vector<std::string> { "NORESET\nMHOST\nsmtp.example.jp\nMPORT\n2525\nMUSER\nalert\n"
                                   "MPASS\nalert-pass\nMFROM\nunit@example.jp\nMTO1\nops@example.jp\n"
                                   "MTO2\n\nMSUBJ\nKOVRA alert\nMAILTEST\nEND\n" });
    EXPECT_EQ(testSendMessage(0), "テスト送信しました。");
    EXPECT_EQ(testSendMessage(10061), "通信エラー");
}

TEST(AlertsSingleMailChoice, Kind3OpensTheSingleAccountDialog)
{
    UnitSlot unit = storedUnit();
    unit.record.modelIndex = 1;
    const SettingChoice choice = chooseSettingPath(SettingCommand::MailAlert, unit, false);
    EXPECT_EQ(choice.refusal, "");
    ASSERT_NE(choice.path, nullptr);
    EXPECT_EQ(choice.path->form().templateId(), kSingleMailTemplateId);
}

} // namespace
