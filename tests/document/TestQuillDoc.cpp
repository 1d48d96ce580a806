#include "model/CCueCatalog.h"
#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCueTrack.h"
#include "support/SheetFixture.h"

#include <filesystem>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

TEST_F(SheetFixture, TracksNumberedAcrossFiles)
{
    ASSERT_TRUE(Open(Lines({"FILE A.WAV WAVE", "TRACK 7 AUDIO", "INDEX 1 0", "TRACK 3 AUDIO", "INDEX 1 2",
                            "FILE B.WAV WAVE", "TRACK 9 AUDIO", "INDEX 1 0", "TRACK 9 AUDIO", "INDEX 1 3"})));
    EXPECT_EQ(Text(), Lines({"FILE A.WAV WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "  TRACK 02 AUDIO",
                             "    INDEX 01 02:00:00", "FILE B.WAV WAVE", "  TRACK 03 AUDIO", "    INDEX 01 00:00:00",
                             "  TRACK 04 AUDIO", "    INDEX 01 03:00:00"}));
}

TEST_F(SheetFixture, FirstTrackStartsAtZero)
{
    ASSERT_TRUE(Open(Lines({"FILE A.WAV WAVE", "TRACK 01 AUDIO", "INDEX 01 00:02:00"})));
    EXPECT_EQ(Text(), Lines({"FILE A.WAV WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "    INDEX 02 00:02:00"}));
    const std::string gap = Lines({"FILE A.WAV WAVE", "  TRACK 01 AUDIO", "    INDEX 00 00:00:00", "    INDEX 01 00:02:00"});
    ASSERT_TRUE(Open(gap));
    EXPECT_EQ(Text(), gap);
}

TEST_F(SheetFixture, UnsortedTracksAndIndexesAreOrdered)
{
    ASSERT_TRUE(Open(Lines({"FILE A.WAV WAVE", "TRACK 01 AUDIO", "INDEX 01 03:00:00", "TRACK 02 AUDIO",
                            "INDEX 01 00:00:00", "INDEX 00 05:00:00", "INDEX 03 01:00:00"})));
    // The INDEX 01 keeps its time: the INDEX 00 read after it is numbered on.
    EXPECT_EQ(Text(), Lines({"FILE A.WAV WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "    INDEX 02 01:00:00",
                             "    INDEX 03 05:00:00", "  TRACK 02 AUDIO", "    INDEX 01 03:00:00"}));
}

TEST_F(SheetFixture, NewDocumentSavesAsEmptyFile)
{
    ASSERT_TRUE(Open(Lines({"FILE A.WAV WAVE", "TRACK 01 AUDIO", "INDEX 01 0"})));
    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_EQ(doc->LineCount(), 0);
    EXPECT_EQ(doc->FileCount(), 0);
    EXPECT_FALSE(doc->HasCatalog());
    const std::string path = dir.File("new.cue");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_EQ(ReadFileBytes(path), "");
}

TEST_F(SheetFixture, SaveWritesCrLfAndClearsModified)
{
    ASSERT_TRUE(Open("FILE A.WAV WAVE\nTRACK 01 AUDIO\nINDEX 01 0\n"));
    doc->File(0)->SetName("B.WAV");
    EXPECT_TRUE(doc->IsModified());
    const std::string path = dir.File("out.cue");
    ASSERT_TRUE(doc->OnSaveDocument(path));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(ReadFileBytes(path), "FILE B.WAV WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n");
    // Nothing else is left in the folder: the temporary file was renamed.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 2);
}

TEST_F(SheetFixture, FailedWriteKeepsOldFileAndModifiedFlag)
{
    ASSERT_TRUE(Open("FILE A.WAV WAVE\nTRACK 01 AUDIO\nINDEX 01 0\n", "keep.cue"));
    const std::string path = dir.File("keep.cue");
    const std::string before = ReadFileBytes(path);
    doc->File(0)->SetName("B.WAV");
    // A disk that fills up after 20 bytes: the write fails halfway.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = doc->OnSaveDocument(path);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
}

TEST_F(SheetFixture, SaveIntoMissingFolderFails)
{
    ASSERT_TRUE(Open("FILE A.WAV WAVE\nTRACK 01 AUDIO\nINDEX 01 0\n"));
    doc->File(0)->SetName("B.WAV");
    EXPECT_FALSE(doc->OnSaveDocument(dir.File("missing/out.cue")));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(Boxes().empty());
    // The framework's save reports it.
    EXPECT_FALSE(doc->DoSave(dir.File("missing/out.cue")));
    EXPECT_EQ(Boxes(), Strings{"Error: Cannot save \"" + dir.File("missing/out.cue") + "\": No such file or directory"});
}

TEST_F(SheetFixture, SaveKeepsPermissionsAndFollowsLinks)
{
    ASSERT_TRUE(Open("FILE A.WAV WAVE\nTRACK 01 AUDIO\nINDEX 01 0\n", "real.cue"));
    const std::string real = dir.File("real.cue");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    const std::string link = dir.File("link.cue");
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(doc->OnSaveDocument(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    struct stat st {};
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadFileBytes(real), doc->SaveBytes());
}

struct RecordingView final : CView {
    void OnUpdate(CView* sender, const void* hint) override { updates.push_back({sender, hint}); }
    std::vector<std::pair<CView*, const void*>> updates;
};

TEST_F(SheetFixture, OpenFlowTitlesAndViews)
{
    RecordingView view;
    doc->AddView(&view);
    EXPECT_EQ(doc->Title(), "Untitled cuesheet");
    const std::string path = dir.Write("one.cue", "FILE A.WAV WAVE\nTRACK 01 AUDIO\nINDEX 01 0\n");
    ASSERT_TRUE(doc->OpenDocumentFile(path));
    EXPECT_EQ(doc->Title(), "one.cue");
    EXPECT_EQ(doc->PathName(), path);
    EXPECT_EQ(view.updates.size(), 1u);

    // A file that cannot be opened leaves the sheet as it was.
    doc->File(0)->SetName("B.WAV");
    prompts.QueueAnswer(PromptAnswer::No); // do not save the change
    EXPECT_FALSE(doc->OpenDocumentFile(dir.File("missing.cue")));
    EXPECT_EQ(Boxes(), (Strings{"Tracksmith: Save changes to " + path + "?",
                                "Error: Cannot open \"" + dir.File("missing.cue") + "\": No such file or directory"}));
    EXPECT_EQ(doc->Title(), "one.cue");
    EXPECT_EQ(doc->FileCount(), 1);
    EXPECT_TRUE(doc->IsModified());

    // A file that is not a cue sheet empties the document: it becomes a
    // new untitled sheet, so Save cannot overwrite one.cue with nothing.
    prompts.Clear();
    prompts.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(doc->OpenDocumentFile(dir.Write("prose.cue", "hello\n")));
    EXPECT_EQ(doc->Title(), "Untitled cuesheet");
    EXPECT_EQ(doc->PathName(), "");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->LineCount(), 0);
}

TEST_F(SheetFixture, SaveModifiedAnswers)
{
    const std::string path = dir.Write("s.cue", "FILE A.WAV WAVE\nTRACK 01 AUDIO\nINDEX 01 0\n");
    ASSERT_TRUE(doc->OpenDocumentFile(path));
    EXPECT_TRUE(doc->SaveModified()); // not modified: nothing asked
    EXPECT_TRUE(Boxes().empty());

    doc->File(0)->SetName("B.WAV");
    prompts.QueueAnswer(PromptAnswer::Cancel);
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].buttons, PromptButtons::YesNoCancel);

    prompts.QueueAnswer(PromptAnswer::No);
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_NE(ReadFileBytes(path).find("A.WAV"), std::string::npos);

    prompts.QueueAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_NE(ReadFileBytes(path).find("B.WAV"), std::string::npos);
}

TEST_F(SheetFixture, UntitledSaveAsksForPath)
{
    ASSERT_TRUE(doc->NewDocument());
    doc->InsertFileByPath("/music/A.WAV", nullptr);
    prompts.QueueFile(std::nullopt); // cancelled
    EXPECT_FALSE(doc->DoFileSave());
    ASSERT_EQ(prompts.Dialogs().size(), 1u);
    EXPECT_EQ(prompts.Dialogs()[0].fileName, "CueSheet.cue");
    EXPECT_EQ(prompts.Dialogs()[0].filters.at(0).first, "Cue sheets (*.cue)");
    const std::string path = dir.File("chosen.cue");
    prompts.QueueFile(path);
    EXPECT_TRUE(doc->DoFileSave());
    EXPECT_EQ(doc->Title(), "chosen.cue");
    EXPECT_EQ(ReadFileBytes(path), "FILE /music/A.WAV WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n");
}

TEST_F(SheetFixture, InsertFileByPath)
{
    CCueFile* file = doc->InsertFileByPath("/cd/SONG.WAV", nullptr);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Type(), FileType::Wave);
    EXPECT_FALSE(file->HasComment());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Text(), Lines({"FILE /cd/SONG.WAV WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}));
    EXPECT_EQ(doc->InsertFileByPath("/cd/SONG.WAV", nullptr), nullptr); // already there
    EXPECT_TRUE(Boxes().empty());

    CCueFile* image = doc->InsertFileByPath("/cd/IMAGE.BIN", file);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(doc->File(0), image);
    EXPECT_EQ(image->Track(0)->Type(), TrackType::Cdg);
    EXPECT_EQ(image->Track(0)->Number(), 1);
    EXPECT_EQ(file->Track(0)->Number(), 2);

    // Without 8.3 aliases a name with blanks goes in as it is, quoted.
    CCueFile* blanks = doc->InsertFileByPath("/cd/My Song.wav", nullptr);
    ASSERT_NE(blanks, nullptr);
    EXPECT_EQ(blanks->Name(), "/cd/My Song.wav");
    EXPECT_NE(Text().find("FILE \"/cd/My Song.wav\" WAVE\n"), std::string::npos);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(doc->FileCount(), 3);
}

// Every name the writer writes reads back as the same name; a name no
// sheet can hold is refused with the reason.
struct NameCase {
    const char* name;
    std::string path;
    const char* line;    // the FILE line written, or null when refused
    const char* problem; // the reason of the refusal
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class FileNames : public SheetFixture, public testing::WithParamInterface<NameCase> {};

TEST_P(FileNames, ReadBackOrRefused)
{
    const NameCase& c = GetParam();
    CCueFile* file = doc->InsertFileByPath(c.path, nullptr);
    if (!c.line) {
        EXPECT_EQ(file, nullptr);
        EXPECT_EQ(Boxes(), Strings{"File not inserted: The file name\n" + c.path + "\ncannot be written in a cue sheet: "
                                   + c.problem + "\n\nPlease rename the file."});
        EXPECT_EQ(doc->FileCount(), 0);
        return;
    }
    ASSERT_NE(file, nullptr);
    const std::string text = Text();
    EXPECT_EQ(text.substr(0, text.find('\n')), c.line);
    // Saved and opened again, the name is the same.
    ASSERT_TRUE(doc->OnSaveDocument(dir.File("names.cue")));
    ASSERT_TRUE(doc->OnOpenDocument(dir.File("names.cue")));
    EXPECT_EQ(Boxes(), Strings{});
    ASSERT_EQ(doc->FileCount(), 1);
    EXPECT_EQ(doc->File(0)->Name(), c.path);
}

INSTANTIATE_TEST_SUITE_P(Paths, FileNames, testing::Values(
    NameCase{"plain", "/cd/A.WAV", "FILE /cd/A.WAV WAVE", nullptr},
    NameCase{"blank", "/cd/My Song.wav", "FILE \"/cd/My Song.wav\" WAVE", nullptr},
    NameCase{"tab", "/cd/a\tb.wav", "FILE \"/cd/a\tb.wav\" WAVE", nullptr},
    NameCase{"semicolon", "/cd/a;b.wav", "FILE \"/cd/a;b.wav\" WAVE", nullptr},
    NameCase{"quote_bare", "/cd/12\"mix.wav", "FILE /cd/12\"mix.wav WAVE", nullptr},
    NameCase{"unicode", "/cd/Caf\xC3\xA9 cr\xC3\xA8me.wav", "FILE \"/cd/Caf\xC3\xA9 cr\xC3\xA8me.wav\" WAVE", nullptr},
    NameCase{"quote_and_blank", "/cd/12\" mix.wav", nullptr,
             "a name with a double quote cannot also hold a blank, a tab or a semicolon."},
    NameCase{"leading_quote", "\"x.wav", nullptr, "a name cannot start with a double quote."},
    NameCase{"line_break", "/cd/a\nb.wav", nullptr, "a name cannot hold a line break or a NUL character."},
    NameCase{"carriage_return", "/cd/a\rb.wav", nullptr, "a name cannot hold a line break or a NUL character."}));

// A file in the sheet's folder or below it goes by its relative path.
TEST_F(SheetFixture, NamesRelativeToTheSheet)
{
    ASSERT_TRUE(Open(""));
    doc->SetPathName(dir.File("album/sheet.cue"));
    const std::string album = dir.File("album");
    EXPECT_EQ(doc->NameForPath(album + "/01.wav"), "01.wav");
    EXPECT_EQ(doc->NameForPath(album + "/disc 1/01.wav"), "disc 1/01.wav");
    EXPECT_EQ(doc->NameForPath(album + "/./x/../02.wav"), "02.wav");
    EXPECT_EQ(doc->NameForPath(dir.File("other/01.wav")), dir.File("other/01.wav"));
    EXPECT_EQ(doc->NameForPath(dir.File("albums/01.wav")), dir.File("albums/01.wav"));
    EXPECT_EQ(doc->NameForPath(album + "/../01.wav"), album + "/../01.wav");
    CCueFile* file = doc->InsertFileByPath(album + "/disc 1/01.wav", nullptr);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(Text().substr(0, Text().find('\n')), "FILE \"disc 1/01.wav\" WAVE");
    // The same file by its full path is already in the sheet.
    EXPECT_EQ(doc->InsertFileByPath(album + "/disc 1/01.wav", nullptr), nullptr);
    // An untitled sheet has no folder: full paths.
    ASSERT_TRUE(doc->OnNewDocument());
    doc->SetPathName({});
    EXPECT_EQ(doc->NameForPath(album + "/01.wav"), album + "/01.wav");
}

TEST_F(SheetFixture, RemoveTopLevelDropsSubtree)
{
    ASSERT_TRUE(Open(Lines({"CATALOG 1", "FILE A.WAV WAVE", "TRACK 01 AUDIO", "INDEX 01 0", "FILE B.WAV WAVE",
                            "TRACK 02 AUDIO", "INDEX 01 0"})));
    doc->RemoveTopLevel(doc->File(0));
    EXPECT_EQ(doc->FileCount(), 1);
    EXPECT_EQ(Text(), Lines({"CATALOG 1", "FILE B.WAV WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}));
    doc->RemoveTopLevel(doc->Catalog());
    EXPECT_FALSE(doc->HasCatalog());
    EXPECT_EQ(doc->LineCount(), 3);
    EXPECT_EQ(doc->LineOf(doc->File(0)), 0);
}

// The placement query, line by line of one sheet.
class Placement : public SheetFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Open(Lines({
            "REM c0",                 // 0
            "FILE A.WAV WAVE",        // 1
            "  TRACK 01 AUDIO",       // 2
            "    PREGAP 00:02:00",    // 3
            "    ISRC ABCDE1234567",  // 4
            "    FLAGS DCP ",         // 5
            "    INDEX 01 00:00:00",  // 6
            "    REM in track",       // 7
            "    POSTGAP 00:01:00",   // 8
            "  TRACK 02 AUDIO",       // 9
            "    INDEX 01 01:00:00",  // 10
            "    REM after index",    // 11: comments stay in the current track
            "FILE B.WAV WAVE",        // 12
            "  TRACK 03 AUDIO",       // 13
            "    INDEX 01 00:00:00",  // 14
        })));
    }
    std::string Describe(ItemKind kind, int line)
    {
        const CQuillDoc::Placement p = doc->PlacementQuery(kind, line < 0 ? nullptr : doc->Line(line));
        if (!p.allowed)
            return "no";
        auto lineOf = [&](const CCueItem* item) { return item ? std::to_string(doc->LineOf(item)) : std::string("-"); };
        return lineOf(p.anchor) + " " + lineOf(p.file) + " " + lineOf(p.track);
    }
};

TEST_F(Placement, ByKindAndAnchor)
{
    struct Case {
        ItemKind kind;
        int anchor;
        const char* result; // anchor line, file line, track line ("-" for none)
    } cases[] = {
        {ItemKind::File, -1, "- - -"}, {ItemKind::File, 0, "0 - -"}, {ItemKind::File, 6, "1 - -"},
        {ItemKind::File, 14, "12 - -"},
        {ItemKind::Track, 1, "- 1 -"}, {ItemKind::Track, 6, "2 1 -"}, {ItemKind::Track, 11, "9 1 -"},
        {ItemKind::Track, 0, "no"}, {ItemKind::Track, -1, "- 12 -"},
        {ItemKind::Pregap, 10, "10 1 9"}, {ItemKind::Pregap, 6, "no"}, {ItemKind::Pregap, 1, "no"},
        {ItemKind::Index, 2, "8 1 2"}, {ItemKind::Index, 8, "8 1 2"}, {ItemKind::Index, 9, "- 1 9"},
        {ItemKind::Index, 3, "6 1 2"}, {ItemKind::Index, 4, "6 1 2"}, {ItemKind::Index, 5, "6 1 2"},
        {ItemKind::Index, 6, "6 1 2"}, {ItemKind::Index, 7, "7 1 2"}, {ItemKind::Index, 1, "no"},
        {ItemKind::Index, 11, "11 1 9"}, {ItemKind::Index, -1, "no"},
        {ItemKind::Postgap, 10, "- 1 9"}, {ItemKind::Postgap, 6, "no"},
        {ItemKind::Comment, -1, "- - -"}, {ItemKind::Comment, 1, "1 - -"}, {ItemKind::Comment, 2, "2 1 -"},
        {ItemKind::Comment, 6, "6 1 2"}, {ItemKind::Comment, 11, "11 1 9"}, {ItemKind::Comment, 0, "0 - -"},
        {ItemKind::Catalog, 6, "1 - -"}, {ItemKind::Catalog, -1, "1 - -"},
        {ItemKind::Isrc, 10, "10 1 9"}, {ItemKind::Isrc, 3, "no"},
        {ItemKind::Flags, 10, "10 1 9"}, {ItemKind::Flags, 7, "no"},
        {ItemKind::None, 6, "no"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Describe(c.kind, c.anchor), c.result) << "kind " << static_cast<int>(c.kind) << " at line " << c.anchor;
}

TEST_F(Placement, FlagsGoAfterIsrc)
{
    CCueTrack* t2 = static_cast<CCueTrack*>(doc->Line(9));
    auto isrc = std::make_unique<CCueIsrc>(doc.get(), t2);
    t2->InsertChild(std::move(isrc), t2->Child(0));
    const CQuillDoc::Placement p = doc->PlacementQuery(ItemKind::Flags, t2);
    ASSERT_TRUE(p.allowed);
    EXPECT_EQ(p.anchor, t2->Child(1));
    EXPECT_EQ(p.anchor->Kind(), ItemKind::Index);
}

TEST_F(SheetFixture, CatalogPlacementInSmallSheets)
{
    EXPECT_EQ(doc->PlacementQuery(ItemKind::Catalog, nullptr).anchor, nullptr);
    ASSERT_TRUE(Open(Lines({"REM a", "REM b"})));
    EXPECT_EQ(doc->PlacementQuery(ItemKind::Catalog, nullptr).anchor, doc->Line(1));
    ASSERT_TRUE(Open(Lines({"CATALOG 1"})));
    EXPECT_FALSE(doc->CanInsert(ItemKind::Catalog, nullptr));
}

} // namespace
