#include "model/CCueComment.h"

CCueComment::CCueComment(CQuillDoc* document)
    : CCueItem(document, ItemKind::Comment)
{
}

std::unique_ptr<CCueItem> CCueComment::Clone(CCueFile* file, CCueTrack* track) const
{
    auto copy = std::make_unique<CCueComment>(nullptr);
    CloneInto(*copy, file, track);
    return copy;
}
