#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/CFileDevice.h"
#include "platform/RiffChunk.h"

// A buffered file that knows the RIFF chunk structure: finds chunks,
// creates them and rewrites their sizes when they are left.
class CRiffFile
{
public:
    // Open modes, combined with |.
    static constexpr std::uint32_t kRead = 0x0;
    static constexpr std::uint32_t kWrite = 0x1;
    static constexpr std::uint32_t kReadWrite = 0x2;
    static constexpr std::uint32_t kDenyWrite = 0x20; // no other writer while open
    static constexpr std::uint32_t kCreate = 0x1000;  // create, or empty an existing file

    static constexpr std::size_t kDefaultBufferSize = 8192;

    enum class Origin { Start, Current, End };

    // Outcome of a chunk operation.
    enum class Result {
        Ok,
        NotFound, // no such chunk where it was looked for
        PastEnd,  // the chunk found claims more bytes than the file holds
        IoError,  // the device failed; Error() tells why
    };

    CRiffFile() = default;
    ~CRiffFile();
    CRiffFile(const CRiffFile&) = delete;
    CRiffFile& operator=(const CRiffFile&) = delete;

    // Opens path with a buffer of bufferSize bytes; an empty opener means
    // the real file system.
    bool Open(const std::string& path, std::uint32_t mode, std::size_t bufferSize = kDefaultBufferSize,
              const FileOpener& opener = {});
    bool IsOpen() const { return m_device != nullptr; }
    // Writes what is buffered and releases the file. On a failed write the
    // file stays open so that the caller sees the failure.
    bool Close();

    // New position, or -1 (a negative target or an unknown size).
    std::int64_t Seek(std::int64_t offset, Origin origin);
    std::int64_t Position() const { return m_pos; }
    // Bytes moved, fewer at the end of the file, or -1.
    std::int64_t Read(void* data, std::size_t size);
    std::int64_t Write(const void* data, std::size_t size);
    // Hands the buffered bytes to the system.
    bool Flush();
    // Flush, then asks the system to put the file on the disk.
    bool Sync();
    // Length of the file including buffered bytes not yet written, or -1.
    std::int64_t Size();

    // Searches forward from the current position for a chunk with chunk.id,
    // inside parent or at the top level when parent is null. On success the
    // record is filled in and the position is at the start of the contents,
    // past the form type of a RIFF or LIST chunk.
    Result Descend(RiffChunk& chunk, const RiffChunk* parent);
    // Leaves a chunk. A dirty chunk first gets its size rewritten as the
    // current position minus its contents offset, with a pad byte written
    // when that is odd. The position ends after the chunk (and its pad).
    Result Ascend(RiffChunk& chunk);
    // Writes a chunk header at the current position: chunk.id and
    // chunk.size, or with riff "RIFF", chunk.size and chunk.formType. The
    // record becomes dirty so that Ascend writes its real size.
    Result CreateChunk(RiffChunk& chunk, bool riff);

    // The system error number of the last failure, 0 when it was not the
    // system's.
    int Error() const { return m_error; }

private:
    bool FlushBuffer();
    bool ReadExact(std::int64_t offset, void* data, std::size_t size, bool& complete);
    bool WriteAt(std::int64_t offset, const void* data, std::size_t size);
    void Fail(int error) { m_error = error; }

    std::unique_ptr<CFileDevice> m_device;
    std::vector<unsigned char> m_buffer;
    std::int64_t m_bufStart = 0;  // file offset of m_buffer[0]
    std::size_t m_bufValid = 0;   // bytes of m_buffer that mirror the file
    std::size_t m_dirtyLo = 0;    // m_buffer[m_dirtyLo, m_dirtyHi) awaits writing
    std::size_t m_dirtyHi = 0;
    std::int64_t m_pos = 0;
    bool m_writable = false;
    int m_error = 0;
};
