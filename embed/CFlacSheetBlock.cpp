#include "embed/CFlacSheetBlock.h"

#include <cstdint>

namespace {

constexpr unsigned kCdRate = 44100;
constexpr unsigned kFramesPerSecond = 75;

// At least two digits, as metaflac prints numbers ("%02u").
std::string TwoDigits(std::uint64_t n)
{
    std::string digits = std::to_string(n);
    return digits.size() < 2 ? "0" + digits : digits;
}

std::string Msf(std::uint64_t frame)
{
    const std::uint64_t f = frame % kFramesPerSecond;
    frame /= kFramesPerSecond;
    return TwoDigits(frame / 60) + ":" + TwoDigits(frame % 60) + ":" + TwoDigits(f);
}

} // namespace

std::string CFlacSheetBlock::ToText(const FLAC__StreamMetadata_CueSheet& block, const std::string& fileName,
                                    unsigned sampleRate, std::vector<std::string>& offFrame)
{
    std::string text;
    if (block.media_catalog_number[0] != '\0')
        text += "CATALOG " + std::string(block.media_catalog_number) + "\n";
    text += "FILE \"" + fileName + "\" WAVE\n";
    if (block.num_tracks == 0)
        return text;
    const unsigned rate = sampleRate == 0 ? kCdRate : sampleRate;
    // The last track is the lead-out: no TRACK line, only its offset below.
    const unsigned last = block.num_tracks - 1u;
    for (unsigned t = 0; t < last; ++t) {
        const FLAC__StreamMetadata_CueSheet_Track& track = block.tracks[t];
        text += "  TRACK " + TwoDigits(track.number) + (track.type == 0 ? " AUDIO\n" : " DATA\n");
        if (track.pre_emphasis)
            text += "    FLAGS PRE\n";
        if (track.isrc[0] != '\0')
            text += "    ISRC " + std::string(track.isrc) + "\n";
        for (unsigned i = 0; i < track.num_indices; ++i) {
            const FLAC__StreamMetadata_CueSheet_Index& index = track.indices[i];
            const std::uint64_t sample = track.offset + index.offset;
            std::uint64_t frame = 0;
            if (block.is_cd) {
                // A CD block's offsets are whole CD frames of 588 samples.
                frame = sample / (kCdRate / kFramesPerSecond);
            } else {
                frame = sample * kFramesPerSecond / rate;
                if (sample * kFramesPerSecond % rate != 0)
                    offFrame.push_back("TRACK " + TwoDigits(track.number) + " INDEX " + TwoDigits(index.number));
            }
            text += "    INDEX " + TwoDigits(index.number) + " " + Msf(frame) + "\n";
        }
    }
    text += "REM FLAC__lead-in " + std::to_string(block.lead_in) + "\n";
    text += "REM FLAC__lead-out " + std::to_string(block.tracks[last].number) + " "
        + std::to_string(block.tracks[last].offset) + "\n";
    return text;
}
