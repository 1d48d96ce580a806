#include "audio/CPeakCache.h"

#include "audio/CPeaks.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr char kMagic[8] = {'T', 'S', 'P', 'E', 'A', 'K', 'S', '1'};
// Entries beyond this are not trusted: 255 minutes of 8 channels.
constexpr std::uint64_t kMaxPairs = 255ull * 60 * CPeaks::kBinsPerSecond * 8;

template <typename T>
void Put(std::string& out, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.push_back(static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF));
}

template <typename T>
bool Get(std::istream& in, T& value)
{
    unsigned char bytes[sizeof(T)];
    if (!in.read(reinterpret_cast<char*>(bytes), sizeof(T)))
        return false;
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        v |= std::uint64_t{bytes[i]} << (8 * i);
    value = static_cast<T>(v);
    return true;
}

std::uint64_t Fnv1a(const std::string& text)
{
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

} // namespace

CPeakCache::CPeakCache(std::string folder, std::uintmax_t limit)
    : m_folder(std::move(folder))
    , m_limit(limit)
{
}

void CPeakCache::Prune(const std::string& keep) const
{
    struct Entry {
        fs::path path;
        std::uintmax_t size;
        fs::file_time_type used;
    };
    std::vector<Entry> entries;
    std::uintmax_t total = 0;
    std::error_code error;
    for (fs::directory_iterator it(m_folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() != ".peaks" || it->path() == fs::path(keep))
            continue;
        std::error_code e;
        const std::uintmax_t size = it->file_size(e);
        const fs::file_time_type used = it->last_write_time(e);
        if (e)
            continue;
        entries.push_back({it->path(), size, used});
        total += size;
    }
    total += fs::file_size(keep, error);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.used < b.used; });
    for (const Entry& entry : entries) {
        if (total <= m_limit)
            break;
        if (fs::remove(entry.path, error))
            total -= entry.size;
    }
}

std::string CPeakCache::EntryPath(const std::string& path) const
{
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.peaks", static_cast<unsigned long long>(Fnv1a(path)));
    return (fs::path(m_folder) / name).string();
}

bool CPeakCache::KeyOf(const std::string& path, Key& key)
{
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error)
        return false;
    const auto time = fs::last_write_time(path, error);
    if (error)
        return false;
    key.size = size;
    key.modified = std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
    return true;
}

bool CPeakCache::Load(const std::string& path, CPeaks& peaks) const
{
    Key key;
    if (m_folder.empty() || !KeyOf(path, key))
        return false;
    std::ifstream in(EntryPath(path), std::ios::binary);
    if (!in)
        return false;
    char magic[8];
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::uint32_t nameLength = 0;
    if (!in.read(magic, sizeof magic) || std::memcmp(magic, kMagic, sizeof magic) != 0 || !Get(in, size)
        || !Get(in, modified) || !Get(in, nameLength) || size != key.size || modified != key.modified
        || nameLength != path.size())
        return false;
    std::string name(nameLength, '\0');
    if (!in.read(name.data(), nameLength) || name != path)
        return false;
    std::uint32_t rate = 0;
    std::uint16_t channels = 0;
    std::uint64_t frames = 0;
    std::uint64_t pairs = 0;
    if (!Get(in, rate) || !Get(in, channels) || !Get(in, frames) || !Get(in, pairs) || pairs > kMaxPairs)
        return false;
    CPeaks loaded(rate, channels, frames);
    if (loaded.Pairs().size() != pairs)
        return false;
    std::vector<unsigned char> bytes(pairs * 4);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        return false;
    for (std::size_t i = 0; i < pairs; ++i) {
        const unsigned char* b = bytes.data() + 4 * i;
        loaded.Pairs()[i] = {static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | (b[1] << 8))),
                             static_cast<std::int16_t>(static_cast<std::uint16_t>(b[2] | (b[3] << 8)))};
    }
    peaks = std::move(loaded);
    // Used now: the last to go when the cache is full.
    std::error_code touched;
    fs::last_write_time(EntryPath(path), fs::file_time_type::clock::now(), touched);
    return true;
}

bool CPeakCache::Store(const std::string& path, const CPeaks& peaks) const
{
    Key key;
    if (m_folder.empty() || !KeyOf(path, key))
        return false;
    std::error_code error;
    fs::create_directories(m_folder, error);
    if (error)
        return false;
    std::string out(kMagic, sizeof kMagic);
    Put(out, key.size);
    Put(out, key.modified);
    Put(out, static_cast<std::uint32_t>(path.size()));
    out += path;
    Put(out, peaks.SampleRate());
    Put(out, peaks.Channels());
    Put(out, peaks.FrameCount());
    Put(out, static_cast<std::uint64_t>(peaks.Pairs().size()));
    out.reserve(out.size() + peaks.Pairs().size() * 4);
    for (const CPeaks::Pair& p : peaks.Pairs()) {
        Put(out, static_cast<std::uint16_t>(p.min));
        Put(out, static_cast<std::uint16_t>(p.max));
    }
    const std::string target = EntryPath(path);
    const std::string temporary = target + ".tmp" + std::to_string(std::random_device{}());
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file.write(out.data(), static_cast<std::streamsize>(out.size())) || !file.flush()) {
            file.close();
            fs::remove(temporary, error);
            return false;
        }
    }
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    Prune(target);
    return true;
}
