#pragma once

#include <cstdint>
#include <string>

class CCueTime;
class IViewFrame;
class CQuillView;

// The commands that work on the current line's wave file, reached by their
// command ids only: Truncate and Write silence for the view, Goto position
// for the frame. Each takes its times from a dialog pre-filled from the
// wavebar and reports a failure in a message box that names the file and
// the reason. Without a current line, a FILE for it, or a wave file that
// parses, nothing is written.
class CWaveCommands final
{
public:
    CWaveCommands() = delete;

    // Work of more than this many bytes shows a progress dialog.
    static constexpr std::uint64_t kProgressBytes = 100ull * 1024 * 1024;

    // Copies the current line's wave file up to a time, that time's sample
    // frame included, into a new file the user names; the source stays.
    static void Truncate(IViewFrame& frame, const CQuillView& view);
    // Makes an interval of the current line's wave file silent, in place.
    // Closes the player first, so that nothing holds the file.
    static void WriteSilence(IViewFrame& frame, const CQuillView& view);
    // Seeks the player to a time asked for; the dialog starts from, and
    // keeps, the last time asked for.
    static void GotoPosition(IViewFrame& frame, CCueTime& lastGoto);

    // The wave file of the current line: its FILE's name resolved against
    // the sheet's folder; empty when there is none.
    static std::string WavePathOf(const CQuillView& view);
    // NAME-truncated.wav beside the source.
    static std::string TruncatedPath(const std::string& source);
};
