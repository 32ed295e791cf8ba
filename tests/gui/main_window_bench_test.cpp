// The main window's search on the bench shows the rows that kovractl lists for the same
// fleet. Run by tests/e2e/search_fleet.sh, which gives the rows kovractl printed.
#include "gui/main_window.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>
#include <tuple>

using namespace kovra;

TEST(BenchMainWindow, SearchShowsTheRowsKovractlLists)
{
    const char* expectedFile = std::getenv("KOVRA_EXPECTED_ROWS");
    if (!std::getenv("KOVRA_NETBENCH") || !expectedFile)
        GTEST_SKIP() << "runs inside scripts/netbench from tests/e2e/search_fleet.sh";
    std::ifstream in(expectedFile);
    const auto expected = nlohmann::json::parse(in);
    std::set<std::tuple<std::string, std::string, std::string>> want;
    for (const auto& row : expected)
        want.emplace(row["mac"], row["ip"], row["model"]);

    MainWindow window("");
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    window.show();
    qobject_cast<QPushButton*>(window.control(1001))->click();
    EXPECT_FALSE(window.control(1001)->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(window.control(1001)->isEnabled(), 60000);

    auto* list = qobject_cast<QTreeWidget*>(window.control(1012));
    std::set<std::tuple<std::string, std::string, std::string>> shown;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        shown.emplace(item->text(0).toStdString(), item->text(1).toStdString(), item->text(2).toStdString());
    }
    EXPECT_EQ(list->topLevelItemCount(), int(expected.size()));
    EXPECT_EQ(shown, want);
}
