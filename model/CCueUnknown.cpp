#include "model/CCueUnknown.h"

#include "model/CCueLine.h"

CCueUnknown::CCueUnknown(ICueChangeSink* sink)
    : CCueItem(sink, ItemKind::Unknown)
{
}

CCueUnknown::CCueUnknown(ICueChangeSink* sink, std::string text)
    : CCueItem(sink, ItemKind::Unknown)
    , m_text(std::move(text))
{
}

bool CCueUnknown::Parse(const CCueLine& line, CueMessages&)
{
    // The whole line is the item; a semicolon in it is no comment of ours.
    m_text = line.Text();
    return true;
}

std::unique_ptr<CCueItem> CCueUnknown::Clone(CCueFile* file, CCueTrack* track) const
{
    auto copy = std::make_unique<CCueUnknown>(nullptr, m_text);
    CloneInto(*copy, file, track);
    return copy;
}
