#include "model/CueGapParse.h"

#include "model/CCueLine.h"

namespace ts {

bool ParseGapTime(const CCueLine& line, CueMessages& messages, const char* missing, CCueTime& time)
{
    std::size_t pos = 0;
    std::string_view token;
    if (!line.NextToken(pos, token)) {
        messages.push_back({line.Number(), CueSeverity::Error, missing});
        return false;
    }
    if (std::string problem; !CCueTime::TryParse(token, time, problem)) {
        messages.push_back({line.Number(), CueSeverity::Error, problem});
        return false;
    }
    return true;
}

} // namespace ts
