#pragma once

#include "core/alerts/single_mail_form.h"
#include "gui/dialog_controls.h"
#include "gui/test_send_runner.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kovra {

class UserInterface;

// "メールアラート設定" of kind 3 units: one SMTP account, the server as a host name, the user
// and password editable only with "SMTP-AUTH認証あり". The test mail goes out on a thread of
// its own, so the window keeps painting while the unit is reached. Closes with OK only once
// the form's checks pass.
class SingleMailDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids, kept as each widget's "controlId" property.
    static constexpr int kIdOk = kOkButtonId;
    static constexpr int kIdCancel = kCancelButtonId;
    static constexpr int kIdServer = 1320;
    static constexpr int kIdPort = 1321;
    static constexpr int kIdAuth = 1322;
    static constexpr int kIdUser = 1323;
    static constexpr int kIdPassword = 1324;
    static constexpr int kIdSender = 1325;
    static constexpr int kIdTo1 = 1326;
    static constexpr int kIdTo2 = 1327;
    static constexpr int kIdMessage = 1328;
    static constexpr int kIdTest = 1329;

    SingleMailDialog(SingleMailForm& form, UserInterface& ui, QWidget* parent = nullptr);

private:
    void showAuth();
    void sendTest();

    SingleMailForm& m_form;
    UserInterface& m_ui;
    QCheckBox* m_auth = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QPushButton* m_test = nullptr;
    std::unique_ptr<TestSendRunner> m_testSend; // after m_test: it holds the button
};

// Shows the dialog for a SingleMailForm; true when it closed with OK. False, without a
// dialog, for any other form.
bool openSingleMailDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
