#include "tracks/CTrackPlan.h"

#include <algorithm>

#include "discimage/ImageSectors.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueTime.h"
#include "model/CCueTrack.h"
#include "platform/FileUtil.h"
#include "tracks/CTrackSource.h"

namespace {

// Audio before the first track's INDEX 01 longer than this is a track of
// its own (a hidden first track), in seconds.
constexpr std::uint64_t kHiddenTrackSeconds = 4;
// Room for the number, the extension and a temporary suffix in a 255-byte
// file name.
constexpr std::size_t kMaxTitleBytes = 200;

std::string QuotedTitle(const std::string& text)
{
    // A cue sheet value has no escape for a double quote.
    std::string out = "\"";
    for (char c : text)
        out += c == '"' ? '\'' : c;
    out += '"';
    return out;
}

std::string TwoDigits(int n)
{
    std::string out = std::to_string(n);
    return out.size() < 2 ? "0" + out : out;
}

} // namespace

const char* ts::TrackFormatWord(TrackFormat format)
{
    switch (format) {
    case TrackFormat::Flac: return "flac";
    case TrackFormat::Wav: return "wav";
    case TrackFormat::Opus: return "opus";
    case TrackFormat::Mp3: return "mp3";
    }
    return "flac";
}

bool ts::ParseTrackFormat(const std::string& word, TrackFormat& format)
{
    for (TrackFormat f : {TrackFormat::Flac, TrackFormat::Wav, TrackFormat::Opus, TrackFormat::Mp3}) {
        if (word == TrackFormatWord(f)) {
            format = f;
            return true;
        }
    }
    return false;
}

const char* ts::GapRuleWord(GapRule rule)
{
    switch (rule) {
    case GapRule::Append: return "append";
    case GapRule::Prepend: return "prepend";
    case GapRule::Drop: return "drop";
    }
    return "append";
}

bool ts::ParseGapRule(const std::string& word, GapRule& rule)
{
    for (GapRule r : {GapRule::Append, GapRule::Prepend, GapRule::Drop}) {
        if (word == GapRuleWord(r)) {
            rule = r;
            return true;
        }
    }
    return false;
}

std::uint64_t ts::FrameOfTime(const CCueTime& time, std::uint32_t rate)
{
    if (time.Format() == TimeFormat::Samples && CCueTime::RateOfCode(time.RateCode()) == rate)
        return time.Value();
    std::uint32_t m = 0, s = 0, f = 0;
    if (time.Format() == TimeFormat::Msf && time.ToMsf(CCueTime::kFramesPerSecond, m, s, f)) {
        const std::uint64_t cdFrames = (std::uint64_t(m) * 60 + s) * CCueTime::kFramesPerSecond + f;
        return cdFrames * rate / CCueTime::kFramesPerSecond;
    }
    return std::uint64_t(time.Milliseconds()) * rate / 1000;
}

std::string ts::TimeOfFrame(std::uint64_t frame, std::uint32_t rate)
{
    if (rate == 0)
        return "00:00:00";
    const std::uint64_t cdFrames = (frame * CCueTime::kFramesPerSecond + rate / 2) / rate;
    const std::uint64_t seconds = cdFrames / CCueTime::kFramesPerSecond;
    std::string out = seconds / 60 < 10 ? "0" : "";
    out += std::to_string(seconds / 60) + ":" + TwoDigits(static_cast<int>(seconds % 60)) + ":" +
           TwoDigits(static_cast<int>(cdFrames % CCueTime::kFramesPerSecond));
    return out;
}

bool ts::OpenSource(CTrackSource& reader, const PlanSource& source)
{
    return source.raw ? reader.OpenRaw(source.path, source.bigEndian) : reader.Open(source.path);
}

std::string ts::SafeFileTitle(const std::string& title)
{
    std::string out;
    for (char c : title) {
        const auto u = static_cast<unsigned char>(c);
        out += (c == '/' || u < 0x20 || u == 0x7F) ? '_' : c;
    }
    if (out.size() > kMaxTitleBytes) {
        // Cut on a character boundary of the UTF-8 text.
        std::size_t cut = kMaxTitleBytes;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out.resize(cut);
    }
    return out;
}

// A track of the sheet with its indexes placed on all files end to end.
struct CTrackPlan::Track {
    const CCueTrack* item = nullptr;
    int number = 0;
    std::string dataMode; // empty for audio
    bool hasGap = false;
    std::uint64_t gapStart = 0; // INDEX 00
    bool hasStart = false;
    std::uint64_t start = 0;    // INDEX 01
    std::vector<std::pair<int, std::uint64_t>> later;
};

std::uint64_t CTrackPlan::TotalFrames() const
{
    return m_sources.empty() ? 0 : m_sources.back().discStart + m_sources.back().frames;
}

bool CTrackPlan::ReadSources(const CQuillDoc& document, std::string& error)
{
    const std::string folder = ts::FolderOf(document.PathName());
    std::uint64_t discStart = 0;
    for (int i = 0; i < document.FileCount(); ++i) {
        const CCueFile* file = document.File(i);
        PlanSource source;
        const std::string& name = file->Name();
        source.path = folder.empty() || (!name.empty() && name.front() == '/') ? name : folder + "/" + name;
        source.raw = file->Type() == FileType::Binary || file->Type() == FileType::Motorola;
        source.bigEndian = file->Type() == FileType::Motorola;
        CTrackSource reader;
        if (!ts::OpenSource(reader, source)) {
            error = "\"" + source.path + "\" cannot be read: " + reader.FailureReason();
            return false;
        }
        source.rate = reader.SampleRate();
        source.channels = reader.Channels();
        source.type = reader.Type();
        source.frames = reader.FrameCount();
        source.discStart = discStart;
        discStart += source.frames;
        if (!m_sources.empty() && (source.rate != m_sources.front().rate || source.channels != m_sources.front().channels)) {
            error = "\"" + source.path + "\" has " + std::to_string(source.channels) + " channels at " +
                    std::to_string(source.rate) + " Hz, unlike \"" + m_sources.front().path + "\" (" +
                    std::to_string(m_sources.front().channels) + " channels at " +
                    std::to_string(m_sources.front().rate) + " Hz); the files of one disc must match";
            return false;
        }
        m_sources.push_back(std::move(source));
    }
    if (m_sources.empty()) {
        error = "The sheet has no FILE to take audio from";
        return false;
    }
    return true;
}

bool CTrackPlan::ReadTracks(const CQuillDoc& document, std::vector<Track>& tracks, std::string& error)
{
    for (int i = 0; i < document.FileCount(); ++i) {
        const CCueFile* file = document.File(i);
        const PlanSource& source = m_sources[static_cast<std::size_t>(i)];
        for (int t = 0; t < file->TrackCount(); ++t) {
            const CCueTrack* track = file->Track(t);
            if (!track->IsContinuation() || tracks.empty()) {
                Track entry;
                if (track->Type() != TrackType::Audio) {
                    // A data track is copied byte for byte from a disc
                    // image; its sectors count as 588 frames of 4 bytes,
                    // so it needs raw sectors or a file of its own.
                    const std::uint32_t sectorBytes = ts::SectorBytes(track->TypeText());
                    if (!source.raw || sectorBytes == 0 || (sectorBytes != 2352 && file->TrackCount() > 1)) {
                        error = "Track " + TwoDigits(track->Number()) + " is a " + std::string(track->TypeText()) +
                                " track in \"" + source.path + "\": only the data tracks of BINARY and MOTOROLA " +
                                "files with raw sectors or a file of their own can be copied";
                        return false;
                    }
                    entry.dataMode = std::string(track->TypeText());
                }
                entry.item = track;
                entry.number = track->Number();
                tracks.push_back(entry);
            }
            Track& entry = tracks.back();
            for (int x = 0; x < track->IndexCount(); ++x) {
                const CCueIndex* index = track->Index(x);
                const std::uint64_t frame = ts::FrameOfTime(index->Time(), source.rate);
                if (frame > source.frames) {
                    error = "INDEX " + TwoDigits(index->Number()) + " of track " + TwoDigits(entry.number) + " (" +
                            index->Time().Text() + ") lies past the end of \"" + source.path + "\" (" +
                            ts::TimeOfFrame(source.frames, source.rate) + ")";
                    return false;
                }
                const std::uint64_t at = source.discStart + frame;
                if (index->Number() == 0) {
                    entry.hasGap = true;
                    entry.gapStart = at;
                } else if (index->Number() == 1) {
                    entry.hasStart = true;
                    entry.start = at;
                } else {
                    entry.later.emplace_back(index->Number(), at);
                }
            }
        }
    }
    if (tracks.empty()) {
        error = "The sheet has no track to cut";
        return false;
    }
    for (Track& track : tracks) {
        if (!track.hasStart) {
            error = "Track " + TwoDigits(track.number) + " has no INDEX 01, where its audio starts";
            return false;
        }
        if (!track.hasGap || track.gapStart > track.start)
            track.gapStart = track.start;
    }
    return true;
}

void CTrackPlan::AddPieces(PlanTrack& out, std::uint64_t begin, std::uint64_t end) const
{
    for (std::size_t i = 0; i < m_sources.size() && begin < end; ++i) {
        const PlanSource& source = m_sources[i];
        const std::uint64_t sourceEnd = source.discStart + source.frames;
        if (begin >= sourceEnd)
            continue;
        const std::uint64_t pieceEnd = std::min(end, sourceEnd);
        out.pieces.push_back({i, begin - source.discStart, pieceEnd - source.discStart});
        out.frames += pieceEnd - begin;
        begin = pieceEnd;
    }
}

bool CTrackPlan::BuildSources(const CQuillDoc& document, std::string& error)
{
    m_sources.clear();
    m_tracks.clear();
    // Data sectors read as raw audio would be encoded as noise.
    for (int i = 0; i < document.FileCount(); ++i) {
        const CCueFile* file = document.File(i);
        for (int t = 0; t < file->TrackCount(); ++t) {
            const CCueTrack* track = file->Track(t);
            if (track->Type() != TrackType::Audio) {
                error = "Track " + TwoDigits(track->Number()) + " is a " + std::string(track->TypeText()) +
                        " track: an audio image holds audio tracks only";
                return false;
            }
        }
    }
    return ReadSources(document, error);
}

bool CTrackPlan::Build(const CQuillDoc& document, const Options& options, std::string& error)
{
    m_options = options;
    m_sources.clear();
    m_tracks.clear();
    m_tags = ts::GatherTags(document);
    m_sheetName = document.PathName().empty() ? std::string("tracks.cue") : ts::FileNameOf(document.PathName());
    if (!ReadSources(document, error))
        return false;
    std::vector<Track> tracks;
    if (!ReadTracks(document, tracks, error))
        return false;
    m_trackTotal = static_cast<int>(tracks.size());

    const std::uint32_t rate = Rate();
    const std::uint64_t end = TotalFrames();
    const std::string ext = ts::TrackFormatWord(options.format);

    // Audio before the first INDEX 01: a track of its own when long,
    // otherwise the first track's gap.
    Track& first = tracks.front();
    if (first.start > kHiddenTrackSeconds * rate) {
        PlanTrack hidden;
        hidden.number = 0;
        AddPieces(hidden, 0, first.start);
        hidden.fileName = "00." + ext;
        m_tracks.push_back(std::move(hidden));
        first.gapStart = first.start;
    } else {
        first.gapStart = 0;
    }

    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const Track& track = tracks[i];
        const Track* next = i + 1 < tracks.size() ? &tracks[i + 1] : nullptr;
        std::uint64_t from = track.start;
        std::uint64_t to = end;
        PlanTrack out;
        const bool previousData = i > 0 && !tracks[i - 1].dataMode.empty();
        switch (options.gaps) {
        case GapRule::Append:
            // The first track has no previous file to take its gap, nor has
            // a track after a data track.
            from = i == 0 || previousData ? track.gapStart : track.start;
            to = next ? next->start : end;
            out.trailingGap = next ? next->start - next->gapStart : 0;
            break;
        case GapRule::Prepend:
            from = track.gapStart;
            to = next ? next->gapStart : end;
            break;
        case GapRule::Drop:
            from = track.start;
            to = next ? next->gapStart : end;
            out.droppedGap = track.start - track.gapStart;
            break;
        }
        // A data track's file holds exactly its sectors, its own pregap
        // included, as the disc image lays them out; the tracks beside it
        // end and start where it does.
        if (!track.dataMode.empty()) {
            from = track.gapStart;
            out.droppedGap = 0;
        }
        if (next && (!track.dataMode.empty() || !next->dataMode.empty())) {
            to = next->gapStart;
            out.trailingGap = 0;
        }
        out.dataMode = track.dataMode;
        out.leadingGap = track.start - from;
        if (to <= from) {
            error = "Track " + TwoDigits(track.number) +
                    " holds no audio: it starts at the end of the audio or where the next track starts";
            return false;
        }
        out.number = track.number;
        AddPieces(out, from, to);
        if (i < m_tags.tracks.size())
            out.tags = m_tags.tracks[i];
        for (const auto& [number, at] : track.later) {
            if (at >= from && at < to)
                out.laterIndexes.emplace_back(number, at - from);
        }
        if (const CCueFlags* flags = track.item->Flags()) {
            out.flags = flags->FlagsText();
            while (!out.flags.empty() && out.flags.back() == ' ')
                out.flags.pop_back();
        }
        if (const CCuePregap* pregap = track.item->Pregap())
            out.pregap = pregap->Time().Text();
        if (const CCuePostgap* postgap = track.item->Postgap())
            out.postgap = postgap->Time().Text();
        const std::string title = ts::SafeFileTitle(out.tags.title);
        out.fileName = TwoDigits(out.number) + (title.empty() ? "" : " - " + title) + "." +
                       (out.dataMode.empty() ? ext : std::string("bin"));
        m_tracks.push_back(std::move(out));
    }
    return true;
}

std::string CTrackPlan::SheetText() const
{
    const std::uint32_t rate = Rate();
    const std::string type = m_options.format == TrackFormat::Mp3 ? "MP3" : "WAVE";
    std::string out;
    const TrackTags& disc = m_tags.disc;
    if (!disc.genre.empty())
        out += "REM GENRE " + QuotedTitle(disc.genre) + "\n";
    if (!m_tags.date.empty())
        out += "REM DATE " + m_tags.date + "\n";
    if (!m_tags.discNumber.empty())
        out += "REM DISCNUMBER " + m_tags.discNumber + "\n";
    if (!m_tags.totalDiscs.empty())
        out += "REM TOTALDISCS " + m_tags.totalDiscs + "\n";
    if (!m_tags.catalog.empty())
        out += "CATALOG " + m_tags.catalog + "\n";
    if (!disc.performer.empty())
        out += "PERFORMER " + QuotedTitle(disc.performer) + "\n";
    if (!disc.songwriter.empty())
        out += "SONGWRITER " + QuotedTitle(disc.songwriter) + "\n";
    if (!disc.title.empty())
        out += "TITLE " + QuotedTitle(disc.title) + "\n";

    // With gaps appended, a track's INDEX 00 lies in the previous file: its
    // TRACK line comes before the FILE line of its own file. A hidden first
    // track is the first track's INDEX 00 in a file of its own.
    bool trackOpen = false;
    auto openTrack = [&](const PlanTrack& track) {
        out += "  TRACK " + TwoDigits(track.number) + " " + (track.dataMode.empty() ? "AUDIO" : track.dataMode) + "\n";
        const TrackTags& tags = track.tags;
        if (!tags.title.empty())
            out += "    TITLE " + QuotedTitle(tags.title) + "\n";
        if (!tags.performer.empty())
            out += "    PERFORMER " + QuotedTitle(tags.performer) + "\n";
        if (!tags.songwriter.empty())
            out += "    SONGWRITER " + QuotedTitle(tags.songwriter) + "\n";
        if (!track.flags.empty())
            out += "    FLAGS " + track.flags + "\n";
        if (!tags.isrc.empty())
            out += "    ISRC " + tags.isrc + "\n";
        if (!track.pregap.empty() || track.droppedGap > 0) {
            // A dropped gap keeps its place on the disc as silence.
            const std::uint64_t pregapFrames = track.pregap.empty() ? 0 : ts::FrameOfTime(CCueTime::Parse(track.pregap), rate);
            out += "    PREGAP " + ts::TimeOfFrame(pregapFrames + track.droppedGap, rate) + "\n";
        }
        trackOpen = true;
    };
    for (std::size_t i = 0; i < m_tracks.size(); ++i) {
        const PlanTrack& track = m_tracks[i];
        const PlanTrack* next = i + 1 < m_tracks.size() ? &m_tracks[i + 1] : nullptr;
        out += "FILE " + QuotedTitle(track.fileName) + " " + (track.dataMode.empty() ? type : "BINARY") + "\n";
        if (track.number == 0) {
            if (next)
                openTrack(*next);
            out += "    INDEX 00 00:00:00\n";
            continue;
        }
        if (!trackOpen)
            openTrack(track);
        if (track.leadingGap > 0)
            out += "    INDEX 00 00:00:00\n";
        out += "    INDEX 01 " + ts::TimeOfFrame(track.leadingGap, rate) + "\n";
        for (const auto& [number, at] : track.laterIndexes)
            out += "    INDEX " + TwoDigits(number) + " " + ts::TimeOfFrame(at, rate) + "\n";
        if (!track.postgap.empty())
            out += "    POSTGAP " + track.postgap + "\n";
        trackOpen = false;
        if (next && track.trailingGap > 0) {
            openTrack(*next);
            out += "    INDEX 00 " + ts::TimeOfFrame(track.frames - track.trailingGap, rate) + "\n";
        }
    }
    return out;
}
