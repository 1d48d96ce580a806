#include "model/CueDiagnostics.h"

#include "model/TextUtil.h"
#include "platform/CPrompts.h"

#include <algorithm>
#include <vector>

namespace ts {

namespace {

struct Collected {
    unsigned line;
    PromptMessage message;
};

unsigned g_currentLine = 0;
int g_collecting = 0;
std::vector<Collected> g_collected;

// A message quotes tokens of the sheet, which may be of any length; every
// run of non-blanks longer than a token's limit is cut, so that a box
// never has to lay out megabytes.
std::string Bounded(const std::string& message)
{
    std::string out;
    std::size_t pos = 0;
    while (pos < message.size()) {
        const std::size_t end = std::min(message.find_first_of(" \n", pos), message.size());
        if (end == pos) {
            out += message[pos++];
            continue;
        }
        out += QuotedToken(std::string_view(message).substr(pos, end - pos));
        pos = end;
    }
    return out;
}

void Report(unsigned line, PromptMessage message)
{
    if (g_collecting > 0) {
        g_collected.push_back({line, std::move(message)});
        return;
    }
    ShowMessageBox(message.text, message.caption, PromptButtons::Ok, PromptIcon::None, true);
}

} // namespace

unsigned CurrentCueLine() { return g_currentLine; }
void SetCurrentCueLine(unsigned line) { g_currentLine = line; }

void ReportError(unsigned line, const std::string& message)
{
    // Only a line's messages quote its tokens; line 0 names files.
    const std::string bounded = line ? Bounded(message) : message;
    std::string text = line ? Format("Line %u:  %s", line, bounded.c_str()) : bounded;
    Report(line, {"Error", std::move(text)});
}

void ReportWarning(unsigned line, const std::string& message)
{
    const std::string bounded = line ? Bounded(message) : message;
    std::string text = line ? Format("Warning at Line %u:  %s\n", line, bounded.c_str())
                            : Format("Warning:  %s\n", bounded.c_str());
    Report(line, {"Warning", std::move(text)});
}

void BeginCollecting()
{
    ++g_collecting;
}

void ShowCollected()
{
    if (g_collecting > 0 && --g_collecting > 0)
        return;
    std::vector<Collected> collected;
    collected.swap(g_collected);
    if (collected.empty())
        return;
    std::stable_sort(collected.begin(), collected.end(),
                     [](const Collected& a, const Collected& b) { return a.line < b.line; });
    if (collected.size() == 1) {
        const PromptMessage& only = collected.front().message;
        ShowMessageBox(only.text, only.caption, PromptButtons::Ok, PromptIcon::None, true);
        return;
    }
    MessageBoxRequest request;
    request.caption = "Warning";
    request.foreground = true;
    for (const Collected& c : collected) {
        if (c.message.caption != "Warning")
            request.caption = c.message.caption;
        request.details.push_back(c.message);
    }
    const std::size_t shown = std::min(collected.size(), kCollectedShown);
    for (std::size_t i = 0; i < shown; ++i) {
        std::string text = collected[i].message.text;
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        request.text += text;
        request.text += '\n';
    }
    if (collected.size() > shown)
        request.text += Format("...and %zu more (Show Details lists them all)\n", collected.size() - shown);
    CPrompts::Current().ShowMessage(request);
}

void ReportStopError(unsigned line, const std::string& message)
{
    const int depth = g_collecting;
    g_collecting = 1;
    ShowCollected();
    ReportError(line, message);
    g_collecting = depth;
}

std::string QuotedToken(std::string_view token, std::size_t limit)
{
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < token.size()) {
        if ((static_cast<unsigned char>(token[pos]) & 0xC0u) != 0x80u) {
            if (count == limit)
                return std::string(token.substr(0, pos)) + "\xE2\x80\xA6";
            ++count;
        }
        ++pos;
    }
    return std::string(token);
}

} // namespace ts
