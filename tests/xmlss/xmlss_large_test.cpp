// A table longer than a worksheet: it goes on on a second worksheet under its
// head, with no record lost, and the writing takes no more memory for it. The
// file is read back line by line, never held whole.
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "memory_probe.h"
#include "mfreport/markup/sheet_names.h"
#include "mfreport/mfreport.h"
#include "test_env.h"

namespace {

using mfreport::markup::kRecordsPerSheet;
using mfreport::markup::kSheetRows;

using mftest::kAddressSanitizer;
using mftest::statusField;

/// Writes a table FORCES of `records` records (element number, a force and a
/// label "rec-" + number) and returns how far peak memory rose after the
/// first record, in kB; -1 when a call failed.
long writeForces(const std::string& fileName, int64_t records) {
    const mfReportClient client("BeamCalc", "Plane frames", "2.4.1", "01-NOV-2026");
    std::unique_ptr<mfDevice> d(
        mfDevice::createDevice(client, fileName, mfDevice::XML_SS, mfReportHeader()));
    std::unique_ptr<mfTable> t(d->addTable(mfTableHeader("FORCES", "Element end forces", 1)));
    mfTableColumn n("N", "Normal force", mfTableColumn::REAL);
    n.setUnits("kN", 1.0);
    n.setWidth(10, 1, mfTableColumn::FIXED);
    t->addColumn(mfTableColumn("Elem", "Element number", mfTableColumn::INTEGER));
    t->addColumn(n);
    t->addColumn(mfTableColumn("Label", "Element label", mfTableColumn::STRING));
    bool written = t->begin_table();
    long before = 0;
    std::string label;
    for (int64_t k = 1; k <= records; ++k) {
        written &= t->begin_record();
        t->insertValue(0, static_cast<int>(k));
        t->insertValue(1, 0.5 * static_cast<double>(k));
        label = "rec-" + std::to_string(k);
        t->insertValue(2, label);
        written &= t->end_record();
        if (k == 1) {
            // Peak memory counts from here on: 5 resets it to the current size.
            std::ofstream("/proc/self/clear_refs") << "5";
            before = statusField("VmRSS");
        }
    }
    written &= t->end_table();
    t.reset();
    written &= d->close();
    return written ? statusField("VmHWM") - before : -1;
}

/// What a worksheet of the file holds.
struct Sheet {
    std::string name;
    std::string printTitles;
    std::vector<std::string> widths; ///< the Column lines
    std::vector<std::string> head;   ///< the head row's cells
    int64_t rows = 0;                ///< rows, the head row included
    int64_t first = 0;               ///< the first record's label number
    int64_t last = 0;                ///< the last record's label number
    bool ended = false;
};

struct Workbook {
    std::vector<Sheet> sheets;
    bool ended = false;  ///< "</Workbook>" came last
    bool inOrder = true; ///< every label one more than the one before
    uint64_t bytes = 0;
};

int64_t occurrences(const std::string& line, const std::string& text) {
    int64_t count = 0;
    for (size_t at = line.find(text); at != std::string::npos; at = line.find(text, at + 1)) {
        ++count;
    }
    return count;
}

/// The text of `line` between `start` and the next `end`, or "".
std::string after(const std::string& line, const std::string& start, const std::string& end) {
    const size_t from = line.find(start);
    if (from == std::string::npos) {
        return "";
    }
    const size_t begin = from + start.size();
    return line.substr(begin, line.find(end, begin) - begin);
}

Workbook readWorkbook(const std::string& path) {
    Workbook book;
    std::ifstream in(path, std::ios::binary);
    int64_t previous = 0;
    bool inHead = false;
    for (std::string line; std::getline(in, line);) {
        book.bytes += line.size() + 1;
        book.ended = line == "</Workbook>";
        if (line.rfind("<Worksheet ss:Name=\"", 0) == 0) {
            book.sheets.emplace_back();
            book.sheets.back().name = after(line, "ss:Name=\"", "\"");
            continue;
        }
        if (book.sheets.empty()) {
            continue;
        }
        Sheet& sheet = book.sheets.back();
        if (line.find("Print_Titles") != std::string::npos) {
            sheet.printTitles = after(line, "ss:RefersTo=\"", "\"");
        } else if (line.find("<Column ") != std::string::npos) {
            sheet.widths.push_back(line);
        } else if (line == "  <Row>") {
            inHead = true;
        } else if (line == "  </Row>") {
            inHead = false;
        } else if (inHead) {
            sheet.head.push_back(line);
        } else if (line == "</Worksheet>") {
            sheet.ended = true;
        }
        sheet.rows += occurrences(line, "<Row>");
        const std::string label = after(line, ">rec-", "<");
        if (!label.empty()) {
            const int64_t k = std::stoll(label);
            book.inOrder = book.inOrder && k == previous + 1;
            previous = k;
            sheet.first = sheet.first == 0 ? k : sheet.first;
            sheet.last = k;
        }
    }
    return book;
}

class XmlSSLargeTable : public ::testing::Test {
protected:
    mftest::TempFile file_{"long-table.xml"};

    /// Writes the table, checks the memory it took and reads the file back.
    Workbook write(int64_t records) {
        const long growth = writeForces(file_.path(), records);
        EXPECT_GE(growth, 0) << "the workbook failed";
        RecordProperty("peak_growth_kB", std::to_string(growth));
        Workbook book = readWorkbook(file_.path());
        // Far below the file: a sixteenth of it at most. AddressSanitizer
        // keeps freed memory back for a while, so there the peak says nothing.
        if (!kAddressSanitizer) {
            EXPECT_LT(static_cast<uint64_t>(growth) * 1024, book.bytes / 16)
                << "peak memory grew by " << growth << " kB for a file of " << book.bytes
                << " bytes";
        }
        return book;
    }
};

const std::vector<std::string> kWidths = {R"(    <Column ss:Width="72"/>)",
                                          R"(    <Column ss:Width="60"/>)",
                                          R"(    <Column ss:Width="72"/>)"};
const std::vector<std::string> kHead = {
    R"(    <Cell ss:StyleID="HeaderStyle"><Data ss:Type="String">Elem</Data></Cell>)",
    R"(    <Cell ss:StyleID="HeaderStyle"><Data ss:Type="String">N [kN]</Data></Cell>)",
    R"(    <Cell ss:StyleID="HeaderStyle"><Data ss:Type="String">Label</Data></Cell>)"};

TEST_F(XmlSSLargeTable, GoesOnOnASecondSheetUnderItsHead) {
    ASSERT_EQ(kSheetRows, 1048576);
    const Workbook book = write(kSheetRows + 10);
    EXPECT_TRUE(book.ended);
    EXPECT_TRUE(book.inOrder) << "a record is lost, doubled or out of order";
    ASSERT_EQ(book.sheets.size(), 2u);

    const Sheet& full = book.sheets[0];
    EXPECT_EQ(full.name, "FORCES");
    EXPECT_EQ(full.printTitles, "=FORCES!R1");
    EXPECT_EQ(full.widths, kWidths);
    EXPECT_EQ(full.head, kHead);
    EXPECT_EQ(full.rows, kSheetRows); // the head and 1 048 575 records
    EXPECT_EQ(full.first, 1);
    EXPECT_EQ(full.last, 1048575);
    EXPECT_TRUE(full.ended);

    const Sheet& rest = book.sheets[1];
    EXPECT_EQ(rest.name, "FORCES (2)");
    EXPECT_EQ(rest.printTitles, "='FORCES (2)'!R1");
    EXPECT_EQ(rest.widths, kWidths);
    EXPECT_EQ(rest.head, kHead);
    EXPECT_EQ(rest.rows, 12);
    EXPECT_EQ(rest.first, 1048576);
    EXPECT_EQ(rest.last, 1048586);
    EXPECT_TRUE(rest.ended);
}

TEST_F(XmlSSLargeTable, AFullSheetAloneNeedsNoSecond) {
    const Workbook book = write(kRecordsPerSheet);
    EXPECT_TRUE(book.ended);
    EXPECT_TRUE(book.inOrder);
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(book.sheets[0].rows, kSheetRows);
    EXPECT_EQ(book.sheets[0].last, kRecordsPerSheet);
    EXPECT_TRUE(book.sheets[0].ended);
}

} // namespace
