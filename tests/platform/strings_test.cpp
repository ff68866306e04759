#include <gtest/gtest.h>

#include "mfreport/mfreport.h"
#include "test_env.h"

namespace {

using Lines = Vector<std::string>;

TEST(FindLines, SplitsAtEveryKindOfLineEnd) {
    Lines lines{"stale"};
    EXPECT_EQ(mfStr::findLines("a\nb\r\nc\rd", lines), 4U);
    EXPECT_EQ(lines, (Lines{"a", "b", "c", "d"}));
    mfStr::findLines("one", lines);
    EXPECT_EQ(lines, (Lines{"one"}));
    mfStr::findLines("", lines);
    EXPECT_EQ(lines, (Lines{""}));
    mfStr::findLines("x\n\ny\r\n", lines);
    EXPECT_EQ(lines, (Lines{"x", "", "y", ""}));
    mfStr::findLines("\r\r\n", lines);
    EXPECT_EQ(lines, (Lines{"", "", ""}));
}

TEST(Base64, EncodesBytesWithPadding) {
    EXPECT_EQ(Base64File::encodeBytes(""), "");
    EXPECT_EQ(Base64File::encodeBytes("f"), "Zg==");
    EXPECT_EQ(Base64File::encodeBytes("fo"), "Zm8=");
    EXPECT_EQ(Base64File::encodeBytes("foo"), "Zm9v");
    EXPECT_EQ(Base64File::encodeBytes("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Base64File::encodeBytes(std::string("\xff\xfe\x00\x01", 4)), "//4AAQ==");
}

TEST(Base64, EncodesAFileAndRefusesAMissingOne) {
    mftest::TempFile file("b64.bin");
    mftest::writeFile(file.path(), "Man");
    std::string text = "old";
    EXPECT_TRUE(Base64File::encode(file.path(), text));
    EXPECT_EQ(text, "TWFu");
    EXPECT_FALSE(Base64File::encode(file.path() + ".missing", text));
    EXPECT_EQ(text, "");
}

} // namespace
