#include "mfreport/device/number_format.h"

#include <array>
#include <charconv>
#include <system_error>

namespace mfreport::number {

namespace {

// Fixed notation needs the integer digits of DBL_MAX (309), a sign and a point.
constexpr int64_t overhead = 330;

void render(std::string& out, double value, Notation notation, int precision, bool uppercase) {
    const auto format = notation == Notation::Fixed        ? std::chars_format::fixed
                        : notation == Notation::Scientific ? std::chars_format::scientific
                                                           : std::chars_format::general;
    std::array<char, 512> local;
    const size_t start = out.size();
    if (precision + overhead <= static_cast<int64_t>(local.size())) {
        const auto result =
            std::to_chars(local.data(), local.data() + local.size(), value, format, precision);
        out.append(local.data(), result.ptr);
    } else {
        out.resize(start + static_cast<size_t>(precision + overhead));
        char* first = out.data() + start;
        const auto result = std::to_chars(first, out.data() + out.size(), value, format, precision);
        out.resize(static_cast<size_t>(result.ptr - out.data()));
    }
    // As the stream does, fixed notation keeps "inf" and "nan" in lower case.
    if (uppercase && notation != Notation::Fixed) {
        for (size_t i = start; i < out.size(); ++i) {
            if (out[i] >= 'a' && out[i] <= 'z') {
                out[i] = static_cast<char>(out[i] - 'a' + 'A');
            }
        }
    }
}

// FIXED and SCIENTIFIC columns have a width and decimals of their own.
bool sized(const mfTableColumn& column) {
    return column.format_type() == mfTableColumn::FIXED ||
           column.format_type() == mfTableColumn::SCIENTIFIC;
}

} // namespace

void appendDouble(std::string& out, double value, Notation notation, int64_t precision,
                  bool uppercase) {
    // A stream takes a negative precision as its default of 6.
    const int digits = precision < 0 || precision > INT32_MAX ? 6 : static_cast<int>(precision);
    render(out, value, notation, digits, uppercase);
}

void appendInt(std::string& out, int64_t value) {
    std::array<char, 24> digits;
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    out.append(digits.data(), result.ptr);
}

void padFront(std::string& out, size_t start, int64_t width) {
    const size_t length = out.size() - start;
    if (width > 0 && static_cast<uint64_t>(width) > length) {
        out.insert(start, static_cast<size_t>(width) - length, ' ');
    }
}

void appendColumnNumber(std::string& out, const mfTableColumn& column, double value) {
    const Notation notation = column.format_type() == mfTableColumn::FIXED ? Notation::Fixed
                              : column.format_type() == mfTableColumn::SCIENTIFIC
                                  ? Notation::Scientific
                                  : Notation::General;
    appendDouble(out, value, notation, sized(column) ? column.storedDecimals() : 6, true);
}

int64_t columnWidth(const mfTableColumn& column) {
    return sized(column) ? column.storedWidth() : 0;
}

} // namespace mfreport::number
