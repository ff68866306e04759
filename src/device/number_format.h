// Number rendering shared by every writer. The texts are exactly those of a
// std::ostream in the classic locale with the same notation, precision,
// uppercase flag and width, whatever locale the calling program has set.
#pragma once

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "mfreport/platform/fixed_digits.h"

namespace mfreport::number {

enum class Notation { Fixed, Scientific, General };

/// Appends `value` as the stream renders it with the given notation and
/// precision (a negative precision means 6, as for a stream); `uppercase`
/// gives "E", "INF" and "NAN" instead of lower case (fixed notation keeps
/// "inf" and "nan", as the stream does).
void appendDouble(std::string& out, double value, Notation notation, int64_t precision,
                  bool uppercase);

/// Upper-cases the letters a to z from `first` to `end`.
void upperCase(char* first, char* end);
/// Upper-cases the exponent letter of a number in general notation, if any.
void upperExponent(char* first, char* end);

/// Bytes that writeDouble may write for a precision of 0 to INT32_MAX.
inline size_t doubleRoom(int precision) {
    // Fixed notation needs the integer digits of DBL_MAX (309), a sign and a point.
    return static_cast<size_t>(precision) + 330;
}

/// Writes `value` as appendDouble does at `first`, which has room for
/// doubleRoom(precision) bytes, and returns the end of the text. Only the
/// exponent letter of a finite value is changed for `uppercase`.
inline char* writeDouble(char* first, double value, Notation notation, int precision,
                         bool uppercase) {
    if (notation != Notation::General && std::isfinite(value)) {
        // The exact digits by integer arithmetic where they fit 64 bits.
        char* p = first;
        if (std::signbit(value)) {
            *p++ = '-';
        }
        char* const room = first + doubleRoom(precision);
        if (notation == Notation::Fixed) {
            return platform::writeFixedDigits(p, room, std::fabs(value), precision);
        }
        char* end = platform::writeScientificDigits(p, room, std::fabs(value), precision);
        if (uppercase) {
            // Scientific notation always ends with "e", a sign and 2 or 3 digits.
            *(end[-4] == 'e' ? end - 4 : end - 5) = 'E';
        }
        return end;
    }
    const std::chars_format format = notation == Notation::Fixed ? std::chars_format::fixed
                                     : notation == Notation::Scientific
                                         ? std::chars_format::scientific
                                         : std::chars_format::general;
    char* end = std::to_chars(first, first + doubleRoom(precision), value, format, precision).ptr;
    if (uppercase && notation != Notation::Fixed) {
        if (!std::isfinite(value)) {
            // As the stream does, fixed notation keeps "inf" and "nan" in lower case.
            upperCase(first, end);
        } else {
            upperExponent(first, end);
        }
    }
    return end;
}

/// Bytes that writeShortest may write.
constexpr size_t kShortestRoom = 32;

/// Writes the shortest text that reads back as `value` ("0.1", "1e+300") at
/// `first`, which has room for kShortestRoom bytes; returns the end.
inline char* writeShortest(char* first, double value) {
    return std::to_chars(first, first + kShortestRoom, value).ptr;
}

/// Writes `value` in decimal at `first` (room for 20 bytes); returns the end.
inline char* writeInt(char* first, int64_t value) {
    return std::to_chars(first, first + 20, value).ptr;
}

/// Appends `value` in decimal.
void appendInt(std::string& out, int64_t value);

/// Right-justifies what `out` holds from `start` on in a field of `width`
/// characters, as a stream's width does; nothing when it is already as wide.
void padFront(std::string& out, size_t start, int64_t width);

} // namespace mfreport::number
