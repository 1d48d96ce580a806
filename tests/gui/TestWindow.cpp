// The main window as a user meets it: its size and what it keeps across
// runs, the bars, the dialogs, the help and read-me launches and the
// command line.

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "app/CToolBarEx.h"
#include "app/CWelcomeDlg.h"
#include "player/CWavePos.h"
#include "document/CQuillDoc.h"
#include "WindowTest.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CQuillView.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <functional>
#include <memory>

namespace {

const char* const kSheet =
    "REM demo\n"
    "CATALOG 1234567890123\n"
    "FILE \"A.WAV\" WAVE\n"
    "  TRACK 01 AUDIO\n"
    "    ISRC ABCDE1234567\n"
    "    PREGAP 00:02:00\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    INDEX 01 01:02:00\n";

QString S(const char* text) { return QString::fromUtf8(text); }

} // namespace

class TestWindow final : public WindowTest
{
    Q_OBJECT

private:
    QString m_opener; // the URL opener of the run; empty for a recording one

    QString WriteSheet(const QString& name, const char* text = kSheet)
    {
        const QString path = m_dir->filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        return path;
    }
    // An opener script that exits with the given status.
    QString Opener(int status)
    {
        const QString path = m_dir->filePath(QStringLiteral("opener-%1").arg(status));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QStringLiteral("#!/bin/sh\nexit %1\n").arg(status).toUtf8());
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return path;
    }
    void Configure(CQuillApp& app) override
    {
        if (m_opener.isEmpty())
            WindowTest::Configure(app);
        else
            app.SetOpener(m_opener);
    }
    CQuillView* View() const { return Frame()->View(); }
    CListingEdit* Listing() const { return View()->Listing(); }
    void ClickLine(int line)
    {
        const QRect r = Listing()->LineRect(line);
        QTest::mouseClick(Listing()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(r.left() + 30, r.center().y()));
        QCOMPARE(View()->CurrentLine(), line);
    }
    // Runs what opens a modal dialog and hands the dialog to inspect before
    // it is closed.
    bool WithDialog(const std::function<void()>& open, const std::function<void(QDialog*)>& inspect)
    {
        bool seen = false;
        QTimer poll;
        poll.setInterval(5);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dlg || seen)
                return;
            seen = true;
            inspect(dlg);
            dlg->reject();
        });
        poll.start();
        open();
        return QTest::qWaitFor([&] { return seen && QApplication::activeModalWidget() == nullptr; }, 3000);
    }
    static bool IsMaximizable(QDialog* dlg)
    {
        const Qt::WindowFlags flags = dlg->windowHandle() ? dlg->windowHandle()->flags() : dlg->windowFlags();
        const bool fixed = dlg->minimumSize() == dlg->maximumSize();
        return (flags & Qt::WindowMaximizeButtonHint) || !(flags & Qt::CustomizeWindowHint) || !fixed;
    }
    int LineHeight() const
    {
        return Listing()->RowHeight();
    }

private slots:
    void InitCase() override { m_opener.clear(); }

    // Every text box of every edit dialog opens with its text selected,
    // and no dialog can be maximized.
    void dialogTextsOpenSelected_data()
    {
        QTest::addColumn<int>("line");
        QTest::newRow("comment") << 0;
        QTest::newRow("catalog") << 1;
        QTest::newRow("file") << 2;
        QTest::newRow("track") << 3;
        QTest::newRow("isrc") << 4;
        QTest::newRow("pregap") << 5;
        QTest::newRow("index") << 6;
    }
    void dialogTextsOpenSelected()
    {
        QFETCH(int, line);
        StartApp({WriteSheet(QStringLiteral("demo.cue"))});
        ClickLine(line);
        int boxes = 0;
        QVERIFY(WithDialog([this] { QTest::keyClick(Listing(), Qt::Key_Return); },
                           [&](QDialog* dlg) {
                               for (QLineEdit* box : dlg->findChildren<QLineEdit*>()) {
                                   if (box->isReadOnly() || box->text().isEmpty())
                                       continue;
                                   QCOMPARE(box->selectedText(), box->text());
                                   ++boxes;
                               }
                               // Typing replaces the text of the box with the focus.
                               if (auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
                                   if (!focused->text().isEmpty()) {
                                       QTest::keyClicks(focused, QStringLiteral("9"));
                                       QCOMPARE(focused->text(), QStringLiteral("9"));
                                   }
                               }
                               QVERIFY(!IsMaximizable(dlg));
                           }));
        QVERIFY(boxes >= (line == 3 ? 0 : 1)); // the track dialog has no text box
    }

    void welcomeDialogShowsItsCaptionAndIsNotMaximizable()
    {
        StartApp();
        QVERIFY(WithDialog([this] { Frame()->ExecuteCommand(cmd::Welcome); },
                           [](QDialog* dlg) {
                               QVERIFY(qobject_cast<CWelcomeDlg*>(dlg));
                               QFont bold = dlg->font();
                               bold.setBold(true);
                               const int caption = QFontMetrics(bold).horizontalAdvance(dlg->windowTitle());
                               QVERIFY(dlg->width() >= caption + CWelcomeDlg::kTitleBarExtras);
                               QVERIFY(!IsMaximizable(dlg));
                           }));
    }

    // A first start shows the bars and about 30 lines; size, position and
    // the maximized state come back at the next start.
    void windowOpensAtAUsefulSize()
    {
        StartApp({WriteSheet(QStringLiteral("demo.cue"))});
        const QRect screen = Frame()->screen()->availableGeometry();
        QVERIFY(Frame()->frameGeometry().width() <= screen.width());
        QVERIFY(Frame()->frameGeometry().height() <= screen.height());
        const int lines = Listing()->viewport()->height() / LineHeight();
        // About 30 lines, fewer only on a screen too small for them.
        if (screen.height() >= 700)
            QVERIFY2(lines >= 29 && lines <= 40, qPrintable(QString::number(lines)));
        else
            QVERIFY2(lines >= 15, qPrintable(QString::number(lines)));
        // Both bars show all their buttons, the position control whole.
        for (CToolBarEx* bar : {Frame()->Toolbar(), Frame()->Wavebar()}) {
            for (QToolButton* button : bar->findChildren<QToolButton*>()) {
                if (button->objectName() == QLatin1String("qt_toolbar_ext_button"))
                    QVERIFY(!button->isVisible());
            }
        }
        QCOMPARE(Frame()->PositionControl()->visibleRegion().boundingRect().size(),
                 Frame()->PositionControl()->size());
    }

    void windowGeometryIsKept_data()
    {
        QTest::addColumn<bool>("maximized");
        QTest::newRow("normal") << false;
        QTest::newRow("maximized") << true;
    }
    void windowGeometryIsKept()
    {
        QFETCH(bool, maximized);
        StartApp();
        const QRect chosen(40, 30, 720, 520);
        Frame()->setGeometry(chosen);
        QTRY_COMPARE(Frame()->geometry(), chosen);
        if (maximized) {
            Frame()->showMaximized();
            QTRY_VERIFY(Frame()->isMaximized());
        }
        StopApp();
        StartApp();
        QCOMPARE(Frame()->isMaximized(), maximized);
        if (maximized)
            Frame()->showNormal();
        QTRY_COMPARE(Frame()->geometry(), chosen);
    }

    void statusBarVisibilityIsKept()
    {
        StartApp();
        QVERIFY(!Frame()->statusBar()->isHidden());
        QVERIFY(Frame()->ExecuteCommand(cmd::ViewStatusBar));
        QVERIFY(Frame()->statusBar()->isHidden());
        StopApp();
        StartApp();
        QVERIFY(Frame()->statusBar()->isHidden());
        Frame()->UpdateCommandUI();
        QVERIFY(!Frame()->Action(cmd::ViewStatusBar)->isChecked());
        QVERIFY(Frame()->ExecuteCommand(cmd::ViewStatusBar));
        StopApp();
        StartApp();
        QVERIFY(!Frame()->statusBar()->isHidden());
    }

    // However narrow the window, the position control stays in sight.
    void positionControlNeverHides_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("800") << 800;
        QTest::newRow("600") << 600;
        QTest::newRow("450") << 450;
        QTest::newRow("200") << 200;
    }
    void positionControlNeverHides()
    {
        QFETCH(int, width);
        StartApp();
        Frame()->resize(width, 500);
        QApplication::processEvents();
        QTRY_VERIFY(Frame()->Wavebar()->isVisible());
        CWavePos* pos = Frame()->PositionControl();
        QVERIFY(pos->isVisible());
        const QRect shown = QRect(pos->mapTo(Frame(), QPoint(0, 0)), pos->size());
        QVERIFY(Frame()->rect().contains(shown));
        QCOMPARE(pos->visibleRegion().boundingRect().size(), pos->size());
        for (QToolButton* button : Frame()->Wavebar()->findChildren<QToolButton*>()) {
            if (button->objectName() == QLatin1String("qt_toolbar_ext_button"))
                QVERIFY(!button->isVisible());
        }
        // Every transport button is shown too.
        for (int id : {cmd::SkipBack1Min, cmd::PlayStop, cmd::SkipForward1Min}) {
            QWidget* button = Frame()->Wavebar()->widgetForAction(Frame()->Action(id));
            QVERIFY(button && button->isVisible());
        }
    }

    // The help file and the read-me are found beside the program; an
    // opener that cannot start, or starts and fails, is reported.
    void launchFailuresAreReported_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("opener"); // "ok", "fails", "missing"
        QTest::addColumn<QString>("message"); // empty: none
        const QString help = S("Error: Unable to open the help file ");
        const QString web = S("Web Error: Unable to launch default browser.");
        QTest::newRow("help, opener fails") << int(cmd::HelpContents) << S("fails") << help;
        QTest::newRow("help, no opener") << int(cmd::HelpContents) << S("missing") << help;
        QTest::newRow("home page, opener fails") << int(cmd::HomePage) << S("fails") << web;
        QTest::newRow("home page, no opener") << int(cmd::HomePage) << S("missing") << web;
        QTest::newRow("home page, opener works") << int(cmd::HomePage) << S("ok") << QString();
    }
    void launchFailuresAreReported()
    {
        QFETCH(int, command);
        QFETCH(QString, opener);
        QFETCH(QString, message);
        m_opener = opener == QLatin1String("ok") ? Opener(0)
            : opener == QLatin1String("fails") ? Opener(3)
                                               : m_dir->filePath(QStringLiteral("no-such-opener"));
        StartApp();
        if (command == cmd::HelpContents) {
            // The test program has no help file of its own name; give it one.
            QFile::copy(QFINDTESTDATA("../../res/tracksmith.html"),
                        QCoreApplication::applicationDirPath() + QStringLiteral("/test_window.html"));
        }
        QVERIFY(Frame()->ExecuteCommand(command));
        if (message.isEmpty()) {
            QVERIFY(!QTest::qWaitFor([this] { return !m_prompts->Messages().empty(); }, 300));
        } else {
            QTRY_COMPARE(m_prompts->Messages().size(), std::size_t(1));
            QVERIFY2(QString::fromStdString(m_prompts->Lines().front()).startsWith(message),
                     m_prompts->Lines().front().c_str());
        }
        QFile::remove(QCoreApplication::applicationDirPath() + QStringLiteral("/test_window.html"));
    }

    void readmeOpenerFailureIsReported()
    {
        m_opener = Opener(4);
        StartApp();
        QFile::copy(QFINDTESTDATA("../../res/readme.txt"), QCoreApplication::applicationDirPath() + S("/readme.txt"));
        QVERIFY(WithDialog([this] { Frame()->ExecuteCommand(cmd::Welcome); }, [](QDialog*) {}));
        QTRY_COMPARE(m_prompts->Lines(), std::vector<std::string>{"Error: Unable to launch README.TXT"});
        QFile::remove(QCoreApplication::applicationDirPath() + S("/readme.txt"));
    }

    // A floating bar has its title; a double click on it docks the bar
    // where it was, the close box hides it.
    void floatingBarsShowTitleCloseAndDock_data()
    {
        QTest::addColumn<bool>("wavebar");
        QTest::addColumn<bool>("close");
        QTest::newRow("toolbar, dock") << false << false;
        QTest::newRow("toolbar, close") << false << true;
        QTest::newRow("wavebar, dock") << true << false;
        QTest::newRow("wavebar, close") << true << true;
    }
    void floatingBarsShowTitleCloseAndDock()
    {
        QFETCH(bool, wavebar);
        QFETCH(bool, close);
        StartApp();
        CToolBarEx* bar = wavebar ? Frame()->Wavebar() : Frame()->Toolbar();
        const Qt::ToolBarArea area = wavebar ? Qt::BottomToolBarArea : Qt::TopToolBarArea;
        Frame()->addToolBar(area, bar);
        bar->show();
        QApplication::processEvents();
        // Floated as a drag out of the dock area leaves it.
        bar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        bar->move(Frame()->geometry().bottomRight() + QPoint(20, 20));
        bar->show();
        QVERIFY(QTest::qWaitForWindowExposed(bar));
        QVERIFY(bar->isFloating());
        const QRect title = bar->TitleRect();
        QApplication::processEvents();
        QVERIFY(title.height() >= bar->fontMetrics().height());
        QVERIFY(title.width() >= bar->width() - 1);
        // Its buttons sit below the title.
        for (QToolButton* button : bar->findChildren<QToolButton*>()) {
            if (button->isVisible())
                QVERIFY(button->geometry().top() >= title.bottom());
        }
        // The title's text is drawn: the strip is not one colour.
        const QImage image = bar->grab(title).toImage();
        QVERIFY(image.pixelColor(2, 2) != image.pixelColor(8 + bar->fontMetrics().horizontalAdvance(S("T")) / 2,
                                                           title.height() / 2)
                || image.pixelColor(2, 2) != image.pixelColor(10, title.height() / 2 + 1));
        if (close) {
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->CloseBoxRect().center());
            QVERIFY(bar->isHidden());
            Frame()->UpdateCommandUI();
            QVERIFY(!Frame()->Action(wavebar ? cmd::ViewWavebar : cmd::ViewToolbar)->isChecked());
        } else {
            QTest::mouseDClick(bar, Qt::LeftButton, Qt::NoModifier, title.center() - QPoint(title.width() / 4, 0));
            QTRY_VERIFY(!bar->isFloating());
            QCOMPARE(Frame()->toolBarArea(bar), area);
            QVERIFY(bar->isVisible());
            QVERIFY(bar->TitleRect().isEmpty());
            // Docked, its buttons start at the top again.
            for (QToolButton* button : bar->findChildren<QToolButton*>()) {
                if (button->isVisible())
                    QVERIFY(button->geometry().top() < bar->fontMetrics().height());
            }
        }
    }

    // "/x.cue" names a file: opened when it is there, reported when not;
    // "/setup" stays an option.
    void oneSlashPathsAreFiles_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("one slash") << QStringList{S("/x.cue")} << S("/x.cue");
        QTest::newRow("one slash, then setup") << QStringList{S("/x.cue"), S("/setup")} << S("/x.cue");
        QTest::newRow("setup only") << QStringList{S("/setup")} << QString();
        QTest::newRow("two slashes") << QStringList{S("/music/a.cue")} << S("/music/a.cue");
    }
    void oneSlashPathsAreFiles()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QCOMPARE(CQuillApp::FileArgument(arguments), file);
    }

    void oneSlashPathIsReportedWhenMissing()
    {
        const QString missing = S("/tracksmith-no-such-sheet.cue");
        QVERIFY(!QFile::exists(missing));
        StartApp({missing});
        QCOMPARE(m_prompts->Messages().size(), std::size_t(1));
        QVERIFY2(m_prompts->Lines().front().find("tracksmith-no-such-sheet.cue") != std::string::npos,
                 m_prompts->Lines().front().c_str());
    }

    void writeSilenceHasItsPrompt()
    {
        StartApp();
        QAction* silence = Frame()->Action(cmd::WriteSilence);
        QVERIFY(silence);
        QCOMPARE(silence->statusTip(), S("Make interval in wave file silent"));
        QVERIFY(silence->shortcuts().isEmpty());
        QAction* truncate = Frame()->Action(cmd::Truncate);
        QVERIFY(truncate);
        QVERIFY(truncate->statusTip().isEmpty());
    }
};

QTEST_MAIN(TestWindow)
#include "TestWindow.moc"
