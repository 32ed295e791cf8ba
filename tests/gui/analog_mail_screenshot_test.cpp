// Screenshots of the QX units' mail dialogs and of the DO alert dialog opened from the
// five-channel dialog's "設定" button, on a real X display: scripts/screenshot-dialogs runs it
// under Xvfb. Skipped in the test command.
#include "core/alerts/two_channel_mail_form.h"
#include "core/app/scripted_user_interface.h"
#include "gui/dialog_registry.h"
#include "gui/five_channel_mail_dialog.h"
#include "support/gui_controls.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kovra;

namespace {

constexpr int kPaintMs = 800;

// Saves the window's frame from the X display.
bool grab(QWidget* window, const QString& file)
{
    const QRect frame = window->frameGeometry();
    const QString crop
        = QString("%1x%2+%3+%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y());
    const int status = QProcess::execute("sh",
        { "-c", QString("xwd -root -silent | convert xwd:- -crop %1 +repage png:'%2'").arg(crop, file) });
    return status == 0 && QFileInfo(file).size() > 0;
}

UnitSettings account()
{
    UnitSettings s;
    s.mailHost = "203.0.113.25";
    s.mailPort = 25;
    s.mailUser = "alert";
    s.mailPass = "secret";
    s.mailFrom = "qx@example.jp";
    s.mailTo1 = "ops@example.jp";
    s.mailSubject = "TANK-1";
    return s;
}

std::array<AnalogMailChannel, kFiveChannelAiMax> channels()
{
    std::array<AnalogMailChannel, kFiveChannelAiMax> rows {};
    rows[0] = { kRangeVoltage10V, uint16_t(3277), 6553, kLedLitInside, true };
    rows[1] = { kRangeCurrent250Ohm, 6553, 32767, kLedLitOutside, false };
    rows[2] = { kRangeTemperature, 100, 300, kLedLitInside, true };
    return rows;
}

TEST(SettingDialogsScreenshot, ShowsTheQxMailDialogsAndTheDoAlertFromItsCaller)
{
    const QString directory = qEnvironmentVariable("KOVRA_SCREENSHOT_DIR");
    if (directory.isEmpty())
        GTEST_SKIP() << "runs from scripts/screenshot-dialogs under Xvfb";
    const auto file = [&](const char* name) { return QDir(directory).filePath(QString("%1.png").arg(name)); };

    std::array<AnalogAlert, kTwoChannelAiCount> alerts {};
    alerts[0] = { kAlertConditionInside, false, -16384, 16384 };
    alerts[1] = { kAlertConditionOutside, false, 6553, 26214 };
    TwoChannelMailForm twoChannel(account(), alerts, { 0x05, 0x01 });
    ScriptedUserInterface ui;
    bool saved = false;
    QTimer::singleShot(kPaintMs, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            saved = grab(dialog, file("two-channel-mail-153"));
            dialog->close();
        }
    });
    openRegisteredDialog(nullptr, twoChannel, ui);
    EXPECT_TRUE(saved);

    // The five-channel dialog, then its DO2 "設定" button and the DO alert dialog it opens.
    ui.setDialogFiller([&ui](DialogForm& form) { return openRegisteredDialog(nullptr, form, ui); });
    DoAlertRecords records {};
    records[1] = { true, 1, 1638, kDirectionOffPriority };
    FiveChannelMailForm fiveChannel(account(), false, 3, 2, channels(), records);
    bool savedFive = false;
    bool savedDoAlert = false;
    QTimer::singleShot(kPaintMs, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        savedFive = grab(dialog, file("five-channel-mail-154"));
        QTimer::singleShot(kPaintMs, [&, dialog] {
            QWidget* doAlert = QApplication::activeModalWidget();
            if (!doAlert || doAlert == dialog)
                return;
            // A window without a parent may open off the display's corner: bring it in view.
            doAlert->move(40, 40);
            QTimer::singleShot(kPaintMs, [&, dialog, doAlert] {
                savedDoAlert = grab(doAlert, file("do-alert-150-from-five-channel"));
                doAlert->close();
                dialog->close();
            });
        });
        test_support::click(*dialog, FiveChannelMailDialog::kIdFirstDoSetting + 1);
    });
    openRegisteredDialog(nullptr, fiveChannel, ui);
    EXPECT_TRUE(savedFive);
    EXPECT_TRUE(savedDoAlert);
}

} // namespace
