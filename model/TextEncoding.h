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

// How a sheet's text is stored in its file. For Bytes the text in memory is
// the file's bytes (8-bit text in any code page, UTF-8 included, less a
// UTF-8 mark); for the wide forms it is their UTF-8 translation.
enum class FileForm { Bytes, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

struct SheetEncoding {
    FileForm form = FileForm::Bytes;
    bool mark = false; // the file starts with a byte-order mark
    // The character set the text's bytes are shown in, as a name the
    // detector and ICU know ("UTF-8", "WINDOWS-1252", "SHIFT_JIS"...).
    std::string charset = "UTF-8";

    bool operator==(const SheetEncoding&) const = default;
};

// The text of a file's bytes and how they were stored: a byte-order mark
// decides the form, else the pattern of zero bytes of wide text. 8-bit text
// is shown as UTF-8 when it is valid UTF-8, else in the character set the
// detector names (Windows-1252 when it names none). A wide file's
// malformed units become U+FFFD; bad is set when there were any.
std::string DecodeFileBytes(std::string bytes, SheetEncoding& encoding, bool& bad);
// The file bytes of text stored as encoding says; the reverse of
// DecodeFileBytes.
std::string EncodeFileBytes(std::string_view text, const SheetEncoding& encoding);

// The character set libuchardet names for 8-bit text, "" when it names
// none (or only ASCII); Latin-1 is named as Windows-1252.
std::string DetectCharset(std::string_view bytes);

// The name of an encoding for the user: the character set, or the wide
// form ("UTF-16LE"), with " with BOM" when the file has a mark.
std::string EncodingLabel(const SheetEncoding& encoding);

} // namespace ts
