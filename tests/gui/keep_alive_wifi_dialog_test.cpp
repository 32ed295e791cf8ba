#include "core/app/scripted_user_interface.h"
#include "gui/keep_alive_wifi_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using kovra::KeepAliveWifiDialog;

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

void pressOk(QWidget& dialog)
{
    QTest::mouseClick(control<QPushButton>(dialog, KeepAliveWifiDialog::kIdOk), Qt::LeftButton);
}

kovra::UnitSlot wifiUnit(int sketchVersion)
{
    kovra::UnitSlot unit;
    unit.record.kind = kovra::kKindWifi;
    unit.record.ipText = "203.0.113.44";
    unit.record.subnetMask = kovra::makeIpv4(255, 255, 255, 0);
    unit.record.gateway = kovra::makeIpv4(203, 0, 113, 1);
    unit.settings.sketchVersion = sketchVersion;
    unit.settings.keepIdle = 60;
    unit.settings.keepInterval = 10;
    unit.settings.keepCount = 5;
    unit.settings.apMode = 1;
    unit.settings.apChannel = 6;
    unit.settings.wifiSsid = "plant";
    unit.settings.wifiPass = "secret-1";
    return unit;
}

const int kWifiControls[] = { KeepAliveWifiDialog::kIdStation, KeepAliveWifiDialog::kIdAccessPoint,
    KeepAliveWifiDialog::kIdSsid, KeepAliveWifiDialog::kIdPassword, KeepAliveWifiDialog::kIdAddress,
    KeepAliveWifiDialog::kIdMask, KeepAliveWifiDialog::kIdGateway, KeepAliveWifiDialog::kIdChannel };

TEST(KeepAliveWifiDialog, ShowsTheFormsValuesUnderTheTemplatesIdsAndCaptions)
{
    kovra::KeepAliveWifiForm form(wifiUnit(120));
    kovra::ScriptedUserInterface ui;
    KeepAliveWifiDialog dialog(form, ui);
    EXPECT_EQ(dialog.windowTitle(), QString("その他の設定"));

    const std::pair<int, const char*> edits[] = {
        { KeepAliveWifiDialog::kIdKeepIdle, "60" },
        { KeepAliveWifiDialog::kIdKeepInterval, "10" },
        { KeepAliveWifiDialog::kIdKeepCount, "5" },
        { KeepAliveWifiDialog::kIdSsid, "plant" },
        { KeepAliveWifiDialog::kIdPassword, "secret-1" },
        { KeepAliveWifiDialog::kIdAddress, "203.0.113.44" },
        { KeepAliveWifiDialog::kIdMask, "255.255.255.0" },
        { KeepAliveWifiDialog::kIdGateway, "203.0.113.1" },
        { KeepAliveWifiDialog::kIdChannel, "6" },
    };
    for (const auto& [id, text] : edits) {
        QLineEdit* edit = control<QLineEdit>(dialog, id);
        ASSERT_NE(edit, nullptr) << id;
        EXPECT_EQ(edit->text(), QString(text)) << id;
    }
    for (const int id : { KeepAliveWifiDialog::kIdKeepIdle, KeepAliveWifiDialog::kIdKeepInterval,
             KeepAliveWifiDialog::kIdKeepCount })
        EXPECT_EQ(control<QLineEdit>(dialog, id)->maxLength(), 5) << id;

    QRadioButton* station = control<QRadioButton>(dialog, KeepAliveWifiDialog::kIdStation);
    QRadioButton* accessPoint = control<QRadioButton>(dialog, KeepAliveWifiDialog::kIdAccessPoint);
    ASSERT_NE(station, nullptr);
    ASSERT_NE(accessPoint, nullptr);
    EXPECT_EQ(station->text(), QString("STAモード"));
    EXPECT_EQ(accessPoint->text(), QString("APモード"));
    EXPECT_TRUE(accessPoint->isChecked());
    station->click();
    EXPECT_EQ(form.apMode(), kovra::KeepAliveWifiForm::kStation);

    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    for (const char* caption :
        { "Keepalive idle(sec):", "Keepalive interval(sec):", "Keepalive count(sec):", "SSID:", "パスワード:",
            "IPアドレス:", "サブネットマスク:", "デフォルトゲートウェイ:", "チャンネル:" })
        EXPECT_TRUE(labels.contains(caption)) << caption;
}

TEST(KeepAliveWifiDialog, WifiPartIsHiddenAndDisabledWhereTheUnitHasNone)
{
    struct Case {
        int sketchVersion;
        bool live;
    };
    for (const Case c : { Case { 115, false }, Case { 99, true }, Case { 119, true } }) {
        kovra::KeepAliveWifiForm form(wifiUnit(c.sketchVersion));
        kovra::ScriptedUserInterface ui;
        KeepAliveWifiDialog dialog(form, ui);
        dialog.show();
        for (const int id : kWifiControls) {
            QWidget* widget = control<QWidget>(dialog, id);
            ASSERT_NE(widget, nullptr) << id;
            EXPECT_EQ(widget->isVisible(), c.live) << c.sketchVersion << " " << id;
            EXPECT_EQ(widget->isEnabled(), c.live) << c.sketchVersion << " " << id;
        }
        EXPECT_TRUE(control<QWidget>(dialog, KeepAliveWifiDialog::kIdKeepIdle)->isVisible());
    }
}

TEST(KeepAliveWifiDialog, OkShowsTheFirstFailingCheckThenAsksAboutTheWifiChange)
{
    kovra::KeepAliveWifiForm form(wifiUnit(120));
    kovra::ScriptedUserInterface ui;
    KeepAliveWifiDialog dialog(form, ui);
    dialog.show();

    QLineEdit* idle = control<QLineEdit>(dialog, KeepAliveWifiDialog::kIdKeepIdle);
    retype(idle, "655360");
    EXPECT_EQ(idle->text(), QString("65536"));
    retype(control<QLineEdit>(dialog, KeepAliveWifiDialog::kIdMask), "255.255.255.255");
    pressOk(dialog);
    retype(idle, "65535");
    pressOk(dialog);
    EXPECT_EQ(ui.messages(), (std::vector<std::string> { "設定値エラー", "サブネットマスクが不正です。" }));
    EXPECT_TRUE(dialog.isVisible());

    // A valid mask is a Wi-Fi change: Cancel keeps the dialog open, OK closes it.
    retype(control<QLineEdit>(dialog, KeepAliveWifiDialog::kIdMask), "255.255.0.0");
    ui.queueAnswer(false);
    pressOk(dialog);
    EXPECT_TRUE(dialog.isVisible());
    ui.queueAnswer(true);
    pressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ui.transcript().size(), 4u);
    EXPECT_EQ(form.maskText(), "255.255.0.0");
    EXPECT_EQ(form.keepIdle(), 65535);
}

} // namespace
