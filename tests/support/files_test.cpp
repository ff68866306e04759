#include <string>

#include <gtest/gtest.h>

#include "print/record_io.h"
#include "support/files.h"
#include "test_env.h"

namespace {

using namespace mfreport::support;
using mfreport::print::inquireUnit;
using mfreport::print::OpenForm;
using mfreport::print::writeRecord;
using mfreport::print::item::A;

constexpr int32_t kUnit = 41;

bool exists(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return false;
    }
    std::fclose(f);
    return true;
}

class SequentialFiles : public testing::Test {
protected:
    void TearDown() override {
        int32_t iostat = 0;
        CLSFIL(kUnit, iostat);
    }
    mftest::TempFile file{"seq.LIS"};
    mftest::TempFile backup{"seq.LIS.bak"};
    int32_t iostat = -12345;
};

TEST_F(SequentialFiles, NewFileBacksUpTheExistingOneReplacingAnOlderBackup) {
    mftest::writeFile(file.path(), "previous run\n");
    mftest::writeFile(backup.path(), "older backup\n");
    OPNFIL(kUnit, "", file.path(), "", "NEW", "FORMATTED", iostat);
    ASSERT_EQ(iostat, 0);
    writeRecord(kUnit, {A("this run")});
    CLSFIL(kUnit, iostat);
    EXPECT_EQ(iostat, 0);
    EXPECT_EQ(mftest::readFile(file.path()), "this run\n");
    EXPECT_EQ(mftest::readFile(backup.path()), "previous run\n");
}

TEST_F(SequentialFiles, PrintFrontEndTurnsNewIntoPrint) {
    mftest::writeFile(file.path(), "previous run\n");
    OPNPRT(kUnit, "", file.path(), "", "NEW", iostat);
    ASSERT_EQ(iostat, 0);
    EXPECT_EQ(inquireUnit(kUnit).form, OpenForm::Formatted);
    EXPECT_EQ(mftest::readFile(backup.path()), "previous run\n");

    OPNPRT(kUnit, "", file.path(), "", "APPEND", iostat);
    ASSERT_EQ(iostat, 0);
    writeRecord(kUnit, {A("more")});
    CLSFIL(kUnit, iostat);
    EXPECT_EQ(mftest::readFile(file.path()), "more\n");
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
    EXPECT_FALSE(exists(backup.path()));
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

    OPNFIL(kUnit, "", file.path(), "", "UNKNOWN", "FORMATTED=80", iostat);
    ASSERT_EQ(iostat, 0);
    EXPECT_EQ(inquireUnit(kUnit).form, OpenForm::Formatted);
    EXPECT_EQ(inquireUnit(kUnit).record_length, 80);
}

TEST_F(SequentialFiles, BadWordsOpenNothing) {
    OPNFIL(kUnit, "", file.path(), "", "CREATE", "FORMATTED", iostat);
    EXPECT_EQ(iostat, -12345); // unchanged
    EXPECT_FALSE(inquireUnit(kUnit).open);
    OPNFIL(kUnit, "", file.path(), "", "UNKNOWN", "BINARY", iostat);
    EXPECT_NE(iostat, 0);
    OPNFIL(kUnit, "", file.path(), "", "UNKNOWN", "FORMATTED=12x", iostat);
    EXPECT_NE(iostat, 0);
    EXPECT_FALSE(inquireUnit(kUnit).open);
    EXPECT_FALSE(exists(file.path()));
}

TEST_F(SequentialFiles, OverlongNameOpensNothing) {
    const std::string directory = file.path() + "-" + std::string(200, 'd');
    OPNFIL(kUnit, directory, std::string(60, 'n'), ".LIS", "UNKNOWN", "FORMATTED", iostat);
    EXPECT_NE(iostat, 0);
    EXPECT_FALSE(inquireUnit(kUnit).open);
}

TEST_F(SequentialFiles, FailedOpensReportTheirStatus) {
    OPNFIL(kUnit, "", file.path(), "", "OLD", "FORMATTED", iostat);
    EXPECT_NE(iostat, 0);
    OPNFIL(kUnit, "", file.path(), "", "READ", "FORMATTED", iostat);
    EXPECT_NE(iostat, 0);
    OPNFIL(kUnit, "/nonexistent-directory/", "x", ".LIS", "NEW", "FORMATTED", iostat);
    EXPECT_NE(iostat, 0);
    EXPECT_FALSE(inquireUnit(kUnit).open);
}

TEST_F(SequentialFiles, ReadOnlyAndScratch) {
    mftest::writeFile(file.path(), "data\n");
    OPNFIL(kUnit, "", file.path(), "", "READ", "FORMATTED", iostat);
    ASSERT_EQ(iostat, 0);
    EXPECT_NE(writeRecord(kUnit, {A("x")}), 0);
    OPNFIL(kUnit, "ignored/", "name", "", "SCRATCH", "FORMATTED", iostat);
    ASSERT_EQ(iostat, 0);
    EXPECT_EQ(writeRecord(kUnit, {A("x")}), 0);
    EXPECT_EQ(inquireUnit(kUnit).file, "");
    EXPECT_EQ(mftest::readFile(file.path()), "data\n");
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
    EXPECT_FALSE(exists(from.path()));
    EXPECT_EQ(mftest::readFile(to.path()), "new");

    mftest::writeFile(from.path(), "x");
    BAKFIL(from.path(), "/nonexistent-directory/to.txt", iostat);
    EXPECT_EQ(iostat, -1);
}

TEST(Backup, NamesOf256CharactersAreRefused) {
    int32_t iostat = 0;
    BAKFIL(std::string(256, 'a'), "b", iostat);
    EXPECT_EQ(iostat, -2);
    BAKFIL("a", std::string(300, 'b'), iostat);
    EXPECT_EQ(iostat, -2);
    BAKFIL(std::string(255, 'a') + "    ", "b", iostat);
    EXPECT_EQ(iostat, 1);
}

} // namespace
