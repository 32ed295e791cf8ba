#pragma once

#include "core/alerts/five_channel_mail_form.h"
#include "gui/analog_entry_box.h"
#include "gui/dialog_controls.h"
#include "gui/test_send_runner.h"

#include <QDialog>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kovra {

class UserInterface;

// "メールアラート設定" of the analog QX units: one SMTP account (the server as a host name or an
// IP address by unit), rows Ch1..Ch5 with range, band, LED condition and AI mail alert, and
// DO1/DO2 with their DO alert, whose "設定" button opens the DO alert dialog and refills the
// window with what it gave back. Closes with OK only once the form's checks pass.
class FiveChannelMailDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids (the units' template has none of its own), kept as each widget's
    // "controlId" property; rows count up from their first id.
    static constexpr int kIdOk = kOkButtonId;
    static constexpr int kIdCancel = kCancelButtonId;
    static constexpr int kIdServerName = 1370;
    static constexpr int kIdServerAddress = 1371;
    static constexpr int kIdPort = 1372;
    static constexpr int kIdAuth = 1373;
    static constexpr int kIdUser = 1374;
    static constexpr int kIdPassword = 1375;
    static constexpr int kIdSender = 1376;
    static constexpr int kIdTo1 = 1377;
    static constexpr int kIdTo2 = 1378;
    static constexpr int kIdMessage = 1379;
    static constexpr int kIdTest = 1380;
    static constexpr int kIdFirstRange = 1381;
    static constexpr int kIdFirstLow = 1386;
    static constexpr int kIdFirstHigh = 1391;
    static constexpr int kIdFirstLed = 1396;
    static constexpr int kIdFirstMail = 1401;
    static constexpr int kIdFirstDoAlert = 1406;
    static constexpr int kIdFirstDoSetting = 1408;

    // `message` shows the numeric-entry message (by default a message box).
    FiveChannelMailDialog(FiveChannelMailForm& form, UserInterface& ui, QWidget* parent = nullptr,
        AnalogMessage message = showAnalogMessageBox);

private:
    struct ChannelRow {
        QComboBox* range = nullptr;
        QLineEdit* low = nullptr;
        QLineEdit* high = nullptr;
        QLabel* lowUnit = nullptr;
        QLabel* highUnit = nullptr;
        QComboBox* led = nullptr;
        QCheckBox* mail = nullptr;
    };

    QWidget* buildAccount();
    QWidget* buildChannels();
    QWidget* buildOutputs();
    void showAuth();
    // The rows as the form holds them, as on opening.
    void refill();
    void showBand(int ai);
    void editDoAlert(int output);
    void sendTest();

    FiveChannelMailForm& m_form;
    UserInterface& m_ui;
    AnalogMessage m_message;
    QCheckBox* m_auth = nullptr;
    QWidget* m_user = nullptr;
    QWidget* m_userLabel = nullptr;
    QWidget* m_password = nullptr;
    QWidget* m_passwordLabel = nullptr;
    std::array<ChannelRow, kFiveChannelAiMax> m_rows {};
    std::array<QCheckBox*, kFiveChannelDoMax> m_doAlerts {};
    QPushButton* m_test = nullptr;
    std::unique_ptr<TestSendRunner> m_testSend; // after m_test: it holds the button
};

// Shows the dialog for a FiveChannelMailForm; true when it closed with OK. False, without a
// dialog, for any other form.
bool openFiveChannelMailDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
