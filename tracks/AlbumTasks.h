#pragma once

#include <functional>
#include <string>
#include <vector>

#include "album/CAlbumSheet.h"
#include "album/Tracklist.h"
#include "tracks/CSilenceDetector.h"

class CQuillDoc;

// The album commands over FFmpeg: what tracksmith-cli and the window share
// of making sheets from audio files, tracklists and silence, and of taking
// a sheet's chapters out.
namespace ts {

// How a FILE line names an audio file given by its path.
using FileNamer = std::function<std::string(const std::string& path)>;

// A sheet for audio files: one FILE and TRACK a file, in the order given;
// the tracks' names, songwriter and ISRC from each file's tags, the disc's
// title, performer, date and genre from the album tags of the first file
// that has them. False with the reason, naming the file.
bool SheetFromAudioFiles(const std::vector<std::string>& paths, const FileNamer& name, CAlbumSheet& sheet,
                         std::string& error);

// Whether a path names a media file whose chapters make the list, by its
// extension (m4b, m4a, mka, mkv, ogg, opus, mp3, mp4, flac, webm).
bool IsMediaFile(const std::string& path);

// Reads a tracklist file in any known text form, or the chapters of a
// media file. False with the reason, naming the file.
bool ReadTracklistFile(const std::string& path, Tracklist& list, std::string& error);

// A list's tracks laid on the audio at audioPath: the list resolved
// against the audio's length, then one track a start. False with the
// reason (a time past the audio's end among them).
bool SheetFromTracklist(Tracklist& list, const std::string& audioPath, const std::string& fileName,
                        CAlbumSheet& sheet, std::string& error);

// The chapters of an open sheet, its files measured beside it. needEnd
// false lets a list that needs no ends (youtube) do without the last
// file's length.
bool ChaptersOfSheet(const CQuillDoc& document, bool needEnd, ChapterList& chapters, std::string& error);

// The path of a FILE line's audio: beside the sheet unless absolute.
std::string AudioPathOf(const CQuillDoc& document, const std::string& fileName);

// Whether path names the sheet itself or one of its audio files, which an
// exported list must never replace.
bool IsSheetOrItsAudio(const CQuillDoc& document, const std::string& path);

// A sheet of the proposals of a detector for the file.
CAlbumSheet SheetFromProposals(const std::string& fileName, const std::vector<CSilenceDetector::Proposal>& proposals);

} // namespace ts
