// The listing under the mouse and the keys on a long sheet: clicks land on
// the line under the pointer wherever the listing is scrolled, the listing
// never moves by itself, and the user never selects free text.

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "model/CCueItem.h"
#include "model/CCueTrack.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CQuillView.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <functional>
#include <memory>

namespace {

QString DataFile(const char* name)
{
    return qEnvironmentVariable("TS_TEST_DATA") + QStringLiteral("/listing/") + QString::fromUtf8(name);
}

QString S(const char* text) { return QString::fromUtf8(text); }

// How the listing is scrolled before the clicks.
enum class Scroll { None, Bar, Wheel, PageDown, CtrlEnd, Keys };

} // namespace

class TestListing final : public WindowTest
{
    Q_OBJECT

private:
    void Arrange(CMainFrame& frame) override
    {
        // The listing alone below the bars, so that the sweeps see as many
        // rows as a window without the waveform panel shows.
        frame.WaveformDock()->hide();
        frame.resize(700, 560);
    }
    void StartApp(const QStringList& arguments)
    {
        WindowTest::StartApp(arguments);
        QApplication::setActiveWindow(Frame());
        Listing()->setFocus();
    }
    QString CopyOfLongSheet()
    {
        const QString path = m_dir->filePath(QStringLiteral("long.cue"));
        QFile::copy(DataFile("long-sheet.cue"), path);
        return path;
    }
    CQuillView* View() const { return Frame()->View(); }
    CListingEdit* Listing() const { return View()->Listing(); }
    QScrollBar* Bar() const { return Listing()->verticalScrollBar(); }
    QWidget* Port() const { return Listing()->viewport(); }
    QString LineText(int line) const { return Listing()->LineText(line); }
    QString Selected() const { return View()->SelectedText(); }

    // The line Qt shows at a point of the viewport, asked before any click.
    int LineShownAt(QPoint at) const { return std::clamp(Listing()->RowAtY(at.y()), 0, Listing()->RowCount() - 1); }
    // The line's rectangle in viewport coordinates.
    QRect LineRect(int line) const
    {
        return Listing()->LineRect(line);
    }
    // The first line shown whole.
    int FirstShown() const
    {
        int line = 0;
        while (line < Listing()->RowCount() - 1 && LineRect(line).top() < 0)
            ++line;
        return line;
    }
    QPoint PointOn(int line) const { return QPoint(60, LineRect(line).center().y()); }
    // Lines whose middle is inside the viewport.
    QList<int> RowsShown() const
    {
        QList<int> rows;
        for (int line = 0; line < Listing()->RowCount(); ++line) {
            const int y = LineRect(line).center().y();
            if (y >= 0 && y < Port()->height())
                rows << line;
        }
        return rows;
    }
    void Wheel(int notches)
    {
        const QPoint at(60, Port()->height() / 2);
        QWheelEvent wheel(at, Port()->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Port(), &wheel);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(Listing(), key, mods); }
    void ScrollBy(Scroll how, int amount)
    {
        switch (how) {
        case Scroll::None: break;
        case Scroll::Bar: Bar()->setValue(amount); break;
        case Scroll::Wheel: Wheel(amount); break;
        case Scroll::PageDown:
            for (int i = 0; i < amount; ++i)
                Key(Qt::Key_PageDown);
            break;
        case Scroll::CtrlEnd: Key(Qt::Key_End, Qt::ControlModifier); break;
        case Scroll::Keys:
            for (int i = 0; i < amount; ++i)
                Key(Qt::Key_Down);
            break;
        }
    }
    // Runs what opens a modal dialog, hands the dialog to inspect, then
    // closes it (accepted when inspect returns true).
    bool WithDialog(const std::function<void()>& open, const std::function<bool(QDialog*)>& inspect)
    {
        bool seen = false;
        QTimer poll;
        poll.setInterval(5);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dlg || seen)
                return;
            seen = true;
            if (inspect(dlg))
                dlg->accept();
            else
                dlg->reject();
        });
        poll.start();
        open();
        return QTest::qWaitFor([&] { return seen && QApplication::activeModalWidget() == nullptr; }, 3000);
    }
    void CloseMenu()
    {
        QTRY_VERIFY(Frame()->ContextMenu()->isVisible());
        Frame()->ContextMenu()->close();
        QTRY_VERIFY(!Frame()->ContextMenu()->isVisible());
    }

private slots:
    // Every visible row of a 300-line sheet, at every kind of scroll
    // position: a click, a right click and a double click act on the line
    // under the pointer, and the listing does not move.
    void sweepClicksActOnTheLineUnderThePointer_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("amount");
        QTest::newRow("top") << int(Scroll::None) << 0;
        for (int value : {7, 100, 333, 1501, 2999, 4000})
            QTest::newRow(qPrintable(QStringLiteral("bar at %1").arg(value))) << int(Scroll::Bar) << value;
        for (int notches : {1, 2, 5, 17, 40})
            QTest::newRow(qPrintable(QStringLiteral("wheel %1").arg(notches))) << int(Scroll::Wheel) << notches;
        for (int pages : {1, 3, 8})
            QTest::newRow(qPrintable(QStringLiteral("page down %1").arg(pages))) << int(Scroll::PageDown) << pages;
        QTest::newRow("ctrl end") << int(Scroll::CtrlEnd) << 0;
        QTest::newRow("down 60") << int(Scroll::Keys) << 60;
        QTest::newRow("bar at the end") << int(Scroll::Bar) << -1;
    }
    void sweepClicksActOnTheLineUnderThePointer()
    {
        QFETCH(int, how);
        QFETCH(int, amount);
        StartApp({CopyOfLongSheet()});
        QCOMPARE(m_app->Document().LineCount(), 300);
        if (amount < 0)
            amount = Bar()->maximum();
        ScrollBy(static_cast<Scroll>(how), amount);
        if (how != int(Scroll::None))
            QVERIFY(Bar()->value() > 0);
        const int scrolled = Bar()->value();
        const QList<int> rows = RowsShown();
        QVERIFY(rows.size() >= 15);

        for (int line : rows) {
            const QPoint at = PointOn(line);
            const int shown = LineShownAt(at);
            QCOMPARE(shown, line);
            QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, at);
            QCOMPARE(View()->CurrentLine(), line);
            QCOMPARE(Bar()->value(), scrolled);
            // Left does nothing, and does not scroll either.
            Key(Qt::Key_Left);
            QCOMPARE(Bar()->value(), scrolled);
            QCOMPARE(View()->CurrentLine(), line);
        }
        // Right clicks, from the bottom up, so each one moves the caret.
        for (qsizetype i = rows.size() - 1; i >= 0; --i) {
            const int line = rows[i];
            QTest::mouseClick(Port(), Qt::RightButton, Qt::NoModifier, PointOn(line));
            QCOMPARE(View()->CurrentLine(), line);
            CloseMenu();
            QCOMPARE(Bar()->value(), scrolled);
        }
        // Double clicks open the dialog of the line's own item.
        for (qsizetype i = 0; i < rows.size(); i += 4) {
            const int line = rows[i];
            CCueItem* expected = View()->ItemOfLine(line);
            if (!expected)
                continue;
            CCueItem* edited = nullptr;
            QVERIFY(WithDialog([&] { QTest::mouseDClick(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(line)); },
                               [&](QDialog*) {
                                   edited = View()->CurrentItem();
                                   return false;
                               }));
            QCOMPARE(edited, expected);
            QCOMPARE(Bar()->value(), scrolled);
        }
    }

    // Every scroll position, a step of a few pixels apart from the top to
    // the end of the range: each row takes a click, one row in five a right
    // click and one in nine a double click.
    void sweepEveryScrollPosition()
    {
        StartApp({CopyOfLongSheet()});
        const int end = Bar()->maximum();
        QVERIFY(end > 1000);
        int clicks = 0;
        for (int value = 0; value <= end + 40; value += 41) {
            Bar()->setValue(std::min(value, end));
            const int scrolled = Bar()->value();
            const QList<int> rows = RowsShown();
            for (qsizetype i = 0; i < rows.size(); ++i) {
                const int line = rows[i];
                const QPoint at = PointOn(line);
                QCOMPARE(LineShownAt(at), line);
                QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, at);
                QCOMPARE(View()->CurrentLine(), line);
                ++clicks;
                if (i % 5 == 2) {
                    QTest::mouseClick(Port(), Qt::RightButton, Qt::NoModifier, PointOn(rows[i - 1]));
                    QCOMPARE(View()->CurrentLine(), rows[i - 1]);
                    CloseMenu();
                }
                if (i % 9 == 4 && View()->ItemOfLine(rows[i - 2])) {
                    CCueItem* expected = View()->ItemOfLine(rows[i - 2]);
                    CCueItem* edited = nullptr;
                    QVERIFY(WithDialog(
                        [&] { QTest::mouseDClick(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(rows[i - 2])); },
                        [&](QDialog*) {
                            edited = View()->CurrentItem();
                            return false;
                        }));
                    QCOMPARE(edited, expected);
                }
                QCOMPARE(Bar()->value(), scrolled);
            }
        }
        QVERIFY(clicks > 2000);
    }

    // A command from the context menu of a scrolled listing changes the
    // item that was right-clicked.
    void contextMenuCommandActsOnTheClickedLine()
    {
        StartApp({CopyOfLongSheet()});
        Wheel(9);
        const int scrolled = Bar()->value();
        const QList<int> rows = RowsShown();
        int line = -1;
        for (int r : rows) {
            if (r > rows.front() + 3 && LineText(r).contains(S("REM take"))) {
                line = r;
                break;
            }
        }
        QVERIFY(line > 0);
        const QString text = LineText(line);
        QTest::mouseClick(Port(), Qt::RightButton, Qt::NoModifier, PointOn(line));
        QTRY_VERIFY(Frame()->ContextMenu()->isVisible());
        QAction* del = nullptr;
        for (QAction* a : Frame()->ContextMenu()->actions()) {
            if (a->text() == S("&Delete\tDel"))
                del = a;
        }
        QVERIFY(del);
        Frame()->ContextMenu()->close();
        del->trigger();
        QCOMPARE(m_app->Document().LineCount(), 299);
        QCOMPARE(m_app->Document().SheetText().find(text.trimmed().toStdString()), std::string::npos);
        QCOMPARE(Bar()->value(), scrolled);
        QCOMPARE(View()->CurrentLine(), line);
    }

    // After a change the listing stands as it stood; the current line is
    // scrolled into view only when it is not shown whole.
    void changesKeepTheListing_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("row"); // the row of the current line, counted from the first visible line
        QTest::newRow("insert comment") << int(cmd::InsertComment) << 5;
        QTest::newRow("insert track") << int(cmd::InsertTrack) << 6;
        QTest::newRow("delete") << int(cmd::Delete) << 7;
        QTest::newRow("paste") << int(cmd::Paste) << 8;
        QTest::newRow("undo") << int(cmd::Undo) << 9;
        QTest::newRow("redo") << int(cmd::Redo) << 10;
    }
    void changesKeepTheListing()
    {
        QFETCH(int, command);
        QFETCH(int, row);
        StartApp({CopyOfLongSheet()});
        QGuiApplication::clipboard()->setText(S("REM pasted\n"));
        Bar()->setValue(2000);
        const int first = FirstShown();
        QVERIFY(first > 50);
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(first + row));
        QCOMPARE(View()->CurrentLine(), first + row);
        if (command == cmd::Undo || command == cmd::Redo) {
            QVERIFY(Frame()->ExecuteCommand(cmd::InsertComment));
            QCOMPARE(FirstShown(), first);
        }
        if (command == cmd::Redo)
            QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        const int value = Bar()->value();
        QVERIFY(Frame()->ExecuteCommand(command));
        QCOMPARE(FirstShown(), first);
        QCOMPARE(Bar()->value(), value);
        QVERIFY(m_prompts->Messages().empty());
    }

    void newCurrentLineIsScrolledIntoViewWhole()
    {
        StartApp({CopyOfLongSheet()});
        Bar()->setValue(1000);
        const QList<int> rows = RowsShown();
        // The last row may be cut at the bottom edge; take the last whole one.
        int last = rows.back();
        if (LineRect(last).bottom() >= Port()->height())
            last = rows[rows.size() - 2];
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(last));
        QCOMPARE(View()->CurrentLine(), last);
        const int first = FirstShown();
        Key(Qt::Key_Down);
        QCOMPARE(View()->CurrentLine(), last + 1);
        QVERIFY(LineRect(last + 1).bottom() < Port()->height());
        QVERIFY(LineRect(last + 1).top() >= 0);
        // The least scroll that shows it: one or two lines, not a page.
        QVERIFY(FirstShown() > first);
        QVERIFY(FirstShown() <= first + 2);
        // Inserting below the last whole line shows the new line whole.
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(RowsShown().front() + 1));
        const int top = FirstShown();
        QVERIFY(Frame()->ExecuteCommand(cmd::InsertComment));
        QCOMPARE(FirstShown(), top);
    }

    // Opening a long sheet shows its first line, whatever was shown before.
    void openingShowsTheTop()
    {
        StartApp({CopyOfLongSheet()});
        QCOMPARE(Bar()->value(), 0);
        QCOMPARE(FirstShown(), 0);
        QCOMPARE(View()->CurrentLine(), 0);
        Bar()->setValue(1500);
        const QString other = m_dir->filePath(QStringLiteral("other.cue"));
        QFile::copy(DataFile("long-sheet.cue"), other);
        QVERIFY(m_app->OpenFile(other));
        QCOMPARE(Bar()->value(), 0);
        QCOMPARE(FirstShown(), 0);
        // The first FILE's block is highlighted, not scrolled to.
        Key(Qt::Key_Down);
        QCOMPARE(View()->CurrentItem()->Kind(), ItemKind::File);
        QCOMPARE(Bar()->value(), 0);
    }

    // The highlight is always the current item's block.
    void noFreeTextSelection_data()
    {
        QTest::addColumn<int>("gesture");
        QTest::newRow("drag down") << 0;
        QTest::newRow("drag up") << 1;
        QTest::newRow("ctrl+a") << 2;
        QTest::newRow("shift+click") << 3;
        QTest::newRow("shift+down") << 4;
        QTest::newRow("ctrl+shift+end") << 5;
    }
    void noFreeTextSelection()
    {
        QFETCH(int, gesture);
        StartApp({CopyOfLongSheet()});
        Bar()->setValue(600);
        const int first = FirstShown();
        const int press = first + 4; // a TRACK line or one of its children
        const int other = first + 11;
        switch (gesture) {
        case 0:
        case 1: {
            const int from = gesture == 0 ? press : other;
            const int to = gesture == 0 ? other : press;
            QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(from));
            for (int y = PointOn(from).y(); y != PointOn(to).y(); y += (to > from ? 3 : -3)) {
                QMouseEvent move(QEvent::MouseMove, QPointF(60, y), Port()->mapToGlobal(QPointF(60, y)),
                                 Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(Port(), &move);
                if (std::abs(y - PointOn(to).y()) < 3)
                    break;
            }
            QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(to));
            QCOMPARE(View()->CurrentLine(), from);
            break;
        }
        case 2:
            QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(press));
            Key(Qt::Key_A, Qt::ControlModifier);
            QCOMPARE(View()->CurrentLine(), press);
            break;
        case 3:
            QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(press));
            QTest::mouseClick(Port(), Qt::LeftButton, Qt::ShiftModifier, PointOn(other));
            QCOMPARE(View()->CurrentLine(), other);
            break;
        case 4:
            QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(press));
            Key(Qt::Key_Down, Qt::ShiftModifier);
            QCOMPARE(View()->CurrentLine(), press);
            break;
        case 5:
            QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(press));
            Key(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(View()->CurrentLine(), press);
            break;
        }
        // What is selected is exactly the current item's block.
        const int line = View()->CurrentLine();
        const CCueItem* item = View()->CurrentItem();
        QVERIFY(item);
        int end = line + 1;
        while (end < View()->LineCount()
               && ((item->Kind() == ItemKind::Track && View()->ItemOfLine(end)->OwningTrack() == item)
                   || (item->Kind() == ItemKind::File && View()->ItemOfLine(end)->OwningFile() == item)))
            ++end;
        QString block;
        for (int i = line; i < end; ++i)
            block += LineText(i) + QLatin1Char('\n');
        QCOMPARE(Selected(), block);
        QCOMPARE(FirstShown(), first);
    }

    // However it is opened, the menu is the view's own, at the current line.
    void contextMenuIsTheViewsOwn_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("right click") << 0;
        QTest::newRow("menu key") << 1;
        QTest::newRow("shift+f10") << 2;
        QTest::newRow("context menu event") << 3;
    }
    void contextMenuIsTheViewsOwn()
    {
        QFETCH(int, way);
        StartApp({CopyOfLongSheet()});
        Wheel(4);
        const int line = FirstShown() + 3;
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(line));
        switch (way) {
        case 0: QTest::mouseClick(Port(), Qt::RightButton, Qt::NoModifier, PointOn(line)); break;
        case 1: Key(Qt::Key_Menu); break;
        case 2: Key(Qt::Key_F10, Qt::ShiftModifier); break;
        case 3: {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5), Listing()->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(Listing(), &event);
            break;
        }
        }
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QCOMPARE(QApplication::activePopupWidget(), Frame()->ContextMenu());
        QCOMPARE(View()->CurrentLine(), line);
        Frame()->ContextMenu()->close();
        // No other menu (the text control's own) was made.
        QCOMPARE(Listing()->findChildren<QMenu*>().size(), 0);
    }

    // The text keeps 10 pixels from the top and the right edge, scrolled
    // or not.
    void marginIsKept_data()
    {
        QTest::addColumn<int>("scroll");
        QTest::newRow("top") << 0;
        QTest::newRow("scrolled") << 777;
        QTest::newRow("end") << 100000;
    }
    void marginIsKept()
    {
        QFETCH(int, scroll);
        StartApp({CopyOfLongSheet()});
        // A long line makes the listing scroll sideways too.
        QGuiApplication::clipboard()->setText(S("REM ") + QString(300, QLatin1Char('x')) + QLatin1Char('\n'));
        QVERIFY(Frame()->ExecuteCommand(cmd::Paste));
        Bar()->setValue(scroll);
        Listing()->horizontalScrollBar()->setValue(Listing()->horizontalScrollBar()->maximum());
        QApplication::processEvents();
        const QImage image = Listing()->grab().toImage();
        const QColor base = Listing()->palette().color(QPalette::Base);
        const QRect inner = Listing()->contentsRect(); // inside the frame
        const QRect port = Port()->geometry();
        QCOMPARE(port.top() - inner.top(), 10);
        QCOMPARE(port.left() - inner.left(), 10);
        const int rightEdge = Listing()->verticalScrollBar()->isVisible()
            ? Listing()->verticalScrollBar()->mapTo(Listing(), QPoint(0, 0)).x()
            : inner.right() + 1;
        QCOMPARE(rightEdge - (port.right() + 1), 10);
        // The bands hold nothing but the background.
        for (int y = inner.top(); y < port.top(); ++y) {
            for (int x = inner.left(); x < rightEdge; ++x)
                QCOMPARE(image.pixelColor(x, y), base);
        }
        for (int y = port.top(); y <= port.bottom(); ++y) {
            for (int x = port.right() + 1; x < rightEdge; ++x)
                QCOMPARE(image.pixelColor(x, y), base);
        }
        // The first visible line starts right below the top band.
        // (At the end of the range the last line ends at the bottom band.)
        if (Bar()->value() < Bar()->maximum())
            QCOMPARE(LineRect(FirstShown()).top(), 0);
        else
            QCOMPARE(LineRect(View()->LineCount()).bottom(), Port()->height() - 1);
    }

    // Edit, with and without a change, leaves the edited line on its row,
    // also after the wheel scrolled the listing.
    void editKeepsTheListing_data()
    {
        QTest::addColumn<int>("notches");
        QTest::addColumn<bool>("change");
        QTest::newRow("unscrolled, no change") << 0 << false;
        QTest::newRow("unscrolled, change") << 0 << true;
        QTest::newRow("wheel, no change") << 7 << false;
        QTest::newRow("wheel, change") << 7 << true;
        QTest::newRow("wheel far, change") << 31 << true;
    }
    void editKeepsTheListing()
    {
        QFETCH(int, notches);
        QFETCH(bool, change);
        StartApp({CopyOfLongSheet()});
        Wheel(notches);
        const QList<int> rows = RowsShown();
        int line = -1;
        for (int r : rows) {
            if (r > rows.front() + 5 && LineText(r).contains(S("REM take"))) {
                line = r;
                break;
            }
        }
        QVERIFY(line > 0);
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(line));
        const int value = Bar()->value();
        const int y = LineRect(line).top();
        QVERIFY(WithDialog([&] { Key(Qt::Key_Return); },
                           [&](QDialog* dlg) {
                               if (change)
                                   dlg->findChildren<QLineEdit*>().front()->setText(S("REM edited"));
                               return true;
                           }));
        QCOMPARE(m_app->Document().IsModified(), change);
        QCOMPARE(View()->CurrentLine(), line);
        QCOMPARE(LineText(line).trimmed(), change ? S("REM edited") : LineText(line).trimmed());
        QCOMPARE(Bar()->value(), value);
        QCOMPARE(LineRect(line).top(), y);
    }

    // An edit on a line clicked deep in the scrolled listing, which
    // renumbers the tracks of the files after it: undone, the sheet saves
    // the bytes it saved before the edit; redone and saved, cueprint reads
    // the tracks the edit made.
    void undoOfARenumberingEditGivesBackTheBytes_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("tracks"); // change of the number of tracks
        QTest::newRow("track inserted in the first file") << int(cmd::InsertTrack) << 62 << 1;
        QTest::newRow("track deleted in the first file") << int(cmd::Delete) << 62 << -1;
        QTest::newRow("file pasted into the second file") << int(cmd::Paste) << 150 << 2;
        QTest::newRow("comment inserted in the last file") << int(cmd::InsertComment) << 280 << 0;
    }
    void undoOfARenumberingEditGivesBackTheBytes()
    {
        QFETCH(int, command);
        QFETCH(int, line);
        QFETCH(int, tracks);
        const QString path = CopyOfLongSheet();
        StartApp({path});
        // What Save writes of the sheet as read.
        const QByteArray original = QByteArray::fromStdString(m_app->Document().SaveBytes());
        QGuiApplication::clipboard()->setText(
            S("FILE \"BONUS.WAV\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
              "  TRACK 02 AUDIO\n    INDEX 01 00:30:00\n"));
        // The bar dragged down until the line is in sight.
        for (int value = 0; value <= Bar()->maximum() && !RowsShown().contains(line); value += Bar()->singleStep())
            Bar()->setValue(value);
        QVERIFY(RowsShown().contains(line));
        QVERIFY(FirstShown() > 0 || line < 20);
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, PointOn(line));
        QCOMPARE(View()->CurrentLine(), line);
        const auto savedTracks = [&path]() -> QString {
            QProcess cueprint;
            cueprint.start(S("cueprint"), {S("-d"), S("%N\n"), S("-t"), S(""), path});
            if (!cueprint.waitForFinished(60000) || cueprint.exitCode() != 0)
                return S("cueprint failed");
            return QString::fromUtf8(cueprint.readAllStandardOutput()).trimmed();
        };
        const int before = savedTracks().toInt();
        QVERIFY(before > 0);

        QVERIFY(Frame()->ExecuteCommand(command));
        const std::string edited = m_app->Document().SheetText();
        QVERIFY(QByteArray::fromStdString(m_app->Document().SaveBytes()) != original);
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QCOMPARE(QByteArray::fromStdString(m_app->Document().SaveBytes()), original);
        QVERIFY(!m_app->Document().IsModified());
        QVERIFY(Frame()->ExecuteCommand(cmd::Redo));
        QCOMPARE(m_app->Document().SheetText(), edited);
        QVERIFY(Frame()->ExecuteCommand(cmd::Save));
        QVERIFY(!m_app->Document().IsModified());
        QCOMPARE(savedTracks(), QString::number(before + tracks));
        // Undone after the save, the file saved again is the one read.
        QVERIFY(Frame()->ExecuteCommand(cmd::Undo));
        QVERIFY(Frame()->ExecuteCommand(cmd::Save));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), original);
        QVERIFY(m_prompts->Messages().empty());
    }
};

QTEST_MAIN(TestListing)
#include "TestListing.moc"
