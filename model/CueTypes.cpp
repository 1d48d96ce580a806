#include "model/CueTypes.h"

#include "model/TextUtil.h"

#include <array>

namespace ts {

namespace {

constexpr std::array<std::string_view, 7> kFileTypeTexts = {
    "WAVE", "BINARY", "MOTOROLA", "AIFF", "ERR", "IGNORED", "UNKNOWN"};

constexpr std::array<std::string_view, 11> kTrackTypeTexts = {
    "AUDIO", "CDG", "MODE1/2048", "MODE1/2352", "MODE2/2336", "MODE2/2352",
    "CDI/2336", "CDI/2352", "ERR", "IGNORED", "UNKNOWN"};

} // namespace

std::string_view FileTypeText(FileType type)
{
    const auto i = static_cast<std::size_t>(type);
    return i < kFileTypeTexts.size() ? kFileTypeTexts[i] : std::string_view("ERR");
}

std::string_view TrackTypeText(TrackType type)
{
    const auto i = static_cast<std::size_t>(type);
    return i < kTrackTypeTexts.size() ? kTrackTypeTexts[i] : std::string_view("ERR");
}

std::string_view PathExtension(std::string_view path)
{
    const auto slash = path.find_last_of("/\\:");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

FileType FileTypeOfName(std::string_view name)
{
    const std::string_view ext = PathExtension(name);
    if (EqualsNoCase(ext, ".wav"))
        return FileType::Wave;
    if (EqualsNoCase(ext, ".mot"))
        return FileType::Motorola;
    if (EqualsNoCase(ext, ".aif"))
        return FileType::Aiff;
    return FileType::Binary; // ".raw", other extensions and none
}

TrackType DefaultTrackTypeOfName(std::string_view name)
{
    const std::string_view ext = PathExtension(name);
    if (EqualsNoCase(ext, ".wav"))
        return TrackType::Audio;
    if (EqualsNoCase(ext, ".raw"))
        return TrackType::Mode1_2352;
    if (EqualsNoCase(ext, ".bin"))
        return TrackType::Cdg;
    return TrackType::Mode1_2048;
}

} // namespace ts
