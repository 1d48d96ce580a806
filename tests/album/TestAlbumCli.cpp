// tracksmith-cli new, import, export, detect and chapters on audio that sox,
// ffmpeg and flac make, the sheets read back with libcue's cueprint and
// cuebreakpoints, the chapters with ffprobe, mkvmerge and metaflac.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "audio/WaveFixtures.h"
#include "support/TempDir.h"

using wavetest::Quote;
using wavetest::Run;

namespace {

const std::string kCli = TS_CLI_PATH;

struct Result {
    int code = 0;
    std::string out;
    std::string err;
};

Result Cli(const TempDir& dir, const std::string& args)
{
    Result r;
    const std::string errFile = dir.File("stderr.txt");
    r.code = Run("cd " + Quote(dir.Path().string()) + " && " + Quote(kCli) + " " + args + " 2>" + Quote(errFile), &r.out);
    r.err = ReadFileBytes(errFile);
    return r;
}

int Sh(const TempDir& dir, const std::string& command, std::string* out = nullptr)
{
    return Run("cd " + Quote(dir.Path().string()) + " && " + command, out);
}

// Seconds of each breakpoint cuebreakpoints prints ("m:ss.ff" a line).
std::vector<double> Breakpoints(const TempDir& dir, const std::string& sheet, const std::string& options = {})
{
    std::string out;
    EXPECT_EQ(Sh(dir, "cuebreakpoints " + options + " " + Quote(sheet), &out), 0) << sheet;
    std::vector<double> points;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        const auto colon = line.find(':');
        const auto dot = line.find('.');
        if (colon == std::string::npos || dot == std::string::npos)
            continue;
        points.push_back(std::stod(line.substr(0, colon)) * 60 + std::stod(line.substr(colon + 1, dot - colon - 1)) +
                         std::stod(line.substr(dot + 1)) / 75.0);
    }
    return points;
}

class AlbumCli : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(wavetest::SoxProblem(), "");
        ASSERT_EQ(wavetest::Run("command -v ffmpeg ffprobe flac metaflac mkvmerge cueprint cuebreakpoints python3 >/dev/null"), 0);
    }

    // A tone of the given seconds at 44.1 kHz stereo.
    void Tone(const std::string& name, double seconds)
    {
        ASSERT_EQ(Sh(dir, "sox -D -n -r 44100 -c 2 -b 16 " + Quote(name) + " synth " + std::to_string(seconds) +
                              " sine 440 gain -10"),
                  0);
    }

    TempDir dir;
};

TEST_F(AlbumCli, NewNamesTracksAndDiscFromTags)
{
    Tone("one.flac", 3);
    Tone("two.flac", 2);
    ASSERT_EQ(Sh(dir, "metaflac --set-tag='TITLE=First \"Song\"' --set-tag=ARTIST=Band --set-tag=ALBUM=Record "
                      "--set-tag=ALBUMARTIST='The Band' --set-tag=DATE=1999 --set-tag=GENRE=Rock "
                      "--set-tag=COMPOSER=Writer --set-tag=ISRC=USKST0600002 one.flac"),
              0);
    ASSERT_EQ(Sh(dir, "ffmpeg -v error -i two.flac -c:a libmp3lame -b:a 128k -metadata title=Second -metadata "
                      "artist=Guest two.mp3"),
              0);
    const Result r = Cli(dir, "new one.flac two.mp3");
    ASSERT_EQ(r.code, 0) << r.err;
    dir.Write("new.cue", r.out);
    std::string disc;
    ASSERT_EQ(Sh(dir, "cueprint -d '%P|%T\\n' -t '' new.cue", &disc), 0);
    EXPECT_EQ(disc.substr(0, disc.find('\n')), "The Band|Record");
    std::string tracks;
    ASSERT_EQ(Sh(dir, "cueprint -d '' -t '%n|%p|%t|%s|%i\\n' new.cue", &tracks), 0);
    EXPECT_EQ(tracks, "1|Band|First 'Song'|Writer|USKST0600002\n2|Guest|Second||\n");
    EXPECT_NE(r.out.find("REM DATE 1999\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("REM GENRE \"Rock\"\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("FILE \"two.mp3\" MP3\n"), std::string::npos) << r.out;
}

struct BadRun {
    const char* name;
    const char* args;
    int code;
    const char* message; // a part of what standard error says
};

void PrintTo(const BadRun& value, std::ostream* os)
{
    *os << value.name;
}


class AlbumCliRefuses : public AlbumCli, public testing::WithParamInterface<BadRun> {};

// Bad input gets a clear message, prints nothing and writes nothing.
TEST_P(AlbumCliRefuses, WithAMessage)
{
    Tone("a.flac", 30);
    dir.Write("list.txt", "0:00 One\n0:10 Two\n0:40 Three\n");
    dir.Write("binary.txt", std::string("0:00 One\0\x01\x02", 11));
    dir.Write("notaudio.flac", "this is no audio at all");
    dir.Write("a.cue", "FILE \"a.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 00:10:00\n");
    dir.Write("missing.cue", "FILE \"gone.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    const auto before = std::distance(std::filesystem::directory_iterator(dir.Path()), {});
    const std::string sheet = ReadFileBytes(dir.File("a.cue"));
    const Result r = Cli(dir, GetParam().args);
    EXPECT_EQ(ReadFileBytes(dir.File("a.cue")), sheet);
    EXPECT_EQ(r.code, GetParam().code) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    // Only the captured standard error is new.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), before + 1);
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, AlbumCliRefuses,
    testing::Values(
        BadRun{"ImportPastTheEnd", "import list.txt a.flac", 1,
               "The tracklist cannot be laid on \"a.flac\": the track of line 3 starts at 00:00:40.000, at or past "
               "the end of the audio (00:00:30.000)"},
        BadRun{"ImportBinaryList", "import binary.txt a.flac", 1, "\"binary.txt\" is no tracklist: it is not text"},
        BadRun{"ImportMissingAudio", "import list.txt gone.flac", 1, "\"gone.flac\" cannot be read: no such file"},
        BadRun{"ImportFolderAsList", "import . a.flac", 1, "\".\" cannot be read"},
        BadRun{"NewNotAudio", "new a.flac notaudio.flac", 1, "\"notaudio.flac\" cannot be read"},
        BadRun{"DetectNotAudio", "detect notaudio.flac", 1, "\"notaudio.flac\" cannot be read"},
        BadRun{"DetectBadThreshold", "detect a.flac --threshold loud", 2, "usage"},
        BadRun{"ExportUnknownFormat", "export a.cue --format cue", 1, "Unknown tracklist format \"cue\""},
        BadRun{"ExportMissingAudio", "export missing.cue --format csv -o out.csv", 1, "cannot be read: no such file"},
        BadRun{"ExportOverTheSheet", "export a.cue --format csv -o a.cue", 1,
               "\"a.cue\" is the sheet or its audio: choose another name for the list"},
        BadRun{"ChaptersIntoWave", "chapters a.cue out.wav", 1, "\"out.wav\" cannot take chapters"},
        BadRun{"ChaptersOverTheSource", "chapters a.cue a.flac", 1, "choose another name for the copy"}),
    [](const testing::TestParamInfo<BadRun>& p) { return std::string(p.param.name); });

TEST_F(AlbumCli, ImportsAVideoDescriptionOntoTheAudio)
{
    Tone("mix.flac", 600);
    dir.Write("list.txt", "Live at the club\n\n0:00 Intro\n[1:30] DJ One - Opening (Edit)\n4:05.5 DJ Two - Peak\n"
                          "Thanks for listening!\n");
    const Result r = Cli(dir, "import list.txt mix.flac");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("\"list.txt\" line 1 skipped (no time at the start or end of the line): Live at the club"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("line 6 skipped"), std::string::npos) << r.err;
    dir.Write("mix.cue", r.out);
    const std::vector<double> points = Breakpoints(dir, "mix.cue");
    ASSERT_EQ(points.size(), 2u) << r.out;
    EXPECT_NEAR(points[0], 90.0, 0.001);
    EXPECT_NEAR(points[1], 245.5, 1.0 / 75);
    std::string names;
    ASSERT_EQ(Sh(dir, "cueprint -d '' -t '%n|%p|%t\\n' mix.cue", &names), 0);
    EXPECT_EQ(names, "1||Intro\n2|DJ One|Opening (Edit)\n3|DJ Two|Peak\n");
}

TEST_F(AlbumCli, ImportsTheChaptersOfAnAudiobook)
{
    Tone("book.flac", 40);
    dir.Write("chapters.txt", ";FFMETADATA1\ntitle=The Book\nartist=Author\n\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\n"
                              "END=12000\ntitle=Chapter One\n\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=12000\nEND=40000\n"
                              "title=Reader - Chapter Two\n");
    ASSERT_EQ(Sh(dir, "ffmpeg -v error -i book.flac -i chapters.txt -map 0:a -map_metadata 1 -map_chapters 1 "
                      "-c:a aac -b:a 64k book.m4b"),
              0);
    const Result r = Cli(dir, "import book.m4b book.flac");
    ASSERT_EQ(r.code, 0) << r.err;
    dir.Write("book.cue", r.out);
    const std::vector<double> points = Breakpoints(dir, "book.cue");
    ASSERT_EQ(points.size(), 1u) << r.out;
    EXPECT_NEAR(points[0], 12.0, 0.001);
    std::string names;
    ASSERT_EQ(Sh(dir, "cueprint -d '%P|%T\\n' -t '%n|%p|%t\\n' book.cue", &names), 0);
    EXPECT_EQ(names, "Author|The Book\n1||Chapter One\n2|Reader|Chapter Two\n");
}

// A four-and-a-half-hour audiobook (silence at 1 kHz, to be quick): starts
// past 255 minutes, and more than 99 tracks, numbered on. libcue reads no
// sheet of more than 99 tracks, so the long list is checked as printed.
TEST_F(AlbumCli, ImportsPast255MinutesAndPast99Tracks)
{
    ASSERT_EQ(Sh(dir, "ffmpeg -v error -f lavfi -i anullsrc=r=1000:cl=mono -t 16200 -c:a flac book.flac"), 0);
    dir.Write("chapters.txt", "0:00 Start\n2:00:00 Middle\n4:20:00.5 Epilogue\n");
    Result r = Cli(dir, "import chapters.txt book.flac");
    ASSERT_EQ(r.code, 0) << r.err;
    dir.Write("book.cue", r.out);
    const std::vector<double> points = Breakpoints(dir, "book.cue");
    ASSERT_EQ(points.size(), 2u) << r.out;
    EXPECT_NEAR(points[0], 7200.0, 0.001);
    EXPECT_NEAR(points[1], 15600.5, 1.0 / 75);

    std::string list;
    for (int i = 0; i < 120; ++i)
        list += std::to_string(i * 2 / 60) + ":" + (i * 2 % 60 < 10 ? "0" : "") + std::to_string(i * 2 % 60) +
                ":00 Part " + std::to_string(i + 1) + "\n";
    dir.Write("parts.txt", list);
    r = Cli(dir, "import parts.txt book.flac");
    ASSERT_EQ(r.code, 0) << r.err;
    std::size_t tracks = 0;
    for (std::size_t at = r.out.find("  TRACK "); at != std::string::npos; at = r.out.find("  TRACK ", at + 1))
        ++tracks;
    EXPECT_EQ(tracks, 120u);
    EXPECT_NE(r.out.find("  TRACK 99 AUDIO\n    TITLE \"Part 99\"\n    INDEX 01 196:00:00\n"), std::string::npos);
    EXPECT_NE(r.out.find("  TRACK 120 AUDIO\n    TITLE \"Part 120\"\n    INDEX 01 238:00:00\n"), std::string::npos);
}

// A sheet whose chapters every export is checked against: a gap before
// track 2 (chapters start at INDEX 01), a performer, and a title with the
// characters the formats escape.
const char* const kSheet = "PERFORMER \"Disc Band\"\nTITLE \"Disc = Title; #1\"\nFILE \"album.flac\" WAVE\n"
                           "  TRACK 01 AUDIO\n    TITLE \"Intro & Theme\"\n    INDEX 01 00:00:00\n"
                           "  TRACK 02 AUDIO\n    TITLE \"Second <Song>\"\n    PERFORMER \"Guest\"\n"
                           "    INDEX 00 00:09:00\n    INDEX 01 00:10:15\n"
                           "  TRACK 03 AUDIO\n    TITLE \"Third\"\n    INDEX 01 00:21:00\n";
const double kStarts[] = {0.0, 10.2, 21.0};
const double kEnd = 30.0;

// Chapters as ffprobe reads them: start, end and title a line.
std::string ProbeChapters(const TempDir& dir, const std::string& file)
{
    std::string out;
    EXPECT_EQ(Sh(dir, "ffprobe -v error -show_chapters -of csv=p=0 " + Quote(file), &out), 0) << file;
    return out;
}

class Exported : public AlbumCli
{
protected:
    void SetUp() override
    {
        AlbumCli::SetUp();
        Tone("album.flac", kEnd);
        dir.Write("album.cue", kSheet);
    }
};

TEST_F(Exported, FfMetadataIsTakenByFfmpeg)
{
    const Result r = Cli(dir, "export album.cue --format ffmetadata -o chapters.txt");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    ASSERT_EQ(Sh(dir, "ffmpeg -v error -i album.flac -i chapters.txt -map 0:a -map_metadata 1 -map_chapters 1 -c copy "
                      "out.mka"),
              0);
    // id, time base, start, start_time, end, end_time, title
    std::string want;
    const char* const titles[] = {"Intro & Theme", "Second <Song>", "Third"};
    for (int i = 0; i < 3; ++i) {
        char line[160];
        std::snprintf(line, sizeof line, "%.6f,%.6f,%s", kStarts[i], i < 2 ? kStarts[i + 1] : kEnd, titles[i]);
        want += line;
        want += "\n";
    }
    std::string got;
    std::istringstream in(ProbeChapters(dir, "out.mka"));
    for (std::string line; std::getline(in, line);) {
        // Drop the id, the time base and the raw start and end.
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');)
            cells.push_back(cell);
        ASSERT_GE(cells.size(), 7u) << line;
        got += cells[3] + "," + cells[5] + "," + cells[6] + "\n";
    }
    EXPECT_EQ(got, want);
    std::string title;
    ASSERT_EQ(Sh(dir, "ffprobe -v error -show_entries format_tags=title -of csv=p=0 out.mka", &title), 0);
    EXPECT_EQ(title, "Disc = Title; #1\n");
}

TEST_F(Exported, MatroskaXmlIsTakenByMkvmerge)
{
    ASSERT_EQ(Cli(dir, "export album.cue --format matroska -o chapters.xml").code, 0);
    std::string log;
    ASSERT_EQ(Sh(dir, "mkvmerge -o out.mka --chapters chapters.xml album.flac 2>&1", &log), 0) << log;
    const std::string chapters = ProbeChapters(dir, "out.mka");
    EXPECT_NE(chapters.find(",10.200000,"), std::string::npos) << chapters;
    EXPECT_NE(chapters.find(",Guest - Second <Song>"), std::string::npos) << chapters;
    EXPECT_NE(chapters.find(",30.000000,Third"), std::string::npos) << chapters;
}

TEST_F(Exported, PodcastJsonParses)
{
    const Result r = Cli(dir, "export album.cue --format podcast");
    ASSERT_EQ(r.code, 0) << r.err;
    dir.Write("chapters.json", r.out);
    std::string out;
    ASSERT_EQ(Sh(dir, "python3 -c 'import json,sys; d=json.load(open(\"chapters.json\")); "
                      "print(d[\"version\"], d[\"title\"]); "
                      "[print(c[\"startTime\"], c[\"endTime\"], c[\"title\"]) for c in d[\"chapters\"]]'",
                 &out),
              0)
        << r.out;
    EXPECT_EQ(out, "1.2.0 Disc = Title; #1\n0 10.2 Intro & Theme\n10.2 21 Guest - Second <Song>\n21 30 Third\n");
}

TEST_F(Exported, YouTubeAndCsvAndLabelsImportBack)
{
    for (const char* format : {"youtube", "csv", "audacity"}) {
        const Result r = Cli(dir, std::string("export album.cue --format ") + format + " -o list.txt");
        ASSERT_EQ(r.code, 0) << format << r.err;
        const Result back = Cli(dir, "import list.txt album.flac");
        ASSERT_EQ(back.code, 0) << format << back.err;
        EXPECT_EQ(back.err, "") << format;
        dir.Write("back.cue", back.out);
        std::string names;
        ASSERT_EQ(Sh(dir, "cueprint -d '' -t '%n|%p|%t\\n' back.cue", &names), 0);
        EXPECT_EQ(names, "1||Intro & Theme\n2|Guest|Second <Song>\n3||Third\n") << format;
        const std::vector<double> points = Breakpoints(dir, "back.cue");
        ASSERT_EQ(points.size(), 2u) << format;
        // YouTube lines carry whole seconds.
        const double slack = std::string(format) == "youtube" ? 1.0 : 1.0 / 75;
        EXPECT_NEAR(points[0], kStarts[1], slack) << format;
        EXPECT_NEAR(points[1], kStarts[2], slack) << format;
    }
}

struct Container {
    const char* name;
    const char* make;   // ffmpeg options that make the source from album.flac
    const char* source; // its name
    const char* target;
};

void PrintTo(const Container& value, std::ostream* os)
{
    *os << value.name;
}


class ChaptersInto : public Exported, public testing::WithParamInterface<Container> {};

// The copy has the sheet's chapters and the very packets of the source.
TEST_P(ChaptersInto, KeepsThePacketsAndAddsTheChapters)
{
    const Container& c = GetParam();
    if (std::string(c.source) != "album.flac") {
        ASSERT_EQ(Sh(dir, std::string("ffmpeg -v error -i album.flac ") + c.make + " " + c.source), 0);
    }
    std::string sheet = kSheet;
    sheet.replace(sheet.find("album.flac"), 10, c.source);
    dir.Write("sheet.cue", sheet);
    const Result r = Cli(dir, std::string("chapters sheet.cue ") + c.target);
    ASSERT_EQ(r.code, 0) << r.err;
    std::string before;
    std::string after;
    // Each packet's size and checksum; containers count time differently.
    ASSERT_EQ(Sh(dir, std::string("ffmpeg -v error -i ") + c.source +
                          " -map 0:a -c copy -f framemd5 - | grep -v '^#' | cut -d, -f5,6",
                 &before),
              0);
    ASSERT_EQ(Sh(dir, std::string("ffmpeg -v error -i ") + c.target +
                          " -map 0:a -c copy -f framemd5 - | grep -v '^#' | cut -d, -f5,6",
                 &after),
              0);
    EXPECT_FALSE(before.empty());
    EXPECT_EQ(before, after);
    if (std::string(c.target).ends_with(".flac")) {
        std::string tags;
        ASSERT_EQ(Sh(dir, std::string("metaflac --export-tags-to=- ") + c.target + " | grep ^CHAPTER", &tags), 0);
        EXPECT_EQ(tags, "CHAPTER001=00:00:00.000\nCHAPTER001NAME=Intro & Theme\nCHAPTER002=00:00:10.200\n"
                        "CHAPTER002NAME=Guest - Second <Song>\nCHAPTER003=00:00:21.000\nCHAPTER003NAME=Third\n");
        return;
    }
    const std::string chapters = ProbeChapters(dir, c.target);
    EXPECT_NE(chapters.find(",0.000000,"), std::string::npos) << chapters;
    EXPECT_NE(chapters.find(",10.200000,"), std::string::npos) << chapters;
    EXPECT_NE(chapters.find(",21.000000,"), std::string::npos) << chapters;
    EXPECT_NE(chapters.find("Third"), std::string::npos) << chapters;
}

INSTANTIATE_TEST_SUITE_P(Containers, ChaptersInto,
                         testing::Values(Container{"M4b", "-c:a aac -b:a 96k", "album.m4a", "book.m4b"},
                                         Container{"M4a", "-c:a alac", "album.m4a", "out.m4a"},
                                         Container{"Mka", "", "album.flac", "out.mka"},
                                         Container{"OggVorbis", "-c:a libvorbis", "album.ogg", "out.ogg"},
                                         Container{"Flac", "", "album.flac", "out.flac"}),
                         [](const testing::TestParamInfo<Container>& p) { return std::string(p.param.name); });

// Recordings with known song starts: songs with fades, gaps of two seconds
// or more, quiet passages of 1.5 seconds inside songs, over digital
// silence, a vinyl-like noise floor and tape hiss.
struct Recording {
    const char* name;
    const char* floor;  // sox synth arguments of the noise under everything, or ""
    double fadeIn;
    double fadeOut;
};

void PrintTo(const Recording& value, std::ostream* os)
{
    *os << value.name;
}


class Detect : public AlbumCli, public testing::WithParamInterface<Recording> {};

TEST_P(Detect, ProposesEveryStartAndNothingInsideASong)
{
    const Recording& rec = GetParam();
    // Song lengths; 0 a quiet passage inside the song, negative a gap.
    const double plan[] = {25, -2.0, 18, 0, 12, -3.0, 30, -2.5, 15, 0, 15};
    const std::size_t count = std::size(plan);
    std::vector<std::string> parts;
    std::vector<double> trueStarts;
    double at = 0;
    for (std::size_t n = 0; n < count; ++n) {
        const double len = plan[n];
        const std::string part = "part" + std::to_string(n) + ".wav";
        std::string synth;
        if (len < 0) {
            synth = "trim 0 " + std::to_string(-len);
        } else if (len == 0) {
            // The song drops to near nothing for 1.5 s and goes on.
            synth = "synth 1.5 sine 300 gain -70";
        } else {
            // Songs fade in after a gap and out before one; around a quiet
            // passage they stop and go on at once.
            const bool afterGap = n == 0 || plan[n - 1] < 0;
            const bool beforeGap = n + 1 == count || plan[n + 1] < 0;
            if (afterGap && n > 0)
                trueStarts.push_back(at);
            synth = "synth " + std::to_string(len) + " pinknoise sine 300 remix - gain -14 fade t " +
                    std::to_string(afterGap ? rec.fadeIn : 0.02) + " " + std::to_string(len) + " " +
                    std::to_string(beforeGap ? rec.fadeOut : 0.02);
        }
        at += len < 0 ? -len : len == 0 ? 1.5 : len;
        ASSERT_EQ(Sh(dir, "sox -D -n -r 44100 -c 2 -b 16 " + part + " " + synth), 0) << synth;
        parts.push_back(part);
    }
    std::string concat = "sox -D";
    for (const std::string& p : parts)
        concat += " " + p;
    ASSERT_EQ(Sh(dir, concat + " songs.wav"), 0);
    if (*rec.floor) {
        ASSERT_EQ(Sh(dir, "sox -D -n -r 44100 -c 2 -b 16 floor.wav synth " + std::to_string(at) + " " + rec.floor), 0);
        ASSERT_EQ(Sh(dir, "sox -D -m songs.wav floor.wav mixed.wav && flac -s -f -o rec.flac mixed.wav"), 0);
    } else {
        ASSERT_EQ(Sh(dir, "flac -s -f -o rec.flac songs.wav"), 0);
    }
    const Result r = Cli(dir, "detect rec.flac");
    ASSERT_EQ(r.code, 0) << r.err;
    dir.Write("rec.cue", r.out);
    const std::vector<double> points = Breakpoints(dir, "rec.cue");
    ASSERT_EQ(points.size(), trueStarts.size()) << r.out;
    for (std::size_t i = 0; i < points.size(); ++i)
        EXPECT_NEAR(points[i], trueStarts[i], 0.2) << "track " << i + 2 << "\n" << r.out;
    // INDEX 00 marks where the silence began: before the start, after the
    // song before it ended.
    const std::vector<double> gaps = Breakpoints(dir, "rec.cue", "--prepend-gaps");
    ASSERT_EQ(gaps.size(), points.size()) << r.out;
    for (std::size_t i = 0; i < gaps.size(); ++i) {
        EXPECT_LT(gaps[i], points[i]) << r.out;
        EXPECT_GT(gaps[i], trueStarts[i] - 3.5) << r.out;
    }
}

INSTANTIATE_TEST_SUITE_P(Recordings, Detect,
                         testing::Values(Recording{"CdImage", "", 0.5, 2.0},
                                         Recording{"CdImageHardEdges", "", 0.0, 0.0},
                                         Recording{"Vinyl", "pinknoise gain -46", 0.3, 1.5},
                                         Recording{"TapeHiss", "whitenoise gain -40 highpass 3000", 0.8, 3.0}),
                         [](const testing::TestParamInfo<Recording>& p) { return std::string(p.param.name); });

} // namespace
