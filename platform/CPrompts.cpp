#include "platform/CPrompts.h"

namespace {

class CDefaultPrompts final : public CPrompts
{
public:
    PromptAnswer ShowMessage(const MessageBoxRequest& request) override
    {
        return DefaultAnswer(request.buttons);
    }
    std::optional<std::string> AskOpenFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> AskSaveFile(const FileDialogRequest&) override { return std::nullopt; }
};

CDefaultPrompts g_defaultPrompts;
CPrompts* g_current = nullptr;

} // namespace

CPrompts::~CPrompts() = default;

CPrompts& CPrompts::Current()
{
    return g_current ? *g_current : g_defaultPrompts;
}

CPrompts* CPrompts::Install(CPrompts* prompts)
{
    CPrompts* previous = g_current;
    g_current = prompts;
    return previous;
}

PromptAnswer CPrompts::DefaultAnswer(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::YesNo:
        return PromptAnswer::No;
    case PromptButtons::OkCancel:
    case PromptButtons::YesNoCancel:
        break;
    }
    return PromptAnswer::Cancel;
}

CPromptsScope::CPromptsScope(CPrompts& prompts)
    : m_previous(CPrompts::Install(&prompts))
{
}

CPromptsScope::~CPromptsScope()
{
    CPrompts::Install(m_previous);
}

PromptAnswer ShowMessageBox(const std::string& text, const std::string& caption, PromptButtons buttons,
                        PromptIcon icon, bool foreground)
{
    return CPrompts::Current().ShowMessage({text, caption, buttons, icon, foreground});
}

std::vector<std::string> CPrompts::AskOpenFiles(const FileDialogRequest& request)
{
    std::vector<std::string> paths;
    if (std::optional<std::string> path = AskOpenFile(request))
        paths.push_back(std::move(*path));
    return paths;
}
