#pragma once

#include "core/functions/tcp_extension_form.h"
#include "gui/dialog_controls.h"

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace kovra {

class UserInterface;

// "入力延長" of every kind but 5 and 7: the connection rows of the unit's kind (connection 1
// always waits; kinds 3 and 6 also always request and have no further rows; "TCP接続1 : N"
// shows the rows of connections 2 and 3,4 where the kind has them), the timing combos of the
// unit's model with the reset check, and the individual extension of the DIs where the form
// offers it. Closes with OK only once the form's checks have passed.
class TcpExtensionDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids of the dialog template, kept as each widget's "controlId" property.
    static constexpr int kIdOk = kOkButtonId;
    static constexpr int kIdCancel = kCancelButtonId;
    static constexpr int kIdMoreConnections = 1063;
    static constexpr std::array<int, 3> kIdPorts = { 1056, 1059, 1062 };
    static constexpr std::array<int, 3> kIdWaits = { 1064, 1072, 1075 };
    static constexpr std::array<int, 2> kIdRequests = { 1065, 1073 };
    static constexpr std::array<int, 2> kIdHosts = { 1051, 1057 };
    static constexpr std::array<int, 2> kIdHostPorts = { 1052, 1058 };
    static constexpr int kIdDiscon = 1001;
    static constexpr int kIdNotice = 1002;
    static constexpr int kIdDetect = 1003;
    static constexpr int kIdResetRequest = 1287;
    static constexpr int kIdIndividual = 1115;
    static constexpr std::array<int, TcpExtensionForm::kDiCheckRows> kIdDiChecks
        = { 1116, 1117, 1118, 1119, 1120, 1125, 1126, 1127 };

    TcpExtensionDialog(TcpExtensionForm& form, UserInterface& ui, QWidget* parent = nullptr);

private:
    QGroupBox* connectionsGroup();
    QLineEdit* hostEdit(int connection);
    QCheckBox* roleCheck(
        const QString& caption, int id, bool checked, std::function<void(bool)> set, std::function<bool()> get);
    // The rows of connections 2 and 3,4 while "TCP接続1 : N" is on and the kind has them.
    void showRows();
    QLayout* timingGroups();
    QGroupBox* individualGroup();
    // The individual extension's checks as the form holds them, on only while it is on.
    void showChecks();

    TcpExtensionForm& m_form;
    UserInterface& m_ui;
    std::array<std::vector<QWidget*>, 2> m_rowWidgets;
    QCheckBox* m_resetRequest = nullptr;
    QCheckBox* m_individual = nullptr;
    std::array<QCheckBox*, TcpExtensionForm::kDiCheckRows> m_diChecks {};
};

// Shows the dialog for a TcpExtensionForm; true when it closed with OK. False, without a
// dialog, for any other form.
bool openTcpExtensionDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
