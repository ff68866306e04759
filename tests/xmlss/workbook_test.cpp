#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "mfreport/mfreport.h"
#include "test_env.h"
#include "xml_check.h"
#include "xmlss_test_util.h"

namespace {

// A workbook without tables: prologue, fixed styles, the twenty number
// styles, the end of the style sheet and the end of the workbook.
constexpr const char* emptyWorkbook = R"(<?xml version="1.0"?>
<?mso-application progid="Excel.Sheet"?>
<Workbook xmlns="urn:schemas-microsoft-com:office:spreadsheet"
xmlns:o="urn:schemas-microsoft-com:office:office"
xmlns:x="urn:schemas-microsoft-com:office:excel"
xmlns:ss="urn:schemas-microsoft-com:office:spreadsheet"
xmlns:html="http://www.w3.org/TR/REC-html40">
<Styles>
  <Style ss:ID="Default" ss:Name="Normal">
    <Alignment ss:Vertical="Bottom"/>
    <Borders/>
    <Font/>
    <Interior/>
    <NumberFormat/>
    <Protection/>
  </Style>
  <Style ss:ID="HeaderStyle">
    <Font ss:Bold="1"/>
    <Interior  ss:Color="#C0C0C0" ss:Pattern="Solid"/>
  </Style>
  <Style ss:ID="FixedDecimal0">
     <NumberFormat ss:Format="0."/>
  </Style>
  <Style ss:ID="FixedDecimal1">
     <NumberFormat ss:Format="0.0"/>
  </Style>
  <Style ss:ID="FixedDecimal2">
     <NumberFormat ss:Format="0.00"/>
  </Style>
  <Style ss:ID="FixedDecimal3">
     <NumberFormat ss:Format="0.000"/>
  </Style>
  <Style ss:ID="FixedDecimal4">
     <NumberFormat ss:Format="0.0000"/>
  </Style>
  <Style ss:ID="FixedDecimal5">
     <NumberFormat ss:Format="0.00000"/>
  </Style>
  <Style ss:ID="FixedDecimal6">
     <NumberFormat ss:Format="0.000000"/>
  </Style>
  <Style ss:ID="FixedDecimal7">
     <NumberFormat ss:Format="0.0000000"/>
  </Style>
  <Style ss:ID="FixedDecimal8">
     <NumberFormat ss:Format="0.00000000"/>
  </Style>
  <Style ss:ID="FixedDecimal9">
     <NumberFormat ss:Format="0.000000000"/>
  </Style>
  <Style ss:ID="ExponentDecimal0">
     <NumberFormat ss:Format="0.E+00"/>
  </Style>
  <Style ss:ID="ExponentDecimal1">
     <NumberFormat ss:Format="0.0E+00"/>
  </Style>
  <Style ss:ID="ExponentDecimal2">
     <NumberFormat ss:Format="0.00E+00"/>
  </Style>
  <Style ss:ID="ExponentDecimal3">
     <NumberFormat ss:Format="0.000E+00"/>
  </Style>
  <Style ss:ID="ExponentDecimal4">
     <NumberFormat ss:Format="0.0000E+00"/>
  </Style>
  <Style ss:ID="ExponentDecimal5">
     <NumberFormat ss:Format="0.00000E+00"/>
  </Style>
  <Style ss:ID="ExponentDecimal6">
     <NumberFormat ss:Format="0.000000E+00"/>
  </Style>
  <Style ss:ID="ExponentDecimal7">
     <NumberFormat ss:Format="0.0000000E+00"/>
  </Style>
  <Style ss:ID="ExponentDecimal8">
     <NumberFormat ss:Format="0.00000000E+00"/>
  </Style>
  <Style ss:ID="ExponentDecimal9">
     <NumberFormat ss:Format="0.000000000E+00"/>
  </Style>
</Styles>
</Workbook>
)";

TEST(XmlSSWorkbook, WithoutTablesIsTheStyleSheetAlone) {
    const std::string text = mftest::writeWorkbook([](mfXmlSSDevice&) {});
    EXPECT_EQ(text, emptyWorkbook);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 82);
}

TEST(XmlSSWorkbook, OffersTablesOnly) {
    const std::string text = mftest::writeWorkbook([](mfXmlSSDevice& d) {
        EXPECT_EQ(d.report_type(), mfDevice::XML_SS);
        EXPECT_FALSE(d.addHeading("Results", 1));
        EXPECT_FALSE(d.addParagraph("text"));
        EXPECT_FALSE(d.addList({"a", "b"}, 2));
        EXPECT_FALSE(d.addFigure("f.png", "caption"));
        EXPECT_FALSE(d.addPageBreak());
        EXPECT_FALSE(d.addHeadingToTOC("Results", 1));
        EXPECT_FALSE(d.beginTOC());
        EXPECT_FALSE(d.endTOC());
        EXPECT_EQ(d.last_heading_level(), 0);
        // Abbreviations go through paragraphs and lists, which a workbook has not.
        std::unique_ptr<mfTable> table(d.addTable(mfTableHeader("T", "Table", 1)));
        ASSERT_NE(dynamic_cast<mfTableXmlSS*>(table.get()), nullptr);
        EXPECT_EQ(table->device(), &d);
        table->addColumn(mfTableColumn("X", "Length", mfTableColumn::REAL));
        table->printAbbreviations();
        // A table without records leaves nothing.
        EXPECT_TRUE(table->begin_table());
        EXPECT_TRUE(table->end_table());
    });
    EXPECT_EQ(text, emptyWorkbook);
}

TEST(XmlSSWorkbook, CreateDeviceReplacesAFileOrReportsWhyItCannot) {
    mftest::TempFile file("factory.xml");
    mftest::writeFile(file.path(), "an older and much longer file that must go away\n");
    std::unique_ptr<mfDevice> device(
        mfDevice::createDevice(mfReportClient(), file.path(), mfDevice::XML_SS, mfReportHeader()));
    EXPECT_NE(dynamic_cast<mfXmlSSDevice*>(device.get()), nullptr);
    device.reset();
    EXPECT_EQ(mftest::readFile(file.path()), emptyWorkbook);

    for (const std::string bad : {"/nonexistent-folder/book.xml", "/tmp"}) {
        try {
            delete mfDevice::createDevice(mfReportClient(), bad, mfDevice::XML_SS,
                                          mfReportHeader());
            ADD_FAILURE() << "no exception for " << bad;
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Unable to open file " + bad +
                          ".\nIs file locked by another program or an illegal filename "
                          "specified ?");
        }
    }
}

TEST(XmlSSWorkbook, AFailedWriteShowsInEveryWritingOperation) {
    mfXmlSSDevice device(mfReportClient(), "/dev/full");
    std::unique_ptr<mfTable> table(device.addTable(mfTableHeader("T", "Table", 1)));
    table->addColumn(mfTableColumn("X", "Length", mfTableColumn::REAL));
    EXPECT_FALSE(table->begin_table());
    EXPECT_FALSE(table->begin_record());
    EXPECT_TRUE(table->insertValue(0, 1.5));
    EXPECT_FALSE(table->end_record());
    EXPECT_FALSE(table->end_table());
}

} // namespace
