#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "verify/CDiscLayout.h"
#include "verify/CVerifyReport.h"

class CQuillDoc;

// Reads a sheet's audio as the disc it describes: the files' lengths for
// the table of contents, then every track's samples, exactly, on worker
// threads in parallel, for its checksums.
class CRipReader
{
public:
    // Opens every FILE of the sheet for its format and length and lays the
    // disc out. False with a message for the user.
    bool Open(const CQuillDoc& document, std::string& error);
    const CDiscLayout& Layout() const { return m_layout; }

    // The checksums of every track and the image's CRC. Only 44.1 kHz
    // 16-bit stereo audio has them; other audio is refused with a message.
    // False without a message after Cancel.
    bool Compute(std::string& error);
    const std::vector<TrackChecksums>& Checksums() const { return m_sums; }
    std::uint32_t ImageCrc() const { return m_imageCrc; }

    // May be called from any thread, before or while Compute runs; holds
    // for the rest of the reader's life.
    void Cancel() { m_cancel = true; }
    std::uint64_t FramesDone() const { return m_done; }
    std::uint64_t FramesTotal() const { return m_layout.DiscFrames() - m_layout.HiddenFrames(); }

private:
    struct Source {
        std::string path;
        std::uint32_t rate = 0;
        std::uint16_t channels = 0;
        bool s16 = false;
        bool data = false; // a data track's file, never read
    };
    bool ReadTrack(std::size_t index, TrackChecksums& sums, std::string& error);

    std::vector<Source> m_sources;
    CDiscLayout m_layout;
    std::vector<TrackChecksums> m_sums;
    std::uint32_t m_imageCrc = 0;
    std::atomic<bool> m_cancel{false};
    std::atomic<std::uint64_t> m_done{0};
};
