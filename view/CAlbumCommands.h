#pragma once

#include <functional>
#include <string>
#include <vector>

class CCueTime;
class CQuillDoc;
class CEditSession;
class QWidget;

// The album commands of the window: a new sheet from audio files, a
// tracklist imported into the sheet or exported from it, the chapters
// written into a copy of its audio, and tracks proposed from silence.
// Every change of the sheet is one undoable step of the edit session.
class CAlbumCommands final
{
public:
    // File > New from Audio Files: asks for the files, then makes them the
    // new sheet (after asking to save the current one).
    static void NewFromAudioFiles(QWidget* parent, CEditSession& session, CQuillDoc& doc);
    // The sheet for paths made the document's contents; false with the
    // reason shown when a file cannot be read.
    static bool FillFromAudioFiles(CEditSession& session, CQuillDoc& doc, const std::vector<std::string>& paths);
    // Whether every path looks like an audio file (not a sheet).
    static bool AreAudioFiles(const std::vector<std::string>& paths);

    static void ImportTracklist(QWidget* parent, CEditSession& session, CQuillDoc& doc);
    static void ExportTracklist(QWidget* parent, const CQuillDoc& doc);
    static void WriteChapters(QWidget* parent, const CQuillDoc& doc);
    // showProposals hears the listed proposals' starts while the dialog is
    // open, and none once it closes.
    static void DetectTracks(QWidget* parent, CEditSession& session, CQuillDoc& doc,
                             const std::function<void(const std::vector<CCueTime>&)>& showProposals = {});

    static bool HasTracks(const CQuillDoc& doc);
    static bool HasOneFile(const CQuillDoc& doc);
};
