#include "gui/main_window.h"

#include "core/app/device_list_export.h"
#include "core/app/system_texts.h"
#include "core/diagnostics/diagnosis_setup.h"
#include "gui/core_text.h"
#include "gui/diagnosis_window.h"
#include "gui/dialog_controls.h"
#include "gui/dialog_registry.h"
#include "gui/ip_address_edit.h"
#include "gui/pair_map_window.h"
#include "gui/program_icon.h"

#include <QAction>
#include <QBrush>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kovra {

namespace {

constexpr int kProgressTimerMs = 100; // timer 100
const char* const kControlId = "controlId";

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), int(text.size()));
}

} // namespace

MainWindow::MainWindow(const QString& commandLine, QWidget* parent, MainWindowModel::AdapterSource adapters)
    : QDialog(parent)
    , m_ui(this)
    , m_dispatcher(this)
{
    setWindowTitle(tr("KOVRAset"));
    setWindowIcon(programIcon());
    buildControls();
    m_model = std::make_unique<MainWindowModel>(static_cast<MainWindowView&>(*this), m_dispatcher, m_ui,
        parseProgramOptions(commandLine.toStdString()), std::move(adapters));
    m_ui.setDialogOpener(
        [this](QWidget* parent, DialogForm& form) { return openRegisteredDialog(parent, form, m_ui); });
    connectControls();
}

MainWindow::~MainWindow()
{
    shutDownFlows();
}

void MainWindow::shutDownFlows()
{
    // Questions still waiting for an answer get Cancel and the flows' network waits end at
    // once, so that the window goes at once even during a search or an import.
    m_ui.shutDown();
    m_model->cancelFlows();
    m_model->waitForFlows();
}

MainWindowModel::StartResult MainWindow::initialize()
{
    return m_model->onInitDialog();
}

QWidget* MainWindow::control(int id) const
{
    for (QWidget* w : findChildren<QWidget*>())
        if (w->property(kControlId).toInt() == id)
            return w;
    return nullptr;
}

void MainWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);

    auto* adapterRow = new QHBoxLayout;
    m_adapterList = withId(new QComboBox, 1131);
    m_adapterList->setMinimumContentsLength(40);
    auto* adapterLabel = new QLabel(tr("ネットワークデバイス選択(&N):"));
    adapterLabel->setBuddy(m_adapterList);
    adapterRow->addWidget(adapterLabel);
    adapterRow->addWidget(m_adapterList, 1);
    layout->addLayout(adapterRow);

    auto* listGroup = new QGroupBox(tr("デバイスリスト(&D)"));
    auto* listLayout = new QVBoxLayout(listGroup);
    m_deviceList = withId(new QTreeWidget, 1012);
    m_deviceList->setRootIsDecorated(false);
    m_deviceList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_deviceList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_deviceList->setHeaderLabels({ tr("MACアドレス"), tr("IPアドレス"), tr("機種") });
    m_deviceList->setColumnWidth(0, 140);
    m_deviceList->setColumnWidth(1, 90);
    m_deviceList->setColumnWidth(2, 150);
    m_deviceList->header()->setDefaultAlignment(Qt::AlignLeft);
    m_deviceList->setMinimumHeight(200);
    m_deviceList->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_exportAction = new QAction(tr("デバイスリストを保存(&E)..."), m_deviceList);
    m_deviceList->addAction(m_exportAction);
    m_diagnoseAction = new QAction(tr("診断(&D)..."), m_deviceList);
    m_deviceList->addAction(m_diagnoseAction);
    listLayout->addWidget(m_deviceList);

    auto* searchRow = new QHBoxLayout;
    m_portEdit = withId(new QLineEdit, 1005);
    m_portEdit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), m_portEdit));
    m_portEdit->setMaximumWidth(80);
    m_portEdit->setText(QString::number(kDefaultUnitPort));
    auto* portLabel = new QLabel(tr("KOVRAポート(&P) :"));
    portLabel->setBuddy(m_portEdit);
    m_searchButton = withId(new QPushButton(tr("検索(&S)")), 1001);
    m_searchButton->setDefault(true);
    searchRow->addWidget(portLabel);
    searchRow->addWidget(m_portEdit);
    searchRow->addWidget(m_searchButton);
    searchRow->addStretch(1);
    m_addAddressEdit = withId(new QLineEdit, 1205);
    m_addAddressEdit->setMaximumWidth(130);
    auto* addLabel = new QLabel(tr("IPアドレス(&I):"));
    addLabel->setBuddy(m_addAddressEdit);
    m_addButton = withId(new QPushButton(tr("追加(&A)")), 1002);
    searchRow->addWidget(addLabel);
    searchRow->addWidget(m_addAddressEdit);
    searchRow->addWidget(m_addButton);
    listLayout->addLayout(searchRow);
    layout->addWidget(listGroup, 1);

    auto* lower = new QHBoxLayout;
    auto* addressGroup = new QGroupBox(tr("IPアドレスの設定"));
    auto* addressLayout = new QGridLayout(addressGroup);
    m_dhcpCheck = withId(new QCheckBox(tr("IPアドレスの自動取得")), 1037);
    m_addressEdit = withId(new IpAddressEdit, 1003);
    m_maskEdit = withId(new IpAddressEdit, 1004);
    m_gatewayEdit = withId(new IpAddressEdit, 1007);
    m_setButton = withId(new QPushButton(tr("設定")), 1029);
    m_pingButton = withId(new QPushButton(tr("PING")), 1028);
    addressLayout->addWidget(m_dhcpCheck, 0, 0, 1, 2);
    addressLayout->addWidget(new QLabel(tr("設定するIPアドレス")), 1, 0);
    addressLayout->addWidget(m_addressEdit, 1, 1);
    addressLayout->addWidget(m_pingButton, 1, 2);
    addressLayout->addWidget(new QLabel(tr("サブネットマスク")), 2, 0);
    addressLayout->addWidget(m_maskEdit, 2, 1);
    addressLayout->addWidget(new QLabel(tr("デフォルトゲートウェイ")), 3, 0);
    addressLayout->addWidget(m_gatewayEdit, 3, 1);
    addressLayout->addWidget(m_setButton, 3, 2);
    lower->addWidget(addressGroup, 1);

    auto* functions = new QVBoxLayout;
    m_mailAlertButton = withId(new QPushButton(tr("メールアラート")), 1000);
    m_inputExtensionButton = withId(new QPushButton(tr("入力延長")), 1008);
    m_otherSettingsButton = withId(new QPushButton(tr("その他の設定")), 1009);
    functions->addWidget(m_mailAlertButton);
    functions->addWidget(m_inputExtensionButton);
    functions->addWidget(m_otherSettingsButton);
    auto* fileGroup = new QGroupBox(tr("設定ファイル"));
    auto* fileLayout = new QVBoxLayout(fileGroup);
    m_saveFileButton = withId(new QPushButton(tr("設定一括保存")), 1010);
    m_writeFileButton = withId(new QPushButton(tr("設定一括書込")), 1011);
    fileLayout->addWidget(m_saveFileButton);
    fileLayout->addWidget(m_writeFileButton);
    functions->addWidget(fileGroup);
    functions->addStretch(1);
    lower->addLayout(functions);
    layout->addLayout(lower);

    auto* bottom = new QHBoxLayout;
    m_statusPlace = new QStackedWidget;
    m_statusLine = withId(new QLabel, 1046);
    m_progressBar = withId(new QProgressBar, 1079);
    m_progressBar->setRange(0, 100);
    m_statusPlace->addWidget(m_statusLine);
    m_statusPlace->addWidget(m_progressBar);
    m_statusPlace->setFixedHeight(m_progressBar->sizeHint().height());
    m_exitButton = withId(new QPushButton(tr("終了(&X)")), 1006);
    bottom->addWidget(m_statusPlace, 1);
    bottom->addWidget(m_exitButton);
    layout->addLayout(bottom);

    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(kProgressTimerMs);
}

void MainWindow::connectControls()
{
    connect(m_adapterList, qOverload<int>(&QComboBox::activated), this,
        [this](int index) { m_model->onAdapterSelected(index); });
    connect(m_searchButton, &QPushButton::clicked, this,
        [this] { m_model->onSearch(m_portEdit->text().toStdString()); });
    connect(m_addButton, &QPushButton::clicked, this, [this] {
        m_model->onAddByAddress(
            m_addAddressEdit->text().trimmed().toStdString(), m_portEdit->text().toStdString());
    });
    connect(m_deviceList, &QTreeWidget::itemSelectionChanged, this, [this] {
        const auto selected = m_deviceList->selectedItems();
        if (!selected.isEmpty())
            m_model->onSelectionChanged(selected.first()->text(1).toStdString());
    });
    connect(
        m_dhcpCheck, &QCheckBox::clicked, this, [this](bool checked) { m_model->onDhcpClicked(checked); });
    connect(m_setButton, &QPushButton::clicked, this, [this] {
        AddressEntry entry;
        entry.dhcp = m_dhcpCheck->isChecked();
        entry.address = m_addressEdit->text().trimmed().toStdString();
        entry.mask = m_maskEdit->text().trimmed().toStdString();
        entry.gateway = m_gatewayEdit->text().trimmed().toStdString();
        m_model->onSetAddress(entry);
    });
    connect(m_pingButton, &QPushButton::clicked, this,
        [this] { m_model->onPing(m_addressEdit->text().trimmed().toStdString()); });
    connect(m_mailAlertButton, &QPushButton::clicked, this,
        [this] { m_model->onSettingCommand(SettingCommand::MailAlert); });
    connect(m_inputExtensionButton, &QPushButton::clicked, this,
        [this] { m_model->onSettingCommand(SettingCommand::InputExtension); });
    connect(m_otherSettingsButton, &QPushButton::clicked, this,
        [this] { m_model->onSettingCommand(SettingCommand::OtherSettings); });
    addPairMapEntry(m_deviceList, [this] { return tableSlots(m_model->table()); });
    connect(m_saveFileButton, &QPushButton::clicked, this, [this] { m_model->onBulkSave(); });
    connect(m_writeFileButton, &QPushButton::clicked, this, [this] { m_model->onBulkWrite(); });
    connect(m_progressTimer, &QTimer::timeout, this, [this] { m_model->onProgressTimer(); });
    connect(m_exitButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_exportAction, &QAction::triggered, this, &MainWindow::exportDeviceList);
    connect(m_diagnoseAction, &QAction::triggered, this, &MainWindow::openDiagnosis);
}

void MainWindow::openDiagnosis()
{
    auto* window = new DiagnosisWindow(diagnosisSetup(*m_model, m_portEdit->text().toStdString()), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void MainWindow::exportDeviceList()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("デバイスリストを保存"), "devices.csv", tr("CSV (*.csv);;JSON (*.json)"));
    if (!path.isEmpty())
        saveDeviceListTo(path);
}

bool MainWindow::saveDeviceListTo(const QString& path)
{
    const std::string file = path.toStdString();
    if (saveDeviceList(file, deviceListFormatFor(file), m_model->table(), m_model->rows()) == 0)
        return true;
    QMessageBox::warning(this, QString(), tr("デバイスリストを保存できませんでした。"));
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    shutDownFlows();
    QDialog::closeEvent(event);
}

void MainWindow::reject()
{
    shutDownFlows();
    QDialog::reject();
}

void MainWindow::setAdapterLines(const std::vector<std::string>& lines, int selected)
{
    m_adapterList->clear();
    for (const auto& line : lines)
        m_adapterList->addItem(fromUtf8(line));
    m_adapterList->setCurrentIndex(selected);
}

void MainWindow::setStatusText(const std::string& text)
{
    m_statusLine->setText(coreText(text));
}

void MainWindow::setMainControlsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*> { m_addAddressEdit, m_searchButton, m_deviceList,
             m_portEdit, m_addButton, m_otherSettingsButton, m_inputExtensionButton, m_mailAlertButton,
             m_writeFileButton, m_saveFileButton })
        w->setEnabled(enabled);
    update();
}

void MainWindow::setAddressGroup(const AddressGroupState& group)
{
    m_dhcpCheck->setEnabled(group.dhcpEnabled);
    m_dhcpCheck->setChecked(group.dhcpChecked);
    m_addressEdit->setEnabled(group.addressEnabled);
    m_maskEdit->setEnabled(group.maskEnabled);
    m_gatewayEdit->setEnabled(group.gatewayEnabled);
    m_pingButton->setEnabled(group.pingEnabled);
    m_setButton->setEnabled(group.setEnabled);
    m_addressEdit->setText(fromUtf8(group.address));
    m_maskEdit->setText(fromUtf8(group.mask));
    m_gatewayEdit->setText(fromUtf8(group.gateway));
}

void MainWindow::clearDeviceRows()
{
    m_deviceList->clear();
}

void MainWindow::insertDeviceRow(int index, const DeviceRow& row)
{
    auto* item = new QTreeWidgetItem;
    m_deviceList->insertTopLevelItem(index, item);
    showDeviceRow(item, row);
}

void MainWindow::updateDeviceRow(int index, const DeviceRow& row)
{
    if (QTreeWidgetItem* item = m_deviceList->topLevelItem(index))
        showDeviceRow(item, row);
}

void MainWindow::showDeviceRow(QTreeWidgetItem* item, const DeviceRow& row)
{
    item->setText(0, fromUtf8(row.mac));
    item->setText(1, fromUtf8(row.ip));
    item->setText(2, fromUtf8(row.model));
    // Two units with one address: both rows stand out, and say why.
    const QString why = row.addressConflict
        ? tr("IPアドレスが重複しています (同じアドレスで別のユニットが応答しています)")
        : QString();
    for (int column = 0; column < item->columnCount(); ++column) {
        item->setBackground(column, row.addressConflict ? QBrush(QColor(0xFF, 0xD6, 0xD6)) : QBrush());
        item->setToolTip(column, why);
    }
}

void MainWindow::removeSelectedDeviceRow()
{
    for (QTreeWidgetItem* item : m_deviceList->selectedItems())
        delete item;
    m_deviceList->clearSelection();
}

void MainWindow::setProgressVisible(bool visible)
{
    m_statusPlace->setCurrentWidget(visible ? static_cast<QWidget*>(m_progressBar) : m_statusLine);
}

void MainWindow::setProgressValue(int percent)
{
    m_progressBar->setValue(percent);
}

void MainWindow::setProgressTimerRunning(bool running)
{
    if (running)
        m_progressTimer->start();
    else
        m_progressTimer->stop();
}

void MainWindow::closeWindow(int result)
{
    done(result);
}

} // namespace kovra
