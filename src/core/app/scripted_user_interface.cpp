#include "core/app/scripted_user_interface.h"

namespace kovra {

ScriptedUserInterface::ScriptedUserInterface(bool defaultAnswer)
    : m_defaultAnswer(defaultAnswer)
{
}

void ScriptedUserInterface::showMessage(const std::string& text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_transcript.push_back(text);
    m_messages.push_back(text);
}

bool ScriptedUserInterface::nextAnswer()
{
    if (m_answers.empty())
        return m_defaultAnswer;
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

bool ScriptedUserInterface::askOkCancel(const std::string& text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_transcript.push_back("?" + text);
    return nextAnswer();
}

bool ScriptedUserInterface::askYesNo(const std::string& text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_transcript.push_back("?" + text);
    return nextAnswer();
}

bool ScriptedUserInterface::askBeforeWrite(const std::string& text, const std::string& details)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_transcript.push_back("?" + text);
    m_transcript.push_back("?details " + details);
    return nextAnswer();
}

std::optional<std::string> ScriptedUserInterface::chooseFile(FileMode, const std::string&, const std::string&)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_files.empty())
        return std::nullopt;
    auto path = m_files.front();
    m_files.pop_front();
    return path;
}

bool ScriptedUserInterface::openDialog(DialogForm& form)
{
    std::function<bool(DialogForm&)> filler;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_transcript.push_back("dialog " + std::to_string(form.templateId()));
        filler = m_dialogFiller;
    }
    return filler ? filler(form) : false;
}

void ScriptedUserInterface::queueAnswer(bool answer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answers.push_back(answer);
}

void ScriptedUserInterface::queueFile(std::optional<std::string> path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_files.push_back(std::move(path));
}

void ScriptedUserInterface::setDialogFiller(std::function<bool(DialogForm&)> filler)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_dialogFiller = std::move(filler);
}

std::vector<std::string> ScriptedUserInterface::transcript() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_transcript;
}

std::vector<std::string> ScriptedUserInterface::messages() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_messages;
}

} // namespace kovra
