#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "markup_documents.h"
#include "mfreport/markup/logo_png.h"
#include "mfreport/platform/maker.h"

namespace {

using mftest::between;
using mftest::column;
using mftest::Content;
using mftest::documentBody;
using mftest::golden;
using mftest::makeTable;
using mftest::sameLines;
using mftest::splitLines;

constexpr auto XML_WP = mfDevice::XML_WP;

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

TEST(XmlWPSkeleton, EmptyDocumentIsTheDocumentStartAndEnd) {
    EXPECT_TRUE(
        sameLines(mftest::writeDocument(XML_WP, [](mfDevice&) {}), golden("xmlwp/empty.xml")));
}

TEST(XmlWPSkeleton, IdentityTextsKeepTheLayoutAndAreEscaped) {
    const auto document = [](const mfReportClient& client, const mfReportHeader& model) {
        return mftest::writeDocument(
            XML_WP, [](mfDevice&) {}, client, model);
    };
    // The page header is written twice: for odd (all) pages and for the first.
    const std::string empty = document(mfReportClient("", "", "", ""), mfReportHeader());
    EXPECT_EQ(splitLines(empty).size(), splitLines(golden("xmlwp/empty.xml")).size());
    // Program name and version, model name twice, sign, description, date, file name.
    EXPECT_EQ(count(empty, "<w:t></w:t>"), 2 * 8U);

    const std::string escaped =
        document(mfReportClient("R&D <Frame>", "", "1.0 \"beta\"", ""),
                 mfReportHeader("A&amp;B", "x < y > z", "c:\\models\\m&n.mdl", "\x01", ""));
    EXPECT_EQ(count(escaped, "<w:t>R&amp;D &lt;Frame&gt;</w:t>"), 2U);
    EXPECT_EQ(count(escaped, "<w:t>1.0 \"beta\"</w:t>"), 2U);
    EXPECT_EQ(count(escaped, "<w:t>A&amp;B</w:t>"), 4U);
    EXPECT_EQ(count(escaped, "<w:t>x &lt; y &gt; z</w:t>"), 2U);
    EXPECT_EQ(count(escaped, "<w:t>c:\\models\\m&amp;n.mdl</w:t>"), 2U);
    EXPECT_EQ(count(escaped, "<w:t>\xEF\xBF\xBD</w:t>"), 2U);
}

// The page header and footer are written when the document ends, from what
// the device kept when it was built: the caller's records may be gone and the
// clock may have moved on.
TEST(XmlWPSkeleton, PageHeaderAndFooterShowTheIdentityAndTimeOfConstruction) {
    mftest::TempFile file("later.xml");
    std::unique_ptr<mfDevice> device;
    {
        mftest::FixedClock clock(mftest::fixedEpoch);
        const auto model = std::make_unique<mfReportHeader>(mftest::testModel);
        device.reset(mfDevice::createDevice(mftest::testClient, file.path(), XML_WP, *model));
    }
    device->addParagraph("text");
    {
        mftest::FixedClock clock("1796671927"); // a day later
        EXPECT_TRUE(device->close());
    }
    const std::string text = mftest::readFile(file.path());
    EXPECT_EQ(count(text, "<w:t>06-DEC-2026  19:32:07</w:t>"), 2U); // Last saved:
    EXPECT_EQ(count(text, "<w:t>06-DEC-2026 19:32:07</w:t>"), 2U);  // footer
    EXPECT_EQ(count(text, "07-DEC-2026"), 0U);
    EXPECT_EQ(count(text, "<w:t>footbridge-b12.mdl</w:t>"), 2U);
    EXPECT_LT(text.find("text"), text.find("<w:sectPr>"));
}

// Word processors that take no margin from the table style run the values of
// neighbouring cells together, and a heading alone at the foot of a page
// sends its contents entry to the next page.
TEST(XmlWPSkeleton, TablesStateCellMarginsAndHeadingsKeepWithTheNext) {
    const std::string margins = "<w:tblCellMar>\n"
                                "<w:left w:w=\"108\" w:type=\"dxa\"/>\n"
                                "<w:right w:w=\"108\" w:type=\"dxa\"/>\n"
                                "</w:tblCellMar>\n";
    const auto stripped = [](const std::string& text) {
        std::string out;
        for (const std::string& line : splitLines(text)) {
            out += line.substr(std::min(line.find_first_not_of(" \t"), line.size())) + "\n";
        }
        return out;
    };
    const std::string document = stripped(mftest::writeDocument(XML_WP, [](mfDevice& d) {
        d.addList({"a", "b"}, 2);
        std::unique_ptr<mfTable> t = makeTable(d, {column("N", mfTableColumn::REAL)});
        t->begin_table();
        t->end_table();
    }));
    // The page header (for odd and first pages), the list, the table's
    // notes and the table: each states them at the end of its properties.
    EXPECT_EQ(count(document, "<w:tblLayout w:type=\"Fixed\"/>\n" + margins + "</w:tblPr>\n"), 2U);
    EXPECT_EQ(count(document, "</w:tblBorders>\n" + margins + "</w:tblPr>\n"), 2U);
    EXPECT_EQ(count(document, "<w:tblW w:w=\"0\" w:type=\"auto\"/>\n" + margins +
                                  "<w:tblLook w:val=\"01E0\"/>\n</w:tblPr>\n"),
              1U);

    for (const char* style : {"Heading1", "Heading2", "Heading3"}) {
        EXPECT_EQ(count(document, std::string("<w:name w:val=\"") + style +
                                      "\"/>\n<w:pPr><w:keepNext/></w:pPr>\n<w:rPr>\n"),
                  1U)
            << style;
    }
    EXPECT_EQ(count(document, "<w:keepNext/>"), 3U + 1U); // the table's heading
}

// The footer names the maker set when the document was made, escaped.
TEST(XmlWPSkeleton, FooterNamesTheMakerOfConstruction) {
    mftest::TempFile file("maker.xml");
    ASSERT_TRUE(mfreport::setMaker("R&D <Labs>", "RD"));
    std::unique_ptr<mfDevice> device(
        mfDevice::createDevice(mftest::testClient, file.path(), XML_WP, mftest::testModel));
    EXPECT_TRUE(mfreport::setMaker("Later Ltd", "LATER"));
    EXPECT_TRUE(device->close());
    EXPECT_TRUE(mfreport::setMaker(mfreport::Maker().name, mfreport::Maker().suite));
    const std::string text = mftest::readFile(file.path());
    const std::string gap = "  <w:r><w:t>" + std::string(26, ' ') + "</w:t></w:r>\n";
    EXPECT_EQ(count(text, gap + "  <w:r><w:t>R&amp;D &lt;Labs&gt;</w:t></w:r>\n" + gap +
                              "  <w:r><w:t> Page  </w:t></w:r>\n"),
              2U);
    EXPECT_EQ(count(text, "ZEB"), 0U);
    EXPECT_EQ(count(text, "Later"), 0U);
}

uint32_t bigEndian(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
           static_cast<uint32_t>(bytes[2]) << 8 | static_cast<uint32_t>(bytes[3]);
}

uint32_t crc32(const unsigned char* bytes, size_t length) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k) {
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
        }
    }
    return ~crc;
}

TEST(XmlWPSkeleton, LogoIsA91By63RgbPng) {
    const unsigned char* png = mfreport::markup::logoPng;
    const size_t size = mfreport::markup::logoPngSize;
    ASSERT_EQ(size, 1422U);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(png), 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(png) + 12, 4), "IHDR");
    EXPECT_EQ(bigEndian(png + 16), 91U);
    EXPECT_EQ(bigEndian(png + 20), 63U);
    EXPECT_EQ(png[24], 8); // bits per sample
    EXPECT_EQ(png[25], 2); // RGB
    size_t chunk = 8;
    std::string last;
    while (chunk + 12 <= size) {
        const uint32_t length = bigEndian(png + chunk);
        ASSERT_LE(chunk + 12 + length, size);
        last.assign(reinterpret_cast<const char*>(png) + chunk + 4, 4);
        EXPECT_EQ(bigEndian(png + chunk + 8 + length), crc32(png + chunk + 4, length + 4)) << last;
        chunk += 12 + length;
    }
    EXPECT_EQ(chunk, size);
    EXPECT_EQ(last, "IEND");
}

TEST(XmlWPContent, ParagraphPageBreakListsAndFigures) {
    mftest::TempFile image("figure.png");
    mftest::writeFile(image.path(), std::string(57, 'A')); // 76 Base64 characters
    const std::vector<std::string> figure = {"figure", image.path()};
    const auto list = [](const Vector<std::string>& items, int style) {
        return [=](mfDevice& d) { d.addList(items, style); };
    };
    const struct {
        const char* golden;
        Content write;
    } cases[] = {
        {"xmlwp/paragraph.xml",
         [](mfDevice& d) {
             d.addParagraph("Results of the analysis.");
             d.addPageBreak();
             d.beginTOC();
             d.endTOC();
         }},
        {"xmlwp/list-pairs.xml", list({"Steel", "S355", "Chords", "HEA 200"}, 2)},
        {"xmlwp/list-rows.xml", list({"a", "b & c", "d"}, 2)},
        {"xmlwp/list-rows.xml", list({"a", "b & c", "d"}, 1)},
        {"xmlwp/figure.xml", [&](mfDevice& d) { d.addFigure(image.path(), "Elevation"); }},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(
            sameLines(documentBody(XML_WP, c.write), golden(c.golden, {{"figure", image.path()}})))
            << c.golden;
    }
    // An empty list is the table without rows.
    std::string rows;
    for (const std::string& line : splitLines(golden("xmlwp/list-rows.xml"))) {
        rows += line.find("<w:tr>") == std::string::npos ? line + "\n" : "";
    }
    EXPECT_EQ(documentBody(XML_WP, list({}, 1)), rows);
}

TEST(XmlWPContent, FigureBase64LinesAndUnreadableFile) {
    mftest::TempFile image("figure152.png");
    mftest::writeFile(image.path(), std::string(152, 'A'));
    const std::vector<std::string> lines =
        splitLines(documentBody(XML_WP, [&](mfDevice& d) { d.addFigure(image.path(), "Plan"); }));
    ASSERT_GT(lines.size(), 30U);
    EXPECT_EQ(lines[25], "<w:binData w:name=\"http://" + image.path() + "\">");
    EXPECT_EQ(lines[26].size(), 76U);
    EXPECT_EQ(lines[27].size(), 76U);
    EXPECT_EQ(lines[28].size(), 52U);
    EXPECT_EQ(lines[29], "</w:binData>");

    const std::vector<std::string> missing = splitLines(documentBody(
        XML_WP, [](mfDevice& d) { d.addFigure("/nonexistent/plan & \"section\".png", "A < B"); }));
    ASSERT_GT(missing.size(), 40U);
    EXPECT_EQ(missing[25],
              R"(<w:binData w:name="http:///nonexistent/plan &amp; &quot;section&quot;.png">)");
    EXPECT_EQ(missing[26], "");
    EXPECT_EQ(missing[27], "</w:binData>");
    EXPECT_EQ(missing[30], R"(      <v:imagedata src="http:///nonexistent/plan &amp; )"
                           R"(&quot;section&quot;.png" o:title="FolderN" /> )");
    EXPECT_EQ(missing[40],
              R"(  <w:r><w:t>/nonexistent/plan &amp; "section".png : A &lt; B</w:t></w:r>)");
}

TEST(XmlWPContent, HeadingStylesOutlineLevelsAndBookmarks) {
    const std::string blank = " <w:p>\n  <w:pPr><w:pStyle w:val=\"Normal\"/></w:pPr>\n"
                              "  <w:r><w:t> </w:t></w:r>\n </w:p>\n";
    // The blank after a heading keeps with the next paragraph, as the heading
    // keeps with it.
    const std::string kept = " <w:p>\n  <w:pPr><w:pStyle w:val=\"Normal\"/><w:keepNext/></w:pPr>\n"
                             "  <w:r><w:t> </w:t></w:r>\n </w:p>\n";
    // Each bookmark has an id of its own, counted in document order.
    int id = 0;
    const auto heading = [&](const std::string& style, const std::string& outline,
                             const std::string& text, const std::string& bookmark) {
        const std::string n = std::to_string(++id);
        return blank + " <w:p>\n  <w:pPr>\n   <w:pStyle w:val=\"Heading" + style + "\"/>\n" +
               (outline.empty() ? "" : "   <w:outlineLvl w:val=\"" + outline + "\" />\n") +
               "  </w:pPr>\n  <w:r><w:t>" + text + "</w:t></w:r>\n </w:p>\n" +
               "<aml:annotation aml:id=\"" + n + "\" w:type=\"Word.Bookmark.Start\" w:name=\"" +
               bookmark + "\"/>\n<aml:annotation aml:id=\"" + n +
               "\" w:type=\"Word.Bookmark.End\"/>\n" + kept;
    };
    std::string expected = heading("1", "1", "1  Loads", "1__Loads");
    expected += heading("2", "2", "1.1  Load cases", "1_1__Load_cases");
    expected += heading("3", "", "Appendix", "Appendix");
    expected += heading("3", "4", "1.1.0.1  Deep", "1_1_0_1__Deep");
    expected += heading("3", "5", "1.1.0.1.1  Deeper", "1_1_0_1_1__Deeper");
    expected += heading("3", "", "Free", "Free");
    expected += heading("3", "3", "1.1.1  Forces/moments - ULS", "1_1_1__Forces_moments___ULS");
    EXPECT_EQ(documentBody(XML_WP,
                           [](mfDevice& d) {
                               d.addHeading("Loads", 1);
                               d.addHeading("Load cases", 2);
                               d.addHeading("Appendix", 0);
                               d.addHeading("Deep", 4);
                               d.addHeading("Deeper", 5);
                               d.addHeading("Free", -1);
                               d.addHeading("Forces/moments - ULS", 3);
                           }),
              expected);
}

TEST(XmlWPContent, ContentsEntriesLinkToTheHeadingBookmarks) {
    const auto headings = [](mfDevice& d) {
        d.addHeading("Model", 1);
        d.addHeading("Loads & \"<forces>\"", 1);
        d.addHeading("Forces/moments - ULS", 2);
    };
    const std::string body = documentBody(XML_WP, [&](mfDevice& d) {
        d.beginTOC();
        {
            mfTOCDevice contents(&d);
            headings(contents);
        }
        d.endTOC();
        headings(d);
    });
    EXPECT_NE(
        body.find(
            R"(<w:p> <w:pPr> <w:pStyle w:val="TextParagraph"/> <w:tabs> <w:tab w:val="right" w:leader="dot" w:pos="9350" /> </w:tabs> </w:pPr>
<w:r> <w:t> <w:rPr><w:rStyle w:val="Hyperlink" /></w:rPr>2.1  Forces/moments - ULS</w:t> </w:r>
<w:r> <w:tab /> </w:r>
<w:hlink w:bookmark="2_1__Forces_moments___ULS"> <w:fldSimple w:instr="PAGEREF 2_1__Forces_moments___ULS \* MERGEFORMAT">
<w:r> <w:t>0</w:t> </w:r> </w:fldSimple> </w:hlink> </w:p>
<w:p> <w:r> <w:fldChar w:fldCharType="end" /> </w:r> </w:p>
)"),
        std::string::npos)
        << body;
    EXPECT_EQ(count(body, "<w:t>2  Loads &amp; \"&lt;forces&gt;\"</w:t>"), 1U);
    for (const char* name :
         {"1__Model", "2__Loads_&amp;_&quot;&lt;forces&gt;&quot;", "2_1__Forces_moments___ULS"}) {
        EXPECT_EQ(count(body, std::string("<w:hlink w:bookmark=\"") + name + "\">"), 1U);
        EXPECT_EQ(count(body, std::string("w:instr=\"PAGEREF ") + name + " \\* MERGEFORMAT\">"),
                  1U);
        EXPECT_EQ(count(body, std::string("w:name=\"") + name + "\"/>"), 1U);
    }
}

const std::string recordStart = " <w:tr>\n  <w:trPr><w:tblHeader w:val=\"off\"/></w:trPr>\n";

std::string cell(const std::string& align, const std::string& runs) {
    return "  <w:tc><w:p><w:pPr><w:jc w:val=\"" + align + "\"/></w:pPr>" + runs + "</w:p></w:tc>\n";
}
std::string textCell(const std::string& align, const std::string& text) {
    return cell(align, "<w:r><w:t>" + text + "</w:t></w:r>");
}

TEST(XmlWPTable, Tables) {
    EXPECT_TRUE(sameLines(
        documentBody(XML_WP,
                     [](mfDevice& d) {
                         mfTableColumn node("Node", "Node number", mfTableColumn::INTEGER);
                         node.setWidth(0, 0, mfTableColumn::FIXED);
                         mfTableColumn x =
                             column("X", mfTableColumn::REAL, 10, 1, mfTableColumn::FIXED);
                         x.setUnits("mm", 1000.0);
                         std::unique_ptr<mfTable> t(
                             d.addTable(mfTableHeader("NODES", "Node coordinates", 1)));
                         t->addColumn(node);
                         t->addColumn(x);
                         t->begin_table();
                         t->end_table();
                     }),
        golden("xmlwp/table-empty.xml")));

    // Four cells per row, continuation rows indented by one; the grid holds four.
    const std::string folded = documentBody(XML_WP, [](mfDevice& d) {
        std::unique_ptr<mfTable> t = makeTable(d, {});
        for (int c = 1; c <= 7; ++c) {
            t->addColumn(mfTableColumn("C" + std::to_string(c), "Column", mfTableColumn::STRING));
        }
        t->setWrapping(4, 1);
        t->begin_table();
        t->begin_record();
        for (int c = 0; c < 7; ++c) {
            t->insertValue(c, "v" + std::to_string(c + 1));
        }
        t->end_record();
        t->end_table();
    });
    EXPECT_TRUE(sameLines(folded.substr(folded.find("<w:tbl>\n <w:tblPr>\n  <w:tblStyle")),
                          golden("xmlwp/table-folded.xml")));
}

TEST(XmlWPTable, NotesBecomeAListAndTheHeadingCountsOnce) {
    const std::string body = documentBody(XML_WP, [](mfDevice& d) {
        mfTableHeader header("LOADS", "Loads", 2);
        header.addNote("Characteristic values.");
        std::unique_ptr<mfTable> t(d.addTable(header));
        t->header().addNote("Units kN & m.");
        t->addColumn(mfTableColumn("Case", "Load case", mfTableColumn::STRING));
        t->begin_table();
        t->begin_record();
        t->end_record();
        t->end_table();
        d.addHeading("Next", 2);
    });
    EXPECT_NE(body.find("  <w:tr><w:tc><w:p><w:r><w:t>Characteristic values.</w:t></w:r></w:p>"
                        "</w:tc></w:tr>\n"
                        "  <w:tr><w:tc><w:p><w:r><w:t>Units kN &amp; m.</w:t></w:r></w:p>"
                        "</w:tc></w:tr>\n"),
              std::string::npos)
        << body;
    EXPECT_NE(body.find("<w:t>0.1  Loads</w:t>"), std::string::npos);
    EXPECT_NE(body.find("<w:t>0.2  Next</w:t>"), std::string::npos);
}

// The record rows of a table with `columns` filled by `fill`.
std::string rowsOf(const std::vector<mfTableColumn>& columns,
                   const std::function<void(mfTable&)>& fill) {
    return between(mftest::tableBody(XML_WP, columns, fill),
                   "<w:tblHeader w:val=\"on\"/></w:trPr>\n", "</w:tbl>\n");
}

TEST(XmlWPTable, NumberCells) {
    mfTableColumn scaled = column("X", mfTableColumn::REAL, 10, 1, mfTableColumn::FIXED);
    scaled.setUnits("mm", 1000.0);
    const std::vector<mfTableColumn> columns = {
        column("F", mfTableColumn::REAL, 8, 2, mfTableColumn::FIXED),
        column("S", mfTableColumn::REAL, 12, 3, mfTableColumn::SCIENTIFIC),
        column("G", mfTableColumn::REAL), scaled, column("I", mfTableColumn::STRING)};
    const std::string rows = rowsOf(columns, [](mfTable& t) {
        const std::string anchor = "N"; // numbers carry no link
        const double values[][4] = {
            {3.14159, 12345.0, 0.5, 1.5},
            {0.0, -0.0, 1234567.0, -0.0125},
            {std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0, 0.0},
        };
        int id = 42;
        for (const auto& row : values) {
            t.begin_record();
            for (int c = 0; c < 4; ++c) {
                t.insertValue(c, row[c], &anchor);
            }
            t.insertValue(4, id++, &anchor);
            t.end_record();
        }
    });
    EXPECT_TRUE(sameLines(
        rows.substr(rows.find(recordStart)),
        recordStart + textCell("right", "    3.14") + textCell("right", "   1.234E+04") +
            textCell("right", "0.5") + textCell("right", "    1500.0") + textCell("left", "42") +
            " </w:tr>\n" + recordStart + textCell("right", "       0") +
            textCell("right", "           0") + textCell("right", "1.23457E+06") +
            textCell("right", "     -12.5") + textCell("left", "43") + " </w:tr>\n" + recordStart +
            textCell("right", "       0") + textCell("right", "           0") +
            textCell("right", "0") + textCell("right", "         0") + textCell("left", "44") +
            " </w:tr>\n"));
}

TEST(XmlWPTable, TextCellsLinksAndLines) {
    mfTableColumn text("Text", "Text", mfTableColumn::STRING);
    std::vector<mfTableColumn> columns(4, text);
    columns[1].setAdjust(mfTableColumn::CENTER);
    columns[2].setAdjust(static_cast<mfTableColumn::adj_type>(7));
    columns[3].setAdjust(mfTableColumn::RIGHT);
    columns[3].setBackgroundColor("FFF2CC"); // no shading
    const std::string rows = rowsOf(columns, [](mfTable& t) {
        t.setBackgroundColor("E8F0FF");
        const std::string anchor = "1_2__Load_cases";
        const std::string quoted = "say \"x\"";
        t.begin_record();
        t.insertValue(0, std::string("first\nsecond"));
        t.insertValue(1, std::string("first\nsecond"), &anchor);
        t.insertValue(2, std::string("<n/a>"));
        t.insertValue(3, std::string("a & b <c"), &quoted);
        t.end_record();
        t.begin_record();
        t.insertValue(0, std::string("<"));
        t.insertValue(1, std::string("<>"));
        t.insertValue(2, std::string("&amp;\r\nkept\rnow"));
        t.insertValue(3, std::string(""));
        t.end_record();
    });
    const std::string link = R"(<w:r><w:rPr><w:rStyle w:val="Hyperlink" /></w:rPr><w:t>)";
    EXPECT_TRUE(sameLines(
        rows.substr(rows.find(recordStart)),
        recordStart +
            cell("left", "<w:r><w:t>first</w:t></w:r><w:br/><w:r><w:t>second</w:t></w:r>") +
            cell("center", R"(<w:hlink w:bookmark="1_2__Load_cases">)" + link +
                               "first\nsecond</w:t></w:r></w:hlink>") +
            textCell("center", "&lt;n/a&gt;") +
            cell("right", R"(<w:hlink w:bookmark="say &quot;x&quot;">)" + link +
                              "a &amp; b &lt;c</w:t></w:r></w:hlink>") +
            " </w:tr>\n" + recordStart + textCell("left", "&lt;") + textCell("center", "&lt;&gt;") +
            cell("center", "<w:r><w:t>&amp;</w:t></w:r><w:br/><w:r><w:t>kept</w:t></w:r>"
                           "<w:br/><w:r><w:t>now</w:t></w:r>") +
            textCell("right", "") + " </w:tr>\n"));
}

} // namespace
