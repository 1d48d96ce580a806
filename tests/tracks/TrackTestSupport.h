#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Peers and helpers of the split and join tests: ffmpeg decodes, libcue
// reads the sheets back.
namespace tracktest {

constexpr std::size_t kFrameBytes = 4;       // 16-bit stereo
constexpr std::uint64_t kCdFrame = 588;      // samples a CD frame at 44.1 kHz

// The samples of an audio file as ffmpeg decodes them, 16-bit interleaved.
std::string Decode(const std::string& path);
// count sample frames of a file from frame on, through ffmpeg's own seek
// (-ss), 16-bit interleaved.
std::string DecodeAt(const std::string& path, std::uint64_t frame, std::uint64_t count, std::uint32_t rate = 44100);
// One tag of the file as ffprobe reads it (format tags, else stream tags).
std::string ProbeTag(const std::string& path, const std::string& tag);

// A track of a disc as libcue reads a sheet: where its INDEX 01 lies on
// the disc, the length of its gap and its later indexes from INDEX 01,
// all in CD frames. Files are measured by decoding them.
struct DiscTrack {
    long start = 0;
    long gap = 0;
    std::vector<long> later;
    bool operator==(const DiscTrack&) const = default;
};
// Empty with problem set when libcue cannot read the sheet.
std::vector<DiscTrack> DiscLayout(const std::string& sheet, std::string& problem);

// The names of the files in a folder, sorted; hidden ones too.
std::vector<std::string> FolderNames(const std::string& folder);

} // namespace tracktest
