#pragma once

#include "core/pairs/fleet_connections.h"
#include "core/pairs/pair_map.h"

#include <QDialog>
#include <functional>

class QLabel;
class QThread;
class QTreeWidget;

namespace kovra {

// The fleet's input-extension links on one page: one row per configured link with its peer,
// the inputs it carries and what does not match. It works on a copy of the units as the search
// left them; the binary units' records are read on a thread of its own, and the rows appear
// when they have arrived.
class PairMapWindow : public QDialog {
    Q_OBJECT
public:
    PairMapWindow(std::vector<UnitSlot> unitSlots, ConnectionReaders readers, QWidget* parent = nullptr);
    ~PairMapWindow() override;

    QTreeWidget* linkList() const { return m_links; }

    // The verdict column's text of a link.
    static QString verdictText(const PairLink& link);

signals:
    // The rows are there.
    void loaded();

private:
    void showLinks();

    QTreeWidget* m_links = nullptr;
    QLabel* m_summary = nullptr;
    QThread* m_reader = nullptr;
    FleetConnections m_fleet; // written by the reader until it has finished
};

// Gives the device list a context menu entry that opens the pair map over a copy of the units
// that `unitSlots` gives.
void addPairMapEntry(QWidget* deviceList, std::function<std::vector<UnitSlot>()> unitSlots);

} // namespace kovra
