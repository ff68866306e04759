#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <locale>
#include <memory>
#include <utility>
#include <vector>

#include "mfreport/mfreport.h"
#include "recording_device.h"
#include "xmlss_test_util.h"

namespace {

using mftest::writeSheets;

mfTableColumn column(const std::string& name, mfTableColumn::col_type type, size_t width = 12,
                     size_t decimals = 4, mfTableColumn::fmt_type format = mfTableColumn::GENERAL) {
    mfTableColumn c(name, name, type);
    c.setWidth(width, decimals, format);
    return c;
}

std::unique_ptr<mfTable> makeTable(mfDevice& device, const std::vector<mfTableColumn>& columns,
                                   const std::string& name = "T") {
    std::unique_ptr<mfTable> table(device.addTable(mfTableHeader(name, "Table", 1)));
    for (const mfTableColumn& c : columns) {
        table->addColumn(c);
    }
    return table;
}

// The records of the one worksheet in `sheets`: from the first record's row
// start to the last record's row end.
std::string records(const std::string& sheets) {
    const size_t from = sheets.find("\n <Row>\n");
    const size_t to = sheets.find("</Table>\n");
    if (from == std::string::npos || to == std::string::npos) {
        ADD_FAILURE() << "no records in:\n" << sheets;
        return {};
    }
    return sheets.substr(from + 1, to - from - 1);
}

// One record per value in a one-column table of the given column.
template <class T>
std::string cellsOf(const mfTableColumn& c, const std::vector<T>& values) {
    return records(writeSheets([&](mfXmlSSDevice& d) {
        auto table = makeTable(d, {c});
        table->begin_table();
        for (const T& value : values) {
            table->begin_record();
            EXPECT_TRUE(table->insertValue(0, value));
            table->end_record();
        }
        table->end_table();
    }));
}

TEST(XmlSSWorksheet, ForcesExample) {
    const std::string sheets = writeSheets([](mfXmlSSDevice& d) {
        mfTableColumn load("Load", "Load", mfTableColumn::REAL);
        load.setUnits("kN", 1.0);
        load.setWidth(12, 2, mfTableColumn::FIXED);
        auto table =
            makeTable(d, {mfTableColumn("Node", "Node", mfTableColumn::STRING), load}, "Forces");
        EXPECT_TRUE(table->begin_table());
        EXPECT_TRUE(table->begin_record());
        EXPECT_TRUE(table->insertValue(0, std::string("N1")));
        EXPECT_TRUE(table->insertValue(1, 12.5));
        EXPECT_TRUE(table->end_record());
        EXPECT_TRUE(table->end_table());
    });
    EXPECT_EQ(sheets, R"(<Worksheet ss:Name="Forces">
 <Names>
   <NamedRange ss:Name="Print_Titles" ss:RefersTo="=Forces!R1"/>
 </Names>
 <Table>
    <Column ss:Width="72"/>
    <Column ss:Width="72"/>
  <Row>
    <Cell ss:StyleID="HeaderStyle"><Data ss:Type="String">Node</Data></Cell>
    <Cell ss:StyleID="HeaderStyle"><Data ss:Type="String">Load [kN]</Data></Cell>
  </Row>
 <Row>
    <Cell><Data ss:Type="String">N1</Data></Cell>
    <Cell ss:StyleID="FixedDecimal2"><Data ss:Type="Number">1.2500000000000000E+01</Data></Cell>
  </Row></Table>
</Worksheet>

)");
}

TEST(XmlSSWorksheet, WidthsEscapedNamesAndAnEmptyRecord) {
    const std::string sheets = writeSheets([](mfXmlSSDevice& d) {
        mfTableColumn unit = column("A&B", mfTableColumn::REAL, 10);
        unit.setUnits("\xB5m", 1e-6); // Latin-1 micro sign
        const size_t negative = static_cast<size_t>(-3);
        auto table = makeTable(d,
                               {column("w0", mfTableColumn::STRING, 0), unit,
                                column("<n>", mfTableColumn::STRING, negative)},
                               "Q\"1&2<3>");
        table->begin_table();
        table->begin_record();
        table->end_record();
        table->end_table();
    });
    EXPECT_EQ(sheets, R"(<Worksheet ss:Name="Q&quot;1&amp;2&lt;3&gt;">
 <Names>
   <NamedRange ss:Name="Print_Titles" ss:RefersTo="=Q&quot;1&amp;2&lt;3&gt;!R1"/>
 </Names>
 <Table>
    <Column ss:Width="72"/>
    <Column ss:Width="60"/>
    <Column ss:Width="72"/>
  <Row>
    <Cell ss:StyleID="HeaderStyle"><Data ss:Type="String">w0</Data></Cell>
    <Cell ss:StyleID="HeaderStyle"><Data ss:Type="String">A&amp;B [µm]</Data></Cell>
    <Cell ss:StyleID="HeaderStyle"><Data ss:Type="String">&lt;n&gt;</Data></Cell>
  </Row>
 <Row>
    <Cell><Data ss:Type="String"> </Data></Cell>
    <Cell><Data ss:Type="String"> </Data></Cell>
    <Cell><Data ss:Type="String"> </Data></Cell>
  </Row></Table>
</Worksheet>

)");
}

TEST(XmlSSWorksheet, DoublesAreScientificAndStyledByFormatAndDecimals) {
    const std::string rows = records(writeSheets([](mfXmlSSDevice& d) {
        mfTableColumn milli = column("mm", mfTableColumn::REAL, 12, 1, mfTableColumn::FIXED);
        milli.setUnits("mm", 1000.0);
        auto table =
            makeTable(d, {column("g", mfTableColumn::REAL), // GENERAL, 4 decimals
                          column("f0", mfTableColumn::REAL, 12, 0, mfTableColumn::FIXED),
                          column("f9", mfTableColumn::REAL, 12, 9, mfTableColumn::FIXED),
                          column("f10", mfTableColumn::REAL, 12, 10, mfTableColumn::FIXED),
                          column("e3", mfTableColumn::REAL, 12, 3, mfTableColumn::SCIENTIFIC),
                          column("e10", mfTableColumn::REAL, 12, 10, mfTableColumn::SCIENTIFIC),
                          column("s", mfTableColumn::STRING, 12, 2, mfTableColumn::FIXED), milli});
        table->begin_table();
        table->begin_record();
        const double values[] = {1234.5, -0.25, 0.0, 1e100, 1e-100, 7.0, 2.5, 0.0125};
        for (int i = 0; i < 8; ++i) {
            table->insertValue(i, values[i]);
        }
        table->end_record();
        table->end_table();
    }));
    EXPECT_EQ(rows, R"( <Row>
    <Cell ss:StyleID="Default"><Data ss:Type="Number">1.2345000000000000E+03</Data></Cell>
    <Cell ss:StyleID="FixedDecimal0"><Data ss:Type="Number">-2.5000000000000000E-01</Data></Cell>
    <Cell ss:StyleID="FixedDecimal9"><Data ss:Type="Number">0.0000000000000000E+00</Data></Cell>
    <Cell ss:StyleID="Default"><Data ss:Type="Number">1.0000000000000000E+100</Data></Cell>
    <Cell ss:StyleID="ExponentDecimal3"><Data ss:Type="Number">1.0000000000000000E-100</Data></Cell>
    <Cell ss:StyleID="Default"><Data ss:Type="Number">7.0000000000000000E+00</Data></Cell>
    <Cell ss:StyleID="FixedDecimal2"><Data ss:Type="Number">2.5000000000000000E+00</Data></Cell>
    <Cell ss:StyleID="FixedDecimal1"><Data ss:Type="Number">1.2500000000000000E+01</Data></Cell>
  </Row>)");
}

TEST(XmlSSWorksheet, NonFiniteDoublesAreStringCells) {
    mfTableColumn scaled = column("x", mfTableColumn::REAL, 12, 2, mfTableColumn::FIXED);
    scaled.setUnits("x", 10.0);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(cellsOf(scaled, std::vector<double>{inf, -inf, std::nan(""), 1e308}),
              R"( <Row>
    <Cell><Data ss:Type="String">INF</Data></Cell>
  </Row> <Row>
    <Cell><Data ss:Type="String">-INF</Data></Cell>
  </Row> <Row>
    <Cell><Data ss:Type="String">NAN</Data></Cell>
  </Row> <Row>
    <Cell><Data ss:Type="String">INF</Data></Cell>
  </Row>)");
}

// A decimal comma in the program's locale must not reach the workbook.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(XmlSSWorksheet, NumbersIgnoreTheCallersLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    const std::string rows =
        cellsOf(column("x", mfTableColumn::REAL), std::vector<double>{12345678.5});
    std::locale::global(previous);
    EXPECT_EQ(rows, R"( <Row>
    <Cell ss:StyleID="Default"><Data ss:Type="Number">1.2345678500000000E+07</Data></Cell>
  </Row>)");
}

TEST(XmlSSWorksheet, RealColumnTexts) {
    const auto texts = std::vector<std::string>{"   3.5", "Inf", "  -NaN", "inf", "<none>", "   "};
    EXPECT_EQ(cellsOf(column("x", mfTableColumn::REAL, 12, 2, mfTableColumn::FIXED), texts),
              R"( <Row>
    <Cell ss:StyleID="FixedDecimal2"> <Data ss:Type="Number">3.5</Data></Cell>
  </Row> <Row>
    <Cell><Data ss:Type="String">Inf</Data></Cell>
  </Row> <Row>
    <Cell><Data ss:Type="String">-NaN</Data></Cell>
  </Row> <Row>
    <Cell ss:StyleID="FixedDecimal2"> <Data ss:Type="Number">inf</Data></Cell>
  </Row> <Row>
    <Cell ss:StyleID="FixedDecimal2"> <Data ss:Type="Number">&lt;none&gt;</Data></Cell>
  </Row> <Row>
    <Cell ss:StyleID="FixedDecimal2"> <Data ss:Type="Number"></Data></Cell>
  </Row>)");
    EXPECT_EQ(cellsOf(column("x", mfTableColumn::REAL, 12, 12, mfTableColumn::SCIENTIFIC),
                      std::vector<std::string>{" 2.5e3"}),
              R"( <Row>
    <Cell ss:StyleID="Default"> <Data ss:Type="Number">2.5e3</Data></Cell>
  </Row>)");
}

TEST(XmlSSWorksheet, IntegerColumnTextsAreNumbersAsPassed) {
    EXPECT_EQ(cellsOf(column("n", mfTableColumn::INTEGER, 12, 2, mfTableColumn::FIXED),
                      std::vector<std::string>{"  42", "1&2"}),
              R"( <Row>
    <Cell><Data ss:Type="Number">  42</Data></Cell>
  </Row> <Row>
    <Cell><Data ss:Type="Number">1&amp;2</Data></Cell>
  </Row>)");
}

TEST(XmlSSWorksheet, StringTextsAreEscaped) {
    const std::pair<std::string, std::string> cases[] = {
        {"<none>", "&lt;none&gt;"},
        {"a<b", "a&lt;b"},
        {"<", "&lt;"},
        {"A&B", "A&amp;B"},
        {"&amp; &#181; &#0;", "&amp; &#181; &amp;#0;"},
        {"x\x01y\x1Fz", "x\uFFFDy\uFFFDz"}, // control characters
        {"\xB5m 20\xB0"
         "C",
         "µm 20°C"}, // Latin-1 bytes
        {"µm 20°C", "µm 20°C"},
        {"<a&b>", "&lt;a&amp;b&gt;"},
        {"say \"hi\" > 1", "say \"hi\" &gt; 1"},
        {"", ""},
    };
    for (const auto& [text, written] : cases) {
        EXPECT_EQ(cellsOf(column("s", mfTableColumn::STRING), std::vector<std::string>{text}),
                  " <Row>\n    <Cell><Data ss:Type=\"String\">" + written +
                      "</Data></Cell>\n  </Row>")
            << text;
    }
}

TEST(XmlSSWorksheet, IntegersAreUnstyledNumbersWhateverTheColumn) {
    for (const mfTableColumn& c :
         {column("f", mfTableColumn::REAL, 12, 2, mfTableColumn::FIXED),
          column("e", mfTableColumn::REAL, 12, 3, mfTableColumn::SCIENTIFIC),
          column("s", mfTableColumn::STRING)}) {
        EXPECT_EQ(cellsOf(c, std::vector<int>{7, INT_MIN}), R"( <Row>
    <Cell><Data ss:Type="Number">7</Data></Cell>
  </Row> <Row>
    <Cell><Data ss:Type="Number">-2147483648</Data></Cell>
  </Row>)");
    }
}

TEST(XmlSSWorksheet, RecordsAreWrittenInColumnOrder) {
    const std::string rows = records(writeSheets([](mfXmlSSDevice& d) {
        auto table =
            makeTable(d, {column("a", mfTableColumn::STRING), column("b", mfTableColumn::STRING),
                          column("c", mfTableColumn::INTEGER)});
        table->begin_table();
        table->insertValue(1, std::string("before the first record"));
        table->begin_record();
        const std::string anchor = "NODES";
        EXPECT_TRUE(table->insertValue(2, 5, &anchor)); // links are ignored
        EXPECT_TRUE(table->insertValue(0, std::string("first")));
        EXPECT_TRUE(table->insertValue(0, std::string("second")));
        EXPECT_FALSE(table->insertValue(3, 9));
        EXPECT_FALSE(table->insertValue(-1, 1.0));
        EXPECT_FALSE(table->insertValue(INT_MAX, std::string("x")));
        table->end_record();
        table->insertValue(0, std::string("between records"));
        table->begin_record();
        table->insertValue(1, std::string("b"));
        table->end_record();
        table->end_table();
    }));
    EXPECT_EQ(rows, R"( <Row>
    <Cell><Data ss:Type="String">second</Data></Cell>
    <Cell><Data ss:Type="String"> </Data></Cell>
    <Cell><Data ss:Type="Number">5</Data></Cell>
  </Row> <Row>
    <Cell><Data ss:Type="String"> </Data></Cell>
    <Cell><Data ss:Type="String">b</Data></Cell>
    <Cell><Data ss:Type="String"> </Data></Cell>
  </Row>)");
}

// A record of one number cell.
std::string numberRow(int value) {
    return " <Row>\n    <Cell><Data ss:Type=\"Number\">" + std::to_string(value) +
           "</Data></Cell>\n  </Row>";
}

// The worksheet of a one-column table "name" (column n) with the given records.
std::string sheetOf(const std::string& name, const std::string& records) {
    return "<Worksheet ss:Name=\"" + name + "\">\n <Names>\n" +
           "   <NamedRange ss:Name=\"Print_Titles\" ss:RefersTo=\"=" + name + "!R1\"/>\n" +
           " </Names>\n <Table>\n    <Column ss:Width=\"72\"/>\n  <Row>\n" +
           "    <Cell ss:StyleID=\"HeaderStyle\"><Data ss:Type=\"String\">n</Data></Cell>\n" +
           "  </Row>\n" + records + "</Table>\n</Worksheet>\n\n";
}

void oneRecordTable(mfDevice& d, const std::string& name, int value) {
    auto table = makeTable(d, {column("n", mfTableColumn::INTEGER)}, name);
    table->begin_table();
    table->begin_record();
    table->insertValue(0, value);
    table->end_record();
    table->end_table();
}

TEST(XmlSSWorksheet, TablesFollowEachOtherAndMayShareAName) {
    const std::string sheets = writeSheets([](mfXmlSSDevice& d) {
        oneRecordTable(d, "Same name", 1);
        auto empty = makeTable(d, {column("n", mfTableColumn::INTEGER)}, "Empty");
        EXPECT_TRUE(empty->begin_table());
        EXPECT_TRUE(empty->end_table());
        oneRecordTable(d, "Same name", 2);
    });
    EXPECT_EQ(sheets, sheetOf("Same name", numberRow(1)) + sheetOf("Same name", numberRow(2)));
}

// Calls out of order get false where nothing could be written, and the
// workbook stays well-formed whatever happens (writeSheets checks it).
TEST(XmlSSWorksheet, CallsOutOfOrderKeepTheWorkbookWellFormed) {
    EXPECT_EQ(writeSheets([](mfXmlSSDevice& d) {
                  auto table = makeTable(d, {column("n", mfTableColumn::INTEGER)});
                  EXPECT_FALSE(table->begin_record()); // never begun
                  EXPECT_FALSE(table->end_record());
                  EXPECT_TRUE(table->end_table());
              }),
              "");

    // A record begun twice is one row; end_table writes a record left open;
    // a second end_table and a record after the end write nothing.
    EXPECT_EQ(writeSheets([](mfXmlSSDevice& d) {
                  auto table = makeTable(d, {column("n", mfTableColumn::INTEGER)}, "A");
                  table->begin_table();
                  table->begin_record();
                  table->insertValue(0, 9);
                  EXPECT_TRUE(table->begin_record());
                  table->insertValue(0, 1);
                  EXPECT_TRUE(table->end_table());
                  EXPECT_TRUE(table->end_table());
                  EXPECT_FALSE(table->begin_record());
                  EXPECT_FALSE(table->end_record());
              }),
              sheetOf("A", numberRow(1)));

    // begin_table again closes the worksheet that is open.
    EXPECT_EQ(writeSheets([](mfXmlSSDevice& d) {
                  auto table = makeTable(d, {column("n", mfTableColumn::INTEGER)}, "A");
                  table->begin_table();
                  table->begin_record();
                  table->insertValue(0, 1);
                  table->end_record();
                  EXPECT_TRUE(table->begin_table());
                  table->begin_record();
                  table->insertValue(0, 2);
                  table->end_record();
                  table->end_table();
              }),
              sheetOf("A", numberRow(1)) + sheetOf("A", numberRow(2)));

    // A table deleted in the middle of a record: the device closes its worksheet.
    EXPECT_EQ(writeSheets([](mfXmlSSDevice& d) {
                  auto table = makeTable(d, {column("n", mfTableColumn::INTEGER)}, "A");
                  table->begin_table();
                  table->begin_record();
                  table->insertValue(0, 1);
              }),
              sheetOf("A", " <Row>\n  </Row>"));

    // A second table that starts while the first is in a record closes the
    // first one's worksheet; the first table's later calls write nothing.
    EXPECT_EQ(writeSheets([](mfXmlSSDevice& d) {
                  auto a = makeTable(d, {column("n", mfTableColumn::INTEGER)}, "A");
                  auto b = makeTable(d, {column("n", mfTableColumn::INTEGER)}, "B");
                  a->begin_table();
                  EXPECT_TRUE(a->begin_record());
                  a->insertValue(0, 1);
                  EXPECT_TRUE(a->end_record());
                  EXPECT_TRUE(a->begin_record());
                  b->begin_table();
                  EXPECT_TRUE(b->begin_record());
                  EXPECT_FALSE(a->end_record());
                  b->insertValue(0, 2);
                  EXPECT_TRUE(b->end_record());
                  EXPECT_TRUE(a->end_table());
                  EXPECT_TRUE(b->end_table());
              }),
              sheetOf("A", numberRow(1) + " <Row>\n  </Row>") + sheetOf("B", numberRow(2)));
}

TEST(XmlSSWorksheet, OnAnotherDeviceEveryOperationAnswersFalse) {
    mftest::RecordingDevice other;
    mfTableXmlSS table(mfTableHeader("T", "Table", 1), &other);
    table.addColumn(column("n", mfTableColumn::INTEGER));
    EXPECT_FALSE(table.begin_table());
    EXPECT_FALSE(table.begin_record());
    EXPECT_FALSE(table.end_record());
    EXPECT_FALSE(table.end_table());
    EXPECT_TRUE(other.calls.empty());
}

} // namespace
