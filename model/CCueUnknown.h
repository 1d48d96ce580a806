#pragma once

#include "model/CCueItem.h"

#include <string>

// A line the reader does not know: kept as it was read, whole, and written
// back unchanged.
class CCueUnknown final : public CCueItem
{
public:
    explicit CCueUnknown(ICueChangeSink* sink);
    CCueUnknown(ICueChangeSink* sink, std::string text);

    const std::string& Text() const { return m_text; }

    bool Parse(const CCueLine& line, CueMessages& messages) override;
    std::unique_ptr<CCueItem> Clone(CCueFile* file, CCueTrack* track) const override;

private:
    std::string m_text;
};
