#include <string>

#include <gtest/gtest.h>

#include "mfreport/record/fixed_text.h"

namespace {

using namespace mfreport::record;

TEST(FixedText, AssignAndConcatenateCutOrPad) {
    std::string field = "xxxxx";
    assign(field, "ab");
    EXPECT_EQ(field, "ab   ");
    assign(field, std::string(1000, 'z'));
    EXPECT_EQ(field, "zzzzz");
    field = "  abc";
    assign(field, FixedText(field).sub(3, 5)); // overlapping source
    EXPECT_EQ(field, "abc  ");

    std::string target(8, '?');
    concat(target, {"AB", "CD", "E"});
    EXPECT_EQ(target, "ABCDE   ");
    concat(target, {"12345", "67890"});
    EXPECT_EQ(target, "12345678");
}

TEST(FixedText, ComparisonPadsTheShorterText) {
    EXPECT_TRUE(textEqual("ABC", "ABC   "));
    EXPECT_TRUE(textEqual("ABC   ", "ABC"));
    EXPECT_FALSE(textEqual("ABC", "ABCD"));
    EXPECT_FALSE(textEqual("ABC", std::string_view("ABC\0", 4)));
}

TEST(FixedText, LengthAndFind) {
    EXPECT_EQ(TRMLEN(std::string_view("AB \0 \0", 6)), 2);
    EXPECT_EQ(TRMLEN("    "), 0);
    EXPECT_EQ(findText("PLOT-FORMAT", "-"), 5);
    EXPECT_EQ(findText("AB", "ABC"), 0);
}

TEST(FixedText, SubfieldsAndArraysStayInsideTheBuffer) {
    std::string text = "ABCDEF";
    EXPECT_EQ(FixedText(text).sub(-5, 2).str(), "AB");
    EXPECT_EQ(FixedText(text).sub(5, 100).str(), "EF");
    std::string lines = "AAABBBCCC";
    TextArray array(lines.data(), 3, 3);
    EXPECT_EQ(array[3].size(), 0);
    assign(array[2], "Z");
    EXPECT_EQ(lines, "AAABBBZ  ");
}

} // namespace
