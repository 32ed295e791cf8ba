// Opens each setting dialog as a unit of its kind would get it, on a real X display,
// and saves a screenshot of each: scripts/screenshot-dialogs runs it under Xvfb. Skipped in
// the test command.
#include "core/alerts/mail_alert_paths.h"
#include "core/app/scripted_user_interface.h"
#include "core/functions/extension_setup_image.h"
#include "core/functions/input_extension_paths.h"
#include "core/functions/other_settings_paths.h"
#include "gui/dialog_registry.h"
#include "support/language_guard.h"
#include "support/screen_grab.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

using namespace kovra;

namespace {

struct Shot {
    const char* name;
    int kind;
    int model;
    int sketch;
    std::unique_ptr<DialogPath> (*make)(const UnitSlot&);
};

UnitSlot unitFor(const Shot& shot)
{
    UnitSlot unit;
    unit.record.kind = shot.kind;
    unit.record.modelIndex = shot.model;
    unit.record.ipText = "203.0.113.60";
    unit.record.sameSubnet = true;
    unit.record.subnetMask = makeIpv4(255, 255, 255, 0);
    unit.record.gateway = makeIpv4(203, 0, 113, 1);
    unit.settings.sketchVersion = shot.sketch;
    unit.settings.keepIdle = 60;
    unit.settings.keepInterval = 12;
    unit.settings.keepCount = 5;
    unit.settings.wifiSsid = "kovra-line1";
    unit.settings.wifiPass = "secret";
    unit.settings.apChannel = 6;
    unit.settings.doMode[1] = 1;
    unit.settings.doMode[2] = 2;
    unit.settings.doOneShot[2] = 15;
    unit.settings.ports = { 10001, 10002, 0, 0 };
    unit.settings.remoteHosts[0] = "203.0.113.83";
    unit.settings.remotePorts = { 10001, 10001, 0, 0 };
    unit.settings.notice = 30000;
    unit.settings.detect = 4;
    unit.settings.mailMode[0] = 2;
    unit.settings.mailHosts[0] = "smtp.example.net";
    unit.settings.mailPorts[0] = 587;
    unit.settings.mailUsers[0] = "line1-alert";
    unit.settings.mailPasses[0] = "secret";
    unit.settings.mailFroms[0] = "kovra@example.net";
    unit.settings.mailTo1s[0] = "ops@example.net";
    unit.settings.mailSubjects[0] = "DI1 ON";
    return unit;
}

TEST(SettingDialogsScreenshot, ShowsEachDialog)
{
    const QString directory = qEnvironmentVariable("KOVRA_SCREENSHOT_DIR");
    if (directory.isEmpty())
        GTEST_SKIP() << "runs from scripts/screenshot-dialogs under Xvfb";
    // In the language the program would choose here: LANG=en_US.UTF-8 gives the English dialogs.
    test_support::LanguageGuard language(chooseLanguage(""));
    const Shot shots[] = {
        { "udp-keep-alive-147", 6, 6, 0, makeUdpKeepAlivePath },
        { "keep-alive-wifi-141", 3, 1, 127, makeKeepAliveWifiPath },
        { "keep-alive-wifi-141-short", 3, 4, 115, makeKeepAliveWifiPath },
        { "keep-alive-time-140", 0, 3, 0, makeKeepAliveTimePath },
        { "do-modes-143", 5, 27, 104, makeDoModesPath },
        { "analog-settings-132-ai", 0, 8, 0, makeAnalogSettingsPath },
        { "analog-settings-132-ao", 0, 11, 0, makeAnalogSettingsPath },
        { "thermo-settings-136", 0, 12, 0, makeThermoSettingsPath },
        { "entry-mail-151", 5, 25, 104, makeEntryMailPath },
        { "classic-mail-155-host-name", 1, 6, 0, makeClassicMailPath },
        { "classic-mail-155-address-analog", 0, 8, 0, makeClassicMailPath },
        { "connections-145-layout1", 5, 25, 104, makeConnectionsPath },
        { "connections-145-layout2", 7, 5, 100, makeConnectionsPath },
        { "tcp-extension-131", 3, 1, 127,
            [](const UnitSlot& unit) { return makeTcpExtensionPath(unit, false); } },
        { "tcp-extension-131-individual", 3, 2, 127,
            [](const UnitSlot& unit) { return makeTcpExtensionPath(unit, true); } },
        { "tcp-extension-131-records", 1, 2, 0,
            [](const UnitSlot& unit) {
                // A unit extending to its peer over connection 1 with connections 2 and 3,4 open.
                UnitSlot linked = unit;
                ExtensionSetupImage image;
                image.ownPorts = { 10001, 10005, 10006 };
                image.roles = { 0xC1, 0xC0, 0xC0 };
                image.destinations = { makeIpv4(203, 0, 113, 95), 0 };
                image.destinationPorts = { 10001, 0 };
                writeExtensionSetupImage(linked.record, image);
                return makeExtensionRecordsPath(linked);
            } },
    };
    for (const Shot& shot : shots) {
        const auto path = shot.make(unitFor(shot));
        ScriptedUserInterface ui;
        bool saved = false;
        QTimer::singleShot(800, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                saved = test_support::grabWindow(
                    *dialog, QDir(directory).filePath(QString("%1.png").arg(shot.name)));
                dialog->close();
            }
        });
        openRegisteredDialog(nullptr, path->form(), ui);
        EXPECT_TRUE(saved) << shot.name;
    }
}

} // namespace
