#include "app/CFileAssociation.h"
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "app/CRecentFileList.h"
#include "app/CToolBarEx.h"
#include "app/CWelcomeDlg.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "model/CCueItem.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CQuillView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const char* const kSheet =
    "REM demo\n"
    "FILE A.WAV WAVE\n"
    "  TRACK 01 AUDIO\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    ISRC ABCDE1234567\n"
    "    INDEX 00 01:00:00\n"
    "    INDEX 01 01:02:00\n"
    "FILE B.WAV WAVE\n"
    "  TRACK 03 AUDIO\n"
    "    INDEX 01 00:00:00\n";

QString S(const char* text) { return QString::fromUtf8(text); }

QStringList L(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* t : texts)
        list << S(t);
    return list;
}

} // namespace

class TestMainFrame final : public WindowTest
{
    Q_OBJECT

private:
    QString WriteSheet(const QString& name, const char* text = kSheet)
    {
        const QString path = m_dir->filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return path;
    }
    CQuillView* View() const { return Frame()->View(); }
    CListingEdit* Listing() const { return View()->Listing(); }
    QString LineText(int line) const { return Listing()->LineText(line); }
    QString Selected() const { return View()->SelectedText(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(Listing(), key, mods); }
    void ClickLine(int line, Qt::MouseButton button = Qt::LeftButton)
    {
        const QRect r = Listing()->LineRect(line);
        QTest::mouseClick(Listing()->viewport(), button, Qt::NoModifier, QPoint(r.left() + 30, r.center().y()));
    }
    bool Enabled(int id)
    {
        Frame()->UpdateCommandUI();
        return Frame()->Action(id)->isEnabled();
    }

private slots:
    void titleOfNewAndOpenedSheets()
    {
        StartApp();
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("Untitled cuesheet - Tracksmith by Larkspur"));
        QVERIFY(m_app->OpenFile(WriteSheet(QStringLiteral("demo.cue"))));
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("demo.cue - Tracksmith by Larkspur"));
    }

    void listingShowsTheDisplayLines()
    {
        StartApp({WriteSheet(QStringLiteral("demo.cue"))});
        QCOMPARE(LineText(0), QStringLiteral("REM demo"));
        QCOMPARE(LineText(1), QStringLiteral("FILE A.WAV WAVE"));
        QCOMPARE(LineText(2), QStringLiteral("     TRACK 01 AUDIO"));
        QCOMPARE(LineText(3), QStringLiteral("              INDEX 01 00:00:00"));
        QCOMPARE(LineText(5), QStringLiteral("              ISRC ABCDE1234567"));
        // One block per item, and the final empty paragraph.
        QCOMPARE(Listing()->RowCount(), m_app->Document().LineCount() + 1);
    }

    void cursorKeysMoveTheItemAndHighlightItsBlock()
    {
        StartApp({WriteSheet(QStringLiteral("demo.cue"))});
        QCOMPARE(View()->CurrentLine(), 0);
        QCOMPARE(Selected(), QStringLiteral("REM demo\n"));
        Key(Qt::Key_Down);
        QCOMPARE(View()->CurrentLine(), 1);
        QCOMPARE(View()->CurrentItem()->Kind(), ItemKind::File);
        // The FILE block: the file line and every line of its tracks.
        QCOMPARE(Selected().count(QLatin1Char('\n')), 7);
        Key(Qt::Key_Down);
        QCOMPARE(View()->CurrentItem()->Kind(), ItemKind::Track);
        QCOMPARE(Selected().count(QLatin1Char('\n')), 2);
        Key(Qt::Key_Down);
        QCOMPARE(View()->CurrentItem()->Kind(), ItemKind::Index);
        QCOMPARE(Selected().count(QLatin1Char('\n')), 1);
        Key(Qt::Key_Up);
        QCOMPARE(View()->CurrentLine(), 2);
        // Shift+Up, Left and Right do nothing.
        Key(Qt::Key_Up, Qt::ShiftModifier);
        Key(Qt::Key_Left);
        Key(Qt::Key_Right);
        QCOMPARE(View()->CurrentLine(), 2);
        QCOMPARE(Selected().count(QLatin1Char('\n')), 2);
        // Ctrl+End lands on the sheet's last line, never on the empty line
        // after it.
        Key(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(View()->CurrentLine(), m_app->Document().LineCount() - 1);
        QVERIFY(View()->CurrentItem() != nullptr);
        QCOMPARE(View()->CurrentItem(), m_app->Document().Line(m_app->Document().LineCount() - 1));
    }

    void clicksMoveTheCursor()
    {
        StartApp({WriteSheet(QStringLiteral("demo.cue"))});
        ClickLine(4);
        QCOMPARE(View()->CurrentLine(), 4);
        QCOMPARE(View()->CurrentItem()->Kind(), ItemKind::Track);
        // Below the last line: no current item, nothing highlighted.
        QTest::mouseClick(Listing()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(40, Listing()->viewport()->height() - 5));
        QCOMPARE(View()->CurrentItem(), nullptr);
        QVERIFY(View()->SelectionIsEmpty());
    }

    void rightClickMovesTheCaretThenOpensTheMenu()
    {
        StartApp({WriteSheet(QStringLiteral("demo.cue"))});
        QTimer::singleShot(200, Frame(), [this] {
            QMenu* menu = Frame()->ContextMenu();
            QVERIFY(menu->isVisible());
            menu->close();
        });
        ClickLine(3, Qt::RightButton);
        QCOMPARE(View()->CurrentLine(), 3);
        QTRY_VERIFY(!Frame()->ContextMenu()->isVisible());
        const QList<QAction*> items = Frame()->ContextMenu()->actions();
        QCOMPARE(items.size(), 20);
        QCOMPARE(items[0]->text(), QStringLiteral("&Edit...\tEnter"));
        QVERIFY(items[1]->isSeparator());
        QCOMPARE(items[7]->text(), QStringLiteral("Insert &File...\tCtrl+F"));
        QCOMPARE(items[15]->text(), QStringLiteral("Insert CD-Te&xt..."));
        QCOMPARE(items[16]->text(), QStringLiteral("Insert Co&mment\tCtrl+M"));
    }

    void menuTexts_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("File") << S("&File")
            << L({"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "", "&Export Tracks...", "&Join Into One Image...", "Em&bed Sheet in Audio File", "", "Find &Missing Audio...", "", "&Disc Information...", "&Verify Rip...", "",
                 "New from Audio &Files...", "&Import Tracklist...", "Export &Tracklist...", "Write &Chapters Into...", "",
                 "Recent File", "", "", "", "", "E&xit"});
        QTest::newRow("Edit") << S("&Edit") << L({"&Edit...\tEnter", "", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V", "&Delete\tDel", "", "&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "", "Convert &Gaps..."});
        QTest::newRow("View") << S("&View") << L({"&Toolbar", "&Wavebar", "&Status Bar", "Wa&veform", "T&racks", "", "&Encoding..."});
        QTest::newRow("Insert") << S("&Insert")
            << L({"&File...\tCtrl+F", "&Track\tCtrl+T", "&Index\tCtrl+I", "P&regap\tCtrl+R", "&Postgap\tCtrl+P",
                           "ISRC N&umber...\tCtrl+U", "F&lags\tCtrl+L", "Catalo&g...\tCtrl+G", "&CD-Text...",
                           "Co&mment\tCtrl+M"});
        QTest::newRow("Wave") << S("&Wave")
            << L({"&Play\tSpace", "", "&Skip back 1 min\tF5", "Skip &back 10 secs\tF6", "S&kip forward 10 secs\tF7", "Skip &forward 1 min\tF8",
                   "", "Zoom &In\tCtrl+=", "Zoom &Out\tCtrl+-", "Zoom &to Fit\tCtrl+0", "S&nap to Silences\tCtrl+Shift+N", "", "&Detect Tracks...",
                   "&Mark Track Start\tM"});
        QTest::newRow("Tools") << S("&Tools") << L({"&Check Sheet"});
        QTest::newRow("Help") << S("&Help") << L({"Contents\tF1", "", "&Kestrel Home Page ...", "", "&About Tracksmith..."});
    }
    void menuTexts()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        StartApp();
        Frame()->UpdateCommandUI();
        QMenu* found = nullptr;
        for (QAction* a : Frame()->menuBar()->actions()) {
            if (a->text() == menu)
                found = a->menu();
        }
        QVERIFY(found);
        QStringList texts;
        for (QAction* a : found->actions())
            texts << (a->isSeparator() ? QString() : a->text());
        QCOMPARE(texts, items);
    }

    void enabledStates_data()
    {
        QTest::addColumn<int>("line"); // -1: an empty sheet
        QTest::addColumn<QList<int>>("enabled");
        QTest::addColumn<QList<int>>("disabled");
        const QList<int> always{cmd::New, cmd::Open, cmd::Save, cmd::SaveAs, cmd::Exit, cmd::ViewToolbar,
                                cmd::ViewWavebar, cmd::ViewStatusBar, cmd::HelpContents, cmd::HomePage, cmd::About};
        const QList<int> noPlayer{cmd::PlayStop, cmd::SkipBack1Min, cmd::SkipBack10Secs, cmd::SkipForward10Secs,
                                  cmd::SkipForward1Min};
        QTest::newRow("empty sheet") << -1 << always << noPlayer;
        QTest::newRow("FILE line") << 1 << always << noPlayer;
        QTest::newRow("INDEX line") << 3 << always << noPlayer;
    }
    void enabledStates()
    {
        QFETCH(int, line);
        QFETCH(QList<int>, enabled);
        QFETCH(QList<int>, disabled);
        if (line < 0) {
            StartApp();
        } else {
            StartApp({WriteSheet(QStringLiteral("demo.cue"))});
            ClickLine(line);
            QCOMPARE(View()->CurrentLine(), line);
        }
        for (int id : enabled)
            QVERIFY2(Enabled(id), qPrintable(QString::number(id)));
        for (int id : disabled)
            QVERIFY2(!Enabled(id), qPrintable(QString::number(id)));
        QCOMPARE(Frame()->Action(cmd::PlayStop)->text(), QStringLiteral("&Play\tSpace"));
    }

    void shortcutsReachTheirCommands()
    {
        StartApp();
        // F1 looks for the help file named after the program: the test
        // binary has none, which is said in a box.
        QTest::keyClick(Listing(), Qt::Key_F1);
        QVERIFY(m_launched.isEmpty());
        QCOMPARE(m_prompts->Messages().size(), 1u);
        QVERIFY(m_prompts->Lines()[0].starts_with("Error: Unable to open the help file "));
        QVERIFY(m_prompts->Lines()[0].ends_with("test_mainframe.html"));
        // A disabled command never runs, even from its key.
        m_launched.clear();
        QTest::keyClick(Listing(), Qt::Key_Space);
        QTest::keyClick(Listing(), Qt::Key_J);
        QVERIFY(m_launched.isEmpty());
        // Ctrl+O asks for a file through the prompts.
        m_prompts->QueueFile(std::nullopt);
        QTest::keyClick(Listing(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(m_prompts->Dialogs().size(), 1u);
        QCOMPARE(m_prompts->Dialogs()[0].filters.at(0).first, std::string("Cue sheets (*.cue)"));
        QCOMPARE(m_prompts->Dialogs()[0].filters.at(1).first, std::string("Audio files with a sheet (*.flac *.wv *.ape)"));
        QCOMPARE(m_prompts->Dialogs()[0].filters.at(2).first, std::string("All Files (*.*)"));
    }

    void recentFilesKeepFourMostRecentFirst()
    {
        StartApp();
        QStringList paths;
        for (int i = 1; i <= 5; ++i) {
            paths << WriteSheet(QStringLiteral("s%1.cue").arg(i));
            QVERIFY(m_app->OpenFile(paths.last()));
        }
        const QStringList expected{paths[4], paths[3], paths[2], paths[1]};
        QCOMPARE(m_app->RecentFiles().Files(), expected);
        Frame()->UpdateCommandUI();
        QVERIFY(Frame()->Action(cmd::RecentFile1)->text().startsWith(QLatin1String("&1 ")));
        // A recent file that no longer opens is dropped from the list.
        QFile::remove(paths[3]);
        QVERIFY(Frame()->ExecuteCommand(cmd::RecentFile2));
        QCOMPARE(m_app->RecentFiles().Files().size(), 3);
        QVERIFY(!m_app->RecentFiles().Files().contains(paths[3]));
    }

    void recentFileDisplayNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short") << S("/music/a.cue") << S("/music/a.cue");
        QTest::newRow("long") << S("/home/user/music/albums/2024/summer/sheet.cue") << S("/home/.../summer/sheet.cue");
        QTest::newRow("long name") << S("/x/averyveryveryverylongsheetname.cue") << S("averyveryveryverylongsheetn...");
    }
    void recentFileDisplayNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        QCOMPARE(CRecentFileList::DisplayName(path), shown);
        QVERIFY(CRecentFileList::DisplayName(path).size() <= CRecentFileList::kDisplayLength);
    }

    void layoutAndRecentFilesSurviveARestart()
    {
        StartApp();
        const QString sheet = WriteSheet(QStringLiteral("keep.cue"));
        QVERIFY(m_app->OpenFile(sheet));
        QVERIFY(Frame()->ExecuteCommand(cmd::ViewWavebar));
        QVERIFY(Frame()->Wavebar()->isHidden());
        StopApp();
        StartApp();
        QVERIFY(Frame()->Wavebar()->isHidden());
        QVERIFY(!Frame()->Toolbar()->isHidden());
        QCOMPARE(m_app->RecentFiles().Files(), QStringList{sheet});
        Frame()->UpdateCommandUI();
        QVERIFY(!Frame()->Action(cmd::ViewWavebar)->isChecked());
        QVERIFY(Frame()->Action(cmd::ViewToolbar)->isChecked());
    }

    void setupOptionShowsWelcomeAfterTheFileOpens_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("uncheck");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<bool>("readme");
        QTest::newRow("OK keeps the box") << S("/setup") << false << false << true;
        QTest::newRow("unchecked and OK") << S("/SETUP") << true << false << false;
        QTest::newRow("unchecked and Escape") << S("/SeTuP") << true << true << true;
        QTest::newRow("inside another word") << S("/setupx") << false << false << true;
    }
    void setupOptionShowsWelcomeAfterTheFileOpens()
    {
        QFETCH(QString, option);
        QFETCH(bool, uncheck);
        QFETCH(bool, escape);
        QFETCH(bool, readme);
        bool sawSheet = false;
        QTimer::singleShot(100, qApp, [&] {
            auto* dlg = qobject_cast<CWelcomeDlg*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            sawSheet = m_app->Document().LineCount() > 0;
            if (uncheck)
                static_cast<QCheckBox*>(dlg->ReadmeBox())->setChecked(false);
            if (escape)
                dlg->reject();
            else
                dlg->accept();
        });
        StartApp({WriteSheet(QStringLiteral("demo.cue")), option});
        QTRY_VERIFY(sawSheet);
        QTRY_COMPARE(m_launched.size() + static_cast<qsizetype>(m_prompts->Messages().size()), qsizetype(readme ? 1 : 0));
        if (readme && m_launched.isEmpty())
            QCOMPARE(m_prompts->Lines().front(), std::string("Error: Unable to launch README.TXT"));
    }

    void droppedCueSheetOpensAndSaveAsJoinsRecentFiles()
    {
        StartApp();
        const QString path = WriteSheet(QStringLiteral("dropped.cue"));
        View()->DropFiles({path});
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("dropped.cue - Tracksmith by Larkspur"));
        QCOMPARE(LineText(1), QStringLiteral("FILE A.WAV WAVE"));
        // Several files are not a sheet to open.
        View()->DropFiles({path, WriteSheet(QStringLiteral("other.cue"))});
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("dropped.cue - Tracksmith by Larkspur"));

        const QString copy = m_dir->filePath(QStringLiteral("copy.cue"));
        m_prompts->QueueFile(copy.toStdString());
        QVERIFY(Frame()->ExecuteCommand(cmd::SaveAs));
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("copy.cue - Tracksmith by Larkspur"));
        QCOMPARE(m_app->RecentFiles().Files().front(), copy);
        QVERIFY(QFile::exists(copy));
    }

    void editCommandsAreUndoable()
    {
        StartApp({WriteSheet(QStringLiteral("demo.cue"))});
        const std::string original = m_app->Document().SheetText();
        ClickLine(2);
        QVERIFY(!Enabled(cmd::Undo));
        QVERIFY(Frame()->ExecuteCommand(cmd::InsertPregap));
        QCOMPARE(LineText(3), S("              PREGAP 00:02:00"));
        QCOMPARE(View()->CurrentLine(), 3);
        QVERIFY(Frame()->ExecuteCommand(cmd::Delete)); // deletes the pregap again
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(LineText(3), S("              PREGAP 00:02:00"));
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(m_app->Document().SheetText(), original);
        QVERIFY(!m_app->Document().IsModified());
        QCOMPARE(View()->CurrentLine(), 2);
        QVERIFY(!Enabled(cmd::Undo));
        QVERIFY(Frame()->ExecuteCommand(cmd::Redo));
        QVERIFY(m_app->Document().IsModified());
        QCOMPARE(LineText(3), S("              PREGAP 00:02:00"));
        // A command that changes nothing leaves no step behind.
        ClickLine(1);
        QVERIFY(!Enabled(cmd::InsertPregap));
        QVERIFY(!Frame()->ExecuteCommand(cmd::InsertPregap));
        // New forgets the history.
        m_prompts->QueueAnswer(PromptAnswer::No);
        QVERIFY(Frame()->ExecuteCommand(cmd::New));
        QVERIFY(!Enabled(cmd::Undo));
        QVERIFY(!Enabled(cmd::Redo));
    }

    void copyThenPasteOnATrackDuplicatesIt()
    {
        StartApp({WriteSheet(QStringLiteral("demo.cue"))});
        ClickLine(4); // TRACK 02 with its ISRC and two indexes
        QVERIFY(Frame()->ExecuteCommand(cmd::Copy));
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 S("     TRACK 02 AUDIO\n              ISRC ABCDE1234567\n              INDEX 00 01:00:00\n"
                   "              INDEX 01 01:02:00\n"));
        QVERIFY(Enabled(cmd::Paste));
        QVERIFY(Frame()->ExecuteCommand(cmd::Paste));
        QCOMPARE(View()->CurrentLine(), 4);
        QCOMPARE(LineText(4), S("     TRACK 02 AUDIO"));
        QCOMPARE(LineText(8), S("     TRACK 03 AUDIO"));
        QCOMPARE(LineText(13), S("     TRACK 04 AUDIO"));
        QVERIFY(m_prompts->Messages().empty());
        // Binary clipboard contents end in the reader's message.
        QGuiApplication::clipboard()->setText(QString::fromLatin1("\x01\x02 nothing"));
        QVERIFY(Frame()->ExecuteCommand(cmd::Paste));
        QCOMPARE(m_prompts->Lines(), std::vector<std::string>{"Error: The contents of the clipboard cannot be inserted here"});
    }

    void insertFileAsksForAFile()
    {
        const QString sheet = WriteSheet(QStringLiteral("demo.cue"));
        StartApp({sheet});
        const QString wave = WriteSheet(S("EXTRA.WAV"), "x");
        m_prompts->QueueFile(wave.toStdString());
        ClickLine(8); // FILE B.WAV
        QVERIFY(Frame()->ExecuteCommand(cmd::InsertFile));
        const FileDialogRequest& request = m_prompts->Dialogs().at(0);
        QCOMPARE(request.title, std::string("Select file to insert"));
        QCOMPARE(request.folder, m_dir->path().toStdString());
        QCOMPARE(request.filters.size(), 3u);
        QCOMPARE(request.filters[0].first, std::string("Wave files (*.wav)"));
        QCOMPARE(request.filters[1].first, std::string("Binary files (*.iso;*.raw)"));
        QCOMPARE(request.filters[2].first, std::string("All files (*.*)"));
        QCOMPARE(View()->CurrentLine(), 8);
        // In the sheet's folder: named relative to the sheet.
        QCOMPARE(LineText(8), S("FILE EXTRA.WAV WAVE"));
        QCOMPARE(LineText(9), S("     TRACK 03 AUDIO"));
        QCOMPARE(LineText(11), S("FILE B.WAV WAVE"));
    }

    void droppedFilesAreAddedInDropOrder()
    {
        StartApp();
        QStringList waves;
        for (const char* name : {"ONE.WAV", "TWO.WAV", "THREE.WAV"})
            waves << WriteSheet(S(name), "not really sound");
        QDir(m_dir->path()).mkdir(S("folder"));
        View()->DropFiles(waves + QStringList{m_dir->filePath(S("folder"))});
        CQuillDoc& doc = m_app->Document();
        QCOMPARE(doc.FileCount(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(QString::fromStdString(doc.File(i)->Name()), waves[i]);
        QCOMPARE(m_prompts->Messages().size(), 1u);
        QVERIFY(m_prompts->Lines()[0].ends_with("was not added: it is a folder."));
        // The whole drop is one step.
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(doc.FileCount(), 0);
    }

    void enterEditsTheLineInItsDialog()
    {
        StartApp({WriteSheet(QStringLiteral("demo.cue"))});
        // OK without changes leaves the sheet alone.
        QTimer::singleShot(200, qApp, [] {
            if (auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dlg->accept();
        });
        Key(Qt::Key_Return);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(!m_app->Document().IsModified());
        QVERIFY(!Enabled(cmd::Undo));

        bool edited = false;
        QTimer::singleShot(200, qApp, [&edited] {
            auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            const QList<QLineEdit*> boxes = dlg->findChildren<QLineEdit*>();
            QVERIFY(!boxes.isEmpty());
            boxes.front()->setText(QStringLiteral("REM changed by the dialog"));
            dlg->accept();
            edited = true;
        });
        Frame()->ExecuteCommand(cmd::Edit);
        QTRY_VERIFY(edited);
        QCOMPARE(LineText(0), S("REM changed by the dialog"));
        QCOMPARE(View()->CurrentLine(), 0);
        QVERIFY(m_app->Document().IsModified());
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(LineText(0), S("REM demo"));
        QVERIFY(!m_app->Document().IsModified());
    }

    void fileTypeClaimOnlyWhenFreeOrOurs()
    {
        QVERIFY(CFileAssociation::MayClaim(QString()));
        QVERIFY(CFileAssociation::MayClaim(QStringLiteral("\n")));
        QVERIFY(CFileAssociation::MayClaim(QStringLiteral("tracksmith.desktop\n")));
        QVERIFY(!CFileAssociation::MayClaim(QStringLiteral("org.kde.kate.desktop\n")));
    }

    void commandLineFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("none") << QStringList{} << QString();
        QTest::newRow("last of two") << L({"a.cue", "b.cue"}) << S("b.cue");
        QTest::newRow("flags skipped") << L({"a.cue", "-style", "/setup"}) << S("a.cue");
        QTest::newRow("absolute path") << L({"/setup", "/music/a.cue"}) << S("/music/a.cue");
    }
    void commandLineFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QCOMPARE(CQuillApp::FileArgument(arguments), file);
    }

    void closeAsksToSaveChanges_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Yes saves") << int(PromptAnswer::Yes) << true << true;
        QTest::newRow("No discards") << int(PromptAnswer::No) << true << false;
        QTest::newRow("Cancel stays") << int(PromptAnswer::Cancel) << false << false;
    }
    void closeAsksToSaveChanges()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        const QString path = WriteSheet(QStringLiteral("edit.cue"));
        StartApp({path});
        m_app->Document().SetModifiedFlag(true);
        m_prompts->QueueAnswer(static_cast<PromptAnswer>(answer));
        QCOMPARE(Frame()->close(), closed);
        QCOMPARE(m_prompts->Lines().back(), "Tracksmith: Save changes to " + path.toStdString() + "?");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // Saving rewrites the sheet with CR LF line ends.
        QCOMPARE(file.readAll().contains("\r\n"), saved);
        if (closed)
            m_app.reset();
    }
};

QTEST_MAIN(TestMainFrame)
#include "TestMainFrame.moc"
