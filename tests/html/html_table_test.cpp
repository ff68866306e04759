#include <cmath>
#include <limits>
#include <locale>

#include <gtest/gtest.h>

#include "html_fixture.h"
#include "recording_device.h"

namespace {

using mftest::htmlContent;

constexpr const char* headStart = R"(<table border="0" cellspacing="1" cellpadding="2">
  <thead>
    <tr>
)";
constexpr const char* headEnd = R"(    </tr> 
   </thead>
  <tbody>
)";
constexpr const char* tableEnd = R"(  </tbody>
</table> 
)";

std::string th(const std::string& text) {
    return "      <th valign=\"top\" align=\"left\" > " + text + " </th> \n";
}

// Everything a table writes before its first row: anchor, heading, notes, head.
std::string head(const std::string& name, const std::string& heading,
                 const std::vector<std::string>& columns) {
    std::string text = "<p><a id=\"" + name + "\" /></p>\n<p><a id=\"" + heading +
                       "\" /></p>\n<h1>" + heading + "</h1>\n<p>\n</p>\n" + headStart;
    for (const std::string& c : columns) {
        text += th(c);
    }
    return text + headEnd;
}

// Writes one table with the given columns and drives it with `rows`.
std::string table(const std::vector<mfTableColumn>& columns,
                  const std::function<void(mfTable&)>& rows,
                  const std::function<void(mfTable&)>& setup = nullptr) {
    return htmlContent([&](mfHtmlDevice& d) {
        std::unique_ptr<mfTable> t(d.addTable(mfTableHeader("T", "Tab", 1)));
        for (const mfTableColumn& c : columns) {
            t->addColumn(c);
        }
        if (setup) {
            setup(*t);
        }
        EXPECT_TRUE(t->begin_table());
        rows(*t);
        EXPECT_TRUE(t->end_table());
    });
}

// The rows of a single-record table, without head and table end.
std::string rowOf(const std::vector<mfTableColumn>& columns,
                  const std::function<void(mfTable&)>& cells,
                  const std::function<void(mfTable&)>& setup = nullptr) {
    const std::string text = table(
        columns,
        [&](mfTable& t) {
            t.begin_record();
            cells(t);
            t.end_record();
        },
        setup);
    const size_t from = text.find(headEnd) + std::string(headEnd).size();
    const size_t to = text.rfind(tableEnd);
    return text.substr(from, to - from);
}

mfTableColumn real(const std::string& name, mfTableColumn::fmt_type format, size_t width = 10,
                   size_t decimals = 3) {
    mfTableColumn c(name, name, mfTableColumn::REAL);
    c.setWidth(width, decimals, format);
    return c;
}

std::string realCell(double value, mfTableColumn::fmt_type format,
                     const std::string* link = nullptr) {
    const std::string row =
        rowOf({real("R", format)}, [&](mfTable& t) { EXPECT_TRUE(t.insertValue(0, value, link)); });
    const std::string open = "    <tr> \n      <td align=\"right\"> ";
    const std::string close = "</td>\n    </tr> \n";
    EXPECT_EQ(row.substr(0, open.size()), open);
    EXPECT_EQ(row.substr(row.size() - close.size()), close);
    return row.substr(open.size(), row.size() - open.size() - close.size());
}

const mfTableColumn intA("A", "a", mfTableColumn::INTEGER);
const mfTableColumn intB("B", "b", mfTableColumn::INTEGER);
const mfTableColumn textC("C", "c", mfTableColumn::STRING);

TEST(HtmlTable, EmptyTableShowsItsHeadAndOneRow) {
    EXPECT_EQ(table({textC, intA}, [](mfTable&) {}),
              head("T", "1  Tab", {"C", "A"}) +
                  "    <tr> \n"
                  "      <td align=\"left\" >Empty table </td>\n"
                  "      <td align=\"right\">&nbsp;</td>\n"
                  "    </tr> \n" +
                  tableEnd);
}

TEST(HtmlTable, HeadWithUnitsNotesAndLateChanges) {
    EXPECT_EQ(htmlContent([](mfHtmlDevice& d) {
                  mfTableHeader header("FORCES", "Forces", 2);
                  header.addNote("n1");
                  std::unique_ptr<mfTable> t(d.addTable(header));
                  mfTableColumn f("Force", "force", mfTableColumn::REAL);
                  f.setUnits("kN", 1.0);
                  t->addColumn(f);
                  t->begin_table();
                  // Still in time: the head is written by the first record.
                  t->header().addNote("n2");
                  t->header().setDescription("Member forces");
                  t->addColumn(intA);
                  t->begin_record();
                  t->end_record();
                  t->end_table();
              }),
              std::string("<p><a id=\"FORCES\" /></p>\n<p><a id=\"0.1  Member forces\" /></p>\n"
                          "<h2>0.1  Member forces</h2>\n<p>\nn1<br/>\nn2<br/>\n</p>\n") +
                  headStart + th("Force [kN]") + th("A") + headEnd +
                  "    <tr> \n      <td align=\"right\">&nbsp;</td>\n"
                  "      <td align=\"right\">&nbsp;</td>\n    </tr> \n" +
                  tableEnd);
}

TEST(HtmlTable, NumberFormats) {
    EXPECT_EQ(realCell(3.14159, mfTableColumn::FIXED), "     3.142");
    EXPECT_EQ(realCell(3.14159, mfTableColumn::SCIENTIFIC), " 3.142E+00");
    EXPECT_EQ(realCell(-31415.9, mfTableColumn::SCIENTIFIC), "-3.142E+04");
    EXPECT_EQ(realCell(3.14159, mfTableColumn::GENERAL), "3.14159");
    EXPECT_EQ(realCell(1234567.0, mfTableColumn::GENERAL), "1.23457E+06");
    EXPECT_EQ(realCell(123456789.0, mfTableColumn::FIXED), "123456789.000");
    EXPECT_EQ(realCell(std::numeric_limits<double>::infinity(), mfTableColumn::SCIENTIFIC),
              "       INF");
    EXPECT_EQ(realCell(-std::numeric_limits<double>::infinity(), mfTableColumn::GENERAL), "-INF");
}

TEST(HtmlTable, ZeroAndNanAreWrittenAsZeroUnlessLinked) {
    const std::string anchor = "NODES";
    EXPECT_EQ(realCell(0.0, mfTableColumn::FIXED), "         0");
    EXPECT_EQ(realCell(-0.0, mfTableColumn::FIXED), "         0");
    EXPECT_EQ(realCell(std::nan(""), mfTableColumn::SCIENTIFIC), "         0");
    EXPECT_EQ(realCell(0.0, mfTableColumn::GENERAL), "0");
    // With a link the width pads the text that opens the link, not the number.
    EXPECT_EQ(realCell(0.0, mfTableColumn::FIXED, &anchor), "<a href=\"#NODES\">0.000</a>");
    EXPECT_EQ(rowOf({real("R", mfTableColumn::FIXED, 14)},
                    [&](mfTable& t) { t.insertValue(0, 2.5, &anchor); }),
              "    <tr> \n      <td align=\"right\">     <a href=\"#NODES\">2.500</a></td>\n"
              "    </tr> \n");
}

TEST(HtmlTable, UnitFactorAppliesToRealsOnly) {
    mfTableColumn mm = real("X", mfTableColumn::FIXED, 8, 1);
    mm.setUnits("mm", 1000.0);
    mfTableColumn count("N", "n", mfTableColumn::INTEGER);
    count.setUnits("mm", 1000.0);
    EXPECT_EQ(rowOf({mm, count},
                    [](mfTable& t) {
                        t.insertValue(0, 2.5);
                        t.insertValue(1, 7);
                    }),
              "    <tr> \n      <td align=\"right\">   2500.0</td>\n"
              "      <td align=\"right\"> 7</td> \n    </tr> \n");
}

TEST(HtmlTable, NumbersIgnoreTheCallersLocale) {
    struct Comma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new Comma));
    const std::string row = rowOf({real("R", mfTableColumn::FIXED), intA}, [](mfTable& t) {
        t.insertValue(0, 1234.5);
        t.insertValue(1, 1234567);
    });
    std::locale::global(previous);
    EXPECT_EQ(row, "    <tr> \n      <td align=\"right\">   1234.500</td>\n"
                   "      <td align=\"right\"> 1234567</td> \n    </tr> \n");
}

TEST(HtmlTable, StringCells) {
    mfTableColumn centred("M", "m", mfTableColumn::STRING);
    centred.setAdjust(mfTableColumn::CENTER);
    mfTableColumn odd("O", "o", mfTableColumn::STRING);
    odd.setAdjust(static_cast<mfTableColumn::adj_type>(7));
    mfTableColumn right("R", "r", mfTableColumn::STRING);
    right.setAdjust(mfTableColumn::RIGHT);
    const std::string link = "T2";
    EXPECT_EQ(rowOf({textC, centred, odd, right, textC, textC},
                    [&](mfTable& t) {
                        t.insertValue(0, std::string("a\nb\r\nc"));
                        t.insertValue(1, std::string("<none>"));
                        t.insertValue(2, std::string(""));
                        t.insertValue(3, std::string("see"), &link);
                        t.insertValue(4, std::string("<a\nb>"));
                        t.insertValue(5, std::string("5 \xB5m"));
                    }),
              "    <tr> \n"
              "      <td align=\"left\" >a<br/>b<br/>c </td>\n"
              "      <td align=\"center\" >&lt;none&gt; </td>\n"
              "      <td align=\"center\" >&nbsp; </td>\n"
              "      <td align=\"right\" ><a href=\"#T2\">see</a> </td>\n"
              "      <td align=\"left\" >&lt;a\nb&gt; </td>\n"
              "      <td align=\"left\" >5 \xC2\xB5m </td>\n"
              "    </tr> \n");
}

TEST(HtmlTable, ColumnColourOrTableColour) {
    mfTableColumn green("G", "g", mfTableColumn::STRING);
    green.setBackgroundColor("00FF00");
    const auto cells = [](mfTable& t) {
        t.insertValue(0, 1);
        t.insertValue(1, std::string("x"));
    };
    const auto yellow = [](mfTable& t) { t.setBackgroundColor("FFFF00"); };
    EXPECT_EQ(rowOf({intA, green, intB}, cells, yellow),
              "    <tr> \n      <td align=\"right\" bgcolor=\"FFFF00\"> 1</td> \n"
              "      <td align=\"left\"  bgcolor=\"00FF00\">x </td>\n"
              "      <td align=\"right\" bgcolor=\"FFFF00\">&nbsp;</td>\n    </tr> \n");
    EXPECT_EQ(rowOf({intA, green, intB}, cells),
              "    <tr> \n      <td align=\"right\"> 1</td> \n"
              "      <td align=\"left\"  bgcolor=\"00FF00\">x </td>\n"
              "      <td align=\"right\">&nbsp;</td>\n    </tr> \n");
}

TEST(HtmlTable, CellsInColumnOrderLastValueWins) {
    EXPECT_EQ(rowOf({intA, intB, textC},
                    [](mfTable& t) {
                        EXPECT_TRUE(t.insertValue(2, std::string("first")));
                        EXPECT_TRUE(t.insertValue(0, 1));
                        EXPECT_TRUE(t.insertValue(2, std::string("second")));
                        EXPECT_FALSE(t.insertValue(3, 9));
                        EXPECT_FALSE(t.insertValue(-1, 9.0));
                        EXPECT_FALSE(t.insertValue(1000000, std::string("far")));
                    }),
              "    <tr> \n      <td align=\"right\"> 1</td> \n"
              "      <td align=\"right\">&nbsp;</td>\n"
              "      <td align=\"left\" >second </td>\n    </tr> \n");
}

TEST(HtmlTable, CellsOutsideARecordAreDropped) {
    const std::string text = table({intA}, [](mfTable& t) {
        t.insertValue(0, 5);
        t.begin_record();
        t.end_record();
        t.insertValue(0, 6);
        t.begin_record();
        t.end_record();
    });
    EXPECT_EQ(text.find("> 5<"), std::string::npos);
    EXPECT_EQ(text.find("> 6<"), std::string::npos);
}

std::string td(int value) {
    return "      <td align=\"right\"> " + std::to_string(value) + "</td> \n";
}
const std::string blankTd = "      <td align=\"right\">&nbsp;</td>\n";
const std::string blankTh = "      <th valign=\"top\" align=\"left\" >&nbsp;</th> \n";

TEST(HtmlTable, WideTablesFold) {
    const std::vector<mfTableColumn> five = {intA, intA, intA, intA, intA};
    const auto fill = [](mfTable& t) {
        t.begin_record();
        for (int c = 0; c < 5; ++c) {
            t.insertValue(c, c);
        }
        t.end_record();
    };
    const std::string unfolded = table(five, fill);
    EXPECT_EQ(unfolded.substr(unfolded.find(headEnd) + std::string(headEnd).size()),
              "    <tr> \n" + td(0) + td(1) + td(2) + td(3) + td(4) + "    </tr> \n" + tableEnd);

    const std::string fold = " </tr>\n <tr>\n";
    EXPECT_EQ(table(five, fill, [](mfTable& t) { t.setWrapping(2, 1); }),
              "<p><a id=\"T\" /></p>\n<p><a id=\"1  Tab\" /></p>\n<h1>1  Tab</h1>\n<p>\n</p>\n" +
                  std::string(headStart) + th("A") + th("A") + "    </tr>\n    <tr>\n" + blankTh +
                  th("A") + "    </tr>\n    <tr>\n" + blankTh + th("A") + "    </tr>\n    <tr>\n" +
                  blankTh + th("A") + headEnd + "    <tr> \n" + td(0) + td(1) + fold + blankTd +
                  td(2) + fold + blankTd + td(3) + fold + blankTd + td(4) + "    </tr> \n" +
                  tableEnd);

    for (int width : {0, -3}) {
        EXPECT_EQ(table(five, fill, [&](mfTable& t) { t.setWrapping(width, 1); }), unfolded);
    }
}

TEST(HtmlTable, TableEndedWithoutBeginWritesNothing) {
    EXPECT_EQ(htmlContent(
                  [](mfHtmlDevice& d) {
                      std::unique_ptr<mfTable> t(d.addTable(mfTableHeader("T", "Tab", 1)));
                      EXPECT_TRUE(t->end_table());
                  },
                  false),
              "");
}

TEST(HtmlTable, RequiresAnHtmlDevice) {
    mftest::RecordingDevice other;
    mfTableHtml t(mfTableHeader("T", "Tab", 1), &other);
    t.addColumn(intA);
    EXPECT_FALSE(t.begin_table());
    EXPECT_FALSE(t.begin_record());
    EXPECT_TRUE(t.insertValue(0, 1));
    EXPECT_FALSE(t.end_record());
    EXPECT_FALSE(t.end_table());
}

} // namespace
