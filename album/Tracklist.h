#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Times in the album folder are microseconds from the start of the audio:
// exact for milliseconds and within a nanosecond of every CD frame, and
// far past any recording's length.
using Micros = std::int64_t;

constexpr Micros kMicrosPerSecond = 1000000;

// One track of a tracklist: where it starts (or, in a list of durations,
// how long it lasts), its names, and the line of the list it came from.
struct TracklistEntry {
    Micros time = 0;
    std::string performer;
    std::string title;
    int line = 0;
};

// A line of a tracklist that gave no track, and why.
struct SkippedLine {
    int line = 0;
    std::string text;
    std::string reason;
};

// What a tracklist says, in the order it says it. `durations` tells that
// the times are lengths, not starts; Starts() turns them into starts.
struct Tracklist {
    std::string format; // the name of the format that was recognised
    std::vector<TracklistEntry> entries;
    std::vector<SkippedLine> skipped;
    bool durations = false;
    std::string discTitle;
    std::string discPerformer;
};

// One chapter going out: a span of the audio and its names.
struct Chapter {
    Micros start = 0;
    Micros end = 0;
    std::string performer;
    std::string title;
};

// The chapters of a sheet, or of a media file, with the disc's names.
struct ChapterList {
    std::string title;
    std::string performer;
    std::vector<Chapter> chapters;
};
