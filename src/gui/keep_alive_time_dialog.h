#pragma once

#include "core/functions/keep_alive_time_form.h"

#include <QDialog>

namespace kovra {

class UserInterface;

// "その他の設定" of the older units: one keep-alive time in seconds. Closes with OK only
// once the form's check has passed.
class KeepAliveTimeDialog : public QDialog {
    Q_OBJECT

public:
    // Control ids of the dialog template, kept as each widget's "controlId" property.
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdKeepAlive = 1111;

    KeepAliveTimeDialog(KeepAliveTimeForm& form, UserInterface& ui, QWidget* parent = nullptr);

private:
    void pressOk();

    KeepAliveTimeForm& m_form;
    UserInterface& m_ui;
};

// Shows the dialog for a KeepAliveTimeForm; true when it closed with OK. False, without a
// dialog, for any other form.
bool openKeepAliveTimeDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
