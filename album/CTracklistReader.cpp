#include "album/CTracklistReader.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

#include "album/AlbumTime.h"

namespace {

constexpr const char* kNoTime = "no time at the start or end of the line";

std::string Trim(std::string_view text)
{
    std::size_t from = 0;
    std::size_t to = text.size();
    while (from < to && std::isspace(static_cast<unsigned char>(text[from])))
        ++from;
    while (to > from && std::isspace(static_cast<unsigned char>(text[to - 1])))
        --to;
    return std::string(text.substr(from, to - from));
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The lines of a text without their ends (LF, CR LF or CR), a leading
// byte order mark taken off.
std::vector<std::string> Lines(std::string_view text)
{
    if (StartsWith(text, "\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// Dashes, bars, bullets and colons that stand between a time and a name.
// Marks that close a name ("<Live>", "Part =") stay at its end.
std::string TrimSeparators(std::string text)
{
    static const char* const kLeading[] = {"\xE2\x80\x93", "\xE2\x80\x94", "\xE2\x80\xA2", "\xC2\xB7", "-", "|",
                                           ":", "~", "*", ">", "="};
    static const char* const kTrailing[] = {"\xE2\x80\x93", "\xE2\x80\x94", "-", "|", ":"};
    bool changed = true;
    while (changed) {
        changed = false;
        text = Trim(text);
        for (const char* mark : kLeading) {
            const std::string m(mark);
            if (StartsWith(text, m)) {
                text.erase(0, m.size());
                changed = true;
            }
        }
        for (const char* mark : kTrailing) {
            const std::string m(mark);
            if (text.size() >= m.size() && text.compare(text.size() - m.size(), m.size(), m) == 0) {
                text.erase(text.size() - m.size());
                changed = true;
            }
        }
    }
    return text;
}

// A whole number of up to 18 digits.
bool ParseInteger(const std::string& text, std::int64_t& out)
{
    if (text.empty() || text.size() > 18)
        return false;
    out = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        out = out * 10 + (c - '0');
    }
    return true;
}

bool IsClockChar(char c)
{
    return (c >= '0' && c <= '9') || c == ':' || c == '.' || c == ',';
}

// A time at the start of text, optionally in brackets; on success, rest is
// what follows it.
bool LeadingTime(const std::string& text, Micros& time, std::string& rest)
{
    std::size_t i = 0;
    char close = 0;
    if (!text.empty() && (text[0] == '[' || text[0] == '(' || text[0] == '{')) {
        close = text[0] == '[' ? ']' : text[0] == '(' ? ')' : '}';
        i = 1;
    }
    std::size_t end = i;
    while (end < text.size() && IsClockChar(text[end]))
        ++end;
    // A clock ends at a space, a bracket or a separator, never inside a word.
    std::string_view clock(text.data() + i, end - i);
    while (!clock.empty() && (clock.back() == '.' || clock.back() == ','))
        clock.remove_suffix(1);
    if (clock.find(':') == std::string_view::npos || !ts::ParseClock(clock, time))
        return false;
    end = i + clock.size();
    if (close) {
        if (end >= text.size() || text[end] != close)
            return false;
        ++end;
    } else if (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end]))) {
        return false;
    }
    rest = text.substr(end);
    return true;
}

// A time at the end of text, optionally in brackets; on success, rest is
// what stands before it.
bool TrailingTime(const std::string& text, Micros& time, std::string& rest)
{
    std::size_t end = text.size();
    char open = 0;
    if (end > 0 && (text[end - 1] == ']' || text[end - 1] == ')' || text[end - 1] == '}')) {
        open = text[end - 1] == ']' ? '[' : text[end - 1] == ')' ? '(' : '{';
        --end;
    }
    std::size_t from = end;
    while (from > 0 && IsClockChar(text[from - 1]))
        --from;
    std::string_view clock(text.data() + from, end - from);
    while (!clock.empty() && (clock.front() == '.' || clock.front() == ',')) {
        clock.remove_prefix(1);
        ++from;
    }
    if (clock.find(':') == std::string_view::npos || !ts::ParseClock(clock, time))
        return false;
    if (open) {
        if (from == 0 || text[from - 1] != open)
            return false;
        --from;
    } else if (from > 0 && std::isalnum(static_cast<unsigned char>(text[from - 1]))) {
        return false;
    }
    rest = text.substr(0, from);
    return true;
}

// Takes off a track number in front of a line: "1.", "01)", "#3", "12 -".
std::string StripNumbering(const std::string& text)
{
    std::size_t i = 0;
    if (i < text.size() && text[i] == '#')
        ++i;
    const std::size_t digits = i;
    while (i < text.size() && i - digits < 4 && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i;
    if (i == digits)
        return text;
    if (text[0] == '#' && (i == text.size() || text[i] == ' '))
        return Trim(text.substr(i));
    if (i < text.size() && (text[i] == '.' || text[i] == ')') && i + 1 < text.size() && text[i + 1] == ' ')
        return Trim(text.substr(i + 1));
    if (i + 2 < text.size() && text[i] == ' ' && (text[i + 1] == '-' || text[i + 1] == '.') && text[i + 2] == ' ')
        return Trim(text.substr(i + 2));
    return text;
}

void SetNames(TracklistEntry& entry, const std::string& text)
{
    const std::string name = TrimSeparators(text);
    if (!CTracklistReader::SplitPerformer(name, entry.performer, entry.title)) {
        entry.performer.clear();
        entry.title = name;
    }
}

void ReadText(const std::vector<std::string>& lines, Tracklist& list)
{
    list.format = "text";
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string line = Trim(lines[n]);
        if (line.empty())
            continue;
        const int number = static_cast<int>(n + 1);
        const std::string body = StripNumbering(line);
        TracklistEntry entry;
        entry.line = number;
        std::string rest;
        // Bullets, arrows and emoji before a time are decoration.
        std::string timed = body;
        std::size_t junk = 0;
        while (junk < timed.size() && junk < 12 && !std::isalnum(static_cast<unsigned char>(timed[junk])) &&
               timed[junk] != '[' && timed[junk] != '(' && timed[junk] != '{')
            ++junk;
        if (junk > 0 && LeadingTime(Trim(timed.substr(junk)), entry.time, rest))
            timed = Trim(timed.substr(junk));
        if (LeadingTime(timed, entry.time, rest)) {
            // A span "0:00 - 3:45 Title" gives its start.
            std::string after = TrimSeparators(rest);
            Micros ignored = 0;
            std::string name;
            if (LeadingTime(after, ignored, name))
                after = name;
            SetNames(entry, after);
        } else if (TrailingTime(body, entry.time, rest)) {
            SetNames(entry, rest);
        } else {
            list.skipped.push_back({number, line, kNoTime});
            continue;
        }
        list.entries.push_back(std::move(entry));
    }
}

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> cells;
    std::size_t from = 0;
    while (true) {
        const auto tab = line.find('\t', from);
        cells.push_back(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
        if (tab == std::string::npos)
            return cells;
        from = tab + 1;
    }
}

bool IsLabelLine(const std::string& line)
{
    const auto cells = SplitTabs(line);
    Micros a = 0;
    Micros b = 0;
    return cells.size() >= 2 && ts::ParseSeconds(cells[0], a) && ts::ParseSeconds(cells[1], b);
}

void ReadLabels(const std::vector<std::string>& lines, Tracklist& list)
{
    list.format = "audacity";
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const int number = static_cast<int>(n + 1);
        std::string line = lines[n];
        if (Trim(line).empty())
            continue;
        // The frequency line of a spectral label belongs to the label above.
        if (line[0] == '\\')
            continue;
        const auto cells = SplitTabs(line);
        TracklistEntry entry;
        entry.line = number;
        Micros end = 0;
        if (cells.size() < 2 || !ts::ParseSeconds(Trim(cells[0]), entry.time) || !ts::ParseSeconds(Trim(cells[1]), end)) {
            list.skipped.push_back({number, Trim(line), "not a label: start and end seconds, then the text"});
            continue;
        }
        if (cells.size() >= 3)
            SetNames(entry, cells[2]);
        list.entries.push_back(std::move(entry));
    }
}

// FFmpeg metadata values escape '=', ';', '#', '\' and line ends with '\'.
std::string Unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

void ReadFfMetadata(const std::vector<std::string>& lines, Tracklist& list)
{
    list.format = "ffmetadata";
    struct Section {
        int line = 0;
        std::map<std::string, std::string> keys;
    };
    std::vector<Section> chapters;
    std::map<std::string, std::string> global;
    bool inChapter = false;
    bool inOther = false;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        std::string line = lines[n];
        // A value's escaped line end continues it on the next line.
        while (!line.empty() && line.back() == '\\' && n + 1 < lines.size()) {
            line.back() = '\n';
            line += lines[++n];
        }
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#')
            continue;
        if (trimmed[0] == '[') {
            inChapter = Lower(trimmed) == "[chapter]";
            inOther = !inChapter;
            if (inChapter)
                chapters.push_back({static_cast<int>(n + 1), {}});
            continue;
        }
        std::size_t eq = std::string::npos;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '\\') {
                ++i;
            } else if (line[i] == '=') {
                eq = i;
                break;
            }
        }
        if (eq == std::string::npos) {
            list.skipped.push_back({static_cast<int>(n + 1), trimmed, "not a key=value line"});
            continue;
        }
        const std::string key = Lower(Unescape(line.substr(0, eq)));
        const std::string value = Unescape(line.substr(eq + 1));
        if (inChapter)
            chapters.back().keys[key] = value;
        else if (!inOther)
            global[key] = value;
    }
    list.discTitle = global.count("title") ? global["title"] : global["album"];
    list.discPerformer = global.count("album_artist") ? global["album_artist"] : global["artist"];
    for (Section& chapter : chapters) {
        std::int64_t num = 1;
        std::int64_t den = 1000000000;
        const std::string base = chapter.keys["timebase"];
        const auto slash = base.find('/');
        if (!base.empty()) {
            if (slash == std::string::npos || !ParseInteger(Trim(base.substr(0, slash)), num) ||
                !ParseInteger(Trim(base.substr(slash + 1)), den) || num <= 0 || den <= 0) {
                list.skipped.push_back({chapter.line, "[CHAPTER]", "TIMEBASE is not a fraction like 1/1000"});
                continue;
            }
        }
        std::int64_t ticks = 0;
        if (!ParseInteger(Trim(chapter.keys["start"]), ticks)) {
            list.skipped.push_back({chapter.line, "[CHAPTER]", "no START"});
            continue;
        }
        TracklistEntry entry;
        entry.line = chapter.line;
        // ticks * num / den seconds, in microseconds, without overflow for
        // nanosecond time bases.
        const long double seconds = static_cast<long double>(ticks) * num / den;
        entry.time = static_cast<Micros>(seconds * kMicrosPerSecond + 0.5L);
        const std::string title = chapter.keys["title"];
        const std::string artist = chapter.keys.count("artist") ? chapter.keys["artist"] : chapter.keys["performer"];
        if (!artist.empty()) {
            entry.performer = Trim(artist);
            entry.title = Trim(title);
        } else {
            SetNames(entry, title);
        }
        list.entries.push_back(std::move(entry));
    }
}

std::string XmlText(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const auto semi = text.find(';', i);
        if (semi == std::string_view::npos || semi - i > 10) {
            out += '&';
            continue;
        }
        const std::string name(text.substr(i + 1, semi - i - 1));
        static const std::map<std::string, std::string> kNamed = {
            {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
        if (auto it = kNamed.find(name); it != kNamed.end()) {
            out += it->second;
        } else if (name.size() > 1 && name[0] == '#') {
            unsigned long code = 0;
            try {
                code = name[1] == 'x' ? std::stoul(name.substr(2), nullptr, 16) : std::stoul(name.substr(1));
            } catch (...) {
                out += '&';
                continue;
            }
            if (code < 0x80) {
                out += static_cast<char>(code);
            } else if (code < 0x800) {
                out += static_cast<char>(0xC0 | (code >> 6));
                out += static_cast<char>(0x80 | (code & 0x3F));
            } else if (code < 0x10000) {
                out += static_cast<char>(0xE0 | (code >> 12));
                out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (code & 0x3F));
            } else {
                out += static_cast<char>(0xF0 | (code >> 18));
                out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
                out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (code & 0x3F));
            }
        } else {
            out += '&';
            continue;
        }
        i = semi;
    }
    return Trim(out);
}

void ReadMatroska(std::string_view text, Tracklist& list)
{
    list.format = "matroska";
    struct Atom {
        TracklistEntry entry;
        bool hasStart = false;
        bool hidden = false;
        bool named = false;
    };
    std::vector<Atom> open;
    std::vector<Atom> done;
    int line = 1;
    std::size_t i = 0;
    std::string element;
    std::size_t contentFrom = 0;
    while (i < text.size()) {
        const auto lt = text.find('<', i);
        if (lt == std::string_view::npos)
            break;
        for (std::size_t k = i; k < lt; ++k)
            line += text[k] == '\n';
        const auto gt = text.find('>', lt);
        if (gt == std::string_view::npos)
            break;
        for (std::size_t k = lt; k < gt; ++k)
            line += text[k] == '\n';
        std::string tag(text.substr(lt + 1, gt - lt - 1));
        i = gt + 1;
        if (tag.empty() || tag[0] == '?' || tag[0] == '!')
            continue;
        const bool closing = tag[0] == '/';
        const bool selfClosing = tag.back() == '/';
        std::string name = closing ? tag.substr(1) : tag;
        name = name.substr(0, name.find_first_of(" \t\r\n/"));
        if (!closing) {
            if (name == "ChapterAtom") {
                open.push_back({});
                open.back().entry.line = line;
            }
            if (!selfClosing) {
                element = name;
                contentFrom = i;
            }
            continue;
        }
        if (name == "ChapterAtom") {
            if (!open.empty()) {
                done.push_back(std::move(open.back()));
                open.pop_back();
            }
            continue;
        }
        if (open.empty() || name != element)
            continue;
        const std::string value = XmlText(text.substr(contentFrom, lt - contentFrom));
        Atom& atom = open.back();
        if (name == "ChapterTimeStart") {
            atom.hasStart = ts::ParseClock(value, atom.entry.time);
        } else if (name == "ChapterString" && !atom.named) {
            SetNames(atom.entry, value);
            atom.named = true;
        } else if (name == "ChapterFlagHidden") {
            atom.hidden = value == "1";
        }
    }
    for (Atom& atom : done) {
        if (!atom.hasStart) {
            list.skipped.push_back({atom.entry.line, "<ChapterAtom>", "no ChapterTimeStart"});
            continue;
        }
        if (atom.hidden) {
            list.skipped.push_back({atom.entry.line, "<ChapterAtom> " + atom.entry.title, "a hidden chapter"});
            continue;
        }
        list.entries.push_back(std::move(atom.entry));
    }
    std::stable_sort(list.entries.begin(), list.entries.end(),
                     [](const TracklistEntry& a, const TracklistEntry& b) { return a.line < b.line; });
}

std::vector<std::string> SplitCsv(const std::string& line, char delimiter)
{
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cells.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cells.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == delimiter) {
            cells.emplace_back();
        } else {
            cells.back() += c;
        }
    }
    for (std::string& cell : cells)
        cell = Trim(cell);
    return cells;
}

enum class Column { None, Start, Duration, Title, Performer, Name };

Column ColumnOf(const std::string& header)
{
    const std::string h = Lower(Trim(header));
    static const std::map<std::string, Column> kNames = {
        {"start", Column::Start},         {"start time", Column::Start},   {"starttime", Column::Start},
        {"time", Column::Start},          {"timestamp", Column::Start},    {"offset", Column::Start},
        {"begin", Column::Start},         {"position", Column::Start},     {"start_time", Column::Start},
        {"duration", Column::Duration},   {"length", Column::Duration},    {"title", Column::Title},
        {"track title", Column::Title},   {"song", Column::Title},         {"name", Column::Title},
        {"chapter", Column::Title},       {"performer", Column::Performer}, {"artist", Column::Performer},
        {"label", Column::Name},          {"text", Column::Name},          {"description", Column::Name}};
    const auto it = kNames.find(h);
    return it == kNames.end() ? Column::None : it->second;
}

// The delimiter of a CSV header that names a time column, or 0.
char CsvDelimiter(const std::string& header)
{
    for (const char d : {',', ';', '\t'}) {
        if (header.find(d) == std::string::npos)
            continue;
        for (const std::string& cell : SplitCsv(header, d)) {
            const Column c = ColumnOf(cell);
            if (c == Column::Start || c == Column::Duration)
                return d;
        }
    }
    return 0;
}

void ReadCsv(const std::vector<std::string>& lines, std::size_t headerAt, char delimiter, Tracklist& list)
{
    list.format = "csv";
    const auto header = SplitCsv(lines[headerAt], delimiter);
    std::vector<Column> columns;
    for (const std::string& cell : header)
        columns.push_back(ColumnOf(cell));
    const bool hasStart = std::find(columns.begin(), columns.end(), Column::Start) != columns.end();
    list.durations = !hasStart;
    const Column timeColumn = hasStart ? Column::Start : Column::Duration;
    for (std::size_t n = headerAt + 1; n < lines.size(); ++n) {
        const int number = static_cast<int>(n + 1);
        const std::string line = Trim(lines[n]);
        if (line.empty())
            continue;
        const auto cells = SplitCsv(lines[n], delimiter);
        TracklistEntry entry;
        entry.line = number;
        bool timed = false;
        std::string name;
        for (std::size_t c = 0; c < cells.size() && c < columns.size(); ++c) {
            if (columns[c] == timeColumn)
                timed = ts::ParseClock(cells[c], entry.time) || ts::ParseSeconds(cells[c], entry.time);
            else if (columns[c] == Column::Title)
                entry.title = cells[c];
            else if (columns[c] == Column::Performer)
                entry.performer = cells[c];
            else if (columns[c] == Column::Name)
                name = cells[c];
        }
        if (!timed) {
            list.skipped.push_back({number, line,
                                    std::string("no time in the \"") +
                                        (hasStart ? "start" : "duration") + "\" column"});
            continue;
        }
        if (entry.title.empty() && entry.performer.empty() && !name.empty())
            SetNames(entry, name);
        list.entries.push_back(std::move(entry));
    }
}

} // namespace

bool CTracklistReader::SplitPerformer(const std::string& text, std::string& performer, std::string& title)
{
    for (const char* dash : {" - ", " \xE2\x80\x93 ", " \xE2\x80\x94 "}) {
        const auto at = text.find(dash);
        if (at == std::string::npos)
            continue;
        const std::string left = Trim(text.substr(0, at));
        const std::string right = Trim(text.substr(at + std::string(dash).size()));
        if (left.empty() || right.empty())
            continue;
        performer = left;
        title = right;
        return true;
    }
    return false;
}

Tracklist CTracklistReader::Read(std::string_view text)
{
    Tracklist list;
    const std::vector<std::string> lines = Lines(text);
    std::size_t first = 0;
    while (first < lines.size() && Trim(lines[first]).empty())
        ++first;
    if (first == lines.size()) {
        list.format = "text";
        return list;
    }
    const std::string head = Trim(lines[first]);
    const std::string start = Trim(StartsWith(head, "\xEF\xBB\xBF") ? head.substr(3) : head);
    if (StartsWith(start, ";FFMETADATA"))
        ReadFfMetadata(lines, list);
    else if (StartsWith(start, "<?xml") || StartsWith(start, "<Chapters") || StartsWith(start, "<!DOCTYPE Chapters"))
        ReadMatroska(text, list);
    else if (IsLabelLine(lines[first]))
        ReadLabels(lines, list);
    else if (const char d = CsvDelimiter(lines[first]))
        ReadCsv(lines, first, d, list);
    else
        ReadText(lines, list);
    return list;
}

bool CTracklistReader::Resolve(Tracklist& list, Micros audioLength, std::vector<Micros>& starts, std::string& error)
{
    starts.clear();
    const auto& entries = list.entries;
    if (entries.empty()) {
        error = "the list names no track";
        return false;
    }
    if (!list.durations && (list.format == "text" || list.format == "csv") && entries.size() >= 2) {
        bool rising = true;
        Micros sum = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            sum += entries[i].time;
            if (i > 0 && entries[i].time <= entries[i - 1].time)
                rising = false;
        }
        const Micros slack = std::max<Micros>(2 * kMicrosPerSecond, audioLength / 100);
        const bool addsUp = audioLength > 0 && entries[0].time > 0 &&
                            (sum > audioLength ? sum - audioLength : audioLength - sum) <= slack;
        list.durations = !rising || addsUp;
    }
    Micros at = 0;
    for (const TracklistEntry& entry : entries) {
        starts.push_back(list.durations ? at : entry.time);
        at += entry.time;
    }
    if (list.format != "text" && list.format != "csv") {
        // Chapters and labels need not come in order.
        std::vector<std::size_t> order(entries.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return starts[a] < starts[b]; });
        std::vector<TracklistEntry> sorted;
        std::vector<Micros> sortedStarts;
        for (std::size_t i : order) {
            sorted.push_back(entries[i]);
            sortedStarts.push_back(starts[i]);
        }
        list.entries = std::move(sorted);
        starts = std::move(sortedStarts);
    }
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const TracklistEntry& entry = list.entries[i];
        const std::string where = "line " + std::to_string(entry.line);
        if (audioLength > 0 && starts[i] >= audioLength) {
            error = "the track of " + where + " starts at " + ts::ClockTextMillis(starts[i]) +
                    ", at or past the end of the audio (" + ts::ClockTextMillis(audioLength) + ")";
            return false;
        }
        if (i > 0 && ts::CdFramesOf(starts[i]) <= ts::CdFramesOf(starts[i - 1])) {
            error = "the track of " + where + " starts at " + ts::ClockTextMillis(starts[i]) +
                    ", where the track before it starts";
            return false;
        }
    }
    return true;
}
