// tracksmith-demo-waves [--force] SHEET.cue
//
// Writes the WAVE files that a demo sheet names, beside the sheet, so that the
// editor's player has something to play: soft chords with a slow arpeggio for
// every track, a different chord for every index, and silence from each
// INDEX 00 to its INDEX 01. Files that exist are left alone unless --force.
// The output depends on the sheet only: no clock, no random numbers.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kRate = 44100;
constexpr std::uint32_t kChannels = 2;
constexpr std::uint32_t kSamplesPerFrame = kRate / 75; // one CD frame, 1/75 s
constexpr std::int64_t kTailAfterLastStart = 45 * kRate; // last track's length
constexpr std::int64_t kTailAfterLastIndex = 15 * kRate;
constexpr std::int64_t kMaxLength = 20 * 60 * kRate; // guards against absurd sheets

struct Index {
    int number = 0;
    std::int64_t sample = 0;
};

struct Track {
    int number = 0;
    std::vector<Index> indexes;
};

struct WaveFile {
    std::string name;
    std::vector<Track> tracks;
};

// A stretch of sound: from `start` to `end` in samples, one chord.
struct Segment {
    std::int64_t start = 0;
    std::int64_t end = 0;
    int chord = 0;
};

std::string Upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// "mm:ss:ff" at 75 frames a second, in samples; nothing when malformed.
std::optional<std::int64_t> ParseTime(const std::string& text)
{
    unsigned mm = 0;
    unsigned ss = 0;
    unsigned ff = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%u:%u:%u%c", &mm, &ss, &ff, &tail) != 3 || ss > 59 || ff > 74 || mm > 99)
        return std::nullopt;
    return (static_cast<std::int64_t>(mm) * 60 * 75 + ss * 75 + ff) * kSamplesPerFrame;
}

// A FILE name is written beside the sheet, so it must be a plain name.
bool IsPlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos;
}

std::string TimeText(std::int64_t samples)
{
    const std::int64_t seconds = samples / kRate;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

// Reads the FILE, TRACK and INDEX lines; every other line is skipped. Only
// WAVE files are kept. False, with a message, when the sheet is unusable.
bool ReadSheet(const fs::path& sheet, std::vector<WaveFile>& files)
{
    std::ifstream in(sheet, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "tracksmith-demo-waves: \"%s\" cannot be read\n", sheet.string().c_str());
        return false;
    }
    std::string line;
    int lineNumber = 0;
    bool inWave = false;
    auto fail = [&](const char* what) {
        std::fprintf(stderr, "tracksmith-demo-waves: \"%s\" line %d: %s\n", sheet.string().c_str(), lineNumber, what);
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        keyword = Upper(keyword);
        if (keyword == "FILE") {
            std::string name;
            words >> std::ws;
            if (words.peek() == '"') {
                words.get();
                std::getline(words, name, '"');
            } else {
                words >> name;
            }
            std::string type;
            words >> type;
            inWave = Upper(type) == "WAVE";
            if (!inWave)
                continue;
            if (!IsPlainName(name))
                return fail("the FILE name must be a plain file name");
            files.push_back({name, {}});
        } else if (keyword == "TRACK" && inWave) {
            Track track;
            if (!(words >> track.number))
                return fail("TRACK without a number");
            files.back().tracks.push_back(track);
        } else if (keyword == "INDEX" && inWave) {
            if (files.back().tracks.empty())
                return fail("INDEX before the first TRACK of its FILE");
            Index index;
            std::string time;
            words >> index.number >> time;
            const std::optional<std::int64_t> sample = ParseTime(time);
            if (!sample)
                return fail("INDEX without a valid mm:ss:ff time");
            index.sample = *sample;
            files.back().tracks.back().indexes.push_back(index);
        }
    }
    return true;
}

// The stretches that sound, in time order; everything between them is silent.
// Each index from 01 on starts a segment that lasts until the next index of
// its track, or until the next track's first index (its INDEX 00 when it has
// one, so that the gap stays silent), or until the end of the file.
bool PlanSegments(const WaveFile& file, std::vector<Segment>& segments, std::int64_t& length)
{
    std::vector<std::pair<Index, const Track*>> marks;
    for (const Track& track : file.tracks) {
        for (const Index& index : track.indexes)
            marks.emplace_back(index, &track);
    }
    for (std::size_t i = 1; i < marks.size(); ++i) {
        if (marks[i].first.sample < marks[i - 1].first.sample) {
            std::fprintf(stderr, "tracksmith-demo-waves: the indexes of %s are not in time order\n", file.name.c_str());
            return false;
        }
    }
    length = 0;
    for (const auto& [index, track] : marks) {
        length = std::max(length, index.sample + kTailAfterLastIndex);
        if (index.number >= 1)
            length = std::max(length, index.sample + (track == marks.back().second ? kTailAfterLastStart : 0));
    }
    if (length > kMaxLength) {
        std::fprintf(stderr, "tracksmith-demo-waves: %s would last longer than 20 minutes\n", file.name.c_str());
        return false;
    }
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const auto& [index, track] = marks[i];
        if (index.number < 1)
            continue;
        const std::int64_t end = i + 1 < marks.size() ? marks[i + 1].first.sample : length;
        // Chords run through the table by track, and each further index of a
        // track moves three places on, so every index sounds different.
        const int chord = (track->number - 1) + (index.number - 1) * 3;
        if (end > index.sample)
            segments.push_back({index.sample, end, chord});
    }
    return true;
}

double NoteFrequency(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// Three-note chords as MIDI note numbers, low enough to be gentle.
constexpr int kChords[][3] = {
    {60, 64, 67}, // C major
    {62, 69, 74}, // D and its fifth
    {45, 52, 60}, // A minor, low
    {53, 57, 60}, // F major
    {55, 59, 62}, // G major
    {52, 55, 59}, // E minor
    {57, 61, 64}, // A major
    {50, 53, 57}, // D minor
};
constexpr int kChordCount = static_cast<int>(std::size(kChords));

// One stereo sample pair of a segment at `t` samples from its start.
void Render(const Segment& segment, std::int64_t t, double& left, double& right)
{
    const int* notes = kChords[segment.chord % kChordCount];
    const double seconds = static_cast<double>(t) / kRate;
    const double length = static_cast<double>(segment.end - segment.start) / kRate;
    constexpr double kTwoPi = 2.0 * std::numbers::pi;

    // A quiet pad of the whole chord under everything.
    double pad = 0.0;
    for (int n = 0; n < 3; ++n) {
        const double f = NoteFrequency(notes[n]);
        pad += std::sin(kTwoPi * f * seconds) + 0.2 * std::sin(kTwoPi * 2.0 * f * seconds);
    }
    pad *= 0.045 * (1.0 + 0.15 * std::sin(kTwoPi * 0.2 * seconds));

    // A plucked note every half second, up through the chord and an octave
    // above, swaying between the channels.
    constexpr double kStep = 0.5;
    const int step = static_cast<int>(seconds / kStep);
    const double since = seconds - step * kStep;
    const int note = notes[step % 3] + 12 * ((step / 3) % 2);
    const double pluckF = NoteFrequency(note);
    const double decay = std::exp(-since / 0.3);
    const double attack = std::min(1.0, since / 0.005);
    const double pluck = 0.22 * attack * decay *
                         (std::sin(kTwoPi * pluckF * seconds) + 0.3 * std::sin(kTwoPi * 2.0 * pluckF * seconds));
    const double pan = step % 2 == 0 ? 0.35 : 0.65;

    // Soft start and a long fade before the next silence or index.
    const double fadeIn = std::min(1.0, seconds / 0.03);
    const double fadeOut = std::clamp((length - seconds) / std::min(1.5, length / 3.0), 0.0, 1.0);
    const double envelope = fadeIn * fadeOut;
    left = envelope * (pad + pluck * (1.0 - pan));
    right = envelope * (pad + pluck * pan);
}

void PutLe(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string WaveHeader(std::uint32_t frames)
{
    const std::uint32_t dataBytes = frames * kChannels * 2;
    std::string h;
    h += "RIFF";
    PutLe(h, 36 + dataBytes, 4);
    h += "WAVEfmt ";
    PutLe(h, 16, 4);
    PutLe(h, 1, 2); // PCM
    PutLe(h, kChannels, 2);
    PutLe(h, kRate, 4);
    PutLe(h, kRate * kChannels * 2, 4);
    PutLe(h, kChannels * 2, 2);
    PutLe(h, 16, 2);
    h += "data";
    PutLe(h, dataBytes, 4);
    return h;
}

std::int16_t ToPcm(double value)
{
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
}

// Writes beside the target and renames over it when complete, so that an
// interrupted run never leaves a short file that a later run would keep.
bool WriteWave(const fs::path& path, const std::vector<Segment>& segments, std::int64_t length)
{
    fs::path temporary = path;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        const std::string header = WaveHeader(static_cast<std::uint32_t>(length));
        out.write(header.data(), static_cast<std::streamsize>(header.size()));
        std::string block;
        block.reserve(65536 * 4);
        std::size_t next = 0;
        for (std::int64_t s = 0; s < length && out; ++s) {
            while (next < segments.size() && segments[next].end <= s)
                ++next;
            double left = 0.0;
            double right = 0.0;
            if (next < segments.size() && segments[next].start <= s)
                Render(segments[next], s - segments[next].start, left, right);
            PutLe(block, static_cast<std::uint16_t>(ToPcm(left)), 2);
            PutLe(block, static_cast<std::uint16_t>(ToPcm(right)), 2);
            if (block.size() >= 65536 * 4) {
                out.write(block.data(), static_cast<std::streamsize>(block.size()));
                block.clear();
            }
        }
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
        if (!out.flush()) {
            out.close();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            std::fprintf(stderr, "tracksmith-demo-waves: \"%s\" cannot be written\n", path.string().c_str());
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        std::fprintf(stderr, "tracksmith-demo-waves: \"%s\" cannot be written: %s\n", path.string().c_str(),
                     error.message().c_str());
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    bool force = false;
    std::optional<fs::path> sheet;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--force" && !force) {
            force = true;
        } else if (!sheet && !arg.empty() && arg[0] != '-') {
            sheet = arg;
        } else {
            sheet.reset();
            break;
        }
    }
    if (!sheet) {
        std::fputs("usage: tracksmith-demo-waves [--force] SHEET.cue\n", stderr);
        return 2;
    }
    std::vector<WaveFile> files;
    if (!ReadSheet(*sheet, files))
        return 1;
    if (files.empty()) {
        std::fprintf(stderr, "tracksmith-demo-waves: \"%s\" names no WAVE file\n", sheet->string().c_str());
        return 1;
    }
    const fs::path folder = sheet->parent_path();
    for (const WaveFile& file : files) {
        const fs::path path = folder / file.name;
        if (!force && fs::exists(path))
            continue;
        std::vector<Segment> segments;
        std::int64_t length = 0;
        if (!PlanSegments(file, segments, length) || !WriteWave(path, segments, length))
            return 1;
        std::printf("wrote %s (%s)\n", path.string().c_str(), TimeText(length).c_str());
    }
    return 0;
}
