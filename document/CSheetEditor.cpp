#include "document/CSheetEditor.h"

#include "document/CQuillDoc.h"
#include "model/CCueCatalog.h"
#include "model/CCueCdText.h"
#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCueLineSource.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueReader.h"
#include "model/CCueTrack.h"
#include "model/TextUtil.h"
#include "platform/CPrompts.h"

#include <algorithm>
#include <vector>

CSheetEditor::CSheetEditor(CQuillDoc& doc)
    : m_doc(doc)
{
}

bool CSheetEditor::CanInsert(ItemKind kind, CCueItem* current) const
{
    if (kind == ItemKind::File || kind == ItemKind::Comment)
        return true;
    return m_doc.CanInsert(kind, current);
}

CCueItem* CSheetEditor::Insert(ItemKind kind, CCueItem* current, std::optional<CCueTime> at)
{
    if (kind == ItemKind::Track)
        return InsertTrack(current, at);
    if (kind == ItemKind::Index)
        return InsertIndex(current, at);

    const CQuillDoc::Placement p = m_doc.PlacementQuery(kind, current);
    if (!p.allowed)
        return nullptr;
    const CCueTime twoSeconds = CCueTime::FromMsf(0, 2, 0);
    std::unique_ptr<CCueItem> item;
    switch (kind) {
    case ItemKind::Pregap:
        item = std::make_unique<CCuePregap>(&m_doc, p.track, twoSeconds);
        break;
    case ItemKind::Postgap:
        item = std::make_unique<CCuePostgap>(&m_doc, p.track, twoSeconds);
        break;
    case ItemKind::Isrc: {
        auto isrc = std::make_unique<CCueIsrc>(&m_doc, p.track);
        isrc->SetCode("ABCDE1234567");
        item = std::move(isrc);
        break;
    }
    case ItemKind::Flags:
        item = std::make_unique<CCueFlags>(&m_doc, p.track);
        break;
    case ItemKind::Catalog: {
        auto catalog = std::make_unique<CCueCatalog>(&m_doc);
        catalog->SetNumber("1234567890123");
        item = std::move(catalog);
        break;
    }
    case ItemKind::CdText:
        item = std::make_unique<CCueCdText>(&m_doc, "TITLE", std::string("\"") + kNewTitle + '"');
        break;
    case ItemKind::Comment: {
        auto comment = std::make_unique<CCueComment>(&m_doc);
        comment->SetComment(kNewComment);
        item = std::move(comment);
        break;
    }
    default:
        return nullptr;
    }
    CCueItem* added = item.get();
    if (kind == ItemKind::Catalog)
        m_doc.InsertTopLevel(std::move(item), nullptr);
    else if (p.track)
        p.track->InsertChild(std::move(item), p.anchor);
    else if (p.file)
        p.file->InsertChild(std::move(item), p.anchor);
    else
        m_doc.InsertTopLevel(std::move(item), p.anchor);
    return added;
}

CCueItem* CSheetEditor::InsertTrack(CCueItem* current, std::optional<CCueTime> at)
{
    const CQuillDoc::Placement p = m_doc.PlacementQuery(ItemKind::Track, current);
    if (!p.allowed || !p.file)
        return nullptr;
    CCueTrack* track = p.file->AddTrack(p.anchor);
    if (at) {
        const CCueTime position = *at;
        bool taken = false;
        for (int i = 0; i < p.file->TrackCount(); ++i) {
            const CCueTrack* other = p.file->Track(i);
            if (other != track && other->WithinOwnRange(position))
                taken = true;
        }
        if (!taken && track->Index(0))
            track->Index(0)->SetTime(position);
    }
    return track;
}

CCueItem* CSheetEditor::InsertIndex(CCueItem* current, std::optional<CCueTime> at)
{
    const CQuillDoc::Placement p = m_doc.PlacementQuery(ItemKind::Index, current);
    if (!p.allowed || !p.track)
        return nullptr;
    CCueTrack* track = p.track;

    // Whether the time lies between the neighbouring tracks.
    bool fits = false;
    CCueTime position;
    if (at) {
        position = *at;
        fits = true;
        const CCueFile* file = track->File();
        const int k = file ? file->PositionOfTrack(track) : -1;
        if (const CCueTrack* next = file ? file->Track(k + 1) : nullptr)
            fits = next->IndexCount() > 0 && CCueTime::Compare(position, next->Index(0)->Time()) <= 0;
        if (fits && k > 0) {
            const CCueTrack* previous = file->Track(k - 1);
            if (previous->IndexCount() > 0)
                fits = CCueTime::Compare(position, previous->LastIndexTime()) > 0;
        }
    }

    const ItemKind currentKind = current ? current->Kind() : ItemKind::None;
    if (currentKind == ItemKind::Track || currentKind == ItemKind::Postgap) {
        // Appended: the time is set before relayout sorts, so the new index
        // stays last and the others keep their numbers and times.
        const CCueTime last = track->IndexCount() > 0 ? track->LastIndexTime() : track->PreviousEnd();
        const bool after = fits && CCueTime::Compare(position, last) >= 0;
        return track->AddIndex(p.anchor, after ? &position : &last);
    }

    const CCueTime start = p.anchor && p.anchor->Kind() == ItemKind::Index
        ? static_cast<const CCueIndex*>(p.anchor)->Time()
        : CCueTime();
    // A time that fits is the index's from the start: the relayout of the
    // insert numbers the track's indexes by their times, and a passing
    // time beside the INDEX 00 would make the new index the track's first.
    CCueIndex* index = track->AddIndex(p.anchor, fits ? &position : &start);
    if (!fits) {
        // The neighbour's time: the index that follows, else the one before.
        const int place = track->PositionOfIndex(index);
        if (const CCueIndex* following = track->Index(place + 1))
            index->SetTime(following->Time());
        else if (const CCueIndex* before = track->Index(place - 1))
            index->SetTime(before->Time());
    }
    return index;
}

CCueItem* CSheetEditor::AddPath(const std::string& path, CCueItem* current, bool& stop)
{
    stop = false;
    if (ts::EqualsNoCase(ts::PathExtension(path), ".cda")) {
        const PromptAnswer answer = ShowMessageBox(
            path + " is a 'CD Audio' file.\nNormally these files are not added to cuesheets.  Instead,\n"
                   "they are used with CDRWIN's \"Copy Disc\" button, and you do\n"
                   "not have to create a cuesheet at all for these files.\n\n"
                   "Do you still want to insert this .cda file?",
            "CDA File Warning", PromptButtons::YesNo, PromptIcon::Warning, true);
        if (answer != PromptAnswer::Yes) {
            stop = true;
            return nullptr;
        }
    }
    const CQuillDoc::Placement p = m_doc.PlacementQuery(ItemKind::File, current);
    return m_doc.InsertFileByPath(path, p.anchor);
}

bool CSheetEditor::CanDelete(const CCueItem* item)
{
    if (!item)
        return false;
    if (item->Kind() == ItemKind::Track) {
        const CCueFile* file = static_cast<const CCueTrack*>(item)->File();
        return file && file->TrackCount() > 1;
    }
    if (item->Kind() == ItemKind::Index) {
        const auto* index = static_cast<const CCueIndex*>(item);
        const CCueTrack* track = index->Track();
        if (index->Number() == 0 || !track)
            return true;
        // A continuation goes with its last index, unless it holds more.
        if (track->IsContinuation())
            return track->IndexCount() > 1 || track->ChildCount() == 1;
        const bool firstIsZero = track->Index(0) && track->Index(0)->Number() == 0;
        return firstIsZero ? track->IndexCount() > 2 : track->IndexCount() > 1;
    }
    return true;
}

namespace {

// The indexes that are the only index of their track (its continuations
// in the files after it counted in) and numbered 00.
std::vector<CCueIndex*> LoneIndexZeros(const CQuillDoc& doc)
{
    std::vector<CCueIndex*> lone;
    std::vector<CCueIndex*> group;
    auto close = [&] {
        if (group.size() == 1 && group.front()->Number() == 0)
            lone.push_back(group.front());
        group.clear();
    };
    for (int f = 0; f < doc.FileCount(); ++f) {
        const CCueFile* file = doc.File(f);
        for (int t = 0; t < file->TrackCount(); ++t) {
            const CCueTrack* track = file->Track(t);
            if (!track->IsContinuation())
                close();
            for (int i = 0; i < track->IndexCount(); ++i)
                group.push_back(track->Index(i));
        }
    }
    close();
    return lone;
}

} // namespace

CCueItem* CSheetEditor::Delete(CCueItem* item, int line)
{
    if (!item)
        return nullptr;
    // A track read with only its INDEX 00 keeps it; a track whose INDEX 01
    // the user deletes keeps a start: the INDEX 00 left alone becomes 01.
    const std::vector<CCueIndex*> loneBefore = LoneIndexZeros(m_doc);
    if (item->Kind() == ItemKind::File)
        m_doc.RemoveTopLevel(item);
    else if (item->Kind() == ItemKind::Track && item->OwningFile())
        item->OwningFile()->RemoveChild(item);
    else if (CCueTrack* track = item->OwningTrack(); track && track->PositionOf(item) >= 0) {
        track->RemoveChild(item);
        // A continuation left empty has nothing to continue.
        if (track->IsContinuation() && track->ChildCount() == 0 && track->File())
            track->File()->RemoveChild(track);
    }
    else if (CCueFile* file = item->OwningFile(); file && file->PositionOf(item) >= 0)
        file->RemoveChild(item);
    else
        m_doc.RemoveTopLevel(item);
    for (CCueIndex* index : LoneIndexZeros(m_doc)) {
        if (std::find(loneBefore.begin(), loneBefore.end(), index) == loneBefore.end())
            index->SetNumber(1);
    }
    if (CCueItem* hint = m_doc.Line(line))
        return hint;
    return m_doc.Line(line - 1);
}

CueReadResult CSheetEditor::Paste(const std::string& text, CCueItem* current)
{
    CCueLineSource source = CCueLineSource::FromText(text);
    return CCueReader::Read(source, m_doc, current);
}
