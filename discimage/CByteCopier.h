#pragma once

#include <atomic>
#include <cstdint>
#include <string>

// Copies spans of files into an open file, inside the kernel where it can
// (copy_file_range: no bytes pass through this process, and file systems
// that share extents share them), else through a buffer. Stops between
// blocks when cancelled. The counter of bytes done may be read from any
// thread.
class CByteCopier
{
public:
    CByteCopier(const std::atomic<bool>& cancel, std::atomic<std::uint64_t>& done);

    // Appends bytes [offset, offset + count) of the file at source to the
    // file open as target, at its current end. False with the reason when
    // the source cannot be read or ends early, or the target cannot be
    // written; false with no reason on a cancel.
    bool Append(const std::string& source, std::uint64_t offset, std::uint64_t count, int target, std::string& reason);

    // Appends count zero bytes.
    bool AppendZeros(std::uint64_t count, int target, std::string& reason);

private:
    bool CopyInKernel(int from, std::uint64_t& offset, std::uint64_t& count, int target, std::string& reason);
    bool CopyThroughBuffer(int from, std::uint64_t offset, std::uint64_t count, int target, std::string& reason);

    const std::atomic<bool>& m_cancel;
    std::atomic<std::uint64_t>& m_done;
    bool m_kernelCopy = true;
};
