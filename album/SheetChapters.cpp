#include "album/SheetChapters.h"

#include <cctype>

#include "album/AlbumTime.h"
#include "document/CQuillDoc.h"
#include "model/CCueCdText.h"
#include "model/CCueFile.h"
#include "model/CCueIndex.h"
#include "model/CCueTime.h"
#include "model/CCueTrack.h"

namespace {

std::string Upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

Micros MicrosOf(const CCueTime& time)
{
    std::uint32_t m = 0;
    std::uint32_t s = 0;
    std::uint32_t f = 0;
    if (time.Format() == TimeFormat::Msf && time.ToMsf(CCueTime::kFramesPerSecond, m, s, f))
        return ts::MicrosOfCdFrames((std::int64_t(m) * 60 + s) * CCueTime::kFramesPerSecond + f);
    return Micros(time.Milliseconds()) * 1000;
}

void TakeNames(const CCueItem& item, std::string& title, std::string& performer)
{
    if (item.Kind() != ItemKind::CdText)
        return;
    const auto& text = static_cast<const CCueCdText&>(item);
    const std::string keyword = Upper(text.Keyword());
    if (keyword == "TITLE")
        title = std::string(text.Text());
    else if (keyword == "PERFORMER")
        performer = std::string(text.Text());
}

} // namespace

bool ts::SheetChapters(const CQuillDoc& document, const AudioLength& length, bool needEnd, ChapterList& out,
                       std::string& error)
{
    out = ChapterList();
    Micros offset = 0;
    bool offsetKnown = true;
    std::string unknownFile;
    for (int i = 0; i < document.TopLevelCount(); ++i) {
        const CCueItem* item = document.TopLevelItem(i);
        if (item->Kind() != ItemKind::File) {
            TakeNames(*item, out.title, out.performer);
            continue;
        }
        const auto* file = static_cast<const CCueFile*>(item);
        bool hasTrack = false;
        for (int t = 0; t < file->TrackCount(); ++t) {
            const CCueTrack* track = file->Track(t);
            if (track->IsContinuation() || track->IndexCount() == 0)
                continue;
            hasTrack = true;
            const CCueIndex* start = track->Index(0);
            for (int x = 0; x < track->IndexCount(); ++x) {
                if (track->Index(x)->Number() == 1) {
                    start = track->Index(x);
                    break;
                }
            }
            Chapter chapter;
            chapter.start = offset + MicrosOf(start->Time());
            for (int c = 0; c < track->ChildCount(); ++c)
                TakeNames(*track->Child(c), chapter.title, chapter.performer);
            out.chapters.push_back(std::move(chapter));
        }
        if (hasTrack && !offsetKnown) {
            error = "the length of \"" + unknownFile + "\" is not known";
            return false;
        }
        const Micros fileLength = length(file->Name());
        if (fileLength < 0) {
            offsetKnown = false;
            unknownFile = file->Name();
        } else {
            offset += fileLength;
        }
    }
    if (out.chapters.empty()) {
        error = "the sheet has no track";
        return false;
    }
    for (std::size_t c = 0; c + 1 < out.chapters.size(); ++c)
        out.chapters[c].end = out.chapters[c + 1].start;
    if (offsetKnown) {
        out.chapters.back().end = offset;
    } else if (needEnd) {
        error = "the length of \"" + unknownFile + "\" is not known";
        return false;
    } else {
        out.chapters.back().end = out.chapters.back().start;
    }
    return true;
}
