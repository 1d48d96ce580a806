#include "cli/CliCommand.h"
#include "cli/CueCommands.h"

#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "cli/CliHelp.h"
#include "cli/TrackTool.h"
#include "cli/WaveCommands.h"

namespace {

int RunHelpCommand(const std::vector<std::string>& args);

// Exit codes shared by several commands, in the form of CliCommand::exits.
constexpr const char* kSheetExits = "0\tthe sheet reads (warnings may still be printed)\n"
                                    "1\tthe sheet cannot be opened or does not read; the messages say why\n"
                                    "2\tusage error";
constexpr const char* kWaveExits = "0\tdone\n"
                                   "1\tthe wave file cannot be read or written; the reason is printed\n"
                                   "2\tusage error";

// clang-format off
const CliCommand kCommands[] = {
    {"normalize", "SHEET.cue", RunNormalize,
     "Reads the sheet exactly as the editor opens it and prints it to standard output as Save writes it. "
     "Every message the editor would show in a box is printed to standard error as one line, \"Caption: text\".",
     "SHEET.cue\tthe cue sheet to read", kSheetExits},
    {"check", "SHEET.cue", RunCheck,
     "Reads the sheet exactly as the editor opens it and only reports problems, one line per message on "
     "standard error; nothing is printed when the sheet is clean.",
     "SHEET.cue\tthe cue sheet to read", kSheetExits},
    {"help", "[COMMAND]", RunHelpCommand,
     "Lists every command, or describes one command: its arguments, options and exit codes.",
     "COMMAND\tthe command to describe",
     "0\tthe help was printed\n1\tthe command has no help text\n2\tunknown command"},
    {"truncate", "WAV TIME OUT", RunTruncate,
     "Copies the wave file up to the time into a new wave file; the original stays as it is.",
     "WAV\tthe wave file to read\nTIME\twhere the copy ends, as mm:ss:ff (75 frames a second)\n"
     "OUT\tthe wave file to write", kWaveExits},
    {"silence", "WAV START STOP", RunSilence,
     "Makes the samples from START up to STOP silent, in place.",
     "WAV\tthe wave file to change\nSTART\twhere the silence begins, as mm:ss:ff\n"
     "STOP\twhere the silence ends, as mm:ss:ff", kWaveExits},
    {"waveinfo", "[--repeat N] WAV", RunWaveInfo,
     "Prints what the wave parse sees: the format, the frame count and where the sample data starts.",
     "WAV\tthe wave file to read\n--repeat N\talso parse the header N times (1 to 1000000) and print the mean "
     "time of one parse", kWaveExits},
    {"split", "SHEET OUTDIR [--format flac|wav|opus|mp3] [--gaps append|prepend|drop]", RunSplitTool,
     "Cuts the sheet's audio into one tagged file per track, sample-exact, and writes a cue sheet for them "
     "into OUTDIR under the sheet's name. An existing file is never replaced.",
     "SHEET\tthe cue sheet whose audio is cut\nOUTDIR\tthe folder for the track files\n"
     "--format FORMAT\tflac (the default), wav, opus or mp3\n"
     "--gaps RULE\twhere a track's pregap goes: append (the default) to the end of the track before, "
     "prepend to the track itself, or drop",
     "0\tevery track file was written\n1\tthe sheet, its audio or a track file failed; the reason is printed\n"
     "2\tusage error"},
    {"join", "SHEET OUT.flac|OUT.wav", RunJoinTool,
     "Joins the sheet's audio files into one image and writes OUT.cue beside it for the image. An existing "
     "file is never replaced.",
     "SHEET\tthe cue sheet whose files are joined\nOUT\tthe image to write; .flac or .wav chooses the format",
     "0\tthe image and its sheet were written\n1\tthe sheet, its audio or the image failed; the reason is "
     "printed\n2\tusage error"},
};
// clang-format on

int RunHelpCommand(const std::vector<std::string>& args)
{
    return RunHelp(kCommands, args);
}

} // namespace

void PrintUsage()
{
    std::fputs("usage:\n", stderr);
    for (const CliCommand& c : kCommands)
        std::fprintf(stderr, "  tracksmith-cli %s%s%s\n", c.name, *c.usage ? " " : "", c.usage);
    std::fputs("Run \"tracksmith-cli help COMMAND\" for a command's arguments and exit codes.\n", stderr);
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        PrintUsage();
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)
        return RunHelp(kCommands, {});
    if (std::strcmp(argv[1], "--version") == 0) {
        PrintVersion(stdout);
        return 0;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const CliCommand& c : kCommands) {
        if (std::strcmp(argv[1], c.name) != 0)
            continue;
        // "COMMAND --help" is that command's help, whatever its arguments.
        if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h"))
            return RunHelp(kCommands, {c.name});
        return c.run(args);
    }
    std::fprintf(stderr, "tracksmith-cli: unknown command \"%s\"\n", argv[1]);
    PrintUsage();
    return 2;
}
