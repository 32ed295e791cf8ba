#pragma once

#include "core/app/user_interface.h"

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace kovra {

// A UserInterface that answers from a script and records every call: for tests and for
// runs without an operator. Questions with no scripted answer get the default answer
// (Cancel/No unless told otherwise); dialogs run the scripted filler, if any.
class ScriptedUserInterface : public UserInterface {
public:
    explicit ScriptedUserInterface(bool defaultAnswer = false);

    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askBeforeWrite(const std::string& text, const std::string& details) override;
    std::optional<std::string> chooseFile(
        FileMode mode, const std::string& filter, const std::string& suggestedName) override;
    bool openDialog(DialogForm& form) override;

    // Script.
    void queueAnswer(bool answer);
    void queueFile(std::optional<std::string> path);
    void setDialogFiller(std::function<bool(DialogForm&)> filler);

    // Record: every message and question text in order, questions prefixed "?" (a write
    // question's details on a line of their own after it, prefixed "?details ").
    std::vector<std::string> transcript() const;
    std::vector<std::string> messages() const;

private:
    bool nextAnswer();

    mutable std::mutex m_mutex;
    bool m_defaultAnswer;
    std::deque<bool> m_answers;
    std::deque<std::optional<std::string>> m_files;
    std::function<bool(DialogForm&)> m_dialogFiller;
    std::vector<std::string> m_transcript;
    std::vector<std::string> m_messages;
};

} // namespace kovra
