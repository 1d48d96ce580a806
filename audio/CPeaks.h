#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class IPcmSource;

// The minimum and maximum sample of every channel in every CD frame (1/75 s)
// of a file: what the waveform draws at any zoom. Values are 16-bit, full
// scale at 32768; a minimum is rounded down and a maximum up, so the pair
// always holds the samples it stands for.
class CPeaks
{
public:
    static constexpr std::uint32_t kBinsPerSecond = 75;
    // The channel argument that takes every channel together.
    static constexpr int kMixed = -1;

    struct Pair {
        std::int16_t min = 0;
        std::int16_t max = 0;
        bool operator==(const Pair&) const = default;
    };

    enum class Result { Done, Cancelled, Failed };

    CPeaks() = default;
    // Bins for frames sample frames, all empty.
    CPeaks(std::uint32_t sampleRate, std::uint16_t channels, std::uint64_t frames);

    std::uint32_t SampleRate() const { return m_rate; }
    std::uint16_t Channels() const { return m_channels; }
    std::uint64_t FrameCount() const { return m_frames; }
    std::size_t BinCount() const { return m_channels ? m_pairs.size() / m_channels : 0; }
    bool IsEmpty() const { return m_pairs.empty(); }

    // The first sample frame of a bin; BinCount() gives the frame count.
    std::uint64_t FrameOfBin(std::size_t bin) const;
    Pair At(std::size_t bin, std::uint16_t channel) const { return m_pairs[bin * m_channels + channel]; }
    // The extremes over bins [first, end) of a channel or of kMixed; an
    // empty pair for an empty span.
    Pair Range(std::size_t first, std::size_t end, int channel) const;

    // Bin-major: the pairs of every channel of bin 0, then of bin 1...
    const std::vector<Pair>& Pairs() const { return m_pairs; }
    std::vector<Pair>& Pairs() { return m_pairs; }

    static float ToFloat(std::int16_t value) { return static_cast<float>(value) / 32768.0f; }

    // Reads the whole source. cancel is looked at between blocks; permille,
    // when given, follows the part done. On failure the reason says why.
    static Result Compute(IPcmSource& source, CPeaks& peaks, const std::atomic<bool>& cancel,
                          std::atomic<int>* permille, std::string& reason);

    // The spans [first, end) of bins where every channel stays within
    // ±level (of full scale) for at least minBins bins in a row.
    std::vector<std::pair<std::size_t, std::size_t>> Silences(double level, std::size_t minBins) const;

private:
    std::uint32_t m_rate = 0;
    std::uint16_t m_channels = 0;
    std::uint64_t m_frames = 0;
    std::vector<Pair> m_pairs;
};
