#pragma once

#include "platform/CCmdUI.h"

#include <functional>
#include <vector>

class CCmdTarget;

// Routes a command along the targets in order (view, document, frame,
// application): the first target that handles it decides its state and
// runs it. A command that no target handles is disabled, and a disabled
// command never runs, wherever it was invoked from.
class CCommandRouter
{
public:
    using Chain = std::function<std::vector<CCmdTarget*>()>;

    explicit CCommandRouter(Chain chain);

    CCmdUI Query(int id) const;
    // Runs the command when it is enabled; returns whether it ran.
    bool Execute(int id) const;

private:
    const CCmdTarget* Target(int id) const;

    Chain m_chain;
};
