#pragma once

#include "platform/CFileDevice.h"

// A file opened with the POSIX calls. Writers take an advisory flock so that
// an opener asking to deny other writers is refused while one writes, and
// the other way round.
class CPosixFile final : public CFileDevice
{
public:
    // The FileOpener of the real file system.
    static std::unique_ptr<CFileDevice> Open(const std::string& path, std::uint32_t mode, int& error);

    explicit CPosixFile(int fd);
    ~CPosixFile() override;
    CPosixFile(const CPosixFile&) = delete;
    CPosixFile& operator=(const CPosixFile&) = delete;

    std::int64_t ReadAt(std::int64_t offset, void* data, std::size_t size) override;
    std::int64_t WriteAt(std::int64_t offset, const void* data, std::size_t size) override;
    std::int64_t Size() override;
    bool Sync() override;
    bool Close() override;
    int Error() const override { return m_error; }

private:
    int m_fd;
    int m_error = 0;
};
