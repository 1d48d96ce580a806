#pragma once

#include <string_view>

namespace ts {

// Debug trace lines. They go to standard error only when the environment
// variable TRACKSMITH_TRACE is set, and are never shown to the user.
bool TraceEnabled();
void Trace(std::string_view line);

} // namespace ts
