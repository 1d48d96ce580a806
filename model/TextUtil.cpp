#include "model/TextUtil.h"

#include <cstdarg>
#include <cstdio>
#include <limits>

namespace ts {

std::int32_t ParseLeadingInt(std::string_view text)
{
    std::size_t i = 0;
    // isspace in the C locale: blank, tab, line feed, vertical tab, form feed, return.
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < kLimit)
            value = value * 10 + (text[i] - '0');
    }
    if (negative)
        return value >= kLimit ? std::numeric_limits<std::int32_t>::min() : static_cast<std::int32_t>(-value);
    return value >= kLimit ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(value);
}

void AppendNumber2(std::string& out, std::int64_t n)
{
    std::uint64_t magnitude = n < 0 ? static_cast<std::uint64_t>(-(n + 1)) + 1 : static_cast<std::uint64_t>(n);
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (count < 2)
        digits[count++] = '0';
    if (n < 0)
        out += '-';
    while (count > 0)
        out += digits[--count];
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

std::string Format(const char* pattern, ...)
{
    va_list args;
    va_start(args, pattern);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, pattern, copy);
    va_end(copy);
    std::string out;
    if (length > 0) {
        out.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(out.data(), out.size(), pattern, args);
        out.resize(static_cast<std::size_t>(length));
    }
    va_end(args);
    return out;
}

std::string Quoted(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    out += text;
    out += '"';
    return out;
}

std::string_view FirstWord(std::string_view line, std::size_t& rest)
{
    std::size_t from = 0;
    while (from < line.size() && (line[from] == ' ' || line[from] == '\t'))
        ++from;
    std::size_t to = from;
    while (to < line.size() && line[to] != ' ' && line[to] != '\t')
        ++to;
    rest = to;
    return line.substr(from, to - from);
}

} // namespace ts
