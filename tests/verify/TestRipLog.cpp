// Hand-made logs in the layouts of EAC (UTF-16) and XLD (UTF-8), read for
// the checksums they printed.
#include "verify/CRipLog.h"
#include "verify/CVerifyReport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string LogPath(const std::string& name)
{
    const char* root = std::getenv("TS_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/verify/logs/" + name;
}

using Value = std::optional<std::uint32_t>;

struct LogCase {
    const char* file;
    CRipLog::Kind kind;
    Value imageCrc;
    std::vector<LoggedTrack> tracks;
};

void PrintTo(const LogCase& c, std::ostream* os) { *os << c.file; }

class RipLogTest : public testing::TestWithParam<LogCase>
{
};

TEST_P(RipLogTest, ReadsEveryValue)
{
    const LogCase& c = GetParam();
    CRipLog log;
    std::string error;
    ASSERT_TRUE(log.Read(LogPath(c.file), error)) << error;
    EXPECT_EQ(log.GetKind(), c.kind);
    EXPECT_EQ(log.ImageCrc(), c.imageCrc);
    ASSERT_EQ(log.Tracks().size(), c.tracks.size());
    for (std::size_t i = 0; i < c.tracks.size(); ++i) {
        const LoggedTrack& got = log.Tracks()[i];
        const LoggedTrack& want = c.tracks[i];
        SCOPED_TRACE("track " + std::to_string(want.number));
        EXPECT_EQ(got.number, want.number);
        EXPECT_EQ(got.crc, want.crc);
        EXPECT_EQ(got.crcNoNull, want.crcNoNull);
        EXPECT_EQ(got.accurateRipV1, want.accurateRipV1);
        EXPECT_EQ(got.accurateRipV2, want.accurateRipV2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Logs, RipLogTest,
    testing::Values(
        LogCase{"eac-tracks.log", CRipLog::Kind::Eac, std::nullopt,
                {{1, 0x8ABE525D, std::nullopt, 0xA45B3C72, 0xBC99EEEA},
                 // the first bracket is the rip's, the second the database's
                 {2, 0x888EF676, std::nullopt, std::nullopt, 0x6349F2A2}}},
        LogCase{"eac-image.log", CRipLog::Kind::Eac, 0xBC36DFBA,
                {{1, std::nullopt, std::nullopt, 0xA45B3C72, std::nullopt},
                 {2, std::nullopt, std::nullopt, std::nullopt, 0x6349F2A2}}},
        LogCase{"xld-tracks.log", CRipLog::Kind::Xld, 0xBC36DFBA,
                {{1, 0x8ABE525D, 0xBE0AA2AC, 0xA45B3C72, 0xBC99EEEA},
                 {2, 0x888EF676, 0xEF070DEE, 0xA561EB73, 0x6349F2A2},
                 {3, 0xA20B184F, std::nullopt, 0xA582FBA4, std::nullopt}}}),
    [](const testing::TestParamInfo<LogCase>& param) {
        std::string name = param.param.file;
        for (char& ch : name)
            ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST(RipLog, RefusesWhatIsNoLog)
{
    CRipLog log;
    std::string error;
    EXPECT_FALSE(log.Read(LogPath("notes.log"), error));
    EXPECT_EQ(error, "\"" + LogPath("notes.log") + "\" is not a log of Exact Audio Copy or X Lossless Decoder");
    EXPECT_FALSE(log.Read(LogPath("missing.log"), error));
    EXPECT_EQ(error, "\"" + LogPath("missing.log") + "\" cannot be read");
}

TEST(RipLog, ByteOrders)
{
    const std::string text = "Exact Audio Copy \xC3\xA9";
    std::string le = "\xFF\xFE", be = "\xFE\xFF", bare;
    for (char ch : std::string("Exact Audio Copy ")) {
        le += ch;
        le += '\0';
        be += '\0';
        be += ch;
        bare += ch;
        bare += '\0';
    }
    le += "\xE9";
    le += '\0';
    be += '\0';
    be += "\xE9";
    bare += "\xE9";
    bare += '\0';
    EXPECT_EQ(CRipLog::ToUtf8(le), text);
    EXPECT_EQ(CRipLog::ToUtf8(be), text);
    EXPECT_EQ(CRipLog::ToUtf8(bare), text);
    EXPECT_EQ(CRipLog::ToUtf8("\xEF\xBB\xBF" + text), text);
}

// A log with a line of a megabyte is read without trouble; the line is
// passed over.
TEST(RipLog, HugeLineIsPassedOver)
{
    std::string text = "X Lossless Decoder version 20230627\nTrack 01\n    CRC32 hash               : 0000ABCD\n";
    text += "    AccurateRip v1 signature : 12345678 " + std::string(1 << 20, '[') + "\n";
    text += "    AccurateRip v2 signature : 9ABCDEF0\n";
    CRipLog log;
    std::string error;
    ASSERT_TRUE(log.Parse(text, error)) << error;
    ASSERT_EQ(log.Tracks().size(), 1u);
    EXPECT_EQ(log.Tracks()[0].crc, 0x0000ABCDu);
    EXPECT_EQ(log.Tracks()[0].accurateRipV1, std::nullopt);
    EXPECT_EQ(log.Tracks()[0].accurateRipV2, 0x9ABCDEF0u);
}

// The report against the XLD log: matching values, one that differs, and
// the track verified only when everything the log printed matches.
TEST(VerifyReport, AgainstALog)
{
    CRipLog log;
    std::string error;
    ASSERT_TRUE(log.Read(LogPath("xld-tracks.log"), error)) << error;
    CVerifyReport report;
    report.SetChecksums({{1, 0xA45B3C72, 0xBC99EEEA, 0x8ABE525D, 0xBE0AA2AC},
                         {2, 0xA561EB73, 0x6349F2A2, 0x888EF677, 0xEF070DEE},
                         {4, 1, 2, 3, 4}},
                        0xBC36DFBA);
    report.CompareLog(log);
    const auto& rows = report.Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].log, "CRC matches, CRC without nulls matches, AR v1 matches, AR v2 matches");
    EXPECT_TRUE(rows[0].verified);
    EXPECT_EQ(rows[1].log, "CRC differs (log 888EF676), CRC without nulls matches, AR v1 matches, AR v2 matches");
    EXPECT_FALSE(rows[1].verified);
    EXPECT_EQ(rows[2].log, "no checksums in the XLD log");
    EXPECT_FALSE(rows[2].verified);
    EXPECT_EQ(report.ImageLog(), "matches the log");
    EXPECT_EQ(report.Summary(), "1 of 3 tracks verified");
    EXPECT_FALSE(report.AllVerified());
}

} // namespace
