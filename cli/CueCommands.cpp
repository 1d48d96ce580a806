#include "cli/CueCommands.h"

#include "cli/CCliPrompts.h"
#include "cli/CliCommand.h"
#include "cli/TrackTool.h"
#include "document/CQuillDoc.h"

#include <algorithm>
#include <cstdio>

namespace {

// Reads the sheet as the editor opens it; true when it reads.
bool ReadSheet(const std::string& path, CQuillDoc& doc)
{
    return doc.OnOpenDocument(path);
}

int ReadCommand(const std::vector<std::string>& args, bool print)
{
    if (args.size() != 1 || args[0].empty()) {
        PrintUsage();
        return 2;
    }
    CCliPrompts prompts;
    CPromptsScope scope(prompts);
    CQuillDoc doc;
    if (!ReadSheet(args[0], doc))
        return 1;
    if (print) {
        const std::string bytes = doc.SaveBytes();
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0) {
            std::perror("Error: standard output");
            return 1;
        }
    }
    return 0;
}

} // namespace

int RunNormalize(const std::vector<std::string>& args)
{
    return ReadCommand(args, true);
}

int RunCheck(const std::vector<std::string>& args)
{
    // With --readers the audio is read too, by the program that can.
    if (std::find(args.begin(), args.end(), "--readers") != args.end())
        return RunCheckTool(args);
    return ReadCommand(args, false);
}
