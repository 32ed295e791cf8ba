#include "core/app/scripted_user_interface.h"
#include "core/units/unit_record.h"
#include "gui/connections_dialog.h"
#include "support/gui_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using kovra::ConnectionsDialog;
using kovra::ConnectionsForm;
using namespace kovra::test_support;

namespace {

constexpr int kMappingModel = 25; // 2 DI, 2 DO
constexpr int kChecksModel = 5; // 5 DI

kovra::UnitSettings settings(int sockMode = kovra::kSockNormal)
{
    kovra::UnitSettings s;
    s.ports = { 10001, 10002, 0, 0 };
    s.remoteHosts = { "203.0.113.83", "0.0.0.0", "", "" };
    s.remotePorts = { 10005, 0, 0, 0 };
    s.discon = -1;
    s.notice = 30000;
    s.detect = 7;
    s.sketchVersion = 104;
    s.sockMode = sockMode;
    s.diExtension = { 1, -1, 3, -1, -1, -1, -1, -1 };
    s.doExtension = { -1, 0, -1, -1, -1, -1, -1, -1 };
    return s;
}

TEST(ConnectionsDialog, ShowsTheUnitsValuesUnderTheirIdsAndCaptions)
{
    ConnectionsForm form(kovra::kKindKovra4, kMappingModel, settings());
    kovra::ScriptedUserInterface ui;
    ConnectionsDialog dialog(form, ui);
    EXPECT_EQ(dialog.windowTitle(), QString("入力延長"));
    const QStringList captions = shownTexts(dialog);
    for (const char* caption : { "自ポート", "接続先IPアドレス", "接続先ポート", "対向機の出力ポート",
             "対向機の入力ポート", "DI1:", "DI2:", "DO1:", "DO2:" })
        EXPECT_TRUE(captions.contains(caption)) << caption;

    const auto& first = ConnectionsDialog::kConnectionIds[0];
    EXPECT_EQ(control<QLineEdit>(dialog, first.port)->text(), QString("10001"));
    EXPECT_EQ(control<QLineEdit>(dialog, first.host)->text(), QString("203.0.113.83"));
    EXPECT_EQ(control<QLineEdit>(dialog, first.hostPort)->text(), QString("10005"));
    EXPECT_EQ(control<QLineEdit>(dialog, ConnectionsDialog::kConnectionIds[1].host)->text(), QString());
    EXPECT_EQ(control<QLineEdit>(dialog, ConnectionsDialog::kConnectionIds[2].port)->text(), QString());
    EXPECT_EQ(control<QLineEdit>(dialog, first.host)->maxLength(), 128);
    EXPECT_EQ(control<QLineEdit>(dialog, first.port)->maxLength(), 5);

    EXPECT_EQ(control<QComboBox>(dialog, ConnectionsDialog::kIdDiscon)->currentText(), QString("None"));
    EXPECT_EQ(control<QComboBox>(dialog, ConnectionsDialog::kIdNotice)->currentText(), QString("30sec"));
    EXPECT_EQ(items(control<QComboBox>(dialog, ConnectionsDialog::kIdDetect)).size(), 17);
    EXPECT_EQ(control<QComboBox>(dialog, ConnectionsDialog::kIdDetect)->currentText(), QString("7ms"));
    EXPECT_EQ(control<QCheckBox>(dialog, ConnectionsDialog::kIdResetRequest)->text(),
        QString("無通信時リセット要求"));
    QComboBox* di1 = control<QComboBox>(dialog, ConnectionsDialog::kDiComboIds[0]);
    EXPECT_EQ(items(di1).first(), QString("延長しない"));
    EXPECT_EQ(di1->currentText(), QString("DO2"));
    QComboBox* do2 = control<QComboBox>(dialog, ConnectionsDialog::kDoComboIds[1]);
    EXPECT_EQ(items(do2).first(), QString("反映しない"));
    EXPECT_EQ(do2->currentText(), QString("DI1"));
    EXPECT_EQ(
        control<QPushButton>(dialog, ConnectionsDialog::kIdResetMapping)->text(), QString("初期状態に戻す"));

    const char* const modes[] = { "通常モード", "UDP通信モード", "旧KOVRAモード", "ModbusTCPモード" };
    for (size_t mode = 0; mode < 4; ++mode)
        EXPECT_EQ(
            control<QRadioButton>(dialog, ConnectionsDialog::kModeIds[mode])->text(), QString(modes[mode]));
    EXPECT_TRUE(control<QRadioButton>(dialog, ConnectionsDialog::kModeIds[kovra::kSockNormal])->isChecked());
}

TEST(ConnectionsDialog, LayoutsAndRadiosShowWhatTheUnitHas)
{
    kovra::ScriptedUserInterface ui;
    ConnectionsForm checks(kovra::kKindThirdName, kChecksModel, settings());
    ConnectionsDialog checksDialog(checks, ui);
    EXPECT_TRUE(shownTexts(checksDialog).contains("個別延長設定"));
    EXPECT_TRUE(shownTexts(checksDialog).contains("チェック状態の入力が、対向機へ延長されます。"));
    for (size_t row = 0; row < ConnectionsDialog::kDiCheckIds.size(); ++row) {
        QCheckBox* check = control<QCheckBox>(checksDialog, ConnectionsDialog::kDiCheckIds[row]);
        EXPECT_EQ(check->isHidden(), row >= 5) << row;
        EXPECT_EQ(check->isChecked(), row == 0 || row == 2) << row;
    }
    EXPECT_FALSE(
        control<QRadioButton>(checksDialog, ConnectionsDialog::kModeIds[kovra::kSockOld])->isHidden());

    kovra::UnitSettings old = settings();
    old.sketchVersion = 102;
    ConnectionsForm kind5(kovra::kKindKovra4, kMappingModel, old);
    ConnectionsDialog kind5Dialog(kind5, ui);
    EXPECT_TRUE(control<QRadioButton>(kind5Dialog, ConnectionsDialog::kModeIds[kovra::kSockOld])->isHidden());
    EXPECT_TRUE(
        control<QRadioButton>(kind5Dialog, ConnectionsDialog::kModeIds[kovra::kSockModbus])->isHidden());

    ConnectionsForm noDis(kovra::kKindThirdName, 4, settings());
    ConnectionsDialog noDisDialog(noDis, ui);
    for (const int id :
        { ConnectionsDialog::kIdDiscon, ConnectionsDialog::kIdNotice, ConnectionsDialog::kIdDetect })
        EXPECT_FALSE(control<QWidget>(noDisDialog, id)->isVisibleTo(&noDisDialog)) << id;
    EXPECT_FALSE(
        control<QWidget>(noDisDialog, ConnectionsDialog::kIdResetRequest)->isVisibleTo(&noDisDialog));
    EXPECT_FALSE(
        control<QWidget>(noDisDialog, ConnectionsDialog::kIdResetMapping)->isVisibleTo(&noDisDialog));
}

TEST(ConnectionsDialog, TheModeRadiosSwitchTheControlsAndTheKeysShowOldMode)
{
    ConnectionsForm form(kovra::kKindKovra4, kMappingModel, settings(kovra::kSockUdp));
    kovra::ScriptedUserInterface ui;
    ConnectionsDialog dialog(form, ui);
    dialog.show();
    auto enabled = [&dialog](int id) { return control<QWidget>(dialog, id)->isEnabled(); };
    const int port = ConnectionsDialog::kConnectionIds[0].port;
    const int di1 = ConnectionsDialog::kDiComboIds[0];
    EXPECT_TRUE(enabled(port) && enabled(ConnectionsDialog::kIdResetRequest) && enabled(di1));

    click(dialog, ConnectionsDialog::kModeIds[kovra::kSockModbus]);
    EXPECT_FALSE(enabled(port) || enabled(ConnectionsDialog::kIdDiscon)
        || enabled(ConnectionsDialog::kIdResetRequest) || enabled(di1)
        || enabled(ConnectionsDialog::kIdResetMapping));

    QRadioButton* old = control<QRadioButton>(dialog, ConnectionsDialog::kModeIds[kovra::kSockOld]);
    EXPECT_TRUE(old->isHidden());
    QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
    for (const auto key : { Qt::Key_O, Qt::Key_X, Qt::Key_L, Qt::Key_D })
        QTest::keyClick(target, key);
    EXPECT_FALSE(old->isHidden());
    click(dialog, ConnectionsDialog::kModeIds[kovra::kSockOld]);
    EXPECT_TRUE(enabled(port) && enabled(ConnectionsDialog::kIdDiscon));
    EXPECT_FALSE(enabled(ConnectionsDialog::kIdResetRequest) || enabled(di1));
}

TEST(ConnectionsDialog, NoToLeavingNormalModeKeepsTheDialogOpenOnNormal)
{
    ConnectionsForm form(kovra::kKindKovra4, kMappingModel, settings());
    kovra::ScriptedUserInterface ui;
    ui.queueAnswer(false);
    ConnectionsDialog dialog(form, ui);
    dialog.show();
    retype(control<QLineEdit>(dialog, ConnectionsDialog::kConnectionIds[1].port), "10001");
    click(dialog, ConnectionsDialog::kIdOk);
    retype(control<QLineEdit>(dialog, ConnectionsDialog::kConnectionIds[1].port), "10003");
    click(dialog, ConnectionsDialog::kModeIds[kovra::kSockUdp]);
    click(dialog, ConnectionsDialog::kIdOk);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(control<QRadioButton>(dialog, ConnectionsDialog::kModeIds[kovra::kSockNormal])->isChecked());
    EXPECT_EQ(ui.transcript(),
        (std::vector<std::string> { "接続待ちポート設定は全て違う番号に設定してください。",
            "?TCP通信モード以外では、弊社ツールが動作しない等、挙動が大きく変わります。\n切り替えますか"
            "？" }));

    click(dialog, ConnectionsDialog::kIdOk);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.values().ports[1], 10003);
    EXPECT_EQ(form.values().sockMode, kovra::kSockNormal);
}

} // namespace
