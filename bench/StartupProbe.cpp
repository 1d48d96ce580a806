// The editor's start as `tracksmith SHEET` does it, ending right after the
// first paint of the main window: timed as a whole process by bench/gui.sh.
#include "app/CMainFrame.h"
#include "app/CQuillApp.h"

#include <QApplication>
#include <QIcon>
#include <QPaintEvent>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

// Ends the process at the first paint of the watched window.
class FirstPaint final : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            std::fflush(nullptr);
            _exit(0);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tracksmith.png")));
    FirstPaint probe;
    CQuillApp app;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    // Watch the frame as soon as it exists: InitInstance shows and paints it.
    QTimer::singleShot(0, &qapp, [] {});
    qapp.installEventFilter(&probe);
    if (!app.InitInstance(arguments))
        return 1;
    return QApplication::exec();
}
