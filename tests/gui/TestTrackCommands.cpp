// File > Export Tracks and File > Join Into One Image in the real window,
// offscreen, on audio that sox makes.
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "audio/WaveFixtures.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "tracks/TrackTestSupport.h"
#include "view/CListingEdit.h"
#include "view/CExportTracksDlg.h"
#include "view/CQuillView.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>

using namespace wavetest;

namespace {

const char* const kSheet =
    "PERFORMER \"The Band\"\n"
    "TITLE \"Album\"\n"
    "FILE \"album.wav\" WAVE\n"
    "  TRACK 01 AUDIO\n"
    "    TITLE \"First\"\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    TITLE \"Second\"\n"
    "    INDEX 00 00:02:00\n"
    "    INDEX 01 00:03:00\n"
    "  TRACK 03 AUDIO\n"
    "    TITLE \"Third\"\n"
    "    INDEX 01 00:05:00\n";

QString S(const char* text) { return QString::fromUtf8(text); }
QStringList Names(const std::string& folder)
{
    QStringList names;
    for (const std::string& name : tracktest::FolderNames(folder))
        names << QString::fromStdString(name);
    return names;
}

} // namespace

class TestTrackCommands final : public WindowTest
{
    Q_OBJECT

private:
    std::string File(const char* name) const { return m_dir->filePath(S(name)).toStdString(); }
    void StartWith(int seconds, const char* sheet = kSheet)
    {
        QCOMPARE(Run("sox -D -n -r 44100 -c 2 -b 16 " + Quote(File("album.wav")) + " synth " + std::to_string(seconds) +
                     " whitenoise sine 440 gain -6"),
                 0);
        QFile cue(m_dir->filePath(QStringLiteral("album.cue")));
        QVERIFY(cue.open(QIODevice::WriteOnly));
        cue.write(sheet);
        cue.close();
        StartApp({cue.fileName()});
        // The menu bar's access keys reach only the active window.
        ActivateWindow();
    }
    // Runs act on the next modal dialog of type T; gives up after five
    // seconds without one.
    // The dialogs of these tests show within 5 s.
    template <class T>
    void OnModal(std::function<void(T*)> act)
    {
        WindowTest::OnModal<T>(std::move(act), std::chrono::milliseconds(5000));
    }
    // Opens the File menu with Alt+F and picks the item by its access key.
    void FileMenuKey(Qt::Key key)
    {
        QTest::keyClick(Frame(), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), key);
    }
    // Fills the export dialog and presses OK.
    void FillExport(CExportTracksDlg* dlg, const std::string& folder, int format, int gaps)
    {
        auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("folderEdit"));
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromStdString(folder));
        dlg->findChild<QComboBox*>(QStringLiteral("formatCombo"))->setCurrentIndex(format);
        dlg->findChild<QComboBox*>(QStringLiteral("gapsCombo"))->setCurrentIndex(gaps);
        QPushButton* ok = dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QVERIFY(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
    }
    QStringList Boxes() const
    {
        QStringList lines;
        for (const std::string& line : m_prompts->Lines())
            lines << QString::fromStdString(line);
        return lines;
    }

private slots:
    void exportWritesEveryTrack_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("gaps");
        QTest::addColumn<QString>("ext");
        // Track 2's file starts where the rule puts it: INDEX 01 (3 s) or INDEX 00 (2 s).
        QTest::addColumn<int>("secondFrom");
        QTest::newRow("FLAC, gaps appended") << 0 << 0 << S("flac") << 3;
        QTest::newRow("WAVE, gaps prepended") << 1 << 1 << S("wav") << 2;
        QTest::newRow("FLAC, gaps left out") << 0 << 2 << S("flac") << 3;
    }
    void exportWritesEveryTrack()
    {
        QFETCH(int, format);
        QFETCH(int, gaps);
        QFETCH(QString, ext);
        QFETCH(int, secondFrom);
        StartWith(7);
        const std::string out = File("out");
        bool filled = false;
        OnModal<CExportTracksDlg>([&](CExportTracksDlg* dlg) {
            // The folder offered is the sheet's name beside it.
            QCOMPARE(dlg->Folder(), File("album"));
            FillExport(dlg, out, format, gaps);
            filled = true;
        });
        FileMenuKey(Qt::Key_E);
        QTRY_VERIFY(filled);
        QTRY_COMPARE(Boxes().size(), 1);
        QCOMPARE(Boxes().front(),
                 S("Export Tracks: Wrote 3 track files and \"album.cue\" into \"") + QString::fromStdString(out) + S("\"."));
        QCOMPARE(Names(out), QStringList({S("01 - First.") + ext, S("02 - Second.") + ext, S("03 - Third.") + ext,
                                          S("album.cue")}));
        const std::string source = tracktest::Decode(File("album.wav"));
        const std::string second = tracktest::Decode(out + "/02 - Second." + ext.toStdString());
        const std::size_t from = static_cast<std::size_t>(secondFrom) * 44100 * tracktest::kFrameBytes;
        const std::size_t to = 5 * 44100 * tracktest::kFrameBytes;
        QCOMPARE(second.size(), to - from);
        QVERIFY(second == source.substr(from, to - from));
        QCOMPARE(QString::fromStdString(tracktest::ProbeTag(out + "/02 - Second." + ext.toStdString(), "title")),
                 S("Second"));
        // The sheet in the window is untouched.
        QVERIFY(!m_app->Document().IsModified());
    }

    void cancelLeavesNoFile()
    {
        StartWith(240, "FILE \"album.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                       "  TRACK 02 AUDIO\n    INDEX 01 02:00:00\n");
        const std::string out = File("out");
        bool cancelled = false;
        OnModal<CExportTracksDlg>([&](CExportTracksDlg* dlg) {
            OnModal<QProgressDialog>([&](QProgressDialog* progress) {
                QPushButton* cancel = progress->findChild<QPushButton*>();
                QVERIFY(cancel);
                QTest::mouseClick(cancel, Qt::LeftButton);
                cancelled = true;
            });
            FillExport(dlg, out, 0, 0);
        });
        FileMenuKey(Qt::Key_E);
        QTRY_VERIFY(cancelled);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(Names(out), QStringList());
        QCOMPARE(Boxes(), QStringList());
    }

    void existingFilesAreReplacedOnlyWhenAllowed()
    {
        StartWith(7);
        const std::string out = File("out");
        std::filesystem::create_directories(out);
        QFile mine(QString::fromStdString(out + "/02 - Second.flac"));
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.write("mine");
        mine.close();
        for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
            m_prompts->Clear();
            m_prompts->QueueAnswer(answer);
            bool filled = false;
            OnModal<CExportTracksDlg>([&](CExportTracksDlg* dlg) {
                FillExport(dlg, out, 0, 0);
                filled = true;
            });
            QVERIFY(Frame()->ExecuteCommand(cmd::ExportTracks));
            QTRY_VERIFY(filled);
            QVERIFY(!Boxes().isEmpty());
            QCOMPARE(Boxes().front(), S("Export Tracks: \"") + QString::fromStdString(out) +
                                          S("\" already holds this file:\n02 - Second.flac\n\nReplace it?"));
            if (answer == PromptAnswer::No) {
                QCOMPARE(Boxes().size(), 1);
                QCOMPARE(Names(out), QStringList({S("02 - Second.flac")}));
                QCOMPARE(std::filesystem::file_size(out + "/02 - Second.flac"), 4u);
            } else {
                QCOMPARE(Boxes().size(), 2);
                QCOMPARE(Names(out).size(), 4);
                QCOMPARE(tracktest::Decode(out + "/02 - Second.flac").size(), 2 * 44100 * tracktest::kFrameBytes);
            }
        }
    }

    void sheetThatCannotBeSplitSaysWhy()
    {
        StartWith(4, "FILE \"album.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                     "  TRACK 02 AUDIO\n    INDEX 01 00:09:00\n");
        bool filled = false;
        OnModal<CExportTracksDlg>([&](CExportTracksDlg* dlg) {
            FillExport(dlg, File("out"), 0, 0);
            filled = true;
        });
        QVERIFY(Frame()->ExecuteCommand(cmd::ExportTracks));
        QTRY_VERIFY(filled);
        QTRY_COMPARE(Boxes().size(), 1);
        QCOMPARE(Boxes().front(), S("Error: INDEX 01 of track 02 (00:09:00) lies past the end of \"") +
                                      QString::fromStdString(File("album.wav")) + S("\" (00:04:00)."));
        QVERIFY(!std::filesystem::exists(File("out")));
    }

    void joinWritesTheImageAndItsSheet()
    {
        QCOMPARE(Run("sox -D -n -r 44100 -c 2 -b 16 " + Quote(File("b.wav")) + " synth 2 sine 300"), 0);
        StartWith(3, "FILE \"album.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                     "FILE \"b.wav\" WAVE\n  TRACK 02 AUDIO\n    INDEX 00 00:00:00\n    INDEX 01 00:01:00\n");
        const std::string image = File("image.flac");
        m_prompts->QueueFile(image);
        FileMenuKey(Qt::Key_J);
        QTRY_COMPARE(Boxes().size(), 1);
        QCOMPARE(Boxes().front(), S("Join Into One Image: Wrote \"") + QString::fromStdString(image) +
                                      S("\" and its cue sheet \"image.cue\"."));
        QCOMPARE(m_prompts->Dialogs().size(), 1u);
        QCOMPARE(QString::fromStdString(m_prompts->Dialogs().front().fileName), S("album (image).flac"));
        QVERIFY(tracktest::Decode(image) == tracktest::Decode(File("album.wav")) + tracktest::Decode(File("b.wav")));
        QFile sheet(m_dir->filePath(QStringLiteral("image.cue")));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(sheet.readAll()),
                 S("FILE \"image.flac\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                   "  TRACK 02 AUDIO\n    INDEX 00 00:03:00\n    INDEX 01 00:04:00\n"));
    }

    void commandsNeedAFile()
    {
        StartWith(1, "REM nothing to cut\n");
        Frame()->UpdateCommandUI();
        QVERIFY(!Frame()->Action(cmd::ExportTracks)->isEnabled());
        QVERIFY(!Frame()->Action(cmd::JoinImage)->isEnabled());
    }
};

QTEST_MAIN(TestTrackCommands)
#include "TestTrackCommands.moc"
