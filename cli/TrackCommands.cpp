#include "cli/TrackCommands.h"

#include "cli/CliFailure.h"

#include <cstdio>

#include "cli/CCliPrompts.h"
#include "cli/CliCommand.h"
#include "document/CQuillDoc.h"
#include "tracks/CJoinPlan.h"
#include "tracks/CTrackPlan.h"
#include "tracks/CTrackSplitter.h"

int RunSplit(const std::vector<std::string>& args)
{
    if (args.size() < 2 || args[0].empty() || args[1].empty()) {
        PrintUsage();
        return 2;
    }
    CTrackPlan::Options options;
    for (std::size_t i = 2; i < args.size(); i += 2) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--format" && hasValue && ts::ParseTrackFormat(args[i + 1], options.format))
            continue;
        if (args[i] == "--gaps" && hasValue && ts::ParseGapRule(args[i + 1], options.gaps))
            continue;
        PrintUsage();
        return 2;
    }
    CCliPrompts prompts;
    CPromptsScope scope(prompts);
    CQuillDoc doc;
    if (!doc.OpenDocumentFile(args[0]))
        return 1;
    CTrackPlan plan;
    std::string error;
    if (!plan.Build(doc, options, error))
        return Failed(error);
    CTrackSplitter splitter;
    if (!splitter.Split(plan, args[1], false, error))
        return Failed(error);
    return 0;
}

int RunJoin(const std::vector<std::string>& args)
{
    if (args.size() != 2 || args[0].empty() || args[1].empty()) {
        PrintUsage();
        return 2;
    }
    CCliPrompts prompts;
    CPromptsScope scope(prompts);
    CQuillDoc doc;
    if (!doc.OpenDocumentFile(args[0]))
        return 1;
    CJoinPlan plan;
    std::string error;
    if (!plan.Build(doc, args[1], error))
        return Failed(error);
    CTrackSplitter splitter;
    if (!splitter.Join(plan, false, error))
        return Failed(error);
    if (plan.RoundedIndexes() > 0)
        std::fprintf(stderr, "Join: %d indexes fall between two CD frames in the image and were moved to the nearest\n",
                     plan.RoundedIndexes());
    return 0;
}
