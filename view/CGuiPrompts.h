#pragma once

#include "platform/CPrompts.h"

#include <QString>

#include <string>

class CEditSession;
class QWidget;

// Prompts of the editor: real message boxes and file dialogs, owned by the
// main window when there is one.
class CGuiPrompts final : public CPrompts
{
public:
    explicit CGuiPrompts(QWidget* owner = nullptr);

    void SetOwner(QWidget* owner) { m_owner = owner; }
    // The session whose sheet a message may quote: bytes that are not
    // UTF-8 are read in its character set. Without one, as Windows-1252.
    void SetSession(const CEditSession* session) { m_session = session; }

    PromptAnswer ShowMessage(const MessageBoxRequest& request) override;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::vector<std::string> AskOpenFiles(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;

private:
    QString MessageText(const std::string& s) const;

    QWidget* m_owner;
    const CEditSession* m_session = nullptr;
};
