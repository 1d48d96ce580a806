#pragma once

#include <string>

namespace ts {

// The line being read, 1-based; 0 while no line is being read. One counter
// for the whole process, set by the reader and read by the diagnostics.
unsigned CurrentCueLine();
void SetCurrentCueLine(unsigned line);

// One box per problem, named by its line: "Line n:  message" (caption
// "Error") and "Warning at Line n:  message" (caption "Warning"). Line 0
// leaves out the line prefix.
void ReportError(unsigned line, const std::string& message);
void ReportWarning(unsigned line, const std::string& message);

} // namespace ts
