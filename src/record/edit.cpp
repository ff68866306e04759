#include "mfreport/record/edit.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <system_error>

namespace mfreport::record {

namespace {

void stars(char* out, int32_t w) {
    std::memset(out, '*', static_cast<size_t>(w));
}

// `text` right-justified in the field of w columns; the text fits.
void rightJustify(char* out, int32_t w, std::string_view text) {
    const size_t blanks = static_cast<size_t>(w) - text.size();
    std::memset(out, ' ', blanks);
    std::memcpy(out + blanks, text.data(), text.size());
}

// `pieces` joined and right-justified in w columns, or w asterisks when they
// do not fit.
void justify(char* out, int32_t w, std::initializer_list<std::string_view> pieces) {
    size_t length = 0;
    for (const std::string_view piece : pieces) {
        length += piece.size();
    }
    if (length > static_cast<size_t>(w)) {
        stars(out, w);
        return;
    }
    const size_t blanks = static_cast<size_t>(w) - length;
    std::memset(out, ' ', blanks);
    char* p = out + blanks;
    for (const std::string_view piece : pieces) {
        if (!piece.empty()) {
            std::memcpy(p, piece.data(), piece.size());
            p += piece.size();
        }
    }
}

// Infinity and NaN as gfortran writes them in a field of w columns.
void editSpecial(char* out, double value, int32_t w) {
    if (std::isnan(value)) {
        w >= 3 ? rightJustify(out, w, "NaN") : stars(out, w);
        return;
    }
    const int32_t signWidth = value < 0 ? 1 : 0;
    if (w >= 8 + signWidth) {
        rightJustify(out, w, value < 0 ? "-Infinity" : "Infinity");
    } else if (w >= 3 + signWidth) {
        rightJustify(out, w, value < 0 ? "-Inf" : "Inf");
    } else {
        stars(out, w);
    }
}

// Room for the text of a number: a small buffer on the stack, a larger one
// on the heap for very many digits.
class Digits {
public:
    explicit Digits(size_t size)
        : heap_(size > sizeof local_ ? new char[size] : nullptr), size_(size) {}
    char* data() { return heap_ ? heap_.get() : local_; }
    char* end() { return data() + size_; }

private:
    char local_[400];
    std::unique_ptr<char[]> heap_;
    size_t size_;
};

constexpr std::uint64_t kPowersOfTen[] = {1ULL,
                                          10ULL,
                                          100ULL,
                                          1000ULL,
                                          10000ULL,
                                          100000ULL,
                                          1000000ULL,
                                          10000000ULL,
                                          100000000ULL,
                                          1000000000ULL,
                                          10000000000ULL,
                                          100000000000ULL,
                                          1000000000000ULL,
                                          10000000000000ULL,
                                          100000000000000ULL,
                                          1000000000000000ULL,
                                          10000000000000000ULL,
                                          100000000000000000ULL,
                                          1000000000000000000ULL,
                                          10000000000000000000ULL};

// The 128-bit product of a and b as its high and low words.
void multiply(std::uint64_t a, std::uint64_t b, std::uint64_t& high, std::uint64_t& low) {
    const std::uint64_t aLow = a & 0xFFFFFFFF;
    const std::uint64_t aHigh = a >> 32;
    const std::uint64_t bLow = b & 0xFFFFFFFF;
    const std::uint64_t bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t highLow = aHigh * bLow;
    const std::uint64_t lowHigh = aLow * bHigh;
    const std::uint64_t middle = (lowLow >> 32) + (highLow & 0xFFFFFFFF) + (lowHigh & 0xFFFFFFFF);
    low = (middle << 32) | (lowLow & 0xFFFFFFFF);
    high = aHigh * bHigh + (highLow >> 32) + (lowHigh >> 32) + (middle >> 32);
}

// |value| * 10^d rounded to the nearest integer, ties to even, computed
// exactly from the double's binary fraction; false when the result needs
// more than 64 bits or d more than 19 digits.
bool scaledRounded(double magnitude, int32_t d, std::uint64_t& rounded) {
    if (d < 0 || d > 19) {
        return false;
    }
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int32_t biased = static_cast<int32_t>((bits >> 52) & 0x7FF);
    std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    int32_t exponent = -1074;
    if (biased != 0) {
        fraction |= std::uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    if (fraction == 0) {
        rounded = 0;
        return true;
    }
    if (exponent >= 0) {
        return false;
    }
    // value * 10^d = fraction * 10^d / 2^shift, the product below 2^127.
    const auto shift = static_cast<uint32_t>(-exponent);
    if (shift >= 128) {
        rounded = 0; // below half of the last place
        return true;
    }
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    multiply(fraction, kPowersOfTen[d], high, low);
    std::uint64_t quotient = 0;
    int32_t versusHalf = 0; // the remainder against half of 2^shift
    if (shift < 64) {
        if ((high >> shift) != 0) {
            return false;
        }
        quotient = (low >> shift) | (high << (64 - shift)); // shift is 1 to 63
        const std::uint64_t remainder = low & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        versusHalf = remainder > half ? 1 : remainder == half ? 0 : -1;
    } else if (shift == 64) {
        quotient = high;
        const std::uint64_t half = std::uint64_t{1} << 63;
        versusHalf = low > half ? 1 : low == half ? 0 : -1;
    } else {
        quotient = high >> (shift - 64);
        const std::uint64_t remainder = high & ((std::uint64_t{1} << (shift - 64)) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 65);
        versusHalf = remainder > half || (remainder == half && low > 0) ? 1
                     : remainder == half                                ? 0
                                                                        : -1;
    }
    if (versusHalf > 0 || (versusHalf == 0 && (quotient & 1) != 0)) {
        if (quotient == ~std::uint64_t{0}) {
            return false;
        }
        ++quotient;
    }
    rounded = quotient;
    return true;
}

// |value| with d decimals as std::to_chars(fixed, d) writes it: exactly by
// integer arithmetic where the scaled value fits 64 bits, else by to_chars.
char* fixedDigits(char* out, char* end, double magnitude, int32_t d) {
    std::uint64_t scaled = 0;
    if (!scaledRounded(magnitude, d, scaled)) {
        return std::to_chars(out, end, magnitude, std::chars_format::fixed, d).ptr;
    }
    char digits[24];
    const auto count =
        static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, scaled).ptr - digits);
    const auto decimals = static_cast<size_t>(d);
    char* p = out;
    if (count <= decimals) {
        *p++ = '0';
    } else {
        std::memcpy(p, digits, count - decimals);
        p += count - decimals;
    }
    if (decimals > 0) {
        *p++ = '.';
        const size_t shown = count < decimals ? count : decimals;
        std::memset(p, '0', decimals - shown);
        p += decimals - shown;
        std::memcpy(p, digits + (count - shown), shown);
        p += shown;
    }
    return p;
}

bool validInteger(int32_t w, int32_t m) {
    return w >= 0 && w <= kMaxFieldWidth && m >= 0 && (w == 0 || m <= w) && m <= kMaxFieldWidth;
}

// Iw.m text without justification at `out` (room for m + 12); its length.
size_t integerText(char* out, int32_t value, int32_t m) {
    char digits[24];
    const uint64_t magnitude =
        value < 0 ? uint64_t{0} - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    size_t count =
        static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, magnitude).ptr - digits);
    if (m == 0 && value == 0) {
        count = 0;
    }
    char* p = out;
    if (value < 0) {
        *p++ = '-';
    }
    if (count < static_cast<size_t>(m)) {
        std::memset(p, '0', static_cast<size_t>(m) - count);
        p += static_cast<size_t>(m) - count;
    }
    std::memcpy(p, digits, count);
    return static_cast<size_t>(p + count - out);
}

} // namespace

bool putInteger(char* out, int32_t value, int32_t w, int32_t m) {
    if (w < 1 || !validInteger(w, m)) {
        return false;
    }
    if (m == 1) { // the usual Iw: the sign and the digits
        char text[16];
        const size_t length =
            static_cast<size_t>(std::to_chars(text, text + sizeof text, value).ptr - text);
        if (length > static_cast<size_t>(w)) {
            stars(out, w);
        } else {
            rightJustify(out, w, std::string_view(text, length));
        }
        return true;
    }
    if (m <= 14) {
        char text[16];
        justify(out, w, {std::string_view(text, integerText(text, value, m))});
    } else {
        std::unique_ptr<char[]> text(new char[static_cast<size_t>(m) + 16]);
        justify(out, w, {std::string_view(text.get(), integerText(text.get(), value, m))});
    }
    return true;
}

bool putFixed(char* out, double value, int32_t w, int32_t d) {
    if (w < 1 || w > kMaxFieldWidth || d < 0) {
        return false;
    }
    if (!std::isfinite(value)) {
        editSpecial(out, value, w);
        return true;
    }
    if (d >= w) {
        stars(out, w);
        return true;
    }
    // Room for the sign, 309 integer digits, the point and d decimals.
    Digits buffer(static_cast<size_t>(d) + 330);
    char* const text = buffer.data();
    char* const digits = std::signbit(value) ? text + 1 : text;
    *text = '-';
    char* end = fixedDigits(digits, buffer.end(), std::fabs(value), d);
    if (d == 0) {
        *end++ = '.';
    }
    size_t length = static_cast<size_t>(end - text);
    if (length > static_cast<size_t>(w) && d > 0 && *digits == '0') {
        // The optional zero before the point.
        std::memmove(digits, digits + 1, static_cast<size_t>(end - digits) - 1);
        --length;
    }
    if (length > static_cast<size_t>(w)) {
        stars(out, w);
    } else {
        rightJustify(out, w, std::string_view(text, length));
    }
    return true;
}

bool putExponent(char* out, double value, int32_t w, int32_t d, int32_t e, int32_t k) {
    if (w < 1 || w > kMaxFieldWidth || d < 0 || d > kMaxFieldWidth || e < 0 || e > 9 || k <= -d ||
        k >= d + 2) {
        return false;
    }
    if (!std::isfinite(value)) {
        editSpecial(out, value, w);
        return true;
    }
    const int32_t digitCount = k > 0 ? d + 1 : d + k;
    // The significant digits, then room for the mantissa built from them.
    Digits buffer(2 * static_cast<size_t>(digitCount) + static_cast<size_t>(k < 0 ? -k : 0) + 48);
    char* digits = buffer.data();
    int32_t exponent = 0;
    if (value == 0) {
        std::memset(digits, '0', static_cast<size_t>(digitCount));
    } else {
        // Rounded to digitCount significant digits, the binary value taken
        // exactly, ties to even: "d.ddde+x".
        char* end = std::to_chars(digits, buffer.end(), std::fabs(value),
                                  std::chars_format::scientific, digitCount - 1)
                        .ptr;
        char* mark = end;
        while (mark > digits && mark[-1] != 'e') {
            --mark;
        }
        const char* from = *mark == '+' ? mark + 1 : mark;
        std::from_chars(from, end, exponent);
        if (digitCount > 1) { // drop the point
            std::memmove(digits + 1, digits + 2, static_cast<size_t>(digitCount) - 1);
        }
        exponent = exponent + 1 - k;
    }

    // Mantissa: k digits, the point, the rest; or "0.", -k zeros, the digits.
    char* mantissa = digits + digitCount + 8;
    char* p = mantissa;
    bool optionalZero = false;
    if (k > 0) {
        std::memcpy(p, digits, static_cast<size_t>(k));
        p += k;
        *p++ = '.';
        std::memcpy(p, digits + k, static_cast<size_t>(digitCount - k));
        p += digitCount - k;
    } else {
        *p++ = '0';
        *p++ = '.';
        std::memset(p, '0', static_cast<size_t>(-k));
        p += -k;
        std::memcpy(p, digits, static_cast<size_t>(digitCount));
        p += digitCount;
        optionalZero = true;
    }
    std::string_view mantissaText(mantissa, static_cast<size_t>(p - mantissa));

    const int32_t magnitude = std::abs(exponent);
    char exponentText[16];
    char* x = exponentText;
    if (e > 0) {
        int32_t limit = 1;
        for (int32_t i = 0; i < e; ++i) {
            limit *= 10;
        }
        if (magnitude >= limit) {
            stars(out, w);
            return true;
        }
        *x++ = 'E';
        *x++ = exponent < 0 ? '-' : '+';
        x += integerText(x, magnitude, e);
    } else if (magnitude <= 99) {
        *x++ = 'E';
        *x++ = exponent < 0 ? '-' : '+';
        x += integerText(x, magnitude, 2);
    } else if (magnitude <= 999) {
        *x++ = exponent < 0 ? '-' : '+';
        x += integerText(x, magnitude, 1);
    } else {
        stars(out, w);
        return true;
    }
    const std::string_view exponentPart(exponentText, static_cast<size_t>(x - exponentText));

    const std::string_view sign = std::signbit(value) ? std::string_view("-") : std::string_view();
    if (sign.size() + mantissaText.size() + exponentPart.size() > static_cast<size_t>(w) &&
        optionalZero) {
        mantissaText.remove_prefix(1);
    }
    justify(out, w, {sign, mantissaText, exponentPart});
    return true;
}

std::optional<std::string> editInteger(int32_t value, int32_t w, int32_t m) {
    if (!validInteger(w, m)) {
        return std::nullopt;
    }
    if (w == 0) {
        // The smallest positive width: a zero without digits is one blank.
        std::string text(static_cast<size_t>(m) + 16, ' ');
        text.resize(integerText(text.data(), value, m));
        return text.empty() ? std::string(" ") : text;
    }
    std::string field(static_cast<size_t>(w), ' ');
    putInteger(field.data(), value, w, m);
    return field;
}

std::optional<std::string> editFixed(double value, int32_t w, int32_t d) {
    std::string field(static_cast<size_t>(w > 0 && w <= kMaxFieldWidth ? w : 0), ' ');
    if (!putFixed(field.data(), value, w, d)) {
        return std::nullopt;
    }
    return field;
}

std::optional<std::string> editExponent(double value, int32_t w, int32_t d, int32_t e, int32_t k) {
    std::string field(static_cast<size_t>(w > 0 && w <= kMaxFieldWidth ? w : 0), ' ');
    if (!putExponent(field.data(), value, w, d, e, k)) {
        return std::nullopt;
    }
    return field;
}

} // namespace mfreport::record
