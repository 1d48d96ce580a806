#include "tracks/CSilenceDetector.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "audio/CAudioDecoder.h"

namespace {

constexpr double kSilentDb = -120.0; // digital silence, as a level

// Sum of squares of count samples of the decoder's output layout, each
// scaled to [-1, 1].
double SumOfSquares(const std::uint8_t* data, std::size_t count, SampleType type)
{
    double sum = 0;
    switch (type) {
    case SampleType::U8:
        for (std::size_t i = 0; i < count; ++i) {
            const double v = (data[i] - 128.0) / 128.0;
            sum += v * v;
        }
        break;
    case SampleType::S16: {
        std::int64_t acc = 0;
        for (std::size_t i = 0; i < count; ++i) {
            std::int16_t v;
            std::memcpy(&v, data + i * 2, 2);
            acc += std::int64_t(v) * v;
        }
        sum = static_cast<double>(acc) / (32768.0 * 32768.0);
        break;
    }
    case SampleType::S32:
        for (std::size_t i = 0; i < count; ++i) {
            std::int32_t v;
            std::memcpy(&v, data + i * 4, 4);
            const double d = v / 2147483648.0;
            sum += d * d;
        }
        break;
    case SampleType::F32:
        for (std::size_t i = 0; i < count; ++i) {
            float v;
            std::memcpy(&v, data + i * 4, 4);
            sum += double(v) * v;
        }
        break;
    }
    return sum;
}

} // namespace

bool CSilenceDetector::Analyse(const std::string& path, std::string& error, const std::function<bool(double)>& progress)
{
    m_levels.clear();
    CAudioDecoder decoder;
    if (!decoder.Open(path)) {
        error = decoder.FailureReason();
        return false;
    }
    const std::uint32_t rate = decoder.SampleRate();
    const std::size_t channels = decoder.Channels();
    const std::size_t window = std::max<std::size_t>(1, static_cast<std::size_t>(rate * kWindowSeconds));
    const std::size_t frameBytes = decoder.OutputFrameBytes();
    const std::size_t block = window * 100;
    std::vector<std::uint8_t> buffer(block * frameBytes);
    const std::uint64_t expected = decoder.FrameCount();
    m_levels.reserve(static_cast<std::size_t>(expected / window + 2));
    double pending = 0;       // sum of squares of the window being filled
    std::size_t filled = 0;   // frames in it
    std::uint64_t total = 0;
    while (true) {
        const std::int64_t got = decoder.Read(buffer.data(), block);
        if (got < 0) {
            error = decoder.FailureReason();
            return false;
        }
        if (got == 0)
            break;
        std::size_t at = 0;
        const auto frames = static_cast<std::size_t>(got);
        while (at < frames) {
            const std::size_t take = std::min(window - filled, frames - at);
            pending += SumOfSquares(buffer.data() + at * frameBytes, take * channels, decoder.OutputType());
            filled += take;
            at += take;
            if (filled == window) {
                const double mean = pending / double(window * channels);
                m_levels.push_back(static_cast<float>(mean > 1e-12 ? 10.0 * std::log10(mean) : kSilentDb));
                pending = 0;
                filled = 0;
            }
        }
        total += frames;
        if (progress && expected > 0 && !progress(std::min(1.0, double(total) / double(expected)))) {
            error = "cancelled";
            return false;
        }
    }
    if (filled > 0) {
        const double mean = pending / double(filled * channels);
        m_levels.push_back(static_cast<float>(mean > 1e-12 ? 10.0 * std::log10(mean) : kSilentDb));
    }
    m_rate = rate;
    m_window = window;
    m_length = rate ? static_cast<Micros>(total * 1000000ULL / rate) : 0;
    if (m_levels.empty()) {
        error = "the file holds no audio";
        return false;
    }
    std::vector<float> sorted(m_levels);
    const std::size_t loudAt = sorted.size() * 95 / 100;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(loudAt), sorted.end());
    m_loud = sorted[loudAt];
    // The quietest second (its mean power) stands for the noise floor.
    const std::size_t span = std::min<std::size_t>(m_levels.size(), 100);
    double sum = 0;
    std::vector<double> power(m_levels.size());
    for (std::size_t i = 0; i < m_levels.size(); ++i)
        power[i] = std::pow(10.0, m_levels[i] / 10.0);
    for (std::size_t i = 0; i < span; ++i)
        sum += power[i];
    double quietest = sum;
    for (std::size_t i = span; i < power.size(); ++i) {
        sum += power[i] - power[i - span];
        quietest = std::min(quietest, sum);
    }
    const double mean = quietest / double(span);
    m_floor = mean > 1e-12 ? 10.0 * std::log10(mean) : kSilentDb;
    return true;
}

double CSilenceDetector::SilenceLevel(const Options& options) const
{
    // Relative to the loud level, but above the floor's own ripple; never
    // so close to the loud level that music counts as silence.
    const double relative = m_loud + options.threshold;
    const double aboveFloor = m_floor + 6.0;
    return std::min(std::max(relative, aboveFloor), m_loud - 15.0);
}

std::vector<CSilenceDetector::Proposal> CSilenceDetector::Propose(const Options& options) const
{
    std::vector<Proposal> out;
    const double level = SilenceLevel(options);
    // A window counts as silent by the mean power of the 50 ms around it,
    // so that the peaks of a noise floor do not break a silence up.
    const std::size_t n = m_levels.size();
    std::vector<bool> silent(n);
    constexpr std::size_t kHalf = 2;
    {
        std::vector<double> power(n);
        for (std::size_t w = 0; w < n; ++w)
            power[w] = std::pow(10.0, m_levels[w] / 10.0);
        const double limit = std::pow(10.0, level / 10.0);
        double sum = 0;
        std::size_t from = 0;
        std::size_t to = 0; // the span [from, to) is summed
        for (std::size_t w = 0; w < n; ++w) {
            const std::size_t lo = w > kHalf ? w - kHalf : 0;
            const std::size_t hi = std::min(n, w + kHalf + 1);
            while (to < hi)
                sum += power[to++];
            while (from < lo)
                sum -= power[from++];
            silent[w] = sum / double(hi - lo) <= limit;
        }
    }
    const auto minWindows = static_cast<std::size_t>(std::ceil(options.minSilence / kWindowSeconds - 1e-9));
    const auto at = [this](std::size_t w) {
        return static_cast<Micros>(std::uint64_t(w) * m_window * 1000000ULL / m_rate);
    };
    const auto minTrack = static_cast<Micros>(options.minTrack * kMicrosPerSecond);
    Micros lastStart = 0;
    std::size_t i = 0;
    while (i < n) {
        if (!silent[i]) {
            ++i;
            continue;
        }
        const std::size_t from = i;
        while (i < n && silent[i])
            ++i;
        // Silence before the first sound or after the last belongs to the
        // first or last track.
        if (from == 0 || i == n || i - from < std::max<std::size_t>(minWindows, 1))
            continue;
        // The sound begins where a fade-in first rises out of the noise
        // floor, a little before it crosses the threshold.
        // The smoothing moves both edges of a silence by up to kHalf
        // windows into the sound; the raw levels put them back.
        std::size_t begin = i;
        const double floorEdge = m_floor + 3.0;
        while (begin < n && begin < i + kHalf && m_levels[begin] <= floorEdge)
            ++begin;
        while (begin > from && m_levels[begin - 1] > floorEdge)
            --begin;
        std::size_t gap = from;
        while (gap > 0 && gap + kHalf > from && m_levels[gap - 1] <= level)
            --gap;
        Proposal p;
        p.gapStart = at(gap);
        p.start = at(begin);
        if (p.start - lastStart < minTrack || m_length - p.start < minTrack)
            continue;
        out.push_back(p);
        lastStart = p.start;
    }
    return out;
}
