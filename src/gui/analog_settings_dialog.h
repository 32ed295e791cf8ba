#pragma once

#include "core/functions/analog_settings_form.h"

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

class QComboBox;
class QLayout;
class QLineEdit;

namespace kovra {

class UserInterface;

// "その他の設定" of models 8, 9 and 11: model 8 shows its ADC sampling rate and the ranges of
// AI1..AI3, models 9 and 11 the group "アナログ出力初期値" with a kind and a value per AO.
// The form holds the unit's values when the dialog opens and the accepted ones after OK.
class AnalogSettingsDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids of the dialog template, kept as each widget's "controlId" property. The AO
    // controls have none: they are named "aoN.kind" and "aoN.value" like the form's fields.
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdSamplingRate = 1068;
    static constexpr int kIdRangeAi1 = 1017;
    static constexpr int kIdRangeAi2 = 1019;
    static constexpr int kIdRangeAi3 = 1018;

    AnalogSettingsDialog(AnalogSettingsForm& form, UserInterface& ui, QWidget* parent = nullptr);

private:
    QWidget* buildInputs();
    QWidget* buildOutputs();
    void enterOutput(int output);

    AnalogSettingsForm& m_form;
    UserInterface& m_ui;
    std::array<QLineEdit*, kAnalogOutputMax> m_outputValues {};
};

// Opens the dialog of an AnalogSettingsForm (the dialog opener of template 132); true on OK.
bool openAnalogSettingsDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

// Pieces both analog settings dialogs are built with.

template <typename Widget> Widget* withControlId(Widget* widget, int id)
{
    widget->setProperty("controlId", id);
    return widget;
}

// A combo with the rows of a list of the core, shown through the translator, on the row of
// `value`.
QComboBox* coreChoiceCombo(const std::vector<ChoiceItem>& choices, int value);

// The OK (id 1) and "キャンセル" (id 2) buttons. OK runs the form's checks and questions and
// accepts the dialog only when they pass; キャンセル rejects it.
QLayout* okCancelButtons(QDialog* dialog, DialogForm& form, UserInterface& ui);

} // namespace kovra
