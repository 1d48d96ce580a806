#include "tracks/DiscIds.h"

#include <cstdio>
#include <memory>
#include <vector>

#include <discid/discid.h>

#include "verify/CDiscToc.h"

std::string DiscIds::FreedbText() const
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(freedb));
    return text;
}

std::string DiscIds::Text() const
{
    return "TOC: " + toc + "\nMusicBrainz disc ID: " + musicBrainz + "\nfreedb ID: " + FreedbText() +
           "\nAccurateRip disc ID: " + accurateRip + "\nCTDB TOC ID: " + ctdbToc +
           "\nMusicBrainz lookup: " + lookupUrl + "\n";
}

namespace {

using DiscPtr = std::unique_ptr<DiscId, void (*)(DiscId*)>;

// libdiscid takes the lead-out first, then the tracks, with the lead-in.
bool Put(DiscPtr& disc, const std::vector<std::uint32_t>& tracks, std::uint32_t leadOut, std::string& error)
{
    std::vector<int> offsets{static_cast<int>(leadOut + CDiscToc::kLeadIn)};
    for (std::uint32_t offset : tracks)
        offsets.push_back(static_cast<int>(offset + CDiscToc::kLeadIn));
    offsets.resize(100, 0);
    if (!discid_put(disc.get(), 1, static_cast<int>(tracks.size()), offsets.data())) {
        error = std::string("libdiscid refuses the table of contents: ") + discid_get_error_msg(disc.get());
        return false;
    }
    return true;
}

} // namespace

bool ts::ComputeDiscIds(const CDiscToc& toc, DiscIds& ids, std::string& error)
{
    DiscPtr disc(discid_new(), discid_free);
    if (!disc) {
        error = "libdiscid cannot start";
        return false;
    }
    // MusicBrainz counts the audio session only, freedb every track.
    if (!Put(disc, toc.Offsets(), toc.AudioLeadOut(), error))
        return false;
    ids.musicBrainz = discid_get_id(disc.get());
    ids.lookupUrl = discid_get_submission_url(disc.get());
    if (!toc.DataOffsets().empty()) {
        std::vector<std::uint32_t> all = toc.Offsets();
        all.insert(all.end(), toc.DataOffsets().begin(), toc.DataOffsets().end());
        if (!Put(disc, all, toc.LeadOut(), error))
            return false;
    }
    ids.freedb = static_cast<std::uint32_t>(std::stoul(discid_get_freedb_id(disc.get()), nullptr, 16));
    ids.toc = toc.MusicBrainzToc();
    ids.accurateRip = toc.AccurateRipPath(ids.freedb);
    ids.ctdbToc = toc.CtdbTocId();
    return true;
}
