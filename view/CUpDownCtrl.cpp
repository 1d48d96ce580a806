#include "view/CUpDownCtrl.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // Like the system's up-down control: clicking leaves the focus in the
    // edit box beside it.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(18);
    return button;
}

} // namespace

CUpDownCtrl::CUpDownCtrl(QWidget* parent)
    : QWidget(parent)
    , m_up(MakeArrow(this, Qt::UpArrow))
    , m_down(MakeArrow(this, Qt::DownArrow))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    connect(m_up, &QToolButton::clicked, this, [this] { Q_EMIT Stepped(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Q_EMIT Stepped(-1); });
}

void CUpDownCtrl::wheelEvent(QWheelEvent* event)
{
    const int dy = event->angleDelta().y();
    if (dy == 0) {
        event->ignore();
        return;
    }
    Q_EMIT Stepped(dy > 0 ? 1 : -1);
    event->accept();
}
