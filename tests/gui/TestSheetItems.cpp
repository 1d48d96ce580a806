// The window with the lines of today's sheets: CD-TEXT lines, lines the
// reader does not know, and tracks that continue into the next file.
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "document/CQuillDoc.h"
#include "model/CCueCdText.h"
#include "model/CCueItem.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CQuillView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const char* const kSheet =
    "PERFORMER \"The Band\"\n"         // 0
    "TITLE \"Album\"\n"                // 1
    "DISCNUMBER 1\n"                   // 2
    "FILE 01.WAV WAVE\n"               // 3
    "  TRACK 01 AUDIO\n"               // 4
    "    TITLE \"One\"\n"              // 5
    "    REPLAYGAIN_TRACK_GAIN -7 dB\n" // 6
    "    INDEX 01 00:00:00\n"          // 7
    "  TRACK 02 AUDIO\n"               // 8
    "    INDEX 00 00:18:00\n"          // 9
    "FILE 02.WAV WAVE\n"               // 10
    "    INDEX 01 00:00:00\n"          // 11
    "  TRACK 03 AUDIO\n"               // 12
    "    INDEX 01 00:17:00\n";         // 13

QString S(const char* text) { return QString::fromUtf8(text); }

} // namespace

class TestSheetItems final : public WindowTest
{
    Q_OBJECT

private:
    void StartWith(const char* text)
    {
        const QString path = m_dir->filePath(QStringLiteral("sheet.cue"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        StartApp({path});
    }
    CQuillView* View() const { return Frame()->View(); }
    CQuillDoc& Doc() const { return m_app->Document(); }
    CListingEdit* Listing() const { return View()->Listing(); }
    QString LineText(int line) const { return Listing()->LineText(line); }
    // The colour and weight the first character of a line's text is drawn in.
    std::pair<QColor, bool> LookAt(int line) const
    {
        const int at = static_cast<int>(LineText(line).indexOf(QRegularExpression(QStringLiteral("\\S"))));
        const CCueRichWriter::Style style = Listing()->StyleAt(line, at);
        return {Listing()->StyleColor(style), CCueRichWriter::kLooks[static_cast<std::size_t>(style)].bold};
    }
    void GoTo(int line)
    {
        QTest::keyClick(Listing(), Qt::Key_Home, Qt::ControlModifier);
        for (int i = 0; i < line; ++i)
            QTest::keyClick(Listing(), Qt::Key_Down);
        QCOMPARE(View()->CurrentLine(), line);
    }
    bool Enabled(int id)
    {
        Frame()->UpdateCommandUI();
        return Frame()->Action(id)->isEnabled();
    }
    std::string Saved() const { return Doc().SheetText(); }

private slots:
    // Each line at its depth; CD-TEXT keywords bold in their own colour,
    // unknown lines grey, the continued INDEX under its FILE.
    void listingShowsTheLinesAtTheirDepth_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("bold");
        const QColor purple(128, 0, 128);
        const QColor grey(128, 128, 128);
        QTest::newRow("disc PERFORMER") << 0 << S("PERFORMER \"The Band\"") << purple << true;
        QTest::newRow("disc unknown") << 2 << S("DISCNUMBER 1") << grey << false;
        QTest::newRow("track TITLE") << 5 << S("              TITLE \"One\"") << purple << true;
        QTest::newRow("track unknown") << 6 << S("              REPLAYGAIN_TRACK_GAIN -7 dB") << grey << false;
        QTest::newRow("continued index") << 11 << S("              INDEX 01 00:00:00") << QColor(0, 0, 128) << true;
        QTest::newRow("track after it") << 12 << S("     TRACK 03 AUDIO") << QColor(128, 0, 0) << true;
    }
    void listingShowsTheLinesAtTheirDepth()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        QFETCH(bool, bold);
        StartWith(kSheet);
        QCOMPARE(m_prompts->Lines().size(), std::size_t(2)); // the two unknown lines
        QCOMPARE(LineText(line), text);
        const auto [shownColour, shownBold] = LookAt(line);
        QCOMPARE(shownColour, colour);
        QCOMPARE(shownBold, bold);
        QCOMPARE(Listing()->RowCount(), Doc().LineCount() + 1);
        QCOMPARE(Saved(), std::string(kSheet));
    }

    // Insert > CD-Text... at disc level on a top-level line, at track level
    // inside a track, greyed on a line in a file outside any track.
    void insertCdTextGoesToTheRightLevel_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("newLine");
        QTest::addColumn<QString>("shown");
        QTest::newRow("on a disc line") << 1 << 1 << S("TITLE \"New title ... double-click to change\"");
        QTest::newRow("on a FILE line") << 10 << 3 << S("TITLE \"New title ... double-click to change\"");
        QTest::newRow("on a TRACK line") << 8 << 9
                                         << S("              TITLE \"New title ... double-click to change\"");
        QTest::newRow("on an INDEX line") << 7 << 7
                                          << S("              TITLE \"New title ... double-click to change\"");
    }
    void insertCdTextGoesToTheRightLevel()
    {
        QFETCH(int, line);
        QFETCH(int, newLine);
        QFETCH(QString, shown);
        StartWith(kSheet);
        GoTo(line);
        QVERIFY(Enabled(cmd::InsertCdText));
        QVERIFY(Frame()->ExecuteCommand(cmd::InsertCdText));
        QCOMPARE(View()->CurrentLine(), newLine);
        QCOMPARE(LineText(newLine), shown);
        QVERIFY(Doc().IsModified());
        // Undo takes it out again.
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(Saved(), std::string(kSheet));
    }

    void contextMenuOffersCdText()
    {
        StartWith(kSheet);
        GoTo(5);
        Frame()->UpdateCommandUI();
        const QList<QAction*> items = Frame()->ContextMenu()->actions();
        bool found = false;
        for (const QAction* a : items)
            found = found || (a->text() == S("Insert CD-Te&xt...") && a->isEnabled());
        QVERIFY(found);
    }

    // Edit opens the CD-Text dialog; what is typed is saved in quotes.
    void editChangesKeywordAndText()
    {
        StartWith(kSheet);
        GoTo(5);
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), S("Edit CD-Text"));
            auto* combo = dialog->findChild<QComboBox*>(S("keywordCombo"));
            combo->setCurrentIndex(combo->findText(S("SONGWRITER")));
            dialog->findChild<QLineEdit*>(S("textEdit"))->setText(S("Some One"));
            dialog->accept();
        });
        QVERIFY(Frame()->ExecuteCommand(cmd::Edit));
        QCOMPARE(LineText(5), S("              SONGWRITER \"Some One\""));
        QCOMPARE(View()->CurrentLine(), 5);
    }

    // An unknown line cannot be edited, only deleted; cut and paste moves
    // CD-TEXT lines like any other; undo brings back what was deleted.
    void copyPasteDeleteAndUndo()
    {
        StartWith(kSheet);
        GoTo(6);
        QVERIFY(!Enabled(cmd::Edit));
        QVERIFY(Enabled(cmd::Delete));
        QVERIFY(Frame()->ExecuteCommand(cmd::Delete));
        QCOMPARE(LineText(6), S("              INDEX 01 00:00:00"));
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(Saved(), std::string(kSheet));

        GoTo(0);
        QVERIFY(Frame()->ExecuteCommand(cmd::Cut));
        QCOMPARE(LineText(0), S("TITLE \"Album\""));
        GoTo(5);
        QVERIFY(Frame()->ExecuteCommand(cmd::Paste));
        QCOMPARE(LineText(5), S("              PERFORMER \"The Band\""));
        QCOMPARE(Doc().Line(5)->Kind(), ItemKind::CdText);
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(Saved(), std::string(kSheet));
    }

    // On the continued INDEX: Insert Track puts the new track after it,
    // and Delete takes the continuation away with its last index.
    void editingAroundAContinuation()
    {
        StartWith(kSheet);
        GoTo(11);
        QVERIFY(!Enabled(cmd::InsertPregap));
        QVERIFY(!Enabled(cmd::InsertIsrc));
        QVERIFY(Frame()->ExecuteCommand(cmd::InsertTrack));
        QCOMPARE(LineText(11), S("              INDEX 01 00:00:00"));
        QCOMPARE(LineText(12), S("     TRACK 03 AUDIO"));
        QCOMPARE(View()->CurrentLine(), 12);
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        GoTo(11);
        QVERIFY(Enabled(cmd::Delete));
        QVERIFY(Frame()->ExecuteCommand(cmd::Delete));
        QCOMPARE(LineText(10), S("FILE 02.WAV WAVE"));
        QCOMPARE(LineText(11), S("     TRACK 03 AUDIO"));
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(Saved(), std::string(kSheet));
    }
};

QTEST_MAIN(TestSheetItems)
#include "TestSheetItems.moc"
