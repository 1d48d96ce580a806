#include "platform/Trace.h"

#include <cstdio>
#include <cstdlib>

namespace ts {

bool TraceEnabled()
{
    static const bool enabled = std::getenv("TRACKSMITH_TRACE") != nullptr;
    return enabled;
}

void Trace(std::string_view line)
{
    if (!TraceEnabled())
        return;
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace ts
