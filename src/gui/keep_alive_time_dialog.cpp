#include "gui/keep_alive_time_dialog.h"

#include "core/app/user_interface.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kovra {

namespace {

template <typename Widget> Widget* withId(Widget* widget, int id)
{
    widget->setProperty("controlId", id);
    return widget;
}

// An edit showing a field of the form; every change goes back through the field, so the
// text reads as kovractl reads it. A control the form has no field for stays empty.
QLineEdit* fieldEdit(DialogForm& form, const std::string& name, int id)
{
    auto* edit = withId(new QLineEdit, id);
    if (const FormField* field = form.field(name)) {
        edit->setText(QString::fromStdString(field->get()));
        QObject::connect(edit, &QLineEdit::textEdited, edit,
            [&form, name](const QString& text) { form.setFieldText(name, text.toStdString()); });
    }
    return edit;
}

} // namespace

KeepAliveTimeDialog::KeepAliveTimeDialog(KeepAliveTimeForm& form, UserInterface& ui, QWidget* parent)
    : QDialog(parent)
    , m_form(form)
    , m_ui(ui)
{
    setWindowTitle(tr("その他の設定"));

    auto* values = new QFormLayout;
    values->addRow(tr("Keepalive time(sec):"), fieldEdit(m_form, kKeepAliveField, kIdKeepAlive));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    withId(buttons->button(QDialogButtonBox::Ok), kIdOk);
    withId(buttons->button(QDialogButtonBox::Cancel), kIdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(values);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &KeepAliveTimeDialog::pressOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void KeepAliveTimeDialog::pressOk()
{
    if (acceptDialog(m_form, m_ui))
        accept();
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
