#include "model/CCueLineSource.h"

#include "model/CCueLine.h"
#include "platform/FileUtil.h"

#include <cstring>

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

CCueLineSource CCueLineSource::FromFileText(std::string fileName, std::string text)
{
    CCueLineSource source;
    source.m_fileName = std::move(fileName);
    source.m_text = std::move(text);
    source.m_loaded = true;
    return source;
}

bool CCueLineSource::Load()
{
    m_split = false;
    m_loaded = false;
    m_loadError.clear();
    std::string bytes;
    if (!ts::ReadWholeFile(m_fileName, kMaxFileSize, bytes, m_loadError)) {
        m_text.clear();
        return false;
    }
    m_text = ts::DecodeFileBytes(std::move(bytes), m_encoding, m_badUnits);
    m_loaded = true;
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
    return true;
}

void CCueLineSource::Split()
{
    m_split = true;
    m_lines.clear();
    char* p = m_text.data();
    const std::size_t n = m_text.size();
    // Most sheets hold no tab, NUL or lone CR at all: then a line is found
    // with one memchr and left as it is.
    const auto has = [&](char c) { return n != 0 && std::memchr(p, c, n) != nullptr; };
    const bool hasCr = has('\r');
    const bool fixUp = has('\t') || has('\0');
    std::size_t i = 0;
    while (i < n) {
        const std::size_t start = i;
        if (hasCr) {
            while (i < n && p[i] != '\n' && p[i] != '\r')
                ++i;
        } else {
            const void* lf = std::memchr(p + i, '\n', n - i);
            i = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - p) : n;
        }
        // A NUL is read as a blank, like a tab; the line remembers it held
        // one so that the reader can say so. A tab between double quotes is
        // part of a name and stays.
        bool nul = false;
        if (fixUp) {
            bool quoted = false;
            for (std::size_t k = start; k < i; ++k) {
                if (p[k] == '"') {
                    quoted = !quoted;
                } else if (p[k] == '\t') {
                    if (!quoted)
                        p[k] = ' ';
                } else if (p[k] == '\0') {
                    p[k] = ' ';
                    nul = true;
                }
            }
        }
        m_lines.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(i - start), nul ? 1u : 0u});
        if (i < n) {
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

bool CCueLineSource::HasNul(int i)
{
    if (i < 0 || i >= LineCount())
        return false;
    return m_lines[static_cast<std::size_t>(i)].nul != 0;
}
