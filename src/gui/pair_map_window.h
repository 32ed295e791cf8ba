#pragma once

#include "core/pairs/pair_map.h"
#include "core/units/unit_table.h"

#include <QDialog>
#include <functional>

class QTreeWidget;

namespace kovra {

// The fleet's input-extension links on one page: one row per configured link with its peer,
// the inputs it carries and what does not match. A snapshot of the unit table as the search
// left it; it does not read the table again.
class PairMapWindow : public QDialog {
    Q_OBJECT
public:
    explicit PairMapWindow(const UnitTable& table, QWidget* parent = nullptr);

    QTreeWidget* linkList() const { return m_links; }

    // The verdict column's text of a link.
    static QString verdictText(const PairLink& link);

private:
    QTreeWidget* m_links = nullptr;
};

// Gives the device list a context menu entry that opens the pair map over the table that
// `table` returns.
void addPairMapEntry(QWidget* deviceList, std::function<const UnitTable&()> table);

} // namespace kovra
