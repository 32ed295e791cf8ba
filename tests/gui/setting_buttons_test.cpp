// The three function buttons in the main window: each opens its unit's dialog, and the
// window keeps painting while the dialog's direct commands wait on a slow unit.
#include "core/app/dialog_form.h"
#include "gui/main_window.h"
#include "support/loopback_adapter.h"
#include "support/simulated_fleet.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace kovra;
using kovra::test_support::loopbackAdapter;

namespace {

// Lists the unit by its address and selects its row.
void addAndSelect(MainWindow& window, const QString& address)
{
    qobject_cast<QLineEdit*>(window.control(1205))->setText(address);
    qobject_cast<QPushButton*>(window.control(1002))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window.model().adding(), 30000);
    auto* list = qobject_cast<QTreeWidget*>(window.control(1012));
    const auto items = list->findItems(address, Qt::MatchExactly, 1);
    ASSERT_EQ(items.size(), 1);
    list->setCurrentItem(items.first());
    items.first()->setSelected(true);
}

} // namespace

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
    QTRY_VERIFY_WITH_TIMEOUT(openedTemplate != 0, 10000);
    const qint64 elapsed = clock.elapsed();
    window.model().waitForFlows();

    EXPECT_EQ(openedTemplate, 147);
    EXPECT_GE(elapsed, 600) << "the dialog opens only after the slow read";
    // A GUI thread blocked on the read would have stalled for the whole of it.
    EXPECT_LT(longestGap, 300);
}
