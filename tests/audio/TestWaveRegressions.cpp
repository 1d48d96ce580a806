#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/CWaveFile.h"
#include "audio/WaveOperations.h"
#include "model/CCueTime.h"
#include "support/TempDir.h"

namespace {

// Every file under tests/data/wave once broke something. Each goes through
// the parse and both operations, which must fail cleanly or give a sound
// result.
std::vector<std::string> RegressionFiles()
{
    // The list is needed when the tests are discovered, before ctest sets
    // TS_TEST_DATA, so the folder is also known at build time.
    const char* data = std::getenv("TS_TEST_DATA");
    const std::filesystem::path folder = std::filesystem::path(data ? data : TS_TEST_DATA_DIR) / "wave";
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

class WaveRegression : public testing::TestWithParam<std::string> {};

TEST_P(WaveRegression, FailsCleanlyOrGivesSoundFiles)
{
    TempDir dir;
    const std::string original = ReadFileBytes(GetParam());
    ASSERT_FALSE(original.empty());
    const std::string src = dir.Write("src.wav", original);
    const std::string out = dir.File("out.wav");

    CWaveFile parsed(src);
    const bool parses = parsed.Open(CWaveFile::kRead);
    EXPECT_EQ(CWaveFile::IsWaveFile(src), parses);

    const WaveResult truncated = TruncateWaveFile(src, CCueTime::Parse("00:00:10"), out);
    EXPECT_EQ(std::filesystem::exists(out), truncated.ok);
    if (truncated.ok) {
        CWaveFile copy(out);
        ASSERT_TRUE(copy.Open(CWaveFile::kRead)) << copy.FailureReason();
        EXPECT_EQ(copy.FrameCount(), truncated.frames);
        EXPECT_NE(copy.FormatTag(), CWaveFile::kFormatExtensible);
    } else {
        EXPECT_FALSE(truncated.reason.empty());
    }

    const WaveResult silenced = WriteWaveSilence(src, CCueTime::Parse("00:00:00"), CCueTime::Parse("09:00:00"));
    const std::string after = ReadFileBytes(src);
    ASSERT_EQ(after.size(), original.size());
    if (!silenced.ok) {
        EXPECT_EQ(after, original);
        return;
    }
    const auto from = static_cast<std::size_t>(parsed.DataStart());
    const std::size_t to = from + std::size_t{parsed.FrameCount()} * parsed.BlockAlign();
    EXPECT_EQ(after.substr(0, from), original.substr(0, from));
    EXPECT_EQ(after.substr(to), original.substr(to));
}

INSTANTIATE_TEST_SUITE_P(Data, WaveRegression, testing::ValuesIn(RegressionFiles()),
                         [](const testing::TestParamInfo<std::string>& p) {
                             std::string name = std::filesystem::path(p.param).stem().string();
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name;
                         });

} // namespace
