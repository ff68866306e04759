// Whole text reports through createDevice: golden files of both kinds, page
// breaks with repeated headings, records kept on one page, the largest
// tables, and the file's life (created by the first table, failed writes).
#include <climits>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "mfreport/platform/maker.h"
#include "mfreport/record/record_io.h"
#include "mfreport/text/mfTableText.h"
#include "mfreport/text/mfTextDevice.h"
#include "text_fixture.h"

namespace {

using mftest::column;
using mftest::pages;

class TextReports : public mftest::TextReport {
protected:
    // Two small tables, the second with a 13-character name, a scientific
    // column and a text column of the default width.
    void writeTwoTables(mfDevice& device) {
        auto nodes = table(device, "NODES", "Node coordinates");
        nodes->addColumn(column("Node", "Node number", mfTableColumn::INTEGER, 5));
        nodes->addColumn(column("X", "Global X coordinate", mfTableColumn::REAL, 9, 3,
                                mfTableColumn::FIXED, "m"));
        nodes->addColumn(column("Support", "Support condition", mfTableColumn::STRING, 6));
        ASSERT_TRUE(nodes->begin_table());
        const struct {
            int id;
            double x;
            const char* support;
        } rows[] = {{1, 0.0, "pinned"}, {2, 6.0, "roller"}, {3, -12.5, "free support"}};
        for (const auto& row : rows) {
            EXPECT_TRUE(nodes->begin_record());
            EXPECT_TRUE(nodes->insertValue(0, row.id));
            EXPECT_TRUE(nodes->insertValue(1, row.x));
            EXPECT_TRUE(nodes->insertValue(2, std::string(row.support)));
            EXPECT_TRUE(nodes->end_record());
        }
        EXPECT_TRUE(nodes->end_table());

        auto forces = table(device, "ELEMENTFORCES", "Element end forces");
        forces->addColumn(mfTableColumn("Elem", "Element number", mfTableColumn::INTEGER));
        forces->addColumn(column("N", "Normal force", mfTableColumn::REAL, 11, 3,
                                 mfTableColumn::SCIENTIFIC, "kN"));
        forces->addColumn(column("Label", "Element label", mfTableColumn::STRING, 0));
        ASSERT_TRUE(forces->begin_table());
        forces->begin_record();
        forces->insertValue(0, 1);
        forces->insertValue(1, -125.4);
        forces->insertValue(2, std::string("chord"));
        EXPECT_TRUE(forces->end_record());
        forces->begin_record();
        forces->insertValue(0, 2);
        forces->insertValue(1, 42.5);
        forces->insertValue(2, std::string("diagonal long"));
        EXPECT_TRUE(forces->end_record());
        EXPECT_TRUE(forces->end_table());
    }

    // A table of `count` one-line records numbered from 1.
    void writeNumbers(mfDevice& device, int count) {
        auto numbers = table(device, "NUMBERS", "Counting");
        numbers->addColumn(column("N", "Record number", mfTableColumn::INTEGER, 6));
        ASSERT_TRUE(numbers->begin_table());
        for (int i = 1; i <= count; ++i) {
            numbers->begin_record();
            numbers->insertValue(0, i);
            EXPECT_TRUE(numbers->end_record());
        }
        EXPECT_TRUE(numbers->end_table());
    }
};

TEST_F(TextReports, TwoTablesOnNumberedPagesAfterTheBanner) {
    writeTwoTables(*device());
    EXPECT_TRUE(
        mftest::sameLines(mftest::readFile("report.LIS"), bannerPage() + golden("two_tables.LIS")));
}

TEST_F(TextReports, SemicolonSeparatedFileHasTheSameLayout) {
    auto csv = device(mfDevice::TEXT_CSV);
    EXPECT_EQ(csv->report_type(), mfDevice::TEXT);
    writeTwoTables(*csv);
    csv.reset();
    EXPECT_FALSE(std::filesystem::exists("report.LIS"));
    EXPECT_TRUE(
        mftest::sameLines(mftest::readFile("report.csv"), bannerPage() + golden("two_tables.csv")));
}

TEST_F(TextReports, PagesRepeatEveryHeadingAndKeepTheirLastTwoLinesFree) {
    writeNumbers(*device(), 100);
    const auto p = pages(mftest::readFile("report.LIS"));
    ASSERT_EQ(p.size(), 4U); // the banner, then three pages
    // Page 1: 5 heading lines, legend and blank line, table heading, records
    // 1 to 44 (53 lines); then 7 heading lines and 46 records a page.
    EXPECT_EQ(p[1].size(), 53U);
    EXPECT_EQ(p[2].size(), 53U);
    EXPECT_EQ(p[3].size(), 17U);
    EXPECT_EQ(p[1][5], " N : Record number");
    EXPECT_EQ(p[1][9], "      1");
    EXPECT_EQ(p[1][52], "     44");
    EXPECT_EQ(p[2][7], "     45") << "no legend on later pages";
    EXPECT_EQ(p[3][7], "     91");
    for (size_t page = 1; page <= 3; ++page) {
        const std::string number = std::to_string(page);
        EXPECT_EQ(p[page][0].substr(120), "PAGE:     " + number);
        EXPECT_EQ(p[page][3].substr(116), "SUB PAGE:     " + number);
        const size_t heading = page == 1 ? 7 : 5;
        EXPECT_EQ(p[page][heading], "      N");
        EXPECT_EQ(p[page][heading + 1], " ------");
    }
}

TEST_F(TextReports, PagesOfTablesWithoutIntegersHoldFiftyFourLines) {
    for (const auto type : {mfTableColumn::REAL, mfTableColumn::STRING}) {
        auto dev = device();
        auto t = table(*dev, "FULL");
        t->addColumn(column("V", "Value", type, 6, 1));
        ASSERT_TRUE(t->begin_table());
        for (int i = 1; i <= 100; ++i) {
            if (type == mfTableColumn::REAL) {
                EXPECT_TRUE(t->insertValue(0, static_cast<double>(i)));
            } else {
                EXPECT_TRUE(t->insertValue(0, std::to_string(i)));
            }
            EXPECT_TRUE(t->end_record());
        }
        dev.reset();
        const auto p = pages(mftest::readFile("report.LIS"));
        ASSERT_EQ(p.size(), 4U) << type;
        // Page 1: 5 heading lines, legend and blank line, table heading and
        // records 1 to 45; then 7 heading lines and 47 records a page.
        EXPECT_EQ(p[1].size(), 54U) << type;
        EXPECT_EQ(p[2].size(), 54U) << type;
        EXPECT_EQ(p[3].size(), 15U) << type;
        const bool real = type == mfTableColumn::REAL;
        EXPECT_EQ(p[1][53], real ? "   45.0" : " 45") << type;
        EXPECT_EQ(p[2][7], real ? "   46.0" : " 46") << type;
        EXPECT_EQ(p[3][7], real ? "   93.0" : " 93") << type;
    }
}

TEST_F(TextReports, RecordsOfThreeLinesNeverSplitAcrossPages) {
    auto dev = device();
    auto wide = table(*dev, "WIDE");
    for (const char* name : {"A", "B", "C"}) {
        wide->addColumn(column(name, "", mfTableColumn::STRING, 70));
    }
    ASSERT_TRUE(wide->begin_table());
    for (int i = 1; i <= 40; ++i) {
        for (int c = 0; c < 3; ++c) {
            wide->insertValue(c, "R" + std::to_string(i) + "-" + std::to_string(c + 1));
        }
        EXPECT_TRUE(wide->end_record());
    }
    dev.reset();
    const auto p = pages(mftest::readFile("report.LIS"));
    ASSERT_EQ(p.size(), 4U); // the banner and pages of 14, 14 and 12 records
    int expected = 1;
    for (size_t page = 1; page < p.size(); ++page) {
        // 5 heading lines, 3 name lines and the rule, then whole records.
        EXPECT_EQ(p[page][5], " A");
        EXPECT_EQ(p[page][6], "     B");
        const std::vector<std::string> body(p[page].begin() + 9, p[page].end());
        ASSERT_EQ(body.size() % 3, 0U);
        for (size_t i = 0; i < body.size(); i += 3, ++expected) {
            const std::string r = "R" + std::to_string(expected) + "-";
            EXPECT_EQ(body[i], " " + r + "1");
            EXPECT_EQ(body[i + 1], "     " + r + "2");
            EXPECT_EQ(body[i + 2], "     " + r + "3");
        }
    }
    EXPECT_EQ(expected, 41);
}

// The largest tables the class interface accepts stay within the page
// manager's limits: the process goes on and every record keeps to one page.
TEST_F(TextReports, LargestTablesStayWithinThePageManagersLimits) {
    const std::string title(2000, 'T');
    for (const auto type : {mfDevice::TEXT, mfDevice::TEXT_CSV}) {
        auto dev = device(type);
        auto tall = table(*dev, "TALL", title + " of the tallest table");
        auto wide = table(*dev, "WIDE", title);
        auto many = table(*dev, "MANY", "Narrow columns");
        for (int c = 1; c <= 36; ++c) {
            const std::string n = std::to_string(c);
            const std::string name = n + std::string(60 - n.size(), 'n');
            tall->addColumn(column(name, std::string(1299, 'd') + " word", mfTableColumn::STRING,
                                   72, 0, mfTableColumn::FIXED, "unit"));
            wide->addColumn(column(name, n, mfTableColumn::REAL, 20, 17));
            many->addColumn(column("C" + n, "", mfTableColumn::INTEGER, 1));
        }
        for (mfTable* t : {tall.get(), wide.get(), many.get()}) {
            ASSERT_TRUE(t->begin_table());
            for (int r = 1; r <= 3; ++r) {
                for (int c = 0; c < 36; ++c) {
                    t->insertValue(c, "R" + std::to_string(r));
                    t->insertValue(c, 1.5 * r);
                    t->insertValue(c, r);
                }
                EXPECT_TRUE(t->end_record());
            }
            EXPECT_TRUE(t->end_table());
        }
        dev.reset();
        const auto p =
            pages(mftest::readFile(type == mfDevice::TEXT ? "report.LIS" : "report.csv"));
        int records = 0;
        for (size_t page = 1; page < p.size(); ++page) {
            if (type == mfDevice::TEXT) {
                EXPECT_LE(p[page].size(), 55U);
            }
            // A tall record: R<n> at the start of 36 consecutive lines, or
            // in the semicolon-separated file 36 fields of one line.
            for (size_t i = 0; i < p[page].size(); ++i) {
                const std::string& line = p[page][i];
                if (type == mfDevice::TEXT && (line == " R1" || line == " R2" || line == " R3")) {
                    ASSERT_LE(i + 36, p[page].size());
                    EXPECT_EQ(p[page][i + 35], "     " + line.substr(1));
                    ++records;
                } else if (type == mfDevice::TEXT_CSV && line.rfind(" R", 0) == 0) {
                    const std::string value = line.substr(1, 2);
                    std::string expected = " " + value;
                    for (int c = 2; c <= 36; ++c) {
                        expected += std::string(70, ' ') + "; " + value;
                    }
                    EXPECT_EQ(line, expected);
                    ++records;
                }
            }
        }
        EXPECT_EQ(records, 3);
    }
}

TEST_F(TextReports, NoTableNoFileAndNoContent) {
    {
        auto dev = device();
        EXPECT_EQ(dev->report_type(), mfDevice::TEXT);
        EXPECT_FALSE(dev->addHeading("Model", 1));
        EXPECT_FALSE(dev->addParagraph("Text"));
        EXPECT_FALSE(dev->addList({"a", "b"}, 1));
        EXPECT_FALSE(dev->addFigure("figure.png", "Figure"));
        EXPECT_FALSE(dev->addPageBreak());
        EXPECT_FALSE(dev->addHeadingToTOC("Model", 1));
        EXPECT_FALSE(dev->beginTOC());
        EXPECT_FALSE(dev->endTOC());
        auto unused = table(*dev, "UNUSED");
        unused->addColumn(column("A", "", mfTableColumn::INTEGER, 4));
    }
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::current_path()));
}

TEST_F(TextReports, EveryKindOutsideOneToFourIsAPagedTextDevice) {
    for (const int kind : {0, 5, 99, -1, INT_MAX}) {
        auto dev = device(static_cast<mfDevice::ReportType>(kind));
        ASSERT_NE(dynamic_cast<mfTextDevice*>(dev.get()), nullptr) << kind;
        EXPECT_EQ(dev->report_type(), mfDevice::TEXT);
        auto t = table(*dev, "T");
        EXPECT_NE(dynamic_cast<mfTableText*>(t.get()), nullptr);
        t->addColumn(column("A", "", mfTableColumn::INTEGER, 4));
        EXPECT_TRUE(t->begin_table());
        EXPECT_TRUE(t->end_table());
        dev.reset();
        EXPECT_TRUE(std::filesystem::exists("report.LIS"));
        EXPECT_FALSE(std::filesystem::exists("report.csv"));
    }
    EXPECT_TRUE(std::filesystem::exists("report.LIS.bak"));
}

TEST_F(TextReports, ProgramHeadingCutsNameAndVersion) {
    const mfReportClient client("LONGPROGRAMNAME", "A program", "2.4.1-beta7", "01-NOV-2026");
    std::unique_ptr<mfDevice> dev(mfDevice::createDevice(client, "long", mfDevice::TEXT, model_));
    writeNumbers(*dev, 1);
    dev.reset();
    const auto p = pages(mftest::readFile("long.LIS"));
    ASSERT_EQ(p.size(), 2U);
    EXPECT_EQ(p[1][0].substr(36, 47), "PROGRAM: KALDU    LONGPROGR 2.4.1-b 01-NOV-2026");
}

// The maker at the device's making names its report, whatever is set later.
TEST_F(TextReports, MakerNamesTheProgramHeadingAndTheBanner) {
    ASSERT_TRUE(mfreport::setMaker("ACME Engineering", "ACMESUITE"));
    const mfReportClient client("BeamCalc", "A program", "2.4.1", "01-NOV-2026");
    std::unique_ptr<mfDevice> dev(mfDevice::createDevice(client, "acme", mfDevice::TEXT, model_));
    EXPECT_TRUE(mfreport::setMaker("Later Ltd", "LATER"));
    writeNumbers(*dev, 1);
    dev.reset();
    EXPECT_TRUE(mfreport::setMaker(mfreport::Maker().name, mfreport::Maker().suite));
    const auto p = pages(mftest::readFile("acme.LIS"));
    ASSERT_EQ(p.size(), 2U);
    EXPECT_EQ(p[1][0].substr(36, 47), "PROGRAM: ACMESUIT BeamCalc  2.4.1   01-NOV-2026");
    std::string banner;
    for (const std::string& line : p[0]) {
        banner += line + "\n";
    }
    EXPECT_NE(
        banner.find("\n" + std::string(44, ' ') + "Marketing and Support by ACME Engineering\n"),
        std::string::npos)
        << banner;
    EXPECT_NE(
        banner.find("\n" + std::string(15, ' ') +
                    "This program is the property of ACME Engineering. All rights reserved.\n"),
        std::string::npos);
    EXPECT_EQ(banner.find("ZEB"), std::string::npos);
    EXPECT_EQ(banner.find("Later"), std::string::npos);
}

TEST_F(TextReports, FailedWritesTurnEveryTableOperationFalse) {
    auto dev = device();
    auto t = table(*dev, "FULL");
    t->addColumn(column("Value", "", mfTableColumn::INTEGER, 20));
    ASSERT_TRUE(t->begin_table());
    // The report file's unit now writes to a full device.
    mfreport::record::OpenRequest full;
    full.unit = 21;
    full.file = "/dev/full";
    full.access = mfreport::record::OpenAccess::Append;
    ASSERT_EQ(mfreport::record::openUnit(full), 0);
    EXPECT_FALSE(mfreport::record::writeFailed(21));

    bool failed = false;
    for (int i = 0; i < 100000 && !failed; ++i) { // until the buffer reaches the device
        t->insertValue(0, i);
        failed = !t->end_record();
    }
    ASSERT_TRUE(failed);
    EXPECT_TRUE(mfreport::record::writeFailed(21));
    EXPECT_FALSE(t->begin_record());
    EXPECT_FALSE(t->insertValue(0, 1));
    EXPECT_FALSE(t->end_record());
    EXPECT_FALSE(t->end_table());
    EXPECT_FALSE(dev->close());
    EXPECT_FALSE(dev->close()); // the same answer again

    // A new report opens the unit again and starts clean.
    t.reset();
    dev.reset();
    dev = device();
    auto next = table(*dev, "NEXT");
    next->addColumn(column("Value", "", mfTableColumn::INTEGER, 4));
    EXPECT_TRUE(next->begin_table());
    EXPECT_FALSE(mfreport::record::writeFailed(21));
}

TEST_F(TextReports, CloseReportsTheFileAndEndsWriting) {
    for (const auto type : {mfDevice::TEXT, mfDevice::TEXT_CSV}) {
        auto dev = device(type);
        auto t = table(*dev, "T");
        t->addColumn(column("Value", "", mfTableColumn::INTEGER, 6));
        ASSERT_TRUE(t->begin_table() && t->insertValue(0, 42) && t->end_record());
        const std::string file = type == mfDevice::TEXT ? "report.LIS" : "report.csv";
        EXPECT_TRUE(dev->close());
        const std::string written = mftest::readFile(file);
        EXPECT_NE(written.find("    42"), std::string::npos);
        // Nothing reaches the file after close(), and no new file is begun.
        EXPECT_FALSE(t->begin_record() || t->insertValue(0, 7) || t->end_record());
        EXPECT_FALSE(t->end_table());
        auto late = table(*dev, "LATE");
        late->addColumn(column("Value", "", mfTableColumn::INTEGER, 6));
        EXPECT_FALSE(late->begin_table());
        EXPECT_TRUE(dev->close());
        dev.reset();
        EXPECT_EQ(mftest::readFile(file), written);
    }
    // A device without tables has no file to fail.
    EXPECT_TRUE(device()->close());
}

} // namespace
