#include "mfreport/record/edit.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace mfreport::record {

namespace {

std::string stars(int32_t w) {
    return std::string(static_cast<size_t>(w), '*');
}

std::string rightJustify(const std::string& text, int32_t w) {
    return std::string(static_cast<size_t>(w) - text.size(), ' ') + text;
}

// Infinity and NaN as gfortran writes them in a field of w columns.
std::string editSpecial(double value, int32_t w) {
    if (std::isnan(value)) {
        return w >= 3 ? rightJustify("NaN", w) : stars(w);
    }
    const std::string sign = value < 0 ? "-" : "";
    const int32_t signWidth = static_cast<int32_t>(sign.size());
    if (w >= 8 + signWidth) {
        return rightJustify(sign + "Infinity", w);
    }
    if (w >= 3 + signWidth) {
        return rightJustify(sign + "Inf", w);
    }
    return stars(w);
}

// Decimal digits of the value rounded to `digits` significant digits (the
// binary value taken exactly, ties to even) and the decimal exponent of the
// first digit. The value is finite and not zero.
void significantDigits(double value, int32_t digits, std::string& out, int32_t& exponent) {
    std::string buffer(static_cast<size_t>(digits) + 32, '\0');
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::fabs(value), std::chars_format::scientific, digits - 1);
    const std::string_view text(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));
    const size_t e = text.find('e');
    out.clear();
    for (const char c : text.substr(0, e)) {
        if (c != '.') {
            out += c;
        }
    }
    exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
}

} // namespace

std::optional<std::string> editInteger(int32_t value, int32_t w, int32_t m) {
    if (w < 0 || w > kMaxFieldWidth || m < 0 || (w > 0 && m > w) || m > kMaxFieldWidth) {
        return std::nullopt;
    }
    std::string digits = std::to_string(std::abs(static_cast<int64_t>(value)));
    if (m == 0 && value == 0) {
        digits.clear();
    } else if (static_cast<int32_t>(digits.size()) < m) {
        digits.insert(0, static_cast<size_t>(m) - digits.size(), '0');
    }
    const std::string text = (value < 0 ? "-" : "") + digits;
    if (w == 0) {
        // The smallest positive width: a zero without digits is one blank.
        return text.empty() ? std::string(" ") : text;
    }
    if (static_cast<int32_t>(text.size()) > w) {
        return stars(w);
    }
    return rightJustify(text, w);
}

std::optional<std::string> editFixed(double value, int32_t w, int32_t d) {
    if (w < 1 || w > kMaxFieldWidth || d < 0) {
        return std::nullopt;
    }
    if (!std::isfinite(value)) {
        return editSpecial(value, w);
    }
    if (d + 1 > w) {
        return stars(w);
    }
    // Room for 309 integer digits, the point and d decimals.
    std::string buffer(static_cast<size_t>(d) + 330, '\0');
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::fabs(value), std::chars_format::fixed, d);
    std::string digits(buffer.data(), result.ptr);
    if (d == 0) {
        digits += '.';
    }
    const std::string sign = std::signbit(value) ? "-" : "";
    std::string text = sign + digits;
    if (static_cast<int32_t>(text.size()) > w && d > 0 && digits[0] == '0') {
        text = sign + digits.substr(1); // the optional zero before the point
    }
    if (static_cast<int32_t>(text.size()) > w) {
        return stars(w);
    }
    return rightJustify(text, w);
}

std::optional<std::string> editExponent(double value, int32_t w, int32_t d, int32_t e, int32_t k) {
    if (w < 1 || w > kMaxFieldWidth || d < 0 || d > kMaxFieldWidth || e < 0 || e > 9 || k <= -d ||
        k >= d + 2) {
        return std::nullopt;
    }
    if (!std::isfinite(value)) {
        return editSpecial(value, w);
    }
    const int32_t digitCount = k > 0 ? d + 1 : d + k;
    std::string digits;
    int32_t exponent = 0;
    if (value == 0) {
        digits.assign(static_cast<size_t>(digitCount), '0');
    } else {
        significantDigits(value, digitCount, digits, exponent);
        exponent = exponent + 1 - k;
    }

    std::string mantissa;
    bool optionalZero = false;
    if (k > 0) {
        mantissa =
            digits.substr(0, static_cast<size_t>(k)) + "." + digits.substr(static_cast<size_t>(k));
    } else {
        mantissa = "0." + std::string(static_cast<size_t>(-k), '0') + digits;
        optionalZero = true;
    }

    const int32_t magnitude = std::abs(exponent);
    std::string exponentText;
    if (e > 0) {
        int32_t limit = 1;
        for (int32_t i = 0; i < e; ++i) {
            limit *= 10;
        }
        if (magnitude >= limit) {
            return stars(w);
        }
        exponentText =
            std::string("E") + (exponent < 0 ? "-" : "+") + *editInteger(magnitude, e, e);
    } else if (magnitude <= 99) {
        exponentText =
            std::string("E") + (exponent < 0 ? "-" : "+") + *editInteger(magnitude, 2, 2);
    } else if (magnitude <= 999) {
        exponentText = (exponent < 0 ? "-" : "+") + std::to_string(magnitude);
    } else {
        return stars(w);
    }

    const std::string sign = std::signbit(value) ? "-" : "";
    std::string text = sign + mantissa + exponentText;
    if (static_cast<int32_t>(text.size()) > w && optionalZero) {
        text = sign + mantissa.substr(1) + exponentText;
    }
    if (static_cast<int32_t>(text.size()) > w) {
        return stars(w);
    }
    return rightJustify(text, w);
}

} // namespace mfreport::record
