#pragma once

#include <string>
#include <vector>

// tracksmith-cli split and join run in tracksmith-tracks, the program
// beside it that links FFmpeg's libraries; the sheet commands stay free of
// them. These replace the process with it and return only on failure.
int RunSplitTool(const std::vector<std::string>& args);
int RunJoinTool(const std::vector<std::string>& args);
// discid and verify read the audio through the same decoder.
int RunDiscIdTool(const std::vector<std::string>& args);
int RunVerifyTool(const std::vector<std::string>& args);
