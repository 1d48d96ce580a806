#include "tracks/CTrackSplitter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "discimage/CByteCopier.h"
#include "platform/FileUtil.h"
#include "tracks/CJoinPlan.h"
#include "tracks/CTrackEncoder.h"
#include "tracks/CTrackPlan.h"
#include "tracks/CTrackSource.h"

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

bool Exists(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::symlink_status(path, ignored).type() != std::filesystem::file_type::not_found;
}

// The permissions a new file gets from the process's umask, as the sheet
// written beside the tracks gets them. Read on the thread that reserves the
// files, before any worker starts.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// "NAME" cannot be written: REASON, with the words said once when the
// reason already starts with them.
std::string CannotWrite(const std::string& target, std::string reason)
{
    static constexpr std::string_view kWords = "cannot be written: ";
    while (reason.starts_with(kWords))
        reason.erase(0, kWords.size());
    return "\"" + target + "\" " + std::string(kWords) + reason;
}

// The folders an export makes for itself, removed again (when empty) unless
// the export completes, so that a failed or cancelled export leaves nothing
// behind. A folder that was there before is never touched.
class CMadeFolders
{
public:
    // Makes folder and the missing folders above it; false with the reason.
    bool Make(const std::string& folder, std::string& reason)
    {
        std::error_code ec;
        for (std::filesystem::path p = std::filesystem::path(folder).lexically_normal();
             !p.empty() && !std::filesystem::exists(p, ec); p = p.parent_path()) {
            m_made.push_back(p);
            if (p == p.parent_path())
                break;
        }
        std::filesystem::create_directories(folder, ec);
        if (ec) {
            reason = ec.message();
            return false;
        }
        return true;
    }
    void Keep() { m_made.clear(); }
    ~CMadeFolders()
    {
        // Deepest first; remove only takes an empty folder.
        std::error_code ignored;
        for (const std::filesystem::path& p : m_made)
            std::filesystem::remove(p, ignored);
    }

private:
    std::vector<std::filesystem::path> m_made;
};

// A file written under a temporary name beside its target, removed unless
// it was put in place.
class CPendingFile
{
public:
    explicit CPendingFile(std::string target)
        : m_target(std::move(target))
    {
    }
    ~CPendingFile() { Discard(); }
    CPendingFile(const CPendingFile&) = delete;
    CPendingFile& operator=(const CPendingFile&) = delete;

    const std::string& Target() const { return m_target; }
    const std::string& Temporary() const { return m_temp; }

    // Reserves a fresh temporary name (".NAME.XXXXXX") in the target's folder.
    bool Reserve(std::string& reason)
    {
        const std::string folder = ts::FolderOf(m_target);
        std::string pattern = (folder.empty() ? std::string() : folder + "/") + "." + ts::FileNameOf(m_target) + ".XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) {
            reason = SystemReason(errno);
            return false;
        }
        // mkstemp makes it 0600; the finished file follows the umask.
        if (fchmod(fd, NewFileMode()) != 0) {
            reason = SystemReason(errno);
            close(fd);
            unlink(pattern.c_str());
            return false;
        }
        close(fd);
        m_temp = pattern;
        return true;
    }

    // Gives the temporary file the target's name; without overwrite an
    // existing target stays and this fails. The file is on disk already
    // (FlushToDisk).
    bool Commit(bool overwrite, std::string& reason)
    {
        if (overwrite) {
            if (rename(m_temp.c_str(), m_target.c_str()) != 0) {
                reason = SystemReason(errno);
                return false;
            }
        } else {
            // link refuses an existing name, where rename would replace it.
            if (link(m_temp.c_str(), m_target.c_str()) != 0) {
                reason = SystemReason(errno);
                return false;
            }
            unlink(m_temp.c_str());
        }
        m_temp.clear();
        return true;
    }

    void Discard()
    {
        if (!m_temp.empty()) {
            unlink(m_temp.c_str());
            m_temp.clear();
        }
    }

private:
    std::string m_target;
    std::string m_temp;
};

// Flushes a written file to disk, so that a crash after the rename never
// leaves a named file without its data. Each worker flushes its own track
// while the others still encode.
bool FlushToDisk(const std::string& path, std::string& reason)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || fdatasync(fd) != 0) {
        reason = SystemReason(errno);
        if (fd >= 0)
            close(fd);
        return false;
    }
    close(fd);
    return true;
}

// Makes the renames in a folder last.
void FlushFolder(const std::string& folder)
{
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// Encodes the pieces into path and flushes it to disk; the counters follow
// along.
bool EncodePieces(const std::string& path, TrackFormat format, const std::vector<PlanSource>& sources,
                  const std::vector<PlanPiece>& pieces, const CTrackEncoder::Tags& tags,
                  const std::atomic<bool>& cancel, std::atomic<std::uint64_t>& done, std::string& error)
{
    const PlanSource& first = sources[pieces.front().source];
    CTrackEncoder encoder;
    if (!encoder.Open(path, format, first.rate, first.channels, first.type, tags)) {
        error = encoder.FailureReason();
        return false;
    }
    CTrackSource reader;
    std::size_t open = sources.size();
    for (const PlanPiece& piece : pieces) {
        if (piece.source != open) {
            if (!ts::OpenSource(reader, sources[piece.source])) {
                error = "\"" + sources[piece.source].path + "\" cannot be read: " + reader.FailureReason();
                return false;
            }
            open = piece.source;
        }
        bool writeFailed = false;
        const bool read = reader.Read(piece.begin, piece.end, [&](const std::uint8_t* samples, std::size_t frames) {
            if (cancel)
                return false;
            if (!encoder.Write(samples, frames)) {
                writeFailed = true;
                return false;
            }
            done += frames;
            return true;
        });
        if (cancel)
            return false;
        if (writeFailed) {
            error = encoder.FailureReason();
            return false;
        }
        if (!read) {
            error = "\"" + sources[piece.source].path + "\" cannot be read: " + reader.FailureReason();
            return false;
        }
    }
    if (!encoder.Finish()) {
        error = encoder.FailureReason();
        return false;
    }
    return FlushToDisk(path, error);
}

// Copies the pieces of a data track into path byte for byte (a frame is 4
// bytes of its sectors) and flushes it to disk.
bool CopyPieces(const std::string& path, const std::vector<PlanSource>& sources, const std::vector<PlanPiece>& pieces,
                const std::atomic<bool>& cancel, std::atomic<std::uint64_t>& done, std::string& error)
{
    constexpr std::uint64_t kFrameBytes = 4;
    const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        error = SystemReason(errno);
        return false;
    }
    std::atomic<std::uint64_t> bytes{0};
    CByteCopier copier(cancel, bytes);
    for (const PlanPiece& piece : pieces) {
        if (!copier.Append(sources[piece.source].path, piece.begin * kFrameBytes, (piece.end - piece.begin) * kFrameBytes,
                           fd, error)) {
            close(fd);
            return false;
        }
        done += piece.end - piece.begin;
    }
    if (close(fd) != 0) {
        error = SystemReason(errno);
        return false;
    }
    return FlushToDisk(path, error);
}

} // namespace

unsigned CTrackSplitter::WorkerCount(std::size_t tracks)
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::min<std::size_t>(cores, std::max<std::size_t>(tracks, 1)));
}

std::vector<std::string> CTrackSplitter::ExistingTargets(const CTrackPlan& plan, const std::string& folder)
{
    std::vector<std::string> existing;
    for (const PlanTrack& track : plan.Tracks()) {
        if (Exists(folder + "/" + track.fileName))
            existing.push_back(track.fileName);
    }
    if (Exists(folder + "/" + plan.SheetName()))
        existing.push_back(plan.SheetName());
    return existing;
}

std::vector<std::string> CTrackSplitter::ExistingTargets(const CJoinPlan& plan)
{
    std::vector<std::string> existing;
    for (const std::string& path : {plan.ImagePath(), plan.SheetPath()}) {
        if (Exists(path))
            existing.push_back(path);
    }
    return existing;
}

bool CTrackSplitter::Split(const CTrackPlan& plan, const std::string& folder, bool overwrite, std::string& error)
{
    error.clear();
    m_done = 0;
    m_total = 0;
    for (const PlanTrack& track : plan.Tracks())
        m_total += track.frames;
    CMadeFolders made;
    if (std::string reason; !made.Make(folder, reason)) {
        error = "The folder \"" + folder + "\" cannot be made: " + reason;
        return false;
    }
    if (!overwrite) {
        const std::vector<std::string> existing = ExistingTargets(plan, folder);
        if (!existing.empty()) {
            error = "\"" + folder + "/" + existing.front() + "\" exists already; nothing was written";
            return false;
        }
    }

    const std::vector<PlanTrack>& tracks = plan.Tracks();
    std::vector<std::unique_ptr<CPendingFile>> files;
    for (const PlanTrack& track : tracks) {
        files.push_back(std::make_unique<CPendingFile>(folder + "/" + track.fileName));
        std::string reason;
        if (!files.back()->Reserve(reason)) {
            error = "No file can be made in \"" + folder + "\": " + reason;
            return false;
        }
    }

    // Each worker takes the next track until none is left or one fails.
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex errorLock;
    std::string firstError;
    auto work = [&] {
        for (;;) {
            const std::size_t i = next++;
            if (i >= tracks.size() || failed || m_cancel)
                return;
            const PlanTrack& track = tracks[i];
            const int number = track.number;
            const CTrackEncoder::Tags tags = CTrackEncoder::TagsFor(plan.GetOptions().format, track.tags, plan.Tags(),
                                                                    number, number == 0 ? 0 : plan.TrackTotal());
            std::string reason;
            const bool written = track.dataMode.empty()
                ? EncodePieces(files[i]->Temporary(), plan.GetOptions().format, plan.Sources(), track.pieces, tags,
                               m_cancel, m_done, reason)
                : CopyPieces(files[i]->Temporary(), plan.Sources(), track.pieces, m_cancel, m_done, reason);
            if (!written) {
                if (!m_cancel) {
                    std::lock_guard lock(errorLock);
                    if (!failed)
                        firstError = CannotWrite(files[i]->Target(), reason);
                    failed = true;
                }
                return;
            }
        }
    };
    {
        std::vector<std::jthread> workers;
        const unsigned count = WorkerCount(tracks.size());
        for (unsigned w = 1; w < count; ++w)
            workers.emplace_back(work);
        work();
    }
    if (m_cancel)
        return false;
    if (failed) {
        error = firstError;
        return false;
    }

    // The sheet last: when it exists, every file it names does too.
    for (const auto& file : files) {
        std::string reason;
        if (!file->Commit(overwrite, reason)) {
            error = CannotWrite(file->Target(), reason);
            return false;
        }
    }
    const std::string sheet = folder + "/" + plan.SheetName();
    std::string reason;
    if (!overwrite && Exists(sheet)) {
        error = "\"" + sheet + "\" exists already; the track files are written, their sheet is not";
        return false;
    }
    if (!ts::WriteFileAtomically(sheet, plan.SheetText(), reason)) {
        error = CannotWrite(sheet, reason);
        return false;
    }
    FlushFolder(folder);
    made.Keep();
    return true;
}

bool CTrackSplitter::Join(const CJoinPlan& plan, bool overwrite, std::string& error)
{
    error.clear();
    m_done = 0;
    m_total = plan.TotalFrames();
    if (!overwrite) {
        const std::vector<std::string> existing = ExistingTargets(plan);
        if (!existing.empty()) {
            error = "\"" + existing.front() + "\" exists already; nothing was written";
            return false;
        }
    }
    CPendingFile image(plan.ImagePath());
    std::string reason;
    if (!image.Reserve(reason)) {
        error = "\"" + plan.ImagePath() + "\" cannot be made: " + reason;
        return false;
    }
    std::vector<PlanPiece> pieces;
    for (std::size_t i = 0; i < plan.Sources().size(); ++i)
        pieces.push_back({i, 0, plan.Sources()[i].frames});
    if (!EncodePieces(image.Temporary(), plan.Format(), plan.Sources(), pieces, {}, m_cancel, m_done, reason)) {
        if (!m_cancel)
            error = CannotWrite(plan.ImagePath(), reason);
        return false;
    }
    if (!image.Commit(overwrite, reason)) {
        error = CannotWrite(plan.ImagePath(), reason);
        return false;
    }
    if (!ts::WriteFileAtomically(plan.SheetPath(), plan.SheetText(), reason)) {
        error = CannotWrite(plan.SheetPath(), reason);
        return false;
    }
    FlushFolder(ts::FolderOf(plan.ImagePath()));
    return true;
}
