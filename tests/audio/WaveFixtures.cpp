#include "audio/WaveFixtures.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace wavetest {

std::string Le16(std::uint16_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string Le32(std::uint32_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
            static_cast<char>(v >> 24)};
}

std::string ChunkClaiming(const std::string& id, std::uint32_t size, const std::string& body)
{
    return id + Le32(size) + body;
}

std::string Chunk(const std::string& id, const std::string& body)
{
    std::string out = ChunkClaiming(id, static_cast<std::uint32_t>(body.size()), body);
    if (body.size() % 2)
        out += '\0';
    return out;
}

std::string Riff(const std::string& form, const std::string& chunks)
{
    return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + form + chunks;
}

std::string Fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                std::uint16_t blockAlign)
{
    return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * blockAlign) + Le16(blockAlign) + Le16(bits);
}

std::string PcmWave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, const std::string& samples)
{
    const auto align = static_cast<std::uint16_t>(channels * ((bits + 7) / 8));
    return Riff("WAVE", Chunk("fmt ", Fmt(1, channels, rate, bits, align)) + Chunk("data", samples));
}

std::string Pattern(std::size_t count, unsigned seed)
{
    std::string out(count, '\0');
    unsigned x = seed * 2654435761u + 1;
    for (char& c : out) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>((x >> 16) | 1); // never 0, so silence shows
    }
    return out;
}

std::uint32_t GetLe32(const std::string& bytes, std::size_t offset)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(offset + i))) << (8 * i);
    return v;
}

int Run(const std::string& command, std::string* output)
{
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    std::array<char, 65536> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        if (output)
            output->append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quote(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

std::string SoxProblem()
{
    if (Run("sox --version >/dev/null 2>&1") != 0 || Run("soxi -V0 /dev/null >/dev/null 2>&1; command -v soxi >/dev/null") != 0)
        return "sox and soxi are needed to check wave files; scripts/deps.sh installs them";
    return {};
}

std::string Soxi(const std::string& option, const std::string& file)
{
    std::string out;
    Run("soxi " + option + " " + Quote(file) + " 2>&1", &out);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

std::string SoxRaw(const std::string& file)
{
    std::string out;
    if (Run("sox -V1 " + Quote(file) + " -t raw -", &out) != 0)
        return "(sox could not read " + file + ")";
    return out;
}

} // namespace wavetest
