#include "model/CCueComment.h"

CCueComment::CCueComment(ICueChangeSink* sink)
    : CCueItem(sink, ItemKind::Comment)
{
}

std::unique_ptr<CCueItem> CCueComment::Clone(CCueFile* file, CCueTrack* track) const
{
    auto copy = std::make_unique<CCueComment>(nullptr);
    CloneInto(*copy, file, track);
    return copy;
}
