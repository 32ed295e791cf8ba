#pragma once

#include "core/alerts/entry_mail_form.h"
#include "gui/dialog_controls.h"
#include "gui/test_send_runner.h"

#include <QDialog>
#include <array>
#include <memory>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace kovra {

class UserInterface;

// "メールアラート設定" of kinds 5 and 7: a tab per DI, each with its mode and its own SMTP
// account. Every edit goes into the shown DI's entry at once; the account is editable only
// while the DI has an alert. The test mail goes out on a thread of its own, so the window
// keeps painting while the unit is reached. Closes with OK only once the form's checks pass.
class EntryMailDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids, kept as each widget's "controlId" property.
    static constexpr int kIdOk = kOkButtonId;
    static constexpr int kIdCancel = kCancelButtonId;
    static constexpr int kIdTabs = 1300;
    static constexpr int kIdModeNone = 1301;
    static constexpr int kIdModeLo = 1302;
    static constexpr int kIdModeHi = 1303;
    static constexpr int kIdServer = 1304;
    static constexpr int kIdPort = 1305;
    static constexpr int kIdUser = 1306;
    static constexpr int kIdPassword = 1307;
    static constexpr int kIdSender = 1308;
    static constexpr int kIdTo1 = 1309;
    static constexpr int kIdTo2 = 1310;
    static constexpr int kIdMessage = 1311;
    static constexpr int kIdCopy = 1312;
    static constexpr int kIdTest = 1313;

    EntryMailDialog(EntryMailForm& form, UserInterface& ui, QWidget* parent = nullptr);

private:
    // One edit of the account: its control and the form field it shows.
    struct AccountEdit {
        QLineEdit* edit = nullptr;
        const char* field = nullptr;
    };

    void showTab();
    void sendTest();

    EntryMailForm& m_form;
    UserInterface& m_ui;
    QTabBar* m_tabs = nullptr;
    QButtonGroup* m_modeGroup = nullptr;
    std::array<QRadioButton*, 3> m_modes {}; // by EntryMailMode
    std::array<AccountEdit, 8> m_edits {};
    QPushButton* m_copy = nullptr;
    QPushButton* m_test = nullptr;
    std::unique_ptr<TestSendRunner> m_testSend; // after m_test: it holds the button
};

// Shows the dialog for an EntryMailForm; true when it closed with OK. False, without a
// dialog, for any other form.
bool openEntryMailDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
