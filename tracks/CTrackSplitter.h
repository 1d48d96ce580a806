#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class CJoinPlan;
class CTrackPlan;

// Cuts, encodes and writes the files of a plan: the tracks of a split on
// worker threads, one track per core, or the one image of a join. Every
// file is written under a temporary name and takes its own name only when
// all of them are whole, so a cancelled or failed run leaves no file
// behind. Cancel and the progress counters may be used from any thread.
class CTrackSplitter
{
public:
    // The files a run would write that exist already: names in the folder
    // for a split, paths for a join.
    static std::vector<std::string> ExistingTargets(const CTrackPlan& plan, const std::string& folder);
    static std::vector<std::string> ExistingTargets(const CJoinPlan& plan);

    // Writes the track files and their sheet into folder (made when
    // missing). Existing files are replaced only with overwrite. False
    // with a message for the user; a cancel gives false and an empty
    // message.
    bool Split(const CTrackPlan& plan, const std::string& folder, bool overwrite, std::string& error);
    bool Join(const CJoinPlan& plan, bool overwrite, std::string& error);

    void Cancel() { m_cancel = true; }
    bool Cancelled() const { return m_cancel; }
    std::uint64_t FramesDone() const { return m_done; }
    std::uint64_t FramesTotal() const { return m_total; }
    // Threads a split uses: one a core, at most one a track.
    static unsigned WorkerCount(std::size_t tracks);

private:
    std::atomic<bool> m_cancel{false};
    std::atomic<std::uint64_t> m_done{0};
    std::atomic<std::uint64_t> m_total{0};
};
