#include "model/CCueLine.h"

#include "model/TextUtil.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace {

struct Keyword {
    std::string_view word;
    ItemKind kind;
};

// Searched in this order.
constexpr std::array<Keyword, 21> kKeywords = {{
    {"INDEX", ItemKind::Index},
    {"TRACK", ItemKind::Track},
    {"POSTGAP", ItemKind::Postgap},
    {"PREGAP", ItemKind::Pregap},
    {"FILE", ItemKind::File},
    {"CATALOG", ItemKind::Catalog},
    {"ISRC", ItemKind::Isrc},
    {"FLAGS", ItemKind::Flags},
    {"TITLE", ItemKind::CdText},
    {"PERFORMER", ItemKind::CdText},
    {"SONGWRITER", ItemKind::CdText},
    {"COMPOSER", ItemKind::CdText},
    {"ARRANGER", ItemKind::CdText},
    {"MESSAGE", ItemKind::CdText},
    {"GENRE", ItemKind::CdText},
    {"DISC_ID", ItemKind::CdText},
    {"UPC_EAN", ItemKind::CdText},
    {"TOC_INFO1", ItemKind::CdText},
    {"TOC_INFO2", ItemKind::CdText},
    {"SIZE_INFO", ItemKind::CdText},
    {"CDTEXTFILE", ItemKind::CdText},
}};

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\n'; }

} // namespace

bool CCueLine::Tokenize()
{
    const std::string_view text(m_text);
    m_argumentColumn = 1;
    // The comment starts at the first semicolon outside double quotes that
    // starts a word: a quoted name may hold one, and so may a code written
    // as AB;CD, which other readers take whole.
    m_commentPosition = -1;
    bool quoted = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '"') {
            quoted = !quoted;
        } else if (text[k] == ';' && !quoted && (k == 0 || text[k - 1] == ' ' || text[k - 1] == '\t')) {
            m_commentPosition = static_cast<int>(k);
            break;
        }
    }

    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    m_argumentColumn += static_cast<int>(i);

    const auto wordEnd = std::min(text.find(' ', i), text.size());
    const std::string_view word = text.substr(i, wordEnd - i);

    if (i == text.size() || text[i] == ';' || ts::EqualsNoCase(word, "REM")) {
        m_kind = ItemKind::Comment;
        m_commentPosition = static_cast<int>(i);
        return true;
    }

    m_kind = ItemKind::None;
    for (const Keyword& k : kKeywords) {
        if (ts::EqualsNoCase(word, k.word)) {
            m_kind = k.kind;
            break;
        }
    }

    std::size_t arg = wordEnd;
    while (arg < text.size() && text[arg] == ' ')
        ++arg;
    m_argumentColumn = static_cast<int>(arg) + 1;
    return m_kind != ItemKind::None;
}

bool CCueLine::CommentText(std::string_view& text) const
{
    if (m_commentPosition < 0 || static_cast<std::size_t>(m_commentPosition) > m_text.size())
        return false;
    text = std::string_view(m_text).substr(static_cast<std::size_t>(m_commentPosition));
    return true;
}

std::string_view CCueLine::Arguments() const
{
    const auto start = static_cast<std::size_t>(m_argumentColumn - 1);
    return start < m_text.size() ? std::string_view(m_text).substr(start) : std::string_view();
}

std::string_view CCueLine::ArgumentsBeforeComment() const
{
    const std::string_view args = Arguments();
    if (m_commentPosition < 0)
        return args;
    const auto commentAt = static_cast<std::size_t>(m_commentPosition);
    const auto argsAt = static_cast<std::size_t>(m_argumentColumn - 1);
    return commentAt > argsAt ? args.substr(0, commentAt - argsAt) : std::string_view();
}

bool CCueLine::NextToken(std::size_t& pos, std::string_view& token) const
{
    return NextTokenIn(ArgumentsBeforeComment(), pos, token);
}

bool CCueLine::NextTokenIn(std::string_view args, std::size_t& pos, std::string_view& token)
{
    while (pos < args.size() && IsSeparator(args[pos]))
        ++pos;
    if (pos >= args.size())
        return false;
    const std::size_t start = pos;
    while (pos < args.size() && !IsSeparator(args[pos]))
        ++pos;
    token = args.substr(start, pos - start);
    return true;
}

bool CCueLine::NextWord(std::size_t& pos, std::string_view& token) const
{
    if (!NextToken(pos, token))
        return false;
    const std::string_view args = ArgumentsBeforeComment();
    const auto start = static_cast<std::size_t>(token.data() - args.data());
    if (token.front() != '"' || (token.size() > 1 && token.back() == '"'))
        return true;
    const auto close = args.find('"', start + 1);
    if (close == std::string_view::npos)
        return true;
    token = args.substr(start, close + 1 - start);
    pos = close + 1;
    return true;
}

std::size_t CCueLine::SecondKeyword() const
{
    int count = 0;
    std::size_t pos = 0;
    std::string_view token;
    switch (m_kind) {
    case ItemKind::Flags:
        // The flags run to the first word that is a keyword.
        while (NextToken(pos, token)) {
            CCueLine rest;
            rest.m_text.assign(token);
            if (rest.Tokenize() && rest.Kind() != ItemKind::Comment)
                return static_cast<std::size_t>(token.data() - m_text.data());
        }
        return std::string::npos;
    case ItemKind::File: {
        // A TRACK after the name and its type word starts the file's first
        // track; any other word stays in the type, as read. A bare name with
        // blanks runs on to the line's last word, so a bare name ends early
        // only where its second word is a type that sheets write.
        std::string_view name;
        std::string_view type;
        if (!NextWord(pos, name) || !NextWord(pos, type))
            return std::string::npos;
        static constexpr std::string_view kTypes[] = {"WAVE", "BINARY", "MOTOROLA", "AIFF", "MP3"};
        if (name.front() != '"'
            && std::none_of(std::begin(kTypes), std::end(kTypes),
                            [&](std::string_view t) { return ts::EqualsNoCase(type, t); }))
            return std::string::npos;
        std::string_view next;
        if (!NextToken(pos, next) || !ts::EqualsNoCase(next, "TRACK"))
            return std::string::npos;
        return static_cast<std::size_t>(next.data() - m_text.data());
    }
    case ItemKind::Index:
    case ItemKind::Track:
        count = 2;
        break;
    case ItemKind::Pregap:
    case ItemKind::Postgap:
    case ItemKind::Isrc:
    case ItemKind::Catalog:
        count = 1;
        break;
    default:
        return std::string::npos;
    }
    for (int i = 0; i < count; ++i) {
        if (!NextWord(pos, token))
            return std::string::npos;
    }
    if (!NextToken(pos, token))
        return std::string::npos;
    CCueLine rest;
    rest.m_text.assign(token);
    if (!rest.Tokenize() || rest.Kind() == ItemKind::Comment)
        return std::string::npos;
    return static_cast<std::size_t>(token.data() - m_text.data());
}
