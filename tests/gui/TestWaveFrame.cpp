#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "player/CTimeDlg.h"
#include "player/CWavePlayer.h"
#include "player/CWavePos.h"
#include "audio/IWavePlayer.h"
#include "audio/WaveFixtures.h"
#include "platform/FileUtil.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CEditIndexDlg.h"
#include "view/CQuillView.h"
#include "view/CTimeIntervalDlg.h"
#include "view/CWaveCommands.h"
#include "view/CWaveformPanel.h"
#include "view/DialogText.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>

using namespace wavetest;

namespace {

// Lines: 0 REM, 1 FILE A, 2 TRACK 01, 3 INDEX 00:00:00, 4 TRACK 02,
// 5 INDEX 01:00:00, 6 FILE B, 7 TRACK 03, 8 INDEX 00:00:00, 9 TRACK 04,
// 10 INDEX 00:30:00, 11 FILE C.bin, 12 TRACK 05, 13 INDEX 00:00:00.
const char* const kSheet =
    "REM wave tests\n"
    "FILE A.wav WAVE\n"
    "  TRACK 01 AUDIO\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    INDEX 01 01:00:00\n"
    "FILE B.wav WAVE\n"
    "  TRACK 03 AUDIO\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 04 AUDIO\n"
    "    INDEX 01 00:30:00\n"
    "FILE C.bin BINARY\n"
    "  TRACK 05 MODE1/2352\n"
    "    INDEX 01 00:00:00\n";

QString S(const char* text) { return QString::fromUtf8(text); }

std::uint32_t Ms(const CCueTime& t) { return t.Milliseconds(); }

} // namespace

class TestWaveFrame final : public WindowTest
{
    Q_OBJECT

private:
    void InitCase() override { PlayIntoFile(); }

    std::string File(const char* name) const { return m_dir->filePath(S(name)).toStdString(); }
    bool Sox(const char* name, const char* format, int seconds)
    {
        return Run("sox -V1 -n " + std::string(format) + " " + Quote(File(name)) + " synth " + std::to_string(seconds) +
                   " sine 300-900 vol 0.4") == 0;
    }
    void StartWith(const char* sheet = kSheet)
    {
        QVERIFY2(Sox("A.wav", "-r 44100 -c 1 -b 16", 180) && Sox("B.wav", "-r 22050 -c 2 -b 16", 60),
                 "sox is needed");
        QFile bin(m_dir->filePath(QStringLiteral("C.bin")));
        QVERIFY(bin.open(QIODevice::WriteOnly));
        bin.write(QByteArray(4096, 'x'));
        bin.close();
        QFile cue(m_dir->filePath(QStringLiteral("waves.cue")));
        QVERIFY(cue.open(QIODevice::WriteOnly));
        cue.write(sheet);
        cue.close();
        StartApp({cue.fileName()});
    }
    CQuillView* View() const { return Frame()->View(); }
    CWavePos* Pos() const { return Frame()->PositionControl(); }
    IWavePlayer* Player() const { return Frame()->Player(); }
    CListingEdit* Listing() const { return View()->Listing(); }
    QString PosText() const
    {
        QString text;
        Pos()->FormatPosition(text);
        return text;
    }
    void ClickLine(int line)
    {
        const QRect r = Listing()->LineRect(line);
        QTest::mouseClick(Listing()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(r.left() + 30, r.center().y()));
        QCOMPARE(View()->CurrentLine(), line);
    }
    QString ItemText(int id)
    {
        Frame()->UpdateCommandUI();
        return Frame()->Action(id)->text();
    }
    // Runs act on the next modal dialog, then closes the dialog if act left
    // it open; gives up after five seconds without one.
    void OnModal(std::function<void(QDialog*)> act)
    {
        auto* timer = new QTimer(Frame());
        timer->setInterval(20);
        auto tries = std::make_shared<int>(0);
        connect(timer, &QTimer::timeout, Frame(), [timer, tries, act] {
            auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dlg) {
                if (++*tries > 250)
                    timer->deleteLater();
                return;
            }
            timer->stop();
            timer->deleteLater();
            act(dlg);
            if (dlg->isVisible())
                dlg->reject();
        });
        timer->start();
    }
    // The wave commands are reached by their ids only.
    void RunWaveCommand(int id) { QVERIFY(Frame()->ExecuteCommand(id)); }

private slots:
    void spacePlaysPausesAndResumes()
    {
        StartWith();
        ClickLine(3);
        QVERIFY(Player());
        QCOMPARE(Pos()->GetDisplayName(), QStringLiteral("A.wav"));
        QCOMPARE(PosText(), QStringLiteral("00:00:00"));
        QCOMPARE(Ms(Pos()->GetLength()), 180000u);
        QCOMPARE(ItemText(cmd::PlayStop), QStringLiteral("&Play\tSpace"));
        QTest::keyClick(Listing(), Qt::Key_Space);
        QVERIFY(Player()->IsPlaying());
        QCOMPARE(ItemText(cmd::PlayStop), QStringLiteral("&Pause\tSpace"));
        // The control follows playback.
        QTRY_VERIFY_WITH_TIMEOUT(Ms(Pos()->GetPosition()) >= 200, 3000);
        QTest::keyClick(Listing(), Qt::Key_Space);
        QVERIFY(Player()->IsPaused());
        QCOMPARE(ItemText(cmd::PlayStop), QStringLiteral("&Play\tSpace"));
        const std::uint32_t paused = Ms(Pos()->GetPosition());
        QVERIFY(!QTest::qWaitFor([&] { return Ms(Pos()->GetPosition()) != paused; }, 150));
        QTest::keyClick(Listing(), Qt::Key_Space);
        QVERIFY(Player()->IsPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(Ms(Pos()->GetPosition()) > paused + 100, 3000);
        QVERIFY(m_prompts->Messages().empty());
    }

    void skipsStopAtTheirEdges_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("to");
        QTest::newRow("back 1 min from 01:30:00") << S("01:30:00") << int(cmd::SkipBack1Min) << S("00:00:00");
        QTest::newRow("back 1 min from 02:30:10") << S("02:30:10") << int(cmd::SkipBack1Min) << S("01:30:10");
        QTest::newRow("back 10 secs from 00:10:00") << S("00:10:00") << int(cmd::SkipBack10Secs) << S("00:00:00");
        QTest::newRow("back 10 secs from 00:25:00") << S("00:25:00") << int(cmd::SkipBack10Secs) << S("00:15:00");
        QTest::newRow("forward 10 secs") << S("01:00:00") << int(cmd::SkipForward10Secs) << S("01:10:00");
        QTest::newRow("forward 10 secs near the end") << S("02:55:00") << int(cmd::SkipForward10Secs) << S("03:00:00");
        QTest::newRow("forward 1 min") << S("01:00:00") << int(cmd::SkipForward1Min) << S("02:00:00");
        QTest::newRow("forward 1 min near the end") << S("02:30:00") << int(cmd::SkipForward1Min) << S("03:00:00");
    }
    void skipsStopAtTheirEdges()
    {
        QFETCH(QString, from);
        QFETCH(int, command);
        QFETCH(QString, to);
        StartWith();
        ClickLine(3);
        QVERIFY(Player());
        Player()->Seek(CCueTime::Parse(from.toStdString()));
        QCOMPARE(PosText(), from);
        QVERIFY(Frame()->ExecuteCommand(command));
        QCOMPARE(PosText(), to);
        QCOMPARE(Player()->GetPosition().Text(), CCueTime::Parse(to.toStdString()).Text());
        QVERIFY(Ms(Player()->GetPosition()) <= Ms(Player()->GetLength()));
    }

    void skipWhilePlayingKeepsPlaying()
    {
        StartWith();
        ClickLine(3);
        QVERIFY(Frame()->ExecuteCommand(cmd::PlayStop));
        QVERIFY(Frame()->ExecuteCommand(cmd::SkipForward1Min));
        QVERIFY(Player()->IsPlaying());
        QVERIFY(Ms(Pos()->GetPosition()) >= 60000);
        QTRY_VERIFY_WITH_TIMEOUT(Ms(Pos()->GetPosition()) >= 60200, 3000);
    }

    void movingWithinAFileWhilePlayingPlaysFromTheNewLine()
    {
        StartWith();
        ClickLine(3);
        QVERIFY(Frame()->ExecuteCommand(cmd::PlayStop));
        const std::uint32_t started = Ms(Player()->GetPosition());
        QTRY_VERIFY(Ms(Player()->GetPosition()) > started);
        const IWavePlayer* before = Player();
        ClickLine(5);
        QCOMPARE(Player(), before);
        QVERIFY(Player()->IsPlaying());
        QVERIFY(Ms(Pos()->GetPosition()) >= 60000);
        QTRY_VERIFY_WITH_TIMEOUT(Ms(Pos()->GetPosition()) >= 60200, 3000);
        QVERIFY(Ms(Pos()->GetPosition()) < 63000);
    }

    void anotherWaveFilePlaysAtTheLinesTime()
    {
        StartWith();
        ClickLine(3);
        QVERIFY(Frame()->ExecuteCommand(cmd::PlayStop));
        ClickLine(10);
        QVERIFY(Player());
        QCOMPARE(Player()->Path(), File("B.wav"));
        QCOMPARE(Pos()->GetDisplayName(), QStringLiteral("B.wav"));
        QCOMPARE(Ms(Pos()->GetLength()), 60000u);
        QVERIFY(Player()->IsPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(Ms(Pos()->GetPosition()) >= 30200, 3000);
        QVERIFY(Ms(Pos()->GetPosition()) < 33000);
        // A stopped player stays stopped in the next file.
        QVERIFY(Frame()->ExecuteCommand(cmd::PlayStop));
        ClickLine(3);
        QVERIFY(!Player()->IsPlaying());
    }

    void aLineOfAnotherFileTypeClosesThePlayer()
    {
        StartWith();
        ClickLine(3);
        QVERIFY(Frame()->ExecuteCommand(cmd::PlayStop));
        ClickLine(13);
        QCOMPARE(Player(), nullptr);
        // The control names the file greyed with the reason, quietly.
        QCOMPARE(Pos()->GetDisplayName(), QStringLiteral("C.bin"));
        QCOMPARE(Pos()->Text(), QStringLiteral("C.bin: not an audio file"));
        QVERIFY(m_prompts->Messages().empty());
        Frame()->UpdateCommandUI();
        for (int id : {cmd::PlayStop, cmd::SkipBack1Min, cmd::SkipForward1Min})
            QVERIFY(!Frame()->Action(id)->isEnabled());
        QCOMPARE(ItemText(cmd::PlayStop), QStringLiteral("&Play\tSpace"));
        QVERIFY(!Frame()->ExecuteCommand(cmd::GotoPosition));
    }

    void aFileThatCannotBePlayedSaysWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << S("DEMO1.WAV") << S("missing") << S("no such file");
        QTest::newRow("not audio") << S("x.xyz") << S("text") << S("not an audio file");
        QTest::newRow("FIFO") << S("fifo.wav") << S("fifo") << S("not a regular file");
        QTest::newRow("folder") << S("folder.wav") << S("folder") << S("a folder, not an audio file");
        QTest::newRow("1 Hz") << S("slow.wav") << S("1hz")
                              << S("its sample rate of 1 Hz lies outside the 1,000 to 768,000 Hz of real audio");
    }
    void aFileThatCannotBePlayedSaysWhy()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const std::string path = m_dir->filePath(name).toStdString();
        if (kind == S("text")) {
            QCOMPARE(Run("printf 'just words\\n' > " + Quote(path)), 0);
        } else if (kind == S("fifo")) {
            QCOMPARE(Run("mkfifo " + Quote(path)), 0);
        } else if (kind == S("folder")) {
            QVERIFY(std::filesystem::create_directory(path));
        } else if (kind == S("1hz")) {
            QFile f(QString::fromStdString(path));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray::fromStdString(PcmWave(1, 1, 16, std::string(64, '\x11'))));
        }
        const std::string sheet = "FILE A.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                  "FILE \"" + name.toStdString() + "\" WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n";
        StartWith(sheet.c_str());
        ClickLine(2);
        QVERIFY(Player());
        QVERIFY(Frame()->ExecuteCommand(cmd::PlayStop));
        ClickLine(5);
        // Within the second, or the window would have hung on the FIFO.
        QCOMPARE(Player(), nullptr);
        QCOMPARE(Pos()->GetReason(), reason);
        QCOMPARE(Pos()->Text(), name + S(": ") + reason);
        const QString full = S("\"") + QString::fromStdString(path) + S("\" cannot be played: ") + reason + S(".");
        QCOMPARE(Frame()->WaveMessage(), full);
        QCOMPARE(Frame()->statusBar()->currentMessage(), full);
        QVERIFY(m_prompts->Messages().empty());
        // Back on a file that plays: the figures again, and the status bar
        // forgets the reason.
        ClickLine(2);
        QVERIFY(Player());
        QCOMPARE(Pos()->GetReason(), QString());
        QCOMPARE(Pos()->Text(), S("A.wav 00:00:00 (03:00:00)"));
        QVERIFY(Frame()->statusBar()->currentMessage() != full);
    }

    // A file missing when its line was first shown plays once it is there,
    // made or renamed into place: every move to its line asks for it again.
    void aFileThatAppearsLaterPlaysOnTheNextMove_data()
    {
        QTest::addColumn<bool>("renamed");
        QTest::newRow("made") << false;
        QTest::newRow("renamed") << true;
    }
    void aFileThatAppearsLaterPlaysOnTheNextMove()
    {
        QFETCH(bool, renamed);
        StartWith("FILE A.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                  "FILE late.wav WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n");
        ClickLine(5);
        QCOMPARE(Player(), nullptr);
        QCOMPARE(Pos()->GetReason(), S("no such file"));
        ClickLine(2);
        QVERIFY(Player());
        if (renamed) {
            QVERIFY(Sox("other.wav", "-r 44100 -c 1 -b 16", 7));
            std::filesystem::rename(File("other.wav"), File("late.wav"));
        } else {
            QVERIFY(Sox("late.wav", "-r 44100 -c 1 -b 16", 7));
        }
        ClickLine(5);
        QVERIFY(Player());
        QCOMPARE(Player()->Path(), File("late.wav"));
        QCOMPARE(Ms(Pos()->GetLength()), 7000u);
        QCOMPARE(Pos()->GetReason(), QString());
        QCOMPARE(Pos()->Text(), S("late.wav 00:00:00 (00:07:00)"));
    }

    // A FILE name longer than any path is refused with the system's reason,
    // shown cut in its middle wherever it is quoted, and asked for once:
    // later moves to its lines show the same texts without asking again.
    void aNameTooLongForAPathIsAskedForOnce_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QString(100000, QLatin1Char('x')) + S(".wav");
        QTest::newRow("accents at both cuts") << QString(700, QChar(0xE9)) + QString(100000, QLatin1Char('x'))
                                                    + QString(700, QChar(0xFC)) + S(".wav");
        QTest::newRow("four-byte characters") << QString::fromUtf8("\xF0\x9F\x8E\xB5").repeated(30001) + S(".wav");
        QTest::newRow("folders") << S("a/") + QString(50000, QLatin1Char('y')) + S("/") + QString(60000, QLatin1Char('z'))
                                        + S(".wav");
        QTest::newRow("short file in a long folder") << QString(90000, QLatin1Char('f')) + S("/Q.wav");
    }
    void aNameTooLongForAPathIsAskedForOnce()
    {
        QFETCH(QString, name);
        const std::string sheet = "FILE A.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                  "FILE \"" + name.toStdString() + "\" WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n";
        StartWith(sheet.c_str());
        auto asked = std::make_shared<int>(0);
        Frame()->SetPlayerFactory([asked](const std::string& path) {
            if (path.size() > ts::kLongestPath)
                ++*asked;
            return std::make_unique<CWavePlayer>(path);
        });
        ClickLine(5);
        // The system's reason, as the player words it.
        const QString reason = Pos()->GetReason();
        QVERIFY2(reason.contains(S("name too long"), Qt::CaseInsensitive), qPrintable(reason));
        const QString posText = ts::ShownText(CWavePos::DisplayNameOf(name)) + S(": ") + reason;
        const QString message = ts::ShownText(S("\"%1\" cannot be played: %2.").arg(name, reason));
        const QString waveText =
            S("\"%1\" cannot be shown: %2").arg(ts::ShownText(name.mid(name.lastIndexOf(QLatin1Char('/')) + 1)), reason);
        QLabel* waveStatus = Frame()->Waveform()->Status();
        for (int round = 0; round < 2; ++round) {
            ClickLine(5);
            QCOMPARE(*asked, 1);
            QCOMPARE(Player(), nullptr);
            QCOMPARE(Pos()->Text(), posText);
            QCOMPARE(Frame()->statusBar()->currentMessage(), message);
            QTRY_COMPARE(waveStatus->text(), waveText);
            ClickLine(2);
            QVERIFY(Player());
            QCOMPARE(Pos()->Text(), S("A.wav 00:00:00 (03:00:00)"));
            QTRY_VERIFY(waveStatus->text() != waveText);
        }
        QVERIFY(m_prompts->Messages().empty());
    }

    void namesDifferingInCaseAreTwoFiles()
    {
        QVERIFY(Sox("x.wav", "-r 44100 -c 1 -b 16", 10) && Sox("X.WAV", "-r 44100 -c 1 -b 16", 20));
        StartWith("FILE x.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                  "FILE X.WAV WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n");
        ClickLine(5);
        QCOMPARE(Player()->Path(), File("X.WAV"));
        QCOMPARE(Ms(Pos()->GetLength()), 20000u);
        ClickLine(2);
        QCOMPARE(Player()->Path(), File("x.wav"));
        QCOMPARE(Pos()->GetDisplayName(), S("x.wav"));
        QCOMPARE(Ms(Pos()->GetLength()), 10000u);
    }

    void aFlacFilePlaysWhateverItsTypeWord_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("WAVE") << S("WAVE");
        QTest::newRow("BINARY") << S("BINARY");
        QTest::newRow("AIFF") << S("AIFF");
    }
    void aFlacFilePlaysWhateverItsTypeWord()
    {
        QFETCH(QString, type);
        QVERIFY(Sox("s.wav", "-r 48000 -c 2 -b 16", 5));
        QCOMPARE(Run("ffmpeg -v quiet -nostdin -i " + Quote(File("s.wav")) + " -c:a flac " + Quote(File("s.flac"))), 0);
        const std::string sheet = "FILE s.flac " + type.toStdString() + "\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                  "  TRACK 02 AUDIO\n    INDEX 01 00:02:00\n";
        StartWith(sheet.c_str());
        ClickLine(4);
        QVERIFY(Player());
        QCOMPARE(Player()->Path(), File("s.flac"));
        QCOMPARE(Ms(Pos()->GetLength()), 5000u);
        QCOMPARE(PosText(), S("00:02:00"));
        QTest::keyClick(Listing(), Qt::Key_Space);
        QVERIFY(Player()->IsPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(Ms(Pos()->GetPosition()) >= 2200, 3000);
        QVERIFY(m_prompts->Messages().empty());
    }

    void editIndexPlaysAndTakesThePosition()
    {
        StartWith();
        ClickLine(5); // INDEX 01 01:00:00 of track 02 in A.wav
        QCOMPARE(Pos()->GetFileName(), QString::fromStdString(File("A.wav")));
        QString blankWhileOpen = QStringLiteral("unset");
        bool played = false;
        QString setTo;
        OnModal([&](QDialog* dlg) {
            QVERIFY(qobject_cast<CEditIndexDlg*>(dlg));
            blankWhileOpen = Pos()->GetFileName();
            auto* play = dlg->findChild<QPushButton*>(QStringLiteral("playButton"));
            auto* set = dlg->findChild<QPushButton*>(QStringLiteral("setToButton"));
            QVERIFY(play && set && play->isEnabled() && set->isEnabled());
            QTest::mouseClick(play, Qt::LeftButton);
            played = Player()->IsPlaying();
            // Let the player move on, then take its position.
            const std::uint32_t started = Ms(Player()->GetPosition());
            QTRY_VERIFY(Ms(Player()->GetPosition()) > started);
            QTest::mouseClick(play, Qt::LeftButton); // Stop
            QTest::mouseClick(set, Qt::LeftButton);
            setTo = dlg->findChild<QLineEdit*>(QStringLiteral("timeEdit"))->text();
            dlg->reject();
        });
        QVERIFY(Frame()->ExecuteCommand(cmd::Edit));
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(played);
        QCOMPARE(blankWhileOpen, QString());
        // Played from the typed time 01:00:00 for a moment, then stopped.
        QVERIFY2(setTo.startsWith(QLatin1String("01:00:")), qPrintable(setTo));
        // Closed: the control shows the file again and follows the frame's player.
        QCOMPARE(Pos()->GetFileName(), QString::fromStdString(File("A.wav")));
        QVERIFY(!m_app->Document().IsModified());
    }

    void gotoSeeksAndRemembersTheTime()
    {
        StartWith();
        ClickLine(3);
        QString shown;
        QString title;
        OnModal([&](QDialog* dlg) {
            auto* timeDlg = qobject_cast<CTimeDlg*>(dlg);
            QVERIFY(timeDlg);
            title = timeDlg->windowTitle();
            shown = timeDlg->Time();
            timeDlg->TimeEdit()->setText(QStringLiteral("1:2:3"));
            timeDlg->accept();
        });
        QVERIFY(Frame()->ExecuteCommand(cmd::GotoPosition));
        QCOMPARE(title, QStringLiteral("Specify time"));
        QCOMPARE(shown, QStringLiteral("00:00:00"));
        QCOMPARE(PosText(), QStringLiteral("01:02:03"));
        QCOMPARE(Player()->GetPosition().Text(), std::string("01:02:03"));
        // The next time the dialog starts from there; Cancel changes nothing.
        OnModal([&](QDialog* dlg) {
            shown = static_cast<CTimeDlg*>(dlg)->Time();
            dlg->reject();
        });
        Player()->Seek(CCueTime::FromMsf(0, 5, 0));
        QVERIFY(Frame()->ExecuteCommand(cmd::GotoPosition));
        QCOMPARE(shown, QStringLiteral("01:02:03"));
        QCOMPARE(PosText(), QStringLiteral("00:05:00"));
    }

    void timeFieldsReadBackAsMinutesSecondsFrames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("minutes only") << S("5") << S("05:00:00");
        QTest::newRow("short parts") << S("1:2:3") << S("01:02:03");
        QTest::newRow("already whole") << S("12:34:56") << S("12:34:56");
        QTest::newRow("no seconds") << S("7::9") << S("07:00:09");
    }
    void timeFieldsReadBackAsMinutesSecondsFrames()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        CTimeDlg time(nullptr);
        time.SetTime(QStringLiteral("00:00:00"));
        time.show();
        QVERIFY(QTest::qWaitForWindowActive(&time));
        time.TimeEdit()->setFocus();
        time.TimeEdit()->selectAll();
        QTest::keyClicks(time.TimeEdit(), typed);
        QTest::keyClick(time.TimeEdit(), Qt::Key_Tab);
        QCOMPARE(time.Time(), shown);

        CTimeIntervalDlg interval(nullptr);
        interval.SetStart(QStringLiteral("00:00:00"));
        interval.SetStop(QStringLiteral("00:00:00"));
        interval.SetOkCaption(QStringLiteral("Write silence"));
        QCOMPARE(interval.OkButton()->text(), QStringLiteral("Write silence"));
        interval.show();
        QVERIFY(QTest::qWaitForWindowActive(&interval));
        interval.StartEdit()->setFocus();
        interval.StartEdit()->selectAll();
        QTest::keyClicks(interval.StartEdit(), typed);
        QTest::keyClick(interval.StartEdit(), Qt::Key_Tab);
        QCOMPARE(interval.Start(), shown);
        QVERIFY(interval.StopEdit()->hasFocus());
        interval.StopEdit()->selectAll();
        QTest::keyClicks(interval.StopEdit(), typed);
        QTest::keyClick(interval.StopEdit(), Qt::Key_Tab);
        QCOMPARE(interval.Stop(), shown);
    }

    void truncateWritesTheCopyUpToTheTime()
    {
        StartWith();
        ClickLine(5);
        Player()->Seek(CCueTime::FromMsf(0, 2, 0));
        QString shown;
        QString title;
        OnModal([&](QDialog* dlg) {
            auto* timeDlg = qobject_cast<CTimeDlg*>(dlg);
            QVERIFY(timeDlg);
            title = timeDlg->windowTitle();
            shown = timeDlg->Time();
            timeDlg->accept();
        });
        const std::string output = File("cut.wav");
        m_prompts->QueueAnswer(PromptAnswer::Yes);
        m_prompts->QueueFile(output);
        const std::string sourceBefore = SoxRaw(File("A.wav"));
        RunWaveCommand(cmd::Truncate);
        QCOMPARE(title, QStringLiteral("Specify time"));
        QCOMPARE(shown, QStringLiteral("00:02:00"));
        QCOMPARE(m_prompts->Lines(), std::vector<std::string>{"Verify truncation: Truncate at 00:02:00?"});
        QCOMPARE(m_prompts->Messages()[0].buttons, PromptButtons::YesNo);
        QCOMPARE(m_prompts->Dialogs().size(), 1u);
        QCOMPARE(m_prompts->Dialogs()[0].fileName, std::string("A-truncated.wav"));
        QCOMPARE(m_prompts->Dialogs()[0].folder, m_dir->path().toStdString());
        // The sample frame at the time itself is kept.
        QCOMPARE(Soxi("-s", output), std::string("88201"));
        QVERIFY(SoxRaw(output) == sourceBefore.substr(0, 88201 * 2));
        QVERIFY(SoxRaw(File("A.wav")) == sourceBefore);
        // The player and the control stay as they were.
        QVERIFY(Player());
        QCOMPARE(PosText(), QStringLiteral("00:02:00"));
    }

    void truncateAtThePlayersPositionCutsAtTheFilesRate_data()
    {
        QTest::addColumn<int>("rate");
        QTest::newRow("22,050 Hz") << 22050;
        QTest::newRow("44,100 Hz") << 44100;
        QTest::newRow("48,000 Hz") << 48000;
        QTest::newRow("96,000 Hz") << 96000;
    }
    void truncateAtThePlayersPositionCutsAtTheFilesRate()
    {
        QFETCH(int, rate);
        const std::string format = "-r " + std::to_string(rate) + " -c 2 -b 16";
        QVERIFY(Sox("R.wav", format.c_str(), 3));
        StartWith("FILE R.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
        ClickLine(2);
        QVERIFY(Player());
        Player()->Seek(CCueTime::FromMsf(0, 1, 0));
        QString shown;
        OnModal([&](QDialog* dlg) {
            auto* timeDlg = qobject_cast<CTimeDlg*>(dlg);
            QVERIFY(timeDlg);
            shown = timeDlg->Time();
            timeDlg->accept();
        });
        const std::string output = File("cut.wav");
        m_prompts->QueueAnswer(PromptAnswer::Yes);
        m_prompts->QueueFile(output);
        RunWaveCommand(cmd::Truncate);
        QCOMPARE(shown, S("00:01:00"));
        // The frame at one second, at the file's own rate, is the last kept:
        // what sox keeps when it trims there.
        const std::string kept = std::to_string(rate + 1);
        QCOMPARE(Soxi("-s", output), kept);
        std::string expected;
        QCOMPARE(Run("sox " + Quote(File("R.wav")) + " -t raw - trim 0 " + kept + "s", &expected), 0);
        QVERIFY(SoxRaw(output) == expected);

        // Write silence from the same position starts at that frame.
        Player()->Seek(CCueTime::FromMsf(0, 1, 0));
        QString start;
        OnModal([&start](QDialog* dlg) {
            auto* interval = qobject_cast<CTimeIntervalDlg*>(dlg);
            QVERIFY(interval);
            start = interval->Start();
            interval->SetStop(S("00:02:00"));
            interval->accept();
        });
        std::string expectedSilenced = SoxRaw(File("R.wav"));
        RunWaveCommand(cmd::WriteSilence);
        QCOMPARE(start, S("00:01:00"));
        const auto frame = static_cast<std::size_t>(rate) * 4;
        expectedSilenced.replace(frame, frame, std::string(frame, '\0'));
        QVERIFY(SoxRaw(File("R.wav")) == expectedSilenced);
    }

    void truncateStopsWhereTheUserSays_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("output"); // empty: the save dialog is cancelled
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("dialog cancelled") << false << int(PromptAnswer::Yes) << S("x.wav") << QStringList();
        QTest::newRow("answered No") << true << int(PromptAnswer::No) << S("x.wav")
                                     << QStringList{S("Verify truncation: Truncate at 00:00:00?")};
        QTest::newRow("save cancelled") << true << int(PromptAnswer::Yes) << QString()
                                        << QStringList{S("Verify truncation: Truncate at 00:00:00?")};
        QTest::newRow("over the source") << true << int(PromptAnswer::Yes) << S("A.wav")
                                         << QStringList{S("Verify truncation: Truncate at 00:00:00?"),
                                                        S("Error: \"%1\" is the source file itself; the truncated "
                                                          "copy needs another name.")};
    }
    void truncateStopsWhereTheUserSays()
    {
        QFETCH(bool, accept);
        QFETCH(int, answer);
        QFETCH(QString, output);
        QFETCH(QStringList, messages);
        StartWith();
        ClickLine(3);
        OnModal([accept](QDialog* dlg) { accept ? dlg->accept() : dlg->reject(); });
        m_prompts->QueueAnswer(static_cast<PromptAnswer>(answer));
        m_prompts->QueueFile(output.isEmpty() ? std::nullopt : std::optional<std::string>(File(output.toUtf8().constData())));
        const std::string sourceBefore = SoxRaw(File("A.wav"));
        const auto filesBefore = std::distance(std::filesystem::directory_iterator(m_dir->path().toStdString()), {});
        RunWaveCommand(cmd::Truncate);
        QStringList seen;
        for (const std::string& line : m_prompts->Lines())
            seen << QString::fromStdString(line);
        for (QString& m : messages)
            m.replace(QStringLiteral("%1"), QString::fromStdString(File("A.wav")));
        QCOMPARE(seen, messages);
        QVERIFY(SoxRaw(File("A.wav")) == sourceBefore);
        QCOMPARE(std::distance(std::filesystem::directory_iterator(m_dir->path().toStdString()), {}), filesBefore);
    }

    void waveCommandsNeedAWaveFile_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("reported");
        QTest::newRow("Truncate on a comment") << int(cmd::Truncate) << 0 << false;
        QTest::newRow("Truncate below the last line") << int(cmd::Truncate) << -1 << false;
        QTest::newRow("Truncate on a binary file") << int(cmd::Truncate) << 12 << true;
        QTest::newRow("Write silence on a comment") << int(cmd::WriteSilence) << 0 << false;
        QTest::newRow("Write silence on a binary file") << int(cmd::WriteSilence) << 13 << true;
    }
    void waveCommandsNeedAWaveFile()
    {
        QFETCH(int, command);
        QFETCH(int, line);
        QFETCH(bool, reported);
        StartWith();
        if (line >= 0)
            ClickLine(line);
        else // below the last line: nothing is current
            QTest::mouseClick(Listing()->viewport(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(40, Listing()->viewport()->height() - 5));
        bool dialogShown = false;
        OnModal([&](QDialog* dlg) {
            dialogShown = true;
            dlg->reject();
        });
        RunWaveCommand(command);
        QVERIFY(!QTest::qWaitFor([&] { return dialogShown; }, 100));
        if (reported) {
            QCOMPARE(m_prompts->Lines(),
                     std::vector<std::string>{"Error: \"" + File("C.bin") + "\" is not a usable wave file: it is not a RIFF file."});
        } else {
            QVERIFY(m_prompts->Messages().empty());
        }
    }

    void writeSilenceZeroesTheInterval()
    {
        StartWith();
        ClickLine(3);
        QString title;
        QString okText;
        QString start;
        QString stop;
        OnModal([&](QDialog* dlg) {
            auto* interval = qobject_cast<CTimeIntervalDlg*>(dlg);
            QVERIFY(interval);
            title = interval->windowTitle();
            okText = interval->OkButton()->text();
            start = interval->Start();
            stop = interval->Stop();
            interval->StopEdit()->setText(QStringLiteral("0:1:0"));
            interval->accept();
        });
        const std::string before = SoxRaw(File("A.wav"));
        RunWaveCommand(cmd::WriteSilence);
        QCOMPARE(title, QStringLiteral("Specify time interval"));
        QCOMPARE(okText, QStringLiteral("Write silence"));
        QCOMPARE(start, QStringLiteral("00:00:00"));
        QCOMPARE(stop, QStringLiteral("00:00:00"));
        QVERIFY(m_prompts->Messages().empty());
        // The player let go of the file and the control is blank.
        QCOMPARE(Player(), nullptr);
        QVERIFY(Pos()->GetFileName().isEmpty());
        const std::string after = SoxRaw(File("A.wav"));
        QCOMPARE(after.size(), before.size());
        QVERIFY(after.substr(0, 44100 * 2) == std::string(44100 * 2, '\0'));
        QVERIFY(after.substr(44100 * 2) == before.substr(44100 * 2));
    }

    void writeSilenceRefusesAStopBeforeTheStart()
    {
        StartWith();
        ClickLine(3);
        OnModal([](QDialog* dlg) {
            auto* interval = static_cast<CTimeIntervalDlg*>(dlg);
            interval->StartEdit()->setText(QStringLiteral("0:2:0"));
            interval->StopEdit()->setText(QStringLiteral("0:1:0"));
            interval->accept();
        });
        const std::string before = SoxRaw(File("A.wav"));
        RunWaveCommand(cmd::WriteSilence);
        QCOMPARE(m_prompts->Lines(), std::vector<std::string>{"Error: The stop time 00:01:00 is before the start time "
                                                              "00:02:00; nothing was written to \"" +
                                                              File("A.wav") + "\"."});
        QVERIFY(SoxRaw(File("A.wav")) == before);
        QVERIFY(Player());
    }

    void longWorkShowsAProgressDialogWithoutCancel()
    {
        // Eleven minutes of CD audio, written as a sparse file.
        const std::uint32_t dataSize = 11 * 60 * 176400;
        {
            QFile big(QString::fromStdString(File("BIG.wav")));
            QVERIFY(big.open(QIODevice::WriteOnly));
            const std::string fmt = Chunk("fmt ", Fmt(1, 2, 44100, 16, 4));
            const std::string header = "RIFF" + Le32(static_cast<std::uint32_t>(4 + fmt.size() + 8) + dataSize) +
                                       "WAVE" + fmt + "data" + Le32(dataSize);
            big.write(header.data(), static_cast<qint64>(header.size()));
            big.close();
            std::filesystem::resize_file(File("BIG.wav"), header.size() + dataSize);
        }
        StartWith("FILE BIG.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
        ClickLine(2);
        OnModal([](QDialog* dlg) {
            auto* interval = static_cast<CTimeIntervalDlg*>(dlg);
            interval->StopEdit()->setText(QStringLiteral("10:30:00"));
            interval->accept();
        });
        bool seen = false;
        bool cancellable = false;
        QTimer watch;
        watch.setInterval(5);
        connect(&watch, &QTimer::timeout, Frame(), [&] {
            for (auto* progress : Frame()->findChildren<QProgressDialog*>()) {
                seen = seen || progress->isVisible();
                cancellable = cancellable || !progress->findChildren<QPushButton*>().isEmpty();
            }
        });
        watch.start();
        RunWaveCommand(cmd::WriteSilence);
        watch.stop();
        QVERIFY(m_prompts->Messages().empty());
        QVERIFY(seen);
        QVERIFY(!cancellable);
        QVERIFY(Frame()->findChildren<QProgressDialog*>().isEmpty());
    }
};

QTEST_MAIN(TestWaveFrame)
#include "TestWaveFrame.moc"
