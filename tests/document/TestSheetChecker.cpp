// What other programs will get wrong about a sheet: sheets beside real
// audio files made with sox, each checked, each finding's fix applied, and
// the result read back with libcue's cuebreakpoints.
#include "tracks/CDecodedAudioFacts.h"
#include "audio/WaveFixtures.h"
#include "document/CSheetChecker.h"
#include "support/SheetFixture.h"

#include <filesystem>
#include <fstream>

using wavetest::Quote;

namespace {

using Strings = std::vector<std::string>;

struct CheckCase {
    const char* name;
    Strings audio;   // "NAME|FORMAT|EFFECTS": made with sox -n FORMAT NAME EFFECTS
    std::string sheet;
    Strings findings; // CSheetChecker::Format of each
    bool burning = false;
    // cuebreakpoints' complaint about the sheet before and after the fixes.
    bool libcueComplains = false;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

constexpr const char* kLibcue = "libcue (cueprint, cuebreakpoints)";
constexpr const char* kBoth = "libcue (cueprint, cuebreakpoints), cdrdao";
constexpr const char* kPlayers = "players, splitters (shntool, flacon), cdrdao";
constexpr const char* kBurners = "cdrdao, CD burners";

std::string Finding(int line, const char* severity, const std::string& text, const std::string& readers)
{
    return "Line " + std::to_string(line) + ": " + severity + ": " + text + " [" + readers + "]";
}

class Check : public SheetFixture, public testing::WithParamInterface<CheckCase>
{
protected:
    // cuebreakpoints' messages about the sheet as saved.
    std::string LibcueMessages()
    {
        const std::string path = dir.Write("saved.cue", doc->SaveBytes());
        std::string output;
        wavetest::Run("cuebreakpoints " + Quote(path) + " 2>&1 >/dev/null", &output);
        return output;
    }
};

TEST_P(Check, FindingsAndFixes)
{
    const CheckCase& c = GetParam();
    for (const std::string& audio : c.audio) {
        const auto bar = audio.find('|');
        const auto bar2 = audio.find('|', bar + 1);
        ASSERT_EQ(wavetest::Run("sox -n " + audio.substr(bar + 1, bar2 - bar - 1) + " " + Quote(dir.File(audio.substr(0, bar)))
                      + " " + audio.substr(bar2 + 1)),
                  0)
            << audio;
    }
    const std::string path = dir.Write("sheet.cue", c.sheet);
    ASSERT_TRUE(doc->OnOpenDocument(path));
    doc->SetPathName(path);
    CDecodedAudioFacts facts;
    CSheetChecker::Options options;
    options.forBurning = c.burning;
    const std::vector<SheetFinding> findings = CSheetChecker::Check(*doc, &facts, options);
    Strings got;
    for (const SheetFinding& f : findings)
        got.push_back(CSheetChecker::Format(f));
    EXPECT_EQ(got, c.findings);
    EXPECT_EQ(!LibcueMessages().empty(), c.libcueComplains) << LibcueMessages();

    // Each fix takes its finding away and leaves libcue nothing to say
    // about what it fixed.
    bool fixed = false;
    for (const SheetFinding& f : findings) {
        if (f.fix == FindingFix::None)
            continue;
        const unsigned long before = doc->ChangeCount();
        EXPECT_TRUE(CSheetChecker::ApplyFix(*doc, f)) << f.text;
        EXPECT_EQ(doc->ChangeCount(), before + 1) << "one change per fix";
        fixed = true;
    }
    if (fixed) {
        for (const SheetFinding& f : CSheetChecker::Check(*doc, &facts, options))
            EXPECT_EQ(f.fix, FindingFix::None) << CSheetChecker::Format(f);
        EXPECT_EQ(LibcueMessages(), "");
    }
}

std::string ManyTracks(int count)
{
    std::string sheet = "FILE long.wav WAVE\n";
    for (int t = 1; t <= count; ++t) {
        char line[64];
        std::snprintf(line, sizeof line, "  TRACK %02d AUDIO\n    INDEX 01 %02d:%02d:00\n", t, (t - 1) * 5 / 60, (t - 1) * 5 % 60);
        sheet += line;
    }
    return sheet;
}

std::string LongCdText(int tracks)
{
    std::string sheet = "FILE long.wav WAVE\n";
    for (int t = 1; t <= tracks; ++t) {
        char line[64];
        std::snprintf(line, sizeof line, "  TRACK %02d AUDIO\n", t);
        sheet += line;
        sheet += "    TITLE \"" + std::string(200, static_cast<char>('a' + t % 26)) + "\"\n";
        std::snprintf(line, sizeof line, "    INDEX 01 %02d:%02d:00\n", (t - 1) * 10 / 60, (t - 1) * 10 % 60);
        sheet += line;
    }
    return sheet;
}

INSTANTIATE_TEST_SUITE_P(Sheets, Check, testing::Values(
    CheckCase{"clean", {"a.wav|-r 44100 -b 16 -c 2|synth 10 sine 440"},
              Lines({"FILE a.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "  TRACK 02 AUDIO",
                     "    INDEX 01 00:05:00"}),
              {}},
    CheckCase{"flac_type_word", {"a.flac|-r 44100 -b 16 -c 2|synth 10 sine 440"},
              Lines({"FILE a.flac FLAC", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
              {Finding(1, "error", "The FILE type word \"FLAC\" is refused", kBoth)}, false, true},
    CheckCase{"missing_audio", {},
              Lines({"FILE gone.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
              {Finding(1, "error", "\"gone.wav\": no such file", kPlayers)}},
    CheckCase{"unreadable_audio", {},
              Lines({"FILE sheet.cue WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
              {Finding(1, "error", "\"sheet.cue\" cannot be read: not an audio file", kPlayers)}},
    CheckCase{"index_past_end", {"a.wav|-r 44100 -b 16 -c 2|synth 10 sine 440"},
              Lines({"FILE a.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "  TRACK 02 AUDIO",
                     "    INDEX 01 00:12:00"}),
              {Finding(5, "error", "INDEX 01 at 00:12:00 is past the end of \"a.wav\" (00:10:00 long)", kPlayers)}},
    CheckCase{"short_track", {"a.wav|-r 44100 -b 16 -c 2|synth 10 sine 440"},
              Lines({"FILE a.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "  TRACK 02 AUDIO",
                     "    INDEX 01 00:02:00"}),
              {Finding(2, "warning", "Track 01 lasts 00:02:00, under the 4 seconds a CD track needs", kBurners)}},
    CheckCase{"not_cd_audio_when_burning", {"hi.wav|-r 48000 -b 24 -c 1|synth 10 sine 440"},
              Lines({"FILE hi.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
              {Finding(1, "warning", "\"hi.wav\" is 48000 Hz, 24-bit, 1 channel; a CD holds 44100 Hz, 16-bit, stereo",
                       kBurners)},
              true},
    // A sheet with none of a burner's lines is not checked for CD audio.
    CheckCase{"not_cd_audio_for_playing", {"hi.wav|-r 48000 -b 24 -c 1|synth 10 sine 440"},
              Lines({"FILE hi.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}), {}},
    CheckCase{"catalog_check_digit", {"a.wav|-r 44100 -b 16 -c 2|synth 10 sine 440"},
              Lines({"CATALOG 4006381333932", "FILE a.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
              {Finding(1, "warning", "The CATALOG number \"4006381333932\" has a wrong EAN/UPC check digit",
                       "disc databases (MusicBrainz, Discogs), barcode lookups")}},
    CheckCase{"catalog_good", {"a.wav|-r 44100 -b 16 -c 2|synth 10 sine 440"},
              Lines({"CATALOG 4006381333931", "FILE a.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}), {}},
    CheckCase{"isrc_form_and_duplicate", {"a.wav|-r 44100 -b 16 -c 2|synth 20 sine 440"},
              Lines({"FILE a.wav WAVE", "  TRACK 01 AUDIO", "    ISRC US-RC1-76-07839", "    INDEX 01 00:00:00",
                     "  TRACK 02 AUDIO", "    ISRC GBAYE6700149", "    INDEX 01 00:06:00", "  TRACK 03 AUDIO",
                     "    ISRC GBAYE6700149", "    INDEX 01 00:12:00"}),
              {Finding(3, "error", "The ISRC \"US-RC1-76-07839\" is not of the form CCXXXYYNNNNN", "cdrdao"),
               Finding(9, "warning", "The ISRC GBAYE6700149 is already that of track 02",
                       "disc databases (MusicBrainz), players that tag by ISRC")}},
    CheckCase{"unquoted_and_inner_quotes", {"a.wav|-r 44100 -b 16 -c 2|synth 10 sine 440"},
              Lines({"TITLE Live at the Hall", "PERFORMER \"The \"Big\" Band\"", "FILE a.wav WAVE",
                     "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
              {Finding(1, "error", "TITLE value with blanks is not in double quotes", kBoth),
               Finding(2, "error", "PERFORMER value holds double quotes", kBoth)},
              false, true},
    CheckCase{"track_without_index_01", {"a.wav|-r 44100 -b 16 -c 2|synth 10 sine 440"},
              Lines({"FILE a.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "  TRACK 02 AUDIO"}),
              {Finding(4, "error", "Track 02 has no INDEX 01", std::string("players, ") + kBoth)}, false, true},
    CheckCase{"time_past_99_59_74", {},
              Lines({"FILE long.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "  TRACK 02 AUDIO",
                     "    INDEX 01 100:00:00"}),
              {Finding(1, "error", "\"long.wav\": no such file", kPlayers),
               Finding(4, "warning", "The disc lasts 100:00:00, over the 79:57:74 a CD holds", kBurners),
               Finding(5, "error", "The time 100:00:00 is past 99:59:74", "cdrdao")}},
    CheckCase{"more_than_99_tracks", {}, ManyTracks(100),
              {Finding(1, "error", "\"long.wav\": no such file", kPlayers),
               Finding(200, "error", "More than 99 tracks; a CD holds 99", std::string(kLibcue) + ", " + kBurners)},
              false, true},
    CheckCase{"cd_text_too_long", {}, LongCdText(16),
              {Finding(1, "error", "\"long.wav\": no such file", kPlayers),
               Finding(45, "warning", "The CD-TEXT reaches 3015 bytes here; a disc holds 3000", kBurners)}},
    CheckCase{"utf8_without_mark", {"a.wav|-r 44100 -b 16 -c 2|synth 10 sine 440"},
              Lines({"TITLE \"Caf\xC3\xA9\"", "FILE a.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
              {Finding(1, "warning", "The text is UTF-8 without a byte-order mark",
                       "foobar2000, EAC, Windows programs that assume the code page")}},
    CheckCase{"code_page_text", {"a.wav|-r 44100 -b 16 -c 2|synth 10 sine 440"},
              Lines({"TITLE \"Caf\xE9 \xE0 la cr\xE8me, tr\xE8s \xE9l\xE9gant\"", "FILE a.wav WAVE", "  TRACK 01 AUDIO",
                     "    INDEX 01 00:00:00"}),
              {Finding(1, "warning", "The text is WINDOWS-1252, not UTF-8",
                       "libcue (cueprint, cuebreakpoints), ffmpeg, Linux and macOS players")}}));

} // namespace
