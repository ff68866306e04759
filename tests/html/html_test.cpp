#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "markup_documents.h"

namespace {

using mftest::between;
using mftest::column;
using mftest::Content;
using mftest::documentBody;
using mftest::golden;
using mftest::makeTable;
using mftest::sameLines;

constexpr auto HTML = mfDevice::HTML;
const std::string nbsp6 = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";

const mfTableColumn intA("A", "a", mfTableColumn::INTEGER);
const mfTableColumn textC("C", "c", mfTableColumn::STRING);

TEST(HtmlDocument, EmptyReportIsACompletePage) {
    EXPECT_TRUE(sameLines(mftest::writeDocument(
                              HTML, [](mfDevice&) {}, mfReportClient(), mfReportHeader(), false),
                          golden("html/empty.html")));
}

TEST(HtmlDocument, ReportWithContentsTableListAndFigure) {
    const auto report = [](mfDevice& d) {
        d.addHeading("Results", 1);
        d.addParagraph("Loads & <b>checks</b>");
        mfTableHeader th("T1", "Member forces", 2);
        th.addNote("ULS only");
        std::unique_ptr<mfTable> t(d.addTable(th));
        if (t) {
            mfTableColumn n("N", "Normal force", mfTableColumn::REAL);
            n.setUnits("kN", 0.001);
            n.setWidth(10, 3, mfTableColumn::FIXED);
            t->addColumn(mfTableColumn("Member", "Member number", mfTableColumn::INTEGER));
            t->addColumn(n);
            t->addColumn(mfTableColumn("Label", "Member label", mfTableColumn::STRING));
            t->begin_table();
            t->begin_record();
            t->insertValue(0, 1);
            t->insertValue(1, 3141.59);
            t->insertValue(2, std::string("a\nb"));
            t->end_record();
            const std::string anchor = "T1";
            t->begin_record();
            t->insertValue(2, std::string("<none>"));
            t->insertValue(0, 2, &anchor);
            t->insertValue(1, 0.0);
            t->end_record();
            t->end_table();
        }
        d.addHeading("Summary", 1);
        d.addList({"Max N", "3.142 kN"}, 2);
        d.addFigure("frame.png", "Figure 1");
    };
    const std::string text = mftest::writeDocument(
        HTML,
        [&](mfDevice& d) {
            d.addParagraph("Contents");
            {
                mfTOCDevice toc(&d);
                report(toc);
            }
            report(d);
        },
        mfReportClient("Frame", "Plane frame analysis", "3.1", "30-NOV-2026"),
        mfReportHeader("Bridge", "Two-span bridge", "bridge.mdl", "AB", "01-DEC-2026"), false);
    EXPECT_TRUE(sameLines(text, golden("html/report.html")));
}

TEST(HtmlDocument, ContentElements) {
    const struct {
        Content write;
        std::string body;
        bool wellFormed = true;
    } cases[] = {
        // Anchored headings; levels outside 1 to 5 are unnumbered h3 elements.
        {[](mfDevice& d) {
             d.addHeading("Results", 1);
             d.addHeading("Loads", 2);
             d.addHeading("Free", 6);
             d.addHeading("Notes", 0);
         },
         "<p><a id=\"1  Results\" /></p>\n<h1>1  Results</h1>\n"
         "<p><a id=\"1.1  Loads\" /></p>\n<h2>1.1  Loads</h2>\n"
         "<p><a id=\"Free\" /></p>\n<h3>Free</h3>\n<p><a id=\"Notes\" /></p>\n<h3>Notes</h3>\n"},
        // Contents lines, indented by six non-breaking spaces per level.
        {[](mfDevice& d) {
             d.addHeadingToTOC("Intro", 0);
             d.addHeadingToTOC("Model", 1);
             d.addHeadingToTOC("Nodes", 2);
         },
         "<br/><a href=\"#Intro\">Intro</a>\n<br/>" + nbsp6 +
             "<a href=\"#1  Model\">1  Model</a>\n" + "<br/>" + nbsp6 + nbsp6 +
             "<a href=\"#1.1  Nodes\">1.1  Nodes</a>\n"},
        // Pairs as a borderless table; an odd count, or style 1, as lines.
        {[](mfDevice& d) {
             d.addList({"a", "1", "b", "2"}, 2);
             d.addList({"x", "y", "z"}, 2);
             d.addList({}, 1);
         },
         R"(<table>
<tr> <td align="left"> a</td>
<td>&nbsp;&nbsp;&nbsp;</td><td align="left"> 1</td></tr>
<tr> <td align="left"> b</td>
<td>&nbsp;&nbsp;&nbsp;</td><td align="left"> 2</td></tr>
</table>
<p>
x<br/>
y<br/>
z<br/>
</p>
<p>
</p>
)"},
        {[](mfDevice& d) { d.addFigure("img/frame.png", "Figure 1: frame"); },
         "<p><img src=\"img/frame.png\" alt=\"img/frame.png\" /></p>\n<p>Figure 1: frame</p>\n"},
        // Caller text goes in unescaped, only repaired to valid UTF-8.
        {[](mfDevice& d) {
             d.addParagraph("a &amp; b <i>c</i> & < \xB5m 20\xB0"
                            "C");
         },
         "<p>a &amp; b <i>c</i> & < \xC2\xB5m 20\xC2\xB0"
         "C</p>\n",
         false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(documentBody(HTML, c.write, c.wellFormed), c.body);
    }
}

TEST(HtmlTable, Tables) {
    const std::vector<mfTableColumn> five(5, intA);
    const struct {
        const char* golden;
        Content write;
    } tables[] = {
        // Without records: the head and one row reading "Empty table".
        {"html/table-empty.html",
         [](mfDevice& d) {
             std::unique_ptr<mfTable> t = makeTable(d, {textC, intA});
             t->begin_table();
             t->end_table();
         }},
        // Header, notes and columns may change until the first record.
        {"html/table-late-head.html",
         [](mfDevice& d) {
             mfTableHeader header("FORCES", "Forces", 2);
             header.addNote("n1");
             std::unique_ptr<mfTable> t(d.addTable(header));
             mfTableColumn f("Force", "force", mfTableColumn::REAL);
             f.setUnits("kN", 1.0);
             t->addColumn(f);
             t->begin_table();
             t->header().addNote("n2");
             t->header().setDescription("Member forces");
             t->addColumn(intA);
             t->begin_record();
             t->end_record();
             t->end_table();
         }},
        // Two cells per output row, continuation rows indented by one cell.
        {"html/table-folded.html",
         [&](mfDevice& d) {
             std::unique_ptr<mfTable> t = makeTable(d, five);
             t->setWrapping(2, 1);
             t->begin_table();
             t->begin_record();
             for (int c = 0; c < 5; ++c) {
                 t->insertValue(c, c);
             }
             t->end_record();
             t->end_table();
         }},
    };
    for (const auto& table : tables) {
        EXPECT_TRUE(sameLines(documentBody(HTML, table.write), golden(table.golden)))
            << table.golden;
    }
}

// The row of one record with `columns`, filled by `fill`.
std::string rowOf(
    const std::vector<mfTableColumn>& columns, const std::function<void(mfTable&)>& fill,
    const std::function<void(mfTable&)>& setup = [](mfTable&) {}) {
    const std::string body = mftest::tableBody(
        HTML, columns,
        [&](mfTable& t) {
            t.begin_record();
            fill(t);
            t.end_record();
        },
        setup);
    return between(body, "  <tbody>\n    <tr> \n", "    </tr> \n  </tbody>\n");
}

TEST(HtmlTable, NumberCells) {
    const std::string anchor = "NODES";
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        mfTableColumn::fmt_type format;
        size_t width;
        double value;
        const std::string* link;
        std::string text;
    } cases[] = {
        {mfTableColumn::FIXED, 10, 3.14159, nullptr, "     3.142"},
        {mfTableColumn::SCIENTIFIC, 10, 3.14159, nullptr, " 3.142E+00"},
        {mfTableColumn::SCIENTIFIC, 10, -31415.9, nullptr, "-3.142E+04"},
        {mfTableColumn::GENERAL, 10, 3.14159, nullptr, "3.14159"},
        {mfTableColumn::GENERAL, 10, 1234567.0, nullptr, "1.23457E+06"},
        {mfTableColumn::FIXED, 10, 123456789.0, nullptr, "123456789.000"},
        {mfTableColumn::SCIENTIFIC, 10, inf, nullptr, "       INF"},
        {mfTableColumn::GENERAL, 10, -inf, nullptr, "-INF"},
        // Zero, negative zero and not-a-number show as "0", unless linked.
        {mfTableColumn::FIXED, 10, 0.0, nullptr, "         0"},
        {mfTableColumn::FIXED, 10, -0.0, nullptr, "         0"},
        {mfTableColumn::SCIENTIFIC, 10, std::nan(""), nullptr, "         0"},
        {mfTableColumn::GENERAL, 10, 0.0, nullptr, "0"},
        {mfTableColumn::FIXED, 10, 0.0, &anchor, "<a href=\"#NODES\">0.000</a>"},
        // With a link the width pads the link's start, not the number.
        {mfTableColumn::FIXED, 14, 2.5, &anchor, "    <a href=\"#NODES\">2.500</a>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rowOf({column("R", mfTableColumn::REAL, c.width, 3, c.format)},
                        [&](mfTable& t) { t.insertValue(0, c.value, c.link); }),
                  "      <td align=\"right\"> " + c.text + "</td>\n");
    }
    // The unit factor applies to reals only; integers ignore the column's
    // format and alignment.
    mfTableColumn mm = column("X", mfTableColumn::REAL, 8, 1, mfTableColumn::FIXED);
    mm.setUnits("mm", 1000.0);
    mfTableColumn count("N", "n", mfTableColumn::STRING);
    count.setUnits("mm", 1000.0);
    const std::string link = "T2";
    EXPECT_EQ(rowOf({mm, count, count},
                    [&](mfTable& t) {
                        t.insertValue(0, 2.5);
                        t.insertValue(1, 7);
                        t.insertValue(2, -7, &link);
                    }),
              "      <td align=\"right\">   2500.0</td>\n      <td align=\"right\"> 7</td> \n"
              "      <td align=\"right\"> <a href=\"#T2\">-7</a></td> \n");
}

TEST(HtmlTable, TextCells) {
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
              "      <td align=\"left\" >a<br/>b<br/>c </td>\n"
              "      <td align=\"center\" >&lt;none&gt; </td>\n"
              "      <td align=\"center\" >&nbsp; </td>\n"
              "      <td align=\"right\" ><a href=\"#T2\">see</a> </td>\n"
              "      <td align=\"left\" >&lt;a\nb&gt; </td>\n"
              "      <td align=\"left\" >5 \xC2\xB5m </td>\n");
}

TEST(HtmlTable, ColumnColourOrTableColour) {
    mfTableColumn green("G", "g", mfTableColumn::STRING);
    green.setBackgroundColor("00FF00");
    const auto cells = [](mfTable& t) {
        t.insertValue(0, 1);
        t.insertValue(1, std::string("x"));
    };
    EXPECT_EQ(rowOf({intA, green, intA}, cells, [](mfTable& t) { t.setBackgroundColor("FFFF00"); }),
              "      <td align=\"right\" bgcolor=\"FFFF00\"> 1</td> \n"
              "      <td align=\"left\"  bgcolor=\"00FF00\">x </td>\n"
              "      <td align=\"right\" bgcolor=\"FFFF00\">&nbsp;</td>\n");
    EXPECT_EQ(rowOf({intA, green, intA}, cells),
              "      <td align=\"right\"> 1</td> \n"
              "      <td align=\"left\"  bgcolor=\"00FF00\">x </td>\n"
              "      <td align=\"right\">&nbsp;</td>\n");
}

} // namespace
