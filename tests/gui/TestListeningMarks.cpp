// Track starts marked while listening, in the real window, offscreen, the
// player playing through SDL's disk driver: the M key starts a track at
// the position being heard without stopping or moving playback, Undo takes
// the last mark back, the reaction time is taken off, and marks that cannot
// go in are refused with the reason. Saved sheets are read back with
// cuebreakpoints.
#include "WindowTest.h"

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "audio/IWavePlayer.h"
#include "audio/WaveFixtures.h"
#include "document/CEditSession.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueTrack.h"
#include "res/CommandIds.h"
#include "view/CQuillView.h"
#include "view/CTrackTablePanel.h"

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>

#include <vector>

using namespace wavetest;

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

// An intro file, then a live recording of 60 s with a gap before its last
// track.
const char* const kSheet = "TITLE \"Live\"\n"
                           "FILE \"intro.wav\" WAVE\n  TRACK 01 AUDIO\n    TITLE \"Intro\"\n    INDEX 01 00:00:00\n"
                           "FILE \"live.wav\" WAVE\n  TRACK 02 AUDIO\n    TITLE \"Set\"\n    INDEX 01 00:00:00\n"
                           "  TRACK 03 AUDIO\n    TITLE \"Encore\"\n    INDEX 00 00:38:00\n    INDEX 01 00:40:00\n";

std::uint32_t Ms(const CCueTime& time) { return time.Milliseconds(); }

} // namespace

class TestListeningMarks final : public WindowTest
{
    Q_OBJECT

private:
    void InitCase() override { PlayIntoFile(); }

    std::string File(const char* name) const { return m_dir->filePath(S(name)).toStdString(); }
    IWavePlayer* Player() const { return Frame()->Player(); }
    CEditSession& Session() const { return m_app->Session(); }
    void Start()
    {
        QCOMPARE(Run("cd " + Quote(m_dir->path().toStdString()) +
                     " && sox -D -n -r 44100 -c 2 -b 16 live.wav synth 60 pinknoise gain -12"
                     " && sox -D -n -r 44100 -c 2 -b 16 intro.wav synth 5 pinknoise gain -12"),
                 0);
        StartApp({WriteFile(S("live.cue"), kSheet)});
        QVERIFY(!QTest::currentTestFailed());
        ActivateWindow();
    }
    const CCueFile* Live() const { return m_app->Document().File(1); }
    // The listing's cursor on a line of the sheet, through the view.
    void PutCursorOn(const CCueItem* item)
    {
        Frame()->View()->SetCurrentItem(item);
        QCOMPARE(Session().CurrentItem(), item);
    }
    void Press(Qt::Key key)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Frame();
        QTest::keyClick(target, key);
    }
    std::vector<std::string> LiveStarts() const
    {
        std::vector<std::string> starts;
        for (int t = 0; t < Live()->TrackCount(); ++t)
            starts.push_back(Live()->Track(t)->StartTime().Text());
        return starts;
    }
    // The INDEX 01 time of the live file's track that starts in [from, to].
    std::uint32_t MarkBetween(std::uint32_t from, std::uint32_t to) const
    {
        for (int t = 0; t < Live()->TrackCount(); ++t) {
            const std::uint32_t ms = Ms(Live()->Track(t)->Index(0)->Time());
            if (ms >= from && ms <= to && ms != 0 && ms != 40000)
                return ms;
        }
        return 0;
    }

private slots:
    void marksWhilePlaying()
    {
        Start();
        // The cursor on the live set's TITLE line: the player takes its file.
        const CCueItem* title = Live()->Track(0)->Child(0);
        PutCursorOn(title);
        QVERIFY(Player());
        QCOMPARE(Player()->Path(), File("live.wav"));
        Frame()->UpdateCommandUI();
        QVERIFY(!Frame()->Action(cmd::MarkTrack)->isEnabled()); // nothing plays yet
        Press(Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(Ms(Player()->GetPosition()) >= 1000, 5000);
        const IWavePlayer* player = Player();

        std::uint32_t before = Ms(Player()->GetPosition());
        Press(Qt::Key_M);
        std::uint32_t after = Ms(Player()->GetPosition());
        QCOMPARE(Live()->TrackCount(), 3);
        const std::uint32_t first = MarkBetween(before - 14, after);
        QVERIFY2(first > 0, qPrintable(Q(Live()->Track(1)->StartTime().Text())));
        // Playing went on where it was, with the same player and the same
        // line current.
        QCOMPARE(Player(), player);
        QVERIFY(Player()->IsPlaying());
        QVERIFY(Ms(Player()->GetPosition()) >= after);
        QCOMPARE(Session().CurrentItem(), title);

        // With a reaction time of half a second, set in the track table.
        QVERIFY(Frame()->ExecuteCommand(cmd::ViewTracks));
        Frame()->Tracks()->Reaction()->setValue(500);
        QCOMPARE(QSettings(S("Kestrel"), S("Tracksmith")).value(S("Marks/ReactionMs")).toInt(), 500);
        QTRY_VERIFY_WITH_TIMEOUT(Ms(Player()->GetPosition()) >= first + 1500, 5000);
        PutCursorOn(title);
        before = Ms(Player()->GetPosition());
        Press(Qt::Key_M);
        after = Ms(Player()->GetPosition());
        QCOMPARE(Live()->TrackCount(), 4);
        const std::uint32_t second = MarkBetween(before - 500 - 14, after - 500);
        QVERIFY(second > first);
        QVERIFY(Player()->IsPlaying());
        QCOMPARE(Player(), player);

        // Undo takes back the last mark only, and playing goes on.
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(Live()->TrackCount(), 3);
        QCOMPARE(MarkBetween(first, first), first);
        QVERIFY(Player()->IsPlaying());
        QCOMPARE(Player(), player);

        // The saved sheet has the mark where it was heard.
        Press(Qt::Key_Space);
        QVERIFY(Frame()->ExecuteCommand(cmd::Save));
        std::string breakpoints;
        QCOMPARE(Run("cuebreakpoints " + Quote(File("live.cue")), &breakpoints), 0);
        const CCueTime mark = Live()->Track(1)->Index(0)->Time();
        char expected[64];
        std::snprintf(expected, sizeof expected, "%u:%02u.%02u\n", Ms(mark) / 60000, Ms(mark) / 1000 % 60,
                      static_cast<unsigned>(mark.TotalFrames() % 75));
        // Breakpoints within live.wav: the mark, then the encore.
        QCOMPARE(Q(breakpoints), S(expected) + S("0:40.00\n"));
    }

    // Marks at a paused position, exactly: where each goes, or why none.
    void marksAtPausedPositions_data()
    {
        QTest::addColumn<QString>("position");
        QTest::addColumn<int>("reactionMs");
        QTest::addColumn<QString>("start");   // the new track's start, empty for none
        QTest::addColumn<QString>("message"); // the status bar's reason
        QTest::newRow("inside the set") << S("00:10:00") << 0 << S("00:10:00") << QString();
        QTest::newRow("reaction time taken off") << S("00:10:00") << 300 << S("00:09:52") << QString();
        QTest::newRow("never before the file's start") << S("00:00:20") << 1000 << QString()
            << S("No track start marked: track 2 has an index at 00:00:00 already.");
        QTest::newRow("on a track start") << S("00:40:00") << 0 << QString()
            << S("No track start marked: track 3 has an index at 00:40:00 already.");
        QTest::newRow("inside a gap") << S("00:39:00") << 0 << QString()
            << S("No track start marked: 00:39:00 lies between the indexes of track 3.");
        QTest::newRow("after the last track") << S("00:50:00") << 0 << S("00:50:00") << QString();
    }
    void marksAtPausedPositions()
    {
        QFETCH(QString, position);
        QFETCH(int, reactionMs);
        QFETCH(QString, start);
        QFETCH(QString, message);
        QSettings(S("Kestrel"), S("Tracksmith")).setValue(S("Marks/ReactionMs"), reactionMs);
        Start();
        PutCursorOn(Live()->Track(0)->Child(0));
        Press(Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(Ms(Player()->GetPosition()) >= 100, 5000);
        Press(Qt::Key_Space);
        QVERIFY(Player()->IsPaused());
        Player()->Seek(CCueTime::Parse(position.toStdString()));
        const std::string before = m_app->Document().SheetText();
        Press(Qt::Key_M);
        QVERIFY(Player()->IsPaused());
        QCOMPARE(Q(Player()->GetPosition().Text()), position);
        if (start.isEmpty()) {
            QCOMPARE(Q(m_app->Document().SheetText()), Q(before));
            QCOMPARE(Frame()->statusBar()->currentMessage(), message);
        } else {
            std::vector<std::string> starts = {"00:00:00", start.toStdString(), "00:38:00"};
            if (start == S("00:50:00"))
                starts = {"00:00:00", "00:38:00", start.toStdString()};
            QCOMPARE(LiveStarts(), starts);
        }
    }
};

QTEST_MAIN(TestListeningMarks)
#include "TestListeningMarks.moc"
