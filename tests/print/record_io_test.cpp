#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "print/record_io.h"
#include "test_env.h"

namespace {

using namespace mfreport::print;
using namespace mfreport::print::item;

constexpr int32_t kUnit = 31;

OpenRequest request(const std::string& file, OpenStatus status,
                    OpenAccess access = OpenAccess::Sequential) {
    OpenRequest r;
    r.unit = kUnit;
    r.file = file;
    r.status = status;
    r.access = access;
    return r;
}

TEST(RecordOutput, FormatItemsMakeWholeLines) {
    mftest::TempFile file("records.txt");
    ASSERT_EQ(openUnit(request(file.path(), OpenStatus::New)), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {BR, BR, BR, A("first")}), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {A("Label:"), I(42, 6), X(2), A("ABCDEF", 3), A("xy", 4)}), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {I(1234567, 6), I(-12, 3), I(123, 2)}), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {A("a"), BR, A("b")}), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {F(2.5, 6, 2), E(-1234.5, 12, 4, 2, 1)}), kIoOk);
    EXPECT_EQ(closeUnit(kUnit), kIoOk);
    EXPECT_EQ(mftest::readFile(file.path()), "\n\n\nfirst\n"
                                             "Label:    42  ABC  xy\n"
                                             "******-12**\n"
                                             "a\nb\n"
                                             "  2.50 -1.2345E+03\n");
}

TEST(RecordOutput, MalformedItemWritesNothing) {
    mftest::TempFile file("malformed.txt");
    ASSERT_EQ(openUnit(request(file.path(), OpenStatus::New)), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {A("kept")}), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {A("lost"), F(1.0, 0, 2)}), kIoBadFormat);
    EXPECT_EQ(writeRecord(kUnit, {X(-1)}), kIoBadFormat);
    closeUnit(kUnit);
    EXPECT_EQ(mftest::readFile(file.path()), "kept\n");
}

TEST(RecordOutput, UnitsOutsideTheTableOrNotOpenAreRefused) {
    EXPECT_EQ(writeRecord(0, {A("x")}), kIoBadUnit);
    EXPECT_EQ(writeRecord(100, {A("x")}), kIoBadUnit);
    EXPECT_EQ(writeRecord(kUnit, {A("x")}), kIoNotOpen);
    EXPECT_EQ(writeRecord(kStandardInput, {A("x")}), kIoReadOnly);
    OpenRequest bad = request("/tmp/x", OpenStatus::Unknown);
    bad.unit = 0;
    EXPECT_EQ(openUnit(bad), kIoBadUnit);
    bad.unit = kStandardOutput;
    EXPECT_EQ(openUnit(bad), kIoBadUnit);
    EXPECT_EQ(closeUnit(kUnit), kIoOk);
    EXPECT_EQ(rewindUnit(kUnit), kIoNotOpen);
    EXPECT_FALSE(inquireUnit(kUnit).open);
    EXPECT_TRUE(inquireUnit(kStandardOutput).open);
}

TEST(RecordOutput, OpenStatusesFollowTheFilesExistence) {
    mftest::TempFile file("status.txt");
    EXPECT_EQ(openUnit(request(file.path(), OpenStatus::Old)), kIoNoSuchFile);
    mftest::writeFile(file.path(), "old contents\n");
    EXPECT_EQ(openUnit(request(file.path(), OpenStatus::New)), kIoFileExists);
    EXPECT_FALSE(inquireUnit(kUnit).open);

    // Opening and closing an existing file keeps it; the first record replaces it.
    ASSERT_EQ(openUnit(request(file.path(), OpenStatus::Old)), kIoOk);
    EXPECT_EQ(inquireUnit(kUnit).file, file.path());
    closeUnit(kUnit);
    EXPECT_EQ(mftest::readFile(file.path()), "old contents\n");
    ASSERT_EQ(openUnit(request(file.path(), OpenStatus::Unknown)), kIoOk);
    writeRecord(kUnit, {A("new")});
    closeUnit(kUnit);
    EXPECT_EQ(mftest::readFile(file.path()), "new\n");
}

TEST(RecordOutput, AppendKeepsContentsAndRewindReplacesThem) {
    mftest::TempFile file("append.txt");
    mftest::writeFile(file.path(), "line 1\n");
    ASSERT_EQ(openUnit(request(file.path(), OpenStatus::Old, OpenAccess::Append)), kIoOk);
    writeRecord(kUnit, {A("line 2")});
    closeUnit(kUnit);
    EXPECT_EQ(mftest::readFile(file.path()), "line 1\nline 2\n");

    ASSERT_EQ(openUnit(request(file.path(), OpenStatus::Old)), kIoOk);
    EXPECT_EQ(rewindUnit(kUnit), kIoOk);
    writeRecord(kUnit, {A("only")});
    writeRecord(kUnit, {A("lines")});
    closeUnit(kUnit);
    EXPECT_EQ(mftest::readFile(file.path()), "only\nlines\n");
}

TEST(RecordOutput, UnitSettingsLimitWhatCanBeWritten) {
    mftest::TempFile file("settings.txt");
    mftest::writeFile(file.path(), "data\n");
    OpenRequest r = request(file.path(), OpenStatus::Old);
    r.action = OpenAction::Read;
    ASSERT_EQ(openUnit(r), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {A("x")}), kIoReadOnly);

    r = request(file.path(), OpenStatus::Unknown);
    r.form = OpenForm::Unformatted;
    ASSERT_EQ(openUnit(r), kIoOk); // reopening closes the earlier connection
    EXPECT_EQ(writeRecord(kUnit, {A("x")}), kIoUnformatted);

    r.form = OpenForm::Formatted;
    r.record_length = 4;
    ASSERT_EQ(openUnit(r), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {A("12345")}), kIoRecordTooLong);
    EXPECT_EQ(writeRecord(kUnit, {A("1234")}), kIoOk);
    closeUnit(kUnit);
    EXPECT_EQ(mftest::readFile(file.path()), "1234\n");

    r = request("", OpenStatus::Scratch);
    ASSERT_EQ(openUnit(r), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {A("scratch")}), kIoOk);
    EXPECT_EQ(inquireUnit(kUnit).file, "");
    EXPECT_EQ(closeUnit(kUnit), kIoOk);
}

TEST(RecordOutput, StandardOutputAndFreeFormat) {
    testing::internal::CaptureStdout();
    writeRecord(kStandardOutput, {A("to stdout"), I(7, 3)});
    writeFree({std::string_view("     MESSAGE"), 42});
    writeFree({std::string_view("A"), std::string_view("B"), -3});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "to stdout  7\n      MESSAGE 42\n AB -3\n");
}

TEST(WriteIntoText, OverwritesTheFieldAndBlanksTheRest) {
    std::string field = "xxxxxxxxxx";
    EXPECT_EQ(writeText(field, {A("("), I(12, 3), A(")")}), kIoOk);
    EXPECT_EQ(field, "( 12)     ");
    EXPECT_EQ(writeText(field, {A("0123456789ABC")}), kIoEndOfRecord);
    EXPECT_EQ(field, "0123456789");
    EXPECT_EQ(writeText(field, {A("a"), BR, A("b")}), kIoEndOfRecord);
    EXPECT_EQ(field, "a         ");
    EXPECT_EQ(writeText(field, {I(1, -2)}), kIoBadFormat);
    EXPECT_EQ(field, "a         ");
}

TEST(ReadFromText, IntegerFieldsIgnoreBlanks) {
    int32_t value = -5;
    EXPECT_EQ(readInteger("512 ", value), kIoOk);
    EXPECT_EQ(value, 512);
    EXPECT_EQ(readInteger(" -4 2", value), kIoOk);
    EXPECT_EQ(value, -42);
    EXPECT_EQ(readInteger("    ", value), kIoOk);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(readInteger("-2147483648", value), kIoOk);
    EXPECT_EQ(value, std::numeric_limits<int32_t>::min());

    value = 9;
    EXPECT_EQ(readInteger("12x", value), kIoBadInteger);
    EXPECT_EQ(readInteger("+", value), kIoBadInteger);
    EXPECT_EQ(readInteger("1-2", value), kIoBadInteger);
    EXPECT_EQ(readInteger("2147483648", value), kIoBadInteger);
    EXPECT_EQ(readInteger("99999999999999999999999", value), kIoBadInteger);
    EXPECT_EQ(value, 9);
}

TEST(DateAndTime, ComesFromTheLibraryClock) {
    mftest::FixedClock clock("1796585527"); // 2026-12-06 19:32:07 UTC
    std::string date(8, '?');
    std::string time(12, '?');
    dateAndTime(date, time);
    EXPECT_EQ(date, "20261206");
    EXPECT_EQ(time, "193207.000  ");
    std::string shortDate(4, '?');
    std::string shortTime(2, '?');
    dateAndTime(shortDate, shortTime);
    EXPECT_EQ(shortDate, "2026");
    EXPECT_EQ(shortTime, "19");
}

TEST(StopRun, EndsWithTheStatusAfterFlushingUnits) {
    mftest::TempFile file("stop.txt");
    EXPECT_EXIT(
        {
            openUnit(request(file.path(), OpenStatus::New));
            writeRecord(kUnit, {A("flushed")});
            stopRun(3);
        },
        testing::ExitedWithCode(3), "");
    EXPECT_EQ(mftest::readFile(file.path()), "flushed\n");
}

TEST(SinglePrecision, PowerLogarithmAndCeiling) {
    EXPECT_EQ(power(2.0F, 10), 1024.0F);
    EXPECT_EQ(power(2.0F, -2), 0.25F);
    EXPECT_EQ(power(10.0F, 0), 1.0F);
    EXPECT_EQ(power(-3.0F, 3), -27.0F);
    EXPECT_EQ(power(4.0F, 0.5F), 2.0F);
    EXPECT_EQ(log10r(1000.0F), 3.0F);
    EXPECT_EQ(ceiling(2.1F), 3);
    EXPECT_EQ(ceiling(-2.9F), -2);
    EXPECT_EQ(ceiling(5.0F), 5);
    EXPECT_EQ(ceiling(std::nanf("")), 0);
    EXPECT_EQ(ceiling(1e20F), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ceiling(-1e20F), std::numeric_limits<int32_t>::min());
}

} // namespace
