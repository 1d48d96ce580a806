#include "model/CCueIsrc.h"

#include "model/CCueLine.h"
#include "model/CCueTrack.h"

CCueIsrc::CCueIsrc(ICueChangeSink* sink, CCueTrack* track)
    : CCueItem(sink, ItemKind::Isrc)
    , m_track(track)
{
}

bool CCueIsrc::SetCode(const std::string& code)
{
    if (code == m_code)
        return false;
    WillChange();
    m_code = code;
    NotifyChanged(false);
    return true;
}

CCueFile* CCueIsrc::OwningFile() const
{
    return m_track ? m_track->File() : nullptr;
}

bool CCueIsrc::Parse(const CCueLine& line, CueMessages& messages)
{
    TakeLineComment(line);
    std::size_t pos = 0;
    std::string_view token;
    if (!line.NextWord(pos, token)) {
        messages.push_back({line.Number(), CueSeverity::Error, "No ISRC number - must specify <ABCDE1234567>"});
        return false;
    }
    // A code written with blanks is more than one word: refused, so the
    // line is kept as read rather than saved cut at its first blank.
    if (std::string_view more; line.NextWord(pos, more)) {
        messages.push_back(
            {line.Number(), CueSeverity::Error, "ISRC number with blanks - must specify <ABCDE1234567>"});
        return false;
    }
    SetCode(std::string(token));
    return true;
}

std::unique_ptr<CCueItem> CCueIsrc::Clone(CCueFile* file, CCueTrack* track) const
{
    auto copy = std::make_unique<CCueIsrc>(nullptr, track);
    copy->m_code = m_code;
    CloneInto(*copy, file, track);
    return copy;
}
