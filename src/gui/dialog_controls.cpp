#include "gui/dialog_controls.h"

#include "core/app/dialog_form.h"
#include "gui/analog_entry_box.h"
#include "gui/core_text.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace kovra {

void hideUnless(QWidget* widget, bool shown)
{
    if (!shown)
        widget->hide();
}

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

QComboBox* coreChoiceCombo(const std::vector<ChoiceItem>& choices, int value)
{
    auto* combo = new QComboBox;
    for (const auto& choice : choices)
        combo->addItem(coreText(choice.text.c_str()), choice.value);
    combo->setCurrentIndex(combo->findData(value));
    return combo;
}

QComboBox* storingCombo(
    const std::vector<ChoiceItem>& choices, int value, int id, std::function<void(int)> store)
{
    auto* combo = withId(coreChoiceCombo(choices, value), id);
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
        [combo, store = std::move(store)] { store(combo->currentData().toInt()); });
    return combo;
}

QLayout* okCancelButtons(QDialog* dialog, DialogForm& form, UserInterface& ui, std::function<void()> refused)
{
    auto* ok = withId(new QPushButton(QCoreApplication::translate("kovra", "OK")), kOkButtonId);
    ok->setDefault(true);
    auto* cancel
        = withId(new QPushButton(QCoreApplication::translate("kovra", "キャンセル")), kCancelButtonId);
    QObject::connect(ok, &QPushButton::clicked, dialog, [dialog, &form, &ui, refused = std::move(refused)] {
        if (acceptDialog(form, ui))
            dialog->accept();
        else if (refused)
            refused();
    });
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace kovra
