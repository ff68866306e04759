#include <gtest/gtest.h>

#include "mfreport/mfreport.h"
#include "recording_device.h"

namespace {

using mftest::RecordingDevice;

class BareDevice : public mfDevice {
public:
    ReportType report_type() const override { return TEXT; }
    using mfDevice::numbered_heading;
};

TEST(HeadingNumbers, CountPerLevelAndResetDeeperLevels) {
    BareDevice d;
    EXPECT_EQ(d.numbered_heading("A", 1), "1  A");
    EXPECT_EQ(d.numbered_heading("B", 2), "1.1  B");
    EXPECT_EQ(d.numbered_heading("C", 2), "1.2  C");
    EXPECT_EQ(d.numbered_heading("D", 3), "1.2.1  D");
    EXPECT_EQ(d.numbered_heading("E", 1), "2  E");
    EXPECT_EQ(d.numbered_heading("F", 3), "2.0.1  F");
    EXPECT_EQ(d.numbered_heading("G", 5), "2.0.1.0.1  G");
    EXPECT_EQ(d.last_heading_level(), 5);
}

TEST(HeadingNumbers, LevelsOutsideOneToFiveStayUnnumbered) {
    BareDevice d;
    d.numbered_heading("A", 2);
    for (int level : {0, -1, 6, 99}) {
        EXPECT_EQ(d.numbered_heading("Plain", level), "Plain");
        EXPECT_EQ(d.last_heading_level(), 2);
    }
    EXPECT_EQ(d.numbered_heading("B", 2), "0.2  B");
}

TEST(HeadingNumbers, ResetStartsAgainAndCopiesKeepTheState) {
    BareDevice d;
    d.numbered_heading("A", 1);
    d.numbered_heading("B", 2);
    BareDevice copy(d);
    EXPECT_EQ(copy.numbered_heading("C", 2), "1.2  C");
    d.reset_heading_counter();
    EXPECT_EQ(d.last_heading_level(), 0);
    EXPECT_EQ(d.numbered_heading("A", 1), "1  A");
}

TEST(DeviceBase, UnsupportedOperationsAnswerFalse) {
    BareDevice d;
    EXPECT_FALSE(d.addHeading("x", 1));
    EXPECT_FALSE(d.addParagraph("x"));
    EXPECT_FALSE(d.addList({"a"}, 1));
    EXPECT_EQ(d.addTable(mfTableHeader("T", "t", 1)), nullptr);
    EXPECT_FALSE(d.addFigure("f.png", "c"));
    EXPECT_FALSE(d.addPageBreak());
    EXPECT_FALSE(d.addHeadingToTOC("x", 1));
    EXPECT_FALSE(d.beginTOC());
    EXPECT_FALSE(d.endTOC());
    EXPECT_EQ(d.last_heading_level(), 0);
}

TEST(TOCDevice, ForwardsHeadingsAndResetsTheTargetWhenDeleted) {
    RecordingDevice target;
    {
        mfTOCDevice toc(&target);
        EXPECT_EQ(toc.report_type(), mfDevice::TOC);
        EXPECT_TRUE(toc.addHeading("Intro", 1));
        EXPECT_TRUE(toc.addHeading("Scope", 2));
        EXPECT_TRUE(toc.addHeading("Results", 1));
        EXPECT_FALSE(toc.addParagraph("dropped"));
        EXPECT_EQ(toc.addTable(mfTableHeader("T", "t", 1)), nullptr);
        EXPECT_EQ(target.last_heading_level(), 1);
    }
    EXPECT_EQ(target.last_heading_level(), 0);
    EXPECT_EQ(target.calls,
              (std::vector<std::string>{"toc 1  Intro", "toc 1.1  Scope", "toc 2  Results"}));
    target.addHeading("Intro", 1);
    EXPECT_EQ(target.calls.back(), "heading 1 1  Intro");
}

TEST(TOCDevice, AnswersWhatTheTargetAnswers) {
    BareDevice plain;
    mfTOCDevice toc(&plain);
    EXPECT_FALSE(toc.addHeading("x", 1));
    mfTOCDevice none(nullptr);
    EXPECT_FALSE(none.addHeading("x", 1));
}

} // namespace
