#include "bench/SheetPlan.h"

#include <cstdio>

namespace {

void Line(std::string& out, int depth, const std::string& text)
{
    out.append(static_cast<std::size_t>(2 * depth), ' ');
    out += text;
    out += "\r\n";
}

} // namespace

std::string SheetPlan::Msf(int frames)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.2d:%.2d:%.2d", frames / (75 * 60), frames / 75 % 60, frames % 75);
    return buffer;
}

std::string SheetPlan::Text() const
{
    std::string out;
    char buffer[64];
    for (const std::string& r : remarks)
        Line(out, 0, r);
    if (!catalog.empty())
        Line(out, 0, "CATALOG " + catalog);
    for (const File& f : files) {
        const bool quote = f.name.find(' ') != std::string::npos;
        Line(out, 0, "FILE " + (quote ? '"' + f.name + '"' : f.name) + " " + f.type);
        for (const std::string& r : f.remarks)
            Line(out, 1, r);
        for (const Track& t : f.tracks) {
            std::snprintf(buffer, sizeof buffer, "TRACK %.2d ", t.number);
            Line(out, 1, buffer + t.type);
            for (const std::string& r : t.remarks)
                Line(out, 2, r);
            if (t.hasFlags) {
                std::string flags = "FLAGS";
                if (t.dcp)
                    flags += " DCP";
                if (t.fourChannel)
                    flags += " 4CH";
                if (t.preEmphasis)
                    flags += " PRE";
                Line(out, 2, flags);
            }
            if (!t.isrc.empty())
                Line(out, 2, "ISRC " + t.isrc);
            if (t.pregap >= 0)
                Line(out, 2, "PREGAP " + Msf(t.pregap));
            for (const Index& i : t.indexes) {
                std::snprintf(buffer, sizeof buffer, "INDEX %.2d ", i.number);
                Line(out, 2, buffer + Msf(i.frames));
                if (!i.remarkAfter.empty())
                    Line(out, 2, i.remarkAfter);
            }
            if (t.postgap >= 0)
                Line(out, 2, "POSTGAP " + Msf(t.postgap));
        }
    }
    return out;
}

std::size_t SheetPlan::LineCount() const
{
    const std::string text = Text();
    std::size_t lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}
