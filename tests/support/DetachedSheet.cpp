#include "support/DetachedSheet.h"

#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueTrack.h"

CCueFile* DetachedSheet::AddFile(const char* name)
{
    auto file = std::make_unique<CCueFile>(nullptr, name);
    CCueFile* f = file.get();
    doc.InsertTopLevel(std::move(file), nullptr);
    return f;
}

CCueComment* DetachedSheet::AddComment(CCueItem* parent, const char* text)
{
    auto comment = std::make_unique<CCueComment>(nullptr);
    CCueComment* c = comment.get();
    c->SetComment(text);
    if (parent)
        parent->InsertChild(std::move(comment), nullptr);
    else
        doc.InsertTopLevel(std::move(comment), nullptr);
    return c;
}

CCueFlags* DetachedSheet::AddFlags(CCueTrack* track)
{
    auto flags = std::make_unique<CCueFlags>(nullptr, track);
    CCueFlags* f = flags.get();
    track->InsertChild(std::move(flags), nullptr);
    return f;
}
