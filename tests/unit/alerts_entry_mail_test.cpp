#include "core/alerts/entry_mail_form.h"
#include "core/alerts/mail_alert_paths.h"
#include "core/app/scripted_user_interface.h"
#include "core/settings/credential_scramble.h"
#include "core/units/model_table.h"
#include "core/units/unit_record.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

constexpr int kThreeDiModel = 27; // three DIs (checked below)
const char* const kOverwrite = "現在の設定が上書きされます。よろしいですか？";
const char* const kTestQuestion = "設定を機器に書き込み、メール送信テストをします。";

UnitSettings storedSettings()
{
    UnitSettings s;
    for (size_t i = 0; i < kChannelCount; ++i) {
        const std::string n = std::to_string(i + 1);
        s.mailMode[i] = int(i % 3);
        s.mailHosts[i] = "mx" + n + ".example.jp";
        s.mailPorts[i] = 25 + int(i);
        s.mailUsers[i] = "user" + n;
        s.mailPasses[i] = "pw#" + n;
        s.mailFroms[i] = "unit" + n + "@example.jp";
        s.mailTo1s[i] = "ops@example.jp";
        s.mailTo2s[i] = "";
        s.mailSubjects[i] = "DI" + n + " changed";
    }
    return s;
}

// The first failing check's message after setting the fields as kovractl does ("" when OK passes).
std::string checkWith(int kind, int sketch, const std::vector<std::pair<std::string, std::string>>& fields)
{
    EntryMailForm form(kind, sketch, 3, storedSettings());
    for (const auto& [name, text] : fields)
        EXPECT_EQ(form.setFieldText(name, text), DialogForm::SetResult::Set) << name;
    return form.check().value_or("");
}

TEST(AlertsEntryMailForm, FieldsPerDiUpToTheDiCount)
{
    EntryMailForm form(kKindThirdName, 0, 2, storedSettings());
    std::vector<std::string> names;
    for (const auto& field : form.fields())
        names.push_back(field.name);
    const std::vector<std::string> perDi
        = { "mode", "server", "port", "user", "password", "sender", "to1", "to2", "message" };
    std::vector<std::string> expected;
    for (const char* di : { "di1.", "di2." })
        for (const auto& name : perDi)
            expected.push_back(di + name);
    EXPECT_EQ(names, expected);
    EXPECT_EQ(form.field("di1.password")->kind, FormField::Kind::Secret);
    EXPECT_EQ(form.field("di2.mode")->get(), "lo");
    EXPECT_EQ(form.field("di2.port")->get(), "26");
    EXPECT_EQ(form.setFieldText("di1.mode", "on"), DialogForm::SetResult::NotAllowed);
    EXPECT_EQ(form.setFieldText("di3.mode", "lo"), DialogForm::SetResult::UnknownField);
    // The port box holds five digits.
    form.setFieldText("di1.port", "1234567");
    EXPECT_EQ(form.entries()[0].port, 12345);
    EXPECT_EQ(EntryMailForm(kKindKovra4, 103, 12, storedSettings()).diCount(), 8);
}

TEST(AlertsEntryMailForm, ChecksInOrderNamingTheDiAndTheField)
{
    const std::string long65(65, 'a');
    const std::string wide33 = "\xe5\x85\xa8"; // one full-width character, two bytes in cp932
    std::string wideText;
    for (int i = 0; i < 33; ++i)
        wideText += wide33;
    struct Case {
        const char* name;
        int kind;
        int sketch;
        std::vector<std::pair<std::string, std::string>> fields;
        std::string message;
    };
    const std::vector<Case> cases = {
        { "StoredValuesPass", kKindThirdName, 0, {}, "" },
        { "SixtyFourBytesPass", kKindThirdName, 0, { { "di1.message", std::string(64, 'm') } }, "" },
        { "LineBreakInServer", kKindThirdName, 0, { { "di2.server", "mx\r\nM1HOST" } },
            "DI2 のSMTPサーバアドレスに改行などの制御文字は使えません。" },
        { "TabInRecipient", kKindKovra4, 102, { { "di3.to2", "a\tb@x" } },
            "DI3 の送信先メールアドレス２に改行などの制御文字は使えません。" },
        { "TooLongSender", kKindThirdName, 0, { { "di1.sender", long65 } },
            "DI1 の送信元メールアドレスは64バイト以内で入力してください。" },
        { "FullWidthCountsInBytes", kKindThirdName, 0, { { "di1.message", wideText } },
            "DI1 のメッセージは64バイト以内で入力してください。" },
        { "SpaceInScrambledUser", kKindThirdName, 0, { { "di2.user", "new user" } },
            "DI2 の認証ユーザー名は空白を含まない半角英数字・記号で入力してください。" },
        { "FullWidthScrambledPassword", kKindKovra4, 103, { { "di1.password", wide33 } },
            "DI1 の認証パスワードは空白を含まない半角英数字・記号で入力してください。" },
        // The clear form too: every mail writer takes only what the scrambled form carries.
        { "SpaceInClearUserRefused", kKindKovra4, 102, { { "di2.user", "new user" } },
            "DI2 の認証ユーザー名は空白を含まない半角英数字・記号で入力してください。" },
        { "NonAsciiClearPassword", kKindKovra4, 102, { { "di1.password", "pｱss" } },
            "DI1 の認証パスワードは空白を含まない半角英数字・記号で入力してください。" },
        { "FirstDiFirst", kKindThirdName, 0, { { "di3.server", "a\nb" }, { "di1.to1", long65 } },
            "DI1 の送信先メールアドレス１は64バイト以内で入力してください。" },
        { "FieldsInDialogOrder", kKindThirdName, 0, { { "di1.message", "a\nb" }, { "di1.password", "p w" } },
            "DI1 の認証パスワードは空白を含まない半角英数字・記号で入力してください。" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(checkWith(c.kind, c.sketch, c.fields), c.message) << c.name;
}

TEST(AlertsEntryMailForm, CopyFromDi1KeepsTheModeAndNeedsYes)
{
    EntryMailForm form(kKindThirdName, 0, 3, storedSettings());
    ScriptedUserInterface ui;
    ui.queueAnswer(false);
    EXPECT_FALSE(form.copyFromFirst(2, ui));
    EXPECT_EQ(form.entries()[2].host, "mx3.example.jp");
    ui.queueAnswer(true);
    EXPECT_FALSE(form.copyFromFirst(0, ui)); // DI1 has no copy and asks nothing
    EXPECT_TRUE(form.copyFromFirst(2, ui));
    MailEntry expected = form.entries()[0];
    expected.mode = kEntryMailOnHi; // DI3 stored as HI
    const MailEntry& copied = form.entries()[2];
    EXPECT_EQ(std::tie(copied.mode, copied.host, copied.port, copied.user, copied.pass, copied.from,
                  copied.to1, copied.to2, copied.subject),
        std::tie(expected.mode, expected.host, expected.port, expected.user, expected.pass, expected.from,
            expected.to1, expected.to2, expected.subject));
    EXPECT_EQ(ui.transcript(),
        (std::vector<std::string> { std::string("?") + kOverwrite, std::string("?") + kOverwrite }));
}

TEST(AlertsEntryMailForm, EnableAndTestRules)
{
    EntryMailForm form(kKindThirdName, 0, 3, storedSettings());
    EXPECT_FALSE(form.fieldsEnabled(0)); // mode none
    EXPECT_TRUE(form.fieldsEnabled(1));
    form.setMode(1, kEntryMailNone);
    EXPECT_FALSE(form.fieldsEnabled(1));
    form.setMode(1, 3);
    EXPECT_EQ(form.mode(1), kEntryMailNone);
    EXPECT_FALSE(form.fieldsEnabled(3)); // beyond the DI count
    struct Case {
        int kind;
        int sketch;
        bool test;
    };
    for (const Case& c : { Case { kKindKovra4, 102, false }, Case { kKindKovra4, 103, true },
             Case { kKindThirdName, 0, true } })
        EXPECT_EQ(EntryMailForm(c.kind, c.sketch, 1, {}).testVisible(), c.test) << c.kind << " " << c.sketch;
}

TEST(AlertsEntryMailForm, TestSendAsksThenSendsTheScrambledEntryOnce)
{
    EntryMailForm form(kKindThirdName, 0, 3, storedSettings());
    std::vector<std::string> sent;
    form.setMessageSender([&sent](const std::string& text) {
        sent.push_back(text);
        return 0;
    });
    ScriptedUserInterface ui;
    EXPECT_FALSE(form.prepareTestSend(1, ui)); // Cancel
    form.setFieldText("di2.user", "a b");
    EXPECT_FALSE(form.prepareTestSend(1, ui)); // refused before the question
    form.setFieldText("di2.user", "alice");
    ui.queueAnswer(true);
    const auto send = form.prepareTestSend(1, ui);
    ASSERT_TRUE(send);
    EXPECT_TRUE(sent.empty());
    form.setFieldText("di2.server", "changed"); // the job keeps what was confirmed
    EXPECT_EQ(send(), 0);
    ASSERT_EQ(sent.size(), 1u);
    const std::string& text = sent[0];
    EXPECT_EQ(
        text.rfind("NORESET\nM2MODE\r\n1\r\nM2HOST\r\nmx2.example.jp\r\nM2PORT\r\n26\r\nE2USER\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\nM2SUBJ\r\nDI2 changed\r\nMAILTEST2\nEND\n"), std::string::npos);
    EXPECT_EQ(ui.transcript(),
        (std::vector<std::string> { std::string("?") + kTestQuestion,
            "DI2 の認証ユーザー名は空白を含まない半角英数字・記号で入力してください。",
            std::string("?") + kTestQuestion }));

    ui.queueAnswer(true);
    EntryMailForm old(kKindKovra4, 102, 3, storedSettings());
    old.setMessageSender([](const std::string&) { return 0; });
    EXPECT_FALSE(old.prepareTestSend(0, ui)); // no test on these units: nothing asked
    EXPECT_EQ(ui.transcript().size(), 3u);
}

UnitSlot threeDiUnit(int kind, int sketch)
{
    UnitSlot unit;
    unit.record.kind = kind;
    unit.record.modelIndex = kThreeDiModel;
    unit.settings = storedSettings();
    unit.settings.sketchVersion = sketch;
    return unit;
}

std::string clearBlock(int n, const std::string& user, const std::string& pass)
{
    const std::string d = std::to_string(n);
    const UnitSettings s = storedSettings();
    const size_t i = size_t(n - 1);
    return "M" + d + "MODE\r\n" + std::to_string(s.mailMode[i]) + "\r\nM" + d + "HOST\r\n" + s.mailHosts[i]
        + "\r\nM" + d + "PORT\r\n" + std::to_string(s.mailPorts[i]) + "\r\n" + user + pass + "M" + d
        + "FROM\r\n" + s.mailFroms[i] + "\r\nM" + d + "TO1\r\n" + s.mailTo1s[i] + "\r\nM" + d + "TO2\r\n"
        + s.mailTo2s[i] + "\r\nM" + d + "SUBJ\r\n" + s.mailSubjects[i] + "\r\n";
}

// The value line after "key\r\n", removed from the text.
std::string takeValue(std::string& text, const std::string& key)
{
    const size_t at = text.find(key + "\r\n");
    if (at == std::string::npos)
        return "<missing " + key + ">";
    const size_t value = at + key.size() + 2;
    const size_t end = text.find("\r\n", value);
    const std::string taken = text.substr(value, end - value);
    text.erase(at, end + 2 - at);
    return taken;
}

TEST(AlertsEntryMailPath, PlanIsOneEntryMessageForEachDi)
{
    ASSERT_EQ(modelDiCount(kThreeDiModel), 3);
    {
        SCOPED_TRACE("clear, kind 5 below 103");
        const auto path = makeEntryMailPath(threeDiUnit(kKindKovra4, 102));
        const WritePlan plan = path->plan();
        ASSERT_EQ(plan.size(), 1u);
        std::string expected;
        for (int n = 1; n <= 3; ++n) {
            const std::string d = std::to_string(n);
            expected
                += clearBlock(n, "M" + d + "USER\r\nuser" + d + "\r\n", "M" + d + "PASS\r\npw#" + d + "\r\n");
        }
        EXPECT_EQ(std::get<MessageStep>(plan[0]).text, expected + "END\r\n");
    }
    for (const auto& [kind, sketch] : { std::pair { kKindKovra4, 103 }, std::pair { kKindThirdName, 0 } }) {
        SCOPED_TRACE(kind);
        const auto path = makeEntryMailPath(threeDiUnit(kind, sketch));
        const WritePlan plan = path->plan();
        ASSERT_EQ(plan.size(), 1u);
        std::string text = std::get<MessageStep>(plan[0]).text;
        std::string expected;
        for (int n = 1; n <= 3; ++n) {
            const std::string d = std::to_string(n);
            const std::string user = takeValue(text, "E" + d + "USER");
            const std::string pass = takeValue(text, "E" + d + "PASS");
            EXPECT_EQ(user.size(), 2 * kPadLength + 5);
            EXPECT_EQ(unscrambledValue(user, kUserShift), "user" + d);
            EXPECT_EQ(unscrambledValue(pass, kPassShift), "pw#" + d);
            expected += clearBlock(n, "", "");
        }
        EXPECT_EQ(text, expected + "END\r\n");
    }
}

TEST(AlertsEntryMailPath, StoreKeepsTheAcceptedEntriesUpToTheDiCount)
{
    UnitSlot unit = threeDiUnit(kKindThirdName, 0);
    const auto path = makeEntryMailPath(unit);
    ASSERT_EQ(path->form().setFieldText("di3.mode", "lo"), DialogForm::SetResult::Set);
    path->form().setFieldText("di3.password", "s3cret!");
    path->form().setFieldText("di1.server", "smtp.kovra.jp");
    ASSERT_FALSE(path->form().check());
    unit.settings.mailHosts[3] = "untouched";
    path->store(unit);
    EXPECT_EQ(unit.settings.mailMode[2], kEntryMailOnLo);
    EXPECT_EQ(unit.settings.mailPasses[2], "s3cret!");
    EXPECT_EQ(unit.settings.mailHosts[0], "smtp.kovra.jp");
    EXPECT_EQ(unit.settings.mailHosts[3], "untouched");
}

} // namespace
