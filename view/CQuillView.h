#pragma once

#include "document/CListingLines.h"
#include "document/CUndoHistory.h"
#include "document/ISessionView.h"
#include "model/CCueTime.h"
#include "platform/CCmdTarget.h"
#include "view/IViewFrame.h"

#include <QWidget>

#include <functional>
#include <string>

class CCueIndex;
class CCueItem;
class CEditSession;
class CListingEdit;
class CQuillDoc;

// The listing of the open sheet: one coloured line per item (drawn from the
// line model of the session's sheet), a line cursor over it, and the current item (the item on the caret's line) shown with
// its whole block selected and a bullet on its own line. The view sees every
// key and mouse event of the listing first. Whenever the current item
// changes it tells the frame which wave file and time belong to it. It
// edits the sheet and moves the current item through the edit session, and
// follows whatever another view of the session does.
class CQuillView final : public QWidget, public ISessionView, public CCmdTarget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CQuillView)

public:
    CQuillView(CEditSession& session, IViewFrame& frame, QWidget* parent);
    ~CQuillView() override;

    // Shows the changed sheet and puts the caret on the session's current
    // item; a fresh sheet shows its top, an edited one keeps its place.
    void OnSheetChanged(const SheetChange& change) override;
    // Moves the caret and its highlight to the session's current item.
    void OnCurrentChanged() override;

    CCueItem* CurrentItem() const;
    int CurrentLine() const;
    int LineCount() const;
    CCueItem* ItemOfLine(int line) const;
    bool SelectionIsEmpty() const;
    QString SelectedText() const;
    CListingEdit* Listing() const { return m_listing; }
    // The text of a line as the listing shows it.
    QString LineText(int line) const;
    // Makes an item current, as a click on its line does.
    void SetCurrentItem(const CCueItem* item);
    // The first line shown whole at the top of the listing.
    int FirstVisibleLine() const;
    // The size of the view that shows the given number of listing lines
    // whole, margins and frame included.
    QSize SizeForLines(int lines) const;

    // Files dropped on the window: a single cue sheet opens as the
    // document; other files are added as FILE lines, in drop order.
    void DropFiles(const QStringList& paths);

    const CUndoHistory& History() const;

    // The wave file path of an item's FILE name: a relative name is taken
    // from the sheet's folder (the current folder for an untitled sheet).
    std::string ResolvePath(const std::string& name) const;
    static std::string ResolvePath(const CEditSession& session, const std::string& name);
    // The index that decides the wave file and time of an item, or null.
    static const CCueIndex* IndexOfInterest(const CCueItem* item);

signals:
    // The caret moved to another line, or the listing was rebuilt.
    void CurrentLineChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Makes a line current, without a highlight until Highlight().
    void SetCaretLine(int line);
    void Unhighlight();
    void Highlight();
    // The rows of the current item's block: its line and its lines.
    int BlockEnd(int line) const;
    void WaveSync(const CCueItem* item);
    // Where the context menu opens for the keyboard: below the caret.
    QPoint CaretMenuPoint() const;

    // Scrolling, by whole lines: pixel offsets are the scroll bar's values.
    int LineTop(int line) const;
    int LineBottom(int line) const;
    int LineAtOrBelow(int y) const;
    void SetFirstVisibleLine(int line);
    // Scrolls the least that shows the line whole; nothing when it is.
    void ScrollIntoView(int line);
    void SnapToLine(int value);
    // The line under a point of the viewport (the margin included).
    int LineAtPoint(QPoint viewportPos) const;
    // Lines shown whole from the first visible one.
    int PageLines() const;
    void MoveCaret(int key, Qt::KeyboardModifiers modifiers);

    void ShowContextMenu(const QPoint& globalPos);
    void PostEdit();
    bool FilterKey(QEvent* event);
    bool FilterMouse(QObject* watched, QEvent* event);
    void MapEditCommands();
    void OnInsertFile();
    void OnEdit();
    void OnCopy();
    void OnPaste();
    void OnEncoding();
    void OnUndoRedo(bool undo);
    // The add-a-path procedure for each of paths, last first, so the new
    // FILE lines end up in the given order; one undoable step.
    void AddPaths(const QStringList& paths);

    CEditSession& m_session;
    CQuillDoc& m_doc;
    IViewFrame& m_frame;
    CListingLines m_lines;
    CListingEdit* m_listing;
    std::string m_lastWaveName;
    CCueTime m_lastWaveTime;
    bool m_clipboardHasText = false;
    int m_lastScroll = 0;    // the scroll bar's value after the last snap
    bool m_snapping = false; // SnapToLine is moving the scroll bar
};
