#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Disc images in Redump's layout for the join and split tests: one file of
// random bytes per track, "NAME (Track N).bin", each audio track's INDEX 00
// pregap at the start of its own file.
namespace imagetest {

struct TrackSpec {
    const char* mode;           // the TRACK type word
    std::uint64_t sectors = 0;  // the whole file, pregap included
    std::uint64_t pregap = 0;   // INDEX 00 sectors before INDEX 01
    std::vector<std::string> lines = {}; // track lines before the indexes
    std::vector<std::string> after = {}; // track lines after the indexes
    bool silentGap = false;     // the INDEX 00 pregap's bytes all zero
};

struct DiscSpec {
    std::vector<std::string> discLines; // before the first FILE
    std::vector<TrackSpec> tracks;
};

// Bytes a sector of a mode takes in its file.
std::uint64_t SectorBytesOf(const std::string& mode);

// The file names Redump gives the tracks of a disc named name.
std::vector<std::string> TrackFileNames(const std::string& name, std::size_t tracks);

// Writes the track files and NAME.cue into folder; returns the sheet's
// path. The bytes are random, from seed.
std::string WriteRedumpImage(const std::string& folder, const std::string& name, const DiscSpec& disc,
                             unsigned seed);

// One track as libcue reads a sheet, placed on the whole disc: files are
// measured on disk in sectors of their tracks' sizes.
struct LibcueTrack {
    int mode = 0;
    long index0 = -1; // -1 for none
    long index1 = 0;
    long pregap = 0;  // PREGAP, sectors
    long postgap = 0;
    std::string isrc;
    int flags = 0;
    bool operator==(const LibcueTrack&) const = default;
};
// Empty with problem set when libcue cannot read the sheet.
std::vector<LibcueTrack> LibcueLayout(const std::string& sheet, std::string& problem);

// What `cdrdao show-toc` prints for a sheet, its version line left out;
// problem set when it fails or does not finish within 30 seconds.
std::string CdrdaoToc(const std::string& sheet, std::string& problem);

} // namespace imagetest
