#pragma once

#include <string>

#include "album/Tracklist.h"

// Writes chapters as a tracklist for other programs:
// - youtube: "0:00 Performer - Title" lines, hours only from the first hour on;
// - audacity: a label file, one region a chapter;
// - ffmetadata: an FFmpeg metadata file (ffmpeg -i AUDIO -i LIST
//   -map_metadata 1 -map_chapters 1);
// - matroska: XML chapters as mkvmerge --chapters takes them;
// - podcast: Podcasting 2.0 JSON chapters;
// - csv: a header, then number, start, end, performer and title.
class CTracklistWriter final
{
public:
    enum class Format { YouTube, Audacity, FfMetadata, Matroska, Podcast, Csv };

    // The format of a name given on the command line; false for others.
    static bool ParseFormat(const std::string& name, Format& format);
    // "youtube|audacity|ffmetadata|matroska|podcast|csv"
    static std::string FormatNames();
    // The file name extension the format is saved with, dot included.
    static std::string Extension(Format format);

    static std::string Write(Format format, const ChapterList& list);
};
