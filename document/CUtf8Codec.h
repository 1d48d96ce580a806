#pragma once

#include "document/ISheetCodec.h"

// The codec of a UTF-8 sheet, and of any sheet when nothing better is at
// hand: bytes that are valid UTF-8 stay as they are; others (a line pasted
// from an 8-bit file) show as Windows-1252, so every byte shows as some
// character. Typed text goes in as UTF-8.
class CUtf8Codec final : public ISheetCodec
{
public:
    const std::string& Charset() const override { return m_charset; }
    bool IsUtf8() const override { return true; }
    std::string ToUtf8(std::string_view bytes) const override;
    bool FromUtf8(std::string_view utf8, std::string& bytes) const override;

    // A shared one; it holds no state.
    static const CUtf8Codec& Instance();

private:
    std::string m_charset = "UTF-8";
};
