#pragma once

#include <functional>
#include <unordered_map>

class CCmdUI;

// Something that handles commands: a map from command id to a handler and
// an optional update handler that enables, checks or retitles it.
class CCmdTarget
{
public:
    using Handler = std::function<void(int id)>;
    using UpdateHandler = std::function<void(CCmdUI& ui)>;

    virtual ~CCmdTarget();

    bool Handles(int id) const { return m_map.count(id) != 0; }
    // Fills in the command's state; false when this target does not handle it.
    bool UpdateCommand(CCmdUI& ui) const;
    // Runs the handler; false when this target does not handle the command.
    bool RunCommand(int id) const;

protected:
    void MapCommand(int id, Handler handler, UpdateHandler update = {});
    void MapCommandRange(int first, int last, const Handler& handler, const UpdateHandler& update = {});

private:
    struct Entry {
        Handler handler;
        UpdateHandler update;
    };
    std::unordered_map<int, Entry> m_map;
};
