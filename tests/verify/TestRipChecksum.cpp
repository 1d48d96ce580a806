// The checksum arithmetic against small references written from the
// published definitions, fed in blocks of every size.
#include "verify/CAccurateRipDb.h"
#include "verify/CDiscToc.h"
#include "verify/CTrackChecksum.h"
#include "verify/Crc32.h"
#include "verify/Sha1.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Bitwise CRC-32, one byte at a time.
std::uint32_t ReferenceCrc(const std::vector<std::uint8_t>& bytes, bool skipNullSamples)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        if (skipNullSamples && bytes[i] == 0 && bytes[i + 1] == 0)
            continue;
        for (std::size_t k = i; k < i + 2; ++k) {
            crc ^= bytes[k];
            for (int b = 0; b < 8; ++b)
                crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
    }
    return ~crc;
}

// AccurateRip: sample frame i (1-based) as a 32-bit word times i, summed
// from frame 5*588 of the first track and up to 5*588 frames before the end
// of the last; v2 adds the product's high half too.
void ReferenceAccurateRip(const std::vector<std::uint8_t>& bytes, bool first, bool last, std::uint32_t& v1,
                          std::uint32_t& v2)
{
    const std::uint64_t frames = bytes.size() / 4;
    v1 = v2 = 0;
    for (std::uint64_t i = 1; i <= frames; ++i) {
        if (first && i < 5 * 588)
            continue;
        if (last && i + 5 * 588 > frames)
            continue;
        const std::uint8_t* s = &bytes[(i - 1) * 4];
        const std::uint64_t word = s[0] | s[1] << 8 | s[2] << 16 | std::uint64_t(s[3]) << 24;
        const std::uint64_t product = word * i;
        v1 += static_cast<std::uint32_t>(product);
        v2 += static_cast<std::uint32_t>(product) + static_cast<std::uint32_t>(product >> 32);
    }
}

struct TrackCase {
    const char* name;
    std::uint64_t frames;
    bool first;
    bool last;
    std::size_t block;  // frames fed per call
    int zeroEvery;      // every n-th 16-bit sample is zero (0: none)
};

void PrintTo(const TrackCase& c, std::ostream* os) { *os << c.name; }

class TrackChecksumTest : public testing::TestWithParam<TrackCase>
{
};

TEST_P(TrackChecksumTest, MatchesReference)
{
    const TrackCase& c = GetParam();
    std::mt19937 random(static_cast<unsigned>(c.frames));
    std::vector<std::uint8_t> bytes(c.frames * 4);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(random());
    if (c.zeroEvery > 0) {
        for (std::size_t i = 0; i < bytes.size(); i += 2 * static_cast<std::size_t>(c.zeroEvery))
            bytes[i] = bytes[i + 1] = 0;
    }
    CTrackChecksum sum(c.frames, c.first, c.last);
    for (std::size_t at = 0; at < c.frames; at += c.block)
        sum.Add(bytes.data() + at * 4, std::min<std::size_t>(c.block, c.frames - at));
    std::uint32_t v1 = 0, v2 = 0;
    ReferenceAccurateRip(bytes, c.first, c.last, v1, v2);
    EXPECT_EQ(sum.AccurateRipV1(), v1);
    EXPECT_EQ(sum.AccurateRipV2(), v2);
    EXPECT_EQ(sum.Crc(), ReferenceCrc(bytes, false));
    EXPECT_EQ(sum.CrcWithoutNulls(), ReferenceCrc(bytes, true));
    EXPECT_EQ(sum.FramesAdded(), c.frames);
}

INSTANTIATE_TEST_SUITE_P(
    Tracks, TrackChecksumTest,
    testing::Values(TrackCase{"middle", 20000, false, false, 4096, 0},
                    TrackCase{"first", 20000, true, false, 1000, 0},
                    TrackCase{"last", 20000, false, true, 333, 0},
                    TrackCase{"only", 20000, true, true, 7, 3},
                    TrackCase{"shorter_than_skips", 4000, true, true, 512, 0},
                    TrackCase{"one_frame_blocks", 3000, true, false, 1, 5},
                    TrackCase{"many_nulls", 9000, false, false, 4096, 1},
                    TrackCase{"sector_blocks", 588 * 20, false, true, 588, 2}),
    [](const testing::TestParamInfo<TrackCase>& param) { return std::string(param.param.name); });

TEST(TrackChecksum, SilenceCountsLikeZeroSamples)
{
    std::vector<std::uint8_t> bytes(6000 * 4, 0);
    for (std::size_t i = 0; i < 3000 * 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    CTrackChecksum fed(6000, true, true);
    fed.Add(bytes.data(), 6000);
    CTrackChecksum silent(6000, true, true);
    silent.Add(bytes.data(), 3000);
    silent.AddSilence(3000);
    EXPECT_EQ(silent.AccurateRipV1(), fed.AccurateRipV1());
    EXPECT_EQ(silent.AccurateRipV2(), fed.AccurateRipV2());
    EXPECT_EQ(silent.Crc(), fed.Crc());
    EXPECT_EQ(silent.CrcWithoutNulls(), fed.CrcWithoutNulls());
}

TEST(Crc32, CheckValueAndJoin)
{
    const std::string check = "123456789";
    const auto* data = reinterpret_cast<const std::uint8_t*>(check.data());
    EXPECT_EQ(ts::Crc32Update(0, data, check.size()), 0xCBF43926u);
    for (std::size_t cut = 0; cut <= check.size(); ++cut) {
        const std::uint32_t a = ts::Crc32Update(0, data, cut);
        const std::uint32_t b = ts::Crc32Update(0, data + cut, check.size() - cut);
        EXPECT_EQ(ts::Crc32Combine(a, b, check.size() - cut), 0xCBF43926u) << "cut at " << cut;
    }
}

TEST(Sha1, KnownDigests)
{
    const auto hex = [](const std::array<std::uint8_t, 20>& d) {
        std::string out;
        for (std::uint8_t b : d) {
            out += "0123456789abcdef"[b >> 4];
            out += "0123456789abcdef"[b & 15];
        }
        return out;
    };
    EXPECT_EQ(hex(ts::Sha1("abc")), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(hex(ts::Sha1("")), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
    EXPECT_EQ(hex(ts::Sha1("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
}

// MusicBrainz's documented disc: its AccurateRip IDs follow from the
// definition (sums of the sector offsets without the lead-in).
TEST(DiscToc, AccurateRipIdsOfTheMusicBrainzExample)
{
    CDiscToc toc;
    std::string error;
    ASSERT_TRUE(toc.Set({0, 15213, 32164, 46442, 63264, 80339}, 95312, error)) << error;
    const std::uint32_t id1 = 0 + 15213 + 32164 + 46442 + 63264 + 80339 + 95312;
    const std::uint32_t id2 = 1 * 1 + 15213 * 2 + 32164 * 3 + 46442 * 4 + 63264 * 5 + 80339 * 6 + 95312 * 7;
    EXPECT_EQ(toc.AccurateRipId1(), id1);
    EXPECT_EQ(toc.AccurateRipId2(), id2);
    char name[64];
    std::snprintf(name, sizeof name, "dBAR-006-%08x-%08x-3404f606.bin", id1, id2);
    EXPECT_EQ(toc.AccurateRipFileName(0x3404f606), name);
    const std::string hex = std::string(name).substr(9, 8);
    const std::string folder = std::string(1, hex[7]) + '/' + hex[6] + '/' + hex[5] + '/';
    EXPECT_EQ(toc.AccurateRipPath(0x3404f606), folder + name);
    EXPECT_EQ(toc.MusicBrainzToc(), "1 6 95462 150 15363 32314 46592 63414 80489");
    EXPECT_EQ(toc.CtdbTocId().size(), 28u);
}

TEST(DiscToc, RefusesTablesNoDiscHas)
{
    CDiscToc toc;
    std::string error;
    EXPECT_FALSE(toc.Set({}, 100, error));
    EXPECT_FALSE(toc.Set({0, 500, 400}, 1000, error));
    EXPECT_EQ(error, "Track 3 does not start after track 2");
    EXPECT_FALSE(toc.Set({0, 500}, 500, error));
    EXPECT_FALSE(toc.Set(std::vector<std::uint32_t>(100, 0), 500, error));
}

// A database file as the server sends it, made from its layout.
std::string Record(int count, std::uint32_t id1, std::uint32_t id2, std::uint32_t freedb,
                   const std::vector<std::pair<int, std::uint32_t>>& tracks)
{
    std::string out(1, static_cast<char>(count));
    auto put = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(id1);
    put(id2);
    put(freedb);
    for (const auto& [confidence, crc] : tracks) {
        out += static_cast<char>(confidence);
        put(crc);
        put(0);
    }
    return out;
}

TEST(AccurateRipDb, VerdictsPerTrack)
{
    CDiscToc toc;
    std::string error;
    ASSERT_TRUE(toc.Set({0, 1000}, 3000, error));
    const std::uint32_t id1 = toc.AccurateRipId1(), id2 = toc.AccurateRipId2(), freedb = 0x0a001f02;
    // A v1 pressing, a v2 pressing, and a record of another disc.
    const std::string bytes = Record(2, id1, id2, freedb, {{7, 0x11111111}, {3, 0x22222222}}) +
                              Record(2, id1, id2, freedb, {{4, 0xAAAAAAAA}, {0, 0x33333333}}) +
                              Record(2, id1 + 1, id2, freedb, {{99, 0x44444444}, {99, 0x44444444}});
    CAccurateRipDb db;
    ASSERT_TRUE(db.Parse(bytes, error)) << error;
    EXPECT_EQ(db.Records().size(), 3u);

    AccurateRipVerdict v = db.Check(toc, freedb, 0, 0x11111111, 0xAAAAAAAA);
    EXPECT_EQ(v.Text(), "accurately ripped (confidence 11)");
    EXPECT_TRUE(v.v1);
    EXPECT_TRUE(v.v2);
    v = db.Check(toc, freedb, 1, 0x22222222, 0x12345678);
    EXPECT_EQ(v.Text(), "accurately ripped (confidence 3)");
    v = db.Check(toc, freedb, 1, 0x33333333, 0x44444444);
    EXPECT_EQ(v.Text(), "not accurate");
    v = db.Check(toc, freedb + 1, 0, 0x11111111, 0);
    EXPECT_EQ(v.Text(), "not in the database");
}

TEST(AccurateRipDb, CutShortFilesAreRefused)
{
    const std::string whole = Record(2, 1, 2, 3, {{1, 5}, {1, 6}});
    for (std::size_t size : {std::size_t(1), std::size_t(12), std::size_t(13), whole.size() - 1}) {
        CAccurateRipDb db;
        std::string error;
        EXPECT_FALSE(db.Parse(whole.substr(0, size), error)) << size;
        EXPECT_EQ(error, "The AccurateRip database file is cut short");
    }
    CAccurateRipDb db;
    std::string error;
    EXPECT_FALSE(db.Parse(std::string(13, '\0'), error));
}

} // namespace
