#pragma once

#include <string>
#include <vector>

// split and join: a sheet whose files are all BINARY or MOTOROLA is split
// or joined byte for byte in this process, without FFmpeg; any other sheet
// (and a split given --format or --gaps) goes to tracksmith-tracks.
int RunSplitCommand(const std::vector<std::string>& args);
int RunJoinCommand(const std::vector<std::string>& args);
