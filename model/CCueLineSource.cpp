#include "model/CCueLineSource.h"

#include "model/CCueLine.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

CCueLineSource CCueLineSource::FromFileName(std::string fileName)
{
    CCueLineSource source;
    source.m_fileName = std::move(fileName);
    return source;
}

CCueLineSource CCueLineSource::FromText(std::string text)
{
    CCueLineSource source;
    source.m_text = std::move(text);
    return source;
}

bool CCueLineSource::Load()
{
    std::FILE* f = std::fopen(m_fileName.c_str(), "rb");
    if (!f)
        return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = size >= 0 && std::fseek(f, 0, SEEK_SET) == 0;
    // Line positions are kept in 32 bits; a sheet is never that large.
    if (ok && static_cast<unsigned long>(size) > std::numeric_limits<std::uint32_t>::max() / 2) {
        errno = EFBIG;
        ok = false;
    }
    if (ok) {
        m_text.resize(static_cast<std::size_t>(size));
        const std::size_t got = size ? std::fread(m_text.data(), 1, m_text.size(), f) : 0;
        ok = !std::ferror(f);
        m_text.resize(got);
    }
    const int savedErrno = errno;
    std::fclose(f);
    errno = savedErrno;
    if (!ok) {
        m_text.clear();
        return false;
    }
    // Read as a text-mode stream does: a CR LF pair becomes one line feed.
    // Runs between carriage returns move in one piece.
    const std::size_t n = m_text.size();
    std::size_t out = 0;
    std::size_t in = 0;
    while (in < n) {
        std::size_t cr = m_text.find('\r', in);
        if (cr == std::string::npos)
            cr = n;
        if (out != in)
            std::memmove(m_text.data() + out, m_text.data() + in, cr - in);
        out += cr - in;
        in = cr;
        if (in < n) {
            // A lone CR stays; the CR of a CR LF pair goes.
            if (in + 1 >= n || m_text[in + 1] != '\n')
                m_text[out++] = '\r';
            ++in;
        }
    }
    m_text.resize(out);
    m_split = false;
    return true;
}

void CCueLineSource::Split()
{
    m_split = true;
    m_lines.clear();
    char* p = m_text.data();
    const std::size_t n = m_text.size();
    std::size_t i = 0;
    // A NUL ends the text, as it ends a C string.
    while (i < n && p[i] != '\0') {
        const std::size_t start = i;
        while (i < n && p[i] != '\0' && p[i] != '\n' && p[i] != '\r') {
            if (p[i] == '\t')
                p[i] = ' ';
            ++i;
        }
        m_lines.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(i - start)});
        if (i < n && (p[i] == '\n' || p[i] == '\r')) {
            const char end = p[i];
            ++i;
            if (i < n && (p[i] == '\n' || p[i] == '\r') && p[i] != end)
                ++i;
        }
    }
}

int CCueLineSource::LineCount()
{
    if (!m_split)
        Split();
    return static_cast<int>(m_lines.size());
}

bool CCueLineSource::GetLine(int i, CCueLine& line)
{
    if (i < 0 || i >= LineCount())
        return false;
    const Span& s = m_lines[static_cast<std::size_t>(i)];
    line.Text().assign(m_text, s.start, s.length);
    return true;
}
