#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ts {

// Reads a decimal integer the way atoi does: leading blanks and one sign are
// accepted, reading stops at the first non-digit, no digits give 0. Values
// past the 32-bit range saturate instead of overflowing.
std::int32_t ParseLeadingInt(std::string_view text);

// Appends n as printf's "%.2d" does: at least two digits, a sign when negative.
void AppendNumber2(std::string& out, std::int64_t n);

// ASCII comparison without regard to case; the cue keywords are ASCII.
bool EqualsNoCase(std::string_view a, std::string_view b);

// The text between double quotes, as messages name files and values.
std::string Quoted(std::string_view text);

// The first word of a sheet line, blanks and tabs around it left out; rest
// is where the rest of the line starts.
std::string_view FirstWord(std::string_view line, std::size_t& rest);

// printf into a std::string.
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string Format(const char* pattern, ...);

} // namespace ts
