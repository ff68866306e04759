// Inputs that once crashed, hung or corrupted a document; each is also kept in
// the fuzz corpus (fuzz/corpus/<kind>/fault-*).
#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "markup_documents.h"

namespace {

using mftest::between;
using mftest::writeDocument;

const std::string indent = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";

std::string times(int n, const std::string& text) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += text;
    }
    return out;
}

// A contents line was indented once per level: INT_MAX levels wrote 77 GB.
TEST(Regressions, ContentsLinesIndentNoDeeperThanTheNumberedLevels) {
    const std::string page = writeDocument(mfDevice::HTML, [](mfDevice& d) {
        EXPECT_TRUE(d.addHeadingToTOC("Five", 5));
        EXPECT_TRUE(d.addHeadingToTOC("Six", 6));
        EXPECT_TRUE(d.addHeadingToTOC("Huge", INT_MAX));
    });
    const std::string deepest = "<br/>" + times(5, indent);
    EXPECT_NE(page.find(deepest + "<a href=\"#0.0.0.0.1  Five\">0.0.0.0.1  Five</a>\n"),
              std::string::npos);
    EXPECT_NE(page.find(deepest + "<a href=\"#Six\">Six</a>\n"), std::string::npos);
    EXPECT_NE(page.find(deepest + "<a href=\"#Huge\">Huge</a>\n"), std::string::npos);
}

// Reading a folder as a figure threw std::ios_failure out of addFigure.
TEST(Regressions, AFolderAsFigureIsAnUnreadableImage) {
    std::string encoded = "old";
    EXPECT_FALSE(Base64File::encode(MFREPORT_TEST_DATA, encoded));
    EXPECT_EQ(encoded, "");
    const std::string document = writeDocument(mfDevice::XML_WP, [](mfDevice& d) {
        EXPECT_TRUE(d.addFigure(MFREPORT_TEST_DATA, "Folder"));
        EXPECT_TRUE(d.addParagraph("after"));
    });
    EXPECT_NE(document.find(">after<"), std::string::npos);
}

// A number field of 2^31 - 1 blanks or decimals took four gigabytes and a
// minute for one cell; fields and decimals now stop at 1024 characters.
TEST(Regressions, NumberFieldsAndDecimalsStopAt1024) {
    const auto table = [](mfDevice& d) {
        std::unique_ptr<mfTable> t(d.addTable(mfTableHeader("T", "Wide", 1)));
        mfTableColumn wide("W", "wide", mfTableColumn::REAL);
        wide.setWidth(0x7FFFFFFF, 2, mfTableColumn::FIXED);
        mfTableColumn precise("P", "precise", mfTableColumn::REAL);
        precise.setWidth(4, 0x7FFFFFFF, mfTableColumn::FIXED);
        t->addColumn(wide);
        t->addColumn(precise);
        t->begin_table();
        t->begin_record();
        t->insertValue(0, 1.5);
        t->insertValue(1, 1.5);
        EXPECT_TRUE(t->end_record());
        EXPECT_TRUE(t->end_table());
    };
    const std::pair<mfDevice::ReportType, std::string> kinds[] = {{mfDevice::HTML, "> "},
                                                                  {mfDevice::XML_WP, "<w:t>"}};
    for (const auto& [kind, cellStart] : kinds) {
        const std::string document = writeDocument(kind, table);
        EXPECT_NE(document.find(cellStart + std::string(1020, ' ') + "1.50<"), std::string::npos);
        EXPECT_NE(document.find(cellStart + "1.5" + std::string(1023, '0') + "<"),
                  std::string::npos);
        EXPECT_LT(document.size(), 64U * 1024U);
    }
}

// An indent of INT_MAX wrote INT_MAX blank cells at every fold: the indent
// now fills at most a row less one cell.
TEST(Regressions, AWrapIndentLeavesRoomForAColumn) {
    const std::string page = writeDocument(mfDevice::HTML, [](mfDevice& d) {
        std::unique_ptr<mfTable> t(d.addTable(mfTableHeader("T", "Wrapped", 1)));
        for (const char* name : {"A", "B", "C"}) {
            t->addColumn(mfTableColumn(name, name, mfTableColumn::INTEGER));
        }
        t->setWrapping(2, INT_MAX);
        t->begin_table();
        t->begin_record();
        t->insertValue(0, 1);
        t->insertValue(1, 2);
        t->insertValue(2, 3);
        t->end_record();
        EXPECT_TRUE(t->end_table());
    });
    EXPECT_EQ(between(page, "  <tbody>\n", "  </tbody>\n"),
              "    <tr> \n"
              "      <td align=\"right\"> 1</td> \n"
              "      <td align=\"right\"> 2</td> \n"
              " </tr>\n"
              " <tr>\n"
              "      <td align=\"right\">&nbsp;</td>\n"
              "      <td align=\"right\"> 3</td> \n"
              "    </tr> \n");
}

// The tables of a text device went on answering true after a second text
// device had taken the page manager over, though their records reached no
// file; and the records it had written stayed in the unit's buffer, out of
// the file, unless the second device opened a file of its own.
TEST(Regressions, TablesOfAReplacedTextDeviceAnswerFalse) {
    const mftest::FixedClock clock(mftest::fixedEpoch);
    for (const mfDevice::ReportType kind : {mfDevice::TEXT, mfDevice::TEXT_CSV}) {
        const std::string extension = kind == mfDevice::TEXT ? ".LIS" : ".csv";
        const mftest::TempFile first("first" + extension);
        const mftest::TempFile second("second" + extension);
        const auto stem = [&](const mftest::TempFile& file) {
            return file.path().substr(0, file.path().size() - extension.size());
        };
        std::unique_ptr<mfDevice> a(
            mfDevice::createDevice(mftest::testClient, stem(first), kind, mftest::testModel));
        std::unique_ptr<mfTable> ta(a->addTable(mfTableHeader("A", "First", 1)));
        ta->addColumn(mfTableColumn("N", "Number", mfTableColumn::INTEGER));
        EXPECT_TRUE(ta->begin_table());
        EXPECT_TRUE(ta->begin_record());
        EXPECT_TRUE(ta->insertValue(0, 1001));
        EXPECT_TRUE(ta->end_record());

        std::unique_ptr<mfDevice> b(
            mfDevice::createDevice(mftest::testClient, stem(second), kind, mftest::testModel));
        EXPECT_NE(mftest::readFile(first.path()).find("1001"), std::string::npos);
        std::unique_ptr<mfTable> tb(b->addTable(mfTableHeader("B", "Second", 1)));
        tb->addColumn(mfTableColumn("N", "Number", mfTableColumn::INTEGER));
        EXPECT_TRUE(tb->begin_table());
        EXPECT_FALSE(ta->begin_record());
        EXPECT_FALSE(ta->insertValue(0, 1002));
        EXPECT_FALSE(ta->end_record());
        EXPECT_FALSE(ta->end_table());
        EXPECT_TRUE(tb->begin_record());
        EXPECT_TRUE(tb->insertValue(0, 2001));
        EXPECT_TRUE(tb->end_record());
        EXPECT_TRUE(tb->end_table());
        EXPECT_TRUE(b->close());
        EXPECT_TRUE(a->close());

        const std::string one = mftest::readFile(first.path());
        const std::string two = mftest::readFile(second.path());
        EXPECT_NE(one.find("1001"), std::string::npos);
        EXPECT_EQ(one.find("1002"), std::string::npos);
        EXPECT_EQ(two.find("1002"), std::string::npos);
        EXPECT_NE(two.find("2001"), std::string::npos);
    }
}

/// The deepest nesting of the element that `starts` open and `end` closes.
int deepest(const std::string& document, const std::vector<std::string>& starts,
            const std::string& end) {
    int depth = 0;
    int most = 0;
    for (size_t at = 0; at < document.size(); ++at) {
        if (document.compare(at, end.size(), end) == 0) {
            --depth;
        }
        for (const std::string& start : starts) {
            if (document.compare(at, start.size(), start) == 0) {
                most = std::max(most, ++depth);
            }
        }
    }
    return most;
}

// A record begun on a table while a copy of it had a record open opened its
// row inside the copy's; ending the copy's record then took the rows of the
// table back out of the workbook.
TEST(Regressions, ARecordOfACopyEndsBeforeTheTablesNextRecord) {
    struct Rows {
        mfDevice::ReportType kind;
        std::vector<std::string> starts;
        std::string end;
    };
    const Rows kinds[] = {{mfDevice::HTML, {"<tr>", "<tr "}, "</tr>"},
                          {mfDevice::XML_SS, {"<Row>", "<Row "}, "</Row>"},
                          {mfDevice::XML_WP, {"<w:tr>", "<w:tr "}, "</w:tr>"}};
    for (const Rows& rows : kinds) {
        const std::string document = writeDocument(rows.kind, [](mfDevice& d) {
            std::unique_ptr<mfTable> t(d.addTable(mfTableHeader("T", "Copied", 1)));
            t->addColumn(mfTableColumn("A", "a", mfTableColumn::INTEGER));
            t->begin_table();
            t->begin_record();
            t->insertValue(0, 1001);
            t->end_record();
            std::unique_ptr<mfTable> copy;
            if (auto* html = dynamic_cast<mfTableHtml*>(t.get())) {
                copy = std::make_unique<mfTableHtml>(*html);
            } else if (auto* ss = dynamic_cast<mfTableXmlSS*>(t.get())) {
                copy = std::make_unique<mfTableXmlSS>(*ss);
            } else {
                copy = std::make_unique<mfTableXmlWP>(dynamic_cast<mfTableXmlWP&>(*t));
            }
            EXPECT_TRUE(copy->begin_record());
            copy->insertValue(0, 1002);
            EXPECT_TRUE(t->begin_record());
            t->insertValue(0, 1003);
            EXPECT_TRUE(t->end_record());
            EXPECT_TRUE(t->end_table());
        });
        EXPECT_EQ(deepest(document, rows.starts, rows.end), 1) << rows.end;
        const size_t first = document.find("1001");
        const size_t second = document.find("1002");
        const size_t third = document.find("1003");
        EXPECT_LT(first, second);
        EXPECT_LT(second, third);
        EXPECT_NE(third, std::string::npos);
    }
}

// A line feed in a caller's text split a print line, so that the page number
// left its heading line and the page ran longer than counted; in the
// semicolon-separated kind it cut a record in two.
TEST(Regressions, ControlCharactersInCallerTextBecomeBlanks) {
    const mftest::FixedClock clock(mftest::fixedEpoch);
    const mfReportClient client("BeamCalc", "Linear static analysis of plane frames", "2.4.1",
                                "01-NOV\n2026");
    for (const mfDevice::ReportType kind : {mfDevice::TEXT, mfDevice::TEXT_CSV}) {
        const std::string extension = kind == mfDevice::TEXT ? ".LIS" : ".csv";
        const mftest::TempFile file("controls" + extension);
        const std::string stem = file.path().substr(0, file.path().size() - extension.size());
        {
            std::unique_ptr<mfDevice> d(
                mfDevice::createDevice(client, stem, kind, mftest::testModel));
            std::unique_ptr<mfTable> t(d->addTable(mfTableHeader("T\f1", "Forces\r\nend", 1)));
            t->addColumn(mfTableColumn("Label", "Element\tlabel", mfTableColumn::STRING));
            ASSERT_TRUE(t->begin_table());
            EXPECT_TRUE(t->begin_record());
            EXPECT_TRUE(t->insertValue(0, std::string("two\nparts\x7f")));
            EXPECT_TRUE(t->end_record());
            EXPECT_TRUE(t->end_table());
            EXPECT_TRUE(d->close());
        }
        const std::string report = mftest::readFile(file.path());
        EXPECT_NE(
            report.find(" DATE: 06-DEC-2026 TIME: 19:32:07   PROGRAM: KALDU    BeamCalc  "
                        "2.4.1   01-NOV 2026                                     PAGE:     1\n"),
            std::string::npos)
            << extension;
        EXPECT_NE(report.find("two parts"), std::string::npos) << extension;
        const size_t title = report.find("Forces");
        EXPECT_LT(report.find("end", title), report.find('\n', title)) << extension;
        EXPECT_NE(report.find("Element label"), std::string::npos) << extension;
        for (const char c : {'\n', '\r', '\t', '\x7f'}) {
            EXPECT_EQ(report.find(std::string("two") + c), std::string::npos) << extension;
        }
        EXPECT_EQ(report.find('\r'), std::string::npos) << extension;
        EXPECT_EQ(report.find('\t'), std::string::npos) << extension;
    }
}

// One table of a text kind: the columns and records that `write` adds; the
// lines of the file.
template <typename Write>
std::vector<std::string> textTable(mfDevice::ReportType kind, const Write& write) {
    const mftest::FixedClock clock(mftest::fixedEpoch);
    const std::string extension = kind == mfDevice::TEXT ? ".LIS" : ".csv";
    const mftest::TempFile file("table" + extension);
    {
        std::unique_ptr<mfDevice> d(mfDevice::createDevice(
            mftest::testClient, file.path().substr(0, file.path().size() - extension.size()), kind,
            mftest::testModel));
        std::unique_ptr<mfTable> t(d->addTable(mfTableHeader("T", "Values", 1)));
        write(*t);
    }
    return mftest::splitLines(mftest::readFile(file.path()));
}

bool hasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Real values of the text kinds went through single precision: 347433.737
// showed as 347433.750 in F10.3, the 64-bit 12345678901 as 12345678848.
TEST(Regressions, TextKindsShowTheDigitsOfDoubleValues) {
    const auto lines = textTable(mfDevice::TEXT, [](mfTable& t) {
        mfTableColumn f("F", "", mfTableColumn::REAL);
        f.setWidth(10, 3, mfTableColumn::FIXED);
        mfTableColumn g("G", "", mfTableColumn::REAL);
        g.setWidth(12, 0, mfTableColumn::FIXED);
        t.addColumn(f);
        t.addColumn(g);
        ASSERT_TRUE(t.begin_table());
        EXPECT_TRUE(t.insertValue(0, 347433.737));
        EXPECT_TRUE(t.insertValue(1, 12345678901LL));
        EXPECT_TRUE(t.end_record());
    });
    EXPECT_TRUE(hasLine(lines, " 347433.737  12345678901."));
}

// The integer put's early page break was taken before every put, so that
// full pages of tables without integer columns held 53 lines, not 54.
TEST(Regressions, FullPagesOfRealTablesHoldFiftyFourLines) {
    const auto lines = textTable(mfDevice::TEXT, [](mfTable& t) {
        t.addColumn(mfTableColumn("R", "", mfTableColumn::REAL));
        ASSERT_TRUE(t.begin_table());
        for (int i = 1; i <= 60; ++i) {
            EXPECT_TRUE(t.insertValue(0, 1.0 * i));
            EXPECT_TRUE(t.end_record());
        }
    });
    const auto second = std::find(lines.rbegin(), lines.rend(), "\f").base();
    const auto first = std::find(std::make_reverse_iterator(second - 1), lines.rend(), "\f").base();
    EXPECT_EQ(second - 1 - first, 54);
}

// In the semicolon-separated file a text holding ";" became two fields and
// shifted the rest of its record, and a record wider than 131 characters
// folded onto a second line, its values under the wrong names.
TEST(Regressions, SemicolonRecordsKeepTheirColumns) {
    const auto lines = textTable(mfDevice::TEXT_CSV, [](mfTable& t) {
        for (int c = 0; c < 12; ++c) {
            mfTableColumn s("S" + std::to_string(c), "", mfTableColumn::STRING);
            s.setWidth(10, 0, mfTableColumn::FIXED);
            t.addColumn(s);
        }
        ASSERT_TRUE(t.begin_table());
        for (int c = 0; c < 12; ++c) {
            EXPECT_TRUE(t.insertValue(c, std::string(c == 0 ? "a;b" : "v")));
        }
        EXPECT_TRUE(t.end_record());
    });
    std::string record = " \"a;b\"     ";
    for (int c = 1; c < 12; ++c) {
        record += "; v" + std::string(c < 11 ? 9 : 0, ' ');
    }
    EXPECT_TRUE(hasLine(lines, record));
}

} // namespace
