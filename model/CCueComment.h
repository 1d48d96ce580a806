#pragma once

#include "model/CCueItem.h"

// A comment line ("REM ..." or "; ...") or a blank line. The whole text of
// the line is its comment; its file and track are those it hangs in.
class CCueComment final : public CCueItem
{
public:
    explicit CCueComment(ICueChangeSink* sink);

    std::unique_ptr<CCueItem> Clone(CCueFile* file, CCueTrack* track) const override;
};
