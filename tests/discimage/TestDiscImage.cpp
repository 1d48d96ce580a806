// tracksmith-cli join and split on disc images in Redump's layout made of
// random bytes: the bytes must come back exactly, and libcue and cdrdao
// must read the joined sheet to the same disc as the one file per track.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "audio/WaveFixtures.h"
#include "discimage/CDiscImage.h"
#include "discimage/CGapConversion.h"
#include "discimage/CImageWriter.h"
#include "discimage/ImageFixture.h"
#include "document/CQuillDoc.h"
#include "platform/CScriptedPrompts.h"
#include "support/TempDir.h"

using namespace imagetest;
using wavetest::Quote;

namespace {

const std::string kCli = TS_CLI_PATH;

int Cli(const std::string& args, std::string* out = nullptr)
{
    std::string text;
    const int code = wavetest::Run(Quote(kCli) + " " + args + " 2>&1", &text);
    if (out)
        *out = text;
    return code;
}

std::string Normalized(const std::string& sheet)
{
    std::string out;
    wavetest::Run(Quote(kCli) + " normalize " + Quote(sheet), &out);
    return out;
}

std::vector<std::string> FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TrackSpec Audio(std::uint64_t sectors, std::uint64_t pregap = 150) { return {"AUDIO", sectors, pregap}; }

struct DiscCase {
    const char* name;
    DiscSpec disc;
    // Sectors of other sizes than 2352 before audio: cdrdao places the
    // tracks of one file right, but measures the last one from the file's
    // length as if every sector before it held 2352 bytes.
    bool mixedSizes = false;
};

// The TOC without the last track's end, where that is cdrdao's estimate,
// and without the warnings about track lengths that follow from it.
std::string WithoutLastEnd(std::string toc)
{
    for (auto at = toc.find("WARNING:"); at != std::string::npos; at = toc.find("WARNING:"))
        toc.erase(at, toc.find('\n', at) + 1 - at);
    const auto end = toc.rfind("END");
    if (end != std::string::npos)
        toc.erase(end, toc.find('\n', end) - end);
    return toc;
}

std::ostream& operator<<(std::ostream& os, const DiscCase& c) { return os << c.name; }

std::vector<DiscCase> Discs()
{
    std::vector<DiscCase> cases;
    // A game disc: its data track, then audio tracks with two-second gaps.
    cases.push_back({"mode2_data_then_audio", {{}, {{"MODE2/2352", 600}, Audio(450), Audio(380), Audio(700)}}});
    // Ten tracks and more: the names count in two digits.
    DiscSpec eleven{{}, {{"MODE1/2352", 300}}};
    for (int t = 0; t < 10; ++t)
        eleven.tracks.push_back(Audio(200 + 17 * static_cast<std::uint64_t>(t), t % 3 == 0 ? 0 : 150 + t));
    cases.push_back({"eleven_tracks", eleven});
    // Every kind of line a sheet can hold beside FILE and INDEX.
    DiscSpec lines{{"REM GENRE \"Action\"", "REM DATE 1997", "CATALOG 0724384260927", "PERFORMER \"Studio\"",
                    "TITLE \"The Game\"", "REM COMMENT \"dumped twice\""},
                   {{"MODE2/2352", 500, 0, {"TITLE \"Data\""}},
                    {"AUDIO", 400, 150, {"TITLE \"Theme\"", "FLAGS DCP PRE", "ISRC USKST0600002"}},
                    {"AUDIO", 300, 0, {"PREGAP 00:02:00"}, {"POSTGAP 00:01:00"}},
                    {"AUDIO", 420, 75, {"FLAGS 4CH", "ISRC GBAYE6600012"}}}};
    cases.push_back({"cd_text_gaps_and_flags", lines});
    // Data tracks whose sectors hold less than 2352 bytes.
    cases.push_back({"mode1_2048_data", {{}, {{"MODE1/2048", 800}, Audio(300), Audio(260)}}, true});
    cases.push_back({"mode2_2336_data", {{}, {{"MODE2/2336", 640}, Audio(300, 0)}}, true});
    return cases;
}

class ImageRoundTrip : public testing::TestWithParam<DiscCase>
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(wavetest::Run("command -v cdrdao cuebreakpoints >/dev/null"), 0);
        std::filesystem::create_directories(dir.File("dump"));
        sheet = WriteRedumpImage(dir.File("dump"), "Game", GetParam().disc, 21);
        names = TrackFileNames("Game", GetParam().disc.tracks.size());
    }

    TempDir dir;
    std::string sheet;
    std::vector<std::string> names;
};

TEST_P(ImageRoundTrip, JoinThenSplitGivesBackEveryByte)
{
    const std::string image = dir.File("Game.bin");
    std::string out;
    ASSERT_EQ(Cli("join " + Quote(sheet) + " " + Quote(image), &out), 0) << out;
    EXPECT_EQ(out, "");

    std::string concatenated;
    for (const std::string& name : names)
        concatenated += ReadFileBytes(dir.File("dump") + "/" + name);
    EXPECT_TRUE(ReadFileBytes(image) == concatenated) << "the image is not the track files end to end";
    EXPECT_EQ(FolderNames(dir.Path().string()), (std::vector<std::string>{"Game.bin", "Game.cue", "dump"}));
    const std::string joined = ReadFileBytes(dir.File("Game.cue"));
    EXPECT_EQ(joined.find("(Track"), std::string::npos) << joined;

    // The same disc in libcue and in cdrdao.
    std::string problem;
    const std::vector<LibcueTrack> before = LibcueLayout(sheet, problem);
    const std::vector<LibcueTrack> after = LibcueLayout(dir.File("Game.cue"), problem);
    ASSERT_EQ(problem, "");
    EXPECT_EQ(before.size(), GetParam().disc.tracks.size());
    EXPECT_TRUE(after == before) << joined;
    const std::string tocBefore = CdrdaoToc(sheet, problem);
    const std::string tocAfter = CdrdaoToc(dir.File("Game.cue"), problem);
    ASSERT_EQ(problem, "");
    if (GetParam().mixedSizes)
        EXPECT_EQ(WithoutLastEnd(tocAfter), WithoutLastEnd(tocBefore));
    else
        EXPECT_EQ(tocAfter, tocBefore);
    std::string breakpoints;
    EXPECT_EQ(wavetest::Run("cuebreakpoints " + Quote(dir.File("Game.cue")), &breakpoints), 0);
    EXPECT_EQ(Cli("check " + Quote(dir.File("Game.cue")), &out), 0) << out;
    EXPECT_EQ(out, "");

    // Split gives back the files of the dump, byte for byte, and the sheet
    // as the editor writes it.
    const std::string split = dir.File("split");
    ASSERT_EQ(Cli("split " + Quote(dir.File("Game.cue")) + " " + Quote(split), &out), 0) << out;
    std::vector<std::string> expected = names;
    expected.push_back("Game.cue");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderNames(split), expected);
    for (const std::string& name : names)
        EXPECT_TRUE(ReadFileBytes(split + "/" + name) == ReadFileBytes(dir.File("dump") + "/" + name)) << name;
    EXPECT_EQ(Normalized(split + "/Game.cue"), Normalized(sheet));
    const std::vector<LibcueTrack> again = LibcueLayout(split + "/Game.cue", problem);
    EXPECT_TRUE(again == before);
}

INSTANTIATE_TEST_SUITE_P(Discs, ImageRoundTrip, testing::ValuesIn(Discs()),
                         [](const testing::TestParamInfo<DiscCase>& p) { return std::string(p.param.name); });

// Sheets that cannot be joined or split, and targets in the way: a clear
// message, exit code 1, and nothing written or replaced.
struct RefusalCase {
    const char* name;
    const char* command; // join or split
    void (*spoil)(const std::string& folder);
    const char* message; // a part of what the command prints
};

std::ostream& operator<<(std::ostream& os, const RefusalCase& c) { return os << c.name; }

void CutOneByte(const std::string& folder)
{
    std::filesystem::resize_file(folder + "/dump/Game (Track 2).bin", 450 * 2352 - 1);
}

void PlaceImage(const std::string& folder) { std::ofstream(folder + "/out/Game.bin") << "mine"; }

void PlaceSheet(const std::string& folder) { std::ofstream(folder + "/out/Game.cue") << "mine"; }

void PlaceTrack(const std::string& folder) { std::ofstream(folder + "/out/Game (Track 3).bin") << "mine"; }

void UnknownMode(const std::string& folder)
{
    std::string text = ReadFileBytes(folder + "/dump/Game.cue");
    text.replace(text.find("MODE2/2352"), 10, "MODE7/2352");
    std::ofstream(folder + "/dump/Game.cue", std::ios::binary) << text;
}

void IndexPastEnd(const std::string& folder)
{
    std::string text = ReadFileBytes(folder + "/dump/Game.cue");
    text.replace(text.rfind("INDEX 01 00:02:00"), 17, "INDEX 01 00:12:00");
    std::ofstream(folder + "/dump/Game.cue", std::ios::binary) << text;
}

const RefusalCase kRefusals[] = {
    {"join_partial_sector", "join", CutOneByte, "Game (Track 2).bin\" is not a whole number of sectors"},
    {"split_partial_sector", "split", CutOneByte, "Game (Track 2).bin\" is not a whole number of sectors"},
    {"join_image_exists", "join", PlaceImage, "Game.bin\" exists already; nothing was written"},
    {"join_sheet_exists", "join", PlaceSheet, "Game.cue\" exists already; nothing was written"},
    {"split_track_exists", "split", PlaceTrack, "Game (Track 3).bin\" exists already; nothing was written"},
    {"join_unknown_mode", "join", UnknownMode, "Track 01 is of the type \"MODE7/2352\", whose sector size is not known"},
    {"join_index_past_end", "join", IndexPastEnd, "lies past the end of"},
};

class ImageRefusal : public testing::TestWithParam<RefusalCase>
{
};

TEST_P(ImageRefusal, RefusedWithAMessageAndNothingWritten)
{
    const RefusalCase& c = GetParam();
    TempDir dir;
    std::filesystem::create_directories(dir.File("dump"));
    std::filesystem::create_directories(dir.File("out"));
    const std::string sheet =
        WriteRedumpImage(dir.File("dump"), "Game", {{}, {{"MODE2/2352", 300}, Audio(450), Audio(200)}}, 7);
    c.spoil(dir.Path().string());
    const std::vector<std::string> dumpBefore = FolderNames(dir.File("dump"));
    const std::vector<std::string> outBefore = FolderNames(dir.File("out"));
    std::vector<std::string> contents;
    for (const std::string& name : outBefore)
        contents.push_back(ReadFileBytes(dir.File("out") + "/" + name));

    const std::string target = std::string(c.command) == "join" ? dir.File("out") + "/Game.bin" : dir.File("out");
    std::string out;
    EXPECT_EQ(Cli(std::string(c.command) + " " + Quote(sheet) + " " + Quote(target), &out), 1) << out;
    EXPECT_NE(out.find(c.message), std::string::npos) << out;
    EXPECT_EQ(FolderNames(dir.File("dump")), dumpBefore);
    EXPECT_EQ(FolderNames(dir.File("out")), outBefore);
    for (std::size_t i = 0; i < outBefore.size(); ++i)
        EXPECT_EQ(ReadFileBytes(dir.File("out") + "/" + outBefore[i]), contents[i]);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImageRefusal, testing::ValuesIn(kRefusals),
                         [](const testing::TestParamInfo<RefusalCase>& p) { return std::string(p.param.name); });

// A run that is cancelled, or whose source changes under it, leaves no
// file behind, nor the folder it made.
class ImageWriterStops : public testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir.File("dump"));
        sheet = WriteRedumpImage(dir.File("dump"), "Game", {{}, {{"MODE2/2352", 900}, Audio(450), Audio(600)}}, 3);
        CPromptsScope scope(prompts);
        ASSERT_TRUE(doc.OnOpenDocument(sheet));
        doc.SetPathName(sheet);
        std::string error;
        ASSERT_TRUE(disc.Read(doc, error)) << error;
    }

    TempDir dir;
    CScriptedPrompts prompts;
    CQuillDoc doc;
    CDiscImage disc;
    std::string sheet;
};

TEST_F(ImageWriterStops, CancelledJoinLeavesNothing)
{
    CImageWriter writer;
    writer.Cancel();
    std::string error;
    EXPECT_FALSE(writer.Join(disc, dir.File("Game.bin"), false, error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(FolderNames(dir.Path().string()), std::vector<std::string>{"dump"});
}

TEST_F(ImageWriterStops, SourceCutShortFailsSplitAndRemovesItsFolder)
{
    std::filesystem::resize_file(dir.File("dump") + "/Game (Track 3).bin", 100 * 2352);
    CImageWriter writer;
    std::string error;
    EXPECT_FALSE(writer.Split(disc, dir.File("new/folder"), "Game", false, error));
    EXPECT_NE(error.find("shorter than when it was measured"), std::string::npos) << error;
    EXPECT_EQ(FolderNames(dir.Path().string()), std::vector<std::string>{"dump"});
}

// Gap conversions on a disc whose audio gaps are silent, except track 3's
// (cdrdao takes no track with both a PREGAP and an INDEX 00):
// the PREGAP form must burn to the same disc in cdrdao, and converting
// back must give the original bytes.
class GapConversion : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(wavetest::Run("command -v cdrdao >/dev/null"), 0);
        TrackSpec silent = Audio(450);
        silent.silentGap = true;
        TrackSpec pregapped = Audio(300, 75);
        pregapped.silentGap = true;
        sheet = WriteRedumpImage(dir.Path().string(), "Game",
                                 {{"CATALOG 0724384260927"}, {{"MODE2/2352", 500}, silent, Audio(380), pregapped}}, 5);
    }

    // Converts the sheet at path; returns the converted sheet's path.
    std::string Convert(const std::string& path, GapDirection direction, const std::string& saveAs)
    {
        CScriptedPrompts prompts;
        CPromptsScope scope(prompts);
        CQuillDoc doc;
        EXPECT_TRUE(doc.OnOpenDocument(path));
        doc.SetPathName(path);
        CDiscImage disc;
        std::string error;
        EXPECT_TRUE(disc.Read(doc, error)) << error;
        EXPECT_TRUE(conversion.Build(doc, disc, direction, error)) << error;
        CImageWriter writer;
        EXPECT_TRUE(writer.WriteFiles(disc, conversion.Outputs(), false, error)) << error;
        return dir.Write(saveAs, conversion.SheetText());
    }

    TempDir dir;
    std::string sheet;
    CGapConversion conversion;
};

TEST_F(GapConversion, SilentIndexZeroGapsBecomePregapsAndBack)
{
    const std::vector<std::string> before = FolderNames(dir.Path().string());
    const std::string pregaps = Convert(sheet, GapDirection::ToPregap, "pregaps.cue");
    EXPECT_EQ(conversion.Converted(), (std::vector<int>{2, 4}));
    EXPECT_EQ(conversion.NotSilent(), std::vector<int>{3});
    const std::string text = ReadFileBytes(pregaps);
    EXPECT_NE(text.find("FILE \"Game (Track 2) (PREGAP).bin\" BINARY\n  TRACK 02 AUDIO\n    PREGAP 00:02:00\n"
                        "    INDEX 01 00:00:00\n"),
              std::string::npos)
        << text;
    // Track 4's gap of one second; track 3 keeps its INDEX 00.
    EXPECT_NE(text.find("PREGAP 00:01:00\n    INDEX 01 00:00:00"), std::string::npos) << text;
    EXPECT_NE(text.find("FILE \"Game (Track 3).bin\" BINARY\n  TRACK 03 AUDIO\n    INDEX 00 00:00:00\n"),
              std::string::npos)
        << text;
    // The originals are as they were; the copies lack the gaps' sectors.
    const std::string original = ReadFileBytes(dir.File("Game (Track 2).bin"));
    EXPECT_TRUE(ReadFileBytes(dir.File("Game (Track 2) (PREGAP).bin")) == original.substr(150 * 2352));
    EXPECT_EQ(original.size(), 450u * 2352);

    // The same disc for cdrdao, gaps made of silence either way.
    std::string problem;
    const std::string tocBefore = CdrdaoToc(sheet, problem);
    const std::string tocAfter = CdrdaoToc(pregaps, problem);
    ASSERT_EQ(problem, "");
    EXPECT_EQ(tocAfter, tocBefore);

    // And back: the copies of the copies hold the original bytes.
    const std::string back = Convert(pregaps, GapDirection::ToSilence, "back.cue");
    EXPECT_EQ(conversion.Converted(), (std::vector<int>{2, 4}));
    for (const char* track : {"2", "4"}) {
        const std::string name = std::string("Game (Track ") + track + ")";
        const std::string copy = ReadFileBytes(dir.File(name + " (PREGAP) (INDEX 00).bin"));
        EXPECT_TRUE(copy == ReadFileBytes(dir.File(name + ".bin"))) << name;
    }
    EXPECT_EQ(CdrdaoToc(back, problem), tocBefore);
    EXPECT_EQ(problem, "");
}

// Gaps of sound and no PREGAP: neither way has anything to do, and says so.
struct NothingCase {
    GapDirection direction;
    const char* message;
};

class GapConversionRefusal : public testing::TestWithParam<NothingCase>
{
};

TEST_P(GapConversionRefusal, NothingToConvertIsSaidAndNothingWritten)
{
    TempDir dir;
    const std::string sheet = WriteRedumpImage(dir.Path().string(), "Game", {{}, {{"MODE1/2352", 300}, Audio(300), Audio(200)}}, 9);
    CScriptedPrompts prompts;
    CPromptsScope scope(prompts);
    CQuillDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(sheet));
    doc.SetPathName(sheet);
    CDiscImage disc;
    std::string error;
    ASSERT_TRUE(disc.Read(doc, error)) << error;
    const std::vector<std::string> before = FolderNames(dir.Path().string());
    CGapConversion conversion;
    EXPECT_FALSE(conversion.Build(doc, disc, GetParam().direction, error));
    EXPECT_EQ(error, GetParam().message);
    EXPECT_TRUE(conversion.Outputs().empty());
    EXPECT_EQ(FolderNames(dir.Path().string()), before);
}

INSTANTIATE_TEST_SUITE_P(Directions, GapConversionRefusal,
                         testing::Values(NothingCase{GapDirection::ToPregap, "No INDEX 00 gap of an audio track is digital silence"},
                                         NothingCase{GapDirection::ToSilence, "No audio track has a PREGAP to write into the image"}),
                         [](const testing::TestParamInfo<NothingCase>& p) {
                             return std::string(p.param.direction == GapDirection::ToPregap ? "to_pregap" : "to_silence");
                         });

// Export Tracks (split --format) on a mixed-mode disc: the data track is
// copied byte for byte while the audio tracks are encoded; each gap rule
// leaves the data track whole.
struct MixedCase {
    const char* rule;
    // The bytes of the audio tracks' files, from the raw track files.
    std::uint64_t secondFrom, secondTo; // in sectors of "Game (Track 2).bin"
    bool secondTakesThirdGap;
    std::uint64_t thirdFrom;
};

std::ostream& operator<<(std::ostream& os, const MixedCase& c) { return os << c.rule; }

class MixedModeExport : public testing::TestWithParam<MixedCase>
{
};

TEST_P(MixedModeExport, DataTrackCopiedAudioEncoded)
{
    const MixedCase& c = GetParam();
    ASSERT_EQ(wavetest::Run("command -v ffmpeg cdrdao >/dev/null"), 0);
    TempDir dir;
    const std::string sheet =
        WriteRedumpImage(dir.Path().string(), "Game", {{}, {{"MODE2/2352", 500}, Audio(400), Audio(300)}}, 13);
    const std::string out = dir.File("out");
    std::string text;
    ASSERT_EQ(Cli("split " + Quote(sheet) + " " + Quote(out) + " --format wav --gaps " + c.rule, &text), 0) << text;
    EXPECT_EQ(FolderNames(out), (std::vector<std::string>{"01.bin", "02.wav", "03.wav", "Game.cue"}));
    EXPECT_TRUE(ReadFileBytes(out + "/01.bin") == ReadFileBytes(dir.File("Game (Track 1).bin")));

    auto decoded = [](const std::string& path) {
        std::string pcm;
        wavetest::Run("ffmpeg -v quiet -nostdin -i " + Quote(path) + " -f s16le -", &pcm);
        return pcm;
    };
    const std::string second = ReadFileBytes(dir.File("Game (Track 2).bin"));
    const std::string third = ReadFileBytes(dir.File("Game (Track 3).bin"));
    std::string expected = second.substr(c.secondFrom * 2352, (c.secondTo - c.secondFrom) * 2352);
    if (c.secondTakesThirdGap)
        expected += third.substr(0, 150 * 2352);
    EXPECT_TRUE(decoded(out + "/02.wav") == expected);
    EXPECT_TRUE(decoded(out + "/03.wav") == third.substr(c.thirdFrom * 2352));

    // The same disc for cdrdao, which takes no gap in the file before.
    if (std::string(c.rule) == "append")
        return;
    std::string problem;
    const std::string before = CdrdaoToc(sheet, problem);
    const std::string after = CdrdaoToc(out + "/Game.cue", problem);
    ASSERT_EQ(problem, "");
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(Rules, MixedModeExport,
                         testing::Values(MixedCase{"append", 0, 400, true, 150}, MixedCase{"prepend", 0, 400, false, 0},
                                         MixedCase{"drop", 150, 400, false, 150}),
                         [](const testing::TestParamInfo<MixedCase>& p) { return std::string(p.param.rule); });

// A byte image is joined and split by tracksmith-cli alone: copied into a
// folder without tracksmith-tracks (the program that loads FFmpeg), it
// still does both, while an audio join there says the tool is missing.
TEST(ImageInProcess, JoinAndSplitWithoutTheAudioTool)
{
    TempDir dir;
    std::filesystem::create_directories(dir.File("bin"));
    std::filesystem::copy_file(kCli, dir.File("bin/tracksmith-cli"));
    std::filesystem::permissions(dir.File("bin/tracksmith-cli"), std::filesystem::perms::owner_all);
    const std::string cli = Quote(dir.File("bin/tracksmith-cli"));
    const std::string sheet = WriteRedumpImage(dir.Path().string(), "Game", {{}, {{"MODE2/2352", 200}, Audio(300)}}, 17);
    std::string out;
    EXPECT_EQ(wavetest::Run(cli + " join " + Quote(sheet) + " " + Quote(dir.File("one/Game.bin")) + " 2>&1", &out), 1);
    EXPECT_NE(out.find("cannot be made"), std::string::npos) << out;
    std::filesystem::create_directories(dir.File("one"));
    EXPECT_EQ(wavetest::Run(cli + " join " + Quote(sheet) + " " + Quote(dir.File("one/Game.bin")) + " 2>&1", &out), 0) << out;
    EXPECT_EQ(wavetest::Run(cli + " split " + Quote(dir.File("one/Game.cue")) + " " + Quote(dir.File("two")) + " 2>&1", &out), 0)
        << out;
    EXPECT_TRUE(ReadFileBytes(dir.File("two/Game (Track 2).bin")) == ReadFileBytes(dir.File("Game (Track 2).bin")));

    std::ofstream(dir.File("audio.cue")) << "FILE \"Game (Track 2).wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n";
    EXPECT_EQ(wavetest::Run(cli + " join " + Quote(dir.File("audio.cue")) + " " + Quote(dir.File("a.flac")) + " 2>&1", &out), 1);
    EXPECT_NE(out.find("tracksmith-tracks\" cannot be started"), std::string::npos) << out;
}

} // namespace
