#include "verify/CAccurateRipDb.h"

#include "verify/CDiscToc.h"

namespace {

std::uint32_t LittleEndian32(const std::string& bytes, std::size_t at)
{
    return std::uint32_t(static_cast<unsigned char>(bytes[at])) |
           std::uint32_t(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           std::uint32_t(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           std::uint32_t(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

} // namespace

std::string AccurateRipVerdict::Text() const
{
    switch (state) {
    case State::Accurate: return "accurately ripped (confidence " + std::to_string(confidence) + ")";
    case State::NotAccurate: return "not accurate";
    case State::NotInDatabase: break;
    }
    return "not in the database";
}

bool CAccurateRipDb::Parse(const std::string& bytes, std::string& error)
{
    m_records.clear();
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < 13) {
            error = "The AccurateRip database file is cut short";
            return false;
        }
        AccurateRipRecord record;
        record.trackCount = static_cast<unsigned char>(bytes[at]);
        record.id1 = LittleEndian32(bytes, at + 1);
        record.id2 = LittleEndian32(bytes, at + 5);
        record.freedbId = LittleEndian32(bytes, at + 9);
        at += 13;
        if (record.trackCount == 0 || bytes.size() - at < std::size_t(record.trackCount) * 9) {
            error = "The AccurateRip database file is cut short";
            return false;
        }
        for (int i = 0; i < record.trackCount; ++i) {
            AccurateRipRecord::Entry entry;
            entry.confidence = static_cast<unsigned char>(bytes[at]);
            entry.checksum = LittleEndian32(bytes, at + 1);
            entry.frame450 = LittleEndian32(bytes, at + 5);
            record.tracks.push_back(entry);
            at += 9;
        }
        m_records.push_back(std::move(record));
    }
    return true;
}

AccurateRipVerdict CAccurateRipDb::Check(const CDiscToc& toc, std::uint32_t freedbId, std::size_t track,
                                         std::uint32_t v1, std::uint32_t v2) const
{
    AccurateRipVerdict verdict;
    for (const AccurateRipRecord& record : m_records) {
        if (record.trackCount != toc.TrackCount() || record.id1 != toc.AccurateRipId1() ||
            record.id2 != toc.AccurateRipId2() || record.freedbId != freedbId || track >= record.tracks.size())
            continue;
        const AccurateRipRecord::Entry& entry = record.tracks[track];
        // A pressing no rip of this track went into counts as absent.
        if (entry.confidence == 0)
            continue;
        if (verdict.state == AccurateRipVerdict::State::NotInDatabase)
            verdict.state = AccurateRipVerdict::State::NotAccurate;
        const bool isV1 = entry.checksum == v1;
        const bool isV2 = entry.checksum == v2;
        if (isV1 || isV2) {
            verdict.state = AccurateRipVerdict::State::Accurate;
            verdict.confidence += entry.confidence;
            verdict.v1 = verdict.v1 || isV1;
            verdict.v2 = verdict.v2 || isV2;
        }
    }
    return verdict;
}
