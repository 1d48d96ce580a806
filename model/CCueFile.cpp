#include "model/CCueFile.h"

#include "model/CCueIndex.h"
#include "model/CCueLine.h"
#include "model/CueLineText.h"
#include "model/CCueTrack.h"
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
    WillChange();
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
    WillChange();
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

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The type a FILE line without one is saved with: what players and rippers
// write for a file of that name, so that other readers take the line.
FileType TypeForUntyped(std::string_view name)
{
    const std::string_view ext = ts::PathExtension(name);
    if (ts::EqualsNoCase(ext, ".aif") || ts::EqualsNoCase(ext, ".aiff"))
        return FileType::Aiff;
    if (ts::EqualsNoCase(ext, ".mot"))
        return FileType::Motorola;
    static constexpr std::string_view kBinary[] = {".bin", ".img", ".iso", ".raw", ".dat", ".mdf"};
    for (std::string_view b : kBinary) {
        if (ts::EqualsNoCase(ext, b))
            return FileType::Binary;
    }
    return FileType::Wave; // every audio format and a name without extension
}

// Whether a name read without quotes is saved as a line that reads back as
// it: a name with a blank, a tab or a semicolon is saved in quotes, which
// end at its first double quote.
bool WritesBack(std::string_view name)
{
    return name.find('"') == std::string_view::npos || !ts::FileNameNeedsQuotes(name);
}

} // namespace

bool CCueFile::Parse(const CCueLine& line, CueMessages& messages)
{
    TakeLineComment(line);
    const std::string_view args = line.ArgumentsBeforeComment();
    std::string_view name;
    std::string_view rest;
    // A name in double quotes may hold blanks (and semicolons); the type
    // follows the closing quote.
    const auto close = args.size() > 1 && args[0] == '"' ? args.find('"', 1) : std::string_view::npos;
    if (close != std::string_view::npos) {
        name = args.substr(1, close - 1);
        rest = args.substr(close + 1);
        if (!rest.empty() && !IsBlank(rest.front())) {
            // "a"b"c".wav: no reading of it gives the name back.
            messages.push_back({line.Number(), CueSeverity::Error, "A double quote inside a quoted file name"});
            return false;
        }
        if (name.empty()) {
            messages.push_back({line.Number(), CueSeverity::Error, "No file specified"});
            return false;
        }
    } else {
        // Words after the name and before the last word belong to a name
        // with blanks written without its quotes (or a NUL read as a
        // blank): the name runs on to the last word, which is the type.
        std::size_t count = 0;
        const auto split = [&](std::string_view words) {
            std::size_t pos = 0;
            std::string_view first;
            count = 0;
            if (!CCueLine::NextTokenIn(words, pos, first))
                return;
            std::string_view word;
            std::string_view last;
            count = 1;
            for (std::size_t at = pos; CCueLine::NextTokenIn(words, at, word);)
                last = word, ++count;
            if (count >= 3) {
                const auto nameStart = static_cast<std::size_t>(first.data() - words.data());
                name = words.substr(nameStart, static_cast<std::size_t>(last.data() - first.data()));
                while (!name.empty() && IsBlank(name.back()))
                    name.remove_suffix(1);
                rest = last;
            } else {
                name = first;
                rest = words.substr(pos);
            }
        };
        split(args);
        // An opening quote without its closing one stays in a name that
        // reads back as itself; a name with blanks is read from the words
        // after the quote instead, since no line would give it back.
        const bool unclosed = count > 0 && args[0] == '"' && !WritesBack(name);
        if (unclosed)
            split(args.substr(1));
        if (count == 0) {
            messages.push_back({line.Number(), CueSeverity::Error, "No file specified"});
            return false;
        }
        if (!WritesBack(name)) {
            messages.push_back({line.Number(), CueSeverity::Error, "A double quote inside a file name with blanks"});
            return false;
        }
        if (unclosed) {
            messages.push_back({line.Number(), CueSeverity::Warning,
                                "The closing double quote of the file name is missing: read as \"" + std::string(name)
                                    + "\""});
        } else if (count >= 3) {
            messages.push_back({line.Number(), CueSeverity::Warning,
                                "A file name with blanks must be in double quotes: read as \"" + std::string(name)
                                    + "\""});
        }
    }
    m_name.assign(name);

    std::size_t pos = 0;
    std::string_view type;
    if (!CCueLine::NextTokenIn(rest, pos, type)) {
        // The file counts; it is saved with the type its name implies, so
        // that other readers take the line.
        m_type = TypeForUntyped(m_name);
        messages.push_back({line.Number(), CueSeverity::Warning,
                            "No File type - must specify whether file is WAVE, BINARY, MOTOROLA, AIFF; saved as "
                                + std::string(ts::FileTypeText(m_type))});
        return true;
    }
    std::string_view more;
    if (std::size_t after = pos; CCueLine::NextTokenIn(rest, after, more)) {
        // Several words after a quoted name: kept together as the type.
        type = rest.substr(static_cast<std::size_t>(type.data() - rest.data()));
        while (!type.empty() && IsBlank(type.back()))
            type.remove_suffix(1);
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
    WillChange();
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
    WillChange();
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
            WillChange();
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
