// Sheets kept in FLAC files, in the window: opened from the command line,
// the Open dialog and a drop, edited with the keys and saved back into the
// tag; File > Embed Sheet in Audio File. What the window wrote is read back
// with metaflac and flac.
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CQuillView.h"

#include "PeerRun.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }
std::string Std(const QString& text) { return text.toStdString(); }

const char* const kTagSheet = "REM GENRE Rock\r\n"
                              "FILE \"Range.wav\" WAVE\r\n"
                              "  TRACK 01 AUDIO\r\n"
                              "    INDEX 01 00:00:00\r\n"
                              "  TRACK 02 AUDIO\r\n"
                              "    INDEX 00 00:10:00\r\n"
                              "    INDEX 01 00:12:00\r\n";

} // namespace

class TestEmbeddedWindow final : public WindowTest
{
    Q_OBJECT

private:
    CQuillDoc& Doc() const { return m_app->Document(); }
    CListingEdit* Listing() const { return Frame()->View()->Listing(); }
    QString LineText(int line) const { return Listing()->LineText(line); }
    QString Path(const char* name) const { return m_dir->filePath(S(name)); }

    std::string Run(const std::string& command)
    {
        const PeerRun run = PeerRun::Run(Std(m_dir->path()), command);
        if (run.exitCode != 0)
            qWarning("%s: %s", command.c_str(), run.err.c_str());
        return run.exitCode == 0 ? run.out : std::string("failed: ") + command;
    }
    // 20 s of CD audio as album.flac, with the tag sheet when asked.
    QString MakeFlac(bool withSheet)
    {
        Run("sox -n -r 44100 -b 16 -c 2 source.wav synth 20 sine 440 vol 0.3 && flac --silent -f source.wav -o album.flac");
        if (withSheet) {
            QFile sheet(Path("tag.cue"));
            if (sheet.open(QIODevice::WriteOnly))
                sheet.write(kTagSheet);
            sheet.close();
            Run("metaflac --set-tag-from-file=CUESHEET=tag.cue album.flac");
        }
        return Path("album.flac");
    }
    std::string AudioMd5()
    {
        return Run("flac --silent -d -c --force-raw-format --endian=little --sign=signed album.flac | md5sum");
    }
    std::string Tag() { return Run("metaflac --show-tag=CUESHEET album.flac"); }
    bool Enabled(int id)
    {
        Frame()->UpdateCommandUI();
        return Frame()->Action(id)->isEnabled();
    }

private slots:
    void initTestCase()
    {
        for (const char* tool : {"sox", "flac", "metaflac", "md5sum"}) {
            if (!PeerRun::Installed(tool))
                QSKIP("sox, flac and metaflac are needed");
        }
    }

    void commandLineOpensTheTagAndCtrlSSavesIntoIt()
    {
        const QString flac = MakeFlac(true);
        const std::string audio = AudioMd5();
        StartApp({flac});
        QCOMPARE(Frame()->windowTitle(), S("album.flac - Tracksmith by Larkspur"));
        QCOMPARE(LineText(0), S("REM GENRE Rock"));
        QCOMPARE(LineText(1), S("FILE album.flac WAVE"));
        QVERIFY(m_prompts->Lines().empty());

        // The REM line goes, and the sheet is saved where it came from.
        QTest::keyClick(Listing(), Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(Listing(), Qt::Key_Delete);
        QVERIFY(Doc().IsModified());
        QTest::keyClick(Listing(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!Doc().IsModified());
        QVERIFY(m_prompts->Lines().empty());
        QCOMPARE(Tag(), std::string("CUESHEET=FILE album.flac WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
                                    "  TRACK 02 AUDIO\r\n    INDEX 00 00:10:00\r\n    INDEX 01 00:12:00\r\n\n"));
        QCOMPARE(AudioMd5(), audio);
        QCOMPARE(Run("flac --silent -t album.flac"), std::string());
    }

    void openDialogHasAFilterForAudioFiles()
    {
        const QString flac = MakeFlac(true);
        StartApp();
        m_prompts->QueueFile(Std(flac));
        QVERIFY(Frame()->ExecuteCommand(cmd::Open));
        QVERIFY(!m_prompts->Dialogs().empty());
        const auto& filters = m_prompts->Dialogs().back().filters;
        QCOMPARE(filters.size(), std::size_t(3));
        QCOMPARE(filters[1].first, std::string("Audio files with a sheet (*.flac *.wv *.ape)"));
        QCOMPARE(filters[1].second, std::string("*.flac *.wv *.ape"));
        QCOMPARE(Doc().PathName(), Std(flac));
        QCOMPARE(Doc().FileCount(), 1);
    }

    void droppedFlacOpensItsSheetOrJoinsAsAFile_data()
    {
        QTest::addColumn<bool>("withSheet");
        QTest::addColumn<QString>("path");   // the document's afterwards
        QTest::addColumn<QString>("fileLine"); // how the FILE line starts; %1: the folder
        QTest::newRow("with a sheet") << true << S("album.flac") << S("FILE album.flac WAVE");
        QTest::newRow("without") << false << S("") << S("FILE %1/album.flac ");
    }
    void droppedFlacOpensItsSheetOrJoinsAsAFile()
    {
        QFETCH(bool, withSheet);
        QFETCH(QString, path);
        QFETCH(QString, fileLine);
        const QString flac = MakeFlac(withSheet);
        StartApp();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(flac)});
        // What the window gets from a drag: enter (accepted), then the drop.
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Frame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Frame(), &drop);
        QCOMPARE(S(Doc().PathName().c_str()), path.isEmpty() ? QString() : flac);
        QCOMPARE(Doc().IsModified(), !withSheet);
        QVERIFY2(LineText(withSheet ? 1 : 0).startsWith(fileLine.arg(m_dir->path())), qPrintable(LineText(0)));
        QVERIFY(m_prompts->Lines().empty());
    }

    void embedCommandWritesASingleFileSheetIntoItsAudio()
    {
        MakeFlac(false);
        const std::string audio = AudioMd5();
        QFile sheet(Path("album.cue"));
        QVERIFY(sheet.open(QIODevice::WriteOnly));
        sheet.write("FILE \"album.flac\" WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n");
        sheet.close();
        StartApp({Path("album.cue")});
        QVERIFY(Enabled(cmd::EmbedSheet));
        Frame()->Action(cmd::EmbedSheet)->trigger();
        QCOMPARE(m_prompts->Lines(), std::vector<std::string>{"Embed Sheet in Audio File: The sheet is embedded in \""
                                                              + Std(Path("album.flac")) + "\"."});
        QCOMPARE(Tag(), std::string("CUESHEET=FILE \"album.flac\" WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n\n"));
        QCOMPARE(AudioMd5(), audio);
        // The open sheet is still the .cue file, unchanged.
        QCOMPARE(Doc().PathName(), Std(Path("album.cue")));
        QVERIFY(!Doc().IsModified());

        // Save As a .cue writes a plain sheet and leaves the audio file alone.
        const std::string tag = Tag();
        Frame()->close();
        m_app.reset();
        StartApp({Path("album.flac")});
        m_prompts->QueueFile(Std(Path("plain.cue")));
        QVERIFY(Frame()->ExecuteCommand(cmd::SaveAs));
        QFile plain(Path("plain.cue"));
        QVERIFY(plain.open(QIODevice::ReadOnly));
        QCOMPARE(plain.readAll(), QByteArray("FILE album.flac WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"));
        QCOMPARE(Tag(), tag);
    }

    void embedIsDisabledWithoutOneAudioFile_data()
    {
        QTest::addColumn<QByteArray>("sheet");
        QTest::newRow("two files") << QByteArray("FILE a.flac WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                                 "FILE b.flac WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n");
        QTest::newRow("a wave file") << QByteArray("FILE a.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
        QTest::newRow("no file") << QByteArray("REM only a comment\n");
    }
    void embedIsDisabledWithoutOneAudioFile()
    {
        QFETCH(QByteArray, sheet);
        QFile file(Path("sheet.cue"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(sheet);
        file.close();
        StartApp({Path("sheet.cue")});
        QVERIFY(Enabled(cmd::Save));
        QVERIFY(!Enabled(cmd::EmbedSheet));
    }
};

QTEST_MAIN(TestEmbeddedWindow)
#include "TestEmbeddedWindow.moc"
