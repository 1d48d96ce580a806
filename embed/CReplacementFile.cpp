#include "embed/CReplacementFile.h"

#include "platform/FileUtil.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kDiskFull = "No space left on device";

// Flushes a file or folder to disk.
bool SyncPath(const std::string& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace

CReplacementFile::CReplacementFile(FaultHook fault)
    : m_fault(std::move(fault))
{
}

CReplacementFile::~CReplacementFile()
{
    if (!m_committed && !m_temp.empty())
        ::unlink(m_temp.c_str());
}

bool CReplacementFile::Begin(const std::string& path, std::string& reason)
{
    std::error_code ec;
    m_target = path;
    if (std::filesystem::is_symlink(m_target, ec)) {
        const auto resolved = std::filesystem::canonical(m_target, ec);
        if (!ec)
            m_target = resolved.string();
    }
    struct stat info {};
    if (::stat(m_target.c_str(), &info) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "it is not a regular file";
        return false;
    }
    // A read-only file stays as it is, even for a user who could replace it.
    if (::access(m_target.c_str(), W_OK) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    if ((info.st_mode & 0222) == 0) {
        reason = "The file is read-only";
        return false;
    }
    m_mode = info.st_mode & 07777;
    m_uid = info.st_uid;
    m_gid = info.st_gid;

    const std::string folder = ts::FolderOf(m_target);
    std::string temp = (folder.empty() ? std::string() : folder + "/") + "." + ts::FileNameOf(m_target) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        reason = "no temporary file can be made beside it: " + std::string(std::strerror(errno));
        return false;
    }
    ::close(fd);
    m_temp = temp;
    if (Fails("copy")) {
        reason = kDiskFull;
        return false;
    }
    std::filesystem::copy_file(m_target, m_temp, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        reason = ec.message();
        return false;
    }
    return true;
}

bool CReplacementFile::Commit(std::string& reason)
{
    if (Fails("commit")) {
        reason = kDiskFull;
        return false;
    }
    if (!SyncPath(m_temp, O_RDONLY)) {
        reason = std::strerror(errno);
        return false;
    }
    struct stat copy {};
    if (::stat(m_temp.c_str(), &copy) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    // The replacement must be the same file to everyone who uses it.
    if ((copy.st_uid != m_uid || copy.st_gid != m_gid) && ::chown(m_temp.c_str(), m_uid, m_gid) != 0) {
        reason = "the copy cannot get the file's owner: " + std::string(std::strerror(errno));
        return false;
    }
    if (::chmod(m_temp.c_str(), m_mode) != 0 || ::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    m_committed = true;
    const std::string folder = ts::FolderOf(m_target);
    SyncPath(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY);
    return true;
}
