#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "document/CQuillDoc.h"
#include "model/CCueCatalog.h"
#include "model/CCueFile.h"
#include "model/CCueItem.h"
#include "model/CCueIsrc.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CGuiPrompts.h"
#include "view/CItemEditor.h"
#include "view/CQuillView.h"
#include "view/CSheetCodec.h"

#include "DialogSheet.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <memory>

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

std::string DataFile(const char* name)
{
    const QByteArray root = qgetenv("TS_TEST_DATA");
    return (root.isEmpty() ? std::string("tests/data") : root.toStdString()) + "/encodings/" + name;
}

QByteArray ReadAll(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Answers the next modal dialog: act runs on it, then OK is pressed; a
// dialog that refuses OK is cancelled, and refused tells so.
class DialogAnswerer
{
public:
    DialogAnswerer(QObject* context, std::function<void(QDialog&)> act)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, context, [this, act] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || qobject_cast<QMessageBox*>(dialog))
                return;
            m_timer.stop();
            title = dialog->windowTitle();
            if (act)
                act(*dialog);
            dialog->accept();
            if (dialog->isVisible()) {
                refused = true;
                dialog->reject();
            }
        });
        m_timer.start();
    }
    QString title;
    bool refused = false;

private:
    QTimer m_timer;
};

} // namespace

class TestSheetText final : public WindowTest
{
    Q_OBJECT

private:
    QString Copy(const char* name)
    {
        const QString path = m_dir->filePath(S(name));
        QFile::copy(QString::fromStdString(DataFile(name)), path);
        return path;
    }
    QString Write(const char* name, const QByteArray& bytes)
    {
        const QString path = m_dir->filePath(S(name));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    CQuillView* View() const { return Frame()->View(); }
    CQuillDoc& Doc() const { return m_app->Document(); }
    QString LineText(int line) const { return View()->Listing()->LineText(line); }
    bool Enabled(int id)
    {
        Frame()->UpdateCommandUI();
        return Frame()->Action(id)->isEnabled();
    }

private slots:
    // A ripped album's unknown lines: one box for the whole read.
    void warningsOfAnOpenShareOneBox()
    {
        StartApp({Write("album.cue", "REM GENRE Rock\nFILE \"01 Intro.wav\" WAVE\nTRACK 01 AUDIO\nSONGWRITERS \"A\"\n"
                                     "INDEX 01 00:00:00\nTRACK 02 AUDIO\nARRANGERS \"B\"\nINDEX 01 01:00:00\n")});
        QCOMPARE(m_prompts->Messages().size(), std::size_t(1));
        const MessageBoxRequest& box = m_prompts->Messages()[0];
        QCOMPARE(box.caption, std::string("Warning"));
        QCOMPARE(box.text, std::string("Warning at Line 4:  Ignoring line\nWarning at Line 7:  Ignoring line\n"));
        QCOMPARE(box.details.size(), std::size_t(2));
        QCOMPARE(LineText(1), S("FILE \"01 Intro.wav\" WAVE"));
    }

    // The real box lists every message under its details.
    void messageBoxShowsTheDetails()
    {
        QWidget owner;
        CGuiPrompts prompts(&owner);
        MessageBoxRequest request;
        request.caption = "Warning";
        request.text = "Warning at Line 2:  Ignoring line\n...and 1 more (Show Details lists them all)\n";
        request.details = {{"Warning", "Warning at Line 2:  Ignoring line\n"},
                           {"Error", "Line 3:  Unknown flag X"}};
        QString details;
        QString title;
        QTimer::singleShot(10, &owner, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            details = box->detailedText();
            box->accept();
        });
        prompts.ShowMessage(request);
        QCOMPARE(title, S("Warning"));
        QCOMPARE(details, S("Warning at Line 2:  Ignoring line\nLine 3:  Unknown flag X"));
    }

    void listingShowsTheSheetsEncoding_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("shown"); // on the first line
        QTest::addColumn<QString>("name");  // the FILE line
        QTest::addColumn<bool>("choosable");
        QTest::newRow("Windows-1251") << S("cp1251.cue") << S("Привет мир, это русский альбом")
                                      << S("FILE \"Песня один.wav\" WAVE") << true;
        QTest::newRow("Windows-1252") << S("cp1252.cue") << S("Café crème brûlée")
                                      << S("FILE \"Café crème.wav\" WAVE") << true;
        QTest::newRow("Shift_JIS") << S("shift-jis.cue") << S("東京の夜の歌") << S("FILE \"東京 夜.wav\" WAVE") << true;
        QTest::newRow("UTF-16") << S("utf16le-bom.cue") << S("Café à l'opéra") << S("FILE \"Café song.wav\" WAVE")
                                << false;
        QTest::newRow("UTF-8 mark") << S("utf8-bom.cue") << S("Café à l'opéra") << S("FILE \"Café song.wav\" WAVE")
                                    << true;
    }
    void listingShowsTheSheetsEncoding()
    {
        QFETCH(QString, file);
        QFETCH(QString, shown);
        QFETCH(QString, name);
        QFETCH(bool, choosable);
        StartApp({Copy(file.toUtf8().constData())});
        QVERIFY2(LineText(0).contains(shown), qPrintable(LineText(0)));
        QCOMPARE(LineText(1), name);
        QCOMPARE(Enabled(cmd::ViewEncoding), choosable);
        QVERIFY(m_prompts->Messages().empty());
    }

    // View > Encoding changes how the bytes show, never the bytes.
    void encodingCommandChangesOnlyTheDisplay()
    {
        const QString path = Copy("cp1251.cue");
        const QByteArray original = ReadAll(path.toStdString());
        StartApp({path});
        QString sample;
        DialogAnswerer answerer(this, [&](QDialog& dialog) {
            auto* list = dialog.findChild<QListWidget*>(S("encodingList"));
            QVERIFY(list);
            QCOMPARE(list->currentItem()->data(Qt::UserRole).toString(), S("WINDOWS-1251"));
            for (int row = 0; row < list->count(); ++row) {
                if (list->item(row)->data(Qt::UserRole).toString() == S("ISO-8859-5"))
                    list->setCurrentRow(row);
            }
            sample = dialog.findChild<QLabel*>(S("previewValue"))->text();
        });
        QVERIFY(Frame()->ExecuteCommand(cmd::ViewEncoding));
        QCOMPARE(answerer.title, S("Encoding"));
        QVERIFY2(sample.contains(S("Я№штхђ")), qPrintable(sample));
        QVERIFY2(LineText(0).contains(S("Я№штхђ")), qPrintable(LineText(0)));
        QCOMPARE(Doc().Encoding().charset, std::string("ISO-8859-5"));
        QVERIFY(!Doc().IsModified());
        QVERIFY(Frame()->ExecuteCommand(cmd::Save));
        QCOMPARE(ReadAll(path.toStdString()), original);
    }

    // Typed text goes into the sheet in its encoding; text the encoding
    // cannot hold is refused.
    void typedTextIsStoredInTheSheetsEncoding()
    {
        const QString path = Copy("cp1251.cue");
        StartApp({path});
        DialogAnswerer answerer(this, [](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(S("commentEdit"))->setText(S("REM Тест"));
        });
        QVERIFY(Frame()->ExecuteCommand(cmd::Edit)); // the comment on line 0
        QCOMPARE(answerer.title, S("Edit Comment"));
        QVERIFY(!answerer.refused);
        QCOMPARE(Doc().Line(0)->Comment(), std::string("REM \xD2\xE5\xF1\xF2"));
        QVERIFY(LineText(0).contains(S("REM Тест")));

        DialogAnswerer refused(this, [](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(S("commentEdit"))->setText(S("REM 東京"));
        });
        m_prompts->Clear();
        QVERIFY(Frame()->ExecuteCommand(cmd::Edit));
        QVERIFY(refused.refused);
        QCOMPARE(m_prompts->Lines(),
                 std::vector<std::string>{
                     "Edit Comment: The comment holds characters that the sheet's encoding, WINDOWS-1251, cannot hold."});
        QCOMPARE(Doc().Line(0)->Comment(), std::string("REM \xD2\xE5\xF1\xF2"));
    }

    void pastedTextIsStoredInTheSheetsEncoding()
    {
        StartApp({Copy("cp1251.cue")});
        QGuiApplication::clipboard()->setText(S("REM Привет\n"));
        QVERIFY(Frame()->ExecuteCommand(cmd::Paste));
        QCOMPARE(Doc().Line(0)->Comment(), std::string("REM \xCF\xF0\xE8\xE2\xE5\xF2"));
        QVERIFY(LineText(0).contains(S("REM Привет")));
        m_prompts->Clear();
        QGuiApplication::clipboard()->setText(S("REM 東京\n"));
        const int lines = Doc().LineCount();
        QVERIFY(Frame()->ExecuteCommand(cmd::Paste));
        QCOMPARE(Doc().LineCount(), lines);
        QCOMPARE(m_prompts->Lines(), std::vector<std::string>{"Paste: The Clipboard holds characters that the sheet's "
                                                              "encoding, WINDOWS-1251, cannot hold."});
    }

    // Files with blanks in their names go in like any other, quoted, by
    // their path from the sheet when they lie beside it.
    void droppedNamesWithBlanks()
    {
        const QString sheet = Write("album.cue", "FILE A.WAV WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n");
        StartApp({sheet});
        QDir(m_dir->path()).mkdir(S("disc 2"));
        const QString wave = Write("disc 2/02 My Song.wav", "x");
        View()->DropFiles({wave});
        QVERIFY(m_prompts->Messages().empty());
        bool found = false;
        for (int line = 0; line < Doc().LineCount(); ++line)
            found |= LineText(line) == S("FILE \"disc 2/02 My Song.wav\" WAVE");
        QVERIFY(found);
        QVERIFY(Frame()->ExecuteCommand(cmd::Save));
        QVERIFY(ReadAll(sheet.toStdString()).contains("FILE \"disc 2/02 My Song.wav\" WAVE\r\n"));
    }

    // Paths that are not files are refused at once: the window opens with
    // the message instead of hanging in the open.
    void specialFileOpensTheWindowWithAMessage()
    {
        const QString fifo = m_dir->filePath(S("pipe.cue"));
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        StartApp({fifo});
        QCOMPARE(m_prompts->Lines(), std::vector<std::string>{"Error: Cannot open \"" + fifo.toStdString()
                                                              + "\": Is a named pipe (FIFO), not a regular file"});
        QCOMPARE(Doc().LineCount(), 0);
    }

    // What Save writes for an empty sheet opens again, without a message.
    void emptyAndBlankFilesOpen_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("blank lines") << QByteArray("\r\n  \r\n") << 2;
    }
    void emptyAndBlankFilesOpen()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, lines);
        const QString path = Write("empty.cue", bytes);
        StartApp({path});
        QVERIFY(m_prompts->Messages().empty());
        QCOMPARE(Doc().LineCount(), lines);
        QVERIFY(Frame()->windowTitle().startsWith(S("empty.cue")));
    }

    // A NUL byte shows a warning and hides nothing after it.
    void nulByteKeepsTheRest()
    {
        StartApp({Write("nul.cue", QByteArray("FILE A.WAV WAVE\nTRACK 01 AUDIO\nINDEX 01 0\0\nTRACK 02 AUDIO\n"
                                              "INDEX 01 01:00:00\n", 76))});
        QCOMPARE(m_prompts->Lines(), std::vector<std::string>{"Warning: Warning at Line 3:  NUL byte read as a blank\n"});
        QCOMPARE(Doc().LineCount(), 5);
        QCOMPARE(LineText(3), S("     TRACK 02 AUDIO"));
    }

    // A message quotes at most 100 characters of a token.
    void longTokensAreCutInMessages()
    {
        QByteArray sheet("FILE A.WAV WAVE\nTRACK 01 AUDIO\nINDEX 01 0\n");
        sheet += QByteArray(5 << 20, 'X') + "\n";
        StartApp({Write("long.cue", sheet)});
        QCOMPARE(m_prompts->Messages().size(), std::size_t(1));
        QVERIFY(m_prompts->Messages()[0].text.size() < 200);
        QCOMPARE(m_prompts->Messages()[0].text, "Warning at Line 4:  Ignoring line\n");
    }

    // A read-only sheet is not saved over: a message, and the file as it was.
    void readOnlySheetIsNotSavedOver()
    {
        const QString path = Write("sheet.cue", "FILE A.WAV WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QByteArray before = ReadAll(path.toStdString());
        StartApp({path});
        QVERIFY(Frame()->ExecuteCommand(cmd::InsertTrack));
        QVERIFY(Doc().IsModified());
        m_prompts->Clear();
        QVERIFY(Frame()->ExecuteCommand(cmd::Save));
        const std::string reason = ::geteuid() == 0 ? "The file is read-only" : "Permission denied";
        QCOMPARE(m_prompts->Lines(),
                 std::vector<std::string>{"Error: Cannot save \"" + path.toStdString() + "\": " + reason});
        QCOMPARE(ReadAll(path.toStdString()), before);
        QVERIFY(Doc().IsModified());
    }

    // In a sheet of another character set a dropped file is named in it,
    // and the name finds the file again.
    void droppedNamesInTheSheetsEncoding()
    {
        const QString sheet = Copy("cp1251.cue");
        StartApp({sheet});
        const QString wave = Write("Песня два.wav", "x");
        View()->DropFiles({wave});
        QVERIFY(m_prompts->Messages().empty());
        const CCueFile* file = Doc().File(0);
        QVERIFY(file);
        QCOMPARE(file->Name(), std::string("\xCF\xE5\xF1\xED\xFF \xE4\xE2\xE0.wav"));
        QCOMPARE(QString::fromStdString(View()->ResolvePath(file->Name())), wave);
        // A name the code page cannot hold is refused.
        const QString other = Write("東京.wav", "x");
        View()->DropFiles({other});
        QCOMPARE(m_prompts->Lines(), std::vector<std::string>{
                     "File not inserted: The file name\n" + other.toStdString()
                     + "\ncannot be written in this cue sheet: the sheet's encoding, WINDOWS-1251, cannot hold its "
                       "characters."});
    }

    // A FILE name far longer than any path is cut where the window quotes
    // it: shaping megabytes of text would stall every move of the cursor.
    void longFileNameIsCutInTheStatusBar()
    {
        const QByteArray name(100000, 'x');
        StartApp({Write("long.cue", "REM x\nFILE \"" + name + ".wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n")});
        QVERIFY(!QTest::currentTestFailed());
        QTest::keyClick(View()->Listing(), Qt::Key_End, Qt::ControlModifier);
        QTRY_VERIFY(Frame()->statusBar()->currentMessage().contains(S("cannot be played")));
        const QString message = Frame()->statusBar()->currentMessage();
        QVERIFY2(message.size() <= 600, qPrintable(QString::number(message.size())));
        QVERIFY(message.startsWith(S("\"") + QString(200, QLatin1Char('x'))));
        QVERIFY(message.contains(QChar(0x2026)));
    }

    // A field whose line would not read back is refused with a message.
    void fieldsThatWouldNotReadBack_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const int file = static_cast<int>(ItemKind::File);
        QTest::newRow("empty file name") << file << S("nameEdit") << S("  ")
                                         << S("Edit File: The file name must not be empty.");
        QTest::newRow("quote and blank") << file << S("nameEdit") << S("12\" mix.wav")
                                         << S("Edit File: The file name\n12\" mix.wav\ncannot be written in a cue "
                                              "sheet: a name with a double quote cannot also hold a blank, a tab "
                                              "or a semicolon.");
        QTest::newRow("empty catalog") << static_cast<int>(ItemKind::Catalog) << S("numberEdit") << QString()
                                       << S("Edit Catalog: The catalog number must not be empty.");
        QTest::newRow("empty ISRC") << static_cast<int>(ItemKind::Isrc) << S("isrcEdit") << QString()
                                    << S("Edit ISRC: The ISRC number must not be empty.");
        // What the track table refuses too: the sheet's other readers
        // take only the ISRC's own form.
        QTest::newRow("ISRC not of its form") << static_cast<int>(ItemKind::Isrc) << S("isrcEdit") << S("xyz")
                                              << S("Edit ISRC: The ISRC number\nxyz\ncannot be written in a cue "
                                                   "sheet: an ISRC is 12 characters: a country code of two letters, "
                                                   "three letters or digits for the registrant, then seven digits "
                                                   "(CCXXXYYNNNNN).");
        // A quoted CD-TEXT value ends at its next double quote.
        QTest::newRow("quote in a quoted title") << static_cast<int>(ItemKind::CdText) << S("textEdit")
                                                 << S("Say \"Hi\" again")
                                                 << S("Edit CD-Text: The text\nSay \"Hi\" again\ncannot be written "
                                                      "in a cue sheet: a double quote (\") would end the text early.");
        // Other programs read a lone double quote as the start of a text
        // that runs on over the next lines.
        QTest::newRow("lone quote in a comment") << static_cast<int>(ItemKind::Isrc) << S("commentEdit")
                                                 << S("12\" single")
                                                 << S("Edit ISRC: The comment\n12\" single\ncannot be written in "
                                                      "a cue sheet: a double quote (\") without its partner makes "
                                                      "other programs read the lines after it as part of the "
                                                      "comment.");
    }
    void fieldsThatWouldNotReadBack()
    {
        QFETCH(int, kind);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        DialogSheet sheet;
        QVERIFY(sheet.Open("CATALOG 1234567890123\nTITLE \"Album\"\nFILE A.WAV WAVE\nTRACK 01 AUDIO\nISRC ABCDE1234567\n"
                           "INDEX 01 00:00:00\n"));
        CCueItem* item = sheet.Find(static_cast<ItemKind>(kind));
        QVERIFY(item);
        const std::string before = sheet.doc.SheetText();
        DialogAnswerer answerer(this, [&](QDialog& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>(field);
            QVERIFY(edit);
            edit->setText(typed);
            edit->setModified(true); // as typing leaves it
        });
        QVERIFY(!CItemEditor::EditItem(nullptr, *item, CItemEditor::WaveLink()));
        QVERIFY(answerer.refused);
        QCOMPARE(sheet.prompts.Lines(), std::vector<std::string>{message.toStdString()});
        QCOMPARE(sheet.doc.SheetText(), before);
        QVERIFY(!sheet.doc.IsModified());
    }

    // A comment read with a lone double quote stays as it is when another
    // box of its dialog is changed.
    void commentAsReadIsKept()
    {
        DialogSheet sheet;
        QVERIFY(sheet.Open("FILE A.WAV WAVE\nTRACK 01 AUDIO\nISRC ABCDE1234567 ; 12\" single\nINDEX 01 00:00:00\n"));
        CCueItem* item = sheet.Find(ItemKind::Isrc);
        QVERIFY(item);
        DialogAnswerer answerer(this, [&](QDialog& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>(S("isrcEdit"));
            QVERIFY(edit);
            edit->selectAll();
            QTest::keyClicks(edit, S("ABCDE7654321"));
        });
        QVERIFY(CItemEditor::EditItem(nullptr, *item, CItemEditor::WaveLink()));
        QVERIFY(!answerer.refused);
        QCOMPARE(sheet.prompts.Lines(), std::vector<std::string>{});
        QCOMPARE(static_cast<const CCueIsrc*>(item)->Code(), std::string("ABCDE7654321"));
        QCOMPARE(item->Comment(), std::string("; 12\" single"));
    }
};

QTEST_MAIN(TestSheetText)
#include "TestSheetText.moc"
