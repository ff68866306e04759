#include <string>

#include <gtest/gtest.h>

#include "mfreport/record/record_io.h"
#include "mfreport/support/files.h"
#include "test_env.h"

namespace {

using namespace mfreport::support;
using mfreport::record::inquireUnit;
using mfreport::record::OpenForm;
using mfreport::record::writeRecord;
using mfreport::record::item::A;

constexpr int32_t kUnit = 41;

class SequentialFiles : public testing::Test {
protected:
    void TearDown() override { CLSFIL(kUnit, iostat); }
    mftest::TempFile file{"seq.LIS"};
    mftest::TempFile backup{"seq.LIS.bak"};
    int32_t iostat = -12345;
};

TEST_F(SequentialFiles, NewFileBacksUpTheExistingOneReplacingAnOlderBackup) {
    mftest::writeFile(file.path(), "previous run\n");
    mftest::writeFile(backup.path(), "older backup\n");
    OPNPRT(kUnit, "", file.path(), "", "NEW", iostat); // NEW becomes PRINT
    ASSERT_EQ(iostat, 0);
    writeRecord(kUnit, {A("this run")});
    CLSFIL(kUnit, iostat);
    EXPECT_EQ(iostat, 0);
    EXPECT_EQ(mftest::readFile(file.path()), "this run\n");
    EXPECT_EQ(mftest::readFile(backup.path()), "previous run\n");
}

TEST_F(SequentialFiles, NameIsDirectoryNameAndExtensionTrimmedAndJoined) {
    const std::string path = file.path();
    const size_t slash = path.rfind('/');
    const std::string directory = path.substr(0, slash + 1) + "   ";
    const std::string stem = path.substr(slash + 1, path.size() - slash - 5) + "  ";
    OPNFIL(kUnit, directory, stem, ".LIS    ", "UNKNOWN", "FORMATTED", iostat);
    ASSERT_EQ(iostat, 0);
    EXPECT_EQ(inquireUnit(kUnit).file, path);
    OPNFIL(kUnit, "        ", path + "   ", "    ", "OLD", "FORMATTED", iostat);
    ASSERT_EQ(iostat, 0);
    EXPECT_EQ(inquireUnit(kUnit).file, path);
}

TEST_F(SequentialFiles, AppendKeepsContentsOtherStatusesStartAtTheFirstRecord) {
    mftest::writeFile(file.path(), "first\n");
    OPNFIL(kUnit, "", file.path(), "", "APPEND", "FORMATTED", iostat);
    ASSERT_EQ(iostat, 0);
    writeRecord(kUnit, {A("second")});
    CLSFIL(kUnit, iostat);
    EXPECT_EQ(mftest::readFile(file.path()), "first\nsecond\n");

    OPNFIL(kUnit, "", file.path(), "", "OLD", "FORMATTED", iostat);
    ASSERT_EQ(iostat, 0);
    writeRecord(kUnit, {A("again")});
    CLSFIL(kUnit, iostat);
    EXPECT_EQ(mftest::readFile(file.path()), "again\n");
    EXPECT_EQ(mftest::readFile(backup.path()), ""); // no backup made
}

TEST_F(SequentialFiles, FormWordGivesFormAndRecordLength) {
    OPNFIL(kUnit, "", file.path(), "", "UNKNOWN", "UNFORMATTED=512", iostat);
    ASSERT_EQ(iostat, 0);
    EXPECT_EQ(inquireUnit(kUnit).form, OpenForm::Unformatted);
    EXPECT_EQ(inquireUnit(kUnit).record_length, 512);
    OPNFIL(kUnit, "", file.path(), "", "UNKNOWN", "IEEE-UNFORMATTED", iostat);
    ASSERT_EQ(iostat, 0);
    EXPECT_EQ(inquireUnit(kUnit).form, OpenForm::Unformatted);
    EXPECT_EQ(inquireUnit(kUnit).record_length, 0);
}

TEST_F(SequentialFiles, BadWordsAndNamesOpenNothing) {
    OPNFIL(kUnit, "", file.path(), "", "CREATE", "FORMATTED", iostat);
    EXPECT_EQ(iostat, -12345); // unchanged
    for (const char* form : {"BINARY", "FORMATTED=12x"}) {
        OPNFIL(kUnit, "", file.path(), "", "UNKNOWN", form, iostat);
        EXPECT_NE(iostat, 0) << form;
    }
    OPNFIL(kUnit, "", file.path(), "", "OLD", "FORMATTED", iostat);
    EXPECT_NE(iostat, 0);
    // 256 characters in all: refused rather than cut to another name.
    OPNFIL(kUnit, "/tmp/" + std::string(250, 'd'), "n  ", "  ", "UNKNOWN", "FORMATTED", iostat);
    EXPECT_NE(iostat, 0);
    EXPECT_FALSE(inquireUnit(kUnit).open);
    EXPECT_EQ(mftest::readFile(file.path()), ""); // never created
}

TEST(Backup, RenamesReplacingTheTarget) {
    mftest::TempFile from("from.txt");
    mftest::TempFile to("to.txt");
    int32_t iostat = -5;
    BAKFIL(from.path(), to.path(), iostat);
    EXPECT_EQ(iostat, 1); // no old file
    mftest::writeFile(from.path(), "new");
    mftest::writeFile(to.path(), "old");
    BAKFIL(from.path() + "   ", to.path() + "   ", iostat);
    EXPECT_EQ(iostat, 0);
    EXPECT_EQ(mftest::readFile(to.path()), "new");
    EXPECT_EQ(mftest::readFile(from.path()), "");
    mftest::writeFile(from.path(), "x");
    BAKFIL(from.path(), "/nonexistent-directory/to.txt", iostat);
    EXPECT_EQ(iostat, -1);
    BAKFIL(std::string(256, 'a'), "b", iostat);
    EXPECT_EQ(iostat, -2);
    BAKFIL(from.path(), std::string(300, 'b'), iostat);
    EXPECT_EQ(iostat, -2);
}

} // namespace
