#include "gui/five_channel_mail_dialog.h"

#include "core/alerts/analog_range_type.h"
#include "core/app/setting_outcome_text.h"
#include "core/app/user_interface.h"
#include "gui/core_text.h"
#include "gui/ip_address_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kovra {

namespace {

constexpr int kHostNameMax = 50;
constexpr int kPortMax = 5;
constexpr int kSenderMax = 47;
constexpr int kRecipientMax = 48;
constexpr int kMessageMax = 23;
constexpr int kTextMax = 48;

QLineEdit* limited(QLineEdit* edit, int maxLength)
{
    edit->setMaxLength(maxLength);
    return edit;
}

QString unitText(AnalogRangeType type)
{
    return coreText(analogEntryUnit(type).c_str());
}

} // namespace

FiveChannelMailDialog::FiveChannelMailDialog(
    FiveChannelMailForm& form, UserInterface& ui, QWidget* parent, AnalogMessage message)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
    , m_message(std::move(message))
{
    setWindowTitle(tr("メールアラート設定"));

    m_test = withId(new QPushButton(tr("テスト送信")), kIdTest);
    auto* testRow = new QHBoxLayout;
    testRow->addStretch();
    testRow->addWidget(m_test);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildAccount());
    layout->addWidget(buildChannels());
    QWidget* outputs = buildOutputs();
    layout->addWidget(outputs);
    hideUnless(outputs, m_form.doCount() > 0);
    layout->addLayout(testRow);
    layout->addLayout(okCancelButtons(this, m_form, m_ui));

    m_testSend
        = std::make_unique<TestSendRunner>(m_test, m_ui, std::function<void()> {}, analogMailTestMessage);
    connect(m_test, &QPushButton::clicked, this, [this] { sendTest(); });
    refill();
    showAuth();
}

QWidget* FiveChannelMailDialog::buildAccount()
{
    auto* account = new QFormLayout;
    QLineEdit* server = nullptr;
    if (m_form.hostName()) {
        server = limited(fieldEdit(m_form, FiveChannelMailForm::kServerField, kIdServerName), kHostNameMax);
    } else {
        // The address control, its text going through the form's field as an edit's does.
        server = withId(new IpAddressEdit, kIdServerAddress);
        server->setText(QString::fromStdString(m_form.field(FiveChannelMailForm::kServerField)->get()));
        connect(server, &QLineEdit::textEdited, this, [this](const QString& text) {
            m_form.setFieldText(FiveChannelMailForm::kServerField, text.toStdString());
        });
    }
    account->addRow(tr("SMTPサーバアドレス:"), server);

    QLineEdit* port = limited(fieldEdit(m_form, FiveChannelMailForm::kPortField, kIdPort), kPortMax);
    port->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), port));
    account->addRow(tr("SMTPサーバポート番号:"), port);

    m_auth = withId(new QCheckBox(tr("SMTP-AUTH認証あり")), kIdAuth);
    m_auth->setChecked(m_form.auth());
    connect(m_auth, &QCheckBox::toggled, this, [this](bool on) {
        m_form.setAuth(on);
        showAuth();
    });
    account->addRow(m_auth);
    auto* user = limited(fieldEdit(m_form, FiveChannelMailForm::kUserField, kIdUser), kTextMax);
    m_user = user;
    m_userLabel = new QLabel(tr("認証ユーザー名:"));
    account->addRow(m_userLabel, user);
    auto* password = limited(fieldEdit(m_form, FiveChannelMailForm::kPasswordField, kIdPassword), kTextMax);
    password->setEchoMode(QLineEdit::Password);
    m_password = password;
    m_passwordLabel = new QLabel(tr("認証パスワード:"));
    account->addRow(m_passwordLabel, password);
    if (!m_form.hostName()) {
        // With the server as an address the unit has no host name, SMTP-AUTH box or user box.
        m_auth->hide();
        m_user->hide();
        m_userLabel->hide();
    }

    account->addRow(tr("送信元メールアドレス:"),
        limited(fieldEdit(m_form, FiveChannelMailForm::kSenderField, kIdSender), kSenderMax));
    account->addRow(tr("送信先メールアドレス１:"),
        limited(fieldEdit(m_form, FiveChannelMailForm::kTo1Field, kIdTo1), kRecipientMax));
    account->addRow(tr("送信先メールアドレス２:"),
        limited(fieldEdit(m_form, FiveChannelMailForm::kTo2Field, kIdTo2), kRecipientMax));
    account->addRow(tr("メッセージ:"),
        limited(fieldEdit(m_form, FiveChannelMailForm::kMessageField, kIdMessage), kMessageMax));
    auto* box = new QWidget;
    box->setLayout(account);
    return box;
}

QWidget* FiveChannelMailDialog::buildChannels()
{
    auto* grid = new QGridLayout;
    const char* headers[] = { "レンジ", "Low", "", "High", "", "LED点灯条件", "AIメールアラート" };
    for (int column = 0; column < int(std::size(headers)); ++column)
        grid->addWidget(new QLabel(tr(headers[column])), 0, column + 1);
    for (int ai = 0; ai < kFiveChannelAiMax; ++ai) {
        ChannelRow& row = m_rows[size_t(ai)];
        const int line = ai + 1;
        auto* caption = new QLabel(QStringLiteral("Ch%1").arg(ai + 1));
        row.range = withId(coreChoiceCombo(FiveChannelMailForm::rangeChoices(), 0), kIdFirstRange + ai);
        row.low = withId(new QLineEdit, kIdFirstLow + ai);
        row.high = withId(new QLineEdit, kIdFirstHigh + ai);
        row.lowUnit = new QLabel;
        row.highUnit = new QLabel;
        row.led = withId(coreChoiceCombo(FiveChannelMailForm::ledChoices(), 0), kIdFirstLed + ai);
        row.mail = withId(new QCheckBox, kIdFirstMail + ai);
        QWidget* widgets[]
            = { caption, row.range, row.low, row.lowUnit, row.high, row.highUnit, row.led, row.mail };
        for (int column = 0; column < int(std::size(widgets)); ++column) {
            grid->addWidget(widgets[column], line, column);
            hideUnless(widgets[column], ai < m_form.aiCount());
        }
        if (ai >= m_form.aiCount())
            continue;
        connect(row.range, &QComboBox::activated, this, [this, ai] {
            m_form.setRange(ai, AnalogRangeType(m_rows[size_t(ai)].range->currentData().toInt()));
            showBand(ai);
        });
        connect(row.low, &QLineEdit::textEdited, this, [this, ai](const QString& text) {
            applyAnalogEntry(m_rows[size_t(ai)].low, m_form.enterLow(ai, text.toStdString()), m_message);
        });
        connect(row.high, &QLineEdit::textEdited, this, [this, ai](const QString& text) {
            applyAnalogEntry(m_rows[size_t(ai)].high, m_form.enterHigh(ai, text.toStdString()), m_message);
        });
        connect(row.led, &QComboBox::activated, this,
            [this, ai] { m_form.setLedCondition(ai, m_rows[size_t(ai)].led->currentData().toInt()); });
        connect(row.mail, &QCheckBox::toggled, this, [this, ai](bool on) { m_form.setMail(ai, on); });
    }
    auto* box = new QGroupBox(tr("AIアラート"));
    box->setLayout(grid);
    return box;
}

QWidget* FiveChannelMailDialog::buildOutputs()
{
    auto* rows = new QGridLayout;
    for (int output = 0; output < kFiveChannelDoMax; ++output) {
        auto* alert
            = withId(new QCheckBox(tr("DO%1 アラート有効").arg(output + 1)), kIdFirstDoAlert + output);
        auto* setting = withId(new QPushButton(tr("設定")), kIdFirstDoSetting + output);
        m_doAlerts[size_t(output)] = alert;
        rows->addWidget(alert, output, 0);
        rows->addWidget(setting, output, 1);
        hideUnless(alert, output < m_form.doCount());
        hideUnless(setting, output < m_form.doCount());
        connect(alert, &QCheckBox::toggled, this,
            [this, output](bool on) { m_form.setDoAlertEnabled(output, on); });
        connect(setting, &QPushButton::clicked, this, [this, output] { editDoAlert(output); });
    }
    auto* box = new QGroupBox(tr("DOアラート"));
    box->setLayout(rows);
    return box;
}

void FiveChannelMailDialog::showAuth()
{
    const bool shown = m_form.auth();
    m_password->setVisible(shown);
    m_passwordLabel->setVisible(shown);
    if (m_form.hostName()) {
        m_user->setVisible(shown);
        m_userLabel->setVisible(shown);
    }
}

void FiveChannelMailDialog::showBand(int ai)
{
    ChannelRow& row = m_rows[size_t(ai)];
    const AnalogRangeType range = m_form.channel(ai).range;
    row.lowUnit->setText(unitText(range));
    row.highUnit->setText(unitText(range));
    row.low->setText(QString::fromStdString(m_form.lowText(ai)));
    row.high->setText(QString::fromStdString(m_form.highText(ai)));
}

void FiveChannelMailDialog::refill()
{
    for (int ai = 0; ai < m_form.aiCount(); ++ai) {
        ChannelRow& row = m_rows[size_t(ai)];
        const AnalogMailChannel& channel = m_form.channel(ai);
        row.range->setCurrentIndex(row.range->findData(int(channel.range)));
        row.led->setCurrentIndex(row.led->findData(channel.ledCondition));
        row.mail->setChecked(channel.mail);
        showBand(ai);
    }
    for (int output = 0; output < m_form.doCount(); ++output)
        m_doAlerts[size_t(output)]->setChecked(m_form.doRecords()[size_t(output)].enabled);
}

void FiveChannelMailDialog::editDoAlert(int output)
{
    if (m_form.editDoAlert(output, m_ui))
        refill();
}

void FiveChannelMailDialog::sendTest()
{
    if (!m_testSend->running())
        m_testSend->start(m_form.prepareTestSend(m_ui));
}

bool openFiveChannelMailDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* fiveChannel = dynamic_cast<FiveChannelMailForm*>(&form);
    if (!fiveChannel)
        return false;
    FiveChannelMailDialog dialog(*fiveChannel, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
