#pragma once

#include <string>
#include <string_view>

#include "album/Tracklist.h"

namespace ts {

// A clock time as people write it: "m:ss", "mm:ss", "h:mm:ss", with an
// optional fraction after '.' or ',' ("1:02:03.5"). Minutes may run past 59
// when there are no hours ("75:30"); seconds and the minutes after hours
// may not. False for anything else.
bool ParseClock(std::string_view text, Micros& out);
// Seconds as a decimal number ("3.25"), as label and CSV files write them.
bool ParseSeconds(std::string_view text, Micros& out);

// "m:ss" below an hour, "h:mm:ss" from then on, whole seconds rounded down.
std::string ClockText(Micros time);
// "hh:mm:ss.mmm", milliseconds rounded to the nearest.
std::string ClockTextMillis(Micros time);
// Seconds with six decimals ("12.500000").
std::string SecondsText(Micros time);

// CD frames (1/75 s) to the nearest, and back.
std::int64_t CdFramesOf(Micros time);
Micros MicrosOfCdFrames(std::int64_t frames);
// "mm:ss:ff" for a cue sheet, minutes as many digits as they need.
std::string CueTimeText(Micros time);

} // namespace ts
