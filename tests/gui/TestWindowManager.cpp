// The window under a real window manager: the test starts its own virtual
// X server and openbox, and stops both at the end. Skipped, with a message,
// when either is not installed.

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "WindowTest.h"
#include "view/CListingEdit.h"
#include "view/CQuillView.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kSkipped = 77; // ctest's SKIP_RETURN_CODE for this test

const char* const kSheet = "REM a comment to edit\nFILE \"A.WAV\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n";

// A child process started by fork and exec, stopped when this goes.
class Child
{
public:
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() { Stop(); }

    // Starts argv; extraFd, when not -1, stays open in the child as fd 3.
    bool Start(const std::vector<std::string>& argv, int extraFd = -1)
    {
        m_pid = fork();
        if (m_pid < 0)
            return false;
        if (m_pid == 0) {
            if (extraFd >= 0 && extraFd != 3)
                dup2(extraFd, 3);
            std::vector<char*> args;
            for (const std::string& a : argv)
                args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
            execvp(args[0], args.data());
            _exit(127);
        }
        return true;
    }
    void Stop()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

private:
    pid_t m_pid = -1;
};

bool Installed(const char* program)
{
    return !QStandardPaths::findExecutable(QString::fromUtf8(program)).isEmpty();
}

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(5000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestWindowManager final : public WindowTest
{
    Q_OBJECT

private:
    QString WriteSheet()
    {
        const QString path = m_dir->filePath(QStringLiteral("sheet.cue"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(kSheet);
        return path;
    }
    void StartApp(const QStringList& arguments = {})
    {
        WindowTest::StartApp(arguments);
        // The window manager places and frames the window in its own time.
        QVERIFY(QTest::qWaitFor([this] { return Frame()->frameGeometry() != Frame()->geometry(); }, 10000));
    }

private slots:
    // The window manager offers no maximize for an edit dialog, and a
    // request to maximize it changes nothing.
    void dialogsCannotBeMaximized()
    {
        StartApp({WriteSheet()});
        QString actions;
        QSize before;
        QSize after;
        QSize screen;
        bool seen = false;
        bool framed = false;
        bool resized = false;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dlg || seen)
                return;
            seen = true;
            // The window manager has taken the dialog once it lists what the
            // user may do with it (its frame may reach Qt later, or not at
            // all under load).
            framed = QTest::qWaitFor(
                [&] {
                    actions = Run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(dlg->winId()),
                                                            QStringLiteral("_NET_WM_ALLOWED_ACTIONS")});
                    return actions.contains(QLatin1String("_NET_WM_ACTION_CLOSE"));
                },
                10000);
            before = dlg->frameGeometry().size();
            screen = dlg->screen()->availableGeometry().size();
            dlg->windowHandle()->setWindowStates(Qt::WindowMaximized);
            // A window manager that obeys makes it as wide or as tall as the
            // screen soon; one that does not leaves it as it is. (Compared
            // with the screen, not with the size before: the frame may still
            // settle by a few pixels after it first appears.)
            const auto maximized = [&] {
                const QSize size = dlg->frameGeometry().size();
                return size.width() >= screen.width() || size.height() >= screen.height();
            };
            resized = QTest::qWaitFor(maximized, 400);
            after = dlg->frameGeometry().size();
            dlg->reject();
        });
        poll.start();
        QTest::keyClick(Frame()->View()->Listing(), Qt::Key_Return);
        QTRY_VERIFY(seen && QApplication::activeModalWidget() == nullptr);
        QVERIFY(framed);
        QVERIFY2(actions.contains(QLatin1String("_NET_WM_ACTION_CLOSE")), qPrintable(actions));
        QVERIFY2(!actions.contains(QLatin1String("MAXIMIZE")), qPrintable(actions));
        // Nor resizing: window managers that ignore the hints of the
        // frame's buttons still do not maximize what cannot be resized.
        QVERIFY2(!actions.contains(QLatin1String("_NET_WM_ACTION_RESIZE")), qPrintable(actions));
        QVERIFY2(!resized, qPrintable(QStringLiteral("%1x%2 on a screen of %3x%4").arg(after.width()).arg(after.height())
                                           .arg(screen.width()).arg(screen.height())));
        QVERIFY(after.width() < screen.width() && after.height() < screen.height());
        QVERIFY(before.isValid());
    }

    // Size, position and the maximized state come back at the next start,
    // framed by a real window manager.
    void geometryComesBack_data()
    {
        QTest::addColumn<bool>("maximized");
        QTest::newRow("normal") << false;
        QTest::newRow("maximized") << true;
    }
    void geometryComesBack()
    {
        QFETCH(bool, maximized);
        StartApp();
        const QRect chosen(120, 90, 760, 560);
        Frame()->setGeometry(chosen);
        QTRY_COMPARE(Frame()->geometry(), chosen);
        if (maximized) {
            Frame()->showMaximized();
            QTRY_VERIFY(Frame()->isMaximized());
        }
        StopApp();
        StartApp();
        QTRY_COMPARE(Frame()->isMaximized(), maximized);
        if (maximized) {
            Frame()->showNormal();
            QTRY_VERIFY(!Frame()->isMaximized());
        }
        QTRY_COMPARE(Frame()->geometry(), chosen);
    }
};

int main(int argc, char** argv)
{
    if (!Installed("Xvfb") || !Installed("openbox") || !Installed("xprop")) {
        std::puts("SKIP: Xvfb, openbox and xprop are needed (scripts/deps.sh installs them)");
        return kSkipped;
    }
    // Xvfb picks a free display and writes its number to fd 3.
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return 1;
    Child server;
    if (!server.Start({"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, pipeFds[1]))
        return 1;
    close(pipeFds[1]);
    std::string number;
    char c = 0;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(pipeFds[0]);
    if (number.empty()) {
        std::puts("FAIL: Xvfb did not start");
        return 1;
    }
    const std::string display = ":" + number;
    setenv("DISPLAY", display.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    Child manager;
    if (!manager.Start({"openbox", "--sm-disable"}))
        return 1;
    // The window manager is up once it names itself on the root window.
    bool up = false;
    for (int i = 0; i < 100 && !up; ++i) {
        if (FILE* xprop = popen("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null", "r")) {
            char line[256] = {};
            up = std::fgets(line, sizeof line, xprop) && std::string(line).find("window id") != std::string::npos;
            pclose(xprop);
        }
        if (!up)
            usleep(50000);
    }
    if (!up) {
        std::puts("FAIL: openbox did not start");
        return 1;
    }
    QStandardPaths::setTestModeEnabled(true);
    int result = 0;
    {
        QApplication app(argc, argv);
        TestWindowManager test;
        result = QTest::qExec(&test, argc, argv);
    }
    manager.Stop();
    server.Stop();
    return result;
}

#include "TestWindowManager.moc"
