#include <string>

#include <gtest/gtest.h>

#include "print/record_io.h"
#include "support/windup.h"
#include "test_env.h"

namespace {

using namespace mfreport::support;

const std::string kWalk = "        \n"
                          "        \n"
                          " %PROGRAM WALKBACK BY AUXLIB:WALK:\n"
                          " _________________________________\n"
                          "        \n"
                          " %NOT IMPLEMENTED\n";

class StandardUnits : public testing::Test {
protected:
    void TearDown() override {
        int32_t input = 5;
        int32_t output = 6;
        STDUNI(1, input, output);
    }
};

TEST_F(StandardUnits, StoreAndReturnThePair) {
    int32_t input = 0;
    int32_t output = 0;
    STDUNI(2, input, output);
    EXPECT_EQ(input, 5);
    EXPECT_EQ(output, 6);
    input = 15;
    output = 16;
    STDUNI(1, input, output);
    input = 99;
    output = 99;
    STDUNI(3, input, output); // does nothing
    EXPECT_EQ(input, 99);
    STDUNI(2, input, output);
    EXPECT_EQ(input, 15);
    EXPECT_EQ(output, 16);
}

TEST_F(StandardUnits, WindupAndWalkWriteToStandardOutput) {
    testing::internal::CaptureStdout();
    WINDUP();
    WALK();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " ***** WINDUP DUMMY ROUTINE CALLED\n" + kWalk);
}

TEST_F(StandardUnits, WalkWritesToTheUnitThatStduniNames) {
    mftest::TempFile file("walk.txt");
    mfreport::print::OpenRequest request;
    request.unit = 16;
    request.file = file.path();
    ASSERT_EQ(mfreport::print::openUnit(request), 0);
    int32_t input = 15;
    int32_t output = 16;
    STDUNI(1, input, output);
    testing::internal::CaptureStdout();
    WALK();
    WINDUP();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    mfreport::print::closeUnit(16);
    EXPECT_EQ(mftest::readFile(file.path()), kWalk + " ***** WINDUP DUMMY ROUTINE CALLED\n");
}

TEST(StopRc, EndsTheProcessWithTheStatus) {
    EXPECT_EXIT(STOPRC(1), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(STOPRC(0), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(STOPRC(42), testing::ExitedWithCode(42), "");
}

TEST(StopRc, FlushesStandardOutputFirst) {
    // The child's standard output goes to a file so the parent can read it.
    mftest::TempFile file("stoprc.txt");
    EXPECT_EXIT(
        {
            std::freopen(file.path().c_str(), "w", stdout);
            WINDUP();
            WALK();
            STOPRC(1);
        },
        testing::ExitedWithCode(1), "");
    EXPECT_EQ(mftest::readFile(file.path()), " ***** WINDUP DUMMY ROUTINE CALLED\n" + kWalk);
}

} // namespace
