#include "document/CSheetEditor.h"
#include "document/CUndoHistory.h"
#include "model/CCueCatalog.h"
#include "model/CCueCdText.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCueLineSource.h"
#include "model/CCueReader.h"
#include "model/CCueTextWriter.h"
#include "model/CueLineText.h"
#include "model/CCuePostgap.h"
#include "model/CCueTrack.h"
#include "support/SheetFixture.h"

#include <cctype>
#include <cstdlib>
#include <functional>
#include <optional>
#include <ostream>
#include <random>

namespace {

using Strings = std::vector<std::string>;

const char* const kSheet =
    "REM top\n"                  // 0
    "FILE A.WAV WAVE\n"          // 1
    "  TRACK 01 AUDIO\n"         // 2
    "    ISRC ABCDE0000001\n"    // 3
    "    INDEX 01 00:00:00\n"    // 4
    "    REM in track\n"         // 5
    "  TRACK 02 AUDIO\n"         // 6
    "    INDEX 00 01:00:00\n"    // 7
    "    INDEX 01 01:02:00\n"    // 8
    "    POSTGAP 00:01:00\n"     // 9
    "FILE B.WAV WAVE\n"          // 10
    "  TRACK 03 AUDIO\n"         // 11
    "    INDEX 01 00:00:00\n";   // 12

class SheetEditor : public SheetFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Open(kSheet));
        prompts.Clear();
    }
    CCueItem* At(int line) { return line < 0 ? nullptr : doc->Line(line); }
    // The sheet's lines, and the line of the returned item marked with ">".
    std::string After(CCueItem* hint)
    {
        std::string text = Text();
        if (!hint)
            return text;
        const int line = doc->LineOf(hint);
        std::size_t at = 0;
        for (int i = 0; i < line; ++i)
            at = text.find('\n', at) + 1;
        text.insert(at, ">");
        return text;
    }
    CSheetEditor editor{*doc};
};

// The sheet with one line added at a position, that line marked ">".
std::string With(const char* line, int at)
{
    std::string text = kSheet;
    std::size_t pos = 0;
    for (int i = 0; i < at; ++i)
        pos = text.find('\n', pos) + 1;
    text.insert(pos, std::string(">") + line + "\n");
    return text;
}

TEST_F(SheetEditor, InsertPlacementTable)
{
    struct Row {
        ItemKind kind;
        int line;
        const char* added; // "" when the command is disabled there
        int at;            // the new line's position in the rebuilt sheet
    } rows[] = {
        {ItemKind::Pregap, 6, "    PREGAP 00:02:00", 7},
        {ItemKind::Pregap, 1, "", 0},
        {ItemKind::Postgap, 4, "    POSTGAP 00:02:00", 6},
        {ItemKind::Postgap, 8, "", 0},
        {ItemKind::Isrc, 7, "    ISRC ABCDE1234567", 7},
        {ItemKind::Isrc, 4, "", 0},
        {ItemKind::Flags, 2, "    FLAGS ", 4}, // below the ISRC
        {ItemKind::Flags, 11, "    FLAGS ", 12},
        {ItemKind::Catalog, 5, "CATALOG 1234567890123", 1},
        {ItemKind::Comment, 1, "; New comment ... double-click to change", 1},
        // Written where it reads back: after a track, among its lines.
        {ItemKind::Comment, 6, "    ; New comment ... double-click to change", 6},
        {ItemKind::Comment, 8, "    ; New comment ... double-click to change", 8},
        {ItemKind::Comment, -1, "    ; New comment ... double-click to change", 13},
        {ItemKind::Index, 1, "", 0},
        {ItemKind::Pregap, 0, "", 0},
    };
    for (const Row& r : rows) {
        ASSERT_TRUE(Open(kSheet));
        const bool enabled = *r.added != '\0';
        EXPECT_EQ(editor.CanInsert(r.kind, At(r.line)), enabled) << static_cast<int>(r.kind) << " at " << r.line;
        if (!enabled)
            continue;
        CCueItem* added = editor.Insert(r.kind, At(r.line));
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(After(added), With(r.added, r.at)) << static_cast<int>(r.kind) << " at " << r.line;
    }
}

TEST_F(SheetEditor, InsertTrackWithoutPlayerTakesPreviousEnd)
{
    // On TRACK 02: in front of it, starting where track 01 ends.
    CCueItem* track = editor.Insert(ItemKind::Track, At(6));
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(After(track), Lines({"REM top", "FILE A.WAV WAVE", "  TRACK 01 AUDIO", "    ISRC ABCDE0000001",
                                   "    INDEX 01 00:00:00", "    REM in track", ">  TRACK 02 AUDIO",
                                   "    INDEX 01 00:00:00", "  TRACK 03 AUDIO", "    INDEX 00 01:00:00",
                                   "    INDEX 01 01:02:00", "    POSTGAP 00:01:00", "FILE B.WAV WAVE",
                                   "  TRACK 04 AUDIO", "    INDEX 01 00:00:00"}));
    // With no file above, there is nowhere for a track.
    EXPECT_FALSE(editor.CanInsert(ItemKind::Track, At(0)));
}

TEST_F(SheetEditor, InsertTrackTakesAFreePlayerPosition)
{
    CCueItem* track = editor.Insert(ItemKind::Track, At(1), CCueTime::FromMsf(0, 30, 0));
    ASSERT_NE(track, nullptr);
    // 00:30:00 lies in no other track of A.WAV (track 01 ends at 00:00:00).
    EXPECT_EQ(static_cast<CCueTrack*>(track)->Index(0)->Time().Text(), "00:30:00");
    EXPECT_EQ(static_cast<CCueTrack*>(track)->Number(), 2);

    ASSERT_TRUE(Open(kSheet));
    // 01:01:00 lies within track 02's own range.
    track = editor.Insert(ItemKind::Track, At(1), CCueTime::FromMsf(1, 1, 0));
    EXPECT_EQ(static_cast<CCueTrack*>(track)->Index(0)->Time().Text(), "01:02:00"); // its previous end
}

struct IndexCase {
    const char* name;
    int line;
    int playerSeconds; // -1: no player
    const char* time;  // the new index's time
};

class InsertIndex : public SheetEditor, public testing::WithParamInterface<IndexCase> {};

void PrintTo(const IndexCase& c, std::ostream* os) { *os << c.name; }

TEST_P(InsertIndex, TimeFromPlayerOrNeighbour)
{
    const IndexCase& c = GetParam();
    std::optional<CCueTime> at;
    if (c.playerSeconds >= 0)
        at = CCueTime::FromMilliseconds(static_cast<std::uint32_t>(c.playerSeconds) * 1000);
    CCueItem* added = editor.Insert(ItemKind::Index, At(c.line), at);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(static_cast<CCueIndex*>(added)->Time().Text(), c.time);
}

INSTANTIATE_TEST_SUITE_P(Cases, InsertIndex, testing::Values(
    // Track 01 (first of A.WAV, next track starts at 01:00:00).
    IndexCase{"no_player_on_track_takes_the_last", 2, -1, "00:00:00"},
    IndexCase{"player_fits_before_next_track", 2, 40, "00:40:00"},
    IndexCase{"player_past_next_track_start", 4, 75, "00:00:00"},
    // Track 02 (last of A.WAV; the track before ends at 00:00:00).
    IndexCase{"last_track_player_fits", 8, 90, "01:30:00"},
    IndexCase{"last_track_not_after_previous_end", 8, 0, "01:02:00"},
    IndexCase{"no_player_on_index_takes_the_following", 8, -1, "01:02:00"}));

// On a TRACK or POSTGAP line the new index is appended: it takes its time
// (the player's when that fits after the last index, else the last
// index's) before relayout, so the track's indexes keep their numbers and
// times, and the POSTGAP stays last.
struct AppendCase {
    const char* name;
    int line;
    int playerSeconds; // -1: no player
    const char* indexes; // the track's indexes afterwards, "number@time ..."
};

class AppendIndex : public SheetEditor, public testing::WithParamInterface<AppendCase> {};

void PrintTo(const AppendCase& c, std::ostream* os) { *os << c.name; }

TEST_P(AppendIndex, KeepsTheOthers)
{
    const AppendCase& c = GetParam();
    std::optional<CCueTime> at;
    if (c.playerSeconds >= 0)
        at = CCueTime::FromMilliseconds(static_cast<std::uint32_t>(c.playerSeconds) * 1000);
    CCueItem* added = editor.Insert(ItemKind::Index, At(c.line), at);
    ASSERT_NE(added, nullptr);
    const CCueTrack* track = added->OwningTrack();
    EXPECT_EQ(track->Index(track->IndexCount() - 1), added);
    std::string indexes;
    for (int i = 0; i < track->IndexCount(); ++i)
        indexes += (i ? " " : "") + std::to_string(track->Index(i)->Number()) + "@" + track->Index(i)->Time().Text();
    EXPECT_EQ(indexes, c.indexes);
    if (track->Postgap()) {
        EXPECT_EQ(track->PositionOf(track->Postgap()), track->ChildCount() - 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, AppendIndex, testing::Values(
    AppendCase{"on_track_without_player", 6, -1, "0@01:00:00 1@01:02:00 2@01:02:00"},
    AppendCase{"on_postgap_without_player", 9, -1, "0@01:00:00 1@01:02:00 2@01:02:00"},
    AppendCase{"on_track_player_after_last", 6, 90, "0@01:00:00 1@01:02:00 2@01:30:00"},
    AppendCase{"player_before_the_last_index", 6, 61, "0@01:00:00 1@01:02:00 2@01:02:00"},
    AppendCase{"first_track_player_past_next_track", 2, 75, "1@00:00:00 2@00:00:00"},
    AppendCase{"first_track_player_fits", 2, 30, "1@00:00:00 2@00:30:00"}));

struct DeleteCase {
    const char* sheet;
    int line;
    bool enabled;
    const char* after; // the sheet after Delete with the hint's line marked
};

class Delete : public SheetFixture, public testing::WithParamInterface<DeleteCase> {};

TEST_P(Delete, RuleAndHint)
{
    const DeleteCase& c = GetParam();
    ASSERT_TRUE(Open(c.sheet));
    CSheetEditor editor(*doc);
    CCueItem* item = doc->Line(c.line);
    EXPECT_EQ(CSheetEditor::CanDelete(item), c.enabled);
    if (!c.enabled)
        return;
    CCueItem* hint = editor.Delete(item, c.line);
    std::string text = Text();
    if (hint) {
        std::size_t at = 0;
        for (int i = 0; i < doc->LineOf(hint); ++i)
            at = text.find('\n', at) + 1;
        text.insert(at, ">");
    }
    EXPECT_EQ(text, c.after);
}

const char* const kTwoTracks = "FILE A.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 00 00:00:00\n    INDEX 01 00:02:00\n"
                               "  TRACK 02 AUDIO\n    INDEX 01 01:00:00\n";

INSTANTIATE_TEST_SUITE_P(Cases, Delete, testing::Values(
    DeleteCase{"FILE A.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n", 1, false, ""},
    DeleteCase{"FILE A.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n", 2, false, ""},
    DeleteCase{kTwoTracks, 2, true,
               "FILE A.WAV WAVE\n  TRACK 01 AUDIO\n>    INDEX 01 00:00:00\n    INDEX 02 00:02:00\n"
               "  TRACK 02 AUDIO\n    INDEX 01 01:00:00\n"},
    DeleteCase{kTwoTracks, 3, false, ""},
    DeleteCase{kTwoTracks, 4, true, "FILE A.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 00 00:00:00\n>    INDEX 01 00:02:00\n"},
    DeleteCase{kTwoTracks, 5, false, ""},
    DeleteCase{"REM a\nFILE A.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 01 0\nFILE B.WAV WAVE\n  TRACK 02 AUDIO\n    INDEX 01 0\n",
               1, true, "REM a\n>FILE B.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"},
    DeleteCase{"REM a\nCATALOG 1\nFILE A.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 01 0\n    REM last\n", 5, true,
               "REM a\nCATALOG 1\nFILE A.WAV WAVE\n  TRACK 01 AUDIO\n>    INDEX 01 00:00:00\n"},
    DeleteCase{"REM a\nCATALOG 1\nFILE A.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 01 0\n", 1, true,
               "REM a\n>FILE A.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"}));

TEST_F(SheetEditor, AddPathWarnsAboutCdAudio)
{
    bool stop = false;
    prompts.QueueAnswer(PromptAnswer::No);
    EXPECT_EQ(editor.AddPath("/cd/Track01.CDA", At(4), stop), nullptr);
    EXPECT_TRUE(stop);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].caption, "CDA File Warning");
    EXPECT_EQ(prompts.Messages()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompts.Messages()[0].text,
              "/cd/Track01.CDA is a 'CD Audio' file.\nNormally these files are not added to cuesheets.  Instead,\n"
              "they are used with CDRWIN's \"Copy Disc\" button, and you do\nnot have to create a cuesheet at all for "
              "these files.\n\nDo you still want to insert this .cda file?");
    prompts.QueueAnswer(PromptAnswer::Yes);
    CCueItem* added = editor.AddPath("/cd/Track01.CDA", At(4), stop);
    ASSERT_NE(added, nullptr);
    EXPECT_FALSE(stop);
    EXPECT_EQ(doc->LineOf(added), 1); // in front of the current item's FILE
}

TEST_F(SheetEditor, PasteOfCopiedTrackDuplicatesIt)
{
    const std::string copied = "     TRACK 02 AUDIO\n              INDEX 00 01:00:00\n              INDEX 01 01:02:00\n"
                               "              POSTGAP 00:01:00\n";
    CCueItem* first = editor.Paste(copied, At(6)).first;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(doc->LineOf(first), 6);
    EXPECT_EQ(static_cast<CCueTrack*>(first)->Number(), 2);
    EXPECT_EQ(static_cast<CCueTrack*>(At(10))->Number(), 3);
    EXPECT_EQ(doc->LineCount(), 17);
    // Binary and empty clipboards end in the reader's message, or nothing.
    const std::string refused = "Error: The contents of the clipboard cannot be inserted here";
    for (const std::string& text : {std::string("\x01\x02\xff", 3), std::string()}) {
        const CueReadResult read = editor.Paste(text, At(6));
        EXPECT_EQ(read.first, nullptr);
        ASSERT_EQ(read.messages.size(), 1u);
        EXPECT_EQ(read.messages[0].Caption() + ": " + read.messages[0].BoxText(), refused);
        EXPECT_FALSE(read.stop);
    }
    EXPECT_EQ(doc->LineCount(), 17);
}

TEST_F(SheetEditor, UndoRestoresTheExactTree)
{
    CUndoHistory history;
    const std::string original = Text();
    const bool wasModified = doc->IsModified();
    history.Record({doc->TakeSnapshot(), 6});
    editor.Delete(At(6), 6);
    const std::string changed = Text();
    ASSERT_NE(changed, original);
    EXPECT_TRUE(doc->IsModified());

    CUndoHistory::State state{doc->TakeSnapshot(), 4};
    ASSERT_TRUE(history.Undo(state));
    doc->RestoreSnapshot(state.snapshot);
    EXPECT_EQ(state.line, 6);
    EXPECT_EQ(Text(), original);
    EXPECT_EQ(doc->IsModified(), wasModified);
    EXPECT_EQ(doc->File(0)->TrackCount(), 2);
    EXPECT_EQ(doc->LineOf(doc->File(1)), 10);
    EXPECT_FALSE(history.CanUndo());

    ASSERT_TRUE(history.Redo(state));
    doc->RestoreSnapshot(state.snapshot);
    EXPECT_EQ(Text(), changed);
    EXPECT_TRUE(doc->IsModified());
    // The restored tree is whole: editing it works as before.
    EXPECT_NE(editor.Insert(ItemKind::Pregap, At(2)), nullptr);
}

// The tree a snapshot holds, as the writer sees a sheet; only what the
// writer reads is offered.
class HeldSheet final : public ICueSheet
{
public:
    explicit HeldSheet(const CQuillDoc::Snapshot& snapshot)
    {
        for (const auto& held : snapshot.items) {
            auto* item = const_cast<CCueItem*>(&held->Item());
            m_items.push_back(item);
            if (item->Kind() == ItemKind::File)
                m_files.push_back(static_cast<CCueFile*>(item));
        }
    }
    std::string Text() const
    {
        std::string text;
        CCueTextWriter().WriteDocument(*this, text);
        return text;
    }
    int TopLevelCount() const override { return static_cast<int>(m_items.size()); }
    CCueItem* TopLevelItem(int i) const override { return m_items.at(static_cast<std::size_t>(i)); }
    CCueFile* File(int i) const override { return m_files.at(static_cast<std::size_t>(i)); }
    int PositionOfFile(const CCueFile* file) const override
    {
        const auto it = std::find(m_files.begin(), m_files.end(), file);
        return it == m_files.end() ? -1 : static_cast<int>(it - m_files.begin());
    }
    bool HasCatalog() const override { return false; }
    void InsertTopLevel(std::unique_ptr<CCueItem>, CCueItem*) override { ADD_FAILURE() << "a snapshot is read only"; }
    CuePlacement PlacementQuery(ItemKind, CCueItem*) const override { return {}; }
    void BeginBatchMode() override {}
    void EndBatchMode() override {}
    void ChangeHook(bool, bool) override {}

private:
    std::vector<CCueItem*> m_items;
    std::vector<CCueFile*> m_files;
};

// A snapshot shares the live items until they change, so every way the
// tree changes, relayout's own renumbering and sorting included, must
// leave what the snapshot holds exactly as it was when taken.
TEST_F(SheetEditor, SnapshotStaysAsTakenWhateverChangesAfter)
{
    struct Step {
        const char* name;
        std::function<void()> edit;
    } steps[] = {
        {"a track inserted renumbers the tracks of the next file",
         [this] { editor.Insert(ItemKind::Track, At(2)); }},
        {"an index time moved past the next track reorders the file",
         [this] { static_cast<CCueIndex*>(At(4))->SetTime(CCueTime::FromMsf(2, 0, 0)); }},
        {"the first file deleted renumbers the second",
         [this] { editor.Delete(At(1), 1); }},
        {"a comment set on a line of the second file",
         [this] { At(12)->SetComment("changed"); }},
        {"the file's name and an ISRC set",
         [this] {
             static_cast<CCueFile*>(At(10))->SetName("C.WAV");
             static_cast<CCueIsrc*>(At(3))->SetCode("ZZZZZ9999999");
         }},
        {"a sheet pasted at the top renumbers every track",
         [this] { editor.Paste("FILE Z.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n", At(1)); }},
        {"the track after a deleted INDEX 01 becomes a continuation",
         [this] { editor.Delete(At(11), 11); }},
        {"another sheet opened",
         [this] { ASSERT_TRUE(Open("FILE X.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n")); }},
        {"the document destroyed", [this] { doc.reset(); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        ASSERT_TRUE(Open(kSheet));
        const CQuillDoc::Snapshot snapshot = doc->TakeSnapshot();
        EXPECT_EQ(HeldSheet(snapshot).Text(), kSheet);
        // A second snapshot shares every held item of the first.
        EXPECT_EQ(doc->TakeSnapshot().items, snapshot.items);
        step.edit();
        EXPECT_EQ(HeldSheet(snapshot).Text(), kSheet);
        if (!doc)
            continue;
        EXPECT_NE(Text(), kSheet);
        // Undo to it gives the sheet back.
        doc->RestoreSnapshot(snapshot);
        EXPECT_EQ(Text(), kSheet);
    }
}

} // namespace

namespace {

TEST(UndoHistory, KeepsTheNewestStepsWithinItsBounds)
{
    CUndoHistory history;
    for (int i = 0; i < 250; ++i)
        history.Record({CQuillDoc::Snapshot{}, i, 10});
    CUndoHistory::State state;
    int undone = 0;
    int lastLine = -1;
    while (history.Undo(state)) {
        lastLine = state.line;
        ++undone;
    }
    EXPECT_EQ(undone, static_cast<int>(CUndoHistory::kLimit));
    EXPECT_EQ(lastLine, 250 - static_cast<int>(CUndoHistory::kLimit));

    // Huge sheets: fewer steps, but never none.
    CUndoHistory big;
    big.Record({CQuillDoc::Snapshot{}, 1, CUndoHistory::kMaxItems});
    big.Record({CQuillDoc::Snapshot{}, 2, CUndoHistory::kMaxItems});
    CUndoHistory::State current;
    EXPECT_TRUE(big.Undo(current));
    EXPECT_EQ(current.line, 2);
    EXPECT_FALSE(big.Undo(current));
}

} // namespace

namespace {

// A track that continues into the next file: its gap stands at the end of
// FILE 01.wav and its INDEX 01 in FILE 02.wav, with no TRACK line there.
const char* const kContinued =
    "FILE 01.wav WAVE\n"          // 0
    "  TRACK 01 AUDIO\n"          // 1
    "    INDEX 01 00:00:00\n"     // 2
    "  TRACK 02 AUDIO\n"          // 3
    "    INDEX 00 00:18:00\n"     // 4
    "FILE 02.wav WAVE\n"          // 5
    "    INDEX 01 00:00:00\n"     // 6
    "  TRACK 03 AUDIO\n"          // 7
    "    INDEX 01 00:17:00\n";    // 8

class Continuation : public SheetFixture
{
protected:
    void SetUp() override { ASSERT_TRUE(Open(kContinued)); }
    CSheetEditor editor{*doc};
};

TEST_F(Continuation, IsNumberedWithItsTrackAndPlaysItsOwnFile)
{
    EXPECT_EQ(Text(), kContinued);
    EXPECT_EQ(doc->LineCount(), 9);
    const auto* index = static_cast<const CCueIndex*>(doc->Line(6));
    ASSERT_EQ(index->Kind(), ItemKind::Index);
    EXPECT_EQ(index->Number(), 1);
    EXPECT_EQ(index->OwningTrack()->Number(), 2);
    EXPECT_TRUE(index->OwningTrack()->IsContinuation());
    EXPECT_EQ(index->OwningFile(), doc->File(1));
    EXPECT_EQ(static_cast<const CCueTrack*>(doc->Line(7))->Number(), 3);
}

TEST_F(Continuation, EditsKeepItConsistent)
{
    struct Step {
        const char* name;
        std::function<CCueItem*(CSheetEditor&, CQuillDoc&)> edit;
        const char* text;
    } steps[] = {
        {"track inserted at the continued index goes after it",
         [](CSheetEditor& e, CQuillDoc& d) { return e.Insert(ItemKind::Track, d.Line(6)); },
         "FILE 01.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 00 00:18:00\n"
         "FILE 02.wav WAVE\n    INDEX 01 00:00:00\n  TRACK 03 AUDIO\n    INDEX 01 00:00:00\n  TRACK 04 AUDIO\n"
         "    INDEX 01 00:17:00\n"},
        {"index appended to the continuation",
         [](CSheetEditor& e, CQuillDoc& d) { return e.Paste("INDEX 02 00:05:00\n", d.Line(6)).first; },
         "FILE 01.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 00 00:18:00\n"
         "FILE 02.wav WAVE\n    INDEX 01 00:00:00\n    INDEX 02 00:05:00\n  TRACK 03 AUDIO\n    INDEX 01 00:17:00\n"},
        {"the last continued index takes the continuation with it",
         [](CSheetEditor& e, CQuillDoc& d) { return e.Delete(d.Line(6), 6); },
         "FILE 01.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 00:18:00\n"
         "FILE 02.wav WAVE\n  TRACK 03 AUDIO\n    INDEX 01 00:00:00\n    INDEX 02 00:17:00\n"},
        {"without the file before, the continuation is a track of its own",
         [](CSheetEditor& e, CQuillDoc& d) { return e.Delete(d.Line(0), 0); },
         "FILE 02.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 00:17:00\n"},
        {"pasted FILE and index continue the last track, numbered on",
         [](CSheetEditor& e, CQuillDoc&) { return e.Paste("FILE 03.wav WAVE\n  INDEX 01 00:00:00\n", nullptr).first; },
         "FILE 01.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 00 00:18:00\n"
         "FILE 02.wav WAVE\n    INDEX 01 00:00:00\n  TRACK 03 AUDIO\n    INDEX 01 00:17:00\nFILE 03.wav WAVE\n"
         "    INDEX 02 00:00:00\n"},
        {"no PREGAP, ISRC or FLAGS in a continuation",
         [](CSheetEditor& e, CQuillDoc& d) -> CCueItem* {
             for (ItemKind kind : {ItemKind::Pregap, ItemKind::Isrc, ItemKind::Flags}) {
                 if (e.CanInsert(kind, d.Line(6)))
                     return d.Line(6);
             }
             return nullptr;
         },
         kContinued},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        ASSERT_TRUE(Open(kContinued));
        CUndoHistory history;
        history.Record({doc->TakeSnapshot(), 6});
        step.edit(editor, *doc);
        EXPECT_EQ(Text(), step.text);
        // Undo gives the continuation back, whole.
        CUndoHistory::State state{doc->TakeSnapshot(), 0};
        ASSERT_TRUE(history.Undo(state));
        doc->RestoreSnapshot(state.snapshot);
        EXPECT_EQ(Text(), kContinued);
        EXPECT_TRUE(static_cast<const CCueIndex*>(doc->Line(6))->OwningTrack()->IsContinuation());
    }
}

// A comment between a FILE line and its first TRACK hangs in that FILE,
// and its owners follow from there: deleting the file before it, then
// inserting at the comment, lands in the comment's own file.
TEST_F(SheetFixture, CommentOwnersFollowWhereItHangs)
{
    ASSERT_TRUE(Open("FILE A.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\nFILE B.WAV WAVE\n  REM between\n"
                     "  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n"));
    CSheetEditor editor(*doc);
    CCueItem* comment = doc->Line(4);
    ASSERT_EQ(comment->Kind(), ItemKind::Comment);
    EXPECT_EQ(comment->OwningFile(), doc->File(1));
    EXPECT_EQ(comment->OwningTrack(), nullptr);

    editor.Delete(doc->Line(0), 0);
    ASSERT_EQ(doc->LineOf(comment), 1);
    EXPECT_EQ(comment->OwningFile(), doc->File(0));
    CCueItem* track = editor.Insert(ItemKind::Track, comment);
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->OwningFile(), doc->File(0));
    // In front of the comment, where it stands in the file.
    EXPECT_EQ(Text(), "FILE B.WAV WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n    REM between\n  TRACK 02 AUDIO\n"
                      "    INDEX 01 00:00:00\n");
    // The comment's file deleted: the comment goes with it.
    editor.Insert(ItemKind::File, nullptr);
    editor.Delete(doc->Line(0), 0);
    EXPECT_EQ(doc->LineCount(), 0);
}

} // namespace

// What an edit dialog stores when text is typed into its main box and OK is
// pressed: the code boxes refuse what would not read back, the Time box
// refuses what no sheet holds, the CD-TEXT box quotes a value with blanks
// or semicolons, every box takes a comment. False when refused.
bool StoreAsDialog(CCueItem& item, const std::string& text)
{
    switch (item.Kind()) {
    case ItemKind::Isrc:
        if (text.empty() || !ts::CodeProblem(text).empty())
            return false;
        static_cast<CCueIsrc&>(item).SetCode(text);
        return true;
    case ItemKind::Catalog:
        if (text.empty() || !ts::CodeProblem(text).empty())
            return false;
        static_cast<CCueCatalog&>(item).SetNumber(text);
        return true;
    case ItemKind::CdText: {
        std::string value = text;
        if (value.empty() || value.find_first_of(" ;") != std::string::npos)
            value = '"' + value + '"';
        static_cast<CCueCdText&>(item).SetValue(value);
        return true;
    }
    case ItemKind::Index: {
        CCueTime time;
        std::string problem;
        if (!CCueTime::TryParse(text, time, problem))
            return false;
        static_cast<CCueIndex&>(item).SetTime(time);
        return true;
    }
    default:
        item.SetComment(text);
        return true;
    }
}

// Random edits through the editing commands and the setters the edit
// dialogs call, with hostile text pasted and typed, from a seeded
// generator: after every edit, what Save writes opens and saves as the same
// bytes.
class RandomEdits : public SheetFixture
{
protected:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    template <class T>
    const T& Pick(const std::vector<T>& values) { return values[static_cast<std::size_t>(Between(0, static_cast<int>(values.size()) - 1))]; }
    CCueItem* AnyLine() { return doc->LineCount() ? doc->Line(Between(0, doc->LineCount() - 1)) : nullptr; }

    // One edit as a user makes it: a command, a paste or a dialog's store.
    std::string Edit(CSheetEditor& editor)
    {
        static const std::vector<std::string> kPastes = {
            "; c\n", "ISRC ABCDE1234567\n", "; c\nISRC ABCDE1234567\n", "ISRC\n", "CATALOG\n",
            "CATALOG 1234567890123\n", "REM x\n", "TITLE  \"A  B\"\n", "INDEX 01 300:00:00\n",
            "INDEX 00 00:01:00\n", "TRACK 05 ; c\n", "FLAGS DCP INDEX 01 00:00:30\n", "FOO bar\n",
            "FILE \"x y.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n", "PREGAP 00:02:00\n", "INDEX 01 01:300:00\n",
            "PERFORMER Someone\n", "ISRC AB;CD\n", "INDEX 02 256:00:00\n"};
        static const std::vector<std::string> kTexts = {"AB;CD", "AB CD", ";CD", "\"quoted\"", "x\"y", "REM",
                                                        "ISRC X", "a  b", "", "12345", "; c", "TITLE", "300:00:00",
                                                        "00:99:00", "1:2", "REM x"};
        static const std::vector<ItemKind> kKinds = {ItemKind::Track, ItemKind::Index, ItemKind::Pregap,
                                                     ItemKind::Postgap, ItemKind::Isrc, ItemKind::Flags,
                                                     ItemKind::Comment, ItemKind::CdText, ItemKind::Catalog};
        CCueItem* current = AnyLine();
        switch (Between(0, 5)) {
        case 0: {
            const ItemKind kind = Pick(kKinds);
            editor.Insert(kind, current);
            return "insert " + std::to_string(static_cast<int>(kind));
        }
        case 1:
            if (current && CSheetEditor::CanDelete(current))
                editor.Delete(current, doc->LineOf(current));
            return "delete";
        case 2: {
            const std::string& text = Pick(kPastes);
            editor.Paste(text, current);
            return "paste " + text;
        }
        default: {
            if (!current)
                return "nothing";
            const std::string& text = Pick(kTexts);
            if (!StoreAsDialog(*current, text))
                return "refused " + text;
            return "store " + text;
        }
        }
    }

    std::mt19937 m_random{20261208};
};

TEST_F(RandomEdits, EverySaveReadsBackAsItself)
{
    int checked = 0;
    for (int run = 0; run < 100; ++run) {
        ASSERT_TRUE(Open(kSheet));
        CSheetEditor editor(*doc);
        std::string steps;
        for (int step = 0; step < 25; ++step) {
            steps += Edit(editor) + "\n";
            const std::string saved = Text();
            CQuillDoc again;
            prompts.Clear();
            const bool opened = again.OnOpenDocument(dir.Write("again.cue", saved));
            std::string boxes;
            for (const std::string& box : prompts.Lines())
                boxes += box + "\n";
            ASSERT_TRUE(opened) << "run " << run << " after:\n" << steps << "saved:\n" << saved << "boxes:\n" << boxes;
            ASSERT_EQ(again.SheetText(), saved) << "run " << run << " after:\n" << steps;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 100 * 25);
}

// Pastes that once saved a sheet which read back otherwise: each sheet of
// tests/data/edits with the line the paste goes before and the text.
struct PasteCase {
    const char* sheet;
    int line;
    const char* text;
};

std::ostream& operator<<(std::ostream& os, const PasteCase& c) { return os << c.sheet; }

class EditRegression : public SheetFixture, public testing::WithParamInterface<PasteCase>
{
};

TEST_P(EditRegression, SaveReadsBackAsItself)
{
    const PasteCase& c = GetParam();
    const char* data = std::getenv("TS_TEST_DATA");
    ASSERT_TRUE(data);
    const std::string original = ReadFileBytes(std::string(data) + "/edits/" + c.sheet);
    ASSERT_FALSE(original.empty());
    ASSERT_TRUE(Open(original));
    CSheetEditor editor(*doc);
    ASSERT_TRUE(editor.Paste(c.text, doc->Line(c.line)).first);
    const std::string saved = Text();
    CQuillDoc again;
    prompts.Clear();
    ASSERT_TRUE(again.OnOpenDocument(dir.Write("again.cue", saved))) << saved;
    EXPECT_EQ(again.SheetText(), saved);
    EXPECT_EQ(Boxes(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Data, EditRegression,
                         testing::Values(PasteCase{"file-pasted-above-the-catalog.cue", 0,
                                                   "FILE \"x y.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"},
                                         PasteCase{"file-pasted-above-the-disc-isrc.cue", 0,
                                                   "FILE \"x y.wav\" WAVE\nTRACK 01 AUDIO\nISRC ABCDE0000002\n"
                                                   "INDEX 01 00:00:00\n"}),
                         [](const testing::TestParamInfo<PasteCase>& p) {
                             std::string name;
                             for (const char* ch = p.param.sheet; *ch != '.'; ++ch)
                                 name += std::isalnum(static_cast<unsigned char>(*ch)) ? *ch : '_';
                             return name;
                         });
