#include "view/CTrackTableDelegate.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPersistentModelIndex>

#include "platform/CPrompts.h"
#include "view/CTrackTableModel.h"

namespace {

const char* const kIndexProperty = "trackTableIndex";

} // namespace

CTrackTableDelegate::CTrackTableDelegate(CTrackTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_model(model)
{
}

CTrackTableDelegate::~CTrackTableDelegate() = default;

QWidget* CTrackTableDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor)
        editor->setProperty(kIndexProperty, QVariant::fromValue(QPersistentModelIndex(index)));
    return editor;
}

bool CTrackTableDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (editor && event->type() == QEvent::FocusOut) {
        // The box stays open while a message about it is up, or while the
        // window is left or the box's own menu is open; only going to
        // another widget of the window stores it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (m_asking || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
    }
    if (!editor || event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(object, event);
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Tab && key != Qt::Key_Backtab)
        return QStyledItemDelegate::eventFilter(object, event);
    const QPersistentModelIndex index = editor->property(kIndexProperty).value<QPersistentModelIndex>();
    const QString problem = m_model.Problem(index, editor->text());
    if (!problem.isEmpty()) {
        // The box stays open with what was typed, as a dialog's field does.
        m_asking = true;
        ShowMessageBox(problem.toStdString(), CTrackTableModel::kCaption, PromptButtons::Ok, PromptIcon::Error);
        m_asking = false;
        editor->setFocus();
        editor->selectAll();
        return true;
    }
    const Qt::KeyboardModifiers modifiers = keyEvent->modifiers();
    Q_EMIT commitData(editor);
    // The edit may have moved the view's current cell, which closes the box
    // by itself.
    if (editor->isVisible())
        Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
    // The row may have moved: a new start re-sorts the tracks.
    Q_EMIT MoveOn(index, key, modifiers);
    return true;
}
