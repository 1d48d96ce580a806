#include "cli/SheetRepairCommands.h"

#include "tracks/CDecodedAudioFacts.h"
#include "cli/CCliPrompts.h"
#include "cli/CliCommand.h"
#include "document/CQuillDoc.h"
#include "document/CSheetChecker.h"

#include <algorithm>
#include <cstdio>

int RunCheckReaders(const std::vector<std::string>& args)
{
    std::string sheet;
    CSheetChecker::Options options;
    bool readers = false;
    for (const std::string& arg : args) {
        if (arg == "--readers")
            readers = true;
        else if (arg == "--burn")
            options.forBurning = true;
        else if (sheet.empty() && !arg.empty() && arg[0] != '-')
            sheet = arg;
        else {
            PrintUsage();
            return 2;
        }
    }
    if (sheet.empty() || !readers) {
        PrintUsage();
        return 2;
    }
    CCliPrompts prompts;
    CPromptsScope scope(prompts);
    CQuillDoc doc;
    if (!doc.OpenDocumentFile(sheet))
        return 1;
    CDecodedAudioFacts facts;
    const std::vector<SheetFinding> findings = CSheetChecker::Check(doc, &facts, options);
    std::string out;
    for (const SheetFinding& finding : findings)
        out += CSheetChecker::Format(finding) + '\n';
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::perror("Error: standard output");
        return 1;
    }
    const bool errors = std::any_of(findings.begin(), findings.end(),
                                    [](const SheetFinding& f) { return f.severity == FindingSeverity::Error; });
    return errors ? 1 : 0;
}
