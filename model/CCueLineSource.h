#pragma once

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

    const std::string& FileName() const { return m_fileName; }
    bool IsFile() const { return !m_fileName.empty(); }

    // Reads the file whole. False when it cannot be opened or read; the
    // reason is left in errno. Nothing is reported here.
    bool Load();

    int LineCount();
    // Copies line i (0-based, tabs as blanks, no line end) into line.
    bool GetLine(int i, CCueLine& line);

private:
    struct Span {
        std::uint32_t start;
        std::uint32_t length;
    };

    void Split();

    std::string m_text;
    std::string m_fileName;
    std::vector<Span> m_lines;
    bool m_split = false;
};
