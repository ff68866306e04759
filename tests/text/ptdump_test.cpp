// Field attributes with their table defaults, the fatal look-up of a field
// that does not exist, and the print-state dump.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "mfreport/text/formatter_state.h"
#include "mfreport/text/primax.h"
#include "mfreport/text/ptdump.h"
#include "text_fixture.h"

namespace {

using namespace mfreport::text;
using mftest::column;

class Dump : public mftest::TextReport {
protected:
    void beginTwoTables(mfDevice& device) {
        beams_ = table(device, "BEAMS", "Beam list");
        beams_->addColumn(column("Id", "Identifier", mfTableColumn::INTEGER, 4));
        beams_->addColumn(
            column("L", "Length", mfTableColumn::REAL, 8, 2, mfTableColumn::FIXED, "m"));
        ASSERT_TRUE(beams_->begin_table());
        loads_ = table(device, "LOADS", "Loads");
        loads_->addColumn(column("Case", "", mfTableColumn::STRING, 10));
        ASSERT_TRUE(loads_->begin_table());
    }
    std::unique_ptr<mfTable> beams_;
    std::unique_ptr<mfTable> loads_;
};

TEST_F(Dump, FieldAttributesFallBackToTheTableDefaults) {
    auto dev = device();
    auto t = table(*dev, "T");
    t->addColumn(column("Own", "", mfTableColumn::INTEGER, 6));
    t->addColumn(column("Default", "", mfTableColumn::REAL, 0));
    ASSERT_TRUE(t->begin_table());
    const int32_t number = tableNumber("T");
    // Fields 1 to 4 are the defaults; 5 and 6 the columns.
    EXPECT_EQ(PTGFPR(number, 5, kAttrWidth), 6);
    EXPECT_EQ(PTGFPR(number, 6, kAttrWidth), 10);
    EXPECT_EQ(PTGFPR(number, 6, kAttrDecimals), 3);
    EXPECT_EQ(PTGFPR(number, 6, kAttrScale), 1);
    EXPECT_EQ(PTGFPR(number, 6, kAttrExponentDigits), 2);
    EXPECT_EQ(PTGFPR(number, 5, kAttrDecimals), 0); // the default's is 0 too
    EXPECT_EQ(PTGFPR(number, 5, kAttrScale), 0);
    EXPECT_EQ(PTGFPR(number, 5, 0), 0);
    EXPECT_EQ(PTGFPR(number, 5, 24), 0);
}

TEST_F(Dump, AFieldOutsideTheBufferDumpsAndEndsTheProcess) {
    auto dev = device();
    auto t = table(*dev, "T");
    t->addColumn(column("A", "", mfTableColumn::INTEGER, 6));
    ASSERT_TRUE(t->begin_table());
    const std::string report = " \\*\\*\\*\\*\\* ILLEGAL USE OF \"PRIMAS\" MODULE \\*\\*\\*\\*\\*\n"
                               "       SUBROUTINE: PTGFPR\n"
                               "      Pointer to ITFLD is out of range ";
    EXPECT_EXIT((dup2(2, 1), PTGFPR(1, 0, kAttrWidth)), testing::ExitedWithCode(1),
                report + "0\n \\*\\*\\*\\*\\* WINDUP DUMMY ROUTINE CALLED");
    EXPECT_TRUE(std::filesystem::exists("PTDUMP.DMP"));
    EXPECT_EXIT((dup2(2, 1), PTGFPR(1, 6, kAttrWidth)), testing::ExitedWithCode(1), report + "6");
    EXPECT_TRUE(std::filesystem::exists("PTDUMP.DMP.bak"));
}

TEST_F(Dump, WithoutTablesTheBufferSectionsAreEmpty) {
    auto dev = device();
    PTDUMP();
    EXPECT_TRUE(mftest::sameLines(mftest::readFile("PTDUMP.DMP"), golden("dump_empty.txt")));
}

TEST_F(Dump, TwoTablesWithTheirFieldsNamesAndTexts) {
    auto dev = device();
    beginTwoTables(*dev);
    PTDUMP();
    EXPECT_TRUE(mftest::sameLines(mftest::readFile("PTDUMP.DMP"), golden("dump_two_tables.txt")));
}

} // namespace
