#include "mfreport/platform/fixed_digits.h"

#include <charconv>
#include <cstddef>
#include <cstring>
#include <system_error>

namespace mfreport::platform {

namespace {

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

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The 128-bit product of a and b as its high and low words.
void multiply(std::uint64_t a, std::uint64_t b, std::uint64_t& high, std::uint64_t& low) {
#if defined(__SIZEOF_INT128__)
    __extension__ typedef unsigned __int128 Wide;
    const Wide product = static_cast<Wide>(a) * b;
    high = static_cast<std::uint64_t>(product >> 64);
    low = static_cast<std::uint64_t>(product);
#else
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
#endif
}

// Writes the digits of `value` (at least one) to end at `last`, two at a
// time from the last one back; returns where they start.
char* writeDigitsBack(char* last, std::uint64_t value) {
    while (value >= 100) {
        last -= 2;
        std::memcpy(last, kDigitPairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (value >= 10) {
        last -= 2;
        std::memcpy(last, kDigitPairs + 2 * value, 2);
    } else {
        *--last = static_cast<char>('0' + value);
    }
    return last;
}

} // namespace

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

// Beyond 64 bits the digits are std::to_chars's own.
char* writeFixedDigits(char* out, char* end, double magnitude, int32_t d) {
    std::uint64_t scaled = 0;
    if (!scaledRounded(magnitude, d, scaled)) {
        return std::to_chars(out, end, magnitude, std::chars_format::fixed, d).ptr;
    }
    // Written from the last digit back, two digits at a time: the d decimals
    // (leading zeros included), the point, then at least one integer digit.
    // At most 21 characters, ending kBlock bytes before the end of `text`,
    // so that they can be moved as one block of kBlock bytes.
    constexpr size_t kBlock = 24;
    char text[2 * kBlock];
    char* const last = text + kBlock;
    char* p = last;
    auto decimals = static_cast<size_t>(d);
    for (; decimals >= 2; decimals -= 2) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * (scaled % 100), 2);
        scaled /= 100;
    }
    if (decimals == 1) {
        *--p = static_cast<char>('0' + scaled % 10);
        scaled /= 10;
    }
    if (d > 0) {
        *--p = '.';
    }
    p = writeDigitsBack(p, scaled);
    const auto length = static_cast<size_t>(last - p);
    if (end - out >= static_cast<std::ptrdiff_t>(kBlock)) {
        std::memcpy(out, p, kBlock);
    } else {
        std::memcpy(out, p, length);
    }
    return out + length;
}

// The p + 1 significant digits are |v| * 10^(p - e) rounded once, for the
// decimal exponent e of |v|: estimated from the binary exponent, then
// corrected by the digit count of the result. Zero, subnormal, large and
// long renderings are std::to_chars's own.
char* writeScientificDigits(char* out, char* end, double magnitude, int32_t p) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const auto biased = static_cast<int32_t>((bits >> 52) & 0x7FF);
    std::uint64_t scaled = 0;
    bool exact = false;
    int32_t exponent = 0;
    if (biased != 0 && p >= 0 && p <= 18) {
        // floor(b * log10(2)) for the binary exponent b, off by at most one.
        const int32_t binary = biased - 1023;
        exponent = binary >= 0 ? (binary * 78913) >> 18 : -((-binary * 78913 + 262143) >> 18);
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (!scaledRounded(magnitude, p - exponent, scaled)) {
                break;
            }
            if (scaled >= kPowersOfTen[p + 1]) {
                ++exponent;
            } else if (scaled < kPowersOfTen[p]) {
                --exponent;
            } else {
                exact = true;
                break;
            }
        }
    }
    if (!exact) {
        return std::to_chars(out, end, magnitude, std::chars_format::scientific, p).ptr;
    }
    // The digits from the last one back, then the point after the first.
    char digits[20];
    char* d = digits + sizeof digits;
    d = writeDigitsBack(d, scaled);
    char* o = out;
    *o++ = *d++;
    if (p > 0) {
        *o++ = '.';
        std::memcpy(o, d, static_cast<size_t>(p));
        o += p;
    }
    *o++ = 'e';
    *o++ = exponent < 0 ? '-' : '+';
    auto shown = static_cast<uint32_t>(exponent < 0 ? -exponent : exponent);
    if (shown >= 100) {
        *o++ = static_cast<char>('0' + shown / 100);
        shown %= 100;
    }
    std::memcpy(o, kDigitPairs + 2 * shown, 2);
    return o + 2;
}

} // namespace mfreport::platform
