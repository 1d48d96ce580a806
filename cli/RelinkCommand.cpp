#include "cli/SheetRepairCommands.h"

#include "cli/CCliPrompts.h"
#include "cli/CliCommand.h"
#include "document/CAudioRelinker.h"
#include "document/CQuillDoc.h"

#include <cstdio>

int RunRelink(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].empty()) {
        PrintUsage();
        return 2;
    }
    CCliPrompts prompts;
    CPromptsScope scope(prompts);
    CQuillDoc doc;
    // Opening takes the sheet's path, so FILE names are found beside it.
    if (!doc.OpenDocumentFile(args[0]))
        return 1;
    const std::vector<CAudioRelinker::Fix> fixes = CAudioRelinker::MissingFiles(doc);
    CAudioRelinker::Apply(doc, fixes);
    bool missing = false;
    for (const CAudioRelinker::Fix& fix : fixes) {
        if (fix.newName.empty() && fix.oldName.empty()) {
            // Saved as it came, without a FILE line.
            std::fprintf(stderr, "Warning: no audio file was found for the FILE not named yet\n");
        } else if (fix.newName.empty()) {
            missing = true;
            std::fprintf(stderr, "Error: \"%s\": no such file, and no audio file was found to take its place\n",
                         fix.oldName.c_str());
        } else {
            std::fprintf(stderr, "FILE \"%s\" now names \"%s\" (%s)\n", fix.oldName.empty() ? "(not named yet)" : fix.oldName.c_str(), fix.newName.c_str(),
                         fix.how.c_str());
        }
    }
    const std::string bytes = doc.SaveBytes();
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0) {
        std::perror("Error: standard output");
        return 1;
    }
    return missing ? 1 : 0;
}
