#include "app/CQuillApp.h"

#include "app/CAboutDlg.h"
#include "app/CFileAssociation.h"
#include "app/CMainFrame.h"
#include "document/CEditSession.h"
#include "document/CEmbeddedSheet.h"
#include "document/CQuillDoc.h"
#include "embed/CTagSheetStore.h"
#include "res/CommandIds.h"
#include "view/CDialogManners.h"
#include "view/CGuiPrompts.h"
#include "view/CSheetCodec.h"
#include "view/CSheetRepairs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#ifndef TRACKSMITH_DATA_DIR
#define TRACKSMITH_DATA_DIR ""
#endif

CQuillApp::CQuillApp()
    : m_settings(std::make_unique<QSettings>(QStringLiteral("Kestrel"), QStringLiteral("Tracksmith")))
{
    MapCommand(cmd::New, [this](int) { OnFileNew(); });
    MapCommand(cmd::Open, [this](int) { OnFileOpen(); });
    MapCommandRange(cmd::RecentFile1, cmd::RecentFile4, [this](int id) { OnRecentFile(id); },
                    [this](CCmdUI& ui) { ui.Enable(ui.Id() - cmd::RecentFile1 < m_recent.Files().size()); });
    MapCommand(cmd::About, [this](int) { OnAbout(); });
}

CQuillApp::~CQuillApp()
{
    // An opener still running reports to no one; the program it started
    // keeps running.
    for (QProcess* process : findChildren<QProcess*>()) {
        disconnect(process, nullptr, this, nullptr);
        process->kill();
        process->waitForFinished(1000);
    }
    // The frame's view is registered with the document; the frame goes first.
    m_frame.reset();
}

CQuillDoc& CQuillApp::Document()
{
    return m_session->Doc();
}

bool CQuillApp::InitInstance(const QStringList& arguments, bool show, CPrompts* prompts)
{
    CDocument::SetAppName("Tracksmith");
    m_recent.Load(*m_settings);
    // The sheet's text is shown and typed in its character set.
    m_session = std::make_unique<CEditSession>(
        [](const std::string& charset) { return std::make_unique<CSheetCodec>(charset); });
    // FLAC, WavPack and APE files open and save as the sheet in their tag.
    static CTagSheetStore sheetStore;
    IEmbeddedSheetStore::Install(&sheetStore);
    // A sheet opened or saved under a name joins the recent files.
    m_session->Doc().SetPathListener([this](const std::string& path) {
        m_recent.Add(QString::fromStdString(path));
        m_recent.Save(*m_settings);
    });
    if (qApp)
        qApp->installEventFilter(new CDialogManners(this));
    m_prompts = std::make_unique<CGuiPrompts>();
    m_prompts->SetSession(m_session.get());
    m_promptsScope = std::make_unique<CPromptsScope>(prompts ? *prompts : *m_prompts);
    m_frame = std::make_unique<CMainFrame>(*this, *m_session);
    m_prompts->SetOwner(m_frame.get());

    const QString file = FileArgument(arguments);
    bool opened = false;
    if (!file.isEmpty())
        opened = OpenFile(file);
    if (!opened) {
        // A sheet that does not open has been reported; the editor starts
        // with a new sheet rather than closing on the user.
        m_session->Doc().NewDocument();
    }
    if (show) {
        m_frame->show();
        m_frame->repaint();
    }
    // Make the desktop open cue sheets with Tracksmith, unless another
    // program has claimed them.
    (new CFileAssociation(this))->Claim();
    if (HasSetupOption(arguments))
        QTimer::singleShot(0, m_frame.get(), [this] { m_frame->ExecuteCommand(cmd::Welcome); });
    m_frame->UpdateCommandUI();
    return true;
}

void CQuillApp::ExitInstance()
{
    m_recent.Save(*m_settings);
    m_settings->sync();
}

bool CQuillApp::Launch(const QUrl& url, const std::function<void()>& failed)
{
    if (m_launcher)
        return m_launcher(url);
    // The opener runs in the background of a shell, so the browser it
    // starts outlives the editor, and the shell reports the opener's exit
    // status: 127 when it is not installed, non-zero when it finds nothing
    // to open the URL with.
    auto* process = new QProcess(this);
    process->setProgram(QStringLiteral("/bin/sh"));
    process->setArguments({QStringLiteral("-c"), QStringLiteral("\"$0\" \"$1\" </dev/null & wait $!"), m_opener,
                           url.toString(QUrl::FullyEncoded)});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this, [process, failed](int code, QProcess::ExitStatus status) {
        process->deleteLater();
        if ((status != QProcess::NormalExit || code != 0) && failed)
            failed();
    });
    process->start();
    if (!process->waitForStarted()) {
        process->deleteLater();
        return false;
    }
    return true;
}

bool CQuillApp::OpenFile(const QString& path, bool* cancelled)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const bool opened = m_session->Doc().OpenDocumentFile(absolute.toStdString(), cancelled);
    if (opened)
        m_frame->Repairs()->SheetOpened();
    m_frame->UpdateCommandUI();
    return opened;
}

QString CQuillApp::FileArgument(const QStringList& arguments)
{
    QString file;
    for (const QString& arg : arguments) {
        if (arg.startsWith(QLatin1Char('-')))
            continue;
        if (IsSlashOption(arg))
            continue;
        file = arg;
    }
    return file;
}

bool CQuillApp::IsSlashOption(const QString& arg)
{
    // "/setup" style options are one word after the slash. A path of more
    // than one element, one that exists, or a file name with an extension
    // ("/x.cue") is a file, opened or reported like any other.
    if (!arg.startsWith(QLatin1Char('/')) || arg.count(QLatin1Char('/')) != 1 || arg.contains(QLatin1Char('.')))
        return false;
    return !QFileInfo::exists(arg);
}

bool CQuillApp::HasSetupOption(const QStringList& arguments)
{
    return arguments.join(QLatin1Char(' ')).toLower().contains(QLatin1String("/setup"));
}

QString CQuillApp::DataFile(const QString& name)
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    // An installation moved as a whole keeps bin/ and share/ side by side.
    const QString relative = QDir(QCoreApplication::applicationDirPath())
                                 .filePath(QStringLiteral("../share/tracksmith/") + name);
    if (QFileInfo::exists(relative))
        return QDir::cleanPath(relative);
    const QString installed = QDir(QString::fromUtf8(TRACKSMITH_DATA_DIR)).filePath(name);
    if (QFileInfo::exists(installed))
        return installed;
    return beside;
}

void CQuillApp::OnFileNew()
{
    m_session->Doc().NewDocument();
}

void CQuillApp::OnFileOpen()
{
    FileDialogRequest request;
    request.title = "Open";
    if (!m_session->Doc().PathName().empty())
        request.folder = QFileInfo(QString::fromStdString(m_session->Doc().PathName())).absolutePath().toStdString();
    request.filters = CQuillDoc::SheetFilters();
    request.filters.insert(request.filters.begin() + 1, CEmbeddedSheet::OpenFilter());
    const std::optional<std::string> path = CPrompts::Current().AskOpenFile(request);
    if (path)
        OpenFile(QString::fromStdString(*path));
}

void CQuillApp::OnRecentFile(int id)
{
    const qsizetype index = id - cmd::RecentFile1;
    if (index >= m_recent.Files().size())
        return;
    const QString path = m_recent.Files()[index];
    bool cancelled = false;
    if (!OpenFile(path, &cancelled) && !cancelled) {
        m_recent.Remove(path);
        m_recent.Save(*m_settings);
        m_frame->UpdateCommandUI();
    }
}

void CQuillApp::OnAbout()
{
    CAboutDlg dlg(m_frame.get());
    dlg.exec();
}
