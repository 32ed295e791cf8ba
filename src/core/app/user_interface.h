#pragma once

#include "core/app/dialog_form.h"

#include <optional>
#include <string>

namespace kovra {

// What a flow needs from whoever shows it: message boxes, questions, file choice and the
// setting dialogs. Flows run on worker threads; implementations carry each call to their
// own UI thread and block until it is answered. Texts are UTF-8.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A modal message box with OK only.
    virtual void showMessage(const std::string& text) = 0;
    // True for OK, false for Cancel.
    virtual bool askOkCancel(const std::string& text) = 0;
    // True for Yes, false for No.
    virtual bool askYesNo(const std::string& text) = 0;
    // The question before a setup write: OK and Cancel with Cancel as default, the question
    // icon, and `details` (may be empty) saying what the write would change.
    virtual bool askBeforeWrite(const std::string& text, const std::string& details) = 0;

    enum class FileMode { Open, Save };
    // A file dialog with one filter ("設定ファイル (*.rec)|*.rec" style: caption|pattern);
    // nothing when the operator cancels.
    virtual std::optional<std::string> chooseFile(
        FileMode mode, const std::string& filter, const std::string& suggestedName)
        = 0;

    // Shows the setting dialog of the form; true when it was closed with OK (the form then
    // holds the accepted values).
    virtual bool openDialog(DialogForm& form) = 0;
};

} // namespace kovra
