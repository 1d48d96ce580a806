#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ts {

// PATH_MAX, Linux's 4096 bytes with the terminating NUL: a name of that
// many bytes or more is never a file.
constexpr std::size_t kLongestPath = 4096;

// The last element of a path ("a/b/c.cue" gives "c.cue").
std::string FileNameOf(const std::string& path);
// The file name of a path without its extension; a name that starts with
// its only dot has none.
std::string StemOf(const std::string& path);
// The folder part of a path, "" when it has none.
std::string FolderOf(const std::string& path);

// Whether the file can be opened for reading; when not, reason says why
// in the system's words. Only a regular file can: a FIFO, device, socket or
// folder is refused without being opened for reading, so the check never
// blocks.
bool CanReadFile(const std::string& path, std::string& reason);

// Reads the regular file at path whole into bytes, refusing what
// CanReadFile refuses and a file above limit bytes. On failure bytes is
// empty and reason says why.
bool ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes, std::string& reason);

// Replaces the file at path with bytes: they are written to a temporary
// file beside it, flushed to disk and renamed over the target only when
// complete, so a failure never leaves a truncated file. The replacement
// gets the target's owner, group, permissions and extended attributes
// (ACLs included); a symbolic link is followed. A read-only target is
// refused. A target with other hard links, or one whose folder takes no
// temporary file or whose owner or attributes the replacement cannot get,
// is written in place instead (its space taken first, then flushed). On
// failure reason says why.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& reason);

} // namespace ts
