#include "core/app/scripted_user_interface.h"
#include "core/units/unit_record.h"
#include "gui/entry_mail_dialog.h"
#include "support/gui_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using kovra::EntryMailDialog;
using kovra::EntryMailForm;
using namespace kovra::test_support;

namespace {

constexpr int kReportWaitMs = 5000;

// DI1 with an alert on HI, DI2 without alert, DI3 on LO.
kovra::UnitSettings settings()
{
    kovra::UnitSettings s;
    s.mailMode = { 2, 0, 1, 0, 0, 0, 0, 0 };
    for (size_t i = 0; i < s.mailHosts.size(); ++i) {
        s.mailHosts[i] = "mx" + std::to_string(i + 1) + ".example.jp";
        s.mailPorts[i] = 25;
        s.mailUsers[i] = "user" + std::to_string(i + 1);
    }
    return s;
}

constexpr std::array<int, 8> kEditIds = { EntryMailDialog::kIdServer, EntryMailDialog::kIdPort,
    EntryMailDialog::kIdUser, EntryMailDialog::kIdPassword, EntryMailDialog::kIdSender,
    EntryMailDialog::kIdTo1, EntryMailDialog::kIdTo2, EntryMailDialog::kIdMessage };

QTabBar* tabs(QWidget& dialog)
{
    return control<QTabBar>(dialog, EntryMailDialog::kIdTabs);
}

QLineEdit* edit(QWidget& dialog, int id)
{
    return control<QLineEdit>(dialog, id);
}

TEST(EntryMailDialog, TabsPerDiAndTheCaptions)
{
    kovra::ScriptedUserInterface ui;
    for (const int diCount : { 2, 8 }) {
        EntryMailForm form(kovra::kKindThirdName, 0, diCount, settings());
        EntryMailDialog dialog(form, ui);
        ASSERT_EQ(tabs(dialog)->count(), diCount);
        EXPECT_EQ(tabs(dialog)->tabText(diCount - 1), QString("DI%1").arg(diCount));
    }
    EntryMailForm form(kovra::kKindThirdName, 0, 3, settings());
    EntryMailDialog dialog(form, ui);
    EXPECT_EQ(dialog.windowTitle(), QString("メールアラート設定"));
    const QStringList labels = shownTexts(dialog);
    for (const char* caption :
        { "SMTPサーバアドレス:", "SMTPサーバポート番号:", "認証ユーザー名:", "認証パスワード:",
            "送信元メールアドレス:", "送信先メールアドレス１:", "送信先メールアドレス２:", "メッセージ:" })
        EXPECT_TRUE(labels.contains(caption)) << caption;
    EXPECT_EQ(
        control<QRadioButton>(dialog, EntryMailDialog::kIdModeNone)->text(), QString("メールアラート無効"));
    EXPECT_EQ(control<QRadioButton>(dialog, EntryMailDialog::kIdModeLo)->text(), QString("LOで有効"));
    EXPECT_EQ(control<QRadioButton>(dialog, EntryMailDialog::kIdModeHi)->text(), QString("HIで有効"));
    EXPECT_EQ(edit(dialog, EntryMailDialog::kIdPassword)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(edit(dialog, EntryMailDialog::kIdServer)->maxLength(), 64);
    EXPECT_EQ(edit(dialog, EntryMailDialog::kIdPort)->maxLength(), 5);
}

TEST(EntryMailDialog, TestButtonFollowsKindAndVersion)
{
    kovra::ScriptedUserInterface ui;
    struct Case {
        int kind;
        int sketch;
        bool visible;
    };
    for (const Case& c : { Case { kovra::kKindKovra4, 102, false }, Case { kovra::kKindKovra4, 104, true },
             Case { kovra::kKindThirdName, 0, true } }) {
        EntryMailForm form(c.kind, c.sketch, 3, settings());
        EntryMailDialog dialog(form, ui);
        dialog.show();
        auto* test = control<QPushButton>(dialog, EntryMailDialog::kIdTest);
        EXPECT_EQ(test->isVisible(), c.visible) << c.kind << " " << c.sketch;
        EXPECT_EQ(test->text(), QString("テスト送信"));
    }
}

TEST(EntryMailDialog, TabsShowTheirEntryAndFieldsFollowTheMode)
{
    kovra::ScriptedUserInterface ui;
    EntryMailForm form(kovra::kKindThirdName, 0, 3, settings());
    EntryMailDialog dialog(form, ui);
    dialog.show();
    EXPECT_TRUE(control<QRadioButton>(dialog, EntryMailDialog::kIdModeHi)->isChecked());
    EXPECT_EQ(edit(dialog, EntryMailDialog::kIdServer)->text(), QString("mx1.example.jp"));
    for (const int id : kEditIds)
        EXPECT_TRUE(edit(dialog, id)->isEnabled()) << id;
    EXPECT_FALSE(control<QPushButton>(dialog, EntryMailDialog::kIdCopy)->isEnabled());

    tabs(dialog)->setCurrentIndex(1);
    EXPECT_TRUE(control<QRadioButton>(dialog, EntryMailDialog::kIdModeNone)->isChecked());
    EXPECT_EQ(edit(dialog, EntryMailDialog::kIdUser)->text(), QString("user2"));
    for (const int id : kEditIds)
        EXPECT_FALSE(edit(dialog, id)->isEnabled()) << id;
    EXPECT_TRUE(control<QPushButton>(dialog, EntryMailDialog::kIdCopy)->isEnabled());

    // A mode enables the account; edits go into the shown DI at once.
    click(dialog, EntryMailDialog::kIdModeLo);
    EXPECT_TRUE(edit(dialog, EntryMailDialog::kIdServer)->isEnabled());
    retype(edit(dialog, EntryMailDialog::kIdServer), "smtp.kovra.jp");
    retype(edit(dialog, EntryMailDialog::kIdPort), "58x7");
    EXPECT_EQ(form.entries()[1].mode, kovra::kEntryMailOnLo);
    EXPECT_EQ(form.entries()[1].host, "smtp.kovra.jp");
    EXPECT_EQ(form.entries()[1].port, 587);
    EXPECT_EQ(form.entries()[0].host, "mx1.example.jp");
}

TEST(EntryMailDialog, CopyAsksAndKeepsTheMode)
{
    kovra::ScriptedUserInterface ui;
    EntryMailForm form(kovra::kKindThirdName, 0, 3, settings());
    EntryMailDialog dialog(form, ui);
    dialog.show();
    tabs(dialog)->setCurrentIndex(2);
    click(dialog, EntryMailDialog::kIdCopy); // No
    EXPECT_EQ(edit(dialog, EntryMailDialog::kIdServer)->text(), QString("mx3.example.jp"));
    ui.queueAnswer(true);
    click(dialog, EntryMailDialog::kIdCopy);
    EXPECT_EQ(edit(dialog, EntryMailDialog::kIdServer)->text(), QString("mx1.example.jp"));
    EXPECT_EQ(edit(dialog, EntryMailDialog::kIdUser)->text(), QString("user1"));
    EXPECT_TRUE(control<QRadioButton>(dialog, EntryMailDialog::kIdModeLo)->isChecked());
    EXPECT_EQ(ui.transcript(),
        (std::vector<std::string> { "?現在の設定が上書きされます。よろしいですか？",
            "?現在の設定が上書きされます。よろしいですか？" }));
}

TEST(EntryMailDialog, TestSendRunsOffTheWindowAndReports)
{
    kovra::ScriptedUserInterface ui;
    EntryMailForm form(kovra::kKindThirdName, 0, 3, settings());
    std::atomic<int> sends { 0 };
    std::atomic<bool> offWindow { false };
    Qt::HANDLE window = QThread::currentThreadId();
    form.setMessageSender([&](const std::string& text) {
        offWindow = QThread::currentThreadId() != window;
        ++sends;
        return text.find("MAILTEST1\n") != std::string::npos ? 10061 : 0;
    });
    EntryMailDialog dialog(form, ui);
    dialog.show();
    ui.queueAnswer(true);
    click(dialog, EntryMailDialog::kIdTest);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui.messages().size() == 1; }, kReportWaitMs));
    EXPECT_EQ(ui.messages()[0], "通信エラー");
    tabs(dialog)->setCurrentIndex(2);
    ui.queueAnswer(true);
    click(dialog, EntryMailDialog::kIdTest);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui.messages().size() == 2; }, kReportWaitMs));
    EXPECT_EQ(ui.messages()[1], "テスト送信しました。");
    EXPECT_EQ(sends, 2);
    EXPECT_TRUE(offWindow);
}

} // namespace
