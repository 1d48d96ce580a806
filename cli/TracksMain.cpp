// tracksmith-tracks: the split, join and album commands of tracksmith-cli,
// which starts it for them.
#include "cli/AlbumCommands.h"
#include "cli/CliCommand.h"
#include "cli/SheetRepairCommands.h"
#include "cli/TrackCommands.h"
#include "cli/VerifyCommands.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const CliCommand kCommands[] = {
    {"split", "SHEET OUTDIR [--format flac|wav|opus|mp3] [--gaps append|prepend|drop]", RunSplit},
    {"join", "SHEET OUT.flac|OUT.wav", RunJoin},
    {"new", "AUDIO...", RunNew},
    {"import", "LIST AUDIO", RunImport},
    {"export", "SHEET --format youtube|audacity|ffmetadata|matroska|podcast|csv [-o OUT]", RunExport},
    {"detect", "AUDIO [--threshold DB] [--min-silence SEC] [--min-track SEC]", RunDetect},
    {"chapters", "SHEET OUT.m4a|OUT.m4b|OUT.mka|OUT.ogg|OUT.flac", RunChapters},
    {"check", "SHEET.cue --readers [--burn]", RunCheckReaders},
    {"discid", "SHEET", RunDiscId},
    {"verify", "SHEET [--log FILE] [--offline]", RunVerify},
};

} // namespace

void PrintUsage()
{
    std::fputs("usage:\n", stderr);
    for (const CliCommand& c : kCommands)
        std::fprintf(stderr, "  tracksmith-cli %s %s\n", c.name, c.usage);
}

int main(int argc, char** argv)
{
    if (argc >= 2) {
        const std::vector<std::string> args(argv + 2, argv + argc);
        for (const CliCommand& c : kCommands) {
            if (std::strcmp(argv[1], c.name) == 0)
                return c.run(args);
        }
    }
    PrintUsage();
    return 2;
}
