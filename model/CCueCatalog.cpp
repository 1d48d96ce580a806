#include "model/CCueCatalog.h"

#include "model/CCueLine.h"

CCueCatalog::CCueCatalog(ICueChangeSink* sink)
    : CCueItem(sink, ItemKind::Catalog)
{
}

bool CCueCatalog::SetNumber(const std::string& number)
{
    if (number == m_number)
        return false;
    WillChange();
    m_number = number;
    NotifyChanged(false);
    return true;
}

bool CCueCatalog::Parse(const CCueLine& line, CueMessages& messages)
{
    TakeLineComment(line);
    std::size_t pos = 0;
    std::string_view token;
    if (!line.NextWord(pos, token)) {
        messages.push_back({line.Number(), CueSeverity::Error, "No Catalog number - must specify <1234567890123>"});
        return false;
    }
    SetNumber(std::string(token));
    return true;
}

std::unique_ptr<CCueItem> CCueCatalog::Clone(CCueFile* file, CCueTrack* track) const
{
    auto copy = std::make_unique<CCueCatalog>(nullptr);
    copy->m_number = m_number;
    CloneInto(*copy, file, track);
    return copy;
}
