#include "document/CListingLines.h"

#include "document/CQuillDoc.h"
#include "model/CCueItem.h"
#include "model/TextEncoding.h"

#include <algorithm>

namespace {

// Lines kept at most; a view shows a few dozen, so the store is emptied
// rather than grown without end while someone scrolls through a long sheet.
constexpr std::size_t kMaxKept = 4096;
// Rows that measuring keeps: more than any screen shows from the top, where
// a freshly opened sheet is shown.
constexpr int kFirstScreen = 256;

} // namespace

CListingLines::CListingLines(const CQuillDoc& doc)
    : m_doc(doc)
{
}

int CListingLines::RowCount() const
{
    return m_doc.LineCount() + 1;
}

const CCueItem* CListingLines::Item(int row) const
{
    return row >= 0 && row < m_doc.LineCount() ? m_doc.Line(row) : nullptr;
}

int CListingLines::Depth(int row) const
{
    int depth = 0;
    for (const CCueItem* item = Item(row); item && item->Parent(); item = item->Parent())
        ++depth;
    return depth;
}

const CCueRichWriter::StyledLine& CListingLines::Line(int row) const
{
    const CCueItem* item = Item(row);
    if (!item)
        return m_empty;
    auto found = m_made.find(row);
    if (found != m_made.end())
        return found->second;
    if (m_made.size() >= kMaxKept)
        m_made.clear();
    CCueRichWriter::StyledLine& line = m_made[row];
    CCueRichWriter::MakeLine(*item, Depth(row), line);
    m_widest = std::max(m_widest, line.shownLength);
    return line;
}

void CListingLines::Invalidate()
{
    m_made.clear();
}

void CListingLines::MeasureAll()
{
    m_widest = 0;
    m_made.clear();
    CCueRichWriter::StyledLine scratch;
    for (int row = 0; row < m_doc.LineCount(); ++row) {
        // The first screen's lines are kept for the paint that follows, so
        // that a huge line there is made once, not twice.
        CCueRichWriter::StyledLine& line = row < kFirstScreen ? m_made[row] : scratch;
        CCueRichWriter::MakeLine(*m_doc.Line(row), Depth(row), line);
        m_widest = std::max(m_widest, line.shownLength);
    }
}
