// The pair map window offscreen: its rows and verdicts from a unit table, the device list's
// entry that opens it, and (under Xvfb, from scripts/screenshot-dialogs) its screenshot.
#include "gui/main_window.h"
#include "gui/pair_map_window.h"
#include "support/loopback_adapter.h"
#include "support/screen_grab.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace kovra;

namespace {

// A kind 5 unit (2 DI, 2 DO) at 203.0.113.n, DI n to peer DO n, DO n from peer DI n,
// connection 1 on 10001 reaching `peer`:`port` when given.
void addUnit(std::vector<UnitSlot>& units, int n, int peer = 0, int port = 10001)
{
    UnitSlot& slot = units.emplace_back();
    slot.record.kind = kKindKovra4;
    slot.record.modelIndex = 25;
    slot.record.ipText = "203.0.113." + std::to_string(n);
    slot.settings.ports = { 10001, 10002, 0, 0 };
    slot.settings.remoteHosts = { peer ? "203.0.113." + std::to_string(peer) : "0.0.0.0", "", "", "" };
    slot.settings.remotePorts = { port, 0, 0, 0 };
    slot.settings.diExtension.fill(-1);
    slot.settings.doExtension.fill(-1);
    for (int c = 0; c < 2; ++c) {
        slot.settings.diExtension[size_t(c)] = c;
        slot.settings.doExtension[size_t(c)] = c;
    }
}

// A sound pair, a missing peer, a wrong port and two units on one pair of outputs.
std::vector<UnitSlot> fleet()
{
    std::vector<UnitSlot> units;
    addUnit(units, 101, 102);
    addUnit(units, 102, 101);
    addUnit(units, 103, 199);
    addUnit(units, 104, 102, 10009);
    addUnit(units, 105);
    addUnit(units, 106, 105);
    addUnit(units, 107, 105);
    return units;
}

// The window's units are all text units: nothing more is read.
ConnectionReaders nothingToRead()
{
    return { [](UnitRecord&) { return false; }, [](const UnitRecord&, TunnelConnect&) { return false; } };
}

// Waits until the window has its rows.
bool loaded(PairMapWindow& window)
{
    QSignalSpy spy(&window, &PairMapWindow::loaded);
    return spy.wait(5000);
}

QStringList column(QTreeWidget* list, int index)
{
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(index);
    return texts;
}

TEST(PairMapWindow, OneRowPerLinkWithItsVerdict)
{
    PairMapWindow window(fleet(), nothingToRead());
    ASSERT_TRUE(loaded(window));
    QTreeWidget* list = window.linkList();
    EXPECT_EQ(column(list, 0),
        QStringList({ "203.0.113.101", "203.0.113.102", "203.0.113.103", "203.0.113.104", "203.0.113.106",
            "203.0.113.107" }));
    EXPECT_EQ(column(list, 2).at(3), "203.0.113.102:10009");
    EXPECT_EQ(column(list, 3).at(2), "-"); // no peer, no model
    EXPECT_EQ(column(list, 4).at(0), "10001,10002");
    EXPECT_EQ(column(list, 5).at(0), "DI1→DO1 DI2→DO2");
    EXPECT_EQ(column(list, 6),
        QStringList({ "正常", "正常", "接続先の機器なし", "接続先ポートで待ち受けなし",
            "入出力割当の衝突 (DO1 DO2)", "入出力割当の衝突 (DO1 DO2)" }));
    // Faulty rows stand out; sound ones keep the list's own colours.
    EXPECT_EQ(list->topLevelItem(0)->background(6).style(), Qt::NoBrush);
    EXPECT_NE(list->topLevelItem(2)->background(6).style(), Qt::NoBrush);
}

TEST(PairMapWindow, AnEmptyTableSaysSo)
{
    PairMapWindow window({}, nothingToRead());
    ASSERT_TRUE(loaded(window));
    EXPECT_EQ(window.linkList()->topLevelItemCount(), 0);
}

TEST(PairMapWindow, TheDeviceListOpensIt)
{
    MainWindow main("", nullptr, test_support::loopbackAdapter);
    ASSERT_EQ(main.initialize(), MainWindowModel::StartResult::Ready);
    QWidget* deviceList = main.control(1012);
    ASSERT_NE(deviceList, nullptr);
    EXPECT_EQ(deviceList->contextMenuPolicy(), Qt::ActionsContextMenu);
    QAction* entry = nullptr;
    for (QAction* action : deviceList->actions())
        if (action->text() == "入力延長ペア一覧...")
            entry = action;
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    PairMapWindow* window = main.findChild<PairMapWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "入力延長ペア一覧");
    window->close();
}

TEST(PairMapScreenshot, ShowsTheFleetsLinks)
{
    const QString directory = qEnvironmentVariable("KOVRA_SCREENSHOT_DIR");
    if (directory.isEmpty())
        GTEST_SKIP() << "runs from scripts/screenshot-dialogs under Xvfb";
    PairMapWindow window(fleet(), nothingToRead());
    ASSERT_TRUE(loaded(window));
    window.move(20, 20);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(500);
    EXPECT_TRUE(test_support::grabWindow(window, QDir(directory).filePath("pair-map.png")));
}

} // namespace
