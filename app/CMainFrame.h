#pragma once

#include "audio/IWavePlayer.h"
#include "platform/CCmdTarget.h"
#include "platform/CCommandRouter.h"
#include "view/IViewFrame.h"

#include <QMainWindow>
#include <QTimer>

#include <map>
#include <memory>
#include <string>
#include <string_view>

class CEditSession;
class CQuillApp;
class CQuillDoc;
class CQuillView;
class CSheetRepairs;
class CToolBarEx;
class CTrackTablePanel;
class CWavePos;
class CWaveformPanel;
class QDockWidget;
class QAction;
class QMenu;

// The main window: menus, the main toolbar, the wavebar with the position
// control, the waveform panel, the status bar, and the one view. It routes every command (view,
// document, frame, application), keeps the commands' enabled state, texts
// and check marks current, owns the wave player of the current line and
// handles the transport, bar, help and welcome commands.
class CMainFrame final : public QMainWindow, public CCmdTarget, public IViewFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CMainFrame)

public:
    CMainFrame(CQuillApp& app, CEditSession& session, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Runs a command through the routing when it is enabled; then refreshes
    // every command's state. Returns whether it ran.
    bool ExecuteCommand(int id) override;
    // Asks every command's update handler for its state now.
    void UpdateCommandUI();
    void UpdateTitle();

    CQuillApp& App() const { return m_app; }
    QAction* Action(int id) const;
    QMenu* ContextMenu() const override { return m_contextMenu; }
    CQuillView* View() const { return m_view; }
    CToolBarEx* Toolbar() const { return m_toolbar; }
    CToolBarEx* Wavebar() const { return m_wavebar; }
    CWavePos* PositionControl() const override { return m_wavePos; }
    CWaveformPanel* Waveform() const { return m_waveform; }
    QDockWidget* WaveformDock() const { return m_waveformDock; }
    CTrackTablePanel* Tracks() const { return m_tracks; }
    QDockWidget* TracksDock() const { return m_tracksDock; }
    // Find Missing Audio, Check Sheet and what an opened sheet is offered.
    CSheetRepairs* Repairs() const { return m_repairs; }
    IWavePlayer* Player() const override { return m_player.get(); }
    bool OpenSheet(const QString& path) override;
    QWidget* Window() override { return this; }

    // Points the position control and the player at the wave file of the
    // current line and the time to show.
    void ShowWave(const std::string& path, const CCueTime& position) override;
    // Sends the player's position reports to the position control again.
    void ReconnectPositionCallback() override;
    // The status bar's text about the current line's file, empty when it
    // plays.
    const QString& WaveMessage() const { return m_waveMessage; }
    void SetPlayerFactory(WavePlayerFactory factory);

    static const char* const kHomePage;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateBars();
    void CreateWaveform();
    void CreateTracks();
    void OnWaveformSeek(const CCueTime& time);
    void KeepWavebarWhole();
    // The bar layout, the status bar and the window's size, position and
    // maximized state, kept in the settings across runs.
    void RestoreLayout();
    void SaveLayout();
    QSize DefaultSize() const;
    void UpdateRecentFiles();
    // Shows why the file cannot be played, or clears that when it can.
    void ShowWaveReason(const std::string& path, const std::string& reason);
    // The part of a path the position control shows: its file's name.
    static std::string_view DisplayPart(std::string_view path);

    void OnPlayStop();
    void OnSkip(int id);
    // The bar a View toggle shows and hides.
    QWidget* BarOf(int id) const;
    void OnToggleBar(int id);
    void OnHelp();
    void OnHomePage();
    void OnWelcome();
    void OpenReadme();

    CQuillApp& m_app;
    CEditSession& m_session;
    CQuillDoc& m_doc;
    CCommandRouter m_router;
    std::map<int, QAction*> m_actions;
    std::map<int, QAction*> m_contextActions;
    QMenu* m_contextMenu = nullptr;
    CQuillView* m_view = nullptr;
    CToolBarEx* m_toolbar = nullptr;
    CToolBarEx* m_wavebar = nullptr;
    CWavePos* m_wavePos = nullptr;
    CWaveformPanel* m_waveform = nullptr;
    QDockWidget* m_waveformDock = nullptr;
    CTrackTablePanel* m_tracks = nullptr;
    QDockWidget* m_tracksDock = nullptr;
    CSheetRepairs* m_repairs = nullptr;
    std::unique_ptr<IWavePlayer> m_player;
    WavePlayerFactory m_playerFactory;
    CCueTime m_lastGoto; // the time the Goto dialog starts from
    QString m_waveMessage;
    // The last name too long to be a path that the player refused: its
    // reason and its name as shown.
    std::string m_refusedName;
    std::string m_refusedReason;
    QString m_refusedShown;
    QTimer m_idleTimer;
};
