#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The table of contents of an audio CD: where each track's INDEX 01 lies
// and where the lead-out begins, in CD sectors (1/75 s, 588 samples)
// counted from the start of track 1's program area, that is without the
// 150-sector lead-in that MusicBrainz and freedb add. Tracks are numbered
// from 1 up.
class CDiscToc
{
public:
    static constexpr std::uint32_t kLeadIn = 150;
    static constexpr int kMaxTracks = 99;
    // The lead-out and lead-in between the sessions of an enhanced CD.
    static constexpr std::uint32_t kSessionGap = 11400;

    // offsets: the audio tracks; dataOffsets: the data tracks after them;
    // leadOut: the disc's end. False with the reason when the offsets do
    // not rise or the lead-out does not follow the last track.
    bool Set(std::vector<std::uint32_t> offsets, std::uint32_t leadOut, std::string& error,
             std::vector<std::uint32_t> dataOffsets = {});

    // The audio tracks.
    int TrackCount() const { return static_cast<int>(m_offsets.size()); }
    const std::vector<std::uint32_t>& Offsets() const { return m_offsets; }
    const std::vector<std::uint32_t>& DataOffsets() const { return m_dataOffsets; }
    // The end of the disc, data tracks included.
    std::uint32_t LeadOut() const { return m_leadOut; }
    // The end of the audio session.
    std::uint32_t AudioLeadOut() const;

    // The two sums of the AccurateRip disc ID.
    std::uint32_t AccurateRipId1() const;
    std::uint32_t AccurateRipId2() const;
    // "dBAR-006-0009a2c1-00472cd3-3404f606.bin", given the freedb ID.
    std::string AccurateRipFileName(std::uint32_t freedbId) const;
    // The file's place in the database: "1/c/2/dBAR-....bin", the last
    // three hexadecimal digits of the first ID in reverse.
    std::string AccurateRipPath(std::uint32_t freedbId) const;
    // The CUETools database's TOC ID: SHA-1 of the track offsets relative
    // to track 1, in Base64 with "._-" for "+/=".
    std::string CtdbTocId() const;
    // "1 6 95462 150 15363 ...": first and last track, lead-out and
    // offsets with the lead-in, as MusicBrainz writes a TOC: the audio
    // session only.
    std::string MusicBrainzToc() const;

private:
    std::vector<std::uint32_t> m_offsets;
    std::vector<std::uint32_t> m_dataOffsets;
    std::uint32_t m_leadOut = 0;
};
