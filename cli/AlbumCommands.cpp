#include "cli/AlbumCommands.h"

#include "cli/CliFailure.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "album/CTracklistWriter.h"
#include "cli/CCliPrompts.h"
#include "cli/CliCommand.h"
#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "platform/FileUtil.h"
#include "tracks/AlbumTasks.h"
#include "tracks/CChapterMuxer.h"
#include "tracks/CSilenceDetector.h"

namespace {

int Usage()
{
    PrintUsage();
    return 2;
}

bool Print(const std::string& text)
{
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
}

// Writes to OUT whole, or prints; false with the message shown.
int Deliver(const std::string& text, const std::string& out)
{
    if (out.empty())
        return Print(text) ? 0 : Failed(std::string("The output cannot be written: ") + std::strerror(errno));
    std::string reason;
    if (!ts::WriteFileAtomically(out, text, reason))
        return Failed("\"" + out + "\" cannot be written: " + reason);
    return 0;
}

// A decimal number for an option; false for anything else.
bool ParseNumber(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && value == value && value > -1e9 && value < 1e9;
}

} // namespace

int RunNew(const std::vector<std::string>& args)
{
    if (args.empty())
        return Usage();
    for (const std::string& arg : args) {
        if (arg.empty())
            return Usage();
    }
    CAlbumSheet sheet;
    std::string error;
    if (!ts::SheetFromAudioFiles(args, [](const std::string& path) { return path; }, sheet, error))
        return Failed(error);
    return Deliver(sheet.Text(), {});
}

int RunImport(const std::vector<std::string>& args)
{
    if (args.size() != 2 || args[0].empty() || args[1].empty())
        return Usage();
    Tracklist list;
    std::string error;
    if (!ts::ReadTracklistFile(args[0], list, error))
        return Failed(error);
    for (const SkippedLine& line : list.skipped)
        std::fprintf(stderr, "\"%s\" line %d skipped (%s): %s\n", args[0].c_str(), line.line, line.reason.c_str(),
                     line.text.c_str());
    CAlbumSheet sheet;
    if (!ts::SheetFromTracklist(list, args[1], args[1], sheet, error))
        return Failed(error);
    if (list.durations)
        std::fprintf(stderr, "\"%s\" is read as a list of durations\n", args[0].c_str());
    return Deliver(sheet.Text(), {});
}

int RunExport(const std::vector<std::string>& args)
{
    if (args.empty() || args[0].empty())
        return Usage();
    std::string out;
    CTracklistWriter::Format format = CTracklistWriter::Format::YouTube;
    bool hasFormat = false;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size() || args[i + 1].empty())
            return Usage();
        if (args[i] == "--format") {
            if (!CTracklistWriter::ParseFormat(args[i + 1], format))
                return Failed("Unknown tracklist format \"" + args[i + 1] +
                              "\": use one of " + CTracklistWriter::FormatNames());
            hasFormat = true;
        } else if (args[i] == "-o") {
            out = args[i + 1];
        } else {
            return Usage();
        }
    }
    if (!hasFormat)
        return Usage();
    CCliPrompts prompts;
    CPromptsScope scope(prompts);
    CQuillDoc doc;
    if (!doc.OpenDocumentFile(args[0]))
        return 1;
    if (!out.empty() && ts::IsSheetOrItsAudio(doc, out))
        return Failed("\"" + out + "\" is the sheet or its audio: choose another name for the list");
    ChapterList chapters;
    std::string error;
    if (!ts::ChaptersOfSheet(doc, format != CTracklistWriter::Format::YouTube, chapters, error))
        return Failed(error);
    return Deliver(CTracklistWriter::Write(format, chapters), out);
}

int RunDetect(const std::vector<std::string>& args)
{
    if (args.empty() || args[0].empty())
        return Usage();
    CSilenceDetector::Options options;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        double value = 0;
        if (i + 1 >= args.size() || !ParseNumber(args[i + 1], value))
            return Usage();
        if (args[i] == "--threshold" && value < 0)
            options.threshold = value;
        else if (args[i] == "--min-silence" && value > 0)
            options.minSilence = value;
        else if (args[i] == "--min-track" && value >= 0)
            options.minTrack = value;
        else
            return Usage();
    }
    CSilenceDetector detector;
    std::string error;
    if (!detector.Analyse(args[0], error))
        return Failed("\"" + args[0] + "\" cannot be read: " + error);
    return Deliver(ts::SheetFromProposals(args[0], detector.Propose(options)).Text(), {});
}

int RunChapters(const std::vector<std::string>& args)
{
    if (args.size() != 2 || args[0].empty() || args[1].empty())
        return Usage();
    CCliPrompts prompts;
    CPromptsScope scope(prompts);
    CQuillDoc doc;
    if (!doc.OpenDocumentFile(args[0]))
        return 1;
    if (doc.FileCount() != 1)
        return Failed("\"" + args[0] + "\" has " + std::to_string(doc.FileCount()) +
                      " FILE lines: chapters go into the audio of a sheet with one");
    ChapterList chapters;
    std::string error;
    if (!ts::ChaptersOfSheet(doc, true, chapters, error))
        return Failed(error);
    const std::string source = ts::AudioPathOf(doc, doc.File(0)->Name());
    if (!CChapterMuxer::Write(source, args[1], chapters, error))
        return Failed(error);
    return 0;
}
