#include "core/app/scripted_user_interface.h"
#include "gui/single_mail_dialog.h"
#include "support/gui_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using kovra::SingleMailDialog;
using kovra::SingleMailForm;
using namespace kovra::test_support;

namespace {

constexpr int kReportWaitMs = 5000;

kovra::UnitSettings settings(const std::string& user)
{
    kovra::UnitSettings s;
    s.mailHost = "smtp.example.jp";
    s.mailPort = 587;
    s.mailUser = user;
    s.mailFrom = "unit@example.jp";
    return s;
}

QLineEdit* edit(QWidget& dialog, int id)
{
    return control<QLineEdit>(dialog, id);
}

TEST(SingleMailDialog, CaptionsAndAMaskedPassword)
{
    kovra::ScriptedUserInterface ui;
    SingleMailForm form(settings("alert"));
    SingleMailDialog dialog(form, ui);
    EXPECT_EQ(dialog.windowTitle(), QString("メールアラート設定"));
    const QStringList labels = shownTexts(dialog);
    for (const char* caption :
        { "SMTPサーバアドレス:", "SMTPサーバポート番号:", "認証ユーザー名:", "認証パスワード:",
            "送信元メールアドレス:", "送信先メールアドレス１:", "送信先メールアドレス２:", "メッセージ:" })
        EXPECT_TRUE(labels.contains(caption)) << caption;
    EXPECT_EQ(control<QCheckBox>(dialog, SingleMailDialog::kIdAuth)->text(), QString("SMTP-AUTH認証あり"));
    EXPECT_EQ(control<QPushButton>(dialog, SingleMailDialog::kIdTest)->text(), QString("テスト送信"));
    EXPECT_EQ(control<QPushButton>(dialog, SingleMailDialog::kIdCancel)->text(), QString("キャンセル"));
    EXPECT_EQ(edit(dialog, SingleMailDialog::kIdPassword)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(edit(dialog, SingleMailDialog::kIdServer)->text(), QString("smtp.example.jp"));
    EXPECT_EQ(edit(dialog, SingleMailDialog::kIdPort)->text(), QString("587"));
}

TEST(SingleMailDialog, SmtpAuthEnablesUserAndPassword)
{
    kovra::ScriptedUserInterface ui;
    for (const std::string& user : { std::string("alert"), std::string() }) {
        SingleMailForm form(settings(user));
        SingleMailDialog dialog(form, ui);
        auto* auth = control<QCheckBox>(dialog, SingleMailDialog::kIdAuth);
        bool on = !user.empty();
        EXPECT_EQ(auth->isChecked(), on);
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(edit(dialog, SingleMailDialog::kIdUser)->isEnabled(), on) << user;
            EXPECT_EQ(edit(dialog, SingleMailDialog::kIdPassword)->isEnabled(), on) << user;
            EXPECT_EQ(form.field("auth")->get(), on ? "on" : "off");
            auth->click();
            on = !on;
        }
    }
}

TEST(SingleMailDialog, TestSendRunsOffTheWindowAndReports)
{
    kovra::ScriptedUserInterface ui;
    SingleMailForm form(settings("alert"));
    std::atomic<bool> offWindow { false };
    std::atomic<int> result { 10061 };
    Qt::HANDLE window = QThread::currentThreadId();
    std::string sent;
    form.setMessageSender([&](const std::string& text) {
        offWindow = QThread::currentThreadId() != window;
        sent = text;
        return result.load();
    });
    SingleMailDialog dialog(form, ui);
    dialog.show();
    retype(edit(dialog, SingleMailDialog::kIdMessage), "door");
    ui.queueAnswer(true);
    click(dialog, SingleMailDialog::kIdTest);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui.messages().size() == 1; }, kReportWaitMs));
    EXPECT_EQ(ui.messages()[0], "通信エラー");
    EXPECT_TRUE(offWindow);
    EXPECT_NE(sent.find("MSUBJ\ndoor\nMAILTEST\nEND\n"), std::string::npos);

    result = 0;
    ui.queueAnswer(true);
    click(dialog, SingleMailDialog::kIdTest);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui.messages().size() == 2; }, kReportWaitMs));
    EXPECT_EQ(ui.messages()[1], "テスト送信しました。");
}

} // namespace
