#pragma once

#include <string>
#include <vector>

#include "album/Tracklist.h"

// What a media file says of itself through FFmpeg's libavformat: its
// length, the tags a new sheet takes, and its chapters.
class CMediaInfo final
{
public:
    std::string title;      // the file's TITLE tag: a track's title
    std::string artist;
    std::string composer;
    std::string isrc;
    std::string album;      // the album tags: the disc's names
    std::string albumArtist;
    std::string date;
    std::string genre;
    Micros length = 0;      // exact for the formats that store it
    ChapterList chapters;   // the chapters' titles split into performer and title

    // Reads the file; false with the reason (without the file name) when
    // it is no audio file FFmpeg opens. Never opens a FIFO or a device.
    bool Read(const std::string& path, std::string& error);
};
