#include "core/app/scripted_user_interface.h"
#include "gui/classic_mail_dialog.h"
#include "support/gui_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using kovra::ClassicMailDialog;
using kovra::ClassicMailForm;
using namespace kovra::test_support;

namespace {

kovra::UnitRecord unit(int kind, int model)
{
    kovra::UnitRecord record;
    record.kind = kind;
    record.modelIndex = model;
    return record;
}

kovra::ClassicMailValues values()
{
    kovra::ClassicMailValues v;
    v.account.server = "smtp.example.jp";
    v.account.port = 587;
    v.account.auth = true;
    v.account.user = "alert";
    v.enableMask = 0x02;
    v.edgeMask = 0x02;
    v.analog[0].mail = kovra::kAnalogMailUnlit;
    return v;
}

TEST(ClassicMailDialog, HostNameUnitShowsSmtpAuthAndItsDiRowsOnly)
{
    kovra::ScriptedUserInterface ui;
    ClassicMailForm form(unit(kovra::kKindWiredGc, 6), values()); // three DI, no analog input
    ClassicMailDialog dialog(form, ui);
    EXPECT_EQ(dialog.windowTitle(), QString("メールアラート設定"));
    const QStringList texts = shownTexts(dialog);
    for (const char* caption : { "SMTPサーバアドレス:", "SMTPサーバポート番号:", "SMTP-AUTH認証あり",
             "認証ユーザー名:", "認証パスワード:", "送信元メールアドレス:", "送信先メールアドレス１:",
             "送信先メールアドレス２:", "メッセージ:", "DI1 有効", "DI3 有効", "テスト送信", "OK",
             "キャンセル" })
        EXPECT_TRUE(texts.contains(caption)) << caption;
    EXPECT_EQ(control<QLineEdit>(dialog, ClassicMailDialog::kIdPassword)->echoMode(), QLineEdit::Password);
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(control<QCheckBox>(dialog, ClassicMailDialog::kIdDiEnabled + row)->isHidden(), row >= 3)
            << row;
    EXPECT_TRUE(control<QGroupBox>(dialog, ClassicMailDialog::kIdAnalogGroup)->isHidden());
    EXPECT_EQ(items(control<QComboBox>(dialog, ClassicMailDialog::kIdDiEdge)), (QStringList { "ON", "OFF" }));
    EXPECT_EQ(control<QComboBox>(dialog, ClassicMailDialog::kIdDiEdge + 1)->currentText(), QString("ON"));
    EXPECT_TRUE(control<QCheckBox>(dialog, ClassicMailDialog::kIdDiEnabled + 1)->isChecked());

    // SMTP-AUTH enables the user and password; the rows store at once.
    control<QCheckBox>(dialog, ClassicMailDialog::kIdAuth)->click();
    EXPECT_FALSE(control<QLineEdit>(dialog, ClassicMailDialog::kIdUser)->isEnabled());
    EXPECT_EQ(form.field("auth")->get(), "off");
    control<QCheckBox>(dialog, ClassicMailDialog::kIdDiEnabled + 2)->click();
    control<QComboBox>(dialog, ClassicMailDialog::kIdDiEdge + 2)->setCurrentIndex(0);
    EXPECT_EQ(form.field("di3.enabled")->get(), "on");
    EXPECT_EQ(form.field("di3.edge")->get(), "on");
}

TEST(ClassicMailDialog, AddressUnitWithAnalogRowsAndTheMailColumn)
{
    kovra::ScriptedUserInterface ui;
    ClassicMailForm form(unit(kovra::kKindWired, 8), values());
    ClassicMailDialog dialog(form, ui);
    EXPECT_EQ(control<QCheckBox>(dialog, ClassicMailDialog::kIdAuth), nullptr); // no SMTP-AUTH on kind 0
    EXPECT_EQ(control<QLineEdit>(dialog, ClassicMailDialog::kIdUser), nullptr);
    auto* group = control<QGroupBox>(dialog, ClassicMailDialog::kIdAnalogGroup);
    EXPECT_EQ(group->title(), QString("QM-210 / QM-220 / QM-230"));
    EXPECT_FALSE(group->isHidden());
    EXPECT_TRUE(shownTexts(dialog).contains("AIメールアラート(QM-210)"));
    EXPECT_EQ(control<QLineEdit>(dialog, ClassicMailDialog::kIdAiLow)->text(), QString("+0.000"));
    EXPECT_EQ(
        items(control<QComboBox>(dialog, ClassicMailDialog::kIdAiLed)), (QStringList { "範囲内", "範囲外" }));

    // AI1 mails when the LED goes out; unchecking turns its mail off and its list with it.
    auto* mail = control<QCheckBox>(dialog, ClassicMailDialog::kIdAiMail);
    auto* when = control<QComboBox>(dialog, ClassicMailDialog::kIdAiMailWhen);
    EXPECT_TRUE(mail->isChecked());
    EXPECT_EQ(when->currentText(), QString("消灯時"));
    mail->click();
    EXPECT_EQ(form.field("ai1.mail")->get(), "off");
    EXPECT_FALSE(when->isEnabled());
    mail->click();
    when->setCurrentIndex(0);
    EXPECT_EQ(form.field("ai1.mail")->get(), "lit");
    retype(control<QLineEdit>(dialog, ClassicMailDialog::kIdAiHigh + 2), "75");
    EXPECT_EQ(form.field("ai3.high")->get(), "75");

    // A partly typed address is refused by OK, which keeps the dialog open.
    retype(control<QLineEdit>(dialog, ClassicMailDialog::kIdServer), "192.0.2.");
    click(dialog, kovra::kOkButtonId);
    EXPECT_EQ(ui.messages(), std::vector<std::string> { "IPアドレス設定エラー" });
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

} // namespace
