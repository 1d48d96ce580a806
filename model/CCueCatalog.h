#pragma once

#include "model/CCueItem.h"

#include <string>

// The CATALOG line: the disc's catalog number, kept as written.
class CCueCatalog final : public CCueItem
{
public:
    explicit CCueCatalog(ICueChangeSink* sink);

    const std::string& Number() const { return m_number; }
    bool SetNumber(const std::string& number);

    bool Parse(const CCueLine& line, CueMessages& messages) override;
    std::unique_ptr<CCueItem> Clone(CCueFile* file, CCueTrack* track) const override;

private:
    std::string m_number;
};
