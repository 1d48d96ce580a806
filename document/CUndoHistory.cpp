#include "document/CUndoHistory.h"

#include "model/CCueItem.h"

void CUndoHistory::Record(State before)
{
    m_undo.push_back(std::move(before));
    m_redo.clear();
    Trim();
}

void CUndoHistory::Trim()
{
    std::size_t items = 0;
    for (const State& s : m_undo)
        items += s.items;
    while (m_undo.size() > 1 && (m_undo.size() > kLimit || items > kMaxItems)) {
        items -= m_undo.front().items;
        m_undo.erase(m_undo.begin());
    }
}

bool CUndoHistory::Undo(State& current)
{
    if (m_undo.empty())
        return false;
    m_redo.push_back(std::move(current));
    current = std::move(m_undo.back());
    m_undo.pop_back();
    return true;
}

bool CUndoHistory::Redo(State& current)
{
    if (m_redo.empty())
        return false;
    m_undo.push_back(std::move(current));
    current = std::move(m_redo.back());
    m_redo.pop_back();
    return true;
}

void CUndoHistory::Clear()
{
    m_undo.clear();
    m_redo.clear();
}
