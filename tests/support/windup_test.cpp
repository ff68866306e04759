#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "mfreport/record/record_io.h"
#include "mfreport/support/windup.h"
#include "test_env.h"

namespace {

using namespace mfreport::support;

const std::string kWindup = " ***** WINDUP DUMMY ROUTINE CALLED\n";
const std::string kWalk = "        \n"
                          "        \n"
                          " %PROGRAM WALKBACK BY AUXLIB:WALK:\n"
                          " _________________________________\n"
                          "        \n"
                          " %NOT IMPLEMENTED\n";

TEST(Windup, LinesGoToStandardOutputByDefault) {
    int32_t input = 0;
    int32_t output = 0;
    STDUNI(2, input, output);
    EXPECT_EQ(input, 5);
    EXPECT_EQ(output, 6);
    testing::internal::CaptureStdout();
    WINDUP();
    WALK();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), kWindup + kWalk);
}

TEST(Windup, LinesGoToTheUnitThatStduniNames) {
    mftest::TempFile file("walk.txt");
    mfreport::record::OpenRequest request;
    request.unit = 16;
    request.file = file.path();
    ASSERT_EQ(mfreport::record::openUnit(request), 0);
    int32_t input = 15;
    int32_t output = 16;
    STDUNI(1, input, output);
    input = output = 0;
    STDUNI(3, input, output); // any other operation does nothing
    EXPECT_EQ(output, 0);
    testing::internal::CaptureStdout();
    WALK();
    WINDUP();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    input = 5;
    output = 6;
    STDUNI(1, input, output);
    mfreport::record::closeUnit(16);
    EXPECT_EQ(mftest::readFile(file.path()), kWalk + kWindup);
}

TEST(StopRc, EndsTheProcessWithTheStatus) {
    EXPECT_EXIT(STOPRC(0), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(STOPRC(42), testing::ExitedWithCode(42), "");
}

TEST(StopRc, FatalPathFlushesStandardOutputAndExitsWithOne) {
    // The child's standard output goes to a file so that the parent can read it.
    mftest::TempFile file("stoprc.txt");
    EXPECT_EXIT(
        {
            std::freopen(file.path().c_str(), "w", stdout);
            WINDUP();
            WALK();
            STOPRC(1);
        },
        testing::ExitedWithCode(1), "");
    EXPECT_EQ(mftest::readFile(file.path()), kWindup + kWalk);
}

} // namespace
