#pragma once

#include "model/CCueItem.h"
#include "model/CCueTime.h"

// A PREGAP line: silence the recorder adds before the track's data.
class CCuePregap final : public CCueItem
{
public:
    CCuePregap(ICueChangeSink* sink, CCueTrack* track, const CCueTime& time = CCueTime());

    const CCueTime& Time() const { return m_time; }
    bool SetTime(const CCueTime& time);
    CCueTrack* Track() const { return m_track; }

    bool Parse(const CCueLine& line, CueMessages& messages) override;
    CCueFile* OwningFile() const override;
    CCueTrack* OwningTrack() const override { return m_track; }
    std::unique_ptr<CCueItem> Clone(CCueFile* file, CCueTrack* track) const override;

private:
    CCueTime m_time;
    CCueTrack* m_track;
};
