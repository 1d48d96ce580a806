#pragma once

#include "app/CRecentFileList.h"
#include "platform/CCmdTarget.h"

#include <QObject>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

class CGuiPrompts;
class CMainFrame;
class CPrompts;
class CPromptsScope;
class CEditSession;
class CQuillDoc;

// The application: settings, the recent files, the one document and its
// frame, the command line, and the New, Open, recent-file and About
// commands.
class CQuillApp final : public QObject, public CCmdTarget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CQuillApp)

public:
    // Opens a URL in the desktop's handler; replaced in tests.
    using Launcher = std::function<bool(const QUrl& url)>;

    static constexpr const char* kWindowTitle = "Tracksmith by Larkspur";

    CQuillApp();
    ~CQuillApp() override;

    // Start-up from the arguments (without the program name): creates the
    // document and the frame, opens the sheet named there, shows the frame
    // and posts the welcome command for "/setup". False when no frame could
    // be made. Message boxes and file dialogs go to prompts when given (tests),
    // else to real dialogs.
    bool InitInstance(const QStringList& arguments, bool show = true, CPrompts* prompts = nullptr);
    // Writes what is kept across runs.
    void ExitInstance();

    QSettings& Settings() { return *m_settings; }
    CRecentFileList& RecentFiles() { return m_recent; }
    CQuillDoc& Document();
    // The edit session of the open sheet, which every view edits through.
    CEditSession& Session() { return *m_session; }
    CMainFrame* Frame() const { return m_frame.get(); }

    void SetLauncher(Launcher launcher) { m_launcher = std::move(launcher); }
    // The program that opens a URL when no launcher is set: the desktop's
    // "xdg-open" unless a test names another.
    void SetOpener(const QString& program) { m_opener = program; }
    // Opens a URL. False when it cannot even start; failed is called when
    // the opener starts but then fails (no browser, no handler), which is
    // only known later.
    bool Launch(const QUrl& url, const std::function<void()>& failed);

    // Opens a sheet as the document, asking to save a modified one first.
    bool OpenFile(const QString& path, bool* cancelled = nullptr);

    // The file named on a command line: the last argument that is not a
    // flag. "-x" is a flag; so is "/x" when no such file exists and the
    // word has no extension.
    static QString FileArgument(const QStringList& arguments);
    static bool IsSlashOption(const QString& arg);
    static bool HasSetupOption(const QStringList& arguments);

    // A file beside the program, else in the data folder of its
    // installation (../share/tracksmith), else in the configured one.
    static QString DataFile(const QString& name);

private:
    void OnFileNew();
    void OnFileOpen();
    void OnRecentFile(int id);
    void OnAbout();

    std::unique_ptr<QSettings> m_settings;
    CRecentFileList m_recent;
    std::unique_ptr<CEditSession> m_session;
    std::unique_ptr<CGuiPrompts> m_prompts;
    std::unique_ptr<CPromptsScope> m_promptsScope;
    std::unique_ptr<CMainFrame> m_frame;
    Launcher m_launcher;
    QString m_opener = QStringLiteral("xdg-open");
};
