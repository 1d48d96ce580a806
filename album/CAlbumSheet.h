#pragma once

#include <string>
#include <vector>

#include "album/Tracklist.h"

// A new sheet put together from audio files, a tracklist or proposed
// track starts, written as cue sheet text. Times are kept in microseconds
// and written in CD frames, minutes as many digits as they need; tracks
// are numbered from 1 on, past 99 where there are more.
class CAlbumSheet final
{
public:
    struct Track {
        Micros start = 0;
        Micros gapStart = -1; // INDEX 00, when a gap comes before the start
        std::string performer;
        std::string title;
        std::string songwriter;
        std::string isrc;
    };
    struct File {
        std::string name; // as the FILE line names it
        std::vector<Track> tracks;
    };

    std::string title;
    std::string performer;
    std::string date;
    std::string genre;
    std::vector<File> files;

    // The file type word for a name, by its extension: WAVE for WAV, FLAC
    // and the other lossless formats, MP3, AIFF.
    static std::string TypeOf(const std::string& name);

    // One track for each start in one file, named from the list's entries.
    static CAlbumSheet FromTracklist(const std::string& fileName, const Tracklist& list,
                                     const std::vector<Micros>& starts);

    std::string Text() const;
};
