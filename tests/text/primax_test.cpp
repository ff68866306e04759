// Status codes of the table formatter's routines, in the order a table is
// defined, set up, filled and ended.
#include <string>

#include <gtest/gtest.h>

#include "mfreport/print/print_defaults.h"
#include "mfreport/text/channels.h"
#include "mfreport/text/formatter_state.h"
#include "mfreport/text/primax.h"
#include "mfreport/text/status.h"
#include "text_fixture.h"

namespace {

using namespace mfreport::text;

class Formatter : public mftest::TextReport {
protected:
    void SetUp() override {
        TextReport::SetUp();
        mfreport::print::PRTDEF();
        PTINIT(20, status_);
        int32_t channel = 0;
        PTDCHN("PFILE", 21, 0, channel, status_);
        PTREPF("open", "report", status_);
    }
    int32_t defineTable(std::string_view name, int32_t attribute = 3) {
        int32_t table = -7;
        PTDTAB(name, attribute, table, status_);
        return status_ == kOk || status_ == kTableExists ? table : status_;
    }
    int32_t column(int32_t table, int32_t level, int32_t column, std::string_view code,
                   std::string_view name = "N", std::string_view description = "") {
        PTDCOL(table, level, column, name, description, code, status_);
        return status_;
    }
    int32_t width(int32_t table, int32_t column, int32_t w, int32_t decimals = 0) {
        PTSWID(table, 1, column, w, decimals, status_);
        return status_;
    }
    int32_t status_ = -1;
};

TEST_F(Formatter, DefineTable) {
    EXPECT_EQ(defineTable(""), kBadTableName);
    EXPECT_EQ(defineTable("ELEVENCHARS"), kBadTableName);
    EXPECT_EQ(defineTable("    "), kBlankTableName);
    EXPECT_EQ(defineTable("T", 0), kBadTableAttribute);
    EXPECT_EQ(defineTable("T", 5), kBadTableAttribute);
    EXPECT_EQ(defineTable("TEN CHARS "), 1);
    EXPECT_EQ(defineTable("T"), 2);
    EXPECT_EQ(defineTable("T  "), 2);
    EXPECT_EQ(status_, kTableExists);
    EXPECT_EQ(formatterState().tables, 2);
    EXPECT_EQ(formatterState().defining, 2);
    EXPECT_EQ(formatterState().fields_used, 8); // the default fields of each kind
    PTTITL(99, "Title", status_);
    EXPECT_EQ(status_, kNoActiveTable);
}

TEST_F(Formatter, DefinitionOrder) {
    const int32_t first = defineTable("FIRST");
    const int32_t t = defineTable("T");
    EXPECT_EQ(column(t, 1, 1, "I"), kColumnsNotOpen);
    PTCHEK(t, status_);
    EXPECT_EQ(status_, kColumnsNotOpen);
    PTOCOL(first, status_);
    EXPECT_EQ(status_, kNotTableDefined);
    PTOCOL(t, status_);
    EXPECT_EQ(status_, kOk);
    PTOCOL(t, status_);
    EXPECT_EQ(status_, kColumnsOpen);

    EXPECT_EQ(column(t, 0, 1, "I"), kLevelTooLow);
    EXPECT_EQ(column(t, 2, 1, "I"), kLevelTooHigh);
    EXPECT_EQ(column(t, 1, 0, "I"), kColumnTooLow);
    EXPECT_EQ(column(t, 1, 37, "I"), kColumnTooHigh);
    EXPECT_EQ(column(t, 1, 2, "I"), kColumnSkipped);
    EXPECT_EQ(column(t, 1, 1, "X"), kBadFormatCode);
    EXPECT_EQ(column(t, 1, 1, "I", std::string(61, 'n')), kNameTooLong);
    EXPECT_EQ(column(t, 1, 1, "I", "N", std::string(1311, 'd')), kTextTooLong);
    EXPECT_EQ(column(t, 1, 1, "I", std::string(60, 'n'), std::string(1310, 'd')), kOk);
    EXPECT_EQ(formatterState().text_lines, 10);
    EXPECT_EQ(column(t, 1, 1, "I"), kColumnRepeated);
    for (const char* code : {"F", "E", "A", "DF", "DE"}) {
        EXPECT_EQ(column(t, 1, 1 + formatterState().fields_used - 8, code), kOk) << code;
    }

    EXPECT_EQ(width(t, 7, 5), kNoSuchColumn);
    EXPECT_EQ(width(t, 1, 0), kBadIntegerWidth);
    EXPECT_EQ(width(t, 1, 21), kBadIntegerWidth);
    EXPECT_EQ(width(t, 1, 20), kOk);
    EXPECT_EQ(width(t, 2, 2, 0), kBadRealWidth);
    EXPECT_EQ(width(t, 2, 21, 0), kBadRealWidth);
    EXPECT_EQ(width(t, 2, 5, 4), kFixedTooNarrow);
    EXPECT_EQ(width(t, 2, 10, -1), kBadRealWidth);
    EXPECT_EQ(width(t, 2, 3, 1), kOk);
    EXPECT_EQ(width(t, 3, 6, 2), kBadRealWidth);
    EXPECT_EQ(width(t, 3, 7, 12), kOk);
    EXPECT_EQ(width(t, 4, 73), kBadTextWidth);
    EXPECT_EQ(width(t, 4, 72), kOk);
    EXPECT_EQ(width(t, 5, 4, 3), kFixedTooNarrow);
    EXPECT_EQ(width(t, 6, 7, 3), kOk);

    PTCHEK(t, status_);
    EXPECT_EQ(status_, kColumnsOpen);
    PTCCOL(t, status_);
    EXPECT_EQ(status_, kOk);
    PTCCOL(t, status_);
    EXPECT_EQ(status_, kColumnsNotOpen);
    EXPECT_EQ(width(t, 1, 8), kColumnsNotOpen);
    PTOCOL(t, status_);
    EXPECT_EQ(status_, kColumnsDefined);
    PTSETU("T", status_);
    EXPECT_EQ(status_, kColumnsNotOpen);
    PTCHEK(t, status_);
    EXPECT_EQ(status_, kOk);
    PTCHEK(t, status_);
    EXPECT_EQ(status_, kNoTableDefined);
    PTOCOL(t, status_);
    EXPECT_EQ(status_, kNoTableDefined);
}

TEST_F(Formatter, SetUpPutWriteAndEnd) {
    const int32_t t = defineTable("T");
    PTOCOL(t, status_);
    column(t, 1, 1, "I");
    column(t, 1, 2, "E");
    PTCCOL(t, status_);
    PTCHEK(t, status_);
    PTPUTI(t, 1, 1, 5, status_);
    EXPECT_EQ(status_, kNoLayoutPlace);
    PTWREC(t, status_);
    EXPECT_EQ(status_, kNoLayoutPlace);
    PTSETU("NONE", status_);
    EXPECT_EQ(status_, kNoTableToSetUp);
    reportState().current_channel = 0;
    PTSETU("T", status_);
    EXPECT_EQ(status_, kChannelNotFound);
    int32_t channel = 0;
    PTFCHN("PFILE", channel, status_);
    PTSETU("T", status_);
    EXPECT_EQ(status_, kOk);

    PTPUTI(t + 5, 1, 1, 5, status_);
    EXPECT_EQ(status_, kNoActiveTable);
    PTPUTI(t, 1, 2, 5, status_);
    EXPECT_EQ(status_, kWrongKind);
    PTPUTR(t, 1, 1, 5.0F, status_);
    EXPECT_EQ(status_, kWrongKind);
    PTPUTA(t, 1, 1, "text", status_);
    EXPECT_EQ(status_, kWrongKind);
    PTPUTI(t, 1, 3, 5, status_);
    EXPECT_EQ(status_, kNoSuchColumn);
    PTPUTI(t, 2, 1, 5, status_);
    EXPECT_EQ(status_, kLevelTooHigh);
    PTPUTR(t, 1, 2, -1234.4F, status_); // default exponent field: 1PE10.3E2
    EXPECT_EQ(status_, kOk);
    EXPECT_EQ(recordLine(0, 1).str().substr(0, 21), "          -1.234E+03 ");
    PTWREC(t, status_);
    EXPECT_EQ(status_, kOk);
    EXPECT_EQ(recordLine(0, 1).str(), std::string(1000, ' '));

    PTENDT("NONE", status_);
    EXPECT_EQ(status_, kNoTableToEnd);
    PTENDT("T", status_);
    EXPECT_EQ(status_, kOk);
    EXPECT_EQ(formatterState().tables, 0);
    EXPECT_EQ(formatterState().fields_used, 0);
    EXPECT_EQ(formatterState().text_lines, 0);
    PTWREC(t, status_);
    EXPECT_EQ(status_, kNoActiveTable);
}

TEST_F(Formatter, EndingATableClosesUpTheBuffersOfTheOthers) {
    for (const char* name : {"A", "B", "C"}) {
        const int32_t t = defineTable(name);
        PTTITL(t, std::string("Title ") + name, status_);
        PTOCOL(t, status_);
        column(t, 1, 1, "A", std::string("Name ") + name, std::string(140, *name));
        PTCCOL(t, status_);
        PTCHEK(t, status_);
    }
    // Per table: 4 default fields and a column; a title line and two pieces.
    EXPECT_EQ(formatterState().fields_used, 15);
    EXPECT_EQ(formatterState().text_lines, 9);
    PTENDT("B", status_);
    ASSERT_EQ(status_, kOk);
    const FormatterState& s = formatterState();
    EXPECT_EQ(s.fields_used, 10);
    EXPECT_EQ(s.names_used, 2);
    EXPECT_EQ(s.text_lines, 6);
    const TableState& c = s.table[2];
    EXPECT_EQ(c.default_field[0], 6);
    EXPECT_EQ(c.line_fields[0][0], 10);
    EXPECT_EQ(s.name[static_cast<size_t>(fieldAttribute(10, kAttrNameSlot) - 1)].str().substr(0, 7),
              "Name C ");
    EXPECT_EQ(joinedText(fieldAttribute(10, kAttrTextSlot)), std::string(140, 'C'));
    EXPECT_EQ(joinedText(c.header_lines[0]), "Title C");
    EXPECT_EQ(joinedText(c.additional_text[0]), std::string(140, 'C'));
}

TEST_F(Formatter, ValuesFollowTheirFieldsWhenAnEndedTableClosesUpTheBuffers) {
    int32_t channel = 0;
    PTFCHN("PFILE", channel, status_);
    for (const char* name : {"A", "B"}) {
        const int32_t t = defineTable(name);
        PTOCOL(t, status_);
        column(t, 1, 1, "I");
        column(t, 1, 2, "F");
        width(t, 2, 8, 2);
        PTCCOL(t, status_);
        PTCHEK(t, status_);
        PTSETU(name, status_);
        ASSERT_EQ(status_, kOk);
    }
    const int32_t b = formatterState().table[1].number;
    PTENDT("A", status_); // B's six fields move down to 1 to 6
    ASSERT_EQ(status_, kOk);
    ASSERT_EQ(tableSlot(b), 1);

    PTPUTI(b, 1, 1, 42, status_);
    EXPECT_EQ(status_, kOk);
    PTPUTR(b, 1, 2, -3.14159, status_);
    EXPECT_EQ(status_, kOk);
    PTPUTA(b, 1, 2, "text", status_);
    EXPECT_EQ(status_, kWrongKind);
    const int32_t f = formatterState().table[1].column_field[1];
    EXPECT_EQ(f, 6);
    EXPECT_EQ(fieldAttribute(f, kAttrValuesPut), 1);
    EXPECT_EQ(fieldAttribute(5, kAttrValuesPut), 1);
    EXPECT_EQ(
        recordLine(1, 1).str().substr(static_cast<size_t>(fieldAttribute(f, kAttrStart) - 1), 8),
        "   -3.14");
    PTWREC(b, status_);
    EXPECT_EQ(status_, kOk);
    EXPECT_EQ(fieldAttribute(f, kAttrValuesPut), 0);
    PTENDT("B", status_);
    PTPUTI(b, 1, 1, 42, status_);
    EXPECT_EQ(status_, kNoActiveTable);
}

} // namespace
