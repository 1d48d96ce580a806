#include "discimage/CImageWriter.h"

#include "model/TextUtil.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "discimage/CByteCopier.h"
#include "discimage/CDiscImage.h"
#include "platform/FileUtil.h"

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

bool Exists(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::symlink_status(path, ignored).type() != std::filesystem::file_type::not_found;
}

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code ignored;
    return std::filesystem::equivalent(a, b, ignored);
}

// A cue sheet value has no escape for a double quote, and a line break
// would end the FILE line.
bool FitsOnFileLine(const std::string& name)
{
    return name.find_first_of("\"\r\n") == std::string::npos;
}

// A file written under a temporary name (".NAME.PID.N") beside its target,
// removed unless it was put in place. It is made with the permissions a
// new file gets from the umask, as the target would be.
class CTemporaryFile
{
public:
    explicit CTemporaryFile(std::string target)
        : m_target(std::move(target))
    {
    }
    ~CTemporaryFile()
    {
        if (m_fd >= 0)
            close(m_fd);
        if (!m_temp.empty())
            unlink(m_temp.c_str());
    }
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    const std::string& Target() const { return m_target; }
    int Descriptor() const { return m_fd; }

    bool Create(std::string& reason)
    {
        const std::string folder = ts::FolderOf(m_target);
        const std::string stem = (folder.empty() ? std::string() : folder + "/") + "." + ts::FileNameOf(m_target) + "." +
                                 std::to_string(getpid()) + ".";
        for (int n = 0; n < 1000; ++n) {
            const std::string path = stem + std::to_string(n);
            m_fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0) {
                m_temp = path;
                return true;
            }
            if (errno != EEXIST)
                break;
        }
        reason = SystemReason(errno);
        return false;
    }

    // Closes the file; a write error the close reports fails it. The data
    // goes to the disk with the system's own write-back, as a copy by cat
    // or cp does: waiting for the disk here would make a split take twice
    // as long as copying the same bytes.
    bool Finish(std::string& reason)
    {
        const int fd = m_fd;
        m_fd = -1;
        if (close(fd) != 0) {
            reason = SystemReason(errno);
            return false;
        }
        return true;
    }

    // Gives the file the target's name; without overwrite an existing
    // target stays and this fails.
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
                reason = errno == EEXIST ? std::string("it exists already") : SystemReason(errno);
                return false;
            }
            unlink(m_temp.c_str());
        }
        m_temp.clear();
        return true;
    }

private:
    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
};

bool WriteAll(int fd, std::string_view bytes, std::string& reason)
{
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            reason = SystemReason(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The folders create_directories would make for path, deepest last.
std::vector<std::string> MissingFolders(const std::string& path)
{
    std::vector<std::string> missing;
    std::filesystem::path at = std::filesystem::absolute(path).lexically_normal();
    while (!at.empty() && !Exists(at.string())) {
        missing.insert(missing.begin(), at.string());
        if (at == at.parent_path())
            break;
        at = at.parent_path();
    }
    return missing;
}

} // namespace

std::string CImageWriter::SheetPathOf(const std::string& imagePath)
{
    const std::string name = ts::FileNameOf(imagePath);
    const auto dot = name.rfind('.');
    const std::string stem = dot == std::string::npos || dot == 0 ? imagePath
                                                                  : imagePath.substr(0, imagePath.size() - (name.size() - dot));
    return stem + ".cue";
}

std::vector<std::string> CImageWriter::ExistingJoinTargets(const std::string& imagePath)
{
    std::vector<std::string> existing;
    for (const std::string& path : {imagePath, SheetPathOf(imagePath)}) {
        if (Exists(path))
            existing.push_back(path);
    }
    return existing;
}

std::vector<std::string> CImageWriter::ExistingSplitTargets(const CDiscImage& disc, const std::string& folder,
                                                            const std::string& name)
{
    std::vector<std::string> existing;
    std::vector<std::string> names = disc.SplitNames(name);
    names.push_back(name + ".cue");
    for (const std::string& file : names) {
        if (Exists(folder + "/" + file))
            existing.push_back(file);
    }
    return existing;
}

bool CImageWriter::Join(const CDiscImage& disc, const std::string& imagePath, bool overwrite, std::string& error)
{
    error.clear();
    const std::string sheetPath = SheetPathOf(imagePath);
    const std::string imageName = ts::FileNameOf(imagePath);
    if (imageName.empty() || !FitsOnFileLine(imageName)) {
        error = ts::Quoted(imagePath) + " cannot be named on a FILE line: leave out double quotes and line breaks";
        return false;
    }
    const std::string extension = imageName.substr(std::min(imageName.size(), imageName.rfind('.')));
    if (extension == ".wav" || extension == ".flac" || extension == ".WAV" || extension == ".FLAC") {
        error = ts::Quoted(imagePath) + " would hold raw sectors under an audio file's name: name the image .bin";
        return false;
    }
    if (sheetPath == imagePath) {
        error = ts::Quoted(imagePath) + " would be its own cue sheet: give the image another extension, such as .bin";
        return false;
    }
    const std::string type = disc.JoinedType(error);
    if (type.empty())
        return false;
    std::vector<ImageOutput> outputs(2);
    outputs[0].target = imagePath;
    outputs[0].pieces = disc.PiecesOf(0, disc.TotalBytes());
    outputs[1].target = sheetPath;
    outputs[1].text = disc.JoinSheet(imageName, type);
    return WriteFiles(disc, outputs, overwrite, error);
}

bool CImageWriter::Split(const CDiscImage& disc, const std::string& folder, const std::string& name, bool overwrite,
                         std::string& error)
{
    error.clear();
    if (name.empty() || !FitsOnFileLine(name) || name.find('/') != std::string::npos) {
        error = ts::Quoted(name) + " cannot name the track files: leave out slashes, double quotes and line breaks";
        return false;
    }
    const std::vector<std::string> names = disc.SplitNames(name);
    std::vector<ImageOutput> outputs;
    for (std::size_t t = 0; t < disc.Tracks().size(); ++t) {
        const ImageTrack& track = disc.Tracks()[t];
        outputs.push_back({folder + "/" + names[t], disc.PiecesOf(track.firstByte, track.endByte), {}});
    }
    outputs.push_back({folder + "/" + name + ".cue", {}, disc.SplitSheet(names)});

    const std::vector<std::string> made = MissingFolders(folder);
    std::error_code makeError;
    std::filesystem::create_directories(folder, makeError);
    if (makeError) {
        error = "The folder " + ts::Quoted(folder) + " cannot be made: " + makeError.message();
        return false;
    }
    const bool ok = WriteFiles(disc, outputs, overwrite, error);
    if (!ok) {
        // Folders this run made go again; rmdir leaves one that holds files.
        for (auto it = made.rbegin(); it != made.rend(); ++it)
            rmdir(it->c_str());
    }
    return ok;
}

bool CImageWriter::WriteFiles(const CDiscImage& disc, const std::vector<ImageOutput>& outputs, bool overwrite,
                              std::string& error)
{
    m_done = 0;
    m_total = 0;
    for (const ImageOutput& output : outputs) {
        for (const ImagePiece& piece : output.pieces)
            m_total += piece.bytes;
    }
    for (const ImageOutput& output : outputs) {
        for (const ImageFile& file : disc.Files()) {
            if (Exists(output.target) && SameFile(output.target, file.path)) {
                error = ts::Quoted(output.target) + " is a file of the sheet; nothing was written";
                return false;
            }
        }
        if (!overwrite && Exists(output.target)) {
            error = ts::Quoted(output.target) + " exists already; nothing was written";
            return false;
        }
    }

    std::vector<std::unique_ptr<CTemporaryFile>> files;
    CByteCopier copier(m_cancel, m_done);
    for (const ImageOutput& output : outputs) {
        files.push_back(std::make_unique<CTemporaryFile>(output.target));
        CTemporaryFile& file = *files.back();
        std::string reason;
        if (!file.Create(reason)) {
            error = ts::Quoted(output.target) + " cannot be made: " + reason;
            return false;
        }
        for (const ImagePiece& piece : output.pieces) {
            if (piece.file == ImagePiece::kZeros) {
                if (!copier.AppendZeros(piece.bytes, file.Descriptor(), reason)) {
                    if (!m_cancel)
                        error = ts::Quoted(output.target) + " cannot be written: " + reason;
                    return false;
                }
                continue;
            }
            const std::string& source = disc.Files()[piece.file].path;
            if (!copier.Append(source, piece.offset, piece.bytes, file.Descriptor(), reason)) {
                if (!m_cancel)
                    error = ts::Quoted(output.target) + " cannot be written from " + ts::Quoted(source) + ": " + reason;
                return false;
            }
        }
        if (!WriteAll(file.Descriptor(), output.text, reason)) {
            error = ts::Quoted(output.target) + " cannot be written: " + reason;
            return false;
        }
    }
    if (m_cancel)
        return false;
    for (const auto& file : files) {
        std::string reason;
        if (!file->Finish(reason)) {
            error = ts::Quoted(file->Target()) + " cannot be written: " + reason;
            return false;
        }
    }

    // In order, the sheet last: when it exists, every file it names does
    // too. A failure takes back the names given so far.
    std::vector<std::string> committed;
    for (const auto& file : files) {
        std::string reason;
        if (!file->Commit(overwrite, reason)) {
            error = ts::Quoted(file->Target()) + " cannot be written: " + reason;
            if (!overwrite) {
                for (const std::string& path : committed)
                    unlink(path.c_str());
            }
            return false;
        }
        committed.push_back(file->Target());
    }
    return true;
}
