#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "album/Tracklist.h"

// Proposes track starts where a recording falls silent between songs.
// Analyse decodes the file once into the loudness of each 10 ms window;
// Propose then runs in no time, so a threshold can be tried live.
// "Silent" is relative to the recording itself: the threshold is counted
// from its loud level (the 95th percentile of its windows) and raised
// above its noise floor (the quietest second of it), so that the hiss of a
// tape or the crackle of vinyl between songs counts as silence.
class CSilenceDetector final
{
public:
    struct Options {
        double threshold = -35.0; // dB below the recording's loud level
        double minSilence = 1.75; // seconds of silence that part two songs
        double minTrack = 10.0;   // seconds: no proposal makes a shorter track
    };
    // A proposed track start: where the silence began (INDEX 00) and where
    // the sound begins again (INDEX 01).
    struct Proposal {
        Micros gapStart = 0;
        Micros start = 0;
    };
    static constexpr double kWindowSeconds = 0.01;

    // Decodes the file; false with the reason (without the file name).
    // progress gets the share done (0..1) and returns false to cancel.
    bool Analyse(const std::string& path, std::string& error, const std::function<bool(double)>& progress = {});

    std::vector<Proposal> Propose(const Options& options) const;
    // The level (dBFS) that counts as silent under the options.
    double SilenceLevel(const Options& options) const;

    Micros Length() const { return m_length; }
    double LoudLevel() const { return m_loud; }
    double FloorLevel() const { return m_floor; }

private:
    std::vector<float> m_levels; // dBFS of each window
    Micros m_length = 0;
    std::uint32_t m_rate = 1;
    std::size_t m_window = 1; // frames a window
    double m_loud = 0;
    double m_floor = -120;
};
