// Finding the audio a sheet lost: folders of renamed, re-encoded, re-cased
// and moved files, and what each FILE line then names.
#include "document/CAudioRelinker.h"
#include "model/CCueFile.h"
#include "support/SheetFixture.h"

#include <filesystem>
#include <fstream>
#include <utility>

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

struct RelinkCase {
    const char* name;
    std::vector<std::string> files; // in the folder, relative to it
    std::string sheetName;          // where the sheet lies, relative to it
    std::string sheet;
    Pairs expected; // each missing FILE name and what it gets ("" for nothing)
    std::string saved; // the sheet after the fixes; "" when it stays as read
};

void PrintTo(const RelinkCase& c, std::ostream* os) { *os << c.name; }

class Relink : public SheetFixture, public testing::WithParamInterface<RelinkCase> {};

// A few bytes of a RIFF header: the search goes by names, the bytes only
// make the files look like what a rip leaves.
void Touch(const std::filesystem::path& path)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << "RIFF\x24\0\0\0WAVEfmt ";
}

TEST_P(Relink, FindsTheCandidate)
{
    const RelinkCase& c = GetParam();
    for (const std::string& file : c.files)
        Touch(dir.Path() / file);
    const std::filesystem::path sheetPath = dir.Path() / c.sheetName;
    std::filesystem::create_directories(sheetPath.parent_path());
    std::ofstream(sheetPath, std::ios::binary) << c.sheet;
    ASSERT_TRUE(doc->OnOpenDocument(sheetPath.string()));
    doc->SetPathName(sheetPath.string());
    const std::string before = Text();

    const std::vector<CAudioRelinker::Fix> fixes = CAudioRelinker::MissingFiles(*doc);
    Pairs got;
    for (const CAudioRelinker::Fix& fix : fixes) {
        got.emplace_back(fix.oldName, fix.newName);
        // Every candidate named is a file that is there.
        if (!fix.newName.empty()) {
            EXPECT_TRUE(CAudioRelinker::Exists(sheetPath.parent_path(), fix.newName)) << fix.newName;
        }
    }
    EXPECT_EQ(got, c.expected);

    CAudioRelinker::Apply(*doc, fixes);
    EXPECT_EQ(Text(), c.saved.empty() ? before : c.saved);
    EXPECT_TRUE(Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Folders, Relink, testing::Values(
    RelinkCase{"reencoded", {"Artist - Album.flac", "Artist - Album.log"}, "Artist - Album.cue",
               Lines({"FILE \"Artist - Album.wav\" WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
               {{"Artist - Album.wav", "Artist - Album.flac"}},
               // The type word stays as written.
               Lines({"FILE \"Artist - Album.flac\" WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    RelinkCase{"recased", {"artist - album.wav"}, "album.cue",
               Lines({"FILE \"Artist - Album.wav\" WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
               {{"Artist - Album.wav", "artist - album.wav"}},
               Lines({"FILE \"artist - album.wav\" WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    RelinkCase{"recased_and_reencoded", {"artist - album.flac", "cover.jpg"}, "album.cue",
               Lines({"FILE \"Artist - Album.wav\" WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
               {{"Artist - Album.wav", "artist - album.flac"}},
               Lines({"FILE \"artist - album.flac\" WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    // Another extension comes before another letter case.
    RelinkCase{"extension_before_case", {"album.wav", "Album.flac"}, "album.cue",
               Lines({"FILE Album.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "FILE Bonus.wav WAVE",
                      "  TRACK 02 AUDIO", "    INDEX 01 00:00:00"}),
               {{"Album.wav", "Album.flac"}, {"Bonus.wav", ""}},
               Lines({"FILE Album.flac WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "FILE Bonus.wav WAVE",
                      "  TRACK 02 AUDIO", "    INDEX 01 00:00:00"})},
    RelinkCase{"lossless_before_lossy", {"Live.mp3", "Live.flac"}, "live.cue",
               Lines({"FILE Live.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}), {{"Live.wav", "Live.flac"}},
               Lines({"FILE Live.flac WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    RelinkCase{"moved_to_subfolder", {"CD1/01 Intro.flac", "CD1/02 Song.flac"}, "disc.cue",
               Lines({"FILE \"01 Intro.wav\" WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00",
                      "FILE \"02 Song.wav\" WAVE", "  TRACK 02 AUDIO", "    INDEX 01 00:00:00"}),
               {{"01 Intro.wav", "CD1/01 Intro.flac"}, {"02 Song.wav", "CD1/02 Song.flac"}},
               Lines({"FILE \"CD1/01 Intro.flac\" WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00",
                      "FILE \"CD1/02 Song.flac\" WAVE", "  TRACK 02 AUDIO", "    INDEX 01 00:00:00"})},
    RelinkCase{"moved_to_parent", {"Album.wav", "sheets/readme.txt"}, "sheets/Album.cue",
               Lines({"FILE Album.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
               {{"Album.wav", "../Album.wav"}},
               Lines({"FILE ../Album.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    RelinkCase{"windows_folders", {"CD1/Track.wav"}, "disc.cue",
               Lines({"FILE \"CD1\\Track.wav\" WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
               {{"CD1\\Track.wav", "CD1/Track.wav"}},
               Lines({"FILE CD1/Track.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    // Sheets made on another computer name folders that are not here.
    RelinkCase{"windows_path_of_another_computer", {"Album.flac"}, "album.cue",
               Lines({"FILE \"C:\\Music\\Artist\\Album.wav\" WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
               {{"C:\\Music\\Artist\\Album.wav", "Album.flac"}},
               Lines({"FILE Album.flac WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    RelinkCase{"absolute_path_of_another_computer", {"Album.wav"}, "album.cue",
               Lines({"FILE /home/someone/Music/Album.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
               {{"/home/someone/Music/Album.wav", "Album.wav"}},
               Lines({"FILE Album.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    RelinkCase{"only_audio_file", {"Something Else (Remaster).flac", "cover.jpg", "rip.log"}, "rip.cue",
               Lines({"FILE rip.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}),
               {{"rip.wav", "Something Else (Remaster).flac"}},
               Lines({"FILE \"Something Else (Remaster).flac\" WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    // With two FILE lines the folder's one audio file is nobody's.
    RelinkCase{"only_audio_file_needs_one_file", {"other.flac"}, "two.cue",
               Lines({"FILE a.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "FILE b.wav WAVE",
                      "  TRACK 02 AUDIO", "    INDEX 01 00:00:00"}),
               {{"a.wav", ""}, {"b.wav", ""}}, ""},
    RelinkCase{"two_audio_files_no_guess", {"one.flac", "two.flac"}, "rip.cue",
               Lines({"FILE rip.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}), {{"rip.wav", ""}}, ""},
    RelinkCase{"present_files_untouched", {"a.wav", "b.flac"}, "ok.cue",
               Lines({"FILE a.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}), {}, ""},
    // A folder of the same name is no audio file.
    RelinkCase{"folder_is_no_file", {"Album.wav/inside.txt"}, "a.cue",
               Lines({"FILE Album.wav WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00", "FILE x.wav WAVE",
                      "  TRACK 02 AUDIO", "    INDEX 01 00:00:00"}),
               {{"Album.wav", ""}, {"x.wav", ""}}, ""},
    // Tracks before any FILE line: the FILE not named yet takes the one
    // audio file of the folder.
    RelinkCase{"unnamed_file", {"mix.mp3"}, "mix.cue",
               Lines({"TITLE \"Mix\"", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}), {{"", "mix.mp3"}},
               Lines({"TITLE \"Mix\"", "FILE mix.mp3 WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    // A stem longer than any folder entry matches no file by name; the one
    // audio file of the folder still stands for the sheet's one FILE.
    RelinkCase{"stem_longer_than_any_entry", {"rip.flac", "sub/" + std::string(200, 'x') + ".flac"}, "rip.cue",
               Lines({("FILE sub/" + std::string(300, 'x') + ".wav WAVE").c_str(), "  TRACK 01 AUDIO",
                      "    INDEX 01 00:00:00"}),
               {{"sub/" + std::string(300, 'x') + ".wav", "rip.flac"}},
               Lines({"FILE rip.flac WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})},
    RelinkCase{"stem_longer_than_any_entry_two_files", {"rip.flac"}, "two.cue",
               Lines({("FILE " + std::string(300, 'y') + ".wav WAVE").c_str(), "  TRACK 01 AUDIO",
                      "    INDEX 01 00:00:00", "FILE b.wav WAVE", "  TRACK 02 AUDIO", "    INDEX 01 00:00:00"}),
               {{std::string(300, 'y') + ".wav", ""}, {"b.wav", ""}}, ""},
    // A long extension after a short stem: the stem still finds its file.
    RelinkCase{"long_extension_short_stem", {"song.flac", "other.flac"}, "song.cue",
               Lines({("FILE song." + std::string(300, 'z') + " WAVE").c_str(), "  TRACK 01 AUDIO",
                      "    INDEX 01 00:00:00"}),
               {{"song." + std::string(300, 'z'), "song.flac"}},
               Lines({"FILE song.flac WAVE", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"})}));

} // namespace
