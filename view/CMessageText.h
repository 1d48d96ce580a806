#pragma once

#include <QString>

#include <string_view>
#include <vector>

// The one place where the texts of the engine's messages (the reader's
// warnings, the document's questions, the wave and track errors, which are
// made in English below the view) are translated, by their English text:
// the whole text when the "Messages" catalogue has it; otherwise line by
// line, each line whole or by the first template of kTemplates whose fixed
// parts match it, the parts in between ("%1") carried over unchanged.
// With no translation installed the text comes back as it is.
namespace ts {

QString TranslateMessage(const QString& english);

// A text of the command table (res/): a menu text, prompt, tooltip or
// menu title, from the "Commands" catalogue.
QString TranslateCommandText(std::string_view english);

// The templates, for the tests that check each has its translation.
const std::vector<const char*>& MessageTemplates();

} // namespace ts
