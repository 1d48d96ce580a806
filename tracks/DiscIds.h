#pragma once

#include <cstdint>
#include <string>

class CDiscToc;

// Every ID of a disc from its table of contents.
struct DiscIds {
    std::string musicBrainz;    // 28 characters
    std::uint32_t freedb = 0;
    std::string accurateRip;    // "x/y/z/dBAR-....bin"
    std::string ctdbToc;
    std::string toc;            // MusicBrainz's TOC text
    std::string lookupUrl;      // MusicBrainz's page for the TOC

    // "%08x" of the freedb ID.
    std::string FreedbText() const;
    // "MusicBrainz disc ID: ..." and so on, a line each.
    std::string Text() const;
};

namespace ts {
// The MusicBrainz and freedb IDs come from libdiscid. False with the
// reason when libdiscid refuses the TOC.
bool ComputeDiscIds(const CDiscToc& toc, DiscIds& ids, std::string& error);
} // namespace ts
