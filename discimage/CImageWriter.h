#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "discimage/CDiscImage.h"

// One file to write: spans of the image's files and silence, then text.
struct ImageOutput {
    std::string target;
    std::vector<ImagePiece> pieces;
    std::string text;
};

// Writes what join and split make of a byte image: the bytes copied as they
// are, never read into the process where the kernel can copy them. Every
// file is written under a temporary name and takes its own only when all
// of them are whole, the sheet last, so a cancelled or failed run leaves
// no file behind. Cancel and the counters may be used from any thread.
class CImageWriter
{
public:
    // The sheet a join writes beside its image: the image's name with
    // ".cue" for its extension.
    static std::string SheetPathOf(const std::string& imagePath);
    // The files a run would write that exist already: paths for a join,
    // names in the folder for a split.
    static std::vector<std::string> ExistingJoinTargets(const std::string& imagePath);
    static std::vector<std::string> ExistingSplitTargets(const CDiscImage& disc, const std::string& folder,
                                                         const std::string& name);

    // Writes the image and its sheet. Existing files are replaced only with
    // overwrite; the sheet's own files never are. False with a message for
    // the user; a cancel gives false and an empty message.
    bool Join(const CDiscImage& disc, const std::string& imagePath, bool overwrite, std::string& error);
    // Writes "NAME (Track N).bin" for every track and NAME.cue into folder
    // (made when missing, and removed again when the run fails).
    bool Split(const CDiscImage& disc, const std::string& folder, const std::string& name, bool overwrite,
               std::string& error);

    // Writes the outputs, in order.
    bool WriteFiles(const CDiscImage& disc, const std::vector<ImageOutput>& outputs, bool overwrite,
                    std::string& error);

    void Cancel() { m_cancel = true; }
    bool Cancelled() const { return m_cancel; }
    std::uint64_t BytesDone() const { return m_done; }
    std::uint64_t BytesTotal() const { return m_total; }

private:
    std::atomic<bool> m_cancel{false};
    std::atomic<std::uint64_t> m_done{0};
    std::atomic<std::uint64_t> m_total{0};
};
