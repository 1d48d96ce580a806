#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

class CQuillDoc;
class CTrackSplitter;
class QWidget;

// The commands that cut the sheet's audio into track files and join its
// files into one image. Both read the open document; neither changes it.
class CTrackCommands final
{
public:
    CTrackCommands() = delete;

    // File > Export Tracks: asks for the folder, the format and the gap
    // rule, then writes the track files and their sheet.
    static void ExportTracks(QWidget* parent, const CQuillDoc& doc);
    // File > Join Into One Image: asks for the image's name, then writes
    // the image and its sheet beside it.
    static void JoinImage(QWidget* parent, const CQuillDoc& doc);
    // Whether the document has audio files to work on.
    static bool CanRun(const CQuillDoc& doc);

    // Runs work on a worker thread under a progress dialog whose Cancel
    // cancels the splitter; true when the work succeeded.
    static bool RunWithProgress(QWidget* parent, const std::string& label, CTrackSplitter& splitter,
                                const std::function<bool()>& work);
    // The same for any worker: progress reports the units done and the
    // units in all (0 while unknown), cancel asks the work to stop.
    static bool RunWithProgress(QWidget* parent, const std::string& label,
                                const std::function<std::pair<std::uint64_t, std::uint64_t>()>& progressOf,
                                const std::function<void()>& cancel, const std::function<bool()>& work);
};
