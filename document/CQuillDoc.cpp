#include "document/CQuillDoc.h"

#include "document/CCueMessageBox.h"
#include "document/CEmbeddedSheet.h"
#include "model/CCueCatalog.h"
#include "model/CCueCdText.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueLineSource.h"
#include "model/CCuePostgap.h"
#include "model/CCueReader.h"
#include "model/CCueTextWriter.h"
#include "model/CCueTrack.h"
#include "model/CueLineText.h"
#include "platform/FileUtil.h"
#include "platform/ShortPath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

// The catalog and the disc's ISRC come before every FILE: after one they
// would read back as lines of that file (the ISRC as its track's).
bool PrecedesEveryFile(const CCueItem& item)
{
    if (item.Kind() == ItemKind::Catalog)
        return true;
    if (item.Kind() != ItemKind::CdText)
        return false;
    std::string keyword;
    for (char c : static_cast<const CCueCdText&>(item).Keyword())
        keyword += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return keyword == "ISRC";
}

// The lines of an item and its subtree.
std::size_t CountLines(const CCueItem& item)
{
    std::size_t lines = 1;
    for (int i = 0; i < item.ChildCount(); ++i)
        lines += CountLines(*item.Child(i));
    return lines;
}

bool EqualPathsNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

CQuillDoc::CQuillDoc()
{
    SetTitle(DefaultTitle());
}

CQuillDoc::~CQuillDoc()
{
    KeepAllForSnapshots();
}

CCueItem* CQuillDoc::TopLevelItem(int i) const
{
    if (i < 0 || i >= TopLevelCount())
        return nullptr;
    return m_topLevel[static_cast<std::size_t>(i)].get();
}

int CQuillDoc::PositionOfTopLevel(const CCueItem* item) const
{
    for (std::size_t i = 0; i < m_topLevel.size(); ++i) {
        if (m_topLevel[i].get() == item)
            return static_cast<int>(i);
    }
    return -1;
}

CCueFile* CQuillDoc::File(int i) const
{
    if (i < 0 || i >= FileCount())
        return nullptr;
    return m_files[static_cast<std::size_t>(i)];
}

int CQuillDoc::PositionOfFile(const CCueFile* file) const
{
    const auto it = std::find(m_files.begin(), m_files.end(), file);
    return it == m_files.end() ? -1 : static_cast<int>(it - m_files.begin());
}

CCueItem* CQuillDoc::Line(int i) const
{
    if (i < 0 || i >= LineCount())
        return nullptr;
    return m_lines[static_cast<std::size_t>(i)];
}

int CQuillDoc::LineOf(const CCueItem* item) const
{
    const auto it = std::find(m_lines.begin(), m_lines.end(), item);
    return it == m_lines.end() ? -1 : static_cast<int>(it - m_lines.begin());
}

bool CQuillDoc::HasFileNamed(const std::string& name) const
{
    return std::any_of(m_files.begin(), m_files.end(), [&](const CCueFile* f) { return f->Name() == name; });
}

void CQuillDoc::ChangeHook(bool modified, bool relayout)
{
    if (modified && !m_relayoutRunning)
        ++m_changeCount;
    SetModifiedFlag(modified);
    if (!relayout)
        return;
    if (m_batchMode)
        m_relayoutPending = true;
    else
        Relayout();
}

void CQuillDoc::BeginBatchMode()
{
    m_batchMode = true;
    m_relayoutPending = false;
}

void CQuillDoc::EndBatchMode()
{
    m_batchMode = false;
    if (m_relayoutPending)
        ChangeHook(true, true);
    m_relayoutPending = false;
}

void CQuillDoc::InsertTopLevel(std::unique_ptr<CCueItem> item, CCueItem* before)
{
    if (item->Kind() == ItemKind::File) {
        // A FILE put above the catalog or the disc's ISRC goes right after
        // the last of them instead.
        std::size_t headerEnd = 0;
        for (std::size_t i = 0; i < m_topLevel.size(); ++i) {
            if (PrecedesEveryFile(*m_topLevel[i]))
                headerEnd = i + 1;
        }
        if (const int wanted = before ? PositionOfTopLevel(before) : -1;
            wanted >= 0 && static_cast<std::size_t>(wanted) < headerEnd)
            before = headerEnd < m_topLevel.size() ? m_topLevel[headerEnd].get() : nullptr;
        // Appended, it follows every file (the list mirrors the top level).
        const int at = before ? PositionOfTopLevel(before) : -1;
        std::size_t slot = m_files.size();
        if (at >= 0) {
            slot = 0;
            for (std::size_t i = 0; i < static_cast<std::size_t>(at); ++i) {
                if (m_topLevel[i]->Kind() == ItemKind::File)
                    ++slot;
            }
        }
        m_files.insert(m_files.begin() + static_cast<std::ptrdiff_t>(slot), static_cast<CCueFile*>(item.get()));
    } else if (item->Kind() == ItemKind::Catalog) {
        // The catalog stays where it is put among the disc's lines, but never
        // after a FILE: there it would read back as part of that file.
        const auto firstFile = std::find_if(m_topLevel.begin(), m_topLevel.end(),
                                            [](const auto& i) { return i->Kind() == ItemKind::File; });
        const int at = before ? PositionOfTopLevel(before) : -1;
        if (firstFile != m_topLevel.end() && (at < 0 || at > firstFile - m_topLevel.begin()))
            before = firstFile->get();
        m_catalog = static_cast<CCueCatalog*>(item.get());
    }
    // A new item may stand at the address of one gone before.
    m_laidOut.erase(item.get());
    const int at = before ? PositionOfTopLevel(before) : -1;
    if (at < 0)
        m_topLevel.push_back(std::move(item));
    else
        m_topLevel.insert(m_topLevel.begin() + at, std::move(item));
    ChangeHook(true, true);
}

void CQuillDoc::RemoveTopLevel(CCueItem* item)
{
    const int at = PositionOfTopLevel(item);
    if (at < 0)
        return;
    if (item->Kind() == ItemKind::File)
        std::erase(m_files, static_cast<CCueFile*>(item));
    if (item == m_catalog)
        m_catalog = nullptr;
    {
        std::unique_ptr<CCueItem> gone = std::move(m_topLevel[static_cast<std::size_t>(at)]);
        m_topLevel.erase(m_topLevel.begin() + at);
        // Another item may be made at its address.
        KeepForSnapshots(item);
        m_laidOut.erase(item);
        // The line list must not point at the destroyed subtree, even for a
        // moment; relayout below rebuilds it.
        m_lines.clear();
    }
    ChangeHook(true, true);
}

std::string CQuillDoc::NameForPath(const std::string& path) const
{
    if (PathName().empty())
        return path;
    // A file in the sheet's folder or below it goes by its path from there,
    // as rippers write it, so that the sheet and its files can move
    // together.
    const std::filesystem::path folder = std::filesystem::path(ts::FolderOf(PathName())).lexically_normal();
    const std::filesystem::path file = std::filesystem::path(path).lexically_normal();
    if (!file.is_absolute() || !folder.is_absolute())
        return path;
    const std::filesystem::path relative = file.lexically_relative(folder);
    return relative.empty() || *relative.begin() == ".." ? path : relative.string();
}

CCueFile* CQuillDoc::InsertFileByPath(const std::string& path, CCueItem* before)
{
    if (!ts::HasShortNames()) {
        std::string name = NameForPath(path);
        if (m_nameEncoder) {
            std::string encoded;
            if (!m_nameEncoder(name, encoded)) {
                ShowMessageBox("The file name\n" + path + "\ncannot be written in this cue sheet: the sheet's encoding, "
                                   + m_encoding.charset + ", cannot hold its characters.",
                               "File not inserted", PromptButtons::Ok, PromptIcon::Error, true);
                return nullptr;
            }
            name = std::move(encoded);
        }
        if (HasFileNamed(path) || HasFileNamed(name))
            return nullptr;
        if (ts::FileNameForm(name) == ts::NameForm::Impossible) {
            ShowMessageBox("The file name\n" + path + "\ncannot be written in a cue sheet: " + ts::FileNameProblem(name)
                               + "\n\nPlease rename the file.",
                           "File not inserted", PromptButtons::Ok, PromptIcon::Error, true);
            return nullptr;
        }
        auto file = std::make_unique<CCueFile>(this, name);
        CCueFile* added = file.get();
        InsertTopLevel(std::move(file), before);
        added->AddTrack(nullptr);
        ChangeHook(true, true);
        return added;
    }
    if (HasFileNamed(path))
        return nullptr;
    std::string shortPath;
    if (!ts::ShortPathName(path, shortPath)) {
        ShowMessageBox("The file " + path
                           + "\nhas a long filename, which CDRWIN does not support.\n"
                             "Tracksmith tried to get the equivalent short filename, but\n"
                             "the disk volume on which this file resides does not support 8.3 aliases.\n\n"
                             "Please rename the file and each subdirectory in its path to use short filenames.",
                       "File not inserted", PromptButtons::Ok, PromptIcon::Error, true);
        return nullptr;
    }
    auto file = std::make_unique<CCueFile>(this, shortPath);
    CCueFile* added = file.get();
    if (!EqualPathsNoCase(shortPath, path))
        added->SetComment(path);
    InsertTopLevel(std::move(file), before);
    added->AddTrack(nullptr);
    ChangeHook(true, true);
    return added;
}

void CQuillDoc::Relayout()
{
    if (m_relayoutRunning)
        return; // renumbering inside relayout calls the change hook again
    m_relayoutRunning = true;
    m_lines.clear();
    // A FILE that did not change since the last relayout, with the same
    // number and track before it, is sorted and numbered as it stands: it
    // is skipped. Any change of it (or of its order) forgets what it made.
    std::vector<char> sorted(m_files.size(), 0);
    std::vector<LaidOut> made(m_files.size());
    int number = 1;
    const CCueTrack* previous = nullptr;
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        CCueFile* file = m_files[i];
        LaidOut& laid = made[i];
        laid.firstNumber = number;
        laid.previousNumber = previous ? previous->Number() : -1;
        const auto known = m_laidOut.find(file);
        if (known != m_laidOut.end() && known->second.firstNumber == laid.firstNumber
            && known->second.previousNumber == laid.previousNumber) {
            number = known->second.nextNumber;
        } else {
            sorted[i] = 1;
            number = file->SortTracks(number, previous);
            StartAtZero(*file);
        }
        laid.nextNumber = number;
        if (file->TrackCount() > 0)
            previous = file->Track(file->TrackCount() - 1);
    }
    NumberIndexes(sorted);

    // The lines of an unchanged item are copied from the last list; the
    // others are laid out anew.
    std::vector<CCueItem*> lines;
    lines.reserve(m_laidLines.size() + 16);
    std::unordered_map<const CCueItem*, LaidOut> laidOut;
    laidOut.reserve(m_topLevel.size());
    std::size_t fileAt = 0;
    for (const auto& item : m_topLevel) {
        LaidOut laid;
        if (item->Kind() == ItemKind::File && fileAt < made.size() && m_files[fileAt] == item.get())
            laid = made[fileAt++];
        laid.lineStart = lines.size();
        const auto known = m_laidOut.find(item.get());
        if (known != m_laidOut.end() && known->second.lineStart + known->second.lineCount <= m_laidLines.size()) {
            const auto from = m_laidLines.begin() + static_cast<std::ptrdiff_t>(known->second.lineStart);
            lines.insert(lines.end(), from, from + static_cast<std::ptrdiff_t>(known->second.lineCount));
        } else {
            LayOut(item.get(), lines);
        }
        laid.lineCount = lines.size() - laid.lineStart;
        laidOut.emplace(item.get(), laid);
    }
    m_laidOut = std::move(laidOut);
    m_laidLines = lines;
    m_lines = std::move(lines);
    m_relayoutRunning = false;
}

void CQuillDoc::StartAtZero(CCueFile& file)
{
    CCueTrack* first = file.Track(0);
    // A continuation carries on the track of the file before, whose times
    // it keeps as they are.
    if (!first || first->IsContinuation() || first->StartTime().Milliseconds() == 0)
        return;
    const CCueTime zero = CCueTime::FromMilliseconds(0);
    if (first->HasIndexZero()) {
        // The track's INDEX 00 beside its other indexes is the file's
        // lead-in: it moves to the start, wherever it was read, and every
        // other index keeps its time. A lone INDEX 00 keeps its time: there
        // is nothing it leads in to.
        if (first->IndexCount() < 2)
            return;
        for (int i = 0; i < first->IndexCount(); ++i) {
            if (CCueIndex* lead = first->Index(i); lead->Number() == 0) {
                lead->SetTime(zero);
                break;
            }
        }
    } else {
        first->AddIndex(first->Index(0), &zero);
    }
    first->SortIndexesByTime();
}

void CQuillDoc::NumberIndexes(const std::vector<char>& sorted)
{
    // A track and its continuations in the files after it count their
    // indexes as one track; it is numbered again when any of its parts
    // stands in a file that was sorted.
    std::vector<CCueTrack*> parts;
    bool partSorted = false;
    std::vector<const CCueIndex*> sequence;
    auto numberParts = [&] {
        if (!parts.empty() && partSorted) {
            sequence.clear();
            for (const CCueTrack* part : parts) {
                for (int i = 0; i < part->IndexCount(); ++i)
                    sequence.push_back(part->Index(i));
            }
            int next = CCueTrack::FirstIndexNumber(sequence);
            for (CCueTrack* part : parts)
                next = part->NumberIndexes(next);
        }
        parts.clear();
        partSorted = false;
    };
    for (std::size_t f = 0; f < m_files.size(); ++f) {
        const CCueFile* file = m_files[f];
        for (int i = 0; i < file->TrackCount(); ++i) {
            CCueTrack* track = file->Track(i);
            if (!track->IsContinuation())
                numberParts();
            parts.push_back(track);
            partSorted = partSorted || sorted[f] != 0;
        }
    }
    numberParts();
}

void CQuillDoc::LayOut(CCueItem* item, std::vector<CCueItem*>& lines)
{
    // A continuation has no line of its own; its children have.
    const bool continuation = item->Kind() == ItemKind::Track && static_cast<CCueTrack*>(item)->IsContinuation();
    if (!continuation)
        lines.push_back(item);
    for (int i = 0; i < item->ChildCount(); ++i)
        LayOut(item->Child(i), lines);
}

CQuillDoc::Snapshot CQuillDoc::TakeSnapshot() const
{
    Snapshot snapshot;
    snapshot.modified = IsModified();
    snapshot.items.reserve(m_topLevel.size());
    for (const auto& item : m_topLevel) {
        std::shared_ptr<HeldItem>& held = m_copies[item.get()];
        if (!held) {
            held = std::make_shared<HeldItem>();
            held->m_live = item.get();
            // Counted now, as the copy it will take when the item changes.
            const auto laid = m_laidOut.find(item.get());
            snapshot.copied += laid != m_laidOut.end() ? laid->second.lineCount : CountLines(*item);
        }
        snapshot.items.push_back(held);
    }
    return snapshot;
}

void CQuillDoc::RestoreSnapshot(const Snapshot& snapshot)
{
    // The live items that equal their held item in the snapshot are kept.
    std::unordered_map<const HeldItem*, CCueItem*> unchanged;
    for (const auto& [live, held] : m_copies)
        unchanged.emplace(held.get(), const_cast<CCueItem*>(live));
    std::unordered_map<const CCueItem*, std::unique_ptr<CCueItem>> current;
    for (auto& item : m_topLevel)
        current.emplace(item.get(), std::move(item));
    m_topLevel.clear();
    m_files.clear();
    m_catalog = nullptr;
    m_lines.clear();
    std::unordered_map<const CCueItem*, std::shared_ptr<HeldItem>> copies;
    // What relayout made of the kept items still holds.
    std::unordered_map<const CCueItem*, LaidOut> laidOut = std::move(m_laidOut);
    m_laidOut.clear();
    std::vector<const CCueItem*> reused;

    BeginBatchMode();
    for (const auto& held : snapshot.items) {
        std::unique_ptr<CCueItem> item;
        std::shared_ptr<HeldItem> heldNow = held;
        if (const auto kept = unchanged.find(held.get()); kept != unchanged.end()) {
            if (const auto live = current.find(kept->second); live != current.end()) {
                item = std::move(live->second);
                current.erase(live);
                reused.push_back(item.get());
            }
        }
        if (!item) {
            item = held->Item().Clone(nullptr, nullptr);
            item->BindSink(this);
            // A held item still read live belongs to another document (its
            // own were copied before they changed or went): the new item is
            // held anew, live.
            if (!held->m_copy) {
                heldNow = std::make_shared<HeldItem>();
                heldNow->m_live = item.get();
            }
        }
        copies.emplace(item.get(), std::move(heldNow));
        InsertTopLevel(std::move(item), nullptr);
    }
    // The items that go are copied first for the snapshots that read them.
    for (const auto& [live, item] : current)
        KeepForSnapshots(live);
    // What relayout changes below is copied and forgotten as it changes.
    m_copies = std::move(copies);
    for (const CCueItem* item : reused) {
        if (const auto laid = laidOut.find(item); laid != laidOut.end())
            m_laidOut.insert(*laid);
    }
    current.clear();
    EndBatchMode();
    ChangeHook(snapshot.modified, false);
}

void CQuillDoc::ItemChanging(const CCueItem& item)
{
    if (m_copies.empty() && m_laidOut.empty())
        return;
    const CCueItem* top = &item;
    while (top->Parent())
        top = top->Parent();
    KeepForSnapshots(top);
    m_laidOut.erase(top);
}

void CQuillDoc::KeepForSnapshots(const CCueItem* item)
{
    const auto held = m_copies.find(item);
    if (held == m_copies.end())
        return;
    // A held item that only the document refers to is read by no
    // snapshot, and goes without a copy.
    if (!held->second->m_copy && held->second.use_count() > 1) {
        held->second->m_copy = item->Clone(nullptr, nullptr);
        held->second->m_live = nullptr;
    }
    m_copies.erase(held);
}

void CQuillDoc::KeepAllForSnapshots()
{
    for (const auto& [live, held] : m_copies) {
        if (!held->m_copy && held.use_count() > 1) {
            held->m_copy = live->Clone(nullptr, nullptr);
            held->m_live = nullptr;
        }
    }
    m_copies.clear();
}

std::string CQuillDoc::SheetText() const
{
    std::string text;
    CCueTextWriter().WriteDocument(*this, text);
    return text;
}

bool CQuillDoc::OnNewDocument()
{
    m_encoding = ts::SheetEncoding();
    return CDocument::OnNewDocument();
}

bool CQuillDoc::OnOpenDocument(const std::string& path)
{
    if (!CDocument::OnOpenDocument(path))
        return false;
    m_encoding = ts::SheetEncoding();
    CCueLineSource source = CCueLineSource::FromFileName(path);
    // A FLAC, WavPack or APE file opens as the sheet it carries.
    const bool embedded = CEmbeddedSheet::InAudioFile(path);
    std::vector<std::string> warnings;
    std::string reason;
    if (embedded ? !CEmbeddedSheet::Load(path, source, warnings, reason) : !source.Load()) {
        ShowMessageBox("Cannot open \"" + path + "\": " + (embedded ? reason : source.LoadError()), "Error",
                       PromptButtons::Ok, PromptIcon::Error, true);
        return false;
    }
    m_encoding = source.Encoding();
    if (m_encodingListener)
        m_encodingListener(m_encoding);
    // An empty file is an empty sheet: what Save writes for one.
    if (source.LineCount() == 0) {
        ChangeHook(false, false);
        return true;
    }
    // The audio file's own warnings join the read's box.
    CueMessages before;
    for (const std::string& warning : warnings)
        before.push_back({0, CueSeverity::Warning, warning});
    const CueReadResult read = CCueReader::Read(source, *this, nullptr);
    CCueMessageBox::Show(read, std::move(before));
    return read.first != nullptr;
}

void CQuillDoc::SetCharset(const std::string& charset)
{
    if (m_encoding.form == ts::FileForm::Bytes && !charset.empty())
        m_encoding.charset = charset;
}

std::string CQuillDoc::SaveBytes() const
{
    const std::string text = SheetText();
    // Cue sheets have CR LF line ends on every platform.
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    std::string bytes;
    bytes.reserve(text.size() + lines);
    std::size_t from = 0;
    for (std::size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1) {
        bytes.append(text, from, end - from);
        bytes += "\r\n";
    }
    bytes.append(text, from, std::string::npos);
    if (m_encoding.form != ts::FileForm::Bytes || m_encoding.mark)
        return ts::EncodeFileBytes(bytes, m_encoding);
    return bytes;
}

bool CQuillDoc::OnSaveDocument(const std::string& path)
{
    std::string reason;
    // An audio file keeps the sheet in its tag; everything else is a .cue file.
    if (CEmbeddedSheet::InAudioFile(path) ? !CEmbeddedSheet::Save(path, SheetText(), m_encoding, reason)
                                          : !ts::WriteFileAtomically(path, SaveBytes(), reason)) {
        SetSaveError(reason);
        return false;
    }
    ChangeHook(false, false);
    return true;
}

void CQuillDoc::DeleteContents()
{
    KeepAllForSnapshots();
    m_laidOut.clear();
    m_laidLines.clear();
    m_lines.clear();
    m_files.clear();
    m_catalog = nullptr;
    m_topLevel.clear();
}

std::vector<std::pair<std::string, std::string>> CQuillDoc::SheetFilters()
{
    return {{"Cue sheets (*.cue)", "*.cue"}, {"All Files (*.*)", "*.*"}};
}

FileDialogRequest CQuillDoc::SaveAsRequest() const
{
    FileDialogRequest request = CDocument::SaveAsRequest();
    if (PathName().empty())
        request.fileName = "CueSheet.cue";
    request.filters = SheetFilters();
    return request;
}

CQuillDoc::Placement CQuillDoc::PlacementQuery(ItemKind kind, CCueItem* anchor) const
{
    Placement p;
    p.anchor = anchor;
    CCueFile* owningFile = anchor ? anchor->OwningFile() : nullptr;
    CCueTrack* owningTrack = anchor ? anchor->OwningTrack() : nullptr;
    const ItemKind anchorKind = anchor ? anchor->Kind() : ItemKind::None;

    switch (kind) {
    case ItemKind::File:
        p.allowed = true;
        if (owningFile)
            p.anchor = owningFile;
        return p;

    case ItemKind::Track:
        if (anchorKind == ItemKind::File) {
            p.file = static_cast<CCueFile*>(anchor);
            p.anchor = nullptr;
        } else if (owningFile) {
            p.file = owningFile;
            if (owningTrack)
                p.anchor = owningTrack;
            // Nothing goes before a continuation: the new track follows it.
            if (owningTrack && owningTrack->IsContinuation())
                p.anchor = owningFile->Track(owningFile->PositionOfTrack(owningTrack) + 1);
        } else {
            // Outside any file: the new track goes to the end of the file
            // above the anchor's line.
            p.anchor = nullptr;
            int line = anchor ? LineOf(anchor) : -1;
            if (line < 0)
                line = LineCount() - 1;
            for (; line >= 0 && !p.file; --line)
                p.file = Line(line)->OwningFile();
        }
        p.allowed = p.file != nullptr;
        return p;

    case ItemKind::Comment:
        p.allowed = true;
        if (anchorKind == ItemKind::Track) {
            p.file = owningFile;
        } else if (anchor && anchorKind != ItemKind::File) {
            p.file = owningFile;
            p.track = owningTrack;
        }
        return p;

    case ItemKind::CdText:
        if (owningTrack) {
            // Track level: after the TRACK line, else before the anchor.
            p.allowed = true;
            p.file = owningFile;
            p.track = owningTrack;
            p.anchor = anchorKind == ItemKind::Track ? owningTrack->Child(0) : anchor;
        } else if (!anchor || anchorKind == ItemKind::File || PositionOfTopLevel(anchor) >= 0) {
            // Disc level: among the top-level lines before the first FILE.
            p.allowed = true;
            const CCueItem* firstFile = m_files.empty() ? nullptr : m_files.front();
            if (firstFile && (!anchor || PositionOfTopLevel(anchor) > PositionOfTopLevel(firstFile)))
                p.anchor = const_cast<CCueItem*>(firstFile);
        }
        return p;

    case ItemKind::Catalog:
        p.allowed = !HasCatalog();
        if (p.allowed && !m_lines.empty()) {
            const auto it = std::find_if(m_lines.begin(), m_lines.end(),
                                         [](const CCueItem* i) { return i->Kind() != ItemKind::Comment; });
            p.anchor = it != m_lines.end() ? *it : m_lines.back();
        }
        return p;

    case ItemKind::Pregap:
    case ItemKind::Index:
    case ItemKind::Postgap:
    case ItemKind::Isrc:
    case ItemKind::Flags:
        break;
    case ItemKind::Unknown:
    case ItemKind::None:
    default:
        return p;
    }

    // The per-track kinds. A continuation holds only indexes and a
    // postgap: the rest of its track's lines stand under its TRACK line.
    if (!owningTrack)
        return p;
    if (owningTrack->IsContinuation() && kind != ItemKind::Index && kind != ItemKind::Postgap)
        return p;
    CCueTrack* track = owningTrack;
    p.file = track->File();
    p.track = track;
    switch (kind) {
    case ItemKind::Pregap:
        p.allowed = track->Pregap() == nullptr;
        p.anchor = track->Child(0);
        break;
    case ItemKind::Index:
        p.allowed = true;
        if (anchorKind == ItemKind::Track || anchorKind == ItemKind::Postgap) {
            p.anchor = static_cast<CCueItem*>(track->Postgap());
        } else if (anchorKind == ItemKind::Pregap || anchorKind == ItemKind::Isrc || anchorKind == ItemKind::Flags) {
            p.anchor = track->IndexCount() > 0 ? static_cast<CCueItem*>(track->Index(0))
                                               : static_cast<CCueItem*>(track->Postgap());
        }
        break;
    case ItemKind::Postgap:
        p.allowed = track->Postgap() == nullptr;
        p.anchor = nullptr;
        break;
    case ItemKind::Isrc:
        p.allowed = track->Isrc() == nullptr;
        p.anchor = track->Child(0);
        break;
    case ItemKind::Flags:
        p.allowed = track->Flags() == nullptr;
        p.anchor = track->Child(0);
        if (p.anchor && p.anchor->Kind() == ItemKind::Isrc)
            p.anchor = track->Child(1);
        break;
    default:
        break;
    }
    return p;
}
