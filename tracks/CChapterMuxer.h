#pragma once

#include <string>

#include "album/Tracklist.h"

// Writes a copy of a media file with chapters, through FFmpeg's
// libavformat: every packet of the audio goes over unchanged, the
// container is the output name's (M4A, M4B, MKA, OGG, FLAC), and the
// chapters take the list's titles and performers. The copy is written
// beside the target and renamed over it only when complete.
class CChapterMuxer final
{
public:
    // False with the reason, the target left as it was.
    static bool Write(const std::string& source, const std::string& target, const ChapterList& chapters,
                      std::string& error);
};
