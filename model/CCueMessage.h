#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class CueSeverity {
    Warning,    // the line is read, perhaps not as written
    Error,      // a field of the line, or the line's place, is wrong
    Unreadable, // the source itself could not be read
};

// A problem found while reading a sheet: where it is, how bad it is and
// what it is. The reader and the line parsers return these; whoever reads
// decides how to show them.
struct CCueMessage {
    unsigned line = 0; // 1-based; 0 for the file as a whole
    CueSeverity severity = CueSeverity::Warning;
    std::string text; // without the line it names

    // "Warning" for a warning, else "Error".
    std::string Caption() const;
    // The text as a box shows it: "Line n:  text" for an error and
    // "Warning at Line n:  text\n" for a warning; line 0 leaves out the
    // line. A line's message quotes its tokens at most 100 characters long.
    std::string BoxText() const;
};

using CueMessages = std::vector<CCueMessage>;

namespace ts {

// A token of the user's text as a message quotes it: at most limit
// characters (cut at a UTF-8 character boundary), then an ellipsis.
std::string QuotedToken(std::string_view token, std::size_t limit = 100);

} // namespace ts
