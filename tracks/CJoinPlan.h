#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tracks/CTrackPlan.h"

class CQuillDoc;

// The layout of a join: the sheet's files end to end in sheet order as one
// image, and the sheet for the image, with one FILE and every index moved
// to its place in the image.
class CJoinPlan
{
public:
    // image: the path of the image to write, ".flac" or ".wav". False with
    // a message for the user when the sheet's files cannot be joined.
    bool Build(const CQuillDoc& document, const std::string& image, std::string& error);

    const std::string& ImagePath() const { return m_image; }
    TrackFormat Format() const { return m_format; }
    // The sheet beside the image: its name with ".cue".
    const std::string& SheetPath() const { return m_sheetPath; }
    const std::vector<PlanSource>& Sources() const { return m_sources.Sources(); }
    std::uint64_t TotalFrames() const { return m_sources.TotalFrames(); }
    const std::string& SheetText() const { return m_sheet; }
    // Indexes that fell between two CD frames and were moved to the nearest.
    int RoundedIndexes() const { return m_rounded; }

private:
    CTrackPlan m_sources;
    std::string m_image;
    std::string m_sheetPath;
    TrackFormat m_format = TrackFormat::Flac;
    std::string m_sheet;
    int m_rounded = 0;
};
