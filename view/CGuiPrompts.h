#pragma once

#include "platform/CPrompts.h"

class QWidget;

// Prompts of the editor: real message boxes and file dialogs, owned by the
// main window when there is one.
class CGuiPrompts final : public CPrompts
{
public:
    explicit CGuiPrompts(QWidget* owner = nullptr);

    void SetOwner(QWidget* owner) { m_owner = owner; }

    PromptAnswer ShowMessage(const MessageBoxRequest& request) override;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::vector<std::string> AskOpenFiles(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;

private:
    QWidget* m_owner;
};
