// The rows of the markup table writers whatever the order of the cells, the
// number cells of wide fields and long numbers, and when the document's bytes
// reach the file.
#include <chrono>
#include <ctime>
#include <iomanip>
#include <ios>
#include <iterator>
#include <locale>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "markup_documents.h"

namespace {

using mftest::column;
using mftest::makeTable;
using mftest::markupKinds;
using mftest::tableBody;

std::vector<mfTableColumn> mixedColumns() {
    mfTableColumn yellow = column("T", mfTableColumn::STRING);
    yellow.setBackgroundColor("FFFF00");
    return {column("I", mfTableColumn::INTEGER),
            column("F", mfTableColumn::REAL, 10, 3, mfTableColumn::FIXED), yellow,
            column("E", mfTableColumn::REAL, 12, 2, mfTableColumn::SCIENTIFIC),
            column("J", mfTableColumn::INTEGER)};
}

// One cell of record `r` in column `c` of mixedColumns.
void insert(mfTable& t, int r, int c) {
    switch (c) {
    case 0:
    case 4:
        t.insertValue(c, r * 7 + c);
        break;
    case 2:
        t.insertValue(c, std::string("row ") + std::to_string(r));
        break;
    default:
        t.insertValue(c, (r + 1) * 3.14159 * c);
    }
}

// Records whose cells come in `order`, -1 standing for a wrong value in
// column 1 that a later cell of the order replaces.
std::string rows(mfDevice::ReportType kind, const std::vector<int>& order, int wrap) {
    return tableBody(
        kind, mixedColumns(),
        [&](mfTable& t) {
            for (int r = 0; r < 3; ++r) {
                EXPECT_TRUE(t.begin_record());
                for (const int c : order) {
                    if (c < 0) {
                        t.insertValue(1, -999.0);
                    } else {
                        insert(t, r, c);
                    }
                }
                EXPECT_TRUE(t.end_record());
            }
        },
        [&](mfTable& t) {
            t.setBackgroundColor("00FF00");
            t.setWrapping(wrap, 1);
        });
}

TEST(MarkupRows, CellsInAnyOrderGiveTheRowOfColumnOrder) {
    for (const mfDevice::ReportType kind : markupKinds) {
        for (const int wrap : {99, 2}) {
            const std::string inOrder = rows(kind, {0, 1, 2, 3, 4}, wrap);
            EXPECT_EQ(rows(kind, {4, 3, 2, 1, 0}, wrap), inOrder) << kind << " wrap " << wrap;
            EXPECT_EQ(rows(kind, {0, 2, 3, 1, 4}, wrap), inOrder) << kind << " wrap " << wrap;
            EXPECT_EQ(rows(kind, {0, -1, 2, 3, 4, 1}, wrap), inOrder) << kind << " wrap " << wrap;
            EXPECT_EQ(rows(kind, {-1, 0, 2, 3, 4, 1}, wrap), inOrder) << kind << " wrap " << wrap;
        }
    }
}

TEST(MarkupRows, AColumnAddedAfterTheFirstRecordIsWrittenFromThen) {
    for (const mfDevice::ReportType kind : markupKinds) {
        const auto body = [&](bool late) {
            return tableBody(kind, {column("A", mfTableColumn::INTEGER)}, [&](mfTable& t) {
                t.begin_record();
                t.insertValue(0, 1);
                t.end_record();
                if (late) {
                    t.addColumn(column("B", mfTableColumn::INTEGER));
                }
                t.begin_record();
                t.insertValue(0, 2);
                t.insertValue(1, 4567);
                t.end_record();
            });
        };
        const std::string early = body(false);
        const std::string late = body(true);
        EXPECT_NE(late, early);
        EXPECT_EQ(early.find("4567</"), std::string::npos) << kind;
        EXPECT_NE(late.find("4567</"), std::string::npos) << kind;
    }
}

// The text that a stream gives for `value` in `width` columns with fixed
// notation and `decimals` digits after the point.
std::string streamed(double value, int width, int decimals) {
    std::ostringstream os;
    os.imbue(std::locale::classic());
    os << std::fixed << std::setprecision(decimals) << std::setw(width) << value;
    return os.str();
}

TEST(MarkupRows, WideFieldsAndLongNumbersAreRightJustifiedByTheStreamRule) {
    struct Case {
        size_t width;
        size_t decimals;
        double value;
    };
    const Case cases[] = {{40, 2, 3.14159}, {12, 4, 1e40},  {8, 2, 0.0},
                          {33, 0, -2.5},    {10, 400, 1.5}, {300, 3, -7.0}};
    for (const Case& c : cases) {
        const std::string expected = c.value == 0.0 ? std::string(c.width - 1, ' ') + "0"
                                                    : streamed(c.value, static_cast<int>(c.width),
                                                               static_cast<int>(c.decimals));
        const auto body = [&](mfDevice::ReportType kind) {
            return tableBody(
                kind, {column("X", mfTableColumn::REAL, c.width, c.decimals, mfTableColumn::FIXED)},
                [&](mfTable& t) {
                    t.begin_record();
                    t.insertValue(0, c.value);
                    t.end_record();
                });
        };
        EXPECT_NE(body(mfDevice::HTML).find("> " + expected + "</td>"), std::string::npos)
            << c.width << " " << c.decimals << " " << c.value;
        EXPECT_NE(body(mfDevice::XML_WP).find("<w:t>" + expected + "</w:t>"), std::string::npos)
            << c.width << " " << c.decimals << " " << c.value;
    }
}

long long sizeOf(const std::string& path) {
    struct stat file {};
    return stat(path.c_str(), &file) == 0 ? static_cast<long long>(file.st_size) : -1;
}

// Waits for the next second of the clock, so that a second-long interval
// lies ahead.
void awaitNewSecond() {
    const std::time_t start = std::time(nullptr);
    while (std::time(nullptr) == start) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

TEST(MarkupRows, RecordsReachTheFileAtTheTableEndOrASecondLater) {
    // The three kinds side by side, so that the test waits two seconds at most.
    constexpr size_t kinds = std::size(markupKinds);
    std::vector<std::unique_ptr<mftest::TempFile>> files;
    std::vector<std::unique_ptr<mfDevice>> devices;
    std::vector<std::unique_ptr<mfTable>> tables;
    for (size_t i = 0; i < kinds; ++i) {
        files.push_back(std::make_unique<mftest::TempFile>("flushes" + std::to_string(i)));
        devices.emplace_back(mfDevice::createDevice(mftest::testClient, files[i]->path(),
                                                    markupKinds[i], mftest::testModel));
        tables.push_back(makeTable(*devices[i], {column("A", mfTableColumn::INTEGER)}));
    }
    std::vector<long long> started(kinds);
    awaitNewSecond();
    for (size_t i = 0; i < kinds; ++i) {
        ASSERT_TRUE(tables[i]->begin_table() && tables[i]->begin_record());
        started[i] = sizeOf(files[i]->path()); // the head is in the file
        tables[i]->insertValue(0, 1);
        ASSERT_TRUE(tables[i]->end_record());
        EXPECT_EQ(sizeOf(files[i]->path()), started[i]) << markupKinds[i];
    }
    awaitNewSecond();
    for (size_t i = 0; i < kinds; ++i) {
        tables[i]->begin_record();
        tables[i]->insertValue(0, 2);
        ASSERT_TRUE(tables[i]->end_record());
        const long long later = sizeOf(files[i]->path());
        EXPECT_GT(later, started[i]) << markupKinds[i];
        ASSERT_TRUE(tables[i]->end_table());
        EXPECT_GT(sizeOf(files[i]->path()), later) << markupKinds[i];
        tables[i].reset();
        EXPECT_TRUE(devices[i]->close());
    }
}

} // namespace
