#include "model/CCueFlags.h"

#include "model/CCueLine.h"
#include "model/CCueTrack.h"
#include "model/TextUtil.h"

CCueFlags::CCueFlags(ICueChangeSink* sink, CCueTrack* track)
    : CCueItem(sink, ItemKind::Flags)
    , m_track(track)
{
}

void CCueFlags::Get(bool& dcp, bool& fourChannel, bool& preEmphasis) const
{
    dcp = m_dcp;
    fourChannel = m_fourChannel;
    preEmphasis = m_preEmphasis;
}

bool CCueFlags::Set(bool dcp, bool fourChannel, bool preEmphasis)
{
    const bool changed = dcp != m_dcp || fourChannel != m_fourChannel || preEmphasis != m_preEmphasis;
    if (changed)
        WillChange();
    m_dcp = dcp;
    m_fourChannel = fourChannel;
    m_preEmphasis = preEmphasis;
    if (changed)
        NotifyChanged(false);
    return changed;
}

std::string CCueFlags::FlagsText() const
{
    std::string text;
    if (m_dcp)
        text += "DCP ";
    if (m_fourChannel)
        text += "4CH ";
    if (m_preEmphasis)
        text += "PRE ";
    if (m_scms)
        text += "SCMS ";
    if (m_data)
        text += "DATA ";
    return text + m_otherWords;
}

CCueFile* CCueFlags::OwningFile() const
{
    return m_track ? m_track->File() : nullptr;
}

bool CCueFlags::Parse(const CCueLine& line, CueMessages& messages)
{
    TakeLineComment(line);
    // Only the words before the end-of-line comment are flags.
    const std::string_view args = line.ArgumentsBeforeComment();
    std::size_t pos = 0;
    std::string_view word;
    while (CCueLine::NextTokenIn(args, pos, word)) {
        if (ts::EqualsNoCase(word, "DCP"))
            m_dcp = true;
        else if (ts::EqualsNoCase(word, "4CH"))
            m_fourChannel = true;
        else if (ts::EqualsNoCase(word, "PRE"))
            m_preEmphasis = true;
        else if (ts::EqualsNoCase(word, "SCMS"))
            m_scms = true;
        else if (ts::EqualsNoCase(word, "DATA"))
            m_data = true;
        else {
            // Kept, so the save loses nothing; the other words still count.
            messages.push_back({line.Number(), CueSeverity::Warning, "Unknown flag " + std::string(word)});
            m_otherWords.append(word);
            m_otherWords += ' ';
        }
    }
    return true;
}

std::unique_ptr<CCueItem> CCueFlags::Clone(CCueFile* file, CCueTrack* track) const
{
    auto copy = std::make_unique<CCueFlags>(nullptr, track);
    copy->m_dcp = m_dcp;
    copy->m_fourChannel = m_fourChannel;
    copy->m_preEmphasis = m_preEmphasis;
    copy->m_scms = m_scms;
    copy->m_data = m_data;
    copy->m_otherWords = m_otherWords;
    CloneInto(*copy, file, track);
    return copy;
}
