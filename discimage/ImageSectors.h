#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ts {

// Bytes one sector of a track takes in its file, by the track's type word:
// AUDIO, MODE1/2352, MODE2/2352 and CDI/2352 2352, CDG 2448, the other
// MODEn/NNNN and CDI/NNNN types NNNN. 0 for a type with no known size.
std::uint32_t SectorBytes(std::string_view typeWord);

// CD frames (sectors, 75 a second) of an "mm:ss:ff" time.
std::uint64_t SectorsOfTime(std::string_view text);

// "mm:ss:ff" of a count of sectors, two digits at least per part.
std::string TimeOfSectors(std::uint64_t sectors);

} // namespace ts
