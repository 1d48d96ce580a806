#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "audio/IAudioSink.h"
#include "tracks/TrackTags.h"

class CCueTime;
class CQuillDoc;
class CTrackSource;
struct PlanSource;

// Where the span from a track's INDEX 00 to its INDEX 01 goes.
enum class GapRule { Append, Prepend, Drop };
enum class TrackFormat { Flac, Wav, Opus, Mp3 };

namespace ts {
// "flac", "wav", "opus", "mp3": the command-line word and the extension.
const char* TrackFormatWord(TrackFormat format);
bool ParseTrackFormat(const std::string& word, TrackFormat& format);
const char* GapRuleWord(GapRule rule);
bool ParseGapRule(const std::string& word, GapRule& rule);
// The sample frame of a sheet time at a rate: CD frames are 1/75 s, so at
// 44.1 kHz 588 samples; at rates that do not divide, the sample the time
// falls in.
std::uint64_t FrameOfTime(const CCueTime& time, std::uint32_t rate);
// "mm:ss:ff" of a sample frame, to the nearest CD frame.
std::string TimeOfFrame(std::uint64_t frame, std::uint32_t rate);
// Opens a source of the plan: raw for a BINARY or MOTOROLA file, else
// through the decoder.
bool OpenSource(CTrackSource& reader, const PlanSource& source);
// A title made safe as a file name: "/" and control characters become "_".
std::string SafeFileTitle(const std::string& title);
} // namespace ts

// An audio file of the sheet, as the plan found it.
struct PlanSource {
    std::string path;      // as opened: the FILE name beside the sheet
    std::uint32_t rate = 0;
    std::uint16_t channels = 0;
    SampleType type = SampleType::S16;
    std::uint64_t frames = 0;
    std::uint64_t discStart = 0; // the first frame's place in all files end to end
    // A BINARY or MOTOROLA file: raw CD audio (and data sectors), read
    // without the decoder.
    bool raw = false;
    bool bigEndian = false;
};

// A span of one source file.
struct PlanPiece {
    std::size_t source = 0;
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
};

// One output file: the track's pieces in order and what its sheet says.
struct PlanTrack {
    int number = 0; // 0 for the audio before the first track
    std::vector<PlanPiece> pieces;
    std::uint64_t frames = 0;
    std::string fileName;
    TrackTags tags;
    // The track's own gap at the start of the file (prepend, or a short
    // lead-in of the first track), the next track's gap at the end of the
    // file (append), the own gap left out (drop), in frames.
    std::uint64_t leadingGap = 0;
    std::uint64_t trailingGap = 0;
    std::uint64_t droppedGap = 0;
    // INDEX 02 and later: number and frame from the start of the file.
    std::vector<std::pair<int, std::uint64_t>> laterIndexes;
    // A data track's type word (MODE1/2352, ...), empty for audio. Its
    // file is a byte copy of its sectors, its frames 4-byte units of them.
    std::string dataMode;
    std::string flags;   // the FLAGS words, empty for none
    std::string pregap;  // PREGAP and POSTGAP times as written, empty for none
    std::string postgap;
};

// The layout of a split, made from the document before any audio is cut:
// the sources with their lengths, every output file with its spans, names
// and tags, and the sheet for the files.
class CTrackPlan
{
public:
    struct Options {
        GapRule gaps = GapRule::Append;
        TrackFormat format = TrackFormat::Flac;
    };

    // Opens every FILE of the sheet for its length. False with a message
    // for the user (the file in quotes, what is wrong) when the sheet
    // cannot be split.
    bool Build(const CQuillDoc& document, const Options& options, std::string& error);

    // Only the sources: every FILE opened for its format and length.
    bool BuildSources(const CQuillDoc& document, std::string& error);

    const Options& GetOptions() const { return m_options; }
    const std::vector<PlanSource>& Sources() const { return m_sources; }
    const std::vector<PlanTrack>& Tracks() const { return m_tracks; }
    const SheetTags& Tags() const { return m_tags; }
    int TrackTotal() const { return m_trackTotal; }
    std::uint32_t Rate() const { return m_sources.empty() ? 0 : m_sources.front().rate; }
    std::uint64_t TotalFrames() const;
    // The name of the sheet for the track files: the source sheet's name.
    const std::string& SheetName() const { return m_sheetName; }
    // The cue sheet for the track files, "\n" line ends.
    std::string SheetText() const;

private:
    struct Track;
    bool ReadSources(const CQuillDoc& document, std::string& error);
    bool ReadTracks(const CQuillDoc& document, std::vector<Track>& tracks, std::string& error);
    void AddPieces(PlanTrack& out, std::uint64_t begin, std::uint64_t end) const;

    Options m_options;
    std::vector<PlanSource> m_sources;
    std::vector<PlanTrack> m_tracks;
    SheetTags m_tags;
    int m_trackTotal = 0;
    std::string m_sheetName;
};
