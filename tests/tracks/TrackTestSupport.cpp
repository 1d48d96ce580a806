#include "tracks/TrackTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include <libcue.h>

#include "audio/WaveFixtures.h"

using wavetest::Quote;

namespace tracktest {

std::string Decode(const std::string& path)
{
    std::string out;
    if (wavetest::Run("ffmpeg -v quiet -nostdin -i " + Quote(path) + " -map 0:a:0 -f s16le -", &out) != 0)
        return {};
    return out;
}

std::string DecodeAt(const std::string& path, std::uint64_t frame, std::uint64_t count, std::uint32_t rate)
{
    // The time to the microsecond at or after the sample: ffmpeg then
    // starts at that sample.
    const std::uint64_t us = (frame * 1000000 + rate - 1) / rate;
    char time[32];
    std::snprintf(time, sizeof time, "%llu.%06llu", static_cast<unsigned long long>(us / 1000000),
                  static_cast<unsigned long long>(us % 1000000));
    std::string out;
    const std::string command = "ffmpeg -v quiet -nostdin -ss " + std::string(time) + " -i " + Quote(path) +
                                " -map 0:a:0 -f s16le -";
    if (wavetest::Run(command, &out) != 0)
        return {};
    return out.substr(0, count * kFrameBytes);
}

std::string ProbeTag(const std::string& path, const std::string& tag)
{
    for (const char* where : {"format_tags", "stream_tags"}) {
        std::string out;
        wavetest::Run("ffprobe -v quiet -show_entries " + std::string(where) + "=" + tag +
                          " -of default=noprint_wrappers=1:nokey=1 " + Quote(path),
                      &out);
        while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
            out.pop_back();
        if (!out.empty())
            return out;
    }
    return {};
}

std::vector<DiscTrack> DiscLayout(const std::string& sheet, std::string& problem)
{
    std::vector<DiscTrack> layout;
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
    std::map<std::string, long> lengths;
    auto length = [&](const std::string& name) {
        auto it = lengths.find(name);
        if (it == lengths.end())
            it = lengths.emplace(name, static_cast<long>(Decode(folder + "/" + name).size() / kFrameBytes / kCdFrame)).first;
        return it->second;
    };
    long fileStart = 0;
    long silence = 0;
    std::string current;
    long previousLength = 0;
    for (int t = 1; t <= cd_get_ntrack(cd); ++t) {
        Track* track = cd_get_track(cd, t);
        const std::string name = track_get_filename(track) ? track_get_filename(track) : "";
        if (name != current) {
            if (!current.empty()) {
                previousLength = length(current);
                fileStart += previousLength;
            }
            current = name;
        }
        const long index0 = track_get_index(track, 0);
        const long index1 = track_get_index(track, 1);
        const long pre = track_get_zero_pre(track);
        DiscTrack out;
        if (pre > 0 && index0 == -1) {
            // PREGAP: silence that no file holds.
            silence += pre;
            out.gap = pre;
        } else if (pre > 0) {
            out.gap = pre;
        } else if (index0 != -1 && index0 > index1) {
            // INDEX 00 in the previous file.
            out.gap = previousLength - index0 + index1;
        }
        out.start = fileStart + index1 + silence;
        for (int i = 2; i < 100; ++i) {
            const long at = track_get_index(track, i);
            if (at != -1)
                out.later.push_back(at - index1);
        }
        layout.push_back(out);
    }
    cd_delete(cd);
    return layout;
}

std::vector<std::string> FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace tracktest
