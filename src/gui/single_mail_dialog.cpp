#include "gui/single_mail_dialog.h"

#include "core/app/user_interface.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <memory>

namespace kovra {

SingleMailDialog::SingleMailDialog(SingleMailForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("メールアラート設定"));

    QLineEdit* port = fieldEdit(m_form, SingleMailForm::kPortField, kIdPort);
    port->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), port));
    m_auth = withId(new QCheckBox(tr("SMTP-AUTH認証あり")), kIdAuth);
    m_auth->setChecked(m_form.auth());
    m_user = fieldEdit(m_form, SingleMailForm::kUserField, kIdUser);
    m_password = fieldEdit(m_form, SingleMailForm::kPasswordField, kIdPassword);
    m_password->setEchoMode(QLineEdit::Password);

    auto* account = new QFormLayout;
    account->addRow(tr("SMTPサーバアドレス:"), fieldEdit(m_form, SingleMailForm::kServerField, kIdServer));
    account->addRow(tr("SMTPサーバポート番号:"), port);
    account->addRow(m_auth);
    account->addRow(tr("認証ユーザー名:"), m_user);
    account->addRow(tr("認証パスワード:"), m_password);
    account->addRow(tr("送信元メールアドレス:"), fieldEdit(m_form, SingleMailForm::kSenderField, kIdSender));
    account->addRow(tr("送信先メールアドレス１:"), fieldEdit(m_form, SingleMailForm::kTo1Field, kIdTo1));
    account->addRow(tr("送信先メールアドレス２:"), fieldEdit(m_form, SingleMailForm::kTo2Field, kIdTo2));
    account->addRow(tr("メッセージ:"), fieldEdit(m_form, SingleMailForm::kMessageField, kIdMessage));

    m_test = withId(new QPushButton(tr("テスト送信")), kIdTest);
    auto* testRow = new QHBoxLayout;
    testRow->addStretch();
    testRow->addWidget(m_test);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(account);
    layout->addLayout(testRow);
    layout->addLayout(okCancelButtons(this, m_form, m_ui));

    connect(m_auth, &QCheckBox::toggled, this, [this](bool on) {
        m_form.setAuth(on);
        showAuth();
    });
    m_testSend = std::make_unique<TestSendRunner>(m_test, m_ui);
    connect(m_test, &QPushButton::clicked, this, [this] { sendTest(); });
    showAuth();
}

void SingleMailDialog::showAuth()
{
    m_user->setEnabled(m_form.auth());
    m_password->setEnabled(m_form.auth());
}

void SingleMailDialog::sendTest()
{
    if (!m_testSend->running())
        m_testSend->start(m_form.prepareTestSend(m_ui));
}

bool openSingleMailDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* singleMail = dynamic_cast<SingleMailForm*>(&form);
    if (!singleMail)
        return false;
    SingleMailDialog dialog(*singleMail, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
