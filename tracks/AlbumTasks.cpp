#include "tracks/AlbumTasks.h"

#include <cctype>
#include <filesystem>

#include "album/AlbumTime.h"
#include "album/CTracklistReader.h"
#include "album/SheetChapters.h"
#include "audio/CAudioDecoder.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "platform/FileUtil.h"
#include "tracks/CMediaInfo.h"

namespace {

// A tracklist is text of a few kilobytes; anything past this is no list.
constexpr std::size_t kListLimit = 16 * 1024 * 1024;

std::string Extension(const std::string& path)
{
    const std::string name = ts::FileNameOf(path);
    const auto dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

} // namespace

bool ts::SheetFromAudioFiles(const std::vector<std::string>& paths, const FileNamer& name, CAlbumSheet& sheet,
                             std::string& error)
{
    sheet = CAlbumSheet();
    if (paths.empty()) {
        error = "no audio file was given";
        return false;
    }
    for (const std::string& path : paths) {
        CMediaInfo info;
        std::string reason;
        if (!info.Read(path, reason)) {
            error = "\"" + path + "\" cannot be read: " + reason;
            return false;
        }
        if (sheet.title.empty())
            sheet.title = info.album;
        if (sheet.performer.empty())
            sheet.performer = info.albumArtist;
        if (sheet.date.empty())
            sheet.date = info.date;
        if (sheet.genre.empty())
            sheet.genre = info.genre;
        CAlbumSheet::Track track;
        track.title = info.title;
        track.performer = info.artist;
        track.songwriter = info.composer;
        track.isrc = info.isrc;
        sheet.files.push_back({name(path), {track}});
    }
    // Without an album artist, the artist all tracks share is the disc's.
    if (sheet.performer.empty()) {
        const std::string& first = sheet.files.front().tracks.front().performer;
        bool shared = !first.empty();
        for (const auto& file : sheet.files)
            shared = shared && file.tracks.front().performer == first;
        if (shared)
            sheet.performer = first;
    }
    return true;
}

bool ts::IsMediaFile(const std::string& path)
{
    const std::string ext = Extension(path);
    for (const char* media : {"m4b", "m4a", "mka", "mkv", "ogg", "oga", "opus", "mp3", "mp4", "flac", "webm"}) {
        if (ext == media)
            return true;
    }
    return false;
}

bool ts::ReadTracklistFile(const std::string& path, Tracklist& list, std::string& error)
{
    list = Tracklist();
    if (IsMediaFile(path)) {
        CMediaInfo info;
        std::string reason;
        if (!info.Read(path, reason)) {
            error = "\"" + path + "\" cannot be read: " + reason;
            return false;
        }
        list.format = "chapters";
        list.discTitle = info.chapters.title;
        list.discPerformer = info.chapters.performer;
        int number = 0;
        for (const Chapter& chapter : info.chapters.chapters)
            list.entries.push_back({chapter.start, chapter.performer, chapter.title, ++number});
        if (list.entries.empty()) {
            error = "\"" + path + "\" has no chapters";
            return false;
        }
        return true;
    }
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(path, kListLimit, bytes, reason)) {
        error = "\"" + path + "\" cannot be read: " + reason;
        return false;
    }
    if (bytes.find('\0') != std::string::npos) {
        error = "\"" + path + "\" is no tracklist: it is not text";
        return false;
    }
    list = CTracklistReader::Read(bytes);
    return true;
}

bool ts::SheetFromTracklist(Tracklist& list, const std::string& audioPath, const std::string& fileName,
                            CAlbumSheet& sheet, std::string& error)
{
    CAudioDecoder decoder;
    if (!decoder.Open(audioPath)) {
        error = "\"" + audioPath + "\" cannot be read: " + decoder.FailureReason();
        return false;
    }
    const Micros length =
        static_cast<Micros>(decoder.FrameCount() * std::uint64_t(kMicrosPerSecond) / decoder.SampleRate());
    std::vector<Micros> starts;
    std::string reason;
    if (!CTracklistReader::Resolve(list, length, starts, reason)) {
        error = "The tracklist cannot be laid on \"" + audioPath + "\": " + reason;
        return false;
    }
    sheet = CAlbumSheet::FromTracklist(fileName, list, starts);
    return true;
}

std::string ts::AudioPathOf(const CQuillDoc& document, const std::string& fileName)
{
    const std::string folder = FolderOf(document.PathName());
    return folder.empty() || (!fileName.empty() && fileName.front() == '/') ? fileName : folder + "/" + fileName;
}

bool ts::ChaptersOfSheet(const CQuillDoc& document, bool needEnd, ChapterList& chapters, std::string& error)
{
    std::string firstFailure;
    const auto length = [&](const std::string& name) -> Micros {
        CAudioDecoder decoder;
        const std::string path = AudioPathOf(document, name);
        if (!decoder.Open(path)) {
            if (firstFailure.empty())
                firstFailure = "\"" + path + "\" cannot be read: " + decoder.FailureReason();
            return -1;
        }
        return static_cast<Micros>(decoder.FrameCount() * std::uint64_t(kMicrosPerSecond) / decoder.SampleRate());
    };
    std::string reason;
    if (!SheetChapters(document, length, needEnd, chapters, reason)) {
        error = firstFailure.empty() ? "The sheet's chapters cannot be made: " + reason : firstFailure;
        return false;
    }
    return true;
}

bool ts::IsSheetOrItsAudio(const CQuillDoc& document, const std::string& path)
{
    std::error_code ignored;
    if (!document.PathName().empty() && std::filesystem::equivalent(path, document.PathName(), ignored))
        return true;
    for (int i = 0; i < document.FileCount(); ++i) {
        if (std::filesystem::equivalent(path, AudioPathOf(document, document.File(i)->Name()), ignored))
            return true;
    }
    return false;
}

CAlbumSheet ts::SheetFromProposals(const std::string& fileName, const std::vector<CSilenceDetector::Proposal>& proposals)
{
    CAlbumSheet sheet;
    CAlbumSheet::File file;
    file.name = fileName;
    file.tracks.push_back({});
    for (const auto& p : proposals) {
        CAlbumSheet::Track track;
        track.start = p.start;
        track.gapStart = p.gapStart;
        file.tracks.push_back(std::move(track));
    }
    sheet.files.push_back(std::move(file));
    return sheet;
}
