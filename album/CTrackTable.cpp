#include "album/CTrackTable.h"

#include "document/CQuillDoc.h"
#include "model/CCueCdText.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCuePregap.h"
#include "model/CCueTrack.h"
#include "model/CueLineText.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>

namespace {

CCueTime TimeOfFrames(std::uint64_t frames)
{
    return CCueTime::FromMsf(static_cast<std::uint32_t>(frames / 75 / 60), static_cast<std::uint32_t>(frames / 75 % 60),
                             static_cast<std::uint32_t>(frames % 75));
}

std::string Unquoted(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool SameKeyword(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// The CD-TEXT line of a keyword among an item's children or the sheet's
// top level.
CCueCdText* TrackLine(const CCueTrack& track, std::string_view keyword)
{
    for (int i = 0; i < track.ChildCount(); ++i) {
        CCueItem* child = track.Child(i);
        if (child->Kind() == ItemKind::CdText && SameKeyword(static_cast<CCueCdText*>(child)->Keyword(), keyword))
            return static_cast<CCueCdText*>(child);
    }
    return nullptr;
}

CCueCdText* DiscLine(const CQuillDoc& doc, std::string_view keyword)
{
    for (int i = 0; i < doc.TopLevelCount(); ++i) {
        CCueItem* item = doc.TopLevelItem(i);
        if (item->Kind() == ItemKind::File)
            break;
        if (item->Kind() == ItemKind::CdText && SameKeyword(static_cast<CCueCdText*>(item)->Keyword(), keyword))
            return static_cast<CCueCdText*>(item);
    }
    return nullptr;
}

CCueIndex* StartIndex(const CCueTrack& track)
{
    for (int i = 0; i < track.IndexCount(); ++i) {
        if (track.Index(i)->Number() == 1)
            return track.Index(i);
    }
    return track.IndexCount() > 0 ? track.Index(0) : nullptr;
}

CCueIndex* IndexZero(const CCueTrack& track)
{
    for (int i = 0; i < track.IndexCount(); ++i) {
        if (track.Index(i)->Number() == 0)
            return track.Index(i);
    }
    return nullptr;
}

// Where a track begins within its file: its INDEX 00, else its start.
std::uint64_t BeginFrames(const CCueTrack& track)
{
    const CCueIndex* zero = IndexZero(track);
    const CCueIndex* start = StartIndex(track);
    if (zero && start && zero != start && CCueTime::Compare(zero->Time(), start->Time()) < 0)
        return zero->Time().TotalFrames();
    return start ? start->Time().TotalFrames() : 0;
}

} // namespace

const std::string& CTrackTable::Row::Cell(int column) const
{
    static const std::string none;
    switch (column) {
    case File:
        return file;
    case Start:
        return start;
    case Gap:
        return gap;
    case Length:
        return length;
    case Performer:
        return performer;
    case Title:
        return title;
    case Songwriter:
        return songwriter;
    case Isrc:
        return isrc;
    default:
        return none;
    }
}

bool CTrackTable::Row::operator==(const Row& other) const
{
    return number == other.number && file == other.file && start == other.start && gap == other.gap
        && length == other.length && performer == other.performer && title == other.title
        && songwriter == other.songwriter && isrc == other.isrc;
}

std::vector<CTrackTable::Row> CTrackTable::Rows(const CQuillDoc& doc, const AudioLength& audioLength)
{
    std::vector<Row> rows;
    for (int f = 0; f < doc.FileCount(); ++f) {
        const CCueFile* file = doc.File(f);
        std::optional<std::uint64_t> audioFrames;
        bool asked = false;
        for (int t = 0; t < file->TrackCount(); ++t) {
            const CCueTrack* track = file->Track(t);
            if (track->IsContinuation())
                continue;
            Row row;
            row.track = track;
            row.number = track->Number();
            row.file = file->Name();
            const CCueIndex* start = StartIndex(*track);
            if (start)
                row.start = start->Time().Text();
            if (const CCueIndex* zero = IndexZero(*track); zero && start && zero != start) {
                const std::uint64_t a = zero->Time().TotalFrames();
                const std::uint64_t b = start->Time().TotalFrames();
                if (a <= b)
                    row.gap = TimeOfFrames(b - a).Text();
            } else if (const CCuePregap* pregap = track->Pregap()) {
                row.gap = pregap->Time().Text();
            }
            if (start) {
                const std::uint64_t from = start->Time().TotalFrames();
                std::optional<std::uint64_t> to;
                if (t + 1 < file->TrackCount()) {
                    to = BeginFrames(*file->Track(t + 1));
                } else {
                    if (!asked && audioLength)
                        audioFrames = audioLength(*file);
                    asked = true;
                    to = audioFrames;
                }
                if (to && *to >= from)
                    row.length = TimeOfFrames(*to - from).Text();
            }
            row.performer = TrackText(*track, "PERFORMER");
            row.title = TrackText(*track, "TITLE");
            row.songwriter = TrackText(*track, "SONGWRITER");
            if (const CCueIsrc* isrc = track->Isrc())
                row.isrc = isrc->Code();
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

bool CTrackTable::IsEditable(int column)
{
    return column == Start || column == Performer || column == Title || column == Songwriter || column == Isrc;
}

std::string_view CTrackTable::KeywordOf(int column)
{
    switch (column) {
    case Performer:
        return "PERFORMER";
    case Title:
        return "TITLE";
    case Songwriter:
        return "SONGWRITER";
    default:
        return {};
    }
}

std::string CTrackTable::DiscText(const CQuillDoc& doc, std::string_view keyword)
{
    const CCueCdText* line = DiscLine(doc, keyword);
    return line ? Unquoted(line->Value()) : std::string();
}

std::string CTrackTable::TrackText(const CCueTrack& track, std::string_view keyword)
{
    const CCueCdText* line = TrackLine(track, keyword);
    return line ? Unquoted(line->Value()) : std::string();
}

std::string CTrackTable::TextProblem(std::string_view bytes)
{
    // A quoted value ends at its next quote, so one inside would cut it.
    if (bytes.find('"') != std::string_view::npos)
        return "a double quote (\") would end the text early";
    return {};
}

std::string CTrackTable::IsrcOf(std::string_view typed)
{
    std::string code;
    for (char c : typed) {
        if (c == ' ' || c == '-' || c == '\t')
            continue;
        code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return code;
}

std::string CTrackTable::IsrcProblem(std::string_view code)
{
    if (code.empty())
        return {};
    const auto alpha = [](char c) { return c >= 'A' && c <= 'Z'; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    bool form = code.size() == 12;
    for (std::size_t i = 0; form && i < code.size(); ++i) {
        const char c = code[i];
        if (i < 2)
            form = alpha(c);
        else if (i < 5)
            form = alpha(c) || digit(c);
        else
            form = digit(c);
    }
    if (!form)
        return "an ISRC is 12 characters: a country code of two letters, three letters or digits for the "
               "registrant, then seven digits (CCXXXYYNNNNN)";
    return {};
}

std::string CTrackTable::StartProblem(const CCueTrack& track, std::string_view text,
                                      std::optional<std::uint64_t> audioFrames)
{
    CCueTime time;
    std::string problem;
    if (!CCueTime::TryParse(text, time, problem))
        return problem;
    const std::uint64_t frames = time.TotalFrames();
    if (audioFrames && frames >= *audioFrames)
        return "the audio ends at " + TimeOfFrames(*audioFrames).Text();
    const CCueIndex* start = StartIndex(track);
    for (int i = 0; i < track.IndexCount(); ++i) {
        const CCueIndex* index = track.Index(i);
        if (start && index->Number() > start->Number() && index->Time().TotalFrames() <= frames)
            return "the track's INDEX " + std::string(index->Number() < 10 ? "0" : "") + std::to_string(index->Number())
                + " at " + index->Time().Text() + " must come after its start";
    }
    if (const CCueFile* file = track.File()) {
        for (int t = 0; t < file->TrackCount(); ++t) {
            const CCueTrack* other = file->Track(t);
            const CCueIndex* otherStart = other == &track ? nullptr : StartIndex(*other);
            if (otherStart && !other->IsContinuation() && otherStart->Time().TotalFrames() == frames)
                return "track " + std::to_string(other->Number()) + " starts there already";
        }
    }
    return {};
}

std::string CTrackTable::Quoted(const std::string& bytes)
{
    return '"' + bytes + '"';
}

bool CTrackTable::SetDiscText(CQuillDoc& doc, std::string_view keyword, const std::string& bytes)
{
    CCueCdText* line = DiscLine(doc, keyword);
    if (bytes.empty()) {
        if (!line)
            return false;
        doc.RemoveTopLevel(line);
        return true;
    }
    if (line)
        return Unquoted(line->Value()) != bytes && line->SetValue(Quoted(bytes));
    // New disc lines go after the disc's other lines, before the first FILE.
    CCueItem* before = nullptr;
    for (int i = 0; i < doc.TopLevelCount() && !before; ++i) {
        if (doc.TopLevelItem(i)->Kind() == ItemKind::File)
            before = doc.TopLevelItem(i);
    }
    doc.InsertTopLevel(std::make_unique<CCueCdText>(&doc, std::string(keyword), Quoted(bytes)), before);
    return true;
}

bool CTrackTable::SetTrackText(CCueTrack& track, std::string_view keyword, const std::string& bytes)
{
    CCueCdText* line = TrackLine(track, keyword);
    if (bytes.empty()) {
        if (!line)
            return false;
        return track.RemoveChild(line);
    }
    if (line)
        return Unquoted(line->Value()) != bytes && line->SetValue(Quoted(bytes));
    // After the track's other CD-TEXT lines, before its ISRC, FLAGS, gaps
    // and indexes.
    CCueItem* before = nullptr;
    for (int i = 0; i < track.ChildCount() && !before; ++i) {
        const ItemKind kind = track.Child(i)->Kind();
        if (kind != ItemKind::CdText && kind != ItemKind::Comment)
            before = track.Child(i);
    }
    return track.InsertChild(std::make_unique<CCueCdText>(track.Sink(), std::string(keyword), Quoted(bytes)), before);
}

bool CTrackTable::SetIsrc(CCueTrack& track, const std::string& code)
{
    CCueIsrc* isrc = track.Isrc();
    if (code.empty()) {
        if (!isrc)
            return false;
        return track.RemoveChild(isrc);
    }
    if (isrc)
        return isrc->SetCode(code);
    CCueItem* before = nullptr;
    for (int i = 0; i < track.ChildCount() && !before; ++i) {
        const ItemKind kind = track.Child(i)->Kind();
        if (kind == ItemKind::Index || kind == ItemKind::Pregap || kind == ItemKind::Postgap)
            before = track.Child(i);
    }
    auto line = std::make_unique<CCueIsrc>(track.Sink(), &track);
    line->SetCode(code);
    return track.InsertChild(std::move(line), before);
}

bool CTrackTable::SetStart(CCueTrack& track, const CCueTime& start)
{
    CCueIndex* index = StartIndex(track);
    if (!index)
        return false;
    const std::int64_t was = static_cast<std::int64_t>(index->Time().TotalFrames());
    const std::int64_t now = static_cast<std::int64_t>(start.TotalFrames());
    if (was == now)
        return false;
    CCueIndex* zero = IndexZero(track);
    if (zero && zero != index && CCueTime::Compare(zero->Time(), index->Time()) <= 0) {
        const std::int64_t gap = was - static_cast<std::int64_t>(zero->Time().TotalFrames());
        zero->SetTime(TimeOfFrames(static_cast<std::uint64_t>(now > gap ? now - gap : 0)));
    }
    return index->SetTime(start);
}

const CCueTime* CTrackTable::StartOf(const CCueTrack& track)
{
    const CCueIndex* index = StartIndex(track);
    return index ? &index->Time() : nullptr;
}

CCueTrack* CTrackTable::AddMark(CCueFile& file, const CCueTime& time, std::string& reason)
{
    const std::uint64_t frames = time.TotalFrames();
    for (int t = 0; t < file.TrackCount(); ++t) {
        const CCueTrack* track = file.Track(t);
        std::uint64_t first = UINT64_MAX;
        std::uint64_t last = 0;
        for (int i = 0; i < track->IndexCount(); ++i) {
            const std::uint64_t at = track->Index(i)->Time().TotalFrames();
            first = std::min(first, at);
            last = std::max(last, at);
        }
        if (track->IndexCount() == 0)
            continue;
        if (frames == first || frames == last) {
            reason = "track " + std::to_string(track->Number()) + " has an index at " + time.Text() + " already";
            return nullptr;
        }
        if (frames > first && frames < last) {
            reason = time.Text() + " lies between the indexes of track " + std::to_string(track->Number());
            return nullptr;
        }
    }
    CCueTrack* track = file.AddTrack(nullptr);
    track->Index(0)->SetTime(time);
    return track;
}
