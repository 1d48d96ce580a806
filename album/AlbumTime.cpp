#include "album/AlbumTime.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace {

bool AllDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool Number(std::string_view text, std::int64_t& out)
{
    if (!AllDigits(text) || text.size() > 9)
        return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), out);
    return result.ec == std::errc();
}

// The digits after the decimal mark, as microseconds (rounded).
bool Fraction(std::string_view digits, Micros& out)
{
    if (!AllDigits(digits))
        return false;
    Micros scale = 100000;
    out = 0;
    for (std::size_t i = 0; i < digits.size() && i < 7; ++i) {
        if (i == 6) {
            if (digits[i] >= '5')
                ++out;
            break;
        }
        out += (digits[i] - '0') * scale;
        scale /= 10;
    }
    return true;
}

std::string Two(std::int64_t v)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%02lld", static_cast<long long>(v));
    return buffer;
}

} // namespace

bool ts::ParseClock(std::string_view text, Micros& out)
{
    Micros fraction = 0;
    const auto mark = text.find_first_of(".,");
    if (mark != std::string_view::npos) {
        if (!Fraction(text.substr(mark + 1), fraction))
            return false;
        text = text.substr(0, mark);
    }
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    while (true) {
        const auto colon = text.find(':', from);
        parts.push_back(text.substr(from, colon == std::string_view::npos ? std::string_view::npos : colon - from));
        if (colon == std::string_view::npos)
            break;
        from = colon + 1;
    }
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    std::vector<std::int64_t> values;
    for (const auto part : parts) {
        std::int64_t v = 0;
        if (!Number(part, v))
            return false;
        values.push_back(v);
    }
    // Seconds (and minutes after hours) are written with two digits.
    if (parts.back().size() != 2 || values.back() > 59)
        return false;
    std::int64_t seconds = 0;
    if (values.size() == 3) {
        if (parts[1].size() != 2 || values[1] > 59)
            return false;
        seconds = (values[0] * 60 + values[1]) * 60 + values[2];
    } else {
        seconds = values[0] * 60 + values[1];
    }
    out = seconds * kMicrosPerSecond + fraction;
    return true;
}

bool ts::ParseSeconds(std::string_view text, Micros& out)
{
    Micros fraction = 0;
    const auto mark = text.find_first_of(".,");
    if (mark != std::string_view::npos) {
        if (!Fraction(text.substr(mark + 1), fraction))
            return false;
        text = text.substr(0, mark);
    }
    std::int64_t seconds = 0;
    if (!Number(text, seconds))
        return false;
    out = seconds * kMicrosPerSecond + fraction;
    return true;
}

std::string ts::ClockText(Micros time)
{
    if (time < 0)
        time = 0;
    const std::int64_t seconds = time / kMicrosPerSecond;
    const std::int64_t hours = seconds / 3600;
    const std::int64_t minutes = seconds / 60 % 60;
    if (hours > 0)
        return std::to_string(hours) + ":" + Two(minutes) + ":" + Two(seconds % 60);
    return std::to_string(minutes) + ":" + Two(seconds % 60);
}

std::string ts::ClockTextMillis(Micros time)
{
    if (time < 0)
        time = 0;
    const std::int64_t ms = (time + 500) / 1000;
    const std::int64_t seconds = ms / 1000;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld.%03lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60),
                  static_cast<long long>(ms % 1000));
    return buffer;
}

std::string ts::SecondsText(Micros time)
{
    if (time < 0)
        time = 0;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%lld.%06lld", static_cast<long long>(time / kMicrosPerSecond),
                  static_cast<long long>(time % kMicrosPerSecond));
    return buffer;
}

std::int64_t ts::CdFramesOf(Micros time)
{
    if (time < 0)
        return 0;
    return (time * 75 + kMicrosPerSecond / 2) / kMicrosPerSecond;
}

Micros ts::MicrosOfCdFrames(std::int64_t frames)
{
    return (frames * kMicrosPerSecond + 37) / 75;
}

std::string ts::CueTimeText(Micros time)
{
    const std::int64_t frames = CdFramesOf(time);
    const std::int64_t seconds = frames / 75;
    return Two(seconds / 60) + ":" + Two(seconds % 60) + ":" + Two(frames % 75);
}
