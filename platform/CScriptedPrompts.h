#pragma once

#include "platform/CPrompts.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// Prompts for tests: records every box and dialog and gives the answers set
// in advance, in order. Once the script runs out, boxes get their safe
// default and dialogs are cancelled.
class CScriptedPrompts final : public CPrompts
{
public:
    PromptAnswer ShowMessage(const MessageBoxRequest& request) override;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;

    void QueueAnswer(PromptAnswer answer) { m_answers.push_back(answer); }
    void QueueFile(std::optional<std::string> path) { m_files.push_back(std::move(path)); }

    const std::vector<MessageBoxRequest>& Messages() const { return m_messages; }
    const std::vector<FileDialogRequest>& Dialogs() const { return m_dialogs; }
    // "Caption: text" of every box, in order; handy for comparisons. A box
    // that stands for several messages gives one line for each of them.
    std::vector<std::string> Lines() const;
    void Clear();

private:
    std::deque<PromptAnswer> m_answers;
    std::deque<std::optional<std::string>> m_files;
    std::vector<MessageBoxRequest> m_messages;
    std::vector<FileDialogRequest> m_dialogs;
};
