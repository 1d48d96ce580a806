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

// A position on the disc or in a wave file. MSF values keep minutes, seconds
// and frames as parts of their own; the packed value holds the low 8 bits of
// the minutes in bits 0-7, seconds in 8-15, frames in 16-23 and the high 8
// bits of the minutes in 24-31, so no part of a time up to 9999:59:74 wraps.
// Samples carry a wave-format rate code. A cleared time is 0 milliseconds.
class CCueTime
{
public:
    static constexpr std::uint32_t kFramesPerSecond = 75;
    // The largest time a sheet may hold: 9999:59:74.
    static constexpr std::uint32_t kMaxMinutes = 9999;
    static constexpr std::uint32_t kMaxPart = 0xFFFFu; // what the packed minutes can hold

    CCueTime() = default;

    static CCueTime FromMilliseconds(std::uint32_t ms);
    static CCueTime FromMsf(std::uint32_t minutes, std::uint32_t seconds, std::uint32_t frames,
                            std::uint32_t framesPerSecond = kFramesPerSecond);
    static CCueTime FromSamples(std::uint32_t samples, std::uint32_t rateCode);

    // Lenient "mm:ss:ff": always succeeds and never range-checks; a part too
    // large for its field is held at the field's largest value, never wrapped.
    static CCueTime Parse(std::string_view text);
    // Strict "mm:ss:ff" (parts of digits only, "mm" and "mm:ss" allowed):
    // false with the reason in problem for a negative time, a part that is
    // not a number, seconds past 59, frames past 74 or minutes past 9999.
    static bool TryParse(std::string_view text, CCueTime& time, std::string& problem);
    // The reason TryParse gives for text, empty when it is a valid time.
    static std::string Problem(std::string_view text);

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
    // The time in frames at 75 a second (MSF exactly, other formats rounded).
    std::uint64_t TotalFrames() const;

    // -1, 0 or +1, through milliseconds.
    static int Compare(const CCueTime& a, const CCueTime& b);

    // "mm:ss:ff" at 75 frames a second, two digits at least per part.
    std::string Text() const;
    void AppendText(std::string& out) const;

private:
    std::uint32_t m_value = 0;
    // The parts of an MSF time, exactly as given.
    std::uint32_t m_minutes = 0;
    std::uint32_t m_seconds = 0;
    std::uint32_t m_frames = 0;
    TimeFormat m_format = TimeFormat::Milliseconds;
    std::uint32_t m_rateCode = 0;
    std::uint32_t m_framesPerSecond = 0;
};
