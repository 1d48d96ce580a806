#include "discimage/ImageFixture.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <libcue.h>

#include "audio/WaveFixtures.h"

using wavetest::Quote;

namespace imagetest {

namespace {

std::string Msf(std::uint64_t sectors)
{
    char text[80];
    std::snprintf(text, sizeof text, "%02llu:%02llu:%02llu", static_cast<unsigned long long>(sectors / 75 / 60),
                  static_cast<unsigned long long>(sectors / 75 % 60), static_cast<unsigned long long>(sectors % 75));
    return text;
}

long SectorBytesOfLibcueMode(int mode)
{
    switch (mode) {
    case MODE_MODE1: return 2048;
    case MODE_MODE2: return 2336;
    case MODE_MODE2_FORM1: return 2048;
    case MODE_MODE2_FORM2: return 2324;
    default: return 2352;
    }
}

} // namespace

std::uint64_t SectorBytesOf(const std::string& mode)
{
    if (mode == "MODE1/2048")
        return 2048;
    if (mode == "MODE2/2336" || mode == "CDI/2336")
        return 2336;
    if (mode == "CDG")
        return 2448;
    return 2352;
}

std::vector<std::string> TrackFileNames(const std::string& name, std::size_t tracks)
{
    std::vector<std::string> names;
    for (std::size_t t = 1; t <= tracks; ++t) {
        const std::string n = (tracks >= 10 && t < 10 ? "0" : "") + std::to_string(t);
        names.push_back(name + " (Track " + n + ").bin");
    }
    return names;
}

std::string WriteRedumpImage(const std::string& folder, const std::string& name, const DiscSpec& disc, unsigned seed)
{
    std::mt19937 random(seed);
    const std::vector<std::string> names = TrackFileNames(name, disc.tracks.size());
    std::string sheet;
    for (const std::string& line : disc.discLines)
        sheet += line + "\n";
    for (std::size_t t = 0; t < disc.tracks.size(); ++t) {
        const TrackSpec& track = disc.tracks[t];
        std::string bytes(track.sectors * SectorBytesOf(track.mode), '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        if (track.silentGap)
            std::fill_n(bytes.begin(), static_cast<std::ptrdiff_t>(track.pregap * SectorBytesOf(track.mode)), '\0');
        std::ofstream(folder + "/" + names[t], std::ios::binary) << bytes;
        const std::string number = (t + 1 < 10 ? "0" : "") + std::to_string(t + 1);
        sheet += "FILE \"" + names[t] + "\" BINARY\n";
        sheet += "  TRACK " + std::string(number) + " " + track.mode + "\n";
        for (const std::string& line : track.lines)
            sheet += "    " + line + "\n";
        if (track.pregap > 0)
            sheet += "    INDEX 00 00:00:00\n";
        sheet += "    INDEX 01 " + Msf(track.pregap) + "\n";
        for (const std::string& line : track.after)
            sheet += "    " + line + "\n";
    }
    const std::string path = folder + "/" + name + ".cue";
    std::ofstream(path, std::ios::binary) << sheet;
    return path;
}

std::vector<LibcueTrack> LibcueLayout(const std::string& sheet, std::string& problem)
{
    std::vector<LibcueTrack> layout;
    FILE* file = std::fopen(sheet.c_str(), "r");
    if (!file) {
        problem = "cannot open " + sheet;
        return layout;
    }
    Cd* cd = cue_parse_file(file);
    std::fclose(file);
    if (!cd) {
        problem = "libcue cannot read " + sheet;
        return layout;
    }
    const std::string folder = std::filesystem::path(sheet).parent_path().string();
    long fileStart = 0;
    long fileSectors = 0;
    std::string current;
    for (int t = 1; t <= cd_get_ntrack(cd); ++t) {
        Track* track = cd_get_track(cd, t);
        const std::string name = track_get_filename(track) ? track_get_filename(track) : "";
        const long sectorBytes = SectorBytesOfLibcueMode(track_get_mode(track));
        if (name != current) {
            fileStart += fileSectors;
            std::error_code error;
            fileSectors = static_cast<long>(std::filesystem::file_size(folder + "/" + name, error)) / sectorBytes;
            current = name;
        }
        LibcueTrack entry;
        entry.mode = track_get_mode(track);
        const long index1 = track_get_index(track, 1);
        const long index0 = track_get_index(track, 0);
        // libcue counts a track's start from its INDEX 01 and its indexes
        // from the start of the file.
        entry.index1 = fileStart + index1;
        entry.index0 = index0 < 0 ? -1 : fileStart + index0;
        entry.pregap = track_get_zero_pre(track);
        entry.postgap = track_get_zero_post(track);
        entry.isrc = track_get_isrc(track) ? track_get_isrc(track) : "";
        entry.flags = track_is_set_flag(track, FLAG_COPY_PERMITTED) | track_is_set_flag(track, FLAG_PRE_EMPHASIS) << 1 |
                      track_is_set_flag(track, FLAG_FOUR_CHANNEL) << 2;
        layout.push_back(entry);
    }
    cd_delete(cd);
    return layout;
}

std::string CdrdaoToc(const std::string& sheet, std::string& problem)
{
    std::string out;
    const int code = wavetest::Run("cd " + Quote(std::filesystem::path(sheet).parent_path().string()) +
                                       " && timeout 30 cdrdao show-toc " + Quote(std::filesystem::path(sheet).filename().string()) +
                                       " 2>&1",
                                   &out);
    if (code != 0)
        problem = "cdrdao show-toc failed (" + std::to_string(code) + "): " + out;
    std::istringstream lines(out);
    std::string toc;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Cdrdao version", 0) != 0)
            toc += line + "\n";
    }
    return toc;
}

} // namespace imagetest
