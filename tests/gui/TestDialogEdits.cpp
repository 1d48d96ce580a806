// Random edits through the window's edit dialogs, with hostile text typed
// and pasted into their boxes: from a seeded generator, the test moves to
// lines of a real-looking sheet with keys and clicks, opens the dialog of
// the line (or inserts a line and opens its dialog) and presses OK. A
// dialog that refuses must say why; what it accepts is saved, and every
// save, opened in a fresh document and saved again, gives the same bytes,
// which libcue reads the same way.

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "document/CQuillDoc.h"
#include "model/CCueItem.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CQuillView.h"
#include "PeerRun.h"
#include "WindowTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

std::string DataFile(const QString& name)
{
    const QByteArray root = qgetenv("TS_TEST_DATA");
    return (root.isEmpty() ? std::string("tests/data") : root.toStdString()) + "/dialogs/" + name.toStdString();
}

// Text a user may type or paste into any box of an edit dialog.
const char* const kHostile[] = {
    "Say \"Hi\" again", "\"quoted\"", "x\"y", "\"", "\"\"", "\"a b\"", "AB;CD", "; c", ";", ";CD",
    "a;b c", "  padded  ", "\ttab\tinside\t", "a  b", "INDEX 01 00:00:00", "TITLE \"x\" INDEX 01 00:00:00",
    "REM", "REM x", "ISRC ABCDE1234567", "TRACK 99 AUDIO", "FILE x.wav WAVE", "FLAGS DCP",
    "CATALOG 1234567890123", "PREGAP 00:02:00", "Café crème", "Über Öl", "東京の夜", "🎵 note",
    "back\\slash", "", " ", "US-S1Z-99-00001", "ABCDE1234567", "us-s1z-99-00001", "12AB", "1234567890123",
    "0724384960650", "x", "first\nsecond",
};

// Times, good and bad, for the Time boxes.
const char* const kTimes[] = {
    "300:00:00", "00:99:00", "-1:00:00", "9999:59:74", "10000:00:00", "1:2", "abc", "", "00:00:74",
    "01:02:75", "5", " 00:01:00 ", "01:300:00", "00:00:00", "03:20:10", "12:00:00", "0:0:1",
};

// Commands that insert a line; the test opens the new line's dialog.
const int kInserts[] = {
    cmd::InsertTrack, cmd::InsertIndex, cmd::InsertPregap, cmd::InsertPostgap, cmd::InsertIsrc,
    cmd::InsertFlags, cmd::InsertCatalog, cmd::InsertCdText, cmd::InsertComment,
};

// Dialogs whose OK may move a track or an index; the others leave every
// time libcue reads as it was.
bool MayMoveTimes(const QString& title)
{
    return title == S("Edit Index") || title == S("Edit Pregap") || title == S("Edit Postgap")
        || title == S("Edit Track") || title == S("Edit File");
}

} // namespace

class TestDialogEdits final : public WindowTest
{
    Q_OBJECT

private:
    CQuillView* View() const { return Frame()->View(); }
    CQuillDoc& Doc() const { return m_app->Document(); }
    QWidget* Port() const { return View()->Listing()->viewport(); }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }
    QString HostileText()
    {
        if (Chance(5))
            return QString(3000, QLatin1Char('w')) + S(" long ") + QString(3000, QLatin1Char('z'));
        return S(kHostile[Between(0, static_cast<int>(std::size(kHostile)) - 1)]);
    }
    QString HostileTime() { return S(kTimes[Between(0, static_cast<int>(std::size(kTimes)) - 1)]); }
    bool Enabled(int id)
    {
        Frame()->UpdateCommandUI();
        return Frame()->Action(id)->isEnabled();
    }
    void Log(const QString& step) { m_steps += step + QLatin1Char('\n'); }
    // What a failure message says: the seed and the steps that led to it;
    // the sheets involved go to the log whole.
    QByteArray Failure() const
    {
        return "seed " + QByteArray::number(m_seed) + ", steps:\n" + m_steps.toUtf8();
    }
    static QByteArray Logged(const char* what, const QByteArray& text)
    {
        qInfo("%s:\n%s", what, text.constData());
        return QByteArray(what) + " logged above\n";
    }

    // Moves the caret to a random line: by keys from where it is, or by a
    // click on a line shown in the listing.
    void MoveToRandomLine()
    {
        const int lines = View()->LineCount();
        if (lines == 0)
            return;
        QWidget* listing = View()->Listing();
        switch (Between(0, 3)) {
        case 0: {
            const int target = Between(0, lines - 1);
            int line = View()->CurrentLine();
            while (line != target) {
                QTest::keyClick(listing, line < target ? Qt::Key_Down : Qt::Key_Up);
                line += line < target ? 1 : -1;
            }
            Log(S("key to line %1").arg(target));
            QCOMPARE(View()->CurrentLine(), target);
            break;
        }
        case 1: {
            const Qt::Key keys[] = {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_End};
            const Qt::Key key = keys[Between(0, 3)];
            const bool control = key == Qt::Key_Home || key == Qt::Key_End;
            QTest::keyClick(listing, key, control ? Qt::ControlModifier : Qt::NoModifier);
            Log(S("key %1 to line %2").arg(QKeySequence(key).toString()).arg(View()->CurrentLine()));
            break;
        }
        default: {
            QList<int> shown;
            for (int line = 0; line < lines; ++line) {
                const int y = View()->Listing()->LineRect(line).center().y();
                if (y >= 0 && y < Port()->height())
                    shown << line;
            }
            if (shown.isEmpty())
                return;
            const int line = shown[Between(0, static_cast<int>(shown.size()) - 1)];
            QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(60, View()->Listing()->LineRect(line).center().y()));
            Log(S("click on line %1").arg(line));
            QCOMPARE(View()->CurrentLine(), line);
            break;
        }
        }
    }

    // Types text into a box as a user does: clicks it, selects what it
    // holds and types, or pastes what holds a tab or is long.
    void Type(QLineEdit* edit, const QString& text)
    {
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        } else if (text.size() > 40 || text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\n'))
                   || text.toLatin1() != text.toUtf8()) {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(edit, text);
        }
    }

    // Changes some of a dialog's controls at random.
    void Fill(QDialog& dialog, QString& typed, bool& commentTyped)
    {
        for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
            if (!edit->isVisibleTo(&dialog) || !edit->isEnabled() || edit->isReadOnly() || !Chance(60))
                continue;
            const QString text = edit->objectName() == S("timeEdit") && Chance(85) ? HostileTime() : HostileText();
            Type(edit, text);
            // On to the next box, as a user does; a Time box may refuse
            // its text here, with a message.
            QTest::keyClick(edit, Qt::Key_Tab);
            commentTyped |= edit->objectName() == S("commentEdit");
            typed += S(" %1=[%2]").arg(edit->objectName(), text.size() > 60 ? text.left(20) + S("...") : text);
        }
        for (QComboBox* combo : dialog.findChildren<QComboBox*>()) {
            if (!combo->isVisibleTo(&dialog) || !combo->isEnabled() || combo->count() == 0 || !Chance(30))
                continue;
            combo->setCurrentIndex(Between(0, combo->count() - 1));
            typed += S(" %1=%2").arg(combo->objectName(), combo->currentText());
        }
        for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
            if (!qobject_cast<QCheckBox*>(button) && !qobject_cast<QRadioButton*>(button))
                continue;
            if (!button->isVisibleTo(&dialog) || !button->isEnabled() || !Chance(30))
                continue;
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(4, button->height() / 2));
            typed += S(" %1").arg(button->objectName());
        }
    }

    // Runs a command that opens an edit dialog, fills it and presses OK;
    // a refusal must come with a message, then Cancel closes the dialog.
    // title is the dialog's, empty when no dialog came.
    void EditThroughDialog(int command, QString& title, bool& refused, bool& commentTyped)
    {
        QString typed;
        std::size_t messagesAtOk = 0;
        std::size_t messagesAfterOk = 0;
        refused = false;
        OnModal<QDialog>(
            [&](QDialog* dialog) {
                title = dialog->windowTitle();
                Fill(*dialog, typed, commentTyped);
                auto* buttons = dialog->findChild<QDialogButtonBox*>();
                messagesAtOk = m_prompts->Messages().size();
                QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
                messagesAfterOk = m_prompts->Messages().size();
                if (dialog->isVisible()) {
                    refused = true;
                    QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
                }
            },
            std::chrono::seconds(10));
        const std::string before = Doc().SheetText();
        Frame()->ExecuteCommand(command);
        Log(S("%1:%2%3").arg(title, typed, refused ? S(" -> refused") : QString()));
        if (title.isEmpty())
            return;
        if (refused) {
            QVERIFY2(messagesAfterOk > messagesAtOk, Failure().constData());
            QVERIFY2(Doc().SheetText() == before, Failure().constData());
        } else {
            // "Set index time anyway?" is a question, not a refusal.
            for (std::size_t i = messagesAtOk; i < messagesAfterOk; ++i)
                QVERIFY2(m_prompts->Messages()[i].caption == "Invalid Index Time",
                         (Failure() + m_prompts->Messages()[i].text.c_str()).constData());
        }
    }

    // libcue's view of a sheet: what cueprint and cuebreakpoints print.
    static std::string LibcueView(const QString& path)
    {
        const std::string quoted = PeerRun::Quote(path.toStdString());
        const PeerRun print = PeerRun::Run(".", "cueprint " + quoted);
        const PeerRun breaks = PeerRun::Run(".", "cuebreakpoints " + quoted);
        return "cueprint exit " + std::to_string(print.exitCode) + "\n" + print.out + "cuebreakpoints exit "
            + std::to_string(breaks.exitCode) + "\n" + breaks.out;
    }
    static std::string Breakpoints(const QString& path)
    {
        return PeerRun::Run(".", "cuebreakpoints " + PeerRun::Quote(path.toStdString())).out;
    }

    // Saves with the Save command; the file opens in a fresh document
    // without a message and saves as the same bytes, and libcue reads both
    // alike.
    void CheckSave()
    {
        const QString path = QString::fromStdString(Doc().PathName());
        QVERIFY2(Frame()->ExecuteCommand(cmd::Save), Failure().constData());
        QVERIFY2(!Doc().IsModified(), Failure().constData());
        const QByteArray saved = ReadAll(path);
        const QString again = m_dir->filePath(S("again.cue"));
        {
            CScriptedPrompts prompts;
            CPromptsScope scope(prompts);
            CQuillDoc fresh;
            QVERIFY2(fresh.OnOpenDocument(path.toStdString()), Failure().constData());
            std::string boxes;
            for (const std::string& box : prompts.Lines())
                boxes += box + "\n";
            QVERIFY2(boxes.empty(), (Failure() + "messages on opening the save:\n" + boxes.c_str()).constData());
            QVERIFY2(fresh.OnSaveDocument(again.toStdString()), Failure().constData());
        }
        const QByteArray resaved = ReadAll(again);
        if (resaved != saved) {
            Logged("saved", saved);
            QVERIFY2(resaved == saved, (Failure() + Logged("saved again", resaved)).constData());
        }
        const std::string first = LibcueView(path);
        const std::string second = LibcueView(again);
        if (first != second) {
            Logged("libcue reads the save", QByteArray::fromStdString(first));
            QVERIFY2(first == second, (Failure() + Logged("and the save saved again", QByteArray::fromStdString(second))).constData());
        }
        ++m_saves;
    }

    std::mt19937 m_random;
    unsigned m_seed = 0;
    QString m_steps;
    int m_saves = 0;

private slots:
    // Lines the editor makes at the end of a file's last track, of a
    // sheet's last track and between files, emptied in their dialog.
    void emptiedCommentReadsBack_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<int>("line");
        QTest::newRow("after the first file's track") << S("per-track-rip.cue") << 8;
        QTest::newRow("on the second file's line") << S("per-track-rip.cue") << 9;
        QTest::newRow("after the sheet's last line") << S("per-track-rip.cue") << 32;
        QTest::newRow("after an album's last index") << S("eac-album.cue") << 74;
        QTest::newRow("after the disc's lines") << S("eac-album.cue") << 6;
    }
    void emptiedCommentReadsBack()
    {
        QFETCH(QString, sheet);
        QFETCH(int, line);
        if (!PeerRun::Installed("cueprint") || !PeerRun::Installed("cuebreakpoints"))
            QSKIP("libcue's cueprint and cuebreakpoints are not installed");
        m_steps.clear();
        const QString path = m_dir->filePath(sheet);
        QVERIFY(QFile::copy(QString::fromStdString(DataFile(sheet)), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        StartApp({path});
        QVERIFY(!QTest::currentTestFailed());
        QTest::keyClick(View()->Listing(), Qt::Key_Home, Qt::ControlModifier);
        for (int i = 0; i < line; ++i)
            QTest::keyClick(View()->Listing(), Qt::Key_Down);
        QCOMPARE(View()->CurrentLine(), line);
        QVERIFY(Frame()->ExecuteCommand(cmd::InsertComment));
        Log(S("comment inserted at line %1").arg(View()->CurrentLine()));
        for (const char* text : {"", "  ", "REM", "; c"}) {
            OnModal<QDialog>(
                [&](QDialog* dialog) {
                    auto* edit = dialog->findChild<QLineEdit*>(S("commentEdit"));
                    QVERIFY(edit);
                    Type(edit, S(text));
                    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                                      Qt::LeftButton);
                },
                std::chrono::seconds(10));
            QVERIFY(Frame()->ExecuteCommand(cmd::Edit));
            Log(S("comment set to [%1]").arg(S(text)));
            QCOMPARE(m_prompts->Lines(), std::vector<std::string>{});
            CheckSave();
            if (QTest::currentTestFailed())
                return;
        }
    }

    void everySaveReadsBackAsItself_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<unsigned>("seed");
        // The seed of a failing run can be given in TS_DIALOG_SEED to
        // repeat it.
        const QByteArray chosen = qgetenv("TS_DIALOG_SEED");
        const std::vector<unsigned> seeds =
            chosen.isEmpty() ? std::vector<unsigned>{20261208u, 1603u} : std::vector<unsigned>{chosen.toUInt()};
        for (const char* sheet : {"eac-album.cue", "per-track-rip.cue"}) {
            for (unsigned seed : seeds)
                QTest::addRow("%s, seed %u", sheet, seed) << S(sheet) << seed;
        }
    }
    void everySaveReadsBackAsItself()
    {
        QFETCH(QString, sheet);
        QFETCH(unsigned, seed);
        if (!PeerRun::Installed("cueprint") || !PeerRun::Installed("cuebreakpoints"))
            QSKIP("libcue's cueprint and cuebreakpoints are not installed");
        m_seed = seed;
        m_random.seed(seed);
        m_steps.clear();
        m_saves = 0;
        const QString path = m_dir->filePath(sheet);
        QVERIFY(QFile::copy(QString::fromStdString(DataFile(sheet)), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        StartApp({path});
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(m_prompts->Lines(), std::vector<std::string>{});
        const int kSteps = 25;
        for (int step = 0; step < kSteps; ++step) {
            MoveToRandomLine();
            if (QTest::currentTestFailed())
                return;
            int command = cmd::Edit;
            if (Chance(30)) {
                const int insert = kInserts[Between(0, static_cast<int>(std::size(kInserts)) - 1)];
                if (Enabled(insert)) {
                    const int lines = View()->LineCount();
                    QVERIFY(Frame()->ExecuteCommand(insert));
                    Log(S("insert command %1: %2 lines").arg(insert).arg(View()->LineCount() - lines));
                    if (Doc().IsModified())
                        CheckSave();
                    if (QTest::currentTestFailed())
                        return;
                }
            }
            if (!Enabled(command))
                continue;
            const std::string breakpoints = Breakpoints(path);
            bool refused = false;
            bool commentTyped = false;
            QString title;
            EditThroughDialog(command, title, refused, commentTyped);
            if (QTest::currentTestFailed())
                return;
            QVERIFY2(!title.isEmpty(), Failure().constData());
            if (refused || !Doc().IsModified())
                continue;
            CheckSave();
            if (QTest::currentTestFailed())
                return;
            // Typed text never reads as a track or an index. Other programs
            // read a comment's words as keywords, so only a dialog whose
            // comment was left alone is checked.
            if (!MayMoveTimes(title) && !commentTyped) {
                const std::string after = Breakpoints(path);
                if (after != breakpoints) {
                    Logged("breakpoints before", QByteArray::fromStdString(breakpoints));
                    Logged("breakpoints after", QByteArray::fromStdString(after));
                    QVERIFY2(after == breakpoints, (Failure() + Logged("saved", ReadAll(path))).constData());
                }
            }
        }
        QVERIFY2(m_saves > kSteps / 4, Failure().constData());
    }
};

QTEST_MAIN(TestDialogEdits)
#include "TestDialogEdits.moc"
