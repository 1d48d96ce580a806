#pragma once

#include "model/CCueItem.h"

// A FLAGS line: digital copy permitted, four channels, pre-emphasis, and
// the serial copy management and data flags. Words it does not know are
// kept as written, after the known ones.
class CCueFlags final : public CCueItem
{
public:
    CCueFlags(ICueChangeSink* sink, CCueTrack* track);

    bool Dcp() const { return m_dcp; }
    bool FourChannel() const { return m_fourChannel; }
    bool PreEmphasis() const { return m_preEmphasis; }
    void Get(bool& dcp, bool& fourChannel, bool& preEmphasis) const;
    bool Set(bool dcp, bool fourChannel, bool preEmphasis);
    bool Scms() const { return m_scms; }
    bool Data() const { return m_data; }
    // "DCP ", "4CH ", "PRE ", "SCMS ", "DATA " for the flags that are set,
    // in this order, then each unknown word and a blank.
    std::string FlagsText() const;
    CCueTrack* Track() const { return m_track; }

    bool Parse(const CCueLine& line, CueMessages& messages) override;
    CCueFile* OwningFile() const override;
    CCueTrack* OwningTrack() const override { return m_track; }
    std::unique_ptr<CCueItem> Clone(CCueFile* file, CCueTrack* track) const override;

private:
    bool m_dcp = false;
    bool m_fourChannel = false;
    bool m_preEmphasis = false;
    bool m_scms = false;
    bool m_data = false;
    std::string m_otherWords; // each followed by a blank
    CCueTrack* m_track;
};
