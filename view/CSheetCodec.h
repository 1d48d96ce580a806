#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QString>

#include "document/ISheetCodec.h"

// The character set the open sheet's bytes are shown and typed in. The
// core keeps a sheet's text as bytes and names their character set; this
// turns those bytes into the listing's and the dialogs' text and typed text
// back into bytes of the same set, so one sheet never mixes two. UTF-8
// bytes that are not valid UTF-8 (a line pasted from elsewhere) show as
// Windows-1252.
class CSheetCodec final : public ISheetCodec
{
public:
    explicit CSheetCodec(std::string charset = "UTF-8");

    const std::string& Charset() const override { return m_charset; }
    bool IsUtf8() const override { return m_utf8; }
    // Whether Qt can convert the character set; when not, text shows as
    // UTF-8 (else Windows-1252) and is typed as UTF-8.
    bool IsKnown() const { return m_known; }

    QString Decode(std::string_view bytes) const;
    // The bytes of text; false when a character has no form in the
    // character set (bytes then hold the rest).
    bool Encode(const QString& text, std::string& bytes) const;

    std::string ToUtf8(std::string_view bytes) const override;
    bool FromUtf8(std::string_view utf8, std::string& bytes) const override;

    // The text of bytes in any codec's character set, and text as its bytes.
    static QString TextOf(const ISheetCodec& codec, std::string_view bytes);
    static bool BytesOf(const ISheetCodec& codec, const QString& text, std::string& bytes);

    // The character sets View > Encoding offers: {charset, label}.
    static std::vector<std::pair<std::string, QString>> Choices();

private:
    std::string m_charset;
    bool m_utf8;
    bool m_known;
};
