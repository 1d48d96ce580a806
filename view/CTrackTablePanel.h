#pragma once

#include "document/ISessionView.h"

#include <QWidget>

#include <map>
#include <optional>
#include <string>

class CCueFile;
class CEditSession;
class CTrackTableDelegate;
class CTrackTableModel;
class QLineEdit;
class QSpinBox;
class QTableView;

// The track table: the disc's performer and title above one row for each
// track, a third view of the edit session beside the listing and the
// waveform. Choosing a row makes its track the session's current item, and
// the row follows the current item; every edit is one undo step. The
// reaction time that marks set while listening take back is set here too.
class CTrackTablePanel final : public QWidget, public ISessionView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTrackTablePanel)

public:
    // The setting the reaction time is kept under, in milliseconds.
    static const char* const kReactionKey;
    static int ReactionMs();

    CTrackTablePanel(CEditSession& session, QWidget* parent);
    ~CTrackTablePanel() override;

    void OnSheetChanged(const SheetChange& change) override;
    void OnCurrentChanged() override;

    QTableView* Table() const { return m_table; }
    CTrackTableModel* Model() const { return m_model; }
    QLineEdit* DiscPerformer() const { return m_performer; }
    QLineEdit* DiscTitle() const { return m_title; }
    QSpinBox* Reaction() const { return m_reaction; }

    // Fills the current cell's column from the current row down with the
    // clipboard's lines.
    bool PasteColumn();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Refresh();
    void ShowDiscTexts();
    void StoreDiscText(QLineEdit* edit, const char* keyword);
    void SelectCurrentRow();
    void OnRowChosen(int row);
    void OnMoveOn(int key, Qt::KeyboardModifiers modifiers);
    std::optional<std::uint64_t> AudioFrames(const CCueFile& file);

    struct AudioLength {
        qint64 size = -1;
        qint64 modified = -1;
        std::optional<std::uint64_t> frames;
    };

    CEditSession& m_session;
    CTrackTableModel* m_model;
    CTrackTableDelegate* m_delegate;
    QTableView* m_table;
    QLineEdit* m_performer;
    QLineEdit* m_title;
    QSpinBox* m_reaction;
    std::map<std::string, AudioLength> m_lengths; // by resolved path
    bool m_stale = true;   // the sheet changed while the panel was hidden
    bool m_syncing = false; // the row is being set from the session
};
