#pragma once

#include "document/CQuillDoc.h"
#include "model/CCueItem.h"

#include <vector>

// The undo and redo steps of the open sheet: each holds the whole tree as it
// was (sharing what did not change with the other steps), with the modified
// flag and the caret's line. Kept until New or Open.
class CUndoHistory
{
public:
    struct State {
        CQuillDoc::Snapshot snapshot;
        int line = 0;
        std::size_t items = 0; // lines the snapshot copied, to bound the memory held
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

    // Steps kept, and lines held in all of them (about 150 bytes each); the
    // oldest steps go first, but the last step is always kept.
    static constexpr std::size_t kLimit = 200;
    static constexpr std::size_t kMaxItems = 2'000'000;

private:
    void Trim();

    std::vector<State> m_undo;
    std::vector<State> m_redo;
};
