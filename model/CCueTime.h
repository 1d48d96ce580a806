#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Time formats, numbered as the multimedia time formats so that a position
// reported by the player can be stored as it comes.
enum class TimeFormat : std::uint32_t {
    Milliseconds = 0,
    Msf = 2,
    Samples = 9,
};

// A position on the disc or in a wave file. MSF values pack minutes, seconds
// and frames into bits 0-7, 8-15 and 16-23 of the value; samples carry a
// wave-format rate code. A cleared time is 0 milliseconds.
class CCueTime
{
public:
    static constexpr std::uint32_t kFramesPerSecond = 75;

    CCueTime() = default;

    static CCueTime FromMilliseconds(std::uint32_t ms);
    static CCueTime FromMsf(std::uint32_t minutes, std::uint32_t seconds, std::uint32_t frames,
                            std::uint32_t framesPerSecond = kFramesPerSecond);
    static CCueTime FromSamples(std::uint32_t samples, std::uint32_t rateCode);

    // Lenient "mm:ss:ff": always succeeds, never range-checks, keeps the low
    // 8 bits of every part.
    static CCueTime Parse(std::string_view text);

    // Samples a second for a wave-format rate code (0 for unknown codes).
    static std::uint32_t RateOfCode(std::uint32_t rateCode);

    void Clear() { *this = CCueTime(); }

    std::uint32_t Value() const { return m_value; }
    TimeFormat Format() const { return m_format; }
    std::uint32_t RateCode() const { return m_rateCode; }
    std::uint32_t FramesPerSecond() const { return m_framesPerSecond; }

    // Conversions return false for an unknown format.
    bool ToMilliseconds(std::uint32_t& ms) const;
    std::uint32_t Milliseconds() const; // 0 for an unknown format
    bool ToSamples(std::uint32_t rateCode, CCueTime& samples) const;
    bool ToMsf(std::uint32_t framesPerSecond, std::uint32_t& minutes, std::uint32_t& seconds,
               std::uint32_t& frames) const;

    // -1, 0 or +1, through milliseconds.
    static int Compare(const CCueTime& a, const CCueTime& b);

    // "mm:ss:ff" at 75 frames a second, two digits at least per part.
    std::string Text() const;
    void AppendText(std::string& out) const;

private:
    std::uint32_t m_value = 0;
    TimeFormat m_format = TimeFormat::Milliseconds;
    std::uint32_t m_rateCode = 0;
    std::uint32_t m_framesPerSecond = 0;
};
