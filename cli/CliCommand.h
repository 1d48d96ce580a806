#pragma once

#include <string>
#include <vector>

// One sub-command of tracksmith-cli: its arguments (without the command
// word) in, the process exit code out. 0 success, 1 failure, 2 usage.
using CliCommandFn = int (*)(const std::vector<std::string>& args);

struct CliCommand {
    const char* name;
    const char* usage; // the arguments part of the usage line
    CliCommandFn run;
};

// The usage text, printed to standard error for usage errors.
void PrintUsage();
