#pragma once

#include <QWidget>

class QToolButton;

// A pair of small arrow buttons beside an edit box. It holds no value: each
// click (held buttons repeat) and each turn of the mouse wheel reports a
// step of +1 or -1, and the dialog decides what a step means.
class CUpDownCtrl final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CUpDownCtrl)

public:
    explicit CUpDownCtrl(QWidget* parent = nullptr);

    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

Q_SIGNALS:
    void Stepped(int delta);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
};
