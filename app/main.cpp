#include "app/CQuillApp.h"
#include "app/CTranslations.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLocale>

#include <cstdio>
#include <cstring>

#include "res/Version.h"

namespace {

// --help and --version answer on standard output and end the program
// before any window or display is needed. -1 when neither is given.
int AnswerInfoOption(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tracksmith %s\n", res::kVersion);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs("Usage: tracksmith [SHEET.cue] [/setup]\n"
                       "\n"
                       "Opens the cue sheet in the Tracksmith editor, or starts with a new, empty sheet.\n"
                       "\n"
                       "  SHEET.cue   the cue sheet to open\n"
                       "  /setup      show the welcome window after start-up\n"
                       "  --help      show this help and exit\n"
                       "  --version   show the version and exit\n"
                       "\n"
                       "Qt's own options, such as -platform and -style, also apply.\n"
                       "Exit codes: 0 when the editor closes normally, 1 when it cannot start.\n"
                       "The command-line front end is tracksmith-cli; run \"tracksmith-cli --help\".\n",
                       stdout);
            return 0;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (const int answered = AnswerInfoOption(argc, argv); answered >= 0)
        return answered;
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
    // The menus, dialogs, messages and help file follow the desktop's language.
    CTranslations translations(&qapp);
    translations.Install(QLocale::system());

    CQuillApp app;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!app.InitInstance(arguments))
        return 1;
    return QApplication::exec();
}
