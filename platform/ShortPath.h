#pragma once

#include <string>

namespace ts {

// The short form of a path, free of blanks, as disc recorders that only
// know 8.3 names need it. On Windows the file system's 8.3 alias; elsewhere
// there are no aliases, so the path itself when it holds no blank, and no
// short form otherwise.
bool ShortPathName(const std::string& path, std::string& shortPath);

// Whether the file system gives paths 8.3 aliases (Windows). Elsewhere a
// name is written as it is, blanks and all.
bool HasShortNames();

} // namespace ts
