#pragma once

#include "document/IAudioFacts.h"

// The facts of an audio file as the decoder opens it: every format FFmpeg
// reads.
class CDecodedAudioFacts final : public IAudioFacts
{
public:
    AudioFacts Read(const std::string& path) override;
};
