#include "model/CueDiagnostics.h"

#include "model/TextUtil.h"
#include "platform/CPrompts.h"

namespace ts {

namespace {
unsigned g_currentLine = 0;
}

unsigned CurrentCueLine() { return g_currentLine; }
void SetCurrentCueLine(unsigned line) { g_currentLine = line; }

void ReportError(unsigned line, const std::string& message)
{
    const std::string text = line ? Format("Line %u:  %s", line, message.c_str()) : message;
    ShowMessageBox(text, "Error", PromptButtons::Ok, PromptIcon::None, true);
}

void ReportWarning(unsigned line, const std::string& message)
{
    const std::string text = line ? Format("Warning at Line %u:  %s\n", line, message.c_str())
                                  : Format("Warning:  %s\n", message.c_str());
    ShowMessageBox(text, "Warning", PromptButtons::Ok, PromptIcon::None, true);
}

} // namespace ts
