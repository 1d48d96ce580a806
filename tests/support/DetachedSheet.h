#pragma once

#include "document/CQuillDoc.h"

#include <gtest/gtest.h>

class CCueComment;
class CCueFile;
class CCueFlags;
class CCueItem;
class CCueTrack;

// A fixture for the writers: items made without a document, so that no
// relayout reorders or renumbers what a test writes, hung into a document
// whose top level the writers walk.
class DetachedSheet : public testing::Test
{
protected:
    CCueFile* AddFile(const char* name);
    // Under parent, or at the top level when parent is null.
    CCueComment* AddComment(CCueItem* parent, const char* text);
    CCueFlags* AddFlags(CCueTrack* track);

    CQuillDoc doc;
};
