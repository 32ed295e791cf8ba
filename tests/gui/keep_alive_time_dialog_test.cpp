#include "core/app/scripted_user_interface.h"
#include "gui/do_modes_dialog.h"
#include "gui/keep_alive_time_dialog.h"
#include "gui/keep_alive_wifi_dialog.h"
#include "gui/udp_keep_alive_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using kovra::KeepAliveTimeDialog;

namespace {

template <typename Widget> Widget* control(QWidget& dialog, int id)
{
    for (Widget* widget : dialog.findChildren<Widget*>()) {
        if (widget->property("controlId").toInt() == id)
            return widget;
    }
    return nullptr;
}

void retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}

TEST(KeepAliveTimeDialog, OkChecksTheSecondsAndCancelLeaves)
{
    kovra::KeepAliveTimeForm form;
    form.setSeconds(30);
    kovra::ScriptedUserInterface ui;
    KeepAliveTimeDialog dialog(form, ui);
    EXPECT_EQ(dialog.windowTitle(), QString("その他の設定"));
    QLineEdit* seconds = control<QLineEdit>(dialog, KeepAliveTimeDialog::kIdKeepAlive);
    ASSERT_NE(seconds, nullptr);
    EXPECT_EQ(seconds->text(), QString("30"));
    ASSERT_NE(dialog.findChild<QLabel*>(), nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), QString("Keepalive time(sec):"));

    dialog.show();
    retype(seconds, "66");
    QTest::mouseClick(control<QPushButton>(dialog, KeepAliveTimeDialog::kIdOk), Qt::LeftButton);
    EXPECT_EQ(ui.messages(), std::vector<std::string> { "Keepaliveは0-65の範囲で設定してください。" });
    EXPECT_TRUE(dialog.isVisible());
    retype(seconds, "65");
    QTest::mouseClick(control<QPushButton>(dialog, KeepAliveTimeDialog::kIdOk), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.seconds(), 65);

    KeepAliveTimeDialog cancelled(form, ui);
    cancelled.show();
    QTest::mouseClick(control<QPushButton>(cancelled, KeepAliveTimeDialog::kIdCancel), Qt::LeftButton);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

// Each open function runs its dialog modally for its own form and returns whether OK closed
// it; another dialog's form opens nothing.
TEST(OtherSettingsDialogs, OpenFunctionsRunTheirOwnFormsOnly)
{
    kovra::UnitSlot unit;
    unit.record.kind = kovra::kKindWifi;
    unit.settings.keepIdle = 1;
    unit.settings.keepInterval = 1;
    unit.settings.keepCount = 1;
    kovra::UdpKeepAliveForm udp(unit.settings);
    kovra::KeepAliveWifiForm wifi(unit);
    kovra::KeepAliveTimeForm time;
    kovra::DoModesForm doModes(kovra::kKindKovra4, 2, {});
    using Open = bool (*)(QWidget*, kovra::DialogForm&, kovra::UserInterface&);
    struct Case {
        const char* name;
        Open open;
        kovra::DialogForm& own;
        kovra::DialogForm& other;
    };
    const Case cases[] = {
        { "udp", kovra::openUdpKeepAliveDialog, udp, time },
        { "wifi", kovra::openKeepAliveWifiDialog, wifi, udp },
        { "time", kovra::openKeepAliveTimeDialog, time, doModes },
        { "do modes", kovra::openDoModesDialog, doModes, wifi },
    };
    kovra::ScriptedUserInterface ui;
    for (const auto& c : cases) {
        EXPECT_FALSE(c.open(nullptr, c.other, ui)) << c.name;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.name;
        for (const int button : { 2, 1 }) { // Cancel, then OK
            QTimer::singleShot(0, [button] {
                QWidget* dialog = QApplication::activeModalWidget();
                ASSERT_NE(dialog, nullptr);
                QTest::mouseClick(control<QPushButton>(*dialog, button), Qt::LeftButton);
            });
            EXPECT_EQ(c.open(nullptr, c.own, ui), button == 1) << c.name << " button " << button;
        }
    }
    EXPECT_TRUE(ui.transcript().empty());
}

} // namespace
