#pragma once

#include "model/CCueWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Writes the coloured listing of the view as Rich Text Format:
// Courier New 10 pt, FILE lines bold green, TRACK bold maroon, INDEX bold
// navy, CD-TEXT keywords bold purple, other keywords bold black, comments
// italic, lines the reader did not know grey; five blanks of
// indentation at depth 1, fourteen at depth 2; end-of-line comments from
// character position 39. One RTF paragraph per item; the trailer adds one
// final empty paragraph.
//
// Backslashes and braces of names, codes and comments are escaped as "\\",
// "\{" and "\}", so no name can act as RTF syntax. FILE names holding a
// blank or ';' are shown in double quotes, as the text writer saves them,
// so a line copied from the listing reads back. The comment column counts
// the characters the listing shows: code points when the line's bytes are
// valid UTF-8, else bytes (the reader then shows Windows-1252); for ASCII
// both are the same.
// Bytes of 0x80 and above are written as they are, never as \'hh escapes:
// the reader takes raw bytes and \'hh alike and decides between UTF-8 and
// Windows-1252 per paragraph, and \ansi would declare a \'hh escape a
// Windows-1252 byte, which a UTF-8 name is not.
class CCueRichWriter final : public CCueWriter
{
public:
    // String table entries 61207 (header), 61208 (trailer), 61212 (paragraph
    // end) and the styles 61209 to 61215.
    static constexpr std::string_view kHeader =
        "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 Symbol;}"
        "{\\f2\\froman Times New Roman;}{\\f3\\fmodern\\fprq1 Courier New;}}\n"
        "{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue128;\\red128\\green0\\blue0;\\red0\\green128\\blue0;"
        "\\red128\\green128\\blue128;\\red128\\green0\\blue128;}\n"
        "\\deflang1033\\pard\\li360\n";
    static constexpr std::string_view kTrailer = "\\par } ";
    static constexpr std::string_view kParagraphEnd = "\\par ";
    static constexpr std::string_view kPlainStyle = "\\plain\\f3\\fs20\\cf0 ";
    static constexpr std::string_view kKeywordStyle = "\\plain\\f3\\fs20\\cf0\\b ";
    static constexpr std::string_view kIndexStyle = "\\plain\\f3\\fs20\\cf1\\b ";
    static constexpr std::string_view kTrackStyle = "\\plain\\f3\\fs20\\cf2\\b ";
    static constexpr std::string_view kFileStyle = "\\plain\\f3\\fs20\\cf3\\b ";
    static constexpr std::string_view kCommentStyle = "\\plain\\f3\\fs20\\cf0\\i ";
    static constexpr std::string_view kUnknownStyle = "\\plain\\f3\\fs20\\cf4 ";
    static constexpr std::string_view kCdTextStyle = "\\plain\\f3\\fs20\\cf5\\b ";

    // Appends text with "\", "{" and "}" escaped for RTF; other bytes as
    // they are.
    static void AppendEscaped(std::string_view text, std::string& out);

    // The styles above, in the order of kStyleWords.
    enum class Style : std::uint8_t { Plain, Keyword, Index, Track, File, Comment, Unknown, CdText };
    static constexpr std::string_view kStyleWords[] = {kPlainStyle, kKeywordStyle,  kIndexStyle,   kTrackStyle,
                                                       kFileStyle,  kCommentStyle, kUnknownStyle, kCdTextStyle};
    // How a style shows: its colour table entry, weight and slant.
    struct Look {
        std::uint8_t red, green, blue;
        bool bold, italic;
    };
    static constexpr Look kLooks[] = {
        {0, 0, 0, false, false},     {0, 0, 0, true, false},   {0, 0, 128, true, false},   {128, 0, 0, true, false},
        {0, 128, 0, true, false},    {0, 0, 0, false, true},   {128, 128, 128, false, false}, {128, 0, 128, true, false},
    };
    // A run of one style: from start (a byte offset into the line's text)
    // to the next run's start or the end of the text.
    struct Run {
        std::uint32_t start;
        Style style;
    };
    // One line of the listing as shown: its bytes (indentation and the
    // blanks before an end-of-line comment included, escapes undone) and
    // their runs.
    struct StyledLine {
        std::string text;
        std::vector<Run> runs;
        // Characters shown: code points when text is valid UTF-8, else bytes.
        std::size_t shownLength = 0;
        bool utf8 = true;
    };

    // Writes the paragraph of one item's line at a depth.
    void WriteLine(const CCueItem& item, int depth, std::string& out);
    // The line of an item as the listing shows it, read back from the
    // paragraph WriteLine writes, so the screen and the RTF always agree.
    static void MakeLine(const CCueItem& item, int depth, StyledLine& line);
    // Reads one paragraph of this writer's (style words, escapes, text) into
    // a line; false on anything else the writer does not write.
    static bool ReadParagraph(std::string_view paragraph, StyledLine& line);

protected:
    void Begin(std::string& out) override;
    void End(std::string& out) override;
    bool WriteFile(const CCueFile& item, int depth, std::string& out) override;
    bool WriteTrack(const CCueTrack& item, int depth, std::string& out) override;
    bool WriteIndex(const CCueIndex& item, int depth, std::string& out) override;
    bool WritePostgap(const CCuePostgap& item, int depth, std::string& out) override;
    bool WritePregap(const CCuePregap& item, int depth, std::string& out) override;
    bool WriteIsrc(const CCueIsrc& item, int depth, std::string& out) override;
    bool WriteFlags(const CCueFlags& item, int depth, std::string& out) override;
    bool WriteCatalog(const CCueCatalog& item, int depth, std::string& out) override;
    bool WriteComment(const CCueComment& item, int depth, std::string& out) override;
    bool WriteCdText(const CCueCdText& item, int depth, std::string& out) override;
    bool WriteUnknown(const CCueUnknown& item, int depth, std::string& out) override;
    int IndentWidth(int depth) const override;
    int CommentColumn() const override { return 40; }
    // length is the shown length of the line (indentation and plain text).
    void WriteEndOfLineComment(const CCueItem& item, std::size_t length, std::string& line) override;

private:
    // Indentation, the styled text, the end-of-line comment measured on
    // the plain text, a line feed and the paragraph end.
    bool WriteKeywordLine(const CCueItem& item, int depth, const std::string& styled, std::string& out);
};
