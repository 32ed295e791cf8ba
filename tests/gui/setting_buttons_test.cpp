// The three function buttons in the main window: each opens its unit's dialog, and the
// window keeps painting while the dialog's direct commands wait on a slow unit.
#include "core/app/dialog_form.h"
#include "gui/main_window.h"
#include "support/loopback_adapter.h"
#include "support/main_window_units.h"
#include "support/message_box_closer.h"
#include "support/simulated_fleet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace kovra;
using kovra::test_support::addAndSelect;
using kovra::test_support::loopbackAdapter;
using kovra::test_support::MessageBoxCloser;

TEST(SettingButtons, WindowKeepsPaintingWhileTheDialogsDirectCommandsWait)
{
    // Every answer of this unit comes 700 ms late: the mode value read before its dialog too.
    test_support::SimulatedFleet fleet;
    ASSERT_EQ(fleet.start(
                  R"({ "units": [ { "address": "127.0.0.80", "kind": 6, "model": 6, "latencyMs": 700 } ] })"),
        "");
    MainWindow window("", nullptr, loopbackAdapter);
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    window.show();
    addAndSelect(window, "127.0.0.80");

    int openedTemplate = 0;
    window.userInterface().setDialogOpener([&](QWidget*, DialogForm& form) {
        openedTemplate = form.templateId();
        return false;
    });
    QElapsedTimer clock;
    qint64 longestGap = 0;
    qint64 last = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, clock.elapsed() - last);
        last = clock.elapsed();
    });
    clock.start();
    ticker.start(10);
    qobject_cast<QPushButton*>(window.control(1009))->click();
    EXPECT_FALSE(window.control(1001)->isEnabled()) << "no search while the command holds the unit";
    QTRY_VERIFY_WITH_TIMEOUT(openedTemplate != 0, 10000);
    const qint64 elapsed = clock.elapsed();
    QTRY_VERIFY_WITH_TIMEOUT(!window.model().settingCommandRunning(), 5000);
    EXPECT_TRUE(window.control(1001)->isEnabled());
    EXPECT_TRUE(window.control(1029)->isEnabled()) << "the address group is back for the selected unit";

    EXPECT_EQ(openedTemplate, 147);
    EXPECT_GE(elapsed, 600) << "the dialog opens only after the slow read";
    // A GUI thread blocked on the read would have stalled for the whole of it.
    EXPECT_LT(longestGap, 300);
}

// On the bench with the demo fleet (run by tests/e2e/other_settings_bench.sh): after a search,
// each function button opens the unit's own dialog, and the units without one say why.
TEST(BenchSettingButtons, EachButtonOpensTheUnitsDialogOnTheDemoFleet)
{
    if (!std::getenv("KOVRA_NETBENCH") || !std::getenv("KOVRA_DEMO_FLEET"))
        GTEST_SKIP() << "runs inside scripts/netbench from tests/e2e/other_settings_bench.sh";
    constexpr int kMail = 1000;
    constexpr int kExtension = 1008;
    constexpr int kOther = 1009;
    struct Case {
        const char* address;
        int button;
        int templateId; // 0: refused with `message`
        const char* message;
    };
    const Case cases[] = {
        { "203.0.113.64", kOther, 147, "" }, // kind 6
        { "203.0.113.60", kOther, 141, "" }, // kind 3, 1.27
        { "203.0.113.13", kOther, 140, "" }, // kind 0
        { "203.0.113.62", kOther, 143, "" }, // kind 5
        { "203.0.113.30", kOther, 143, "" }, // kind 4
        { "203.0.113.17", kOther, 132, "" }, // model 8
        { "203.0.113.20", kOther, 132, "" }, // model 11
        { "203.0.113.21", kOther, 136, "" }, // model 12
        { "203.0.113.81", kOther, 0, "その他の機能なし" }, // kind 3, 1.05
        { "198.18.0.10", kOther, 0, "このIPアドレスのデバイスとは通信できません。" }, // another subnet
        { "203.0.113.62", kMail, 151, "" }, // kind 5: one entry per DI
        { "203.0.113.60", kMail, 152, "" }, // kind 3: one account
        { "203.0.113.70", kMail, 0, "このデバイスには設定できません。" }, // the Wi-Fi module
        { "203.0.113.84", kMail, 151, "" }, // kind 5 at 1.02 with Modbus TCP: not stopped
        { "203.0.113.90", kMail, 153, "" }, // kind 6: the two-channel dialog
        { "203.0.113.91", kMail, 154, "" }, // kind 6 model 10: the five-channel dialog
        { "203.0.113.87", kMail, 155, "" }, // kind 1: the classic dialog, records read first
        { "203.0.113.17", kMail, 155, "" }, // model 8: the classic dialog's analog rows
        { "203.0.113.62", kExtension, 145, "" }, // kind 5: four connections
        { "203.0.113.83", kExtension, 145, "" }, // kind 7
        { "203.0.113.64", kExtension, 131, "" }, // kind 6: connection 1
        { "203.0.113.60", kExtension, 131, "" }, // kind 3
        { "203.0.113.13", kExtension, 131, "" }, // kind 0: connections 1 and 2 from the records
        { "203.0.113.94", kExtension, 131, "" }, // kind 1: and connections 3,4
        { "203.0.113.95", kExtension, 131, "" }, // kind 4
        { "203.0.113.70", kExtension, 131, "" }, // kind 2: the module's tunnels
    };
    MessageBoxCloser closer;
    MainWindow window("");
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    window.show();
    qobject_cast<QPushButton*>(window.control(1001))->click();
    QTRY_VERIFY_WITH_TIMEOUT(window.control(1001)->isEnabled(), 60000);

    int opened = 0;
    window.userInterface().setDialogOpener([&](QWidget*, DialogForm& form) {
        opened = form.templateId();
        return false;
    });
    auto* list = qobject_cast<QTreeWidget*>(window.control(1012));
    for (const Case& c : cases) {
        opened = 0;
        const auto items = list->findItems(c.address, Qt::MatchExactly, 1);
        ASSERT_EQ(items.size(), 1) << c.address;
        list->clearSelection();
        items.first()->setSelected(true);
        const int messagesBefore = closer.texts().size();
        qobject_cast<QPushButton*>(window.control(c.button))->click();
        if (c.templateId != 0) {
            QTRY_COMPARE_WITH_TIMEOUT(opened, c.templateId, 10000);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(closer.texts().size() > messagesBefore, 10000);
            EXPECT_EQ(closer.texts().last().toStdString(), c.message) << c.address;
        }
        QTRY_VERIFY_WITH_TIMEOUT(!window.model().settingCommandRunning(), 10000);
    }
}
