#pragma once

#include <cstdint>

// A four-character code as stored in a RIFF file: the first character in
// the lowest byte.
constexpr std::uint32_t FourCC(const char (&code)[5])
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 8) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(code[3])) << 24);
}

// What CRiffFile knows of one chunk.
struct RiffChunk {
    // Ascend rewrites the size of a chunk carrying this flag.
    static constexpr std::uint32_t kDirty = 0x10000000;

    std::uint32_t id = 0;
    std::uint32_t size = 0;     // bytes of contents; for RIFF and LIST including the form type
    std::uint32_t formType = 0; // RIFF and LIST chunks only
    std::int64_t dataOffset = 0; // file offset of the contents (the form type for RIFF and LIST)
    std::uint32_t flags = 0;
};
