#pragma once

#include "platform/CPrompts.h"

#include <string>

// Tells the user why a command failed, as a sentence that ends in a full
// stop.
inline void ReportFailure(std::string text, const char* caption = "Error")
{
    if (!text.empty() && text.back() != '.')
        text += '.';
    ShowMessageBox(text, caption, PromptButtons::Ok, PromptIcon::Error, true);
}
