#include "gui/classic_mail_dialog.h"

#include "core/app/user_interface.h"
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

constexpr int kDiRows = 8;

// The lists show the first entry for the first value: "ON" for an edge bit, "範囲内" for
// kLedInside, "点灯時" for kAnalogMailLit.
QComboBox* listCombo(const QStringList& items, int index, int id)
{
    auto* combo = withId(new QComboBox, id);
    combo->addItems(items);
    combo->setCurrentIndex(index);
    return combo;
}

} // namespace

ClassicMailDialog::ClassicMailDialog(ClassicMailForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("メールアラート設定"));

    m_test = withId(new QPushButton(tr("テスト送信")), kIdTest);
    hideUnless(m_test, m_form.testCount() > 0);
    auto* testRow = new QHBoxLayout;
    testRow->addStretch();
    testRow->addWidget(m_test);

    auto* inputs = new QHBoxLayout;
    inputs->addWidget(diGroup());
    inputs->addWidget(analogGroup());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(accountRows());
    layout->addLayout(inputs);
    layout->addLayout(testRow);
    layout->addLayout(okCancelButtons(this, m_form, m_ui));

    m_testSend = std::make_unique<TestSendRunner>(m_test, m_ui);
    connect(m_test, &QPushButton::clicked, this, [this] { sendTest(); });
    showAuth();
}

QLayout* ClassicMailDialog::accountRows()
{
    QLineEdit* server = nullptr;
    if (m_form.hostName()) {
        server = fieldEdit(m_form, ClassicMailForm::kServerField, kIdServer);
    } else {
        // An address control: only what can grow into a dotted quad.
        server = withId(new IpAddressEdit, kIdServer);
        server->setText(QString::fromStdString(m_form.field(ClassicMailForm::kServerField)->get()));
        connect(server, &QLineEdit::textEdited, this, [this](const QString& text) {
            m_form.setFieldText(ClassicMailForm::kServerField, text.toStdString());
        });
    }
    QLineEdit* port = fieldEdit(m_form, ClassicMailForm::kPortField, kIdPort);
    port->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), port));
    port->setMaxLength(5);

    auto* rows = new QFormLayout;
    rows->addRow(tr("SMTPサーバアドレス:"), server);
    rows->addRow(tr("SMTPサーバポート番号:"), port);
    // Units that take an address have no SMTP-AUTH.
    if (m_form.hostName()) {
        m_auth = withId(new QCheckBox(tr("SMTP-AUTH認証あり")), kIdAuth);
        m_auth->setChecked(m_form.auth());
        m_user = fieldEdit(m_form, ClassicMailForm::kUserField, kIdUser);
        m_password = fieldEdit(m_form, ClassicMailForm::kPasswordField, kIdPassword);
        m_password->setEchoMode(QLineEdit::Password);
        rows->addRow(m_auth);
        rows->addRow(tr("認証ユーザー名:"), m_user);
        rows->addRow(tr("認証パスワード:"), m_password);
        connect(m_auth, &QCheckBox::toggled, this, [this](bool on) {
            m_form.setAuth(on);
            showAuth();
        });
    }
    rows->addRow(tr("送信元メールアドレス:"), fieldEdit(m_form, ClassicMailForm::kSenderField, kIdSender));
    rows->addRow(tr("送信先メールアドレス１:"), fieldEdit(m_form, ClassicMailForm::kTo1Field, kIdTo1));
    rows->addRow(tr("送信先メールアドレス２:"), fieldEdit(m_form, ClassicMailForm::kTo2Field, kIdTo2));
    rows->addRow(tr("メッセージ:"), fieldEdit(m_form, ClassicMailForm::kMessageField, kIdMessage));
    return rows;
}

QGroupBox* ClassicMailDialog::diGroup()
{
    auto* group = new QGroupBox;
    auto* grid = new QGridLayout(group);
    for (int row = 0; row < kDiRows; ++row) {
        auto* enabled = withId(new QCheckBox(tr("DI%1 有効").arg(row + 1)), kIdDiEnabled + row);
        enabled->setChecked(m_form.diEnabled(row));
        QComboBox* edge = listCombo({ tr("ON"), tr("OFF") }, m_form.diOnEdge(row) ? 0 : 1, kIdDiEdge + row);
        connect(enabled, &QCheckBox::toggled, this, [this, row](bool on) { m_form.setDiEnabled(row, on); });
        connect(edge, &QComboBox::currentIndexChanged, this,
            [this, row](int index) { m_form.setDiOnEdge(row, index == 0); });
        grid->addWidget(enabled, row, 0);
        grid->addWidget(edge, row, 1);
        hideUnless(enabled, row < m_form.diCount());
        hideUnless(edge, row < m_form.diCount());
    }
    hideUnless(group, m_form.diCount() > 0);
    return group;
}

QGroupBox* ClassicMailDialog::analogGroup()
{
    auto* group = withId(new QGroupBox(tr("QM-210 / QM-220 / QM-230")), kIdAnalogGroup);
    auto* grid = new QGridLayout(group);
    auto* mailHeader = new QLabel(tr("AIメールアラート(QM-210)"));
    grid->addWidget(new QLabel(tr("Low(%)")), 0, 1);
    grid->addWidget(new QLabel(tr("High(%)")), 0, 2);
    grid->addWidget(new QLabel(tr("LED")), 0, 3);
    grid->addWidget(mailHeader, 0, 4, 1, 2);
    hideUnless(mailHeader, m_form.analogMail());
    for (int row = 0; row < m_form.analogCount(); ++row) {
        ClassicAnalogRow& analog = m_form.analogRow(row);
        auto* label = new QLabel(tr("AI%1").arg(row + 1));
        QLineEdit* low = fieldEdit(m_form, ClassicMailForm::aiField(row, "low"), kIdAiLow + row);
        QLineEdit* high = fieldEdit(m_form, ClassicMailForm::aiField(row, "high"), kIdAiHigh + row);
        QComboBox* led = listCombo({ tr("範囲内"), tr("範囲外") }, analog.led, kIdAiLed + row);
        connect(led, &QComboBox::currentIndexChanged, this,
            [this, row](int index) { m_form.analogRow(row).led = index; });
        grid->addWidget(label, row + 1, 0);
        grid->addWidget(low, row + 1, 1);
        grid->addWidget(high, row + 1, 2);
        grid->addWidget(led, row + 1, 3);
        if (!m_form.analogMail())
            continue;
        auto* mail = withId(new QCheckBox, kIdAiMail + row);
        mail->setChecked(analog.mail != kAnalogMailOff);
        QComboBox* when = listCombo(
            { tr("点灯時"), tr("消灯時") }, analog.mail == kAnalogMailUnlit ? 1 : 0, kIdAiMailWhen + row);
        when->setEnabled(mail->isChecked());
        // Unchecked mails never; checked, on the list's choice.
        const auto store = [this, row, mail, when] {
            when->setEnabled(mail->isChecked());
            m_form.analogRow(row).mail = !mail->isChecked() ? kAnalogMailOff
                : when->currentIndex() == 0                 ? kAnalogMailLit
                                                            : kAnalogMailUnlit;
        };
        connect(mail, &QCheckBox::toggled, this, store);
        connect(when, &QComboBox::currentIndexChanged, this, store);
        grid->addWidget(mail, row + 1, 4);
        grid->addWidget(when, row + 1, 5);
    }
    hideUnless(group, m_form.analogCount() > 0);
    return group;
}

void ClassicMailDialog::showAuth()
{
    if (!m_auth)
        return;
    m_user->setEnabled(m_form.auth());
    m_password->setEnabled(m_form.auth());
}

void ClassicMailDialog::sendTest()
{
    if (!m_testSend->running())
        m_testSend->start(m_form.prepareTestSend(m_ui));
}

bool openClassicMailDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* classicMail = dynamic_cast<ClassicMailForm*>(&form);
    if (!classicMail)
        return false;
    ClassicMailDialog dialog(*classicMail, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
