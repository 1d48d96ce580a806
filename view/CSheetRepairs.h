#pragma once

#include "document/CSheetChecker.h"
#include "platform/CCmdTarget.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class CEditSession;
class CQuillDoc;
class CQuillView;
class IAudioFacts;
class QDockWidget;
class QLabel;
class QMainWindow;
class QTreeWidget;

// The repairs of a sheet: File > Find Missing Audio, Tools > Check Sheet
// with its dock of findings, and what an opened sheet is offered: one box
// with the audio found for its missing files, and in the status bar the
// findings that stop playback. Every repair is one undoable step of the view.
class CSheetRepairs final : public QObject, public CCmdTarget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSheetRepairs)

public:
    CSheetRepairs(QMainWindow& frame, CEditSession& session, CQuillView& view);
    ~CSheetRepairs() override;

    // Called after a sheet opened.
    void SheetOpened();
    void FindMissingAudio();
    // Shows the dock with every finding.
    void CheckSheet();

    QDockWidget* CheckDock() const { return m_dock; }
    QTreeWidget* FindingList() const { return m_list; }
    const std::vector<SheetFinding>& Findings() const { return m_findings; }
    // What stops the opened sheet from playing, as the status bar showed it
    // on open; empty when nothing does.
    const QString& StopsMessage() const { return m_stopsMessage; }
    // A row's Fix button and double click.
    bool Fix(int row);
    void GoTo(int row);

signals:
    // The list of findings was filled again.
    void FindingsChanged();

private:
    void Refresh();
    void Fill();

    QMainWindow& m_frame;
    CEditSession& m_session;
    CQuillDoc& m_doc;
    CQuillView& m_view;
    std::unique_ptr<IAudioFacts> m_facts;
    QDockWidget* m_dock;
    QLabel* m_label;
    QTreeWidget* m_list;
    std::vector<SheetFinding> m_findings;
    QString m_stopsMessage; // what the status bar said on open
    unsigned long m_checkedChange = 0;
    bool m_checked = false;
};
