#pragma once

#include <FLAC/format.h>

#include <string>
#include <vector>

// FLAC's CUESHEET metadata block as cue sheet text, line for line what
// metaflac --export-cuesheet-to writes, but for the FILE line: that names
// the audio file by its own name with the type WAVE, where metaflac writes
// the path it was given and FLAC, a type word libcue refuses.
class CFlacSheetBlock
{
public:
    // sampleRate places the indexes of a block not made for a CD, which
    // holds sample numbers; an index between two CD frames goes to the
    // frame before and is named in offFrame ("TRACK 02 INDEX 01").
    static std::string ToText(const FLAC__StreamMetadata_CueSheet& block, const std::string& fileName,
                              unsigned sampleRate, std::vector<std::string>& offFrame);
    // Whether the block holds a track besides the lead-out.
    static bool HasTracks(const FLAC__StreamMetadata_CueSheet& block) { return block.num_tracks > 1; }
};
