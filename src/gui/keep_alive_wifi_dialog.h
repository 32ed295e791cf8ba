#pragma once

#include "core/functions/keep_alive_wifi_form.h"

#include <QDialog>

namespace kovra {

class UserInterface;

// "その他の設定" of kind-3 units: socket keep-alive and, on units that take them, the
// Wi-Fi station / access point settings with the unit's address (hidden otherwise).
// Closes with OK only once the form's checks and its question have passed.
class KeepAliveWifiDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids of the dialog template, kept as each widget's "controlId" property.
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdKeepIdle = 1114;
    static constexpr int kIdKeepInterval = 1112;
    static constexpr int kIdKeepCount = 1113;
    static constexpr int kIdStation = 1122;
    static constexpr int kIdAccessPoint = 1125;
    static constexpr int kIdSsid = 1123;
    static constexpr int kIdPassword = 1124;
    static constexpr int kIdAddress = 1132;
    static constexpr int kIdMask = 1135;
    static constexpr int kIdGateway = 1136;
    static constexpr int kIdChannel = 1126;

    KeepAliveWifiDialog(KeepAliveWifiForm& form, UserInterface& ui, QWidget* parent = nullptr);

private:
    QWidget* buildWifiPart();
    void pressOk();

    KeepAliveWifiForm& m_form;
    UserInterface& m_ui;
};

// Shows the dialog for a KeepAliveWifiForm; true when it closed with OK. False, without a
// dialog, for any other form.
bool openKeepAliveWifiDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
