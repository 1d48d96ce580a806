#pragma once

#include <string>
#include <vector>

// tracksmith-cli split and join run in tracksmith-tracks, the program
// beside it that links FFmpeg's libraries; the sheet commands stay free of
// them. These replace the process with it and return only on failure.
int RunSplitTool(const std::vector<std::string>& args);
int RunJoinTool(const std::vector<std::string>& args);

// Any other command of tracksmith-tracks (the album commands).
int RunTrackTool(const char* command, const std::vector<std::string>& args);

// tracksmith-cli check SHEET --readers: the check that reads the audio.
int RunCheckTool(const std::vector<std::string>& args);

// extract and embed run in tracksmith-embed, which links the tag libraries
// (shared only); the same way.
int RunExtractTool(const std::vector<std::string>& args);
int RunEmbedTool(const std::vector<std::string>& args);

// discid and verify read the audio through the same decoder.
int RunDiscIdTool(const std::vector<std::string>& args);
int RunVerifyTool(const std::vector<std::string>& args);
