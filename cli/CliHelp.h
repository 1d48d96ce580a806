#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <vector>

struct CliCommand;

// The program's version, as "tracksmith-cli 1.2.3".
void PrintVersion(std::FILE* out);

// Every command with its usage line and summary, then the exit codes
// shared by all.
void PrintOverview(std::span<const CliCommand> commands, std::FILE* out);

// One command's usage, summary, arguments and exit codes. False, with
// nothing printed, when the command has no help text.
bool PrintCommandHelp(const CliCommand& command, std::FILE* out);

// "help [COMMAND]": the overview, or the help of one command. 0 printed,
// 1 a command without help text, 2 an unknown command.
int RunHelp(std::span<const CliCommand> commands, const std::vector<std::string>& args);
