#include "gui/entry_mail_dialog.h"

#include "core/app/user_interface.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QVBoxLayout>
#include <memory>

namespace kovra {

EntryMailDialog::EntryMailDialog(EntryMailForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("メールアラート設定"));

    m_tabs = withId(new QTabBar, kIdTabs);
    for (int row = 0; row < m_form.diCount(); ++row)
        m_tabs->addTab(tr("DI%1").arg(row + 1));

    m_modes[kEntryMailNone] = withId(new QRadioButton(tr("メールアラート無効")), kIdModeNone);
    m_modes[kEntryMailOnLo] = withId(new QRadioButton(tr("LOで有効")), kIdModeLo);
    m_modes[kEntryMailOnHi] = withId(new QRadioButton(tr("HIで有効")), kIdModeHi);
    m_modeGroup = new QButtonGroup(this);
    auto* modeRow = new QHBoxLayout;
    for (int mode = kEntryMailNone; mode <= kEntryMailOnHi; ++mode) {
        m_modeGroup->addButton(m_modes[size_t(mode)], mode);
        modeRow->addWidget(m_modes[size_t(mode)]);
    }
    modeRow->addStretch();

    const std::array<std::pair<QString, const char*>, 8> captions = { {
        { tr("SMTPサーバアドレス:"), "server" },
        { tr("SMTPサーバポート番号:"), "port" },
        { tr("認証ユーザー名:"), "user" },
        { tr("認証パスワード:"), "password" },
        { tr("送信元メールアドレス:"), "sender" },
        { tr("送信先メールアドレス１:"), "to1" },
        { tr("送信先メールアドレス２:"), "to2" },
        { tr("メッセージ:"), "message" },
    } };
    constexpr std::array<int, 8> ids
        = { kIdServer, kIdPort, kIdUser, kIdPassword, kIdSender, kIdTo1, kIdTo2, kIdMessage };
    auto* account = new QFormLayout;
    for (size_t i = 0; i < captions.size(); ++i) {
        auto* edit = withId(new QLineEdit, ids[i]);
        edit->setMaxLength(int(EntryMailForm::kTextEditLimit));
        m_edits[i] = { edit, captions[i].second };
        account->addRow(captions[i].first, edit);
        connect(edit, &QLineEdit::textEdited, this, [this, field = captions[i].second](const QString& text) {
            m_form.setFieldText(EntryMailForm::fieldName(m_tabs->currentIndex(), field), text.toStdString());
        });
    }
    QLineEdit* port = m_edits[1].edit;
    port->setMaxLength(int(EntryMailForm::kPortEditLimit));
    port->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), port));
    m_edits[3].edit->setEchoMode(QLineEdit::Password);

    m_copy = withId(new QPushButton(tr("サーバ設定等をDI1の設定からコピーする")), kIdCopy);
    m_test = withId(new QPushButton(tr("テスト送信")), kIdTest);
    m_test->setVisible(m_form.testVisible());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_copy);
    buttons->addStretch();
    buttons->addWidget(m_test);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(modeRow);
    layout->addLayout(account);
    layout->addLayout(buttons);
    layout->addLayout(okCancelButtons(this, m_form, m_ui));

    connect(m_tabs, &QTabBar::currentChanged, this, [this] { showTab(); });
    connect(m_modeGroup, &QButtonGroup::idClicked, this, [this](int mode) {
        m_form.setMode(m_tabs->currentIndex(), mode);
        showTab();
    });
    connect(m_copy, &QPushButton::clicked, this, [this] {
        if (m_form.copyFromFirst(m_tabs->currentIndex(), m_ui))
            showTab();
    });
    m_testSend = std::make_unique<TestSendRunner>(m_test, m_ui, [this] { showTab(); });
    connect(m_test, &QPushButton::clicked, this, [this] { sendTest(); });
    showTab();
}

void EntryMailDialog::showTab()
{
    const int row = m_tabs->currentIndex();
    const bool shown = row >= 0;
    // A mode the unit reports outside the three shows no radio checked.
    m_modeGroup->setExclusive(false);
    for (int mode = kEntryMailNone; mode <= kEntryMailOnHi; ++mode) {
        m_modes[size_t(mode)]->setEnabled(shown);
        m_modes[size_t(mode)]->setChecked(shown && m_form.mode(row) == mode);
    }
    m_modeGroup->setExclusive(true);
    const bool enabled = m_form.fieldsEnabled(row);
    for (const AccountEdit& account : m_edits) {
        const FormField* field = shown ? m_form.field(EntryMailForm::fieldName(row, account.field)) : nullptr;
        account.edit->setText(field ? QString::fromStdString(field->get()) : QString());
        account.edit->setEnabled(enabled);
    }
    m_copy->setEnabled(m_form.copyEnabled(row));
    m_test->setEnabled(shown && !m_testSend->running());
}

void EntryMailDialog::sendTest()
{
    if (!m_testSend->running())
        m_testSend->start(m_form.prepareTestSend(m_tabs->currentIndex(), m_ui));
}

bool openEntryMailDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* entryMail = dynamic_cast<EntryMailForm*>(&form);
    if (!entryMail)
        return false;
    EntryMailDialog dialog(*entryMail, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
