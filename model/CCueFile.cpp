#include "model/CCueFile.h"

#include "model/CCueIndex.h"
#include "model/CCueLine.h"
#include "model/CCueTrack.h"
#include "model/CueDiagnostics.h"
#include "model/TextUtil.h"

#include <algorithm>

CCueFile::CCueFile(ICueChangeSink* sink)
    : CCueItem(sink, ItemKind::File)
    , m_type(FileType::Err)
{
}

CCueFile::CCueFile(ICueChangeSink* sink, std::string name)
    : CCueItem(sink, ItemKind::File)
    , m_name(std::move(name))
    , m_type(ts::FileTypeOfName(m_name))
{
}

std::unique_ptr<CCueItem> CCueFile::Clone(CCueFile*, CCueTrack*) const
{
    auto copy = std::make_unique<CCueFile>(nullptr, m_name);
    copy->m_type = m_type;
    copy->m_typeWord = m_typeWord;
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

std::string_view CCueFile::TypeText() const
{
    if (m_type == FileType::Unknown)
        return m_typeWord;
    return ts::FileTypeText(m_type);
}

bool CCueFile::SetType(FileType type)
{
    if (type == m_type)
        return false;
    m_type = type;
    m_typeWord.clear();
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
        // Reported, but the file is kept, without a type word, as written.
        ts::ReportError(ts::CurrentCueLine(),
                        "No File type - must specify whether file is WAVE, BINARY, MOTOROLA, AIFF");
        m_type = FileType::Unknown;
        return true;
    }
    static constexpr FileType kParsed[] = {FileType::Wave, FileType::Binary, FileType::Motorola, FileType::Aiff};
    for (FileType t : kParsed) {
        if (ts::EqualsNoCase(type, ts::FileTypeText(t))) {
            m_type = t;
            return true;
        }
    }
    // Players and rippers name their own formats (MP3, FLAC, OGG, ...):
    // the word is kept as written.
    m_type = FileType::Unknown;
    m_typeWord.assign(type);
    return true;
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
    auto track = std::make_unique<CCueTrack>(Sink(), this, ts::DefaultTrackTypeOfName(m_name),
                                             TrackCount() + 1);
    CCueTrack* added = track.get();
    InsertChild(std::move(track), before);
    added->AddIndex(nullptr, nullptr);
    return added;
}

CCueTrack* CCueFile::Continuation() const
{
    CCueTrack* first = Track(0);
    return first && first->IsContinuation() ? first : nullptr;
}

int CCueFile::SortTracks(int firstNumber, const CCueTrack* previous)
{
    // Indexes first: a track sorts by its earliest index, whatever order
    // an edit left them in.
    for (const auto& child : m_children) {
        if (child->Kind() == ItemKind::Track)
            static_cast<CCueTrack*>(child.get())->SortIndexesByTime();
    }
    std::vector<std::int64_t> keys(m_children.size(), -1);
    std::ptrdiff_t continuation = -1;
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        if (m_children[i]->Kind() != ItemKind::Track)
            continue;
        auto* track = static_cast<CCueTrack*>(m_children[i].get());
        if (track->IsContinuation()) {
            // Only the first continuation of a file with a track before it
            // continues anything; any other stands on its own.
            if (continuation < 0 && previous)
                continuation = static_cast<std::ptrdiff_t>(i);
            else
                track->SetContinuation(false);
            continue;
        }
        if (const CCueIndex* first = track->Index(0))
            keys[i] = first->Time().Milliseconds();
    }
    if (continuation >= 0) {
        // The continuation goes before every track; the other lines keep
        // their places.
        const auto firstTrack = std::find_if(m_children.begin(), m_children.end(),
                                             [](const auto& c) { return c->Kind() == ItemKind::Track; });
        const auto at = m_children.begin() + continuation;
        if (firstTrack < at) {
            std::rotate(firstTrack, at, at + 1);
            std::rotate(keys.begin() + (firstTrack - m_children.begin()), keys.begin() + continuation,
                        keys.begin() + continuation + 1);
        }
    }
    ExchangeSortChildren(keys);

    m_tracks.clear();
    int number = firstNumber;
    for (const auto& child : m_children) {
        if (child->Kind() != ItemKind::Track)
            continue;
        auto* track = static_cast<CCueTrack*>(child.get());
        m_tracks.push_back(track);
        track->SetNumber(track->IsContinuation() ? previous->Number() : number++);
    }
    return number;
}
