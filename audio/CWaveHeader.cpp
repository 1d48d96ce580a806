#include "audio/CWaveHeader.h"

#include "platform/LittleEndian.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;
// Sizes that a writer which cannot seek back leaves in place of the real ones.
constexpr std::uint32_t kOpenSize = 0xFFFFFFFFu;

class CFd
{
public:
    explicit CFd(int fd) : m_fd(fd) {}
    ~CFd()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

// Reads exactly size bytes at offset; false at the end of the file or on
// an error.
bool ReadAt(int fd, std::uint64_t offset, unsigned char* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = pread(fd, data + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace

CWaveHeader::Verdict CWaveHeader::Refuse(std::string reason)
{
    m_reason = std::move(reason);
    m_frames = 0;
    return Verdict::Refused;
}

CWaveHeader::Verdict CWaveHeader::Read(const std::string& path)
{
    m_reason.clear();
    m_frames = 0;
    m_pcm = false;
    // Non-blocking and regular files only: a FIFO is the decoder's to refuse.
    const CFd file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (file.Get() < 0 || fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return Verdict::NotWave;
    const auto fileSize = static_cast<std::uint64_t>(info.st_size);
    unsigned char head[12];
    if (!ReadAt(file.Get(), 0, head, sizeof head) || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0)
        return Verdict::NotWave;

    // The RIFF size counts from the form type on; an open size or one past
    // the file's end means the chunks run to the end of the file.
    const std::uint32_t riffSize = ts::GetLe32(head + 4);
    const bool openRiff = riffSize == kOpenSize || riffSize == 0;
    const std::uint64_t end =
        openRiff || std::uint64_t{riffSize} + 8 > fileSize ? fileSize : std::uint64_t{riffSize} + 8;

    std::array<unsigned char, 40> format{};
    std::uint32_t formatSize = 0;
    bool haveFormat = false;
    bool haveData = false;
    std::uint64_t dataBytes = 0;
    for (std::uint64_t pos = 12; pos + 8 <= end;) {
        unsigned char chunk[8];
        if (!ReadAt(file.Get(), pos, chunk, sizeof chunk))
            return Refuse("its chunks cannot be read: " + std::string(std::strerror(errno != 0 ? errno : EIO)));
        const std::uint32_t size = ts::GetLe32(chunk + 4);
        const std::uint64_t body = pos + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && !haveFormat) {
            if (size < 16 || body + 16 > end)
                return Refuse("its \"fmt \" chunk is shorter than 16 bytes");
            formatSize = size < format.size() ? size : static_cast<std::uint32_t>(format.size());
            if (body + formatSize > end)
                formatSize = 16;
            if (!ReadAt(file.Get(), body, format.data(), formatSize))
                return Refuse("its \"fmt \" chunk cannot be read");
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0 && !haveData) {
            haveData = true;
            // An open size, a size of 0 in an open RIFF, or a size past the
            // end: the samples run to the end of the file.
            const bool open = size == kOpenSize || (size == 0 && openRiff) || body + size > end;
            dataBytes = open ? end - body : size;
        }
        if (haveFormat && haveData)
            break;
        pos = body + size + (size & 1u);
    }
    if (!haveFormat)
        return Refuse("it is a wave file without a \"fmt \" chunk");
    if (!haveData)
        return Refuse("it is a wave file without a \"data\" chunk");

    const std::uint16_t stored = ts::GetLe16(format.data());
    const std::uint16_t channels = ts::GetLe16(format.data() + 2);
    const std::uint16_t blockAlign = ts::GetLe16(format.data() + 12);
    const std::uint16_t bits = ts::GetLe16(format.data() + 14);
    std::uint16_t tag = stored;
    std::uint16_t validBits = bits;
    if (stored == kExtensible && formatSize >= 40) {
        tag = ts::GetLe16(format.data() + 24);
        const std::uint16_t valid = ts::GetLe16(format.data() + 18);
        validBits = valid != 0 ? valid : bits;
    }
    if (tag != kPcm && tag != kFloat)
        return Verdict::NotWave; // compressed formats: the decoder counts their frames
    m_pcm = true;
    if (channels == 0)
        return Refuse("its format has no channels");
    const std::string width = std::to_string(bits) + "-bit";
    if (tag == kPcm) {
        // Widths under a whole byte (7, 12, 20 bits) sit in the top bits of
        // their bytes and are kept as they are; wider than 32 bits the
        // decoder hands on floats, which would lose the low bits.
        if (bits == 0 || bits > 32)
            return Refuse("its " + width +
                          " integer samples cannot be kept whole: a track file holds integer samples of at most 32 "
                          "bits");
        if (validBits > bits)
            return Refuse("it claims " + std::to_string(validBits) + " valid bits in samples of " +
                          std::to_string(bits) + " bits");
    } else if (bits != 32) {
        return Refuse("its " + width +
                      " floating-point samples cannot be kept whole: a track file holds floating-point samples of 32 "
                      "bits");
    }
    if (blockAlign != channels * ((bits + 7u) / 8u))
        return Refuse("its block alignment of " + std::to_string(blockAlign) + " bytes does not fit " +
                      std::to_string(channels) + " channels of " + std::to_string(bits) + " bits");
    m_frames = dataBytes / blockAlign;
    return Verdict::Accepted;
}
