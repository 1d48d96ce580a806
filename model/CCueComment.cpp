#include "model/CCueComment.h"

CCueComment::CCueComment(CQuillDoc* document, CCueTrack* track, CCueFile* file)
    : CCueItem(document, ItemKind::Comment)
    , m_track(track)
    , m_file(file)
{
}

std::unique_ptr<CCueItem> CCueComment::Clone(CCueFile* file, CCueTrack* track) const
{
    // A comment keeps the context it was made in: no track when it was
    // made outside one, no file when it was made at the top level.
    auto copy = std::make_unique<CCueComment>(nullptr, m_track ? track : nullptr, m_file ? file : nullptr);
    CloneInto(*copy, file, track);
    return copy;
}
