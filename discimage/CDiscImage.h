#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/CueTypes.h"

class CQuillDoc;

// A file of a byte image as the sheet names it, measured on disk.
struct ImageFile {
    std::string path;     // as opened: the FILE name beside the sheet
    std::string typeWord; // BINARY or MOTOROLA
    std::uint64_t bytes = 0;
    std::uint64_t firstByte = 0;   // its place in all files end to end
    std::uint64_t firstSector = 0; // the sector it starts at on the disc
    std::uint64_t sectors = 0;
    bool holdsAudio = false;
};

// A span of one file, or of silence: zero bytes.
struct ImagePiece {
    static constexpr std::size_t kZeros = static_cast<std::size_t>(-1);
    std::size_t file = 0; // kZeros for zero bytes
    std::uint64_t offset = 0;
    std::uint64_t bytes = 0;
};

// A track of the disc: its type and the bytes from its first index (its
// INDEX 00 pregap included) up to the next track's first index.
struct ImageTrack {
    int number = 0;
    std::string typeWord;
    std::uint32_t sectorBytes = 0;
    std::uint64_t firstSector = 0;
    std::uint64_t firstByte = 0;
    std::uint64_t endByte = 0;
    std::size_t file = 0; // the file its first byte lies in
};

// The sheet's BINARY and MOTOROLA files end to end as one disc: every file
// measured in sectors of its tracks' sizes, every track's place in bytes.
// What join, split and the gap conversions work from. The files are only
// measured, never read.
class CDiscImage
{
public:
    // Whether the sheet has files and every one is BINARY or MOTOROLA.
    static bool IsByteImage(const CQuillDoc& document);

    // Measures every FILE of the sheet. False with a message for the user
    // (the file in quotes, what is wrong) when the files are not a byte
    // image whose tracks the sheet places on whole sectors.
    bool Read(const CQuillDoc& document, std::string& error);

    const std::vector<ImageFile>& Files() const { return m_files; }
    const std::vector<ImageTrack>& Tracks() const { return m_tracks; }
    std::uint64_t TotalBytes() const;

    // The file type word one image of all files gets; empty with error set
    // when the files hold audio in both byte orders.
    std::string JoinedType(std::string& error) const;
    // The sheet with one FILE for the image and every index moved to its
    // sector on the whole disc; every other line as it was.
    std::string JoinSheet(const std::string& imageName, const std::string& type) const;

    // The file names of a split, "NAME (Track N).bin": N has two digits on
    // discs of ten tracks or more.
    std::vector<std::string> SplitNames(const std::string& name) const;
    // The sheet with one FILE before each TRACK and every index counted
    // from the start of its track's file; every other line as it was.
    std::string SplitSheet(const std::vector<std::string>& names) const;

    // The spans of the files that make up bytes [begin, end) of the disc.
    std::vector<ImagePiece> PiecesOf(std::uint64_t begin, std::uint64_t end) const;

    // The byte of a file a sector of it starts at.
    std::uint64_t ByteOfSector(std::size_t file, std::uint64_t sector) const;
    // The sheet as saved, from which the rewrites start.
    const std::string& SheetText() const { return m_sheet; }

private:
    // Where a track's part in a file starts, and its sector size.
    struct Segment {
        std::uint64_t sector = 0;
        std::uint64_t byte = 0;
        std::uint32_t sectorBytes = 0;
    };
    std::string Rewrite(const std::string& imageName, const std::string& type,
                        const std::vector<std::string>* names) const;

    std::string m_sheet; // the sheet as saved
    std::vector<ImageFile> m_files;
    std::vector<std::vector<Segment>> m_segments; // per file
    std::vector<ImageTrack> m_tracks;
};
