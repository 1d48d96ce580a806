#include "audio/WaveOperations.h"

#include "model/TextUtil.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "audio/CWaveFile.h"
#include "model/CCueTime.h"

namespace {

WaveResult FileFailure(const std::string& path, const CWaveFile& wave)
{
    return WaveResult::Failure(ts::Quoted(path) + " " + wave.FailureReason());
}

WaveResult SystemFailure(const std::string& path, const char* what, int error)
{
    return WaveResult::Failure(ts::Quoted(path) + " " + what + ": " + std::generic_category().message(error));
}

// Creates an empty file with a fresh name in the folder of target and
// returns its path, or an empty string with error set.
std::string CreateTempBeside(const std::string& target, int& error)
{
    const std::filesystem::path path(target);
    const std::filesystem::path folder = path.parent_path();
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char tag[16];
        std::snprintf(tag, sizeof tag, "%08x", static_cast<unsigned>(random()));
        const std::filesystem::path temp = folder / ("." + path.filename().string() + "." + tag + ".tmp");
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return temp.string();
        }
        if (errno != EEXIST) {
            error = errno;
            return {};
        }
    }
    error = EEXIST;
    return {};
}

// Removes the temporary file unless it was renamed into place.
class TempFileGuard
{
public:
    explicit TempFileGuard(std::string path)
        : m_path(std::move(path))
    {
    }
    ~TempFileGuard()
    {
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    void Release() { m_path.clear(); }

private:
    std::string m_path;
};

// Sample frames moved between two progress reports: about 4 MB.
std::uint32_t SliceFrames(const CWaveFile& wave)
{
    return std::max<std::uint32_t>(1, (4u << 20) / std::max<std::uint32_t>(1, wave.BlockAlign()));
}

// Runs step over frames sample frames in slices, telling progress after each.
template <typename Step>
bool InSlices(std::uint32_t frames, std::uint32_t slice, const WaveProgress& progress, Step step)
{
    if (!progress)
        return step(frames);
    progress(0, frames);
    for (std::uint32_t done = 0; done < frames;) {
        const std::uint32_t n = std::min(slice, frames - done);
        if (!step(n))
            return false;
        done += n;
        progress(done, frames);
    }
    return true;
}

// Where the copy goes: a symbolic link's target, as Save writes there. A
// device, a FIFO, a socket or a folder is refused with the reason.
bool OutputTarget(const std::string& output, std::string& target, std::string& reason)
{
    std::error_code ec;
    target = output;
    const std::filesystem::path link(output);
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, ec))) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(link, ec);
        if (ec) {
            reason = "its link cannot be followed: " + ec.message();
            return false;
        }
        target = resolved.string();
    }
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0)
        return true; // a new name
    if (S_ISDIR(info.st_mode)) {
        reason = "it is a folder";
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = "it is not a regular file but a device, a FIFO or a socket";
        return false;
    }
    return true;
}

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace

WaveResult TruncateWaveFile(const std::string& source, const CCueTime& at, const std::string& output,
                            const FileOpener& opener, const WaveProgress& progress)
{
    if (output.empty())
        return WaveResult::Failure("No output file was given for the truncated copy of " + ts::Quoted(source) + ".");
    std::string target;
    std::string refusal;
    if (!OutputTarget(output, target, refusal))
        return WaveResult::Failure(ts::Quoted(output) + " cannot be written: " + refusal + ".");
    if (SameFile(source, target))
        return WaveResult::Failure(ts::Quoted(output) + " is the source file itself; the truncated copy needs another name.");
    CWaveFile in(source, opener);
    if (!in.Open(CWaveFile::kRead))
        return FileFailure(source, in);
    std::string reason;
    if (!in.IsEditable(reason))
        return WaveResult::Failure(ts::Quoted(source) + " cannot be truncated: " + reason + ".");
    // At the file's own rate: the dialog's time is what the player measured.
    std::uint32_t atFrame = 0;
    if (!CWaveFile::FramesAt(at, in.SamplesPerSecond(), atFrame))
        return WaveResult::Failure("The truncation time is not a valid time.");

    // The frame at the truncation time itself is kept.
    const auto frames = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(atFrame) + 1, in.FrameCount()));

    int error = 0;
    const std::string temp = CreateTempBeside(target, error);
    if (temp.empty())
        return SystemFailure(output, "cannot be created", error);
    TempFileGuard guard(temp);
    // An existing output keeps its permissions.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && ::chmod(temp.c_str(), existing.st_mode & 07777) != 0)
        return SystemFailure(output, "cannot be written", errno);

    CWaveFile out(temp, opener);
    if (!out.CreateLike(in))
        return FileFailure(output, out);
    if (!out.Open(CWaveFile::kReadWriteDenyWrite))
        return FileFailure(output, out);
    if (out.SeekData(0) < 0 || in.SeekData(0) < 0)
        return WaveResult::Failure(ts::Quoted(source) + " cannot be read: the sample data cannot be reached.");
    if (!InSlices(frames, SliceFrames(in), progress,
                  [&](std::uint32_t n) { return CWaveFile::CopyFrames(out, in, n); }))
        return in.FailureReason().empty() ? FileFailure(output, out) : FileFailure(source, in);
    const std::int64_t end = out.DataStart() + static_cast<std::int64_t>(frames) * out.BlockAlign();
    if (out.Seek(end, CWaveFile::Origin::Start) != end || !out.UpdateSizes() || !out.Flush() || !out.Close())
        return FileFailure(output, out);
    in.Close();

    if (std::rename(temp.c_str(), target.c_str()) != 0)
        return SystemFailure(output, "cannot be written", errno);
    guard.Release();
    return WaveResult::Success(frames);
}

WaveResult WriteWaveSilence(const std::string& path, const CCueTime& start, const CCueTime& stop,
                            const FileOpener& opener, const WaveProgress& progress)
{
    CWaveFile wave(path, opener);
    if (!wave.Open(CWaveFile::kReadWriteDenyWrite))
        return FileFailure(path, wave);
    std::string reason;
    if (!wave.IsEditable(reason))
        return WaveResult::Failure(ts::Quoted(path) + " cannot be silenced: " + reason + ".");
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    if (!CWaveFile::FramesAt(start, wave.SamplesPerSecond(), first) ||
        !CWaveFile::FramesAt(stop, wave.SamplesPerSecond(), last))
        return WaveResult::Failure("The interval is not made of valid times.");
    if (last < first)
        return WaveResult::Failure("The stop time " + stop.Text() + " is before the start time " + start.Text() +
                                   "; nothing was written to " + ts::Quoted(path) + ".");
    first = std::min(first, wave.FrameCount());
    last = std::min(last, wave.FrameCount());
    const std::uint32_t frames = last - first;
    if (frames > 0) {
        if (wave.SeekData(static_cast<std::int64_t>(first) * wave.BlockAlign()) < 0)
            return WaveResult::Failure(ts::Quoted(path) + " cannot be written: the sample data cannot be reached.");
        // No size is rewritten: chunks after the samples must stay inside
        // the RIFF chunk.
        if (!InSlices(frames, SliceFrames(wave), progress, [&](std::uint32_t n) { return wave.WriteSilence(n); }) ||
            !wave.Flush())
            return FileFailure(path, wave);
    }
    if (!wave.Close())
        return FileFailure(path, wave);
    return WaveResult::Success(frames);
}
