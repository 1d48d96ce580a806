#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/CFileDevice.h"
#include "platform/CRiffFile.h"
#include "platform/RiffChunk.h"

class CCueTime;

// One RIFF wave file in use: finds its format and sample data, positions
// inside the samples, copies and silences sample frames and rewrites the
// chunk sizes. Every operation returns success or failure; FailureReason()
// tells why the last one failed, in words for the user.
class CWaveFile
{
public:
    static constexpr std::size_t kMaxNameLength = 259;
    static constexpr std::size_t kBufferSize = 32768;
    static constexpr std::uint16_t kFormatExtensible = 0xFFFE;

    // Open modes in use.
    static constexpr std::uint32_t kRead = CRiffFile::kRead;
    static constexpr std::uint32_t kReadWrite = CRiffFile::kReadWrite;
    static constexpr std::uint32_t kReadWriteDenyWrite = CRiffFile::kReadWrite | CRiffFile::kDenyWrite;

    using Origin = CRiffFile::Origin;

    // An empty opener means the real file system.
    explicit CWaveFile(std::string name, FileOpener opener = {});
    ~CWaveFile() = default;
    CWaveFile(const CWaveFile&) = delete;
    CWaveFile& operator=(const CWaveFile&) = delete;

    // Holder count. The last Release closes the file; the memory stays
    // with whoever owns the object.
    int AddRef();
    int Release();

    // Opens and parses. When already open, only moves to the start of the
    // file. A file that fails the parse is closed again.
    bool Open(std::uint32_t mode);
    bool Close();
    bool IsOpen() const { return m_riff.IsOpen(); }
    bool Flush();
    // Flush, then makes the system put the file on the disk.
    bool Sync();

    // Raw positioning and transfer; -1 on failure.
    std::int64_t Seek(std::int64_t offset, Origin origin);
    std::int64_t GetPosition();
    std::int64_t Read(void* data, std::size_t size);
    std::int64_t Write(const void* data, std::size_t size);

    // Moves to data start + offset. Returns offset, or -1 when the seek
    // fails or the offset lies outside the sample data.
    std::int64_t SeekData(std::int64_t offset);

    // Writes a new, empty wave file under this object's name with the
    // source's form type and 16-byte format, then closes it.
    bool CreateLike(const CWaveFile& source);
    // Copies frames sample frames from source's position to destination's.
    static bool CopyFrames(CWaveFile& destination, CWaveFile& source, std::uint32_t frames);
    // Writes frames silent sample frames at the current position: zeros, or
    // 0x80 bytes for unsigned 8-bit PCM.
    bool WriteSilence(std::uint32_t frames);
    unsigned char SilenceByte() const;
    // Leaves the data chunk and then the RIFF chunk, rewriting both sizes
    // so that the sample data ends at the current position.
    bool UpdateSizes();

    // True exactly when the file opens for reading and parses.
    static bool IsWaveFile(const std::string& name, const FileOpener& opener = {});

    // Sample frames at a cue time at a sample rate: the time in
    // milliseconds taken to samples at that rate. False for a time of
    // unknown format or a rate of 0.
    static bool FramesAt(const CCueTime& time, std::uint32_t rate, std::uint32_t& frames);

    // Whether the wave editing operations may change the samples: integer
    // or floating-point PCM, plain or extensible, whose silence is known.
    // False with the reason (no file name, no full stop) for the others.
    bool IsEditable(std::string& reason) const;

    const std::string& Name() const { return m_name; }
    const std::array<std::uint8_t, 16>& FormatBytes() const { return m_format; }
    std::uint16_t FormatTag() const;
    std::uint16_t Channels() const;
    std::uint32_t SamplesPerSecond() const;
    std::uint32_t AvgBytesPerSecond() const;
    std::uint16_t BlockAlign() const;
    std::uint16_t BitsPerSample() const;
    // The wave format tag that an extensible format's sub-format names, 0
    // when there is none or it names no such tag.
    std::uint16_t SubFormatTag() const { return m_subFormatTag; }
    std::uint32_t FmtChunkSize() const { return m_fmtSize; }
    std::uint32_t FrameCount() const { return m_frameCount; }
    std::int64_t DataStart() const { return m_dataStart; }
    std::uint32_t DataSize() const { return m_dataChunk.size; }
    std::uint32_t FormType() const { return m_riffChunk.formType; }

    // Why the last operation failed, without the file name.
    const std::string& FailureReason() const { return m_reason; }

private:
    bool Parse();
    bool ParseFailed(std::string reason);
    bool Fail(std::string what);
    bool FailChunk(CRiffFile::Result result, const char* chunk);

    std::string m_name;
    FileOpener m_opener;
    CRiffFile m_riff;
    std::array<std::uint8_t, 16> m_format{};
    std::uint16_t m_subFormatTag = 0;
    std::uint32_t m_fmtSize = 0;
    std::uint32_t m_frameCount = 0;
    std::int64_t m_dataStart = 0;
    RiffChunk m_riffChunk;
    RiffChunk m_dataChunk;
    int m_refs = 0;
    std::string m_reason;
};
