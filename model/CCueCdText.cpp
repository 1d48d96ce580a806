#include "model/CCueCdText.h"

#include "model/CCueLine.h"

namespace {

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

CCueCdText::CCueCdText(ICueChangeSink* sink)
    : CCueItem(sink, ItemKind::CdText)
{
}

CCueCdText::CCueCdText(ICueChangeSink* sink, std::string keyword, std::string value)
    : CCueItem(sink, ItemKind::CdText)
    , m_keyword(std::move(keyword))
    , m_value(std::move(value))
{
}

bool CCueCdText::SetKeyword(const std::string& keyword)
{
    if (keyword == m_keyword)
        return false;
    WillChange();
    m_keyword = keyword;
    NotifyChanged(false);
    return true;
}

bool CCueCdText::SetValue(const std::string& value)
{
    if (value == m_value)
        return false;
    WillChange();
    m_value = value;
    NotifyChanged(false);
    return true;
}

bool CCueCdText::IsQuoted() const
{
    return m_value.size() >= 2 && m_value.front() == '"' && m_value.back() == '"';
}

std::string_view CCueCdText::Text() const
{
    const std::string_view value(m_value);
    return IsQuoted() ? value.substr(1, value.size() - 2) : value;
}

bool CCueCdText::Parse(const CCueLine& line, CueMessages&)
{
    const std::string_view text(line.Text());
    const auto start = static_cast<std::size_t>(line.ArgumentColumn() - 1);
    std::size_t keywordStart = 0;
    while (keywordStart < text.size() && text[keywordStart] == ' ')
        ++keywordStart;
    const std::string_view head = text.substr(keywordStart, std::min(start, text.size()) - keywordStart);
    m_keyword.assign(TrimRight(head));
    m_gap.assign(head.substr(m_keyword.size()));
    if (m_gap.empty())
        m_gap = " ";

    // The value runs to the first semicolon outside double quotes, which
    // starts the end-of-line comment: a title may hold a ';'.
    const std::string_view args = line.Arguments();
    bool quoted = false;
    std::size_t end = 0;
    for (; end < args.size(); ++end) {
        if (args[end] == '"')
            quoted = !quoted;
        else if (args[end] == ';' && !quoted)
            break;
    }
    m_value.assign(TrimRight(args.substr(0, end)));
    m_comment.clear();
    if (end < args.size())
        m_comment.assign(args.substr(end));
    return true;
}

std::unique_ptr<CCueItem> CCueCdText::Clone(CCueFile* file, CCueTrack* track) const
{
    auto copy = std::make_unique<CCueCdText>(nullptr, m_keyword, m_value);
    copy->m_gap = m_gap;
    CloneInto(*copy, file, track);
    return copy;
}
