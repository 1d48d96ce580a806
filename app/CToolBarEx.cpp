#include "app/CToolBarEx.h"

#include <QActionEvent>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QHash>
#include <QImage>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionToolBar>
#include <QToolButton>

#include "player/CWavePos.h"

namespace {

// Marks the bar's own separator and slot widgets, and holds their extent.
const char* const kSeparatorProperty = "tsToolBarSeparator";
const char* const kExtentProperty = "tsToolBarSeparatorExtent";
// The geometry a child of a floating bar was given below the title.
const char* const kShiftedProperty = "tsToolBarShiftedGeometry";

// Buttons around 16-pixel images, like the classic 23 by 22 for 16 by 15.
constexpr int kButtonMargin = 7;

QHash<QString, CToolBarEx::ControlFactory>& Registry()
{
    static QHash<QString, CToolBarEx::ControlFactory> registry{
        {QStringLiteral("CWavePos"), [](QWidget* parent) -> QWidget* { return new CWavePos(parent); }},
        {QStringLiteral("QComboBox"), [](QWidget* parent) -> QWidget* { return new QComboBox(parent); }},
        {QStringLiteral("QLineEdit"), [](QWidget* parent) -> QWidget* { return new QLineEdit(parent); }},
    };
    return registry;
}

// An edge one pixel wide: first colour at top and left, second at bottom
// and right (sunken: shadow then highlight; raised: the other way round).
void DrawEdge(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    if (r.isEmpty()) {
        return;
    }
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
}

} // namespace

CToolBarEx::CToolBarEx(QWidget* parent)
    : CToolBarEx(QString(), parent)
{
}

CToolBarEx::CToolBarEx(const QString& title, QWidget* parent)
    : QToolBar(title, parent)
{
    ReadColours();
    setIconSize(QSize(16, 16));
    setMouseTracking(true);
    m_hotTimer.setInterval(kHotTimerMs);
    connect(&m_hotTimer, &QTimer::timeout, this, &CToolBarEx::OnHotTimer);
    connect(this, &QToolBar::iconSizeChanged, this, &CToolBarEx::ApplyButtonSize);
    connect(this, &QToolBar::orientationChanged, this, &CToolBarEx::OnOrientationChanged);
    connect(this, &QToolBar::topLevelChanged, this, &CToolBarEx::UpdateTitleSpace);
}

CToolBarEx::~CToolBarEx() = default;

bool CToolBarEx::RegisterControlClass(const QString& className, ControlFactory factory)
{
    auto& registry = Registry();
    if (className.isEmpty() || !factory || registry.contains(className)) {
        return false;
    }
    registry.insert(className, std::move(factory));
    return true;
}

void CToolBarEx::ReadColours()
{
    const QPalette& pal = palette();
    m_face = pal.color(QPalette::Button);
    m_highlight = pal.color(QPalette::Light);
    m_shadow = pal.color(QPalette::Dark);
    m_light = pal.color(QPalette::Midlight);
}

QSize CToolBarEx::ButtonSize() const
{
    return iconSize() + QSize(kButtonMargin, kButtonMargin);
}

QToolButton* CToolBarEx::ButtonWidget(QAction* action) const
{
    if (action == nullptr || action->isSeparator()) {
        return nullptr;
    }
    auto* button = qobject_cast<QToolButton*>(widgetForAction(action));
    return button != nullptr && button->defaultAction() == action ? button : nullptr;
}

bool CToolBarEx::IsSeparatorWidget(const QObject* object) const
{
    if (object->property(kSeparatorProperty).toBool()) {
        return true;
    }
    // Separators added through QToolBar::addSeparator.
    for (QAction* action : actions()) {
        if (action->isSeparator() && widgetForAction(action) == object) {
            return true;
        }
    }
    return false;
}

QWidget* CToolBarEx::MakeSeparator(int width)
{
    auto* separator = new QWidget(this);
    separator->setProperty(kSeparatorProperty, true);
    separator->setProperty(kExtentProperty, width);
    SizeSeparator(separator);
    return separator;
}

void CToolBarEx::SizeSeparator(QWidget* separator) const
{
    // The extent runs along the bar: a width in a horizontal bar, a height
    // in a vertical one, across which a separator is one button wide.
    const int extent = separator->property(kExtentProperty).toInt();
    if (orientation() == Qt::Horizontal || extent > kEtchedSeparatorMax) {
        separator->setMinimumSize(extent, 0);
        separator->setMaximumSize(extent, QWIDGETSIZE_MAX);
    } else {
        separator->setMinimumSize(ButtonSize().width(), extent);
        separator->setMaximumSize(QWIDGETSIZE_MAX, extent);
    }
}

void CToolBarEx::OnOrientationChanged()
{
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->property(kSeparatorProperty).toBool())
            SizeSeparator(child);
    }
}

QAction* CToolBarEx::AddSeparator(int width)
{
    QAction* action = addWidget(MakeSeparator(qMax(1, width)));
    action->setData(0);
    return action;
}

QAction* CToolBarEx::ButtonOf(int commandId) const
{
    for (QAction* action : actions()) {
        if (!action->isSeparator() && action->data().toInt() == commandId && ButtonWidget(action) != nullptr) {
            return action;
        }
    }
    return nullptr;
}

QWidget* CToolBarEx::ControlOf(int commandId) const
{
    for (QAction* action : actions()) {
        QWidget* slot = widgetForAction(action);
        if (action->data().toInt() == commandId && slot != nullptr && slot->property(kSeparatorProperty).toBool()) {
            return slot->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        }
    }
    return nullptr;
}

QWidget* CToolBarEx::InsertControl(const QString& className, const QRect& rect, int commandId)
{
    QAction* button = ButtonOf(commandId);
    if (button == nullptr) {
        return nullptr;
    }
    const auto factory = Registry().constFind(className);
    if (factory == Registry().constEnd()) {
        return nullptr;
    }
    const QSize size(qAbs(rect.width()), qAbs(rect.height()));
    QWidget* slot = MakeSeparator(size.width());
    slot->setMinimumHeight(size.height());
    QWidget* control = (*factory)(slot);
    if (control == nullptr) {
        delete slot;
        return nullptr;
    }
    control->setGeometry(QRect(QPoint(0, 0), size));
    QAction* slotAction = insertWidget(button, slot);
    slotAction->setData(commandId);
    removeAction(button);
    control->show();
    return control;
}

void CToolBarEx::AdoptItem(QAction* action)
{
    QWidget* widget = widgetForAction(action);
    if (widget == nullptr) {
        return;
    }
    if (QToolButton* button = ButtonWidget(action)) {
        button->setFixedSize(ButtonSize());
        button->setMouseTracking(true);
    }
    widget->installEventFilter(this);
}

void CToolBarEx::ApplyButtonSize()
{
    for (QAction* action : actions()) {
        if (QToolButton* button = ButtonWidget(action)) {
            button->setFixedSize(ButtonSize());
        }
    }
    OnOrientationChanged();
}

int CToolBarEx::TitleHeight() const
{
    return fontMetrics().height() + 4;
}

QRect CToolBarEx::TitleRect() const
{
    return isFloating() ? QRect(0, 0, width(), TitleHeight()) : QRect();
}

QRect CToolBarEx::CloseBoxRect() const
{
    const QRect title = TitleRect();
    if (title.isEmpty()) {
        return {};
    }
    const int side = title.height() - 4;
    return {title.right() - 1 - side, title.top() + 2, side, side};
}

void CToolBarEx::UpdateTitleSpace()
{
    const bool floating = isFloating();
    RememberDockArea();
    // A floating bar carries its title on top, the window frame's own
    // being absent; the buttons are laid out below it.
    const QMargins margins(0, floating ? TitleHeight() : 0, 0, 0);
    if (contentsMargins() != margins) {
        setContentsMargins(margins);
        if (floating) {
            adjustSize();
        }
    }
}

void CToolBarEx::RememberDockArea()
{
    // The main window keeps a floating bar in the area it came from.
    if (auto* main = qobject_cast<QMainWindow*>(parentWidget())) {
        const Qt::ToolBarArea area = main->toolBarArea(this);
        if (area != Qt::NoToolBarArea) {
            m_dockArea = area;
        }
    }
}

void CToolBarEx::ShiftBelowTitle()
{
    if (!isFloating()) {
        return;
    }
    // The layout places its items from the top of the bar whatever the
    // margins; a child the layout placed anew is one whose geometry is not
    // the one shifted here last.
    const int title = TitleHeight();
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || child->property(kShiftedProperty).toRect() == child->geometry()) {
            continue;
        }
        child->move(child->x(), child->y() + title);
        child->setProperty(kShiftedProperty, child->geometry());
    }
}

void CToolBarEx::Dock()
{
    auto* main = qobject_cast<QMainWindow*>(parentWidget());
    if (main == nullptr || !isFloating()) {
        return;
    }
    const Qt::ToolBarArea area = isAreaAllowed(m_dockArea) ? m_dockArea : Qt::TopToolBarArea;
    setWindowFlags(Qt::Widget);
    main->addToolBar(area, this);
    UpdateTitleSpace();
    show();
}

void CToolBarEx::PaintTitle(QPainter& painter)
{
    const QRect title = TitleRect();
    const QPalette& pal = palette();
    painter.fillRect(title, pal.color(QPalette::Highlight));
    const QRect box = CloseBoxRect();
    painter.setPen(pal.color(QPalette::HighlightedText));
    painter.setFont(font());
    painter.drawText(title.adjusted(4, 0, -(box.width() + 6), 0), Qt::AlignVCenter | Qt::AlignLeft,
                     fontMetrics().elidedText(windowTitle(), Qt::ElideRight, title.width() - box.width() - 10));
    painter.fillRect(box, m_face);
    DrawEdge(painter, box, m_highlight, m_shadow);
    painter.setPen(QPen(pal.color(QPalette::ButtonText), 1.5));
    const QRect cross = box.adjusted(3, 3, -3, -3);
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.topRight(), cross.bottomLeft());
}

void CToolBarEx::actionEvent(QActionEvent* event)
{
    QToolBar::actionEvent(event);
    switch (event->type()) {
    case QEvent::ActionAdded:
        AdoptItem(event->action());
        break;
    case QEvent::ActionRemoved:
        if (event->action() == m_hot) {
            m_hot = nullptr;
        }
        break;
    default:
        break;
    }
}

bool CToolBarEx::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_titleDrag && (mouse->buttons() & Qt::LeftButton)) {
            move((mouse->globalPosition() - *m_titleDrag).toPoint());
            return true;
        }
        TrackHot(mouse->position().toPoint());
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Shift+click neither presses a button nor drags the bar.
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->modifiers() & Qt::ShiftModifier) {
            return true;
        }
        // The title of a floating bar: the close box hides the bar, a
        // double click docks it again, a drag moves it.
        const QPoint at = mouse->position().toPoint();
        if (mouse->button() == Qt::LeftButton && TitleRect().contains(at)) {
            if (CloseBoxRect().contains(at)) {
                hide();
            } else if (event->type() == QEvent::MouseButtonDblClick) {
                m_titleDrag.reset();
                Dock();
            } else {
                m_titleDrag = mouse->globalPosition() - QPointF(pos());
            }
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (m_titleDrag) {
            m_titleDrag.reset();
            return true;
        }
        break;
    case QEvent::ParentChange:
    case QEvent::Show:
    case QEvent::FontChange:
        UpdateTitleSpace();
        break;
    case QEvent::LayoutRequest:
    case QEvent::Resize: {
        // The bar's layout has placed the buttons (it sees the event
        // first); on a floating bar they move below the title.
        const bool handled = QToolBar::event(event);
        RememberDockArea();
        ShiftBelowTitle();
        return handled;
    }
    default:
        break;
    }
    return QToolBar::event(event);
}

bool CToolBarEx::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QToolButton*>(watched);
    if (button != nullptr && (button->defaultAction() == nullptr || !actions().contains(button->defaultAction()))) {
        button = nullptr; // the extension button and strangers paint their own way
    }
    switch (event->type()) {
    case QEvent::Paint:
        if (button != nullptr) {
            PaintButton(button);
            return true;
        }
        if (watched->isWidgetType() && IsSeparatorWidget(watched)) {
            PaintSeparator(static_cast<QWidget*>(watched));
            return true;
        }
        break;
    case QEvent::MouseMove:
        if (button != nullptr) {
            TrackHot(button->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint()));
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (button != nullptr && (static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier)) {
            return true;
        }
        break;
    default:
        break;
    }
    return QToolBar::eventFilter(watched, event);
}

void CToolBarEx::changeEvent(QEvent* event)
{
    QToolBar::changeEvent(event);
    switch (event->type()) {
    case QEvent::PaletteChange:
        ReadColours();
        update();
        for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            child->update();
        }
        break;
    case QEvent::ActivationChange:
    case QEvent::EnabledChange:
        if (!isEnabled() || !isActiveWindow()) {
            DropHot();
        }
        break;
    default:
        break;
    }
}

void CToolBarEx::TrackHot(const QPoint& barPos)
{
    if (!isEnabled() || !isActiveWindow()) {
        return;
    }
    QAction* previous = m_hot;
    m_hot = nullptr;
    for (QAction* action : actions()) {
        QToolButton* button = ButtonWidget(action);
        if (button == nullptr || !action->isEnabled() || !button->isVisible()) {
            continue;
        }
        if (button->geometry().contains(barPos)) {
            m_hot = action;
            if (previous != action) {
                button->update();
            }
        } else if (previous == action) {
            button->update();
        }
    }
    m_hotTimer.start();
}

void CToolBarEx::OnHotTimer()
{
    // The mouse may leave faster than a move event reaches the bar.
    if (m_hot != nullptr && (!rect().contains(mapFromGlobal(QCursor::pos())) || !isActiveWindow())) {
        DropHot();
    }
    if (m_hot == nullptr) {
        m_hotTimer.stop();
    }
}

void CToolBarEx::DropHot()
{
    if (QToolButton* button = ButtonWidget(m_hot)) {
        button->update();
    }
    m_hot = nullptr;
}

void CToolBarEx::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_face);
    if (isMovable() && !isFloating()) {
        PaintGripper(painter);
    }
    if (isFloating()) {
        PaintTitle(painter);
    }
}

void CToolBarEx::PaintGripper(QPainter& painter)
{
    QStyleOptionToolBar option;
    initStyleOption(&option);
    const QRect handle = style()->subElementRect(QStyle::SE_ToolBarHandle, &option, this);
    if (handle.isEmpty()) {
        return;
    }
    constexpr int kLine = 3;
    constexpr int kInset = 4;
    if (orientation() == Qt::Horizontal) {
        const int left = handle.left() + qMax(0, (handle.width() - 2 * kLine) / 2);
        const int top = kInset;
        const int height = qMax(0, this->height() - 2 * kInset);
        DrawEdge(painter, QRect(left, top, kLine, height), m_highlight, m_shadow);
        DrawEdge(painter, QRect(left + kLine, top, kLine, height), m_highlight, m_shadow);
    } else {
        const int top = handle.top() + qMax(0, (handle.height() - 2 * kLine) / 2);
        const int left = kInset;
        const int width = qMax(0, this->width() - 2 * kInset);
        DrawEdge(painter, QRect(left, top, width, kLine), m_highlight, m_shadow);
        DrawEdge(painter, QRect(left, top + kLine, width, kLine), m_highlight, m_shadow);
    }
}

void CToolBarEx::PaintSeparator(QWidget* separator)
{
    const QRect r = separator->rect();
    const bool horizontal = orientation() == Qt::Horizontal;
    const int extent = horizontal ? r.width() : r.height();
    if (extent > kEtchedSeparatorMax) {
        return; // a slot for a control
    }
    QPainter painter(separator);
    if (horizontal) {
        DrawEdge(painter, QRect(r.left() + (r.width() - 2) / 2, r.top(), 2, r.height()), m_shadow, m_highlight);
    } else {
        // Two pixels high and one button wide.
        const int width = qMin(ButtonSize().width(), r.width());
        DrawEdge(painter, QRect(r.left() + (r.width() - width) / 2, r.top() + (r.height() - 2) / 2, width, 2), m_shadow,
                 m_highlight);
    }
}

void CToolBarEx::PaintButton(QToolButton* button)
{
    QAction* action = button->defaultAction();
    const bool down = action->isChecked() || button->isDown();
    const bool enabled = action->isEnabled() && button->isEnabled();
    const bool hot = action == m_hot;
    const int s = down ? 1 : 0;

    // Built in an image first: embossing works on the finished pixels.
    QImage image(button->size(), QImage::Format_ARGB32_Premultiplied);
    const QRect r = image.rect();
    {
        QPainter painter(&image);
        painter.fillRect(r, down && !hot ? m_light : m_face);
        if (down) {
            DrawEdge(painter, r, m_shadow, m_highlight);
            if (!hot) {
                DrawEdge(painter, r.adjusted(1, 1, -1, -1), m_face, m_face);
            }
        } else if (hot && enabled) {
            DrawEdge(painter, r, m_highlight, m_shadow);
        }
        if (down && !hot && m_face == m_light) {
            painter.end();
            Checkerboard(image, r.adjusted(2, 2, -2, -2));
            painter.begin(&image);
        }
        const QSize icon = iconSize();
        const QPixmap pixmap = action->icon().pixmap(icon, QIcon::Normal, action->isChecked() ? QIcon::On : QIcon::Off);
        if (!pixmap.isNull()) {
            const QSize shown = pixmap.deviceIndependentSize().toSize();
            painter.drawPixmap(QPoint((r.width() - shown.width()) / 2 + s, (r.height() - shown.height()) / 2 + s), pixmap);
        } else if (!action->iconText().isEmpty()) {
            painter.setPen(palette().color(QPalette::ButtonText));
            painter.setFont(button->font());
            painter.drawText(r.translated(s, s), Qt::AlignCenter | Qt::TextDontClip, action->iconText());
        }
    }
    if (!enabled) {
        Emboss(image);
    }
    QPainter(button).drawImage(0, 0, image);
}

void CToolBarEx::Checkerboard(QImage& image, const QRect& inner) const
{
    const QRgb highlight = m_highlight.rgba();
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = inner.left(); x <= inner.right(); ++x) {
            if ((x + y) % 2 == 0) { // offsets from the corner both even or both odd
                line[x] = highlight;
            }
        }
    }
}

void CToolBarEx::Emboss(QImage& image) const
{
    // Ink: every pixel that is neither face nor highlight. It is drawn in
    // the highlight colour one pixel right and down, then in the shadow
    // colour in its place, on a plain face.
    const QRgb face = m_face.rgba();
    const QRgb highlight = m_highlight.rgba();
    const QRgb shadow = m_shadow.rgba();
    const int w = image.width();
    const int h = image.height();
    QImage ink(image.size(), QImage::Format_Mono);
    ink.fill(0);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (line[x] != face && line[x] != highlight) {
                ink.setPixel(x, y, 1);
            }
        }
    }
    image.fill(face);
    for (int y = 0; y + 1 < h; ++y) {
        auto* below = reinterpret_cast<QRgb*>(image.scanLine(y + 1));
        for (int x = 0; x + 1 < w; ++x) {
            if (ink.pixelIndex(x, y) != 0) {
                below[x + 1] = highlight;
            }
        }
    }
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (ink.pixelIndex(x, y) != 0) {
                line[x] = shadow;
            }
        }
    }
}
