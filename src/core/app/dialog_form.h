#pragma once

namespace kovra {

// The logic of one setting dialog (its values and checks), kept apart from any widgets.
// A flow hands a form to UserInterface::openDialog; the GUI shows the matching dialog,
// the CLI fills the form from its arguments, tests fill it from a script.
class DialogForm {
public:
    virtual ~DialogForm() = default;
    // The dialog template the form belongs to (for example 143 for the DO alert dialog).
    virtual int templateId() const = 0;
};

} // namespace kovra
