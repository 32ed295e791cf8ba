#pragma once

#include "core/functions/connections_form.h"
#include "gui/dialog_controls.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kovra {

class UserInterface;

// "入力延長" of kinds 5 and 7: four connections, the extension timing, the peer mapping (combos
// or checks, by the form's layout) and the socket mode; the mode radios switch the other
// controls on and off by the form's rule. Closes with OK only once the form's checks and
// question have passed.
class ConnectionsDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids of the dialog template, kept as each widget's "controlId" property.
    static constexpr int kIdOk = kOkButtonId;
    static constexpr int kIdCancel = kCancelButtonId;
    struct ConnectionIds {
        int port;
        int host;
        int hostPort;
    };
    static constexpr std::array<ConnectionIds, ConnectionsForm::kConnectionCount> kConnectionIds = { {
        { 1056, 1051, 1052 },
        { 1059, 1057, 1058 },
        { 1062, 1082, 1061 },
        { 1078, 1084, 1083 },
    } };
    static constexpr int kIdDiscon = 1001;
    static constexpr int kIdNotice = 1002;
    static constexpr int kIdDetect = 1003;
    static constexpr int kIdResetRequest = 1287;
    static constexpr std::array<int, ConnectionsForm::kMappingRows> kDiComboIds = { 1307, 1309 };
    static constexpr std::array<int, ConnectionsForm::kMappingRows> kDoComboIds = { 1317, 1319 };
    static constexpr std::array<int, ConnectionsForm::kCheckRows> kDiCheckIds
        = { 1116, 1117, 1118, 1119, 1120, 1125, 1126 };
    static constexpr int kIdResetMapping = 1314;
    // The mode radios by SockMode.
    static constexpr std::array<int, 4> kModeIds = { 1338, 1326, 1341, 1340 };

    ConnectionsDialog(ConnectionsForm& form, UserInterface& ui, QWidget* parent = nullptr);

protected:
    // The hidden old-mode keys reach the dialog while any of its controls has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MappingRow {
        QLabel* label = nullptr;
        QComboBox* combo = nullptr;
    };

    QGroupBox* connectionsGroup();
    QLayout* timingGroups();
    QGroupBox* mappingGroup();
    QGroupBox* modeGroup();
    void showMapping();
    void showMode();

    ConnectionsForm& m_form;
    UserInterface& m_ui;
    std::vector<QWidget*> m_connectionEdits;
    std::vector<QWidget*> m_timingGroups;
    std::array<QComboBox*, 3> m_timingCombos {};
    QCheckBox* m_resetRequest = nullptr;
    std::vector<QWidget*> m_mappingControls; // headings, labels, combos or hint, checks
    std::array<MappingRow, ConnectionsForm::kMappingRows> m_diRows {};
    std::array<MappingRow, ConnectionsForm::kMappingRows> m_doRows {};
    std::array<QCheckBox*, ConnectionsForm::kCheckRows> m_diChecks {};
    QPushButton* m_resetMapping = nullptr;
    std::array<QRadioButton*, 4> m_modes {};
};

// Shows the dialog for a ConnectionsForm; true when it closed with OK. False, without a
// dialog, for any other form.
bool openConnectionsDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
