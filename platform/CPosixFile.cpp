#include "platform/CPosixFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/CRiffFile.h"

std::unique_ptr<CFileDevice> CPosixFile::Open(const std::string& path, std::uint32_t mode, int& error)
{
    int flags = O_CLOEXEC;
    const bool writes = (mode & (CRiffFile::kWrite | CRiffFile::kReadWrite)) != 0;
    if (mode & CRiffFile::kReadWrite)
        flags |= O_RDWR;
    else if (mode & CRiffFile::kWrite)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    if (mode & CRiffFile::kCreate)
        flags |= O_CREAT | O_TRUNC;

    // Refuse to truncate a file that a deny-write holder is using: open
    // without O_TRUNC, take the lock, then truncate.
    const bool truncate = (flags & O_TRUNC) != 0;
    const int fd = ::open(path.c_str(), flags & ~O_TRUNC, 0666);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    auto file = std::make_unique<CPosixFile>(fd);

    // Deny-write holders take the lock exclusively and plain writers take it
    // shared: writers exclude a deny-write holder and it excludes them.
    // Readers take no lock.
    int lock = 0;
    if (mode & CRiffFile::kDenyWrite)
        lock = LOCK_EX;
    else if (writes)
        lock = LOCK_SH;
    if (lock != 0) {
        int rc;
        do {
            rc = ::flock(fd, lock | LOCK_NB);
        } while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            // "Resource temporarily unavailable" would puzzle a user.
            error = errno == EWOULDBLOCK ? EBUSY : errno;
            return nullptr;
        }
    }
    if (truncate && ::ftruncate(fd, 0) != 0) {
        error = errno;
        return nullptr;
    }
    error = 0;
    return file;
}

CPosixFile::CPosixFile(int fd)
    : m_fd(fd)
{
}

CPosixFile::~CPosixFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::int64_t CPosixFile::ReadAt(std::int64_t offset, void* data, std::size_t size)
{
    auto* out = static_cast<unsigned char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(m_fd, out + done, size - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_error = errno;
            return -1;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t CPosixFile::WriteAt(std::int64_t offset, const void* data, std::size_t size)
{
    const auto* in = static_cast<const unsigned char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(m_fd, in + done, size - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_error = errno;
            return -1;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t CPosixFile::Size()
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) {
        m_error = errno;
        return -1;
    }
    return static_cast<std::int64_t>(st.st_size);
}

bool CPosixFile::Sync()
{
    if (::fsync(m_fd) != 0) {
        m_error = errno;
        return false;
    }
    return true;
}

bool CPosixFile::Close()
{
    if (m_fd < 0)
        return true;
    const int rc = ::close(m_fd);
    m_fd = -1; // the descriptor is gone even when close reports an error
    if (rc != 0) {
        m_error = errno;
        return false;
    }
    return true;
}
