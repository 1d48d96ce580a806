#pragma once

#include <functional>
#include <optional>

#include <QColor>
#include <QPointer>
#include <QTimer>
#include <QToolBar>

class QPainter;
class QToolButton;

// The program's toolbar: a flat look painted by the bar itself (hot buttons
// raised, down buttons sunken, disabled buttons embossed, etched separators,
// a gripper) and child controls in place of buttons.
//
// Buttons are the shared command actions, added with QToolBar::addAction;
// each action's data() holds its command id (an int, 0 for separators).
class CToolBarEx final : public QToolBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CToolBarEx)

public:
    // Builds an embedded control as a child of the given parent.
    using ControlFactory = std::function<QWidget*(QWidget* parent)>;

    static constexpr int kEtchedSeparatorMax = 8; // pixels; wider ones are slots
    static constexpr int kHotTimerMs = 250;

    explicit CToolBarEx(QWidget* parent = nullptr);
    explicit CToolBarEx(const QString& title, QWidget* parent = nullptr);
    ~CToolBarEx() override;

    // Adds a separator of the given width (height in a vertical bar). One of
    // 8 pixels or less is drawn etched, a wider one is left blank.
    QAction* AddSeparator(int width = kEtchedSeparatorMax);

    // Puts a control of a registered class in place of the button carrying
    // commandId: the button becomes a blank slot |rect.width()| wide and the
    // control, |rect.width()| by |rect.height()|, sits at the slot's top-left
    // corner and is shown. Returns null, changing nothing, when no button
    // carries the id or the class is unknown. The control belongs to the bar.
    QWidget* InsertControl(const QString& className, const QRect& rect, int commandId);

    // The classes InsertControl can create. Built in: "CWavePos", "QComboBox"
    // and "QLineEdit". Returns false when the name was already taken.
    static bool RegisterControlClass(const QString& className, ControlFactory factory);

    // The button action carrying commandId, or null.
    QAction* ButtonOf(int commandId) const;
    // The control InsertControl put in place of commandId, or null.
    QWidget* ControlOf(int commandId) const;
    // The button under the mouse, or null.
    QAction* HotButton() const { return m_hot; }

    // A floating bar shows its title in a strip of its own, with a close
    // box; both are empty while the bar is docked.
    QRect TitleRect() const;
    QRect CloseBoxRect() const;
    // Docks a floating bar again where it was docked last.
    void Dock();

    QColor FaceColour() const { return m_face; }
    QColor HighlightColour() const { return m_highlight; }
    QColor ShadowColour() const { return m_shadow; }
    QColor LightColour() const { return m_light; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void actionEvent(QActionEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ReadColours();
    QSize ButtonSize() const;
    void AdoptItem(QAction* action);
    void ApplyButtonSize();
    QToolButton* ButtonWidget(QAction* action) const;
    bool IsSeparatorWidget(const QObject* object) const;
    QWidget* MakeSeparator(int width);
    void SizeSeparator(QWidget* separator) const;
    void OnOrientationChanged();
    int TitleHeight() const;
    void UpdateTitleSpace();
    void ShiftBelowTitle();
    void RememberDockArea();
    void PaintTitle(QPainter& painter);

    void TrackHot(const QPoint& barPos);
    void OnHotTimer();
    void DropHot();

    void PaintButton(QToolButton* button);
    void PaintSeparator(QWidget* separator);
    void PaintGripper(QPainter& painter);
    void Emboss(QImage& image) const;
    void Checkerboard(QImage& image, const QRect& inner) const;

    QColor m_face;      // button faces
    QColor m_highlight; // lit edges
    QColor m_shadow;    // shaded edges
    QColor m_light;     // the face of a down button
    QPointer<QAction> m_hot;
    QTimer m_hotTimer;
    Qt::ToolBarArea m_dockArea = Qt::TopToolBarArea;
    std::optional<QPointF> m_titleDrag; // the press's offset into the bar

};
