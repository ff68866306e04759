#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "print/primas_state.h"
#include "support/ident_store.h"
#include "support/idents.h"

namespace {

using namespace mfreport::support;
using mfreport::print::primasState;
using mfreport::print::TextArray;

class Idents : public testing::Test {
protected:
    void SetUp() override { clearIdentStores(); }
    void TearDown() override { clearIdentStores(); }

    // IDQUERY into `slots` values of `length` characters; returns the values.
    std::vector<std::string> query(const std::string& operation, const std::string& key,
                                   int32_t slots, int32_t length = 10) {
        buffer_.assign(static_cast<size_t>(slots * length), '?');
        IDQUERY(operation, key, TextArray(buffer_.data(), length, slots), slots, count_);
        std::vector<std::string> values;
        for (int32_t i = 0; i < slots; ++i) {
            values.push_back(
                buffer_.substr(static_cast<size_t>(i * length), static_cast<size_t>(length)));
        }
        return values;
    }

    int32_t count_ = -1;

private:
    std::string buffer_;
};

std::string pad(const std::string& text, size_t length = 10) {
    return text + std::string(length - text.size(), ' ');
}

// With empty stores every look-up reports "not set".

TEST_F(Idents, EmptyStoresGiveCommasAndNotSet) {
    EXPECT_EQ(query("GET", "INSTALLATION", 3),
              (std::vector<std::string>{pad(","), pad(","), pad(",")}));
    EXPECT_EQ(count_, 0);

    int32_t value = 77;
    int32_t status = 0;
    IDGINT("PRINT-PAGESIZE", value, status);
    EXPECT_EQ(status, kIdentNotSet);
    EXPECT_EQ(value, 77);
    std::string text = "keep";
    IDGSTR("RUN-MODE", text, status);
    EXPECT_EQ(status, kIdentNotSet);
    EXPECT_EQ(text, "keep");
    EXPECT_FALSE(identKeyTable().built);

    EXPECT_EQ(ISBATCH(), kFalse);
    EXPECT_EQ(ISUPPER(), kFalse);
}

TEST_F(Idents, PrintDefaultsWithEmptyStores) {
    primasState() = mfreport::print::PrimasState();
    primasState().main_heading[0] = mfreport::print::FixedString<132>("old heading");
    PRTDEF();
    const auto& s = primasState();
    EXPECT_EQ(s.unit, 6);
    EXPECT_EQ(s.page_size, 60);
    EXPECT_EQ(s.line_width, 132);
    EXPECT_EQ(s.line_feeds, 1);
    EXPECT_EQ(s.line_count, 100000);
    EXPECT_EQ(s.page_no, 0);
    EXPECT_EQ(s.sub_page_no, 0);
    EXPECT_EQ(s.main_lines + s.sub_lines + s.table_lines + s.heading_size, 0);
    EXPECT_EQ(s.page_advance_char, '\f');
    EXPECT_EQ(s.clear_after_write, kTrue);
    EXPECT_EQ(s.main_heading[0].str(), std::string(132, ' '));
}

// Record store look-ups.

TEST_F(Idents, GetMatchesTheWholeFirstWordAndIdentsMatchesPrefixes) {
    addIdentRecord("ABCD four");
    addIdentRecord("ABC three");
    EXPECT_EQ(query("GET", "ABC", 1)[0], pad("three"));
    EXPECT_EQ(count_, 1);
    EXPECT_EQ(query("GET", "AB", 1)[0], pad(","));
    EXPECT_EQ(count_, 0);
    EXPECT_EQ(query("IDENTS", "AB", 3),
              (std::vector<std::string>{pad("ABCD"), pad("ABC"), pad(",")}));
    EXPECT_EQ(count_, 2);
    EXPECT_EQ(query("IDENTS", "AB", 1), (std::vector<std::string>{pad("ABCD")}));
    EXPECT_EQ(count_, 1);
}

TEST_F(Idents, GetCollectsValuesFromContinuationRecords) {
    addIdentRecord("LOCAL-ADDRESSES  Main-Street  ,  Town");
    addIdentRecord("   Country");
    addIdentRecord(" Planet");
    addIdentRecord("OTHER x");
    EXPECT_EQ(query("GET", "LOCAL-ADDRESSES", 5, 12),
              (std::vector<std::string>{pad("Main-Street", 12), pad(",", 12), pad("Town", 12),
                                        pad("Country", 12), pad("Planet", 12)}));
    EXPECT_EQ(count_, 5);
    EXPECT_EQ(query("GET", "LOCAL-ADDRESSES", 2, 4), (std::vector<std::string>{"Main", ",   "}));
    EXPECT_EQ(count_, 2);
}

TEST_F(Idents, GetTailGivesTheTextAfterTheColon) {
    addIdentRecord("PRINTER:LPT1 second");
    addIdentRecord("NOTE: rest of it");
    EXPECT_EQ(query("GET-TAIL", "PRINTER", 1)[0], pad("LPT1"));
    EXPECT_EQ(count_, 1);
    EXPECT_EQ(query("GET-TAIL", "NOTE", 1, 14)[0], pad(" rest of it", 14));
    EXPECT_EQ(query("GET-TAIL", "PRINT", 1)[0], pad(","));
    EXPECT_EQ(count_, 0);
}

TEST_F(Idents, LongKeysAndOddArgumentsAreSafe) {
    addIdentRecord(std::string(70, 'K'));
    query("GET", std::string(500, 'K'), 2);
    query("GET-TAIL", std::string(50, 'K'), 2);
    query("IDENTS", "K", 0);
    EXPECT_EQ(count_, 0);
    std::string one = "xxxx";
    IDQUERY("GET", "K", TextArray(one.data(), 4, 1), 5, count_); // max above the array
    EXPECT_EQ(one, ",   ");
    query("UNKNOWN", "K", 1);
    EXPECT_EQ(count_, 0);
}

TEST_F(Idents, LetterCaseAndInstallation) {
    addIdentRecord("LETTER-CASE UPPER");
    addIdentRecord("INSTALLATION Test-Site");
    EXPECT_EQ(ISUPPER(), kTrue);
    EXPECT_EQ(query("GET", "INSTALLATION", 1, 50)[0], pad("Test-Site", 50));
    clearIdentStores();
    addIdentRecord("LETTER-CASE upper");
    EXPECT_EQ(ISUPPER(), kFalse);
}

TEST(IdentField, GetsTheNthValueWord) {
    std::string record = pad("KEY  alpha beta", 20);
    std::string value = "??????";
    IDFIELD("GET", record, 2, value);
    EXPECT_EQ(value, "beta  ");
    IDFIELD("GET", record, 1, value);
    EXPECT_EQ(value, "alpha ");
    IDFIELD("GET", record, 3, value);
    EXPECT_EQ(value, "      ");
    IDFIELD("GET", record, 0, value);
    EXPECT_EQ(value, "KEY   ");
    std::string full(20, 'x');
    value = "??????";
    IDFIELD("GET", full, 1, value);
    EXPECT_EQ(value, "??????"); // no blank: unchanged
}

TEST(IdentField, PutReplacesTheRestOrAppendsPlaceholders) {
    std::string record = pad("KEY alpha beta", 20);
    std::string value = "NEW";
    IDFIELD("PUT", record, 1, value);
    EXPECT_EQ(record, pad("KEY NEW", 20));
    record = pad("KEY alpha", 20);
    IDFIELD("PUT", record, 4, value);
    EXPECT_EQ(record, pad("KEY alpha , , NEW", 20));
    record = pad("KEY", 10);
    IDFIELD("PUT", record, 9, value);
    EXPECT_EQ(record, "KEY , , , "); // cut at the record's end
}

// Typed look-ups.

TEST_F(Idents, IntegerValuesParseWholeNumbersOnly) {
    const std::vector<std::pair<std::string, int32_t>> good = {{"12.0", 12},
                                                               {"1.2D1", 12},
                                                               {"+12", 12},
                                                               {"-7", -7},
                                                               {"12  ", 12},
                                                               {"1.2e1", 12},
                                                               {"2147483646", 2147483646},
                                                               {".0", 0}};
    for (const auto& [text, expected] : good) {
        clearIdentStores();
        setTypedIdent("WINDOW-SIZE", kIdentText, text);
        int32_t value = -1;
        int32_t status = -1;
        IDGINT("WINDOW-SIZE", value, status);
        EXPECT_EQ(status, kIdentFound) << text;
        EXPECT_EQ(value, expected) << text;
    }
    const std::vector<std::string> bad = {"12.5",       "12x",         " 12",   "",    "   ",
                                          "2147483647", "-2147483647", "1e300", "+-1", "inf",
                                          "+inf",       "0x10",        ".",     "nan"};
    for (const std::string& text : bad) {
        clearIdentStores();
        setTypedIdent("WINDOW-SIZE", kIdentText, text);
        int32_t value = 99;
        int32_t status = 0;
        IDGINT("WINDOW-SIZE", value, status);
        EXPECT_EQ(status, kIdentNotInteger) << text;
        EXPECT_EQ(value, 0) << text;
    }
}

TEST_F(Idents, IntegerKindAndAbsentText) {
    setTypedIdent("WINDOW-SIZE", kIdentInteger, std::nullopt, 640);
    setTypedIdent("PROGRAM", kIdentText, std::nullopt);
    int32_t value = 0;
    int32_t status = -1;
    IDGINT("WINDOW-SIZE   ", value, status);
    EXPECT_EQ(status, kIdentFound);
    EXPECT_EQ(value, 640);
    IDGINT("PROGRAM", value, status);
    EXPECT_EQ(status, kIdentNotInteger);
    std::string text = "keep";
    IDGSTR("PROGRAM", text, status);
    EXPECT_EQ(status, kIdentNotSet);
    EXPECT_EQ(text, "keep");
    IDGSTR("", text, status);
    EXPECT_EQ(status, kIdentNotSet);
}

TEST_F(Idents, TextValuesArePaddedOrCut) {
    setTypedIdent("RUN-MODE", kIdentText, "Batch");
    std::string text = "??????????";
    int32_t status = -1;
    IDGSTR("RUN-MODE", text, status);
    EXPECT_EQ(status, kIdentFound);
    EXPECT_EQ(text, "Batch     ");
    std::string small = "???";
    IDGSTR("run-mode", small, status);
    EXPECT_EQ(status, kIdentCut);
    EXPECT_EQ(small, "Bat");
}

TEST_F(Idents, KeywordsMatchAbbreviationsAndDashedParts) {
    setTypedIdent("PLOT-FORMAT", kIdentText, "HPGL-2");
    setTypedIdent("PLOT-COLOUR", kIdentText, "ON");
    setTypedIdent("EXIT", kIdentText, "yes");
    std::string text(10, ' ');
    int32_t status = -1;
    IDGSTR("PL", text, status);
    EXPECT_EQ(status, kIdentAmbiguous);
    IDGSTR("PLOT-FORMAT", text, status);
    EXPECT_EQ(status, kIdentFound);
    EXPECT_EQ(text, pad("HPGL-2"));
    IDGSTR("PL-C", text, status);
    EXPECT_EQ(status, kIdentFound);
    EXPECT_EQ(text, pad("ON"));
    IDGSTR("p-f", text, status);
    EXPECT_EQ(status, kIdentFound);
    EXPECT_EQ(text, pad("HPGL-2"));
    IDGSTR("EX", text, status);
    EXPECT_EQ(status, kIdentNotSet); // EXIT takes no abbreviation
    IDGSTR("PLOT-FORMATS", text, status);
    EXPECT_EQ(status, kIdentNotSet);
}

TEST_F(Idents, ExactMatchWinsUnlessRepeated) {
    setTypedIdent("MODE", kIdentText, "exact");
    setTypedIdent("MODEL", kIdentText, "longer");
    std::string text(10, ' ');
    int32_t status = -1;
    IDGSTR("MODE", text, status);
    EXPECT_EQ(status, kIdentFound);
    EXPECT_EQ(text, pad("exact"));
    setTypedIdent("MODE", kIdentText, "again");
    IDGSTR("MODE", text, status);
    EXPECT_EQ(status, kIdentAmbiguous);
}

TEST(KeywordMatch, ReportsExactAbbreviationOrNone) {
    EXPECT_EQ(matchKeyword("PLOT-FORMAT", "PLOT-FORMAT"), -1);
    EXPECT_EQ(matchKeyword("plot", "PLOT-FORMAT"), 11);
    EXPECT_EQ(matchKeyword("PL-F", "PLOT-FORMAT"), 11);
    EXPECT_EQ(matchKeyword("-P", "-PLOT"), 5); // a leading "-" must match itself
    EXPECT_EQ(matchKeyword("-X", "PLOT-X"), 0);
    EXPECT_EQ(matchKeyword("A-B", "ALPHA BETA-B"), 0); // no skipping in names with blanks
    EXPECT_EQ(matchKeyword("P-Q", "PLOT-FORMAT"), 0);
    EXPECT_EQ(matchKeyword("PLOT-FORMAT-X", "PLOT-FORMAT"), 0);
    EXPECT_EQ(matchKeyword("", "PLOT"), 0);
    EXPECT_EQ(matchKeyword("P", ""), 0);
    EXPECT_EQ(matchKeyword("EXIT", "EXIT"), -1);
    EXPECT_EQ(matchKeyword("EXI", "EXIT"), 0);
}

TEST_F(Idents, KeyTableIsBuiltOnTheFirstTypedLookUp) {
    setTypedIdent("HEADER", kIdentWord, "NONE");
    int32_t value = 0;
    int32_t status = 0;
    IDGINT("HEADER", value, status);
    const IdentKeyTable& table = identKeyTable();
    ASSERT_TRUE(table.built);
    ASSERT_EQ(table.names.size(), 49U);
    EXPECT_EQ(table.names[0], "EXECUTABLE");
    EXPECT_EQ(table.names[33], "INPUT-FILE");
    EXPECT_EQ(table.names[34], "NOHEADER");
    EXPECT_EQ(table.key_index[34], 1);
    EXPECT_EQ(table.names[48], "NOINPUT-FILE");
    EXPECT_EQ(table.key_index[48], 33);
    EXPECT_EQ(table.allowed[8].size(), 20U);
    EXPECT_EQ(table.allowed[32], (std::vector<std::string>{"ASCII", "FORTRAN"}));
    int negatable = 0;
    for (const IdentKey& key : identKeys()) {
        negatable += key.negatable ? 1 : 0;
        EXPECT_EQ(key.default_index, -1);
    }
    EXPECT_EQ(negatable, 15);
}

// Consumers of the typed store.

TEST_F(Idents, PageSizeFromTheIdent) {
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"72", 72}, {"0", 100000}, {"-3", 100000}, {"1", 1}};
    for (const auto& [text, expected] : cases) {
        clearIdentStores();
        setTypedIdent("PRINT-PAGESIZE", kIdentText, text);
        PRTDEF();
        EXPECT_EQ(primasState().page_size, expected) << text;
    }
    clearIdentStores();
    setTypedIdent("PRINT-PAGESIZE", kIdentText, "many");
    PRTDEF();
    EXPECT_EQ(primasState().page_size, 60);
}

TEST_F(Idents, FormFeedFromTheIdent) {
    const std::vector<std::pair<std::string, char>> cases = {
        {"FORTRAN", '1'}, {"fOrTrAn", '1'}, {"ascii", '\f'}, {"LASER", '\f'}};
    for (const auto& [text, expected] : cases) {
        clearIdentStores();
        setTypedIdent("PRINT-FORMFEED", kIdentWord, text);
        PRTDEF();
        EXPECT_EQ(primasState().page_advance_char, expected) << text;
    }
}

TEST_F(Idents, RunModeIsAskedOnce) {
    setTypedIdent("RUN-MODE", kIdentText, "batch");
    EXPECT_EQ(ISBATCH(), kTrue);
    typedIdentTable() = TypedIdentTable();
    EXPECT_EQ(ISBATCH(), kTrue); // the first answer is kept
    clearIdentStores();
    setTypedIdent("RUN-MODE", kIdentText, "INTERACTIVE");
    EXPECT_EQ(ISBATCH(), kFalse);
}

// Text editing.

std::string edited(std::string text, const std::string& mode) {
    EDTSTR(text, mode);
    return text;
}

TEST(EditText, CaseModes) {
    EXPECT_EQ(edited("abc Def 1z", "Upper"), "ABC DEF 1Z");
    EXPECT_EQ(edited("ABC dEF 1Z", "LOWER"), "abc def 1z");
    EXPECT_EQ(edited("HELLO WORLD-X O'NEIL", "Initial"), "Hello World-x O'neil");
    EXPECT_EQ(edited("Hello WORLD", "i"), "Hello WORLD"); // holds lower case: unchanged
}

TEST(EditText, JustifyModes) {
    EXPECT_EQ(edited("   ab c ", "LEFT"), "ab c    ");
    EXPECT_EQ(edited(" ab  ", "right"), "   ab");
    EXPECT_EQ(edited("ab      ", "Centre"), "   ab   ");
    EXPECT_EQ(edited("ab     ", "Centre"), "  ab   ");
    EXPECT_EQ(edited("ab     ", "CENTRELEFT"), "   ab  ");
    EXPECT_EQ(edited("ab     ", "centrel"), "   ab  ");
    EXPECT_EQ(edited("    ", "Centre"), "    ");
    EXPECT_EQ(edited("    ", "Right"), "    ");
}

TEST(EditText, CharacterModes) {
    EXPECT_EQ(edited(" a b  c ", "H+"), " a-b--c ");
    EXPECT_EQ(edited(" a-b c-d ", "H-"), " a b c d ");
    EXPECT_EQ(edited("a-b/c d", "X:-/"), "abc d  ");
    EXPECT_EQ(edited("a b c", "X: "), "abc  ");
    EXPECT_EQ(edited(" a\tb\tc ", "T-"), " a b c ");
    EXPECT_EQ(edited("a\tb", "t-"), "a b");
}

TEST(EditText, OtherModesChangeNothing) {
    EXPECT_EQ(edited("ab c", "Z"), "ab c");
    EXPECT_EQ(edited("ab c", ""), "ab c");
    EXPECT_EQ(edited("ab c", "H"), "ab c");
    EXPECT_EQ(edited("", "Upper"), "");
}

} // namespace
