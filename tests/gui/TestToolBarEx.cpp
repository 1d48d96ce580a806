#include <memory>

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QWindow>
#include <QToolButton>
#include <QtTest>

#include "app/CToolBarEx.h"
#include "WindowTest.h"
#include "player/CWavePos.h"
#include "res/CommandIds.h"

namespace {

const QColor kFace(0xc0, 0xc0, 0xc0);
const QColor kHighlight(0xff, 0xff, 0xff);
const QColor kShadow(0x80, 0x80, 0x80);
const QColor kInk(Qt::black);

QPalette ClassicPalette(const QColor& light = kFace)
{
    QPalette palette;
    palette.setColor(QPalette::Button, kFace);
    palette.setColor(QPalette::Light, kHighlight);
    palette.setColor(QPalette::Dark, kShadow);
    palette.setColor(QPalette::Midlight, light);
    palette.setColor(QPalette::ButtonText, Qt::black);
    return palette;
}

// A black square on a transparent 16 by 16 image.
QIcon SquareIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(4, 4, 8, 8), kInk);
    return QIcon(pixmap);
}

class PaintCounter final : public QObject
{
public:
    explicit PaintCounter(QWidget* widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return false;
    }
};

bool HasColour(const QImage& image, const QRect& area, const QColor& colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

bool AllColour(const QImage& image, const QRect& area, const QColor& colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != colour) {
                return false;
            }
        }
    }
    return true;
}

// The main window with the wavebar's buttons: five commands, a separator
// and the position control's place.
struct Wavebar {
    QMainWindow window;
    CToolBarEx* bar = nullptr;
    QList<QAction*> commands;

    explicit Wavebar(const QPalette& palette = ClassicPalette())
    {
        window.setPalette(palette);
        bar = new CToolBarEx(QStringLiteral("Wavebar"), &window);
        window.addToolBar(bar);
        window.setCentralWidget(new QWidget(&window));
        window.resize(640, 200);
        for (const int id : {cmd::SkipBack1Min, cmd::SkipBack10Secs, cmd::PlayStop, cmd::SkipForward10Secs,
                             cmd::SkipForward1Min}) {
            commands.append(AddCommand(id));
        }
        bar->AddSeparator();
        commands.append(AddCommand(cmd::WavePosSlot));
    }

    QAction* AddCommand(int id)
    {
        auto* action = new QAction(SquareIcon(), QString::number(id), &window);
        action->setData(id);
        bar->addAction(action);
        return action;
    }

    QToolButton* Button(QAction* action) const { return qobject_cast<QToolButton*>(bar->widgetForAction(action)); }

    bool Show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

} // namespace

class TestToolBarEx final : public WindowTest
{
    Q_OBJECT

private Q_SLOTS:

    void insertControlRefused_data();
    void insertControlRefused();
    void insertWavePos_data();
    void insertWavePos();
    void registeredClass();
    void buttonsCarryCommandIds();
    void shiftClickSendsNoCommand();
    void hotButtonRaisedThenFlat();
    void noHotButtonUnderModalDialog();
    void disabledCommandNeverHot();
    void separators_data();
    void separators();
    void verticalSeparators_data();
    void verticalSeparators();
    void disabledButtonEmbossed();
    void checkedButton_data();
    void checkedButton();
    void paletteChangeRepaints();
    void stateUpdateRepaintsOnlyChangedButtons();
    void gripperRaised();

private:
    void InitCase() override;
};

void TestToolBarEx::InitCase()
{
    QDir::setCurrent(m_dir->path());
    QCursor::setPos(QPoint(790, 590));
}

void TestToolBarEx::insertControlRefused_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("commandId");
    QTest::newRow("no such button") << u"CWavePos"_qs << 12345;
    QTest::newRow("separator id") << u"CWavePos"_qs << 0;
    QTest::newRow("unknown class") << u"CNoSuchWindow"_qs << int(cmd::WavePosSlot);
}

void TestToolBarEx::insertControlRefused()
{
    QFETCH(QString, className);
    QFETCH(int, commandId);
    Wavebar wavebar;
    QVERIFY(wavebar.Show());
    const QList<QAction*> before = wavebar.bar->actions();
    const QList<QWidget*> children = wavebar.bar->findChildren<QWidget*>();
    const QSize size = wavebar.bar->sizeHint();

    QCOMPARE(wavebar.bar->InsertControl(className, QRect(-250, -22, 250, 22), commandId), nullptr);
    QCOMPARE(wavebar.bar->actions(), before);
    QCOMPARE(wavebar.bar->findChildren<QWidget*>(), children);
    QCOMPARE(wavebar.bar->sizeHint(), size);
    QCOMPARE(wavebar.bar->ButtonOf(cmd::WavePosSlot), wavebar.commands.last());
}

void TestToolBarEx::insertWavePos_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::newRow("left of the origin") << QRect(-250, -22, 250, 22);
    QTest::newRow("at the origin") << QRect(0, 0, 250, 22);
}

void TestToolBarEx::insertWavePos()
{
    QFETCH(QRect, rect);
    Wavebar wavebar;
    QWidget* control = wavebar.bar->InsertControl(u"CWavePos"_qs, rect, cmd::WavePosSlot);
    auto* pos = qobject_cast<CWavePos*>(control);
    QVERIFY(pos != nullptr);
    QVERIFY(pos->InitFonts());
    QVERIFY(wavebar.Show());

    QCOMPARE(pos->size(), QSize(250, 22));
    QVERIFY(pos->isVisible());
    QCOMPARE(wavebar.bar->ButtonOf(cmd::WavePosSlot), nullptr);
    QCOMPARE(wavebar.bar->ControlOf(cmd::WavePosSlot), control);
    // The slot is no button any more: a second insertion finds none.
    QCOMPARE(wavebar.bar->InsertControl(u"CWavePos"_qs, rect, cmd::WavePosSlot), nullptr);

    // The slot replaces the button in its place, after the separator, and
    // is as wide as the control; the control sits at its top-left corner.
    const QList<QAction*> actions = wavebar.bar->actions();
    QCOMPARE(actions.size(), 7);
    QCOMPARE(actions.last()->data().toInt(), int(cmd::WavePosSlot));
    QWidget* slot = wavebar.bar->widgetForAction(actions.last());
    QVERIFY(slot != nullptr);
    QCOMPARE(slot->width(), 250);
    QCOMPARE(pos->mapTo(wavebar.bar, QPoint(0, 0)), slot->geometry().topLeft());
    QVERIFY(slot->geometry().left() > wavebar.Button(wavebar.commands.at(4))->geometry().right());

    // The slot is left blank and the control is drawn in it.
    pos->SetFileName(u"C:\\AUDIO\\TRACK01.WAV"_qs);
    pos->SetPosition(CCueTime::FromMsf(1, 2, 3));
    const QImage image = wavebar.bar->grab().toImage();
    QVERIFY(HasColour(image, QRect(slot->geometry().topLeft(), QSize(120, 20)), kInk));
}

void TestToolBarEx::registeredClass()
{
    QVERIFY(CToolBarEx::RegisterControlClass(u"TestLabel"_qs, [](QWidget* parent) -> QWidget* {
        return new QWidget(parent);
    }));
    QVERIFY(!CToolBarEx::RegisterControlClass(u"CWavePos"_qs, [](QWidget* parent) -> QWidget* {
        return new QWidget(parent);
    }));
    Wavebar wavebar;
    QWidget* control = wavebar.bar->InsertControl(u"TestLabel"_qs, QRect(0, 0, 40, 20), cmd::PlayStop);
    QVERIFY(control != nullptr);
    QCOMPARE(qobject_cast<CWavePos*>(control), nullptr);
    QCOMPARE(control->size(), QSize(40, 20));
    QVERIFY(qobject_cast<QComboBox*>(wavebar.bar->InsertControl(u"QComboBox"_qs, QRect(0, 0, 80, 20),
                                                                cmd::SkipBack1Min))
            != nullptr);
}

void TestToolBarEx::buttonsCarryCommandIds()
{
    Wavebar wavebar;
    QCOMPARE(wavebar.bar->ButtonOf(cmd::PlayStop), wavebar.commands.at(2));
    QCOMPARE(wavebar.bar->ButtonOf(12345), nullptr);
    QCOMPARE(wavebar.bar->actions().at(5)->data().toInt(), 0);
    // Buttons are sized around their 16-pixel images.
    QCOMPARE(wavebar.Button(wavebar.commands.first())->size(), QSize(23, 23));
}

void TestToolBarEx::shiftClickSendsNoCommand()
{
    Wavebar wavebar;
    QVERIFY(wavebar.Show());
    QAction* play = wavebar.commands.at(2);
    QSignalSpy triggered(play, &QAction::triggered);
    QSignalSpy barTriggered(wavebar.bar, &QToolBar::actionTriggered);

    QTest::mouseClick(wavebar.Button(play), Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(triggered.count(), 0);
    QCOMPARE(barTriggered.count(), 0);
    QVERIFY(!wavebar.Button(play)->isDown());

    QTest::mouseClick(wavebar.Button(play), Qt::LeftButton);
    QCOMPARE(triggered.count(), 1);
    QCOMPARE(barTriggered.count(), 1);
}

void TestToolBarEx::hotButtonRaisedThenFlat()
{
    Wavebar wavebar;
    QVERIFY(wavebar.Show());
    QAction* play = wavebar.commands.at(2);
    QToolButton* button = wavebar.Button(play);

    QTest::mouseMove(button);
    QTRY_COMPARE(wavebar.bar->HotButton(), play);
    QImage image = button->grab().toImage();
    QCOMPARE(image.pixelColor(0, 0), kHighlight);
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), kShadow);

    // Moving on to the next button moves the raised border.
    QTest::mouseMove(wavebar.Button(wavebar.commands.at(3)));
    QTRY_COMPARE(wavebar.bar->HotButton(), wavebar.commands.at(3));

    // Leaving the window at once: no move reaches the bar, the timer drops
    // the hot button within a period.
    QCursor::setPos(wavebar.window.mapToGlobal(QPoint(600, 180)));
    QTRY_VERIFY_WITH_TIMEOUT(wavebar.bar->HotButton() == nullptr, CToolBarEx::kHotTimerMs * 4);
    image = wavebar.Button(wavebar.commands.at(3))->grab().toImage();
    QVERIFY(AllColour(image, QRect(0, 0, image.width(), 1), kFace));
}

void TestToolBarEx::noHotButtonUnderModalDialog()
{
    Wavebar wavebar;
    QVERIFY(wavebar.Show());
    QToolButton* button = wavebar.Button(wavebar.commands.at(2));
    const QPoint centre = button->rect().center();
    QMouseEvent move(QEvent::MouseMove, centre, button->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);

    QDialog dialog(&wavebar.window);
    dialog.setModal(true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.windowHandle()->requestActivate();
    QTRY_COMPARE(QApplication::activeWindow(), &dialog);
    QCoreApplication::sendEvent(button, &move);
    QCOMPARE(wavebar.bar->HotButton(), nullptr);

    dialog.close();
    wavebar.window.windowHandle()->requestActivate();
    QTRY_COMPARE(QApplication::activeWindow(), &wavebar.window);
    QCoreApplication::sendEvent(button, &move);
    QCOMPARE(wavebar.bar->HotButton(), wavebar.commands.at(2));
}

void TestToolBarEx::disabledCommandNeverHot()
{
    Wavebar wavebar;
    QVERIFY(wavebar.Show());
    wavebar.commands.at(2)->setEnabled(false);
    QTest::mouseMove(wavebar.Button(wavebar.commands.at(2)));
    DeliverPendingEvents();
    QCOMPARE(wavebar.bar->HotButton(), nullptr);
}

void TestToolBarEx::separators_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("etched");
    QTest::newRow("2 pixels") << 2 << true;
    QTest::newRow("8 pixels") << 8 << true;
    QTest::newRow("9 pixels") << 9 << false;
    QTest::newRow("a slot") << 250 << false;
}

void TestToolBarEx::separators()
{
    QFETCH(int, width);
    QFETCH(bool, etched);
    Wavebar wavebar;
    QAction* separator = wavebar.bar->AddSeparator(width);
    wavebar.AddCommand(cmd::About);
    QVERIFY(wavebar.Show());

    const QRect area = wavebar.bar->widgetForAction(separator)->geometry();
    QCOMPARE(area.width(), width);
    const QImage image = wavebar.bar->grab().toImage();
    if (etched) {
        // A sunken line two pixels wide in the middle: shadow, highlight.
        const int x = area.left() + (width - 2) / 2;
        const int y = area.center().y();
        QCOMPARE(image.pixelColor(x, y), kShadow);
        QCOMPARE(image.pixelColor(x + 1, y), kHighlight);
    } else {
        QVERIFY(AllColour(image, area, kFace));
    }
}

void TestToolBarEx::verticalSeparators_data()
{
    QTest::addColumn<int>("area");
    QTest::newRow("left") << int(Qt::LeftToolBarArea);
    QTest::newRow("right") << int(Qt::RightToolBarArea);
}

// Docked at a side, a separator is a sunken strip two pixels high and one
// button wide: a shadow row over a highlight row.
void TestToolBarEx::verticalSeparators()
{
    QFETCH(int, area);
    Wavebar wavebar;
    wavebar.window.removeToolBar(wavebar.bar);
    wavebar.window.addToolBar(static_cast<Qt::ToolBarArea>(area), wavebar.bar);
    wavebar.bar->show();
    wavebar.window.resize(300, 400);
    QVERIFY(wavebar.Show());
    QCOMPARE(wavebar.bar->orientation(), Qt::Vertical);
    QWidget* separator = nullptr;
    for (QAction* action : wavebar.bar->actions()) {
        if (action->data().toInt() == 0)
            separator = wavebar.bar->widgetForAction(action);
    }
    QVERIFY(separator);
    const QRect area1 = separator->geometry();
    const int button = wavebar.Button(wavebar.commands.at(0))->width();
    QCOMPARE(area1.height(), CToolBarEx::kEtchedSeparatorMax);
    QVERIFY(area1.width() >= button);
    const QImage image = wavebar.bar->grab().toImage();
    const int left = area1.left() + (area1.width() - button) / 2;
    const int y = area1.top() + (area1.height() - 2) / 2;
    for (int x = left + 1; x < left + button - 1; ++x) {
        QCOMPARE(image.pixelColor(x, y), kShadow);
        QCOMPARE(image.pixelColor(x, y + 1), kHighlight);
    }
    // Nothing drawn beside the strip.
    for (int x = area1.left(); x <= area1.right(); ++x) {
        QCOMPARE(image.pixelColor(x, y - 1), kFace);
        QCOMPARE(image.pixelColor(x, y + 2), kFace);
    }
}

void TestToolBarEx::disabledButtonEmbossed()
{
    Wavebar wavebar;
    QVERIFY(wavebar.Show());
    QToolButton* button = wavebar.Button(wavebar.commands.at(2));
    QImage image = button->grab().toImage();
    QVERIFY(HasColour(image, image.rect(), kInk));

    wavebar.commands.at(2)->setEnabled(false);
    image = button->grab().toImage();
    QVERIFY(!HasColour(image, image.rect(), kInk));
    // The square in shadow, its copy one pixel right and down in highlight.
    const QRect square(button->width() / 2 - 4, button->height() / 2 - 4, 8, 8);
    QCOMPARE(image.pixelColor(square.topLeft()), kShadow);
    QCOMPARE(image.pixelColor(square.bottomRight() + QPoint(1, 1)), kHighlight);
    QCOMPARE(image.pixelColor(0, 0), kFace);
}

void TestToolBarEx::checkedButton_data()
{
    QTest::addColumn<QColor>("light");
    QTest::addColumn<bool>("checkerboard");
    QTest::newRow("light is the face") << kFace << true;
    QTest::newRow("light of its own") << QColor(0xe0, 0xe0, 0xe0) << false;
}

void TestToolBarEx::checkedButton()
{
    QFETCH(QColor, light);
    QFETCH(bool, checkerboard);
    Wavebar wavebar(ClassicPalette(light));
    QAction* play = wavebar.commands.at(2);
    play->setCheckable(true);
    play->setChecked(true);
    QVERIFY(wavebar.Show());

    const QImage image = wavebar.Button(play)->grab().toImage();
    // Sunken: shadow at the top-left, highlight at the bottom-right.
    QCOMPARE(image.pixelColor(0, 0), kShadow);
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), kHighlight);
    QCOMPARE(image.pixelColor(1, 1), kFace);
    if (checkerboard) {
        QCOMPARE(image.pixelColor(2, 2), kHighlight);
        QCOMPARE(image.pixelColor(3, 2), light);
        QCOMPARE(image.pixelColor(3, 3), kHighlight);
    } else {
        QCOMPARE(image.pixelColor(2, 2), light);
        QCOMPARE(image.pixelColor(3, 2), light);
    }
    // The image moves one pixel right and down.
    const QRect square(image.width() / 2 - 4 + 1, image.height() / 2 - 4 + 1, 8, 8);
    QVERIFY(AllColour(image, square, kInk));
}

void TestToolBarEx::paletteChangeRepaints()
{
    Wavebar wavebar;
    QVERIFY(wavebar.Show());
    QToolButton* button = wavebar.Button(wavebar.commands.at(0));
    DeliverPendingEvents();
    auto* paints = new PaintCounter(button);

    QPalette palette = ClassicPalette();
    const QColor face(0x33, 0x66, 0x99);
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::Midlight, face);
    wavebar.window.setPalette(palette);
    QCOMPARE(wavebar.bar->FaceColour(), face);
    QTRY_VERIFY(paints->count > 0);

    const QImage image = wavebar.bar->grab().toImage();
    QCOMPARE(image.pixelColor(button->geometry().topLeft()), face);
    QCOMPARE(image.pixelColor(wavebar.bar->width() - 2, wavebar.bar->height() / 2), face);
}

void TestToolBarEx::stateUpdateRepaintsOnlyChangedButtons()
{
    Wavebar wavebar;
    QVERIFY(wavebar.Show());
    DeliverPendingEvents();
    auto* unchanged = new PaintCounter(wavebar.Button(wavebar.commands.at(0)));
    auto* changed = new PaintCounter(wavebar.Button(wavebar.commands.at(1)));

    wavebar.commands.at(0)->setEnabled(true);
    wavebar.commands.at(1)->setEnabled(false);
    QTRY_VERIFY(changed->count > 0);
    DeliverPendingEvents();
    QCOMPARE(unchanged->count, 0);
}

void TestToolBarEx::gripperRaised()
{
    Wavebar wavebar;
    QVERIFY(wavebar.Show());
    const QImage image = wavebar.bar->grab().toImage();
    // Two raised lines left of the first button: highlight then shadow,
    // twice, in the middle row.
    const int y = wavebar.bar->height() / 2;
    const int right = wavebar.Button(wavebar.commands.first())->geometry().left();
    QList<QColor> row;
    for (int x = 0; x < right; ++x) {
        const QColor colour = image.pixelColor(x, y);
        if (colour != kFace && (row.isEmpty() || row.last() != colour)) {
            row.append(colour);
        }
    }
    QCOMPARE(row, (QList<QColor>{kHighlight, kShadow, kHighlight, kShadow}));
}

QTEST_MAIN(TestToolBarEx)
#include "TestToolBarEx.moc"
