#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QString>

// The character set the open sheet's bytes are shown and typed in. The
// core keeps a sheet's text as bytes and names their character set; this
// turns those bytes into the listing's and the dialogs' text and typed text
// back into bytes of the same set, so one sheet never mixes two. UTF-8
// bytes that are not valid UTF-8 (a line pasted from elsewhere) show as
// Windows-1252.
class CSheetCodec final
{
public:
    explicit CSheetCodec(std::string charset = "UTF-8");

    const std::string& Charset() const { return m_charset; }
    bool IsUtf8() const { return m_utf8; }
    // Whether Qt can convert the character set; when not, text shows as
    // UTF-8 (else Windows-1252) and is typed as UTF-8.
    bool IsKnown() const { return m_known; }

    QString Decode(std::string_view bytes) const;
    // The bytes of text; false when a character has no form in the
    // character set (bytes then hold the rest).
    bool Encode(const QString& text, std::string& bytes) const;

    // The codec of the open sheet, which the view sets whenever it shows
    // the document.
    static const CSheetCodec& Current();
    static void SetCurrent(const std::string& charset);

    // The character sets View > Encoding offers: {charset, label}.
    static const std::vector<std::pair<std::string, QString>>& Choices();

private:
    std::string m_charset;
    bool m_utf8;
    bool m_known;
};
