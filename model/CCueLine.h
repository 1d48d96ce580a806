#pragma once

#include "model/CueTypes.h"

#include <string>
#include <string_view>

// One source line being recognised: its keyword kind, where its arguments
// start and where its comment starts.
class CCueLine
{
public:
    std::string& Text() { return m_text; }
    const std::string& Text() const { return m_text; }

    // Finds the kind, the argument column and the comment position; false
    // for an unknown keyword.
    bool Tokenize();

    ItemKind Kind() const { return m_kind; }
    int ArgumentColumn() const { return m_argumentColumn; } // 1-based
    int CommentPosition() const { return m_commentPosition; } // 0-based, -1 for none

    // The line's number in its sheet, 1-based; 0 when it stands alone.
    unsigned Number() const { return m_number; }
    void SetNumber(unsigned number) { m_number = number; }

    // The text from the comment position to the end of the line.
    bool CommentText(std::string_view& text) const;

    // Walks the argument tokens before the end-of-line comment, separated
    // by runs of blanks, tabs and line feeds. Start with pos = 0; each call
    // gives the next token, or false at the end. Quotes are not special.
    bool NextToken(std::size_t& pos, std::string_view& token) const;
    static bool NextTokenIn(std::string_view text, std::size_t& pos, std::string_view& token);
    // As NextToken, but a token that opens a double quote runs to the
    // closing quote, blanks and all, and keeps its quotes.
    bool NextWord(std::size_t& pos, std::string_view& token) const;
    // Where a second keyword starts on the line, as token-based readers
    // take "INDEX 00 00:04:00 INDEX 01 00:06:00": after the arguments of an
    // INDEX, TRACK, PREGAP, POSTGAP, ISRC or CATALOG line, a known keyword
    // starts another line; a FLAGS line's flags end at the first keyword.
    // npos when there is none (also for a comment).
    std::size_t SecondKeyword() const;
    // The argument text itself (from the argument column to the end).
    std::string_view Arguments() const;
    // The argument text up to the end-of-line comment.
    std::string_view ArgumentsBeforeComment() const;

private:
    std::string m_text;
    ItemKind m_kind = ItemKind::None;
    int m_argumentColumn = 1;
    int m_commentPosition = -1;
    unsigned m_number = 0;
};
