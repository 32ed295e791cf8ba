#pragma once

#include "core/alerts/classic_mail_form.h"
#include "gui/dialog_controls.h"
#include "gui/test_send_runner.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace kovra {

class UserInterface;

// "メールアラート設定" of the binary kinds: one SMTP account (a host name with
// "SMTP-AUTH認証あり" on kinds 1 and 4, an address on kind 0), the rows "DI1 有効".. with
// their ON/OFF lists, and the analog group "QM-210 / QM-220 / QM-230" in percent. Rows
// beyond the model's counts are hidden. The test mail goes out on a thread of its own.
class ClassicMailDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids, kept as each widget's "controlId" property.
    static constexpr int kIdServer = 1330;
    static constexpr int kIdPort = 1331;
    static constexpr int kIdAuth = 1332;
    static constexpr int kIdUser = 1333;
    static constexpr int kIdPassword = 1334;
    static constexpr int kIdSender = 1335;
    static constexpr int kIdTo1 = 1336;
    static constexpr int kIdTo2 = 1337;
    static constexpr int kIdMessage = 1338;
    static constexpr int kIdTest = 1339;
    static constexpr int kIdDiEnabled = 1340; // + row (0..7)
    static constexpr int kIdDiEdge = 1350; // + row
    static constexpr int kIdAnalogGroup = 1359;
    static constexpr int kIdAiLow = 1360; // + row (0..2)
    static constexpr int kIdAiHigh = 1363;
    static constexpr int kIdAiLed = 1366;
    static constexpr int kIdAiMail = 1369;
    static constexpr int kIdAiMailWhen = 1372;

    ClassicMailDialog(ClassicMailForm& form, UserInterface& ui, QWidget* parent = nullptr);

private:
    QLayout* accountRows();
    QGroupBox* diGroup();
    QGroupBox* analogGroup();
    void showAuth();
    void sendTest();

    ClassicMailForm& m_form;
    UserInterface& m_ui;
    QCheckBox* m_auth = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QPushButton* m_test = nullptr;
    std::unique_ptr<TestSendRunner> m_testSend; // after m_test: it holds the button
};

// Shows the dialog for a ClassicMailForm; true when it closed with OK. False, without a
// dialog, for any other form.
bool openClassicMailDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
