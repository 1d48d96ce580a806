#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "audio/CPeaks.h"
#include "audio/CWavePcmSource.h"
#include "player/CWavePos.h"
#include "audio/IWavePlayer.h"
#include "audio/WaveFixtures.h"
#include "document/CQuillDoc.h"
#include "model/CCueIndex.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CQuillView.h"
#include "view/CWaveformPanel.h"
#include "view/CWaveformView.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>

#include <condition_variable>
#include <memory>
#include <mutex>

using namespace wavetest;

namespace {

// Lines: 0 FILE A, 1 TRACK 01, 2 INDEX 01 00:00:00, 3 TRACK 02,
// 4 INDEX 00 00:58:00, 5 INDEX 01 01:00:00, 6 TRACK 03, 7 INDEX 01 02:00:00,
// 8 FILE B, 9 TRACK 04, 10 INDEX 01 00:00:00.
const char* const kSheet =
    "FILE A.wav WAVE\n"
    "  TRACK 01 AUDIO ; Opening\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    INDEX 00 00:58:00\n"
    "    INDEX 01 01:00:00\n"
    "  TRACK 03 AUDIO\n"
    "    INDEX 01 02:00:00\n"
    "FILE B.wav WAVE\n"
    "  TRACK 04 AUDIO\n"
    "    INDEX 01 00:00:00\n"
    "    TITLE \"Evening tone\"\n";

QString S(const char* text) { return QString::fromUtf8(text); }

std::int64_t Bin(const char* msf) { return CWaveformPanel::BinOfTime(CCueTime::Parse(msf)); }

// A wave source that stops after its first block until it is let go: the
// peaks stay "being computed" for as long as a test needs.
struct Gate {
    std::mutex lock;
    std::condition_variable changed;
    bool open = false;
    int reads = 0;
    void Open()
    {
        std::lock_guard<std::mutex> hold(lock);
        open = true;
        changed.notify_all();
    }
};

class CGatedSource final : public IPcmSource
{
public:
    CGatedSource(std::unique_ptr<IPcmSource> inner, std::shared_ptr<Gate> gate)
        : m_inner(std::move(inner))
        , m_gate(std::move(gate))
    {
    }
    std::uint32_t SampleRate() const override { return m_inner->SampleRate(); }
    std::uint16_t Channels() const override { return m_inner->Channels(); }
    std::uint64_t FrameCount() const override { return m_inner->FrameCount(); }
    std::int64_t ReadFrames(float* out, std::size_t frames) override
    {
        std::unique_lock<std::mutex> hold(m_gate->lock);
        if (m_gate->reads++ > 0)
            m_gate->changed.wait(hold, [this] { return m_gate->open; });
        hold.unlock();
        return m_inner->ReadFrames(out, frames);
    }
    const std::string& FailureReason() const override { return m_inner->FailureReason(); }

private:
    std::unique_ptr<IPcmSource> m_inner;
    std::shared_ptr<Gate> m_gate;
};

} // namespace

class TestWaveform final : public WindowTest
{
    Q_OBJECT

private:
    std::shared_ptr<Gate> m_gate;
    bool m_gated = false;

    void InitCase() override
    {
        PlayIntoFile();
        m_gated = false;
    }
    // The peaks are cached in the test's folder; a gated start reads the
    // audio through a source the test opens by hand.
    void Arrange(CMainFrame& frame) override
    {
        frame.Waveform()->SetCacheFolder(File("cache"));
        if (m_gated) {
            m_gate = std::make_shared<Gate>();
            frame.Waveform()->SetSourceFactory([gate = m_gate](const std::string& path, std::string& reason)
                                                   -> std::unique_ptr<IPcmSource> {
                auto inner = CWavePcmSource::Open(path, reason);
                if (!inner)
                    return nullptr;
                return std::make_unique<CGatedSource>(std::move(inner), gate);
            });
        }
    }
    void CleanupCase() override
    {
        if (m_gate)
            m_gate->Open();
        StopApp();
        m_gate.reset();
    }

    std::string File(const char* name) const { return m_dir->filePath(S(name)).toStdString(); }
    QString SheetPath() const { return m_dir->filePath(QStringLiteral("waves.cue")); }
    bool Sox(const char* name, const std::string& synth)
    {
        return Run("sox -V1 -n -r 44100 -c 2 -b 16 " + Quote(File(name)) + " " + synth) == 0;
    }
    void StartWith(bool gated = false, const char* synthA = "synth 180 sine 300-900 vol 0.4")
    {
        QVERIFY2(Sox("A.wav", synthA) && Sox("B.wav", "synth 20 sine 440 vol 0.4"), "sox is needed");
        QFile cue(SheetPath());
        QVERIFY(cue.open(QIODevice::WriteOnly));
        cue.write(kSheet);
        cue.close();
        m_gated = gated;
        StartApp();
        QVERIFY(m_app->OpenFile(cue.fileName()));
        Frame()->resize(900, 640);
        if (!gated)
            WaitForPeaks();
    }
    void WaitForPeaks()
    {
        QTRY_VERIFY_WITH_TIMEOUT(Wave()->Peaks() != nullptr, 20000);
        QVERIFY(!Panel()->IsLoading());
    }
    CQuillView* View() const { return Frame()->View(); }
    CWaveformPanel* Panel() const { return Frame()->Waveform(); }
    CWaveformView* Wave() const { return Panel()->Wave(); }
    IWavePlayer* Player() const { return Frame()->Player(); }
    CListingEdit* Listing() const { return View()->Listing(); }
    CCueIndex* IndexAt(int line) const { return dynamic_cast<CCueIndex*>(View()->ItemOfLine(line)); }
    QString TimeAt(int line) const
    {
        const CCueIndex* index = IndexAt(line);
        return index ? QString::fromStdString(index->Time().Text()) : QString();
    }
    void ClickLine(int line)
    {
        const QRect r = Listing()->LineRect(line);
        QTest::mouseClick(Listing()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(r.left() + 30, r.center().y()));
        QCOMPARE(View()->CurrentLine(), line);
    }
    int MarkOf(int line) const
    {
        const auto& marks = Wave()->Marks();
        for (std::size_t i = 0; i < marks.size(); ++i) {
            if (marks[i].index == IndexAt(line))
                return static_cast<int>(i);
        }
        return -1;
    }
    int XOf(std::int64_t bin) const { return static_cast<int>(std::lround(Wave()->XOfBin(static_cast<double>(bin)))); }
    int Y() const { return Wave()->height() / 2; }
    // One pixel per CD frame, with bin near the middle.
    void ZoomInAround(std::int64_t bin)
    {
        Wave()->ZoomToFit();
        Wave()->ZoomAt(Wave()->XOfBin(static_cast<double>(bin)), 1e-9);
        Wave()->SetFirstBin(static_cast<double>(bin) - Wave()->width() / 2.0);
        QCOMPARE(Wave()->BinsPerPixel(), 1.0);
    }
    void Drag(int fromX, int toX)
    {
        QTest::mousePress(Wave(), Qt::LeftButton, Qt::NoModifier, QPoint(fromX, Y()));
        // In steps, as a hand moves.
        const int steps = 8;
        for (int i = 1; i <= steps; ++i)
            QTest::mouseMove(Wave(), QPoint(fromX + (toX - fromX) * i / steps, Y()));
        QTest::mouseRelease(Wave(), Qt::LeftButton, Qt::NoModifier, QPoint(toX, Y()));
    }
    QString SavedSheet()
    {
        QTest::keyClick(Listing(), Qt::Key_S, Qt::ControlModifier);
        QFile saved(SheetPath());
        if (!saved.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(saved.readAll());
    }
    // cuebreakpoints' list of track starts of the saved sheet.
    std::string Breakpoints()
    {
        std::string out = "\n";
        Run("cuebreakpoints " + Quote(SheetPath().toStdString()) + " 2>&1", &out);
        return out;
    }
    void Wheel(int x, int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QPointF pos(x, Y());
        QWheelEvent event(pos, Wave()->mapToGlobal(pos), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Wave(), &event);
    }

private slots:
    // A track's CD-TEXT title names its mark before any comment does.
    void aMarkShowsTheTracksTitle()
    {
        StartWith();
        ClickLine(10);
        QTRY_COMPARE(Panel()->FilePath(), File("B.wav"));
        WaitForPeaks();
        QCOMPARE(Wave()->Marks().size(), std::size_t{1});
        QCOMPARE(Wave()->Marks()[0].label, S("04 Evening tone"));
    }

    void showsTheCurrentFileWithItsMarks()
    {
        StartWith();
        QVERIFY(Frame()->WaveformDock()->isVisible());
        QCOMPARE(Panel()->FilePath(), File("A.wav"));
        QCOMPARE(Wave()->BinCount(), Bin("03:00:00"));
        const auto& marks = Wave()->Marks();
        QCOMPARE(marks.size(), std::size_t{4});
        QCOMPARE(marks[0].label, S("01 Opening"));
        QCOMPARE(marks[1].label, S("02.00"));
        QCOMPARE(marks[2].label, S("02"));
        QCOMPARE(marks[3].bin, Bin("02:00:00"));
        // The file's first track starts at 00:00:00 whatever is dragged.
        QVERIFY(!marks[0].draggable);
        QVERIFY(marks[1].draggable);
        QCOMPARE(Wave()->Spans().size(), std::size_t{1});
        QCOMPARE(Wave()->Spans()[0].first, Bin("00:58:00"));
        QCOMPARE(Wave()->Spans()[0].end, Bin("01:00:00"));

        ClickLine(5);
        QVERIFY(Wave()->Marks()[static_cast<std::size_t>(MarkOf(5))].current);
        QVERIFY(!Wave()->Marks()[static_cast<std::size_t>(MarkOf(7))].current);
        // Another file's line shows that file, from the cache the next time.
        ClickLine(10);
        QCOMPARE(Panel()->FilePath(), File("B.wav"));
        WaitForPeaks();
        QCOMPARE(Wave()->Marks().size(), std::size_t{1});
        QVERIFY(!Panel()->LoadedFromCache());
        ClickLine(7);
        WaitForPeaks();
        QVERIFY(Panel()->LoadedFromCache());
        QCOMPARE(Wave()->BinCount(), Bin("03:00:00"));
    }

    void clickSetsThePlayPosition_data()
    {
        QTest::addColumn<bool>("playing");
        QTest::newRow("stopped") << false;
        QTest::newRow("playing") << true;
    }
    void clickSetsThePlayPosition()
    {
        QFETCH(bool, playing);
        StartWith();
        ClickLine(2);
        QVERIFY(Player());
        if (playing)
            QVERIFY(Frame()->ExecuteCommand(cmd::PlayStop));
        ZoomInAround(Bin("01:30:00"));
        const int x = XOf(Bin("01:30:00"));
        QTest::mouseClick(Wave(), Qt::LeftButton, Qt::NoModifier, QPoint(x, Y()));
        const std::uint32_t target = CCueTime::Parse("01:30:00").Milliseconds();
        QVERIFY(Player()->GetPosition().Milliseconds() >= target);
        QVERIFY(Player()->GetPosition().Milliseconds() < target + 500);
        QVERIFY(Frame()->PositionControl()->GetPosition().Milliseconds() >= target);
        QCOMPARE(Player()->IsPlaying(), playing);
        if (playing)
            QTRY_VERIFY_WITH_TIMEOUT(Wave()->PlayPosition() > Bin("01:30:05"), 5000);
        // The listing keeps the keyboard.
        QVERIFY(Listing()->hasFocus());
        QVERIFY(m_prompts->Messages().empty());
    }

    void dragSetsTheIndexAndSaves_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("frames"); // how far the drag goes
        QTest::addColumn<QString>("time");
        QTest::newRow("track start later") << 5 << 150 << S("01:02:00");
        QTest::newRow("track start earlier") << 5 << -37 << S("00:59:38");
        QTest::newRow("index 00") << 4 << -75 << S("00:57:00");
        QTest::newRow("last track") << 7 << 80 << S("02:01:05");
    }
    void dragSetsTheIndexAndSaves()
    {
        QFETCH(int, line);
        QFETCH(int, frames);
        QFETCH(QString, time);
        StartWith();
        Frame()->Action(cmd::WaveSnap)->trigger();
        QVERIFY(!Panel()->Snap());
        const QString before = TimeAt(line);
        const std::int64_t bin = CWaveformPanel::BinOfTime(IndexAt(line)->Time());
        ZoomInAround(bin);
        QSignalSpy seeks(Panel(), &CWaveformPanel::SeekRequested);
        Drag(XOf(bin), XOf(bin) + frames);
        QCOMPARE(TimeAt(line), time);
        // The position control followed the drag and the line is current.
        QVERIFY(!seeks.isEmpty());
        QCOMPARE(QString::fromStdString(Frame()->PositionControl()->GetPosition().Text()), time);
        QCOMPARE(View()->CurrentLine(), line);
        QVERIFY(Frame()->Action(cmd::Undo)->isEnabled());

        const QString saved = SavedSheet();
        QVERIFY(saved.contains(QStringLiteral("INDEX %1 %2").arg(line == 4 ? S("00") : S("01"), time)));
        QVERIFY(!saved.contains(QStringLiteral(" ") + before + QStringLiteral("\r")));
        if (line != 4) {
            const std::string points = Breakpoints();
            // cuebreakpoints writes m:ss.ff.
            const QString point = QString::number(time.left(2).toInt()) + time.mid(2, 3) + QLatin1Char('.') + time.right(2);
            QVERIFY2(points.find("\n" + point.toStdString() + "\n") != std::string::npos, points.c_str());
        }

        // Undo puts it back, as one step; redo moves it again.
        QTest::keyClick(Listing(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(TimeAt(line), before);
        QCOMPARE(Wave()->Marks()[static_cast<std::size_t>(MarkOf(line))].bin, bin);
        QVERIFY(!Frame()->Action(cmd::Undo)->isEnabled());
        QTest::keyClick(Listing(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(TimeAt(line), time);
        QVERIFY(m_prompts->Messages().empty());
    }

    void dragStopsAtTheNeighbours_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("towards"); // a time past the neighbour
        QTest::addColumn<QString>("limit");
        QTest::newRow("track start onto its index 00") << 5 << S("00:50:00") << S("00:58:01");
        QTest::newRow("index 00 onto the previous track") << 4 << S("00:00:00") << S("00:00:01");
        QTest::newRow("index 00 onto its track start") << 4 << S("01:10:00") << S("00:59:74");
        QTest::newRow("track start onto the next track") << 5 << S("02:30:00") << S("01:59:74");
        QTest::newRow("last track past the end") << 7 << S("03:00:00") << S("02:59:74");
        QTest::newRow("last track onto the previous track") << 7 << S("00:30:00") << S("01:00:01");
    }
    void dragStopsAtTheNeighbours()
    {
        QFETCH(int, line);
        QFETCH(QString, towards);
        QFETCH(QString, limit);
        StartWith();
        Wave()->ZoomToFit();
        const std::int64_t bin = CWaveformPanel::BinOfTime(IndexAt(line)->Time());
        const std::int64_t to = CWaveformPanel::BinOfTime(CCueTime::Parse(towards.toStdString()));
        // Past the window's edge when the target is the file's end.
        Drag(XOf(bin), std::min(XOf(to), Wave()->width() + 40));
        QCOMPARE(TimeAt(line), limit);
        // The order of the lines did not change.
        QCOMPARE(View()->ItemOfLine(line), IndexAt(line));
        QVERIFY(m_prompts->Messages().empty());
    }

    void theFirstTrackStartDoesNotMove()
    {
        StartWith();
        Wave()->ZoomToFit();
        Drag(XOf(0), XOf(Bin("00:20:00")));
        QCOMPARE(TimeAt(2), S("00:00:00"));
        QVERIFY(!Frame()->Action(cmd::Undo)->isEnabled());
    }

    void zoomKeepsTheTimeUnderThePointer_data()
    {
        QTest::addColumn<double>("where"); // part of the width
        QTest::addColumn<int>("notches");
        QTest::newRow("in at the middle") << 0.5 << 3;
        QTest::newRow("in near the left") << 0.1 << 5;
        QTest::newRow("in near the right") << 0.9 << 2;
        QTest::newRow("in then out") << 0.3 << -2;
    }
    void zoomKeepsTheTimeUnderThePointer()
    {
        QFETCH(double, where);
        QFETCH(int, notches);
        StartWith();
        // From a zoomed-in view in the middle of the file, so no edge stops it.
        Wave()->ZoomAt(Wave()->width() / 2.0, 0.3);
        const int x = static_cast<int>(Wave()->width() * where);
        const double perPixel = Wave()->BinsPerPixel();
        const double before = Wave()->BinAt(x);
        Wheel(x, notches);
        QVERIFY(Wave()->BinsPerPixel() != perPixel);
        QVERIFY(notches > 0 ? Wave()->BinsPerPixel() < perPixel : Wave()->BinsPerPixel() > perPixel);
        QVERIFY(std::abs(Wave()->BinAt(x) - before) < 0.5);
        // The scroll bar shows the span.
        QCOMPARE(Panel()->ScrollBar()->value(), static_cast<int>(std::lround(Wave()->FirstBin())));
    }

    void zoomStopsAtOneFramePerPixelAndPans()
    {
        StartWith();
        for (int i = 0; i < 60; ++i)
            Wheel(100, 1);
        QCOMPARE(Wave()->BinsPerPixel(), 1.0);
        Frame()->UpdateCommandUI();
        QVERIFY(!Frame()->Action(cmd::WaveZoomIn)->isEnabled());
        const double first = Wave()->FirstBin();
        Wheel(100, -1, Qt::ShiftModifier);
        QVERIFY(Wave()->FirstBin() > first);
        Panel()->ScrollBar()->setValue(Panel()->ScrollBar()->maximum());
        QCOMPARE(static_cast<std::int64_t>(std::lround(Wave()->BinAt(Wave()->width()))), Wave()->BinCount());
        QTest::keyClick(Listing(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(Wave()->FirstBin(), 0.0);
        QCOMPARE(Wave()->BinAt(Wave()->width()), static_cast<double>(Wave()->BinCount()));
        Frame()->UpdateCommandUI();
        QVERIFY(!Frame()->Action(cmd::WaveZoomOut)->isEnabled());
        QTest::keyClick(Listing(), Qt::Key_Equal, Qt::ControlModifier);
        QVERIFY(Wave()->BinsPerPixel() < Wave()->MaxBinsPerPixel());
        QTest::keyClick(Listing(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(Wave()->BinsPerPixel(), Wave()->MaxBinsPerPixel());
    }

    void doubleClickOnAMarkMakesItsLineCurrent()
    {
        StartWith();
        ClickLine(0);
        ZoomInAround(Bin("02:00:00"));
        QTest::mouseDClick(Wave(), Qt::LeftButton, Qt::NoModifier, QPoint(XOf(Bin("02:00:00")) + 2, Y()));
        QCOMPARE(View()->CurrentLine(), 7);
        QCOMPARE(TimeAt(7), S("02:00:00"));
    }

    void contextMenuInsertsAtTheClickedTime_data()
    {
        QTest::addColumn<int>("kind"); // 0 index, 1 track
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("expected"); // the new line's text in the saved sheet; empty when off
        QTest::newRow("index in track 02") << 0 << S("01:20:00") << S("    INDEX 02 01:20:00");
        QTest::newRow("track in track 03") << 1 << S("02:40:10") << S("  TRACK 04 AUDIO\r\n    INDEX 01 02:40:10");
        QTest::newRow("index in track 02's pregap") << 0 << S("00:59:00") << S("    INDEX 01 00:59:00");
        QTest::newRow("no track inside track 02") << 1 << S("00:59:00") << QString();
    }
    void contextMenuInsertsAtTheClickedTime()
    {
        QFETCH(int, kind);
        QFETCH(QString, at);
        QFETCH(QString, expected);
        StartWith();
        const std::int64_t bin = CWaveformPanel::BinOfTime(CCueTime::Parse(at.toStdString()));
        ZoomInAround(bin);
        const QPoint pos(XOf(bin), Y());
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, Wave()->mapToGlobal(pos));
        QApplication::sendEvent(Wave(), &event);
        QMenu* menu = Panel()->ContextMenu();
        QTRY_VERIFY(menu->isVisible());
        const QList<QAction*> actions = menu->actions();
        QVERIFY(actions.contains(Frame()->Action(cmd::WaveZoomFit)));
        QAction* insert = actions.at(kind);
        QCOMPARE(insert->isEnabled(), !expected.isEmpty());
        menu->hide();
        if (expected.isEmpty())
            return;
        insert->trigger();
        QVERIFY2(SavedSheet().contains(expected), qPrintable(SavedSheet()));
        QTest::keyClick(Listing(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!SavedSheet().contains(expected));
    }

    void aDraggedMarkSnapsToTheEndOfASilence()
    {
        // 70 s of tone, 4 s of silence, tone again; the track starts 1 s early.
        StartWith(false, "synth 70 sine 440 vol 0.5 pad 0 4 : synth 100 sine 440 vol 0.5");
        QVERIFY(Panel()->Snap());
        const auto& silences = Wave()->Silences();
        QCOMPARE(silences.size(), std::size_t{1});
        QCOMPARE(static_cast<std::int64_t>(silences[0].first), Bin("01:10:00"));
        QCOMPARE(static_cast<std::int64_t>(silences[0].second), Bin("01:14:00"));
        // Track 02's start, moved to near the silence's end, lands on it.
        ZoomInAround(Bin("01:12:00"));
        Wave()->ZoomAt(Wave()->width() / 2.0, 4); // four frames a pixel
        Drag(XOf(Bin("01:00:00")), XOf(Bin("01:14:00")) - 5);
        QCOMPARE(TimeAt(5), S("01:14:00"));
        // Far from it, no snap.
        const int far = XOf(Bin("01:14:00")) + 30;
        Drag(XOf(Bin("01:14:00")), far);
        const auto landed = static_cast<std::int64_t>(std::floor(Wave()->BinAt(far) + 0.5));
        QVERIFY(landed > Bin("01:15:00"));
        QCOMPARE(TimeAt(5), QString::fromStdString(CWaveformPanel::TimeOfBin(landed).Text()));
        // A length above the silence's shades none; Enter gives the keys
        // back to the listing.
        Panel()->SilenceLength()->setFocus();
        Panel()->SilenceLength()->selectAll();
        QTest::keyClicks(Panel()->SilenceLength(), QStringLiteral("5"));
        QTest::keyClick(Panel()->SilenceLength(), Qt::Key_Return);
        QCOMPARE(Panel()->SilenceLength()->value(), 5.0);
        QVERIFY(Wave()->Silences().empty());
        QVERIFY(Listing()->hasFocus());

    }

    void staysResponsiveWhilePeaksAreComputed()
    {
        StartWith(true);
        QTRY_VERIFY(Panel()->IsLoading());
        QTRY_VERIFY(Panel()->Progress()->isVisible());
        QVERIFY(Wave()->Peaks() == nullptr);
        // The window answers: the listing takes clicks and keys, the panel
        // follows the pointer, all while the worker is held.
        ClickLine(3);
        QTest::keyClick(Listing(), Qt::Key_Down);
        QTRY_COMPARE(View()->CurrentLine(), 4);
        // The progress bar shows the worker's first block.
        QTRY_VERIFY(Panel()->Progress()->value() > 0);
        QVERIFY(Panel()->Progress()->value() < 1000);
        QVERIFY(Panel()->IsLoading());
        QVERIFY(Wave()->Peaks() == nullptr);
        // Another file cancels the load without waiting for it.
        ClickLine(10);
        QCOMPARE(Panel()->FilePath(), File("B.wav"));
        m_gate->Open();
        WaitForPeaks();
        QCOMPARE(Wave()->BinCount(), Bin("00:20:00"));
        QVERIFY(!Panel()->Progress()->isVisible());
    }

    void theViewMenuHidesThePanelAndTheLayoutKeepsIt()
    {
        StartWith();
        QAction* toggle = Frame()->Action(cmd::ViewWaveform);
        Frame()->UpdateCommandUI();
        QVERIFY(toggle->isChecked());
        QVERIFY(Frame()->ExecuteCommand(cmd::ViewWaveform));
        QVERIFY(Frame()->WaveformDock()->isHidden());
        QVERIFY(!toggle->isChecked());
        Frame()->UpdateCommandUI();
        QVERIFY(!Frame()->Action(cmd::WaveZoomIn)->isEnabled());
        Frame()->close();
        QVERIFY(!Frame()->isVisible());
        m_app.reset();

        StartApp({SheetPath()});
        QVERIFY(Frame()->WaveformDock()->isHidden());
        // Hidden, it reads nothing.
        QVERIFY(!Panel()->IsLoading());
        QVERIFY(Frame()->ExecuteCommand(cmd::ViewWaveform));
        QVERIFY(Frame()->WaveformDock()->isVisible());
        WaitForPeaks();
    }

    // The panel's access keys never take a menu's Alt key: Alt+F must open
    // the File menu, not the silence length box.
    void thePanelsAccessKeysLeaveTheMenusAlone()
    {
        StartWith();
        auto accessKey = [](const QString& text) {
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
        };
        QSet<QChar> menuKeys;
        for (QAction* menu : Frame()->menuBar()->actions())
            menuKeys.insert(accessKey(menu->text()));
        QVERIFY(menuKeys.contains(QLatin1Char('f')));
        const QList<QLabel*> labels = Panel()->findChildren<QLabel*>();
        QVERIFY(!labels.isEmpty());
        for (const QLabel* label : labels) {
            const QChar key = accessKey(label->text());
            QVERIFY2(key.isNull() || !menuKeys.contains(key), qPrintable(label->text()));
        }
        QApplication::setActiveWindow(Frame());
        QVERIFY(QTest::qWaitForWindowActive(Frame()));
        QTest::keyClick(Frame(), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QApplication::activePopupWidget()->close();
    }

    void noTwoCommandsShareAKey()
    {
        StartWith();
        QMap<QString, QString> owners;
        for (QAction* action : Frame()->actions()) {
            for (const QKeySequence& key : action->shortcuts()) {
                const QString text = key.toString(QKeySequence::PortableText);
                QVERIFY2(!owners.contains(text), qPrintable(text + S(" is taken by ") + owners.value(text)));
                owners.insert(text, action->text());
            }
        }
        QVERIFY(owners.contains(S("Ctrl+=")));
        QVERIFY(owners.contains(S("Ctrl+Shift+N")));
        // Snap's key turns it off and on again.
        QVERIFY(Panel()->Snap());
        QTest::keyClick(Listing(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!Panel()->Snap());
        QTest::keyClick(Listing(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(Panel()->Snap());
    }

    void paintsThePeaksInThePalettesColours()
    {
        // 4 s of one channel: loud for the first two, silent after.
        auto peaks = std::make_shared<CPeaks>(44100, 1, 44100 * 4);
        for (std::size_t b = 0; b < 150; ++b)
            peaks->Pairs()[b] = {-32768, 32767};
        CWaveformView view;
        view.resize(300, 140);
        QPalette palette = view.palette();
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::Mid, QColor(128, 128, 128));
        view.setPalette(palette);
        view.SetPeaks(peaks);
        view.SetSilence(0.01, 1.0);
        QCOMPARE(view.Silences().size(), std::size_t{1});
        QCOMPARE(view.BinsPerPixel(), 1.0);
        QImage image(view.size(), QImage::Format_RGB32);
        view.render(&image);
        const int nearTop = view.RulerHeight() + 3;
        const int nearFoot = view.height() - 3;
        // The loud part fills its lane, the silent part is shaded.
        QVERIFY(qGray(image.pixel(20, nearTop)) < 100);
        QVERIFY(qGray(image.pixel(20, nearFoot)) < 100);
        const QRgb quiet = image.pixel(250, nearTop);
        QVERIFY(qGray(quiet) > 150 && qGray(quiet) < 250);
        // A moving play line draws over the image; it is not drawn again.
        const int renders = view.ImageRenders();
        view.SetPlayPosition(100);
        view.render(&image);
        QCOMPARE(view.ImageRenders(), renders);
        QCOMPARE(image.pixel(100, nearTop), palette.color(QPalette::Link).rgb());
        // Another palette is another picture.
        palette.setColor(QPalette::Base, QColor(0, 0, 255));
        view.setPalette(palette);
        view.render(&image);
        QCOMPARE(view.ImageRenders(), renders + 1);
        QVERIFY(qBlue(image.pixel(250, nearTop)) > qRed(image.pixel(250, nearTop)));
    }

    void aFileChangedOnDiskIsReadAgain()
    {
        StartWith();
        ClickLine(10);
        WaitForPeaks();
        QCOMPARE(Wave()->BinCount(), Bin("00:20:00"));
        // As Write silence and Truncate do: the file changes in place.
        QVERIFY(Sox("B.wav", "synth 12 sine 440 vol 0.4"));
        ClickLine(9);
        QTRY_COMPARE_WITH_TIMEOUT(Wave()->BinCount(), Bin("00:12:00"), 10000);
        QVERIFY(!Panel()->LoadedFromCache());
    }

    void aFileThatCannotBeShownSaysWhy()
    {
        StartWith();
        QFile::remove(m_dir->filePath(QStringLiteral("B.wav")));
        QFile broken(m_dir->filePath(QStringLiteral("B.wav")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("RIFF\x04\x00\x00\x00WAVE", 12);
        broken.close();
        ClickLine(10);
        QTRY_VERIFY(Panel()->Status()->text().startsWith(S("\"B.wav\" cannot be shown: ")));
        QVERIFY(Wave()->Peaks() == nullptr);
        QVERIFY(Wave()->Marks().size() == 1);
        QTest::mouseClick(Wave(), Qt::LeftButton, Qt::NoModifier, QPoint(50, Y()));
        QCOMPARE(View()->CurrentLine(), 10);
    }
};

QTEST_MAIN(TestWaveform)
#include "TestWaveform.moc"
