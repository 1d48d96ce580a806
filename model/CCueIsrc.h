#pragma once

#include "model/CCueItem.h"

#include <string>

// An ISRC line: the track's recording code, kept as written.
class CCueIsrc final : public CCueItem
{
public:
    CCueIsrc(ICueChangeSink* sink, CCueTrack* track);

    const std::string& Code() const { return m_code; }
    bool SetCode(const std::string& code);
    CCueTrack* Track() const { return m_track; }

    bool Parse(const CCueLine& line, CueMessages& messages) override;
    CCueFile* OwningFile() const override;
    CCueTrack* OwningTrack() const override { return m_track; }
    std::unique_ptr<CCueItem> Clone(CCueFile* file, CCueTrack* track) const override;

private:
    std::string m_code;
    CCueTrack* m_track;
};
