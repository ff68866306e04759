#include <string>

#include <gtest/gtest.h>

#include "mfreport/platform/maker.h"

namespace {

using mfreport::Maker;
using mfreport::maker;
using mfreport::setMaker;

TEST(Maker, DefaultsCleaningCutsAndRefusals) {
    EXPECT_EQ(maker().name, "ZEB Software");
    EXPECT_EQ(maker().suite, "KALDU");

    EXPECT_TRUE(setMaker(" ACME\tEngineering\n", "\x01"
                                                 "ACME "));
    EXPECT_EQ(maker().name, "ACME Engineering");
    EXPECT_EQ(maker().suite, "ACME");

    // An empty or blank text changes nothing.
    EXPECT_FALSE(setMaker("", "X"));
    EXPECT_FALSE(setMaker("Y", "\r\n \t"));
    EXPECT_EQ(maker().name, "ACME Engineering");
    EXPECT_EQ(maker().suite, "ACME");

    // 40 bytes of name and 8 of suite word, never half a UTF-8 character.
    EXPECT_TRUE(setMaker(std::string(50, 'n'), "SUITEWORD9"));
    EXPECT_EQ(maker().name, std::string(40, 'n'));
    EXPECT_EQ(maker().suite, "SUITEWOR");
    EXPECT_TRUE(setMaker(std::string(39, 'a') + "\xC3\xA9" + "b", "M\xC3\xB8"
                                                                  "LLER"));
    EXPECT_EQ(maker().name, std::string(39, 'a'));
    EXPECT_EQ(maker().suite, "M\xC3\xB8"
                             "LLER");
    EXPECT_TRUE(setMaker("x", "ABCDEFG\xC3\xB8"));
    EXPECT_EQ(maker().suite, "ABCDEFG");

    EXPECT_TRUE(setMaker(Maker().name, Maker().suite));
    EXPECT_EQ(maker().name, "ZEB Software");
    EXPECT_EQ(maker().suite, "KALDU");
}

} // namespace
