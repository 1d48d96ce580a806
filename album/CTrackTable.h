#pragma once

#include "model/CCueTime.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CCueCdText;
class CCueFile;
class CCueTrack;
class CQuillDoc;

// The tracks of a sheet as the rows of a table, and the edits a table
// makes on them: a track's CD-TEXT names, its ISRC and its start, and the
// disc's performer and title. Texts are the sheet's bytes; the caller runs
// every edit inside one step of the edit session.
class CTrackTable
{
public:
    enum Column : int { Number, File, Start, Gap, Length, Performer, Title, Songwriter, Isrc, ColumnCount };

    struct Row {
        const CCueTrack* track = nullptr;
        int number = 0;
        std::string file;
        std::string start;  // INDEX 01, else the track's first index
        std::string gap;    // INDEX 00 to INDEX 01, or the PREGAP
        std::string length; // to the next track of the file, or to the audio's end
        std::string performer;
        std::string title;
        std::string songwriter;
        std::string isrc;
        // The row's cell of a column as text.
        const std::string& Cell(int column) const;
        bool operator==(const Row& other) const;
    };

    // The length of a FILE's audio in CD frames, when it can be read.
    using AudioLength = std::function<std::optional<std::uint64_t>(const CCueFile& file)>;

    // One row for each track of the sheet, in sheet order; the part of a
    // track that runs on into the next file is no row of its own.
    static std::vector<Row> Rows(const CQuillDoc& doc, const AudioLength& audioLength = {});

    static bool IsEditable(int column);
    // The CD-TEXT keyword a text column edits (empty for the others).
    static std::string_view KeywordOf(int column);

    // The disc's or a track's CD-TEXT value of a keyword, without quotes.
    static std::string DiscText(const CQuillDoc& doc, std::string_view keyword);
    static std::string TrackText(const CCueTrack& track, std::string_view keyword);

    // Why a typed cell cannot be stored so that the sheet reads it back as
    // typed; empty when it can. An ISRC is given in its stored form (see
    // IsrcOf); a start is "mm:ss:ff", checked against the largest time a
    // sheet holds, the audio's end (when known) and the track's neighbours.
    static std::string TextProblem(std::string_view bytes);
    static std::string IsrcProblem(std::string_view code);
    static std::string StartProblem(const CCueTrack& track, std::string_view text,
                                    std::optional<std::uint64_t> audioFrames);
    // A typed ISRC as stored: blanks and hyphens dropped, letters upper case.
    static std::string IsrcOf(std::string_view typed);

    // The edits; each returns whether the sheet changed. An empty text
    // removes the line.
    static bool SetDiscText(CQuillDoc& doc, std::string_view keyword, const std::string& bytes);
    static bool SetTrackText(CCueTrack& track, std::string_view keyword, const std::string& bytes);
    static bool SetIsrc(CCueTrack& track, const std::string& code);
    // Sets the track's INDEX 01 (its first index when it has none); an
    // INDEX 00 before it moves along, so that the gap keeps its length.
    static bool SetStart(CCueTrack& track, const CCueTime& start);

    // A new track of file starting at time, as a mark set while listening
    // makes it; null with the reason when a track or index is there already
    // or the time falls between the indexes of a track.
    static CCueTrack* AddMark(CCueFile& file, const CCueTime& time, std::string& reason);

    // The index a track starts at: INDEX 01, else its first.
    static const CCueTime* StartOf(const CCueTrack& track);

private:
    static std::string Quoted(const std::string& bytes);
};
