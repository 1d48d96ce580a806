#include "platform/MulDiv.h"

#include <limits>

namespace ts {

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    // Work on magnitudes so that halves round away from zero.
    const std::uint64_t num = product < 0 ? static_cast<std::uint64_t>(-(product + 1)) + 1
                                          : static_cast<std::uint64_t>(product);
    const std::uint64_t den = c < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(c))
                                    : static_cast<std::uint64_t>(c);
    std::uint64_t q = num / den;
    if ((num % den) * 2 >= den)
        ++q;
    if (negative) {
        if (q > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) + 1)
            return -1;
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(q));
    }
    if (q > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return -1;
    return static_cast<std::int32_t>(q);
}

} // namespace ts
