#include "mfreport/device/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace mfreport::number {

void upperCase(char* first, char* end) {
    for (char* p = first; p < end; ++p) {
        if (*p >= 'a' && *p <= 'z') {
            *p = static_cast<char>(*p - 'a' + 'A');
        }
    }
}

void upperExponent(char* first, char* end) {
    // An exponent is "e", a sign and 2 or 3 digits.
    for (ptrdiff_t i = 4; i <= 5 && i <= end - first; ++i) {
        if (end[-i] == 'e') {
            end[-i] = 'E';
            return;
        }
    }
}

void appendDouble(std::string& out, double value, Notation notation, int64_t precision,
                  bool uppercase) {
    // A stream takes a negative precision as its default of 6.
    const int digits = precision < 0 || precision > INT32_MAX ? 6 : static_cast<int>(precision);
    std::array<char, 512> local;
    if (doubleRoom(digits) <= local.size()) {
        out.append(local.data(), writeDouble(local.data(), value, notation, digits, uppercase));
    } else {
        const size_t start = out.size();
        out.resize(start + doubleRoom(digits));
        char* end = writeDouble(out.data() + start, value, notation, digits, uppercase);
        out.resize(static_cast<size_t>(end - out.data()));
    }
}

void appendInt(std::string& out, int64_t value) {
    std::array<char, 24> digits;
    out.append(digits.data(), writeInt(digits.data(), value));
}

void padFront(std::string& out, size_t start, int64_t width) {
    const size_t length = out.size() - start;
    if (width > 0 && static_cast<uint64_t>(width) > length) {
        out.insert(start, static_cast<size_t>(width) - length, ' ');
    }
}

} // namespace mfreport::number
