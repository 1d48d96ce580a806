#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "verify/CAccurateRipDb.h"

class CDiscToc;
class CRipLog;

// The checksums of one track as the files hold it.
struct TrackChecksums {
    int number = 0;
    std::uint32_t accurateRipV1 = 0;
    std::uint32_t accurateRipV2 = 0;
    std::uint32_t crc = 0;
    std::uint32_t crcNoNull = 0;
};

// The outcome of verifying a rip: per track its checksums, what the rip's
// log and the AccurateRip database say of them, and whether the track is
// verified (the database knows it as accurate, or every value the log
// printed for it matches).
class CVerifyReport
{
public:
    struct Row {
        TrackChecksums sums;
        std::string log;      // "CRC matches, AR v2 matches", "" without a log
        bool logChecked = false;
        bool logMatches = false;
        std::string database; // the verdict, or "" when not asked
        bool accurate = false;
        bool verified = false;
    };

    void SetChecksums(std::vector<TrackChecksums> tracks, std::uint32_t imageCrc);
    // The log's values against ours.
    void CompareLog(const CRipLog& log);
    // The database's verdict on each track.
    void CompareDatabase(const CAccurateRipDb& database, const CDiscToc& toc, std::uint32_t freedbId);
    // The disc's file is not in the database: no track is.
    void SetNotInDatabase();
    // Why the database was not asked ("offline", a network failure).
    void SetDatabaseMessage(std::string message) { m_databaseMessage = std::move(message); }

    const std::vector<Row>& Rows() const { return m_rows; }
    std::uint32_t ImageCrc() const { return m_imageCrc; }
    const std::string& ImageLog() const { return m_imageLog; }
    const std::string& DatabaseMessage() const { return m_databaseMessage; }
    int VerifiedCount() const;
    bool AllVerified() const { return !m_rows.empty() && VerifiedCount() == static_cast<int>(m_rows.size()); }

    // "Track 01  AR v1 ...  CRC ...  log: ...  database: ..." per track,
    // then the image's CRC and a summary, each line ending in "\n".
    std::string Text() const;
    std::string Summary() const;

    static std::string Hex(std::uint32_t value);

private:
    void Update(Row& row) const;

    std::vector<Row> m_rows;
    std::uint32_t m_imageCrc = 0;
    std::string m_imageLog;
    std::string m_databaseMessage;
};
