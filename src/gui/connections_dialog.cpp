#include "gui/connections_dialog.h"

#include "core/app/user_interface.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kovra {

namespace {

// Grid columns of a connection row.
enum ConnectionColumn : int { kNameColumn, kPortColumn, kHostColumn, kHostPortColumn };
// Grid columns of the mapping group: DI rows on the left, DO rows on the right.
enum MappingColumn : int { kDiLabelColumn, kDiComboColumn, kDoLabelColumn, kDoComboColumn, kMappingColumns };

// What the settings message cannot carry in a host: control bytes, line ends among them.
const QRegularExpression kHostCharacters(QStringLiteral("[^\\x00-\\x1F\\x7F]*"));

QComboBox* peerCombo(const QString& none, const QString& prefix, int value)
{
    auto* combo = new QComboBox;
    combo->addItem(none, -1);
    for (int n = 0; n < kChannelCount; ++n)
        combo->addItem(prefix + QString::number(n + 1), n);
    combo->setCurrentIndex(combo->findData(value));
    return combo;
}

QFrame* separatorLine()
{
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

ConnectionsDialog::ConnectionsDialog(ConnectionsForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("入力延長"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(connectionsGroup());
    layout->addLayout(timingGroups());
    layout->addWidget(mappingGroup());
    layout->addWidget(modeGroup());
    // A question answered No puts the form back on normal mode: the radios show it.
    layout->addLayout(okCancelButtons(this, m_form, m_ui, [this] { showMode(); }));
    showMapping();
    showMode();
    QApplication::instance()->installEventFilter(this);
}

QGroupBox* ConnectionsDialog::connectionsGroup()
{
    auto* group = new QGroupBox;
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(tr("自ポート")), 0, kPortColumn);
    grid->addWidget(new QLabel(tr("接続先IPアドレス")), 0, kHostColumn);
    grid->addWidget(new QLabel(tr("接続先ポート")), 0, kHostPortColumn);
    for (int i = 0; i < ConnectionsForm::kConnectionCount; ++i) {
        const ConnectionIds& ids = kConnectionIds[size_t(i)];
        auto* port = fieldEdit(m_form, ConnectionsForm::portFieldName(i), ids.port);
        port->setMaxLength(int(ConnectionsForm::kPortEditLimit));
        auto* host = fieldEdit(m_form, ConnectionsForm::hostFieldName(i), ids.host);
        host->setMaxLength(int(ConnectionsForm::kHostEditLimit));
        host->setValidator(new QRegularExpressionValidator(kHostCharacters, host));
        auto* hostPort = fieldEdit(m_form, ConnectionsForm::hostPortFieldName(i), ids.hostPort);
        hostPort->setMaxLength(int(ConnectionsForm::kPortEditLimit));
        m_connectionEdits.insert(m_connectionEdits.end(), { port, host, hostPort });

        const int row = i + 1;
        grid->addWidget(new QLabel(tr("接続%1").arg(row)), row, kNameColumn);
        grid->addWidget(port, row, kPortColumn);
        grid->addWidget(host, row, kHostColumn);
        grid->addWidget(hostPort, row, kHostPortColumn);
    }
    return group;
}

QLayout* ConnectionsDialog::timingGroups()
{
    struct Timing {
        const char* caption;
        const std::vector<ChoiceItem>& choices;
        int value;
        int id;
        void (ConnectionsForm::*set)(int);
    };
    const Timing timings[] = {
        { QT_TR_NOOP("切断時間"), ConnectionsForm::disconChoices(), m_form.discon(), kIdDiscon,
            &ConnectionsForm::setDiscon },
        { QT_TR_NOOP("定期通知時間"), ConnectionsForm::noticeChoices(), m_form.notice(), kIdNotice,
            &ConnectionsForm::setNotice },
        { QT_TR_NOOP("チャタリングフィルタ"), ConnectionsForm::detectChoices(), m_form.detect(), kIdDetect,
            &ConnectionsForm::setDetect },
    };
    auto* row = new QHBoxLayout;
    for (size_t i = 0; i < m_timingCombos.size(); ++i) {
        const Timing& timing = timings[i];
        auto* combo = storingCombo(timing.choices, timing.value, timing.id,
            [this, set = timing.set](int value) { (m_form.*set)(value); });
        auto* group = new QGroupBox(tr(timing.caption));
        auto* inside = new QVBoxLayout(group);
        inside->addWidget(combo);
        if (i == 1) {
            // The reset request goes with the periodic notification it needs.
            m_resetRequest = withId(new QCheckBox(tr("無通信時リセット要求")), kIdResetRequest);
            m_resetRequest->setChecked(m_form.resetRequest());
            connect(
                m_resetRequest, &QCheckBox::toggled, this, [this](bool on) { m_form.setResetRequest(on); });
            inside->addWidget(m_resetRequest);
        }
        hideUnless(group, m_form.timingShown());
        m_timingCombos[i] = combo;
        m_timingGroups.push_back(group);
        row->addWidget(group);
    }
    return row;
}

QGroupBox* ConnectionsDialog::mappingGroup()
{
    const bool checks = m_form.layout() == kLayoutChecks;
    auto* group = new QGroupBox(checks ? tr("個別延長設定") : tr("入出力延長設定"));
    hideUnless(group, m_form.layout() != kLayoutNone);
    auto* grid = new QGridLayout(group);
    m_resetMapping = withId(new QPushButton(tr("初期状態に戻す")), kIdResetMapping);
    connect(m_resetMapping, &QPushButton::clicked, this, [this] {
        m_form.resetMapping();
        showMapping();
    });

    if (checks) {
        auto* hint = new QLabel(tr("チェック状態の入力が、対向機へ延長されます。"));
        grid->addWidget(hint, 0, 0, 1, kMappingColumns);
        m_mappingControls.push_back(hint);
        for (int row = 0; row < ConnectionsForm::kCheckRows; ++row) {
            auto* check = withId(new QCheckBox(tr("DI%1").arg(row + 1)), kDiCheckIds[size_t(row)]);
            hideUnless(check, row < m_form.diRows());
            connect(check, &QCheckBox::toggled, this, [this, row](bool on) { m_form.setDiChecked(row, on); });
            grid->addWidget(check, 1 + row / kMappingColumns, row % kMappingColumns);
            m_diChecks[size_t(row)] = check;
            m_mappingControls.push_back(check);
        }
    } else {
        auto* diHeading = new QLabel(tr("対向機の出力ポート"));
        auto* doHeading = new QLabel(tr("対向機の入力ポート"));
        grid->addWidget(diHeading, 0, kDiLabelColumn, 1, 2);
        grid->addWidget(doHeading, 0, kDoLabelColumn, 1, 2);
        m_mappingControls.insert(m_mappingControls.end(), { diHeading, doHeading });
        grid->addWidget(separatorLine(), 1, 0, 1, kMappingColumns);
        for (int row = 0; row < ConnectionsForm::kMappingRows; ++row) {
            MappingRow& di = m_diRows[size_t(row)];
            di.label = new QLabel(tr("DI%1:").arg(row + 1));
            di.combo = withId(
                peerCombo(tr("延長しない"), tr("DO"), m_form.diTarget(row)), kDiComboIds[size_t(row)]);
            connect(di.combo, &QComboBox::currentIndexChanged, this,
                [this, row, combo = di.combo] { m_form.setDiTarget(row, combo->currentData().toInt()); });
            MappingRow& dout = m_doRows[size_t(row)];
            dout.label = new QLabel(tr("DO%1:").arg(row + 1));
            dout.combo = withId(
                peerCombo(tr("反映しない"), tr("DI"), m_form.doSource(row)), kDoComboIds[size_t(row)]);
            connect(dout.combo, &QComboBox::currentIndexChanged, this,
                [this, row, combo = dout.combo] { m_form.setDoSource(row, combo->currentData().toInt()); });
            for (QWidget* widget : { static_cast<QWidget*>(di.label), static_cast<QWidget*>(di.combo) })
                hideUnless(widget, row < m_form.diRows());
            for (QWidget* widget : { static_cast<QWidget*>(dout.label), static_cast<QWidget*>(dout.combo) })
                hideUnless(widget, row < m_form.doRows());
            grid->addWidget(di.label, 2 + row, kDiLabelColumn);
            grid->addWidget(di.combo, 2 + row, kDiComboColumn);
            grid->addWidget(dout.label, 2 + row, kDoLabelColumn);
            grid->addWidget(dout.combo, 2 + row, kDoComboColumn);
            m_mappingControls.insert(m_mappingControls.end(), { di.label, di.combo, dout.label, dout.combo });
        }
    }
    grid->addWidget(m_resetMapping, 5, 0, 1, kMappingColumns, Qt::AlignLeft);
    m_mappingControls.push_back(m_resetMapping);
    return group;
}

QGroupBox* ConnectionsDialog::modeGroup()
{
    auto* group = new QGroupBox;
    auto* row = new QHBoxLayout(group);
    auto* modes = new QButtonGroup(this);
    const char* const captions[] = { QT_TR_NOOP("通常モード"), QT_TR_NOOP("UDP通信モード"),
        QT_TR_NOOP("旧KOVRAモード"), QT_TR_NOOP("ModbusTCPモード") };
    for (int mode = kSockNormal; mode <= kSockModbus; ++mode) {
        auto* radio = withId(new QRadioButton(tr(captions[mode])), kModeIds[size_t(mode)]);
        hideUnless(radio, m_form.modeShown(mode));
        modes->addButton(radio, mode);
        row->addWidget(radio);
        m_modes[size_t(mode)] = radio;
    }
    connect(modes, &QButtonGroup::idClicked, this, [this](int mode) {
        m_form.setMode(mode);
        showMode();
    });
    return group;
}

void ConnectionsDialog::showMapping()
{
    for (int row = 0; row < ConnectionsForm::kMappingRows; ++row) {
        if (QComboBox* combo = m_diRows[size_t(row)].combo)
            combo->setCurrentIndex(combo->findData(m_form.diTarget(row)));
        if (QComboBox* combo = m_doRows[size_t(row)].combo)
            combo->setCurrentIndex(combo->findData(m_form.doSource(row)));
    }
    for (int row = 0; row < ConnectionsForm::kCheckRows; ++row)
        if (QCheckBox* check = m_diChecks[size_t(row)])
            check->setChecked(m_form.diChecked(row));
}

void ConnectionsDialog::showMode()
{
    const int mode = m_form.mode();
    if (mode >= kSockNormal && mode <= kSockModbus && m_form.modeShown(mode))
        m_modes[size_t(mode)]->setChecked(true);
    for (QWidget* edit : m_connectionEdits)
        edit->setEnabled(m_form.connectionsEnabled());
    for (QComboBox* combo : m_timingCombos)
        combo->setEnabled(m_form.timingEnabled());
    m_resetRequest->setEnabled(m_form.resetRequestEnabled());
    for (QWidget* control : m_mappingControls)
        control->setEnabled(m_form.mappingEnabled());
}

bool ConnectionsDialog::eventFilter(QObject* watched, QEvent* event)
{
    // A key travels from the focused control up to the dialog: count it once, where it starts.
    QWidget* target = focusWidget() ? focusWidget() : this;
    if (event->type() == QEvent::KeyPress && watched == target) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key >= Qt::Key_A && key <= Qt::Key_Z && m_form.keyPressed(char('A' + (key - Qt::Key_A))))
            m_modes[kSockOld]->setVisible(true);
    }
    return QDialog::eventFilter(watched, event);
}

bool openConnectionsDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* connections = dynamic_cast<ConnectionsForm*>(&form);
    if (!connections)
        return false;
    ConnectionsDialog dialog(*connections, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
