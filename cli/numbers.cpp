#include "numbers.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace mfreport::cli {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool sameWord(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != lower[i]) {
            return false;
        }
    }
    return true;
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;

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
    for (; p < end && isDigit(*p); ++p) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    return p;
}

} // namespace

bool parsePlainDecimal(std::string_view text, bool decimalComma, Number& number) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p < end && *p == '-';
    p += negative ? 1 : 0;
    std::uint64_t mantissa = 0;
    const char* const first = p;
    p = addDigits(p, end, mantissa);
    size_t digits = static_cast<size_t>(p - first);
    int decimals = 0;
    const bool mark = p < end && (*p == '.' || (decimalComma && *p == ','));
    if (mark) {
        const char* const fraction = ++p;
        p = addDigits(p, end, mantissa);
        decimals = static_cast<int>(p - fraction);
        digits += static_cast<size_t>(decimals);
    }
    if (p != end || digits == 0 || digits > 19 || mantissa > kExactMantissa || decimals > 22) {
        return false;
    }
    const double magnitude = static_cast<double>(mantissa) / kExactPowers[decimals];
    number.kind = mark ? Number::Real : Number::Integer;
    const auto whole = static_cast<long long>(mantissa);
    number.integer = mark ? 0 : negative ? -whole : whole;
    number.real = negative ? -magnitude : magnitude;
    number.decimals = decimals;
    number.plain = true;
    return true;
}

Number parseNumber(std::string_view text, bool decimalComma) {
    if (text.empty() || text.front() == ' ' || text.front() == '\t' || text.back() == ' ' ||
        text.back() == '\t') {
        const size_t first = text.find_first_not_of(" \t");
        if (first == std::string_view::npos) {
            return {};
        }
        text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    }
    Number number;
    if (parsePlainDecimal(text, decimalComma, number)) {
        return number;
    }
    // from_chars reads the text without a leading '+'; a decimal comma
    // becomes a point in a copy.
    size_t at = text[0] == '+' || text[0] == '-' ? 1 : 0;
    const size_t from = text[0] == '+' ? 1 : 0;
    size_t comma = std::string_view::npos;
    const std::string_view word = text.substr(at);
    if (sameWord(word, "inf") || sameWord(word, "infinity") || sameWord(word, "nan")) {
        number.kind = Number::Real;
        number.plain = false;
    } else {
        size_t integerDigits = 0;
        for (; at < text.size() && isDigit(text[at]); ++at, ++integerDigits) {
        }
        bool mark = false;
        if (at < text.size() && (text[at] == '.' || (decimalComma && text[at] == ','))) {
            mark = true;
            comma = text[at] == ',' ? at : comma;
            for (++at; at < text.size() && isDigit(text[at]); ++at, ++number.decimals) {
            }
        }
        if (integerDigits + static_cast<size_t>(number.decimals) == 0) {
            return {};
        }
        bool exponent = false;
        if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
            exponent = true;
            ++at;
            if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
                ++at;
            }
            const size_t start = at;
            for (; at < text.size() && isDigit(text[at]); ++at) {
            }
            if (at == start) {
                return {};
            }
        }
        if (at != text.size()) {
            return {};
        }
        number.plain = !exponent;
        number.kind = mark || exponent ? Number::Real : Number::Integer;
    }

    const char* begin = text.data() + from;
    const char* end = text.data() + text.size();
    char local[64];
    std::string longer;
    if (comma != std::string_view::npos) {
        const size_t length = text.size() - from;
        char* copy = local;
        if (length > sizeof local) {
            longer.resize(length);
            copy = longer.data();
        }
        std::memcpy(copy, begin, length);
        copy[comma - from] = '.';
        begin = copy;
        end = copy + length;
    }
    if (number.kind == Number::Integer) {
        const auto [stop, error] = std::from_chars(begin, end, number.integer);
        if (error == std::errc() && stop == end) {
            number.real = static_cast<double>(number.integer);
            return number;
        }
        number.kind = Number::Real; // beyond 64 bits
    }
    const auto [stop, error] = std::from_chars(begin, end, number.real);
    if (error != std::errc() || stop != end) {
        return {}; // beyond the range of a double
    }
    number.plain = number.plain && std::isfinite(number.real);
    return number;
}

} // namespace mfreport::cli
