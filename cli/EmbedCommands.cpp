#include "cli/EmbedCommands.h"

#include "cli/CCliPrompts.h"
#include "cli/CliCommand.h"
#include "document/CCueMessageBox.h"
#include "document/CEmbeddedSheet.h"
#include "document/CQuillDoc.h"

#include <cstdio>

int RunExtract(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].empty()) {
        PrintUsage();
        return 2;
    }
    CCliPrompts prompts;
    CPromptsScope scope(prompts);
    const std::string& path = args[0];
    std::string text;
    std::string reason = "it is not a FLAC, WavPack or APE file";
    std::vector<std::string> warnings;
    if (!CEmbeddedSheet::InAudioFile(path) || !CEmbeddedSheet::Extract(path, text, warnings, reason)) {
        ShowMessageBox("Cannot open \"" + path + "\": " + reason, "Error", PromptButtons::Ok, PromptIcon::Error);
        return 1;
    }
    for (const std::string& warning : warnings)
        CCueMessageBox::Show({{0, CueSeverity::Warning, warning}});
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        std::perror("Error: standard output");
        return 1;
    }
    return 0;
}

int RunEmbed(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].empty()) {
        PrintUsage();
        return 2;
    }
    CCliPrompts prompts;
    CPromptsScope scope(prompts);
    CQuillDoc doc;
    if (!doc.OpenDocumentFile(args[0]))
        return 1;
    return CEmbeddedSheet::EmbedCommand(doc) ? 0 : 1;
}
