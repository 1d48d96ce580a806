// Feeds arbitrary bytes to the wave parse and then to every operation that
// reads a parsed file, and checks that the editing operations never touch a
// byte outside the sample data.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "audio/CWaveFile.h"
#include "audio/WaveOperations.h"
#include "model/CCueTime.h"
#include "platform/CFileDevice.h"
#include "platform/CRiffFile.h"

namespace {

// A file held in memory, shared by every device opened on its name.
class MemoryFile final : public CFileDevice
{
public:
    explicit MemoryFile(std::shared_ptr<std::string> bytes)
        : m_bytes(std::move(bytes))
    {
    }
    std::int64_t ReadAt(std::int64_t offset, void* data, std::size_t size) override
    {
        if (offset < 0)
            return -1;
        if (static_cast<std::size_t>(offset) >= m_bytes->size())
            return 0;
        const std::size_t n = std::min(size, m_bytes->size() - static_cast<std::size_t>(offset));
        std::memcpy(data, m_bytes->data() + offset, n);
        return static_cast<std::int64_t>(n);
    }
    std::int64_t WriteAt(std::int64_t offset, const void* data, std::size_t size) override
    {
        // Keep memory bounded whatever size a header claims.
        if (offset < 0 || offset + static_cast<std::int64_t>(size) > (64 << 20))
            return -1;
        const auto end = static_cast<std::size_t>(offset) + size;
        if (m_bytes->size() < end)
            m_bytes->resize(end, '\0');
        std::memcpy(m_bytes->data() + offset, data, size);
        return static_cast<std::int64_t>(size);
    }
    std::int64_t Size() override { return static_cast<std::int64_t>(m_bytes->size()); }
    bool Sync() override { return true; }
    bool Close() override { return true; }
    int Error() const override { return 5; }

private:
    std::shared_ptr<std::string> m_bytes;
};

std::map<std::string, std::shared_ptr<std::string>> g_files;

std::unique_ptr<CFileDevice> OpenMemory(const std::string& path, std::uint32_t mode, int& error)
{
    auto it = g_files.find(path);
    if (it == g_files.end()) {
        if (!(mode & CRiffFile::kCreate)) {
            error = 2;
            return nullptr;
        }
        it = g_files.emplace(path, std::make_shared<std::string>()).first;
    }
    if (mode & CRiffFile::kCreate)
        it->second->clear();
    return std::make_unique<MemoryFile>(it->second);
}

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// Bytes outside [from, to) are the same in both.
bool SameOutside(const std::string& a, const std::string& b, std::size_t from, std::size_t to)
{
    return a.size() == b.size() && a.compare(0, from, b, 0, from) == 0 &&
           a.compare(to, std::string::npos, b, to, std::string::npos) == 0;
}

void ExerciseReads(const std::string& input, const FileOpener& opener)
{
    CWaveFile wave("in.wav", opener);
    wave.AddRef();
    if (!wave.Open(CWaveFile::kRead)) {
        Check(!wave.IsOpen(), "a failed parse leaves the file open");
        wave.Release();
        return;
    }
    Check(wave.BlockAlign() != 0, "block alignment 0 parsed");
    Check(wave.DataStart() + wave.DataSize() <= static_cast<std::int64_t>(input.size()), "data past the end parsed");
    Check(static_cast<std::uint64_t>(wave.FrameCount()) * wave.BlockAlign() <= wave.DataSize(), "frame count");
    Check(wave.Open(CWaveFile::kRead) && wave.GetPosition() == 0, "reopen rewinds");

    std::vector<unsigned char> buffer(4096);
    for (std::int64_t offset : {std::int64_t{0}, std::int64_t{wave.DataSize()} / 2, std::int64_t{wave.DataSize()},
                                std::int64_t{wave.DataSize()} + 1}) {
        if (wave.SeekData(offset) == offset) {
            const std::int64_t n = wave.Read(buffer.data(), buffer.size());
            Check(n >= 0, "read in the sample data fails");
            Check(std::memcmp(buffer.data(), input.data() + wave.DataStart() + offset, static_cast<std::size_t>(n)) == 0,
                  "read returns other bytes than the file's");
        }
    }
    wave.Seek(0, CWaveFile::Origin::End);
    wave.Seek(-3, CWaveFile::Origin::Current);

    // A copy of up to a few thousand frames through the block transfer.
    CWaveFile copy("copy.wav", opener);
    if (copy.CreateLike(wave) && copy.Open(CWaveFile::kReadWriteDenyWrite) && copy.SeekData(0) == 0 &&
        wave.SeekData(0) == 0) {
        const std::uint32_t frames = std::min<std::uint32_t>(wave.FrameCount(), 3000);
        Check(CWaveFile::CopyFrames(copy, wave, frames), "copying frames inside the data fails");
        const std::int64_t end = copy.DataStart() + std::int64_t{frames} * copy.BlockAlign();
        Check(copy.Seek(end, CWaveFile::Origin::Start) == end && copy.UpdateSizes() && copy.Close(), "sizes");
        CWaveFile again("copy.wav", opener);
        Check(again.Open(CWaveFile::kRead), "the copy does not parse");
        Check(again.FrameCount() == frames, "the copy's frame count");
        Check(again.FormatTag() != CWaveFile::kFormatExtensible, "the copy claims an extension it lacks");
    }
    wave.Release();
    Check(!wave.IsOpen(), "last release leaves the file open");
}

void ExerciseSilence(const std::string& input, const FileOpener& opener, std::uint8_t a, std::uint8_t b)
{
    g_files["in.wav"] = std::make_shared<std::string>(input);
    CWaveFile probe("in.wav", opener);
    const bool parses = probe.Open(CWaveFile::kRead);
    const std::int64_t dataStart = probe.DataStart();
    const std::uint64_t dataBytes = std::uint64_t{probe.FrameCount()} * probe.BlockAlign();
    probe.Close();

    const WaveResult result =
        WriteWaveSilence("in.wav", CCueTime::FromMsf(0, a % 4, b), CCueTime::FromMsf(0, b % 4, a), opener);
    const std::string& after = *g_files["in.wav"];
    if (!result.ok || !parses) {
        Check(after == input, "a failed silence changed the file");
        return;
    }
    Check(SameOutside(after, input, static_cast<std::size_t>(dataStart),
                      static_cast<std::size_t>(dataStart + static_cast<std::int64_t>(dataBytes))),
          "silence wrote outside the sample data");
}

void ExerciseTruncate(const std::string& input, std::uint8_t seconds)
{
    // One folder for the whole run, removed when the fuzzer exits.
    struct Folder {
        std::string path;
        Folder()
        {
            std::string pattern = (std::filesystem::temp_directory_path() / "tracksmith-fuzz-XXXXXX").string();
            if (mkdtemp(pattern.data()) == nullptr)
                std::abort();
            path = pattern;
        }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    const std::string& dir = folder.path;
    const std::string src = dir + "/src.wav";
    const std::string out = dir + "/out.wav";
    {
        std::ofstream file(src, std::ios::binary | std::ios::trunc);
        file.write(input.data(), static_cast<std::streamsize>(input.size()));
    }
    std::filesystem::remove(out);
    const WaveResult result = TruncateWaveFile(src, CCueTime::FromMsf(0, seconds % 3, seconds), out);
    Check(std::filesystem::exists(out) == result.ok, "output exists exactly on success");
    if (result.ok) {
        CWaveFile copy(out);
        Check(copy.Open(CWaveFile::kRead) && copy.FrameCount() == result.frames, "truncated copy");
    }
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++files;
    Check(files == (result.ok ? 2u : 1u), "a temporary file was left behind");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const FileOpener opener = OpenMemory;
    g_files.clear();
    g_files["in.wav"] = std::make_shared<std::string>(input);

    CWaveFile::IsWaveFile("in.wav", opener);
    ExerciseReads(input, opener);
    const std::uint8_t a = size > 0 ? data[size - 1] : 0;
    const std::uint8_t b = size > 1 ? data[size - 2] : 0;
    ExerciseSilence(input, opener, a, b);
    ExerciseTruncate(input, a);
    return 0;
}
