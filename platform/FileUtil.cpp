#include "platform/FileUtil.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace ts {

std::string FileNameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string StemOf(const std::string& path)
{
    const std::string name = FileNameOf(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
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
    std::size_t expected = 0;
    if (::fstat(fd, &st) == 0 && st.st_size > 0) {
        if (static_cast<std::uintmax_t>(st.st_size) > limit) {
            ::close(fd);
            reason = std::strerror(EFBIG);
            return false;
        }
        expected = static_cast<std::size_t>(st.st_size);
    }
    // The size is only a hint: read to the end, whatever it said. One byte
    // more than expected lets the end show in the first pass.
    int error = 0;
    std::size_t used = 0;
    bytes.resize(expected + 1);
    for (;;) {
        if (used == bytes.size()) {
            if (bytes.size() > limit) {
                error = EFBIG;
                break;
            }
            bytes.resize(std::min(limit + 1, bytes.size() * 2 + 4096));
        }
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            break;
        }
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    if (error == 0 && used > limit)
        error = EFBIG;
    bytes.resize(used);
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

namespace {

// Writes bytes over the file at target, in place: for a target whose folder
// takes no temporary file, or whose hard links, owner or attributes a
// replacement would lose. The space is taken first, so a full disk leaves
// the file as it was.
bool WriteInPlace(const std::string& target, std::string_view bytes, std::string& reason)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    int error = 0;
    if (!bytes.empty()) {
        const int rc = ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
        if (rc != 0 && rc != EOPNOTSUPP && rc != EINVAL)
            error = rc;
    }
    if (error == 0) {
        std::string_view rest = bytes;
        off_t offset = 0;
        while (!rest.empty()) {
            const ssize_t n = ::pwrite(fd, rest.data(), rest.size(), offset);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                error = errno;
                break;
            }
            rest.remove_prefix(static_cast<std::size_t>(n));
            offset += n;
        }
    }
    if (error == 0 && (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0))
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        reason = std::strerror(error);
        return false;
    }
    return true;
}

// Gives the temporary file the extended attributes of the target, ACLs
// included (they are the system.posix_acl_* attributes). False when one
// cannot be read or set, so that the caller keeps the target instead.
bool CopyAttributes(const std::string& target, int fd)
{
    const ssize_t size = ::listxattr(target.c_str(), nullptr, 0);
    if (size < 0)
        return errno == ENOTSUP;
    std::string names(static_cast<std::size_t>(size), '\0');
    const ssize_t got = ::listxattr(target.c_str(), names.data(), names.size());
    if (got < 0)
        return false;
    names.resize(static_cast<std::size_t>(got));
    for (std::size_t at = 0; at < names.size();) {
        const std::string name = names.c_str() + at;
        at += name.size() + 1;
        if (name.empty())
            continue;
        const ssize_t length = ::getxattr(target.c_str(), name.c_str(), nullptr, 0);
        if (length < 0)
            return false;
        std::string value(static_cast<std::size_t>(length), '\0');
        const ssize_t read = ::getxattr(target.c_str(), name.c_str(), value.data(), value.size());
        if (read < 0 || ::fsetxattr(fd, name.c_str(), value.data(), static_cast<std::size_t>(read), 0) != 0)
            return false;
    }
    return true;
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
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
    if (exists) {
        if (!S_ISREG(existing.st_mode)) {
            reason = NotRegularReason(existing.st_mode);
            return false;
        }
        // A read-only sheet stays as it is, even for a user who could
        // replace it.
        if (::access(target.c_str(), W_OK) != 0) {
            reason = std::strerror(errno);
            return false;
        }
        if ((existing.st_mode & 0222) == 0) {
            reason = "The file is read-only";
            return false;
        }
        // A new file would leave the other names with the old text.
        if (existing.st_nlink > 1)
            return WriteInPlace(target, bytes, reason);
    }

    const std::string folder = FolderOf(target);
    std::string temp = (folder.empty() ? std::string() : folder + "/") + "." + FileNameOf(target) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        const int error = errno;
        if (exists)
            return WriteInPlace(target, bytes, reason); // the folder takes no new file
        reason = std::strerror(error);
        return false;
    }
    mode_t mode = 0;
    if (exists) {
        mode = existing.st_mode & 07777;
        // The replacement must have the target's owner, group and
        // attributes; when it cannot (another user's file that we may
        // write), the target is written in place instead.
        struct stat created {};
        const bool owned = ::fstat(fd, &created) == 0 && created.st_uid == existing.st_uid
            && created.st_gid == existing.st_gid;
        if ((!owned && ::fchown(fd, existing.st_uid, existing.st_gid) != 0) || ::fchmod(fd, mode) != 0
            || !CopyAttributes(target, fd)) {
            ::close(fd);
            ::unlink(temp.c_str());
            return WriteInPlace(target, bytes, reason);
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int error = 0;
    if ((!exists && ::fchmod(fd, mode) != 0) || !WriteAll(fd, bytes) || ::fsync(fd) != 0)
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
    SyncFolder(folder);
    return true;
}

} // namespace ts
