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
    // The help text of "help COMMAND". summary is prose; arguments and exits
    // are lines of "TERM\tdescription" ("SHEET\tthe cue sheet to read",
    // "0\tthe sheet reads"), separated by '\n'. Every command has a summary
    // and its exit codes; arguments is null for a command that takes none.
    const char* summary = nullptr;
    const char* arguments = nullptr;
    const char* exits = nullptr;
};

// The usage text, printed to standard error for usage errors.
void PrintUsage();
