// The channel routines and their status codes.
#include <string>

#include <gtest/gtest.h>

#include "mfreport/print/print_channels.h"
#include "mfreport/print/print_defaults.h"
#include "mfreport/record/logical.h"
#include "mfreport/record/record_io.h"
#include "mfreport/text/channels.h"
#include "mfreport/text/formatter_state.h"
#include "mfreport/text/status.h"
#include "text_fixture.h"

namespace {

using namespace mfreport::text;
using mfreport::print::printChannels;

class Channels : public mftest::TextReport {
protected:
    void SetUp() override {
        TextReport::SetUp();
        mfreport::print::PRTDEF();
        PTINIT(20, status_);
    }
    // Defines a channel; its number, or the status when it fails.
    int32_t define(std::string_view name, int32_t kind, int32_t unit = 21) {
        int32_t channel = -7;
        PTDCHN(name, unit, kind, channel, status_);
        return status_ == kOk ? channel : status_;
    }
    int32_t status_ = -1;
};

TEST_F(Channels, DefineAndGeometry) {
    EXPECT_EQ(reportState().channel[4].directory.str().substr(0, 3), "[] ");
    EXPECT_EQ(reportState().channel[4].name.str(), "PRIMAX    ");
    EXPECT_EQ(reportState().channel[4].extension.str(), ".LIS");
    EXPECT_EQ(reportState().report_file.str().substr(0, 14), "**UNDEFINED** ");

    EXPECT_EQ(define("", 0), kBlankChannelName);
    EXPECT_EQ(define("   ", 0), kBlankChannelName);
    EXPECT_EQ(define("ELEVENCHARS", 0), kLongChannelName);
    EXPECT_EQ(define("A", 3), kBadChannelKind);
    EXPECT_EQ(define("A", -1), kBadChannelKind);
    EXPECT_EQ(define("PRINT", 0), 1);
    EXPECT_EQ(define("SCREEN", 1), 2);
    EXPECT_EQ(define("CSV       ", 2), 3);
    int32_t channel = 0;
    PTDCHN("SCREEN", 30, 0, channel, status_);
    EXPECT_EQ(status_, kChannelExists);
    EXPECT_EQ(channel, 2);
    EXPECT_EQ(define("D", 0), 4);
    EXPECT_EQ(define("E", 0), 5);
    EXPECT_EQ(define("F", 0), kTooManyChannels);
    EXPECT_EQ(formatterState().channels, 5);

    const auto& c = printChannels();
    EXPECT_EQ(c.line_width[0], 131);
    EXPECT_EQ(c.page_length[0], 60);
    EXPECT_EQ(c.line_width[1], 79);
    EXPECT_EQ(c.page_length[1], 24);
    EXPECT_EQ(c.kind[2], 2);
    EXPECT_EQ(c.unit[2], 21);

    for (const int32_t wrong : {0, 6, -1}) {
        PTGEOM(wrong, 10, 10, status_);
        EXPECT_EQ(status_, kNoSuchChannel);
    }
    PTGEOM(1, 55, -1, status_);
    EXPECT_EQ(status_, kOk);
    EXPECT_EQ(c.page_length[0], 55);
    EXPECT_EQ(c.line_width[0], 131);
    PTGEOM(1, 0, 5000, status_);
    EXPECT_EQ(c.page_length[0], 55);
    EXPECT_EQ(c.line_width[0], 1310);
}

TEST_F(Channels, FindAndFileNames) {
    define("PRINT", 0);
    define("SCREEN", 1);
    define("CSV", 2);
    int32_t channel = -7;
    PTFCHN(" ", channel, status_);
    EXPECT_EQ(status_, kBlankChannelName);
    PTFCHN("ELEVENCHARS", channel, status_);
    EXPECT_EQ(status_, kLongChannelName);
    PTFCHN("OTHER", channel, status_);
    EXPECT_EQ(status_, kChannelNotFound);
    EXPECT_EQ(channel, -7);
    EXPECT_EQ(reportState().current_channel, 0);
    PTFCHN("SCREEN", channel, status_);
    EXPECT_EQ(status_, kOk);
    EXPECT_EQ(channel, 2);
    EXPECT_EQ(reportState().current_channel, 2);

    PTSFIL("OTHER", " ", "out", status_);
    EXPECT_EQ(status_, kChannelNotFound);
    PTSFIL("SCREEN", " ", "out", status_);
    EXPECT_EQ(status_, kScreenChannel);
    PTSFIL("PRINT", " ", "   ", status_);
    EXPECT_EQ(status_, kBlankFileName);
    PTSFIL("PRINT", "dir/", "out", status_);
    EXPECT_EQ(status_, kOk);
    EXPECT_EQ(reportState().channel[0].extension.str(), ".LIS");
    EXPECT_EQ(reportState().channel[0].directory.str().substr(0, 5), "dir/ ");
    PTSFIL("CSV", " ", "out", status_);
    EXPECT_EQ(reportState().channel[2].extension.str(), ".csv");
}

TEST_F(Channels, ProgramIdentityBuildsTheHeadingLine) {
    const mfreport::record::TextArray none;
    PTPRID("KALDU", "LONGPROGRAMNAME", "Description", "2.4.1-beta7", " ", " ", "01-NOV-2026", 0,
           none, status_);
    EXPECT_EQ(status_, kOk);
    const ProgramIdentity& id = reportState().identity;
    const std::string heading(id.heading.data(), id.heading.size());
    EXPECT_EQ(heading.substr(0, 60),
              "PROGRAM: KALDU    LONGPROGR 2.4.1-b 01-NOV-2026             ");
    EXPECT_EQ(heading.substr(60), std::string(300, ' '));
    EXPECT_EQ(formatterState().heading_lines, 2);
    EXPECT_EQ(id.name.str(), "LONGPROGR");
    EXPECT_EQ(id.version.str(), "2.4.1-be");

    std::string extra = std::string("EXTRA 1") + std::string(53, ' ') + "EXTRA 2";
    extra.resize(300, ' ');
    PTPRID("KALDU", "P", "D", "1", " ", " ", "01-NOV-2026", 4,
           mfreport::record::TextArray(extra.data(), 60, 5), status_);
    EXPECT_EQ(formatterState().heading_lines, 6);
    EXPECT_EQ(std::string(id.heading.data() + 120, 7), "EXTRA 1");
    EXPECT_EQ(std::string(id.heading.data() + 180, 7), "EXTRA 2");
    PTPRID("KALDU", "Q", "D", "1", " ", " ", "01-NOV-2026", 5,
           mfreport::record::TextArray(extra.data(), 60, 5), status_);
    EXPECT_EQ(status_, kTooManyExtraLines);
    EXPECT_EQ(formatterState().heading_lines, 6);
    EXPECT_EQ(id.name.str(), "P        ");
}

TEST_F(Channels, ReportFileOpenDefaultAndClose) {
    int32_t status = 0;
    PTREPF("default", " ", status);
    EXPECT_EQ(status, kChannelNotFound); // no channel "PFILE" yet
    define("PFILE", 0);
    PTREPF("default", " ", status);
    EXPECT_EQ(status, kOk);
    EXPECT_EQ(reportState().report_file.str().substr(0, 7), "REPORT ");
    EXPECT_EQ(reportState().channel[0].file.str().substr(0, 7), "REPORT ");
    EXPECT_EQ(reportState().report_channel, 1);
    PTREPF("close", " ", status);
    EXPECT_EQ(reportState().report_channel, 0);
    PTREPF("open", " ", status);
    EXPECT_EQ(status, kBlankFileName);
    EXPECT_EQ(reportState().report_channel, 0);
    PTREPF("open", "results", status);
    EXPECT_EQ(status, kOk);
    EXPECT_EQ(reportState().report_channel, 1);
    EXPECT_EQ(reportState().channel[0].file.str().substr(0, 8), "results ");
}

TEST_F(Channels, ClosingReportsAFailedClose) {
    define("PFILE", 0);
    PTCLOS(mfreport::record::kFalse, 2, status_);
    EXPECT_EQ(status_, kNoSuchChannel);
    PTCLOS(mfreport::record::kFalse, 1, status_); // not open: nothing to close
    EXPECT_EQ(status_, kOk);

    mfreport::record::OpenRequest full;
    full.unit = 21;
    full.file = "/dev/full";
    full.access = mfreport::record::OpenAccess::Append;
    ASSERT_EQ(mfreport::record::openUnit(full), 0);
    mfreport::record::writeRecord(21, {mfreport::record::item::A("buffered")});
    printChannels().banner_written[0] = mfreport::record::kTrue;
    PTCLOS(mfreport::record::kTrue, 0, status_);
    EXPECT_EQ(status_, kCloseFailed);
    EXPECT_NE(reportState().close_status, 0);
    EXPECT_FALSE(mfreport::record::inquireUnit(21).open);
    EXPECT_FALSE(mfreport::record::isTrue(printChannels().banner_written[0]));
}

} // namespace
