#pragma once

#include "platform/CPrompts.h"

// Prompts for the command line: every box becomes one line on standard
// error, "Caption: text" (a final line feed of the text dropped), and is
// answered with its safe default. File dialogs are cancelled.
class CCliPrompts final : public CPrompts
{
public:
    PromptAnswer ShowMessage(const MessageBoxRequest& request) override;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
};
