#include "platform/FileUtil.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ts {

std::string FileNameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

namespace {

// The reason a path that is not a regular file cannot be read as one.
std::string NotRegularReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return std::strerror(EISDIR);
    if (S_ISFIFO(mode))
        return "Is a named pipe (FIFO), not a regular file";
    if (S_ISCHR(mode))
        return "Is a character device, not a regular file";
    if (S_ISBLK(mode))
        return "Is a block device, not a regular file";
    if (S_ISSOCK(mode))
        return "Is a socket, not a regular file";
    return "Is not a regular file";
}

// Opens path for reading when it is a regular file; -1 otherwise, with the
// reason. O_NONBLOCK keeps the open of a FIFO without a writer (or of a
// device) from waiting; a regular file ignores it.
int OpenRegular(const std::string& path, std::string& reason)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        reason = std::strerror(errno);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        reason = NotRegularReason(st.st_mode);
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        reason = std::strerror(errno);
        return -1;
    }
    // The path may have been replaced between the two looks.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        reason = NotRegularReason(st.st_mode);
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

bool CanReadFile(const std::string& path, std::string& reason)
{
    const int fd = OpenRegular(path, reason);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool ReadWholeFile(const std::string& path, std::size_t limit, std::string& bytes, std::string& reason)
{
    bytes.clear();
    const int fd = OpenRegular(path, reason);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0) {
        if (static_cast<std::uintmax_t>(st.st_size) > limit) {
            ::close(fd);
            reason = std::strerror(EFBIG);
            return false;
        }
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    }
    // The size is only a hint: read to the end, whatever it said.
    int error = 0;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            break;
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > limit) {
            error = EFBIG;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (error != 0) {
        bytes.clear();
        bytes.shrink_to_fit();
        reason = std::strerror(error);
        return false;
    }
    return true;
}

namespace {

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& reason)
{
    std::string target = path;
    std::error_code ec;
    if (std::filesystem::is_symlink(target, ec)) {
        const auto resolved = std::filesystem::canonical(target, ec);
        if (!ec)
            target = resolved.string();
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        reason = std::strerror(EISDIR);
        return false;
    }

    const std::string folder = FolderOf(target);
    std::string temp = (folder.empty() ? std::string() : folder + "/") + "." + FileNameOf(target) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    mode_t mode = 0;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int error = 0;
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        reason = std::strerror(error);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

} // namespace ts
