#include "gui/thermo_settings_dialog.h"

#include "core/app/user_interface.h"
#include "gui/analog_settings_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace kovra {

namespace {

constexpr int kOff = 0;
constexpr int kOn = 1;
constexpr int kBurnout800000h = 0;
constexpr int kBurnout7FFFFFh = 1;

void selectData(QComboBox* combo, int value)
{
    combo->setCurrentIndex(combo->findData(value));
}

} // namespace

ThermoSettingsDialog::ThermoSettingsDialog(ThermoSettingsForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("その他の設定"));

    QComboBox* sampling
        = withControlId(coreChoiceCombo(samplingRateChoices(), m_form.samplingRate()), kIdSamplingRate);
    connect(sampling, &QComboBox::currentIndexChanged, this,
        [this, sampling] { m_form.setSamplingRate(sampling->currentData().toInt()); });
    auto* samplingRow = new QFormLayout;
    samplingRow->addRow(tr("ADCサンプリングSPS:"), sampling);

    m_pages = withControlId(new QTabBar, kIdPages);
    for (int input = 0; input < m_form.inputCount(); ++input)
        m_pages->addTab(tr("AI%1").arg(input + 1));
    connect(m_pages, &QTabBar::currentChanged, this, &ThermoSettingsDialog::showPage);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(samplingRow);
    layout->addWidget(m_pages);
    layout->addWidget(buildPage());
    layout->addLayout(okCancelButtons(this, m_form, m_ui));
    showPage();
}

QWidget* ThermoSettingsDialog::buildPage()
{
    auto* page = new QFrame;
    page->setFrameShape(QFrame::StyledPanel);
    auto* rows = new QFormLayout(page);

    m_range = withControlId(coreChoiceCombo(ThermoSettingsForm::rangeChoices(), 0), kIdRange);
    m_type = withControlId(coreChoiceCombo(ThermoSettingsForm::typeChoices(), 0), kIdType);
    m_scale = withControlId(coreChoiceCombo(ThermoSettingsForm::scaleChoices(), 0), kIdScale);
    auto* coldJunctionRow = new QHBoxLayout;
    m_coldJunction
        = radioPair(tr("ON"), kIdColdJunctionOn, kOn, tr("OFF"), kIdColdJunctionOff, kOff, coldJunctionRow);
    auto* burnoutRow = new QHBoxLayout;
    m_burnout = radioPair(tr("ON"), kIdBurnoutOn, kOn, tr("OFF"), kIdBurnoutOff, kOff, burnoutRow);
    auto* burnoutOutputRow = new QHBoxLayout;
    m_burnoutOutput = radioPair(tr("800000h"), kIdBurnout800000h, kBurnout800000h, tr("7FFFFFh"),
        kIdBurnout7FFFFFh, kBurnout7FFFFFh, burnoutOutputRow);
    m_lower = temperatureEdit(kIdLower, ThermoSettingsForm::Temperature::Lower);
    m_upper = temperatureEdit(kIdUpper, ThermoSettingsForm::Temperature::Upper);

    rows->addRow(tr("レンジ:"), m_range);
    rows->addRow(tr("熱電対タイプ:"), m_type);
    rows->addRow(tr("冷接点補償:"), coldJunctionRow);
    rows->addRow(tr("断線検知:"), burnoutRow);
    rows->addRow(tr("断線時出力:"), burnoutOutputRow);
    rows->addRow(tr("出力スケール:"), m_scale);
    rows->addRow(tr("下限温度(℃):"), m_lower);
    rows->addRow(tr("上限温度(℃):"), m_upper);

    m_thermocoupleControls = { m_type, m_coldJunction->button(kOn), m_coldJunction->button(kOff),
        m_burnout->button(kOn), m_burnout->button(kOff), m_burnoutOutput->button(kBurnout800000h),
        m_burnoutOutput->button(kBurnout7FFFFFh), m_scale, m_lower, m_upper };

    connect(m_range, &QComboBox::currentIndexChanged, this, [this] {
        m_form.setRange(currentInput(), m_range->currentData().toInt());
        enableThermocouple();
    });
    connect(m_type, &QComboBox::currentIndexChanged, this,
        [this] { m_form.setType(currentInput(), m_type->currentData().toInt()); });
    connect(m_scale, &QComboBox::currentIndexChanged, this,
        [this] { m_form.setScale(currentInput(), m_scale->currentData().toInt()); });
    connect(m_coldJunction, &QButtonGroup::idClicked, this,
        [this](int id) { m_form.setColdJunction(currentInput(), id == kOn); });
    connect(m_burnout, &QButtonGroup::idClicked, this,
        [this](int id) { m_form.setBurnoutDetection(currentInput(), id == kOn); });
    connect(m_burnoutOutput, &QButtonGroup::idClicked, this,
        [this](int id) { m_form.setBurnoutOutput(currentInput(), id); });
    return page;
}

// Two radios in a row; the group's ids are the values they stand for.
QButtonGroup* ThermoSettingsDialog::radioPair(const QString& first, int firstId, int firstValue,
    const QString& second, int secondId, int secondValue, QLayout* row)
{
    auto* group = new QButtonGroup(this);
    const std::pair<QString, std::pair<int, int>> radios[]
        = { { first, { firstId, firstValue } }, { second, { secondId, secondValue } } };
    for (const auto& [text, idValue] : radios) {
        auto* radio = withControlId(new QRadioButton(text), idValue.first);
        group->addButton(radio, idValue.second);
        row->addWidget(radio);
    }
    return group;
}

// Stored as it is typed; rewritten from the stored value when it loses focus.
QLineEdit* ThermoSettingsDialog::temperatureEdit(int id, ThermoSettingsForm::Temperature which)
{
    auto* edit = withControlId(new QLineEdit, id);
    connect(edit, &QLineEdit::textEdited, this, [this, edit, which] {
        const NumericEntry entry = m_form.enterTemperature(currentInput(), which, edit->text().toStdString());
        if (!entry.rejected)
            return;
        m_ui.showMessage(kNonNumericEntryMessage);
        edit->setText(QString::fromStdString(entry.accepted));
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, which] {
        edit->setText(QString::fromStdString(m_form.temperatureText(currentInput(), which)));
    });
    return edit;
}

int ThermoSettingsDialog::currentInput() const
{
    return m_pages->currentIndex();
}

void ThermoSettingsDialog::showPage()
{
    if (currentInput() < 0)
        return;
    const ThermoInput& input = m_form.input(currentInput());
    const ThermocoupleSettings& thermocouple = input.thermocouple;
    {
        // Showing a page stores nothing.
        const QSignalBlocker blockRange(m_range);
        const QSignalBlocker blockType(m_type);
        const QSignalBlocker blockScale(m_scale);
        selectData(m_range, input.range);
        selectData(m_type, thermocouple.type);
        selectData(m_scale, thermocouple.scale);
    }
    m_coldJunction->button(thermocouple.coldJunction ? kOn : kOff)->setChecked(true);
    m_burnout->button(thermocouple.burnoutDetection ? kOn : kOff)->setChecked(true);
    m_burnoutOutput->button(thermocouple.burnoutOutput)->setChecked(true);
    m_lower->setText(QString::fromStdString(
        m_form.temperatureText(currentInput(), ThermoSettingsForm::Temperature::Lower)));
    m_upper->setText(QString::fromStdString(
        m_form.temperatureText(currentInput(), ThermoSettingsForm::Temperature::Upper)));
    enableThermocouple();
}

void ThermoSettingsDialog::enableThermocouple()
{
    const bool enabled = currentInput() >= 0 && m_form.thermocoupleEnabled(currentInput());
    for (QWidget* control : m_thermocoupleControls)
        control->setEnabled(enabled);
}

bool openThermoSettingsDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* thermo = dynamic_cast<ThermoSettingsForm*>(&form);
    if (!thermo)
        return false;
    ThermoSettingsDialog dialog(*thermo, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
