#include <gtest/gtest.h>

#include "mfreport/mfreport.h"
#include "recording_device.h"

namespace {

// The base table with a protocol that does nothing.
class PlainTable : public mfTable {
public:
    using mfTable::mfTable;
    bool begin_table() override { return true; }
    bool begin_record() override { return true; }
    bool insertValue(int, const std::string&, const std::string*) override { return true; }
    bool insertValue(int, const double&, const std::string*) override { return true; }
    bool insertValue(int, const int&, const std::string*) override { return true; }
    bool end_record() override { return true; }
    bool end_table() override { return true; }
};

TEST(TableBase, ColumnsAreCopiesInOrder) {
    mftest::RecordingDevice device;
    mfTableHeader header("T", "Table", 1);
    PlainTable t(header, &device);
    header.addNote("later");
    List<std::string> notes;
    EXPECT_EQ(t.header().getNotes(notes), 0);
    EXPECT_EQ(t.device(), &device);
    EXPECT_EQ(t.column_at(0), nullptr);
    mfTableColumn x("X", "Length", mfTableColumn::REAL);
    EXPECT_EQ(t.addColumn(x), 1);
    x.setUnits("m", 1.0);
    EXPECT_EQ(t.addColumn(mfTableColumn("Y", "Width", mfTableColumn::REAL)), 2);
    EXPECT_EQ(t.addColumn(mfTableColumn("Z", "Depth", mfTableColumn::REAL)), 3);
    EXPECT_EQ(t.column_size(), 3U);
    EXPECT_EQ(t.column_at(0)->header(), "X");
    EXPECT_EQ(t.column_at(3), nullptr);
    EXPECT_EQ(t.column_end() - t.column_begin(), 3);
    EXPECT_EQ(t.column_begin()[2].name(), "Z");
    EXPECT_EQ(t.backgroundColor(), "FFFFFF");
}

TEST(TableBase, PrintAbbreviationsUsesTheDevice) {
    mftest::RecordingDevice device;
    PlainTable t(mfTableHeader("T", "Table", 1), &device);
    t.addColumn(mfTableColumn("X", "Length", mfTableColumn::REAL));
    t.addColumn(mfTableColumn("Y", "Width", mfTableColumn::REAL));
    t.printAbbreviations();
    EXPECT_EQ(device.calls, (std::vector<std::string>{"paragraph Abbreviations",
                                                      "list 1|X  :  Length|Y  :  Width"}));
    PlainTable orphan(mfTableHeader("T", "Table", 1), nullptr);
    orphan.printAbbreviations();
}

} // namespace
