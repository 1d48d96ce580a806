#include "model/CCueFile.h"

#include "model/CCueIndex.h"
#include "model/CCueLine.h"
#include "model/CCueTrack.h"
#include "model/CueDiagnostics.h"
#include "model/TextUtil.h"

#include <algorithm>

CCueFile::CCueFile(CQuillDoc* document)
    : CCueItem(document, ItemKind::File)
    , m_type(FileType::Err)
{
}

CCueFile::CCueFile(CQuillDoc* document, std::string name)
    : CCueItem(document, ItemKind::File)
    , m_name(std::move(name))
    , m_type(ts::FileTypeOfName(m_name))
{
}

std::unique_ptr<CCueItem> CCueFile::Clone(CCueFile*, CCueTrack*) const
{
    auto copy = std::make_unique<CCueFile>(nullptr, m_name);
    copy->m_type = m_type;
    CloneInto(*copy, copy.get(), nullptr);
    return copy;
}

bool CCueFile::SetName(const std::string& name)
{
    if (name == m_name)
        return false;
    m_name = name;
    NotifyChanged(false);
    return true;
}

bool CCueFile::SetType(FileType type)
{
    if (type == m_type)
        return false;
    m_type = type;
    NotifyChanged(false);
    return true;
}

CCueTrack* CCueFile::Track(int i) const
{
    if (i < 0 || i >= TrackCount())
        return nullptr;
    return m_tracks[static_cast<std::size_t>(i)];
}

int CCueFile::PositionOfTrack(const CCueTrack* track) const
{
    const auto it = std::find(m_tracks.begin(), m_tracks.end(), track);
    return it == m_tracks.end() ? -1 : static_cast<int>(it - m_tracks.begin());
}

bool CCueFile::Parse(const CCueLine& line)
{
    TakeLineComment(line);
    std::size_t pos = 0;
    std::string_view name;
    const std::string_view args = line.Arguments();
    // A name in double quotes may hold blanks (and semicolons); the type
    // follows the closing quote.
    const auto close = args.size() > 1 && args[0] == '"' ? args.find('"', 1) : std::string_view::npos;
    if (close != std::string_view::npos) {
        name = args.substr(1, close - 1);
        pos = close + 1;
        m_comment.clear();
        if (const auto semicolon = args.find(';', pos); semicolon != std::string_view::npos)
            m_comment.assign(args.substr(semicolon));
        if (name.empty()) {
            ts::ReportError(ts::CurrentCueLine(), "No file specified");
            return false;
        }
    } else if (!line.NextToken(pos, name)) {
        ts::ReportError(ts::CurrentCueLine(), "No file specified");
        return false;
    }
    m_name.assign(name);

    std::string_view type;
    if (!line.NextToken(pos, type)) {
        ts::ReportError(ts::CurrentCueLine(),
                        "No File type - must specify whether file is WAVE, BINARY, MOTOROLA, AIFF");
        return false;
    }
    static constexpr FileType kParsed[] = {FileType::Wave, FileType::Binary, FileType::Motorola, FileType::Aiff};
    for (FileType t : kParsed) {
        if (ts::EqualsNoCase(type, ts::FileTypeText(t))) {
            m_type = t;
            return true;
        }
    }
    ts::ReportError(ts::CurrentCueLine(), "Unknown file type " + std::string(type));
    return false;
}

bool CCueFile::InsertChild(std::unique_ptr<CCueItem> child, CCueItem* before)
{
    if (child->Kind() == ItemKind::Track) {
        // Enter it into the tracks list before the first track at or after
        // `before` in child order.
        // Appended, it follows every track (the list mirrors the children).
        const int at = before ? PositionOf(before) : -1;
        std::size_t slot = m_tracks.size();
        if (at >= 0) {
            slot = 0;
            for (std::size_t i = 0; i < static_cast<std::size_t>(at); ++i) {
                if (m_children[i]->Kind() == ItemKind::Track)
                    ++slot;
            }
        }
        m_tracks.insert(m_tracks.begin() + static_cast<std::ptrdiff_t>(slot), static_cast<CCueTrack*>(child.get()));
    }
    return CCueItem::InsertChild(std::move(child), before);
}

bool CCueFile::RemoveChild(CCueItem* child)
{
    if (child && child->Kind() == ItemKind::Track)
        std::erase(m_tracks, static_cast<CCueTrack*>(child));
    return CCueItem::RemoveChild(child);
}

CCueTrack* CCueFile::AddTrack(CCueItem* before)
{
    auto track = std::make_unique<CCueTrack>(Document(), this, ts::DefaultTrackTypeOfName(m_name),
                                             TrackCount() + 1);
    CCueTrack* added = track.get();
    InsertChild(std::move(track), before);
    added->AddIndex(nullptr, nullptr);
    return added;
}

void CCueFile::SortTracks(int firstNumber)
{
    std::vector<std::int64_t> keys(m_children.size(), -1);
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        if (m_children[i]->Kind() != ItemKind::Track)
            continue;
        if (const CCueIndex* first = static_cast<const CCueTrack*>(m_children[i].get())->Index(0))
            keys[i] = first->Time().Milliseconds();
    }
    ExchangeSortChildren(keys);

    m_tracks.clear();
    for (const auto& child : m_children) {
        if (child->Kind() != ItemKind::Track)
            continue;
        auto* track = static_cast<CCueTrack*>(child.get());
        m_tracks.push_back(track);
        track->SetNumber(firstNumber + static_cast<int>(m_tracks.size()) - 1);
        track->SortIndexes();
    }
}
