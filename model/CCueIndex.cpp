#include "model/CCueIndex.h"

#include "model/CCueLine.h"
#include "model/CCueTrack.h"
#include "model/TextUtil.h"

CCueIndex::CCueIndex(ICueChangeSink* sink, CCueTrack* track)
    : CCueIndex(sink, track, -1, CCueTime())
{
}

CCueIndex::CCueIndex(ICueChangeSink* sink, CCueTrack* track, int number, const CCueTime& time)
    : CCueItem(sink, ItemKind::Index)
    , m_number(number)
    , m_time(time)
    , m_track(track)
{
}

bool CCueIndex::SetNumber(int number)
{
    if (number == m_number)
        return false;
    WillChange();
    m_number = number;
    NotifyChanged(true);
    return true;
}

bool CCueIndex::SetTime(const CCueTime& time)
{
    if (CCueTime::Compare(time, m_time) == 0)
        return false;
    WillChange();
    m_time = time;
    NotifyChanged(true);
    return true;
}

CCueFile* CCueIndex::OwningFile() const
{
    return m_track ? m_track->File() : nullptr;
}

bool CCueIndex::Parse(const CCueLine& line, CueMessages& messages)
{
    TakeLineComment(line);
    std::size_t pos = 0;
    std::string_view token;
    if (!line.NextToken(pos, token)) {
        messages.push_back({line.Number(), CueSeverity::Error, "No Index number specified"});
        return false;
    }
    for (char c : token) {
        if (c < '0' || c > '9') {
            messages.push_back({line.Number(), CueSeverity::Error, "Non-numeric index number"});
            return false;
        }
    }
    m_number = ts::ParseLeadingInt(token);
    if (!line.NextToken(pos, token)) {
        messages.push_back({line.Number(), CueSeverity::Error, "No Index time - must specify <mm::ss::ff>"});
        return false;
    }
    if (std::string problem; !CCueTime::TryParse(token, m_time, problem)) {
        messages.push_back({line.Number(), CueSeverity::Error, problem});
        return false;
    }
    return true;
}

std::unique_ptr<CCueItem> CCueIndex::Clone(CCueFile* file, CCueTrack* track) const
{
    auto copy = std::make_unique<CCueIndex>(nullptr, track);
    copy->m_number = m_number;
    copy->m_time = m_time;
    CloneInto(*copy, file, track);
    return copy;
}
