#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class CCueIndex;
class CPeaks;

// One index on the waveform: where it is, how far a drag may take it and
// its label. Times are CD frames (bins of the peaks) from the file's start.
struct WaveMark {
    CCueIndex* index = nullptr;
    std::int64_t bin = 0;
    std::int64_t lower = 0; // the drag limits, both included
    std::int64_t upper = 0;
    QString label;
    bool trackStart = false; // INDEX 01
    bool draggable = false;
    bool current = false;
};

// A gap: the part of the file before INDEX 01, drawn as a band, or a gap the
// burner makes up (PREGAP, POSTGAP), which is not in the file: a tag with its
// length where the burner puts it (first and end are that place).
struct WaveSpan {
    std::int64_t first = 0;
    std::int64_t end = 0;
    QString label;
    bool generated = false;
};

// The painted waveform: a time ruler along the top, the peaks of every
// channel (all channels mixed beyond two), silences shaded, the sheet's
// marks and the play position. The picture of the peaks is kept in an
// image that is drawn again only when the span, the size, the silences or
// the palette change; a repaint for a moving play line or a dragged mark
// only draws the image and the marks over it. It never takes the focus, so
// the listing keeps its keys.
class CWaveformView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CWaveformView)

public:
    // Pixels a mark may be missed by and still be grabbed, and the reach of
    // the snap to a silence's end.
    static constexpr int kGrab = 4;
    static constexpr int kSnapReach = 8;

    explicit CWaveformView(QWidget* parent = nullptr);
    ~CWaveformView() override;

    void SetPeaks(std::shared_ptr<const CPeaks> peaks);
    const std::shared_ptr<const CPeaks>& Peaks() const { return m_peaks; }
    void SetMarks(std::vector<WaveMark> marks, std::vector<WaveSpan> spans);
    const std::vector<WaveMark>& Marks() const { return m_marks; }
    // Track starts proposed but not yet in the sheet, drawn as dashed
    // marks of their own; none clears them.
    void SetProposals(std::vector<std::int64_t> bins);
    const std::vector<std::int64_t>& Proposals() const { return m_proposals; }
    const std::vector<WaveSpan>& Spans() const { return m_spans; }
    // The play position in CD frames; negative hides the line.
    void SetPlayPosition(double bin);
    double PlayPosition() const { return m_play; }
    // Silences: every channel within level (of full scale) for seconds.
    void SetSilence(double level, double seconds);
    const std::vector<std::pair<std::size_t, std::size_t>>& Silences() const { return m_silences; }
    void SetSnap(bool on) { m_snap = on; }
    bool Snap() const { return m_snap; }

    // The span shown: the bin at the left edge and bins per pixel, from one
    // (a CD frame a pixel) to the whole file across the width.
    double FirstBin() const { return m_first; }
    double BinsPerPixel() const { return m_perPixel; }
    double BinAt(double x) const { return m_first + x * m_perPixel; }
    double XOfBin(double bin) const { return (bin - m_first) / m_perPixel; }
    std::int64_t BinCount() const;
    double MaxBinsPerPixel() const;
    void SetFirstBin(double bin);
    // Zooms by factor (below 1 zooms in) keeping the bin under x in place.
    void ZoomAt(double x, double factor);
    void ZoomIn();
    void ZoomOut();
    void ZoomToFit();
    bool CanZoomIn() const;
    bool CanZoomOut() const;

    // The mark within kGrab pixels of x, nearest first; -1 for none.
    int MarkAt(double x) const;
    // Where a drag of mark to x lands: whole CD frames, snapped to a
    // silence's end when snapping is on, kept within the mark's limits.
    std::int64_t DragTarget(int mark, double x) const;
    int DraggedMark() const { return m_dragging ? m_pressedMark : -1; }
    std::int64_t DragBin() const { return m_dragBin; }
    // Repaints of the peaks' image so far, for tests and benchmarks.
    int ImageRenders() const { return m_renders; }
    int RulerHeight() const;

    QSize sizeHint() const override { return {600, 140}; }
    QSize minimumSizeHint() const override { return {100, 60}; }

Q_SIGNALS:
    void SeekRequested(std::int64_t bin);
    // While a mark is dragged, and when it is dropped somewhere else.
    void MarkMoving(int mark, std::int64_t bin);
    void MarkDropped(int mark, std::int64_t bin);
    void MarkActivated(int mark);
    void ContextMenuRequested(std::int64_t bin, const QPoint& globalPos);
    void PointerMoved(std::int64_t bin);
    // The span shown changed.
    void ViewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void RenderImage();
    void DrawRuler(QImage& image) const;
    void DrawMarks(QPainter& painter) const;
    void Invalidate();
    void Clamp();
    std::int64_t SnapToFrame(double x) const;

    std::shared_ptr<const CPeaks> m_peaks;
    std::vector<WaveMark> m_marks;
    std::vector<std::int64_t> m_proposals;
    std::vector<WaveSpan> m_spans;
    std::vector<std::pair<std::size_t, std::size_t>> m_silences;
    double m_silenceLevel = 0.003;
    double m_silenceSeconds = 1.0;
    double m_play = -1;
    bool m_snap = true;
    double m_first = 0;
    double m_perPixel = 1;
    bool m_fitted = true; // follows the width until the user zooms

    QImage m_image;
    bool m_imageValid = false;
    int m_renders = 0;

    int m_pressedMark = -1;
    bool m_pressed = false;
    bool m_dragging = false;
    double m_pressX = 0;
    std::int64_t m_dragBin = 0;
};
