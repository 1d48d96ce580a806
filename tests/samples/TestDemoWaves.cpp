// The demo sheet's wave files as tracksmith-demo-waves writes them, checked
// against the sheet as the editor reads it.
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueTrack.h"
#include "support/SheetFixture.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

constexpr std::uint32_t kSamplesPerFrame = 44100 / 75;

std::uint32_t Le(const std::string& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

std::int16_t Sample(const std::string& wave, std::uint32_t frame, int channel)
{
    return static_cast<std::int16_t>(Le(wave, 44 + frame * 4 + static_cast<std::uint32_t>(channel) * 2, 2));
}

std::uint32_t FrameOf(const CCueIndex& index)
{
    std::uint32_t minutes = 0;
    std::uint32_t seconds = 0;
    std::uint32_t frames = 0;
    EXPECT_TRUE(index.Time().ToMsf(75, minutes, seconds, frames));
    return ((minutes * 60 + seconds) * 75 + frames) * kSamplesPerFrame;
}

int RunGenerator(const std::string& arguments)
{
    const std::string command = std::string(TS_DEMO_WAVES) + " " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class DemoWaves : public SheetFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Open(ReadFileBytes(TS_DEMO_SHEET), "demo.cue"));
        ASSERT_EQ(RunGenerator("'" + dir.File("demo.cue") + "'"), 0);
    }
};

TEST_F(DemoWaves, EveryFileIsCdAudioAndLongerThanItsLastIndex)
{
    ASSERT_EQ(doc->FileCount(), 2);
    for (int f = 0; f < doc->FileCount(); ++f) {
        const CCueFile& file = *doc->File(f);
        SCOPED_TRACE(file.Name());
        const std::string wave = ReadFileBytes(dir.File(file.Name()));
        ASSERT_GE(wave.size(), 44u);
        EXPECT_EQ(wave.substr(0, 4), "RIFF");
        EXPECT_EQ(Le(wave, 4, 4), wave.size() - 8);
        EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(Le(wave, 20, 2), 1u);     // PCM
        EXPECT_EQ(Le(wave, 22, 2), 2u);     // stereo
        EXPECT_EQ(Le(wave, 24, 4), 44100u); // samples a second
        EXPECT_EQ(Le(wave, 32, 2), 4u);     // block align
        EXPECT_EQ(Le(wave, 34, 2), 16u);    // bits
        EXPECT_EQ(wave.substr(36, 4), "data");
        ASSERT_EQ(Le(wave, 40, 4), wave.size() - 44);
        const std::uint32_t frames = static_cast<std::uint32_t>((wave.size() - 44) / 4);

        for (int t = 0; t < file.TrackCount(); ++t) {
            const CCueTrack& track = *file.Track(t);
            for (int i = 0; i < track.IndexCount(); ++i) {
                // At least ten seconds of sound after every index.
                EXPECT_LT(FrameOf(*track.Index(i)) + 10 * 44100, frames)
                    << "track " << track.Number() << " index " << track.Index(i)->Number();
            }
        }
    }
}

TEST_F(DemoWaves, GapsAreSilentAndIndexesStartSound)
{
    int gaps = 0;
    for (int f = 0; f < doc->FileCount(); ++f) {
        const CCueFile& file = *doc->File(f);
        const std::string wave = ReadFileBytes(dir.File(file.Name()));
        ASSERT_GT(wave.size(), 44u);
        for (int t = 0; t < file.TrackCount(); ++t) {
            const CCueTrack& track = *file.Track(t);
            for (int i = 0; i < track.IndexCount(); ++i) {
                const CCueIndex& index = *track.Index(i);
                SCOPED_TRACE(file.Name() + " track " + std::to_string(track.Number()) + " index " +
                             std::to_string(index.Number()));
                const std::uint32_t start = FrameOf(index);
                if (index.Number() == 0 && i + 1 < track.IndexCount()) {
                    ++gaps;
                    const std::uint32_t end = FrameOf(*track.Index(i + 1));
                    int loud = 0;
                    for (std::uint32_t s = start; s < end; ++s)
                        loud += Sample(wave, s, 0) != 0 || Sample(wave, s, 1) != 0;
                    EXPECT_EQ(loud, 0);
                } else if (index.Number() >= 1) {
                    // Audible within the first half second.
                    int peak = 0;
                    for (std::uint32_t s = start; s < start + 22050; ++s)
                        peak = std::max({peak, std::abs(Sample(wave, s, 0)), std::abs(Sample(wave, s, 1))});
                    EXPECT_GT(peak, 3000);
                }
            }
        }
    }
    EXPECT_EQ(gaps, 3); // tracks 2, 3 and 5 of the demo have an INDEX 00
}

TEST_F(DemoWaves, ExistingFilesAreKeptAndForceWritesTheSameBytes)
{
    const std::string first = ReadFileBytes(dir.File("DEMO2.WAV"));
    dir.Write("DEMO1.WAV", "kept");
    ASSERT_EQ(RunGenerator("'" + dir.File("demo.cue") + "'"), 0);
    EXPECT_EQ(ReadFileBytes(dir.File("DEMO1.WAV")), "kept");
    ASSERT_EQ(RunGenerator("--force '" + dir.File("demo.cue") + "'"), 0);
    EXPECT_NE(ReadFileBytes(dir.File("DEMO1.WAV")), "kept");
    EXPECT_EQ(ReadFileBytes(dir.File("DEMO2.WAV")), first);
}

TEST(DemoWavesInput, NamesOutsideTheSheetFolderAreRefused)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "sub");
    const std::string sheet = dir.Write("sub/bad.cue", "FILE \"../ESCAPE.WAV\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    EXPECT_EQ(RunGenerator("'" + sheet + "'"), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "ESCAPE.WAV"));
}

TEST(DemoWavesInput, UsageErrors)
{
    EXPECT_EQ(RunGenerator(""), 2);
    EXPECT_EQ(RunGenerator("--bogus x.cue"), 2);
    EXPECT_EQ(RunGenerator("/nonexistent/folder/x.cue"), 1);
}

} // namespace
