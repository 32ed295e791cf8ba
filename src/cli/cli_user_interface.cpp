#include "cli/cli_user_interface.h"

#include "cli/dialog_words.h"
#include "core/alerts/mail_test_send.h"
#include "core/app/setting_outcome_text.h"
#include "core/platform/text_catalogue.h"

#include <istream>
#include <ostream>

namespace kovra::cli {

CliUserInterface::CliUserInterface(
    std::istream& in, std::ostream& out, std::ostream& err, bool yes, bool interactive)
    : m_in(in)
    , m_out(out)
    , m_err(err)
    , m_yes(yes)
    , m_interactive(interactive)
{
}

void CliUserInterface::showMessage(const std::string& text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_messages;
    if (m_holdMessages)
        m_heldMessages.push_back(text);
    else
        m_err << systemText(text) << std::endl;
}

int CliUserInterface::messageCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_messages;
}

bool CliUserInterface::ask(const std::string& text, const char* choices)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_yes)
        return true;
    if (!m_interactive)
        return false;
    m_err << systemText(text) << " [" << choices << "] " << std::flush;
    std::string answer;
    if (!std::getline(m_in, answer))
        return false;
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y' || answer[0] == 'o' || answer[0] == 'O');
}

bool CliUserInterface::askOkCancel(const std::string& text)
{
    return ask(text, "ok/cancel");
}

bool CliUserInterface::askYesNo(const std::string& text)
{
    return ask(text, "yes/no");
}

bool CliUserInterface::askBeforeWrite(const std::string& text, const std::string& details)
{
    if (!details.empty()) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_err << systemText(details) << std::flush;
    }
    return ask(text, "ok/cancel");
}

std::optional<std::string> CliUserInterface::chooseFile(FileMode, const std::string&, const std::string&)
{
    // Commands take their files as arguments; a flow that asks otherwise has no file.
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_filePath;
}

void CliUserInterface::answerFilesWith(std::string path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_filePath = std::move(path);
}

bool CliUserInterface::openDialog(DialogForm& form)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_dialogWords)
        return false;
    const DialogWords words = *m_dialogWords;
    if (words.assignments.empty() && !words.test) {
        m_out << dialogValuesText(form, words.showSecrets, words.json) << std::flush;
        m_dialogResult = DialogResult::Printed;
        return false;
    }
    if (const auto error = applyDialogWords(form, words.assignments)) {
        m_err << "kovractl: " << *error << std::endl;
        m_dialogResult = DialogResult::UsageError;
        return false;
    }
    if (words.test) {
        lock.unlock();
        const DialogResult result = runTest(form, *words.test);
        lock.lock();
        m_dialogResult = result;
        return false;
    }
    // OK's checks and questions show messages and ask through this interface.
    lock.unlock();
    const bool accepted = acceptDialog(form, *this);
    lock.lock();
    m_dialogResult = accepted ? DialogResult::Accepted : DialogResult::Refused;
    m_holdMessages = accepted;
    return accepted;
}

CliUserInterface::DialogResult CliUserInterface::runTest(DialogForm& form, int test)
{
    auto* tests = dynamic_cast<MailTestSend*>(&form);
    if (!tests || test < 1 || test > tests->testCount()) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_err << "kovractl: " << form.dialogName() << " has no test " << test << std::endl;
        return DialogResult::UsageError;
    }
    // As the dialog's button: its checks and question, then the send.
    const auto send = tests->prepareTest(test - 1, *this);
    if (!send)
        return DialogResult::Refused;
    const int result = send();
    showMessage(testSendMessage(result));
    return result == 0 ? DialogResult::TestSent : DialogResult::TestFailed;
}

void CliUserInterface::fillDialogs(DialogWords words)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_dialogWords = std::move(words);
}

CliUserInterface::DialogResult CliUserInterface::dialogResult() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_dialogResult;
}

std::vector<std::string> CliUserInterface::takeHeldMessages()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_holdMessages = false;
    std::vector<std::string> held;
    held.swap(m_heldMessages);
    return held;
}

void CliUserInterface::print(const std::string& text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_out << text;
    if (text.empty() || text.back() != '\n')
        m_out << '\n';
    m_out << std::flush;
}

} // namespace kovra::cli
