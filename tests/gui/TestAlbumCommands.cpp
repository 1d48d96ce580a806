// The album commands in the real window, offscreen, on audio that sox
// makes: a tracklist imported and undone, tracks detected and accepted, a
// new sheet from tagged files (chosen or dropped), a tracklist exported and
// read back with ffprobe.
#include "album/AlbumTime.h"
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "audio/WaveFixtures.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "view/CDetectTracksDlg.h"
#include "view/CExportTracklistDlg.h"
#include "view/CImportTracklistDlg.h"
#include "view/CQuillView.h"
#include "view/CWaveformPanel.h"
#include "view/CWaveformView.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <memory>

using namespace wavetest;

namespace {

const char* const kSheet = "TITLE \"Live\"\nFILE \"live.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n";

QString S(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

} // namespace

class TestAlbumCommands final : public WindowTest
{
    Q_OBJECT

private:
    std::string File(const char* name) const { return m_dir->filePath(S(name)).toStdString(); }
    std::string Text() const { return m_app->Document().SheetText(); }
    void Write(const char* name, const std::string& bytes)
    {
        QFile file(m_dir->filePath(S(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    // Three songs of 20 s with gaps of 3 s of digital silence between them.
    void MakeLiveRecording()
    {
        QCOMPARE(Run("cd " + Quote(m_dir->path().toStdString()) +
                     " && sox -D -n -r 44100 -c 2 -b 16 song.wav synth 20 pinknoise gain -12"
                     " && sox -D -n -r 44100 -c 2 -b 16 gap.wav trim 0 3"
                     " && sox -D song.wav gap.wav song.wav gap.wav song.wav live.wav"),
                 0);
    }
    void Start(const char* sheet)
    {
        QStringList files;
        if (sheet) {
            Write("live.cue", sheet);
            files << m_dir->filePath(S("live.cue"));
        }
        StartApp(files);
        ActivateWindow();
    }
    // The dialogs of these tests show within 10 s.
    template <class T>
    void OnModal(std::function<void(T*)> act)
    {
        WindowTest::OnModal<T>(std::move(act), std::chrono::milliseconds(10000));
    }
    void MenuKey(Qt::Key menu, Qt::Key key)
    {
        QTest::keyClick(Frame(), menu, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), key);
    }
    QStringList Boxes() const
    {
        QStringList lines;
        for (const std::string& line : m_prompts->Lines())
            lines << Q(line);
        return lines;
    }
    // What cuebreakpoints reads from the sheet saved with Ctrl+S.
    QString SavedBreakpoints()
    {
        if (!Frame()->ExecuteCommand(cmd::Save) || m_app->Document().IsModified())
            return S("not saved");
        std::string out;
        if (Run("cuebreakpoints " + Quote(File("live.cue")), &out) != 0)
            return S("cuebreakpoints failed");
        return Q(out);
    }

private slots:
    void importShowsAPreviewAndUndoesInOneStep()
    {
        MakeLiveRecording();
        Start(kSheet);
        Write("list.txt", "Tracklist of the night:\n0:00 Opener\n0:23 The Band - Middle\n(0:46.5) Closer\n");
        m_prompts->QueueFile(File("list.txt"));
        bool previewed = false;
        OnModal<CImportTracklistDlg>([&](CImportTracklistDlg* dlg) {
            auto* tracks = dlg->findChild<QTableWidget*>(S("tracksTable"));
            auto* skipped = dlg->findChild<QTableWidget*>(S("skippedTable"));
            QCOMPARE(tracks->rowCount(), 3);
            QCOMPARE(tracks->item(1, 1)->text(), S("00:00:23.000"));
            QCOMPARE(tracks->item(1, 2)->text(), S("The Band"));
            QCOMPARE(tracks->item(1, 3)->text(), S("Middle"));
            QCOMPARE(skipped->rowCount(), 1);
            QCOMPARE(skipped->item(0, 0)->text(), S("1"));
            QCOMPARE(skipped->item(0, 1)->text(), S("no time at the start or end of the line"));
            previewed = true;
            QTest::mouseClick(dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        const std::string before = Text();
        MenuKey(Qt::Key_F, Qt::Key_I);
        QTRY_VERIFY(previewed);
        QTRY_VERIFY(Text() != before);
        QCOMPARE(Q(Text()), Q(std::string("TITLE \"Live\"\nFILE live.wav WAVE\n"
                                     "  TRACK 01 AUDIO\n    TITLE \"Opener\"\n    INDEX 01 00:00:00\n"
                                     "  TRACK 02 AUDIO\n    TITLE \"Middle\"\n    PERFORMER \"The Band\"\n"
                                     "    INDEX 01 00:23:00\n"
                                     "  TRACK 03 AUDIO\n    TITLE \"Closer\"\n    INDEX 01 00:46:38\n")));
        QCOMPARE(SavedBreakpoints(), S("0:23.00\n0:46.38\n"));
        // One step back gives the sheet as it was.
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(Q(Text()), Q(before));
        QVERIFY(Boxes().isEmpty());
    }

    // In a sheet of several files the list replaces the block of the audio
    // it is for, where it stands; the other blocks stay.
    void importKeepsTheOtherFiles()
    {
        MakeLiveRecording();
        Start("REM Made by hand\nFILE \"live.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
              "FILE \"encore.wav\" WAVE\n  TRACK 02 AUDIO\n    TITLE \"Encore\"\n    INDEX 01 00:00:00\n");
        Write("list.txt", "0:00 Opener\n0:23 Middle\n");
        m_prompts->QueueFile(File("list.txt"));
        m_prompts->QueueFile(File("live.wav"));
        OnModal<CImportTracklistDlg>([&](CImportTracklistDlg* dlg) {
            QTest::mouseClick(dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        const std::string before = Text();
        QVERIFY(Frame()->ExecuteCommand(cmd::ImportTracklist));
        QTRY_VERIFY(Text() != before);
        QCOMPARE(Q(Text()), Q("REM Made by hand\nFILE live.wav WAVE\n  TRACK 01 AUDIO\n    TITLE \"Opener\"\n"
                              "    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    TITLE \"Middle\"\n    INDEX 01 00:23:00\n"
                              "FILE encore.wav WAVE\n  TRACK 03 AUDIO\n    TITLE \"Encore\"\n    INDEX 01 00:00:00\n"));
        QCOMPARE(m_prompts->Dialogs().size(), std::size_t(2));
        QCOMPARE(Q(m_prompts->Dialogs().back().title), S("Audio for the Tracklist"));
    }

    void importPastTheEndChangesNothing()
    {
        MakeLiveRecording();
        Start(kSheet);
        Write("list.txt", "0:00 One\n1:30 Two\n");
        m_prompts->QueueFile(File("list.txt"));
        const std::string before = Text();
        MenuKey(Qt::Key_F, Qt::Key_I);
        QTRY_COMPARE(Boxes().size(), 1);
        QCOMPARE(Boxes().front(), S("Import Tracklist: The tracklist cannot be laid on \"") + Q(File("live.wav")) +
                                      S("\": the track of line 2 starts at 00:01:30.000, at or past the end of the "
                                        "audio (00:01:06.000)."));
        QCOMPARE(Q(Text()), Q(before));
        QVERIFY(!m_app->Document().IsModified());
    }

    void detectProposesAndAcceptsInOneStep()
    {
        MakeLiveRecording();
        Start(kSheet);
        bool done = false;
        OnModal<CDetectTracksDlg>([&](CDetectTracksDlg* dlg) {
            auto* list = dlg->findChild<QListWidget*>(S("proposalsList"));
            QCOMPARE(list->count(), 2);
            // A minimum track longer than the songs leaves nothing to propose.
            auto* minTrack = dlg->findChild<QDoubleSpinBox*>(S("minTrackSpin"));
            minTrack->setValue(30);
            QCOMPARE(list->count(), 0);
            minTrack->setValue(10);
            QCOMPARE(list->count(), 2);
            // Accept the second alone, then all that are left.
            list->setCurrentRow(1);
            QTest::mouseClick(dlg->findChild<QPushButton*>(S("acceptButton")), Qt::LeftButton);
            QCOMPARE(list->count(), 1);
            QTest::mouseClick(dlg->findChild<QPushButton*>(S("acceptAllButton")), Qt::LeftButton);
            QCOMPARE(list->count(), 0);
            dlg->reject();
            done = true;
        });
        const std::string before = Text();
        MenuKey(Qt::Key_W, Qt::Key_D);
        QTRY_VERIFY(done);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(SavedBreakpoints(), S("0:23.00\n0:46.00\n"));
        // INDEX 00 where the silence began, just after the first song.
        QVERIFY2(Text().find("    INDEX 00 00:20:0") != std::string::npos, Text().c_str());
        QVERIFY2(Text().find("    INDEX 00 00:43:0") != std::string::npos, Text().c_str());
        // Each accept was one step: the last took the first start.
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QVERIFY(Text().find("00:23:00") == std::string::npos);
        QVERIFY(Text().find("00:46:00") != std::string::npos);
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(Q(Text()), Q(before));
    }

    // While the dialog is open its proposals are dashed marks in the
    // waveform; they follow the threshold and the minimum lengths, turn into
    // the sheet's marks when accepted, and go when the dialog closes.
    void proposalsShowAsDashedMarks()
    {
        // Three songs: digital silence after the first, a quiet passage 30 dB
        // down after the second, which only a high threshold counts as silent.
        QCOMPARE(Run("cd " + Quote(m_dir->path().toStdString()) +
                     " && sox -D -n -r 44100 -c 2 -b 16 song.wav synth 20 pinknoise gain -6"
                     " && sox -D -n -r 44100 -c 2 -b 16 quiet.wav synth 3 pinknoise gain -36"
                     " && sox -D -n -r 44100 -c 2 -b 16 gap.wav trim 0 3"
                     " && sox -D song.wav gap.wav song.wav quiet.wav song.wav live.wav"),
                 0);
        Start(kSheet);
        CWaveformView* wave = Frame()->Waveform()->Wave();
        const auto expectedBins = [](const CDetectTracksDlg* dlg) {
            std::vector<std::int64_t> bins;
            for (const auto& p : dlg->Proposals()) {
                const auto frames = static_cast<std::uint32_t>(ts::CdFramesOf(p.start));
                bins.push_back(CWaveformPanel::BinOfTime(CCueTime::FromMsf(frames / 75 / 60, frames / 75 % 60, frames % 75)));
            }
            return bins;
        };
        bool done = false;
        OnModal<CDetectTracksDlg>([&](CDetectTracksDlg* dlg) {
            // The dialog closes whatever fails below.
            const std::unique_ptr<CDetectTracksDlg, void (*)(CDetectTracksDlg*)> closer(
                dlg, [](CDetectTracksDlg* d) { d->reject(); });
            auto* threshold = dlg->findChild<QDoubleSpinBox*>(S("thresholdSpin"));
            auto* minTrack = dlg->findChild<QDoubleSpinBox*>(S("minTrackSpin"));
            threshold->setValue(-20);
            QCOMPARE(wave->Proposals().size(), std::size_t{2});
            QCOMPARE(wave->Proposals(), expectedBins(dlg));
            const std::int64_t afterGap = wave->Proposals()[0];
            // A lower threshold hears the quiet passage as part of a song.
            threshold->setValue(-50);
            QCOMPARE(wave->Proposals(), std::vector<std::int64_t>{afterGap});
            threshold->setValue(-20);
            QCOMPARE(wave->Proposals().size(), std::size_t{2});
            minTrack->setValue(30);
            QVERIFY(wave->Proposals().empty());
            minTrack->setValue(10);
            QCOMPARE(wave->Proposals().size(), std::size_t{2});
            // Accepted, the first becomes a track start of the sheet.
            auto* list = dlg->findChild<QListWidget*>(S("proposalsList"));
            list->setCurrentRow(0);
            QTest::mouseClick(dlg->findChild<QPushButton*>(S("acceptButton")), Qt::LeftButton);
            QCOMPARE(wave->Proposals().size(), std::size_t{1});
            QVERIFY(wave->Proposals()[0] != afterGap);
            QVERIFY(std::any_of(wave->Marks().begin(), wave->Marks().end(),
                                [afterGap](const WaveMark& m) { return m.trackStart && m.bin == afterGap; }));
            done = true;
        });
        MenuKey(Qt::Key_W, Qt::Key_D);
        QTRY_VERIFY(done);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(wave->Proposals().empty());
    }

    void newFromAudioFilesTakesTheTags()
    {
        QCOMPARE(Run("cd " + Quote(m_dir->path().toStdString()) +
                     " && sox -D -n -r 44100 -c 2 -b 16 one.flac synth 2 sine 440"
                     " && metaflac --set-tag=TITLE=Morning --set-tag=ARTIST=Singer --set-tag=ALBUM=Days one.flac"),
                 0);
        Start(nullptr);
        m_prompts->QueueFile(File("one.flac"));
        QVERIFY(Frame()->ExecuteCommand(cmd::NewFromAudio));
        QCOMPARE(Q(Text()), Q("PERFORMER \"Singer\"\nTITLE \"Days\"\nFILE " + File("one.flac") +
                             " WAVE\n  TRACK 01 AUDIO\n    TITLE \"Morning\"\n    PERFORMER \"Singer\"\n"
                             "    INDEX 01 00:00:00\n"));
        QVERIFY(m_app->Document().IsModified());
    }

    void audioDroppedOnAnEmptySheetMakesIt()
    {
        QCOMPARE(Run("cd " + Quote(m_dir->path().toStdString()) +
                     " && sox -D -n -r 44100 -c 2 -b 16 a.flac synth 2 sine 440"
                     " && sox -D -n -r 44100 -c 2 -b 16 b.flac synth 3 sine 440"
                     " && metaflac --set-tag=TITLE=First a.flac && metaflac --set-tag=TITLE=Second b.flac"),
                 0);
        Start(nullptr);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(Q(File("a.flac"))), QUrl::fromLocalFile(Q(File("b.flac")))});
        // A drop reaches the window that the drag entered.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Frame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Frame(), &drop);
        QVERIFY(drop.isAccepted());
        QVERIFY2(Boxes().isEmpty(), qPrintable(Boxes().join(S("\n"))));
        QCOMPARE(Q(Text()), Q("FILE " + File("a.flac") + " WAVE\n  TRACK 01 AUDIO\n    TITLE \"First\"\n"
                             "    INDEX 01 00:00:00\nFILE " + File("b.flac") + " WAVE\n  TRACK 02 AUDIO\n"
                             "    TITLE \"Second\"\n    INDEX 01 00:00:00\n"));
    }

    void exportTracklistIsReadByFfprobe()
    {
        MakeLiveRecording();
        Start("TITLE \"Live\"\nFILE \"live.wav\" WAVE\n  TRACK 01 AUDIO\n    TITLE \"One\"\n    INDEX 01 00:00:00\n"
              "  TRACK 02 AUDIO\n    TITLE \"Two\"\n    INDEX 01 00:23:00\n");
        bool filled = false;
        OnModal<CExportTracklistDlg>([&](CExportTracklistDlg* dlg) {
            // The sheet's own name is offered beside it.
            QCOMPARE(dlg->Path(), File("live.txt"));
            dlg->findChild<QComboBox*>(S("formatCombo"))->setCurrentIndex(2);
            QCOMPARE(dlg->Path(), File("live.ffmetadata"));
            filled = true;
            QTest::mouseClick(dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        QVERIFY(Frame()->ExecuteCommand(cmd::ExportTracklist));
        QTRY_VERIFY(filled);
        QTRY_COMPARE(Boxes().size(), 1);
        QCOMPARE(Boxes().front(), S("Export Tracklist: Wrote 2 chapters into \"") + Q(File("live.ffmetadata")) + S("\"."));
        std::string chapters;
        QCOMPARE(Run("cd " + Quote(m_dir->path().toStdString()) +
                         " && ffmpeg -v error -i live.wav -i live.ffmetadata -map 0:a -map_chapters 1 -c:a flac out.mka"
                         " && ffprobe -v error -show_chapters -of csv=p=0 out.mka | cut -d, -f4,6,7",
                     &chapters),
                 0);
        QCOMPARE(Q(chapters), S("0.000000,23.000000,One\n23.000000,66.000000,Two\n"));
    }
};

QTEST_MAIN(TestAlbumCommands)
#include "TestAlbumCommands.moc"
