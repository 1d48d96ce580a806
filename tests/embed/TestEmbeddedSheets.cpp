// Sheets kept in FLAC and WavPack files: files made with flac, metaflac,
// sox and wavpack, opened and saved through the document as the editor
// does, and what was written read back with the same tools.
#include "document/CQuillDoc.h"
#include "embed/CTagSheetStore.h"
#include "model/CCueFile.h"
#include "platform/CScriptedPrompts.h"
#include "support/TempDir.h"
#include "PeerRun.h"

#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::string DataFile(const std::string& name)
{
    return ReadFileBytes(std::string(TS_TEST_DATA_DIR) + "/embed/" + name);
}

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

class EmbeddedSheets : public ::testing::Test
{
protected:
    TempDir dir;
    CScriptedPrompts prompts;
    CPromptsScope scope{prompts};
    std::string failStep;
    CTagSheetStore store{[this](std::string_view step) { return step == failStep; }};
    IEmbeddedSheetStore* previous = nullptr;

    void SetUp() override
    {
        for (const char* tool : {"flac", "metaflac", "sox", "wavpack", "wvunpack", "ffmpeg", "md5sum"}) {
            if (!PeerRun::Installed(tool))
                GTEST_SKIP() << tool << " is not installed";
        }
        previous = IEmbeddedSheetStore::Install(&store);
    }
    void TearDown() override { IEmbeddedSheetStore::Install(previous); }

    // Runs a shell command in the folder; its standard output.
    std::string Run(const std::string& command)
    {
        const PeerRun run = PeerRun::Run(dir.Path().string(), command);
        EXPECT_EQ(run.exitCode, 0) << command << "\n" << run.err;
        return run.out;
    }
    // 40 s of two tones at CD quality: a whole number of CD frames.
    std::string MakeWave(const std::string& name)
    {
        Run("sox -n -r 44100 -b 16 -c 2 " + name + " synth 40 sine 440 sine 661 vol 0.3");
        return dir.File(name);
    }
    std::string MakeFlac(const std::string& name, const std::string& options = "")
    {
        MakeWave("source.wav");
        Run("flac --silent -f " + options + " source.wav -o " + PeerRun::Quote(name));
        return dir.File(name);
    }
    std::string MakeWavPack(const std::string& name, const std::string& options = "")
    {
        MakeWave("source.wav");
        Run("wavpack -q -y " + options + " source.wav -o " + PeerRun::Quote(name));
        return dir.File(name);
    }
    std::string Data(const std::string& name) { return dir.Write(name, DataFile(name)); }
    // The decoded samples' MD5: the audio, whatever the tags.
    std::string AudioMd5(const std::string& name)
    {
        if (name.ends_with(".wv"))
            return Run("wvunpack -q -r " + PeerRun::Quote(name) + " -o - | md5sum");
        return Run("flac --silent -d -c --force-raw-format --endian=little --sign=signed " + PeerRun::Quote(name)
                   + " | md5sum");
    }
    // The CUESHEET comment of a FLAC file as metaflac stores it, when it is
    // the last comment.
    std::string FlacTag(const std::string& name)
    {
        const std::string tags = Run("metaflac --export-tags-to=- " + PeerRun::Quote(name));
        const auto at = tags.find("CUESHEET=");
        if (at == std::string::npos)
            return {};
        std::string value = tags.substr(at + 9);
        if (!value.empty() && value.back() == '\n')
            value.pop_back();
        return value;
    }
    std::vector<std::string> FolderEntries()
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// The CUESHEET block as metaflac exports it; only the FILE line differs:
// our own name for the file and the WAVE type word that libcue accepts.
class BlockText : public EmbeddedSheets, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(BlockText, IsWhatMetaflacExportsAndOpensAsTheFilesSheet)
{
    const std::string flac = MakeFlac("Disc One.flac");
    Run(std::string("metaflac --import-cuesheet-from=") + PeerRun::Quote(Data(GetParam())) + " 'Disc One.flac'");
    std::string expected = Run("metaflac --export-cuesheet-to=- 'Disc One.flac'");
    const auto line = expected.find("FILE ");
    ASSERT_NE(line, std::string::npos);
    expected.replace(line, expected.find('\n', line) - line, "FILE \"Disc One.flac\" WAVE");

    EmbeddedSheetData data;
    std::string reason;
    ASSERT_TRUE(store.Read(flac, data, reason)) << reason;
    EXPECT_FALSE(data.hasTag);
    ASSERT_TRUE(data.hasBlock);
    EXPECT_EQ(data.blockText, expected);

    CQuillDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(flac));
    EXPECT_TRUE(prompts.Lines().empty()) << prompts.Lines().front();
    ASSERT_EQ(doc.FileCount(), 1);
    EXPECT_EQ(doc.File(0)->Name(), "Disc One.flac");
    EXPECT_FALSE(doc.IsModified());
    // The sheet the document saves reads back in metaflac as the same block.
    const std::string saved = dir.Write("saved.cue", doc.SheetText());
    MakeFlac("copy.flac");
    Run("metaflac --import-cuesheet-from=saved.cue copy.flac");
    EXPECT_EQ(Run("metaflac --export-cuesheet-to=- copy.flac | grep -v '^FILE '"),
              Run("metaflac --export-cuesheet-to=- 'Disc One.flac' | grep -v '^FILE '"));
}

INSTANTIATE_TEST_SUITE_P(Sheets, BlockText,
                         ::testing::Values("block-pregaps.cue", "block-one-track.cue", "block-hidden-track.cue"));

// A block not made for a CD counts in samples of its own rate: it opens in
// CD frames, and an index between two frames is named.
struct RateCase {
    const char* name;
    const char* sheet;
    std::vector<std::string> messages;
};

class NonCdBlock : public EmbeddedSheets, public ::testing::WithParamInterface<RateCase>
{
};

TEST_P(NonCdBlock, OpensInCdFrames)
{
    const RateCase& c = GetParam();
    Run("sox -n -r 48000 -b 16 -c 2 source.wav synth 30 sine 440 vol 0.3 && flac --silent source.wav -o hd.flac");
    Run("metaflac --import-cuesheet-from=" + Data(c.sheet) + " hd.flac");
    CQuillDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("hd.flac")));
    EXPECT_EQ(prompts.Lines(), c.messages);
    EXPECT_EQ(doc.SheetText(), "FILE hd.flac WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n"
                               "    INDEX 01 00:10:01\n    REM FLAC__lead-in 0\n    REM FLAC__lead-out 255 1440000\n");
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, NonCdBlock,
    ::testing::Values(RateCase{"OnFrames", "block-48k-frames.cue", {}},
                      RateCase{"BetweenFrames",
                               "block-48k-samples.cue",
                               {"Warning: Warning:  The CUESHEET block of \"hd.flac\" puts TRACK 02 INDEX 01 between "
                                "two CD frames; it opens at the frame before.\n"}}),
    [](const ::testing::TestParamInfo<RateCase>& param) { return std::string(param.param.name); });

// Which sheet opens, and what it says, for a file with a tag, a block or
// both.
struct OpenCase {
    const char* name;
    const char* tagSheet;   // set with metaflac --set-tag-from-file, or null
    const char* blockSheet; // imported as the CUESHEET block, or null
    int tracks;             // of the sheet that opens
    std::vector<std::string> messages;
};

class OpenFlac : public EmbeddedSheets, public ::testing::WithParamInterface<OpenCase>
{
};

TEST_P(OpenFlac, OpensTheTagElseTheBlock)
{
    const OpenCase& c = GetParam();
    const std::string flac = MakeFlac("album.flac");
    if (c.blockSheet)
        Run("metaflac --import-cuesheet-from=" + Data(c.blockSheet) + " album.flac");
    // metaflac takes UTF-8 only; ffmpeg stores any bytes, as old taggers did.
    if (c.tagSheet && std::string(c.tagSheet).find("1252") != std::string::npos)
        Run("ffmpeg -v error -i album.flac -c copy -metadata CUESHEET=\"$(cat " + Data(c.tagSheet)
            + ")\" tagged.flac && mv tagged.flac album.flac");
    else if (c.tagSheet)
        Run("metaflac --set-tag-from-file=CUESHEET=" + Data(c.tagSheet) + " album.flac");
    CQuillDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(flac));
    EXPECT_EQ(prompts.Lines(), c.messages);
    ASSERT_EQ(doc.FileCount(), 1);
    EXPECT_EQ(doc.File(0)->Name(), "album.flac");
    EXPECT_EQ(doc.File(0)->TrackCount(), c.tracks);
    EXPECT_FALSE(doc.IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenFlac,
    ::testing::Values(
        OpenCase{"TagAlone", "eac-range.cue", nullptr, 3, {}},
        OpenCase{"BlockAlone", nullptr, "block-pregaps.cue", 3, {}},
        OpenCase{"TagAndBlockAgree", "eac-range.cue", "block-pregaps.cue", 3, {}},
        OpenCase{"TagAndBlockDiffer",
                 "tag-other-layout.cue",
                 "block-pregaps.cue",
                 2,
                 {"Warning: Warning:  The CUESHEET Vorbis comment and the CUESHEET block of \"album.flac\" differ; "
                  "the tag's sheet is opened.\n"}},
        OpenCase{"TagWithoutFileLine", "tag-no-file-line.cue", nullptr, 2, {}},
        OpenCase{"TagInWindows1252",
                 "tag-windows-1252.cue",
                 nullptr,
                 1,
                 {"Warning: Warning:  The CUESHEET Vorbis comment of \"album.flac\" is not UTF-8 text; it is read as "
                  "Windows-1252.\n"}}),
    [](const ::testing::TestParamInfo<OpenCase>& param) { return std::string(param.param.name); });

// Save puts the sheet into the tag and changes nothing else: the audio,
// the other comments and the CUESHEET block stay.
struct SaveCase {
    const char* name;
    const char* flacOptions;
    bool tagFirst; // the file already has a CUESHEET comment
};

class SaveFlac : public EmbeddedSheets, public ::testing::WithParamInterface<SaveCase>
{
};

TEST_P(SaveFlac, WritesOnlyTheTag)
{
    const SaveCase& c = GetParam();
    const std::string flac = MakeFlac("album.flac", c.flacOptions);
    Run("metaflac --import-cuesheet-from=" + Data("block-pregaps.cue") + " --set-tag=TITLE=Live album.flac");
    if (c.tagFirst)
        Run("metaflac --set-tag-from-file=CUESHEET=" + Data("eac-range.cue") + " album.flac");
    const std::string audio = AudioMd5("album.flac");
    const std::string streamMd5 = Run("metaflac --show-md5sum album.flac");
    const std::string block = Run("metaflac --export-cuesheet-to=- album.flac");

    CQuillDoc doc;
    ASSERT_TRUE(doc.OpenDocumentFile(flac));
    doc.RemoveTopLevel(doc.TopLevelItem(0)); // a change: the first line goes
    ASSERT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.DoFileSave());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(prompts.Lines().empty()) << prompts.Lines().front();

    EXPECT_EQ(FlacTag("album.flac"), WithCrLf(doc.SheetText()));
    EXPECT_NE(Run("metaflac --export-tags-to=- album.flac").find("TITLE=Live\n"), std::string::npos);
    EXPECT_EQ(Run("metaflac --export-cuesheet-to=- album.flac"), block);
    EXPECT_EQ(Run("metaflac --show-md5sum album.flac"), streamMd5);
    EXPECT_EQ(AudioMd5("album.flac"), audio);
    Run("flac --silent -t album.flac");
    // No copy is left behind.
    std::vector<std::string> files{"album.flac", "block-pregaps.cue", "eac-range.cue", "source.wav"};
    if (!c.tagFirst)
        files.erase(files.begin() + 2);
    EXPECT_EQ(FolderEntries(), files);

    // The sheet saved opens again as it was saved.
    CQuillDoc again;
    ASSERT_TRUE(again.OnOpenDocument(flac));
    EXPECT_EQ(again.SheetText(), doc.SheetText());
}

INSTANTIATE_TEST_SUITE_P(Files, SaveFlac,
                         ::testing::Values(SaveCase{"WithPadding", "", false},
                                           SaveCase{"WithoutPadding", "--no-padding", false},
                                           SaveCase{"ReplacingTheTag", "--no-padding", true}),
                         [](const ::testing::TestParamInfo<SaveCase>& param) { return std::string(param.param.name); });

TEST_F(EmbeddedSheets, WavPackOpensAndSavesItsApeTag)
{
    const std::string wv = MakeWavPack("album.wv", "-w Cuesheet=@" + Data("eac-range.cue"));
    const std::string audio = AudioMd5("album.wv");
    CQuillDoc doc;
    ASSERT_TRUE(doc.OpenDocumentFile(wv));
    EXPECT_TRUE(prompts.Lines().empty()) << prompts.Lines().front();
    ASSERT_EQ(doc.FileCount(), 1);
    EXPECT_EQ(doc.File(0)->Name(), "album.wv");
    EXPECT_EQ(doc.File(0)->TrackCount(), 3);

    doc.RemoveTopLevel(doc.TopLevelItem(0));
    ASSERT_TRUE(doc.DoFileSave());
    // wvunpack shows the sheet with its own line ends.
    EXPECT_EQ(Run("wvunpack -q -c album.wv"), doc.SheetText());
    EXPECT_EQ(AudioMd5("album.wv"), audio);
    Run("wvunpack -q -v album.wv");
}

// TagLib reads an APEv2 item only as UTF-8: one in the Windows code page is
// refused, for opening and for saving, rather than shown empty and replaced.
TEST_F(EmbeddedSheets, WavPackTagNotInUtf8IsRefused)
{
    const std::string wv = MakeWavPack("album.wv", "-w Cuesheet=@" + Data("tag-windows-1252.cue"));
    const std::string before = ReadFileBytes(wv);
    CQuillDoc doc;
    EXPECT_FALSE(doc.OpenDocumentFile(wv));
    const std::string reason = "its CUESHEET APEv2 tag is not UTF-8 text and cannot be read";
    EXPECT_EQ(prompts.Lines(), (std::vector<std::string>{"Error: Cannot open \"" + wv + "\": " + reason}));
    prompts.Clear();
    dir.Write("album.cue", "FILE album.wv WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    ASSERT_TRUE(doc.OpenDocumentFile(dir.File("album.cue")));
    EXPECT_FALSE(doc.DoSave(wv));
    EXPECT_EQ(prompts.Lines(), (std::vector<std::string>{"Error: Cannot save \"" + wv + "\": " + reason}));
    EXPECT_TRUE(ReadFileBytes(wv) == before);
}

// A save that fails at any step, or is refused, leaves the file as it was
// and no copy behind.
struct FailCase {
    const char* name;
    const char* file;
    const char* step; // the step the store fails, or "" for none
    bool readOnly;
    const char* reason;
};

class FailedSave : public EmbeddedSheets, public ::testing::WithParamInterface<FailCase>
{
};

TEST_P(FailedSave, LeavesTheFileAsItWas)
{
    const FailCase& c = GetParam();
    const std::string name = c.file;
    const std::string path = name.ends_with(".wv") ? MakeWavPack(name, "-w Cuesheet=@" + Data("eac-range.cue"))
                                                   : MakeFlac(name);
    if (name.ends_with(".flac"))
        Run("metaflac --set-tag-from-file=CUESHEET=" + Data("eac-range.cue") + " " + name);
    fs::remove(dir.File("source.wav"));
    fs::remove(dir.File("eac-range.cue"));
    CQuillDoc doc;
    ASSERT_TRUE(doc.OpenDocumentFile(path));
    doc.RemoveTopLevel(doc.TopLevelItem(0));
    const std::string before = ReadFileBytes(path);
    if (c.readOnly)
        ::chmod(path.c_str(), 0444);
    failStep = c.step;

    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_EQ(prompts.Lines(), (std::vector<std::string>{"Error: Cannot save \"" + path + "\": " + c.reason}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(ReadFileBytes(path) == before);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{name});
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailedSave,
    ::testing::Values(FailCase{"FlacCopy", "album.flac", "copy", false, "No space left on device"},
                      FailCase{"FlacEdit", "album.flac", "edit", false, "No space left on device"},
                      FailCase{"FlacCommit", "album.flac", "commit", false, "No space left on device"},
                      FailCase{"FlacReadOnly", "album.flac", "", true, "The file is read-only"},
                      FailCase{"WavPackCommit", "album.wv", "commit", false, "No space left on device"},
                      FailCase{"WavPackReadOnly", "album.wv", "", true, "The file is read-only"}),
    [](const ::testing::TestParamInfo<FailCase>& param) { return std::string(param.param.name); });

// Files that carry no sheet, or are not what their name says, are named
// with the reason and open nothing.
struct BadCase {
    const char* name;
    const char* file;
    const char* reason;
};

class BadAudio : public EmbeddedSheets, public ::testing::WithParamInterface<BadCase>
{
};

TEST_P(BadAudio, IsRefusedWithItsReason)
{
    const BadCase& c = GetParam();
    const std::string name = c.file;
    std::string path = dir.File(name);
    if (name == "plain.flac")
        MakeFlac(name);
    else if (name == "plain.wv")
        MakeWavPack(name);
    else if (name == "fifo.flac")
        ::mkfifo(path.c_str(), 0644);
    else
        dir.Write(name, "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    CQuillDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_EQ(prompts.Lines(), (std::vector<std::string>{"Error: Cannot open \"" + path + "\": " + c.reason}));
    EXPECT_EQ(doc.FileCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadAudio,
    ::testing::Values(BadCase{"FlacWithoutSheet", "plain.flac", "it carries no cue sheet (no CUESHEET tag or block)"},
                      BadCase{"WavPackWithoutSheet", "plain.wv", "it carries no cue sheet (no CUESHEET tag or block)"},
                      BadCase{"TextNamedFlac", "sheet.flac", "it is not a FLAC file"},
                      BadCase{"TextNamedWavPack", "sheet.wv", "it is not a WavPack file"},
                      BadCase{"Fifo", "fifo.flac", "Is a named pipe (FIFO), not a regular file"}),
    [](const ::testing::TestParamInfo<BadCase>& param) { return std::string(param.param.name); });

} // namespace
