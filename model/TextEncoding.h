#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ts {

// Sheets carry names and comments as bytes, in whatever encoding the file
// had: UTF-8 on current systems, Windows-1252 from the program's own era.
// The listing shows a line's bytes as UTF-8 when they are valid UTF-8 and
// as Windows-1252 otherwise; these helpers make that decision the same way
// in the writer (which measures the comment column) and in the reader
// (which shows the text).

// True when text is well-formed UTF-8: no stray continuation bytes, no
// truncated sequences, no overlong forms, no surrogates, nothing above
// U+10FFFF. Pure ASCII is valid.
bool IsValidUtf8(std::string_view text);

// Decodes one UTF-8 sequence at text[pos]: returns the code point and sets
// length to the bytes it takes. Returns -1 (length 1) for a byte that does
// not start a well-formed sequence.
char32_t DecodeUtf8At(std::string_view text, std::size_t pos, std::size_t& length);

// The character that byte b stands for in Windows-1252. The five bytes
// that code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to
// the C1 controls of the same value, as Windows' own conversion does.
char32_t Windows1252ToUnicode(unsigned char b);

// How many characters a line shows for text: its code points when
// utf8 is true, else its bytes.
std::size_t ShownLength(std::string_view text, bool utf8);

// Appends the UTF-8 form of a code point (U+FFFD for an invalid one).
void AppendUtf8(char32_t c, std::string& out);

} // namespace ts
