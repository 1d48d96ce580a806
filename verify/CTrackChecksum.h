#pragma once

#include <cstddef>
#include <cstdint>

// The checksums of one track of a CD rip, from its samples fed in order:
// 16-bit little-endian stereo at 44.1 kHz, four bytes a sample frame.
// AccurateRip v1 and v2 leave out the first five CD frames but one sample
// of the disc's first track and the last five CD frames of its last track,
// which drives cannot read with every offset. The CRC32 covers every byte;
// the null-skipping CRC32 leaves out every 16-bit sample that is zero.
class CTrackChecksum
{
public:
    static constexpr std::uint64_t kSamplesPerSector = 588;
    static constexpr std::uint64_t kSkippedSamples = 5 * kSamplesPerSector;

    // frames: the track's length in sample frames; first and last: whether
    // it is the disc's first or last audio track.
    CTrackChecksum(std::uint64_t frames, bool first, bool last);

    // The next sample frames of the track; frames past its length count as
    // nothing for AccurateRip but still go into the CRCs.
    void Add(const std::uint8_t* samples, std::size_t frames);
    // Zero frames, for silence that a PREGAP or POSTGAP puts on the disc.
    void AddSilence(std::uint64_t frames);

    std::uint64_t FramesAdded() const { return m_position; }
    std::uint32_t AccurateRipV1() const { return m_v1; }
    std::uint32_t AccurateRipV2() const { return m_v2; }
    std::uint32_t Crc() const { return m_crc; }
    std::uint32_t CrcWithoutNulls() const { return m_crcNoNull; }

private:
    std::uint64_t m_firstCounted; // 1-based, inclusive
    std::uint64_t m_lastCounted;  // 1-based, inclusive
    std::uint64_t m_position = 0; // frames added so far
    std::uint32_t m_v1 = 0;
    std::uint32_t m_v2 = 0;
    std::uint32_t m_crc = 0;
    std::uint32_t m_crcNoNull = 0;
};
