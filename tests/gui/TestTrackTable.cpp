// The track table in the real window, offscreen: titles typed into cells
// and saved (read back with cueprint), cells that would not read back
// refused, a column pasted as one step, rows and the listing's cursor
// following each other, new starts re-sorting, and a sheet of hundreds of
// tracks.
#include "WindowTest.h"

#include "album/CTrackTable.h"
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "audio/WaveFixtures.h"
#include "document/CEditSession.h"
#include "model/CCueTrack.h"
#include "res/CommandIds.h"
#include "view/CQuillView.h"
#include "view/CTrackTableModel.h"
#include "view/CTrackTablePanel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace wavetest;

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

// Three tracks of a 60-second live recording, with a gap before the third.
const char* const kSheet = "PERFORMER \"The Band\"\nTITLE \"Live\"\nFILE \"live.wav\" WAVE\n"
                           "  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                           "  TRACK 02 AUDIO\n    TITLE \"Second\"\n    INDEX 01 00:20:00\n"
                           "  TRACK 03 AUDIO\n    INDEX 00 00:38:00\n    INDEX 01 00:40:00\n";

} // namespace

class TestTrackTable final : public WindowTest
{
    Q_OBJECT

private:
    std::string File(const char* name) const { return m_dir->filePath(S(name)).toStdString(); }
    std::string Text() const { return m_app->Document().SheetText(); }
    CTrackTablePanel* Panel() const { return Frame()->Tracks(); }
    QTableView* Table() const { return Panel()->Table(); }
    void Start(const std::string& sheet)
    {
        QCOMPARE(Run("cd " + Quote(m_dir->path().toStdString()) +
                     " && sox -D -n -r 44100 -c 2 -b 16 live.wav synth 60 pinknoise gain -12"),
                 0);
        StartApp({WriteFile(S("live.cue"), QByteArray::fromStdString(sheet))});
        QVERIFY(!QTest::currentTestFailed());
        ActivateWindow();
        // View > Tracks, from the keyboard.
        QVERIFY(Frame()->TracksDock()->isHidden());
        QTest::keyClick(Frame(), Qt::Key_V, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_R);
        QTRY_VERIFY(Table()->isVisible());
        QVERIFY(Frame()->Action(cmd::ViewTracks)->isChecked());
    }
    QString Cell(int row, int column) const { return Table()->model()->index(row, column).data().toString(); }
    // Clicks a cell and opens its box with F2.
    QLineEdit* EditCell(int row, int column)
    {
        const QModelIndex index = Table()->model()->index(row, column);
        Table()->scrollTo(index);
        QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, Table()->visualRect(index).center());
        if (Table()->currentIndex() != index)
            return nullptr;
        QTest::keyClick(Table(), Qt::Key_F2);
        return Editor();
    }
    // The open cell box; a closed one waits for its deletion hidden.
    QLineEdit* Editor() const
    {
        for (QLineEdit* edit : Table()->findChildren<QLineEdit*>()) {
            if (edit->isVisible())
                return edit;
        }
        return nullptr;
    }
    void Type(QLineEdit* editor, const QString& text)
    {
        editor->selectAll();
        QTest::keyClicks(editor, text);
    }
    QStringList Boxes() const
    {
        QStringList lines;
        for (const std::string& line : m_prompts->Lines())
            lines << Q(line);
        return lines;
    }
    // The saved sheet as cueprint reads it: a line for each track.
    QString SavedTracks()
    {
        if (!Frame()->ExecuteCommand(cmd::Save) || m_app->Document().IsModified())
            return S("not saved");
        std::string out;
        if (Run("cueprint -d '%P|%T\\n' -t '%n|%p|%t|%i\\n' " + Quote(File("live.cue")), &out) != 0)
            return S("cueprint failed");
        return Q(out);
    }

private slots:
    void rowsShowTheTracks()
    {
        Start(kSheet);
        QCOMPARE(Table()->model()->rowCount(), 3);
        const QStringList expected[] = {
            {S("01"), S("live.wav"), S("00:00:00"), S(""), S("00:20:00"), S(""), S(""), S(""), S("")},
            {S("02"), S("live.wav"), S("00:20:00"), S(""), S("00:18:00"), S(""), S("Second"), S(""), S("")},
            {S("03"), S("live.wav"), S("00:40:00"), S("00:02:00"), S("00:20:00"), S(""), S(""), S(""), S("")},
        };
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < CTrackTable::ColumnCount; ++column)
                QCOMPARE(Cell(row, column), expected[row][column]);
        }
        QCOMPARE(Panel()->DiscPerformer()->text(), S("The Band"));
        QCOMPARE(Panel()->DiscTitle()->text(), S("Live"));
    }

    // Titles typed one after the other, Enter going down the column; each
    // cell is one undo step, and cueprint reads the saved sheet.
    void typedTitlesAreSaved()
    {
        Start(kSheet);
        const std::string before = Text();
        QLineEdit* editor = EditCell(0, CTrackTable::Title);
        QVERIFY(editor);
        for (const char* title : {"Opener", "Middle", "Closer"}) {
            QVERIFY(editor);
            Type(editor, S(title));
            QTest::keyClick(editor, Qt::Key_Return);
            editor = Editor();
        }
        // The last Enter has no row below to go on to.
        QTRY_VERIFY(Editor() == nullptr);
        QCOMPARE(Cell(2, CTrackTable::Title), S("Closer"));
        // Tab goes on to the next cell that can be edited: the songwriter.
        editor = EditCell(0, CTrackTable::Performer);
        Type(editor, S("Guest"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(Table()->currentIndex().column(), int(CTrackTable::Title));
        QVERIFY(Editor());
        QTest::keyClick(Editor(), Qt::Key_Escape);
        QTRY_VERIFY(Editor() == nullptr);
        QCOMPARE(Cell(0, CTrackTable::Title), S("Opener"));
        // Disc title in its box.
        Panel()->DiscTitle()->setFocus();
        Panel()->DiscTitle()->selectAll();
        QTest::keyClicks(Panel()->DiscTitle(), S("Live at Home"));
        QTest::keyClick(Panel()->DiscTitle(), Qt::Key_Return);
        QCOMPARE(SavedTracks(), S("The Band|Live at Home\n1|Guest|Opener|\n2||Middle|\n3||Closer|\n"));
        QVERIFY(Boxes().isEmpty());
        // Five steps: four cells and the disc title.
        for (int i = 0; i < 5; ++i)
            QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(Q(Text()), Q(before));
        QCOMPARE(Cell(1, CTrackTable::Title), S("Second"));
        QCOMPARE(Panel()->DiscTitle()->text(), S("Live"));
    }

    void refusedCells_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("ISRC too short") << int(CTrackTable::Isrc) << S("USABC12")
            << S("The ISRC\nUSABC12\ncannot be written in a cue sheet: an ISRC is 12 characters: a country code of "
                 "two letters, three letters or digits for the registrant, then seven digits (CCXXXYYNNNNN).");
        QTest::newRow("ISRC with letters at the end") << int(CTrackTable::Isrc) << S("USABC99000AB")
            << S("The ISRC\nUSABC99000AB\ncannot be written in a cue sheet: an ISRC is 12 characters: a country code "
                 "of two letters, three letters or digits for the registrant, then seven digits (CCXXXYYNNNNN).");
        QTest::newRow("start past the largest time") << int(CTrackTable::Start) << S("10000:00:00")
            << S("10000:00:00 is not a valid start: Time past 9999:59:74.");
        QTest::newRow("start past the audio") << int(CTrackTable::Start) << S("01:00:00")
            << S("01:00:00 is not a valid start: the audio ends at 01:00:00.");
        QTest::newRow("frames past 74") << int(CTrackTable::Start) << S("00:30:75")
            << S("00:30:75 is not a valid start: Frames past 74 in time.");
        QTest::newRow("quote in a title") << int(CTrackTable::Title) << S("Say \"Hi\"")
            << S("The Title\nSay \"Hi\"\ncannot be written in a cue sheet: a double quote (\") would end the text "
                 "early.");
        QTest::newRow("start of another track") << int(CTrackTable::Start) << S("00:40:00")
            << S("00:40:00 is not a valid start: track 3 starts there already.");
    }
    void refusedCells()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Start(kSheet);
        const std::string before = Text();
        QLineEdit* editor = EditCell(1, column);
        QVERIFY(editor);
        Type(editor, typed);
        m_prompts->QueueAnswer(PromptAnswer::Ok);
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(Boxes(), QStringList{S("Tracks: ") + message});
        QCOMPARE(m_prompts->Messages().back().caption, std::string("Tracks"));
        // The box stays open with what was typed; Escape drops it.
        QCOMPARE(Editor(), editor);
        QCOMPARE(editor->text(), typed);
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(Editor() == nullptr);
        QCOMPARE(Q(Text()), Q(before));
        QVERIFY(!m_app->Document().IsModified());
    }

    // Leaving the window (for a message box, say) keeps the cell open with
    // what was typed; clicking another cell stores it.
    void leavingTheWindowKeepsTheCellOpen()
    {
        Start(kSheet);
        const std::string before = Text();
        QLineEdit* editor = EditCell(0, CTrackTable::Title);
        QVERIFY(editor);
        Type(editor, S("Opener"));
        QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(editor, &away);
        QCOMPARE(Editor(), editor);
        QCOMPARE(editor->text(), S("Opener"));
        QCOMPARE(Q(Text()), Q(before));
        const QModelIndex other = Table()->model()->index(2, CTrackTable::Performer);
        QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, Table()->visualRect(other).center());
        QTRY_COMPARE(Cell(0, CTrackTable::Title), S("Opener"));
        QTRY_VERIFY(Editor() == nullptr);
        QVERIFY(Boxes().isEmpty());
    }

    // An ISRC as people write it is stored in its plain form.
    void isrcIsStoredPlain()
    {
        Start(kSheet);
        QLineEdit* editor = EditCell(2, CTrackTable::Isrc);
        Type(editor, S("us-s1z-99-00001"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(Cell(2, CTrackTable::Isrc), S("USS1Z9900001"));
        QCOMPARE(SavedTracks(), S("The Band|Live\n1|||\n2||Second|\n3|||USS1Z9900001\n"));
    }

    // A new start re-sorts the tracks; the gap keeps its length.
    void newStartResorts()
    {
        Start(kSheet);
        const std::string before = Text();
        QLineEdit* editor = EditCell(2, CTrackTable::Start);
        Type(editor, S("00:10:00"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(Q(Text()), S("PERFORMER \"The Band\"\nTITLE \"Live\"\nFILE live.wav WAVE\n"
                              "  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                              "  TRACK 02 AUDIO\n    INDEX 00 00:08:00\n    INDEX 01 00:10:00\n"
                              "  TRACK 03 AUDIO\n    TITLE \"Second\"\n    INDEX 01 00:20:00\n"));
        // The row follows its track to its new place, and Enter went on
        // below it.
        QCOMPARE(Cell(1, CTrackTable::Start), S("00:10:00"));
        QCOMPARE(Cell(1, CTrackTable::Gap), S("00:02:00"));
        QCOMPARE(Table()->currentIndex().row(), 2);
        QVERIFY(Editor());
        QTest::keyClick(Editor(), Qt::Key_Escape);
        std::string breakpoints;
        QVERIFY(Frame()->ExecuteCommand(cmd::Save));
        QCOMPARE(Run("cuebreakpoints " + Quote(File("live.cue")), &breakpoints), 0);
        QCOMPARE(Q(breakpoints), S("0:10.00\n0:20.00\n"));
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(Q(Text()), Q(before));
    }

    void pastedColumnIsOneStep()
    {
        Start(kSheet);
        const std::string before = Text();
        QVERIFY(EditCell(0, CTrackTable::Performer));
        QTest::keyClick(Editor(), Qt::Key_Escape);
        QTRY_VERIFY(Editor() == nullptr);
        QApplication::clipboard()->setText(S("First Act\r\nSecond Act\r\nThird Act\r\n"));
        QTest::keyClick(Table(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Cell(0, CTrackTable::Performer), S("First Act"));
        QCOMPARE(Cell(2, CTrackTable::Performer), S("Third Act"));
        QCOMPARE(SavedTracks(), S("The Band|Live\n1|First Act||\n2|Second Act|Second|\n3|Third Act||\n"));
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(Q(Text()), Q(before));
        QVERIFY(Boxes().isEmpty());
        // More lines than tracks below: nothing goes in.
        Table()->setCurrentIndex(Table()->model()->index(1, CTrackTable::Title));
        QApplication::clipboard()->setText(S("A\nB\nC\n"));
        m_prompts->QueueAnswer(PromptAnswer::Ok);
        QTest::keyClick(Table(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Boxes(), QStringList{S("Tracks: The clipboard holds 3 lines, but only 2 tracks follow from track 2: "
                                        "nothing was pasted.")});
        QCOMPARE(Q(Text()), Q(before));
        // A bad line refuses the whole paste.
        m_prompts->Clear();
        Table()->setCurrentIndex(Table()->model()->index(0, CTrackTable::Isrc));
        QApplication::clipboard()->setText(S("USS1Z9900001\nnot an isrc\n"));
        m_prompts->QueueAnswer(PromptAnswer::Ok);
        QTest::keyClick(Table(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Boxes().size(), 1);
        QVERIFY2(Boxes().front().startsWith(S("Tracks: Line 2: The ISRC\nnot an isrc\ncannot be written")),
                 qPrintable(Boxes().front()));
        QCOMPARE(Q(Text()), Q(before));
    }

    // Choosing a row moves the listing's cursor to the track, and moving
    // the listing's cursor chooses the row.
    void rowAndListingFollowEachOther()
    {
        Start(kSheet);
        CEditSession& session = m_app->Session();
        const QModelIndex third = Table()->model()->index(2, CTrackTable::Title);
        QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, Table()->visualRect(third).center());
        QVERIFY(session.CurrentItem());
        QCOMPARE(session.CurrentItem()->Kind(), ItemKind::Track);
        QCOMPARE(static_cast<const CCueTrack*>(session.CurrentItem())->Number(), 3);
        QCOMPARE(Frame()->View()->CurrentItem(), session.CurrentItem());
        // The listing's cursor on track 2's TITLE line chooses row 2.
        const CCueTrack* second = Panel()->Model()->TrackOfRow(1);
        Frame()->View()->SetCurrentItem(second->Child(0));
        QCOMPARE(Table()->currentIndex().row(), 1);
        // Up from the cell: row 1, the first track.
        QTest::keyClick(Table(), Qt::Key_Up);
        QCOMPARE(static_cast<const CCueTrack*>(session.CurrentItem())->Number(), 1);
    }

    // Hundreds of tracks: numbered on past 99, and an edit repaints its row
    // alone.
    void hundredsOfTracks()
    {
        std::string sheet = "FILE \"live.wav\" WAVE\n";
        for (int t = 1; t <= 150; ++t) {
            char line[96];
            std::snprintf(line, sizeof line, "  TRACK %02d AUDIO\n    INDEX 01 00:%02d:%02d\n", t, (t - 1) / 3, (t - 1) % 3 * 20);
            sheet += line;
        }
        Start(sheet);
        QCOMPARE(Table()->model()->rowCount(), 150);
        QCOMPARE(Cell(99, CTrackTable::Number), S("100"));
        QCOMPARE(Cell(149, CTrackTable::Number), S("150"));
        QSignalSpy changed(Table()->model(), &QAbstractItemModel::dataChanged);
        QSignalSpy reset(Table()->model(), &QAbstractItemModel::modelReset);
        QLineEdit* editor = EditCell(139, CTrackTable::Title);
        QVERIFY(editor);
        Type(editor, S("Deep Cut"));
        QTest::keyClick(editor, Qt::Key_Escape);
        editor = EditCell(139, CTrackTable::Title);
        Type(editor, S("Deep Cut"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.front().at(0).value<QModelIndex>().row(), 139);
        QCOMPARE(changed.front().at(1).value<QModelIndex>().row(), 139);
        // libcue stops at 99 tracks, so the saved file is read as text.
        QVERIFY(Frame()->ExecuteCommand(cmd::Save));
        QFile saved(m_dir->filePath(S("live.cue")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(saved.readAll()).remove(QLatin1Char('\r'));
        QVERIFY(text.contains(S("  TRACK 140 AUDIO\n    TITLE \"Deep Cut\"\n    INDEX 01 00:46:20\n")));
        QCOMPARE(text.count(S("TITLE")), 1);
    }
};

QTEST_MAIN(TestTrackTable)
#include "TestTrackTable.moc"
