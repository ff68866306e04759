#include <sstream>

#include <gtest/gtest.h>

#include "mfreport/mfreport.h"
#include "mfreport/platform/clock.h"
#include "test_env.h"

namespace {

template <class T>
std::string streamed(const T& value) {
    std::ostringstream os;
    os << value;
    return os.str();
}

TEST(Clock, SourceDateEpochFixesDateAndTime) {
    mftest::FixedClock clock("1796585527"); // 2026-12-06 19:32:07 UTC
    EXPECT_EQ(streamed(mfDate()), "06-DEC-2026");
    EXPECT_EQ(streamed(mfTime()), "19:32:07");
}

TEST(Clock, CalendarBoundaries) {
    using mfreport::platform::fromEpochSeconds;
    const auto epoch = fromEpochSeconds(0);
    EXPECT_EQ(epoch.year, 1970);
    EXPECT_EQ(epoch.month, 1);
    EXPECT_EQ(epoch.day, 1);
    const auto leap = fromEpochSeconds(951782400); // 2000-02-29 00:00:00
    EXPECT_EQ(leap.year, 2000);
    EXPECT_EQ(leap.month, 2);
    EXPECT_EQ(leap.day, 29);
    const auto before = fromEpochSeconds(-1); // 1969-12-31 23:59:59
    EXPECT_EQ(before.year, 1969);
    EXPECT_EQ(before.day, 31);
    EXPECT_EQ(before.hour, 23);
    EXPECT_EQ(before.second, 59);
}

TEST(Clock, MalformedSourceDateEpochFallsBackToHostClock) {
    mftest::FixedClock clock("12abc");
    const auto t = mfreport::platform::now();
    EXPECT_GE(t.year, 2024);
}

TEST(Clock, UserNameIsNeverEmpty) {
    EXPECT_FALSE(streamed(mfUserName()).empty());
}

} // namespace
