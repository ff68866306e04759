// Numbers as CSV files write them.
#pragma once

#include <climits>
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

/// The common case of parseNumber: [-]digits[.digits] without blanks, at
/// most 19 digits worth at most 2^53 and at most 22 decimals, whose double
/// one exact division gives. False, with `number` unchanged, for anything else.
bool parsePlainDecimal(std::string_view text, bool decimalComma, Number& number);

/// Whether an Integer fits an int.
inline bool fitsInt(const Number& number) {
    return number.kind == Number::Integer && number.integer >= INT_MIN && number.integer <= INT_MAX;
}

} // namespace mfreport::cli
