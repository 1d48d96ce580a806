#pragma once

#include <cstdio>
#include <string>

// Prints why a command failed on standard error, and gives the exit code
// of a failed command, 1.
inline int Failed(const std::string& message)
{
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
}
