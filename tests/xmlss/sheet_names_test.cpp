#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mfreport/markup/sheet_names.h"

namespace {

using mfreport::markup::printTitlesReference;
using mfreport::markup::SheetNames;

/// The names of a workbook whose tables are named `tables`, in order.
std::vector<std::string> named(const std::vector<std::string>& tables) {
    SheetNames names;
    std::vector<std::string> out;
    for (const std::string& table : tables) {
        out.push_back(names.add(table));
    }
    return out;
}

std::string one(const std::string& table) {
    return named({table})[0];
}

TEST(XmlSSSheetNames, ValidNamesStayByteForByte) {
    for (const std::string& name :
         std::vector<std::string>{"FORCES", "Node loads", "Q\"1&2<3>", "it's", "\xB5m", "A&amp;B",
                                  "Kr\xC3\xA4"
                                  "fte",
                                  std::string(31, 'x'), "(2)", " padded "}) {
        EXPECT_EQ(one(name), name);
    }
}

TEST(XmlSSSheetNames, ForbiddenCharactersBecomeUnderscores) {
    EXPECT_EQ(one("["), "_");
    EXPECT_EQ(one("]"), "_");
    EXPECT_EQ(one(":"), "_");
    EXPECT_EQ(one("*"), "_");
    EXPECT_EQ(one("?"), "_");
    EXPECT_EQ(one("/"), "_");
    EXPECT_EQ(one("\\"), "_");
    EXPECT_EQ(one("Load [kN]: case 1/2 * ? \\"), "Load _kN__ case 1_2 _ _ _");
    // A reference stands for its character.
    EXPECT_EQ(one("A&#47;B&#x5B;"), "A_B_");
}

TEST(XmlSSSheetNames, LeadingAndTrailingApostrophesGo) {
    EXPECT_EQ(one("'Loads'"), "Loads");
    EXPECT_EQ(one("''x'''"), "x");
    EXPECT_EQ(one("&apos;x&#39;"), "x");
    EXPECT_EQ(one("a'b"), "a'b");
    // Nothing else left: the sheet's number.
    EXPECT_EQ(one("'''"), "Sheet1");
    // The cut leaves an apostrophe last: it goes too.
    EXPECT_EQ(one(std::string(30, 'a') + "'b"), std::string(30, 'a'));
    // Leading apostrophes do not count towards the 31.
    EXPECT_EQ(one("''" + std::string(31, 'a')), std::string(31, 'a'));
}

TEST(XmlSSSheetNames, AtMost31CharactersNeverCuttingOne) {
    EXPECT_EQ(one(std::string(32, 'a')), std::string(31, 'a'));
    EXPECT_EQ(one(std::string(100, 'b')), std::string(31, 'b'));
    const std::string a30(30, 'a');
    // Two bytes, one character.
    EXPECT_EQ(one(a30 + "\xC3\xA4\xC3\xA4"), a30 + "\xC3\xA4");
    // Three bytes, one character.
    EXPECT_EQ(one(a30 + "\xE2\x82\xAC\xE2\x82\xAC"), a30 + "\xE2\x82\xAC");
    // Four bytes are two UTF-16 units: they fit after 29, not after 30.
    EXPECT_EQ(one(a30 + "\xF0\x9F\x98\x80"), a30);
    EXPECT_EQ(one(std::string(29, 'a') + "\xF0\x9F\x98\x80x"),
              std::string(29, 'a') + "\xF0\x9F\x98\x80");
    // A byte that is not UTF-8 is one Windows-1252 character; a reference is one.
    EXPECT_EQ(one(a30 + "\xB5\xB5"), a30 + "\xB5");
    EXPECT_EQ(one(a30 + "&amp;&amp;"), a30 + "&amp;");
}

TEST(XmlSSSheetNames, EmptyNamesAreNumberedByTheirSheet) {
    EXPECT_EQ(named({"", "A", ""}), (std::vector<std::string>{"Sheet1", "A", "Sheet3"}));
    // A number name another sheet already has is a duplicate like any other.
    EXPECT_EQ(named({"sheet2", ""}), (std::vector<std::string>{"sheet2", "Sheet2 (2)"}));
}

TEST(XmlSSSheetNames, DuplicatesIgnoringCaseAreNumbered) {
    EXPECT_EQ(named({"FORCES", "forces", "Forces", "FORCES"}),
              (std::vector<std::string>{"FORCES", "forces (2)", "Forces (3)", "FORCES (4)"}));
    // A number the caller already used is skipped.
    EXPECT_EQ(named({"X (2)", "X", "x"}), (std::vector<std::string>{"X (2)", "X", "x (3)"}));
    // Names that differ only after renaming are duplicates.
    EXPECT_EQ(named({"a/b", "A:B"}), (std::vector<std::string>{"a_b", "A_B (2)"}));
    // Letters beyond ASCII; a Windows-1252 byte and its UTF-8 form are one character.
    EXPECT_EQ(named({"Kr\xC3\xA4"
                     "fte",
                     "KR\xC3\x84"
                     "FTE"}),
              (std::vector<std::string>{"Kr\xC3\xA4"
                                        "fte",
                                        "KR\xC3\x84"
                                        "FTE (2)"}));
    EXPECT_EQ(named({"\xB5m", "\xC2\xB5m"}), (std::vector<std::string>{"\xB5m", "\xC2\xB5m (2)"}));
    // Different names stay apart.
    EXPECT_EQ(named({"N1", "N2"}), (std::vector<std::string>{"N1", "N2"}));
}

TEST(XmlSSSheetNames, NumbersOfDuplicatesStayWithin31) {
    const std::string long31(31, 'L');
    std::vector<std::string> tables(11, long31);
    tables.push_back(std::string(40, 'L'));
    const std::vector<std::string> names = named(tables);
    EXPECT_EQ(names[0], long31);
    EXPECT_EQ(names[1], std::string(27, 'L') + " (2)");
    EXPECT_EQ(names[8], std::string(27, 'L') + " (9)");
    EXPECT_EQ(names[9], std::string(26, 'L') + " (10)");
    EXPECT_EQ(names[10], std::string(26, 'L') + " (11)");
    EXPECT_EQ(names[11], std::string(26, 'L') + " (12)");
    // The cut before the number never splits a character either.
    const std::string wide = std::string(26, 'a') + "\xF0\x9F\x98\x80" + "b";
    EXPECT_EQ(named({wide, wide})[1], std::string(26, 'a') + " (2)");
}

TEST(XmlSSSheetNames, PrintTitlesQuoteWhatIsNoPlainName) {
    EXPECT_EQ(printTitlesReference("Forces"), "Forces!R1");
    EXPECT_EQ(printTitlesReference("node_loads.v2"), "node_loads.v2!R1");
    EXPECT_EQ(printTitlesReference("_x"), "_x!R1");
    EXPECT_EQ(printTitlesReference("ABCD1"), "ABCD1!R1");
    EXPECT_EQ(printTitlesReference("Sheet3"), "Sheet3!R1");
    EXPECT_EQ(printTitlesReference("FORCES (2)"), "'FORCES (2)'!R1");
    EXPECT_EQ(printTitlesReference("a-b"), "'a-b'!R1");
    EXPECT_EQ(printTitlesReference("Kr\xC3\xA4"
                                   "fte"),
              "'Kr\xC3\xA4"
              "fte'!R1");
    EXPECT_EQ(printTitlesReference("2026"), "'2026'!R1");
    EXPECT_EQ(printTitlesReference(".x"), "'.x'!R1");
    // Names that read as cell references.
    for (const char* cell : {"A1", "xfd1048576", "R", "C", "r1", "C12", "RC", "R1C1", "r2c"}) {
        EXPECT_EQ(printTitlesReference(cell), "'" + std::string(cell) + "'!R1");
    }
    // An apostrophe inside is doubled, also one the caller wrote as a reference.
    EXPECT_EQ(printTitlesReference("it's"), "'it''s'!R1");
    EXPECT_EQ(printTitlesReference("it&apos;s"), "'it&apos;&apos;s'!R1");
}

} // namespace
