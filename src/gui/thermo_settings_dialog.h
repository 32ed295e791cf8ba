#pragma once

#include "core/functions/thermo_settings_form.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QTabBar;

namespace kovra {

class UserInterface;

// "その他の設定" of the thermocouple models: the ADC sampling rate and, on one page "AIn" per
// AI, its range and thermocouple settings. Every choice is stored into the page's AI as it
// is made; switching pages shows that AI's values. The thermocouple controls are live only
// while the page's range is "熱電対".
class ThermoSettingsDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids of the dialog template, kept as each widget's "controlId" property.
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdPages = 1080;
    static constexpr int kIdSamplingRate = 1081;
    static constexpr int kIdRange = 1083;
    static constexpr int kIdType = 1084;
    static constexpr int kIdColdJunctionOn = 1087;
    static constexpr int kIdColdJunctionOff = 1088;
    static constexpr int kIdBurnoutOn = 1089;
    static constexpr int kIdBurnoutOff = 1090;
    static constexpr int kIdBurnout800000h = 1091;
    static constexpr int kIdBurnout7FFFFFh = 1092;
    static constexpr int kIdLower = 1093;
    static constexpr int kIdScale = 1095;
    static constexpr int kIdUpper = 1097;

    ThermoSettingsDialog(ThermoSettingsForm& form, UserInterface& ui, QWidget* parent = nullptr);

private:
    // The type, the six radios, the scale and the two temperatures.
    static constexpr size_t kThermocoupleControls = 10;

    QWidget* buildPage();
    QButtonGroup* radioPair(const QString& first, int firstId, int firstValue, const QString& second,
        int secondId, int secondValue, QLayout* row);
    QLineEdit* temperatureEdit(int id, ThermoSettingsForm::Temperature which);
    int currentInput() const; // the AI of the page shown
    void showPage();
    void enableThermocouple();

    ThermoSettingsForm& m_form;
    UserInterface& m_ui;
    QTabBar* m_pages = nullptr;
    QComboBox* m_range = nullptr;
    QComboBox* m_type = nullptr;
    QComboBox* m_scale = nullptr;
    QButtonGroup* m_coldJunction = nullptr;
    QButtonGroup* m_burnout = nullptr;
    QButtonGroup* m_burnoutOutput = nullptr;
    QLineEdit* m_lower = nullptr;
    QLineEdit* m_upper = nullptr;
    std::array<QWidget*, kThermocoupleControls> m_thermocoupleControls {};
};

// Opens the dialog of a ThermoSettingsForm (the dialog opener of template 136); true on OK.
bool openThermoSettingsDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
