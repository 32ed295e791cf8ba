// The diagnosis window: opened from the device list's context menu, it shows the report of a
// diagnosis that ran off the GUI thread, and runs it again on request.
#include "gui/diagnosis_window.h"
#include "gui/main_window.h"
#include "support/loopback_adapter.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <atomic>
#include <gtest/gtest.h>

using namespace kovra;

namespace {

// A report with one of each finding, as a probe would return it.
FleetDiagnosis cannedReport(const FleetProbeSetup& setup)
{
    FleetDiagnosis report;
    report.adapter = { true, adapterLine(*setup.adapter), setup.adapter->address, setup.adapter->mask, true };
    report.socketBound = true;
    report.destination = setup.destination;
    report.searchPort = setup.searchPort;
    const uint8_t unlisted[30] = { 0, 0, 0, 0xF7, 0, 0, 0, 0, 'Z', 'Z', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 2, 0x4B, 0x56, 0, 0x71, 0x0B };
    report.answers.push_back(describeAnswer(unlisted, sizeof unlisted, makeIpv4(127, 0, 0, 11), 30718));
    report.verdicts = judgeAnswers(report.answers);
    return report;
}

} // namespace

TEST(DiagnosisWindow, ShowsTheReportAndRunsAgainOnRequest)
{
    std::vector<AdapterEntry> adapters;
    test_support::loopbackAdapter(adapters);
    FleetProbeSetup setup;
    setup.adapter = adapters.front();
    setup.searchPort = 10002;
    std::atomic<int> probes { 0 };
    DiagnosisWindow window(setup, nullptr, [&probes](const FleetProbeSetup& s, KindReaders&) {
        ++probes;
        return cannedReport(s);
    });
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(!window.running(), 5000);
    const QString text = window.reportText();
    EXPECT_TRUE(text.startsWith("Adapter: 127.0.0.1 (bench0)")) << text.toStdString();
    EXPECT_TRUE(text.contains("Search port: 10002")) << text.toStdString();
    EXPECT_TRUE(text.contains("127.0.0.11:30718  30 bytes  02-4B-56-00-71-0B  ZZ  unlisted type pair"))
        << text.toStdString();

    QPushButton* again = nullptr;
    for (auto* button : window.findChildren<QPushButton*>())
        if (button->text() == "再診断(&R)")
            again = button;
    ASSERT_NE(again, nullptr);
    again->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window.running(), 5000);
    EXPECT_EQ(probes.load(), 2);
}

TEST(DiagnosisWindow, OpensFromTheDeviceListWithTheChosenAdapterAndPort)
{
    MainWindow window("", nullptr, test_support::loopbackAdapter);
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    window.show();
    auto* list = qobject_cast<QTreeWidget*>(window.control(1012));
    QAction* diagnose = nullptr;
    for (QAction* action : list->actions())
        if (action->text() == "診断(&D)...")
            diagnose = action;
    ASSERT_NE(diagnose, nullptr);
    diagnose->trigger();
    auto* diagnosis = window.findChild<DiagnosisWindow*>();
    ASSERT_NE(diagnosis, nullptr);
    EXPECT_TRUE(diagnosis->isVisible());
    // The real diagnosis runs on the loopback adapter: its report names it, whatever answers.
    QTRY_VERIFY_WITH_TIMEOUT(!diagnosis->running(), 30000);
    EXPECT_TRUE(diagnosis->reportText().startsWith("Adapter: 127.0.0.1 (bench0)"))
        << diagnosis->reportText().toStdString();
    EXPECT_TRUE(diagnosis->reportText().contains("Search port: 10001"));
    diagnosis->close();
}
