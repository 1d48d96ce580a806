#include "cli/ImageCommands.h"

#include "cli/CliFailure.h"

#include <cstdio>

#include "cli/CCliPrompts.h"
#include "cli/CliCommand.h"
#include "cli/TrackTool.h"
#include "discimage/CDiscImage.h"
#include "discimage/CImageWriter.h"
#include "document/CQuillDoc.h"
#include "platform/CScriptedPrompts.h"
#include "platform/FileUtil.h"

namespace {

std::string StemOf(const std::string& path)
{
    const std::string name = ts::FileNameOf(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// Opens the sheet with its messages held back: they are printed only when
// the command runs here, since tracksmith-tracks opens the sheet again and
// prints them itself. True with the disc measured when the sheet is a
// byte image; code is set when the command is over already.
bool OpenByteImage(const std::string& path, CDiscImage& disc, int& code)
{
    CScriptedPrompts held;
    CQuillDoc doc;
    bool opened = false;
    {
        CPromptsScope scope(held);
        opened = doc.OnOpenDocument(path);
        doc.SetPathName(path);
    }
    if (opened && !CDiscImage::IsByteImage(doc))
        return false;
    CCliPrompts prompts;
    for (const MessageBoxRequest& request : held.Messages())
        prompts.ShowMessage(request);
    if (!opened) {
        code = 1;
        return false;
    }
    std::string error;
    if (!disc.Read(doc, error)) {
        code = Failed(error);
        return false;
    }
    return true;
}

} // namespace

int RunJoinCommand(const std::vector<std::string>& args)
{
    if (args.size() != 2 || args[0].empty() || args[1].empty()) {
        PrintUsage();
        return 2;
    }
    CDiscImage disc;
    int code = -1;
    if (!OpenByteImage(args[0], disc, code))
        return code >= 0 ? code : RunJoinTool(args);
    CImageWriter writer;
    std::string error;
    if (!writer.Join(disc, args[1], false, error))
        return Failed(error);
    return 0;
}

int RunSplitCommand(const std::vector<std::string>& args)
{
    if (args.size() != 2 || args[0].empty() || args[1].empty())
        return RunSplitTool(args);
    CDiscImage disc;
    int code = -1;
    if (!OpenByteImage(args[0], disc, code))
        return code >= 0 ? code : RunSplitTool(args);
    CImageWriter writer;
    std::string error;
    if (!writer.Split(disc, args[1], StemOf(args[0]), false, error))
        return Failed(error);
    return 0;
}
