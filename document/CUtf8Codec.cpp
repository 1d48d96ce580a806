#include "document/CUtf8Codec.h"

#include "model/TextEncoding.h"

namespace {

void AppendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string CUtf8Codec::ToUtf8(std::string_view bytes) const
{
    if (ts::IsValidUtf8(bytes))
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char b : bytes)
        AppendUtf8(ts::Windows1252ToUnicode(static_cast<unsigned char>(b)), text);
    return text;
}

bool CUtf8Codec::FromUtf8(std::string_view utf8, std::string& bytes) const
{
    bytes.assign(utf8);
    return true;
}

const CUtf8Codec& CUtf8Codec::Instance()
{
    static const CUtf8Codec codec;
    return codec;
}
