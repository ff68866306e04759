#include <gtest/gtest.h>

#include "html_fixture.h"

namespace {

using mftest::htmlContent;
using mftest::htmlReport;
using mftest::sameLines;

constexpr const char* sixNbsp = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";

TEST(HtmlDevice, EmptyReportIsACompletePage) {
    const std::string expected =
        R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN"     "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd" >
<html xmlns="http://www.w3.org/1999/xhtml" xml:lang="en" lang="en">
<head>
   <title> <no name> <no ver> HTML report</title>
   <style type="text/css"> 
       th {background-color:#CCCCCC } 
   </style>
</head>
<body>
<p><i><no name> version <no ver> - <no date> - <no descr></i>
</p>
<p><b>  -  </b>
</p>
<p><i>Report created - Date : 06-DEC-2026  - Time : 19:32:07  - User  : USER</i></p>
</body>
</html>
)";
    EXPECT_TRUE(
        sameLines(htmlReport([](mfHtmlDevice& d) { EXPECT_EQ(d.report_type(), mfDevice::HTML); },
                             mfReportClient(), mfReportHeader(), false),
                  expected));
}

TEST(HtmlDevice, HeadingsCarryTheirNumberAsAnchor) {
    EXPECT_EQ(htmlContent([](mfHtmlDevice& d) {
                  EXPECT_TRUE(d.addHeading("Results", 1));
                  EXPECT_TRUE(d.addHeading("Loads", 2));
                  EXPECT_TRUE(d.addHeading("Free", 7));
                  EXPECT_TRUE(d.addHeading("Notes", 0));
              }),
              "<p><a id=\"1  Results\" /></p>\n<h1>1  Results</h1>\n"
              "<p><a id=\"1.1  Loads\" /></p>\n<h2>1.1  Loads</h2>\n"
              "<p><a id=\"Free\" /></p>\n<h3>Free</h3>\n"
              "<p><a id=\"Notes\" /></p>\n<h3>Notes</h3>\n");
}

TEST(HtmlDevice, ContentsLinesAreIndentedPerLevel) {
    EXPECT_EQ(htmlContent([](mfHtmlDevice& d) {
                  EXPECT_TRUE(d.addHeadingToTOC("Intro", 0));
                  EXPECT_TRUE(d.addHeadingToTOC("Model", 1));
                  EXPECT_TRUE(d.addHeadingToTOC("Nodes", 2));
                  EXPECT_FALSE(d.beginTOC());
                  EXPECT_FALSE(d.endTOC());
                  EXPECT_FALSE(d.addPageBreak());
              }),
              std::string("<br/><a href=\"#Intro\">Intro</a>\n<br/>") + sixNbsp +
                  "<a href=\"#1  Model\">1  Model</a>\n<br/>" + sixNbsp + sixNbsp +
                  "<a href=\"#1.1  Nodes\">1.1  Nodes</a>\n");
}

TEST(HtmlDevice, ContentsPassGivesTheSameNumbersAsTheHeadings) {
    const auto headings = [](mfDevice& d) {
        d.addHeading("A", 1);
        d.addHeading("B", 2);
        d.addHeading("C", 1);
    };
    EXPECT_EQ(htmlContent([&](mfHtmlDevice& d) {
                  {
                      mfTOCDevice toc(&d);
                      headings(toc);
                  }
                  headings(d);
              }),
              std::string("<br/>") + sixNbsp + "<a href=\"#1  A\">1  A</a>\n<br/>" + sixNbsp +
                  sixNbsp + "<a href=\"#1.1  B\">1.1  B</a>\n<br/>" + sixNbsp +
                  "<a href=\"#2  C\">2  C</a>\n"
                  "<p><a id=\"1  A\" /></p>\n<h1>1  A</h1>\n"
                  "<p><a id=\"1.1  B\" /></p>\n<h2>1.1  B</h2>\n"
                  "<p><a id=\"2  C\" /></p>\n<h1>2  C</h1>\n");
}

TEST(HtmlDevice, ListsAsPairsOrLines) {
    EXPECT_EQ(htmlContent([](mfHtmlDevice& d) {
                  EXPECT_TRUE(d.addList({"a", "1", "b", "2"}, 2));
                  EXPECT_TRUE(d.addList({"x", "y", "z"}, 2));
                  EXPECT_TRUE(d.addList({}, 1));
              }),
              R"(<table>
<tr> <td align="left"> a</td>
<td>&nbsp;&nbsp;&nbsp;</td><td align="left"> 1</td></tr>
<tr> <td align="left"> b</td>
<td>&nbsp;&nbsp;&nbsp;</td><td align="left"> 2</td></tr>
</table>
<p>
x<br/>
y<br/>
z<br/>
</p>
<p>
</p>
)");
}

TEST(HtmlDevice, CallerTextIsWrittenUnescapedButValidUtf8) {
    EXPECT_EQ(htmlContent(
                  [](mfHtmlDevice& d) {
                      EXPECT_TRUE(d.addParagraph("a &amp; b <i>c</i>"));
                      EXPECT_TRUE(d.addParagraph("Spacing 150 \xB5m at 20 \xB0"
                                                 "C"));
                      EXPECT_TRUE(d.addFigure("img/frame.png", "Figure 1: frame"));
                  },
                  false),
              "<p>a &amp; b <i>c</i></p>\n"
              "<p>Spacing 150 \xC2\xB5m at 20 \xC2\xB0"
              "C</p>\n"
              "<p><img src=\"img/frame.png\" alt=\"img/frame.png\" /></p>\n"
              "<p>Figure 1: frame</p>\n");
}

TEST(HtmlDevice, FailedWritesAreReported) {
    mfHtmlDevice device(mfReportClient(), "/dev/full", mfReportHeader());
    EXPECT_FALSE(device.addParagraph("lost"));
    EXPECT_FALSE(device.addHeading("Lost", 1));
    std::unique_ptr<mfTable> table(device.addTable(mfTableHeader("T", "t", 1)));
    table->addColumn(mfTableColumn("A", "a", mfTableColumn::INTEGER));
    EXPECT_FALSE(table->begin_table());
    EXPECT_FALSE(table->begin_record());
    EXPECT_FALSE(table->end_record());
    EXPECT_FALSE(table->end_table());
}

TEST(HtmlDevice, GoldenReport) {
    const mfReportClient client("Frame", "Plane frame analysis", "3.1", "30-NOV-2026");
    const mfReportHeader model("Bridge", "Two-span bridge", "bridge.mdl", "AB", "01-DEC-2026");
    const auto report = [](mfDevice& d) {
        d.addHeading("Results", 1);
        d.addParagraph("Loads & <b>checks</b>");
        mfTableHeader th("T1", "Member forces", 2);
        th.addNote("ULS only");
        std::unique_ptr<mfTable> t(d.addTable(th));
        if (t) {
            mfTableColumn n("N", "Normal force", mfTableColumn::REAL);
            n.setUnits("kN", 0.001);
            n.setWidth(10, 3, mfTableColumn::FIXED);
            t->addColumn(mfTableColumn("Member", "Member number", mfTableColumn::INTEGER));
            t->addColumn(n);
            t->addColumn(mfTableColumn("Label", "Member label", mfTableColumn::STRING));
            t->begin_table();
            t->begin_record();
            t->insertValue(0, 1);
            t->insertValue(1, 3141.59);
            t->insertValue(2, std::string("a\nb"));
            t->end_record();
            const std::string anchor = "T1";
            t->begin_record();
            t->insertValue(2, std::string("<none>"));
            t->insertValue(0, 2, &anchor);
            t->insertValue(1, 0.0);
            t->end_record();
            t->end_table();
        }
        d.addHeading("Summary", 1);
        d.addList({"Max N", "3.142 kN"}, 2);
        d.addFigure("frame.png", "Figure 1");
    };
    const std::string expected =
        R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN"     "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd" >
<html xmlns="http://www.w3.org/1999/xhtml" xml:lang="en" lang="en">
<head>
   <title> Frame 3.1 HTML report</title>
   <style type="text/css"> 
       th {background-color:#CCCCCC } 
   </style>
</head>
<body>
<p><i>Frame version 3.1 - 30-NOV-2026 - Plane frame analysis</i>
</p>
<p><b>Bridge  -  Two-span bridge</b>
</p>
<p><i>Report created - Date : 06-DEC-2026  - Time : 19:32:07  - User  : USER</i></p>
<p>Contents</p>
<br/>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<a href="#1  Results">1  Results</a>
<br/>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<a href="#2  Summary">2  Summary</a>
<p><a id="1  Results" /></p>
<h1>1  Results</h1>
<p>Loads & <b>checks</b></p>
<p><a id="T1" /></p>
<p><a id="1.1  Member forces" /></p>
<h2>1.1  Member forces</h2>
<p>
ULS only<br/>
</p>
<table border="0" cellspacing="1" cellpadding="2">
  <thead>
    <tr>
      <th valign="top" align="left" > Member </th> 
      <th valign="top" align="left" > N [kN] </th> 
      <th valign="top" align="left" > Label </th> 
    </tr> 
   </thead>
  <tbody>
    <tr> 
      <td align="right"> 1</td> 
      <td align="right">      3.142</td>
      <td align="left" >a<br/>b </td>
    </tr> 
    <tr> 
      <td align="right"> <a href="#T1">2</a></td> 
      <td align="right">          0</td>
      <td align="left" >&lt;none&gt; </td>
    </tr> 
  </tbody>
</table> 
<p><a id="2  Summary" /></p>
<h1>2  Summary</h1>
<table>
<tr> <td align="left"> Max N</td>
<td>&nbsp;&nbsp;&nbsp;</td><td align="left"> 3.142 kN</td></tr>
</table>
<p><img src="frame.png" alt="frame.png" /></p>
<p>Figure 1</p>
</body>
</html>
)";
    EXPECT_TRUE(sameLines(htmlReport(
                              [&](mfHtmlDevice& d) {
                                  d.addParagraph("Contents");
                                  {
                                      mfTOCDevice toc(&d);
                                      report(toc);
                                  }
                                  report(d);
                              },
                              client, model, false),
                          expected));
}

} // namespace
