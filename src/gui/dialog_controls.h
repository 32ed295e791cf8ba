#pragma once

#include <QVariant>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QDialog;
class QLayout;
class QLineEdit;
class QWidget;

namespace kovra {

class DialogForm;
class UserInterface;
struct ChoiceItem;

// Pieces the main window and the setting dialogs are built from.

// Every setting dialog's template gives OK and Cancel these ids.
constexpr int kOkButtonId = 1;
constexpr int kCancelButtonId = 2;

// Keeps the template's control id as the widget's "controlId" property, where the tests and
// the windows' own lookups find the control.
template <typename Widget> Widget* withId(Widget* widget, int id)
{
    widget->setProperty("controlId", id);
    return widget;
}

// Hides a control the unit does not have. Controls are built before they have a parent, and
// showing one then would make it a window of its own, so the others are left as they are.
void hideUnless(QWidget* widget, bool shown);

// An edit showing a field of the form; every change goes back through the field, so the
// text reads as kovractl reads it. A control the form has no field for stays empty.
QLineEdit* fieldEdit(DialogForm& form, const std::string& name, int id);

// A combo with the rows of a list of the core, shown through the translator, on the row of
// `value`.
QComboBox* coreChoiceCombo(const std::vector<ChoiceItem>& choices, int value);

// A combo as coreChoiceCombo with the template id `id`, handing each chosen value to `store`
// at once.
QComboBox* storingCombo(
    const std::vector<ChoiceItem>& choices, int value, int id, std::function<void(int)> store);

// The OK and "キャンセル" row at the foot of a setting dialog. OK runs the form's checks and
// questions and accepts the dialog only when they pass; otherwise `refused` runs, for a
// dialog whose controls must show what an answer changed in the form. キャンセル rejects.
QLayout* okCancelButtons(
    QDialog* dialog, DialogForm& form, UserInterface& ui, std::function<void()> refused = {});

} // namespace kovra
