#pragma once

#include <optional>
#include <string>

// The state of one command as its update handler leaves it: enabled,
// checked, and optionally a new menu text.
class CCmdUI
{
public:
    explicit CCmdUI(int id) : m_id(id) {}

    int Id() const { return m_id; }
    void Enable(bool on = true) { m_enabled = on; }
    void SetCheck(bool on = true) { m_checked = on; }
    void SetText(std::string text) { m_text = std::move(text); }

    bool Enabled() const { return m_enabled; }
    bool Checked() const { return m_checked; }
    const std::optional<std::string>& Text() const { return m_text; }

private:
    int m_id;
    bool m_enabled = true;
    bool m_checked = false;
    std::optional<std::string> m_text;
};
