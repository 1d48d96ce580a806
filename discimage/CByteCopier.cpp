#include "discimage/CByteCopier.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

// Bytes copied between two looks at the cancel flag.
constexpr std::uint64_t kBlock = 8u << 20;
constexpr std::size_t kBuffer = 1u << 20;

std::string EndedEarly() { return "a file of the image is shorter than when it was measured"; }

} // namespace

CByteCopier::CByteCopier(const std::atomic<bool>& cancel, std::atomic<std::uint64_t>& done)
    : m_cancel(cancel)
    , m_done(done)
{
}

bool CByteCopier::Append(const std::string& source, std::uint64_t offset, std::uint64_t count, int target,
                         std::string& reason)
{
    reason.clear();
    const int from = open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (from < 0) {
        reason = std::strerror(errno);
        return false;
    }
    bool ok = true;
    if (m_kernelCopy)
        ok = CopyInKernel(from, offset, count, target, reason);
    // What the kernel could not copy (another file system pair, an old
    // kernel) goes through the buffer.
    if (ok && count > 0)
        ok = CopyThroughBuffer(from, offset, count, target, reason);
    close(from);
    return ok;
}

bool CByteCopier::CopyInKernel(int from, std::uint64_t& offset, std::uint64_t& count, int target, std::string& reason)
{
    while (count > 0) {
        if (m_cancel)
            return false;
        auto in = static_cast<off64_t>(offset);
        const ssize_t n = copy_file_range(from, &in, target, nullptr, static_cast<std::size_t>(std::min(count, kBlock)), 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP || errno == EBADF ||
                errno == EPERM) {
                m_kernelCopy = false;
                return true;
            }
            reason = std::strerror(errno);
            return false;
        }
        if (n == 0) {
            reason = EndedEarly();
            return false;
        }
        offset += static_cast<std::uint64_t>(n);
        count -= static_cast<std::uint64_t>(n);
        m_done += static_cast<std::uint64_t>(n);
    }
    return true;
}

bool CByteCopier::CopyThroughBuffer(int from, std::uint64_t offset, std::uint64_t count, int target,
                                    std::string& reason)
{
    std::vector<char> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(count, kBuffer)));
    while (count > 0) {
        if (m_cancel)
            return false;
        const ssize_t got = pread(from, buffer.data(), static_cast<std::size_t>(std::min<std::uint64_t>(count, buffer.size())),
                                  static_cast<off_t>(offset));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            reason = std::strerror(errno);
            return false;
        }
        if (got == 0) {
            reason = EndedEarly();
            return false;
        }
        std::size_t written = 0;
        while (written < static_cast<std::size_t>(got)) {
            const ssize_t n = write(target, buffer.data() + written, static_cast<std::size_t>(got) - written);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                reason = std::strerror(errno);
                return false;
            }
            written += static_cast<std::size_t>(n);
        }
        offset += static_cast<std::uint64_t>(got);
        count -= static_cast<std::uint64_t>(got);
        m_done += static_cast<std::uint64_t>(got);
    }
    return true;
}

bool CByteCopier::AppendZeros(std::uint64_t count, int target, std::string& reason)
{
    const std::vector<char> zeros(static_cast<std::size_t>(std::min<std::uint64_t>(count, kBuffer)), '\0');
    while (count > 0) {
        if (m_cancel)
            return false;
        const ssize_t n = write(target, zeros.data(), static_cast<std::size_t>(std::min<std::uint64_t>(count, zeros.size())));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            reason = std::strerror(errno);
            return false;
        }
        count -= static_cast<std::uint64_t>(n);
        m_done += static_cast<std::uint64_t>(n);
    }
    return true;
}
