#include "model/CCuePostgap.h"

#include "model/CCueTrack.h"
#include "model/CueGapParse.h"

CCuePostgap::CCuePostgap(ICueChangeSink* sink, CCueTrack* track, const CCueTime& time)
    : CCueItem(sink, ItemKind::Postgap)
    , m_time(time)
    , m_track(track)
{
}

bool CCuePostgap::SetTime(const CCueTime& time)
{
    if (CCueTime::Compare(time, m_time) == 0)
        return false;
    WillChange();
    m_time = time;
    NotifyChanged(false);
    return true;
}

CCueFile* CCuePostgap::OwningFile() const
{
    return m_track ? m_track->File() : nullptr;
}

bool CCuePostgap::Parse(const CCueLine& line, CueMessages& messages)
{
    TakeLineComment(line);
    return ts::ParseGapTime(line, messages, "No Postgap time - must specify <mm::ss::ff>", m_time);
}

std::unique_ptr<CCueItem> CCuePostgap::Clone(CCueFile* file, CCueTrack* track) const
{
    auto copy = std::make_unique<CCuePostgap>(nullptr, track);
    copy->m_time = m_time;
    CloneInto(*copy, file, track);
    return copy;
}
