#include "verify/CRipLog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

constexpr std::size_t kMaxLogBytes = 16 * 1024 * 1024;
// No line of a log is longer; longer ones are passed over unread, which
// also keeps the regular expressions' work per line small.
constexpr std::size_t kMaxLineBytes = 1024;

void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string FromUtf16(const std::string& bytes, std::size_t from, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? std::uint32_t(a) << 8 | b : std::uint32_t(b) << 8 | a;
    };
    for (std::size_t i = from; i + 1 < bytes.size(); i += 2) {
        std::uint32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::string Trimmed(const std::string& line)
{
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

std::uint32_t HexValue(const std::string& text) { return static_cast<std::uint32_t>(std::stoul(text, nullptr, 16)); }

} // namespace

std::string CRipLog::ToUtf8(const std::string& bytes)
{
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return FromUtf16(bytes, 2, false);
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return FromUtf16(bytes, 2, true);
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return bytes.substr(3);
    // UTF-16 without its mark: every other byte of the ASCII text is zero.
    if (bytes.size() >= 4 && bytes[0] != '\0' && bytes[1] == '\0' && bytes[3] == '\0')
        return FromUtf16(bytes, 0, false);
    if (bytes.size() >= 4 && bytes[0] == '\0' && bytes[1] != '\0' && bytes[2] == '\0')
        return FromUtf16(bytes, 0, true);
    return bytes;
}

std::string CRipLog::FindBeside(const std::string& sheetPath)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path sheet(sheetPath);
    fs::path same = sheet;
    same.replace_extension(".log");
    if (fs::is_regular_file(same, ec))
        return same.string();
    fs::path found;
    int count = 0;
    const fs::path folder = sheet.has_parent_path() ? sheet.parent_path() : fs::path(".");
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (ext == ".log" && it->is_regular_file(ec)) {
            found = it->path();
            ++count;
        }
    }
    return count == 1 ? found.string() : std::string();
}

const LoggedTrack* CRipLog::Track(int number) const
{
    const auto it = std::find_if(m_tracks.begin(), m_tracks.end(),
                                 [number](const LoggedTrack& t) { return t.number == number; });
    return it == m_tracks.end() ? nullptr : &*it;
}

LoggedTrack& CRipLog::TrackEntry(int number)
{
    auto it = std::find_if(m_tracks.begin(), m_tracks.end(), [number](const LoggedTrack& t) { return t.number == number; });
    if (it != m_tracks.end())
        return *it;
    m_tracks.push_back(LoggedTrack{number, {}, {}, {}, {}});
    return m_tracks.back();
}

bool CRipLog::Read(const std::string& path, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "\"" + path + "\" cannot be read";
        return false;
    }
    std::string bytes(kMaxLogBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxLogBytes) {
        error = "\"" + path + "\" is too large for a rip log";
        return false;
    }
    if (!Parse(bytes, error)) {
        error = "\"" + path + "\" " + error;
        return false;
    }
    return true;
}

bool CRipLog::Parse(const std::string& bytes, std::string& error)
{
    m_tracks.clear();
    m_imageCrc.reset();
    const std::string text = ToUtf8(bytes);
    if (text.find("X Lossless Decoder") != std::string::npos)
        m_kind = Kind::Xld;
    else if (text.find("Exact Audio Copy") != std::string::npos || text.find("EAC extraction logfile") != std::string::npos)
        m_kind = Kind::Eac;
    else {
        error = "is not a log of Exact Audio Copy or X Lossless Decoder";
        return false;
    }

    static const std::regex trackHeading(R"(^Track\s+(\d{1,2})$)");
    // EAC's line for a track in an image rip's AccurateRip summary.
    static const std::regex rangeTrack(R"(^Track\s+(\d{1,2})\s+\S.*)");
    static const std::regex bracketed(R"(\[([0-9A-Fa-f]{8})\])");
    static const std::regex arVersion(R"(\(AR v([12])\))");
    static const std::regex copyCrc(R"(^Copy CRC\s+([0-9A-Fa-f]{8})$)");
    static const std::regex xldValue(R"(^(CRC32 hash|CRC32 hash \(skip zero\)|AccurateRip v1 signature|AccurateRip v2 signature|AccurateRip signature)\s*:\s*([0-9A-Fa-f]{8})\b.*)");

    int current = 0; // 0 before the first track: the image's values
    std::istringstream lines(text);
    std::string raw;
    std::smatch m;
    while (std::getline(lines, raw)) {
        if (raw.size() > kMaxLineBytes)
            continue;
        const std::string line = Trimmed(raw);
        if (line.empty())
            continue;
        if (std::regex_match(line, m, trackHeading)) {
            current = std::stoi(m[1].str());
            TrackEntry(current);
            continue;
        }
        if (m_kind == Kind::Xld) {
            if (line.rfind("All Tracks", 0) == 0)
                current = 0;
            if (std::regex_match(line, m, xldValue)) {
                const std::string key = m[1].str();
                const std::uint32_t value = HexValue(m[2].str());
                if (current == 0) {
                    if (key == "CRC32 hash")
                        m_imageCrc = value;
                    continue;
                }
                LoggedTrack& track = TrackEntry(current);
                if (key == "CRC32 hash")
                    track.crc = value;
                else if (key == "CRC32 hash (skip zero)")
                    track.crcNoNull = value;
                else if (key == "AccurateRip v2 signature")
                    track.accurateRipV2 = value;
                else
                    track.accurateRipV1 = value;
            }
            continue;
        }
        if (std::regex_match(line, m, copyCrc)) {
            if (current == 0)
                m_imageCrc = HexValue(m[1].str());
            else
                TrackEntry(current).crc = HexValue(m[1].str());
            continue;
        }
        std::smatch value;
        std::smatch version;
        if (!std::regex_search(line, value, bracketed) || !std::regex_search(line, version, arVersion))
            continue;
        // The first bracket is the checksum of the rip; later ones are
        // what the database returned.
        int number = current;
        if (std::regex_match(line, m, rangeTrack))
            number = std::stoi(m[1].str());
        if (number == 0)
            continue;
        LoggedTrack& track = TrackEntry(number);
        (version[1].str() == "2" ? track.accurateRipV2 : track.accurateRipV1) = HexValue(value[1].str());
    }
    if (m_tracks.empty() && !m_imageCrc) {
        error = "holds no checksums of tracks";
        return false;
    }
    std::sort(m_tracks.begin(), m_tracks.end(),
              [](const LoggedTrack& a, const LoggedTrack& b) { return a.number < b.number; });
    return true;
}
