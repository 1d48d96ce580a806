// Reads the sheets that tracksmith-cli normalize writes back with programs
// nobody here wrote, and checks that each finds the tracks, index times and
// breakpoints our engine holds.
//
// What the engine holds is derived here from the sheet as written and the
// layout rules (tracks and indexes sorted by time with the exchange sort,
// tracks numbered on across FILEs, every FILE's first track starting at
// 00:00:00), not from our own parser.
//
// Where a peer reads a sound sheet differently, the expectation below says
// which peer and why; the engine is not bent to it:
// - cdrdao 1.2.4 places INDEX 02 and later at the track's START plus the
//   index's time in the FILE, as if that time counted from INDEX 01. In a
//   cue sheet every INDEX time counts from the start of its FILE. Where
//   that pushes an index to or past the track's end, cdrdao refuses the
//   sheet with "Index beyond track end".
// - cdrdao 1.2.4 refuses a track with both PREGAP and INDEX 00 ("PREGAP
//   allowed only once per track"): it reads INDEX 00 as a second pregap.
//   The format allows both (silence before the track, then the file's own
//   gap).
// - libcue (cuebreakpoints, cueprint) and cdrdao know only REM comments;
//   see SemicolonCommentsAreOursAlone for what they make of the ";"
//   comments that our reader accepts and keeps as written.
// - cuebreakpoints gives each breakpoint as a time in the track's own FILE
//   and leaves out those at 0:00.00, so a FILE's first track gives none.
#include "bench/SheetGenerator.h"
#include "bench/SheetPlan.h"
#include "peers/PeerRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kFps = 75;

// ---------------------------------------------------------------------------
// What the engine holds after reading and laying out a plan.

struct LaidIndex {
    int number;
    int frames;
};

struct LaidTrack {
    int number;
    std::size_t file; // position of its FILE in the plan
    std::vector<LaidIndex> indexes;
    const SheetPlan::Track* plan;

    std::optional<int> IndexTime(int indexNumber) const
    {
        for (const LaidIndex& i : indexes) {
            if (i.number == indexNumber)
                return i.frames;
        }
        return std::nullopt;
    }
};

// The exchange sort of the layout: pairs are compared in place and swapped
// when the earlier one is later in time; items without a key never move.
template <class T>
void ExchangeSort(std::vector<T>& items, const std::function<std::optional<int>(const T&)>& key)
{
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        for (std::size_t j = i + 1; j < items.size(); ++j) {
            const auto a = key(items[i]);
            const auto b = key(items[j]);
            if (a && b && *a > *b)
                std::swap(items[i], items[j]);
        }
    }
}

// Indexes in time order, numbered from 0 when the track keeps an INDEX 00
// beside another index, else from 1.
std::vector<LaidIndex> SortIndexes(std::vector<LaidIndex> indexes)
{
    const bool hadZero = std::any_of(indexes.begin(), indexes.end(), [](const LaidIndex& i) { return i.number == 0; });
    ExchangeSort<LaidIndex>(indexes, [](const LaidIndex& i) { return std::optional<int>(i.frames); });
    // A lone INDEX 00 stays INDEX 00; an INDEX 01 never moves: numbering
    // starts at 1 when it comes first, at 0 when an INDEX 00 stands right
    // before it.
    int first = hadZero ? 0 : 1;
    const auto one = std::find_if(indexes.begin(), indexes.end(), [](const LaidIndex& i) { return i.number == 1; });
    if (indexes.size() == 1)
        first = indexes.front().number == 0 ? 0 : 1;
    else if (one == indexes.begin())
        first = 1;
    else if (one == indexes.begin() + 1 && indexes.front().number == 0)
        first = 0;
    for (std::size_t k = 0; k < indexes.size(); ++k)
        indexes[k].number = first + static_cast<int>(k);
    return indexes;
}

std::vector<LaidTrack> LayOut(const SheetPlan& plan)
{
    std::vector<LaidTrack> laid;
    int next = 1;
    auto byTime = [](const LaidIndex& i) { return std::optional<int>(i.frames); };
    for (std::size_t f = 0; f < plan.files.size(); ++f) {
        // Each track's indexes are sorted first; a track then sorts by its
        // earliest index.
        std::vector<std::pair<const SheetPlan::Track*, std::vector<LaidIndex>>> tracks;
        for (const SheetPlan::Track& t : plan.files[f].tracks) {
            std::vector<LaidIndex> indexes;
            for (const SheetPlan::Index& i : t.indexes)
                indexes.push_back({i.number, i.frames});
            ExchangeSort<LaidIndex>(indexes, byTime);
            tracks.emplace_back(&t, indexes);
        }
        using Entry = std::pair<const SheetPlan::Track*, std::vector<LaidIndex>>;
        ExchangeSort<Entry>(tracks, [](const Entry& t) {
            return t.second.empty() ? std::nullopt : std::optional<int>(t.second.front().frames);
        });
        // The FILE's first track starts at 00:00:00: its INDEX 00 beside
        // another index moves to 0, a lone INDEX 00 keeps its time,
        // otherwise an index at 0 goes before the first one.
        if (!tracks.empty()) {
            std::vector<LaidIndex>& first = tracks.front().second;
            const auto zero = std::find_if(first.begin(), first.end(), [](const LaidIndex& i) { return i.number == 0; });
            if (!first.empty() && first.front().frames != 0) {
                if (zero != first.end() && first.size() >= 2) {
                    zero->frames = 0;
                    ExchangeSort<LaidIndex>(first, byTime);
                } else if (zero == first.end()) {
                    first.insert(first.begin(), {1, 0});
                }
            }
        }
        for (const auto& [t, indexes] : tracks)
            laid.push_back({next++, f, SortIndexes(indexes), t});
    }
    return laid;
}

// ---------------------------------------------------------------------------
// Canonical forms, compared line by line so that a failure shows the track.

std::string Describe(const LaidTrack& t, const SheetPlan& plan)
{
    std::ostringstream s;
    s << "TRACK " << t.number << " " << t.plan->type << " in " << plan.files[t.file].name << ":";
    for (const LaidIndex& i : t.indexes)
        s << " " << i.number << "@" << i.frames;
    if (t.plan->pregap >= 0)
        s << " pregap " << t.plan->pregap;
    if (t.plan->postgap >= 0)
        s << " postgap " << t.plan->postgap;
    if (!t.plan->isrc.empty())
        s << " isrc " << t.plan->isrc;
    if (t.plan->hasFlags)
        s << " flags" << (t.plan->dcp ? " DCP" : "") << (t.plan->fourChannel ? " 4CH" : "") << (t.plan->preEmphasis ? " PRE" : "");
    return s.str();
}

int ParseMsf(const std::string& text)
{
    int m = 0, s = 0, f = 0;
    if (std::sscanf(text.c_str(), "%d:%d:%d", &m, &s, &f) != 3)
        return -1;
    return (m * 60 + s) * kFps + f;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::ptrdiff_t CountCrLf(const std::string& text)
{
    std::ptrdiff_t n = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++n;
    return n;
}

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string w;
    while (in >> w)
        words.push_back(w);
    return words;
}

// Our saved sheet, read with a scanner of its own (not the engine's reader)
// into the same form as Describe.
std::vector<std::string> DescribeSaved(const std::string& text)
{
    std::vector<std::string> tracks;
    std::string file;
    struct Pending {
        std::string head, indexes, pregap, postgap, isrc, flags;
    };
    std::optional<Pending> track;
    const auto flush = [&] {
        if (track)
            tracks.push_back(track->head + ":" + track->indexes + track->pregap + track->postgap + track->isrc + track->flags);
        track.reset();
    };
    for (const std::string& line : Lines(text)) {
        const std::vector<std::string> w = Words(line);
        if (w.empty())
            continue;
        if (w[0] == "FILE") {
            flush();
            const auto open = line.find('"');
            file = open != std::string::npos ? line.substr(open + 1, line.find('"', open + 1) - open - 1) : w[1];
        } else if (w[0] == "TRACK" && w.size() >= 3) {
            flush();
            track = Pending{"TRACK " + std::to_string(std::stoi(w[1])) + " " + w[2] + " in " + file, {}, {}, {}, {}, {}};
        } else if (track && w[0] == "INDEX" && w.size() >= 3) {
            track->indexes += " " + std::to_string(std::stoi(w[1])) + "@" + std::to_string(ParseMsf(w[2]));
        } else if (track && w[0] == "PREGAP" && w.size() >= 2) {
            track->pregap = " pregap " + std::to_string(ParseMsf(w[1]));
        } else if (track && w[0] == "POSTGAP" && w.size() >= 2) {
            track->postgap = " postgap " + std::to_string(ParseMsf(w[1]));
        } else if (track && w[0] == "ISRC" && w.size() >= 2) {
            track->isrc = " isrc " + w[1];
        } else if (track && w[0] == "FLAGS") {
            track->flags = " flags";
            for (std::size_t k = 1; k < w.size(); ++k)
                track->flags += " " + w[k];
        }
    }
    flush();
    return tracks;
}

std::string Breakpoint(int frames)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%d:%02d.%02d", frames / (kFps * 60), frames / kFps % 60, frames % kFps);
    return buffer;
}

enum class Gaps { Append, Prepend, Split };

// What cuebreakpoints reports: times in the track's FILE, none at 0.
// Append: each track after the first at its INDEX 01 (the gap stays with
// the track before). Prepend: at its INDEX 00 when it has one. Split: the
// INDEX 00 and the INDEX 01 of every track.
std::vector<std::string> ExpectedBreakpoints(const std::vector<LaidTrack>& tracks, Gaps gaps)
{
    std::vector<std::string> points;
    const auto add = [&](std::optional<int> frames) {
        if (frames && *frames != 0)
            points.push_back(Breakpoint(*frames));
    };
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        const LaidTrack& t = tracks[k];
        switch (gaps) {
        case Gaps::Append:
            if (k > 0)
                add(t.IndexTime(1));
            break;
        case Gaps::Prepend:
            if (k > 0)
                add(t.IndexTime(0) ? t.IndexTime(0) : t.IndexTime(1));
            break;
        case Gaps::Split:
            add(t.IndexTime(0));
            add(t.IndexTime(1));
            break;
        }
    }
    return points;
}

struct CdrdaoView {
    std::string refusal; // what cdrdao says when it refuses the sheet
    std::vector<std::string> toc;
};

// cdrdao's table of contents: positions on the disc, where each PREGAP and
// POSTGAP adds silence and each FILE follows the one before.
CdrdaoView ExpectedCdrdao(const SheetPlan& plan, const std::vector<LaidTrack>& tracks,
                          const std::vector<int>& fileFrames)
{
    CdrdaoView view;
    std::vector<std::string>& out = view.toc;
    for (const LaidTrack& t : tracks) {
        if (t.plan->pregap >= 0 && t.IndexTime(0))
            view.refusal = "PREGAP allowed only once per track";
    }
    if (!view.refusal.empty())
        return view;
    if (!plan.catalog.empty())
        out.push_back("CATALOG " + plan.catalog);
    std::vector<int> fileBase(fileFrames.size(), 0);
    for (std::size_t f = 1; f < fileFrames.size(); ++f)
        fileBase[f] = fileBase[f - 1] + fileFrames[f - 1];

    std::vector<int> start(tracks.size()), gap(tracks.size());
    int silence = 0; // PREGAP and POSTGAP silence before the current track
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        const LaidTrack& t = tracks[k];
        const int pregap = std::max(t.plan->pregap, 0);
        const int one = t.IndexTime(1).value_or(0);
        gap[k] = pregap + (t.IndexTime(0) ? one - *t.IndexTime(0) : 0);
        start[k] = fileBase[t.file] + one + silence + pregap;
        silence += pregap + std::max(t.plan->postgap, 0);
    }
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        const LaidTrack& t = tracks[k];
        const SheetPlan::Track& p = *t.plan;
        out.push_back("TRACK " + std::to_string(t.number));
        if (!p.isrc.empty())
            out.push_back("ISRC " + p.isrc);
        out.push_back(std::string("COPY ") + (p.dcp ? "1" : "0"));
        out.push_back(std::string("PRE ") + (p.preEmphasis ? "1" : "0"));
        out.push_back(std::string("FOUR ") + (p.fourChannel ? "1" : "0"));
        if (gap[k] > 0)
            out.push_back("PREGAP " + std::to_string(gap[k]));
        out.push_back("START " + std::to_string(start[k]));
        const int end = k + 1 < tracks.size() ? start[k + 1] - gap[k + 1]
                                               : fileBase[t.file] + fileFrames[t.file] + silence;
        // cdrdao counts INDEX 02 on from START (see the top of the file).
        for (const LaidIndex& i : t.indexes) {
            if (i.number < 2)
                continue;
            if (start[k] + i.frames >= end)
                view.refusal = "Index beyond track end";
            out.push_back("INDEX " + std::to_string(i.number) + " " + std::to_string(start[k] + i.frames));
        }
        out.push_back("END " + std::to_string(end));
    }
    return view;
}

// cdrdao show-toc output in the form of ExpectedCdrdao.
std::vector<std::string> ScanCdrdao(const std::string& text)
{
    std::vector<std::string> out;
    const auto frames = [](const std::string& line) {
        const auto open = line.rfind('(');
        return open == std::string::npos ? std::string("?") : std::to_string(std::atoi(line.c_str() + open + 1));
    };
    for (const std::string& line : Lines(text)) {
        const std::vector<std::string> w = Words(line);
        if (w.empty())
            continue;
        if (line.rfind("CATALOG NUMBER:", 0) == 0 && w.size() >= 3)
            out.push_back("CATALOG " + w[2]);
        else if (w[0] == "TRACK" && w.size() >= 2)
            out.push_back("TRACK " + w[1]);
        else if (w[0] == "ISRC") {
            std::string code;
            for (std::size_t k = 1; k < w.size(); ++k)
                code += w[k];
            out.push_back("ISRC " + code);
        } else if (w[0] == "COPY")
            out.push_back(std::string("COPY ") + (w[1] == "PERMITTED" ? "1" : "0"));
        else if (w[0] == "PRE-EMPHASIS" || (w[0] == "NO" && w.size() > 1 && w[1] == "PRE-EMPHASIS"))
            out.push_back(std::string("PRE ") + (w[0] == "NO" ? "0" : "1"));
        else if (w.size() >= 3 && w[1] == "CHANNEL")
            out.push_back(std::string("FOUR ") + (w[0] == "FOUR" ? "1" : "0"));
        else if (w[0] == "PREGAP" || w[0] == "START" || w[0] == "END")
            out.push_back(w[0] + " " + frames(line));
        else if (w[0] == "INDEX" && w.size() >= 2)
            out.push_back("INDEX " + w[1] + " " + frames(line));
    }
    return out;
}

// A silent CD audio wave file of the given length, sparse on disk.
void WriteWave(const std::string& path, int frames)
{
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(frames) * 2352u;
    std::string header = "RIFF....WAVEfmt ....................data....";
    const auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
        for (int b = 0; b < bytes; ++b)
            header[at + static_cast<std::size_t>(b)] = static_cast<char>((value >> (8 * b)) & 0xffu);
    };
    put(4, 36 + dataBytes, 4);
    put(16, 16, 4);      // fmt chunk size
    put(20, 1, 2);       // PCM
    put(22, 2, 2);       // stereo
    put(24, 44100, 4);   // samples a second
    put(28, 176400, 4);  // bytes a second
    put(32, 4, 2);       // block align
    put(34, 16, 2);      // bits a sample
    put(40, dataBytes, 4);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(header.data(), static_cast<std::streamsize>(header.size()));
    }
    std::filesystem::resize_file(path, header.size() + dataBytes);
}

// ---------------------------------------------------------------------------
// The sheets.

// A track with its indexes as (number, frames), in written order.
SheetPlan::Track MakeTrack(int number, std::initializer_list<std::pair<int, int>> indexes)
{
    SheetPlan::Track t;
    t.number = number;
    for (const auto& [n, frames] : indexes)
        t.indexes.push_back({n, frames, {}});
    return t;
}

int Sec(int seconds, int frames = 0) { return seconds * kFps + frames; }

struct PeerCase {
    std::string name;
    std::function<SheetPlan()> make;
};

std::ostream& operator<<(std::ostream& os, const PeerCase& c) { return os << c.name; }

SheetPlan TwoFilesAllKeywords()
{
    SheetPlan plan;
    plan.remarks = {"REM GENRE Test", "", "REM COMMENT \"made by the peer test\""};
    plan.catalog = "1234567890123";
    SheetPlan::File a;
    a.name = "Side A.wav"; // blank in the name: written in double quotes
    a.remarks = {"REM side one"};
    SheetPlan::Track t1 = MakeTrack(1, {{0, 0}, {1, Sec(2)}, {2, Sec(5)}});
    t1.indexes[0].remarkAfter = "REM after index";
    t1.hasFlags = true;
    t1.dcp = true;
    t1.preEmphasis = true;
    t1.isrc = "USABC2400001";
    t1.remarks = {"REM TITLE \"One\""};
    SheetPlan::Track t2 = MakeTrack(2, {{1, Sec(40, 12)}});
    t2.pregap = Sec(1, 30);
    t2.hasFlags = true;
    t2.fourChannel = true;
    SheetPlan::Track t3 = MakeTrack(3, {{0, Sec(80)}, {1, Sec(82, 37)}});
    t3.postgap = Sec(2);
    t3.isrc = "USABC2400003";
    a.tracks = {t1, t2, t3};
    SheetPlan::File b;
    b.name = "B.WAV";
    SheetPlan::Track t4 = MakeTrack(4, {{1, 0}});
    t4.hasFlags = true; // FLAGS with no flag set
    t4.pregap = Sec(2);
    SheetPlan::Track t5 = MakeTrack(5, {{0, Sec(30)}, {1, Sec(31, 1)}, {2, Sec(33)}});
    t5.postgap = Sec(1, 5);
    b.tracks = {t4, t5};
    plan.files = {a, b};
    return plan;
}

// Tracks written out of time order and misnumbered; indexes out of order
// inside a track. A track sorts by the first index written for it.
SheetPlan UnsortedTracks()
{
    SheetPlan plan;
    SheetPlan::File f;
    f.name = "MIX.WAV";
    SheetPlan::Track late = MakeTrack(7, {{2, Sec(95)}, {1, Sec(90)}, {0, Sec(88)}});
    late.isrc = "GBXYZ2400007";
    SheetPlan::Track middle = MakeTrack(3, {{1, Sec(40, 50)}, {0, Sec(38)}});
    middle.hasFlags = true;
    middle.dcp = true;
    SheetPlan::Track first = MakeTrack(9, {{1, 0}});
    SheetPlan::Track second = MakeTrack(3, {{1, Sec(20)}, {3, Sec(25)}, {2, Sec(22)}});
    f.tracks = {late, middle, first, second};
    plan.files = {f};
    return plan;
}

// FILEs whose first track does not start at 00:00:00: the layout adds an
// index at 0 before it, or moves an INDEX 00 that is already there to 0;
// INDEX 01 keeps its time.
SheetPlan LateFirstTracks()
{
    SheetPlan plan;
    SheetPlan::File a;
    a.name = "LATE.WAV";
    a.tracks = {MakeTrack(1, {{1, Sec(2)}}), MakeTrack(2, {{1, Sec(30)}})};
    SheetPlan::File b;
    b.name = "Late Two.wav";
    b.tracks = {MakeTrack(1, {{1, Sec(40)}}), MakeTrack(2, {{0, Sec(1)}, {1, Sec(3)}})};
    SheetPlan::File c;
    c.name = "ONLY00.WAV";
    // An INDEX 00 read after the INDEX 01 of a FILE's first track is its
    // lead-in: it moves to 0 and the INDEX 01 stays.
    c.tracks = {MakeTrack(1, {{1, Sec(2)}, {0, Sec(5)}}), MakeTrack(2, {{0, Sec(10)}, {1, Sec(12)}})};
    plan.files = {a, b, c};
    return plan;
}

// Unsorted in every FILE; the numbers run on across FILEs.
SheetPlan UnsortedAcrossFiles()
{
    SheetPlan plan;
    plan.catalog = "0724384960650";
    for (int f = 0; f < 3; ++f) {
        SheetPlan::File file;
        file.name = "Disc " + std::to_string(f + 1) + " Part.wav";
        for (int k = 5; k >= 0; --k) {
            SheetPlan::Track t = k == 0 ? MakeTrack(99, {{1, 0}})
                                        : MakeTrack(99 - k, {{0, Sec(k * 20 + 3 * f)}, {1, Sec(k * 20 + 3 * f + 2, k)}});
            if (k % 2)
                t.isrc = "FRZ0324" + std::to_string(10000 + f * 10 + k);
            file.remarks.push_back("REM part " + std::to_string(k));
            file.tracks.push_back(t);
        }
        plan.files.push_back(file);
    }
    return plan;
}

// PREGAP and INDEX 00 in the same track: silence first, then the FILE's
// own gap.
SheetPlan PregapAndIndexZero()
{
    SheetPlan plan;
    SheetPlan::File f;
    f.name = "GAPS.WAV";
    SheetPlan::Track t2 = MakeTrack(2, {{0, Sec(30)}, {1, Sec(32)}});
    t2.pregap = Sec(1);
    f.tracks = {MakeTrack(1, {{1, 0}}), t2};
    plan.files = {f};
    return plan;
}

const PeerCase kCases[] = {
    {"TwoFilesAllKeywords", TwoFilesAllKeywords},
    {"UnsortedTracks", UnsortedTracks},
    {"LateFirstTracks", LateFirstTracks},
    {"UnsortedAcrossFiles", UnsortedAcrossFiles},
    {"PregapAndIndexZero", PregapAndIndexZero},
    {"GeneratedRealistic", SheetGenerator::Realistic},
    {"GeneratedStress", SheetGenerator::Stress},
};

// ---------------------------------------------------------------------------

class PeerReadBack : public testing::TestWithParam<PeerCase>
{
protected:
    static void SetUpTestSuite()
    {
        // scripts/deps.sh installs these; a missing one is a failure, never
        // a skip.
        for (const char* tool : {"cuebreakpoints", "cueprint", "cdrdao"})
            ASSERT_TRUE(PeerRun::Installed(tool)) << tool << " is not installed (scripts/deps.sh installs it)";
    }

    // Writes the plan, normalizes it with tracksmith-cli and the wave files
    // it names; returns the normalized sheet's file name in the folder.
    std::string Normalize(const SheetPlan& plan)
    {
        m_dir.Write("input.cue", plan.Text());
        const PeerRun run = PeerRun::Run(m_dir.Path().string(),
                                         PeerRun::Quote(TS_CLI_PATH) + " normalize input.cue");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        m_saved = run.out;
        m_dir.Write("sheet.cue", run.out);
        m_fileFrames.clear();
        for (const SheetPlan::File& f : plan.files) {
            int last = 0;
            for (const SheetPlan::Track& t : f.tracks) {
                for (const SheetPlan::Index& i : t.indexes)
                    last = std::max(last, i.frames);
            }
            m_fileFrames.push_back(last + Sec(30));
            WriteWave(m_dir.File(f.name), m_fileFrames.back());
        }
        return "sheet.cue";
    }

    PeerRun Peer(const std::string& command) { return PeerRun::Run(m_dir.Path().string(), command); }

    TempDir m_dir;
    std::string m_saved;
    std::vector<int> m_fileFrames;
};

TEST_P(PeerReadBack, PeersReadWhatTheEngineHolds)
{
    const SheetPlan plan = GetParam().make();
    const std::vector<LaidTrack> laid = LayOut(plan);
    const std::string sheet = Normalize(plan);
    ASSERT_FALSE(HasFailure());

    // Our own output, scanned without the engine.
    std::vector<std::string> expected;
    for (const LaidTrack& t : laid)
        expected.push_back(Describe(t, plan));
    EXPECT_EQ(DescribeSaved(m_saved), expected);
    EXPECT_EQ(std::count(m_saved.begin(), m_saved.end(), '\n'), CountCrLf(m_saved)) << "every line ends in CR LF";

    // cueprint: the track count, then each track's number and ISRC.
    {
        const PeerRun run = Peer("cueprint -d '%N\\n' -t '%n %i\\n' " + sheet);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        std::vector<std::string> want = {std::to_string(laid.size())};
        for (const LaidTrack& t : laid)
            want.push_back(std::to_string(t.number) + " " + t.plan->isrc);
        EXPECT_EQ(Lines(run.out), want);
    }

    // cuebreakpoints in its three ways of placing the gaps.
    const std::pair<const char*, Gaps> modes[] = {
        {"--append-gaps", Gaps::Append}, {"--prepend-gaps", Gaps::Prepend}, {"--split-gaps", Gaps::Split}};
    for (const auto& [option, gaps] : modes) {
        const PeerRun run = Peer(std::string("cuebreakpoints ") + option + " " + sheet);
        EXPECT_EQ(run.exitCode, 0) << option << ": " << run.err;
        EXPECT_EQ(run.err, "") << option;
        EXPECT_EQ(Lines(run.out), ExpectedBreakpoints(laid, gaps)) << option;
    }

    // cdrdao: the disc's table of contents.
    {
        const PeerRun run = Peer("cdrdao show-toc " + sheet);
        const CdrdaoView want = ExpectedCdrdao(plan, laid, m_fileFrames);
        if (want.refusal.empty()) {
            EXPECT_EQ(run.exitCode, 0) << run.err << run.out;
            EXPECT_EQ(ScanCdrdao(run.out + run.err), want.toc);
        } else {
            EXPECT_NE(run.exitCode, 0);
            EXPECT_NE((run.out + run.err).find(want.refusal), std::string::npos) << run.out << run.err;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, PeerReadBack, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PeerCase>& p) { return p.param.name; });

// The regression sheets of the patterns that real sheets use: libcue
// (cueprint, cuebreakpoints) and cdrdao read the saved sheet exactly as
// they read the original, refusals included.
std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The names of the FILE lines, quoted or not.
std::vector<std::string> FileNames(const std::string& sheet)
{
    std::vector<std::string> names;
    std::istringstream in(sheet);
    for (std::string line; std::getline(in, line);) {
        const auto start = line.find_first_not_of(' ');
        if (start == std::string::npos || line.compare(start, 5, "FILE ") != 0)
            continue;
        std::string rest = line.substr(start + 5);
        if (!rest.empty() && rest[0] == '"')
            names.push_back(rest.substr(1, rest.find('"', 1) - 1));
        else
            names.push_back(rest.substr(0, rest.find(' ')));
    }
    return names;
}

// What a peer printed, without what names the sheet file or its lines.
std::string PeerView(const PeerRun& run, const std::string& sheet)
{
    std::string text = "exit " + std::to_string(run.exitCode) + "\n";
    std::istringstream in(run.out + run.err);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("Cdrdao version"))
            continue;
        if (line.starts_with(sheet + ":"))
            line = line.substr(line.find(' ') + 1);
        for (std::size_t at; (at = line.find(sheet)) != std::string::npos;)
            line.replace(at, sheet.size(), "SHEET");
        text += line + "\n";
    }
    return text;
}

// The expected views of the saved sheet where the save mends what a peer
// read wrongly or not at all: NAME.peers holds, for each such command, a
// line "== COMMAND" and the view of the saved sheet. Every other command
// must read the saved sheet as it read the original.
std::map<std::string, std::string> MendedViews(const std::filesystem::path& sheet)
{
    std::filesystem::path peers = sheet;
    peers.replace_extension(".peers");
    std::map<std::string, std::string> views;
    std::istringstream in(ReadAll(peers));
    std::string* current = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("== "))
            current = &views[line.substr(3)];
        else if (current)
            *current += line + "\n";
    }
    return views;
}

std::vector<std::string> RegressionSheets()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(TS_TEST_DATA_DIR) / "sheets")) {
        if (entry.path().extension() == ".cue")
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class PeerRegression : public testing::TestWithParam<std::string> {};

TEST_P(PeerRegression, SavedReadsAsTheOriginal)
{
    for (const char* tool : {"cuebreakpoints", "cueprint", "cdrdao"})
        ASSERT_TRUE(PeerRun::Installed(tool)) << tool << " is not installed (scripts/deps.sh installs it)";
    const std::filesystem::path path = std::filesystem::path(TS_TEST_DATA_DIR) / "sheets" / GetParam();
    const std::string original = ReadAll(path);
    ASSERT_FALSE(original.empty()) << GetParam();
    const std::map<std::string, std::string> mended = MendedViews(path);
    TempDir dir;
    dir.Write("input.cue", original);
    const PeerRun ours = PeerRun::Run(dir.Path().string(), PeerRun::Quote(TS_CLI_PATH) + " normalize input.cue");
    ASSERT_EQ(ours.exitCode, 0) << ours.err;
    dir.Write("saved.cue", ours.out);
    for (const std::string& sheet : {original, ours.out}) {
        for (const std::string& name : FileNames(sheet)) {
            if (name.find('\0') == std::string::npos && !name.empty())
                WriteWave(dir.File(name), Sec(40));
        }
    }
    // Saved once more, it is the same sheet.
    const PeerRun again = PeerRun::Run(dir.Path().string(), PeerRun::Quote(TS_CLI_PATH) + " normalize saved.cue");
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, ours.out);
    for (const char* command : {"cueprint", "cuebreakpoints", "cuebreakpoints --prepend-gaps", "cdrdao show-toc"}) {
        const std::string before = PeerView(PeerRun::Run(dir.Path().string(), std::string(command) + " input.cue"), "input.cue");
        const std::string after = PeerView(PeerRun::Run(dir.Path().string(), std::string(command) + " saved.cue"), "saved.cue");
        if (const auto it = mended.find(command); it != mended.end()) {
            EXPECT_NE(before, it->second) << command << ": the original already reads so";
            EXPECT_EQ(after, it->second) << command << " on\n" << ours.out;
        } else {
            EXPECT_EQ(after, before) << command << " on\n" << ours.out;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, PeerRegression, testing::ValuesIn(RegressionSheets()),
                         [](const testing::TestParamInfo<std::string>& p) {
                             std::string name = std::filesystem::path(p.param).stem().string();
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// Our reader takes ";" comments, on their own line or after a keyword, and
// keeps them as written. libcue knows REM only: it complains about every
// character of a ";" comment and skips it, and where the comment's words
// are cue commands it reads them as such and gives up on the sheet. cdrdao
// stops at the first one with "Unknown command".
TEST(PeerComments, SemicolonCommentsAreOursAlone)
{
    for (const char* tool : {"cuebreakpoints", "cdrdao"})
        ASSERT_TRUE(PeerRun::Installed(tool)) << tool << " is not installed (scripts/deps.sh installs it)";
    TempDir dir;
    WriteWave(dir.File("A.WAV"), Sec(30));
    const struct {
        const char* comment;
        const char* libcueBreakpoints; // what cuebreakpoints still reports
        const char* libcueSays;
    } cases[] = {
        {"; first", "0:10.00\n", "bad character ';'"},
        {"; INDEX 01 00:20:00", "", "unable to parse input file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.comment);
        dir.Write("input.cue", std::string("; ripped by hand\r\nFILE A.WAV WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
                                           "  TRACK 02 AUDIO ") + c.comment + "\r\n    INDEX 01 00:10:00\r\n");
        const PeerRun ours = PeerRun::Run(dir.Path().string(), PeerRun::Quote(TS_CLI_PATH) + " normalize input.cue");
        ASSERT_EQ(ours.exitCode, 0) << ours.err;
        EXPECT_EQ(ours.out, std::string("; ripped by hand\r\nFILE A.WAV WAVE\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
                                        "  TRACK 02 AUDIO                ") + c.comment + "\r\n    INDEX 01 00:10:00\r\n");
        dir.Write("sheet.cue", ours.out);

        const PeerRun libcue = PeerRun::Run(dir.Path().string(), "cuebreakpoints sheet.cue");
        EXPECT_EQ(libcue.out, c.libcueBreakpoints);
        EXPECT_NE(libcue.err.find(c.libcueSays), std::string::npos) << libcue.err;
        const PeerRun cdrdao = PeerRun::Run(dir.Path().string(), "cdrdao show-toc sheet.cue");
        EXPECT_NE(cdrdao.exitCode, 0);
        EXPECT_NE((cdrdao.out + cdrdao.err).find("Unknown command"), std::string::npos) << cdrdao.out << cdrdao.err;
    }
}

} // namespace
