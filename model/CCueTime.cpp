#include "model/CCueTime.h"

#include "model/TextUtil.h"

#include <algorithm>
#include <cstdint>

namespace {

// a * b / c rounded to the nearest, halves up, for the non-negative values
// times are made of; 0 for c of 0.
std::uint64_t ScaleRounded(std::uint64_t a, std::uint64_t b, std::uint64_t c)
{
    return c == 0 ? 0 : (2 * a * b + c) / (2 * c);
}

std::uint32_t Saturated(std::uint64_t v, std::uint64_t limit)
{
    return static_cast<std::uint32_t>(v > limit ? limit : v);
}

// Reads one part of a time the way atoi does; a negative part counts as 0
// and a part too large for its field is held at the field's largest value.
std::uint32_t TimePart(std::string_view part)
{
    const std::int32_t v = ts::ParseLeadingInt(part);
    return v < 0 ? 0 : Saturated(static_cast<std::uint64_t>(v), CCueTime::kMaxPart);
}

// Splits "mm:ss:ff" at its colons; false when it has more than three parts.
bool SplitTime(std::string_view text, std::string_view (&parts)[3])
{
    int n = 0;
    std::size_t start = 0;
    for (;;) {
        const auto colon = text.find(':', start);
        if (n == 3)
            return false;
        parts[n++] = text.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start);
        if (colon == std::string_view::npos)
            return true;
        start = colon + 1;
    }
}

} // namespace

CCueTime CCueTime::FromMilliseconds(std::uint32_t ms)
{
    CCueTime t;
    t.m_value = ms;
    return t;
}

CCueTime CCueTime::FromMsf(std::uint32_t minutes, std::uint32_t seconds, std::uint32_t frames,
                           std::uint32_t framesPerSecond)
{
    CCueTime t;
    t.m_format = TimeFormat::Msf;
    t.m_minutes = std::min(minutes, kMaxPart);
    t.m_seconds = std::min(seconds, 0xFFu);
    t.m_frames = std::min(frames, 0xFFu);
    t.m_value = (t.m_minutes & 0xFFu) | (t.m_seconds << 8) | (t.m_frames << 16) | ((t.m_minutes >> 8) << 24);
    t.m_framesPerSecond = framesPerSecond;
    return t;
}

CCueTime CCueTime::FromSamples(std::uint32_t samples, std::uint32_t rateCode)
{
    CCueTime t;
    t.m_format = TimeFormat::Samples;
    t.m_value = samples;
    t.m_rateCode = rateCode;
    return t;
}

CCueTime CCueTime::Parse(std::string_view text)
{
    std::string_view parts[3];
    // An empty part, or an empty text, counts as 0, as the time boxes
    // always took it.
    if (!SplitTime(text, parts)) {
        // Past a third colon the rest belongs to the frames, as atoi reads it.
        const auto c1 = text.find(':');
        const auto c2 = text.find(':', c1 + 1);
        parts[0] = text.substr(0, c1);
        parts[1] = text.substr(c1 + 1, c2 - c1 - 1);
        parts[2] = text.substr(c2 + 1);
    }
    return FromMsf(TimePart(parts[0]), TimePart(parts[1]), TimePart(parts[2]), kFramesPerSecond);
}

bool CCueTime::TryParse(std::string_view text, CCueTime& time, std::string& problem)
{
    problem.clear();
    std::string_view parts[3];
    // An empty part, or an empty text, counts as 0, as the time boxes
    // always took it.
    if (!SplitTime(text, parts)) {
        problem = "Invalid time - must be mm:ss:ff";
        return false;
    }
    if (text.front() == '-') {
        problem = "Negative time - must be 00:00:00 or later";
        return false;
    }
    std::uint64_t values[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        for (char c : parts[i]) {
            if (c < '0' || c > '9') {
                problem = "Invalid time - must be mm:ss:ff";
                return false;
            }
            if (values[i] <= kMaxPart)
                values[i] = values[i] * 10 + static_cast<std::uint64_t>(c - '0');
        }
    }
    if (values[1] > 59) {
        problem = "Seconds past 59 in time";
        return false;
    }
    if (values[2] >= kFramesPerSecond) {
        problem = "Frames past 74 in time";
        return false;
    }
    if (values[0] > kMaxMinutes) {
        problem = "Time past 9999:59:74";
        return false;
    }
    time = FromMsf(static_cast<std::uint32_t>(values[0]), static_cast<std::uint32_t>(values[1]),
                   static_cast<std::uint32_t>(values[2]), kFramesPerSecond);
    return true;
}

std::string CCueTime::Problem(std::string_view text)
{
    CCueTime time;
    std::string problem;
    TryParse(text, time, problem);
    return problem;
}

std::uint32_t CCueTime::RateOfCode(std::uint32_t rateCode)
{
    switch (rateCode) {
    case 1: case 2: case 4: case 8:
        return 11025;
    case 16: case 32: case 64: case 128:
        return 22050;
    case 256: case 512: case 1024: case 2048:
        return 44100;
    default:
        return 0;
    }
}

bool CCueTime::ToMilliseconds(std::uint32_t& ms) const
{
    switch (m_format) {
    case TimeFormat::Milliseconds:
        ms = m_value;
        return true;
    case TimeFormat::Msf: {
        // A frame rate of 0 cannot come from the parse; count no frames
        // rather than divide by zero.
        const std::uint64_t frameMs = m_framesPerSecond ? std::uint64_t{m_frames} * 1000u / m_framesPerSecond : 0;
        ms = Saturated(std::uint64_t{m_minutes} * 60000u + std::uint64_t{m_seconds} * 1000u + frameMs, UINT32_MAX);
        return true;
    }
    case TimeFormat::Samples: {
        const std::uint32_t rate = RateOfCode(m_rateCode);
        // An unknown rate gives -1, as the division always did.
        ms = rate ? Saturated(ScaleRounded(m_value, 1000, rate), UINT32_MAX) : UINT32_MAX;
        return true;
    }
    }
    ms = 0;
    return false;
}

std::uint32_t CCueTime::Milliseconds() const
{
    std::uint32_t ms = 0;
    ToMilliseconds(ms);
    return ms;
}

bool CCueTime::ToSamples(std::uint32_t rateCode, CCueTime& samples) const
{
    if (m_format == TimeFormat::Samples) {
        samples = *this;
        return true;
    }
    std::uint32_t ms = 0;
    if (!ToMilliseconds(ms))
        return false;
    samples = FromSamples(Saturated(ScaleRounded(ms, RateOfCode(rateCode), 1000), UINT32_MAX), rateCode);
    return true;
}

bool CCueTime::ToMsf(std::uint32_t fps, std::uint32_t& minutes, std::uint32_t& seconds,
                     std::uint32_t& frames) const
{
    std::uint64_t total = 0;
    switch (m_format) {
    case TimeFormat::Msf:
        minutes = m_minutes;
        seconds = m_seconds;
        frames = m_frames;
        return true;
    case TimeFormat::Milliseconds:
        total = ScaleRounded(m_value, fps, 1000);
        break;
    case TimeFormat::Samples:
        total = ScaleRounded(m_value, fps, RateOfCode(m_rateCode));
        break;
    default:
        minutes = seconds = frames = 0;
        return false;
    }
    if (fps == 0) {
        minutes = seconds = frames = 0;
        return false;
    }
    minutes = Saturated((total / fps) / 60, UINT32_MAX);
    seconds = static_cast<std::uint32_t>((total / fps) % 60);
    frames = static_cast<std::uint32_t>(total % fps);
    return true;
}

std::uint64_t CCueTime::TotalFrames() const
{
    std::uint32_t m = 0, s = 0, f = 0;
    if (!ToMsf(kFramesPerSecond, m, s, f))
        return 0;
    return (std::uint64_t{m} * 60 + s) * kFramesPerSecond + f;
}

int CCueTime::Compare(const CCueTime& a, const CCueTime& b)
{
    // Two MSF times at 75 frames compare by their frames, so no two
    // distinct sheet times ever compare equal.
    if (a.m_format == TimeFormat::Msf && b.m_format == TimeFormat::Msf && a.m_framesPerSecond == kFramesPerSecond
        && b.m_framesPerSecond == kFramesPerSecond) {
        const std::uint64_t fa = a.TotalFrames();
        const std::uint64_t fb = b.TotalFrames();
        return fa < fb ? -1 : (fa > fb ? 1 : 0);
    }
    const std::uint32_t ma = a.Milliseconds();
    const std::uint32_t mb = b.Milliseconds();
    return ma < mb ? -1 : (ma > mb ? 1 : 0);
}

void CCueTime::AppendText(std::string& out) const
{
    std::uint32_t m = 0, s = 0, f = 0;
    ToMsf(kFramesPerSecond, m, s, f);
    ts::AppendNumber2(out, static_cast<std::int64_t>(m));
    out += ':';
    ts::AppendNumber2(out, static_cast<std::int64_t>(s));
    out += ':';
    ts::AppendNumber2(out, static_cast<std::int64_t>(f));
}

std::string CCueTime::Text() const
{
    std::string out;
    AppendText(out);
    return out;
}
