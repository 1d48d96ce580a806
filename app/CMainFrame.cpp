#include "app/CMainFrame.h"

#include "app/CQuillApp.h"
#include "app/CToolBarEx.h"
#include "app/CWelcomeDlg.h"
#include "audio/CWaveFile.h"
#include "audio/CWavePlayer.h"
#include "audio/CWavePos.h"
#include "document/CQuillDoc.h"
#include "platform/CPrompts.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "view/CQuillView.h"
#include "view/CTrackCommands.h"
#include "view/CWaveCommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>

namespace {

QString FromView(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QList<QKeySequence> Shortcuts(std::string_view keys)
{
    QList<QKeySequence> list;
    for (const QString& key : FromView(keys).split(QStringLiteral(", "), Qt::SkipEmptyParts))
        list << QKeySequence(key, QKeySequence::PortableText);
    return list;
}

constexpr int kIdleInterval = 250; // ms between idle refreshes of the command states

} // namespace

const char* const CMainFrame::kHomePage = "https://www.example.org/kestrel/tracksmith/";

CMainFrame::CMainFrame(CQuillApp& app, CQuillDoc& doc, QWidget* parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_doc(doc)
    , m_router([this] { return std::vector<CCmdTarget*>{m_view, &m_doc, this, &m_app}; })
{
    SetPlayerFactory([](const std::string& path) { return std::make_unique<CWavePlayer>(path); });
    setWindowIcon(QIcon(QStringLiteral(":/icons/tracksmith.png")));
    setAcceptDrops(true);
    CreateActions();
    m_view = new CQuillView(m_doc, *this, this);
    setCentralWidget(m_view);
    CreateMenus();
    CreateBars();
    RestoreLayout();

    MapCommand(cmd::PlayStop, [this](int) { OnPlayStop(); }, [this](CCmdUI& ui) {
        ui.Enable(m_player != nullptr);
        const bool playing = m_player && m_player->IsPlaying();
        ui.SetText(std::string(playing ? res::kPauseText : res::kPlayText) + std::string(res::kPlayKeyText));
    });
    MapCommand(cmd::GotoPosition, [this](int) { CWaveCommands::GotoPosition(*this, m_lastGoto); },
               [this](CCmdUI& ui) { ui.Enable(m_player != nullptr); });
    for (int id : {cmd::SkipBack1Min, cmd::SkipBack10Secs, cmd::SkipForward10Secs, cmd::SkipForward1Min})
        MapCommand(id, [this](int cmdId) { OnSkip(cmdId); },
                   [this](CCmdUI& ui) { ui.Enable(m_player && m_player->IsOpen()); });
    for (int id : {cmd::ViewToolbar, cmd::ViewWavebar, cmd::ViewStatusBar})
        MapCommand(id, [this](int cmdId) { OnToggleBar(cmdId); }, [this](CCmdUI& ui) {
            ui.SetCheck(!BarOf(ui.Id())->isHidden());
        });
    MapCommand(cmd::ExportTracks, [this](int) { CTrackCommands::ExportTracks(this, m_doc); },
               [this](CCmdUI& ui) { ui.Enable(CTrackCommands::CanRun(m_doc)); });
    MapCommand(cmd::JoinImage, [this](int) { CTrackCommands::JoinImage(this, m_doc); },
               [this](CCmdUI& ui) { ui.Enable(CTrackCommands::CanRun(m_doc)); });
    MapCommand(cmd::Exit, [this](int) { close(); });
    MapCommand(cmd::HelpContents, [this](int) { OnHelp(); });
    MapCommand(cmd::HomePage, [this](int) { OnHomePage(); });
    MapCommand(cmd::Welcome, [this](int) { OnWelcome(); });

    m_doc.AddView(m_view);
    connect(m_view, &CQuillView::CurrentLineChanged, this, &CMainFrame::UpdateCommandUI);
    m_idleTimer.setInterval(kIdleInterval);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        if (isActiveWindow())
            UpdateCommandUI();
    });
    m_idleTimer.start();
    statusBar()->showMessage(FromView(res::kReady));
    UpdateTitle();
}

CMainFrame::~CMainFrame()
{
    m_doc.RemoveView(m_view);
}

void CMainFrame::CreateActions()
{
    for (const CommandInfo& info : res::Commands()) {
        auto* action = new QAction(FromView(info.menuText), this);
        action->setData(info.id);
        action->setShortcuts(Shortcuts(info.keys));
        // Shortcuts belong to the main window: never to a dialog's fields.
        action->setShortcutContext(Qt::WindowShortcut);
        action->setStatusTip(FromView(info.prompt));
        if (!info.tooltip.empty())
            action->setToolTip(FromView(info.tooltip));
        if (!info.icon.empty())
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(FromView(info.icon))));
        if (info.id == cmd::ViewToolbar || info.id == cmd::ViewWavebar || info.id == cmd::ViewStatusBar)
            action->setCheckable(true);
        const int id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        addAction(action); // shortcuts work even while the menu bar is hidden
        m_actions[id] = action;

        if (!info.contextText.empty()) {
            // The context menu names the insert commands in full.
            auto* contextAction = new QAction(FromView(info.contextText), this);
            contextAction->setData(id);
            contextAction->setStatusTip(action->statusTip());
            connect(contextAction, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
            m_contextActions[id] = contextAction;
        }
    }
}

void CMainFrame::CreateMenus()
{
    for (const res::MenuInfo& info : res::MainMenu()) {
        QMenu* menu = menuBar()->addMenu(FromView(info.title));
        for (int id : info.items) {
            if (id == 0)
                menu->addSeparator();
            else if (id == cmd::RecentFile1) {
                for (int r = cmd::RecentFile1; r <= cmd::RecentFile4; ++r)
                    menu->addAction(m_actions.at(r));
            } else
                menu->addAction(m_actions.at(id));
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    }
    m_contextMenu = new QMenu(this);
    for (int id : res::ContextMenu()) {
        if (id == 0)
            m_contextMenu->addSeparator();
        else
            m_contextMenu->addAction(m_contextActions.count(id) ? m_contextActions.at(id) : m_actions.at(id));
    }
    connect(m_contextMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
}

void CMainFrame::CreateBars()
{
    m_toolbar = new CToolBarEx(this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setWindowTitle(QStringLiteral("Toolbar"));
    for (int id : res::MainToolbar()) {
        if (id == 0)
            m_toolbar->AddSeparator();
        else
            m_toolbar->addAction(m_actions.at(id));
    }
    m_toolbar->setIconSize(QSize(16, 16));
    addToolBar(Qt::TopToolBarArea, m_toolbar);

    m_wavebar = new CToolBarEx(this);
    m_wavebar->setObjectName(QStringLiteral("Wavebar"));
    m_wavebar->setWindowTitle(QStringLiteral("Wavebar"));
    for (int id : res::Wavebar()) {
        if (id == 0)
            m_wavebar->AddSeparator();
        else if (id == cmd::WavePosSlot) {
            // The place the position control takes; not a command.
            auto* slot = new QAction(m_wavebar);
            slot->setData(id);
            m_wavebar->addAction(slot);
        }
        else
            m_wavebar->addAction(m_actions.at(id));
    }
    m_wavebar->setIconSize(QSize(16, 16));
    m_wavebar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_wavebar);
    m_wavePos = qobject_cast<CWavePos*>(
        m_wavebar->InsertControl(QStringLiteral("CWavePos"), QRect(-250, -22, 250, 22), cmd::WavePosSlot));
    Q_ASSERT(m_wavePos);
    m_wavePos->InitFonts();
    statusBar();
}

void CMainFrame::RestoreLayout()
{
    const QByteArray state = m_app.Settings().value(QStringLiteral("DockState")).toByteArray();
    if (!state.isEmpty())
        restoreState(state);
}

QAction* CMainFrame::Action(int id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

bool CMainFrame::ExecuteCommand(int id)
{
    const bool ran = m_router.Execute(id);
    UpdateCommandUI();
    return ran;
}

void CMainFrame::UpdateCommandUI()
{
    for (const auto& [id, action] : m_actions) {
        if (id >= cmd::RecentFile1 && id <= cmd::RecentFile4)
            continue;
        const CCmdUI ui = m_router.Query(id);
        action->setEnabled(ui.Enabled());
        if (action->isCheckable())
            action->setChecked(ui.Checked());
        if (ui.Text())
            action->setText(QString::fromStdString(*ui.Text()));
        if (const auto c = m_contextActions.find(id); c != m_contextActions.end())
            c->second->setEnabled(ui.Enabled());
    }
    UpdateRecentFiles();
    UpdateTitle();
}

void CMainFrame::UpdateRecentFiles()
{
    const QStringList& files = m_app.RecentFiles().Files();
    for (int i = 0; i < CRecentFileList::kSize; ++i) {
        QAction* action = m_actions.at(cmd::RecentFile1 + i);
        if (i < files.size()) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(CRecentFileList::DisplayName(files[i])));
            action->setVisible(true);
            action->setEnabled(true);
        } else if (i == 0) {
            // An empty list shows the placeholder, disabled.
            action->setText(QStringLiteral("Recent File"));
            action->setVisible(true);
            action->setEnabled(false);
        } else {
            action->setVisible(false);
        }
    }
}

void CMainFrame::UpdateTitle()
{
    const QString title = QString::fromStdString(m_doc.Title()) + QStringLiteral(" - ")
        + QString::fromUtf8(CQuillApp::kWindowTitle);
    if (windowTitle() != title)
        setWindowTitle(title);
}

void CMainFrame::ShowWave(const std::string& path, const CCueTime& position)
{
    m_wavePos->SetFileName(QString::fromStdString(path));
    m_wavePos->SetPosition(position);
    const std::string name = m_wavePos->GetFileName().toStdString();

    bool wasPlaying = false;
    if (m_player && (name.empty() || name != m_player->Path())) {
        wasPlaying = m_player->IsPlaying();
        m_player.reset();
    }
    if (!m_player && !name.empty() && m_playerFactory && QFileInfo::exists(QString::fromStdString(name))
        && CWaveFile::IsWaveFile(name)) {
        m_player = m_playerFactory(name);
        ReconnectPositionCallback();
    }
    if (m_player) {
        m_player->Open();
        const CCueTime length = m_player->GetLength();
        m_wavePos->SetLength(length);
        m_player->Seek(m_wavePos->GetPosition());
        if (wasPlaying)
            m_player->Play();
    } else {
        m_wavePos->SetFileName(QString());
    }
}

void CMainFrame::ReconnectPositionCallback()
{
    if (m_player)
        m_player->SetPositionListener([this](const CCueTime& position) { m_wavePos->SetPosition(position); });
}

void CMainFrame::OnPlayStop()
{
    if (!m_player)
        return;
    if (m_player->IsPlaying() || m_player->IsPaused())
        m_player->Pause();
    else
        m_player->Play();
}

void CMainFrame::OnSkip(int id)
{
    if (!m_player)
        return;
    const CCueTime position = m_wavePos->GetPosition();
    const std::uint32_t ms = position.Milliseconds();
    const std::uint32_t length = m_wavePos->GetLength().Milliseconds();
    CCueTime target;
    switch (id) {
    case cmd::SkipBack1Min: {
        std::uint32_t m = 0, s = 0, f = 0;
        position.ToMsf(CCueTime::kFramesPerSecond, m, s, f);
        target = m > 1 ? CCueTime::FromMsf(m - 1, s, f) : CCueTime::FromMsf(0, 0, 0);
        break;
    }
    case cmd::SkipBack10Secs:
        target = CCueTime::FromMilliseconds(ms <= 10000 ? 0 : ms - 10000);
        break;
    case cmd::SkipForward10Secs:
        target = CCueTime::FromMilliseconds(ms + 10000 > length ? length : ms + 10000);
        break;
    case cmd::SkipForward1Min:
        target = CCueTime::FromMilliseconds(ms + 60000 > length ? length : ms + 60000);
        break;
    default:
        return;
    }
    m_player->Seek(target);
}

QWidget* CMainFrame::BarOf(int id) const
{
    if (id == cmd::ViewToolbar)
        return m_toolbar;
    if (id == cmd::ViewWavebar)
        return m_wavebar;
    return statusBar();
}

void CMainFrame::OnToggleBar(int id)
{
    QWidget* bar = BarOf(id);
    bar->setVisible(bar->isHidden());
}

void CMainFrame::OnHelp()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral(".html");
    const QString path = CQuillApp::DataFile(name);
    if (!QFileInfo::exists(path) || !m_app.Launch(QUrl::fromLocalFile(path))) {
        ShowMessageBox("Unable to open the help file " + path.toStdString(), "Error", PromptButtons::Ok,
                       PromptIcon::Error, true);
    }
}

void CMainFrame::OnHomePage()
{
    if (!m_app.Launch(QUrl(QString::fromUtf8(kHomePage)))) {
        ShowMessageBox(std::string("Unable to launch default browser.  Please visit Kestrel by pointing your browser to\n")
                           + kHomePage,
                       "Web Error", PromptButtons::Ok, PromptIcon::Error, true);
    }
}

void CMainFrame::OnWelcome()
{
    CWelcomeDlg dlg(this);
    dlg.exec();
    if (dlg.ViewReadme())
        OpenReadme();
}

void CMainFrame::OpenReadme()
{
    const QString path = CQuillApp::DataFile(QStringLiteral("readme.txt"));
    if (!QFileInfo::exists(path) || !m_app.Launch(QUrl::fromLocalFile(path)))
        ShowMessageBox("Unable to launch README.TXT", "Error", PromptButtons::Ok, PromptIcon::Error, true);
}

bool CMainFrame::event(QEvent* event)
{
    // An empty status tip (the mouse left a menu item or button) shows the
    // idle text again.
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        statusBar()->showMessage(FromView(res::kReady));
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_player) {
        m_player->Close();
        m_player.reset();
    }
    m_app.Settings().setValue(QStringLiteral("DockState"), saveState());
    if (!m_doc.SaveModified()) {
        event->ignore();
        return;
    }
    m_app.ExitInstance();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    raise();
    activateWindow();
    m_view->DropFiles(paths);
}
