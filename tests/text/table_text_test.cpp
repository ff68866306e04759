// The text table writer's record protocol: type checks, value edits and
// their fit limits, name rules, and every misuse answering false.
#include <climits>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "mfreport/text/mfTableText.h"
#include "mfreport/text/primax.h"
#include "text_fixture.h"

namespace {

using mftest::column;
using mftest::pages;

class TextTables : public mftest::TextReport {
protected:
    // The body lines of the report's last page.
    static std::vector<std::string> lastLines(size_t count) {
        const auto page = pages(mftest::readFile("report.LIS")).back();
        return {page.end() - static_cast<std::ptrdiff_t>(count), page.end()};
    }
};

TEST_F(TextTables, TypeMismatchAnswersFalseAndLeavesTheRecord) {
    auto dev = device();
    auto t = table(*dev, "MIX");
    t->addColumn(column("I", "", mfTableColumn::INTEGER, 4));
    t->addColumn(column("R", "", mfTableColumn::REAL, 8, 2));
    t->addColumn(column("S", "", mfTableColumn::STRING, 4));
    ASSERT_TRUE(t->begin_table());
    EXPECT_TRUE(t->insertValue(0, 7));
    EXPECT_TRUE(t->insertValue(1, 2.5));
    EXPECT_TRUE(t->insertValue(2, std::string("abc")));
    EXPECT_FALSE(t->insertValue(0, 1.0));
    EXPECT_FALSE(t->insertValue(0, std::string("x")));
    EXPECT_FALSE(t->insertValue(1, 3));
    EXPECT_FALSE(t->insertValue(1, std::string("x")));
    EXPECT_FALSE(t->insertValue(2, 5));
    EXPECT_FALSE(t->insertValue(2, 5.0));
    for (const int outside : {-1, 3, INT_MAX, INT_MIN}) {
        EXPECT_FALSE(t->insertValue(outside, 1));
    }
    EXPECT_TRUE(t->insertValue(2, std::string())); // writes nothing
    EXPECT_TRUE(t->end_record());
    EXPECT_TRUE(t->end_table());
    dev.reset();
    EXPECT_EQ(lastLines(1)[0], "    7      2.50  abc");
}

TEST_F(TextTables, IntegerOverflowAndFixedFitLimitsFillTheFieldWithAsterisks) {
    auto dev = device();
    auto t = table(*dev, "EDITS");
    t->addColumn(column("I", "", mfTableColumn::INTEGER, 3));
    t->addColumn(column("F", "", mfTableColumn::REAL, 6, 2));
    t->addColumn(column("G", "", mfTableColumn::REAL, 3, 1));
    ASSERT_TRUE(t->begin_table());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        int i;
        double f, g;
    } rows[] = {
        {999, 999.99, -0.9},      // the largest values that fit
        {-99, -99.99, 9.9},       // the most negative that fit; 9.9 = (10^2 - 1) / 10
        {1000, 1000.0, 9.94},     // above: 9.94 would edit as 9.9 but exceeds the limit
        {-100, -100.0, -1.0},     // below
        {INT_MIN, nan, HUGE_VAL}, // and what no field holds
        {0, 1e300, -0.04},        // beyond single precision; a small negative fits
    };
    for (const auto& row : rows) {
        t->insertValue(0, row.i);
        t->insertValue(1, row.f);
        t->insertValue(2, row.g);
        EXPECT_TRUE(t->end_record());
    }
    dev.reset();
    EXPECT_EQ(lastLines(6), (std::vector<std::string>{
                                " 999  999.99  -.9",
                                " -99  -99.99  9.9",
                                " ***  ******  ***",
                                " ***  ******  ***",
                                " ***  ******  ***",
                                "   0  ******  -.0",
                            }));
}

TEST_F(TextTables, RealFieldsShowTheDigitsOfTheDoubleValue) {
    auto dev = device();
    auto t = table(*dev, "DIGITS");
    t->addColumn(column("A", "", mfTableColumn::REAL, 10, 3));
    t->addColumn(column("B", "", mfTableColumn::REAL, 12, 3));
    t->addColumn(column("C", "", mfTableColumn::REAL, 20, 17));
    t->addColumn(column("D", "", mfTableColumn::REAL, 12, 0));
    t->addColumn(column("E", "", mfTableColumn::REAL, 17, 10, mfTableColumn::SCIENTIFIC));
    t->addColumn(column("I", "", mfTableColumn::INTEGER, 5));
    ASSERT_TRUE(t->begin_table());
    const long long wide = 12345678901LL; // arrives as an exact double
    const struct {
        double a, b, c;
        long long d;
        double e;
        int i;
    } rows[] = {
        {347433.737, 12345678.9, 0.1, wide, static_cast<double>(wide), 12345},
        {999999.999, -9999999.999, 1e300, 99999999999LL, -0.1, 123456}, // fit edges
        {-100000.0, 16777217.0, -0.5, -wide, 0.0, -9999},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(t->insertValue(0, row.a));
        EXPECT_TRUE(t->insertValue(1, row.b));
        EXPECT_TRUE(t->insertValue(2, row.c));
        EXPECT_TRUE(t->insertValue(3, row.d));
        EXPECT_TRUE(t->insertValue(4, row.e));
        EXPECT_TRUE(t->insertValue(5, row.i));
        EXPECT_TRUE(t->end_record());
    }
    dev.reset();
    EXPECT_EQ(lastLines(3), (std::vector<std::string>{
                                " 347433.737  12345678.900   0.10000000000000001  12345678901.   "
                                "1.2345678901E+10  12345",
                                " 999999.999  -9999999.999  ********************  99999999999.  "
                                "-1.0000000000E-01  *****",
                                " **********  16777217.000  -0.50000000000000000  ************   "
                                "0.0000000000E+00  -9999",
                            }));
}

TEST_F(TextTables, NamesAreCutByTheirRules) {
    auto dev = device();
    auto twelve = table(*dev, "ABCDEFGHIJKL");
    auto ten = table(*dev, "ABCDEFGHIJ");
    twelve->addColumn(column("ABCDEFGHIJKLMNO", "", mfTableColumn::STRING, 10));
    ten->addColumn(column(std::string(60, 'n'), "", mfTableColumn::INTEGER, 0));
    ASSERT_TRUE(twelve->begin_table());
    EXPECT_NE(mfreport::text::tableNumber("ABCDEFGHI"), 0);
    EXPECT_EQ(mfreport::text::tableNumber("ABCDEFGHIJ"), 0);
    ASSERT_TRUE(ten->begin_table()); // width 0 leaves a name of 60 characters whole
    EXPECT_NE(mfreport::text::tableNumber("ABCDEFGHIJ"), 0);
    twelve->insertValue(0, std::string("value"));
    twelve->end_record();
    EXPECT_TRUE(twelve->end_table());
    EXPECT_EQ(mfreport::text::tableNumber("ABCDEFGHI"), 0);
    dev.reset();
    EXPECT_EQ(lastLines(3)[0], " ABCDEFGHI");

    auto again = device();
    auto longer = table(*again, "LONGER");
    longer->addColumn(column(std::string(61, 'n'), "", mfTableColumn::INTEGER, 0));
    EXPECT_FALSE(longer->begin_table());
}

TEST_F(TextTables, ColumnsAndWidthsOutsideTheirRangesAreRefused) {
    auto dev = device();
    const mfTableColumn refused[] = {
        column("A", "", mfTableColumn::INTEGER, 21),
        column("A", "", mfTableColumn::STRING, 73),
        column("A", "", mfTableColumn::REAL, 2, 0),
        column("A", "", mfTableColumn::REAL, 5, 4), // not above decimals + 1
        column("A", "", mfTableColumn::REAL, 6, 2, mfTableColumn::SCIENTIFIC),
        column("A", "", mfTableColumn::REAL, 21, 2, mfTableColumn::GENERAL),
        column("A", "", mfTableColumn::INTEGER, static_cast<size_t>(-3)),
        column("A", "", mfTableColumn::REAL, 10, static_cast<size_t>(-1)),
        column("A", std::string(1308, 'd'), mfTableColumn::REAL, 10, 2, mfTableColumn::FIXED, "m"),
        column("A", "", static_cast<mfTableColumn::col_type>(7), 4),
    };
    int n = 0;
    for (const mfTableColumn& c : refused) {
        auto t = table(*dev, "BAD" + std::to_string(++n));
        t->addColumn(c);
        EXPECT_FALSE(t->begin_table()) << n;
        EXPECT_FALSE(t->end_record()) << n;
        EXPECT_TRUE(t->end_table()) << n;
    }
    auto limits = table(*dev, "LIMITS");
    limits->addColumn(column("A", "", mfTableColumn::INTEGER, 20));
    limits->addColumn(column("B", "", mfTableColumn::STRING, 72));
    limits->addColumn(column("C", "", mfTableColumn::REAL, 3, 1));
    limits->addColumn(column("D", "", mfTableColumn::REAL, 7, 3, mfTableColumn::SCIENTIFIC));
    limits->addColumn(
        column("E", std::string(1307, 'd'), mfTableColumn::REAL, 10, 2, mfTableColumn::FIXED, "m"));
    EXPECT_TRUE(limits->begin_table());

    auto columns37 = table(*dev, "WIDE");
    auto columns36 = table(*dev, "WIDE36");
    for (int c = 0; c < 36; ++c) {
        columns37->addColumn(column("A", "", mfTableColumn::INTEGER, 1));
        columns36->addColumn(column("A", "", mfTableColumn::INTEGER, 1));
    }
    columns37->addColumn(column("A", "", mfTableColumn::INTEGER, 1));
    EXPECT_FALSE(columns37->begin_table());
    EXPECT_TRUE(columns36->begin_table());
}

TEST_F(TextTables, MisusedProtocolAnswersFalseAndHarmsNoOtherTable) {
    auto dev = device();
    auto never = table(*dev, "NEVER");
    never->addColumn(column("A", "", mfTableColumn::INTEGER, 4));
    EXPECT_FALSE(never->begin_record()); // never begun: nothing to record
    EXPECT_FALSE(never->insertValue(0, 1));
    EXPECT_FALSE(never->end_record());
    EXPECT_FALSE(never->end_table());

    auto t = table(*dev, "T");
    t->addColumn(column("A", "", mfTableColumn::INTEGER, 4));
    ASSERT_TRUE(t->begin_table());
    EXPECT_FALSE(t->begin_table()); // the name is taken
    auto twin = table(*dev, "T");
    twin->addColumn(column("B", "", mfTableColumn::INTEGER, 4));
    EXPECT_FALSE(twin->begin_table());
    EXPECT_FALSE(twin->end_table());   // leaves the other table of that name alone
    EXPECT_TRUE(t->insertValue(0, 1)); // records without begin_record
    EXPECT_TRUE(t->end_record());
    EXPECT_TRUE(t->end_table());
    EXPECT_FALSE(t->end_table());
    EXPECT_FALSE(t->insertValue(0, 1));
    EXPECT_FALSE(t->end_record());

    // Five tables fill the slots; a sixth takes the slot of the first.
    std::vector<std::unique_ptr<mfTable>> tables;
    for (int i = 1; i <= 6; ++i) {
        tables.push_back(table(*dev, "S" + std::to_string(i)));
        tables.back()->addColumn(column("A", "", mfTableColumn::INTEGER, 4));
        ASSERT_TRUE(tables.back()->begin_table()) << i;
    }
    EXPECT_FALSE(tables[0]->insertValue(0, 1));
    EXPECT_FALSE(tables[0]->end_record());
    EXPECT_FALSE(tables[0]->end_table());
    EXPECT_NE(mfreport::text::tableNumber("S6"), 0);
    for (int i = 1; i < 6; ++i) {
        EXPECT_TRUE(tables[static_cast<size_t>(i)]->insertValue(0, i)) << i;
        EXPECT_TRUE(tables[static_cast<size_t>(i)]->end_record()) << i;
        EXPECT_TRUE(tables[static_cast<size_t>(i)]->end_table()) << i;
    }

    auto empty = table(*dev, "EMPTY");
    EXPECT_TRUE(empty->begin_table());
    EXPECT_TRUE(empty->end_record()); // a table without columns writes a blank line
    EXPECT_TRUE(empty->end_table());

    mfTableText foreign(mfTableHeader("F", "", 1), nullptr);
    foreign.addColumn(column("A", "", mfTableColumn::INTEGER, 4));
    EXPECT_FALSE(foreign.begin_table());
    EXPECT_FALSE(foreign.begin_record());
    EXPECT_FALSE(foreign.insertValue(0, 1));
    EXPECT_FALSE(foreign.end_record());
    EXPECT_FALSE(foreign.end_table());
}

TEST_F(TextTables, AReportFileThatCannotBeCreatedRefusesItsTables) {
    for (const std::string& name :
         std::vector<std::string>{"", "   ", "missing/folder/report", std::string(300, 'r')}) {
        auto dev = device(mfDevice::TEXT, name);
        auto t = table(*dev, "T");
        t->addColumn(column("A", "", mfTableColumn::INTEGER, 4));
        EXPECT_FALSE(t->begin_table()) << name;
        EXPECT_FALSE(t->begin_record());
        EXPECT_FALSE(t->insertValue(0, 1));
        EXPECT_FALSE(t->end_record());
        EXPECT_TRUE(t->end_table());
        EXPECT_FALSE(dev->close()) << name; // the report never reached a file
    }
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::current_path()));
}

} // namespace
