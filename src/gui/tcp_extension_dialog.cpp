#include "gui/tcp_extension_dialog.h"

#include "core/app/user_interface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kovra {

namespace {

// Grid columns of a connection row.
enum ConnectionColumn : int {
    kNameColumn,
    kPortColumn,
    kWaitColumn,
    kRequestColumn,
    kHostColumn,
    kHostPortColumn
};
constexpr int kDiCheckColumns = 4;

// What the settings message cannot carry in a host: control bytes, line ends among them.
const QRegularExpression kHostCharacters(QStringLiteral("[^\\x00-\\x1F\\x7F]*"));
const QRegularExpression kPortCharacters(QStringLiteral("[0-9]*"));

QLineEdit* portEdit(DialogForm& form, const std::string& name, int id)
{
    auto* edit = fieldEdit(form, name, id);
    edit->setMaxLength(int(TcpExtensionForm::kPortEditLimit));
    edit->setValidator(new QRegularExpressionValidator(kPortCharacters, edit));
    return edit;
}

// A connection role check that stays as it is: kinds 3 and 6 always wait and request.
QCheckBox* fixedCheck(const QString& caption, int id)
{
    auto* check = withId(new QCheckBox(caption), id);
    check->setChecked(true);
    QObject::connect(check, &QCheckBox::toggled, check, [check] { check->setChecked(true); });
    return check;
}

} // namespace

TcpExtensionDialog::TcpExtensionDialog(TcpExtensionForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("入力延長"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(connectionsGroup());
    layout->addLayout(timingGroups());
    layout->addWidget(individualGroup());
    layout->addLayout(okCancelButtons(this, m_form, m_ui));
}

QGroupBox* TcpExtensionDialog::connectionsGroup()
{
    auto* group = new QGroupBox;
    auto* grid = new QGridLayout(group);
    auto* more = withId(new QCheckBox(tr("TCP接続1 : N")), kIdMoreConnections);
    more->hide();
    grid->addWidget(more, 0, kNameColumn, 1, 2);
    grid->addWidget(new QLabel(tr("自ポート")), 1, kPortColumn);
    grid->addWidget(new QLabel(tr("接続先IPアドレス")), 1, kHostColumn);
    grid->addWidget(new QLabel(tr("接続先ポート")), 1, kHostPortColumn);

    // Connection 1, the one these kinds have.
    auto* host = fieldEdit(m_form, "host1", kIdHosts[0]);
    host->setMaxLength(int(kSettingTextMax));
    host->setValidator(new QRegularExpressionValidator(kHostCharacters, host));
    auto* request = fixedCheck(tr("接続要求"), kIdRequests[0]);
    request->hide();
    grid->addWidget(new QLabel(tr("接続1")), 2, kNameColumn);
    grid->addWidget(portEdit(m_form, "port1", kIdPorts[0]), 2, kPortColumn);
    grid->addWidget(fixedCheck(tr("接続待ち"), kIdWaits[0]), 2, kWaitColumn);
    grid->addWidget(request, 2, kRequestColumn);
    grid->addWidget(host, 2, kHostColumn);
    grid->addWidget(portEdit(m_form, "host-port1", kIdHostPorts[0]), 2, kHostPortColumn);

    // Connections 2 and 3,4 of the other kinds: shown only through "TCP接続1 : N".
    std::vector<QWidget*> others = {
        new QLabel(tr("接続2")),
        withId(new QLineEdit, kIdPorts[1]),
        withId(new QCheckBox(tr("接続待ち")), kIdWaits[1]),
        withId(new QCheckBox(tr("接続要求")), kIdRequests[1]),
        withId(new QLineEdit, kIdHosts[1]),
        withId(new QLineEdit, kIdHostPorts[1]),
    };
    for (int column = kNameColumn; column <= kHostPortColumn; ++column)
        grid->addWidget(others[size_t(column)], 3, column);
    const std::vector<QWidget*> thirdRow = {
        new QLabel(tr("接続3,4")),
        withId(new QLineEdit, kIdPorts[2]),
        withId(new QCheckBox(tr("接続待ち")), kIdWaits[2]),
    };
    for (int column = kNameColumn; column <= kWaitColumn; ++column)
        grid->addWidget(thirdRow[size_t(column)], 4, column);
    others.insert(others.end(), thirdRow.begin(), thirdRow.end());
    for (QWidget* widget : others)
        widget->hide();
    return group;
}

QLayout* TcpExtensionDialog::timingGroups()
{
    struct Timing {
        const char* caption;
        const std::vector<ChoiceItem>& choices;
        int value;
        int id;
        bool shown;
        void (TcpExtensionForm::*set)(int);
    };
    const TimingShown& shown = m_form.timingShown();
    const Timing timings[] = {
        { QT_TR_NOOP("切断時間"), TcpExtensionForm::disconRows(), m_form.disconRow(), kIdDiscon, shown.discon,
            &TcpExtensionForm::setDisconRow },
        { QT_TR_NOOP("定期通知時間"), m_form.noticeList(), m_form.noticeRow(), kIdNotice, shown.notice,
            &TcpExtensionForm::setNoticeRow },
        { QT_TR_NOOP("チャタリングフィルタ"), TcpExtensionForm::detectChoices(), m_form.detectMs(), kIdDetect,
            shown.detect, &TcpExtensionForm::setDetectMs },
    };
    auto* row = new QHBoxLayout;
    for (const Timing& timing : timings) {
        auto* combo = storingCombo(timing.choices, timing.value, timing.id,
            [this, set = timing.set](int value) { (m_form.*set)(value); });
        auto* group = new QGroupBox(tr(timing.caption));
        auto* inside = new QVBoxLayout(group);
        inside->addWidget(combo);
        if (timing.id == kIdNotice) {
            // The reset request goes with the periodic notification it needs.
            m_resetRequest = withId(new QCheckBox(tr("無通信時リセット要求")), kIdResetRequest);
            m_resetRequest->setChecked(m_form.resetChecked());
            m_resetRequest->setEnabled(m_form.resetOffered());
            connect(
                m_resetRequest, &QCheckBox::toggled, this, [this](bool on) { m_form.setResetChecked(on); });
            inside->addWidget(m_resetRequest);
        }
        hideUnless(group, timing.shown);
        row->addWidget(group);
    }
    return row;
}

QGroupBox* TcpExtensionDialog::individualGroup()
{
    auto* group = new QGroupBox(tr("個別延長設定"));
    hideUnless(group, m_form.individualDiCount() > 0);
    auto* grid = new QGridLayout(group);
    m_individual = withId(new QCheckBox(tr("個別延長有効")), kIdIndividual);
    grid->addWidget(m_individual, 0, 0, 1, kDiCheckColumns);
    for (int row = 0; row < TcpExtensionForm::kDiCheckRows; ++row) {
        auto* check = withId(new QCheckBox(tr("DI%1").arg(row + 1)), kIdDiChecks[size_t(row)]);
        hideUnless(check, row < m_form.individualDiCount());
        connect(check, &QCheckBox::toggled, this, [this, row](bool on) { m_form.setDiChecked(row, on); });
        grid->addWidget(check, 1 + row / kDiCheckColumns, row % kDiCheckColumns);
        m_diChecks[size_t(row)] = check;
    }
    connect(m_individual, &QCheckBox::toggled, this, [this](bool on) {
        m_form.setIndividual(on);
        showChecks();
    });
    showChecks();
    return group;
}

void TcpExtensionDialog::showChecks()
{
    m_individual->setChecked(m_form.individual());
    for (int row = 0; row < TcpExtensionForm::kDiCheckRows; ++row) {
        m_diChecks[size_t(row)]->setChecked(m_form.diChecked(row));
        m_diChecks[size_t(row)]->setEnabled(m_form.individual());
    }
}

bool openTcpExtensionDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* extension = dynamic_cast<TcpExtensionForm*>(&form);
    if (!extension)
        return false;
    TcpExtensionDialog dialog(*extension, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
