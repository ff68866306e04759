#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mfreport/support/ident_store.h"
#include "mfreport/support/idents.h"

namespace {

using namespace mfreport::support;
using mfreport::record::TextArray;

std::string pad(const std::string& text, size_t length = 10) {
    return text + std::string(length - text.size(), ' ');
}

class Idents : public testing::Test {
protected:
    void SetUp() override { clearIdentStores(); }
    void TearDown() override { clearIdentStores(); }

    // IDQUERY into `slots` values of `length` characters.
    std::vector<std::string> query(const std::string& operation, const std::string& key,
                                   int32_t slots, int32_t length = 10) {
        std::string buffer(static_cast<size_t>(slots * length), '?');
        IDQUERY(operation, key, TextArray(buffer.data(), length, slots), slots, count);
        std::vector<std::string> values;
        for (int32_t i = 0; i < slots; ++i) {
            values.push_back(
                buffer.substr(static_cast<size_t>(i * length), static_cast<size_t>(length)));
        }
        return values;
    }

    std::string text(const std::string& key, size_t length = 10) {
        std::string value(length, '?');
        IDGSTR(key, value, status);
        return value;
    }

    int32_t count = -1;
    int32_t status = -100;
};

TEST_F(Idents, EmptyStoresGiveCommasNotSetAndDefaults) {
    EXPECT_EQ(query("GET", "INSTALLATION", 2), (std::vector<std::string>{pad(","), pad(",")}));
    EXPECT_EQ(count, 0);
    int32_t value = 77;
    IDGINT("PRINT-PAGESIZE", value, status);
    EXPECT_EQ(status, kIdentNotSet);
    EXPECT_EQ(value, 77);
    EXPECT_EQ(text("RUN-MODE"), "??????????"); // the caller keeps its default
    EXPECT_EQ(status, kIdentNotSet);
    EXPECT_FALSE(identKeyTable().built);
    EXPECT_EQ(ISBATCH(), kFalse);
    EXPECT_EQ(ISUPPER(), kFalse);
}

TEST_F(Idents, GetMatchesTheWholeFirstWordAndIdentsMatchesPrefixes) {
    addIdentRecord("ABCD four");
    addIdentRecord("ABC three");
    EXPECT_EQ(query("GET", "ABC", 1)[0], pad("three"));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(query("GET", "AB", 1)[0], pad(","));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(query("IDENTS", "AB", 3),
              (std::vector<std::string>{pad("ABCD"), pad("ABC"), pad(",")}));
    EXPECT_EQ(count, 2);
    query("IDENTS", "AB", 1);
    EXPECT_EQ(count, 1);
}

TEST_F(Idents, GetCollectsValuesFromContinuationRecords) {
    addIdentRecord("LOCAL-ADDRESSES  Main-Street  ,  Town");
    addIdentRecord("   Country");
    addIdentRecord(" Planet");
    addIdentRecord("OTHER x");
    EXPECT_EQ(query("GET", "LOCAL-ADDRESSES", 6, 12),
              (std::vector<std::string>{pad("Main-Street", 12), pad(",", 12), pad("Town", 12),
                                        pad("Country", 12), pad("Planet", 12), pad(",", 12)}));
    EXPECT_EQ(count, 5);
    EXPECT_EQ(query("GET", "LOCAL-ADDRESSES", 2, 4), (std::vector<std::string>{"Main", ",   "}));
}

TEST_F(Idents, GetTailGivesTheTextAfterTheColon) {
    addIdentRecord("PRINTER:LPT1 second");
    addIdentRecord("NOTE: rest of it");
    EXPECT_EQ(query("GET-TAIL", "PRINTER", 1)[0], pad("LPT1"));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(query("GET-TAIL", "NOTE", 1, 14)[0], pad(" rest of it", 14));
    EXPECT_EQ(query("GET-TAIL", "PRINT", 1)[0], pad(","));
}

TEST_F(Idents, LetterCaseAndOddArguments) {
    addIdentRecord("LETTER-CASE UPPER");
    EXPECT_EQ(ISUPPER(), kTrue);
    addIdentRecord(std::string(70, 'K'));
    query("GET", std::string(500, 'K'), 2);
    query("GET-TAIL", std::string(50, 'K'), 2);
    std::string one = "xxxx";
    IDQUERY("GET", "K", TextArray(one.data(), 4, 1), 5, count); // maximum above the array
    EXPECT_EQ(one, ",   ");
    clearIdentStores();
    addIdentRecord("LETTER-CASE upper");
    EXPECT_EQ(ISUPPER(), kFalse);
}

TEST(IdentField, GetsOrPutsTheNthValueWord) {
    std::string record = pad("KEY  alpha beta", 20);
    std::string value = "??????";
    IDFIELD("GET", record, 2, value);
    EXPECT_EQ(value, "beta  ");
    IDFIELD("GET", record, 3, value);
    EXPECT_EQ(value, "      ");
    std::string full(20, 'x');
    value = "??????";
    IDFIELD("GET", full, 1, value);
    EXPECT_EQ(value, "??????"); // no blank in the record: value unchanged

    value = "NEW";
    IDFIELD("PUT", record, 1, value);
    EXPECT_EQ(record, pad("KEY  NEW", 20));
    record = pad("KEY alpha", 20);
    IDFIELD("PUT", record, 4, value);
    EXPECT_EQ(record, pad("KEY alpha , , NEW", 20));
    record = pad("KEY", 10);
    IDFIELD("PUT", record, 9, value);
    EXPECT_EQ(record, "KEY , , , ");
}

TEST_F(Idents, IntegerValuesMustBeWholeNumbers) {
    const std::vector<std::pair<std::string, int32_t>> good = {
        {"12.0", 12}, {"1.2D1", 12}, {"+12", 12}, {"-7  ", -7}, {"2147483646", 2147483646}};
    for (const auto& [value, expected] : good) {
        clearIdentStores();
        setTypedIdent("WINDOW-SIZE", kIdentText, value);
        int32_t result = -1;
        IDGINT("WINDOW-SIZE", result, status);
        EXPECT_EQ(status, kIdentFound) << value;
        EXPECT_EQ(result, expected) << value;
    }
    for (const char* value : {"12.5", "12x", " 12", "", "2147483647", "-2147483647", "1e309", "+-1",
                              "+inf", "0x10", "nan"}) {
        clearIdentStores();
        setTypedIdent("WINDOW-SIZE", kIdentText, value);
        int32_t result = 99;
        IDGINT("WINDOW-SIZE", result, status);
        EXPECT_EQ(status, kIdentNotInteger) << value;
        EXPECT_EQ(result, 0) << value;
    }
}

TEST_F(Idents, TypedValuesByKind) {
    setTypedIdent("WINDOW-SIZE", kIdentInteger, std::nullopt, 640);
    setTypedIdent("PROGRAM", kIdentText, std::nullopt);
    setTypedIdent("RUN-MODE", kIdentText, "Batch");
    int32_t value = 0;
    IDGINT("WINDOW-SIZE   ", value, status);
    EXPECT_EQ(status, kIdentFound);
    EXPECT_EQ(value, 640);
    EXPECT_EQ(text("PROGRAM"), "??????????");
    EXPECT_EQ(status, kIdentNotSet); // absent text
    EXPECT_EQ(text("run-mode"), "Batch     ");
    EXPECT_EQ(status, kIdentFound);
    EXPECT_EQ(text("RUN-MODE", 3), "Bat");
    EXPECT_EQ(status, kIdentCut);
}

TEST_F(Idents, KeywordsMatchAbbreviationsAndDashedParts) {
    setTypedIdent("PLOT-FORMAT", kIdentText, "HPGL-2");
    setTypedIdent("PLOT-COLOUR", kIdentText, "ON");
    setTypedIdent("EXIT", kIdentText, "yes");
    text("PL");
    EXPECT_EQ(status, kIdentAmbiguous);
    EXPECT_EQ(text("PLOT-FORMAT"), pad("HPGL-2"));
    EXPECT_EQ(text("PL-C"), pad("ON"));
    EXPECT_EQ(text("p-f"), pad("HPGL-2"));
    text("EX");
    EXPECT_EQ(status, kIdentNotSet); // EXIT takes no abbreviation
    text("PLOT-FORMATS");
    EXPECT_EQ(status, kIdentNotSet);

    EXPECT_EQ(matchKeyword("PL-F", "PLOT-FORMAT"), 11);
    EXPECT_EQ(matchKeyword("-X", "PLOT-X"), 0);        // a leading "-" must match itself
    EXPECT_EQ(matchKeyword("A-B", "ALPHA BETA-B"), 0); // no skipping in names with blanks
}

TEST_F(Idents, ExactMatchWinsUnlessRepeated) {
    setTypedIdent("MODE", kIdentText, "exact");
    setTypedIdent("MODEL", kIdentText, "longer");
    EXPECT_EQ(text("MODE"), pad("exact"));
    setTypedIdent("MODE", kIdentText, "again");
    text("MODE");
    EXPECT_EQ(status, kIdentAmbiguous);
}

TEST_F(Idents, KeyTableIsBuiltOnTheFirstTypedLookUp) {
    setTypedIdent("HEADER", kIdentWord, "NONE");
    text("HEADER");
    const IdentKeyTable& table = identKeyTable();
    ASSERT_TRUE(table.built);
    ASSERT_EQ(table.names.size(), 49U);
    EXPECT_EQ(table.names[33], "INPUT-FILE");
    EXPECT_EQ(table.names[34], "NOHEADER");
    EXPECT_EQ(table.key_index[34], 1);
    EXPECT_EQ(table.names[48], "NOINPUT-FILE");
    EXPECT_EQ(table.allowed[8].size(), 20U);
}

TEST_F(Idents, RunModeIsAskedOnce) {
    setTypedIdent("RUN-MODE", kIdentText, "batch");
    EXPECT_EQ(ISBATCH(), kTrue);
    typedIdentTable() = TypedIdentTable();
    EXPECT_EQ(ISBATCH(), kTrue); // the first answer is kept
}

std::string edited(std::string text, const std::string& mode) {
    EDTSTR(text, mode);
    return text;
}

TEST(EditText, EveryMode) {
    EXPECT_EQ(edited("abc Def 1z", "Upper"), "ABC DEF 1Z");
    EXPECT_EQ(edited("ABC dEF 1Z", "LOWER"), "abc def 1z");
    EXPECT_EQ(edited("HELLO WORLD-X O'NEIL", "Initial"), "Hello World-x O'neil");
    EXPECT_EQ(edited("Hello WORLD", "i"), "Hello WORLD"); // holds lower case: unchanged
    EXPECT_EQ(edited("   ab c ", "LEFT"), "ab c    ");
    EXPECT_EQ(edited(" ab  ", "right"), "   ab");
    EXPECT_EQ(edited("ab      ", "Centre"), "   ab   ");
    EXPECT_EQ(edited("ab     ", "Centre"), "  ab   ");
    EXPECT_EQ(edited("ab     ", "centrel"), "   ab  ");
    EXPECT_EQ(edited(" a b  c ", "H+"), " a-b--c ");
    EXPECT_EQ(edited(" a-b c-d ", "H-"), " a b c d ");
    EXPECT_EQ(edited("a-b/c d", "X:-/"), "abc d  ");
    EXPECT_EQ(edited(" a\tb\tc ", "T-"), " a b c ");
    EXPECT_EQ(edited("ab c", "Z"), "ab c");
    EXPECT_EQ(edited("ab c", ""), "ab c");
    EXPECT_EQ(edited("    ", "Centre"), "    ");
}

} // namespace
