#pragma once

#include "core/app/main_window_model.h"
#include "gui/qt_dispatcher.h"
#include "gui/qt_user_interface.h"

#include <QDialog>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace kovra {

class IpAddressEdit;

// The main window (dialog 102): a view over MainWindowModel. Each control carries its
// numeric id as the property "controlId".
class MainWindow : public QDialog, private MainWindowView {
    Q_OBJECT
public:
    explicit MainWindow(const QString& commandLine, QWidget* parent = nullptr,
        MainWindowModel::AdapterSource adapters = enumerateAdapters);
    ~MainWindow() override;

    // Start-up; anything but Ready means the program ends.
    MainWindowModel::StartResult initialize();

    MainWindowModel& model() { return *m_model; }
    QtUserInterface& userInterface() { return m_ui; }
    // The control with the given id, for tests and tools.
    QWidget* control(int id) const;
    // Writes the device list to `path`, as CSV or, for a ".json" name, JSON; false (after the
    // message) when the file cannot be written. The list's context menu asks for the name.
    bool saveDeviceListTo(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void connectControls();
    void shutDownFlows();
    void exportDeviceList();
    void showDeviceRow(QTreeWidgetItem* item, const DeviceRow& row);
    void openDiagnosis();

    // MainWindowView
    void setAdapterLines(const std::vector<std::string>& lines, int selected) override;
    void setStatusText(const std::string& text) override;
    void setMainControlsEnabled(bool enabled) override;
    void setAddressGroup(const AddressGroupState& group) override;
    void clearDeviceRows() override;
    void insertDeviceRow(int index, const DeviceRow& row) override;
    void updateDeviceRow(int index, const DeviceRow& row) override;
    void removeSelectedDeviceRow() override;
    void setProgressVisible(bool visible) override;
    void setProgressValue(int percent) override;
    void setProgressTimerRunning(bool running) override;
    void closeWindow(int result) override;

    QComboBox* m_adapterList = nullptr; // 1131
    QTreeWidget* m_deviceList = nullptr; // 1012
    QAction* m_exportAction = nullptr; // the list's context menu
    QAction* m_diagnoseAction = nullptr; // the list's context menu: the diagnosis window
    QLineEdit* m_portEdit = nullptr; // 1005
    QPushButton* m_searchButton = nullptr; // 1001
    QLineEdit* m_addAddressEdit = nullptr; // 1205
    QPushButton* m_addButton = nullptr; // 1002
    QCheckBox* m_dhcpCheck = nullptr; // 1037
    IpAddressEdit* m_addressEdit = nullptr; // 1003
    IpAddressEdit* m_maskEdit = nullptr; // 1004
    IpAddressEdit* m_gatewayEdit = nullptr; // 1007
    QPushButton* m_setButton = nullptr; // 1029
    QPushButton* m_pingButton = nullptr; // 1028
    QPushButton* m_mailAlertButton = nullptr; // 1000
    QPushButton* m_inputExtensionButton = nullptr; // 1008
    QPushButton* m_otherSettingsButton = nullptr; // 1009
    QPushButton* m_saveFileButton = nullptr; // 1010
    QPushButton* m_writeFileButton = nullptr; // 1011
    QProgressBar* m_progressBar = nullptr; // 1079
    QLabel* m_statusLine = nullptr; // 1046
    QStackedWidget* m_statusPlace = nullptr;
    QPushButton* m_exitButton = nullptr; // 1006
    QTimer* m_progressTimer = nullptr; // timer 100

    QtUserInterface m_ui;
    QtDispatcher m_dispatcher;
    std::unique_ptr<MainWindowModel> m_model;
};

} // namespace kovra
