#pragma once

#include "core/alerts/two_channel_mail_form.h"
#include "gui/dialog_controls.h"
#include "gui/test_send_runner.h"

#include <QDialog>
#include <memory>

class QPushButton;

namespace kovra {

class UserInterface;

// "メールアラート設定" of the QX units: one SMTP account, AI1 in volts and AI2 in milliamperes
// each with its condition and band, DI1..DI3 each none/ON/OFF. What the unit held was read
// before the dialog opens; the test mail goes out on a thread of its own. Closes with OK only
// once the form's checks pass.
class TwoChannelMailDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids (the units' template has none of its own), kept as each widget's
    // "controlId" property.
    static constexpr int kIdOk = kOkButtonId;
    static constexpr int kIdCancel = kCancelButtonId;
    static constexpr int kIdServer = 1330;
    static constexpr int kIdPort = 1331;
    static constexpr int kIdUser = 1332;
    static constexpr int kIdPassword = 1333;
    static constexpr int kIdSender = 1334;
    static constexpr int kIdTo1 = 1335;
    static constexpr int kIdTo2 = 1336;
    static constexpr int kIdMessage = 1337;
    static constexpr int kIdTest = 1338;
    static constexpr int kIdFirstCondition = 1340; // AI1, AI2
    static constexpr int kIdFirstLow = 1342;
    static constexpr int kIdFirstHigh = 1344;
    static constexpr int kIdFirstDi = 1346; // DI1..DI3

    TwoChannelMailDialog(TwoChannelMailForm& form, UserInterface& ui, QWidget* parent = nullptr);

private:
    void sendTest();

    TwoChannelMailForm& m_form;
    UserInterface& m_ui;
    QPushButton* m_test = nullptr;
    std::unique_ptr<TestSendRunner> m_testSend; // after m_test: it holds the button
};

// Shows the dialog for a TwoChannelMailForm; true when it closed with OK. False, without a
// dialog, for any other form.
bool openTwoChannelMailDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
