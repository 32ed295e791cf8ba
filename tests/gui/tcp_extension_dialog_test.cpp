#include "core/app/scripted_user_interface.h"
#include "core/units/unit_record.h"
#include "gui/tcp_extension_dialog.h"
#include "support/gui_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

using kovra::TcpExtensionDialog;
using kovra::TcpExtensionForm;
using namespace kovra::test_support;

namespace {

constexpr int kAllTimingModel = 1; // kind 3: disconnect, notification, chattering
constexpr int kFineNoticeModel = 32; // notification and chattering, 14 notification rows
constexpr int kMaskModel = 5; // 5 DI

kovra::UnitSettings settings()
{
    kovra::UnitSettings s;
    s.ports = { 10001, 0, 0, 0 };
    s.remoteHosts = { "203.0.113.62", "", "", "" };
    s.remotePorts = { 10001, 0, 0, 0 };
    s.sketchVersion = 127;
    s.eRstOption = 1;
    return s;
}

bool shown(QWidget& dialog, int id)
{
    QWidget* widget = control<QWidget>(dialog, id);
    return widget && widget->isVisibleTo(&dialog);
}

TEST(TcpExtensionDialog, ConnectionOneOnlyUnderTheTemplatesIdsAndCaptions)
{
    TcpExtensionForm form(kovra::kKindWifi, kAllTimingModel, settings(), 0);
    kovra::ScriptedUserInterface ui;
    TcpExtensionDialog dialog(form, ui);
    EXPECT_EQ(dialog.windowTitle(), QString("入力延長"));
    const QStringList captions = shownTexts(dialog);
    for (const char* caption : { "自ポート", "接続先IPアドレス", "接続先ポート", "接続待ち", "接続要求",
             "TCP接続1 : N", "無通信時リセット要求", "個別延長有効", "OK", "キャンセル" })
        EXPECT_TRUE(captions.contains(caption)) << caption;

    EXPECT_EQ(control<QLineEdit>(dialog, 1056)->text(), QString("10001"));
    EXPECT_EQ(control<QLineEdit>(dialog, 1051)->text(), QString("203.0.113.62"));
    EXPECT_EQ(control<QLineEdit>(dialog, 1052)->text(), QString("10001"));
    for (int id : { 1056, 1064, 1051, 1052, 1001, 1002, 1003, 1287, 1, 2 })
        EXPECT_TRUE(shown(dialog, id)) << id;
    // Connection 1 waits and requests on its own; the other connections are other kinds'.
    for (int id : { 1063, 1065, 1059, 1072, 1073, 1057, 1058, 1062, 1075, 1115, 1116, 1127 })
        EXPECT_FALSE(shown(dialog, id)) << id;
    EXPECT_TRUE(control<QCheckBox>(dialog, 1065)->isChecked());
    dialog.show();
    click(dialog, 1064);
    EXPECT_TRUE(control<QCheckBox>(dialog, 1064)->isChecked());

    EXPECT_EQ(control<QComboBox>(dialog, 1001)->count(), 16);
    EXPECT_EQ(items(control<QComboBox>(dialog, 1002)),
        QStringList({ "None", "10sec", "30sec", "60sec", "180sec" }));
    EXPECT_EQ(control<QComboBox>(dialog, 1003)->count(), 17);
    // E_RST is the reset check on this unit.
    EXPECT_TRUE(control<QCheckBox>(dialog, 1287)->isEnabled());
    EXPECT_TRUE(control<QCheckBox>(dialog, 1287)->isChecked());
}

TEST(TcpExtensionDialog, TimingByModelAndTheResetCheckOffWithoutERst)
{
    TcpExtensionForm form(kovra::kKindQx, kFineNoticeModel, settings(), 0);
    kovra::ScriptedUserInterface ui;
    TcpExtensionDialog dialog(form, ui);
    EXPECT_FALSE(shown(dialog, 1001));
    EXPECT_TRUE(shown(dialog, 1002));
    EXPECT_TRUE(shown(dialog, 1003));
    EXPECT_EQ(control<QComboBox>(dialog, 1002)->count(), 14);
    EXPECT_EQ(control<QComboBox>(dialog, 1002)->itemText(0), QString("0.05sec"));
    EXPECT_TRUE(shown(dialog, 1287));
    EXPECT_FALSE(control<QCheckBox>(dialog, 1287)->isEnabled());
    EXPECT_FALSE(control<QCheckBox>(dialog, 1287)->isChecked());
}

TEST(TcpExtensionDialog, IndividualExtensionWhenOffered)
{
    TcpExtensionForm form(kovra::kKindWifi, kMaskModel, settings(), 5);
    form.loadDiMask(0x05);
    kovra::ScriptedUserInterface ui;
    TcpExtensionDialog dialog(form, ui);
    EXPECT_TRUE(shown(dialog, 1115));
    EXPECT_TRUE(control<QCheckBox>(dialog, 1115)->isChecked());
    const int diIds[] = { 1116, 1117, 1118, 1119, 1120, 1125, 1126, 1127 };
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(shown(dialog, diIds[row]), row < 5) << row;
        EXPECT_EQ(control<QCheckBox>(dialog, diIds[row])->isChecked(), row == 0 || row == 2) << row;
    }

    dialog.show();
    // The checks are wider than their captions, which alone take a mouse click.
    auto* individual = control<QCheckBox>(dialog, 1115);
    individual->click();
    EXPECT_FALSE(control<QCheckBox>(dialog, 1117)->isEnabled());
    individual->click();
    control<QCheckBox>(dialog, 1116)->click();
    control<QCheckBox>(dialog, 1117)->click();
    click(dialog, 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.diMask(), 0x06u);
    // E_RST on without a notification is cleared on the way.
    EXPECT_EQ(ui.transcript(),
        std::vector<std::string> {
            "無通信時リセット要求は、定期通知設定をNone以外に設定時の機能です。\n無効とします。" });
    EXPECT_EQ(form.values().eRstOption, 0);
}

} // namespace

namespace {

TEST(TcpExtensionDialog, BinaryKindShowsItsRowsThroughTheMultiCheck)
{
    struct Case {
        int kind;
        bool thirdRow;
    };
    for (const Case& c : { Case { kovra::kKindWired, false }, Case { kovra::kKindWiredGc, true } }) {
        SCOPED_TRACE(c.kind);
        TcpExtensionForm form(c.kind, 2, 0);
        kovra::ExtensionConnections connections;
        connections.ownPorts = { 10001, 0, 0 };
        connections.waits = { true, false, false };
        connections.requests = { true, false };
        connections.hosts = { "203.0.113.95", "0.0.0.0" };
        form.loadConnections(connections);
        kovra::ScriptedUserInterface ui;
        TcpExtensionDialog dialog(form, ui);
        dialog.show();
        EXPECT_TRUE(shown(dialog, 1063));
        EXPECT_TRUE(shown(dialog, 1065)); // connection 1 may connect out or not
        EXPECT_TRUE(control<QCheckBox>(dialog, 1065)->isChecked());
        for (int id : { 1059, 1072, 1073, 1057, 1058, 1062, 1075 })
            EXPECT_FALSE(shown(dialog, id)) << id;
        click(dialog, 1063);
        for (int id : { 1059, 1072, 1073, 1057, 1058 })
            EXPECT_TRUE(shown(dialog, id)) << id;
        EXPECT_EQ(shown(dialog, 1062), c.thirdRow);
        EXPECT_EQ(shown(dialog, 1075), c.thirdRow);
        click(dialog, 1065);
        click(dialog, 1064); // connection 1 keeps waiting
        EXPECT_TRUE(control<QCheckBox>(dialog, 1064)->isChecked());
        EXPECT_FALSE(form.requestChecked(0));
        click(dialog, 1063);
        EXPECT_FALSE(shown(dialog, 1059));
        EXPECT_FALSE(form.more());
    }
}

} // namespace
