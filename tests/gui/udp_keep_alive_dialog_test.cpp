#include "core/app/scripted_user_interface.h"
#include "gui/udp_keep_alive_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using kovra::UdpKeepAliveDialog;

namespace {

template <typename Widget> Widget* control(QWidget& dialog, int id)
{
    for (Widget* widget : dialog.findChildren<Widget*>()) {
        if (widget->property("controlId").toInt() == id)
            return widget;
    }
    return nullptr;
}

QStringList labelTexts(QWidget& dialog)
{
    QStringList texts;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

void retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}

kovra::UnitSettings settings(int sockMode)
{
    kovra::UnitSettings s;
    s.sockMode = sockMode;
    s.keepIdle = 60;
    s.keepInterval = 10;
    s.keepCount = 5;
    return s;
}

void pressOk(QWidget& dialog)
{
    QTest::mouseClick(control<QPushButton>(dialog, UdpKeepAliveDialog::kIdOk), Qt::LeftButton);
}

TEST(UdpKeepAliveDialog, ShowsTheFormsValuesUnderTheTemplatesIdsAndCaptions)
{
    kovra::UdpKeepAliveForm form(settings(0));
    form.setSpsIndex(4);
    kovra::ScriptedUserInterface ui;
    UdpKeepAliveDialog dialog(form, ui);
    EXPECT_EQ(dialog.windowTitle(), QString("その他の設定"));

    const std::pair<int, const char*> edits[] = {
        { UdpKeepAliveDialog::kIdKeepIdle, "60" },
        { UdpKeepAliveDialog::kIdKeepInterval, "10" },
        { UdpKeepAliveDialog::kIdKeepCount, "5" },
    };
    for (const auto& [id, text] : edits) {
        QLineEdit* edit = control<QLineEdit>(dialog, id);
        ASSERT_NE(edit, nullptr) << id;
        EXPECT_EQ(edit->text(), QString(text)) << id;
    }
    QCheckBox* udpMode = control<QCheckBox>(dialog, UdpKeepAliveDialog::kIdUdpMode);
    ASSERT_NE(udpMode, nullptr);
    EXPECT_EQ(udpMode->text(), QString("UDP通信モード"));
    EXPECT_FALSE(udpMode->isChecked());
    QComboBox* rates = control<QComboBox>(dialog, UdpKeepAliveDialog::kIdSamplingRate);
    ASSERT_NE(rates, nullptr);
    QStringList items;
    for (int i = 0; i < rates->count(); ++i)
        items << rates->itemText(i);
    EXPECT_EQ(items,
        QStringList({ "10sps", "16.6sps", "50sps", "60sps", "400sps", "1200sps", "3600sps", "14400sps" }));
    EXPECT_EQ(rates->currentText(), QString("400sps"));
    const QStringList labels = labelTexts(dialog);
    for (const char* caption : { "Keepalive idle(sec):", "Keepalive interval(sec):", "Keepalive count(sec):",
             "ADCサンプリングSPS:" })
        EXPECT_TRUE(labels.contains(caption)) << caption;
    EXPECT_NE(control<QPushButton>(dialog, UdpKeepAliveDialog::kIdOk), nullptr);
    EXPECT_NE(control<QPushButton>(dialog, UdpKeepAliveDialog::kIdCancel), nullptr);

    // A mode value the list does not have shows no row; choosing one takes it.
    kovra::UdpKeepAliveForm odd(settings(0));
    odd.setSpsIndex(12);
    UdpKeepAliveDialog oddDialog(odd, ui);
    QComboBox* oddRates = control<QComboBox>(oddDialog, UdpKeepAliveDialog::kIdSamplingRate);
    EXPECT_EQ(oddRates->currentIndex(), -1);
    oddRates->setCurrentIndex(1);
    EXPECT_EQ(odd.spsIndex(), 1);
}

TEST(UdpKeepAliveDialog, AFailingCheckShowsItsMessageAndKeepsTheDialogOpen)
{
    kovra::UdpKeepAliveForm form(settings(0));
    kovra::ScriptedUserInterface ui(true);
    UdpKeepAliveDialog dialog(form, ui);
    dialog.show();
    retype(control<QLineEdit>(dialog, UdpKeepAliveDialog::kIdKeepInterval), "65536");
    pressOk(dialog);
    EXPECT_EQ(ui.messages(), std::vector<std::string> { "設定値エラー" });
    EXPECT_TRUE(dialog.isVisible());

    retype(control<QLineEdit>(dialog, UdpKeepAliveDialog::kIdKeepInterval), "65535");
    pressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.keepInterval(), 65535);
}

TEST(UdpKeepAliveDialog, NoToUdpModeClearsTheCheckAndKeepsTheDialogOpen)
{
    kovra::UdpKeepAliveForm form(settings(0));
    kovra::ScriptedUserInterface ui;
    ui.queueAnswer(false);
    UdpKeepAliveDialog dialog(form, ui);
    dialog.show();
    QCheckBox* udpMode = control<QCheckBox>(dialog, UdpKeepAliveDialog::kIdUdpMode);
    udpMode->click();
    pressOk(dialog);
    EXPECT_EQ(ui.transcript().size(), 1u);
    EXPECT_FALSE(udpMode->isChecked());
    EXPECT_TRUE(dialog.isVisible());

    pressOk(dialog);
    EXPECT_EQ(ui.transcript().size(), 1u) << "off again: no question";
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(form.udpMode());
}

TEST(UdpKeepAliveDialog, CancelLeavesWithoutChecking)
{
    kovra::UdpKeepAliveForm form(settings(0));
    kovra::ScriptedUserInterface ui;
    UdpKeepAliveDialog dialog(form, ui);
    dialog.show();
    retype(control<QLineEdit>(dialog, UdpKeepAliveDialog::kIdKeepIdle), "0");
    QTest::mouseClick(control<QPushButton>(dialog, UdpKeepAliveDialog::kIdCancel), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(ui.transcript().empty());
}

} // namespace
