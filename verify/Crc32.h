#pragma once

#include <cstddef>
#include <cstdint>

// The CRC-32 of zlib and PKZIP (reflected polynomial 0xEDB88320), the one
// rip logs print. Start from 0 and feed the bytes in order.
namespace ts {
std::uint32_t Crc32Update(std::uint32_t crc, const std::uint8_t* data, std::size_t size);
// The CRC of two byte runs end to end, from the CRC of each and the length
// of the second, so that runs checked in parallel join into one.
std::uint32_t Crc32Combine(std::uint32_t first, std::uint32_t second, std::uint64_t secondSize);
} // namespace ts
