#include "res/CommandTable.h"

#include "res/CommandIds.h"

#include <algorithm>
#include <array>

namespace res {

namespace {

using namespace std::string_view_literals;

// clang-format off
constexpr std::array kCommands = {
    CommandInfo{cmd::New, "&New\tCtrl+N", "Ctrl+N", "Create a new document", "New", "document-new"},
    CommandInfo{cmd::Open, "&Open...\tCtrl+O", "Ctrl+O", "Open an existing document", "Open", "document-open"},
    CommandInfo{cmd::Save, "&Save\tCtrl+S", "Ctrl+S", "Save the active document", "Save", "document-save"},
    CommandInfo{cmd::SaveAs, "Save &As...", "", "Save the active document with a new name", "Save As", ""},
    CommandInfo{cmd::ExportTracks, "&Export Tracks...", "", "Cut the sheet's audio into one tagged file per track", "Export Tracks", ""},
    CommandInfo{cmd::JoinImage, "&Join Into One Image...", "", "Join the sheet's audio files into one image with its own sheet", "Join Into One Image", ""},
    CommandInfo{cmd::EmbedSheet, "Em&bed Sheet in Audio File", "", "Write the sheet into the CUESHEET tag of its one FLAC, WavPack or APE file", "Embed Sheet in Audio File", ""},
    CommandInfo{cmd::DiscInfo, "&Disc Information...", "", "Show the disc's table of contents and its MusicBrainz, freedb, AccurateRip and CTDB IDs", "Disc Information", ""},
    CommandInfo{cmd::VerifyRip, "&Verify Rip...", "", "Check the rip's checksums against its log and the AccurateRip database", "Verify Rip", ""},
    CommandInfo{cmd::RecentFile1, "Recent File", "", "Open this document", "", ""},
    CommandInfo{cmd::RecentFile2, "", "", "Open this document", "", ""},
    CommandInfo{cmd::RecentFile3, "", "", "Open this document", "", ""},
    CommandInfo{cmd::RecentFile4, "", "", "Open this document", "", ""},
    CommandInfo{cmd::Exit, "E&xit", "", "Quit the application; prompts to save documents", "Exit", ""},

    CommandInfo{cmd::Edit, "&Edit...\tEnter", "", "Edit current line in a dialog", "", ""},
    CommandInfo{cmd::Cut, "Cu&t\tCtrl+X", "Ctrl+X, Shift+Del", "Cut the selection and put it on the Clipboard", "Cut", "edit-cut"},
    CommandInfo{cmd::Copy, "&Copy\tCtrl+C", "Ctrl+C, Ctrl+Ins", "Copy the selection and put it on the Clipboard", "Copy", "edit-copy"},
    CommandInfo{cmd::Paste, "&Paste\tCtrl+V", "Ctrl+V, Shift+Ins", "Insert Clipboard contents", "Paste", "edit-paste"},
    CommandInfo{cmd::Delete, "&Delete\tDel", "Del, Ctrl+D", "Delete highlighted lines", "", ""},
    CommandInfo{cmd::Undo, "&Undo\tCtrl+Z", "Ctrl+Z", "Undo the last change", "Undo", ""},
    CommandInfo{cmd::Redo, "&Redo\tCtrl+Y", "Ctrl+Y, Ctrl+Shift+Z", "Redo the change undone last", "Redo", ""},
    CommandInfo{cmd::ConvertGaps, "Convert &Gaps...", "", "Turn silent INDEX 00 gaps into PREGAP commands or back, in a copy of the image", "Convert Gaps", ""},

    CommandInfo{cmd::ViewToolbar, "&Toolbar", "", "Show or hide the toolbar", "Toggle Toolbar", ""},
    CommandInfo{cmd::ViewWavebar, "&Wavebar", "", "Show or hide the wavebar", "Toggle Wavebar", ""},
    CommandInfo{cmd::ViewStatusBar, "&Status Bar", "", "Show or hide the status bar", "Toggle StatusBar", ""},
    CommandInfo{cmd::ViewWaveform, "Wa&veform", "", "Show or hide the waveform panel", "Toggle Waveform", ""},
    CommandInfo{cmd::ViewEncoding, "&Encoding...", "", "Choose the character set the sheet's text is shown in", "Encoding", ""},

    CommandInfo{cmd::InsertFile, "&File...\tCtrl+F", "Ctrl+F", "Insert File at current location", "Insert file", "insert-file", "Insert &File...\tCtrl+F"},
    CommandInfo{cmd::InsertTrack, "&Track\tCtrl+T", "Ctrl+T", "Insert Track at current location", "Insert track", "insert-track", "Insert Trac&k\tCtrl+T"},
    CommandInfo{cmd::InsertIndex, "&Index\tCtrl+I", "Ctrl+I", "Insert Index at current location", "Insert index", "insert-index", "Insert &Index\tCtrl+I"},
    CommandInfo{cmd::InsertPregap, "P&regap\tCtrl+R", "Ctrl+R", "Insert Pregap for current track", "", "", "Insert Preg&ap\tCtrl+R"},
    CommandInfo{cmd::InsertPostgap, "&Postgap\tCtrl+P", "Ctrl+P", "Insert Postgap for current track", "", "", "Insert P&ostgap\tCtrl+P"},
    CommandInfo{cmd::InsertIsrc, "ISRC N&umber...\tCtrl+U", "Ctrl+U", "Insert ISRC number for current track", "", "", "Insert ISRC &Number...\tCtrl+U"},
    CommandInfo{cmd::InsertFlags, "F&lags\tCtrl+L", "Ctrl+L", "Insert Flags for current track", "", "", "Insert F&lags\tCtrl+L"},
    CommandInfo{cmd::InsertCatalog, "Catalo&g...\tCtrl+G", "Ctrl+G", "Insert Catalog for cue sheet", "", "", "Insert Catalo&g...\tCtrl+G"},
    CommandInfo{cmd::InsertCdText, "&CD-Text...", "", "Insert CD-Text for the disc or the current track", "", "", "Insert CD-Te&xt..."},
    CommandInfo{cmd::InsertComment, "Co&mment\tCtrl+M", "Ctrl+M", "Insert Comment at current location", "", "", "Insert Co&mment\tCtrl+M"},

    CommandInfo{cmd::PlayStop, "&Play\tSpace", "Space", "Play/Stop", "Play/Stop", "media-playback-start"},
    CommandInfo{cmd::SkipBack1Min, "&Skip back 1 min\tF5", "F5, J", "Skip back 1 min", "Skip back 1 min", "media-skip-backward"},
    CommandInfo{cmd::SkipBack10Secs, "Skip &back 10 secs\tF6", "F6, K", "Skip back 10 secs", "Skip back 10 secs", "media-seek-backward"},
    CommandInfo{cmd::SkipForward10Secs, "S&kip forward 10 secs\tF7", "F7, L", "Skip forward 10 secs", "Skip forward 10 secs", "media-seek-forward"},
    CommandInfo{cmd::SkipForward1Min, "Skip &forward 1 min\tF8", "F8, ;", "Skip forward 1 min", "Skip forward 1 min", "media-skip-forward"},

    CommandInfo{cmd::WaveZoomIn, "Zoom &In\tCtrl+=", "Ctrl+=, Ctrl++", "Show less of the waveform in more detail", "Zoom in", ""},
    CommandInfo{cmd::WaveZoomOut, "Zoom &Out\tCtrl+-", "Ctrl+-", "Show more of the waveform", "Zoom out", ""},
    CommandInfo{cmd::WaveZoomFit, "Zoom &to Fit\tCtrl+0", "Ctrl+0", "Show the whole file in the waveform", "Zoom to fit", ""},
    CommandInfo{cmd::WaveSnap, "S&nap to Silences\tCtrl+Shift+N", "Ctrl+Shift+N", "Make a dragged mark snap to the end of a nearby silence", "Snap to silences", ""},
    // The two wave file commands are on no menu, key or button; they still
    // have their entries, with Write silence's status-bar prompt.
    CommandInfo{cmd::Truncate, "", "", "", "", ""},
    CommandInfo{cmd::WriteSilence, "", "", "Make interval in wave file silent", "", ""},

    // Album commands
    CommandInfo{cmd::NewFromAudio, "New from Audio &Files...", "", "Make a new sheet with a track for each audio file, named from their tags", "New from Audio Files", ""},
    CommandInfo{cmd::ImportTracklist, "&Import Tracklist...", "", "Make the sheet's tracks from a tracklist, a chapter file or the chapters of a media file", "Import Tracklist", ""},
    CommandInfo{cmd::ExportTracklist, "Export &Tracklist...", "", "Write the sheet's tracks as chapters or a tracklist for other programs", "Export Tracklist", ""},
    CommandInfo{cmd::WriteChapters, "Write &Chapters Into...", "", "Write a copy of the sheet's audio with its tracks as chapters", "Write Chapters Into", ""},
    CommandInfo{cmd::DetectTracks, "&Detect Tracks...", "", "Propose track starts where the audio falls silent", "Detect Tracks", ""},
    CommandInfo{cmd::ViewTracks, "T&racks", "", "Show or hide the track table", "Toggle Tracks", ""},
    CommandInfo{cmd::MarkTrack, "&Mark Track Start\tM", "M", "Start a track where the audio being played is heard now", "Mark Track Start", ""},

    CommandInfo{cmd::HelpContents, "Contents\tF1", "F1", "Open Help", "Help", "help-contents"},
    CommandInfo{cmd::HomePage, "&Kestrel Home Page ...", "", "Access Web site", "Home Page", ""},
    CommandInfo{cmd::About, "&About Tracksmith...", "", "Show About box", "About", ""},

    CommandInfo{cmd::FindMissingAudio, "Find &Missing Audio...", "", "Find the audio files of FILE lines whose files are gone", "Find Missing Audio", ""},
    CommandInfo{cmd::CheckSheet, "&Check Sheet", "", "List what other programs will refuse or read wrong in the sheet", "Check Sheet", ""},
};

constexpr int kFileMenu[] = {cmd::New, cmd::Open, cmd::Save, cmd::SaveAs, 0, cmd::ExportTracks, cmd::JoinImage,
                             cmd::EmbedSheet, 0, cmd::FindMissingAudio, 0, cmd::DiscInfo, cmd::VerifyRip, 0,
                             cmd::NewFromAudio, cmd::ImportTracklist, cmd::ExportTracklist, cmd::WriteChapters, 0,
                             cmd::RecentFile1, 0, cmd::Exit};
constexpr int kEditMenu[] = {cmd::Edit, 0, cmd::Cut, cmd::Copy, cmd::Paste, cmd::Delete, 0, cmd::Undo, cmd::Redo,
                             0, cmd::ConvertGaps};
constexpr int kViewMenu[] = {cmd::ViewToolbar, cmd::ViewWavebar, cmd::ViewStatusBar, cmd::ViewWaveform, cmd::ViewTracks,
                             0, cmd::ViewEncoding};
constexpr int kInsertMenu[] = {cmd::InsertFile, cmd::InsertTrack, cmd::InsertIndex, cmd::InsertPregap,
                                    cmd::InsertPostgap, cmd::InsertIsrc, cmd::InsertFlags, cmd::InsertCatalog,
                                    cmd::InsertCdText, cmd::InsertComment};
constexpr int kWaveMenu[] = {cmd::PlayStop, 0, cmd::SkipBack1Min, cmd::SkipBack10Secs,
                                  cmd::SkipForward10Secs, cmd::SkipForward1Min, 0, cmd::WaveZoomIn,
                                  cmd::WaveZoomOut, cmd::WaveZoomFit, cmd::WaveSnap, 0, cmd::DetectTracks,
                                  cmd::MarkTrack};
constexpr int kToolsMenu[] = {cmd::CheckSheet};
constexpr int kHelpMenu[] = {cmd::HelpContents, 0, cmd::HomePage, 0, cmd::About};

constexpr std::array kMainMenu = {
    MenuInfo{"&File", kFileMenu}, MenuInfo{"&Edit", kEditMenu}, MenuInfo{"&View", kViewMenu},
    MenuInfo{"&Insert", kInsertMenu}, MenuInfo{"&Wave", kWaveMenu}, MenuInfo{"&Tools", kToolsMenu},
    MenuInfo{"&Help", kHelpMenu},
};

constexpr int kContextMenu[] = {cmd::Edit, 0, cmd::Cut, cmd::Copy, cmd::Paste, cmd::Delete, 0,
                                     cmd::InsertFile, cmd::InsertTrack, cmd::InsertIndex, cmd::InsertPregap,
                                     cmd::InsertPostgap, cmd::InsertIsrc, cmd::InsertFlags, cmd::InsertCatalog,
                                     cmd::InsertCdText, cmd::InsertComment, 0, cmd::Undo, cmd::Redo};

constexpr int kMainToolbar[] = {cmd::New, cmd::Open, cmd::Save, 0, cmd::Cut, cmd::Copy, cmd::Paste, 0,
                                     cmd::HelpContents, 0, cmd::InsertFile, cmd::InsertTrack, cmd::InsertIndex};
constexpr int kWavebar[] = {cmd::SkipBack1Min, cmd::SkipBack10Secs, cmd::PlayStop, cmd::SkipForward10Secs,
                                 cmd::SkipForward1Min, 0, cmd::WavePosSlot};
// clang-format on

} // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo* FindCommand(int id)
{
    const auto it = std::find_if(kCommands.begin(), kCommands.end(), [id](const CommandInfo& c) { return c.id == id; });
    return it == kCommands.end() ? nullptr : &*it;
}

std::span<const MenuInfo> MainMenu() { return kMainMenu; }
std::span<const int> ContextMenu() { return kContextMenu; }
std::span<const int> MainToolbar() { return kMainToolbar; }
std::span<const int> Wavebar() { return kWavebar; }

} // namespace res
