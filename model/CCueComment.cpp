#include "model/CCueComment.h"

CCueComment::CCueComment(CQuillDoc* document, CCueTrack* track, CCueFile* file)
    : CCueItem(document, ItemKind::Comment)
    , m_track(track)
    , m_file(file)
{
}
