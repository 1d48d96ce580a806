// tracksmith-embed: the extract and embed commands of tracksmith-cli, which
// starts it for them. It links the tag libraries, which come as shared
// libraries only, so that tracksmith-cli itself can stay static.
#include "cli/CliCommand.h"
#include "cli/EmbedCommands.h"
#include "embed/CTagSheetStore.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const CliCommand kCommands[] = {
    {"extract", "AUDIO", RunExtract},
    {"embed", "SHEET", RunEmbed},
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
    CTagSheetStore store;
    IEmbeddedSheetStore::Install(&store);
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
