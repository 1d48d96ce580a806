#pragma once

#include <cstdint>
#include <string_view>

// The kind of a cue item, one per line of a sheet. The numbers are stored
// and compared as they stand.
enum class ItemKind : std::int32_t {
    File = 0,
    Track = 1,
    Pregap = 2,
    Index = 3,
    Postgap = 4,
    Comment = 5, // also a blank line
    Catalog = 6,
    Isrc = 7,
    Flags = 8,
    None = 9, // a fresh base item, or an unknown keyword
    CdText = 10, // TITLE, PERFORMER and the other CD-TEXT and disc keywords
    Unknown = 11, // a line the reader does not know, kept as it was read
};

enum class FileType : std::int32_t {
    Wave = 0,
    Binary = 1,
    Motorola = 2,
    Aiff = 3,
    Err = 4,
    Ignored = 5,
    Unknown = 6,
};

enum class TrackType : std::int32_t {
    Audio = 0,
    Cdg = 1,
    Mode1_2048 = 2,
    Mode1_2352 = 3,
    Mode2_2336 = 4,
    Mode2_2352 = 5,
    Cdi_2336 = 6,
    Cdi_2352 = 7,
    Err = 8,
    Ignored = 9,
    Unknown = 10,
};

namespace ts {

// The cue sheet word of a type ("WAVE", "MODE1/2048", ...).
std::string_view FileTypeText(FileType type);
std::string_view TrackTypeText(TrackType type);

// The extension of a path with its dot, as a drive/folder/name/extension
// split gives it: "" when the last path element has no dot.
std::string_view PathExtension(std::string_view path);

// Type of a FILE made from a name, and default type of its new tracks.
FileType FileTypeOfName(std::string_view name);
TrackType DefaultTrackTypeOfName(std::string_view name);

} // namespace ts
