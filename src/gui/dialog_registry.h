#pragma once

#include "core/app/dialog_form.h"
#include "core/app/user_interface.h"

class QWidget;

namespace kovra {

// Opens the Qt dialog registered for the form's template id, modal over `parent`; OK runs
// the form's checks and questions through `ui`. True when it closed with OK; false on
// Cancel or for a form without a dialog.
bool openRegisteredDialog(QWidget* parent, DialogForm& form, UserInterface& ui);

} // namespace kovra
