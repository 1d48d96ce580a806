#include "cli/CCliPrompts.h"

#include <cstdio>

PromptAnswer CCliPrompts::ShowMessage(const MessageBoxRequest& request)
{
    std::string line = request.caption + ": " + request.text;
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    return DefaultAnswer(request.buttons);
}

std::optional<std::string> CCliPrompts::AskOpenFile(const FileDialogRequest&)
{
    return std::nullopt;
}

std::optional<std::string> CCliPrompts::AskSaveFile(const FileDialogRequest&)
{
    return std::nullopt;
}
