#pragma once

#include "core/functions/udp_keep_alive_form.h"

#include <QDialog>

class QCheckBox;

namespace kovra {

class UserInterface;

// "その他の設定" of kind-6 units: socket keep-alive, UDP mode and the ADC sampling rate.
// Closes with OK only once the form's checks and its question have passed.
class UdpKeepAliveDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids of the dialog template, kept as each widget's "controlId" property.
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdKeepIdle = 1327;
    static constexpr int kIdKeepInterval = 1112;
    static constexpr int kIdKeepCount = 1113;
    static constexpr int kIdUdpMode = 1326;
    static constexpr int kIdSamplingRate = 1081;

    UdpKeepAliveDialog(UdpKeepAliveForm& form, UserInterface& ui, QWidget* parent = nullptr);

private:
    void pressOk();

    UdpKeepAliveForm& m_form;
    UserInterface& m_ui;
    QCheckBox* m_udpMode = nullptr;
};

// Shows the dialog for a UdpKeepAliveForm; true when it closed with OK. False, without a
// dialog, for any other form.
bool openUdpKeepAliveDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
