#include "model/CueGapParse.h"

#include "model/CCueLine.h"
#include "model/CueDiagnostics.h"

namespace ts {

bool ParseGapTime(const CCueLine& line, const char* missing, CCueTime& time)
{
    std::size_t pos = 0;
    std::string_view token;
    if (!line.NextToken(pos, token)) {
        ReportError(CurrentCueLine(), missing);
        return false;
    }
    if (std::string problem; !CCueTime::TryParse(token, time, problem)) {
        ReportError(CurrentCueLine(), problem);
        return false;
    }
    return true;
}

} // namespace ts
