#include "verify/CTrackChecksum.h"

#include <array>

#include "verify/Crc32.h"

CTrackChecksum::CTrackChecksum(std::uint64_t frames, bool first, bool last)
    : m_firstCounted(first ? kSkippedSamples : 1)
    , m_lastCounted(last ? (frames > kSkippedSamples ? frames - kSkippedSamples : 0) : frames)
{
}

void CTrackChecksum::Add(const std::uint8_t* samples, std::size_t frames)
{
    const std::size_t bytes = frames * 4;
    m_crc = ts::Crc32Update(m_crc, samples, bytes);

    // Runs of non-zero 16-bit samples go to the CRC in one piece each.
    std::size_t run = 0;
    for (std::size_t i = 0; i < bytes; i += 2) {
        if (samples[i] == 0 && samples[i + 1] == 0) {
            if (i > run)
                m_crcNoNull = ts::Crc32Update(m_crcNoNull, samples + run, i - run);
            run = i + 2;
        }
    }
    if (bytes > run)
        m_crcNoNull = ts::Crc32Update(m_crcNoNull, samples + run, bytes - run);

    // AccurateRip: each frame as one 32-bit word (left in the low half)
    // times its 1-based place in the track; v1 keeps the low 32 bits of
    // each product, v2 adds the high 32 bits too.
    std::uint64_t multiplier = m_position + 1;
    std::uint32_t v1 = m_v1;
    std::uint32_t v2 = m_v2;
    for (std::size_t f = 0; f < frames; ++f, ++multiplier) {
        if (multiplier < m_firstCounted || multiplier > m_lastCounted)
            continue;
        const std::uint8_t* s = samples + f * 4;
        const std::uint32_t word = std::uint32_t(s[0]) | std::uint32_t(s[1]) << 8 | std::uint32_t(s[2]) << 16 |
                                   std::uint32_t(s[3]) << 24;
        const std::uint64_t product = std::uint64_t(word) * (multiplier & 0xFFFFFFFFu);
        v1 += static_cast<std::uint32_t>(product);
        v2 += static_cast<std::uint32_t>(product) + static_cast<std::uint32_t>(product >> 32);
    }
    m_v1 = v1;
    m_v2 = v2;
    m_position += frames;
}

void CTrackChecksum::AddSilence(std::uint64_t frames)
{
    static const std::array<std::uint8_t, 4096 * 4> kZeros{};
    // Zero samples add nothing to AccurateRip or the null-skipping CRC.
    while (frames > 0) {
        const std::size_t n = frames < 4096 ? static_cast<std::size_t>(frames) : 4096;
        m_crc = ts::Crc32Update(m_crc, kZeros.data(), n * 4);
        m_position += n;
        frames -= n;
    }
}
