#pragma once

#include <string>
#include <vector>

// tracksmith-cli relink SHEET: the sheet with each missing audio file
// replaced by the file found for it, on standard output; each change on
// standard error. 1 when a file stays missing.
int RunRelink(const std::vector<std::string>& args);
// tracksmith-cli check SHEET --readers [--burn]: what other programs will
// get wrong, one "Line N: severity: text [readers]" per finding; 1 when
// there is an error. Runs in tracksmith-tracks, which reads the audio.
int RunCheckReaders(const std::vector<std::string>& args);
