#include "view/CListingEdit.h"

#include "document/CListingLines.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// Runs longer than this many bytes are cut to what is in sight before they
// are decoded and shaped; a line of megabytes costs what a screen shows.
constexpr std::size_t kLongRun = 1024;

QFont ListingFont()
{
    // The writer's font is Courier New; where it is not installed, its
    // metric-compatible Liberation Mono, else the system's fixed font.
    // Only installed families count: fontconfig would otherwise answer any
    // name with some substitute, fixed pitch or not.
    const QStringList installed = QFontDatabase::families();
    const auto has = [&](const QString& name) { return installed.contains(name, Qt::CaseInsensitive); };
    QFont font;
    if (has(QStringLiteral("Courier New"))) {
        font = QFont(QStringLiteral("Courier New"));
    } else if (has(QStringLiteral("Liberation Mono"))) {
        font = QFont(QStringLiteral("Liberation Mono"));
    } else {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(10); // the writer's \fs20, in half points
    return font;
}

double Luminance(const QColor& color)
{
    const auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}

// The byte offset just past `chars` characters of a UTF-8 text from `from`.
std::size_t SkipChars(std::string_view text, std::size_t from, std::size_t chars, bool utf8)
{
    if (!utf8)
        return std::min(text.size(), from + chars);
    std::size_t at = from;
    while (at < text.size() && chars > 0) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            ++at;
        --chars;
    }
    return at;
}

std::size_t CountChars(std::string_view text, bool utf8)
{
    if (!utf8)
        return text.size();
    // Characters are the bytes that do not continue one (10xxxxxx); eight
    // bytes are looked at a time, since a row may hold megabytes and is
    // measured on every paint.
    std::size_t continuing = 0;
    std::size_t at = 0;
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, sizeof word);
        // Bit 7 set and bit 6 clear in a byte (bit 6 moved up into bit 7);
        // the eight flags are summed into the top byte by one multiply.
        const std::uint64_t flags = (word & ~(word << 1) & kHighBits) >> 7;
        continuing += static_cast<std::size_t>((flags * 0x0101010101010101ULL) >> 56);
    }
    for (; at < text.size(); ++at)
        continuing += (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80 ? 1 : 0;
    return text.size() - continuing;
}

} // namespace

CListingEdit::CListingEdit(int margin, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_margin(margin)
{
    setViewportMargins(margin, margin, margin, margin);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    UpdateFonts();
    UpdateColors();
}

CListingEdit::~CListingEdit() = default;

void CListingEdit::SetLines(const CListingLines* lines, Decoder decoder)
{
    m_lines = lines;
    m_decoder = std::move(decoder);
    LinesChanged();
}

void CListingEdit::LinesChanged()
{
    UpdateRanges();
    viewport()->update();
}

int CListingEdit::RowCount() const
{
    return m_lines ? m_lines->RowCount() : 1;
}

void CListingEdit::UpdateFonts()
{
    m_plain = ListingFont();
    m_bold = m_plain;
    m_bold.setBold(true);
    m_italic = m_plain;
    m_italic.setItalic(true);
    qreal ascent = 0;
    qreal descent = 0;
    for (const QFont* font : {&m_plain, &m_bold, &m_italic}) {
        const QFontMetricsF metrics(*font, viewport());
        ascent = std::max(ascent, metrics.ascent());
        descent = std::max(descent, metrics.descent());
    }
    m_ascent = qRound(ascent);
    m_rowHeight = std::max(1, qRound(ascent + descent));
    m_advance = std::max<qreal>(1, QFontMetricsF(m_plain, viewport()).horizontalAdvance(QLatin1Char('X')));
    // The writer's \li360: a quarter inch, in the screen's pixels.
    double dpi = 96;
    if (!QCoreApplication::testAttribute(Qt::AA_Use96Dpi))
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            dpi = screen->logicalDotsPerInchX();
    m_indent = qRound(360 * dpi / 1440.0);
}

const QFont& CListingEdit::FontOf(CCueRichWriter::Style style) const
{
    const CCueRichWriter::Look& look = CCueRichWriter::kLooks[static_cast<std::size_t>(style)];
    return look.bold ? m_bold : look.italic ? m_italic : m_plain;
}

double CListingEdit::ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor CListingEdit::Readable(const QColor& color, const QColor& background)
{
    // A light background keeps the writer's colours exactly.
    if (Luminance(background) >= 0.18 || ContrastRatio(color, background) >= 4.5)
        return color;
    float hue = 0;
    float saturation = 0;
    float lightness = 0;
    float alpha = 1;
    color.getHslF(&hue, &saturation, &lightness, &alpha);
    QColor lifted = color;
    for (int step = 1; step <= 100; ++step) {
        const float l = std::min(1.0f, lightness + (1.0f - lightness) * static_cast<float>(step) / 100.0f);
        lifted = QColor::fromHslF(hue, saturation, l, alpha);
        if (ContrastRatio(lifted, background) >= 4.5)
            break;
    }
    return lifted.toRgb();
}

void CListingEdit::UpdateColors()
{
    const QColor base = palette().color(QPalette::Base);
    for (std::size_t i = 0; i < m_colors.size(); ++i) {
        const CCueRichWriter::Look& look = CCueRichWriter::kLooks[i];
        m_colors[i] = Readable(QColor(look.red, look.green, look.blue), base);
    }
}

QColor CListingEdit::StyleColor(CCueRichWriter::Style style) const
{
    return m_colors[static_cast<std::size_t>(style)];
}

void CListingEdit::UpdateRanges()
{
    const int height = RowCount() * m_rowHeight;
    QScrollBar* vbar = verticalScrollBar();
    vbar->setRange(0, std::max(0, height - viewport()->height()));
    vbar->setSingleStep(m_rowHeight);
    vbar->setPageStep(std::max(m_rowHeight, viewport()->height() / m_rowHeight * m_rowHeight));
    const std::size_t widest = m_lines ? m_lines->WidestLine() : 0;
    const auto width = static_cast<qint64>(std::ceil(m_indent + static_cast<double>(widest + 1) * m_advance));
    QScrollBar* hbar = horizontalScrollBar();
    hbar->setRange(0, static_cast<int>(std::clamp<qint64>(width - viewport()->width(), 0, 1 << 30)));
    hbar->setSingleStep(CharWidth());
    hbar->setPageStep(std::max(1, viewport()->width()));
}

QRect CListingEdit::LineRect(int row) const
{
    const qint64 top = static_cast<qint64>(row) * m_rowHeight - verticalScrollBar()->value();
    return QRect(-horizontalScrollBar()->value(), static_cast<int>(top),
                 std::max(viewport()->width(), horizontalScrollBar()->maximum() + viewport()->width()), m_rowHeight);
}

int CListingEdit::RowAtY(int y) const
{
    const qint64 at = static_cast<qint64>(y) + verticalScrollBar()->value();
    return static_cast<int>(at >= 0 ? at / m_rowHeight : (at - m_rowHeight + 1) / m_rowHeight);
}

QString CListingEdit::LineText(int row) const
{
    if (!m_lines || row < 0 || row >= RowCount())
        return {};
    const CCueRichWriter::StyledLine& line = m_lines->Line(row);
    return m_decoder ? m_decoder(line.text, line.utf8) : QString::fromStdString(line.text);
}

CCueRichWriter::Style CListingEdit::StyleAt(int row, int column) const
{
    if (!m_lines || row < 0 || row >= RowCount() || column < 0)
        return CCueRichWriter::Style::Plain;
    const CCueRichWriter::StyledLine& line = m_lines->Line(row);
    const std::size_t at = SkipChars(line.text, 0, static_cast<std::size_t>(column), line.utf8);
    CCueRichWriter::Style style = CCueRichWriter::Style::Plain;
    for (const CCueRichWriter::Run& run : line.runs) {
        if (run.start > at)
            break;
        style = run.style;
    }
    return at < line.text.size() ? style : CCueRichWriter::Style::Plain;
}

void CListingEdit::SetHighlight(int first, int end)
{
    if (first == m_first && end == m_end)
        return;
    m_first = first;
    m_end = end;
    viewport()->update();
}

void CListingEdit::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect area = event->rect();
    const int rows = RowCount();
    const int from = std::max(0, RowAtY(area.top()));
    const int to = std::min(rows - 1, RowAtY(area.bottom()));
    const QPalette& pal = palette();
    const QFontMetricsF metrics(m_plain, viewport());
    for (int row = from; row <= to; ++row) {
        const QRect rect = LineRect(row);
        const bool selected = m_first >= 0 && row >= m_first && row < m_end;
        if (selected) {
            // The selection covers the row's text from the indent, and a
            // quarter of a row's height for the line break after it, as a
            // text control shows whole selected lines.
            const qreal left = rect.left() + m_indent;
            const qreal right = DrawRow(nullptr, row, rect.top(), true) + m_rowHeight / 4.0;
            painter.fillRect(QRectF(left, rect.top(), std::min<qreal>(right, viewport()->width() + 1) - left, m_rowHeight),
                             pal.color(QPalette::Highlight));
        }
        DrawRow(&painter, row, rect.top(), selected);
        if (row == m_first && m_first < rows - 1) {
            // The bullet sits in the indent, a blank's width before the text.
            const qreal size = metrics.lineSpacing() / 3;
            const qreal x = rect.left() + m_indent - metrics.horizontalAdvance(QLatin1Char(' ')) - size;
            const qreal y = rect.top() + metrics.height() / 2 - size / 2;
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(StyleColor(CCueRichWriter::Style::Plain));
            painter.drawEllipse(QRectF(x, y, size, size));
            painter.restore();
        }
    }
}

qreal CListingEdit::DrawRow(QPainter* painter, int row, int y, bool selected) const
{
    qreal x = m_indent - horizontalScrollBar()->value();
    if (!m_lines || row >= m_lines->RowCount() - 1)
        return x;
    const CCueRichWriter::StyledLine& line = m_lines->Line(row);
    const std::string_view text(line.text);
    const int right = viewport()->width();
    const QColor selectedText = palette().color(QPalette::HighlightedText);
    for (std::size_t i = 0; i < line.runs.size(); ++i) {
        const CCueRichWriter::Run& run = line.runs[i];
        const std::size_t end = i + 1 < line.runs.size() ? line.runs[i + 1].start : text.size();
        std::string_view bytes = text.substr(run.start, end - run.start);
        const QFont& font = FontOf(run.style);
        if (painter) {
            painter->setFont(font);
            painter->setPen(selected ? selectedText : StyleColor(run.style));
        }
        if (bytes.size() > kLongRun || x >= right) {
            // A long run (or one past the right edge) counts fixed-pitch
            // cells: only the cells in sight are decoded and shaped.
            const std::size_t chars = CountChars(bytes, line.utf8);
            const qreal width = static_cast<qreal>(chars) * m_advance;
            if (painter && x + width > 0 && x < right) {
                const std::size_t skip = x < 0 ? static_cast<std::size_t>(-x / m_advance) : 0;
                const std::size_t want = static_cast<std::size_t>((right - std::max<qreal>(x, 0)) / m_advance) + 2;
                const std::size_t a = SkipChars(bytes, 0, skip, line.utf8);
                const std::size_t b = SkipChars(bytes, a, want, line.utf8);
                const QString shown = m_decoder ? m_decoder(bytes.substr(a, b - a), line.utf8)
                                                : QString::fromUtf8(bytes.data() + a, static_cast<qsizetype>(b - a));
                painter->drawText(QPointF(x + static_cast<qreal>(skip) * m_advance, y + m_ascent), shown);
            }
            x += width;
            continue;
        }
        const QString shown = m_decoder ? m_decoder(bytes, line.utf8)
                                        : QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
        const qreal width = QFontMetricsF(font, viewport()).horizontalAdvance(shown);
        if (painter && x + width > 0)
            painter->drawText(QPointF(x, y + m_ascent), shown);
        x += width;
    }
    return x;
}

void CListingEdit::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateRanges();
}

void CListingEdit::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        UpdateColors();
    if (event->type() == QEvent::FontChange) {
        UpdateFonts();
        UpdateRanges();
    }
}

void CListingEdit::scrollContentsBy(int, int)
{
    viewport()->update();
}

QSize CListingEdit::viewportSizeHint() const
{
    return {m_indent + 72 * CharWidth(), 10 * m_rowHeight};
}
