#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "golden.h"
#include "mfreport/mfreport.h"
#include "package_reader.h"
#include "test_env.h"

namespace {

using mftest::Parts;
using mftest::partsOf;

const mfReportClient client("BeamCalc", "Plane frame analysis", "2.4.1", "01-NOV-2026");
const mfReportHeader model("Foot & bridge", "Two spans", "bridge.mdl", "JD", "05-DEC-2026");

std::unique_ptr<mfDevice> workbook(const std::string& path) {
    return mfDevice::create(client, path, mfDevice::XLSX, model);
}

/// A table of one column per kind of cell, with `records` records.
void writeForces(mfDevice& d, const std::string& name, int records) {
    std::unique_ptr<mfTable> t(d.addTable(mfTableHeader(name, "Element end forces", 2)));
    mfTableColumn n("N", "Normal force", mfTableColumn::REAL);
    n.setUnits("kN", 0.001);
    n.setWidth(10, 2, mfTableColumn::FIXED);
    mfTableColumn e("E", "Strain", mfTableColumn::REAL);
    e.setWidth(12, 3, mfTableColumn::SCIENTIFIC);
    t->addColumn(mfTableColumn("Elem", "Element number", mfTableColumn::INTEGER));
    t->addColumn(n);
    t->addColumn(e);
    t->addColumn(mfTableColumn("G", "General", mfTableColumn::REAL));
    t->addColumn(mfTableColumn("Note", "Remark", mfTableColumn::STRING));
    t->begin_table();
    for (int r = 1; r <= records; ++r) {
        t->begin_record();
        t->insertValue(0, r);
        t->insertValue(1, -1250.0 * r);
        t->insertValue(2, 0.00125);
        t->insertValue(3, 0.1);
        t->insertValue(4, std::string("ok"));
        t->end_record();
    }
    t->end_table();
}

TEST(XlsxPackage, HoldsTheWorkbookPartsAndTheirRelationships) {
    mftest::TempFile file("parts.xlsx");
    {
        auto d = workbook(file.path());
        EXPECT_EQ(d->report_type(), mfDevice::XLSX);
        writeForces(*d, "FORCES", 2);
        writeForces(*d, "FORCES", 1);
        EXPECT_TRUE(d->close());
    }
    const Parts parts = partsOf(file.path());
    std::string names;
    for (const auto& part : parts) {
        names += part.first + "\n";
    }
    EXPECT_EQ(names, "[Content_Types].xml\n_rels/.rels\ndocProps/app.xml\ndocProps/core.xml\n"
                     "xl/_rels/workbook.xml.rels\nxl/styles.xml\nxl/workbook.xml\n"
                     "xl/worksheets/sheet1.xml\nxl/worksheets/sheet2.xml\n");
    const std::string& types = parts.at("[Content_Types].xml");
    for (
        const char* expected :
        {R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)",
         R"(<Override PartName="/xl/worksheets/sheet2.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)",
         R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"}) {
        EXPECT_NE(types.find(expected), std::string::npos) << expected;
    }
    EXPECT_NE(
        parts.at("_rels/.rels")
            .find(
                R"(Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml")"),
        std::string::npos);
    EXPECT_NE(
        parts.at("xl/_rels/workbook.xml.rels")
            .find(
                R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet2.xml"/>)"),
        std::string::npos);
    const std::string& book = parts.at("xl/workbook.xml");
    EXPECT_NE(book.find(R"(<sheet name="FORCES" sheetId="1" r:id="rId1"/>)"), std::string::npos);
    EXPECT_NE(book.find(R"~(<sheet name="FORCES (2)" sheetId="2" r:id="rId2"/>)~"),
              std::string::npos);
    EXPECT_NE(
        book.find(
            R"(<definedName name="_xlnm.Print_Titles" localSheetId="0">FORCES!$1:$1</definedName>)"),
        std::string::npos);
    EXPECT_NE(
        book.find(
            R"~(<definedName name="_xlnm.Print_Titles" localSheetId="1">'FORCES (2)'!$1:$1</definedName>)~"),
        std::string::npos);
    EXPECT_NE(
        book.find(
            R"(<definedName name="_xlnm._FilterDatabase" localSheetId="0" hidden="1">FORCES!$A$1:$E$3</definedName>)"),
        std::string::npos);
    const std::string& core = parts.at("docProps/core.xml");
    EXPECT_NE(core.find("<dc:creator>BeamCalc</dc:creator>"), std::string::npos);
    EXPECT_NE(core.find("<dc:title>Foot &amp; bridge</dc:title>"), std::string::npos);
}

// The parts in the order written, then each part's XML, against
// tests/golden/xlsx/forces/.
TEST(XlsxPackage, PartsEqualTheGoldenListing) {
    mftest::FixedClock clock("1796585527");
    mftest::TempFile file("golden.xlsx");
    {
        auto d = workbook(file.path());
        writeForces(*d, "FORCES", 2);
        writeForces(*d, "FORCES", 1);
        ASSERT_TRUE(d->close());
    }
    const std::vector<std::string> names = mftest::partNames(file.path());
    std::string listing;
    for (const std::string& name : names) {
        listing += name + "\n";
    }
    ASSERT_TRUE(mftest::sameLines(listing, mftest::golden("xlsx/forces/parts.txt")));
    const Parts parts = partsOf(file.path());
    for (const std::string& name : names) {
        EXPECT_TRUE(mftest::sameLines(parts.at(name), mftest::golden("xlsx/forces/" + name)))
            << name;
    }
}

TEST(XlsxPackage, TwoRunsUnderAFixedClockGiveTheSameBytes) {
    mftest::FixedClock clock("1796585527");
    mftest::TempFile first("first.xlsx");
    mftest::TempFile second("second.xlsx");
    for (const std::string& path : {first.path(), second.path()}) {
        auto d = workbook(path);
        writeForces(*d, "FORCES", 3);
        ASSERT_TRUE(d->close());
    }
    const std::string bytes = mftest::readFile(first.path());
    EXPECT_EQ(bytes.substr(0, 2), "PK");
    EXPECT_EQ(bytes, mftest::readFile(second.path()));
    const std::string core = partsOf(first.path()).at("docProps/core.xml");
    EXPECT_NE(
        core.find(
            R"(<dcterms:created xsi:type="dcterms:W3CDTF">2026-12-06T19:32:07Z</dcterms:created>)"),
        std::string::npos);
    // A standard tool accepts the archive.
    const std::string check = "python3 -m zipfile -t '" + first.path() + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(check.c_str()), 0);
}

TEST(XlsxWorksheet, WritesTypedCellsInTheirNumberFormats) {
    mftest::TempFile file("cells.xlsx");
    {
        auto d = workbook(file.path());
        writeForces(*d, "FORCES", 1);
        std::unique_ptr<mfTable> t(d->addTable(mfTableHeader("MIXED", "Texts", 1)));
        t->addColumn(mfTableColumn("I", "Integer", mfTableColumn::INTEGER));
        t->addColumn(mfTableColumn("R", "Real", mfTableColumn::REAL));
        t->addColumn(mfTableColumn("S", "Text", mfTableColumn::STRING));
        t->begin_table();
        t->begin_record();
        t->insertValue(0, std::string(" 7 "));
        t->insertValue(1, std::numeric_limits<double>::infinity());
        t->insertValue(2, std::string(" a<b "));
        t->end_record();
        t->begin_record();
        t->insertValue(0, std::string("1,5"));
        t->insertValue(2, std::string("<n/a>"));
        t->end_record();
        t->end_table();
        EXPECT_FALSE(d->addHeading("Results", 1));
        EXPECT_FALSE(d->addParagraph("Text"));
        EXPECT_TRUE(d->close());
    }
    const Parts parts = partsOf(file.path());
    const std::string& forces = parts.at("xl/worksheets/sheet1.xml");
    for (
        const char* expected : {
            R"(<pane ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen"/>)",
            R"(<col min="2" max="2" width="10" customWidth="1"/>)",
            R"(<col min="1" max="1" width="12" customWidth="1"/>)",
            R"(<c s="1" t="inlineStr"><is><t>N [kN]</t></is></c>)",
            R"(<row><c><v>1</v></c><c s="4"><v>-1.25</v></c><c s="15"><v>0.00125</v></c><c><v>0.1</v></c><c t="inlineStr"><is><t>ok</t></is></c></row>)",
            R"(<autoFilter ref="A1:E2"/>)",
        }) {
        EXPECT_NE(forces.find(expected), std::string::npos) << expected;
    }
    const std::string& mixed = parts.at("xl/worksheets/sheet2.xml");
    EXPECT_NE(
        mixed.find(
            R"(<row><c><v>7</v></c><c t="inlineStr"><is><t>INF</t></is></c><c t="inlineStr"><is><t xml:space="preserve"> a&lt;b </t></is></c></row>)"),
        std::string::npos);
    EXPECT_NE(
        mixed.find(
            R"(<row><c t="inlineStr"><is><t>1,5</t></is></c><c/><c t="inlineStr"><is><t>&lt;n/a&gt;</t></is></c></row>)"),
        std::string::npos);
    const std::string& styles = parts.at("xl/styles.xml");
    EXPECT_NE(styles.find(R"(<numFmt numFmtId="166" formatCode="0.00"/>)"), std::string::npos);
    EXPECT_NE(styles.find(R"(<numFmt numFmtId="177" formatCode="0.000E+00"/>)"), std::string::npos);
    EXPECT_NE(styles.find(R"(<cellXfs count="22">)"), std::string::npos);
}

TEST(XlsxWorksheet, SheetNamesFollowTheWorkbookRules) {
    mftest::TempFile file("names.xlsx");
    {
        auto d = workbook(file.path());
        writeForces(*d, "a/b:c", 1);
        writeForces(*d, "", 1);
        writeForces(*d, "Empty", 0); // no records: no worksheet
        writeForces(*d, "A/B:C", 1);
        EXPECT_TRUE(d->close());
    }
    const Parts parts = partsOf(file.path());
    const std::string& book = parts.at("xl/workbook.xml");
    EXPECT_NE(book.find(R"(<sheet name="a_b_c" sheetId="1")"), std::string::npos);
    EXPECT_NE(book.find(R"(<sheet name="Sheet2" sheetId="2")"), std::string::npos);
    EXPECT_NE(book.find(R"~(<sheet name="A_B_C (2)" sheetId="3")~"), std::string::npos);
    EXPECT_EQ(book.find("Empty"), std::string::npos);
    EXPECT_EQ(parts.count("xl/worksheets/sheet4.xml"), 0U);
}

TEST(XlsxWorkbook, WithoutTablesHoldsOneEmptyWorksheet) {
    mftest::TempFile file("empty.xlsx");
    {
        auto d = workbook(file.path());
        EXPECT_TRUE(d->close());
        EXPECT_TRUE(d->close()); // the same answer again
    }
    const Parts parts = partsOf(file.path());
    EXPECT_NE(parts.at("xl/workbook.xml").find(R"(<sheet name="Sheet1" sheetId="1" r:id="rId1"/>)"),
              std::string::npos);
    EXPECT_EQ(parts.count("xl/worksheets/sheet1.xml"), 1U);
}

TEST(XlsxWorkbook, AFailedWriteIsReportedAndSticky) {
    auto d = workbook("/dev/full");
    std::unique_ptr<mfTable> t(d->addTable(mfTableHeader("FORCES", "Forces", 1)));
    t->addColumn(mfTableColumn("N", "Normal force", mfTableColumn::REAL));
    t->begin_table();
    bool failed = false;
    for (int r = 0; r < 200000 && !failed; ++r) {
        t->begin_record();
        t->insertValue(0, r * 1.5);
        failed = !t->end_record();
    }
    t->end_table();
    EXPECT_FALSE(d->close());
    EXPECT_FALSE(d->close());
    EXPECT_FALSE(t->begin_record());
}

TEST(XlsxWorkbook, TwoDevicesDoNotShareAFile) {
    mftest::TempFile file("claimed.xlsx");
    auto d = workbook(file.path());
    EXPECT_THROW(workbook(file.path()), std::runtime_error);
    EXPECT_THROW(mfDevice::create(client, file.path(), mfDevice::XML_SS, model),
                 std::runtime_error);
    EXPECT_TRUE(d->close());
}

TEST(XlsxWorkbook, TablesOutlivingTheirDeviceAnswerFalse) {
    mftest::TempFile file("lifeline.xlsx");
    auto d = workbook(file.path());
    std::unique_ptr<mfTable> t(d->addTable(mfTableHeader("FORCES", "Forces", 1)));
    t->addColumn(mfTableColumn("N", "Normal force", mfTableColumn::REAL));
    EXPECT_TRUE(t->begin_table());
    EXPECT_TRUE(t->begin_record());
    d.reset();
    EXPECT_FALSE(t->insertValue(0, 1.0));
    EXPECT_FALSE(t->end_record());
    EXPECT_FALSE(t->end_table());
    EXPECT_EQ(std::system(("python3 -m zipfile -t '" + file.path() + "' > /dev/null 2>&1").c_str()),
              0);
}

} // namespace
