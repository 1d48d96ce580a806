#pragma once

#include "model/CCueItem.h"

// A comment line ("REM ..." or "; ...") or a blank line. The whole text of
// the line is its comment; it remembers the file and track it was made in.
class CCueComment final : public CCueItem
{
public:
    CCueComment(CQuillDoc* document, CCueTrack* track, CCueFile* file);

    CCueTrack* Track() const { return m_track; }
    CCueFile* File() const { return m_file; }

    CCueFile* OwningFile() const override { return m_file; }
    CCueTrack* OwningTrack() const override { return m_track; }
    std::unique_ptr<CCueItem> Clone(CCueFile* file, CCueTrack* track) const override;

private:
    CCueTrack* m_track;
    CCueFile* m_file;
};
