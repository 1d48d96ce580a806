#pragma once

#include <string>
#include <vector>

// tracksmith-cli discid SHEET: the disc's TOC and IDs from the sheet and
// its files' lengths.
int RunDiscId(const std::vector<std::string>& args);
// tracksmith-cli verify SHEET [--log FILE] [--offline]: every track's
// checksums against the rip's log and the AccurateRip database; 0 when
// every track is verified.
int RunVerify(const std::vector<std::string>& args);
