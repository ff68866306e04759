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

} // namespace

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
