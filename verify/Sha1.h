#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ts {
// The SHA-1 digest of a text.
std::array<std::uint8_t, 20> Sha1(std::string_view data);
} // namespace ts
