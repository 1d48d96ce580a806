#pragma once

#include <cstdint>

namespace ts {

// a * b / c with a 64-bit product and the quotient rounded to the nearest
// integer, halves away from zero. Returns -1 when c is 0 or the result does
// not fit in 32 bits, as the Windows function of the same name does; cue
// times rely on that rounding.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

} // namespace ts
