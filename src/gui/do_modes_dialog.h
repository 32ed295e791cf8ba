#pragma once

#include "core/functions/do_modes_form.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kovra {

class UserInterface;

// "その他の設定" of kinds 4, 5 and 7: the keep-alive time and, per DO, normal / ON at start
// / one-shot with the one-shot time. Rows above the model's DO count stay disabled.
// Closes with OK only once the form's checks have passed.
class DoModesDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids of the dialog template, kept as each widget's "controlId" property.
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdKeepAlive = 1132;
    static constexpr int kIdReset = 1137;
    // Per DO1..DO8: the three radios and the time edit.
    struct RowIds {
        int normal;
        int onAtStart;
        int oneShot;
        int time;
    };
    static constexpr std::array<RowIds, DoModesForm::kRowCount> kRowIds = { {
        { 1139, 1143, 1140, 1141 },
        { 1144, 1148, 1145, 1146 },
        { 1149, 1153, 1151, 1152 },
        { 1155, 1159, 1156, 1157 },
        { 1160, 1164, 1161, 1162 },
        { 1165, 1169, 1167, 1168 },
        { 1170, 1173, 1171, 1172 },
        { 1174, 1177, 1175, 1176 },
    } };
    DoModesDialog(DoModesForm& form, UserInterface& ui, QWidget* parent = nullptr);

private:
    struct Row {
        QLabel* name = nullptr;
        std::array<QRadioButton*, 3> modes {}; // by DoOutputMode
        QLineEdit* time = nullptr;
        QLabel* unit = nullptr;
    };

    void showRows();
    void pressOk();

    DoModesForm& m_form;
    UserInterface& m_ui;
    std::array<Row, DoModesForm::kRowCount> m_rows {};
};

// Shows the dialog for a DoModesForm; true when it closed with OK. False, without a
// dialog, for any other form.
bool openDoModesDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
