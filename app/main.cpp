#include "app/CQuillApp.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char** argv)
{
    // Without a display there is nothing to show; say so rather than abort
    // inside the platform plugin.
    const bool hasDisplay = qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY")
        || qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    if (!hasDisplay) {
        std::fputs("tracksmith: no display found (set DISPLAY or WAYLAND_DISPLAY)\n", stderr);
        return 1;
    }
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tracksmith"));
    QApplication::setOrganizationName(QStringLiteral("Kestrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tracksmith"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tracksmith.png")));

    CQuillApp app;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!app.InitInstance(arguments))
        return 1;
    return QApplication::exec();
}
