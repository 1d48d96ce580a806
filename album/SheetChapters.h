#pragma once

#include <functional>
#include <string>

#include "album/Tracklist.h"

class CQuillDoc;

namespace ts {

// The length of the audio a FILE line names, or -1 when it is unknown.
using AudioLength = std::function<Micros(const std::string& fileName)>;

// The chapters of a sheet: one a track, starting at its INDEX 01 (its
// first index when it has none), ending where the next starts; the last
// ends at the end of the audio. Files follow each other, so a later
// file's times are offset by the lengths of the files before it. A track
// that runs on into the next file counts once. The names are the track's
// TITLE and PERFORMER; the list's are the disc's.
// False with the reason when a length that is needed is unknown (every
// file's but the last for the starts, the last's for the end, unless
// needEnd is false) or the sheet has no track.
bool SheetChapters(const CQuillDoc& document, const AudioLength& length, bool needEnd, ChapterList& out,
                   std::string& error);

} // namespace ts
