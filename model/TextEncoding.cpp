#include "model/TextEncoding.h"

#include <uchardet/uchardet.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>

namespace ts {

namespace {

constexpr char32_t kInvalid = static_cast<char32_t>(-1);

} // namespace

char32_t DecodeUtf8At(std::string_view text, std::size_t pos, std::size_t& length)
{
    length = 1;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char b0 = byte(pos);
    if (b0 < 0x80)
        return b0;
    std::size_t need;
    char32_t c;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        c = b0 & 0x1Fu;
        min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        c = b0 & 0x0Fu;
        min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        c = b0 & 0x07u;
        min = 0x10000;
    } else {
        return kInvalid; // continuation byte, C0, C1 or F5..FF
    }
    if (text.size() - pos <= need)
        return kInvalid;
    for (std::size_t i = 1; i <= need; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0u) != 0x80u)
            return kInvalid;
        c = (c << 6) | (b & 0x3Fu);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kInvalid;
    length = need + 1;
    return c;
}

bool IsValidUtf8(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        // Sheets are mostly ASCII: eight bytes at a time while they are.
        if (text.size() - pos >= 8) {
            std::uint64_t block;
            std::memcpy(&block, text.data() + pos, 8);
            if ((block & 0x8080808080808080ull) == 0) {
                pos += 8;
                continue;
            }
        }
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        std::size_t length;
        if (DecodeUtf8At(text, pos, length) == kInvalid)
            return false;
        pos += length;
    }
    return true;
}

char32_t Windows1252ToUnicode(unsigned char b)
{
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    if (b >= 0x80 && b < 0xA0)
        return kHigh[b - 0x80];
    return b;
}

std::size_t ShownLength(std::string_view text, bool utf8)
{
    if (!utf8)
        return text.size();
    std::size_t count = 0;
    for (char ch : text)
        if ((static_cast<unsigned char>(ch) & 0xC0u) != 0x80u)
            ++count;
    return count;
}

void AppendUtf8(char32_t c, std::string& out)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

namespace {

std::size_t UnitSize(FileForm form)
{
    switch (form) {
    case FileForm::Utf16LE:
    case FileForm::Utf16BE:
        return 2;
    case FileForm::Utf32LE:
    case FileForm::Utf32BE:
        return 4;
    case FileForm::Bytes:
        break;
    }
    return 1;
}

bool BigEndian(FileForm form) { return form == FileForm::Utf16BE || form == FileForm::Utf32BE; }

std::uint32_t UnitAt(std::string_view bytes, std::size_t pos, std::size_t size, bool big)
{
    std::uint32_t unit = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(bytes[pos + (big ? i : size - 1 - i)]);
        unit = (unit << 8) | b;
    }
    return unit;
}

// Wide text without a mark. Text without NULs is never wide here. In
// UTF-32 the top two bytes of nearly every unit are zero whatever the
// language; in UTF-16 the high byte is zero for the ASCII keywords and
// digits that make up most of a cue sheet, and the low byte rarely is.
FileForm GuessWideForm(std::string_view bytes)
{
    const std::size_t sample = std::min<std::size_t>(bytes.size(), 4096) & ~std::size_t(3);
    std::size_t zeros[4] = {};
    for (std::size_t i = 0; i < sample; ++i)
        zeros[i % 4] += bytes[i] == '\0' ? 1 : 0;
    const std::size_t units4 = sample / 4;
    if (units4 >= 2 && bytes.size() % 4 == 0) {
        if (zeros[2] * 10 >= units4 * 9 && zeros[3] * 10 >= units4 * 9 && zeros[0] * 2 < units4)
            return FileForm::Utf32LE;
        if (zeros[0] * 10 >= units4 * 9 && zeros[1] * 10 >= units4 * 9 && zeros[3] * 2 < units4)
            return FileForm::Utf32BE;
    }
    const std::size_t units2 = sample / 2;
    const std::size_t even = zeros[0] + zeros[2];
    const std::size_t odd = zeros[1] + zeros[3];
    if (units2 >= 2 && bytes.size() % 2 == 0) {
        if (odd * 4 >= units2 && even * 8 <= odd)
            return FileForm::Utf16LE;
        if (even * 4 >= units2 && odd * 8 <= even)
            return FileForm::Utf16BE;
    }
    return FileForm::Bytes;
}

void AppendUnit(std::string& out, std::uint32_t unit, std::size_t size, bool big)
{
    for (std::size_t i = 0; i < size; ++i) {
        const std::size_t shift = 8 * (big ? size - 1 - i : i);
        out += static_cast<char>((unit >> shift) & 0xFFu);
    }
}

} // namespace

std::string DecodeFileBytes(std::string file, SheetEncoding& encoding, bool& bad)
{
    std::string_view bytes(file);
    encoding = SheetEncoding();
    bad = false;
    const auto starts = [&](std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; };
    using namespace std::string_view_literals;
    std::size_t skip = 0;
    if (starts("\xEF\xBB\xBF"sv)) {
        encoding.mark = true;
        skip = 3;
    } else if (starts("\xFF\xFE\0\0"sv)) {
        encoding = {FileForm::Utf32LE, true, "UTF-8"};
        skip = 4;
    } else if (starts("\0\0\xFE\xFF"sv)) {
        encoding = {FileForm::Utf32BE, true, "UTF-8"};
        skip = 4;
    } else if (starts("\xFF\xFE"sv)) {
        encoding = {FileForm::Utf16LE, true, "UTF-8"};
        skip = 2;
    } else if (starts("\xFE\xFF"sv)) {
        encoding = {FileForm::Utf16BE, true, "UTF-8"};
        skip = 2;
    } else if (bytes.find('\0') != std::string_view::npos) {
        encoding.form = GuessWideForm(bytes);
    }
    bytes.remove_prefix(skip);

    if (encoding.form == FileForm::Bytes) {
        if (!IsValidUtf8(bytes)) {
            encoding.charset = DetectCharset(bytes);
            if (encoding.charset.empty() || encoding.charset == "UTF-8")
                encoding.charset = "WINDOWS-1252";
        }
        file.erase(0, skip);
        return file;
    }

    const std::size_t size = UnitSize(encoding.form);
    const bool big = BigEndian(encoding.form);
    std::string text;
    text.reserve(bytes.size() / size + bytes.size() / 8);
    std::size_t pos = 0;
    for (; pos + size <= bytes.size(); pos += size) {
        std::uint32_t c = UnitAt(bytes, pos, size, big);
        if (size == 2 && c >= 0xD800 && c <= 0xDBFF) {
            const std::uint32_t low = pos + 4 <= bytes.size() ? UnitAt(bytes, pos + 2, 2, big) : 0;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                pos += 2;
            }
        }
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            bad = true;
            c = 0xFFFD;
        }
        AppendUtf8(static_cast<char32_t>(c), text);
    }
    if (pos != bytes.size()) {
        bad = true; // a cut-off last unit
        AppendUtf8(0xFFFD, text);
    }
    return text;
}

std::string EncodeFileBytes(std::string_view text, const SheetEncoding& encoding)
{
    if (encoding.form == FileForm::Bytes) {
        if (!encoding.mark)
            return std::string(text);
        std::string out = "\xEF\xBB\xBF";
        out += text;
        return out;
    }
    const std::size_t size = UnitSize(encoding.form);
    const bool big = BigEndian(encoding.form);
    std::string out;
    out.reserve((text.size() + 1) * size);
    if (encoding.mark)
        AppendUnit(out, 0xFEFF, size, big);
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = 1;
        char32_t c = DecodeUtf8At(text, pos, length);
        if (c == kInvalid)
            c = Windows1252ToUnicode(static_cast<unsigned char>(text[pos]));
        pos += length;
        if (size == 2 && c >= 0x10000) {
            const char32_t v = c - 0x10000;
            AppendUnit(out, 0xD800 + (v >> 10), 2, big);
            AppendUnit(out, 0xDC00 + (v & 0x3FF), 2, big);
        } else {
            AppendUnit(out, c, size, big);
        }
    }
    return out;
}

std::string DetectCharset(std::string_view bytes)
{
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(uchardet_new(),
                                                                                            uchardet_delete);
    if (!detector)
        return {};
    if (uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0)
        return {};
    uchardet_data_end(detector.get());
    const char* name = uchardet_get_charset(detector.get());
    std::string charset = name ? name : "";
    if (charset == "ASCII")
        charset.clear();
    // Latin-1 text from Windows is Windows-1252, which only adds
    // characters where Latin-1 has unused controls.
    if (charset == "ISO-8859-1")
        charset = "WINDOWS-1252";
    return charset;
}

std::string EncodingLabel(const SheetEncoding& encoding)
{
    std::string label;
    switch (encoding.form) {
    case FileForm::Bytes: label = encoding.charset; break;
    case FileForm::Utf16LE: label = "UTF-16LE"; break;
    case FileForm::Utf16BE: label = "UTF-16BE"; break;
    case FileForm::Utf32LE: label = "UTF-32LE"; break;
    case FileForm::Utf32BE: label = "UTF-32BE"; break;
    }
    if (encoding.mark)
        label += " with BOM";
    return label;
}

} // namespace ts
