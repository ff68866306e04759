// Whole print files written through the page manager, compared with golden
// files: page changes, headings, spacing, long lines, the narrow layout and
// screen channels.
#include <string>

#include <gtest/gtest.h>

#include "golden.h"
#include "mfreport/print/line_output.h"
#include "mfreport/print/page_setup.h"
#include "mfreport/print/print_channels.h"
#include "mfreport/record/logical.h"
#include "mfreport/record/record_io.h"
#include "primas_fixture.h"
#include "test_env.h"

namespace {

using namespace mfreport::print;
using mfreport::record::kFalse;
using mfreport::record::kTrue;
using mftest::HeadingLines;

class PrintPages : public testing::Test {
protected:
    void SetUp() override {
        mftest::freshPrintDefaults();
        printChannels() = PrintChannels();
        mfreport::record::OpenRequest request;
        request.unit = 21;
        request.file = file_.path();
        ASSERT_EQ(mfreport::record::openUnit(request), 0);
        INIUNI(21);
    }
    void TearDown() override { mfreport::record::closeUnit(21); }

    std::string written() {
        mfreport::record::closeUnit(21);
        return mftest::readFile(file_.path());
    }
    bool matchesGolden(const std::string& name) {
        return mftest::sameLines(
            written(), mftest::readFile(MFREPORT_SOURCE_DIR "/tests/golden/print/" + name));
    }
    // A line through PRTLIN from a formatter-sized buffer, which is cleared.
    static void channelLine(int32_t channel, const std::string& text) {
        mfreport::record::FixedString<1000> buffer(text);
        int32_t status = -1;
        PRTLIN(channel, buffer, status);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(buffer.str(), std::string(1000, ' '));
    }
    static void channelBreak(int32_t channel, int32_t count, int32_t mode) {
        int32_t status = -1;
        PRTNEW(0, channel, count, mode, status);
        EXPECT_EQ(status, 0);
    }

    mftest::FixedClock clock_{"1796479389"}; // 05-DEC-2026 14:03:09
    mftest::TempFile file_{"print-pages.lis"};
};

TEST_F(PrintPages, TheSixtyFirstLineStartsPageTwo) {
    for (int i = 1; i <= 61; ++i) {
        std::string line = "LINE " + std::to_string(i);
        WRLINE(line);
    }
    EXPECT_EQ(CURLIN(), 1);
    EXPECT_TRUE(matchesGolden("sixty_one_lines.txt"));
}

TEST_F(PrintPages, DoubleSpacingCountsTwoLinesEach) {
    INIPAG(8, 20, 2, kTrue);
    TABHDG(HeadingLines(10, {"HEAD"}), 1);
    for (int i = 1; i <= 5; ++i) {
        std::string line = "L" + std::to_string(i);
        WRLINE(line);
    }
    EXPECT_EQ(CURLIN(), 3);
    EXPECT_TRUE(matchesGolden("double_spacing.txt"));
}

TEST_F(PrintPages, RequestedBreaksTrimHeadingsForcedBreaksKeepThemWhole) {
    INIPAG(14, 100, 1, kTrue);
    MAIHDG(HeadingLines(60, {"STRESS REPORT", "LOAD CASE 1"}), 2, kTrue);
    SUBHDG(HeadingLines(60, {"SECTION A"}), 1, kTrue);
    TABHDG(HeadingLines(1000, {"NODE   VALUE", "----   -----"}), 2);
    channelBreak(1, 0, 1);
    for (int i = 1; i <= 8; ++i) {
        channelLine(1, "ROW " + std::to_string(i) + "   ");
    }
    channelBreak(1, 3, 2);  // fits: the table heading at the current position
    channelBreak(1, 10, 0); // does not fit: a new page without table heading
    channelLine(1, "ROW 9");
    EXPECT_EQ(CURLIN(), 6);
    EXPECT_TRUE(matchesGolden("page_breaks.txt"));
}

TEST_F(PrintPages, LongLinesAreWarnedAboutAndCut) {
    std::string digits;
    std::string letters;
    for (int i = 0; i < 140; ++i) {
        digits += static_cast<char>('0' + (i + 1) % 10);
        letters += static_cast<char>('A' + i % 26);
    }
    WRLINE(digits); // 140 characters: warned about
    letters.resize(132);
    WRLINE(letters); // 132 characters: no warning, 131 written
    EXPECT_EQ(CURLIN(), 7);
    EXPECT_TRUE(matchesGolden("truncation.txt"));
}

TEST_F(PrintPages, NarrowLayoutAtWidth79) {
    INIPAG(20, 79, 1, kTrue);
    MAIHDG(HeadingLines(60, {"NARROW REPORT"}), 1, kTrue);
    SUBHDG(HeadingLines(60, {"PART 2"}), 1, kTrue);
    NEWPAG(0, 1);
    std::string body = "BODY";
    WRLINE(body);
    CHGPAG(0);
    EXPECT_TRUE(matchesGolden("narrow.txt"));
}

TEST_F(PrintPages, ScreenChannelsRepeatOnlyTheTableHeading) {
    printChannels().kind[1] = kScreenChannel;
    printChannels().page_length[1] = 6;
    printChannels().suppress_table_output = kTrue;
    printChannels().suppress_all_output = kTrue;
    INIPAG(6, 79, 1, kTrue);
    MAIHDG(HeadingLines(60, {"NOT ON SCREEN"}), 1, kTrue);
    SUBHDG(HeadingLines(60, {"NOT ON SCREEN"}), 1, kTrue);
    TABHDG(HeadingLines(60, {"COL A  COL B"}), 1);
    channelBreak(2, 0, 1); // passes the pager prompt, which lets output continue
    EXPECT_EQ(printChannels().suppress_table_output, kFalse);
    EXPECT_EQ(printChannels().suppress_all_output, kFalse);
    for (int i = 1; i <= 6; ++i) {
        channelLine(2, "R" + std::to_string(i) + "    ");
    }
    std::string longLine;
    while (longLine.size() < 100) {
        longLine += "abcdefghij";
    }
    channelLine(2, longLine);
    channelBreak(2, 2, 2); // fits: the table heading at the current position
    channelLine(2, "");
    EXPECT_EQ(CURLIN(), 4);
    EXPECT_TRUE(matchesGolden("screen.txt"));
}

TEST_F(PrintPages, CountersBeyondSixDigitsShowAsterisks) {
    MAIHDG(HeadingLines(60, {"M"}), 1, kTrue);
    SUBHDG(HeadingLines(60, {"S"}), 1, kTrue);
    primasState().page_no = 999998;
    primasState().sub_page_no = 999998;
    NEWPAG(0, 0);
    NEWPAG(0, 0);
    EXPECT_TRUE(matchesGolden("counters.txt"));
}

TEST_F(PrintPages, KeptLinesAndUnknownChannels) {
    INIPAG(60, 132, 1, kFalse);
    std::string line = "KEEP ME";
    int32_t status = 0;
    PRTLIN(1, line, status);
    EXPECT_EQ(line, "KEEP ME");
    PRTLIN(6, line, status);
    EXPECT_EQ(status, kNoSuchChannel);
    PRTNEW(0, 0, 0, 1, status);
    EXPECT_EQ(status, kNoSuchChannel);
    EXPECT_EQ(written(), "\f\n KEEP ME\n");
}

} // namespace
