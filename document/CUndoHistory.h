#pragma once

#include "document/CQuillDoc.h"
#include "model/CCueItem.h"

#include <vector>

// The undo and redo steps of the open sheet: each holds the whole tree as it
// was, with the modified flag and the caret's line. Kept until New or Open.
class CUndoHistory
{
public:
    struct State {
        CQuillDoc::Snapshot snapshot;
        int line = 0;
    };

    // Records a step: before is the state the step undoes to.
    void Record(State before);
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // Swaps current with the state to go back (or forward) to; false when
    // there is none.
    bool Undo(State& current);
    bool Redo(State& current);
    void Clear();

    static constexpr std::size_t kLimit = 200; // steps kept; the oldest go first

private:
    std::vector<State> m_undo;
    std::vector<State> m_redo;
};
