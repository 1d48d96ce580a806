#pragma once

// Command identifiers, shared by menu items, shortcuts, toolbar buttons and
// their status prompts.
namespace cmd {

enum : int {
    // File
    New = 57600,
    Open = 57601,
    Save = 57603,
    SaveAs = 57604,
    ExportTracks = 33200,
    JoinImage = 33201,
    // Album commands
    NewFromAudio = 33210,
    ImportTracklist = 33211,
    ExportTracklist = 33212,
    WriteChapters = 33213,
    DetectTracks = 33214,
    // The track table and marks while listening
    ViewTracks = 33220,
    MarkTrack = 33221,
    // Sheets in audio files' tags
    EmbedSheet = 33419,
    DiscInfo = 33260,
    VerifyRip = 33261,
    RecentFile1 = 57616,
    RecentFile2 = 57617,
    RecentFile3 = 57618,
    RecentFile4 = 57619,
    Exit = 57665,
    // Edit
    Edit = 32794,
    Cut = 57635,
    Copy = 57634,
    Paste = 57637,
    Delete = 32789,
    Undo = 33001,
    Redo = 33002,
    // Edit: disc images
    ConvertGaps = 33300,
    // View
    ViewToolbar = 59392,
    ViewWavebar = 32815,
    ViewStatusBar = 59393,
    ViewWaveform = 33100,
    ViewEncoding = 32830,
    // Insert
    InsertFile = 32784,
    InsertTrack = 32785,
    InsertIndex = 32786,
    InsertPregap = 32797,
    InsertPostgap = 32796,
    InsertIsrc = 32803,
    InsertFlags = 32802,
    InsertCatalog = 32800,
    InsertCdText = 32804,
    InsertComment = 32798,
    // Wave
    PlayStop = 32771,
    GotoPosition = 32773,
    SkipBack1Min = 32774,
    SkipBack10Secs = 32775,
    SkipForward10Secs = 32776,
    SkipForward1Min = 32777,
    Truncate = 32781,
    WriteSilence = 32795,
    // The waveform panel
    WaveZoomIn = 33101,
    WaveZoomOut = 33102,
    WaveZoomFit = 33103,
    WaveSnap = 33104,
    // Help
    HelpContents = 57667,
    HomePage = 32816,
    About = 57664,
    Welcome = 32819,
    // Repairs: audio a sheet lost, and what other programs get wrong
    FindMissingAudio = 33310,
    CheckSheet = 33311,
    // The wavebar slot taken by the position control; not a command.
    WavePosSlot = 32813,
};

} // namespace cmd
