#pragma once

#include <QObject>

class QDialog;

// What every dialog of the program does when it opens, in one place: its
// text boxes start with their text selected, so typing replaces it, and it
// keeps the size its layout gives it and cannot be maximized. Installed on
// the application as an event filter; file dialogs keep their own ways.
class CDialogManners final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CDialogManners)

public:
    explicit CDialogManners(QObject* parent);
    ~CDialogManners() override;

    static void Apply(QDialog& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
