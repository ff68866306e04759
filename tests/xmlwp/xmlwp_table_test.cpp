#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "mfreport/mfreport.h"
#include "recording_device.h"
#include "wp_document.h"

namespace {

using mftest::wpBody;

using TablePtr = std::unique_ptr<mfTable>;

TablePtr makeTable(mfXmlWPDevice& device, const mfTableHeader& header) {
    return TablePtr(device.addTable(header));
}

// The part of `body` from the table's grid table on, up to its end.
std::string gridTable(const std::string& body) {
    const size_t start = body.find("<w:tbl>\n <w:tblPr>\n  <w:tblStyle");
    return start == std::string::npos ? body : body.substr(start);
}

std::string cell(const std::string& align, const std::string& runs) {
    return "  <w:tc><w:p><w:pPr><w:jc w:val=\"" + align + "\"/></w:pPr>" + runs + "</w:p></w:tc>\n";
}
std::string textCell(const std::string& align, const std::string& text) {
    return cell(align, "<w:r><w:t>" + text + "</w:t></w:r>");
}
const std::string blankCell = "  <w:tc><w:p><w:r><w:t> </w:t></w:r></w:p></w:tc>\n";
const std::string recordStart = " <w:tr>\n  <w:trPr><w:tblHeader w:val=\"off\"/></w:trPr>\n";
const std::string tableEnd = "</w:tbl>\n</wx:sub-section>\n\n";

std::string headCell(const std::string& name, const std::string& unitLine = "") {
    return R"(   <w:tc>
     <w:p>
      <w:pPr><w:jc w:val="center"/></w:pPr>
        <w:r><w:rPr><w:b w:val="on"/></w:rPr>
         <w:t>)" +
           name + "</w:t></w:r>\n" + unitLine + "     </w:p>\n   </w:tc>\n";
}

TEST(XmlWPTable, EmptyTableWritesItsHeadAndOneRecord) {
    const std::string body = wpBody("empty-table", [](mfXmlWPDevice& d) {
        TablePtr t = makeTable(d, mfTableHeader("NODES", "Node coordinates", 1));
        mfTableColumn node("Node", "Node number", mfTableColumn::INTEGER);
        node.setWidth(0, 0, mfTableColumn::FIXED);
        mfTableColumn x("X", "Coordinate", mfTableColumn::REAL);
        x.setUnits("mm", 1000.0);
        x.setWidth(10, 1, mfTableColumn::FIXED);
        t->addColumn(node);
        t->addColumn(x);
        EXPECT_TRUE(t->begin_table());
        EXPECT_TRUE(t->end_table());
    });
    EXPECT_EQ(body, R"(<wx:sub-section>
<aml:annotation aml:id="0" w:type="Word.Bookmark.Start" w:name="NODES"/>
<aml:annotation aml:id="0" w:type="Word.Bookmark.End"/>
 <w:p>
  <w:pPr><w:pStyle w:val="Normal"/></w:pPr>
  <w:r><w:t> </w:t></w:r>
 </w:p>
 <w:p>
  <w:pPr>
   <w:pStyle w:val="Heading1"/>
   <w:outlineLvl w:val="1" />
  </w:pPr>
  <w:r><w:t>1  Node coordinates</w:t></w:r>
 </w:p>
<aml:annotation aml:id="0" w:type="Word.Bookmark.Start" w:name="1__Node_coordinates"/>
<aml:annotation aml:id="0" w:type="Word.Bookmark.End"/>
 <w:p>
  <w:pPr><w:pStyle w:val="Normal"/></w:pPr>
  <w:r><w:t> </w:t></w:r>
 </w:p>
)" + mftest::listStart + mftest::singleGrid +
                        mftest::listEnd + R"(<w:tbl>
 <w:tblPr>
  <w:tblStyle w:val="TableGrid"/>
  <w:tblW w:w="0" w:type="auto"/><w:tblLook w:val="01E0"/>
 </w:tblPr>
 <w:tblGrid>
  <w:gridCol w:w="1440"/>
  <w:gridCol w:w="1200"/>
 </w:tblGrid>
 <w:tr>
   <w:trPr><w:tblHeader w:val="on"/></w:trPr>
)" + headCell("Node") + headCell("X", "        <w:br/><w:r><w:t> [mm] </w:t></w:r>\n") +
                        " </w:tr>\n" + recordStart + textCell("right", "Empty table") + blankCell +
                        " </w:tr>\n" + tableEnd);
}

TEST(XmlWPTable, NotesBecomeAListAndTheHeadingCountsOnce) {
    const std::string body = wpBody("notes", [](mfXmlWPDevice& d) {
        mfTableHeader header("LOADS", "Loads", 2);
        header.addNote("Characteristic values.");
        TablePtr t = makeTable(d, header);
        t->header().addNote("Units kN & m.");
        t->addColumn(mfTableColumn("Case", "Load case", mfTableColumn::STRING));
        t->begin_table();
        t->begin_record();
        t->insertValue(0, std::string("G"));
        t->end_record();
        t->end_table();
        d.addHeading("Next", 2);
    });
    EXPECT_NE(body.find(mftest::listStart + mftest::singleGrid +
                        "  <w:tr><w:tc><w:p><w:r><w:t>Characteristic values.</w:t></w:r></w:p>"
                        "</w:tc></w:tr>\n"
                        "  <w:tr><w:tc><w:p><w:r><w:t>Units kN &amp; m.</w:t></w:r></w:p>"
                        "</w:tc></w:tr>\n" +
                        mftest::listEnd + "<w:tbl>\n"),
              std::string::npos)
        << body;
    EXPECT_NE(body.find("<w:t>0.1  Loads</w:t>"), std::string::npos);
    EXPECT_NE(body.find("<w:t>0.2  Next</w:t>"), std::string::npos);
}

TEST(XmlWPTable, NumberFormats) {
    const std::string body = wpBody("numbers", [](mfXmlWPDevice& d) {
        TablePtr t = makeTable(d, mfTableHeader("N", "Numbers", 1));
        mfTableColumn fixed("F", "Fixed", mfTableColumn::REAL);
        fixed.setWidth(8, 2, mfTableColumn::FIXED);
        mfTableColumn sci("S", "Scientific", mfTableColumn::REAL);
        sci.setWidth(12, 3, mfTableColumn::SCIENTIFIC);
        mfTableColumn general("G", "General", mfTableColumn::REAL);
        mfTableColumn scaled("X", "Scaled", mfTableColumn::REAL);
        scaled.setUnits("mm", 1000.0);
        scaled.setWidth(10, 1, mfTableColumn::FIXED);
        t->addColumn(fixed);
        t->addColumn(sci);
        t->addColumn(general);
        t->addColumn(scaled);
        t->addColumn(mfTableColumn("I", "Integer", mfTableColumn::INTEGER));
        t->begin_table();
        const std::string anchor = "N";
        const double rows[][4] = {
            {3.14159, 12345.0, 0.5, 1.5},
            {0.0, -0.0, 1234567.0, -0.0125},
            {std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0, 0.0},
        };
        int id = 42;
        for (const auto& row : rows) {
            t->begin_record();
            for (int c = 0; c < 4; ++c) {
                EXPECT_TRUE(t->insertValue(c, row[c], &anchor));
            }
            EXPECT_TRUE(t->insertValue(4, id++, &anchor));
            t->end_record();
        }
        t->end_table();
    });
    const std::string table = gridTable(body);
    EXPECT_NE(table.find(recordStart + textCell("right", "    3.14") +
                         textCell("right", "   1.234E+04") + textCell("right", "0.5") +
                         textCell("right", "    1500.0") + textCell("right", "42") + " </w:tr>\n"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find(recordStart + textCell("right", "       0") +
                         textCell("right", "           0") + textCell("right", "1.23457E+06") +
                         textCell("right", "     -12.5") + textCell("right", "43") + " </w:tr>\n"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find(recordStart + textCell("right", "       0") +
                         textCell("right", "           0") + textCell("right", "0") +
                         textCell("right", "         0") + textCell("right", "44") + " </w:tr>\n"),
              std::string::npos)
        << table;
    EXPECT_EQ(table.find("hlink"), std::string::npos);
}

TEST(XmlWPTable, WrapWidthFourIndentOneOverSevenColumns) {
    const std::string body = wpBody("wrap", [](mfXmlWPDevice& d) {
        TablePtr t = makeTable(d, mfTableHeader("W", "Wide", 1));
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
    std::string expected = R"(<w:tbl>
 <w:tblPr>
  <w:tblStyle w:val="TableGrid"/>
  <w:tblW w:w="0" w:type="auto"/><w:tblLook w:val="01E0"/>
 </w:tblPr>
 <w:tblGrid>
  <w:gridCol w:w="1440"/>
  <w:gridCol w:w="1440"/>
  <w:gridCol w:w="1440"/>
  <w:gridCol w:w="1440"/>
 </w:tblGrid>
 <w:tr>
   <w:trPr><w:tblHeader w:val="on"/></w:trPr>
)";
    for (int c = 1; c <= 4; ++c) {
        expected += headCell("C" + std::to_string(c));
    }
    expected += R"( </w:tr>
 <w:tr>
  <w:trPr><w:tblHeader w:val="on"/></w:trPr>
   <w:tc>
     <w:p><w:r><w:t> </w:t></w:r></w:p>
   </w:tc>
)";
    for (int c = 5; c <= 7; ++c) {
        expected += headCell("C" + std::to_string(c));
    }
    expected += " </w:tr>\n" + recordStart;
    for (int c = 1; c <= 4; ++c) {
        expected += textCell("left", "v" + std::to_string(c));
    }
    expected += " </w:tr>\n <w:tr>\n" + blankCell;
    for (int c = 5; c <= 7; ++c) {
        expected += textCell("left", "v" + std::to_string(c));
    }
    expected += " </w:tr>\n" + tableEnd;
    EXPECT_EQ(gridTable(body), expected);
}

TEST(XmlWPTable, TextCellsLinksAndLines) {
    const std::string body = wpBody("texts", [](mfXmlWPDevice& d) {
        TablePtr t = makeTable(d, mfTableHeader("T", "Texts", 1));
        mfTableColumn text("Text", "Text", mfTableColumn::STRING);
        t->addColumn(text);
        text.setAdjust(mfTableColumn::CENTER);
        t->addColumn(text);
        text.setAdjust(static_cast<mfTableColumn::adj_type>(7));
        t->addColumn(text);
        text.setAdjust(mfTableColumn::RIGHT);
        t->addColumn(text);
        t->begin_table();
        const std::string anchor = "1_2__Load_cases";
        const std::string quoted = "say \"x\"";
        t->begin_record();
        t->insertValue(0, std::string("first\nsecond\r\nthird"));
        t->insertValue(1, std::string("first\nsecond"), &anchor);
        t->insertValue(2, std::string("<n/a>"));
        t->insertValue(3, std::string("a & b <c"), &quoted);
        t->end_record();
        t->begin_record();
        t->insertValue(0, std::string("<"));
        t->insertValue(1, std::string("<>"));
        t->insertValue(2, std::string("&amp; kept"));
        t->insertValue(3, std::string(""));
        t->end_record();
        t->end_table();
    });
    const std::string table = gridTable(body);
    EXPECT_NE(
        table.find(recordStart +
                   cell("left", "<w:r><w:t>first</w:t></w:r><w:br/><w:r><w:t>second</w:t></w:r>"
                                "<w:br/><w:r><w:t>third</w:t></w:r>") +
                   cell("center", R"(<w:hlink w:bookmark="1_2__Load_cases"><w:r><w:rPr>)"
                                  R"(<w:rStyle w:val="Hyperlink" /></w:rPr><w:t>first)"
                                  "\nsecond</w:t></w:r></w:hlink>") +
                   textCell("center", "&lt;n/a&gt;") +
                   cell("right", R"(<w:hlink w:bookmark="say &quot;x&quot;"><w:r><w:rPr>)"
                                 R"(<w:rStyle w:val="Hyperlink" /></w:rPr><w:t>a &amp; b &lt;c)"
                                 "</w:t></w:r></w:hlink>") +
                   " </w:tr>\n"),
        std::string::npos)
        << table;
    EXPECT_NE(table.find(recordStart + textCell("left", "&lt;") + textCell("center", "&lt;&gt;") +
                         textCell("center", "&amp; kept") + textCell("right", "") + " </w:tr>\n"),
              std::string::npos)
        << table;
}

TEST(XmlWPTable, CellsInColumnOrderAndOutOfRangeColumns) {
    const std::string body = wpBody("order", [](mfXmlWPDevice& d) {
        TablePtr t = makeTable(d, mfTableHeader("O", "Order", 1));
        for (const char* name : {"A", "B", "C"}) {
            t->addColumn(mfTableColumn(name, name, mfTableColumn::INTEGER));
        }
        t->begin_table();
        t->begin_record();
        EXPECT_TRUE(t->insertValue(2, 3));
        EXPECT_TRUE(t->insertValue(0, 1));
        EXPECT_TRUE(t->insertValue(0, 10));
        EXPECT_FALSE(t->insertValue(3, 4));
        EXPECT_FALSE(t->insertValue(-1, std::string("x")));
        EXPECT_FALSE(t->insertValue(99, 1.0));
        EXPECT_TRUE(t->end_record());
        t->insertValue(1, 5);
        EXPECT_TRUE(t->begin_record());
        EXPECT_TRUE(t->end_record());
        EXPECT_TRUE(t->end_table());
    });
    EXPECT_NE(gridTable(body).find(recordStart + textCell("right", "10") + blankCell +
                                   textCell("right", "3") + " </w:tr>\n" + recordStart + blankCell +
                                   blankCell + blankCell + " </w:tr>\n" + tableEnd),
              std::string::npos)
        << body;
}

TEST(XmlWPTable, ColoursLeaveCellsUnshaded) {
    const std::string body = wpBody("shading", [](mfXmlWPDevice& d) {
        TablePtr t = makeTable(d, mfTableHeader("S", "Shaded", 1));
        mfTableColumn plain("P", "Plain", mfTableColumn::INTEGER);
        mfTableColumn own("M", "Own colour", mfTableColumn::INTEGER);
        own.setBackgroundColor("FFF2CC");
        t->addColumn(plain);
        t->addColumn(own);
        t->setBackgroundColor("E8F0FF");
        t->begin_table();
        t->begin_record();
        t->insertValue(0, 1);
        t->end_record();
        t->end_table();
    });
    EXPECT_EQ(body.find("<w:tcPr>"), std::string::npos) << body;
    EXPECT_NE(gridTable(body).find(recordStart +
                                   R"(  <w:tc><w:p><w:pPr><w:jc w:val="right"/></w:pPr><w:r><w:t>1)"
                                   "</w:t></w:r></w:p></w:tc>\n" +
                                   blankCell + " </w:tr>\n"),
              std::string::npos)
        << body;
}

TEST(XmlWPTable, WithoutADocumentDeviceNothingIsWritten) {
    mftest::RecordingDevice other;
    for (mfDevice* device : {static_cast<mfDevice*>(&other), static_cast<mfDevice*>(nullptr)}) {
        mfTableXmlWP t(mfTableHeader("T", "Table", 1), device);
        t.addColumn(mfTableColumn("A", "a", mfTableColumn::STRING));
        EXPECT_FALSE(t.begin_table());
        EXPECT_FALSE(t.begin_record());
        EXPECT_TRUE(t.insertValue(0, std::string("x")));
        EXPECT_FALSE(t.end_record());
        EXPECT_FALSE(t.end_table());
    }
    EXPECT_TRUE(other.calls.empty());
}

} // namespace

namespace {

// Calls out of order still leave a well-formed document (wpBody checks it).
TEST(XmlWPTable, CallsOutOfOrderKeepTheDocumentWellFormed) {
    const std::string never = wpBody("never-begun", [](mfXmlWPDevice& d) {
        TablePtr t = makeTable(d, mfTableHeader("T", "Table", 1));
        t->addColumn(mfTableColumn("A", "a", mfTableColumn::INTEGER));
        EXPECT_TRUE(t->end_table());
    });
    EXPECT_EQ(never, "");

    const std::string twice = wpBody("twice", [](mfXmlWPDevice& d) {
        TablePtr t = makeTable(d, mfTableHeader("T", "Table", 1));
        t->addColumn(mfTableColumn("A", "a", mfTableColumn::INTEGER));
        t->begin_table();
        t->begin_record();
        t->begin_record();
        t->insertValue(0, 1);
        t->end_record();
        t->end_record();
        t->end_table();
        t->end_table();
    });
    EXPECT_TRUE(twice.find(" </w:tr>\n" + recordStart + textCell("right", "1") + " </w:tr>\n" +
                           tableEnd) != std::string::npos)
        << twice;
    EXPECT_EQ(twice.find(tableEnd), twice.size() - tableEnd.size());

    // A table left open is closed when a second table writes its head.
    const std::string open = wpBody("left-open", [](mfXmlWPDevice& d) {
        TablePtr outer = makeTable(d, mfTableHeader("A", "Outer", 1));
        TablePtr inner = makeTable(d, mfTableHeader("B", "Inner", 1));
        outer->addColumn(mfTableColumn("A", "a", mfTableColumn::INTEGER));
        inner->addColumn(mfTableColumn("B", "b", mfTableColumn::INTEGER));
        outer->begin_table();
        outer->begin_record();
        inner->begin_table();
        inner->begin_record();
        EXPECT_FALSE(outer->end_record());
        EXPECT_FALSE(outer->begin_record());
    });
    EXPECT_TRUE(open.find(recordStart + " </w:tr>\n" + tableEnd + "<wx:sub-section>\n") !=
                std::string::npos)
        << open;
    EXPECT_EQ(open.find(recordStart + " </w:tr>\n" + tableEnd, open.find("<wx:sub-section>", 1)),
              open.size() - (recordStart + " </w:tr>\n" + tableEnd).size());
}

} // namespace
