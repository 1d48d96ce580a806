// Tracklists read from the files under tests/data/tracklists, each against
// the dump beside it (.expected): the audio's length it is laid on, the
// format recognised, whether it was read as durations, each track's start
// and names, each skipped line with its reason, or the refusal. Then the
// written formats read back as the chapters they were written from, and
// sheets past 99 tracks and 255 minutes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "album/AlbumTime.h"
#include "album/CAlbumSheet.h"
#include "album/CTracklistReader.h"
#include "album/CTracklistWriter.h"
#include "album/SheetChapters.h"
#include "support/SheetFixture.h"

namespace {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::filesystem::path DataFolder()
{
    const char* data = std::getenv("TS_TEST_DATA");
    return std::filesystem::path(data ? data : TS_TEST_DATA_DIR) / "tracklists";
}

// Each .expected file and the list beside it with the same stem.
std::vector<std::string> Lists()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(DataFolder())) {
        if (entry.path().extension() == ".expected")
            names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::filesystem::path ListFile(const std::string& stem)
{
    for (const auto& entry : std::filesystem::directory_iterator(DataFolder())) {
        if (entry.path().stem() == stem && entry.path().extension() != ".expected")
            return entry.path();
    }
    return {};
}

// The first line of the dump ("length SECONDS") is the test's input.
Micros LengthOf(const std::string& expected)
{
    std::istringstream in(expected);
    std::string word;
    std::string seconds;
    in >> word >> seconds;
    Micros length = 0;
    EXPECT_EQ(word, "length");
    EXPECT_TRUE(ts::ParseSeconds(seconds, length)) << seconds;
    return length;
}

std::string Dump(Tracklist list, Micros length, const std::string& lengthLine)
{
    std::string out = lengthLine + "\nformat " + list.format + "\n";
    std::vector<Micros> starts;
    std::string error;
    if (!CTracklistReader::Resolve(list, length, starts, error))
        return out + "error " + error + "\n";
    out += std::string("durations ") + (list.durations ? "yes" : "no") + "\n";
    if (!list.discTitle.empty() || !list.discPerformer.empty())
        out += "disc " + list.discPerformer + " | " + list.discTitle + "\n";
    for (std::size_t i = 0; i < starts.size(); ++i)
        out += ts::ClockTextMillis(starts[i]) + " | " + list.entries[i].performer + " | " + list.entries[i].title + "\n";
    for (const SkippedLine& line : list.skipped)
        out += "skip " + std::to_string(line.line) + " | " + line.reason + "\n";
    return out;
}

class TracklistFile : public testing::TestWithParam<std::string> {};

TEST_P(TracklistFile, ReadsAsExpected)
{
    const std::filesystem::path list = ListFile(GetParam());
    ASSERT_FALSE(list.empty()) << GetParam();
    const std::string expected = ReadAll(DataFolder() / (GetParam() + ".expected"));
    const std::string lengthLine = expected.substr(0, expected.find('\n'));
    EXPECT_EQ(Dump(CTracklistReader::Read(ReadAll(list)), LengthOf(expected), lengthLine), expected);
}

INSTANTIATE_TEST_SUITE_P(Data, TracklistFile, testing::ValuesIn(Lists()),
                         [](const testing::TestParamInfo<std::string>& p) {
                             std::string name = p.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(TracklistFiles, AreThere)
{
    EXPECT_GE(Lists().size(), 12u) << DataFolder();
}

// Chapters as a sheet gives them: names with the characters each format
// must escape, starts on CD frames, one past four hours.
ChapterList SampleChapters()
{
    ChapterList list;
    list.title = "Live = \"Loud\"; & more";
    list.performer = "Various";
    const std::int64_t frames[] = {0, 3 * 60 * 75 + 17, 61 * 60 * 75 + 74, 4 * 3600 * 75 + 33};
    const char* const performers[] = {"", "Crosby, Stills & Nash", "A <B> \\ C", "Solo"};
    const char* const titles[] = {"Intro", "Suite; \"Judy\" # 1", "Caf\xC3\xA9 = Bar", "Long Jam"};
    for (int i = 0; i < 4; ++i)
        list.chapters.push_back({ts::MicrosOfCdFrames(frames[i]), 0, performers[i], titles[i]});
    for (std::size_t i = 0; i + 1 < list.chapters.size(); ++i)
        list.chapters[i].end = list.chapters[i + 1].start;
    list.chapters.back().end = ts::MicrosOfCdFrames(5 * 3600 * 75);
    return list;
}

class WrittenFormat : public testing::TestWithParam<std::string> {};

// What is written reads back as the same starts (to the CD frame, or to
// the second where the format writes whole seconds) and names.
TEST_P(WrittenFormat, ReadsBackAsWritten)
{
    CTracklistWriter::Format format{};
    ASSERT_TRUE(CTracklistWriter::ParseFormat(GetParam(), format));
    const ChapterList chapters = SampleChapters();
    const std::string text = CTracklistWriter::Write(format, chapters);
    Tracklist list = CTracklistReader::Read(text);
    EXPECT_TRUE(list.skipped.empty()) << text;
    std::vector<Micros> starts;
    std::string error;
    ASSERT_TRUE(CTracklistReader::Resolve(list, chapters.chapters.back().end, starts, error)) << error << "\n" << text;
    ASSERT_EQ(starts.size(), chapters.chapters.size()) << text;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const Chapter& c = chapters.chapters[i];
        if (format == CTracklistWriter::Format::YouTube)
            EXPECT_EQ(starts[i] / kMicrosPerSecond, c.start / kMicrosPerSecond) << i;
        else
            EXPECT_EQ(ts::CdFramesOf(starts[i]), ts::CdFramesOf(c.start)) << i;
        EXPECT_EQ(list.entries[i].performer, c.performer) << i << "\n" << text;
        EXPECT_EQ(list.entries[i].title, c.title) << i << "\n" << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, WrittenFormat, testing::Values("youtube", "audacity", "ffmetadata", "matroska", "csv"));

TEST(WrittenFormat, YouTubeWritesHoursOnlyWhenNeeded)
{
    const std::string text = CTracklistWriter::Write(CTracklistWriter::Format::YouTube, SampleChapters());
    EXPECT_EQ(text, "0:00 Intro\n"
                    "3:00 Crosby, Stills & Nash - Suite; \"Judy\" # 1\n"
                    "1:01:00 A <B> \\ C - Caf\xC3\xA9 = Bar\n"
                    "4:00:00 Solo - Long Jam\n");
}

TEST(WrittenFormat, UnknownNamesAreRefused)
{
    CTracklistWriter::Format format{};
    for (const char* name : {"", "YouTube", "cue", "json", "mkv"})
        EXPECT_FALSE(CTracklistWriter::ParseFormat(name, format)) << name;
}

// A sheet of 120 tracks over 160 hours: numbers past 99, minutes past 255
// and up to 9999.
TEST(AlbumSheet, NumbersPast99AndMinutesPast255)
{
    CAlbumSheet sheet;
    sheet.files.push_back({"mix.flac", {}});
    for (int i = 0; i < 120; ++i) {
        CAlbumSheet::Track track;
        track.start = ts::MicrosOfCdFrames(std::int64_t(i) * 5000 * 75);
        track.title = "Part " + std::to_string(i + 1);
        sheet.files.back().tracks.push_back(track);
    }
    sheet.files.back().tracks.back().start = ts::MicrosOfCdFrames((9999LL * 60 + 59) * 75 + 74);
    const std::string text = sheet.Text();
    EXPECT_NE(text.find("  TRACK 99 AUDIO\n"), std::string::npos);
    EXPECT_NE(text.find("  TRACK 100 AUDIO\n    TITLE \"Part 100\"\n    INDEX 01 8250:00:00\n"), std::string::npos);
    EXPECT_NE(text.find("  TRACK 120 AUDIO\n    TITLE \"Part 120\"\n    INDEX 01 9999:59:74\n"), std::string::npos);
}

TEST(AlbumSheet, FirstTrackStartingLateKeepsItsStart)
{
    Tracklist list = CTracklistReader::Read("0:30 One\n4:00 Two \"Live\"\n");
    std::vector<Micros> starts;
    std::string error;
    ASSERT_TRUE(CTracklistReader::Resolve(list, 600 * kMicrosPerSecond, starts, error)) << error;
    EXPECT_EQ(CAlbumSheet::FromTracklist("a.wav", list, starts).Text(),
              "FILE \"a.wav\" WAVE\n"
              "  TRACK 01 AUDIO\n    TITLE \"One\"\n    INDEX 00 00:00:00\n    INDEX 01 00:30:00\n"
              "  TRACK 02 AUDIO\n    TITLE \"Two 'Live'\"\n    INDEX 01 04:00:00\n");
}

struct ChapterCase {
    const char* name;
    const char* sheet;
    std::vector<Micros> lengths; // a file each, -1 unknown
    bool needEnd;
    std::string expected; // "start-end performer/title;" a chapter, or the error
};

void PrintTo(const ChapterCase& value, std::ostream* os)
{
    *os << value.name;
}


class SheetChapterCase : public SheetFixture, public testing::WithParamInterface<ChapterCase> {};

TEST_P(SheetChapterCase, Chapters)
{
    const ChapterCase& c = GetParam();
    ASSERT_TRUE(Open(c.sheet));
    int file = 0;
    std::vector<std::string> names;
    const auto length = [&](const std::string& name) {
        names.push_back(name);
        return c.lengths.at(static_cast<std::size_t>(file++));
    };
    ChapterList list;
    std::string error;
    std::string got;
    if (ts::SheetChapters(*doc, length, c.needEnd, list, error)) {
        for (const Chapter& ch : list.chapters)
            got += std::to_string(ts::CdFramesOf(ch.start)) + "-" + std::to_string(ts::CdFramesOf(ch.end)) + " " +
                   ch.performer + "/" + ch.title + ";";
    } else {
        got = error;
    }
    EXPECT_EQ(got, c.expected);
}

const Micros kTenSeconds = 10 * kMicrosPerSecond;

INSTANTIATE_TEST_SUITE_P(
    Sheets, SheetChapterCase,
    testing::Values(
        ChapterCase{"OneFile",
                    "PERFORMER \"Disc\"\nFILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    TITLE \"One\"\n    INDEX 01 00:00:00\n"
                    "  TRACK 02 AUDIO\n    PERFORMER \"Guest\"\n    TITLE \"Two\"\n    INDEX 00 00:04:00\n    INDEX 01 00:05:00\n",
                    {kTenSeconds}, true, "0-375 /One;375-750 Guest/Two;"},
        ChapterCase{"FilesFollowEachOther",
                    "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                    "FILE \"b.wav\" WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n  TRACK 03 AUDIO\n    INDEX 01 00:02:00\n",
                    {kTenSeconds, kTenSeconds}, true, "0-750 /;750-900 /;900-1500 /;"},
        ChapterCase{"UnknownLastLengthWithoutEnds",
                    "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 00:03:00\n",
                    {-1}, false, "0-225 /;225-225 /;"},
        ChapterCase{"UnknownLastLengthWithEnds",
                    "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n", {-1}, true,
                    "the length of \"a.wav\" is not known"},
        ChapterCase{"UnknownEarlierLength",
                    "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                    "FILE \"b.wav\" WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n",
                    {-1, kTenSeconds}, false, "the length of \"a.wav\" is not known"}),
    [](const testing::TestParamInfo<ChapterCase>& p) { return std::string(p.param.name); });

} // namespace
