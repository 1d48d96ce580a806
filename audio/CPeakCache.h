#pragma once

#include <cstdint>
#include <string>

class CPeaks;

// Peaks kept on disk, one file per audio file in a cache folder, so that a
// file seen before shows at once. An entry holds the audio file's path, size
// and modification time and is used only while all three still match.
class CPeakCache
{
public:
    // Bytes of entries kept: about 90 files of 80 minutes in stereo.
    static constexpr std::uintmax_t kDefaultLimit = 256u << 20;

    // An empty folder keeps nothing. Past limit bytes, the entries used
    // least lately go.
    explicit CPeakCache(std::string folder, std::uintmax_t limit = kDefaultLimit);

    // Fills peaks from the entry for path and marks the entry as used;
    // false when there is none, it is stale or it does not read back whole.
    bool Load(const std::string& path, CPeaks& peaks) const;
    // Writes the entry for path through a temporary file renamed into place,
    // so a reader never sees half an entry. False when it cannot.
    bool Store(const std::string& path, const CPeaks& peaks) const;

    // The entry's file name for an audio file's path.
    std::string EntryPath(const std::string& path) const;

private:
    struct Key {
        std::uint64_t size = 0;
        std::int64_t modified = 0; // nanoseconds of the file clock
    };
    static bool KeyOf(const std::string& path, Key& key);
    void Prune(const std::string& keep) const;

    std::string m_folder;
    std::uintmax_t m_limit;
};
