#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "audio/WaveResult.h"
#include "platform/CFileDevice.h"

class CCueTime;

// The two wave editing operations. Each leaves everything as it was when it
// fails, and an empty opener means the real file system.

// Told the sample frames done so far and the frames in all, between blocks
// of a few megabytes.
using WaveProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// Writes a copy of the wave file at source that keeps the sample frames up
// to and including the one at time at, to output. The copy is built beside
// output and renamed into place when complete; source is never changed and
// output may not name it. A time past the end copies all the samples.
WaveResult TruncateWaveFile(const std::string& source, const CCueTime& at, const std::string& output,
                            const FileOpener& opener = {}, const WaveProgress& progress = {});

// Overwrites the sample frames of the wave file at path from start up to,
// not including, stop with silence, in place. Only sample bytes change:
// every chunk size stays as it was. Times past the end stop at the end.
WaveResult WriteWaveSilence(const std::string& path, const CCueTime& start, const CCueTime& stop,
                            const FileOpener& opener = {}, const WaveProgress& progress = {});
