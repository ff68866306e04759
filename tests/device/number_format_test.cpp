#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ios>
#include <locale>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "mfreport/device/number_format.h"

namespace {

using mfreport::number::appendDouble;
using mfreport::number::Notation;

// The stream rendering the formatter must reproduce.
std::string oracle(double value, Notation notation, int64_t precision, bool uppercase) {
    std::ostringstream os;
    os.imbue(std::locale::classic());
    if (uppercase) {
        os << std::uppercase;
    }
    if (notation == Notation::Fixed) {
        os << std::fixed;
    } else if (notation == Notation::Scientific) {
        os << std::scientific;
    }
    os.precision(static_cast<std::streamsize>(precision));
    os << value;
    return os.str();
}

std::string rendered(double value, Notation notation, int64_t precision, bool uppercase) {
    std::string out = "<";
    appendDouble(out, value, notation, precision, uppercase);
    return out.substr(1);
}

TEST(NumberFormat, MatchesTheStreamForManyValues) {
    // Each value with both signs.
    const double values[] = {0.0,          1.0,           0.5,       2.5,         3.14159,  2.675,
                             1e-7,         123456789.125, 9.9999999, 0.000123456, 1e300,    DBL_MAX,
                             DBL_TRUE_MIN, 100000.0,      999999.5,  1234567.0,   HUGE_VAL, NAN};
    const int64_t precisions[] = {-3, 0, 1, 2, 3, 6, 10, 16, 17, 40};
    const Notation notations[] = {Notation::Fixed, Notation::Scientific, Notation::General};
    for (const double magnitude : values) {
        for (const double v : {magnitude, -magnitude}) {
            for (const Notation n : notations) {
                for (const int64_t p : precisions) {
                    for (const bool upper : {false, true}) {
                        EXPECT_EQ(rendered(v, n, p, upper), oracle(v, n, p, upper))
                            << "value " << v << " notation " << static_cast<int>(n) << " precision "
                            << p << " upper " << upper;
                    }
                }
            }
        }
    }
}

// Exact ties at the last decimal and their neighbours, magnitudes at the
// edges of 64-bit scaled integers and of powers of ten, and pseudo-random bit
// patterns.
std::vector<double> exactDigitCases() {
    std::vector<double> values = {0.5,
                                  1.5,
                                  2.5,
                                  0.125,
                                  0.375,
                                  0.1,
                                  0.7,
                                  1e-5,
                                  5e-5,
                                  1.5e-4,
                                  99.995,
                                  9.5,
                                  1.8446744073709552e19,
                                  1.8e15,
                                  5e-324,
                                  1e-300,
                                  123456.78905,
                                  4503599627370495.5,
                                  9.9999999999999995,
                                  999.99999999999995,
                                  1e16,
                                  1e17,
                                  2.2250738585072014e-308};
    const size_t ties = values.size();
    for (size_t i = 0; i < ties; ++i) {
        values.push_back(std::nextafter(values[i], 0.0));
        values.push_back(std::nextafter(values[i], HUGE_VAL));
    }
    std::uint64_t state = 20240607;
    for (int i = 0; i < 3000; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        // Exponents from about 1e-20 to 1e20, any fraction bits, either sign.
        const std::uint64_t bits =
            (state & 0x800FFFFFFFFFFFFFULL) | ((0x3BFULL + (state >> 52) % 0x84) << 52);
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        values.push_back(v);
    }
    return values;
}

TEST(NumberFormat, FixedNotationShowsTheDigitsOfTheExactValue) {
    for (const double v : exactDigitCases()) {
        for (int64_t p = 0; p <= 22; ++p) {
            ASSERT_EQ(rendered(v, Notation::Fixed, p, true), oracle(v, Notation::Fixed, p, true))
                << v << " with " << p << " decimals";
        }
    }
}

TEST(NumberFormat, ScientificNotationShowsTheDigitsOfTheExactValue) {
    for (const double v : exactDigitCases()) {
        for (int64_t p = 0; p <= 20; ++p) {
            ASSERT_EQ(rendered(v, Notation::Scientific, p, p % 2 == 0),
                      oracle(v, Notation::Scientific, p, p % 2 == 0))
                << v << " with " << p << " decimals";
        }
    }
}

TEST(NumberFormat, LongFixedRenderingsAreComplete) {
    EXPECT_EQ(rendered(1e300, Notation::Fixed, 600, false),
              oracle(1e300, Notation::Fixed, 600, false));
    EXPECT_EQ(rendered(-1.5, Notation::Fixed, 1000, true),
              oracle(-1.5, Notation::Fixed, 1000, true));
}

TEST(NumberFormat, PadsInFrontToTheWidth) {
    std::string out = "x=";
    out += "3.142";
    mfreport::number::padFront(out, 2, 10);
    EXPECT_EQ(out, "x=     3.142");
    mfreport::number::padFront(out, 2, 4);
    EXPECT_EQ(out, "x=     3.142");
    mfreport::number::padFront(out, 2, -5);
    EXPECT_EQ(out, "x=     3.142");
    std::string n;
    mfreport::number::appendInt(n, -2147483648LL);
    EXPECT_EQ(n, "-2147483648");
}

} // namespace
