#include "document/CEmbeddedSheet.h"

#include "document/CQuillDoc.h"
#include "document/IEmbeddedSheetStore.h"
#include "model/CCueFile.h"
#include "model/CCueLineSource.h"
#include "platform/CPrompts.h"
#include "platform/FileUtil.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <tuple>

namespace {

IEmbeddedSheetStore* g_store = nullptr;

constexpr const char* kEmbedCaption = "Embed Sheet in Audio File";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string Upper(std::string word)
{
    for (char& c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return word;
}

// The sheet's lines, without their line ends.
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        from = end + 1;
    }
    return lines;
}

// The first word of a line, upper case.
std::string Keyword(const std::string& line)
{
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    std::size_t end = i;
    while (end < line.size() && !IsBlank(line[end]))
        ++end;
    return Upper(line.substr(i, end - i));
}

// Every TRACK and INDEX of a sheet in order, the times in CD frames: what
// two sheets must agree on to place the same tracks.
std::vector<std::tuple<std::string, long, long>> Layout(const std::string& text)
{
    std::vector<std::tuple<std::string, long, long>> layout;
    for (const std::string& line : SplitLines(text)) {
        std::istringstream words(line);
        std::string keyword, number, time;
        words >> keyword >> number >> time;
        keyword = Upper(keyword);
        if (keyword == "TRACK") {
            layout.emplace_back(keyword, std::strtol(number.c_str(), nullptr, 10), 0);
        } else if (keyword == "INDEX") {
            long m = 0, s = 0, f = 0;
            char c1 = 0, c2 = 0;
            std::istringstream msf(time);
            msf >> m >> c1 >> s >> c2 >> f;
            layout.emplace_back(keyword, std::strtol(number.c_str(), nullptr, 10), (m * 60 + s) * 75 + f);
        }
    }
    return layout;
}

std::string WithLf(std::string text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

bool HasSheet(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return !IsBlank(c) && c != '\n'; });
}

} // namespace

IEmbeddedSheetStore::~IEmbeddedSheetStore() = default;

IEmbeddedSheetStore* IEmbeddedSheetStore::Installed() { return g_store; }

IEmbeddedSheetStore* IEmbeddedSheetStore::Install(IEmbeddedSheetStore* store)
{
    IEmbeddedSheetStore* previous = g_store;
    g_store = store;
    return previous;
}

bool CEmbeddedSheet::InAudioFile(const std::string& path)
{
    return g_store && g_store->Handles(path);
}

bool CEmbeddedSheet::CarriesSheet(const std::string& path)
{
    EmbeddedSheetData data;
    std::string reason;
    return InAudioFile(path) && g_store->Read(path, data, reason)
        && ((data.hasTag && HasSheet(data.tagText)) || data.hasBlock);
}

std::pair<std::string, std::string> CEmbeddedSheet::OpenFilter()
{
    return {"Audio files with a sheet (*.flac *.wv *.ape)", "*.flac *.wv *.ape"};
}

std::string CEmbeddedSheet::NameFile(const std::string& text, const std::string& fileName, int& files)
{
    std::vector<std::string> lines = SplitLines(text);
    files = 0;
    std::size_t fileLine = lines.size();
    std::size_t firstTrack = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string keyword = Keyword(lines[i]);
        if (keyword == "FILE") {
            if (files++ == 0)
                fileLine = i;
        } else if (keyword == "TRACK" && files == 0 && firstTrack == lines.size()) {
            firstTrack = i;
        }
    }
    const std::string named = "FILE \"" + fileName + "\" ";
    if (files == 1) {
        // Keep the indent and the type word; only the name changes.
        std::string& line = lines[fileLine];
        std::size_t i = 0;
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        const std::string indent = line.substr(0, i);
        i += 4;
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i < line.size() && line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            i = close == std::string::npos ? line.size() : close + 1;
        } else {
            while (i < line.size() && !IsBlank(line[i]))
                ++i;
        }
        std::string type = line.substr(i);
        type.erase(0, type.find_first_not_of(" \t"));
        type.erase(type.find_last_not_of(" \t") + 1);
        line = indent + named + (type.empty() ? "WAVE" : type);
    } else if (files == 0 && firstTrack < lines.size()) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(firstTrack), named + "WAVE");
    } else if (files > 1) {
        return text;
    }
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

bool CEmbeddedSheet::Extract(const std::string& path, std::string& text, std::vector<std::string>& warnings,
                             std::string& reason)
{
    if (!g_store) {
        reason = "sheets in audio files cannot be read here";
        return false;
    }
    EmbeddedSheetData data;
    if (!g_store->Read(path, data, reason))
        return false;
    const std::string name = ts::FileNameOf(path);
    const bool tag = data.hasTag && HasSheet(data.tagText);
    std::string chosen;
    if (tag) {
        chosen = WithLf(data.tagText);
        // Tags hold UTF-8; older taggers wrote the Windows code page.
        if (!ts::IsValidUtf8(chosen)) {
            std::string utf8;
            for (const char c : chosen)
                ts::AppendUtf8(ts::Windows1252ToUnicode(static_cast<unsigned char>(c)), utf8);
            chosen = std::move(utf8);
            warnings.push_back("The CUESHEET " + data.tagKind + " of \"" + name
                               + "\" is not UTF-8 text; it is read as Windows-1252.");
        } else if (data.tagLostBytes) {
            warnings.push_back("The CUESHEET " + data.tagKind + " of \"" + name
                               + "\" is not UTF-8 text; the characters that cannot be read show as U+FFFD.");
        }
        // The tag is what taggers and players edit; the block is what the
        // encoder wrote. When they place the tracks differently the tag is
        // the newer word.
        if (data.hasBlock && Layout(chosen) != Layout(data.blockText))
            warnings.push_back("The CUESHEET " + data.tagKind + " and the CUESHEET block of \"" + name
                               + "\" differ; the tag's sheet is opened.");
    } else if (data.hasBlock) {
        chosen = data.blockText;
        for (const std::string& index : data.blockOffFrame)
            warnings.push_back("The CUESHEET block of \"" + name + "\" puts " + index
                               + " between two CD frames; it opens at the frame before.");
    } else {
        reason = "it carries no cue sheet (no CUESHEET tag or block)";
        return false;
    }
    int files = 0;
    text = NameFile(chosen, name, files);
    if (files > 1)
        warnings.push_back("The sheet in \"" + name + "\" names " + std::to_string(files)
                           + " files; their FILE lines are kept as they are.");
    return true;
}

bool CEmbeddedSheet::Load(const std::string& path, CCueLineSource& source, std::vector<std::string>& warnings,
                          std::string& reason)
{
    std::string text;
    if (!Extract(path, text, warnings, reason))
        return false;
    source = CCueLineSource::FromFileText(path, std::move(text));
    return true;
}

bool CEmbeddedSheet::Save(const std::string& path, const std::string& text, const ts::SheetEncoding& encoding,
                          std::string& reason)
{
    if (!g_store) {
        reason = "sheets in audio files cannot be written here";
        return false;
    }
    std::string utf8;
    if (encoding.form != ts::FileForm::Bytes || ts::IsValidUtf8(text)) {
        utf8 = text;
    } else if (Upper(encoding.charset) == "WINDOWS-1252") {
        for (const char c : text)
            ts::AppendUtf8(ts::Windows1252ToUnicode(static_cast<unsigned char>(c)), utf8);
    } else {
        reason = "a CUESHEET tag holds UTF-8 text, and the sheet's text is "
            + (Upper(encoding.charset) == "UTF-8" ? std::string("not valid UTF-8") : "in " + encoding.charset)
            + "; save the sheet as a .cue file instead";
        return false;
    }
    std::string crlf;
    crlf.reserve(utf8.size() + utf8.size() / 16);
    for (const char c : utf8) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return g_store->Write(path, crlf, reason);
}

std::string CEmbeddedSheet::EmbedTarget(const CQuillDoc& doc, std::string& reason)
{
    if (doc.FileCount() != 1) {
        reason = "only a sheet with one FILE line can be embedded, and this one has "
            + std::to_string(doc.FileCount());
        return {};
    }
    const std::string& name = doc.File(0)->Name();
    const std::string folder = ts::FolderOf(doc.PathName());
    const std::string path = name.starts_with('/') || folder.empty() ? name : folder + "/" + name;
    if (!InAudioFile(path)) {
        reason = "\"" + name + "\" is not a FLAC, WavPack or APE file";
        return {};
    }
    return path;
}

bool CEmbeddedSheet::EmbedCommand(const CQuillDoc& doc)
{
    std::string reason;
    const std::string target = EmbedTarget(doc, reason);
    if (target.empty()) {
        ShowMessageBox("Cannot embed the sheet: " + reason + ".", kEmbedCaption, PromptButtons::Ok,
                       PromptIcon::Warning);
        return false;
    }
    int files = 0;
    const std::string text = NameFile(doc.SheetText(), ts::FileNameOf(target), files);
    if (!Save(target, text, doc.Encoding(), reason)) {
        ShowMessageBox("Cannot save \"" + target + "\": " + reason, "Error", PromptButtons::Ok, PromptIcon::Error,
                       true);
        return false;
    }
    ShowMessageBox("The sheet is embedded in \"" + target + "\".", kEmbedCaption, PromptButtons::Ok,
                   PromptIcon::Information);
    return true;
}
