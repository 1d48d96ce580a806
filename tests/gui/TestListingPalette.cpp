// The listing's colours on a light and on a dark palette, read from the
// pixels the window draws: on a light palette every style keeps its own
// colour exactly; on a dark one every style reads against the background
// (contrast ratio 4.5 or more) and keeps its hue, and so do the toolbar's
// icons.

#include "WindowTest.h"

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "document/CQuillDoc.h"
#include "res/CommandIds.h"
#include "view/CListingEdit.h"
#include "view/CQuillView.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QPalette>
#include <QTest>

#include <cmath>
#include <map>

namespace {

QString DataFile(const char* name)
{
    return qEnvironmentVariable("TS_TEST_DATA") + QStringLiteral("/listing/") + QString::fromUtf8(name);
}

double Luminance(const QColor& c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark palette as desktop dark themes give it.
QPalette DarkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x24, 0x24, 0x24));
    p.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::AlternateBase, QColor(0x2a, 0x2a, 0x2a));
    p.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
    p.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

QPalette LightPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0xef, 0xef, 0xef));
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Button, QColor(0xef, 0xef, 0xef));
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

// Each style's colour as the writer names it.
const std::map<CCueRichWriter::Style, QColor>& WriterColours()
{
    static const std::map<CCueRichWriter::Style, QColor> colours = {
        {CCueRichWriter::Style::Plain, QColor(0, 0, 0)},       {CCueRichWriter::Style::Keyword, QColor(0, 0, 0)},
        {CCueRichWriter::Style::Index, QColor(0, 0, 128)},     {CCueRichWriter::Style::Track, QColor(128, 0, 0)},
        {CCueRichWriter::Style::File, QColor(0, 128, 0)},      {CCueRichWriter::Style::Comment, QColor(0, 0, 0)},
        {CCueRichWriter::Style::Unknown, QColor(128, 128, 128)}, {CCueRichWriter::Style::CdText, QColor(128, 0, 128)},
    };
    return colours;
}

} // namespace

class TestListingPalette final : public WindowTest
{
    Q_OBJECT

private:
    QPalette m_saved;

    void InitCase() override { m_saved = QApplication::palette(); }
    // The window closes before the palette it was drawn on comes back.
    void CleanupCase() override
    {
        StopApp();
        QApplication::setPalette(m_saved);
    }
    // The listing alone, at a size every style's line fits in.
    void Arrange(CMainFrame& frame) override
    {
        frame.WaveformDock()->hide();
        frame.resize(760, 560);
    }

    CListingEdit* Listing() const { return Frame()->View()->Listing(); }

    void StartWith(const char* sheet)
    {
        const QString path = m_dir->filePath(QStringLiteral("sheet.cue"));
        QVERIFY(QFile::copy(DataFile(sheet), path));
        StartApp({path});
        QVERIFY(!QTest::currentTestFailed());
        QApplication::setActiveWindow(Frame());
        Listing()->setFocus();
    }

    // Per style shown, the pixel of its characters that stands out most
    // from the background: the colour its glyphs are drawn in.
    std::map<CCueRichWriter::Style, QColor> InkOfStyles(const QImage& image, const QColor& base) const
    {
        std::map<CCueRichWriter::Style, QColor> ink;
        const qreal advance = Listing()->Advance();
        for (int row = 0; row < Listing()->RowCount() - 1; ++row) {
            const QRect rect = Listing()->LineRect(row);
            if (rect.top() < 0 || rect.bottom() >= image.height())
                continue;
            const QString text = Listing()->LineText(row);
            for (int column = 0; column < text.size(); ++column) {
                if (text.at(column).isSpace())
                    continue;
                const CCueRichWriter::Style style = Listing()->StyleAt(row, column);
                const int x0 = rect.left() + Listing()->Indent() + qFloor(column * advance);
                const int x1 = std::min(image.width(), rect.left() + Listing()->Indent() + qCeil((column + 1) * advance));
                for (int y = rect.top(); y <= rect.bottom(); ++y) {
                    for (int x = std::max(0, x0); x < x1; ++x) {
                        const QColor pixel = image.pixelColor(x, y);
                        auto found = ink.find(style);
                        if (found == ink.end() || Contrast(pixel, base) > Contrast(found->second, base))
                            ink[style] = pixel;
                    }
                }
            }
        }
        return ink;
    }

private slots:
    void stylesReadOnThePalette_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light palette") << false;
        QTest::newRow("dark palette") << true;
    }
    void stylesReadOnThePalette()
    {
        QFETCH(bool, dark);
        QApplication::setPalette(dark ? DarkPalette() : LightPalette());
        StartWith("every-style.cue");
        // The place below the last line: nothing highlighted.
        QTest::keyClick(Listing(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(Listing(), Qt::Key_Down);
        QCOMPARE(Frame()->View()->CurrentLine(), m_app->Document().LineCount());

        const QImage image = Listing()->viewport()->grab().toImage();
        const QColor base = Listing()->palette().color(QPalette::Base);
        const std::map<CCueRichWriter::Style, QColor> ink = InkOfStyles(image, base);
        // Every style of the writer is on the sheet.
        QCOMPARE(ink.size(), WriterColours().size());
        for (const auto& [style, colour] : ink) {
            const QColor own = WriterColours().at(style);
            const QByteArray what = QByteArray::number(static_cast<int>(style)) + ": " + colour.name().toLatin1();
            if (!dark) {
                QVERIFY2(colour == own, what.constData());
                continue;
            }
            QVERIFY2(Contrast(colour, base) >= 4.5, what.constData());
            // A colour keeps its hue; a grey stays a grey.
            if (own.hslSaturationF() > 0.2) {
                const int turn = std::abs(colour.hslHue() - own.hslHue());
                QVERIFY2(std::min(turn, 360 - turn) <= 12, what.constData());
            } else {
                QVERIFY2(colour.hslSaturationF() < 0.2, what.constData());
            }
        }

        // scripts/screenshot-palettes keeps the window as the read-me shows it.
        const QString shots = qEnvironmentVariable("TS_SCREENSHOT_DIR");
        if (!shots.isEmpty()) {
            QTest::keyClick(Listing(), Qt::Key_Home, Qt::ControlModifier);
            for (int i = 0; i < 5; ++i)
                QTest::keyClick(Listing(), Qt::Key_Down);
            const QString name = dark ? QStringLiteral("screenshot-dark.png") : QStringLiteral("screenshot-light.png");
            QVERIFY(Frame()->grab().save(shots + QLatin1Char('/') + name));
        }
    }

    void toolbarIconsReadOnThePalette_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light palette") << false;
        QTest::newRow("dark palette") << true;
    }
    void toolbarIconsReadOnThePalette()
    {
        QFETCH(bool, dark);
        QApplication::setPalette(dark ? DarkPalette() : LightPalette());
        StartWith("every-style.cue");
        const QColor window = Frame()->palette().color(QPalette::Window);
        for (int id : {cmd::Open, cmd::Save, cmd::Copy}) {
            const QImage icon = Frame()->Action(id)->icon().pixmap(QSize(16, 16)).toImage();
            QVERIFY(!icon.isNull());
            double best = 0;
            for (int y = 0; y < icon.height(); ++y)
                for (int x = 0; x < icon.width(); ++x) {
                    const QColor pixel = icon.pixelColor(x, y);
                    if (pixel.alpha() == 255)
                        best = std::max(best, Contrast(pixel, window));
                }
            QVERIFY2(best >= 4.5, QByteArray::number(id).constData());
        }
    }
};

QTEST_MAIN(TestListingPalette)
#include "TestListingPalette.moc"
