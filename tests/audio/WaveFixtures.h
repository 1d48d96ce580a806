#pragma once

#include <cstdint>
#include <string>

// Building blocks for wave files made by hand, and the sox tools that make
// and read real ones.
namespace wavetest {

std::string Le16(std::uint16_t v);
std::string Le32(std::uint32_t v);

// A chunk: identifier, size and body, plus the pad byte of an odd body.
std::string Chunk(const std::string& id, const std::string& body);
// A chunk whose size field claims size bytes, whatever the body holds.
std::string ChunkClaiming(const std::string& id, std::uint32_t size, const std::string& body);
// "RIFF", the size of what follows, the form type and the chunks.
std::string Riff(const std::string& form, const std::string& chunks);
// A 16-byte format body.
std::string Fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                std::uint16_t blockAlign);
// A PCM wave file with the given sample bytes.
std::string PcmWave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, const std::string& samples);
// count bytes of a pattern that no silence or header matches.
std::string Pattern(std::size_t count, unsigned seed = 1);

std::uint32_t GetLe32(const std::string& bytes, std::size_t offset);

// Runs a shell command; returns its exit status and its standard output.
int Run(const std::string& command, std::string* output = nullptr);
// The command word wrapped in single quotes for the shell.
std::string Quote(const std::string& text);
// Empty when sox and soxi run, else what is wrong.
std::string SoxProblem();
// soxi's answer to one option (-s, -r, -c, -b, -t, -e) without the line end.
std::string Soxi(const std::string& option, const std::string& file);
// The sample bytes as sox reads them (sox FILE -t raw -).
std::string SoxRaw(const std::string& file);

} // namespace wavetest
