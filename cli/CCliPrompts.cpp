#include "cli/CCliPrompts.h"

#include <cstdio>

namespace {

void PrintMessage(const std::string& caption, const std::string& text)
{
    std::string line = caption + ": " + text;
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace

PromptAnswer CCliPrompts::ShowMessage(const MessageBoxRequest& request)
{
    if (request.details.empty())
        PrintMessage(request.caption, request.text);
    for (const PromptMessage& message : request.details)
        PrintMessage(message.caption, message.text);
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
