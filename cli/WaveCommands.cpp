#include "cli/WaveCommands.h"

#include <cstdio>

#include "audio/CWaveFile.h"
#include "audio/WaveOperations.h"
#include "cli/CliCommand.h"
#include "model/CCueTime.h"

namespace {

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
    return Report(TruncateWaveFile(args[0], CCueTime::Parse(args[1]), args[2]));
}

int RunSilence(const std::vector<std::string>& args)
{
    if (args.size() != 3) {
        PrintUsage();
        return 2;
    }
    return Report(WriteWaveSilence(args[0], CCueTime::Parse(args[1]), CCueTime::Parse(args[2])));
}

int RunWaveInfo(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        PrintUsage();
        return 2;
    }
    CWaveFile wave(args[0]);
    if (!wave.Open(CWaveFile::kRead)) {
        std::fprintf(stderr, "\"%s\" %s\n", args[0].c_str(), wave.FailureReason().c_str());
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
    return 0;
}
