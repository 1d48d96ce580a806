#pragma once

#include <string>
#include <string_view>

#include "album/Tracklist.h"

// Reads a tracklist in whichever of the known forms it is written:
// - text as video descriptions and tracklist sites write it: a time at the
//   start or end of each line ("0:00", "[1:02:03]", "(4:05.5)"), then
//   "Performer - Title" or a title, lines numbered or not;
// - Audacity label files (start, end and label, tab-separated);
// - FFmpeg metadata files (";FFMETADATA1" and [CHAPTER] sections);
// - Matroska XML chapters;
// - CSV with a header naming a start (or duration) column.
// Every line that gives no track and is not blank is listed with the
// reason, so that nothing is dropped unseen.
class CTracklistReader final
{
public:
    static Tracklist Read(std::string_view text);

    // The start of each entry: the times as they are, or, for a list of
    // durations, their running sums. A text or CSV list is taken for
    // durations when its times do not rise, or when they do not start at
    // zero and add up to the audio's length (audioLength 0: unknown).
    // False with the reason when a start lies at or past the audio's end
    // or two tracks start together.
    static bool Resolve(Tracklist& list, Micros audioLength, std::vector<Micros>& starts, std::string& error);

    // Splits "Performer - Title" (also with an en or em dash); false when
    // there is no such separator.
    static bool SplitPerformer(const std::string& text, std::string& performer, std::string& title);
};
