// The QX units' mail dialogs offscreen: their controls and the rows the unit has, the check
// messages while they stay open, the DO alert dialog opened from its "設定" button with its
// band taken back, and button 1000 opening each on simulated units.
#include "core/app/scripted_user_interface.h"
#include "gui/dialog_registry.h"
#include "gui/do_alert_dialog.h"
#include "gui/five_channel_mail_dialog.h"
#include "gui/main_window.h"
#include "gui/two_channel_mail_dialog.h"
#include "support/gui_controls.h"
#include "support/loopback_adapter.h"
#include "support/simulated_fleet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace kovra;
using namespace kovra::test_support;

namespace {

UnitSettings account()
{
    UnitSettings s;
    s.mailHost = "203.0.113.25";
    s.mailPort = 25;
    s.mailUser = "alert";
    s.mailPass = "secret";
    s.mailFrom = "qx@example.jp";
    return s;
}

TEST(TwoChannelMailDialog, ShowsTheReadConditionsAndKeepsTheDialogOpenOnABadBand)
{
    std::array<AnalogAlert, kTwoChannelAiCount> alerts {};
    alerts[0] = { kAlertConditionInside, false, -16384, 16384 };
    ScriptedUserInterface ui;
    TwoChannelMailForm form(account(), alerts, { 0x04, 0x00 });
    TwoChannelMailDialog dialog(form, ui);
    EXPECT_EQ(dialog.windowTitle(), QString("メールアラート設定"));
    const QStringList labels = shownTexts(dialog);
    for (const char* caption :
        { "送信先メールアドレス1:", "送信先メールアドレス2:", "AI1 (V)", "AI2 (mA)", "DI3" })
        EXPECT_TRUE(labels.contains(caption)) << caption;
    EXPECT_EQ(control<QLineEdit>(dialog, TwoChannelMailDialog::kIdPassword)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(control<QLineEdit>(dialog, TwoChannelMailDialog::kIdMessage)->maxLength(), 32);
    EXPECT_EQ(control<QComboBox>(dialog, TwoChannelMailDialog::kIdFirstCondition)->currentText(),
        QString("範囲内"));
    EXPECT_EQ(control<QLineEdit>(dialog, TwoChannelMailDialog::kIdFirstLow)->text(), QString("-5.0000"));
    EXPECT_EQ(items(control<QComboBox>(dialog, TwoChannelMailDialog::kIdFirstDi + 2)),
        QStringList({ "なし", "ON", "OFF" }));
    EXPECT_EQ(
        control<QComboBox>(dialog, TwoChannelMailDialog::kIdFirstDi + 2)->currentText(), QString("OFF"));

    retype(control<QLineEdit>(dialog, TwoChannelMailDialog::kIdFirstLow), "5");
    retype(control<QLineEdit>(dialog, TwoChannelMailDialog::kIdFirstHigh), "4");
    dialog.show();
    click(dialog, TwoChannelMailDialog::kIdOk);
    ASSERT_FALSE(ui.messages().empty());
    EXPECT_EQ(ui.messages().back(), "AI1の閾値設定が正しくありません。");
    EXPECT_TRUE(dialog.isVisible()) << "a failing check keeps the dialog open";
}

std::array<AnalogMailChannel, kFiveChannelAiMax> channels()
{
    std::array<AnalogMailChannel, kFiveChannelAiMax> rows {};
    rows[0] = { kRangeVoltage10V, uint16_t(3277), 6553, kLedLitInside, true };
    rows[1] = { kRangeCurrent250Ohm, 6553, 32767, kLedLitOutside, false };
    return rows;
}

TEST(FiveChannelMailDialog, ShowsTheUnitsRowsAndTheServerAsItTakesIt)
{
    ScriptedUserInterface ui;
    FiveChannelMailForm form(account(), false, 3, 2, channels(), {});
    FiveChannelMailDialog dialog(form, ui);
    dialog.show();
    EXPECT_TRUE(control<QLineEdit>(dialog, FiveChannelMailDialog::kIdServerAddress)->isVisible());
    EXPECT_EQ(control<QLineEdit>(dialog, FiveChannelMailDialog::kIdServerName), nullptr);
    EXPECT_FALSE(control<QCheckBox>(dialog, FiveChannelMailDialog::kIdAuth)->isVisible());
    EXPECT_FALSE(control<QLineEdit>(dialog, FiveChannelMailDialog::kIdUser)->isVisible());
    EXPECT_TRUE(control<QLineEdit>(dialog, FiveChannelMailDialog::kIdPassword)->isVisible());
    EXPECT_TRUE(control<QComboBox>(dialog, FiveChannelMailDialog::kIdFirstRange + 2)->isVisible());
    EXPECT_FALSE(control<QComboBox>(dialog, FiveChannelMailDialog::kIdFirstRange + 3)->isVisible())
        << "no Ch4";
    EXPECT_EQ(items(control<QComboBox>(dialog, FiveChannelMailDialog::kIdFirstRange)),
        QStringList({ "100mV", "1V", "10V", "30V", "0-20mA(250Ω)", "0-20mA(50Ω)", "℃" }));
    EXPECT_EQ(control<QLineEdit>(dialog, FiveChannelMailDialog::kIdMessage)->maxLength(), 23);

    // A new range shows the same counts in its own unit.
    auto* range = control<QComboBox>(dialog, FiveChannelMailDialog::kIdFirstRange);
    range->setCurrentIndex(range->findData(int(kRangeVoltage1V)));
    emit range->activated(range->currentIndex());
    EXPECT_EQ(control<QLineEdit>(dialog, FiveChannelMailDialog::kIdFirstLow)->text(), QString("0.100009"));

    FiveChannelMailForm named(account(), true, 5, 0, channels(), {});
    FiveChannelMailDialog hostDialog(named, ui);
    hostDialog.show();
    EXPECT_TRUE(control<QLineEdit>(hostDialog, FiveChannelMailDialog::kIdServerName)->isVisible());
    EXPECT_EQ(control<QLineEdit>(hostDialog, FiveChannelMailDialog::kIdServerName)->maxLength(), 50);
    EXPECT_TRUE(control<QCheckBox>(hostDialog, FiveChannelMailDialog::kIdAuth)->isVisible());
    EXPECT_TRUE(control<QComboBox>(hostDialog, FiveChannelMailDialog::kIdFirstRange + 4)->isVisible());
    EXPECT_FALSE(control<QPushButton>(hostDialog, FiveChannelMailDialog::kIdFirstDoSetting)->isVisible());
}

TEST(FiveChannelMailDialog, SettingOpensTheDoAlertDialogAndTheWindowShowsTheBandItGaveBack)
{
    ScriptedUserInterface ui;
    // The DO alert dialog opens as the GUI's interface would open it.
    ui.setDialogFiller([&ui](DialogForm& form) { return openRegisteredDialog(nullptr, form, ui); });
    DoAlertRecords records {};
    records[1] = { true, 1, 0, kDirectionOffPriority };
    FiveChannelMailForm form(account(), false, 3, 2, channels(), records);
    FiveChannelMailDialog dialog(form, ui);
    dialog.show();

    bool sawDoAlert = false;
    QTimer::singleShot(0, [&] {
        auto* doAlert = qobject_cast<DoAlertDialog*>(QApplication::activeModalWidget());
        if (!doAlert)
            return;
        sawDoAlert = true;
        // It opened on DO2's monitored input, AI2, with AI2's row.
        EXPECT_EQ(control<QComboBox>(*doAlert, DoAlertDialog::kIdMonitoredInput)->currentIndex(), 1);
        EXPECT_EQ(
            control<QComboBox>(*doAlert, DoAlertDialog::kIdLedCondition)->currentIndex(), kLedLitOutside);
        typeOver(control<QLineEdit>(*doAlert, DoAlertDialog::kIdLow), "8");
        typeOver(control<QLineEdit>(*doAlert, DoAlertDialog::kIdHigh), "12");
        click(*doAlert, DoAlertDialog::kIdOk);
    });
    click(dialog, FiveChannelMailDialog::kIdFirstDoSetting + 1);
    EXPECT_TRUE(sawDoAlert);
    EXPECT_EQ(
        control<QLineEdit>(dialog, FiveChannelMailDialog::kIdFirstLow + 1)->text(), QString("8.000122"));
    EXPECT_EQ(
        control<QLineEdit>(dialog, FiveChannelMailDialog::kIdFirstHigh + 1)->text(), QString("11.999878"));
    EXPECT_EQ(
        control<QComboBox>(dialog, FiveChannelMailDialog::kIdFirstLed + 1)->currentText(), QString("範囲外"));
    EXPECT_EQ(control<QLineEdit>(dialog, FiveChannelMailDialog::kIdFirstLow)->text(), QString("1.000092"))
        << "AI1's row keeps its own band";
}

TEST(AnalogMailButton, OpensTheVariantOfEachQxUnit)
{
    SimulatedFleet fleet;
    ASSERT_EQ(fleet.start(R"({ "units": [ { "address": "127.0.0.90", "kind": 6, "model": 0 },
        { "address": "127.0.0.91", "kind": 6, "model": 10 } ] })"),
        "");
    MainWindow window("", nullptr, loopbackAdapter);
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    window.show();
    int opened = 0;
    window.userInterface().setDialogOpener([&](QWidget*, DialogForm& form) {
        opened = form.templateId();
        return false;
    });
    auto* list = qobject_cast<QTreeWidget*>(window.control(1012));
    for (const auto& [address, templateId] : { std::pair { "127.0.0.90", kTwoChannelMailTemplateId },
             std::pair { "127.0.0.91", kFiveChannelMailTemplateId } }) {
        qobject_cast<QLineEdit*>(window.control(1205))->setText(address);
        qobject_cast<QPushButton*>(window.control(1002))->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window.model().adding(), 30000);
        const auto found = list->findItems(address, Qt::MatchExactly, 1);
        ASSERT_EQ(found.size(), 1) << address;
        list->clearSelection();
        found.first()->setSelected(true);
        opened = 0;
        qobject_cast<QPushButton*>(window.control(1000))->click();
        QTRY_COMPARE_WITH_TIMEOUT(opened, templateId, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!window.model().settingCommandRunning(), 5000);
    }
}

} // namespace
