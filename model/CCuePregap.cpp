#include "model/CCuePregap.h"

#include "model/CCueTrack.h"
#include "model/CueGapParse.h"

CCuePregap::CCuePregap(ICueChangeSink* sink, CCueTrack* track, const CCueTime& time)
    : CCueItem(sink, ItemKind::Pregap)
    , m_time(time)
    , m_track(track)
{
}

bool CCuePregap::SetTime(const CCueTime& time)
{
    if (CCueTime::Compare(time, m_time) == 0)
        return false;
    WillChange();
    m_time = time;
    NotifyChanged(false);
    return true;
}

CCueFile* CCuePregap::OwningFile() const
{
    return m_track ? m_track->File() : nullptr;
}

bool CCuePregap::Parse(const CCueLine& line, CueMessages& messages)
{
    TakeLineComment(line);
    return ts::ParseGapTime(line, messages, "No Pregap time - must specify <mm::ss::ff>", m_time);
}

std::unique_ptr<CCueItem> CCuePregap::Clone(CCueFile* file, CCueTrack* track) const
{
    auto copy = std::make_unique<CCuePregap>(nullptr, track);
    copy->m_time = m_time;
    CloneInto(*copy, file, track);
    return copy;
}
