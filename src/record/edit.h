// Numeric edit descriptors as Fortran formatted output writes them:
// Iw.m, Fw.d and kPEw.dEe.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mfreport::record {

/// Widest field an edit descriptor may ask for.
inline constexpr int32_t kMaxFieldWidth = 32767;

/// Iw.m: the value right-justified in w columns with at least m digits
/// (leading zeros); w asterisks when it does not fit. w = 0 gives the
/// shortest text of at least one character. An m of 0 writes a zero value
/// as blanks. Empty when the
/// descriptor is malformed (w or m negative, m > w > 0, w too wide).
std::optional<std::string> editInteger(int32_t value, int32_t w, int32_t m = 1);

/// Fw.d: the value rounded to d decimals, right-justified in w columns; the
/// zero before the point is left out when only that makes the text fit; w
/// asterisks when it does not fit. Empty when w < 1, d < 0 or w too wide.
std::optional<std::string> editFixed(double value, int32_t w, int32_t d);

/// kPEw.dEe: scale factor k, d digits after the point, e exponent digits
/// (e = 0: the plain Ew.d exponent form, "E+dd" or "+ddd"). Empty when the
/// descriptor is malformed, including a k outside -d < k < d + 2.
std::optional<std::string> editExponent(double value, int32_t w, int32_t d, int32_t e, int32_t k);

/// The same edits written into the w characters at `out` (w >= 1), without
/// allocating; false, writing nothing, when the descriptor is malformed.
bool putInteger(char* out, int32_t value, int32_t w, int32_t m = 1);
bool putFixed(char* out, double value, int32_t w, int32_t d);
bool putExponent(char* out, double value, int32_t w, int32_t d, int32_t e, int32_t k);

} // namespace mfreport::record
