#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ts {

// The line being read, 1-based; 0 while no line is being read. One counter
// for the whole process, set by the reader and read by the diagnostics.
unsigned CurrentCueLine();
void SetCurrentCueLine(unsigned line);

// The problems of a line, named by it: "Line n:  message" (caption "Error")
// and "Warning at Line n:  message" (caption "Warning"). Line 0 leaves out
// the line prefix. Each shows its own box, except while a read collects.
void ReportError(unsigned line, const std::string& message);
void ReportWarning(unsigned line, const std::string& message);

// While a read collects, the reports above are kept instead of shown, and
// ShowCollected then shows all of them in one box, in line order: the one
// box itself when there is only one, else every text one per line (the
// first ones in the box, all of them in its details). Nested collecting
// joins the outer one.
void BeginCollecting();
void ShowCollected();
// An error that stops the read: what was collected is shown first, then
// this error in its own box.
void ReportStopError(unsigned line, const std::string& message);

// How many texts a box shows before it sends the user to its details.
constexpr std::size_t kCollectedShown = 10;

// A token of the user's text as a message quotes it: at most limit
// characters (cut at a UTF-8 character boundary), then an ellipsis.
std::string QuotedToken(std::string_view token, std::size_t limit = 100);

} // namespace ts
