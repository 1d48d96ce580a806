#include "audio/CWaveFile.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <iterator>
#include <new>
#include <system_error>
#include <utility>
#include <vector>

#include "model/CCueTime.h"
#include "platform/LittleEndian.h"

namespace {

std::string SystemText(int error)
{
    // A lock another program holds, not a busy device.
    if (error == EBUSY || error == EWOULDBLOCK)
        return "another program has locked it";
    return error != 0 ? std::generic_category().message(error) : std::string("unknown error");
}

// Offsets in the "fmt " chunk of an extensible format.
constexpr std::uint32_t kSubFormatOffset = 24;
constexpr std::uint32_t kExtensibleSize = 40;

// The tag that a sub-format GUID stands for, or 0 when it stands for none:
// wave format tags sit in the first 16 bits of the GUID
// xxxxxxxx-0000-0010-8000-00AA00389B71.
std::uint16_t SubFormatTagOf(const std::uint8_t (&guid)[16])
{
    static constexpr std::uint8_t kBase[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                               0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    if (!std::equal(std::begin(kBase), std::end(kBase), guid + 4))
        return 0;
    const std::uint32_t data1 = ts::GetLe32(guid);
    if (data1 == 0 || data1 > 0xFFFF || data1 == CWaveFile::kFormatExtensible)
        return 0;
    return static_cast<std::uint16_t>(data1);
}

// The kernel writes whole pages; writes that start on a page boundary spare
// it reading pages that are about to be overwritten.
constexpr std::int64_t kPageSize = 4096;

} // namespace

CWaveFile::CWaveFile(std::string name, FileOpener opener)
    : m_name(std::move(name))
    , m_opener(std::move(opener))
{
}

int CWaveFile::AddRef() { return ++m_refs; }

int CWaveFile::Release()
{
    if (m_refs > 0 && --m_refs == 0)
        Close();
    return m_refs;
}

bool CWaveFile::Fail(std::string what)
{
    m_reason = std::move(what);
    return false;
}

bool CWaveFile::ParseFailed(std::string reason)
{
    m_riff.Close();
    return Fail("is not a usable wave file: " + reason);
}

bool CWaveFile::FailChunk(CRiffFile::Result result, const char* chunk)
{
    switch (result) {
    case CRiffFile::Result::Ok:
        break;
    case CRiffFile::Result::NotFound:
        return ParseFailed(std::string("it has no \"") + chunk + "\" chunk");
    case CRiffFile::Result::PastEnd:
        return ParseFailed(std::string("its \"") + chunk + "\" chunk runs past the end of the file");
    case CRiffFile::Result::IoError: {
        const int error = m_riff.Error();
        m_riff.Close();
        return Fail("cannot be read: " + SystemText(error));
    }
    }
    return true;
}

bool CWaveFile::Open(std::uint32_t mode)
{
    if (IsOpen()) {
        if (m_riff.Seek(0, Origin::Start) != 0)
            return Fail("cannot be read: " + SystemText(m_riff.Error()));
        return true;
    }
    if (m_name.size() > kMaxNameLength)
        return Fail("cannot be opened: the name is longer than " + std::to_string(kMaxNameLength) +
                    " characters");
    // A FIFO, a device or a socket would block the open or never end: it is
    // refused before it is opened. A name that does not exist is left to the
    // opener, which may serve it.
    std::error_code ec;
    if (const std::filesystem::file_status s = std::filesystem::status(m_name, ec);
        !ec && std::filesystem::exists(s) && !std::filesystem::is_regular_file(s)) {
        if (std::filesystem::is_directory(s))
            return Fail("cannot be opened: it is a folder");
        if (std::filesystem::is_fifo(s))
            return Fail("cannot be opened: it is a named pipe (FIFO), not a regular file");
        return Fail("cannot be opened: it is not a regular file but a device or a socket");
    }
    if (!m_riff.Open(m_name, mode, kBufferSize, m_opener))
        return Fail("cannot be opened: " + SystemText(m_riff.Error()));
    return Parse();
}

bool CWaveFile::Parse()
{
    m_riffChunk = RiffChunk{};
    m_riffChunk.id = FourCC("RIFF");
    m_riffChunk.formType = FourCC("WAVE");
    m_dataChunk = RiffChunk{};
    m_format.fill(0);
    m_subFormatTag = 0;
    m_fmtSize = 0;
    m_frameCount = 0;
    m_dataStart = 0;

    // The form type found replaces "WAVE" and is not compared: any RIFF form
    // with a format and sample data serves.
    if (CRiffFile::Result r = m_riff.Descend(m_riffChunk, nullptr); r != CRiffFile::Result::Ok) {
        if (r == CRiffFile::Result::NotFound)
            return ParseFailed("it is not a RIFF file");
        // A size of 0, as a pipe leaves it, or under the 4 bytes of the form
        // type does not run past anything.
        std::uint8_t size[4] = {};
        if (r == CRiffFile::Result::PastEnd && m_riff.Seek(4, Origin::Start) == 4 && m_riff.Read(size, 4) == 4 &&
            ts::GetLe32(size) < 4)
            return ParseFailed("its RIFF size of " + std::to_string(ts::GetLe32(size)) + " bytes is too short");
        return FailChunk(r, "RIFF");
    }
    const std::int64_t afterFormType = m_riff.Position();

    RiffChunk fmt;
    fmt.id = FourCC("fmt ");
    if (CRiffFile::Result r = m_riff.Descend(fmt, &m_riffChunk); r != CRiffFile::Result::Ok)
        return FailChunk(r, "fmt ");
    if (fmt.size < m_format.size())
        return ParseFailed("its \"fmt \" chunk is shorter than 16 bytes");
    const std::int64_t got = m_riff.Read(m_format.data(), m_format.size());
    if (got < 0)
        return FailChunk(CRiffFile::Result::IoError, "fmt ");
    if (got != static_cast<std::int64_t>(m_format.size()))
        return ParseFailed("its \"fmt \" chunk is shorter than 16 bytes");
    m_fmtSize = fmt.size;
    if (FormatTag() == kFormatExtensible && fmt.size >= kExtensibleSize) {
        std::uint8_t guid[16];
        if (m_riff.Seek(fmt.dataOffset + kSubFormatOffset, Origin::Start) < 0 ||
            m_riff.Read(guid, sizeof guid) != static_cast<std::int64_t>(sizeof guid))
            return FailChunk(CRiffFile::Result::IoError, "fmt ");
        m_subFormatTag = SubFormatTagOf(guid);
    }
    if (BlockAlign() == 0)
        return ParseFailed("its block alignment is 0");

    // "data" may come before "fmt ", so its search starts again right after
    // the form type.
    m_dataChunk.id = FourCC("data");
    if (m_riff.Seek(afterFormType, Origin::Start) < 0)
        return FailChunk(CRiffFile::Result::IoError, "data");
    if (CRiffFile::Result r = m_riff.Descend(m_dataChunk, &m_riffChunk); r != CRiffFile::Result::Ok)
        return FailChunk(r, "data");
    m_dataStart = m_riff.Position();
    m_frameCount = m_dataChunk.size / BlockAlign();
    if (m_riff.Seek(0, Origin::Start) != 0)
        return FailChunk(CRiffFile::Result::IoError, "data");
    m_reason.clear();
    return true;
}

bool CWaveFile::Close()
{
    if (!m_riff.Close())
        return Fail("cannot be written: " + SystemText(m_riff.Error()));
    return true;
}

bool CWaveFile::Flush()
{
    if (!IsOpen())
        return true;
    if (!m_riff.Flush())
        return Fail("cannot be written: " + SystemText(m_riff.Error()));
    return true;
}

bool CWaveFile::Sync()
{
    if (!m_riff.Sync())
        return Fail("cannot be written: " + SystemText(m_riff.Error()));
    return true;
}

std::int64_t CWaveFile::Seek(std::int64_t offset, Origin origin) { return m_riff.Seek(offset, origin); }

std::int64_t CWaveFile::GetPosition() { return m_riff.Seek(0, Origin::Current); }

std::int64_t CWaveFile::Read(void* data, std::size_t size) { return m_riff.Read(data, size); }

std::int64_t CWaveFile::Write(const void* data, std::size_t size) { return m_riff.Write(data, size); }

std::int64_t CWaveFile::SeekData(std::int64_t offset)
{
    if (offset < 0 || offset > static_cast<std::int64_t>(m_dataChunk.size))
        return -1;
    if (m_riff.Seek(m_dataStart + offset, Origin::Start) < 0)
        return -1;
    return offset;
}

bool CWaveFile::CreateLike(const CWaveFile& source)
{
    if (source.BlockAlign() == 0)
        return Fail("cannot be created: the source has no format");
    std::array<std::uint8_t, 16> format = source.m_format;
    if (source.FormatTag() == kFormatExtensible) {
        // A 16-byte format cannot carry the extension, so the copy names the
        // sub-format directly; an extensible tag without it is unreadable.
        if (source.m_subFormatTag == 0)
            return Fail("cannot be created: the source's extensible format names no usable sub-format");
        format[0] = static_cast<std::uint8_t>(source.m_subFormatTag);
        format[1] = static_cast<std::uint8_t>(source.m_subFormatTag >> 8);
    }
    if (IsOpen())
        return Fail("cannot be created: it is open");
    if (m_name.size() > kMaxNameLength)
        return Fail("cannot be created: the name is longer than " + std::to_string(kMaxNameLength) +
                    " characters");
    if (!m_riff.Open(m_name, CRiffFile::kCreate | CRiffFile::kWrite, CRiffFile::kDefaultBufferSize, m_opener))
        return Fail("cannot be created: " + SystemText(m_riff.Error()));

    RiffChunk riff;
    riff.formType = source.m_riffChunk.formType;
    RiffChunk fmt;
    fmt.id = FourCC("fmt ");
    fmt.size = static_cast<std::uint32_t>(format.size());
    RiffChunk data;
    data.id = FourCC("data");
    const bool written = m_riff.CreateChunk(riff, true) == CRiffFile::Result::Ok &&
                         m_riff.CreateChunk(fmt, false) == CRiffFile::Result::Ok &&
                         m_riff.Write(format.data(), format.size()) == static_cast<std::int64_t>(format.size()) &&
                         m_riff.CreateChunk(data, false) == CRiffFile::Result::Ok &&
                         m_riff.Ascend(riff) == CRiffFile::Result::Ok;
    const int error = m_riff.Error();
    const bool closed = m_riff.Close();
    if (!written)
        return Fail("cannot be written: " + SystemText(error));
    if (!closed)
        return Fail("cannot be written: " + SystemText(m_riff.Error()));
    m_riffChunk = riff;
    m_reason.clear();
    return true;
}

bool CWaveFile::CopyFrames(CWaveFile& destination, CWaveFile& source, std::uint32_t frames)
{
    destination.m_reason.clear();
    source.m_reason.clear();
    const std::size_t align = source.BlockAlign();
    if (align == 0)
        return source.Fail("cannot be read: it has no format");
    // One block holds at least one frame, however wide the frames are.
    const std::size_t blockFrames = std::max<std::size_t>(kBufferSize / align, 1);
    std::vector<unsigned char> block;
    try {
        block.resize(blockFrames * align);
    } catch (const std::bad_alloc&) {
        return source.Fail("cannot be copied: out of memory");
    }
    std::uint32_t remaining = frames;
    while (remaining > 0) {
        const std::size_t n = std::min<std::size_t>(blockFrames, remaining);
        const std::size_t bytes = n * align;
        const std::int64_t got = source.Read(block.data(), bytes);
        if (got < 0)
            return source.Fail("cannot be read: " + SystemText(source.m_riff.Error()));
        if (got != static_cast<std::int64_t>(bytes))
            return source.Fail("cannot be read: the sample data ends early");
        if (destination.Write(block.data(), bytes) != static_cast<std::int64_t>(bytes))
            return destination.Fail("cannot be written: " + SystemText(destination.m_riff.Error()));
        remaining -= static_cast<std::uint32_t>(n);
    }
    return true;
}

bool CWaveFile::WriteSilence(std::uint32_t frames)
{
    m_reason.clear();
    const std::int64_t position = GetPosition();
    if (position < 0)
        return Fail("cannot be written: " + SystemText(m_riff.Error()));
    std::vector<unsigned char> zeros;
    try {
        zeros.assign(kBufferSize, SilenceByte());
    } catch (const std::bad_alloc&) {
        return Fail("cannot be written: out of memory");
    }
    std::uint64_t remaining = static_cast<std::uint64_t>(frames) * BlockAlign();
    // Silence is one byte value repeated, so the blocks can follow the pages
    // rather than the frames: a short first block up to the next page,
    // whole blocks after it.
    std::uint64_t bytes = static_cast<std::uint64_t>((kPageSize - position % kPageSize) % kPageSize);
    while (remaining > 0) {
        if (bytes == 0)
            bytes = kBufferSize;
        bytes = std::min(bytes, remaining);
        const auto n = static_cast<std::size_t>(bytes);
        if (Write(zeros.data(), n) != static_cast<std::int64_t>(n))
            return Fail("cannot be written: " + SystemText(m_riff.Error()));
        remaining -= bytes;
        bytes = 0;
    }
    return true;
}

unsigned char CWaveFile::SilenceByte() const
{
    // Unsigned 8-bit PCM is silent at its midpoint; a 0 there is the loudest
    // negative value.
    const bool pcm = FormatTag() == 1 || (FormatTag() == kFormatExtensible && m_subFormatTag == 1);
    return pcm && BitsPerSample() <= 8 ? 0x80 : 0x00;
}

bool CWaveFile::UpdateSizes()
{
    if (!IsOpen() || BlockAlign() == 0)
        return Fail("cannot be written: it is not open as a wave file");
    m_dataChunk.flags |= RiffChunk::kDirty;
    if (m_riff.Ascend(m_dataChunk) != CRiffFile::Result::Ok)
        return Fail("cannot be written: " + SystemText(m_riff.Error()));
    m_riffChunk.flags |= RiffChunk::kDirty;
    if (m_riff.Ascend(m_riffChunk) != CRiffFile::Result::Ok)
        return Fail("cannot be written: " + SystemText(m_riff.Error()));
    m_frameCount = m_dataChunk.size / BlockAlign();
    return true;
}

bool CWaveFile::IsWaveFile(const std::string& name, const FileOpener& opener)
{
    CWaveFile wave(name, opener);
    wave.AddRef();
    const bool parsed = wave.Open(kRead);
    wave.Release();
    return parsed;
}

bool CWaveFile::FramesAt(const CCueTime& time, std::uint32_t rate, std::uint32_t& frames)
{
    std::uint32_t ms = 0;
    if (rate == 0 || !time.ToMilliseconds(ms))
        return false;
    // Rounded as the cue time's own sample conversion rounds.
    const std::uint64_t product = std::uint64_t{ms} * rate;
    const std::uint64_t value = (product + 500) / 1000;
    frames = static_cast<std::uint32_t>(std::min<std::uint64_t>(value, 0xFFFFFFFFu));
    return true;
}

bool CWaveFile::IsEditable(std::string& reason) const
{
    constexpr std::uint16_t kPcm = 1;
    constexpr std::uint16_t kFloat = 3;
    const std::uint16_t stored = FormatTag();
    const std::uint16_t tag = stored == kFormatExtensible ? SubFormatTag() : stored;
    if (tag != kPcm && tag != kFloat) {
        reason = "its samples are not PCM (format tag " + std::to_string(tag != 0 ? tag : stored) +
                 "); Truncate and Write silence work on PCM wave files only";
        return false;
    }
    const std::uint32_t sampleBytes = (BitsPerSample() + 7u) / 8u;
    if (Channels() == 0 || BitsPerSample() == 0 || BlockAlign() != Channels() * sampleBytes) {
        reason = "its block alignment of " + std::to_string(BlockAlign()) + " bytes does not fit " +
                 std::to_string(Channels()) + " channels of " + std::to_string(BitsPerSample()) + " bits";
        return false;
    }
    return true;
}

std::uint16_t CWaveFile::FormatTag() const { return ts::GetLe16(m_format.data()); }
std::uint16_t CWaveFile::Channels() const { return ts::GetLe16(m_format.data() + 2); }
std::uint32_t CWaveFile::SamplesPerSecond() const { return ts::GetLe32(m_format.data() + 4); }
std::uint32_t CWaveFile::AvgBytesPerSecond() const { return ts::GetLe32(m_format.data() + 8); }
std::uint16_t CWaveFile::BlockAlign() const { return ts::GetLe16(m_format.data() + 12); }
std::uint16_t CWaveFile::BitsPerSample() const { return ts::GetLe16(m_format.data() + 14); }
