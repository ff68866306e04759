#include <string>

#include <gtest/gtest.h>

#include "mfreport/support/dates.h"
#include "test_env.h"

namespace {

using mfreport::support::CNVDAT;
using mfreport::support::DATSTR;
using mfreport::support::TIMSTR;

std::string converted(const std::string& input, size_t outputLength) {
    std::string output(outputLength, '?');
    CNVDAT(input, output);
    return output;
}

TEST(Dates, TodayFromTheLibraryClock) {
    mftest::FixedClock clock("1796585527"); // 2026-12-06 19:32:07 UTC
    std::string date(14, '?');
    DATSTR(date);
    EXPECT_EQ(date, "06-DEC-2026   ");
    std::string shortDate(10, '?');
    DATSTR(shortDate);
    EXPECT_EQ(shortDate, "          ");
    std::string time(10, '?');
    TIMSTR(time);
    EXPECT_EQ(time, "19:32:07  ");
    std::string shortTime(5, '?');
    TIMSTR(shortTime);
    EXPECT_EQ(shortTime, "19:32");
}

TEST(Dates, ConvertsBetweenTheFourForms) {
    EXPECT_EQ(converted("20261205", 11), "05-DEC-2026");
    EXPECT_EQ(converted("05-DEC-2026", 8), "20261205");
    EXPECT_EQ(converted("261205", 9), "05-DEC-26");
    EXPECT_EQ(converted("05-DEC-26", 6), "261205");
    EXPECT_EQ(converted("31-JAN-1999", 8), "19990131");
    EXPECT_EQ(converted("20261205 12:00", 13), "05-DEC-2026??"); // first word; rest kept
}

TEST(Dates, BlankDayDigitBecomesZero) {
    EXPECT_EQ(converted(" 5-DEC-26", 6), "261205");
    EXPECT_EQ(converted(" 5-DEC-2026", 8), "20261205");
}

TEST(Dates, UnknownMonthGivesZeroOrBlanks) {
    EXPECT_EQ(converted("05-dec-2026", 8), "20260005");
    EXPECT_EQ(converted("05-XYZ-26", 6), "260005");
    EXPECT_EQ(converted("20261305", 11), "05-   -2026");
}

TEST(Dates, ShortOutputOrUnknownFormLeavesOutputUnchanged) {
    EXPECT_EQ(converted("20261205", 10), "??????????");
    EXPECT_EQ(converted("05-DEC-2026", 7), "???????");
    EXPECT_EQ(converted("261205", 8), "????????");
    EXPECT_EQ(converted("05-DEC-26", 5), "?????");
    EXPECT_EQ(converted("2026125", 11), "???????????");
}

} // namespace
