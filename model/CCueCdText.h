#pragma once

#include "model/CCueItem.h"

#include <string>
#include <string_view>

// A CD-TEXT or disc keyword line (TITLE, PERFORMER, ..., CDTEXTFILE), at
// disc level before the first FILE or inside a track. Keyword and value
// are kept as written, the value with its quotes.
class CCueCdText final : public CCueItem
{
public:
    explicit CCueCdText(ICueChangeSink* sink);
    CCueCdText(ICueChangeSink* sink, std::string keyword, std::string value);

    const std::string& Keyword() const { return m_keyword; }
    bool SetKeyword(const std::string& keyword);
    const std::string& Value() const { return m_value; }
    bool SetValue(const std::string& value);
    // The blanks between the keyword and the value, as read; one blank for
    // a line made in the editor.
    const std::string& Gap() const { return m_gap; }

    // The value without its surrounding double quotes, when it has them.
    std::string_view Text() const;
    bool IsQuoted() const;

    // The keywords of this kind, in menu order; the last one (CDTEXTFILE)
    // belongs at disc level only.
    static constexpr std::string_view kKeywords[] = {
        "TITLE",   "PERFORMER", "SONGWRITER", "COMPOSER",  "ARRANGER",  "MESSAGE",   "GENRE",
        "DISC_ID", "UPC_EAN",   "TOC_INFO1",  "TOC_INFO2", "SIZE_INFO", "CDTEXTFILE"};

    bool Parse(const CCueLine& line, CueMessages& messages) override;
    std::unique_ptr<CCueItem> Clone(CCueFile* file, CCueTrack* track) const override;

private:
    std::string m_keyword;
    std::string m_value;
    std::string m_gap = " ";
};
