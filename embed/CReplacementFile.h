#pragma once

#include <functional>
#include <string>
#include <string_view>

// A complete copy of a file, made beside it, that the tag libraries edit
// and that replaces the file only when the edit has succeeded: a failure
// at any step leaves the original untouched and removes the copy.
class CReplacementFile
{
public:
    // Called before each step ("copy", "edit", "commit") with its name; a
    // true answer fails the step as a full disk would. Tests use it.
    using FaultHook = std::function<bool(std::string_view step)>;

    explicit CReplacementFile(FaultHook fault = {});
    ~CReplacementFile();
    CReplacementFile(const CReplacementFile&) = delete;
    CReplacementFile& operator=(const CReplacementFile&) = delete;

    // Copies path (a symbolic link is followed) to a temporary file in its
    // folder. Refuses what is not a regular file, and a read-only file.
    bool Begin(const std::string& path, std::string& reason);
    // The copy to edit.
    const std::string& Path() const { return m_temp; }
    // Whether the fault hook fails step.
    bool Fails(std::string_view step) const { return m_fault && m_fault(step); }
    // Flushes the copy to disk, gives it the original's owner, group and
    // permissions and renames it over the original.
    bool Commit(std::string& reason);

private:
    FaultHook m_fault;
    std::string m_target;
    std::string m_temp;
    unsigned m_mode = 0;
    unsigned m_uid = 0;
    unsigned m_gid = 0;
    bool m_committed = false;
};
