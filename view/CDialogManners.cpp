#include "view/CDialogManners.h"

#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QLayout>
#include <QLineEdit>
#include <QWindow>

CDialogManners::CDialogManners(QObject* parent)
    : QObject(parent)
{
}

CDialogManners::~CDialogManners() = default;

void CDialogManners::Apply(QDialog& dialog)
{
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) {
        if (!box->isReadOnly())
            box->selectAll();
    }
    // A size fixed by the layout is what window managers read as "cannot
    // be maximized"; the flags say it to those that read hints instead.
    if (QLayout* layout = dialog.layout())
        layout->setSizeConstraint(QLayout::SetFixedSize);
    else
        dialog.setFixedSize(dialog.size());
    const Qt::WindowFlags flags = (dialog.windowFlags() & ~Qt::WindowMaximizeButtonHint) | Qt::CustomizeWindowHint
        | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (flags != dialog.windowFlags()) {
        // The window exists but is not mapped yet: tell it without the
        // re-creation setWindowFlags would do.
        dialog.overrideWindowFlags(flags);
        if (QWindow* window = dialog.windowHandle())
            window->setFlags(flags);
    }
}

bool CDialogManners::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow() && !qobject_cast<QFileDialog*>(dialog))
            Apply(*dialog);
    }
    return QObject::eventFilter(watched, event);
}
