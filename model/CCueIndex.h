#pragma once

#include "model/CCueItem.h"
#include "model/CCueTime.h"

// An INDEX line: a numbered point inside a track.
class CCueIndex final : public CCueItem
{
public:
    CCueIndex(ICueChangeSink* sink, CCueTrack* track);
    CCueIndex(ICueChangeSink* sink, CCueTrack* track, int number, const CCueTime& time);

    int Number() const { return m_number; }
    bool SetNumber(int number);
    const CCueTime& Time() const { return m_time; }
    bool SetTime(const CCueTime& time);
    CCueTrack* Track() const { return m_track; }

    bool Parse(const CCueLine& line, CueMessages& messages) override;
    CCueFile* OwningFile() const override;
    CCueTrack* OwningTrack() const override { return m_track; }
    std::unique_ptr<CCueItem> Clone(CCueFile* file, CCueTrack* track) const override;

private:
    int m_number;
    CCueTime m_time;
    CCueTrack* m_track;
};
