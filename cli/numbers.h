// Numbers as CSV files write them.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace mfreport::cli {

struct Number {
    enum Kind { None, Integer, Real };
    Kind kind = None;
    long long integer = 0; ///< the value of an Integer
    double real = 0;       ///< the value of an Integer or a Real
    int decimals = 0;      ///< digits after the decimal mark
    bool plain = true;     ///< finite and written without an exponent
};

/// Reads a whole field, blanks around it allowed: an optional sign, digits
/// with an optional decimal mark (a point, or also a comma when
/// `decimalComma`), an optional exponent; or inf, infinity or nan. An integer
/// has neither mark nor exponent and fits 64 bits. Anything else is None.
Number parseNumber(std::string_view text, bool decimalComma);

namespace detail {

// Powers of ten that a double holds exactly.
inline constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
inline constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;

// The digits from p on added to `mantissa`; the end of the digits. Past 19
// digits the mantissa is of no use (the caller counts the digits).
inline const char* addDigits(const char* p, const char* end, std::uint64_t& mantissa) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // Four digits at a time: each byte 0x30 to 0x39, then their value.
    while (end - p >= 4) {
        std::uint32_t word = 0;
        std::memcpy(&word, p, sizeof word);
        if (((word & 0xF0F0F0F0) | (((word + 0x06060606) & 0xF0F0F0F0) >> 4)) != 0x33333333) {
            break;
        }
        word &= 0x0F0F0F0F;
        word = (word * 10 + (word >> 8)) & 0x00FF00FF;
        word = (word * 100 + (word >> 16)) & 0xFFFF;
        mantissa = mantissa * 10000 + word;
        p += 4;
    }
#endif
    for (; p < end && (*p >= '0' && *p <= '9'); ++p) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    return p;
}

} // namespace detail

/// The common case of parseNumber: [-]digits[.digits] without blanks, at
/// most 19 digits worth at most 2^53 and at most 22 decimals, whose double
/// one exact division gives. False, with `number` unchanged, for anything
/// else. Inline: both passes read every number with it.
inline bool parsePlainDecimal(std::string_view text, bool decimalComma, Number& number) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p < end && *p == '-';
    p += negative ? 1 : 0;
    std::uint64_t mantissa = 0;
    const char* const first = p;
    p = detail::addDigits(p, end, mantissa);
    size_t digits = static_cast<size_t>(p - first);
    int decimals = 0;
    const bool mark = p < end && (*p == '.' || (decimalComma && *p == ','));
    if (mark) {
        const char* const fraction = ++p;
        p = detail::addDigits(p, end, mantissa);
        decimals = static_cast<int>(p - fraction);
        digits += static_cast<size_t>(decimals);
    }
    if (p != end || digits == 0 || digits > 19 || mantissa > detail::kExactMantissa ||
        decimals > 22) {
        return false;
    }
    const double magnitude = static_cast<double>(mantissa) / detail::kExactPowers[decimals];
    number.kind = mark ? Number::Real : Number::Integer;
    const auto whole = static_cast<long long>(mantissa);
    number.integer = mark ? 0 : negative ? -whole : whole;
    number.real = negative ? -magnitude : magnitude;
    number.decimals = decimals;
    number.plain = true;
    return true;
}

/// Whether an Integer fits an int.
inline bool fitsInt(const Number& number) {
    return number.kind == Number::Integer && number.integer >= INT_MIN && number.integer <= INT_MAX;
}

} // namespace mfreport::cli
