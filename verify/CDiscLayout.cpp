#include "verify/CDiscLayout.h"

#include <algorithm>

#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueTime.h"
#include "model/CCueTrack.h"

namespace {

std::string TwoDigits(int n)
{
    std::string out = std::to_string(n);
    return out.size() < 2 ? "0" + out : out;
}

std::uint64_t FramesOfTime(const CCueTime& time)
{
    constexpr std::uint32_t rate = CDiscLayout::kRate;
    if (time.Format() == TimeFormat::Samples && CCueTime::RateOfCode(time.RateCode()) == rate)
        return time.Value();
    std::uint32_t m = 0, s = 0, f = 0;
    if (time.Format() == TimeFormat::Msf && time.ToMsf(CCueTime::kFramesPerSecond, m, s, f))
        return ((std::uint64_t(m) * 60 + s) * CCueTime::kFramesPerSecond + f) * CDiscLayout::kSamplesPerSector;
    return std::uint64_t(time.Milliseconds()) * rate / 1000;
}

// Silence put into a file's run at a frame of that file.
struct Insertion {
    std::uint64_t at = 0;
    std::uint64_t frames = 0;
};

} // namespace

bool CDiscLayout::Build(const CQuillDoc& document, const std::vector<std::uint64_t>& sourceFrames, std::string& error)
{
    m_tracks.clear();
    m_discFrames = 0;
    if (document.FileCount() == 0) {
        error = "The sheet has no FILE to take audio from";
        return false;
    }
    if (sourceFrames.size() != static_cast<std::size_t>(document.FileCount())) {
        error = "The lengths of the sheet's files are not known";
        return false;
    }

    std::vector<DiscPiece> disc; // the whole disc in order
    struct Start {
        int number = 0;
        std::uint64_t at = 0;
    };
    std::vector<Start> starts;
    std::uint64_t discPos = 0;
    // Data tracks of an enhanced CD: where each starts from the start of
    // the first data file, and the data files' length.
    std::vector<std::uint64_t> dataStarts;
    std::uint64_t dataPos = 0;
    for (int i = 0; i < document.FileCount(); ++i) {
        const CCueFile* file = document.File(i);
        const std::uint64_t length = sourceFrames[static_cast<std::size_t>(i)];
        if (file->TrackCount() > 0 && file->Track(0)->Type() != TrackType::Audio) {
            if (starts.empty()) {
                error = "Track " + TwoDigits(file->Track(0)->Number()) + " is a " +
                        std::string(file->Track(0)->TypeText()) +
                        " track before the audio: only audio discs and enhanced CDs, whose data comes last, have "
                        "these IDs and checksums";
                return false;
            }
            for (int t = 0; t < file->TrackCount(); ++t) {
                const CCueTrack* track = file->Track(t);
                if (track->Type() == TrackType::Audio) {
                    error = "Track " + TwoDigits(track->Number()) +
                            " is an audio track in a file of data tracks: an enhanced CD's data comes last";
                    return false;
                }
                for (int x = 0; x < track->IndexCount(); ++x) {
                    if (track->Index(x)->Number() == 1)
                        dataStarts.push_back(dataPos + FramesOfTime(track->Index(x)->Time()));
                }
            }
            dataPos += length;
            continue;
        }
        if (!dataStarts.empty() || dataPos > 0) {
            error = "\"" + file->Name() + "\" holds audio after the data tracks: an enhanced CD's data comes last";
            return false;
        }
        std::vector<Insertion> insertions;
        // INDEX 01 frames in this file with their tracks.
        std::vector<Start> fileStarts;
        for (int t = 0; t < file->TrackCount(); ++t) {
            const CCueTrack* track = file->Track(t);
            if (track->Type() != TrackType::Audio) {
                error = "Track " + TwoDigits(track->Number()) + " is a " + std::string(track->TypeText()) +
                        " track in a file of audio tracks: an enhanced CD's data tracks need files of their own";
                return false;
            }
            const std::uint64_t firstIndex =
                track->IndexCount() > 0 ? FramesOfTime(track->Index(0)->Time()) : length;
            if (const CCuePregap* pregap = track->Pregap(); pregap && !track->IsContinuation())
                insertions.push_back({firstIndex, FramesOfTime(pregap->Time())});
            for (int x = 0; x < track->IndexCount(); ++x) {
                const CCueIndex* index = track->Index(x);
                const std::uint64_t frame = FramesOfTime(index->Time());
                if (frame > length) {
                    error = "INDEX " + TwoDigits(index->Number()) + " of track " + TwoDigits(track->Number()) + " (" +
                            index->Time().Text() + ") lies past the end of \"" + file->Name() + "\"";
                    return false;
                }
                if (index->Number() == 1)
                    fileStarts.push_back({track->Number(), frame});
            }
            if (const CCuePostgap* postgap = track->Postgap()) {
                const CCueTrack* next = t + 1 < file->TrackCount() ? file->Track(t + 1) : nullptr;
                const std::uint64_t at =
                    next && next->IndexCount() > 0 ? FramesOfTime(next->Index(0)->Time()) : length;
                insertions.push_back({at, FramesOfTime(postgap->Time())});
            }
        }
        std::stable_sort(insertions.begin(), insertions.end(),
                         [](const Insertion& a, const Insertion& b) { return a.at < b.at; });
        // A place in this file on the disc: silence put in at or before the
        // frame moves it on.
        auto discOf = [&](std::uint64_t frame) {
            std::uint64_t shift = 0;
            for (const Insertion& insertion : insertions) {
                if (insertion.at <= frame)
                    shift += insertion.frames;
            }
            return discPos + frame + shift;
        };
        for (const Start& start : fileStarts)
            starts.push_back({start.number, discOf(start.at)});
        std::uint64_t from = 0;
        for (const Insertion& insertion : insertions) {
            const std::uint64_t at = std::min(insertion.at, length);
            if (at > from)
                disc.push_back({static_cast<std::size_t>(i), from, at});
            if (insertion.frames > 0)
                disc.push_back({DiscPiece::kSilence, 0, insertion.frames});
            from = std::max(from, at);
        }
        if (length > from)
            disc.push_back({static_cast<std::size_t>(i), from, length});
        std::uint64_t inserted = 0;
        for (const Insertion& insertion : insertions)
            inserted += insertion.frames;
        discPos += length + inserted;
    }
    m_discFrames = discPos;

    if (starts.empty()) {
        error = "The sheet has no track with an INDEX 01, where a track's audio starts";
        return false;
    }
    if (starts.size() > static_cast<std::size_t>(CDiscToc::kMaxTracks)) {
        error = "The sheet has " + std::to_string(starts.size()) + " tracks; a CD holds at most 99";
        return false;
    }
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::uint64_t end = i + 1 < starts.size() ? starts[i + 1].at : m_discFrames;
        if (end <= starts[i].at) {
            error = "Track " + TwoDigits(starts[i].number) +
                    " holds no audio: it starts at the end of the audio or where the next track starts";
            return false;
        }
        DiscTrack track;
        track.number = starts[i].number;
        track.start = starts[i].at;
        track.frames = end - starts[i].at;
        // The disc's pieces that overlap [start, end).
        std::uint64_t pos = 0;
        for (const DiscPiece& piece : disc) {
            const std::uint64_t pieceEnd = pos + piece.Frames();
            const std::uint64_t from = std::max(pos, track.start);
            const std::uint64_t to = std::min(pieceEnd, end);
            if (from < to) {
                DiscPiece part = piece;
                if (piece.source == DiscPiece::kSilence) {
                    part.begin = 0;
                    part.end = to - from;
                } else {
                    part.begin = piece.begin + (from - pos);
                    part.end = piece.begin + (to - pos);
                }
                track.pieces.push_back(part);
            }
            pos = pieceEnd;
        }
        m_tracks.push_back(std::move(track));
    }

    std::vector<std::uint32_t> offsets;
    for (const DiscTrack& track : m_tracks)
        offsets.push_back(static_cast<std::uint32_t>(track.start / kSamplesPerSector));
    const auto audioEnd = static_cast<std::uint32_t>((m_discFrames + kSamplesPerSector - 1) / kSamplesPerSector);
    if (dataPos == 0)
        return m_toc.Set(std::move(offsets), audioEnd, error);
    // The data session starts after the audio session's lead-out and the
    // data session's lead-in.
    const std::uint32_t dataBase = audioEnd + CDiscToc::kSessionGap;
    std::vector<std::uint32_t> dataOffsets;
    for (std::uint64_t start : dataStarts)
        dataOffsets.push_back(dataBase + static_cast<std::uint32_t>(start / kSamplesPerSector));
    const auto leadOut = dataBase + static_cast<std::uint32_t>((dataPos + kSamplesPerSector - 1) / kSamplesPerSector);
    return m_toc.Set(std::move(offsets), leadOut, error, std::move(dataOffsets));
}
