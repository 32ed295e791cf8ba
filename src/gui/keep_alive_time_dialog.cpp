#include "gui/keep_alive_time_dialog.h"

#include "core/app/user_interface.h"
#include "gui/dialog_controls.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kovra {

KeepAliveTimeDialog::KeepAliveTimeDialog(KeepAliveTimeForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("その他の設定"));

    auto* values = new QFormLayout;
    values->addRow(tr("Keepalive time(sec):"), fieldEdit(m_form, kKeepAliveField, kIdKeepAlive));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(values);
    layout->addLayout(okCancelButtons(this, m_form, m_ui));
}

bool openKeepAliveTimeDialog(QWidget* parent, DialogForm& form, UserInterface& ui)
{
    auto* keepAliveTime = dynamic_cast<KeepAliveTimeForm*>(&form);
    if (!keepAliveTime)
        return false;
    KeepAliveTimeDialog dialog(*keepAliveTime, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kovra
