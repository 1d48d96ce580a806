#include "tracks/CDecodedAudioFacts.h"

#include "audio/CAudioDecoder.h"

AudioFacts CDecodedAudioFacts::Read(const std::string& path)
{
    AudioFacts facts;
    CAudioDecoder decoder;
    if (!decoder.Open(path)) {
        facts.reason = decoder.FailureReason();
        return facts;
    }
    facts.readable = true;
    facts.frames = decoder.FrameCount();
    facts.rate = decoder.SampleRate();
    facts.channels = decoder.Channels();
    facts.bits = decoder.StoredBits();
    return facts;
}
