#pragma once

#include "core/app/user_interface.h"

#include <iosfwd>
#include <mutex>

namespace kovra::cli {

// kovractl's UserInterface: messages go to the error stream (they are the system's own
// texts, shown as the GUI shows them); questions take --yes, else are asked on the
// terminal, else (no terminal) answered Cancel/No.
class CliUserInterface : public UserInterface {
public:
    CliUserInterface(std::istream& in, std::ostream& err, bool yes, bool interactive);

    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    std::optional<std::string> chooseFile(
        FileMode mode, const std::string& filter, const std::string& suggestedName) override;
    bool openDialog(DialogForm& form) override;

    // Messages shown so far, for the exit status of a command.
    int messageCount() const;

private:
    bool ask(const std::string& text, const char* choices);

    std::istream& m_in;
    std::ostream& m_err;
    bool m_yes;
    bool m_interactive;
    mutable std::mutex m_mutex;
    int m_messages = 0;
};

} // namespace kovra::cli
