#include "platform/CScriptedPrompts.h"

PromptAnswer CScriptedPrompts::ShowMessage(const MessageBoxRequest& request)
{
    m_messages.push_back(request);
    if (m_answers.empty())
        return DefaultAnswer(request.buttons);
    const PromptAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<std::string> CScriptedPrompts::AskOpenFile(const FileDialogRequest& request)
{
    m_dialogs.push_back(request);
    if (m_files.empty())
        return std::nullopt;
    std::optional<std::string> file = m_files.front();
    m_files.pop_front();
    return file;
}

std::optional<std::string> CScriptedPrompts::AskSaveFile(const FileDialogRequest& request)
{
    return AskOpenFile(request);
}

std::vector<std::string> CScriptedPrompts::Lines() const
{
    std::vector<std::string> lines;
    for (const MessageBoxRequest& m : m_messages) {
        if (m.details.empty())
            lines.push_back(m.caption + ": " + m.text);
        for (const PromptMessage& d : m.details)
            lines.push_back(d.caption + ": " + d.text);
    }
    return lines;
}

void CScriptedPrompts::Clear()
{
    m_answers.clear();
    m_files.clear();
    m_messages.clear();
    m_dialogs.clear();
}
