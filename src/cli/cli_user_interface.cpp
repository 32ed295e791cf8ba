#include "cli/cli_user_interface.h"

#include <istream>
#include <ostream>

namespace kovra::cli {

CliUserInterface::CliUserInterface(std::istream& in, std::ostream& err, bool yes, bool interactive)
    : m_in(in)
    , m_err(err)
    , m_yes(yes)
    , m_interactive(interactive)
{
}

void CliUserInterface::showMessage(const std::string& text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_messages;
    m_err << text << std::endl;
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
    m_err << text << " [" << choices << "] " << std::flush;
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

std::optional<std::string> CliUserInterface::chooseFile(FileMode, const std::string&, const std::string&)
{
    // Commands take their files as arguments; a flow that still asks has no file.
    return std::nullopt;
}

bool CliUserInterface::openDialog(DialogForm&)
{
    // Commands fill dialog forms from their arguments before a flow runs; a dialog that a
    // flow opens on its own is cancelled.
    return false;
}

} // namespace kovra::cli
