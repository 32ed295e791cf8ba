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
// What can grow into a dotted address.
const QRegularExpression kAddressCharacters(QStringLiteral("[0-9.]*"));
constexpr int kAddressLength = 15;

QLineEdit* portEdit(DialogForm& form, const std::string& name, int id)
{
    auto* edit = fieldEdit(form, name, id);
    edit->setMaxLength(int(TcpExtensionForm::kPortEditLimit));
    edit->setValidator(new QRegularExpressionValidator(kPortCharacters, edit));
    return edit;
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
    more->setChecked(m_form.more());
    hideUnless(more, m_form.extraRows() > 0);
    connect(more, &QCheckBox::toggled, this, [this](bool on) {
        m_form.setMore(on);
        showRows();
    });
    grid->addWidget(more, 0, kNameColumn, 1, 2);
    grid->addWidget(new QLabel(tr("自ポート")), 1, kPortColumn);
    grid->addWidget(new QLabel(tr("接続先IPアドレス")), 1, kHostColumn);
    grid->addWidget(new QLabel(tr("接続先ポート")), 1, kHostPortColumn);

    const QString names[] = { tr("接続1"), tr("接続2"), tr("接続3,4") };
    for (int connection = 0; connection < ExtensionConnections::kOwnPorts; ++connection) {
        const size_t i = size_t(connection);
        const int row = 2 + connection;
        std::vector<QWidget*> widgets = {
            new QLabel(names[i]),
            portEdit(m_form, TcpExtensionForm::portFieldName(connection), kIdPorts[i]),
            roleCheck(
                tr("接続待ち"), kIdWaits[i], m_form.waitChecked(connection),
                [this, connection](bool on) { m_form.setWaitChecked(connection, on); },
                [this, connection] { return m_form.waitChecked(connection); }),
        };
        if (connection < ExtensionConnections::kDestinations) {
            auto* request = roleCheck(
                tr("接続要求"), kIdRequests[i], m_form.requestChecked(connection),
                [this, connection](bool on) { m_form.setRequestChecked(connection, on); },
                [this, connection] { return m_form.requestChecked(connection); });
            // Kinds 3 and 6 always request a connection: nothing to show.
            hideUnless(request, m_form.rolesEditable());
            widgets.push_back(request);
            widgets.push_back(hostEdit(connection));
            widgets.push_back(
                portEdit(m_form, TcpExtensionForm::hostPortFieldName(connection), kIdHostPorts[i]));
        }
        for (size_t column = 0; column < widgets.size(); ++column)
            grid->addWidget(widgets[column], row, int(column));
        if (connection > 0)
            m_rowWidgets[i - 1] = widgets;
    }
    showRows();
    return group;
}

QLineEdit* TcpExtensionDialog::hostEdit(int connection)
{
    auto* host = fieldEdit(m_form, TcpExtensionForm::hostFieldName(connection), kIdHosts[size_t(connection)]);
    if (m_form.addressHosts()) {
        host->setMaxLength(kAddressLength);
        host->setValidator(new QRegularExpressionValidator(kAddressCharacters, host));
    } else {
        host->setMaxLength(int(kSettingTextMax));
        host->setValidator(new QRegularExpressionValidator(kHostCharacters, host));
    }
    return host;
}

// A role check showing the form's state: a click the form does not take (connection 1
// always waits) springs back.
QCheckBox* TcpExtensionDialog::roleCheck(
    const QString& caption, int id, bool checked, std::function<void(bool)> set, std::function<bool()> get)
{
    auto* check = withId(new QCheckBox(caption), id);
    check->setChecked(checked);
    connect(check, &QCheckBox::toggled, this, [check, set = std::move(set), get = std::move(get)](bool on) {
        set(on);
        if (get() != on)
            check->setChecked(get());
    });
    return check;
}

void TcpExtensionDialog::showRows()
{
    // The rows sit in their group already, so showing them makes no windows of their own.
    for (size_t extra = 0; extra < m_rowWidgets.size(); ++extra) {
        const bool shown = m_form.more() && int(extra) < m_form.extraRows();
        for (QWidget* widget : m_rowWidgets[extra])
            widget->setVisible(shown);
    }
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
