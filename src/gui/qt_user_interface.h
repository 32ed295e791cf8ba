#pragma once

#include "core/app/user_interface.h"

#include <QPointer>
#include <QWidget>
#include <atomic>
#include <functional>

namespace kovra {

// The GUI's UserInterface: real message boxes, file dialogs and setting dialogs. Calls from
// a worker thread are carried to the GUI thread and the worker waits for the answer;
// calls on the GUI thread run directly. After shutDown() every waiting or later call
// returns the negative answer at once, so closing the window never deadlocks on a flow.
class QtUserInterface : public UserInterface {
public:
    // Opens the Qt dialog for a form; true on OK. Registered by whoever owns the dialogs.
    using DialogOpener = std::function<bool(QWidget* parent, DialogForm& form)>;

    explicit QtUserInterface(QWidget* parent);

    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askBeforeWrite(const std::string& text, const std::string& details) override;
    std::optional<std::string> chooseFile(
        FileMode mode, const std::string& filter, const std::string& suggestedName) override;
    bool openDialog(DialogForm& form) override;

    void setDialogOpener(DialogOpener opener) { m_dialogOpener = std::move(opener); }
    void shutDown() { m_shutDown = true; }

private:
    // Runs `call` on the GUI thread and returns its result; `fallback` after shutDown().
    template <typename Result> Result onGuiThread(std::function<Result()> call, Result fallback);

    QPointer<QWidget> m_parent;
    DialogOpener m_dialogOpener;
    std::atomic<bool> m_shutDown { false };
};

} // namespace kovra
