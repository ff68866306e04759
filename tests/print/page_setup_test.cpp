// Set-up of the page manager: unit, geometry and heading blocks, and the
// fatal report of every misuse.
#include <string>
#include <string_view>

#include <gtest/gtest.h>
#include <unistd.h>

#include "mfreport/print/line_output.h"
#include "mfreport/print/page_setup.h"
#include "mfreport/record/logical.h"
#include "primas_fixture.h"

namespace {

using namespace mfreport::print;
using mfreport::record::kFalse;
using mfreport::record::kTrue;
using mftest::HeadingLines;

// The whole report on standard output, as a pattern matching it literally.
std::string misuseReport(std::string_view routine, std::string_view message, int32_t value) {
    const std::string text = " ***** ILLEGAL USE OF \"PRIMAS\" MODULE *****\n       SUBROUTINE: " +
                             std::string(routine) + "\n      " + std::string(message) + " " +
                             std::to_string(value) +
                             "\n ***** WINDUP DUMMY ROUTINE CALLED\n        \n        \n"
                             " %PROGRAM WALKBACK BY AUXLIB:WALK:\n"
                             " _________________________________\n        \n %NOT IMPLEMENTED\n";
    std::string pattern;
    for (const char c : text) {
        pattern += std::string_view("\\^$.|?*+()[]{}").find(c) == std::string_view::npos
                       ? std::string(1, c)
                       : std::string{'\\', c};
    }
    return pattern;
}

// The death test reads standard error, so standard output is sent there.
#define EXPECT_MISUSE(statement, routine, message, value)                                          \
    EXPECT_EXIT((dup2(2, 1), statement), testing::ExitedWithCode(1),                               \
                misuseReport(routine, message, value))

class PageSetup : public testing::Test {
protected:
    void SetUp() override { mftest::freshPrintDefaults(); }
    HeadingLines one_{60, {"A"}};
    HeadingLines two_{60, {"A", "B"}};
};

TEST_F(PageSetup, EveryRoutineRefusesToRunBeforeTheDefaults) {
    primasState() = PrimasState();
    std::string line = "TEXT";
    const char* const unit = "IMPERMISSIBLE FORTRAN UNIT NO.";
    EXPECT_MISUSE(INIUNI(21), "INIUNI", unit, 0);
    EXPECT_MISUSE(MAIHDG(one_, 1, kTrue), "MAIHDG", unit, 0);
    EXPECT_MISUSE(CURLIN(), "CURLIN", unit, 0);
    EXPECT_MISUSE(WRLINE(line), "WRLINE", unit, 0);
    EXPECT_MISUSE(WRSCR(line), "WRSCR", unit, 0);
    EXPECT_MISUSE(NEWSCR(0, 1), "NEWSCR", unit, 0);
}

TEST_F(PageSetup, UnitAndGeometry) {
    EXPECT_MISUSE(INIUNI(100), "INIUNI", "IMPERMISSIBLE FORTRAN UNIT NO.", 100);
    INIUNI(99);
    EXPECT_EQ(primasState().unit, 99);
    INIPAG(10, 132, 9, kFalse); // line feeds up to page size - heading size - 1
    EXPECT_EQ(PAGLEN(), 10);
    EXPECT_EQ(primasState().line_feeds, 9);
    EXPECT_EQ(primasState().clear_after_write, kFalse);
    EXPECT_MISUSE(INIPAG(10, 133, 1, kTrue), "INIPAG", "TOO MANY CHARACTERS PER LINE", 133);
    EXPECT_MISUSE(INIPAG(10, 80, 0, kTrue), "INIPAG", "IMPERMISSIBLE NO. OF LINFEEDS", 0);
    EXPECT_MISUSE(INIPAG(10, 80, 10, kTrue), "INIPAG", "IMPERMISSIBLE NO. OF LINFEEDS", 10);

    MAIHDG(two_, 2, kTrue);
    SUBHDG(one_, 1, kTrue);
    TABHDG(one_, 1);
    EXPECT_MISUSE(INIPAG(4, 132, 1, kTrue), "INIPAG", "PAGE SIZE LESS THAN HEADING SIZE", 4);
    // One line more passes the page check, but leaves no room for a line feed.
    EXPECT_MISUSE(INIPAG(5, 132, 1, kTrue), "INIPAG", "IMPERMISSIBLE NO. OF LINFEEDS", 1);
}

TEST_F(PageSetup, HeadingSizeStaysBelowThePageSize) {
    INIPAG(5, 132, 1, kTrue);
    MAIHDG(two_, 2, kTrue);
    SUBHDG(one_, 1, kTrue);
    TABHDG(one_, 1);
    MAIHDG(two_, 2, kTrue); // the same size again
    EXPECT_EQ(primasState().heading_size, 4);
    EXPECT_MISUSE(TABHDG(two_, 2), "TABHDG", "PAGE SIZE LESS THAN HEADING SIZE", 5);

    primasState().page_no = 7;
    MAIHDG(two_, 0, kTrue); // empty, and still restarts the numbering
    EXPECT_EQ(primasState().heading_size, 2);
    EXPECT_EQ(primasState().page_no, 0);
    EXPECT_EQ(primasState().main_heading[0].str(), std::string(132, ' '));
}

TEST_F(PageSetup, LineCountAndLengthLimits) {
    HeadingLines lines(
        3, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"});
    EXPECT_MISUSE(MAIHDG(lines, 6, kTrue), "MAIHDG", "TOO MANY LINES IN MAIN HEADING", 6);
    EXPECT_MISUSE(SUBHDG(lines, 6, kTrue), "SUBHDG", "TOO MANY LINES IN SUB HEADING", 6);
    EXPECT_MISUSE(TABHDG(lines, 16), "TABHDG", "TOO MANY LINES IN TABLE HEADING", 16);

    // Width 132: 82 characters of main heading, 78 of sub heading; trailing
    // blanks and NULs do not count.
    HeadingLines main(90,
                      {std::string(82, 'M') + "  " + std::string(3, '\0'), std::string(83, 'M')});
    MAIHDG(main, 1, kTrue);
    EXPECT_EQ(primasState().main_heading[0].str().substr(35, 83), std::string(82, 'M') + ' ');
    EXPECT_MISUSE(MAIHDG(main, 2, kTrue), "MAIHDG", "MAIN HEADING LINE TOO LONG", 83);
    HeadingLines sub(90, {std::string(78, 'S'), std::string(79, 'S')});
    SUBHDG(sub, 1, kTrue);
    EXPECT_MISUSE(SUBHDG(sub, 2, kTrue), "SUBHDG", "SUB HEADING LINE IS TOO LONG", 79);

    INIPAG(60, 79, 1, kTrue); // narrow: 48 and 44 characters; table lines up to the width
    HeadingLines narrow(90, {std::string(44, 'N'), std::string(48, 'N'), std::string(79, 'N'),
                             std::string(80, 'N')});
    MAIHDG(narrow, 2, kTrue);
    SUBHDG(narrow, 1, kTrue);
    TABHDG(narrow, 3);
    EXPECT_MISUSE(SUBHDG(narrow, 2, kTrue), "SUBHDG", "SUB HEADING LINE IS TOO LONG", 48);
    EXPECT_MISUSE(MAIHDG(narrow, 3, kTrue), "MAIHDG", "MAIN HEADING LINE TOO LONG", 79);
    EXPECT_MISUSE(TABHDG(narrow, 4), "TABHDG", "TABLE HEADING LINE TOO LONG", 80);
}

} // namespace
