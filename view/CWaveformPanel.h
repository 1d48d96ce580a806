#pragma once

#include "audio/IPcmSource.h"
#include "document/ISessionView.h"
#include "model/CueTypes.h"
#include "model/CCueTime.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

class CCueFile;
class CCueItem;
class CEditSession;
class CPeakLoader;
class CPeaks;
class CQuillDoc;
class CWaveformView;
class QAction;
class QDoubleSpinBox;
class QLabel;
class QMenu;
class QProgressBar;
class QScrollBar;
class QSpinBox;

// The waveform panel: the peaks of the current line's wave file with the
// sheet's marks on them, a progress bar while the peaks load, the silence
// settings and a scroll bar. A click asks for the play position there; a
// dropped mark sets that index's time as one undoable edit, as the Edit
// Index dialog does; the context menu inserts an index or a track at the
// clicked time. It edits through the edit session and follows its current
// item; it reaches the player only through its signals.
class CWaveformPanel final : public QWidget, public ISessionView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CWaveformPanel)

public:
    // Silence defaults: under -50 dBFS for a second.
    static constexpr int kSilenceDb = -50;
    static constexpr double kSilenceSeconds = 1.0;

    // listing: where the keys go back after a silence box.
    CWaveformPanel(CEditSession& session, QWidget& listing, QWidget* parent);
    ~CWaveformPanel() override;

    // The marks follow every change of the sheet and of the current item.
    void OnSheetChanged(const SheetChange& change) override;
    void OnCurrentChanged() override;

    // The wave file to show (a resolved path; empty shows none). Loading
    // waits while the panel is hidden.
    void ShowFile(const std::string& path);
    const std::string& FilePath() const { return m_path; }
    void SetPlayPosition(const CCueTime& position);

    // The commands of the panel.
    void ZoomIn();
    void ZoomOut();
    void ZoomToFit();
    bool CanZoomIn() const;
    bool CanZoomOut() const;
    void SetSnap(bool on);
    bool Snap() const;

    // Commands shown under the panel's own items in its context menu.
    void SetContextActions(const QList<QAction*>& actions);
    void SetSourceFactory(PcmSourceFactory factory);
    void SetCacheFolder(const std::string& folder);

    // Reloads the marks from the sheet and the current line.
    void RefreshMarks();

    CWaveformView* Wave() const { return m_wave; }
    QProgressBar* Progress() const { return m_progress; }
    QScrollBar* ScrollBar() const { return m_scroll; }
    QLabel* Status() const { return m_status; }
    QLabel* PointerTime() const { return m_pointer; }
    QSpinBox* SilenceLevel() const { return m_level; }
    QDoubleSpinBox* SilenceLength() const { return m_length; }
    QMenu* ContextMenu() const { return m_menu; }
    bool IsLoading() const;
    bool LoadedFromCache() const { return m_fromCache; }

    static CCueTime TimeOfBin(std::int64_t bin);
    static std::int64_t BinOfTime(const CCueTime& time);

Q_SIGNALS:
    // Move the play position (and the position control) to time.
    void SeekRequested(const CCueTime& time);
    // Peaks arrived or failed, or the file was cleared.
    void PeaksChanged();
    // The span shown changed, and with it what the zoom commands can do.
    void ZoomChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void StartLoad();
    // Loads again when the file changed on disk since its load began (the
    // wave commands write into it).
    void ReloadIfChanged();
    // Whether a path is longer than any file system takes.
    static bool TooLong(const std::string& path);
    // Whether a FILE name names the file shown.
    bool Shows(const std::string& name) const;
    void OnLoaded(const QString& path, std::shared_ptr<const CPeaks> peaks, bool fromCache);
    void OnFailed(const QString& path, const QString& reason);
    void OnProgress();
    void OnViewChanged();
    void OnDropped(int mark, std::int64_t bin);
    void OnActivated(int mark);
    void OnContextMenu(std::int64_t bin, const QPoint& globalPos);
    void InsertAt(ItemKind kind, std::int64_t bin);
    void OnSilenceChanged();
    CCueFile* ShownFile() const;
    bool IsLive(const CCueItem* item) const;

    CEditSession& m_session;
    CQuillDoc& m_doc;
    QWidget& m_listing;
    CPeakLoader* m_loader;
    CWaveformView* m_wave;
    QScrollBar* m_scroll;
    QProgressBar* m_progress;
    QLabel* m_status;
    QLabel* m_pointer;
    QSpinBox* m_level;
    QDoubleSpinBox* m_length;
    QMenu* m_menu;
    QAction* m_insertIndex;
    QAction* m_insertTrack;
    QTimer m_progressTimer;
    std::string m_path;
    std::string m_loadedPath; // the file whose load was started last
    // The last name too long to be a path that could not be loaded, its
    // name as shown and what the panel said of it: such a name is neither
    // loaded nor converted again.
    std::string m_refusedPath;
    QString m_refusedName;
    QString m_refusedText;
    qint64 m_loadedSize = -1;  // and its size and modification time then
    qint64 m_loadedModified = -1;
    bool m_fromCache = false;
    bool m_syncingScroll = false;
    std::int64_t m_menuBin = 0;
};
