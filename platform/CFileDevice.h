#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The lowest level of file access: positioned reads and writes on one open
// file. CRiffFile does its buffering and chunk work on top of it, and tests
// put their own device underneath to make the I/O fail on purpose.
class CFileDevice
{
public:
    virtual ~CFileDevice() = default;

    // Bytes moved, fewer at the end of the file, or -1 with Error() set.
    virtual std::int64_t ReadAt(std::int64_t offset, void* data, std::size_t size) = 0;
    // Bytes moved (all of them unless the device fails), or -1 with Error() set.
    virtual std::int64_t WriteAt(std::int64_t offset, const void* data, std::size_t size) = 0;
    // Current length of the file, or -1.
    virtual std::int64_t Size() = 0;
    // Asks the system to put the written data on the disk.
    virtual bool Sync() = 0;
    // Releases the file; the device is unusable afterwards.
    virtual bool Close() = 0;
    // The system error number of the last failure.
    virtual int Error() const = 0;
};

// Opens the file at path for the CRiffFile mode flags. On failure returns
// null and sets error to a system error number.
using FileOpener =
    std::function<std::unique_ptr<CFileDevice>(const std::string& path, std::uint32_t mode, int& error)>;
