#pragma once

#include <string>
#include <vector>

// tracksmith-cli extract AUDIO: the sheet the audio file carries, as the
// editor opens it, on standard output.
int RunExtract(const std::vector<std::string>& args);
// tracksmith-cli embed SHEET: writes a single-file sheet into its audio
// file's CUESHEET tag.
int RunEmbed(const std::vector<std::string>& args);
