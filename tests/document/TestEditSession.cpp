#include "document/CEditSession.h"
#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueTime.h"
#include "model/CCueTrack.h"
#include "platform/CScriptedPrompts.h"
#include "support/SheetFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// A view that writes down what it hears, and the session's current line
// at that moment.
class RecordingView final : public ISessionView
{
public:
    void OnSheetChanged(const SheetChange& change) override
    {
        heard.push_back(std::string(change.fresh ? "fresh" : "changed") + "@" + std::to_string(session->CurrentLine()));
    }
    void OnCurrentChanged() override { heard.push_back("current@" + std::to_string(session->CurrentLine())); }

    CEditSession* session = nullptr;
    std::vector<std::string> heard;
};

// A character set of seven bits: what the sheet's bytes hold shows as it
// is; typed text with other characters cannot go in.
class AsciiCodec final : public ISheetCodec
{
public:
    explicit AsciiCodec(std::string charset) : m_charset(std::move(charset)) {}
    const std::string& Charset() const override { return m_charset; }
    bool IsUtf8() const override { return false; }
    std::string ToUtf8(std::string_view bytes) const override { return std::string(bytes); }
    bool FromUtf8(std::string_view utf8, std::string& bytes) const override
    {
        bytes.assign(utf8);
        for (const char c : utf8) {
            if (static_cast<unsigned char>(c) >= 0x80)
                return false;
        }
        return true;
    }

private:
    std::string m_charset;
};

const char* const kSheet =
    "REM GENRE Jazz\n"
    "FILE \"side a.wav\" WAVE\n"
    "  TRACK 01 AUDIO\n"
    "    TITLE \"Blue\"\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    INDEX 01 04:10:00\n";

class EditSession : public testing::Test
{
protected:
    EditSession()
        : session([this](const std::string& charset) {
            asked.push_back(charset);
            return std::make_unique<AsciiCodec>(charset);
        })
    {
        first.session = &session;
        second.session = &session;
        session.AddView(first);
        session.AddView(second);
    }
    ~EditSession() override
    {
        session.RemoveView(first);
        session.RemoveView(second);
    }

    bool Open(const std::string& text, const std::string& name = "album.cue")
    {
        const bool opened = session.Doc().OpenDocumentFile(dir.Write(name, text));
        first.heard.clear();
        second.heard.clear();
        prompts.Clear();
        return opened;
    }
    std::string Text() const { return session.Doc().SheetText(); }

    TempDir dir;
    CScriptedPrompts prompts;
    CPromptsScope scope{prompts};
    std::vector<std::string> asked;
    CEditSession session;
    RecordingView first;
    RecordingView second;
};

TEST_F(EditSession, OpeningIsFreshForEveryViewWithAnEmptyHistory)
{
    ASSERT_TRUE(Open(kSheet));
    session.SetCurrentLine(4);
    ASSERT_TRUE(session.Apply([this](CSheetEditor& editor) { return editor.Delete(session.CurrentItem(), 4); }));
    ASSERT_TRUE(session.History().CanUndo());
    first.heard.clear();

    prompts.QueueAnswer(PromptAnswer::No); // do not save the edited sheet
    ASSERT_TRUE(session.Doc().OpenDocumentFile(dir.Write("other.cue", kSheet)));
    EXPECT_EQ(first.heard, (std::vector<std::string>{"fresh@0"}));
    EXPECT_FALSE(session.History().CanUndo());
    EXPECT_EQ(session.CurrentLine(), 0);
}

TEST_F(EditSession, EveryViewHearsAChangeWithItsItemCurrent)
{
    ASSERT_TRUE(Open(kSheet));
    session.SetCurrentLine(5, &first);
    EXPECT_EQ(first.heard, std::vector<std::string>{});
    EXPECT_EQ(second.heard, (std::vector<std::string>{"current@5"}));

    // A comment inserted at TRACK 02 takes its line, above it.
    ASSERT_TRUE(session.Apply([this](CSheetEditor& editor) { return editor.Insert(ItemKind::Comment, session.CurrentItem()); }));
    const std::vector<std::string> expected{"current@5", "changed@5"};
    EXPECT_EQ(second.heard, expected);
    EXPECT_EQ(first.heard, (std::vector<std::string>{"changed@5"}));
    ASSERT_NE(session.Doc().Line(6), nullptr);
    EXPECT_EQ(session.Doc().Line(6)->Kind(), ItemKind::Track);
    ASSERT_NE(session.CurrentItem(), nullptr);
    EXPECT_EQ(session.CurrentItem()->Kind(), ItemKind::Comment);
}

struct StepCase {
    const char* name;
    int line;              // the current line before the change
    std::string after;     // the sheet after the change
    int currentAfter;      // and its current line
};

class SessionSteps : public EditSession, public testing::WithParamInterface<StepCase> {};

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }

// Delete, then undo and redo: each comes back with the sheet and the
// current line it had, and every view hears each step.
TEST_P(SessionSteps, UndoAndRedoBringBackTheSheetAndTheLine)
{
    const StepCase& c = GetParam();
    ASSERT_TRUE(Open(kSheet));
    const std::string before = Text();
    session.SetCurrentLine(c.line);
    // Pasting text without a line of a sheet changes nothing, and is no step.
    EXPECT_FALSE(session.Apply([this](CSheetEditor& editor) {
        CCueItem* pasted = editor.Paste("", session.CurrentItem()).first;
        return pasted ? pasted : session.CurrentItem();
    }));
    EXPECT_EQ(session.CurrentLine(), c.line);
    EXPECT_FALSE(session.History().CanUndo());

    ASSERT_TRUE(session.Apply([this, &c](CSheetEditor& editor) { return editor.Delete(session.CurrentItem(), c.line); }));
    EXPECT_EQ(Text(), c.after);
    EXPECT_EQ(session.CurrentLine(), c.currentAfter);

    ASSERT_TRUE(session.Undo());
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(session.CurrentLine(), c.line);
    EXPECT_FALSE(session.Doc().IsModified());

    ASSERT_TRUE(session.Redo());
    EXPECT_EQ(Text(), c.after);
    EXPECT_EQ(session.CurrentLine(), c.currentAfter);
    EXPECT_FALSE(session.Redo());
    EXPECT_EQ(second.heard.back(), "changed@" + std::to_string(c.currentAfter));
}

INSTANTIATE_TEST_SUITE_P(Cases, SessionSteps, testing::Values(
    StepCase{"title_line", 3,
             "REM GENRE Jazz\nFILE \"side a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
             "  TRACK 02 AUDIO\n    INDEX 01 04:10:00\n",
             3},
    StepCase{"second_track_with_its_block", 5,
             "REM GENRE Jazz\nFILE \"side a.wav\" WAVE\n  TRACK 01 AUDIO\n    TITLE \"Blue\"\n"
             "    INDEX 01 00:00:00\n",
             4},
    StepCase{"comment_above_the_file", 0,
             "FILE \"side a.wav\" WAVE\n  TRACK 01 AUDIO\n    TITLE \"Blue\"\n    INDEX 01 00:00:00\n"
             "  TRACK 02 AUDIO\n    INDEX 01 04:10:00\n",
             0}));

TEST_F(EditSession, ACurrentItemThatLeftTheSheetIsIgnored)
{
    ASSERT_TRUE(Open(kSheet));
    CCueItem* title = session.Doc().Line(3);
    ASSERT_TRUE(session.Apply([title](CSheetEditor& editor) { return editor.Delete(title, 3); }));
    second.heard.clear();
    session.SetCurrentItem(title); // deleted: no longer a line of the sheet
    EXPECT_EQ(second.heard, std::vector<std::string>{});
    session.SetCurrentLine(99); // past the end: below the last line, no item
    EXPECT_EQ(session.CurrentLine(), session.Doc().LineCount());
    EXPECT_EQ(session.CurrentItem(), nullptr);
    EXPECT_EQ(second.heard, (std::vector<std::string>{"current@" + std::to_string(session.Doc().LineCount())}));
}

// The codec follows the sheet's character set, and names of added files
// go through it: a name it cannot hold is refused with a message, and the
// sheet keeps what it had.
TEST_F(EditSession, AddedFileNamesGoThroughTheSheetsCodec)
{
    ASSERT_TRUE(Open(std::string("REM COMMENT \"Caf\xE9\"\n") + kSheet));
    EXPECT_EQ(session.Codec().Charset(), session.Doc().Encoding().charset);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back(), session.Doc().Encoding().charset);

    const std::string before = Text();
    const std::string plain = dir.Write("side b.wav", "");
    const std::string accented = dir.Write("c\xC3\xB4t\xC3\xA9 b.wav", "");
    bool stop = false;
    EXPECT_FALSE(session.Apply([&](CSheetEditor& editor) { return editor.AddPath(accented, session.CurrentItem(), stop); }));
    EXPECT_EQ(Text(), before);
    ASSERT_EQ(prompts.Lines().size(), 1u);
    EXPECT_NE(prompts.Lines().front().find("cannot hold its characters"), std::string::npos) << prompts.Lines().front();

    ASSERT_TRUE(session.Apply([&](CSheetEditor& editor) { return editor.AddPath(plain, session.CurrentItem(), stop); }));
    EXPECT_NE(Text().find("FILE \"side b.wav\" WAVE"), std::string::npos) << Text();
}

// Three files, the second starting with the end of track 02 (a track that
// runs on into the next file), and tracks numbered on across the files.
const char* const kAlbum =
    "REM GENRE Rock\n"
    "TITLE \"Three sides\"\n"
    "FILE \"side a.wav\" WAVE\n"
    "  TRACK 01 AUDIO\n"
    "    TITLE \"One\"\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    TITLE \"Two\"\n"
    "    INDEX 01 03:00:00\n"
    "FILE \"side b.wav\" WAVE\n"
    "    INDEX 02 00:00:00\n"
    "  TRACK 03 AUDIO\n"
    "    TITLE \"Three\"\n"
    "    INDEX 01 02:00:00\n"
    "  TRACK 04 AUDIO\n"
    "    INDEX 00 05:00:00\n"
    "    INDEX 01 05:02:00\n"
    "FILE \"side c.wav\" WAVE\n"
    "  TRACK 05 AUDIO\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 06 AUDIO\n"
    "    REM take 2\n"
    "    INDEX 01 04:00:00\n";

// An edit of the album, or an undo or redo; the line names the item.
struct AlbumStep {
    enum Kind { Edit, Undo, Redo } kind;
    std::function<CCueItem*(CSheetEditor&, CQuillDoc&)> edit;
};

CCueIndex* IndexAt(CQuillDoc& doc, int line)
{
    CCueItem* item = doc.Line(line);
    return item && item->Kind() == ItemKind::Index ? static_cast<CCueIndex*>(item) : nullptr;
}

struct AlbumCase {
    const char* name;
    std::vector<AlbumStep> steps;
};

void PrintTo(const AlbumCase& c, std::ostream* os) { *os << c.name; }

class AlbumSteps : public EditSession, public testing::WithParamInterface<AlbumCase> {};

// Edits that relayout carries into other files (renumbered, reordered,
// continuations joined or split), undone and redone in every order: each
// undo and redo gives back the exact text of the step it returns to, and
// the modified flag it had.
TEST_P(AlbumSteps, EveryStepComesBackExactly)
{
    ASSERT_TRUE(Open(kAlbum));
    // What the sheet read at each step of the history: past[0] is the
    // opened sheet, past.back() the current one; future holds the undone.
    std::vector<std::pair<std::string, bool>> past{{Text(), false}};
    std::vector<std::pair<std::string, bool>> future;
    int index = 0;
    for (const AlbumStep& step : GetParam().steps) {
        SCOPED_TRACE("step " + std::to_string(index++));
        switch (step.kind) {
        case AlbumStep::Edit:
            ASSERT_TRUE(session.Apply([&](CSheetEditor& editor) { return step.edit(editor, session.Doc()); }));
            past.push_back({Text(), true});
            future.clear();
            break;
        case AlbumStep::Undo:
            ASSERT_TRUE(session.Undo());
            future.push_back(past.back());
            past.pop_back();
            break;
        case AlbumStep::Redo:
            ASSERT_TRUE(session.Redo());
            past.push_back(future.back());
            future.pop_back();
            break;
        }
        EXPECT_EQ(Text(), past.back().first);
        EXPECT_EQ(session.Doc().IsModified(), past.back().second);
    }
    // Then all the way back, and all the way forward again.
    while (past.size() > 1) {
        ASSERT_TRUE(session.Undo());
        future.push_back(past.back());
        past.pop_back();
        EXPECT_EQ(Text(), past.back().first);
    }
    EXPECT_FALSE(session.Undo());
    EXPECT_FALSE(session.Doc().IsModified());
    while (!future.empty()) {
        ASSERT_TRUE(session.Redo());
        past.push_back(future.back());
        future.pop_back();
        EXPECT_EQ(Text(), past.back().first);
    }
    EXPECT_FALSE(session.Redo());
}

const AlbumStep kUndo{AlbumStep::Undo, {}};
const AlbumStep kRedo{AlbumStep::Redo, {}};

AlbumStep InsertAt(ItemKind kind, int line)
{
    return {AlbumStep::Edit, [kind, line](CSheetEditor& e, CQuillDoc& d) { return e.Insert(kind, d.Line(line)); }};
}

AlbumStep DeleteAt(int line)
{
    return {AlbumStep::Edit, [line](CSheetEditor& e, CQuillDoc& d) { return e.Delete(d.Line(line), line); }};
}

AlbumStep PasteAt(std::string text, int line)
{
    return {AlbumStep::Edit,
            [text, line](CSheetEditor& e, CQuillDoc& d) { return e.Paste(text, d.Line(line)).first; }};
}

// Moves the index on a line to another time; relayout sorts the tracks.
AlbumStep RetimeAt(int line, unsigned minutes)
{
    return {AlbumStep::Edit, [line, minutes](CSheetEditor&, CQuillDoc& d) -> CCueItem* {
                CCueIndex* index = IndexAt(d, line);
                if (index)
                    index->SetTime(CCueTime::FromMsf(minutes, 0, 0));
                return index;
            }};
}

INSTANTIATE_TEST_SUITE_P(Cases, AlbumSteps, testing::Values(
    // A track in the first file renumbers every track of the other two.
    AlbumCase{"track_inserted_in_the_first_file", {InsertAt(ItemKind::Track, 3), kUndo, kRedo, kUndo}},
    // The same file edited again after an undo: what the undo put back
    // is edited, and must be copied anew for the next undo.
    AlbumCase{"same_file_edited_after_an_undo",
              {InsertAt(ItemKind::Comment, 12), kUndo, InsertAt(ItemKind::CdText, 12), DeleteAt(14), kUndo, kUndo,
               kRedo, InsertAt(ItemKind::Comment, 18)}},
    // Deleting the first file makes the continuation a track of its own.
    AlbumCase{"first_file_deleted", {DeleteAt(2), InsertAt(ItemKind::Comment, 3), kUndo, kUndo, kRedo}},
    // A later index time moves track 03 after track 04 inside its file.
    AlbumCase{"tracks_reordered_by_a_time", {RetimeAt(13, 7), kUndo, kRedo, RetimeAt(13, 1), kUndo}},
    // Pasted lines that start a file of their own, then a track in it.
    AlbumCase{"file_pasted_between_files",
              {PasteAt("FILE \"bonus.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n", 9),
               InsertAt(ItemKind::Track, 10), kUndo, DeleteAt(9), kUndo, kUndo, kRedo}},
    // Many small edits in different files, undone and redone half way.
    AlbumCase{"edits_across_all_files",
              {InsertAt(ItemKind::Comment, 0), InsertAt(ItemKind::Index, 9), DeleteAt(22),
               InsertAt(ItemKind::Track, 19), kUndo, kUndo, kRedo, InsertAt(ItemKind::Pregap, 4), kUndo, kUndo,
               DeleteAt(5)}}));

} // namespace

