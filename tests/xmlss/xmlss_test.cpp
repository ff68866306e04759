#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "markup_documents.h"

namespace {

using mftest::between;
using mftest::column;
using mftest::documentBody;
using mftest::golden;
using mftest::makeTable;
using mftest::sameLines;

constexpr auto XML_SS = mfDevice::XML_SS;

TEST(XmlSSWorkbook, WithoutTablesIsTheStyleSheetAlone) {
    EXPECT_TRUE(sameLines(mftest::writeDocument(XML_SS,
                                                [](mfDevice& d) {
                                                    // A table without records leaves nothing.
                                                    std::unique_ptr<mfTable> t = makeTable(
                                                        d, {column("X", mfTableColumn::REAL)});
                                                    t->begin_table();
                                                    t->end_table();
                                                }),
                          golden("xmlss/empty.xml")));
}

TEST(XmlSSWorksheet, Worksheets) {
    const auto forces = [](mfDevice& d) {
        mfTableColumn load("Load", "Load", mfTableColumn::REAL);
        load.setUnits("kN", 1.0);
        load.setWidth(12, 2, mfTableColumn::FIXED);
        std::unique_ptr<mfTable> t =
            makeTable(d, {mfTableColumn("Node", "Node", mfTableColumn::STRING), load}, "Forces");
        t->begin_table();
        t->begin_record();
        t->insertValue(0, std::string("N1"));
        t->insertValue(1, 12.5);
        t->end_record();
        t->end_table();
    };
    EXPECT_TRUE(sameLines(documentBody(XML_SS, forces), golden("xmlss/forces.xml")));

    // Widths in points, escaped names and units, a record without values.
    const auto escaped = [](mfDevice& d) {
        mfTableColumn unit = column("A&B", mfTableColumn::REAL, 10);
        unit.setUnits("\xB5m", 1e-6); // Latin-1 micro sign
        std::unique_ptr<mfTable> t =
            makeTable(d,
                      {column("w0", mfTableColumn::STRING, 0), unit,
                       column("<n>", mfTableColumn::STRING, static_cast<size_t>(-3))},
                      "Q\"1&2<3>");
        t->begin_table();
        t->begin_record();
        t->end_record();
        t->end_table();
    };
    EXPECT_TRUE(sameLines(documentBody(XML_SS, escaped), golden("xmlss/escaped.xml")));
}

TEST(XmlSSWorksheet, TablesFollowEachOtherAndASharedNameIsNumbered) {
    const auto table = [](mfDevice& d, const std::string& name, int records) {
        std::unique_ptr<mfTable> t = makeTable(d, {column("n", mfTableColumn::INTEGER)}, name);
        t->begin_table();
        for (int r = 1; r <= records; ++r) {
            t->begin_record();
            t->insertValue(0, r);
            t->end_record();
        }
        t->end_table();
    };
    EXPECT_TRUE(sameLines(documentBody(XML_SS,
                                       [&](mfDevice& d) {
                                           table(d, "Same name", 2);
                                           table(d, "Empty", 0);
                                           table(d, "Same name", 1);
                                       }),
                          golden("xmlss/two-sheets.xml")));
}

// Every worksheet's name and print titles in a workbook of tables named
// badly: sheets that spreadsheet programs open with their print titles.
TEST(XmlSSWorksheet, NamesAndPrintTitlesThatSpreadsheetsAccept) {
    const std::string body = documentBody(XML_SS, [](mfDevice& d) {
        for (const std::string name : {"FORCES", "forces", "", "Load: case 1/2", "A1", "'it's'",
                                       "Element end forces of the girders", "R1C1", ""}) {
            std::unique_ptr<mfTable> t = makeTable(d, {column("n", mfTableColumn::INTEGER)}, name);
            t->begin_table();
            if (name != "R1C1") { // a table without records takes no sheet number
                t->begin_record();
                t->end_record();
            }
            t->end_table();
        }
    });
    std::string written;
    for (const std::string& line : mftest::splitLines(body)) {
        if (line.find("ss:Name=") != std::string::npos) {
            written += line + "\n";
        }
    }
    const std::pair<const char*, const char*> sheets[] = {
        {"FORCES", "FORCES!R1"},
        {"forces (2)", "'forces (2)'!R1"},
        {"Sheet3", "Sheet3!R1"},
        {"Load_ case 1_2", "'Load_ case 1_2'!R1"},
        {"A1", "'A1'!R1"},
        {"it's", "'it''s'!R1"},
        {"Element end forces of the girde", "'Element end forces of the girde'!R1"},
        {"Sheet8", "Sheet8!R1"},
    };
    std::string expected;
    for (const auto& [name, titles] : sheets) {
        expected += std::string("<Worksheet ss:Name=\"") + name + "\">\n" +
                    R"(   <NamedRange ss:Name="Print_Titles" ss:RefersTo="=)" + titles + "\"/>\n";
    }
    EXPECT_EQ(written, expected);
}

// The records of a one-column table of `c`.
std::string recordsOf(const mfTableColumn& c, const std::function<void(mfTable&)>& fill) {
    return between(mftest::tableBody(XML_SS, {c}, fill), "  </Row>\n", "</Table>\n");
}

TEST(XmlSSWorksheet, DoublesAreScientificAndStyledByFormatAndDecimals) {
    mfTableColumn milli = column("mm", mfTableColumn::REAL, 12, 1, mfTableColumn::FIXED);
    milli.setUnits("mm", 1000.0);
    const std::vector<mfTableColumn> columns = {
        column("g", mfTableColumn::REAL), // GENERAL, 4 decimals
        column("f0", mfTableColumn::REAL, 12, 0, mfTableColumn::FIXED),
        column("f9", mfTableColumn::REAL, 12, 9, mfTableColumn::FIXED),
        column("f10", mfTableColumn::REAL, 12, 10, mfTableColumn::FIXED),
        column("e3", mfTableColumn::REAL, 12, 3, mfTableColumn::SCIENTIFIC),
        column("e10", mfTableColumn::REAL, 12, 10, mfTableColumn::SCIENTIFIC),
        column("s", mfTableColumn::STRING, 12, 2, mfTableColumn::FIXED),
        milli};
    const std::string body = mftest::tableBody(XML_SS, columns, [](mfTable& t) {
        t.begin_record();
        const double values[] = {1234.5, -0.25, 0.0, 1e100, 1e-100, 7.0, 2.5, 0.0125};
        for (int i = 0; i < 8; ++i) {
            t.insertValue(i, values[i]);
        }
        t.end_record();
    });
    EXPECT_TRUE(sameLines(between(body, "  </Row>\n", "</Table>\n"), golden("xmlss/doubles.xml")));
}

TEST(XmlSSWorksheet, Cells) {
    const double inf = std::numeric_limits<double>::infinity();
    mfTableColumn scaled = column("x", mfTableColumn::REAL, 12, 2, mfTableColumn::FIXED);
    scaled.setUnits("x", 10.0);
    const mfTableColumn fixed2 = column("x", mfTableColumn::REAL, 12, 2, mfTableColumn::FIXED);
    const mfTableColumn sci12 = column("x", mfTableColumn::REAL, 12, 12, mfTableColumn::SCIENTIFIC);
    const mfTableColumn count = column("n", mfTableColumn::INTEGER, 12, 2, mfTableColumn::FIXED);
    const mfTableColumn text = column("s", mfTableColumn::STRING);
    const std::string number = R"(    <Cell><Data ss:Type="Number">)";
    const std::string string = R"(    <Cell><Data ss:Type="String">)";
    const std::string styled = R"(    <Cell ss:StyleID="FixedDecimal2"> <Data ss:Type="Number">)";
    const std::string link = "NODES";
    const struct {
        mfTableColumn column;
        std::function<void(mfTable&)> insert;
        std::string cell;
    } cases[] = {
        // Doubles that are not finite (after the unit factor) are text.
        {scaled, [&](mfTable& t) { t.insertValue(0, inf); }, string + "INF"},
        {scaled, [&](mfTable& t) { t.insertValue(0, -inf); }, string + "-INF"},
        {scaled, [](mfTable& t) { t.insertValue(0, std::nan("")); }, string + "NAN"},
        {scaled, [](mfTable& t) { t.insertValue(0, 1e308); }, string + "INF"},
        // Text of a REAL column: a styled number when it is one (below).
        {fixed2, [](mfTable& t) { t.insertValue(0, std::string("   3.5")); }, styled + "3.5"},
        {fixed2, [](mfTable& t) { t.insertValue(0, std::string("Inf")); }, string + "Inf"},
        {fixed2, [](mfTable& t) { t.insertValue(0, std::string("  -NaN")); }, string + "-NaN"},
        {fixed2, [](mfTable& t) { t.insertValue(0, std::string("inf")); }, string + "inf"},
        {fixed2, [](mfTable& t) { t.insertValue(0, std::string("<none>")); },
         string + "&lt;none&gt;"},
        {fixed2, [](mfTable& t) { t.insertValue(0, std::string("   ")); }, string + "   "},
        {sci12, [](mfTable& t) { t.insertValue(0, std::string(" 2.5e3")); },
         R"(    <Cell ss:StyleID="Default"> <Data ss:Type="Number">2.5e3)"},
        // Text of an INTEGER column: a number without its leading blanks.
        {count, [](mfTable& t) { t.insertValue(0, std::string("  42")); }, number + "42"},
        {count, [](mfTable& t) { t.insertValue(0, std::string("1&2")); }, string + "1&amp;2"},
        // Integers are unstyled numbers whatever the column; links are ignored.
        {fixed2, [](mfTable& t) { t.insertValue(0, 7); }, number + "7"},
        {text, [](mfTable& t) { t.insertValue(0, INT_MIN); }, number + "-2147483648"},
        {text, [&](mfTable& t) { t.insertValue(0, 5, &link); }, number + "5"},
        // Text of a STRING column, escaped.
        {text, [](mfTable& t) { t.insertValue(0, std::string("<none>")); },
         string + "&lt;none&gt;"},
        {text, [](mfTable& t) { t.insertValue(0, std::string("a<b")); }, string + "a&lt;b"},
        {text, [](mfTable& t) { t.insertValue(0, std::string("<")); }, string + "&lt;"},
        {text, [](mfTable& t) { t.insertValue(0, std::string("&amp; &#181; &#0;")); },
         string + "&amp; &#181; &amp;#0;"},
        {text, [](mfTable& t) { t.insertValue(0, std::string("x\x01y\x1Fz")); },
         string + "x\uFFFDy\uFFFDz"},
        {text,
         [](mfTable& t) {
             t.insertValue(0, std::string("\xB5m 20\xB0"
                                          "C"));
         },
         string + "µm 20°C"},
        {text, [](mfTable& t) { t.insertValue(0, std::string("µm 20°C")); }, string + "µm 20°C"},
        {text, [](mfTable& t) { t.insertValue(0, std::string("<a&b>")); },
         string + "&lt;a&amp;b&gt;"},
        {text, [&](mfTable& t) { t.insertValue(0, std::string("say \"hi\" > 1"), &link); },
         string + "say \"hi\" &gt; 1"},
        {text, [](mfTable& t) { t.insertValue(0, std::string("")); }, string},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(recordsOf(c.column,
                            [&](mfTable& t) {
                                t.begin_record();
                                c.insert(t);
                                t.end_record();
                            }),
                  " <Row>\n" + c.cell + "</Data></Cell>\n  </Row>")
            << c.cell;
    }
}

// Text in a number column is a number cell only when a spreadsheet reads it
// as that number: a plain decimal number between blanks.
TEST(XmlSSWorksheet, TextInNumberColumnsIsANumberOnlyWhenItIsOne) {
    const mfTableColumn real = column("x", mfTableColumn::REAL, 12, 2, mfTableColumn::FIXED);
    const mfTableColumn integer = column("n", mfTableColumn::INTEGER);
    const std::string number = R"(    <Cell><Data ss:Type="Number">)";
    const std::string styled = R"(    <Cell ss:StyleID="FixedDecimal2"> <Data ss:Type="Number">)";
    const std::string string = R"(    <Cell><Data ss:Type="String">)";
    const struct {
        const char* text;
        std::string realCell;    ///< number text without its leading blanks
        std::string integerCell; ///< number text without its leading blanks
    } cases[] = {
        // Accepted.
        {"3.5", styled + "3.5", number + "3.5"},
        {"  -42  ", styled + "-42  ", number + "-42  "},
        {"+7", styled + "+7", number + "+7"},
        {"007", styled + "007", number + "007"},
        {"1e5", styled + "1e5", number + "1e5"},
        {"-1.5E-03", styled + "-1.5E-03", number + "-1.5E-03"},
        {"2.5e+3", styled + "2.5e+3", number + "2.5e+3"},
        {".5", styled + ".5", number + ".5"},
        {"5.", styled + "5.", number + "5."},
        // Refused: string cells by the rules of a STRING column.
        {"n/a", string + "n/a", string + "n/a"},
        {" n/a", string + " n/a", string + " n/a"},
        {"-", string + "-", string + "-"},
        {"1,5", string + "1,5", string + "1,5"},
        {"<7>", string + "&lt;7&gt;", string + "&lt;7&gt;"},
        {"", string, string},
        {"  ", string + "  ", string + "  "},
        {".", string + ".", string + "."},
        {"+", string + "+", string + "+"},
        {"1e", string + "1e", string + "1e"},
        {"e5", string + "e5", string + "e5"},
        {"1e+", string + "1e+", string + "1e+"},
        {"1.2.3", string + "1.2.3", string + "1.2.3"},
        {"--1", string + "--1", string + "--1"},
        {"0x1F", string + "0x1F", string + "0x1F"},
        {"1 000", string + "1 000", string + "1 000"},
        {"12 kN", string + "12 kN", string + "12 kN"},
        {"\t5", string + "\t5", string + "\t5"},
        {"5&6", string + "5&amp;6", string + "5&amp;6"},
        // The Inf and NaN rule of REAL columns: leading blanks removed.
        {"  Inf", string + "Inf", string + "  Inf"},
        {" -NaN", string + "-NaN", string + " -NaN"},
        {"Infinity", string + "Infinity", string + "Infinity"},
    };
    for (const auto& c : cases) {
        for (const bool isReal : {true, false}) {
            EXPECT_EQ(recordsOf(isReal ? real : integer,
                                [&](mfTable& t) {
                                    t.begin_record();
                                    EXPECT_TRUE(t.insertValue(0, std::string(c.text)));
                                    t.end_record();
                                }),
                      " <Row>\n" + (isReal ? c.realCell : c.integerCell) +
                          "</Data></Cell>\n  </Row>")
                << "[" << c.text << "] in a " << (isReal ? "REAL" : "INTEGER") << " column";
        }
    }
}

} // namespace
