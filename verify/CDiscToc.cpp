#include "verify/CDiscToc.h"

#include <cstdio>

#include "verify/Sha1.h"

namespace {

std::string Hex8(std::uint32_t value, bool upper)
{
    char text[9];
    std::snprintf(text, sizeof text, upper ? "%08X" : "%08x", static_cast<unsigned>(value));
    return text;
}

} // namespace

bool CDiscToc::Set(std::vector<std::uint32_t> offsets, std::uint32_t leadOut, std::string& error,
                   std::vector<std::uint32_t> dataOffsets)
{
    if (offsets.empty()) {
        error = "The disc has no audio track";
        return false;
    }
    if (offsets.size() + dataOffsets.size() > static_cast<std::size_t>(kMaxTracks)) {
        error = "The disc has " + std::to_string(offsets.size() + dataOffsets.size()) +
                " tracks; a CD holds at most 99";
        return false;
    }
    for (std::size_t i = 1; i < offsets.size(); ++i) {
        if (offsets[i] <= offsets[i - 1]) {
            error = "Track " + std::to_string(i + 1) + " does not start after track " + std::to_string(i);
            return false;
        }
    }
    for (std::size_t i = 0; i < dataOffsets.size(); ++i) {
        const std::uint32_t before = i == 0 ? offsets.back() + kSessionGap : dataOffsets[i - 1];
        if (dataOffsets[i] <= before) {
            error = "Track " + std::to_string(offsets.size() + i + 1) + " does not start after track " +
                    std::to_string(offsets.size() + i);
            return false;
        }
    }
    if (leadOut <= (dataOffsets.empty() ? offsets.back() : dataOffsets.back())) {
        error = "The last track holds no audio";
        return false;
    }
    m_offsets = std::move(offsets);
    m_dataOffsets = std::move(dataOffsets);
    m_leadOut = leadOut;
    return true;
}

std::uint32_t CDiscToc::AudioLeadOut() const
{
    return m_dataOffsets.empty() ? m_leadOut : m_dataOffsets.front() - kSessionGap;
}

std::uint32_t CDiscToc::AccurateRipId1() const
{
    std::uint32_t sum = 0;
    for (std::uint32_t offset : m_offsets)
        sum += offset;
    return sum + m_leadOut;
}

std::uint32_t CDiscToc::AccurateRipId2() const
{
    // A track at sector 0 counts as 1, so that its number still weighs.
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < m_offsets.size(); ++i)
        sum += (m_offsets[i] == 0 ? 1u : m_offsets[i]) * static_cast<std::uint32_t>(i + 1);
    return sum + m_leadOut * static_cast<std::uint32_t>(m_offsets.size() + 1);
}

std::string CDiscToc::AccurateRipFileName(std::uint32_t freedbId) const
{
    char count[4];
    std::snprintf(count, sizeof count, "%03d", TrackCount());
    return std::string("dBAR-") + count + "-" + Hex8(AccurateRipId1(), false) + "-" + Hex8(AccurateRipId2(), false) +
           "-" + Hex8(freedbId, false) + ".bin";
}

std::string CDiscToc::AccurateRipPath(std::uint32_t freedbId) const
{
    const std::string id = Hex8(AccurateRipId1(), false);
    return std::string{id[7], '/', id[6], '/', id[5], '/'} + AccurateRipFileName(freedbId);
}

std::string CDiscToc::CtdbTocId() const
{
    // Every place of the 99 tracks and the lead-out as eight upper-case
    // hexadecimal digits, those after the last track as zeros.
    std::string text;
    const std::uint32_t first = m_offsets.front();
    for (std::size_t i = 1; i < m_offsets.size(); ++i)
        text += Hex8(m_offsets[i] - first, true);
    text += Hex8(AudioLeadOut() - first, true);
    text.append(static_cast<std::size_t>(100 - TrackCount()) * 8, '0');
    const auto digest = ts::Sha1(text);

    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._";
    std::string out;
    for (std::size_t i = 0; i < digest.size(); i += 3) {
        const std::uint32_t b0 = digest[i];
        const std::uint32_t b1 = i + 1 < digest.size() ? digest[i + 1] : 0;
        const std::uint32_t b2 = i + 2 < digest.size() ? digest[i + 2] : 0;
        const std::uint32_t group = b0 << 16 | b1 << 8 | b2;
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += i + 1 < digest.size() ? kAlphabet[(group >> 6) & 63] : '-';
        out += i + 2 < digest.size() ? kAlphabet[group & 63] : '-';
    }
    return out;
}

std::string CDiscToc::MusicBrainzToc() const
{
    std::string out = "1 " + std::to_string(TrackCount()) + " " + std::to_string(AudioLeadOut() + kLeadIn);
    for (std::uint32_t offset : m_offsets)
        out += " " + std::to_string(offset + kLeadIn);
    return out;
}
