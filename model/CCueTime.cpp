#include "model/CCueTime.h"

#include "model/TextUtil.h"
#include "platform/MulDiv.h"

namespace {

std::int32_t AsInt(std::uint32_t v) { return static_cast<std::int32_t>(v); }
std::uint32_t AsUint(std::int32_t v) { return static_cast<std::uint32_t>(v); }

// Reads one part of a time the way atoi does, then keeps the low 8 bits.
std::uint32_t TimePart(std::string_view part) { return AsUint(ts::ParseLeadingInt(part)) & 0xFFu; }

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
    t.m_value = (minutes & 0xFFu) | ((seconds & 0xFFu) << 8) | ((frames & 0xFFu) << 16);
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
    std::string_view minutes = text;
    std::string_view seconds;
    std::string_view frames;
    if (const auto c1 = text.find(':'); c1 != std::string_view::npos) {
        minutes = text.substr(0, c1);
        std::string_view rest = text.substr(c1 + 1);
        seconds = rest;
        if (const auto c2 = rest.find(':'); c2 != std::string_view::npos) {
            seconds = rest.substr(0, c2);
            frames = rest.substr(c2 + 1);
        }
    }
    return FromMsf(TimePart(minutes), TimePart(seconds), TimePart(frames), kFramesPerSecond);
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
        const std::uint32_t minutes = m_value & 0xFFu;
        const std::uint32_t seconds = (m_value >> 8) & 0xFFu;
        const std::uint32_t frames = (m_value >> 16) & 0xFFu;
        // A frame rate of 0 cannot come from the parse; count no frames
        // rather than divide by zero.
        const std::uint32_t frameMs = m_framesPerSecond ? frames * 1000u / m_framesPerSecond : 0;
        ms = minutes * 60000u + seconds * 1000u + frameMs;
        return true;
    }
    case TimeFormat::Samples:
        ms = AsUint(ts::MulDiv(AsInt(m_value), 1000, AsInt(RateOfCode(m_rateCode))));
        return true;
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
    samples = FromSamples(AsUint(ts::MulDiv(AsInt(ms), AsInt(RateOfCode(rateCode)), 1000)), rateCode);
    return true;
}

bool CCueTime::ToMsf(std::uint32_t fps, std::uint32_t& minutes, std::uint32_t& seconds,
                     std::uint32_t& frames) const
{
    std::uint32_t total = 0;
    switch (m_format) {
    case TimeFormat::Msf:
        minutes = m_value & 0xFFu;
        seconds = (m_value >> 8) & 0xFFu;
        frames = (m_value >> 16) & 0xFFu;
        return true;
    case TimeFormat::Milliseconds:
        total = AsUint(ts::MulDiv(AsInt(m_value), AsInt(fps), 1000));
        break;
    case TimeFormat::Samples:
        total = AsUint(ts::MulDiv(AsInt(m_value), AsInt(fps), AsInt(RateOfCode(m_rateCode))));
        break;
    default:
        minutes = seconds = frames = 0;
        return false;
    }
    if (fps == 0) {
        minutes = seconds = frames = 0;
        return false;
    }
    minutes = ((total / fps) / 60) & 0xFFu;
    seconds = (total / fps) % 60;
    frames = total % fps;
    return true;
}

int CCueTime::Compare(const CCueTime& a, const CCueTime& b)
{
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
