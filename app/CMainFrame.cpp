#include "app/CMainFrame.h"

#include "app/CQuillApp.h"
#include "app/CTranslations.h"
#include "app/CToolBarEx.h"
#include "app/CWelcomeDlg.h"
#include "audio/CWaveFile.h"
#include "player/CWavePlayer.h"
#include "player/CWavePos.h"
#include "document/CEditSession.h"
#include "document/CEmbeddedSheet.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "platform/CPrompts.h"
#include "platform/FileUtil.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "view/CAlbumCommands.h"
#include "view/CMessageText.h"
#include "view/CQuillView.h"
#include "view/CSheetRepairs.h"
#include "view/CThemedIcon.h"
#include "view/CTrackCommands.h"
#include "view/CDiscInfoDlg.h"
#include "view/CVerifyDlg.h"
#include "view/CWaveCommands.h"
#include "view/CWaveformPanel.h"
#include "view/CWaveformView.h"
#include "view/DialogText.h"
#include "view/CListeningMarks.h"
#include "view/CTrackTablePanel.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QFileInfo>
#include <QIcon>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
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
constexpr int kDefaultLines = 30;  // listing lines a first start shows

} // namespace

const char* const CMainFrame::kHomePage = "https://www.example.org/kestrel/tracksmith/";

CMainFrame::CMainFrame(CQuillApp& app, CEditSession& session, QWidget* parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_session(session)
    , m_doc(session.Doc())
    , m_router([this] { return std::vector<CCmdTarget*>{m_view, m_repairs, &m_doc, this, &m_app}; })
{
    SetPlayerFactory([](const std::string& path) { return std::make_unique<CWavePlayer>(path); });
    setWindowIcon(QIcon(QStringLiteral(":/icons/tracksmith.png")));
    setAcceptDrops(true);
    CreateActions();
    m_view = new CQuillView(m_session, *this, this);
    setCentralWidget(m_view);
    CreateMenus();
    CreateBars();
    CreateWaveform();
    CreateTracks();
    m_repairs = new CSheetRepairs(*this, m_session, *m_view);
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
    for (int id : {cmd::ViewToolbar, cmd::ViewWavebar, cmd::ViewStatusBar, cmd::ViewWaveform, cmd::ViewTracks})
        MapCommand(id, [this](int cmdId) { OnToggleBar(cmdId); }, [this](CCmdUI& ui) {
            ui.SetCheck(!BarOf(ui.Id())->isHidden());
        });
    auto waveShown = [this] { return !m_waveformDock->isHidden(); };
    MapCommand(cmd::WaveZoomIn, [this](int) { m_waveform->ZoomIn(); },
               [this, waveShown](CCmdUI& ui) { ui.Enable(waveShown() && m_waveform->CanZoomIn()); });
    MapCommand(cmd::WaveZoomOut, [this](int) { m_waveform->ZoomOut(); },
               [this, waveShown](CCmdUI& ui) { ui.Enable(waveShown() && m_waveform->CanZoomOut()); });
    MapCommand(cmd::WaveZoomFit, [this](int) { m_waveform->ZoomToFit(); },
               [this, waveShown](CCmdUI& ui) { ui.Enable(waveShown() && m_waveform->CanZoomOut()); });
    MapCommand(cmd::WaveSnap, [this](int) { m_waveform->SetSnap(!m_waveform->Snap()); },
               [this](CCmdUI& ui) { ui.SetCheck(m_waveform->Snap()); });
    MapCommand(cmd::ExportTracks, [this](int) { CTrackCommands::ExportTracks(this, m_doc); },
               [this](CCmdUI& ui) { ui.Enable(CTrackCommands::CanRun(m_doc)); });
    MapCommand(cmd::JoinImage, [this](int) { CTrackCommands::JoinImage(this, m_doc); },
               [this](CCmdUI& ui) { ui.Enable(CTrackCommands::CanRun(m_doc)); });
    MapCommand(cmd::NewFromAudio, [this](int) { CAlbumCommands::NewFromAudioFiles(this, m_session, m_doc); });
    MapCommand(cmd::ImportTracklist, [this](int) { CAlbumCommands::ImportTracklist(this, m_session, m_doc); });
    MapCommand(cmd::ExportTracklist, [this](int) { CAlbumCommands::ExportTracklist(this, m_doc); },
               [this](CCmdUI& ui) { ui.Enable(CAlbumCommands::HasTracks(m_doc)); });
    MapCommand(cmd::WriteChapters, [this](int) { CAlbumCommands::WriteChapters(this, m_doc); },
               [this](CCmdUI& ui) { ui.Enable(CAlbumCommands::HasOneFile(m_doc)); });
    MapCommand(cmd::DetectTracks, [this](int) {
        CAlbumCommands::DetectTracks(this, m_session, m_doc, [this](const std::vector<CCueTime>& starts) {
            std::vector<std::int64_t> bins;
            for (const CCueTime& start : starts)
                bins.push_back(CWaveformPanel::BinOfTime(start));
            m_waveform->Wave()->SetProposals(std::move(bins));
        });
    },
               [this](CCmdUI& ui) { ui.Enable(CAlbumCommands::HasTracks(m_doc)); });
    MapCommand(cmd::MarkTrack, [this](int) {
        std::string reason;
        if (!CListeningMarks::Mark(m_session, *m_player, CTrackTablePanel::ReactionMs(), reason))
            statusBar()->showMessage(tr("No track start marked: %1.").arg(QString::fromStdString(reason)));
    }, [this](CCmdUI& ui) { ui.Enable(m_player && (m_player->IsPlaying() || m_player->IsPaused())); });
    MapCommand(cmd::EmbedSheet, [this](int) { CEmbeddedSheet::EmbedCommand(m_doc); }, [this](CCmdUI& ui) {
        // A FILE name too long to be a path names no file to embed in; it
        // is not copied into a path and a reason on every update.
        std::string reason;
        ui.Enable((m_doc.FileCount() != 1 || m_doc.File(0)->Name().size() <= ts::kLongestPath)
                  && !CEmbeddedSheet::EmbedTarget(m_doc, reason).empty());
    });
    MapCommand(cmd::DiscInfo, [this](int) {
        CDiscInfoDlg::Run(this, m_doc, [this](const QUrl& url) {
            const auto failed = [url] {
                ShowMessageBox("Unable to launch default browser.  Please visit this address:\n" +
                                   url.toString().toStdString(),
                               "Web Error", PromptButtons::Ok, PromptIcon::Error, true);
            };
            if (!m_app.Launch(url, failed))
                failed();
        });
    }, [this](CCmdUI& ui) { ui.Enable(CTrackCommands::CanRun(m_doc)); });
    MapCommand(cmd::VerifyRip, [this](int) { CVerifyDlg::Run(this, m_doc); },
               [this](CCmdUI& ui) { ui.Enable(CTrackCommands::CanRun(m_doc)); });
    MapCommand(cmd::Exit, [this](int) { close(); });
    MapCommand(cmd::HelpContents, [this](int) { OnHelp(); });
    MapCommand(cmd::HomePage, [this](int) { OnHomePage(); });
    MapCommand(cmd::Welcome, [this](int) { OnWelcome(); });
    // The document runs the save flows; the frame offers them as commands.
    MapCommand(cmd::Save, [this](int) { m_doc.DoFileSave(); });
    MapCommand(cmd::SaveAs, [this](int) { m_doc.DoSave({}); });

    connect(m_view, &CQuillView::CurrentLineChanged, this, &CMainFrame::UpdateCommandUI);
    m_idleTimer.setInterval(kIdleInterval);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        if (isActiveWindow())
            UpdateCommandUI();
    });
    m_idleTimer.start();
    statusBar()->showMessage(ts::TranslateCommandText(res::kReady));
    UpdateTitle();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateActions()
{
    for (const CommandInfo& info : res::Commands()) {
        auto* action = new QAction(ts::TranslateCommandText(info.menuText), this);
        action->setData(info.id);
        action->setShortcuts(Shortcuts(info.keys));
        // Shortcuts belong to the main window: never to a dialog's fields.
        action->setShortcutContext(Qt::WindowShortcut);
        action->setStatusTip(ts::TranslateCommandText(info.prompt));
        if (!info.tooltip.empty())
            action->setToolTip(ts::TranslateCommandText(info.tooltip));
        if (!info.icon.empty())
            action->setIcon(CThemedIcon::For(QStringLiteral(":/icons/%1.png").arg(FromView(info.icon)), palette()));
        if (info.id == cmd::ViewToolbar || info.id == cmd::ViewWavebar || info.id == cmd::ViewStatusBar
            || info.id == cmd::ViewWaveform || info.id == cmd::ViewTracks || info.id == cmd::WaveSnap)
            action->setCheckable(true);
        const int id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        addAction(action); // shortcuts work even while the menu bar is hidden
        m_actions[id] = action;

        if (!info.contextText.empty()) {
            // The context menu names the insert commands in full.
            auto* contextAction = new QAction(ts::TranslateCommandText(info.contextText), this);
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
        QMenu* menu = menuBar()->addMenu(ts::TranslateCommandText(info.title));
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
    m_toolbar->setWindowTitle(tr("Toolbar"));
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
    m_wavebar->setWindowTitle(tr("Wavebar"));
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
    // The wavebar never folds its buttons or the position control into an
    // overflow menu: it is as wide as its contents (see KeepWavebarWhole).
    m_wavebar->setMinimumWidth(m_wavebar->sizeHint().width());
    statusBar();
}

void CMainFrame::CreateWaveform()
{
    m_waveformDock = new QDockWidget(tr("Waveform"), this);
    // The name keys its place, size and visibility in the saved layout.
    m_waveformDock->setObjectName(QStringLiteral("Waveform"));
    m_waveformDock->setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);
    m_waveform = new CWaveformPanel(m_session, *m_view, m_waveformDock);
    m_waveformDock->setWidget(m_waveform);
    addDockWidget(Qt::TopDockWidgetArea, m_waveformDock);
    m_waveform->SetContextActions({m_actions.at(cmd::WaveZoomIn), m_actions.at(cmd::WaveZoomOut),
                                   m_actions.at(cmd::WaveZoomFit), m_actions.at(cmd::WaveSnap)});
    connect(m_waveform, &CWaveformPanel::SeekRequested, this, &CMainFrame::OnWaveformSeek);
    connect(m_waveform, &CWaveformPanel::PeaksChanged, this, &CMainFrame::UpdateCommandUI);
    connect(m_waveform, &CWaveformPanel::ZoomChanged, this, &CMainFrame::UpdateCommandUI);
    connect(m_waveformDock, &QDockWidget::visibilityChanged, this, &CMainFrame::UpdateCommandUI);
}

void CMainFrame::CreateTracks()
{
    m_tracksDock = new QDockWidget(tr("Tracks"), this);
    m_tracksDock->setObjectName(QStringLiteral("Tracks"));
    m_tracks = new CTrackTablePanel(m_session, m_tracksDock);
    m_tracksDock->setWidget(m_tracks);
    addDockWidget(Qt::BottomDockWidgetArea, m_tracksDock);
    m_tracksDock->hide(); // until View > Tracks shows it
    connect(m_tracksDock, &QDockWidget::visibilityChanged, this, &CMainFrame::UpdateCommandUI);
}

void CMainFrame::OnWaveformSeek(const CCueTime& time)
{
    if (m_player)
        m_player->Seek(time);
    m_wavePos->SetPosition(time);
    m_waveform->SetPlayPosition(time);
}

void CMainFrame::KeepWavebarWhole()
{
    // When the two bars share a row that has become too narrow for both,
    // the later one moves to a row of its own.
    if (m_toolbar->isHidden() || m_wavebar->isHidden() || m_toolbar->isFloating() || m_wavebar->isFloating()
        || toolBarArea(m_toolbar) != toolBarArea(m_wavebar) || m_toolbar->y() != m_wavebar->y())
        return;
    const bool horizontal = m_wavebar->orientation() == Qt::Horizontal;
    if (!horizontal || m_toolbar->sizeHint().width() + m_wavebar->sizeHint().width() <= width())
        return;
    insertToolBarBreak(m_wavebar->x() > m_toolbar->x() ? m_wavebar : m_toolbar);
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    KeepWavebarWhole();
}

void CMainFrame::RestoreLayout()
{
    QSettings& settings = m_app.Settings();
    const QByteArray state = settings.value(QStringLiteral("DockState")).toByteArray();
    if (!state.isEmpty())
        restoreState(state);
    statusBar()->setVisible(settings.value(QStringLiteral("StatusBar"), true).toBool());
    const QByteArray geometry = settings.value(QStringLiteral("WindowGeometry")).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(DefaultSize());
}

void CMainFrame::SaveLayout()
{
    QSettings& settings = m_app.Settings();
    settings.setValue(QStringLiteral("DockState"), saveState());
    settings.setValue(QStringLiteral("StatusBar"), !statusBar()->isHidden());
    settings.setValue(QStringLiteral("WindowGeometry"), saveGeometry());
}

QSize CMainFrame::DefaultSize() const
{
    // The bars, the position control, the waveform and about 30 lines of the listing,
    // within the screen the window opens on.
    const QSize view = m_view->SizeForLines(kDefaultLines);
    int bars = 0;
    for (const CToolBarEx* bar : {m_toolbar, m_wavebar})
        bars += bar->sizeHint().height();
    // The waveform panel stands between the bars and the listing.
    if (!m_waveformDock->isHidden())
        bars += m_waveformDock->sizeHint().height();
    const int height = menuBar()->sizeHint().height() + bars + view.height() + statusBar()->sizeHint().height();
    const int width = std::max({view.width(), m_toolbar->sizeHint().width() + m_wavebar->sizeHint().width(),
                                minimumSizeHint().width()});
    QSize size(width, height);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size());
    return size;
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
            action->setText(ts::TranslateCommandText(*ui.Text()));
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
            action->setText(ts::TranslateCommandText("Recent File"));
            action->setVisible(true);
            action->setEnabled(false);
        } else {
            action->setVisible(false);
        }
    }
}

void CMainFrame::UpdateTitle()
{
    // An unsaved sheet's name is the program's text; a file's name is the user's.
    const QString name = QString::fromStdString(m_doc.Title());
    const QString title = (m_doc.PathName().empty() ? ts::TranslateMessage(name) : name) + QStringLiteral(" - ")
        + ts::TranslateMessage(QString::fromUtf8(CQuillApp::kWindowTitle));
    if (windowTitle() != title)
        setWindowTitle(title);
}

void CMainFrame::ShowWave(const std::string& path, const CCueTime& position)
{
    // A name too long to be a path is never a file: it is converted only
    // at its ends, and once the player has refused it, its reason stands
    // without asking again, so that moving the cursor to its lines costs
    // what is shown of it. Any other name is asked for again on every
    // move, since its file may have appeared since.
    const bool tooLong = path.size() > ts::kLongestPath;
    const bool refused = tooLong && m_refusedName == path;
    QString shownName;
    if (tooLong) {
        shownName = refused ? m_refusedShown : ts::ShownText(ts::ShownEnds(DisplayPart(path)));
        m_wavePos->SetFileName(shownName);
    } else {
        m_wavePos->SetFileName(QString::fromStdString(path));
    }
    m_wavePos->SetPosition(position);
    // The player gets the name's own bytes, which need not be UTF-8.
    const std::string& name = path;

    bool wasPlaying = false;
    if (m_player && (name.empty() || name != m_player->Path())) {
        wasPlaying = m_player->IsPlaying();
        m_player.reset();
    }
    std::string reason;
    if (!m_player && !name.empty() && refused) {
        reason = m_refusedReason;
    } else if (!m_player && !name.empty() && m_playerFactory) {
        // Any file the player opens plays, whatever the FILE line's type
        // word; one that does not is shown with the reason, without a box,
        // so that moving the cursor stays quiet.
        std::unique_ptr<IWavePlayer> player = m_playerFactory(name);
        if (player && player->OpenQuietly()) {
            m_player = std::move(player);
            ReconnectPositionCallback();
        } else {
            reason = player ? player->FailureReason() : std::string();
            if (reason.empty())
                reason = "cannot be played";
            if (tooLong) {
                m_refusedName = name;
                m_refusedReason = reason;
                m_refusedShown = shownName;
            }
        }
    }
    ShowWaveReason(name, reason);
    if (m_player) {
        m_player->Open();
        const CCueTime length = m_player->GetLength();
        m_wavePos->SetLength(length);
        m_player->Seek(m_wavePos->GetPosition());
        if (wasPlaying)
            m_player->Play();
    } else if (reason.empty()) {
        m_wavePos->SetFileName(QString());
    }
    m_waveform->ShowFile(name);
    m_waveform->SetPlayPosition(position);
}

std::string_view CMainFrame::DisplayPart(std::string_view path)
{
    // As the position control names a file: after the last slash or
    // backslash.
    const std::size_t last = path.find_last_of("/\\");
    return last == std::string_view::npos ? path : path.substr(last + 1);
}

void CMainFrame::SetPlayerFactory(WavePlayerFactory factory)
{
    m_playerFactory = std::move(factory);
    m_refusedName.clear();
    m_refusedReason.clear();
    m_refusedShown.clear();
}

bool CMainFrame::OpenSheet(const QString& path)
{
    return m_app.OpenFile(path);
}

void CMainFrame::ShowWaveReason(const std::string& path, const std::string& reason)
{
    // A reason may quote the file's name, however long it is: it is cut
    // before it is matched against the translations or shown.
    const QString shown = ts::TranslateMessage(ts::ShownText(QString::fromStdString(reason)));
    m_wavePos->SetReason(shown);
    QStatusBar* bar = statusBar();
    if (!reason.empty()) {
        m_waveMessage = ts::ShownText(tr("\"%1\" cannot be played: %2.").arg(ts::ShownEnds(path), shown));
        bar->showMessage(m_waveMessage);
    } else if (!m_waveMessage.isEmpty()) {
        if (bar->currentMessage() == m_waveMessage)
            bar->showMessage(ts::TranslateCommandText(res::kReady));
        m_waveMessage.clear();
    }
}

void CMainFrame::ReconnectPositionCallback()
{
    if (m_player)
        m_player->SetPositionListener([this](const CCueTime& position) {
            m_wavePos->SetPosition(position);
            m_waveform->SetPlayPosition(position);
        });
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
    if (id == cmd::ViewWaveform)
        return m_waveformDock;
    if (id == cmd::ViewTracks)
        return m_tracksDock;
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
    // The help file in the program's language, when there is one.
    const QString path = CTranslations::LocalizedFile(CQuillApp::DataFile(name), CTranslations::Language());
    const auto failed = [path] {
        ShowMessageBox("Unable to open the help file " + path.toStdString(), "Error", PromptButtons::Ok,
                       PromptIcon::Error, true);
    };
    if (!QFileInfo::exists(path) || !m_app.Launch(QUrl::fromLocalFile(path), failed))
        failed();
}

void CMainFrame::OnHomePage()
{
    const auto failed = [] {
        ShowMessageBox(std::string("Unable to launch default browser.  Please visit Kestrel by pointing your browser to\n")
                           + kHomePage,
                       "Web Error", PromptButtons::Ok, PromptIcon::Error, true);
    };
    if (!m_app.Launch(QUrl(QString::fromUtf8(kHomePage)), failed))
        failed();
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
    const auto failed = [] {
        ShowMessageBox("Unable to launch README.TXT", "Error", PromptButtons::Ok, PromptIcon::Error, true);
    };
    if (!QFileInfo::exists(path) || !m_app.Launch(QUrl::fromLocalFile(path), failed))
        failed();
}

bool CMainFrame::event(QEvent* event)
{
    // An empty status tip (the mouse left a menu item or button) shows the
    // idle text again.
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        statusBar()->showMessage(ts::TranslateCommandText(res::kReady));
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
    SaveLayout();
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
    // Audio files dropped on an empty sheet make it, tags and all; a single
    // file that carries a sheet opens as that sheet instead.
    std::vector<std::string> files;
    for (const QString& path : paths)
        files.push_back(path.toStdString());
    const bool carriesSheet = files.size() == 1 && CEmbeddedSheet::CarriesSheet(files.front());
    if (m_doc.TopLevelCount() == 0 && !carriesSheet && CAlbumCommands::AreAudioFiles(files)) {
        CAlbumCommands::FillFromAudioFiles(m_session, m_doc, files);
        return;
    }
    m_view->DropFiles(paths);
}
