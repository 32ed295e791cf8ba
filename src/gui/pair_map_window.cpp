#include "gui/pair_map_window.h"

#include "core/platform/cp932_text.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace kovra {

namespace {

enum Column { kUnit, kConnection, kPeer, kPeerModel, kPeerPorts, kMapping, kVerdict, kColumnCount };

const QColor kFaultyRow(255, 228, 225);
constexpr int kColumnGap = 12; // pixels beside the widest text of a column

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), int(text.size()));
}

QString faultText(LinkFault fault)
{
    switch (fault) {
    case LinkFault::PeerMissing:
        return PairMapWindow::tr("接続先の機器なし");
    case LinkFault::PeerNotListening:
        return PairMapWindow::tr("接続先ポートで待ち受けなし");
    case LinkFault::ModeMismatch:
        return PairMapWindow::tr("通信モード不一致");
    case LinkFault::MappingClash:
        return PairMapWindow::tr("入出力割当の衝突");
    case LinkFault::DuplicatePorts:
        return PairMapWindow::tr("待ち受けポート重複");
    }
    return QString();
}

QString portsText(const UnitConnections& unit)
{
    QStringList ports;
    for (const auto& listening : unit.listening)
        ports << QString::number(listening.port);
    return ports.isEmpty() ? QStringLiteral("-") : ports.join(',');
}

QTreeWidgetItem* linkRow(const PairLink& link, const std::vector<UnitConnections>& units)
{
    const UnitConnections& unit = units[size_t(link.unit)];
    QString peerModel = QStringLiteral("-");
    QString peerPorts = QStringLiteral("-");
    if (link.peer) {
        peerModel = fromUtf8(units[size_t(*link.peer)].model);
        peerPorts = portsText(units[size_t(*link.peer)]);
    }
    auto* row = new QTreeWidgetItem({ fromUtf8(unit.address), QString::number(link.destination.connection),
        fromUtf8(cp932ToUtf8(link.destination.host)) + ':' + QString::number(link.destination.port),
        peerModel, peerPorts, fromUtf8(mappingText(link.mapping)), PairMapWindow::verdictText(link) });
    if (!link.ok())
        for (int column = 0; column < kColumnCount; ++column)
            row->setBackground(column, kFaultyRow);
    return row;
}

} // namespace

QString PairMapWindow::verdictText(const PairLink& link)
{
    if (link.ok())
        return tr("正常");
    QStringList faults;
    for (LinkFault fault : link.faults) {
        QString text = faultText(fault);
        if (fault == LinkFault::MappingClash) {
            QStringList outputs;
            for (int peerDo : link.clashedOutputs)
                outputs << QStringLiteral("DO%1").arg(peerDo + 1);
            text += QStringLiteral(" (%1)").arg(outputs.join(' '));
        }
        faults << text;
    }
    return faults.join(QStringLiteral(", "));
}

PairMapWindow::PairMapWindow(std::vector<UnitSlot> unitSlots, ConnectionReaders readers, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("入力延長ペア一覧"));
    auto* layout = new QVBoxLayout(this);
    m_links = new QTreeWidget;
    m_links->setRootIsDecorated(false);
    m_links->setHeaderLabels({ tr("機器"), tr("接続"), tr("接続先"), tr("接続先機種"),
        tr("接続先の待ち受けポート"), tr("入力→接続先出力"), tr("判定") });
    layout->addWidget(m_links, 1);
    m_summary = new QLabel(tr("読み込み中..."));
    layout->addWidget(m_summary);
    auto* buttons = new QDialogButtonBox;
    connect(buttons->addButton(tr("閉じる"), QDialogButtonBox::RejectRole), &QPushButton::clicked, this,
        &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 360);

    m_reader
        = QThread::create([this, unitSlots = std::move(unitSlots), readers = std::move(readers)]() mutable {
              m_fleet = readFleetConnections(std::move(unitSlots), readers);
          });
    m_reader->setParent(this);
    connect(m_reader, &QThread::finished, this, &PairMapWindow::showLinks);
    m_reader->start();
}

PairMapWindow::~PairMapWindow()
{
    m_reader->wait();
}

void PairMapWindow::showLinks()
{
    const auto links = buildPairMap(m_fleet.units);
    for (const auto& link : links)
        m_links->addTopLevelItem(linkRow(link, m_fleet.units));
    for (int column = 0; column < kColumnCount; ++column) {
        m_links->resizeColumnToContents(column);
        m_links->setColumnWidth(column, m_links->columnWidth(column) + kColumnGap);
    }
    const int faulty
        = int(std::count_if(links.begin(), links.end(), [](const PairLink& link) { return !link.ok(); }));
    QString summary = links.empty() ? tr("入力延長の接続先が設定された機器はありません。")
                                    : tr("接続 %1 件、うち不整合 %2 件").arg(links.size()).arg(faulty);
    if (!m_fleet.unread.empty()) {
        QStringList unread;
        for (const auto& address : m_fleet.unread)
            unread << fromUtf8(address);
        summary += '\n'
            + tr("接続設定を読めなかった機器 (検索時の設定で表示): %1")
                  .arg(unread.join(QStringLiteral(", ")));
    }
    m_summary->setText(summary);
    resize(std::max(width(), m_links->header()->length() + 40), height());
    emit loaded();
}

void addPairMapEntry(QWidget* deviceList, std::function<std::vector<UnitSlot>()> unitSlots)
{
    auto* entry = new QAction(PairMapWindow::tr("入力延長ペア一覧..."), deviceList);
    deviceList->addAction(entry);
    deviceList->setContextMenuPolicy(Qt::ActionsContextMenu);
    QObject::connect(entry, &QAction::triggered, deviceList, [deviceList, unitSlots = std::move(unitSlots)] {
        auto* window = new PairMapWindow(unitSlots(), unitConnectionReaders(), deviceList->window());
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
    });
}

} // namespace kovra
