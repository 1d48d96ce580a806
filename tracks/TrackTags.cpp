#include "tracks/TrackTags.h"

#include "document/CQuillDoc.h"
#include "model/CCueCatalog.h"
#include "model/CCueCdText.h"
#include "model/CCueFile.h"
#include "model/CCueIsrc.h"
#include "model/CCueTrack.h"

#include <cctype>

namespace {

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Trim(const std::string& text)
{
    std::size_t from = 0;
    std::size_t to = text.size();
    while (from < to && std::isspace(static_cast<unsigned char>(text[from])))
        ++from;
    while (to > from && std::isspace(static_cast<unsigned char>(text[to - 1])))
        --to;
    return text.substr(from, to - from);
}

// The CD-TEXT keywords that become tags; the others (ARRANGER, MESSAGE,
// DISC_ID, ...) have no common tag.
void TakeCdText(const CCueCdText& item, TrackTags& tags)
{
    const std::string keyword = Upper(item.Keyword());
    const std::string text(item.Text());
    if (keyword == "TITLE")
        tags.title = text;
    else if (keyword == "PERFORMER")
        tags.performer = text;
    else if (keyword == "SONGWRITER")
        tags.songwriter = text;
    else if (keyword == "COMPOSER")
        tags.composer = text;
    else if (keyword == "GENRE")
        tags.genre = text;
}

// A CD-TEXT GENRE wins over REM GENRE, whichever comes first.
void TakeItem(const CCueItem& item, TrackTags& tags, SheetTags* disc, bool& cdTextGenre)
{
    switch (item.Kind()) {
    case ItemKind::CdText: {
        const auto& cdText = static_cast<const CCueCdText&>(item);
        TakeCdText(cdText, tags);
        if (Upper(cdText.Keyword()) == "GENRE")
            cdTextGenre = true;
        break;
    }
    case ItemKind::Isrc:
        tags.isrc = static_cast<const CCueIsrc&>(item).Code();
        break;
    case ItemKind::Catalog:
        if (disc)
            disc->catalog = static_cast<const CCueCatalog&>(item).Number();
        break;
    case ItemKind::Comment: {
        std::string word;
        std::string value;
        if (!ts::ParseRemTag(item.Comment(), word, value))
            break;
        if (word == "GENRE" && !cdTextGenre)
            tags.genre = value;
        else if (disc && word == "DATE")
            disc->date = value;
        else if (disc && word == "DISCNUMBER")
            disc->discNumber = value;
        else if (disc && word == "TOTALDISCS")
            disc->totalDiscs = value;
        break;
    }
    default:
        break;
    }
}

} // namespace

bool ts::ParseRemTag(const std::string& comment, std::string& word, std::string& value)
{
    const std::string text = Trim(comment);
    if (text.size() < 4 || Upper(text.substr(0, 3)) != "REM" || !std::isspace(static_cast<unsigned char>(text[3])))
        return false;
    const std::string rest = Trim(text.substr(3));
    std::size_t end = 0;
    while (end < rest.size() && !std::isspace(static_cast<unsigned char>(rest[end])))
        ++end;
    if (end == 0)
        return false;
    word = Upper(rest.substr(0, end));
    value = Trim(rest.substr(end));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return true;
}

SheetTags ts::GatherTags(const CQuillDoc& document)
{
    SheetTags sheet;
    bool discGenre = false;
    for (int i = 0; i < document.TopLevelCount(); ++i) {
        const CCueItem* item = document.TopLevelItem(i);
        if (item->Kind() != ItemKind::File) {
            TakeItem(*item, sheet.disc, &sheet, discGenre);
            continue;
        }
        const auto* file = static_cast<const CCueFile*>(item);
        for (int t = 0; t < file->TrackCount(); ++t) {
            const CCueTrack* track = file->Track(t);
            if (track->IsContinuation() && !sheet.tracks.empty())
                continue;
            TrackTags tags;
            bool trackGenre = false;
            for (int c = 0; c < track->ChildCount(); ++c)
                TakeItem(*track->Child(c), tags, nullptr, trackGenre);
            sheet.tracks.push_back(std::move(tags));
        }
    }
    return sheet;
}
