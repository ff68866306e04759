#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <limits>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "mfreport/record/record_io.h"
#include "test_env.h"

namespace {

using namespace mfreport::record;
using namespace mfreport::record::item;

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

TEST(RecordOutput, PlainLinesAreTheRecordsOfTextItems) {
    mftest::TempFile lines("lines.txt");
    mftest::TempFile records("records.txt");
    ASSERT_EQ(openUnit(request(lines.path(), OpenStatus::New)), kIoOk);
    EXPECT_EQ(writeLine(kUnit, " ", "text  "), kIoOk);
    EXPECT_EQ(writeLine(kUnit, ""), kIoOk);
    EXPECT_EQ(writeLine(kUnit, "\f"), kIoOk);
    EXPECT_EQ(closeUnit(kUnit), kIoOk);
    ASSERT_EQ(openUnit(request(records.path(), OpenStatus::New)), kIoOk);
    writeRecord(kUnit, {A(" "), A("text  ")});
    writeRecord(kUnit, {A("")});
    writeRecord(kUnit, {A("\f")});
    EXPECT_EQ(closeUnit(kUnit), kIoOk);
    EXPECT_EQ(mftest::readFile(lines.path()), mftest::readFile(records.path()));
    EXPECT_EQ(writeLine(kUnit, "closed"), kIoNotOpen);
    EXPECT_EQ(writeLine(kStandardInput, "x"), kIoReadOnly);
}

TEST(RecordOutput, AFailedFlushMarksTheUnit) {
    ASSERT_EQ(openUnit(request("/dev/full", OpenStatus::Old, OpenAccess::Append)), kIoOk);
    EXPECT_EQ(writeLine(kUnit, "buffered"), kIoOk);
    EXPECT_FALSE(writeFailed(kUnit));
    flushUnit(kUnit);
    EXPECT_TRUE(writeFailed(kUnit));
    closeUnit(kUnit);
}

// A signal that interrupts a write to a slow reader (a handler installed
// without SA_RESTART, as programs that use timers do) loses no byte and
// fails nothing: the write goes on where it stopped.
TEST(RecordOutput, WritesGoOnAfterASignal) {
    mftest::TempFile fifo("slow-reader");
    ASSERT_EQ(mkfifo(fifo.path().c_str(), 0600), 0);
    struct sigaction interrupt {};
    struct sigaction before {};
    interrupt.sa_handler = [](int) {};
    sigemptyset(&interrupt.sa_mask);
    ASSERT_EQ(sigaction(SIGUSR1, &interrupt, &before), 0);

    std::string received;
    std::thread reader([&] {
        const int fd = open(fifo.path().c_str(), O_RDONLY);
        char piece[1024];
        for (ssize_t got; (got = read(fd, piece, sizeof piece)) != 0;) {
            if (got > 0) {
                received.append(piece, static_cast<size_t>(got));
                std::this_thread::sleep_for(std::chrono::microseconds(20));
            }
        }
        close(fd);
    });
    ASSERT_EQ(openUnit(request(fifo.path(), OpenStatus::Old, OpenAccess::Append)), kIoOk);
    std::atomic<bool> writing{true};
    const pthread_t writer = pthread_self();
    std::thread signals([&] {
        while (writing) {
            pthread_kill(writer, SIGUSR1);
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    });
    std::string expected;
    const std::string record(71, 'x');
    for (int k = 0; k < 20000; ++k) {
        const std::string number = std::to_string(k);
        EXPECT_EQ(writeLine(kUnit, number, record), kIoOk);
        expected += number + record + '\n';
    }
    EXPECT_EQ(closeUnit(kUnit), kIoOk);
    writing = false;
    signals.join();
    reader.join();
    sigaction(SIGUSR1, &before, nullptr);
    EXPECT_FALSE(writeFailed(kUnit));
    EXPECT_EQ(received.size(), expected.size());
    EXPECT_TRUE(received == expected);
}

TEST(RecordOutput, FormatItemsMakeWholeLines) {
    mftest::TempFile file("records.txt");
    ASSERT_EQ(openUnit(request(file.path(), OpenStatus::New)), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {BR, BR, BR, A("first")}), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {A("Label:"), I(42, 6), X(2), A("ABCDEF", 3), A("xy", 4)}), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {I(1234567, 6), I(-12, 3), I(123, 2)}), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {A("a"), BR, A("b"), F(2.5, 6, 2), E(-1234.5, 12, 4, 2, 1)}),
              kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {A("lost"), F(1.0, 0, 2)}), kIoBadFormat);
    // Skips at the end of a line, before a break or the format's end, are dropped.
    EXPECT_EQ(writeRecord(kUnit, {A("ab"), X(2), BR, X(3), A("cd"), X(4)}), kIoOk);
    EXPECT_EQ(closeUnit(kUnit), kIoOk);
    EXPECT_EQ(mftest::readFile(file.path()), "\n\n\nfirst\n"
                                             "Label:    42  ABC  xy\n"
                                             "******-12**\n"
                                             "a\nb  2.50 -1.2345E+03\n"
                                             "ab\n   cd\n");
}

TEST(RecordOutput, RefusedUnitsAndWrites) {
    EXPECT_EQ(writeRecord(0, {A("x")}), kIoBadUnit);
    EXPECT_EQ(writeRecord(100, {A("x")}), kIoBadUnit);
    EXPECT_EQ(writeRecord(kUnit, {A("x")}), kIoNotOpen);
    EXPECT_EQ(writeRecord(kStandardInput, {A("x")}), kIoReadOnly);
    OpenRequest bad = request("unused", OpenStatus::Unknown);
    bad.unit = kStandardOutput;
    EXPECT_EQ(openUnit(bad), kIoBadUnit);

    mftest::TempFile file("refused.txt");
    mftest::writeFile(file.path(), "data\n");
    EXPECT_EQ(openUnit(request(file.path(), OpenStatus::New)), kIoFileExists);
    OpenRequest r = request(file.path(), OpenStatus::Old);
    r.action = OpenAction::Read;
    ASSERT_EQ(openUnit(r), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {A("x")}), kIoReadOnly);
    r.action = OpenAction::ReadWrite;
    r.form = OpenForm::Unformatted;
    ASSERT_EQ(openUnit(r), kIoOk); // reopening closes the earlier connection
    EXPECT_EQ(writeRecord(kUnit, {A("x")}), kIoUnformatted);
    r.form = OpenForm::Formatted;
    r.record_length = 4;
    ASSERT_EQ(openUnit(r), kIoOk);
    EXPECT_EQ(writeRecord(kUnit, {A("12345")}), kIoRecordTooLong);
    closeUnit(kUnit);
    EXPECT_EQ(mftest::readFile(file.path()), "data\n");
}

TEST(RecordOutput, ExistingFileIsKeptUntilTheFirstRecordUnlessAppending) {
    mftest::TempFile file("append.txt");
    mftest::writeFile(file.path(), "line 1\n");
    ASSERT_EQ(openUnit(request(file.path(), OpenStatus::Old, OpenAccess::Append)), kIoOk);
    writeRecord(kUnit, {A("line 2")});
    closeUnit(kUnit);
    EXPECT_EQ(mftest::readFile(file.path()), "line 1\nline 2\n");

    ASSERT_EQ(openUnit(request(file.path(), OpenStatus::Unknown)), kIoOk);
    closeUnit(kUnit);
    EXPECT_EQ(mftest::readFile(file.path()), "line 1\nline 2\n");
    ASSERT_EQ(openUnit(request(file.path(), OpenStatus::Old, OpenAccess::Append)), kIoOk);
    EXPECT_EQ(rewindUnit(kUnit), kIoOk);
    writeRecord(kUnit, {A("only")});
    closeUnit(kUnit);
    EXPECT_EQ(mftest::readFile(file.path()), "only\n");
}

TEST(RecordOutput, StandardOutputAndFreeFormat) {
    testing::internal::CaptureStdout();
    writeRecord(kStandardOutput, {A("to stdout"), I(7, 3)});
    writeFree({std::string_view("     MESSAGE"), 42});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "to stdout  7\n      MESSAGE 42\n");
}

TEST(WriteIntoText, OverwritesTheFieldAndBlanksTheRest) {
    std::string field = "xxxxxxxxxx";
    EXPECT_EQ(writeText(field, {A("("), I(12, 3), A(")")}), kIoOk);
    EXPECT_EQ(field, "( 12)     ");
    EXPECT_EQ(writeText(field, {A("0123456789ABC")}), kIoEndOfRecord);
    EXPECT_EQ(field, "0123456789");
    EXPECT_EQ(writeText(field, {I(1, -2)}), kIoBadFormat);
    EXPECT_EQ(field, "0123456789");
    // A trailing skip past the end writes nothing; one followed by an item does.
    EXPECT_EQ(writeText(field, {A("abcdefghij"), X(5)}), kIoOk);
    EXPECT_EQ(writeText(field, {A("abcdefghij"), X(5), A("")}), kIoEndOfRecord);
    EXPECT_EQ(field, "abcdefghij");
}

TEST(ReadFromText, IntegerFieldsIgnoreBlanks) {
    int32_t value = -5;
    EXPECT_EQ(readInteger(" -4 2", value), kIoOk);
    EXPECT_EQ(value, -42);
    EXPECT_EQ(readInteger("    ", value), kIoOk);
    EXPECT_EQ(value, 0);
    value = 9;
    for (const char* bad : {"12x", "+", "1-2", "2147483648", "99999999999999999999999"}) {
        EXPECT_EQ(readInteger(bad, value), kIoBadInteger) << bad;
    }
    EXPECT_EQ(value, 9);
}

TEST(DateAndTime, ComesFromTheLibraryClock) {
    mftest::FixedClock clock("1796585527"); // 2026-12-06 19:32:07 UTC
    std::string date(8, '?');
    std::string time(12, '?');
    dateAndTime(date, time);
    EXPECT_EQ(date, "20261206");
    EXPECT_EQ(time, "193207.000  ");
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

TEST(SinglePrecision, PowerAndCeilingStayDefined) {
    EXPECT_EQ(power(2.0F, -2), 0.25F);
    EXPECT_EQ(power(-3.0F, 3), -27.0F);
    EXPECT_EQ(ceiling(-2.9F), -2);
    EXPECT_EQ(ceiling(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(ceiling(1e20F), std::numeric_limits<int32_t>::max());
}

} // namespace
