#include "model/CCueTrack.h"

#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCueLine.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/TextUtil.h"

#include <algorithm>

CCueTrack::CCueTrack(ICueChangeSink* sink, CCueFile* file)
    : CCueTrack(sink, file, TrackType::Err, -1)
{
}

CCueTrack::CCueTrack(ICueChangeSink* sink, CCueFile* file, TrackType type, int number)
    : CCueItem(sink, ItemKind::Track)
    , m_type(type)
    , m_number(number)
    , m_file(file)
{
}

std::unique_ptr<CCueItem> CCueTrack::Clone(CCueFile* file, CCueTrack*) const
{
    auto copy = std::make_unique<CCueTrack>(nullptr, file, m_type, m_number);
    copy->m_typeWord = m_typeWord;
    copy->m_continued = m_continued;
    CloneInto(*copy, file, copy.get());
    return copy;
}

bool CCueTrack::SetNumber(int number)
{
    if (number == m_number)
        return false;
    WillChange();
    m_number = number;
    NotifyChanged(false);
    return true;
}

void CCueTrack::SetContinuation(bool continued)
{
    if (continued == m_continued)
        return;
    WillChange();
    m_continued = continued;
}

std::string_view CCueTrack::TypeText() const
{
    if (m_type == TrackType::Unknown && !m_typeWord.empty())
        return m_typeWord;
    return ts::TrackTypeText(m_type);
}

bool CCueTrack::SetType(TrackType type)
{
    if (type == m_type)
        return false;
    WillChange();
    m_type = type;
    m_typeWord.clear();
    NotifyChanged(true);
    return true;
}

CCueIndex* CCueTrack::Index(int i) const
{
    if (i < 0 || i >= IndexCount())
        return nullptr;
    return m_indexes[static_cast<std::size_t>(i)];
}

int CCueTrack::PositionOfIndex(const CCueIndex* index) const
{
    const auto it = std::find(m_indexes.begin(), m_indexes.end(), index);
    return it == m_indexes.end() ? -1 : static_cast<int>(it - m_indexes.begin());
}

bool CCueTrack::Parse(const CCueLine& line, CueMessages& messages)
{
    TakeLineComment(line);
    std::size_t pos = 0;
    std::string_view token;
    if (!line.NextToken(pos, token)) {
        messages.push_back({line.Number(), CueSeverity::Error, "No track number specified"});
        return false;
    }
    m_number = ts::ParseLeadingInt(token);
    // TRACK 00 (chapter tools) is read; the reader says it is renumbered.
    const bool zero = !token.empty() && token.find_first_not_of('0') == std::string_view::npos;
    if (m_number == 0 && !zero) {
        messages.push_back(
            {line.Number(), CueSeverity::Error, "Invalid track number (track number must be higher than 0)"});
        return false;
    }
    if (!line.NextToken(pos, token)) {
        // The track counts, so that its indexes have a track; it is saved
        // with the type its file implies, so that other readers take it.
        m_type = m_file && m_file->Type() == FileType::Binary ? TrackType::Mode1_2352 : TrackType::Audio;
        messages.push_back({line.Number(), CueSeverity::Warning,
                            "No Track type - must specify whether track is AUDIO, CDG, MODE1/2048, etc.; saved as "
                                + std::string(ts::TrackTypeText(m_type))});
        return true;
    }
    for (int t = static_cast<int>(TrackType::Audio); t <= static_cast<int>(TrackType::Cdi_2352); ++t) {
        if (ts::EqualsNoCase(token, ts::TrackTypeText(static_cast<TrackType>(t)))) {
            m_type = static_cast<TrackType>(t);
            return true;
        }
    }
    // A mode outside the list stays as written rather than losing the track.
    m_type = TrackType::Unknown;
    m_typeWord.assign(token);
    return true;
}

bool CCueTrack::InsertChild(std::unique_ptr<CCueItem> child, CCueItem* before)
{
    WillChange();
    switch (child->Kind()) {
    case ItemKind::Pregap:
        m_pregap = static_cast<CCuePregap*>(child.get());
        break;
    case ItemKind::Postgap:
        m_postgap = static_cast<CCuePostgap*>(child.get());
        break;
    case ItemKind::Isrc:
        m_isrc = static_cast<CCueIsrc*>(child.get());
        break;
    case ItemKind::Flags:
        m_flags = static_cast<CCueFlags*>(child.get());
        break;
    case ItemKind::Index: {
        // Appended, it follows every index (the list mirrors the children);
        // before a child, it follows the indexes that stand before that.
        const int at = before ? PositionOf(before) : -1;
        std::size_t slot = m_indexes.size();
        if (at >= 0) {
            slot = 0;
            for (std::size_t i = 0; i < static_cast<std::size_t>(at); ++i) {
                if (m_children[i]->Kind() == ItemKind::Index)
                    ++slot;
            }
        }
        m_indexes.insert(m_indexes.begin() + static_cast<std::ptrdiff_t>(slot), static_cast<CCueIndex*>(child.get()));
        break;
    }
    default:
        break;
    }
    return CCueItem::InsertChild(std::move(child), before);
}

bool CCueTrack::RemoveChild(CCueItem* child)
{
    WillChange();
    if (child == m_pregap)
        m_pregap = nullptr;
    else if (child == m_postgap)
        m_postgap = nullptr;
    else if (child == m_isrc)
        m_isrc = nullptr;
    else if (child == m_flags)
        m_flags = nullptr;
    else if (child && child->Kind() == ItemKind::Index)
        std::erase(m_indexes, static_cast<CCueIndex*>(child));
    return CCueItem::RemoveChild(child);
}

CCueIndex* CCueTrack::AddIndex(CCueItem* before, const CCueTime* time)
{
    auto index = std::make_unique<CCueIndex>(Sink(), this, 1, time ? *time : PreviousEnd());
    CCueIndex* added = index.get();
    InsertChild(std::move(index), before);
    return added;
}

void CCueTrack::SortIndexes()
{
    SortIndexesByTime();
    NumberIndexes(FirstIndexNumber({m_indexes.begin(), m_indexes.end()}));
}

int CCueTrack::FirstIndexNumber(const std::vector<const CCueIndex*>& sequence)
{
    if (sequence.empty())
        return 1;
    if (sequence.size() == 1)
        return sequence.front()->Number() == 0 ? 0 : 1;
    const auto one = std::find_if(sequence.begin(), sequence.end(), [](const CCueIndex* i) { return i->Number() == 1; });
    if (one == sequence.begin())
        return 1;
    if (one == sequence.begin() + 1 && sequence.front()->Number() == 0)
        return 0;
    const bool zero = std::any_of(sequence.begin(), sequence.end(), [](const CCueIndex* i) { return i->Number() == 0; });
    return zero ? 0 : 1;
}

void CCueTrack::SortIndexesByTime()
{
    std::vector<std::int64_t> keys(m_children.size(), -1);
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        if (m_children[i]->Kind() == ItemKind::Index)
            keys[i] = static_cast<const CCueIndex*>(m_children[i].get())->Time().Milliseconds();
    }
    ExchangeSortChildren(keys);
    m_indexes.clear();
    for (const auto& child : m_children) {
        if (child->Kind() == ItemKind::Index)
            m_indexes.push_back(static_cast<CCueIndex*>(child.get()));
    }
}

bool CCueTrack::HasIndexZero() const
{
    return std::any_of(m_indexes.begin(), m_indexes.end(), [](const CCueIndex* i) { return i->Number() == 0; });
}

int CCueTrack::NumberIndexes(int first)
{
    for (CCueIndex* index : m_indexes)
        index->SetNumber(first++);
    return first;
}

const CCueTrack* CCueTrack::Neighbour(int offset) const
{
    if (!m_file)
        return nullptr;
    const int at = m_file->PositionOfTrack(this);
    return at < 0 ? nullptr : m_file->Track(at + offset);
}

CCueTime CCueTrack::LastIndexTime() const
{
    return m_indexes.empty() ? CCueTime::FromMilliseconds(0) : m_indexes.back()->Time();
}

CCueTime CCueTrack::StartTime() const
{
    if (!m_indexes.empty())
        return m_indexes.front()->Time();
    if (const CCueTrack* previous = Neighbour(-1); previous && previous->IndexCount() > 0)
        return previous->LastIndexTime();
    return CCueTime::FromMilliseconds(0);
}

CCueTime CCueTrack::PreviousEnd() const
{
    if (const CCueTrack* previous = Neighbour(-1))
        return previous->LastIndexTime();
    return CCueTime::FromMsf(0, 0, 0);
}

bool CCueTrack::NextStart(CCueTime& time) const
{
    if (const CCueTrack* next = Neighbour(1)) {
        time = next->StartTime();
        return true;
    }
    time = CCueTime::FromMsf(CCueTime::kMaxMinutes, 59, CCueTime::kFramesPerSecond - 1);
    return false;
}

bool CCueTrack::WithinOwnRange(const CCueTime& time) const
{
    return CCueTime::Compare(StartTime(), time) <= 0 && CCueTime::Compare(time, LastIndexTime()) <= 0;
}

bool CCueTrack::WithinNeighbours(const CCueTime& time) const
{
    CCueTime next;
    NextStart(next);
    return CCueTime::Compare(PreviousEnd(), time) <= 0 && CCueTime::Compare(time, next) <= 0;
}
