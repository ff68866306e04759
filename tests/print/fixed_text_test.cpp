#include <string>

#include <gtest/gtest.h>

#include "print/fixed_text.h"

namespace {

using namespace mfreport::print;

TEST(FixedText, AssignCutsOrPadsWithBlanks) {
    std::string field = "xxxxx";
    assign(field, "ab");
    EXPECT_EQ(field, "ab   ");
    assign(field, "abcdefgh");
    EXPECT_EQ(field, "abcde");
    assign(FixedText(), "abc"); // an empty field takes nothing

    std::string overlap = "  abc";
    assign(overlap, FixedText(overlap).sub(3, 5));
    EXPECT_EQ(overlap, "abc  ");
}

TEST(FixedText, OwningFieldStartsBlankAndTakesAnyLength) {
    FixedString<4> text;
    EXPECT_EQ(text.str(), "    ");
    FixedString<4> cut(std::string(1000, 'z'));
    EXPECT_EQ(cut.str(), "zzzz");
}

TEST(FixedText, ComparisonPadsTheShorterText) {
    EXPECT_TRUE(textEqual("ABC", "ABC   "));
    EXPECT_TRUE(textEqual("ABC   ", "ABC"));
    EXPECT_TRUE(textEqual("", "   "));
    EXPECT_FALSE(textEqual("ABC", "ABCD"));
    EXPECT_FALSE(textEqual("ABC", std::string_view("ABC\0", 4)));
    EXPECT_TRUE(textUnequal("ABC", "abc"));
}

TEST(FixedText, ConcatenationCutsOrPads) {
    std::string target(8, '?');
    concat(target, {"AB", "CD", "E"});
    EXPECT_EQ(target, "ABCDE   ");
    concat(target, {"12345", "67890"});
    EXPECT_EQ(target, "12345678");
    concat(target, {FixedText(target).sub(5, 8), "x"});
    EXPECT_EQ(target, "5678x   ");
}

TEST(FixedText, TrimmedLengthIgnoresTrailingBlanksAndNuls) {
    EXPECT_EQ(TRMLEN("AB  "), 2);
    EXPECT_EQ(TRMLEN(std::string_view("AB \0 \0", 6)), 2);
    EXPECT_EQ(TRMLEN("    "), 0);
    EXPECT_EQ(TRMLEN(" A"), 2);
    EXPECT_EQ(trimmedLength(std::string_view("AB\0 ", 4)), 3);
}

TEST(FixedText, FindGivesOneBasedPosition) {
    EXPECT_EQ(findText("PLOT-FORMAT", "-"), 5);
    EXPECT_EQ(findText("ABCABC", "CA"), 3);
    EXPECT_EQ(findText("ABC", "X"), 0);
    EXPECT_EQ(findText("AB", "ABC"), 0);
}

TEST(FixedText, SubfieldsAndArraysStayInsideTheBuffer) {
    std::string text = "ABCDEF";
    EXPECT_EQ(FixedText(text).sub(2, 3).str(), "BC");
    EXPECT_EQ(FixedText(text).sub(-5, 2).str(), "AB");
    EXPECT_EQ(FixedText(text).sub(5, 100).str(), "EF");
    EXPECT_EQ(FixedText(text).sub(4, 3).size(), 0);

    std::string lines = "AAABBBCCC";
    TextArray array(lines.data(), 3, 3);
    EXPECT_EQ(array[1].str(), "BBB");
    EXPECT_EQ(array[3].size(), 0);
    EXPECT_EQ(array[-1].size(), 0);
    assign(array[2], "Z");
    EXPECT_EQ(lines, "AAABBBZ  ");
}

} // namespace
