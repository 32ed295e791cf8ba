// The device list takes the extra room when the window grows, and its context menu saves it
// as CSV or JSON.
#include "gui/main_window.h"
#include "support/loopback_adapter.h"
#include "support/main_window_units.h"
#include "support/message_box_closer.h"
#include "support/simulated_fleet.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace kovra;
using kovra::test_support::addUnit;
using kovra::test_support::loopbackAdapter;
using kovra::test_support::MessageBoxCloser;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

} // namespace

TEST(MainWindowList, GrowsWithTheWindowWhileTheRestKeepsItsSize)
{
    MainWindow window("", nullptr, loopbackAdapter);
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWidget* list = window.control(1012);
    QWidget* setButton = window.control(1029);
    const QSize listBefore = list->size();
    const QSize buttonBefore = setButton->size();

    window.resize(window.width() + 300, window.height() + 400);
    QTRY_VERIFY_WITH_TIMEOUT(list->height() > listBefore.height(), 2000);
    EXPECT_GE(list->height() - listBefore.height(), 380) << "the list takes the extra height";
    EXPECT_GE(list->width() - listBefore.width(), 280) << "and the extra width";
    EXPECT_EQ(setButton->size(), buttonBefore) << "the address group keeps its layout";
}

TEST(MainWindowList, ContextMenuSavesTheListAsCsvOrJson)
{
    test_support::SimulatedFleet fleet;
    ASSERT_EQ(fleet.start(R"({ "units": [
        { "address": "127.0.0.81", "kind": 0, "model": 0 },
        { "address": "127.0.0.82", "kind": 5, "model": 25, "text": { "sketchVersion": 104 } } ] })"),
        "");
    MessageBoxCloser closer;
    MainWindow window("", nullptr, loopbackAdapter);
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    window.show();
    addUnit(window, "127.0.0.81");
    addUnit(window, "127.0.0.82");

    auto* list = qobject_cast<QTreeWidget*>(window.control(1012));
    QStringList menu;
    for (const QAction* action : list->actions())
        menu << action->text();
    EXPECT_EQ(menu, QStringList({ "デバイスリストを保存(&E)...", "診断(&D)...", "入力延長ペア一覧..." }));

    QTemporaryDir folder;
    ASSERT_TRUE(window.saveDeviceListTo(folder.filePath("units.csv")));
    const QList<QByteArray> csv = contents(folder.filePath("units.csv")).split('\n');
    ASSERT_EQ(csv.size(), 4) << "header, two rows, nothing after the last CRLF";
    EXPECT_TRUE(csv[0].startsWith("mac,ip,model,")) << csv[0].toStdString();
    EXPECT_TRUE(csv[1].contains(",127.0.0.81,QM-110,"));

    ASSERT_TRUE(window.saveDeviceListTo(folder.filePath("units.json")));
    const auto json = nlohmann::json::parse(contents(folder.filePath("units.json")).toStdString());
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[1]["ip"], "127.0.0.82");
    EXPECT_EQ(json[1]["sketchVersion"], 104);

    EXPECT_FALSE(window.saveDeviceListTo(folder.filePath("missing/units.csv")));
    ASSERT_FALSE(closer.texts().isEmpty());
    EXPECT_EQ(closer.texts().last(), "デバイスリストを保存できませんでした。");
}
