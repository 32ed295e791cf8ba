#pragma once

#include "core/alerts/do_alert_form.h"
#include "core/app/user_interface.h"
#include "gui/analog_entry_box.h"

#include <QDialog>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace kovra {

// "DOアラート設定": the band, LED condition and hysteresis by which one digital output
// follows an analog input, with a picture of the resulting switching. The caller hands in
// the three inputs and the output's record and, after exec() returns Accepted, takes back
// values(). There is no Cancel button: the window's close box cancels.
class DoAlertDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids of the dialog template, kept as each widget's "controlId" property.
    static constexpr int kIdOk = 1;
    static constexpr int kIdMonitoredInput = 1268;
    static constexpr int kIdLedCondition = 1269;
    static constexpr int kIdHigh = 1270;
    static constexpr int kIdLow = 1271;
    static constexpr int kIdWidth = 1272;
    static constexpr int kIdDirection = 1273;
    static constexpr int kIdCaption = 1278;
    static constexpr int kIdPicture = 1279; // its "pictureNumber" property: 143..176
    static constexpr int kIdFirstLabel = 1280; // S1; S7 is 1286

    // Edits `form`, which outlives the dialog; `message` shows the numeric-entry message (by
    // default a message box).
    explicit DoAlertDialog(
        DoAlertForm& form, QWidget* parent = nullptr, AnalogMessage message = showAnalogMessageBox);

    // Monitored input, width and direction for the DO alert record; LED condition, High and
    // Low for the monitored input's channel row.
    DoAlertResult values() const { return m_form.result(); }

private:
    QWidget* buildPreviewPane();
    void showInput();
    void showPreview();
    void enter(QLineEdit* box, AnalogEntryOutcome (DoAlertForm::*field)(const std::string&));

    DoAlertForm& m_form;
    AnalogMessage m_message;
    QComboBox* m_monitoredInput = nullptr;
    QComboBox* m_ledCondition = nullptr;
    QComboBox* m_direction = nullptr;
    QGroupBox* m_caption = nullptr;
    QLineEdit* m_high = nullptr;
    QLineEdit* m_low = nullptr;
    QLineEdit* m_width = nullptr;
    std::array<QLabel*, 3> m_units {};
    QLabel* m_picture = nullptr;
    std::array<QLabel*, kDoAlertLabelCount> m_labels {};
};

// The dialog registry's entry for a DoAlertForm: modal over parent, true on OK.
bool openDoAlertDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
