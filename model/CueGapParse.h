#pragma once

#include "model/CCueMessage.h"
#include "model/CCueTime.h"

class CCueLine;

namespace ts {

// Reads the time of a PREGAP or POSTGAP line; adds `missing` to messages
// when the line has no time.
bool ParseGapTime(const CCueLine& line, CueMessages& messages, const char* missing, CCueTime& time);

} // namespace ts
