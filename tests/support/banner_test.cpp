#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "golden.h"
#include "mfreport/platform/host.h"
#include "mfreport/record/record_io.h"
#include "mfreport/support/banner.h"
#include "mfreport/support/banner_art.h"
#include "mfreport/support/host_info.h"
#include "mfreport/support/ident_store.h"
#include "test_env.h"

namespace {

using namespace mfreport::support;

constexpr int32_t kUnit = 21;

std::string pad(const std::string& text, size_t length) {
    return (text + std::string(length, ' ')).substr(0, length);
}

std::string golden(const std::string& name) {
    return mftest::readFile(std::string(MFREPORT_SOURCE_DIR) + "/tests/golden/banner/" + name);
}

// The banner's fields as the text-table formatter passes them.
struct Fields {
    std::string name = "BEAMCALC";
    std::string title = "Plane frame analysis";
    std::string program_id = "2.4.1";
    std::string update;
    std::string notes;
    std::string release_date = "01-NOV-2026";
};

class Banner : public testing::Test {
protected:
    void SetUp() override {
        clearIdentStores();
        resetHostInfo();
        mfreport::platform::setHostFacts(
            mfreport::platform::HostFacts{"jdoe", "BRIDGE-WS01", 8664, "Linux 6.1 [0]", 123456789});
    }
    void TearDown() override {
        mfreport::platform::setHostFacts(std::nullopt);
        resetHostInfo();
        clearIdentStores();
        identKeyTable() = IdentKeyTable(); // a typed look-up built it
        setBannerMaker(mfreport::Maker());
    }

    void write(int32_t unit, const std::string& style, const Fields& f) {
        BANNER(unit, pad(f.name, 9), pad(f.title, 256), pad(f.program_id, 8), pad(f.update, 8),
               pad(f.notes, 131), pad(f.release_date, 11), style);
    }

    // The banner page as written to a file.
    std::string page(const std::string& style, const Fields& f = Fields()) {
        mfreport::record::OpenRequest request;
        request.unit = kUnit;
        request.file = file.path();
        request.status = mfreport::record::OpenStatus::Unknown;
        EXPECT_EQ(mfreport::record::openUnit(request), 0);
        write(kUnit, style, f);
        mfreport::record::closeUnit(kUnit);
        return mftest::readFile(file.path());
    }

    std::vector<std::string> lines(const std::string& style, const Fields& f = Fields()) {
        return mftest::splitLines(page(style, f));
    }

    mftest::FixedClock clock{"1796585527"}; // 2026-12-06 19:32:07 UTC
    mftest::TempFile file{"banner.LIS"};
};

TEST_F(Banner, GoldenPages) {
    EXPECT_TRUE(mftest::sameLines(page("LONG  "), golden("long.txt")));
    EXPECT_TRUE(mftest::sameLines(page("WIDE"), golden("long.txt")));

    Fields narrow;
    narrow.name = "FRAME3D";
    narrow.title = "Space frame analysis with second order effects";
    narrow.program_id = "3.0.2";
    narrow.notes = "Load case 7 results are not yet checked against the reference solution "
                   "of the test suite.";
    narrow.release_date = "15-MAR-2026";
    EXPECT_TRUE(mftest::sameLines(page("NARROW", narrow), golden("narrow.txt")));

    Fields small;
    small.name = "PILE";
    small.title = "Pile group settlement";
    small.program_id = "1.2";
    small.update = "B";
    small.release_date = "30-JUN-2025";
    EXPECT_TRUE(mftest::sameLines(page("SHORT/SMALL", small), golden("short_small.txt")));
}

TEST_F(Banner, NoneWritesNothingAndOtherWordsFollowTheRunMode) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(page("NONE"), "");
    write(6, "NONE", Fields());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    EXPECT_EQ(page("PLAIN"), page("SHORT"));
    clearIdentStores(); // the run mode is asked once
    setTypedIdent("RUN-MODE", kIdentText, std::string("BATCH"));
    EXPECT_TRUE(mftest::sameLines(page("PLAIN"), golden("long.txt")));
}

TEST_F(Banner, StandardOutputUnitWritesToStandardOutput) {
    testing::internal::CaptureStdout();
    write(6, "LONG", Fields());
    EXPECT_TRUE(mftest::sameLines(testing::internal::GetCapturedStdout(), golden("long.txt")));
}

TEST_F(Banner, NineLetterNameWidensTheNarrowBoxToColumns26To53) {
    Fields f;
    f.name = "BEAMCALC3";
    f.title = "Frame check";
    const auto rows = lines("NARROW", f);
    ASSERT_GE(rows.size(), 26U);
    const std::string side = std::string(25, ' ') + "*" + std::string(26, ' ') + "*";
    EXPECT_EQ(rows[19], std::string(25, ' ') + std::string(28, '*')); // top row 20
    EXPECT_EQ(rows[20], side);
    EXPECT_EQ(rows[21], std::string(25, ' ') + "*    B E A M C A L C 3     *");
    EXPECT_EQ(rows[23], std::string(25, ' ') + "*        Frame check       *");
    EXPECT_EQ(rows[24], side);
    EXPECT_EQ(rows[25], rows[19]); // bottom row 26
}

TEST_F(Banner, BlankUserLeavesTheLeftHalfEmpty) {
    mfreport::platform::setHostFacts(
        mfreport::platform::HostFacts{"", "BRIDGE-WS01", 8664, "Linux 6.1 [0]", 77});
    const auto rows = lines("LONG"); // identification rows 44 to 48
    ASSERT_EQ(rows.size(), 53U);
    EXPECT_EQ(rows[46], std::string(79, ' ') + "CPU id           : 0000000077");
    EXPECT_EQ(rows[47], std::string(79, ' ') + "Installation     : , BRIDGE-WS01");
}

TEST_F(Banner, NotesAndNoticeRows) {
    const std::string notice =
        "  This program is the property of ZEB Software. All rights reserved.";
    auto rows = lines("SHORT"); // identification rows 26 to 30
    ASSERT_EQ(rows.size(), 34U);
    EXPECT_EQ(rows[25].substr(0, 20), "  Program id   : 2.4");
    EXPECT_EQ(rows[31], notice);
    EXPECT_EQ(rows[33], " ");

    Fields f;
    f.notes = std::string(50, 'a') + std::string(50, 'b') + "c";
    rows = lines("SHORT", f);
    ASSERT_EQ(rows.size(), 39U);
    EXPECT_EQ(rows[31], "  Special notes for this program version :");
    EXPECT_EQ(rows[32], "     " + std::string(50, 'a'));
    EXPECT_EQ(rows[33], "     " + std::string(50, 'b'));
    EXPECT_EQ(rows[34], "     c");
    EXPECT_EQ(rows[35], " ");
    EXPECT_EQ(rows[36], notice);

    rows = lines("NARROW"); // with eject: identification rows 34 to 38
    ASSERT_EQ(rows.size(), 43U);
    EXPECT_EQ(rows[40], notice);
}

TEST_F(Banner, LongTitlePartsTakeTheirRows) {
    Fields f;
    f.title = pad("Part one", 80) + pad("Part two", 80) + "Part three";
    auto rows = lines("LONG", f);
    ASSERT_EQ(rows.size(), 55U);
    EXPECT_EQ(rows[39], std::string(60, ' ') + "Part two");
    EXPECT_EQ(rows[41], std::string(46, ' ') + "Marketing and Support by ZEB Software");
    EXPECT_EQ(rows[45].substr(0, 30), std::string(15, ' ') + "Program id   : ");
    EXPECT_EQ(rows[52], std::string(15, ' ') + "Part three");

    f.name = "PILE";
    rows = lines("NARROW", f); // part two three rows above the support line
    EXPECT_EQ(rows[29], std::string(35, ' ') + "Part two");
    EXPECT_EQ(rows[32], std::string(21, ' ') + "Marketing and Support by ZEB Software");
}

TEST_F(Banner, LocalAddressesFollowTheNotice) {
    addIdentRecord("LOCAL-ADDRESSES Dept-7 , Room-12");
    const auto rows = lines("SHORT");
    ASSERT_EQ(rows.size(), 37U);
    EXPECT_EQ(rows[31], "  This program is the property of ZEB Software. All rights reserved.");
    EXPECT_EQ(rows[32], "     Dept-7");
    EXPECT_EQ(rows[33], " ");
    EXPECT_EQ(rows[34], "     Room-12");
}

TEST_F(Banner, UpperCaseFlagUpperCasesEveryRow) {
    addIdentRecord("LETTER-CASE UPPER");
    std::string expected = golden("long.txt");
    for (char& c : expected) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    EXPECT_TRUE(mftest::sameLines(page("LONG"), expected));
}

// Rows of `text` in big letters starting in column `column`, as written.
std::vector<std::string> bigRows(const std::string& text, size_t column) {
    std::vector<std::string> rows;
    for (const std::string& row : drawBigText(text, 131).rows) {
        std::string line = std::string(column - 1, ' ') + row;
        line.erase(line.find_last_not_of(' ') + 1);
        rows.push_back(line);
    }
    return rows;
}

TEST_F(Banner, MakerNamesTheSupportLineTheNoticeAndTheProductWord) {
    setBannerMaker(mfreport::Maker{"ACME Engineering", "ACME"});
    auto rows = lines("LONG");
    ASSERT_EQ(rows.size(), 53U);
    // The product word's rows 7 to 16: big letters in rows 8 to 14, 34
    // columns wide, centred on column 65.
    const auto acme = bigRows("ACME", 65 - 34 / 2);
    EXPECT_EQ(rows[6], " ");
    for (size_t i = 0; i < acme.size(); ++i) {
        EXPECT_EQ(rows[7 + i], acme[i]) << i;
    }
    EXPECT_EQ(rows[14], " ");
    EXPECT_EQ(rows[15], " ");
    EXPECT_EQ(rows[19].find('*'), 22U); // the box keeps its place
    EXPECT_EQ(rows[39], std::string(44, ' ') + "Marketing and Support by ACME Engineering");
    EXPECT_EQ(rows[50],
              std::string(15, ' ') +
                  "This program is the property of ACME Engineering. All rights reserved.");

    rows = lines("NARROW"); // the art's rows 4 to 13, centred on column 40
    const auto narrow = bigRows("ACME", 40 - 34 / 2);
    EXPECT_EQ(rows[3], " ");
    for (size_t i = 0; i < narrow.size(); ++i) {
        EXPECT_EQ(rows[4 + i], narrow[i]) << i;
    }
    EXPECT_EQ(rows[11], " ");

    // Spaced out in row 5, centred on column 39, inside the box of columns
    // 25 to 55 that the title widens.
    rows = lines("SHORT/SMALL");
    EXPECT_EQ(rows[4], std::string(24, ' ') + "*" + std::string(9, ' ') + "A  C  M  E" +
                           std::string(10, ' ') + "*");
    EXPECT_EQ(rows[2], std::string(24, ' ') + std::string(31, '*'));

    setBannerMaker(mfreport::Maker{"M", "SUITEWOR"});
    rows = lines("NARROW"); // eight letters fit the 80-column page
    EXPECT_EQ(rows[4], bigRows("SUITEWOR", 40 - 70 / 2)[0]);
}

TEST(BigText, GlyphWidthsGapsAndTheColumnLimit) {
    EXPECT_EQ(drawBigText("K1.", 131).width, 6 + 2 + 5 + 2 + 5);
    EXPECT_EQ(drawBigText("", 131).width, 0);
    const BigText ab = drawBigText("a?b", 131); // upper-cased; "?" takes no space
    EXPECT_EQ(ab.width, 16);
    EXPECT_EQ(ab.rows[0].size(), 16U);
    EXPECT_EQ(ab.rows[0].substr(7, 2), "  ");
    EXPECT_EQ(drawBigText(std::string(20, 'W'), 131).width, 14 * 7 + 13 * 2);
    for (const char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789. ")) {
        const int32_t expected = c == 'K' ? 6 : c == '1' || c == '.' ? 5 : 7;
        EXPECT_EQ(drawBigText(std::string(1, c), 131).width, expected) << c;
    }
}

} // namespace
