// The repairs in the window: the box an opened sheet shows for audio found
// in its folder, File > Find Missing Audio with its Browse buttons, and
// Tools > Check Sheet with its dock, Fix buttons and double clicks. Audio
// files are made with sox; what is saved is read back with cuebreakpoints.
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CMissingAudioDlg.h"
#include "view/CQuillView.h"
#include "view/CSheetRepairs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

} // namespace

class TestSheetRepairs final : public WindowTest
{
    Q_OBJECT

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    void WriteSheet(const QString& name, const char* text)
    {
        QFile file(Path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    // Ten seconds of CD audio, in the format the name's extension says.
    void MakeAudio(const QString& name)
    {
        QDir().mkpath(QFileInfo(Path(name)).absolutePath());
        QCOMPARE(QProcess::execute(QStringLiteral("sox"), {S("-n"), S("-r"), S("44100"), S("-b"), S("16"), S("-c"), S("2"),
                                                          Path(name), S("synth"), S("10"), S("sine"), S("440")}),
                 0);
    }
    CQuillView* View() const { return Frame()->View(); }
    CQuillDoc& Doc() const { return m_app->Document(); }
    CSheetRepairs* Repairs() const { return Frame()->Repairs(); }
    QString LineText(int line) const
    {
        return View()->Listing()->LineText(line).trimmed();
    }
    QString FirstFileName() const { return QString::fromStdString(Doc().File(0)->Name()); }
    // cuebreakpoints' complaints about the file as saved.
    QString LibcueMessages(const QString& path)
    {
        QProcess peer;
        peer.start(S("cuebreakpoints"), {path});
        peer.waitForFinished();
        return QString::fromLocal8Bit(peer.readAllStandardError());
    }

private slots:
    // The box lists each FILE with the file found for it; Yes fixes all of
    // them as one undoable step, No keeps the sheet as it is.
    void openOffersTheAudioFound_data()
    {
        QTest::addColumn<bool>("fix");
        QTest::newRow("fix all") << true;
        QTest::newRow("keep the sheet") << false;
    }
    void openOffersTheAudioFound()
    {
        QFETCH(bool, fix);
        MakeAudio(S("artist - album.flac"));
        MakeAudio(S("CD2/Bonus.flac"));
        WriteSheet(S("Artist - Album.cue"), "FILE \"Artist - Album.wav\" WAVE\r\n  TRACK 01 AUDIO\r\n"
                                            "    INDEX 01 00:00:00\r\nFILE Bonus.wav WAVE\r\n  TRACK 02 AUDIO\r\n"
                                            "    INDEX 01 00:00:00\r\n");
        StartApp();
        m_prompts->QueueAnswer(fix ? PromptAnswer::Yes : PromptAnswer::No);
        QVERIFY(m_app->OpenFile(Path(S("Artist - Album.cue"))));
        const std::vector<std::string> boxes = m_prompts->Lines();
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(boxes[0]),
                 S("Find Missing Audio: Audio files were found for FILE lines whose files are missing:\n\n"
                   "\"Artist - Album.wav\" \xE2\x86\x92 \"artist - album.flac\"\n"
                   "\"Bonus.wav\" \xE2\x86\x92 \"CD2/Bonus.flac\"\n\n"
                   "Fix all of them? No keeps the sheet as it is."));
        QCOMPARE(FirstFileName(), fix ? S("artist - album.flac") : S("Artist - Album.wav"));
        QCOMPARE(QString::fromStdString(Doc().File(1)->Name()), fix ? S("CD2/Bonus.flac") : S("Bonus.wav"));
        QCOMPARE(Doc().IsModified(), fix);
        // Nothing stops playback once fixed; kept, the status bar says what
        // does, and the listing keeps its size.
        QVERIFY(!Repairs()->CheckDock()->isVisible());
        const QString stops = S("Line 1: \"Artist - Album.wav\": no such file (and 1 more) \xE2\x80\x94 Tools > Check Sheet lists them.");
        QCOMPARE(Repairs()->StopsMessage(), fix ? QString() : stops);
        if (!fix) {
            QCOMPARE(Frame()->statusBar()->currentMessage(), stops);
            return;
        }
        // The type word stays as written, and the fix is one step.
        QVERIFY(Doc().SheetText().find("FILE \"artist - album.flac\" WAVE\n") != std::string::npos);
        QTest::keyClick(View()->Listing(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(FirstFileName(), S("Artist - Album.wav"));
        QCOMPARE(QString::fromStdString(Doc().File(1)->Name()), S("Bonus.wav"));
        QVERIFY(!View()->History().CanUndo());
    }

    // Browse names the file the user picks; OK renames the FILE line.
    void findMissingAudioBrowses()
    {
        MakeAudio(S("elsewhere/picked.flac"));
        WriteSheet(S("sheet.cue"), "FILE gone.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                   "FILE other.wav WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n");
        StartApp();
        QVERIFY(m_app->OpenFile(Path(S("sheet.cue"))));
        QVERIFY(m_prompts->Lines().empty());
        m_prompts->QueueFile(Path(S("elsewhere/picked.flac")).toStdString());
        QString listed;
        QTimer::singleShot(0, qApp, [&listed] {
            auto* dialog = qobject_cast<CMissingAudioDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("table"));
            listed = table->item(0, 0)->text() + S("|") + table->item(0, 1)->text() + S("|")
                + table->item(1, 0)->text() + S("|") + table->item(1, 1)->text();
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("browse0")), Qt::LeftButton);
            listed += S("|") + table->item(0, 1)->text();
            dialog->accept();
        });
        QVERIFY(Frame()->ExecuteCommand(cmd::FindMissingAudio));
        QCOMPARE(listed, S("gone.wav|(nothing found)|other.wav|(nothing found)|elsewhere/picked.flac"));
        QCOMPARE(FirstFileName(), S("elsewhere/picked.flac"));
        QCOMPARE(QString::fromStdString(Doc().File(1)->Name()), S("other.wav"));
        QVERIFY(Doc().IsModified());
    }

    void findMissingAudioWithNothingMissing()
    {
        MakeAudio(S("a.wav"));
        WriteSheet(S("sheet.cue"), "FILE a.wav WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
        StartApp();
        QVERIFY(m_app->OpenFile(Path(S("sheet.cue"))));
        QVERIFY(Frame()->ExecuteCommand(cmd::FindMissingAudio));
        QCOMPARE(m_prompts->Lines(), std::vector<std::string>{"Find Missing Audio: Every FILE line's audio file is there."});
        QVERIFY(!Doc().IsModified());
    }

    // One row per finding; Fix is one undoable step and leaves a sheet
    // that libcue reads; a double click goes to the finding's line.
    void checkSheetDock()
    {
        MakeAudio(S("album.flac"));
        WriteSheet(S("album.cue"), "CATALOG 4006381333932\r\nTITLE Live at the Hall\r\nFILE album.flac FLAC\r\n"
                                   "  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n"
                                   "    INDEX 01 00:05:00\r\n");
        StartApp();
        QVERIFY(m_app->OpenFile(Path(S("album.cue"))));
        // Nothing here stops playback: no dock on open.
        QVERIFY(!Repairs()->CheckDock()->isVisible());
        QVERIFY(!LibcueMessages(Path(S("album.cue"))).isEmpty());

        QSignalSpy filled(Repairs(), &CSheetRepairs::FindingsChanged);
        Frame()->Action(cmd::CheckSheet)->trigger();
        QTRY_VERIFY(Repairs()->CheckDock()->isVisible());
        QVERIFY(filled.count() >= 1);
        QTreeWidget* list = Repairs()->FindingList();
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0) + S(" ") + list->topLevelItem(i)->text(1) + S(" ")
                    + list->topLevelItem(i)->text(2);
        QCOMPARE(rows, QStringList({S("1 warning The CATALOG number \"4006381333932\" has a wrong EAN/UPC check digit"),
                                    S("2 error TITLE value with blanks is not in double quotes"),
                                    S("3 error The FILE type word \"FLAC\" is refused")}));
        QVERIFY(!list->itemWidget(list->topLevelItem(0), 4));

        // Double click: the caret goes to the FILE line.
        const QRect rect = list->visualItemRect(list->topLevelItem(2));
        // A double click as the mouse sends it: a click, then the second press.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QTRY_COMPARE(View()->CurrentLine(), 2);

        // Fix the type word, then the title.
        QTest::mouseClick(qobject_cast<QPushButton*>(list->itemWidget(list->topLevelItem(2), 4)), Qt::LeftButton);
        QTRY_COMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(Doc().File(0)->TypeText(), std::string_view("WAVE"));
        QTest::mouseClick(qobject_cast<QPushButton*>(list->itemWidget(list->topLevelItem(1), 4)), Qt::LeftButton);
        QTRY_COMPARE(list->topLevelItemCount(), 1);
        m_prompts->QueueFile(Path(S("fixed.cue")).toStdString());
        QVERIFY(Frame()->ExecuteCommand(cmd::SaveAs));
        QCOMPARE(LibcueMessages(Path(S("fixed.cue"))), QString());

        // Each fix was its own step.
        QTest::keyClick(View()->Listing(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(Doc().File(0)->TypeText(), std::string_view("WAVE"));
    }

    // A sheet of a DJ program: the FILE not named yet shows greyed and
    // writes nothing; Find Missing Audio names it with the folder's one
    // audio file.
    void unnamedFile()
    {
        MakeAudio(S("friday mix.flac"));
        WriteSheet(S("mix.cue"), "TITLE \"Friday Mix\"\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
                                 "  TRACK 02 AUDIO\r\n    INDEX 01 00:05:00\r\n");
        StartApp();
        m_prompts->QueueAnswer(PromptAnswer::No);
        QVERIFY(m_app->OpenFile(Path(S("mix.cue"))));
        QCOMPARE(LineText(1), S("FILE (not named yet)"));
        QCOMPARE(Doc().SheetText(), std::string("TITLE \"Friday Mix\"\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                                "  TRACK 02 AUDIO\n    INDEX 01 00:05:00\n"));
        QTimer::singleShot(0, qApp, [] {
            if (auto* dialog = qobject_cast<CMissingAudioDlg*>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        QVERIFY(Frame()->ExecuteCommand(cmd::FindMissingAudio));
        QCOMPARE(FirstFileName(), S("friday mix.flac"));
        QCOMPARE(LineText(1), S("FILE \"friday mix.flac\" WAVE"));
    }

    // Edit names the FILE not named yet like any other; Save then writes
    // its line, which libcue reads.
    void unnamedFileNamedWithEdit()
    {
        MakeAudio(S("one.wav"));
        MakeAudio(S("two.wav"));
        WriteSheet(S("mix.cue"), "TITLE \"Friday Mix\"\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n");
        StartApp();
        QVERIFY(m_app->OpenFile(Path(S("mix.cue"))));
        // Two audio files: nothing to offer.
        QVERIFY(m_prompts->Lines().empty());
        View()->SetCurrentItem(Doc().File(0));
        QCOMPARE(View()->CurrentLine(), 1);
        QTimer::singleShot(0, qApp, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("nameEdit"));
            if (name)
                name->setText(S("two.wav"));
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QVERIFY(Frame()->ExecuteCommand(cmd::Edit));
        QCOMPARE(FirstFileName(), S("two.wav"));
        QCOMPARE(LineText(1), S("FILE two.wav WAVE"));
        QVERIFY(Frame()->ExecuteCommand(cmd::Save));
        QCOMPARE(LibcueMessages(Path(S("mix.cue"))), QString());
        QFile saved(Path(S("mix.cue")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("TITLE \"Friday Mix\"\r\nFILE two.wav WAVE\r\n  TRACK 01 AUDIO\r\n"
                                              "    INDEX 01 00:00:00\r\n"));
    }
};

QTEST_MAIN(TestSheetRepairs)
#include "TestSheetRepairs.moc"
