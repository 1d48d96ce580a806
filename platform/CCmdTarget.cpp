#include "platform/CCmdTarget.h"

#include "platform/CCmdUI.h"

CCmdTarget::~CCmdTarget() = default;

void CCmdTarget::MapCommand(int id, Handler handler, UpdateHandler update)
{
    m_map[id] = Entry{std::move(handler), std::move(update)};
}

void CCmdTarget::MapCommandRange(int first, int last, const Handler& handler, const UpdateHandler& update)
{
    for (int id = first; id <= last; ++id)
        m_map[id] = Entry{handler, update};
}

bool CCmdTarget::UpdateCommand(CCmdUI& ui) const
{
    const auto it = m_map.find(ui.Id());
    if (it == m_map.end())
        return false;
    if (it->second.update)
        it->second.update(ui);
    return true;
}

bool CCmdTarget::RunCommand(int id) const
{
    const auto it = m_map.find(id);
    if (it == m_map.end())
        return false;
    if (it->second.handler)
        it->second.handler(id);
    return true;
}
