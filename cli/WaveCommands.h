#pragma once

#include <string>
#include <vector>

// tracksmith-cli sub-commands over wave files. Each returns the exit code:
// 0 success, 1 failure (the reason on standard error), 2 usage error.

// truncate WAV TIME OUT: copies WAV up to TIME ("mm:ss:ff") into OUT.
int RunTruncate(const std::vector<std::string>& args);
// silence WAV START STOP: makes the interval silent in place.
int RunSilence(const std::vector<std::string>& args);
// waveinfo [--repeat N] WAV: prints the format, frame count and data start;
// with --repeat also the mean time of N header parses.
int RunWaveInfo(const std::vector<std::string>& args);
