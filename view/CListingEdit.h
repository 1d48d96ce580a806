#pragma once

#include "model/CCueRichWriter.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QtMath>

#include <array>
#include <functional>
#include <string_view>

class CListingLines;

// The listing's control: draws the rows of a line model, one row of fixed
// height per line, in the display writer's font and styles, without any
// rich text. Only the rows in sight are drawn, and of a long run only the
// characters in sight are shaped. The text sits inside a fixed margin that
// does not scroll and is painted in the text's background colour; its
// scroll bars count pixels, the vertical one in steps of a row.
//
// On a dark base colour every style's colour is lifted until it reads
// against the base (contrast ratio 4.5 or more) with its hue kept; on a
// light one the styles keep their own colours.
class CListingEdit final : public QAbstractScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CListingEdit)

public:
    // Turns a run's bytes into the text shown (the sheet's character set;
    // utf8 tells whether the line's bytes are valid UTF-8).
    using Decoder = std::function<QString(std::string_view bytes, bool utf8)>;

    CListingEdit(int margin, QWidget* parent);
    ~CListingEdit() override;

    void SetLines(const CListingLines* lines, Decoder decoder);
    // The rows changed: the scroll ranges follow and the rows are drawn anew.
    void LinesChanged();

    int Margin() const { return m_margin; }
    int RowCount() const;
    int RowHeight() const { return m_rowHeight; }
    // The left indent of the text: where depth 0 starts.
    int Indent() const { return m_indent; }
    // The advance of a character of the listing's font, rounded up.
    int CharWidth() const { return qCeil(m_advance); }
    // The advance of one character cell of the listing's font.
    qreal Advance() const { return m_advance; }
    // A row's rectangle in the viewport's coordinates (the text's width).
    QRect LineRect(int row) const;
    // The row at a height of the viewport (any row number, not clamped).
    int RowAtY(int y) const;
    // A row's text as shown.
    QString LineText(int row) const;
    // The style of the character at a column (in characters) of a row's
    // text; Plain past its end.
    CCueRichWriter::Style StyleAt(int row, int column) const;

    // The current item's rows [first, end) are shown selected, with a
    // bullet before the row of the item itself; first < 0 for none.
    void SetHighlight(int first, int end);
    int HighlightFirst() const { return m_first; }
    int HighlightEnd() const { return m_end; }

    // The colour a style is drawn in on the current palette.
    QColor StyleColor(CCueRichWriter::Style style) const;
    // The colour that reads against a background: the colour itself when
    // its contrast ratio is 4.5 or more, else the same hue made lighter
    // (or darker on a light background) until it is.
    static QColor Readable(const QColor& color, const QColor& background);
    static double ContrastRatio(const QColor& a, const QColor& b);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    QSize viewportSizeHint() const override;

private:
    void UpdateFonts();
    void UpdateColors();
    void UpdateRanges();
    const QFont& FontOf(CCueRichWriter::Style style) const;
    // Draws a row's runs from x, cutting what lies beyond the viewport's
    // right edge or left of it; selected rows draw in the selection's text
    // colour.
    // Without a painter, only measures: returns where the row's text ends.
    qreal DrawRow(QPainter* painter, int row, int y, bool selected) const;

    int m_margin;
    const CListingLines* m_lines = nullptr;
    Decoder m_decoder;
    QFont m_plain;
    QFont m_bold;
    QFont m_italic;
    int m_rowHeight = 16;
    int m_ascent = 12;
    qreal m_advance = 8;
    int m_indent = 24;
    int m_first = -1;
    int m_end = -1;
    std::array<QColor, std::size(CCueRichWriter::kLooks)> m_colors;
};
