#pragma once

#include <string>
#include <vector>

class CQuillDoc;

// The tags a track file gets, as plain strings; empty when the sheet has
// no value.
struct TrackTags {
    std::string title;
    std::string performer;
    std::string songwriter;
    std::string composer;
    std::string genre;
    std::string isrc;
};

// The disc's tags and one entry for each track line of the sheet, in sheet
// order (a track that continues into the next file counts once).
struct SheetTags {
    TrackTags disc;
    std::string date;
    std::string discNumber;
    std::string totalDiscs;
    std::string catalog;
    std::vector<TrackTags> tracks;
};

namespace ts {

// Gathers the tags of a sheet: the CD-TEXT lines (TITLE, PERFORMER,
// SONGWRITER, COMPOSER, GENRE) before the first FILE and in each track,
// the REM GENRE, REM DATE, REM DISCNUMBER and REM TOTALDISCS comments
// (disc level, or track level for GENRE), the CATALOG and each ISRC.
SheetTags GatherTags(const CQuillDoc& document);

// The word after REM and the rest of the line for a comment written as
// "REM WORD value"; false for any other comment. Quotes around the value
// are taken off.
bool ParseRemTag(const std::string& comment, std::string& word, std::string& value);

} // namespace ts
