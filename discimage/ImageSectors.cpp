#include "discimage/ImageSectors.h"

#include <charconv>

#include "model/CCueTime.h"

namespace {

std::string TwoDigits(std::uint64_t n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

std::uint32_t ts::SectorBytes(std::string_view typeWord)
{
    if (typeWord == "AUDIO")
        return 2352;
    if (typeWord == "CDG")
        return 2448;
    const auto slash = typeWord.find('/');
    if (slash == std::string_view::npos)
        return 0;
    const std::string_view mode = typeWord.substr(0, slash);
    if (mode != "MODE0" && mode != "MODE1" && mode != "MODE2" && mode != "CDI")
        return 0;
    const std::string_view size = typeWord.substr(slash + 1);
    std::uint32_t bytes = 0;
    const auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), bytes);
    // A raw sector is 2352 bytes; nothing a track holds per sector is more
    // or less than a quarter of it.
    if (error != std::errc() || end != size.data() + size.size() || bytes < 512 || bytes > 2352)
        return 0;
    return bytes;
}

std::uint64_t ts::SectorsOfTime(std::string_view text)
{
    std::uint32_t m = 0, s = 0, f = 0;
    if (!CCueTime::Parse(text).ToMsf(CCueTime::kFramesPerSecond, m, s, f))
        return 0;
    return (std::uint64_t(m) * 60 + s) * CCueTime::kFramesPerSecond + f;
}

std::string ts::TimeOfSectors(std::uint64_t sectors)
{
    const std::uint64_t seconds = sectors / CCueTime::kFramesPerSecond;
    return TwoDigits(seconds / 60) + ":" + TwoDigits(seconds % 60) + ":" + TwoDigits(sectors % CCueTime::kFramesPerSecond);
}
