#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "verify/CDiscToc.h"

class CQuillDoc;

// A span of the disc: frames of one of the sheet's files, or silence that
// a PREGAP or POSTGAP puts on the disc without a file holding it.
struct DiscPiece {
    static constexpr std::size_t kSilence = std::numeric_limits<std::size_t>::max();
    std::size_t source = kSilence; // the FILE's place in the sheet
    std::uint64_t begin = 0;       // in the file, or 0 for silence
    std::uint64_t end = 0;
    std::uint64_t Frames() const { return end - begin; }
};

// One track as the disc holds it: from its INDEX 01 up to the next track's
// INDEX 01, so the next track's gap is part of it, as on the CD.
struct DiscTrack {
    int number = 0;
    std::uint64_t start = 0; // sample frame on the disc
    std::uint64_t frames = 0;
    std::vector<DiscPiece> pieces;
};

// The disc a sheet describes, from the sheet and its files' lengths: the
// files end to end with the silence of PREGAP and POSTGAP put in, whatever
// the gap layout (one image, track files with gaps appended or prepended, a
// hidden first track in the image or in a file of its own). Audio before
// track 1's INDEX 01 is the hidden track, which no track and no checksum
// holds. Positions are sample frames at 44.1 kHz. Data tracks of an
// enhanced CD come last, in files of their own, whose lengths count as
// 588 frames a sector; they are in the table of contents but hold no
// track here.
class CDiscLayout
{
public:
    static constexpr std::uint32_t kRate = 44100;
    static constexpr std::uint64_t kSamplesPerSector = 588;

    // sourceFrames: the length of each FILE of the sheet, in its order;
    // for a data file its sectors times 588.
    // False with a message for the user when the sheet is no audio disc.
    bool Build(const CQuillDoc& document, const std::vector<std::uint64_t>& sourceFrames, std::string& error);

    const std::vector<DiscTrack>& Tracks() const { return m_tracks; }
    // The frames before track 1's INDEX 01.
    std::uint64_t HiddenFrames() const { return m_tracks.empty() ? 0 : m_tracks.front().start; }
    std::uint64_t DiscFrames() const { return m_discFrames; }
    const CDiscToc& Toc() const { return m_toc; }

private:
    std::vector<DiscTrack> m_tracks;
    std::uint64_t m_discFrames = 0;
    CDiscToc m_toc;
};
