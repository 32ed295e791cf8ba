#pragma once

// Units put into the main window's device list as an operator does it: the address typed into
// the add box, the add button pressed, the row selected.

#include "gui/main_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace kovra::test_support {

// Lists the unit by its address and waits until the add has ended.
inline void addUnit(MainWindow& window, const QString& address)
{
    qobject_cast<QLineEdit*>(window.control(1205))->setText(address);
    qobject_cast<QPushButton*>(window.control(1002))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window.model().adding(), 30000);
}

// Lists the unit by its address and selects its row.
inline void addAndSelect(MainWindow& window, const QString& address)
{
    addUnit(window, address);
    auto* list = qobject_cast<QTreeWidget*>(window.control(1012));
    const auto items = list->findItems(address, Qt::MatchExactly, 1);
    ASSERT_EQ(items.size(), 1);
    list->setCurrentItem(items.first());
    items.first()->setSelected(true);
}

} // namespace kovra::test_support
