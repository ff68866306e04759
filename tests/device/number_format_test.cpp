#include <cmath>
#include <ios>
#include <limits>
#include <locale>
#include <sstream>

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
    const double values[] = {0.0,
                             -0.0,
                             1.0,
                             -1.0,
                             0.5,
                             2.5,
                             3.14159,
                             -2.675,
                             1e-7,
                             123456789.125,
                             9.9999999,
                             0.000123456,
                             1e300,
                             -1.7976931348623157e308,
                             4.9406564584124654e-324,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(),
                             100000.0,
                             999999.5,
                             1234567.0};
    const int64_t precisions[] = {-3, 0, 1, 2, 3, 6, 10, 16, 17, 40};
    for (const double v : values) {
        for (const Notation n : {Notation::Fixed, Notation::Scientific, Notation::General}) {
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

TEST(NumberFormat, LongFixedRenderingsAreComplete) {
    EXPECT_EQ(rendered(1e300, Notation::Fixed, 600, false),
              oracle(1e300, Notation::Fixed, 600, false));
    EXPECT_EQ(rendered(-1.5, Notation::Fixed, 1000, true),
              oracle(-1.5, Notation::Fixed, 1000, true));
}

TEST(NumberFormat, IgnoresTheGlobalLocale) {
    struct Comma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new Comma));
    EXPECT_EQ(rendered(1234567.125, Notation::Fixed, 3, false), "1234567.125");
    EXPECT_EQ(rendered(3.142, Notation::General, 6, true), "3.142");
    std::locale::global(previous);
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
