#include "model/CCueReader.h"

#include "model/CCueCatalog.h"
#include "model/CCueCdText.h"
#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCueLine.h"
#include "model/CCueLineSource.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueTrack.h"
#include "model/CCueUnknown.h"
#include "model/ICueSheet.h"
#include "model/TextUtil.h"
#include "platform/Trace.h"

#include <memory>

namespace {

// The state of one read.
class CReadPass
{
public:
    CReadPass(ICueSheet& sheet, const CuePlacement& placement, bool wholeFile, CueReadResult& result)
        : m_doc(sheet)
        , m_file(placement.file)
        , m_track(placement.track)
        , m_anchor(placement.anchor)
        , m_topAnchor(placement.anchor)
        , m_wholeFile(wholeFile)
        , m_result(result)
    {
    }

    // False when a structure check failed and the read must stop.
    bool HandleLine(const CCueLine& line);
    CCueItem* FirstNew() const { return m_firstNew; }

private:
    // Keeps the error that stops the read, on the line being read.
    bool Fail(const CCueLine& line, const char* message);
    void Added(CCueItem* item);
    bool ReadFile(const CCueLine& line);
    bool ReadTrack(const CCueLine& line);
    // The track a track-level line goes to: the current one, else a
    // continuation of the track before, made when a FILE line was not yet
    // followed by a TRACK line. Null when there is none.
    CCueTrack* TrackForChild();
    // A line that fails to parse is kept as read, even where one of its
    // kind is already taken; duplicate, when not null, refuses a line that
    // parses.
    template <class Item>
    bool ReadTrackChild(const CCueLine& line, const char* duplicate = nullptr);
    // Comments, CD-TEXT and unknown lines hang where they stand: in the
    // current track, else the current file, else at the top level.
    void Hang(std::unique_ptr<CCueItem> item);
    template <class Item>
    void ReadFreeLine(const CCueLine& line);
    void KeepUnknown(const CCueLine& line, CCueItem* parent);
    bool ReadCatalog(const CCueLine& line);

    ICueSheet& m_doc;
    CCueFile* m_file;
    CCueTrack* m_track;
    CCueTrack* m_continues = nullptr; // the track a new FILE's first lines continue
    CCueItem* m_anchor;
    // Where top-level lines go: every one of a paste before the same item,
    // in the order read, so that none lands after the FILEs that follow.
    CCueItem* m_topAnchor;
    CCueItem* m_firstNew = nullptr;
    bool m_wholeFile;          // a sheet file read into an empty sheet
    bool m_warnedZero = false; // TRACK 00 was reported
    bool m_sawFile = false;    // a FILE line was read, even a broken one
    CueReadResult& m_result;
};

std::string TraceText(const CCueItem& item)
{
    switch (item.Kind()) {
    case ItemKind::File:
        return "Got new file " + static_cast<const CCueFile&>(item).Name();
    case ItemKind::Track:
        return ts::Format("Got new track %d", static_cast<const CCueTrack&>(item).Number());
    case ItemKind::Pregap:
        return "Got Pregap";
    case ItemKind::Index:
        return ts::Format("Got new index %d", static_cast<const CCueIndex&>(item).Number());
    case ItemKind::Postgap:
        return "Got Postgap";
    case ItemKind::Comment:
        return "Got Comment " + item.Comment();
    case ItemKind::Catalog:
        return "Got Catalog " + static_cast<const CCueCatalog&>(item).Number();
    case ItemKind::Isrc:
        return "Got ISRC";
    case ItemKind::Flags:
        return "Got FLAGS";
    case ItemKind::CdText:
        return "Got " + static_cast<const CCueCdText&>(item).Keyword();
    case ItemKind::Unknown:
        return "Kept unknown line";
    case ItemKind::None:
        break;
    }
    return {};
}

bool CReadPass::Fail(const CCueLine& line, const char* message)
{
    m_result.stop = CCueMessage{line.Number(), CueSeverity::Error, message};
    return false;
}

void CReadPass::Added(CCueItem* item)
{
    if (!m_firstNew)
        m_firstNew = item;
    if (ts::TraceEnabled())
        ts::Trace(TraceText(*item));
}

bool CReadPass::ReadFile(const CCueLine& line)
{
    // A FILE line does not end the track: index lines before the next
    // TRACK continue it, across any FILE lines that hold no track.
    CCueTrack* carried = m_track ? m_track : m_continues;
    m_track = nullptr;
    m_continues = nullptr;
    m_sawFile = true;
    auto file = std::make_unique<CCueFile>(&m_doc);
    m_file = file.get();
    if (!file->Parse(line, m_result.messages)) {
        // Lines after a broken FILE must not land in the previous file;
        // the line itself is kept.
        m_file = nullptr;
        KeepUnknown(line, nullptr);
        return true;
    }
    CCueFile* added = file.get();
    m_doc.InsertTopLevel(std::move(file), m_topAnchor);
    // Track lines before the first TRACK continue the last track of the
    // file before this one, wherever the file went.
    if (const CCueFile* before = m_doc.File(m_doc.PositionOfFile(added) - 1); before && before->TrackCount() > 0)
        m_continues = before->Track(before->TrackCount() - 1);
    else
        m_continues = carried;
    Added(added);
    return true;
}

bool CReadPass::ReadTrack(const CCueLine& line)
{
    if (!m_file && (!m_wholeFile || m_sawFile))
        return Fail(line, "Track with no file");
    if (!m_file) {
        // DJ software and chapter tools write tracks before any FILE line:
        // they go under a file not named yet, which writes no line.
        auto unnamed = std::make_unique<CCueFile>(&m_doc, std::string());
        unnamed->SetType(FileType::Wave); // what such programs play
        m_file = unnamed.get();
        m_doc.InsertTopLevel(std::move(unnamed), m_anchor);
        Added(m_file);
    }
    auto track = std::make_unique<CCueTrack>(&m_doc, m_file);
    m_track = track.get();
    if (!track->Parse(line, m_result.messages)) {
        // Lines after a broken TRACK must not land in the previous track;
        // the line itself is kept.
        m_track = nullptr;
        m_continues = nullptr;
        KeepUnknown(line, m_file);
        return true;
    }
    CCueTrack* added = track.get();
    m_file->InsertChild(std::move(track), m_anchor);
    Added(added);
    if (added->Number() == 0 && !m_warnedZero) {
        // Chapter tools count from 0; relayout numbers from 01 as always.
        m_warnedZero = true;
        m_result.messages.push_back(
            {line.Number(), CueSeverity::Warning, "TRACK 00 read; the tracks are numbered from 01"});
    }
    return true;
}

CCueTrack* CReadPass::TrackForChild()
{
    if (m_track || !m_file || !m_continues)
        return m_track;
    auto continuation = std::make_unique<CCueTrack>(&m_doc, m_file, m_continues->Type(), m_continues->Number());
    continuation->SetContinuation(true);
    m_track = continuation.get();
    m_file->InsertChild(std::move(continuation), m_anchor);
    m_anchor = nullptr;
    return m_track;
}

template <class Item>
bool CReadPass::ReadTrackChild(const CCueLine& line, const char* duplicate)
{
    auto item = std::make_unique<Item>(&m_doc, m_track);
    if (!item->Parse(line, m_result.messages)) {
        // Reported; the line is kept as it was.
        KeepUnknown(line, m_track);
        return true;
    }
    if (duplicate)
        return Fail(line, duplicate);
    Item* added = item.get();
    m_track->InsertChild(std::move(item), m_anchor);
    Added(added);
    return true;
}

void CReadPass::Hang(std::unique_ptr<CCueItem> item)
{
    CCueItem* added = item.get();
    if (m_track)
        m_track->InsertChild(std::move(item), m_anchor);
    else if (m_file)
        m_file->InsertChild(std::move(item), m_anchor);
    else
        m_doc.InsertTopLevel(std::move(item), m_topAnchor);
    Added(added);
}

template <class Item>
void CReadPass::ReadFreeLine(const CCueLine& line)
{
    auto item = std::make_unique<Item>(&m_doc);
    if (item->Parse(line, m_result.messages))
        Hang(std::move(item));
}

void CReadPass::KeepUnknown(const CCueLine& line, CCueItem* parent)
{
    auto item = std::make_unique<CCueUnknown>(&m_doc);
    item->Parse(line, m_result.messages);
    CCueItem* added = item.get();
    if (parent)
        parent->InsertChild(std::move(item), m_anchor);
    else
        m_doc.InsertTopLevel(std::move(item), m_topAnchor);
    Added(added);
}

bool CReadPass::ReadCatalog(const CCueLine& line)
{
    auto catalog = std::make_unique<CCueCatalog>(&m_doc);
    if (!catalog->Parse(line, m_result.messages)) {
        // Reported; the line is kept as it was, where it stands.
        KeepUnknown(line, m_track ? static_cast<CCueItem*>(m_track) : m_file);
        return true;
    }
    if (m_doc.HasCatalog())
        return Fail(line, "Only one Catalog allowed");
    CCueCatalog* added = catalog.get();
    m_doc.InsertTopLevel(std::move(catalog), m_topAnchor);
    Added(added);
    return true;
}

bool CReadPass::HandleLine(const CCueLine& line)
{
    bool ok = true;
    switch (line.Kind()) {
    case ItemKind::File:
        ok = ReadFile(line);
        break;
    case ItemKind::Track:
        ok = ReadTrack(line);
        break;
    case ItemKind::Pregap:
        if (!TrackForChild())
            ok = Fail(line, "Pregap with no track");
        else
            ok = ReadTrackChild<CCuePregap>(line, m_track->Pregap() ? "Only one Pregap allowed per track" : nullptr);
        break;
    case ItemKind::Index:
        if (!TrackForChild())
            ok = Fail(line, "Index with no track");
        else
            ok = ReadTrackChild<CCueIndex>(line);
        break;
    case ItemKind::Postgap:
        if (!TrackForChild())
            ok = Fail(line, "Postgap with no track");
        else
            ok = ReadTrackChild<CCuePostgap>(line, m_track->Postgap() ? "Only one Postgap allowed per track" : nullptr);
        break;
    case ItemKind::Comment:
        ReadFreeLine<CCueComment>(line);
        break;
    case ItemKind::CdText:
        ReadFreeLine<CCueCdText>(line);
        break;
    case ItemKind::Catalog:
        ok = ReadCatalog(line);
        break;
    case ItemKind::Isrc:
        if (!m_track && !m_file)
            ReadFreeLine<CCueCdText>(line); // a disc's ISRC, CD-TEXT's UPC/ISRC field
        else if (!TrackForChild())
            ok = Fail(line, "ISRC with no track");
        else
            ok = ReadTrackChild<CCueIsrc>(line, m_track->Isrc() ? "Only one ISRC allowed per track" : nullptr);
        break;
    case ItemKind::Flags:
        if (!TrackForChild())
            ok = Fail(line, "FLAGS with no track");
        else
            ok = ReadTrackChild<CCueFlags>(line, m_track->Flags() ? "Only one FLAGS allowed per track" : nullptr);
        break;
    case ItemKind::Unknown:
    case ItemKind::None:
    default:
        // Reported, and kept as it was read.
        m_result.messages.push_back({line.Number(), CueSeverity::Warning, "Ignoring line"});
        KeepUnknown(line, m_track ? static_cast<CCueItem*>(m_track) : m_file);
        break;
    }
    // Only the first line's item goes before the anchor; later items are
    // appended to their parents and relayout orders them.
    m_anchor = nullptr;
    return ok;
}

} // namespace

CueReadResult CCueReader::Read(CCueLineSource& source, ICueSheet& document, CCueItem* anchor)
{
    CueReadResult result;
    if (source.IsFile() && !source.IsLoaded() && !source.Load()) {
        result.stop = CCueMessage{0, CueSeverity::Unreadable,
                                  "Cannot open \"" + source.FileName() + "\": " + source.LoadError()};
        return result;
    }

    CCueLine line;
    CuePlacement placement;
    // A sheet file may start with its first TRACK; it goes under a file
    // not named yet. It may also start with the disc's ISRC, read as
    // CD-TEXT as it is anywhere before the first FILE.
    const bool wholeFile = source.IsFile() && !anchor && document.TopLevelCount() == 0;
    const bool fits = source.GetLine(0, line) && line.Tokenize()
        && ((placement = document.PlacementQuery(line.Kind(), anchor)).allowed
            || (wholeFile && (line.Kind() == ItemKind::Track || line.Kind() == ItemKind::Isrc)));
    if (!fits) {
        result.messages.push_back({0, CueSeverity::Error,
                                   source.IsFile()
                                       ? "The file " + source.FileName() + "\ndoes not appear to be a cue sheet"
                                       : "The contents of the clipboard cannot be inserted here"});
        return result;
    }

    CReadPass pass(document, placement, wholeFile, result);
    document.BeginBatchMode();
    if (source.HadBadUnits())
        result.messages.push_back({0, CueSeverity::Warning, "The file holds malformed wide text, read as U+FFFD"});
    bool completed = true;
    for (int i = 0; source.GetLine(i, line); ++i) {
        const auto number = static_cast<unsigned>(i) + 1;
        line.SetNumber(number);
        if (source.HasNul(i))
            result.messages.push_back({number, CueSeverity::Warning, "NUL byte read as a blank"});
        line.Tokenize();
        // Each keyword of a line that holds several is read as a line of
        // its own, so none of them is lost.
        for (std::size_t second; (second = line.SecondKeyword()) != std::string::npos;) {
            CCueLine first;
            first.SetNumber(number);
            first.Text() = line.Text().substr(0, second);
            while (!first.Text().empty() && first.Text().back() == ' ')
                first.Text().pop_back();
            first.Tokenize();
            if (!pass.HandleLine(first)) {
                completed = false;
                break;
            }
            line.Text().erase(0, second);
            line.Tokenize();
        }
        if (!completed || !pass.HandleLine(line)) {
            completed = false;
            break;
        }
    }
    document.EndBatchMode();
    if (!completed)
        return result;
    if (source.IsFile())
        document.ChangeHook(false, false);
    result.first = pass.FirstNew();
    return result;
}
