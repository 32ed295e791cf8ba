#include "gui/two_channel_mail_dialog.h"

#include "core/app/setting_outcome_text.h"
#include "core/app/user_interface.h"

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

constexpr int kTextMax = 64;
constexpr int kPortMax = 5;
constexpr int kMessageMax = 32;

QLineEdit* limited(QLineEdit* edit, int maxLength)
{
    edit->setMaxLength(maxLength);
    return edit;
}

} // namespace

TwoChannelMailDialog::TwoChannelMailDialog(TwoChannelMailForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("メールアラート設定"));

    QLineEdit* port = limited(fieldEdit(m_form, TwoChannelMailForm::kPortField, kIdPort), kPortMax);
    port->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), port));
    QLineEdit* password
        = limited(fieldEdit(m_form, TwoChannelMailForm::kPasswordField, kIdPassword), kTextMax);
    password->setEchoMode(QLineEdit::Password);

    auto* account = new QFormLayout;
    account->addRow(tr("SMTPサーバアドレス:"),
        limited(fieldEdit(m_form, TwoChannelMailForm::kServerField, kIdServer), kTextMax));
    account->addRow(tr("SMTPサーバポート番号:"), port);
    account->addRow(
        tr("認証ユーザー名:"), limited(fieldEdit(m_form, TwoChannelMailForm::kUserField, kIdUser), kTextMax));
    account->addRow(tr("認証パスワード:"), password);
    account->addRow(tr("送信元メールアドレス:"),
        limited(fieldEdit(m_form, TwoChannelMailForm::kSenderField, kIdSender), kTextMax));
    account->addRow(tr("送信先メールアドレス1:"),
        limited(fieldEdit(m_form, TwoChannelMailForm::kTo1Field, kIdTo1), kTextMax));
    account->addRow(tr("送信先メールアドレス2:"),
        limited(fieldEdit(m_form, TwoChannelMailForm::kTo2Field, kIdTo2), kTextMax));
    account->addRow(tr("メッセージ:"),
        limited(fieldEdit(m_form, TwoChannelMailForm::kMessageField, kIdMessage), kMessageMax));

    auto* analog = new QGridLayout;
    analog->addWidget(new QLabel(tr("条件")), 0, 1);
    analog->addWidget(new QLabel(tr("Low")), 0, 2);
    analog->addWidget(new QLabel(tr("High")), 0, 3);
    const char* aiCaptions[kTwoChannelAiCount] = { "AI1 (V)", "AI2 (mA)" };
    for (int ai = 0; ai < kTwoChannelAiCount; ++ai) {
        const std::string name = "ai" + std::to_string(ai + 1);
        analog->addWidget(new QLabel(tr(aiCaptions[ai])), ai + 1, 0);
        analog->addWidget(
            storingCombo(TwoChannelMailForm::conditionChoices(), m_form.condition(ai), kIdFirstCondition + ai,
                [this, ai](int value) { m_form.setCondition(ai, value); }),
            ai + 1, 1);
        analog->addWidget(fieldEdit(m_form, name + ".low", kIdFirstLow + ai), ai + 1, 2);
        analog->addWidget(fieldEdit(m_form, name + ".high", kIdFirstHigh + ai), ai + 1, 3);
    }
    auto* analogBox = new QGroupBox(tr("AIメールアラート"));
    analogBox->setLayout(analog);

    auto* digital = new QGridLayout;
    for (int di = 0; di < kTwoChannelDiCount; ++di) {
        digital->addWidget(new QLabel(QStringLiteral("DI%1").arg(di + 1)), 0, di * 2);
        digital->addWidget(storingCombo(TwoChannelMailForm::diChoices(), m_form.diAlert(di), kIdFirstDi + di,
                               [this, di](int value) { m_form.setDiAlert(di, value); }),
            0, di * 2 + 1);
    }
    auto* digitalBox = new QGroupBox(tr("DIメールアラート"));
    digitalBox->setLayout(digital);

    m_test = withId(new QPushButton(tr("テスト送信")), kIdTest);
    auto* testRow = new QHBoxLayout;
    testRow->addStretch();
    testRow->addWidget(m_test);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(account);
    layout->addWidget(analogBox);
    layout->addWidget(digitalBox);
    layout->addLayout(testRow);
    layout->addLayout(okCancelButtons(this, m_form, m_ui));

    m_testSend
        = std::make_unique<TestSendRunner>(m_test, m_ui, std::function<void()> {}, analogMailTestMessage);
    connect(m_test, &QPushButton::clicked, this, [this] { sendTest(); });
}

void TwoChannelMailDialog::sendTest()
{
    if (!m_testSend->running())
        m_testSend->start(m_form.prepareTestSend(m_ui));
}

bool openTwoChannelMailDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* twoChannel = dynamic_cast<TwoChannelMailForm*>(&form);
    if (!twoChannel)
        return false;
    TwoChannelMailDialog dialog(*twoChannel, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
