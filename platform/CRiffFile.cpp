#include "platform/CRiffFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/CPosixFile.h"
#include "platform/LittleEndian.h"

namespace {

using ts::GetLe32;
using ts::PutLe32;

bool IsContainer(std::uint32_t id) { return id == FourCC("RIFF") || id == FourCC("LIST"); }

} // namespace

CRiffFile::~CRiffFile()
{
    // A destructor cannot report; callers that care call Close first.
    if (m_device) {
        FlushBuffer();
        m_device->Close();
    }
}

bool CRiffFile::Open(const std::string& path, std::uint32_t mode, std::size_t bufferSize,
                     const FileOpener& opener)
{
    if (m_device) {
        Fail(EBUSY);
        return false;
    }
    int error = 0;
    std::unique_ptr<CFileDevice> device =
        opener ? opener(path, mode, error) : CPosixFile::Open(path, mode, error);
    if (!device) {
        Fail(error != 0 ? error : EIO);
        return false;
    }
    m_buffer.assign(std::max<std::size_t>(bufferSize, 16), 0);
    m_device = std::move(device);
    m_writable = (mode & (kWrite | kReadWrite)) != 0;
    m_bufStart = 0;
    m_bufValid = 0;
    m_dirtyLo = m_dirtyHi = 0;
    m_pos = 0;
    m_error = 0;
    return true;
}

bool CRiffFile::Close()
{
    if (!m_device)
        return true;
    if (!FlushBuffer())
        return false;
    const bool closed = m_device->Close();
    if (!closed)
        Fail(m_device->Error());
    // The descriptor is released even when closing reports an error.
    m_device.reset();
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    return closed;
}

std::int64_t CRiffFile::Seek(std::int64_t offset, Origin origin)
{
    if (!m_device) {
        Fail(EBADF);
        return -1;
    }
    std::int64_t base = 0;
    switch (origin) {
    case Origin::Start:
        base = 0;
        break;
    case Origin::Current:
        base = m_pos;
        break;
    case Origin::End:
        base = Size();
        if (base < 0)
            return -1;
        break;
    }
    if ((offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset) || base + offset < 0) {
        Fail(EINVAL);
        return -1;
    }
    m_pos = base + offset;
    return m_pos;
}

std::int64_t CRiffFile::Size()
{
    if (!m_device) {
        Fail(EBADF);
        return -1;
    }
    const std::int64_t onDisk = m_device->Size();
    if (onDisk < 0) {
        Fail(m_device->Error());
        return -1;
    }
    // Bytes appended in the buffer count before they are written.
    return std::max(onDisk, m_bufStart + static_cast<std::int64_t>(m_bufValid));
}

bool CRiffFile::FlushBuffer()
{
    if (m_dirtyHi <= m_dirtyLo)
        return true;
    const std::size_t n = m_dirtyHi - m_dirtyLo;
    const std::int64_t written =
        m_device->WriteAt(m_bufStart + static_cast<std::int64_t>(m_dirtyLo), m_buffer.data() + m_dirtyLo, n);
    if (written != static_cast<std::int64_t>(n)) {
        Fail(written < 0 ? m_device->Error() : EIO);
        return false;
    }
    m_dirtyLo = m_dirtyHi = 0;
    return true;
}

std::int64_t CRiffFile::Read(void* data, std::size_t size)
{
    if (!m_device) {
        Fail(EBADF);
        return -1;
    }
    auto* out = static_cast<unsigned char*>(data);
    std::size_t total = 0;
    while (total < size) {
        const std::size_t want = size - total;
        const std::int64_t bufEnd = m_bufStart + static_cast<std::int64_t>(m_bufValid);
        if (m_pos >= m_bufStart && m_pos < bufEnd) {
            const auto off = static_cast<std::size_t>(m_pos - m_bufStart);
            const std::size_t n = std::min(want, m_bufValid - off);
            std::memcpy(out + total, m_buffer.data() + off, n);
            total += n;
            m_pos += static_cast<std::int64_t>(n);
            continue;
        }
        // The file must hold whatever the buffer has pending before it is
        // read directly or the buffer is refilled.
        if (!FlushBuffer())
            return -1;
        if (want >= m_buffer.size()) {
            // Large reads go straight to the caller: no copy, one call.
            const std::int64_t n = m_device->ReadAt(m_pos, out + total, want);
            if (n < 0) {
                Fail(m_device->Error());
                return -1;
            }
            total += static_cast<std::size_t>(n);
            m_pos += n;
            break;
        }
        const std::int64_t n = m_device->ReadAt(m_pos, m_buffer.data(), m_buffer.size());
        if (n < 0) {
            m_bufValid = 0;
            Fail(m_device->Error());
            return -1;
        }
        m_bufStart = m_pos;
        m_bufValid = static_cast<std::size_t>(n);
        if (n == 0)
            break;
    }
    return static_cast<std::int64_t>(total);
}

std::int64_t CRiffFile::Write(const void* data, std::size_t size)
{
    if (!m_device || !m_writable) {
        Fail(EBADF);
        return -1;
    }
    const auto* in = static_cast<const unsigned char*>(data);
    std::size_t total = 0;
    const std::size_t cap = m_buffer.size();
    while (total < size) {
        const std::size_t want = size - total;
        if (want >= cap) {
            // Large writes go straight to the file, after what is pending.
            if (!FlushBuffer())
                return -1;
            const std::int64_t n = m_device->WriteAt(m_pos, in + total, want);
            if (n != static_cast<std::int64_t>(want)) {
                Fail(n < 0 ? m_device->Error() : EIO);
                m_bufValid = 0;
                return -1;
            }
            const std::int64_t end = m_pos + n;
            const std::int64_t bufEnd = m_bufStart + static_cast<std::int64_t>(m_bufValid);
            if (m_bufStart < end && m_pos < bufEnd)
                m_bufValid = 0; // the buffer's copy of those bytes is stale now
            total += want;
            m_pos = end;
            break;
        }
        const std::int64_t bufEnd = m_bufStart + static_cast<std::int64_t>(m_bufValid);
        const std::int64_t bufLimit = m_bufStart + static_cast<std::int64_t>(cap);
        // The buffer takes bytes that continue or overwrite what it holds, so
        // that its valid part stays one run without gaps.
        if (m_pos >= m_bufStart && m_pos <= bufEnd && m_pos < bufLimit) {
            const auto off = static_cast<std::size_t>(m_pos - m_bufStart);
            const std::size_t n = std::min(want, cap - off);
            std::memcpy(m_buffer.data() + off, in + total, n);
            if (m_dirtyHi <= m_dirtyLo) {
                m_dirtyLo = off;
                m_dirtyHi = off + n;
            } else {
                m_dirtyLo = std::min(m_dirtyLo, off);
                m_dirtyHi = std::max(m_dirtyHi, off + n);
            }
            m_bufValid = std::max(m_bufValid, off + n);
            total += n;
            m_pos += static_cast<std::int64_t>(n);
            continue;
        }
        if (!FlushBuffer())
            return -1;
        m_bufStart = m_pos;
        m_bufValid = 0;
    }
    return static_cast<std::int64_t>(total);
}

bool CRiffFile::Flush()
{
    if (!m_device) {
        Fail(EBADF);
        return false;
    }
    return FlushBuffer();
}

bool CRiffFile::Sync()
{
    if (!Flush())
        return false;
    if (!m_device->Sync()) {
        Fail(m_device->Error());
        return false;
    }
    return true;
}

bool CRiffFile::ReadExact(std::int64_t offset, void* data, std::size_t size, bool& complete)
{
    complete = false;
    if (Seek(offset, Origin::Start) < 0)
        return false;
    const std::int64_t n = Read(data, size);
    if (n < 0)
        return false;
    complete = n == static_cast<std::int64_t>(size);
    return true;
}

bool CRiffFile::WriteAt(std::int64_t offset, const void* data, std::size_t size)
{
    if (Seek(offset, Origin::Start) < 0)
        return false;
    return Write(data, size) == static_cast<std::int64_t>(size);
}

CRiffFile::Result CRiffFile::Descend(RiffChunk& chunk, const RiffChunk* parent)
{
    if (!m_device) {
        Fail(EBADF);
        return Result::IoError;
    }
    const std::int64_t fileSize = Size();
    if (fileSize < 0)
        return Result::IoError;
    const std::int64_t end = parent ? parent->dataOffset + parent->size : fileSize;
    std::int64_t pos = m_pos;
    for (;;) {
        if (pos + 8 > end || pos + 8 > fileSize)
            return Result::NotFound;
        unsigned char header[8];
        bool complete = false;
        if (!ReadExact(pos, header, sizeof header, complete))
            return Result::IoError;
        if (!complete)
            return Result::NotFound;
        const std::uint32_t id = GetLe32(header);
        const std::uint32_t size = GetLe32(header + 4);
        const std::int64_t dataOffset = pos + 8;
        if (id == chunk.id) {
            // A container may lack the pad byte of its last child.
            const std::int64_t slack = IsContainer(id) ? 1 : 0;
            if (dataOffset + size > fileSize + slack)
                return Result::PastEnd;
            chunk.size = size;
            chunk.dataOffset = dataOffset;
            chunk.flags = 0;
            m_pos = dataOffset;
            if (IsContainer(id)) {
                unsigned char form[4];
                if (!ReadExact(dataOffset, form, sizeof form, complete))
                    return Result::IoError;
                if (!complete || size < 4)
                    return Result::PastEnd;
                chunk.formType = GetLe32(form);
            }
            return Result::Ok;
        }
        pos = dataOffset + size + (size & 1u);
    }
}

CRiffFile::Result CRiffFile::Ascend(RiffChunk& chunk)
{
    if (!m_device) {
        Fail(EBADF);
        return Result::IoError;
    }
    if (chunk.flags & RiffChunk::kDirty) {
        const std::int64_t pos = m_pos;
        const std::int64_t size = pos - chunk.dataOffset;
        if (size < 0 || size > std::numeric_limits<std::uint32_t>::max()) {
            Fail(size < 0 ? EINVAL : EFBIG);
            return Result::IoError;
        }
        if (size & 1) {
            const unsigned char pad = 0;
            if (!WriteAt(pos, &pad, 1))
                return Result::IoError;
        }
        unsigned char field[4];
        PutLe32(field, static_cast<std::uint32_t>(size));
        if (!WriteAt(chunk.dataOffset - 4, field, sizeof field))
            return Result::IoError;
        chunk.size = static_cast<std::uint32_t>(size);
        chunk.flags &= ~RiffChunk::kDirty;
    }
    if (Seek(chunk.dataOffset + chunk.size + (chunk.size & 1u), Origin::Start) < 0)
        return Result::IoError;
    return Result::Ok;
}

CRiffFile::Result CRiffFile::CreateChunk(RiffChunk& chunk, bool riff)
{
    if (!m_device) {
        Fail(EBADF);
        return Result::IoError;
    }
    if (riff)
        chunk.id = FourCC("RIFF");
    unsigned char header[12];
    PutLe32(header, chunk.id);
    PutLe32(header + 4, chunk.size);
    PutLe32(header + 8, chunk.formType);
    const std::int64_t pos = m_pos;
    if (!WriteAt(pos, header, riff ? 12 : 8))
        return Result::IoError;
    chunk.dataOffset = pos + 8;
    chunk.flags = RiffChunk::kDirty;
    return Result::Ok;
}
