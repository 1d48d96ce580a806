#pragma once

#include "model/CCueRichWriter.h"

#include <cstddef>
#include <unordered_map>

class CCueItem;
class CQuillDoc;

// The lines of the listing: for each line of the sheet its item, its depth
// and its styled runs, as the display writer writes them. A line's runs are
// made when a view first asks for them and kept until the sheet changes, so
// an edit costs only the lines a view shows afterwards, never a rendering
// of the whole sheet. The row after the last line is the listing's empty
// last row: it has no item and no runs.
class CListingLines final
{
public:
    explicit CListingLines(const CQuillDoc& doc);

    // Rows of the listing: every line of the sheet and the empty last row.
    int RowCount() const;
    const CCueItem* Item(int row) const;
    // 0 for a top-level line, 1 inside a FILE, 2 inside a TRACK.
    int Depth(int row) const;
    // The shown bytes and runs of a row (empty for the last row).
    const CCueRichWriter::StyledLine& Line(int row) const;

    // The sheet changed: every line is made anew when next asked for.
    void Invalidate();
    // The most characters of any line made since the last MeasureAll(): the
    // widest line of the sheet as opened, or any wider line drawn since.
    std::size_t WidestLine() const { return m_widest; }
    // Makes every line once to learn the widest, and keeps the first
    // screen's; for a freshly opened sheet, shown from the top.
    void MeasureAll();

private:
    const CQuillDoc& m_doc;
    mutable std::unordered_map<int, CCueRichWriter::StyledLine> m_made;
    mutable std::size_t m_widest = 0;
    CCueRichWriter::StyledLine m_empty;
};
