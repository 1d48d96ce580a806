#pragma once

#include "model/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CCueLine;

// The whole text to be read, from a file or from the clipboard, cut into
// lines on first use. An empty file name marks clipboard text.
class CCueLineSource
{
public:
    static CCueLineSource FromFileName(std::string fileName);
    static CCueLineSource FromText(std::string text);
    // Text that belongs to a file but was not read from it as a whole
    // (a sheet kept in an audio file's tag): UTF-8, already loaded, and
    // named after the file in the reader's messages.
    static CCueLineSource FromFileText(std::string fileName, std::string text);

    const std::string& FileName() const { return m_fileName; }
    bool IsFile() const { return !m_fileName.empty(); }

    // Reads the file whole and decodes it (see DecodeFileBytes). False when
    // it cannot be read; LoadError() says why. Nothing is reported here.
    bool Load();
    bool IsLoaded() const { return m_loaded; }
    const std::string& LoadError() const { return m_loadError; }
    // How the file stored its text; a text source is UTF-8.
    const ts::SheetEncoding& Encoding() const { return m_encoding; }
    // The file was wide text with malformed units, now U+FFFD.
    bool HadBadUnits() const { return m_badUnits; }

    // The largest file Load takes.
    static constexpr std::size_t kMaxFileSize = std::size_t(256) << 20;

    int LineCount();
    // Copies line i (0-based, no line end) into line; tabs are blanks
    // except between double quotes.
    bool GetLine(int i, CCueLine& line);
    // Whether line i held NUL bytes; they are read as blanks.
    bool HasNul(int i);

private:
    struct Span {
        std::uint32_t start;
        std::uint32_t length : 31;
        std::uint32_t nul : 1;
    };

    void Split();

    std::string m_text;
    std::string m_fileName;
    std::vector<Span> m_lines;
    std::string m_loadError;
    ts::SheetEncoding m_encoding;
    bool m_split = false;
    bool m_loaded = false;
    bool m_badUnits = false;
};
