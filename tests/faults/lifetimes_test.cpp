// Tables, contents passes and devices used in any order: a table that outlives
// its device, two devices on one file, and flush() between records.
#include <unistd.h>

#include <memory>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "mfreport/mfreport.h"
#include "package_reader.h"
#include "test_env.h"

namespace {

using mftest::readFile;
using mftest::TempFile;

const mfReportClient client("BeamCalc", "Plane frames", "2.4.1", "01-NOV-2026");
const mfReportHeader model("Footbridge", "Two spans", "bridge.mdl", "JD", "05-DEC-2026");

struct Kind {
    mfDevice::ReportType type;
    const char* stem;    ///< the name given to createDevice
    const char* written; ///< the file the device writes, beside the stem
};

class EveryKind : public ::testing::TestWithParam<Kind> {
protected:
    EveryKind() : stem_(GetParam().stem), written_(GetParam().written) {}

    std::unique_ptr<mfDevice> device() {
        return mfDevice::create(client, stem_.path(), GetParam().type, model);
    }
    const std::string& written() const { return written_.path(); }
    /// What the reader sees: the file, or the parts of a package.
    std::string contents() const {
        return packaged() ? mftest::packageText(written()) : readFile(written());
    }
    /// A package is readable only once its central directory is written.
    bool packaged() const {
        return GetParam().type == mfDevice::XLSX || GetParam().type == mfDevice::DOCX;
    }

private:
    mftest::FixedClock clock_{"1796585527"};
    TempFile stem_;
    TempFile written_; ///< the text kinds add an extension to the stem
};

std::unique_ptr<mfTable> forcesTable(mfDevice& d) {
    std::unique_ptr<mfTable> t(d.addTable(mfTableHeader("FORCES", "Element end forces", 2)));
    t->addColumn(mfTableColumn("Elem", "Element number", mfTableColumn::INTEGER));
    t->addColumn(mfTableColumn("N", "Normal force", mfTableColumn::REAL));
    t->addColumn(mfTableColumn("Label", "Element label", mfTableColumn::STRING));
    return t;
}

bool writeRecord(mfTable& t, int k) {
    bool all = t.begin_record();
    all = t.insertValue(0, k) && all;
    all = t.insertValue(1, -12.5 * k) && all;
    all = t.insertValue(2, std::string("member ") + std::to_string(k)) && all;
    return t.end_record() && all;
}

// Every call of a table whose device is gone answers false and reaches
// nothing freed (the sanitizer build proves the second half), in every state
// the table can be in: with a record open, ended, and never begun.
TEST_P(EveryKind, ATableWhoseDeviceIsDeletedAnswersFalse) {
    auto d = device();
    std::unique_ptr<mfTable> open = forcesTable(*d);
    std::unique_ptr<mfTable> ended = forcesTable(*d);
    ASSERT_TRUE(ended->begin_table());
    ASSERT_TRUE(writeRecord(*ended, 1));
    ASSERT_TRUE(ended->end_table());
    ASSERT_TRUE(open->begin_table());
    ASSERT_TRUE(writeRecord(*open, 2));
    ASSERT_TRUE(open->begin_record());
    ASSERT_TRUE(open->insertValue(0, 3));
    std::unique_ptr<mfTable> unbegun = forcesTable(*d);
    d.reset();

    for (mfTable* t : {open.get(), ended.get(), unbegun.get()}) {
        EXPECT_EQ(t->device(), nullptr);
        EXPECT_FALSE(t->insertValue(1, 4.5));
        EXPECT_FALSE(t->insertValue(2, std::string("late")));
        EXPECT_FALSE(t->end_record());
        EXPECT_FALSE(t->begin_table());
        EXPECT_FALSE(writeRecord(*t, 5));
        EXPECT_FALSE(t->end_table());
        t->printAbbreviations();
        t->setWrapping(2, 1);
        EXPECT_EQ(t->addColumn(mfTableColumn("M", "Moment", mfTableColumn::REAL)), 4);
    }
    // The open record was written when the device closed the document.
    const std::string file = contents();
    EXPECT_NE(file.find("member 2"), std::string::npos);
    EXPECT_EQ(file.find("late"), std::string::npos);
    EXPECT_EQ(file.find("member 5"), std::string::npos);
}

// flush() puts the records written so far into the file, where another
// reader sees them while the report goes on (a package's reader only after
// close()).
TEST_P(EveryKind, FlushMakesTheRecordsSoFarVisible) {
    auto d = device();
    std::unique_ptr<mfTable> t = forcesTable(*d);
    ASSERT_TRUE(t->begin_table());
    for (int k = 1; k <= 3; ++k) {
        ASSERT_TRUE(writeRecord(*t, k));
    }
    ASSERT_TRUE(d->flush());
    if (!packaged()) {
        const std::string file = contents();
        EXPECT_NE(file.find("member 3"), std::string::npos) << file;
    }
    ASSERT_TRUE(writeRecord(*t, 4));
    ASSERT_TRUE(t->end_table());
    ASSERT_TRUE(d->close());
    EXPECT_FALSE(d->flush()); // closed
    const std::string file = contents();
    EXPECT_NE(file.find("member 3"), std::string::npos) << file;
    EXPECT_NE(file.find("member 4"), std::string::npos) << file;
}

// A contents pass whose device was deleted first answers false, writes
// nothing and resets nothing when it ends.
TEST_P(EveryKind, AContentsPassOutlivingItsDeviceAnswersFalse) {
    auto d = device();
    auto pass = std::make_unique<mfTOCDevice>(d.get());
    const mfDevice::ReportType type = GetParam().type;
    if (type == mfDevice::HTML || type == mfDevice::XML_WP || type == mfDevice::DOCX) {
        EXPECT_TRUE(pass->addHeading("Results", 1));
        EXPECT_TRUE(pass->flush());
    }
    d.reset();
    EXPECT_FALSE(pass->addHeading("Late", 1));
    EXPECT_FALSE(pass->flush());
    pass.reset();
    EXPECT_EQ(contents().find("Late"), std::string::npos);
}

std::string kindName(const ::testing::TestParamInfo<Kind>& info) {
    static const char* const names[] = {"Text",    "Html", "Workbook", "Document",
                                        "TextCsv", "Toc",  "Package",  "DocumentPackage"};
    return names[info.param.type];
}

INSTANTIATE_TEST_SUITE_P(Lifetimes, EveryKind,
                         ::testing::Values(Kind{mfDevice::HTML, "report.html", "report.html"},
                                           Kind{mfDevice::XML_SS, "book.xml", "book.xml"},
                                           Kind{mfDevice::XML_WP, "doc.xml", "doc.xml"},
                                           Kind{mfDevice::TEXT, "report", "report.LIS"},
                                           Kind{mfDevice::TEXT_CSV, "report", "report.csv"},
                                           Kind{mfDevice::XLSX, "book.xlsx", "book.xlsx"},
                                           Kind{mfDevice::DOCX, "doc.docx", "doc.docx"}),
                         kindName);

const std::string unableToOpen(const std::string& name) {
    return "Unable to open file " + name +
           ".\nIs file locked by another program or an illegal filename specified ?";
}

// A second device on a file that a live device is writing would cut it
// short and mix two documents: createDevice throws instead, also when a
// link leads to the file, and the first report stays whole.
TEST(Lifetimes, TwoDevicesOnOneFile) {
    mftest::FixedClock clock("1796585527");
    TempFile file("shared.html");
    TempFile link("shared-link.xml");
    auto first = mfDevice::create(client, file.path(), mfDevice::HTML, model);
    ASSERT_TRUE(first->addParagraph("first report"));
    ASSERT_EQ(symlink(file.path().c_str(), link.path().c_str()), 0);

    for (const auto& [kind, name] :
         {std::pair{mfDevice::XML_SS, file.path()}, std::pair{mfDevice::XML_WP, link.path()},
          std::pair{mfDevice::HTML, link.path()}}) {
        try {
            mfDevice::create(client, name, kind, model);
            ADD_FAILURE() << "a second device opened " << name;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(e.what(), unableToOpen(name));
        }
    }
    ASSERT_TRUE(first->close());
    const std::string page = readFile(file.path());
    EXPECT_NE(page.find("first report"), std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 8), "</html>\n");

    // Closed, the file is free for the next report.
    auto second = mfDevice::create(client, link.path(), mfDevice::XML_SS, model);
    EXPECT_TRUE(second->close());
}

// A text report never opens (or moves aside as a backup) a file that a markup
// device is writing, and a markup device never opens a text report's file.
TEST(Lifetimes, TextAndMarkupDevicesOnOneFile) {
    mftest::FixedClock clock("1796585527");
    TempFile stem("mixed");
    TempFile listing("mixed.LIS");
    TempFile backup("mixed.LIS.bak");

    auto page = mfDevice::create(client, listing.path(), mfDevice::HTML, model);
    ASSERT_TRUE(page->addParagraph("the page"));
    {
        auto text = mfDevice::create(client, stem.path(), mfDevice::TEXT, model);
        std::unique_ptr<mfTable> t = forcesTable(*text);
        EXPECT_FALSE(t->begin_table());
        EXPECT_FALSE(text->close());
    }
    ASSERT_TRUE(page->close());
    EXPECT_NE(readFile(listing.path()).find("the page"), std::string::npos);
    EXPECT_EQ(access(backup.path().c_str(), F_OK), -1);

    auto text = mfDevice::create(client, stem.path(), mfDevice::TEXT, model);
    std::unique_ptr<mfTable> t = forcesTable(*text);
    ASSERT_TRUE(t->begin_table());
    EXPECT_THROW(mfDevice::create(client, listing.path(), mfDevice::XML_WP, model),
                 std::runtime_error);
    EXPECT_TRUE(writeRecord(*t, 1));
    EXPECT_TRUE(t->end_table());
    EXPECT_TRUE(text->close());
}

} // namespace
