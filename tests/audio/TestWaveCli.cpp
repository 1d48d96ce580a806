#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "audio/WaveFixtures.h"
#include "support/TempDir.h"

using namespace wavetest;

namespace {

// The command line as a script uses it: exit codes, and the reason on
// standard error.
struct CliCase {
    const char* name;
    std::string args; // after the program; SRC, OUT and DIR stand for paths
    int exit;
    const char* out; // part of standard output
    const char* err; // part of standard error
};

// Names the case in test output.
void PrintTo(const CliCase& c, std::ostream* os) { *os << c.name; }

class WaveCli : public testing::TestWithParam<CliCase> {};

std::string Expand(std::string text, const TempDir& dir)
{
    for (const auto& [key, file] : {std::pair<std::string, std::string>{"SRC", "src.wav"}, {"OUT", "out.wav"},
                                    {"BAD", "bad.wav"}, {"DIR", ""}}) {
        for (std::size_t at; (at = text.find(key)) != std::string::npos;)
            text.replace(at, key.size(), Quote(dir.File(file)));
    }
    return text;
}

TEST_P(WaveCli, ExitCodeAndMessages)
{
    const CliCase& c = GetParam();
    TempDir dir;
    dir.Write("src.wav", PcmWave(2, 44100, 16, Pattern(44100 * 4 * 2)));
    dir.Write("bad.wav", "not a wave file");
    const std::string errFile = dir.File("stderr.txt");
    std::string out;
    const int exit = wavetest::Run(std::string(TS_CLI_PATH) + " " + Expand(c.args, dir) + " 2>" + Quote(errFile), &out);
    const std::string err = ReadFileBytes(errFile);
    EXPECT_EQ(exit, c.exit) << err;
    EXPECT_NE(out.find(c.out), std::string::npos) << out;
    EXPECT_NE(err.find(c.err), std::string::npos) << err;
    if (c.exit == 0) {
        EXPECT_EQ(err, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, WaveCli, testing::Values(
    CliCase{"WaveInfo", "waveinfo SRC", 0, "channels: 2\nsample rate: 44100\nbits per sample: 16\nblock align: 4\n"
                                           "frames: 88200\ndata start: 44\n", ""},
    CliCase{"WaveInfoNotWave", "waveinfo BAD", 1, "", "bad.wav\" is not a usable wave file: it is not a RIFF file\n"},
    CliCase{"Truncate", "truncate SRC 0:1:0 OUT && soxi -s OUT", 0, "44101", ""},
    CliCase{"TruncateOntoSource", "truncate SRC 0:1:0 SRC", 1, "", "is the source file itself"},
    CliCase{"TruncateMissing", "truncate DIR/none.wav 0:1 OUT", 1, "", "cannot be opened: No such file or directory"},
    CliCase{"Silence", "silence SRC 0:0:0 0:1:0", 0, "", ""},
    CliCase{"SilenceBackwards", "silence SRC 0:1:0 0:0:0", 1, "",
            "The stop time 00:00:00 is before the start time 00:01:00"},
    CliCase{"SilenceNotWave", "silence BAD 0 1", 1, "", "is not a usable wave file"},
    CliCase{"TruncateTooFewArguments", "truncate SRC 0:1:0", 2, "", "tracksmith-cli truncate WAV TIME OUT"},
    CliCase{"SilenceTooManyArguments", "silence SRC 0 1 2", 2, "", "tracksmith-cli silence WAV START STOP"},
    CliCase{"WaveInfoRepeat", "waveinfo --repeat 3 SRC", 0, "frames: 88200\ndata start: 44\nparse time: ", ""},
    CliCase{"WaveInfoBadRepeat", "waveinfo --repeat x SRC", 2, "", "tracksmith-cli waveinfo [--repeat N] WAV"},
    CliCase{"WaveInfoNoArgument", "waveinfo", 2, "", "tracksmith-cli waveinfo [--repeat N] WAV"}),
    [](const testing::TestParamInfo<CliCase>& p) { return std::string(p.param.name); });

} // namespace
