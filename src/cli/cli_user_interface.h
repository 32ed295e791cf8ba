#pragma once

#include "core/app/user_interface.h"

#include <iosfwd>
#include <mutex>
#include <optional>
#include <vector>

namespace kovra::cli {

// kovractl's UserInterface: messages go to the error stream (they are the system's own
// texts, shown as the GUI shows them); questions take --yes, else are asked on the
// terminal, else (no terminal) answered Cancel/No. Setting dialogs are filled from the
// words a form command gave beforehand; without them a dialog is cancelled.
class CliUserInterface : public UserInterface {
public:
    CliUserInterface(std::istream& in, std::ostream& out, std::ostream& err, bool yes, bool interactive);

    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askBeforeWrite(const std::string& text, const std::string& details) override;
    std::optional<std::string> chooseFile(
        FileMode mode, const std::string& filter, const std::string& suggestedName) override;
    bool openDialog(DialogForm& form) override;

    // Messages shown so far, for the exit status of a command.
    int messageCount() const;

    // What a form command gives the dialogs its flow opens.
    struct DialogWords {
        std::vector<std::string> assignments; // FIELD=VALUE; none: print the values, write nothing
        bool showSecrets = false;
        bool json = false;
        // --test N: after the assignments the dialog's test N (1-based) instead of OK; the
        // dialog then closes with キャンセル.
        std::optional<int> test;
    };
    void fillDialogs(DialogWords words);

    // How the last dialog ended.
    enum class DialogResult {
        NotOpened, // the flow stopped before any dialog (its message has been shown)
        Printed, // its values were printed; cancelled, nothing written
        UsageError, // a word named an unknown field or a value outside a list
        Refused, // a check failed (its message shown) or a question was answered No/Cancel
        Accepted, // closed with OK: the flow writes
        TestSent, // its test mail was sent; closed without writing
        TestFailed, // its test mail did not reach the unit ("通信エラー" shown)
    };
    DialogResult dialogResult() const;

    // Messages shown after a dialog was accepted (the write's outcome) are held back, so
    // that the command prints them on stdout for a success and on stderr otherwise.
    std::vector<std::string> takeHeldMessages();

    // The file a save or write command names: every file dialog answers with it.
    void answerFilesWith(std::string path);

    // A result line on stdout, from any thread (a dry run's plan).
    void print(const std::string& text);

private:
    bool ask(const std::string& text, const char* choices);
    DialogResult runTest(DialogForm& form, int test);

    std::istream& m_in;
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_yes;
    bool m_interactive;
    mutable std::mutex m_mutex;
    int m_messages = 0;
    std::optional<DialogWords> m_dialogWords;
    DialogResult m_dialogResult = DialogResult::NotOpened;
    bool m_holdMessages = false;
    std::vector<std::string> m_heldMessages;
    std::optional<std::string> m_filePath;
};

} // namespace kovra::cli
