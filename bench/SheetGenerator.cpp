#include "bench/SheetGenerator.h"

#include <cstdio>

namespace {

constexpr int kFramesPerSecond = 75;
constexpr int kTracks = 99;

std::string Isrc(int track)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "GBKSM24%05d", 101 + track);
    return buffer;
}

} // namespace

SheetPlan SheetGenerator::Realistic()
{
    SheetPlan plan;
    plan.remarks = {"REM GENRE Ambient", "REM DATE 2024", "REM DISCID 8C0B6A63",
                    "REM COMMENT \"Tracksmith benchmark sheet\""};
    plan.catalog = "5012345678900";
    SheetPlan::File file;
    file.name = "Field Recordings.wav";
    int start = 0;
    for (int k = 0; k < kTracks; ++k) {
        SheetPlan::Track track;
        track.number = k + 1;
        track.remarks = {"REM TITLE \"Take " + std::to_string(k + 1) + "\"", "REM PERFORMER \"The Larks\"",
                         "REM COMPOSER \"K. Smith\""};
        track.hasFlags = true;
        track.dcp = k % 3 == 0;
        track.preEmphasis = k % 5 == 0;
        track.isrc = Isrc(k);
        // A two-second gap (INDEX 00) before every track; the first one
        // starts the file.
        const int pregapStart = k == 0 ? 0 : start - 2 * kFramesPerSecond;
        const int indexOne = k == 0 ? 2 * kFramesPerSecond : start;
        track.indexes = {{0, pregapStart, {}}, {1, indexOne, {}}};
        file.tracks.push_back(std::move(track));
        // 30 to 52 seconds a track, with odd frame counts.
        start = indexOne + (30 + k * 7 % 23) * kFramesPerSecond + k * 13 % kFramesPerSecond;
    }
    plan.files.push_back(std::move(file));
    return plan;
}

SheetPlan SheetGenerator::Stress()
{
    constexpr int kIndexes = 99; // INDEX 00 to 98
    constexpr int kSpacing = 30; // frames between two indexes
    SheetPlan plan;
    plan.remarks = {"REM COMMENT \"Tracksmith stress sheet\""};
    SheetPlan::File file;
    file.name = "STRESS.WAV";
    int at = 0;
    for (int k = 0; k < kTracks; ++k) {
        SheetPlan::Track track;
        track.number = k + 1;
        for (int i = 0; i < kIndexes; ++i) {
            track.indexes.push_back({i, at, "REM MARK " + std::to_string(k + 1) + "." + std::to_string(i)});
            at += kSpacing;
        }
        file.tracks.push_back(std::move(track));
    }
    plan.files.push_back(std::move(file));
    return plan;
}

SheetPlan SheetGenerator::Scale()
{
    constexpr int kFiles = 200;
    SheetPlan plan;
    plan.remarks = {"REM COMMENT \"Tracksmith scale sheet\""};
    for (int f = 0; f < kFiles; ++f) {
        SheetPlan::File file;
        char name[32];
        std::snprintf(name, sizeof name, "PART%03d.WAV", f + 1);
        file.name = name;
        int at = 0;
        for (int k = 0; k < kTracks; ++k) {
            SheetPlan::Track track;
            track.number = f * kTracks + k + 1;
            track.indexes = {{1, at, {}}};
            file.tracks.push_back(std::move(track));
            at += (20 + k % 11) * kFramesPerSecond + k % kFramesPerSecond;
        }
        plan.files.push_back(std::move(file));
    }
    return plan;
}
