#include "cli/VerifyCommands.h"

#include "cli/CliFailure.h"

#include <cstdio>

#include <QCoreApplication>

#include "cli/CCliPrompts.h"
#include "cli/CliCommand.h"
#include "document/CQuillDoc.h"
#include "net/CAccurateRipFetch.h"
#include "tracks/CRipReader.h"
#include "tracks/DiscIds.h"
#include "verify/CAccurateRipDb.h"
#include "verify/CRipLog.h"
#include "verify/CVerifyReport.h"

int RunDiscId(const std::vector<std::string>& args)
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
    CRipReader reader;
    std::string error;
    if (!reader.Open(doc, error))
        return Failed(error);
    DiscIds ids;
    if (!ts::ComputeDiscIds(reader.Layout().Toc(), ids, error))
        return Failed(error);
    std::fputs(ids.Text().c_str(), stdout);
    return 0;
}

int RunVerify(const std::vector<std::string>& args)
{
    std::string sheet;
    std::string logPath;
    bool offline = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--offline") {
            offline = true;
        } else if (args[i] == "--log" && i + 1 < args.size() && !args[i + 1].empty()) {
            logPath = args[++i];
        } else if (sheet.empty() && !args[i].empty() && args[i].rfind("--", 0) != 0) {
            sheet = args[i];
        } else {
            PrintUsage();
            return 2;
        }
    }
    if (sheet.empty()) {
        PrintUsage();
        return 2;
    }
    CCliPrompts prompts;
    CPromptsScope scope(prompts);
    CQuillDoc doc;
    if (!doc.OpenDocumentFile(sheet))
        return 1;

    std::string error;
    CRipLog log;
    bool haveLog = false;
    if (!logPath.empty()) {
        if (!log.Read(logPath, error))
            return Failed(error);
        haveLog = true;
    } else if (const std::string found = CRipLog::FindBeside(sheet); !found.empty()) {
        // A log found beside the sheet that is none is passed over with a
        // word, the checksums are still worth having.
        haveLog = log.Read(found, error);
        if (!haveLog)
            std::fprintf(stderr, "Verify: %s; going on without it\n", error.c_str());
    }

    CRipReader reader;
    if (!reader.Open(doc, error))
        return Failed(error);
    DiscIds ids;
    if (!ts::ComputeDiscIds(reader.Layout().Toc(), ids, error))
        return Failed(error);
    if (!reader.Compute(error))
        return Failed(error);

    CVerifyReport report;
    report.SetChecksums(reader.Checksums(), reader.ImageCrc());
    if (haveLog)
        report.CompareLog(log);
    if (offline) {
        report.SetDatabaseMessage("not asked (offline)");
    } else {
        int argc = 1;
        char name[] = "tracksmith-tracks";
        char* argv[] = {name, nullptr};
        QCoreApplication app(argc, argv);
        CAccurateRipFetch fetch(nullptr);
        const CAccurateRipFetch::Result result = fetch.Fetch(QString::fromStdString(ids.accurateRip));
        CAccurateRipDb database;
        if (result.outcome == CAccurateRipFetch::Outcome::NotFound) {
            report.SetNotInDatabase();
        } else if (result.outcome == CAccurateRipFetch::Outcome::Failed) {
            report.SetDatabaseMessage(result.message.toStdString());
        } else if (!database.Parse(result.data.toStdString(), error)) {
            report.SetDatabaseMessage(error);
        } else {
            report.CompareDatabase(database, reader.Layout().Toc(), ids.freedb);
        }
    }
    std::printf("AccurateRip disc ID: %s\n", ids.accurateRip.c_str());
    if (haveLog)
        std::printf("Log: %s\n", log.KindName());
    std::fputs(report.Text().c_str(), stdout);
    return report.AllVerified() ? 0 : 1;
}
