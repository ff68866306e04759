// What the three markup kinds share: the factory, the opening of the file,
// failed writes, the record protocol and its calls out of order.
#include <csignal>
#include <cstdlib>
#include <locale>
#include <memory>
#include <string>
#include <typeinfo>

#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "markup_documents.h"
#include "recording_device.h"

namespace {

using mftest::Content;
using mftest::documentBody;
using mftest::makeTable;
using mftest::markupKinds;

const mfTableColumn intA("A", "a", mfTableColumn::INTEGER);
const mfTableColumn intB("B", "b", mfTableColumn::INTEGER);
const mfTableColumn textC("C", "c", mfTableColumn::STRING);

// The table writer of each kind, built on any device.
mfTable* writerOf(mfDevice::ReportType kind, mfDevice* device) {
    const mfTableHeader header("T", "Tab", 1);
    switch (kind) {
    case mfDevice::HTML:
        return new mfTableHtml(header, device);
    case mfDevice::XML_SS:
        return new mfTableXmlSS(header, device);
    default:
        return new mfTableXmlWP(header, device);
    }
}

// A copy of the writer `table`: by copy construction, or by assignment to a
// writer of no device.
template <class Writer>
mfTable* copyOf(mfTable& table, bool assign) {
    const Writer& original = static_cast<Writer&>(table);
    if (!assign) {
        return new Writer(original);
    }
    Writer* copy = new Writer(mfTableHeader("X", "x", 1), nullptr);
    *copy = original;
    return copy;
}

mfTable* copyOf(mfDevice::ReportType kind, mfTable& table, bool assign) {
    switch (kind) {
    case mfDevice::HTML:
        return copyOf<mfTableHtml>(table, assign);
    case mfDevice::XML_SS:
        return copyOf<mfTableXmlSS>(table, assign);
    default:
        return copyOf<mfTableXmlWP>(table, assign);
    }
}

TEST(MarkupKinds, FactoryBuildsEachKindAndReplacesTheFile) {
    for (const mfDevice::ReportType kind : markupKinds) {
        mftest::TempFile file("factory.xml");
        mftest::writeFile(file.path(), "an older and much longer file that must go away\n");
        std::unique_ptr<mfDevice> device(
            mfDevice::createDevice(mftest::testClient, file.path(), kind, mftest::testModel));
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(device->report_type(), kind);
        std::unique_ptr<mfTable> table(device->addTable(mfTableHeader("T", "Tab", 1)));
        std::unique_ptr<mfTable> own(writerOf(kind, device.get()));
        const mfTable& made = *table;
        const mfTable& expected = *own;
        EXPECT_EQ(typeid(made), typeid(expected)) << kind;
        EXPECT_EQ(table->device(), device.get());
        device.reset();
        EXPECT_EQ(mftest::readFile(file.path()).find("older"), std::string::npos);
    }
}

TEST(MarkupKinds, UnopenableFileThrowsTheLibraryMessage) {
    for (const mfDevice::ReportType kind : markupKinds) {
        for (const std::string name : {"/nonexistent-folder/report.xml", "/tmp"}) {
            try {
                delete mfDevice::createDevice(mfReportClient(), name, kind, mfReportHeader());
                ADD_FAILURE() << "no exception for " << name;
            } catch (const std::exception& e) {
                EXPECT_EQ(std::string(e.what()),
                          "Unable to open file " + name +
                              ".\nIs file locked by another program or an illegal filename "
                              "specified ?");
            }
        }
    }
}

// The content operations, and which of them each kind writes.
struct Operation {
    const char* name;
    bool (*call)(mfDevice&);
    bool html, xmlss, xmlwp;
};
const Operation operations[] = {
    {"heading", [](mfDevice& d) { return d.addHeading("Results", 1); }, true, false, true},
    {"paragraph", [](mfDevice& d) { return d.addParagraph("text"); }, true, false, true},
    {"list", [](mfDevice& d) { return d.addList(Vector<std::string>(2, "a"), 2); }, true, false,
     true},
    {"figure", [](mfDevice& d) { return d.addFigure("f.png", "caption"); }, true, false, true},
    {"page break", [](mfDevice& d) { return d.addPageBreak(); }, false, false, true},
    {"contents line", [](mfDevice& d) { return d.addHeadingToTOC("Results", 1); }, true, false,
     true},
    {"contents start", [](mfDevice& d) { return d.beginTOC(); }, false, false, true},
    {"contents end", [](mfDevice& d) { return d.endTOC(); }, false, false, true},
};

bool writes(const Operation& op, mfDevice::ReportType kind) {
    return kind == mfDevice::HTML ? op.html : kind == mfDevice::XML_SS ? op.xmlss : op.xmlwp;
}

TEST(MarkupKinds, EachKindWritesTheContentItCanExpress) {
    for (const mfDevice::ReportType kind : markupKinds) {
        for (const Operation& op : operations) {
            const std::string body = documentBody(
                kind, [&](mfDevice& d) { EXPECT_EQ(op.call(d), writes(op, kind)) << op.name; });
            EXPECT_EQ(body.empty(), !writes(op, kind)) << op.name << " on " << kind;
        }
        // Abbreviations go through the device's paragraphs and lists.
        EXPECT_EQ(
            documentBody(kind, [](mfDevice& d) { makeTable(d, {intA})->printAbbreviations(); }),
            kind == mfDevice::XML_SS ? "" : documentBody(kind, [](mfDevice& d) {
                d.addParagraph("Abbreviations");
                d.addList({"A  :  a"}, 1);
            }));
    }
}

// The protocol of a table that cannot write: false throughout.
void expectNothingWritten(mfTable& table) {
    EXPECT_FALSE(table.begin_table());
    EXPECT_FALSE(table.begin_record());
    EXPECT_FALSE(table.insertValue(0, 1));
    EXPECT_FALSE(table.end_record());
    EXPECT_FALSE(table.end_table());
}

TEST(MarkupKinds, AFailedWriteShowsInEveryWritingOperation) {
    for (const mfDevice::ReportType kind : markupKinds) {
        std::unique_ptr<mfDevice> device(
            mfDevice::createDevice(mfReportClient(), "/dev/full", kind, mfReportHeader()));
        for (const Operation& op : operations) {
            EXPECT_FALSE(op.call(*device)) << op.name;
        }
        expectNothingWritten(*makeTable(*device, {intA}));
    }
}

TEST(MarkupKinds, AFailedWriteShowsInClose) {
    for (const mfDevice::ReportType kind : markupKinds) {
        std::unique_ptr<mfDevice> device(
            mfDevice::createDevice(mfReportClient(), "/dev/full", kind, mfReportHeader()));
        EXPECT_FALSE(device->close());
        EXPECT_FALSE(device->close());
    }
}

// In a child process: writes a document of `kind` whose every byte reaches
// the file until close(), which is allowed only a few more bytes. Exits with
// 0 when both close() calls answer false.
[[noreturn]] void closeWithFullDisk(mfDevice::ReportType kind, const std::string& path) {
    std::signal(SIGXFSZ, SIG_IGN);
    std::unique_ptr<mfDevice> device(
        mfDevice::createDevice(mftest::testClient, path, kind, mftest::testModel));
    std::unique_ptr<mfTable> table = makeTable(*device, {intA});
    table->begin_table();
    table->begin_record();
    table->insertValue(0, 1);
    const bool written = table->end_record() && table->end_table();
    struct stat file {};
    stat(path.c_str(), &file);
    const rlim_t room = static_cast<rlim_t>(file.st_size) + 4;
    const rlimit limit{room, room};
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool first = device->close();
    const bool second = device->close();
    std::_Exit(written && !first && !second ? 0 : 1);
}

TEST(MarkupKinds, CloseReportsAFinalWriteThatFails) {
    for (const mfDevice::ReportType kind : markupKinds) {
        mftest::TempFile file("full.xml");
        EXPECT_EXIT(closeWithFullDisk(kind, file.path()), ::testing::ExitedWithCode(0), "") << kind;
    }
}

TEST(MarkupKinds, CloseEndsTheDocumentOnceAndWritingStops) {
    for (const mfDevice::ReportType kind : markupKinds) {
        mftest::TempFile closed("closed.xml");
        mftest::TempFile deleted("deleted.xml");
        const auto write = [&](const std::string& path) {
            std::unique_ptr<mfDevice> device(
                mfDevice::createDevice(mftest::testClient, path, kind, mftest::testModel));
            device->addParagraph("text");
            return device;
        };
        {
            mftest::FixedClock clock(mftest::fixedEpoch);
            write(deleted.path());
            std::unique_ptr<mfDevice> device = write(closed.path());
            std::unique_ptr<mfTable> table = makeTable(*device, {intA});
            table->begin_table();
            EXPECT_TRUE(device->close());
            const std::string ended = mftest::readFile(closed.path());
            EXPECT_EQ(ended, mftest::readFile(deleted.path()));
            EXPECT_TRUE(device->close());
            for (const Operation& op : operations) {
                EXPECT_FALSE(op.call(*device)) << op.name;
            }
            std::unique_ptr<mfTable> late = makeTable(*device, {intA});
            for (mfTable* t : {table.get(), late.get()}) {
                EXPECT_FALSE(t->begin_table());
                EXPECT_FALSE(t->begin_record());
                EXPECT_FALSE(t->insertValue(0, 1));
                EXPECT_FALSE(t->end_record());
                EXPECT_FALSE(t->end_table());
            }
            EXPECT_EQ(device->last_heading_level(), 0);
            EXPECT_EQ(mftest::readFile(closed.path()), ended);
        }
        EXPECT_WELL_FORMED(closed.path());
    }
    // A device without a file of its own has nothing to close.
    mftest::RecordingDevice target;
    EXPECT_TRUE(mfTOCDevice(&target).close());
}

TEST(MarkupKinds, TablesOfAnotherDeviceWriteNothing) {
    mftest::RecordingDevice other;
    for (const mfDevice::ReportType kind : markupKinds) {
        for (mfDevice* device : {static_cast<mfDevice*>(&other), static_cast<mfDevice*>(nullptr)}) {
            std::unique_ptr<mfTable> table(writerOf(kind, device));
            table->addColumn(intA);
            expectNothingWritten(*table);
        }
    }
    EXPECT_TRUE(other.calls.empty());
}

// Writes one table with columns A, B, C whose records `fill` drives.
std::string records(mfDevice::ReportType kind, const std::function<void(mfTable&)>& fill) {
    return documentBody(kind, [&](mfDevice& d) {
        std::unique_ptr<mfTable> table = makeTable(d, {intA, intB, textC});
        table->begin_table();
        fill(*table);
        table->end_table();
    });
}

TEST(MarkupKinds, CellsGoInColumnOrderAndTheLastValueWins) {
    for (const mfDevice::ReportType kind : markupKinds) {
        const std::string expected = records(kind, [](mfTable& t) {
            t.begin_record();
            t.insertValue(0, 1);
            t.insertValue(2, std::string("second"));
            t.end_record();
            t.begin_record();
            t.end_record();
        });
        EXPECT_EQ(records(kind,
                          [](mfTable& t) {
                              t.insertValue(1, 7); // before the record: dropped
                              EXPECT_TRUE(t.begin_record());
                              EXPECT_TRUE(t.insertValue(2, std::string("first")));
                              EXPECT_TRUE(t.insertValue(0, 1));
                              EXPECT_TRUE(t.insertValue(2, std::string("second")));
                              EXPECT_FALSE(t.insertValue(3, 9));
                              EXPECT_FALSE(t.insertValue(-1, 9.0));
                              EXPECT_FALSE(t.insertValue(1000000, std::string("far")));
                              EXPECT_TRUE(t.end_record());
                              t.insertValue(1, 8); // between records: dropped
                              EXPECT_TRUE(t.begin_record());
                              EXPECT_TRUE(t.end_record());
                          }),
                  expected)
            << kind;
    }
}

TEST(MarkupKinds, ACopiedWriterCarriesTheDeviceAndTheCellsOfItsRecord) {
    for (const mfDevice::ReportType kind : markupKinds) {
        const std::string expected = records(kind, [](mfTable& t) {
            t.begin_record();
            t.insertValue(0, 1);
            t.end_record();
        });
        for (const bool assign : {false, true}) {
            EXPECT_EQ(records(kind,
                              [&](mfTable& t) {
                                  t.begin_record();
                                  t.insertValue(0, 1);
                                  std::unique_ptr<mfTable> copy(copyOf(kind, t, assign));
                                  t.insertValue(0, 2);
                                  EXPECT_EQ(copy->device(), t.device());
                                  EXPECT_EQ(copy->column_size(), 3U);
                                  EXPECT_TRUE(copy->end_record());
                              }),
                      expected);
        }
    }
}

TEST(MarkupKinds, NumbersIgnoreTheCallersLocale) {
    struct Comma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const auto numbers = [](mfTable& t) {
        t.begin_record();
        t.insertValue(0, 1234567);
        t.insertValue(1, 1234.5);
        t.end_record();
    };
    const std::vector<mfTableColumn> columns = {
        intA, mftest::column("R", mfTableColumn::REAL, 10, 3, mfTableColumn::FIXED)};
    for (const mfDevice::ReportType kind : markupKinds) {
        const std::string classic = mftest::tableBody(kind, columns, numbers);
        const std::locale previous =
            std::locale::global(std::locale(std::locale::classic(), new Comma));
        const std::string comma = mftest::tableBody(kind, columns, numbers);
        std::locale::global(previous);
        EXPECT_EQ(comma, classic);
    }
}

// A table one record into its rows, and the same table ended properly.
void openRecord(mfDevice& d, std::unique_ptr<mfTable>& t, const std::string& name = "T") {
    t = makeTable(d, {intA, intB, textC}, name);
    t->begin_table();
    t->begin_record();
    t->insertValue(2, std::string("kept"));
    t->insertValue(0, 1);
}
void wholeTable(mfDevice& d, const std::string& name = "T") {
    std::unique_ptr<mfTable> t;
    openRecord(d, t, name);
    t->end_record();
    t->end_table();
}

// Content, another table and the end of the document each end a table left
// open first, writing its open record: nothing lands inside the table.
TEST(MarkupKinds, WhatFollowsAnOpenTableEndsItFirst) {
    for (const mfDevice::ReportType kind : markupKinds) {
        for (const Operation& op : operations) {
            if (!writes(op, kind)) {
                continue;
            }
            EXPECT_EQ(documentBody(kind,
                                   [&](mfDevice& d) {
                                       std::unique_ptr<mfTable> t;
                                       openRecord(d, t);
                                       EXPECT_TRUE(op.call(d));
                                       // No longer the open table.
                                       EXPECT_FALSE(t->end_record());
                                       EXPECT_FALSE(t->begin_record());
                                       t->end_table();
                                   }),
                      documentBody(kind,
                                   [&](mfDevice& d) {
                                       wholeTable(d);
                                       op.call(d);
                                   }))
                << op.name << " on " << kind;
        }
        // A second table's first record; the first table's record calls then
        // answer false and write nothing.
        EXPECT_EQ(documentBody(kind,
                               [](mfDevice& d) {
                                   std::unique_ptr<mfTable> first;
                                   std::unique_ptr<mfTable> second;
                                   openRecord(d, first, "A");
                                   openRecord(d, second, "B");
                                   EXPECT_FALSE(first->begin_record());
                                   first->insertValue(1, 5);
                                   EXPECT_FALSE(first->end_record());
                                   first->end_table();
                                   second->end_record();
                                   second->end_table();
                               }),
                  documentBody(kind,
                               [](mfDevice& d) {
                                   wholeTable(d, "A");
                                   wholeTable(d, "B");
                               }))
            << kind;
        // The end of the document, with the table's writer still alive.
        std::unique_ptr<mfTable> left;
        EXPECT_EQ(mftest::writeDocument(kind, [&](mfDevice& d) { openRecord(d, left); }),
                  mftest::writeDocument(kind, [](mfDevice& d) { wholeTable(d); }))
            << kind;
        left.reset();
    }
}

// Calls out of order answer false where nothing can be written, and the
// document stays well-formed (documentBody checks it) whatever happens.
TEST(MarkupKinds, CallsOutOfOrderKeepTheDocumentWellFormed) {
    const auto oneRecord = [](mfTable& t) {
        t.begin_record();
        t.insertValue(0, 1);
        t.end_record();
    };
    for (const mfDevice::ReportType kind : markupKinds) {
        // A table never begun writes nothing.
        EXPECT_EQ(documentBody(kind,
                               [](mfDevice& d) {
                                   std::unique_ptr<mfTable> t = makeTable(d, {intA});
                                   EXPECT_TRUE(t->end_table());
                                   EXPECT_FALSE(t->begin_record());
                                   EXPECT_FALSE(t->end_record());
                               }),
                  "");
        const std::string one = records(kind, oneRecord);
        // A record begun twice is one record; end_table writes a record left
        // open; a second end_table and a record after the end write nothing.
        EXPECT_EQ(records(kind,
                          [](mfTable& t) {
                              t.begin_record();
                              t.insertValue(0, 9);
                              EXPECT_TRUE(t.begin_record());
                              t.insertValue(0, 1);
                              EXPECT_TRUE(t.end_table());
                              EXPECT_TRUE(t.end_table());
                              EXPECT_FALSE(t.begin_record());
                              EXPECT_FALSE(t.end_record());
                          }),
                  one);
        // begin_table again ends the table first, with the record left open.
        EXPECT_EQ(documentBody(kind,
                               [&](mfDevice& d) {
                                   std::unique_ptr<mfTable> t = makeTable(d, {intA, intB, textC});
                                   t->begin_table();
                                   t->begin_record();
                                   t->insertValue(0, 1);
                                   EXPECT_TRUE(t->begin_table());
                                   oneRecord(*t);
                                   t->end_table();
                               }),
                  documentBody(kind, [&](mfDevice& d) {
                      for (int i = 0; i < 2; ++i) {
                          std::unique_ptr<mfTable> t = makeTable(d, {intA, intB, textC});
                          t->begin_table();
                          oneRecord(*t);
                          t->end_table();
                      }
                  }));
        // A table deleted in the middle of a record, and a second table
        // started inside a record of the first, which it ends.
        documentBody(kind, [](mfDevice& d) {
            std::unique_ptr<mfTable> first = makeTable(d, {intA}, "A");
            std::unique_ptr<mfTable> second = makeTable(d, {intA}, "B");
            first->begin_table();
            EXPECT_TRUE(first->begin_record());
            second->begin_table();
            EXPECT_TRUE(second->begin_record());
            EXPECT_FALSE(first->end_record());
            EXPECT_FALSE(first->begin_record());
            EXPECT_TRUE(first->end_table());
            std::unique_ptr<mfTable> third = makeTable(d, {intA}, "C");
            third->begin_table();
            third->begin_record();
            third->insertValue(0, 1);
        });
    }
}

} // namespace
