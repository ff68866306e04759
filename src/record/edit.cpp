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

#include "mfreport/platform/fixed_digits.h"

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
    char* end = platform::writeFixedDigits(digits, buffer.end(), std::fabs(value), d);
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
