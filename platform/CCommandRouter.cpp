#include "platform/CCommandRouter.h"

#include "platform/CCmdTarget.h"

CCommandRouter::CCommandRouter(Chain chain)
    : m_chain(std::move(chain))
{
}

const CCmdTarget* CCommandRouter::Target(int id) const
{
    for (const CCmdTarget* target : m_chain()) {
        if (target && target->Handles(id))
            return target;
    }
    return nullptr;
}

CCmdUI CCommandRouter::Query(int id) const
{
    CCmdUI ui(id);
    const CCmdTarget* target = Target(id);
    if (!target)
        ui.Enable(false);
    else
        target->UpdateCommand(ui);
    return ui;
}

bool CCommandRouter::Execute(int id) const
{
    const CCmdTarget* target = Target(id);
    if (!target)
        return false;
    CCmdUI ui(id);
    target->UpdateCommand(ui);
    if (!ui.Enabled())
        return false;
    return target->RunCommand(id);
}
