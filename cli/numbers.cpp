#include "numbers.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
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

} // namespace

Number parseNumber(std::string_view text, bool decimalComma) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);

    std::string digits; // the text as from_chars reads it: no '+', a '.' as mark
    size_t at = 0;
    if (text[0] == '+' || text[0] == '-') {
        if (text[0] == '-') {
            digits += '-';
        }
        ++at;
    }
    Number number;
    const std::string_view word = text.substr(at);
    if (sameWord(word, "inf") || sameWord(word, "infinity") || sameWord(word, "nan")) {
        digits += word;
        number.kind = Number::Real;
        number.plain = false;
    } else {
        size_t integerDigits = 0;
        for (; at < text.size() && isDigit(text[at]); ++at, ++integerDigits) {
            digits += text[at];
        }
        bool mark = false;
        if (at < text.size() && (text[at] == '.' || (decimalComma && text[at] == ','))) {
            mark = true;
            digits += '.';
            for (++at; at < text.size() && isDigit(text[at]); ++at, ++number.decimals) {
                digits += text[at];
            }
        }
        if (integerDigits + static_cast<size_t>(number.decimals) == 0) {
            return {};
        }
        bool exponent = false;
        if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
            exponent = true;
            digits += 'e';
            ++at;
            if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
                digits += text[at++];
            }
            const size_t start = at;
            for (; at < text.size() && isDigit(text[at]); ++at) {
                digits += text[at];
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

    const char* begin = digits.data();
    const char* end = begin + digits.size();
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

bool fitsInt(const Number& number) {
    return number.kind == Number::Integer && number.integer >= INT_MIN && number.integer <= INT_MAX;
}

} // namespace mfreport::cli
