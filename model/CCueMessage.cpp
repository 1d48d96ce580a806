#include "model/CCueMessage.h"

#include "model/TextUtil.h"

#include <algorithm>

namespace {

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
        out += ts::QuotedToken(std::string_view(message).substr(pos, end - pos));
        pos = end;
    }
    return out;
}

} // namespace

std::string CCueMessage::Caption() const
{
    return severity == CueSeverity::Warning ? "Warning" : "Error";
}

std::string CCueMessage::BoxText() const
{
    if (severity == CueSeverity::Unreadable)
        return text;
    // Only a line's messages quote its tokens; line 0 names files.
    const std::string bounded = line ? Bounded(text) : text;
    if (severity == CueSeverity::Warning)
        return line ? ts::Format("Warning at Line %u:  %s\n", line, bounded.c_str())
                    : ts::Format("Warning:  %s\n", bounded.c_str());
    return line ? ts::Format("Line %u:  %s", line, bounded.c_str()) : bounded;
}

namespace ts {

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
