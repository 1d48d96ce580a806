#include "cli/WaveCommands.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "audio/CWaveFile.h"
#include "audio/WaveOperations.h"
#include "cli/CliCommand.h"
#include "model/CCueTime.h"

namespace {

// A time from the command line, read as a sheet reads it: a time no sheet
// holds is refused with the reason instead of becoming another one.
bool ArgumentTime(const std::string& text, CCueTime& time)
{
    std::string problem;
    if (CCueTime::TryParse(text, time, problem))
        return true;
    std::fprintf(stderr, "Error: %s is not a valid time: %s.\n", text.c_str(), problem.c_str());
    return false;
}

int Report(const WaveResult& result)
{
    if (result.ok)
        return 0;
    std::fprintf(stderr, "%s\n", result.reason.c_str());
    return 1;
}

} // namespace

int RunTruncate(const std::vector<std::string>& args)
{
    if (args.size() != 3) {
        PrintUsage();
        return 2;
    }
    CCueTime at;
    if (!ArgumentTime(args[1], at))
        return 2;
    return Report(TruncateWaveFile(args[0], at, args[2]));
}

int RunSilence(const std::vector<std::string>& args)
{
    if (args.size() != 3) {
        PrintUsage();
        return 2;
    }
    CCueTime start;
    CCueTime stop;
    if (!ArgumentTime(args[1], start) || !ArgumentTime(args[2], stop))
        return 2;
    return Report(WriteWaveSilence(args[0], start, stop));
}

int RunWaveInfo(const std::vector<std::string>& args)
{
    // waveinfo [--repeat N] WAV: with --repeat, the header parse also runs N
    // times and its mean time is printed, free of the process start.
    unsigned long repeat = 0;
    if (args.size() == 3 && args[0] == "--repeat") {
        char* end = nullptr;
        repeat = std::strtoul(args[1].c_str(), &end, 10);
        if (end == args[1].c_str() || *end != '\0' || repeat == 0 || repeat > 1000000) {
            PrintUsage();
            return 2;
        }
    } else if (args.size() != 1) {
        PrintUsage();
        return 2;
    }
    const std::string& path = args.back();
    CWaveFile wave(path);
    if (!wave.Open(CWaveFile::kRead)) {
        std::fprintf(stderr, "\"%s\" %s\n", path.c_str(), wave.FailureReason().c_str());
        return 1;
    }
    std::printf("format tag: %u\n", static_cast<unsigned>(wave.FormatTag()));
    if (wave.SubFormatTag() != 0)
        std::printf("sub-format tag: %u\n", static_cast<unsigned>(wave.SubFormatTag()));
    std::printf("channels: %u\n", static_cast<unsigned>(wave.Channels()));
    std::printf("sample rate: %u\n", static_cast<unsigned>(wave.SamplesPerSecond()));
    std::printf("bits per sample: %u\n", static_cast<unsigned>(wave.BitsPerSample()));
    std::printf("block align: %u\n", static_cast<unsigned>(wave.BlockAlign()));
    std::printf("frames: %u\n", static_cast<unsigned>(wave.FrameCount()));
    std::printf("data start: %lld\n", static_cast<long long>(wave.DataStart()));
    wave.Close();

    if (repeat > 0) {
        const auto start = std::chrono::steady_clock::now();
        unsigned long parsed = 0;
        for (unsigned long i = 0; i < repeat; ++i)
            parsed += CWaveFile::IsWaveFile(path) ? 1 : 0;
        const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
        if (parsed != repeat) {
            std::fprintf(stderr, "\"%s\" stopped parsing during the repeats\n", path.c_str());
            return 1;
        }
        std::printf("parse time: %.1f us (mean of %lu)\n", spent.count() / static_cast<double>(repeat), repeat);
    }
    return 0;
}
