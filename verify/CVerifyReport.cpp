#include "verify/CVerifyReport.h"

#include <cstdio>

#include "verify/CRipLog.h"

std::string CVerifyReport::Hex(std::uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

void CVerifyReport::SetChecksums(std::vector<TrackChecksums> tracks, std::uint32_t imageCrc)
{
    m_rows.clear();
    for (const TrackChecksums& sums : tracks) {
        Row row;
        row.sums = sums;
        m_rows.push_back(row);
    }
    m_imageCrc = imageCrc;
    m_imageLog.clear();
}

void CVerifyReport::CompareLog(const CRipLog& log)
{
    for (Row& row : m_rows) {
        const LoggedTrack* logged = log.Track(row.sums.number);
        std::vector<std::string> parts;
        bool all = true;
        auto compare = [&](const std::optional<std::uint32_t>& value, std::uint32_t ours, const char* name) {
            if (!value)
                return;
            if (*value == ours) {
                parts.push_back(std::string(name) + " matches");
            } else {
                parts.push_back(std::string(name) + " differs (log " + Hex(*value) + ")");
                all = false;
            }
        };
        if (logged) {
            compare(logged->crc, row.sums.crc, "CRC");
            compare(logged->crcNoNull, row.sums.crcNoNull, "CRC without nulls");
            compare(logged->accurateRipV1, row.sums.accurateRipV1, "AR v1");
            compare(logged->accurateRipV2, row.sums.accurateRipV2, "AR v2");
        }
        row.logChecked = true;
        row.logMatches = !parts.empty() && all;
        if (parts.empty()) {
            row.log = std::string("no checksums in the ") + log.KindName() + " log";
        } else {
            row.log.clear();
            for (const std::string& part : parts)
                row.log += (row.log.empty() ? "" : ", ") + part;
        }
        Update(row);
    }
    if (log.ImageCrc())
        m_imageLog = *log.ImageCrc() == m_imageCrc ? "matches the log" : "differs from the log (" + Hex(*log.ImageCrc()) + ")";
}

void CVerifyReport::CompareDatabase(const CAccurateRipDb& database, const CDiscToc& toc, std::uint32_t freedbId)
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const AccurateRipVerdict verdict =
            database.Check(toc, freedbId, i, m_rows[i].sums.accurateRipV1, m_rows[i].sums.accurateRipV2);
        m_rows[i].database = verdict.Text();
        m_rows[i].accurate = verdict.state == AccurateRipVerdict::State::Accurate;
        Update(m_rows[i]);
    }
}

void CVerifyReport::SetNotInDatabase()
{
    for (Row& row : m_rows) {
        row.database = AccurateRipVerdict().Text();
        row.accurate = false;
        Update(row);
    }
}

void CVerifyReport::Update(Row& row) const
{
    row.verified = row.accurate || (row.logChecked && row.logMatches);
}

int CVerifyReport::VerifiedCount() const
{
    int count = 0;
    for (const Row& row : m_rows)
        count += row.verified ? 1 : 0;
    return count;
}

std::string CVerifyReport::Text() const
{
    std::string out;
    for (const Row& row : m_rows) {
        char number[4];
        std::snprintf(number, sizeof number, "%02d", row.sums.number);
        out += std::string("Track ") + number + "  AR v1 " + Hex(row.sums.accurateRipV1) + "  AR v2 " +
               Hex(row.sums.accurateRipV2) + "  CRC " + Hex(row.sums.crc) + "  CRC without nulls " +
               Hex(row.sums.crcNoNull);
        if (!row.log.empty())
            out += "  log: " + row.log;
        if (!row.database.empty())
            out += "  AccurateRip: " + row.database;
        out += row.verified ? "  verified\n" : "  not verified\n";
    }
    out += "Image CRC " + Hex(m_imageCrc) + (m_imageLog.empty() ? "" : " " + m_imageLog) + "\n";
    if (!m_databaseMessage.empty())
        out += "AccurateRip: " + m_databaseMessage + "\n";
    out += Summary() + "\n";
    return out;
}

std::string CVerifyReport::Summary() const
{
    const int total = static_cast<int>(m_rows.size());
    const int verified = VerifiedCount();
    if (verified == total)
        return "All " + std::to_string(total) + " tracks verified";
    return std::to_string(verified) + " of " + std::to_string(total) + " tracks verified";
}
