#include "document/CAudioRelinker.h"

#include "document/CQuillDoc.h"
#include "model/CCueFile.h"
#include "platform/FileUtil.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// No folder entry is longer than NAME_MAX (Linux's figure).
constexpr std::size_t kLongestEntry = 255;

const char* const kOnlyAudioFile = "the only audio file of the folder";

std::string Lower(std::string_view text)
{
    std::string out(text);
    // Letter case of ASCII only: file systems that fold case disagree
    // beyond it, and a wrong match is worse than none.
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return out;
}

// The extension with its dot ("" when the name has none) and the rest.
std::pair<std::string, std::string> SplitExtension(const std::string& name)
{
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return {name, {}};
    return {name.substr(0, dot), name.substr(dot)};
}

bool IsAudioExtension(const std::string& extension)
{
    const auto& list = CAudioRelinker::AudioExtensions();
    return std::find(list.begin(), list.end(), Lower(extension)) != list.end();
}

bool IsRegularFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// The regular files of a folder, by name, sorted so that a search gives the
// same answer on every file system.
std::vector<std::string> ListFiles(const fs::path& dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ListFolders(const fs::path& dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The file of dir that stands for base: the name itself, else the same
// name with another audio extension, else the name in other letter case
// (with its own or another audio extension).
std::optional<std::string> MatchIn(const fs::path& dir, const std::string& base, std::string& how)
{
    const std::vector<std::string> files = ListFiles(dir);
    if (files.empty())
        return std::nullopt;
    if (std::find(files.begin(), files.end(), base) != files.end()) {
        how = "same name";
        return base;
    }
    const std::string stem = SplitExtension(base).first;
    const auto byExtension = [&files](auto&& stemMatches) -> std::optional<std::string> {
        for (const std::string& wanted : CAudioRelinker::AudioExtensions()) {
            for (const std::string& file : files) {
                const auto [fileStem, fileExtension] = SplitExtension(file);
                if (Lower(fileExtension) == wanted && stemMatches(fileStem))
                    return file;
            }
        }
        return std::nullopt;
    };
    if (auto found = byExtension([&stem](const std::string& s) { return s == stem; })) {
        how = "other extension";
        return found;
    }
    // A name and a stem longer than any folder entry match none, and are
    // not lowered for every folder looked in.
    if (base.size() > kLongestEntry && stem.size() > kLongestEntry)
        return std::nullopt;
    const std::string lowerBase = Lower(base);
    for (const std::string& file : files) {
        if (Lower(file) == lowerBase) {
            how = "other letter case";
            return file;
        }
    }
    const std::string lowerStem = Lower(stem);
    if (auto found = byExtension([&lowerStem](const std::string& s) { return Lower(s) == lowerStem; })) {
        how = "other letter case and extension";
        return found;
    }
    return std::nullopt;
}

// The name a found file gets in the FILE line: relative to the sheet's
// folder when the FILE name was relative, with forward slashes.
std::string NameFor(const fs::path& folder, const fs::path& found, bool absolute)
{
    if (absolute)
        return found.lexically_normal().generic_string();
    return found.lexically_normal().lexically_relative(folder.lexically_normal()).generic_string();
}

} // namespace

const std::vector<std::string>& CAudioRelinker::AudioExtensions()
{
    // Lossless first: a rip re-encoded keeps its sound in them.
    static const std::vector<std::string> list = {".wav", ".flac", ".wv",  ".ape", ".tta", ".aiff", ".aif", ".m4a",
                                                  ".ogg", ".oga",  ".opus", ".mp3", ".wma", ".mpc", ".aac"};
    return list;
}

fs::path CAudioRelinker::SheetFolder(const CQuillDoc& doc)
{
    std::error_code ec;
    if (doc.PathName().empty())
        return fs::current_path(ec);
    fs::path sheet(doc.PathName());
    if (sheet.is_relative())
        sheet = fs::absolute(sheet, ec);
    return sheet.parent_path();
}

bool CAudioRelinker::Exists(const fs::path& folder, const std::string& name)
{
    // A name too long for any path is never a file; it is not copied into
    // a path to be asked for.
    if (name.empty() || name.size() >= ts::kLongestPath)
        return false;
    const fs::path path(name);
    return IsRegularFile(path.is_absolute() ? path : folder / path);
}

std::string CAudioRelinker::FindCandidate(const fs::path& folder, const std::string& name, bool onlyFile,
                                          std::string* how)
{
    // A last part whose stem is longer than any folder entry matches no
    // file by name in any folder: only the folder's one audio file can
    // stand for it. Such a name is not copied into paths at all.
    const std::string_view last = std::string_view(name).substr(name.find_last_of("/\\") + 1);
    const std::size_t dot = last.rfind('.');
    if ((dot == std::string_view::npos || dot == 0 ? last.size() : dot) > kLongestEntry) {
        const std::string only = onlyFile ? OnlyAudioFile(folder) : std::string();
        if (how)
            *how = only.empty() ? std::string() : kOnlyAudioFile;
        return only;
    }
    std::string reason;
    std::string found;
    // A name written on Windows may part its folders with backslashes.
    std::string portable = name;
    std::replace(portable.begin(), portable.end(), '\\', '/');
    const fs::path written(portable);
    const bool absolute = written.is_absolute();
    const fs::path own = absolute ? written.parent_path() : (folder / written).parent_path();
    const std::string base = written.filename().string();
    if (base.empty())
        return {};
    const auto same = [](const fs::path& a, const fs::path& b) {
        return a.lexically_normal() == b.lexically_normal();
    };

    // The name's own folder first, then the sheet's: a sheet made on
    // another computer names folders that are not here.
    if (auto match = MatchIn(own, base, reason)) {
        if (reason == "same name")
            reason = "folders parted with slashes";
        found = NameFor(folder, own / *match, absolute);
    } else if (!same(own, folder)) {
        if (auto inSheetFolder = MatchIn(folder, base, reason)) {
            reason = "found beside the sheet";
            found = NameFor(folder, folder / *inSheetFolder, false);
        }
    }
    if (found.empty()) {
        for (const std::string& sub : ListFolders(folder)) {
            if (auto match = MatchIn(folder / sub, base, reason)) {
                reason = "found in subfolder \"" + sub + "\"";
                found = NameFor(folder, folder / sub / *match, false);
                break;
            }
        }
    }
    if (found.empty() && folder.has_parent_path() && !same(folder.parent_path(), folder)) {
        if (auto match = MatchIn(folder.parent_path(), base, reason)) {
            reason = "found in the parent folder";
            found = NameFor(folder, folder.parent_path() / *match, false);
        }
    }
    if (found.empty() && onlyFile) {
        found = OnlyAudioFile(folder);
        reason = kOnlyAudioFile;
    }
    if (how)
        *how = found.empty() ? std::string() : reason;
    return found;
}

std::string CAudioRelinker::OnlyAudioFile(const fs::path& folder)
{
    std::vector<std::string> audio;
    for (const std::string& file : ListFiles(folder)) {
        if (IsAudioExtension(SplitExtension(file).second))
            audio.push_back(file);
    }
    return audio.size() == 1 ? audio.front() : std::string();
}

std::vector<CAudioRelinker::Fix> CAudioRelinker::MissingFiles(const CQuillDoc& doc)
{
    std::vector<Fix> fixes;
    const fs::path folder = SheetFolder(doc);
    for (int i = 0; i < doc.FileCount(); ++i) {
        CCueFile* file = doc.File(i);
        if (Exists(folder, file->Name()))
            continue;
        Fix fix;
        fix.file = file;
        fix.oldName = file->Name();
        if (!file->Name().empty()) {
            fix.newName = FindCandidate(folder, file->Name(), doc.FileCount() == 1, &fix.how);
        } else if (doc.FileCount() == 1) {
            // A file not named yet has only the folder's one audio file.
            fix.newName = OnlyAudioFile(folder);
            fix.how = fix.newName.empty() ? std::string() : kOnlyAudioFile;
        }
        fixes.push_back(std::move(fix));
    }
    return fixes;
}

int CAudioRelinker::Apply(CQuillDoc& doc, const std::vector<Fix>& fixes)
{
    int renamed = 0;
    doc.BeginBatchMode();
    for (const Fix& fix : fixes) {
        if (fix.file && !fix.newName.empty() && doc.PositionOfFile(fix.file) >= 0 && fix.file->SetName(fix.newName))
            ++renamed;
    }
    doc.EndBatchMode();
    return renamed;
}
