#include "platform/CRiffFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>
#include <ostream>
#include <string>

#include "audio/WaveFixtures.h"
#include "support/FailDevice.h"
#include "support/TempDir.h"

using namespace wavetest;

namespace {

// Random seeks, reads and writes through the buffer must see exactly what a
// plain string model of the file sees, whatever the buffer size.
struct BufferCase {
    std::size_t bufferSize;
    unsigned seed;
};

// Names the case in test output.
void PrintTo(const BufferCase& c, std::ostream* os) { *os << c.bufferSize; }

class RiffBuffer : public testing::TestWithParam<BufferCase> {};

TEST_P(RiffBuffer, MatchesPlainModel)
{
    const BufferCase& c = GetParam();
    TempDir dir;
    std::string model = Pattern(2 * c.bufferSize + 100, c.seed);
    const std::string path = dir.Write("f.bin", model);

    CRiffFile file;
    ASSERT_TRUE(file.Open(path, CRiffFile::kReadWrite, c.bufferSize));
    std::mt19937 random(c.seed);
    std::int64_t pos = 0;
    for (int step = 0; step < 20000; ++step) {
        const int op = static_cast<int>(random() % 4);
        const std::size_t len = random() % 3 == 0 ? random() % (3 * c.bufferSize) : random() % 40;
        if (op == 0) {
            pos = static_cast<std::int64_t>(random() % (model.size() + 50));
            ASSERT_EQ(file.Seek(pos, CRiffFile::Origin::Start), pos);
        } else if (op == 1) {
            std::string got(len, '\0');
            const std::int64_t n = file.Read(got.data(), len);
            const std::size_t expected = pos >= static_cast<std::int64_t>(model.size())
                                             ? 0
                                             : std::min(len, model.size() - static_cast<std::size_t>(pos));
            ASSERT_EQ(n, static_cast<std::int64_t>(expected)) << "step " << step;
            if (expected > 0) {
                ASSERT_EQ(got.substr(0, expected), model.substr(static_cast<std::size_t>(pos), expected)) << "step " << step;
            }
            pos += n;
        } else {
            const std::string bytes = Pattern(len, c.seed + static_cast<unsigned>(step));
            ASSERT_EQ(file.Write(bytes.data(), len), static_cast<std::int64_t>(len));
            const auto at = static_cast<std::size_t>(pos);
            if (model.size() < at + len)
                model.resize(at + len, '\0');
            model.replace(at, len, bytes);
            pos += static_cast<std::int64_t>(len);
        }
        ASSERT_EQ(file.Position(), pos);
        if (step % 500 == 0) {
            ASSERT_EQ(file.Seek(0, CRiffFile::Origin::End), static_cast<std::int64_t>(model.size()));
            ASSERT_EQ(file.Seek(pos, CRiffFile::Origin::Start), pos);
        }
    }
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadFileBytes(path), model);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RiffBuffer, testing::Values(
    BufferCase{16, 1}, BufferCase{100, 2}, BufferCase{4096, 3}, BufferCase{32768, 4}));

TEST(RiffBufferEdges, LargeWriteOverBufferedBytesIsReadBack)
{
    TempDir dir;
    const std::string path = dir.Write("f.bin", std::string(64, 'a'));
    CRiffFile file;
    ASSERT_TRUE(file.Open(path, CRiffFile::kReadWrite, 16));
    char got[4];
    ASSERT_EQ(file.Seek(8, CRiffFile::Origin::Start), 8);
    ASSERT_EQ(file.Read(got, 4), 4); // buffers bytes 8 to 24
    ASSERT_EQ(file.Seek(0, CRiffFile::Origin::Start), 0);
    const std::string big(20, 'b');
    ASSERT_EQ(file.Write(big.data(), big.size()), 20); // passes the buffer by
    ASSERT_EQ(file.Read(got, 4), 4);
    EXPECT_EQ(std::string(got, 4), "aaaa");
    ASSERT_EQ(file.Seek(12, CRiffFile::Origin::Start), 12);
    ASSERT_EQ(file.Read(got, 4), 4);
    EXPECT_EQ(std::string(got, 4), "bbbb");
}

TEST(RiffChunks, CreateAndAscendWriteSizesAndPad)
{
    TempDir dir;
    const std::string path = dir.File("c.riff");
    CRiffFile file;
    ASSERT_TRUE(file.Open(path, CRiffFile::kCreate | CRiffFile::kWrite));
    RiffChunk riff;
    riff.formType = FourCC("TEST");
    ASSERT_EQ(file.CreateChunk(riff, true), CRiffFile::Result::Ok);
    EXPECT_EQ(riff.dataOffset, 8);
    RiffChunk odd;
    odd.id = FourCC("odd ");
    odd.size = 1234; // stale on purpose: ascend writes the real size
    ASSERT_EQ(file.CreateChunk(odd, false), CRiffFile::Result::Ok);
    ASSERT_EQ(file.Write("abc", 3), 3);
    ASSERT_EQ(file.Ascend(odd), CRiffFile::Result::Ok);
    EXPECT_EQ(odd.size, 3u);
    EXPECT_EQ(file.Position(), 24); // after the pad byte
    RiffChunk even;
    even.id = FourCC("even");
    ASSERT_EQ(file.CreateChunk(even, false), CRiffFile::Result::Ok);
    ASSERT_EQ(file.Write("wxyz", 4), 4);
    ASSERT_EQ(file.Ascend(even), CRiffFile::Result::Ok);
    ASSERT_EQ(file.Ascend(riff), CRiffFile::Result::Ok);
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadFileBytes(path), Riff("TEST", Chunk("odd ", "abc") + Chunk("even", "wxyz")));
}

TEST(RiffChunks, AscendOfACleanChunkOnlyMovesPastIt)
{
    TempDir dir;
    const std::string bytes = Riff("WAVE", Chunk("one ", "12345") + Chunk("two ", "ab"));
    const std::string path = dir.Write("c.riff", bytes);
    CRiffFile file;
    ASSERT_TRUE(file.Open(path, CRiffFile::kReadWrite));
    RiffChunk riff;
    riff.id = FourCC("RIFF");
    ASSERT_EQ(file.Descend(riff, nullptr), CRiffFile::Result::Ok);
    RiffChunk one;
    one.id = FourCC("one ");
    ASSERT_EQ(file.Descend(one, &riff), CRiffFile::Result::Ok);
    ASSERT_EQ(file.Ascend(one), CRiffFile::Result::Ok);
    EXPECT_EQ(file.Position(), 12 + 8 + 6);
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadFileBytes(path), bytes);
}

struct DescendCase {
    const char* name;
    std::string bytes;
    const char* id;
    bool insideRiff;
    CRiffFile::Result result;
    std::int64_t dataOffset;
    std::uint32_t size;
};

// Names the case in test output.
void PrintTo(const DescendCase& c, std::ostream* os) { *os << c.name; }

class RiffDescend : public testing::TestWithParam<DescendCase> {};

TEST_P(RiffDescend, FindsOrRefuses)
{
    const DescendCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.Write("d.riff", c.bytes);
    CRiffFile file;
    ASSERT_TRUE(file.Open(path, CRiffFile::kRead));
    RiffChunk riff;
    riff.id = FourCC("RIFF");
    if (c.insideRiff) {
        ASSERT_EQ(file.Descend(riff, nullptr), CRiffFile::Result::Ok);
    }
    RiffChunk chunk;
    chunk.id = GetLe32(c.id, 0);
    EXPECT_EQ(file.Descend(chunk, c.insideRiff ? &riff : nullptr), c.result);
    if (c.result == CRiffFile::Result::Ok) {
        EXPECT_EQ(chunk.dataOffset, c.dataOffset);
        EXPECT_EQ(chunk.size, c.size);
    }
}

const std::string kTwo = Chunk("aaaa", "x") + Chunk("bbbb", "yy");

INSTANTIATE_TEST_SUITE_P(Cases, RiffDescend, testing::Values(
    DescendCase{"SecondChild", Riff("WAVE", kTwo), "bbbb", true, CRiffFile::Result::Ok, 30, 2},
    DescendCase{"MissingChild", Riff("WAVE", kTwo), "cccc", true, CRiffFile::Result::NotFound, 0, 0},
    // A chunk after the end of the RIFF chunk is not inside it.
    DescendCase{"OutsideParent", Riff("WAVE", Chunk("aaaa", "x")) + Chunk("bbbb", "yy"), "bbbb", true,
                CRiffFile::Result::NotFound, 0, 0},
    DescendCase{"TopLevelSkipsJunk", Chunk("JUNK", "zzz") + Riff("WAVE", kTwo), "RIFF", false,
                CRiffFile::Result::Ok, 20, 4 + static_cast<std::uint32_t>(kTwo.size())},
    DescendCase{"ChildPastEnd", Riff("WAVE", ChunkClaiming("bbbb", 100, "yy")), "bbbb", true,
                CRiffFile::Result::PastEnd, 0, 0},
    DescendCase{"RiffPastEnd", ChunkClaiming("RIFF", 1000, "WAVE") + kTwo, "RIFF", false,
                CRiffFile::Result::PastEnd, 0, 0},
    DescendCase{"EmptyFile", std::string(), "RIFF", false, CRiffFile::Result::NotFound, 0, 0},
    DescendCase{"HeaderCutShort", std::string("RIFF\x04"), "RIFF", false, CRiffFile::Result::NotFound, 0, 0}),
    [](const testing::TestParamInfo<DescendCase>& p) { return std::string(p.param.name); });

TEST(RiffFormType, RiffAndListRecordTheirForm)
{
    TempDir dir;
    const std::string path = dir.Write("f.riff", Riff("AVI ", Chunk("LIST", "INFOab")));
    CRiffFile file;
    ASSERT_TRUE(file.Open(path, CRiffFile::kRead));
    RiffChunk riff;
    riff.id = FourCC("RIFF");
    ASSERT_EQ(file.Descend(riff, nullptr), CRiffFile::Result::Ok);
    EXPECT_EQ(riff.formType, FourCC("AVI "));
    EXPECT_EQ(file.Position(), 12);
    RiffChunk list;
    list.id = FourCC("LIST");
    ASSERT_EQ(file.Descend(list, &riff), CRiffFile::Result::Ok);
    EXPECT_EQ(list.formType, FourCC("INFO"));
    EXPECT_EQ(file.Position(), 24);
}

// Which second opening succeeds while a first one holds the file.
struct LockCase {
    const char* name;
    std::uint32_t first;
    std::uint32_t second;
    bool secondOpens;
};

// Names the case in test output.
void PrintTo(const LockCase& c, std::ostream* os) { *os << c.name; }

class RiffLocks : public testing::TestWithParam<LockCase> {};

TEST_P(RiffLocks, DenyWriteExcludesOtherWriters)
{
    const LockCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.Write("l.bin", "0123456789");
    CRiffFile first;
    ASSERT_TRUE(first.Open(path, c.first));
    CRiffFile second;
    EXPECT_EQ(second.Open(path, c.second), c.secondOpens);
    if (!c.secondOpens) {
        EXPECT_EQ(second.Error(), EBUSY);
    }
    EXPECT_EQ(ReadFileBytes(path), "0123456789");
}

constexpr std::uint32_t kDeny = CRiffFile::kReadWrite | CRiffFile::kDenyWrite;

INSTANTIATE_TEST_SUITE_P(Modes, RiffLocks, testing::Values(
    LockCase{"ReaderBesideDenyWrite", kDeny, CRiffFile::kRead, true},
    LockCase{"WriterBesideDenyWrite", kDeny, CRiffFile::kReadWrite, false},
    LockCase{"DenyWriteBesideDenyWrite", kDeny, kDeny, false},
    LockCase{"DenyWriteBesideWriter", CRiffFile::kReadWrite, kDeny, false},
    LockCase{"CreateBesideDenyWrite", kDeny, CRiffFile::kCreate | CRiffFile::kWrite, false},
    LockCase{"WriterBesideWriter", CRiffFile::kReadWrite, CRiffFile::kReadWrite, true},
    LockCase{"DenyWriteBesideReader", CRiffFile::kRead, kDeny, true}),
    [](const testing::TestParamInfo<LockCase>& p) { return std::string(p.param.name); });

TEST(RiffModes, ReadOnlyRefusesWritesAndCreateEmptiesTheFile)
{
    TempDir dir;
    const std::string path = dir.Write("m.bin", "0123456789");
    CRiffFile reader;
    ASSERT_TRUE(reader.Open(path, CRiffFile::kRead));
    EXPECT_EQ(reader.Write("x", 1), -1);
    ASSERT_TRUE(reader.Close());
    EXPECT_EQ(ReadFileBytes(path), "0123456789");

    CRiffFile creator;
    ASSERT_TRUE(creator.Open(path, CRiffFile::kCreate | CRiffFile::kWrite));
    EXPECT_EQ(creator.Seek(0, CRiffFile::Origin::End), 0);
    ASSERT_TRUE(creator.Close());
    EXPECT_EQ(ReadFileBytes(path), "");

    CRiffFile missing;
    EXPECT_FALSE(missing.Open(dir.File("none"), CRiffFile::kRead));
    EXPECT_EQ(missing.Error(), ENOENT);
}

TEST(RiffFailures, DeviceErrorsSurfaceAsFailures)
{
    TempDir dir;
    const std::string path = dir.File("f.bin");
    auto budget = std::make_shared<FailDevice::Budget>();
    budget->bytes = 10;
    CRiffFile file;
    ASSERT_TRUE(file.Open(path, CRiffFile::kCreate | CRiffFile::kWrite, 16, FailDevice::Opener(budget)));
    // Small writes sit in the buffer; the failure shows when it is written.
    ASSERT_EQ(file.Write("0123456789abcdef", 12), 12);
    EXPECT_FALSE(file.Flush());
    EXPECT_EQ(file.Error(), ENOSPC);
    EXPECT_EQ(file.Write(std::string(64, 'x').data(), 64), -1);
    EXPECT_FALSE(file.Close());
    EXPECT_TRUE(file.IsOpen()); // what could not be written is still held
}

} // namespace
