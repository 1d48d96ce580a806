#pragma once

#include <QStyledItemDelegate>

class CTrackTableModel;

// Edits a cell of the track table in a line box. Enter stores the cell and
// goes on to the same column of the next track, Tab (Shift+Tab) to the
// next (previous) cell that can be edited, Escape drops what was typed. A
// text the model refuses keeps the box open with the message shown.
class CTrackTableDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTrackTableDelegate)

public:
    CTrackTableDelegate(CTrackTableModel& model, QObject* parent);
    ~CTrackTableDelegate() override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

Q_SIGNALS:
    // The cell was stored by a key: the view goes on to the cell after.
    void MoveOn(const QModelIndex& from, int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CTrackTableModel& m_model;
    bool m_asking = false; // a refusal's message box is up
};
