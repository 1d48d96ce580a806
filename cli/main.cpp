#include "cli/CliCommand.h"
#include "cli/CueCommands.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/ImageCommands.h"
#include "cli/SheetRepairCommands.h"
#include "cli/TrackTool.h"
#include "cli/WaveCommands.h"

namespace {

const CliCommand kCommands[] = {
    {"normalize", "SHEET.cue", RunNormalize},
    {"check", "SHEET.cue [--readers [--burn]]", RunCheck},
    {"help", "", [](const std::vector<std::string>&) { PrintUsage(); return 0; }},
    {"truncate", "WAV TIME OUT", RunTruncate},
    {"silence", "WAV START STOP", RunSilence},
    {"waveinfo", "[--repeat N] WAV", RunWaveInfo},
    {"split", "SHEET OUTDIR [--format flac|wav|opus|mp3] [--gaps append|prepend|drop]", RunSplitCommand},
    {"join", "SHEET OUT.flac|OUT.wav|OUT.bin", RunJoinCommand},
    {"relink", "SHEET.cue", RunRelink},
    // The album commands, run in tracksmith-tracks like split and join.
    {"new", "AUDIO...", [](const std::vector<std::string>& a) { return RunTrackTool("new", a); }},
    {"import", "LIST AUDIO", [](const std::vector<std::string>& a) { return RunTrackTool("import", a); }},
    {"export", "SHEET --format youtube|audacity|ffmetadata|matroska|podcast|csv [-o OUT]",
     [](const std::vector<std::string>& a) { return RunTrackTool("export", a); }},
    {"detect", "AUDIO [--threshold DB] [--min-silence SEC] [--min-track SEC]",
     [](const std::vector<std::string>& a) { return RunTrackTool("detect", a); }},
    {"chapters", "SHEET OUT.m4a|OUT.m4b|OUT.mka|OUT.ogg|OUT.flac",
     [](const std::vector<std::string>& a) { return RunTrackTool("chapters", a); }},
    {"extract", "AUDIO", RunExtractTool},
    {"embed", "SHEET", RunEmbedTool},
    {"discid", "SHEET", RunDiscIdTool},
    {"verify", "SHEET [--log FILE] [--offline]", RunVerifyTool},
};

} // namespace

void PrintUsage()
{
    std::fputs("usage:\n", stderr);
    for (const CliCommand& c : kCommands)
        std::fprintf(stderr, "  tracksmith-cli %s%s%s\n", c.name, *c.usage ? " " : "", c.usage);
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        PrintUsage();
        return 2;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const CliCommand& c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0)
            return c.run(args);
    }
    std::fprintf(stderr, "tracksmith-cli: unknown command \"%s\"\n", argv[1]);
    PrintUsage();
    return 2;
}
