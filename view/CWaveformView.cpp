#include "view/CWaveformView.h"

#include "audio/CPeaks.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kZoomStep = 1.25; // per wheel notch and per Zoom In
constexpr int kLaneGap = 2;

// Ruler steps in CD frames: a frame, then seconds and minutes.
constexpr std::int64_t kRulerSteps[] = {1, 5, 15, 75, 150, 375, 750, 1500, 2250, 4500, 9000, 22500, 45000, 90000, 225000};

QString TimeText(std::int64_t bin)
{
    const std::int64_t frames = bin % 75;
    const std::int64_t seconds = (bin / 75) % 60;
    const std::int64_t minutes = bin / 75 / 60;
    return QStringLiteral("%1:%2:%3")
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds, 2, 10, QLatin1Char('0'))
        .arg(frames, 2, 10, QLatin1Char('0'));
}

QRgb Blend(const QColor& over, const QColor& under, double alpha)
{
    auto mix = [alpha](int a, int b) { return static_cast<int>(std::lround(a * alpha + b * (1 - alpha))); };
    return qRgb(mix(over.red(), under.red()), mix(over.green(), under.green()), mix(over.blue(), under.blue()));
}

} // namespace

CWaveformView::CWaveformView(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

CWaveformView::~CWaveformView() = default;

void CWaveformView::SetPeaks(std::shared_ptr<const CPeaks> peaks)
{
    m_peaks = std::move(peaks);
    m_fitted = true;
    m_first = 0;
    m_dragging = m_pressed = false;
    SetSilence(m_silenceLevel, m_silenceSeconds);
    Clamp();
    Invalidate();
    emit ViewChanged();
}

void CWaveformView::SetMarks(std::vector<WaveMark> marks, std::vector<WaveSpan> spans)
{
    // A drag under way keeps its mark; the sheet changes only on the drop.
    if (m_dragging || m_pressed) {
        m_dragging = m_pressed = false;
        m_pressedMark = -1;
    }
    m_marks = std::move(marks);
    m_spans = std::move(spans);
    update();
}

void CWaveformView::SetProposals(std::vector<std::int64_t> bins)
{
    if (bins == m_proposals)
        return;
    m_proposals = std::move(bins);
    update();
}

void CWaveformView::SetPlayPosition(double bin)
{
    if (bin == m_play)
        return;
    const double oldX = XOfBin(m_play);
    m_play = bin;
    const double newX = XOfBin(m_play);
    // Only the strips of the old and the new line.
    update(QRect(static_cast<int>(oldX) - 2, 0, 5, height()));
    update(QRect(static_cast<int>(newX) - 2, 0, 5, height()));
}

void CWaveformView::SetSilence(double level, double seconds)
{
    m_silenceLevel = level;
    m_silenceSeconds = seconds;
    m_silences.clear();
    if (m_peaks) {
        const auto bins = static_cast<std::size_t>(std::lround(seconds * CPeaks::kBinsPerSecond));
        m_silences = m_peaks->Silences(level, std::max<std::size_t>(bins, 1));
    }
    Invalidate();
}

std::int64_t CWaveformView::BinCount() const
{
    return m_peaks ? static_cast<std::int64_t>(m_peaks->BinCount()) : 0;
}

double CWaveformView::MaxBinsPerPixel() const
{
    return std::max(1.0, static_cast<double>(BinCount()) / std::max(1, width()));
}

void CWaveformView::Clamp()
{
    if (m_fitted)
        m_perPixel = MaxBinsPerPixel();
    m_perPixel = std::clamp(m_perPixel, 1.0, MaxBinsPerPixel());
    const double last = std::max(0.0, static_cast<double>(BinCount()) - width() * m_perPixel);
    m_first = std::clamp(m_first, 0.0, last);
}

void CWaveformView::SetFirstBin(double bin)
{
    const double before = m_first;
    m_first = bin;
    Clamp();
    if (m_first != before) {
        Invalidate();
        emit ViewChanged();
    }
}

void CWaveformView::ZoomAt(double x, double factor)
{
    const double anchor = BinAt(x);
    const double before = m_perPixel;
    m_perPixel = std::clamp(m_perPixel * factor, 1.0, MaxBinsPerPixel());
    m_fitted = m_perPixel >= MaxBinsPerPixel();
    m_first = anchor - x * m_perPixel;
    Clamp();
    if (m_perPixel != before) {
        Invalidate();
        emit ViewChanged();
    }
}

void CWaveformView::ZoomIn()
{
    const double x = m_play >= 0 && XOfBin(m_play) >= 0 && XOfBin(m_play) < width() ? XOfBin(m_play) : width() / 2.0;
    ZoomAt(x, 1 / kZoomStep);
}

void CWaveformView::ZoomOut() { ZoomAt(width() / 2.0, kZoomStep); }

void CWaveformView::ZoomToFit()
{
    m_fitted = true;
    m_first = 0;
    Clamp();
    Invalidate();
    emit ViewChanged();
}

bool CWaveformView::CanZoomIn() const { return m_peaks && m_perPixel > 1.0; }
bool CWaveformView::CanZoomOut() const { return m_peaks && m_perPixel < MaxBinsPerPixel(); }

int CWaveformView::RulerHeight() const { return fontMetrics().height() + 6; }

void CWaveformView::Invalidate()
{
    m_imageValid = false;
    update();
}

int CWaveformView::MarkAt(double x) const
{
    int best = -1;
    double bestDistance = kGrab + 0.5;
    for (std::size_t i = 0; i < m_marks.size(); ++i) {
        const double d = std::abs(XOfBin(static_cast<double>(m_marks[i].bin)) - x);
        // Of marks on one spot, the one that can move wins.
        if (d < bestDistance || (d == bestDistance && best >= 0 && !m_marks[static_cast<std::size_t>(best)].draggable
                                 && m_marks[i].draggable)) {
            best = static_cast<int>(i);
            bestDistance = d;
        }
    }
    return best;
}

std::int64_t CWaveformView::SnapToFrame(double x) const
{
    const auto bin = static_cast<std::int64_t>(std::floor(BinAt(x) + 0.5));
    return std::clamp<std::int64_t>(bin, 0, std::max<std::int64_t>(BinCount(), 0));
}

std::int64_t CWaveformView::DragTarget(int mark, double x) const
{
    if (mark < 0 || static_cast<std::size_t>(mark) >= m_marks.size())
        return 0;
    const WaveMark& m = m_marks[static_cast<std::size_t>(mark)];
    std::int64_t bin = SnapToFrame(x);
    if (m_snap) {
        // Where the sound after a silence begins.
        double nearest = kSnapReach + 0.5;
        for (const auto& silence : m_silences) {
            const double d = std::abs(XOfBin(static_cast<double>(silence.second)) - x);
            if (d < nearest) {
                nearest = d;
                bin = static_cast<std::int64_t>(silence.second);
            }
        }
    }
    return std::clamp(bin, m.lower, std::max(m.lower, m.upper));
}

void CWaveformView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Clamp();
    Invalidate();
    emit ViewChanged();
}

void CWaveformView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        Invalidate();
    QWidget::changeEvent(event);
}

void CWaveformView::RenderImage()
{
    const QSize size = this->size();
    if (m_image.size() != size)
        m_image = QImage(size, QImage::Format_RGB32);
    const QPalette& pal = palette();
    const QColor base = pal.color(QPalette::Base);
    m_image.fill(base);
    ++m_renders;
    m_imageValid = true;
    const int ruler = RulerHeight();
    const int w = size.width();
    const int h = size.height() - ruler;
    if (!m_peaks || h <= 0 || w <= 0 || m_peaks->BinCount() == 0) {
        DrawRuler(m_image);
        return;
    }

    // Silences first, as bands under the wave.
    const QRgb quiet = Blend(pal.color(QPalette::Mid), base, 0.35);
    const QRgb wave = Blend(pal.color(QPalette::Text), base, 0.75);
    const QRgb quietWave = Blend(pal.color(QPalette::Text), Blend(pal.color(QPalette::Mid), base, 0.35), 0.75);
    const QRgb axis = Blend(pal.color(QPalette::Mid), base, 0.8);
    std::vector<bool> silent(static_cast<std::size_t>(w), false);
    for (const auto& s : m_silences) {
        const int a = std::max(0, static_cast<int>(std::floor(XOfBin(static_cast<double>(s.first)))));
        const int b = std::min(w, static_cast<int>(std::ceil(XOfBin(static_cast<double>(s.second)))));
        for (int x = a; x < b; ++x)
            silent[static_cast<std::size_t>(x)] = true;
    }

    const int channels = m_peaks->Channels();
    const int lanes = channels <= 2 ? channels : 1;
    const int laneHeight = (h - kLaneGap * (lanes - 1)) / lanes;
    const std::size_t bins = m_peaks->BinCount();
    for (int lane = 0; lane < lanes; ++lane) {
        const int top = ruler + lane * (laneHeight + kLaneGap);
        const double mid = top + (laneHeight - 1) / 2.0;
        const double half = (laneHeight - 1) / 2.0;
        const int channel = lanes == channels ? lane : CPeaks::kMixed;
        for (int x = 0; x < w; ++x) {
            const bool q = silent[static_cast<std::size_t>(x)];
            if (q) {
                for (int y = top; y < top + laneHeight; ++y)
                    reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = quiet;
            }
            reinterpret_cast<QRgb*>(m_image.scanLine(static_cast<int>(mid)))[x] = axis;
            auto first = static_cast<std::size_t>(std::max(0.0, std::floor(BinAt(x))));
            auto end = static_cast<std::size_t>(std::max(0.0, std::floor(BinAt(x + 1))));
            end = std::max(end, first + 1);
            if (first >= bins)
                continue;
            const CPeaks::Pair p = m_peaks->Range(first, std::min(end, bins), channel);
            if (p.min == 0 && p.max == 0)
                continue;
            const int y0 = std::clamp(static_cast<int>(std::floor(mid - CPeaks::ToFloat(p.max) * half)), top,
                                      top + laneHeight - 1);
            const int y1 = std::clamp(static_cast<int>(std::ceil(mid - CPeaks::ToFloat(p.min) * half)), top,
                                      top + laneHeight - 1);
            for (int y = y0; y <= y1; ++y)
                reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = q ? quietWave : wave;
        }
    }
    DrawRuler(m_image);
}

void CWaveformView::DrawRuler(QImage& image) const
{
    QPainter painter(&image);
    const QPalette& pal = palette();
    const int ruler = RulerHeight();
    painter.fillRect(QRect(0, 0, image.width(), ruler), pal.color(QPalette::Window));
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawLine(0, ruler - 1, image.width(), ruler - 1);
    if (!m_peaks)
        return;
    const QFontMetrics metrics = fontMetrics();
    const int label = metrics.horizontalAdvance(QStringLiteral("00:00:00")) + 12;
    std::int64_t step = kRulerSteps[std::size(kRulerSteps) - 1];
    for (std::int64_t s : kRulerSteps) {
        if (s / m_perPixel >= label) {
            step = s;
            break;
        }
    }
    const auto firstTick = static_cast<std::int64_t>(std::floor(m_first / static_cast<double>(step))) * step;
    const double last = BinAt(image.width());
    painter.setFont(font());
    for (std::int64_t bin = firstTick; bin <= last; bin += step) {
        const int x = static_cast<int>(std::lround(XOfBin(static_cast<double>(bin))));
        painter.setPen(pal.color(QPalette::Mid));
        painter.drawLine(x, ruler - 5, x, ruler - 1);
        painter.setPen(pal.color(QPalette::WindowText));
        painter.drawText(x + 3, 2 + metrics.ascent(), TimeText(bin));
    }
}

void CWaveformView::DrawMarks(QPainter& painter) const
{
    const QPalette& pal = palette();
    const int ruler = RulerHeight();
    const QFontMetrics metrics = fontMetrics();
    const int h = height();
    // Gaps as bands along the ruler's foot.
    for (const WaveSpan& span : m_spans) {
        const double a = XOfBin(static_cast<double>(span.first));
        const double b = XOfBin(static_cast<double>(span.end));
        if (span.generated) {
            // A tag at the place, turned inwards at the file's end.
            const int textWidth = metrics.horizontalAdvance(span.label) + 6;
            const double left = a + textWidth > XOfBin(static_cast<double>(BinCount())) ? a - textWidth : a;
            if (left + textWidth < 0 || left > width())
                continue;
            const QRectF tag(left, h - metrics.height() - 3, textWidth, metrics.height() + 2);
            painter.fillRect(tag, pal.color(QPalette::Window));
            painter.setPen(QPen(pal.color(QPalette::Highlight), 1, Qt::DashLine));
            painter.drawRect(tag.adjusted(0, 0, -1, -1));
            painter.setPen(pal.color(QPalette::WindowText));
            painter.drawText(tag.adjusted(3, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, span.label);
            continue;
        }
        if (b < 0 || a > width())
            continue;
        QColor band = pal.color(QPalette::Highlight);
        band.setAlpha(70);
        painter.fillRect(QRectF(a, ruler, std::max(1.0, b - a), h - ruler), band);
        painter.setPen(pal.color(QPalette::Text));
        painter.drawText(QPointF(a + 2, h - 4), span.label);
    }
    // Proposals: dashed in the highlight colour, under the sheet's marks.
    painter.setPen(QPen(pal.color(QPalette::Highlight), 2, Qt::DashLine));
    for (const std::int64_t bin : m_proposals) {
        const double x = std::floor(XOfBin(static_cast<double>(bin))) + 0.5;
        if (x >= -1 && x <= width() + 1)
            painter.drawLine(QPointF(x, ruler), QPointF(x, h));
    }
    for (std::size_t i = 0; i < m_marks.size(); ++i) {
        const WaveMark& m = m_marks[i];
        const bool dragged = m_dragging && static_cast<int>(i) == m_pressedMark;
        const double x = std::floor(XOfBin(static_cast<double>(dragged ? m_dragBin : m.bin))) + 0.5;
        if (x < -200 || x > width() + 1)
            continue;
        const QColor colour = m.current || dragged ? pal.color(QPalette::Highlight) : pal.color(QPalette::Text);
        painter.setPen(QPen(colour, m.current || dragged ? 2 : 1, m.trackStart ? Qt::SolidLine : Qt::DashLine));
        painter.drawLine(QPointF(x, ruler), QPointF(x, h));
        const int textWidth = metrics.horizontalAdvance(m.label) + 6;
        // Other indexes label a row lower, clear of the track starts.
        const int row = m.trackStart ? 0 : metrics.height() + 3;
        const QRectF box(x, ruler + 1 + row, textWidth, metrics.height() + 2);
        painter.fillRect(box, m.current || dragged ? pal.color(QPalette::Highlight) : pal.color(QPalette::Window));
        painter.setPen(m.current || dragged ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::WindowText));
        painter.drawText(box.adjusted(3, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, m.label);
    }
    if (m_play >= 0) {
        const double x = std::floor(XOfBin(m_play)) + 0.5;
        painter.setPen(QPen(pal.color(QPalette::Link), 1));
        painter.drawLine(QPointF(x, 0), QPointF(x, h));
    }
}

void CWaveformView::paintEvent(QPaintEvent*)
{
    if (!m_imageValid || m_image.size() != size())
        RenderImage();
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
    // Without peaks there is no time scale to put the marks on.
    if (m_peaks)
        DrawMarks(painter);
}

void CWaveformView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_peaks) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    m_dragging = false;
    m_pressX = event->position().x();
    const int mark = MarkAt(m_pressX);
    m_pressedMark = mark >= 0 && m_marks[static_cast<std::size_t>(mark)].draggable ? mark : -1;
    event->accept();
}

void CWaveformView::mouseMoveEvent(QMouseEvent* event)
{
    const double x = event->position().x();
    if (m_peaks)
        emit PointerMoved(SnapToFrame(x));
    if (!m_pressed) {
        const int mark = MarkAt(x);
        setCursor(mark >= 0 && m_marks[static_cast<std::size_t>(mark)].draggable ? Qt::SizeHorCursor
                                                                                    : Qt::ArrowCursor);
        return;
    }
    if (m_pressedMark < 0)
        return;
    if (!m_dragging && std::abs(x - m_pressX) < QApplication::startDragDistance())
        return;
    const std::int64_t bin = DragTarget(m_pressedMark, x);
    if (!m_dragging || bin != m_dragBin) {
        m_dragging = true;
        m_dragBin = bin;
        update();
        emit MarkMoving(m_pressedMark, bin);
    }
}

void CWaveformView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    const int mark = m_pressedMark;
    m_pressedMark = -1;
    if (m_dragging) {
        m_dragging = false;
        update();
        if (m_dragBin != m_marks[static_cast<std::size_t>(mark)].bin)
            emit MarkDropped(mark, m_dragBin);
        return;
    }
    emit SeekRequested(SnapToFrame(event->position().x()));
}

void CWaveformView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_peaks)
        return;
    const int mark = MarkAt(event->position().x());
    if (mark >= 0)
        emit MarkActivated(mark);
    // A double click is no drag; the press that follows starts afresh.
    m_pressed = false;
    m_pressedMark = -1;
}

void CWaveformView::wheelEvent(QWheelEvent* event)
{
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (delta == 0 || !m_peaks) {
        event->ignore();
        return;
    }
    const double notches = delta / 120.0;
    if (event->modifiers() & Qt::ShiftModifier || angle.y() == 0)
        SetFirstBin(m_first - notches * width() * m_perPixel / 10);
    else
        ZoomAt(event->position().x(), std::pow(kZoomStep, -notches));
    event->accept();
}

void CWaveformView::contextMenuEvent(QContextMenuEvent* event)
{
    emit ContextMenuRequested(SnapToFrame(event->pos().x()), event->globalPos());
    event->accept();
}
