#include "album/CAlbumSheet.h"

#include <algorithm>
#include <cctype>

#include "album/AlbumTime.h"

namespace {

// Cue sheets have no escape for a double quote inside a quoted value, and
// a line end would start a new line: both are replaced.
std::string QuotedValue(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '\'';
        else if (c == '\n' || c == '\r' || c == '\t')
            out += ' ';
        else
            out += c;
    }
    return out + "\"";
}

std::string Number(std::size_t n)
{
    return n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

// An ISRC is twelve letters and digits; anything else is left out rather
// than written as a line readers refuse.
bool IsIsrc(const std::string& code)
{
    return code.size() == 12 && std::all_of(code.begin(), code.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c));
           });
}

} // namespace

std::string CAlbumSheet::TypeOf(const std::string& name)
{
    const auto dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "mp3")
        return "MP3";
    if (ext == "aif" || ext == "aiff" || ext == "aifc")
        return "AIFF";
    return "WAVE";
}

CAlbumSheet CAlbumSheet::FromTracklist(const std::string& fileName, const Tracklist& list,
                                       const std::vector<Micros>& starts)
{
    CAlbumSheet sheet;
    sheet.title = list.discTitle;
    sheet.performer = list.discPerformer;
    File file;
    file.name = fileName;
    for (std::size_t i = 0; i < starts.size() && i < list.entries.size(); ++i) {
        Track track;
        track.start = starts[i];
        track.performer = list.entries[i].performer;
        track.title = list.entries[i].title;
        file.tracks.push_back(std::move(track));
    }
    sheet.files.push_back(std::move(file));
    return sheet;
}

std::string CAlbumSheet::Text() const
{
    std::string out;
    if (!genre.empty())
        out += "REM GENRE " + QuotedValue(genre) + "\n";
    if (!date.empty())
        out += "REM DATE " + (date.find_first_of(" \t\"") == std::string::npos ? date : QuotedValue(date)) + "\n";
    if (!performer.empty())
        out += "PERFORMER " + QuotedValue(performer) + "\n";
    if (!title.empty())
        out += "TITLE " + QuotedValue(title) + "\n";
    std::size_t number = 0;
    for (const File& file : files) {
        // A name with a double quote in it can only stand bare.
        const bool bare = file.name.find('"') != std::string::npos;
        out += "FILE " + (bare ? file.name : QuotedValue(file.name)) + " " + TypeOf(file.name) + "\n";
        bool first = true;
        for (const Track& track : file.tracks) {
            out += "  TRACK " + Number(++number) + " AUDIO\n";
            if (!track.title.empty())
                out += "    TITLE " + QuotedValue(track.title) + "\n";
            if (!track.performer.empty())
                out += "    PERFORMER " + QuotedValue(track.performer) + "\n";
            if (!track.songwriter.empty())
                out += "    SONGWRITER " + QuotedValue(track.songwriter) + "\n";
            if (IsIsrc(track.isrc))
                out += "    ISRC " + track.isrc + "\n";
            // A file's first track starts at its beginning: a later start
            // makes what comes before it the track's gap.
            const Micros gap = first ? 0 : track.gapStart;
            if (gap >= 0 && ts::CdFramesOf(gap) < ts::CdFramesOf(track.start))
                out += "    INDEX 00 " + ts::CueTimeText(gap) + "\n";
            out += "    INDEX 01 " + ts::CueTimeText(track.start) + "\n";
            first = false;
        }
    }
    return out;
}
