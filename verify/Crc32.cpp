#include "verify/Crc32.h"

#include <array>

namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;

// Eight tables, so that the loop takes eight bytes a step.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables MakeTables()
{
    Tables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ kPolynomial : c >> 1;
        t[0][n] = c;
    }
    for (std::uint32_t n = 0; n < 256; ++n) {
        for (std::size_t k = 1; k < 8; ++k)
            t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
    }
    return t;
}

constexpr Tables kTables = MakeTables();

// Multiplication of a vector by a 32x32 matrix over GF(2).
std::uint32_t MatrixTimes(const std::array<std::uint32_t, 32>& matrix, std::uint32_t vector)
{
    std::uint32_t sum = 0;
    for (std::size_t i = 0; vector != 0; ++i, vector >>= 1) {
        if (vector & 1)
            sum ^= matrix[i];
    }
    return sum;
}

std::array<std::uint32_t, 32> MatrixSquare(const std::array<std::uint32_t, 32>& matrix)
{
    std::array<std::uint32_t, 32> out{};
    for (std::size_t i = 0; i < 32; ++i)
        out[i] = MatrixTimes(matrix, matrix[i]);
    return out;
}

} // namespace

std::uint32_t ts::Crc32Update(std::uint32_t crc, const std::uint8_t* data, std::size_t size)
{
    std::uint32_t c = ~crc;
    while (size >= 8) {
        const std::uint32_t lo = c ^ (std::uint32_t(data[0]) | std::uint32_t(data[1]) << 8 |
                                      std::uint32_t(data[2]) << 16 | std::uint32_t(data[3]) << 24);
        c = kTables[7][lo & 0xFF] ^ kTables[6][(lo >> 8) & 0xFF] ^ kTables[5][(lo >> 16) & 0xFF] ^
            kTables[4][lo >> 24] ^ kTables[3][data[4]] ^ kTables[2][data[5]] ^ kTables[1][data[6]] ^
            kTables[0][data[7]];
        data += 8;
        size -= 8;
    }
    while (size-- > 0)
        c = (c >> 8) ^ kTables[0][(c ^ *data++) & 0xFF];
    return ~c;
}

std::uint32_t ts::Crc32Combine(std::uint32_t first, std::uint32_t second, std::uint64_t secondSize)
{
    if (secondSize == 0)
        return first;
    // Appending n zero bytes to a run is a linear map of its CRC; build the
    // map for one zero bit, square it up to bytes, then apply it by the
    // binary digits of n.
    std::array<std::uint32_t, 32> odd{};
    odd[0] = kPolynomial;
    for (std::size_t i = 1; i < 32; ++i)
        odd[i] = 1u << (i - 1);
    std::array<std::uint32_t, 32> even = MatrixSquare(odd); // two zero bits
    odd = MatrixSquare(even);                                // four zero bits
    std::uint32_t crc = first;
    std::uint64_t n = secondSize;
    do {
        even = MatrixSquare(odd);
        if (n & 1)
            crc = MatrixTimes(even, crc);
        n >>= 1;
        if (n == 0)
            break;
        odd = MatrixSquare(even);
        if (n & 1)
            crc = MatrixTimes(odd, crc);
        n >>= 1;
    } while (n != 0);
    return crc ^ second;
}
