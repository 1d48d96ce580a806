#include "album/CTracklistWriter.h"

#include <cstdio>

#include "album/AlbumTime.h"

namespace {

struct FormatName {
    const char* name;
    CTracklistWriter::Format format;
    const char* extension;
};

const FormatName kFormats[] = {
    {"youtube", CTracklistWriter::Format::YouTube, ".txt"},
    {"audacity", CTracklistWriter::Format::Audacity, ".txt"},
    {"ffmetadata", CTracklistWriter::Format::FfMetadata, ".ffmetadata"},
    {"matroska", CTracklistWriter::Format::Matroska, ".xml"},
    {"podcast", CTracklistWriter::Format::Podcast, ".json"},
    {"csv", CTracklistWriter::Format::Csv, ".csv"},
};

std::string Named(const Chapter& chapter)
{
    if (chapter.performer.empty())
        return chapter.title;
    if (chapter.title.empty())
        return chapter.performer;
    return chapter.performer + " - " + chapter.title;
}

// Line ends inside a name would break every line-based format.
std::string OneLine(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
    return out;
}

std::string FfEscape(const std::string& text)
{
    std::string out;
    for (char c : OneLine(text)) {
        if (c == '=' || c == ';' || c == '#' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

std::string XmlEscape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (u < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Seconds with up to three decimals and no trailing zeros.
std::string JsonSeconds(Micros time)
{
    const Micros ms = (time + 500) / 1000;
    std::string out = std::to_string(ms / 1000);
    if (ms % 1000) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, ".%03d", static_cast<int>(ms % 1000));
        std::string fraction(buffer);
        while (fraction.back() == '0')
            fraction.pop_back();
        out += fraction;
    }
    return out;
}

std::string CsvCell(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

// Nanoseconds as Matroska writes them: "hh:mm:ss.nnnnnnnnn".
std::string MatroskaTime(Micros time)
{
    const Micros seconds = time / kMicrosPerSecond;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld.%06lld000", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60),
                  static_cast<long long>(time % kMicrosPerSecond));
    return buffer;
}

std::string Millis(Micros time)
{
    return std::to_string((time + 500) / 1000);
}

} // namespace

bool CTracklistWriter::ParseFormat(const std::string& name, Format& format)
{
    for (const FormatName& f : kFormats) {
        if (name == f.name) {
            format = f.format;
            return true;
        }
    }
    return false;
}

std::string CTracklistWriter::FormatNames()
{
    std::string out;
    for (const FormatName& f : kFormats)
        out += (out.empty() ? "" : "|") + std::string(f.name);
    return out;
}

std::string CTracklistWriter::Extension(Format format)
{
    for (const FormatName& f : kFormats) {
        if (f.format == format)
            return f.extension;
    }
    return ".txt";
}

std::string CTracklistWriter::Write(Format format, const ChapterList& list)
{
    std::string out;
    switch (format) {
    case Format::YouTube:
        for (const Chapter& c : list.chapters)
            out += ts::ClockText(c.start) + " " + OneLine(Named(c)) + "\n";
        break;
    case Format::Audacity:
        for (const Chapter& c : list.chapters)
            out += ts::SecondsText(c.start) + "\t" + ts::SecondsText(c.end) + "\t" + OneLine(Named(c)) + "\n";
        break;
    case Format::FfMetadata:
        out += ";FFMETADATA1\n";
        if (!list.title.empty())
            out += "title=" + FfEscape(list.title) + "\n";
        if (!list.performer.empty())
            out += "artist=" + FfEscape(list.performer) + "\n";
        for (const Chapter& c : list.chapters) {
            out += "\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=" + Millis(c.start) + "\nEND=" + Millis(c.end) + "\n";
            out += "title=" + FfEscape(c.title.empty() ? c.performer : c.title) + "\n";
            if (!c.performer.empty() && !c.title.empty())
                out += "artist=" + FfEscape(c.performer) + "\n";
        }
        break;
    case Format::Matroska:
        out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<!DOCTYPE Chapters SYSTEM \"matroskachapters.dtd\">\n"
               "<Chapters>\n  <EditionEntry>\n";
        for (std::size_t i = 0; i < list.chapters.size(); ++i) {
            const Chapter& c = list.chapters[i];
            out += "    <ChapterAtom>\n";
            out += "      <ChapterUID>" + std::to_string(i + 1) + "</ChapterUID>\n";
            out += "      <ChapterTimeStart>" + MatroskaTime(c.start) + "</ChapterTimeStart>\n";
            out += "      <ChapterTimeEnd>" + MatroskaTime(c.end) + "</ChapterTimeEnd>\n";
            out += "      <ChapterDisplay>\n";
            out += "        <ChapterString>" + XmlEscape(Named(c)) + "</ChapterString>\n";
            out += "        <ChapterLanguage>und</ChapterLanguage>\n";
            out += "      </ChapterDisplay>\n";
            out += "    </ChapterAtom>\n";
        }
        out += "  </EditionEntry>\n</Chapters>\n";
        break;
    case Format::Podcast:
        out += "{\n  \"version\": \"1.2.0\",\n";
        if (!list.title.empty())
            out += "  \"title\": " + JsonString(list.title) + ",\n";
        if (!list.performer.empty())
            out += "  \"author\": " + JsonString(list.performer) + ",\n";
        out += "  \"chapters\": [";
        for (std::size_t i = 0; i < list.chapters.size(); ++i) {
            const Chapter& c = list.chapters[i];
            out += i ? ",\n" : "\n";
            out += "    {\"startTime\": " + JsonSeconds(c.start) + ", \"endTime\": " + JsonSeconds(c.end) +
                   ", \"title\": " + JsonString(Named(c)) + "}";
        }
        out += list.chapters.empty() ? "]\n}\n" : "\n  ]\n}\n";
        break;
    case Format::Csv:
        out += "Track,Start,End,Performer,Title\n";
        for (std::size_t i = 0; i < list.chapters.size(); ++i) {
            const Chapter& c = list.chapters[i];
            out += std::to_string(i + 1) + "," + ts::ClockTextMillis(c.start) + "," + ts::ClockTextMillis(c.end) +
                   "," + CsvCell(OneLine(c.performer)) + "," + CsvCell(OneLine(c.title)) + "\n";
        }
        break;
    }
    return out;
}
