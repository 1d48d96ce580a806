#pragma once

#include <cstdint>
#include <string>

// The header of a RIFF wave file as the track commands (split, export,
// join) take it, read before the file goes to the decoder: the format and
// where the samples lie. Files that are not RIFF WAVE, and wave files of
// compressed formats, are left to the decoder. Integer and floating-point
// PCM must describe samples that the track files can keep whole; a header
// whose sizes a streaming writer left open (0 or 0xFFFFFFFF) or that
// claims more than the file holds takes its samples up to the file's end.
class CWaveHeader
{
public:
    enum class Verdict {
        NotWave,  // not a RIFF WAVE file: the decoder decides
        Accepted, // a wave file whose samples can be taken
        Refused,  // a wave file that cannot be taken; FailureReason() says why
    };

    Verdict Read(const std::string& path);

    // Why the file was refused, without the file name.
    const std::string& FailureReason() const { return m_reason; }
    // Whole sample frames in the data chunk, as taken; 0 unless Accepted.
    std::uint64_t FrameCount() const { return m_frames; }
    // True when the file is integer or floating-point PCM, whose frames
    // the header counts exactly.
    bool IsPcm() const { return m_pcm; }

private:
    Verdict Refuse(std::string reason);

    std::string m_reason;
    std::uint64_t m_frames = 0;
    bool m_pcm = false;
};
