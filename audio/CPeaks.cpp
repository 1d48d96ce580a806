#include "audio/CPeaks.h"

#include "audio/IPcmSource.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr std::size_t kBlockFrames = 16384;

std::int16_t Down(float v)
{
    // NaN counts as silence.
    if (!(v == v))
        return 0;
    const float q = std::floor(v * 32768.0f);
    return static_cast<std::int16_t>(std::clamp(q, -32768.0f, 32767.0f));
}

std::int16_t Up(float v)
{
    if (!(v == v))
        return 0;
    const float q = std::ceil(v * 32768.0f);
    return static_cast<std::int16_t>(std::clamp(q, -32768.0f, 32767.0f));
}

} // namespace

CPeaks::CPeaks(std::uint32_t sampleRate, std::uint16_t channels, std::uint64_t frames)
    : m_rate(sampleRate)
    , m_channels(channels)
    , m_frames(frames)
{
    if (m_rate == 0 || m_channels == 0)
        return;
    const std::uint64_t bins = (frames * kBinsPerSecond + m_rate - 1) / m_rate;
    m_pairs.assign(static_cast<std::size_t>(bins) * m_channels, Pair{});
}

std::uint64_t CPeaks::FrameOfBin(std::size_t bin) const
{
    if (m_rate == 0)
        return 0;
    return std::min<std::uint64_t>(std::uint64_t{bin} * m_rate / kBinsPerSecond, m_frames);
}

CPeaks::Pair CPeaks::Range(std::size_t first, std::size_t end, int channel) const
{
    end = std::min(end, BinCount());
    if (first >= end || m_channels == 0)
        return {};
    std::int16_t lo = std::numeric_limits<std::int16_t>::max();
    std::int16_t hi = std::numeric_limits<std::int16_t>::min();
    if (channel == kMixed) {
        const Pair* p = m_pairs.data() + first * m_channels;
        const Pair* stop = m_pairs.data() + end * m_channels;
        for (; p != stop; ++p) {
            lo = std::min(lo, p->min);
            hi = std::max(hi, p->max);
        }
    } else {
        for (std::size_t b = first; b < end; ++b) {
            const Pair& p = m_pairs[b * m_channels + static_cast<std::size_t>(channel)];
            lo = std::min(lo, p.min);
            hi = std::max(hi, p.max);
        }
    }
    return {lo, hi};
}

CPeaks::Result CPeaks::Compute(IPcmSource& source, CPeaks& peaks, const std::atomic<bool>& cancel,
                               std::atomic<int>* permille, std::string& reason)
{
    peaks = CPeaks(source.SampleRate(), source.Channels(), source.FrameCount());
    const std::size_t channels = peaks.m_channels;
    const std::size_t bins = peaks.BinCount();
    if (bins == 0)
        return Result::Done;
    std::vector<float> block(kBlockFrames * channels);
    std::vector<float> lo(channels, std::numeric_limits<float>::infinity());
    std::vector<float> hi(channels, -std::numeric_limits<float>::infinity());
    std::size_t bin = 0;
    std::uint64_t frame = 0;
    std::uint64_t binEnd = peaks.FrameOfBin(1);
    auto closeBin = [&] {
        Pair* out = peaks.m_pairs.data() + bin * channels;
        for (std::size_t c = 0; c < channels; ++c) {
            out[c] = lo[c] <= hi[c] ? Pair{Down(lo[c]), Up(hi[c])} : Pair{};
            lo[c] = std::numeric_limits<float>::infinity();
            hi[c] = -std::numeric_limits<float>::infinity();
        }
        ++bin;
        binEnd = peaks.FrameOfBin(bin + 1);
    };
    while (frame < peaks.m_frames) {
        if (cancel.load(std::memory_order_relaxed))
            return Result::Cancelled;
        const std::int64_t got = source.ReadFrames(block.data(), kBlockFrames);
        if (got < 0) {
            reason = source.FailureReason();
            return Result::Failed;
        }
        if (got == 0 || frame >= binEnd)
            break; // a file shorter than it said: the rest stays empty
        const float* p = block.data();
        std::uint64_t left = static_cast<std::uint64_t>(got);
        while (left > 0) {
            const std::uint64_t run = std::min(left, binEnd - frame);
            if (run == 0)
                break; // more frames than the source announced
            if (channels == 1) {
                float l = lo[0];
                float h = hi[0];
                for (std::uint64_t i = 0; i < run; ++i) {
                    l = std::min(l, p[i]);
                    h = std::max(h, p[i]);
                }
                lo[0] = l;
                hi[0] = h;
            } else if (channels == 2) {
                float l0 = lo[0], h0 = hi[0], l1 = lo[1], h1 = hi[1];
                for (std::uint64_t i = 0; i < run; ++i) {
                    l0 = std::min(l0, p[2 * i]);
                    h0 = std::max(h0, p[2 * i]);
                    l1 = std::min(l1, p[2 * i + 1]);
                    h1 = std::max(h1, p[2 * i + 1]);
                }
                lo[0] = l0, hi[0] = h0, lo[1] = l1, hi[1] = h1;
            } else {
                for (std::uint64_t i = 0; i < run; ++i) {
                    for (std::size_t c = 0; c < channels; ++c) {
                        lo[c] = std::min(lo[c], p[i * channels + c]);
                        hi[c] = std::max(hi[c], p[i * channels + c]);
                    }
                }
            }
            p += run * channels;
            left -= run;
            frame += run;
            if (frame == binEnd && bin < bins)
                closeBin();
        }
        if (permille)
            permille->store(static_cast<int>(frame * 1000 / peaks.m_frames), std::memory_order_relaxed);
    }
    if (bin < bins && frame > peaks.FrameOfBin(bin))
        closeBin();
    return Result::Done;
}

std::vector<std::pair<std::size_t, std::size_t>> CPeaks::Silences(double level, std::size_t minBins) const
{
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    const double limit = std::clamp(level, 0.0, 1.0) * 32768.0;
    const std::size_t bins = BinCount();
    std::size_t start = 0;
    bool inside = false;
    for (std::size_t b = 0; b <= bins; ++b) {
        bool quiet = false;
        if (b < bins) {
            quiet = true;
            for (std::uint16_t c = 0; c < m_channels && quiet; ++c) {
                const Pair p = At(b, c);
                quiet = -static_cast<double>(p.min) <= limit && static_cast<double>(p.max) <= limit;
            }
        }
        if (quiet && !inside) {
            start = b;
            inside = true;
        } else if (!quiet && inside) {
            inside = false;
            if (b - start >= std::max<std::size_t>(minBins, 1))
                spans.emplace_back(start, b);
        }
    }
    return spans;
}
