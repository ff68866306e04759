// Exact fixed-point digits of a double: |v| * 10^d rounded to the nearest
// integer (ties to even) from the double's binary fraction, by integer
// arithmetic where that integer fits 64 bits. The digits are those of
// std::to_chars(fixed, d) at a fraction of its cost.
#pragma once

#include <cstdint>

namespace mfreport::platform {

/// |magnitude| * 10^d rounded to the nearest integer, ties to even, computed
/// exactly; false when the result needs more than 64 bits or d is above 19.
bool scaledRounded(double magnitude, int32_t d, std::uint64_t& rounded);

/// Writes `magnitude` (finite, not negative) with d decimals as
/// std::to_chars(fixed, d) writes it, at `out`, which has room up to `end`
/// (d + 330 bytes always suffice); returns the end of the text.
char* writeFixedDigits(char* out, char* end, double magnitude, int32_t d);

/// Writes `magnitude` (finite, not negative) in scientific notation with p
/// decimals as std::to_chars(scientific, p) writes it ("1.2500e+03"), at
/// `out`, which has room up to `end` (p + 330 bytes always suffice); returns
/// the end of the text.
char* writeScientificDigits(char* out, char* end, double magnitude, int32_t p);

} // namespace mfreport::platform
