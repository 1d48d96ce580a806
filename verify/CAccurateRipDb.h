#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CDiscToc;

// One pressing's record in an AccurateRip database file: the disc's IDs
// and, per track, how many rips agreed and their checksum.
struct AccurateRipRecord {
    int trackCount = 0;
    std::uint32_t id1 = 0;
    std::uint32_t id2 = 0;
    std::uint32_t freedbId = 0;
    struct Entry {
        int confidence = 0;
        std::uint32_t checksum = 0;
        std::uint32_t frame450 = 0;
    };
    std::vector<Entry> tracks;
};

// What the database says of one track's checksums.
struct AccurateRipVerdict {
    enum class State { NotInDatabase, Accurate, NotAccurate };
    State state = State::NotInDatabase;
    int confidence = 0;  // rips that agree with ours, v1 and v2 together
    bool v1 = false;     // our v1 checksum is among them
    bool v2 = false;
    // "accurately ripped (confidence 5)", "not accurate", "not in the database"
    std::string Text() const;
};

// An AccurateRip database file (dBAR-....bin): records of 13 bytes of
// track count and IDs, then 9 bytes per track of confidence, checksum and
// the checksum of frame 450, little-endian. Each record holds the v1 or
// the v2 checksums of one pressing.
class CAccurateRipDb
{
public:
    bool Parse(const std::string& bytes, std::string& error);
    const std::vector<AccurateRipRecord>& Records() const { return m_records; }

    // track: 0-based place on the disc. Records of other discs (other IDs
    // or track count) are passed over.
    AccurateRipVerdict Check(const CDiscToc& toc, std::uint32_t freedbId, std::size_t track, std::uint32_t v1,
                             std::uint32_t v2) const;

private:
    std::vector<AccurateRipRecord> m_records;
};
