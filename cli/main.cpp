#include "cli/CliCommand.h"
#include "cli/CueCommands.h"

#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "cli/ImageCommands.h"
#include "cli/SheetRepairCommands.h"
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
    {"check", "SHEET.cue [--readers [--burn]]", RunCheck,
     "Reads the sheet exactly as the editor opens it and only reports problems, one line per message on "
     "standard error; nothing is printed when the sheet is clean. With --readers it also checks what other "
     "programs will get wrong and prints \"Line N: severity: text [readers]\" for each finding.",
     "SHEET.cue\tthe cue sheet to read\n--readers\tcheck the sheet and its audio against other programs "
     "(libcue, cdrdao, players and burners)\n--burn\twith --readers: the sheet is for burning a CD, so its "
     "audio must be 44.1 kHz, 16-bit stereo",
     "0\tthe sheet reads (with --readers: no finding is an error)\n1\tthe sheet does not read, or with "
     "--readers a finding is an error\n2\tusage error"},
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
    {"split", "SHEET OUTDIR [--format flac|wav|opus|mp3] [--gaps append|prepend|drop]", RunSplitCommand,
     "Cuts the sheet's audio into one tagged file per track, sample-exact, and writes a cue sheet for them "
     "into OUTDIR under the sheet's name. A disc image of BINARY or MOTOROLA files is split byte for byte "
     "into \"NAME (Track N).bin\" files instead, unless --format or --gaps is given. An existing file is "
     "never replaced.",
     "SHEET\tthe cue sheet whose audio is cut\nOUTDIR\tthe folder for the track files\n"
     "--format FORMAT\tflac (the default), wav, opus or mp3\n"
     "--gaps RULE\twhere a track's pregap goes: append (the default) to the end of the track before, "
     "prepend to the track itself, or drop",
     "0\tevery track file was written\n1\tthe sheet, its audio or a track file failed; the reason is printed\n"
     "2\tusage error"},
    {"join", "SHEET OUT.flac|OUT.wav|OUT.bin", RunJoinCommand,
     "Joins the sheet's files into one image and writes OUT.cue beside it for the image: audio into a FLAC "
     "or WAVE image, a disc image of BINARY or MOTOROLA files byte for byte into one .bin. An existing "
     "file is never replaced.",
     "SHEET\tthe cue sheet whose files are joined\nOUT\tthe image to write; .flac, .wav or .bin chooses "
     "the format",
     "0\tthe image and its sheet were written\n1\tthe sheet, its files or the image failed; the reason is "
     "printed\n2\tusage error"},
    {"relink", "SHEET.cue", RunRelink,
     "Finds the audio files the sheet's FILE lines name but that are missing (another extension, other "
     "letter case, a folder nearby), prints the fixed sheet and names each change on standard error.",
     "SHEET.cue\tthe cue sheet to fix",
     "0\tevery file was found\n1\ta file stays missing, or the sheet does not read\n2\tusage error"},
    // The album commands, run in tracksmith-tracks like split and join.
    {"new", "AUDIO...", [](const std::vector<std::string>& a) { return RunTrackTool("new", a); },
     "Prints a sheet for the audio files: one FILE and TRACK each, in the order given, named from their tags.",
     "AUDIO\tthe audio files, one or more",
     "0\tthe sheet was printed\n1\tan audio file cannot be read; the reason is printed\n2\tusage error"},
    {"import", "LIST AUDIO", [](const std::vector<std::string>& a) { return RunTrackTool("import", a); },
     "Prints a sheet for AUDIO with a track for each entry of a tracklist: timestamped or duration lines, "
     "Audacity labels, FFmpeg metadata, Matroska XML chapters, CSV, or a media file's chapters. Skipped "
     "lines are reported on standard error with the reason.",
     "LIST\tthe tracklist or chapter file\nAUDIO\tthe audio file the tracks are in",
     "0\tthe sheet was printed\n1\tthe list or the audio cannot be read, or a time is past the audio's end\n"
     "2\tusage error"},
    {"export", "SHEET --format youtube|audacity|ffmetadata|matroska|podcast|csv [-o OUT]",
     [](const std::vector<std::string>& a) { return RunTrackTool("export", a); },
     "Writes the sheet's tracks as a tracklist or chapters, to standard output or to OUT.",
     "SHEET\tthe cue sheet to read\n--format FORMAT\tyoutube, audacity, ffmetadata, matroska, podcast or "
     "csv\nOUT\twith -o: the file to write instead of standard output",
     "0\tthe list was written\n1\tthe sheet or its audio cannot be read, or OUT cannot be written\n"
     "2\tusage error"},
    {"detect", "AUDIO [--threshold DB] [--min-silence SEC] [--min-track SEC]",
     [](const std::vector<std::string>& a) { return RunTrackTool("detect", a); },
     "Proposes tracks from the silences of a recording and prints a sheet for them: INDEX 01 where the "
     "sound begins, INDEX 00 where the silence began.",
     "AUDIO\tthe recording\n--threshold DB\thow far below the recording's loud level silence starts "
     "(default 35)\n--min-silence SEC\tthe shortest silence that splits (default 1.75)\n--min-track SEC\tthe "
     "shortest track (default 10)",
     "0\tthe sheet was printed\n1\tthe audio cannot be read\n2\tusage error"},
    {"chapters", "SHEET OUT.m4a|OUT.m4b|OUT.mka|OUT.ogg|OUT.flac",
     [](const std::vector<std::string>& a) { return RunTrackTool("chapters", a); },
     "Writes a copy of a one-file sheet's audio with the tracks as chapters; its audio packets are unchanged.",
     "SHEET\tthe cue sheet with one FILE\nOUT\tthe copy to write; its extension chooses the container",
     "0\tthe copy was written\n1\tthe sheet or its audio cannot be read, or OUT cannot be written\n"
     "2\tusage error"},
    {"extract", "AUDIO", RunExtractTool,
     "Prints the cue sheet a FLAC, WavPack or APE file carries in its tag or CUESHEET block, its FILE line "
     "naming the file.",
     "AUDIO\tthe audio file", "0\tthe sheet was printed\n1\tthe file carries no sheet or cannot be read\n"
     "2\tusage error"},
    {"embed", "SHEET", RunEmbedTool,
     "Writes a one-FILE sheet into its audio file's CUESHEET tag; the audio is never touched, and a failed "
     "write leaves the file as it was.",
     "SHEET\tthe cue sheet to embed", "0\tthe sheet was written\n1\tthe sheet or its audio file cannot be "
     "read or written\n2\tusage error"},
    {"discid", "SHEET", RunDiscIdTool,
     "Prints the disc's table of contents and its MusicBrainz, freedb, AccurateRip and CTDB IDs, computed "
     "from the sheet and its audio files' lengths.",
     "SHEET\tthe cue sheet of the rip", "0\tthe IDs were printed\n1\tthe sheet or its audio cannot be read\n"
     "2\tusage error"},
    {"verify", "SHEET [--log FILE] [--offline]", RunVerifyTool,
     "Computes each track's AccurateRip and CRC32 checksums and compares them with the rip's log and the "
     "AccurateRip database; prints a line per track, then a summary.",
     "SHEET\tthe cue sheet of the rip\n--log FILE\tthe EAC or XLD log (default: the one beside the sheet)\n"
     "--offline\tdo not ask the AccurateRip database",
     "0\tevery track is verified\n1\ta track is not verified, or the rip cannot be read\n2\tusage error"},
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
