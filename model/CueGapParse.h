#pragma once

#include "model/CCueTime.h"

class CCueLine;

namespace ts {

// Reads the time of a PREGAP or POSTGAP line; reports `missing` when the
// line has no time.
bool ParseGapTime(const CCueLine& line, const char* missing, CCueTime& time);

} // namespace ts
