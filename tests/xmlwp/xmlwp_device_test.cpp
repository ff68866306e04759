#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mfreport/mfreport.h"
#include "test_env.h"
#include "wp_document.h"
#include "xml_check.h"

namespace {

using mftest::listEnd;
using mftest::listStart;
using mftest::readFile;
using mftest::singleGrid;
using mftest::TempFile;
using mftest::wpBody;

constexpr char fixedEpoch[] = "1796560496"; // 06-DEC-2026 12:34:56 UTC

constexpr char documentEnd[] = "</wx:sect>\n</w:body>\n</w:wordDocument>\n";

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

std::string decodeBase64(const std::string& text) {
    std::string bytes;
    uint32_t bits = 0;
    int held = 0;
    for (char c : text) {
        int v = -1;
        if (c >= 'A' && c <= 'Z') {
            v = c - 'A';
        } else if (c >= 'a' && c <= 'z') {
            v = c - 'a' + 26;
        } else if (c >= '0' && c <= '9') {
            v = c - '0' + 52;
        } else if (c == '+') {
            v = 62;
        } else if (c == '/') {
            v = 63;
        } else {
            continue;
        }
        bits = bits << 6 | static_cast<uint32_t>(v);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes += static_cast<char>(bits >> held & 0xFF);
        }
    }
    return bytes;
}

uint32_t crc32(const std::string& bytes, size_t from, size_t length) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = from; i < from + length; ++i) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int k = 0; k < 8; ++k) {
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
        }
    }
    return ~crc;
}

uint32_t bigEndian(const std::string& bytes, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) << 24 |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3]));
}

std::string emptyDocument(const mfReportClient& client, const mfReportHeader& model,
                          const std::string& stem) {
    TempFile file(stem);
    delete new mfXmlWPDevice(client, file.path(), model);
    EXPECT_WELL_FORMED(file.path());
    return readFile(file.path());
}

TEST(XmlWPSkeleton, DocumentStartMatchesTheGoldenFile) {
    mftest::FixedClock clock(fixedEpoch);
    const std::string text = emptyDocument(mftest::wpClient(), mftest::wpModel(), "golden.xml");
    EXPECT_EQ(text, readFile(MFREPORT_TEST_DATA "/xmlwp_document_start.xml") + documentEnd);
}

TEST(XmlWPSkeleton, FooterAndClosingLines) {
    mftest::FixedClock clock(fixedEpoch);
    const std::string text = emptyDocument(mftest::wpClient(), mftest::wpModel(), "footer.xml");
    const std::string footer = R"( </w:hdr>
 <w:ftr w:type="both"><w:p>
  <w:pPr><w:pStyle w:val="Header"/><w:jc w:val="center"/></w:pPr>
  <w:r><w:t>06-DEC-2026 12:34:56</w:t></w:r>
  <w:r><w:t>                          </w:t></w:r>
  <w:r><w:t>ZEB Software</w:t></w:r>
  <w:r><w:t>                          </w:t></w:r>
  <w:r><w:t> Page  </w:t></w:r>
  <w:r><w:fldChar w:fldCharType="begin"/></w:r>
  <w:r><w:instrText> PAGE </w:instrText></w:r>
  <w:r><w:fldChar w:fldCharType="end"/></w:r>
  <w:r><w:t> of </w:t></w:r>
  <w:r><w:fldChar w:fldCharType="begin"/></w:r>
  <w:r><w:instrText> NUMPAGES </w:instrText></w:r>
  <w:r><w:fldChar w:fldCharType="end"/></w:r>
</w:p></w:ftr>
<wx:sect>
</wx:sect>
</w:body>
</w:wordDocument>
)";
    EXPECT_TRUE(endsWith(text, footer)) << text.substr(text.size() - footer.size());
    EXPECT_EQ(count(text, "\t\t\t\t\t\t\t\t\t\t<w:t>06-DEC-2026  12:34:56</w:t>\n"), 1U);
}

TEST(XmlWPSkeleton, ModelIdentityAndProgram) {
    const std::string text = emptyDocument(mftest::wpClient(), mftest::wpModel(), "identity.xml");
    EXPECT_EQ(count(text, "<w:t>Footbridge B-12</w:t>"), 2U);
    EXPECT_EQ(count(text, "<w:t>BeamCalc</w:t>"), 1U);
    EXPECT_EQ(count(text, "<w:t>2.4.1</w:t>"), 1U);
    EXPECT_EQ(count(text, "Linear static analysis"), 0U);
    EXPECT_EQ(count(text, "01-NOV-2026"), 0U);
    // Both style names are written as they are.
    EXPECT_EQ(count(text, R"(<w:pStyle w:val="Header"/>)"), 26U);
    EXPECT_EQ(count(text, R"(w:styleId="HeaderFooter")"), 1U);
}

TEST(XmlWPSkeleton, EmptyIdentityKeepsTheLayout) {
    mftest::FixedClock clock(fixedEpoch);
    const std::string text =
        emptyDocument(mfReportClient("", "", "", ""), mfReportHeader(), "empty.xml");
    const std::string full = emptyDocument(mftest::wpClient(), mftest::wpModel(), "full.xml");
    EXPECT_EQ(splitLines(text).size(), splitLines(full).size());
    // Program name and version, model name twice, sign, description, date, file name.
    EXPECT_EQ(count(text, "<w:t></w:t>"), 8U);
}

TEST(XmlWPSkeleton, CallerTextIsEscaped) {
    const mfReportClient client("R&D <Frame>", "", "1.0 \"beta\"", "");
    const mfReportHeader model("A&amp;B", "x < y > z", "c:\\models\\m&n.mdl", "\x01", "");
    const std::string text = emptyDocument(client, model, "escaped.xml");
    EXPECT_EQ(count(text, "<w:t>R&amp;D &lt;Frame&gt;</w:t>"), 1U);
    EXPECT_EQ(count(text, "<w:t>1.0 \"beta\"</w:t>"), 1U);
    EXPECT_EQ(count(text, "<w:t>A&amp;B</w:t>"), 2U);
    EXPECT_EQ(count(text, "<w:t>x &lt; y &gt; z</w:t>"), 1U);
    EXPECT_EQ(count(text, "<w:t>c:\\models\\m&amp;n.mdl</w:t>"), 1U);
    EXPECT_EQ(count(text, "<w:t>\xEF\xBF\xBD</w:t>"), 1U);
}

TEST(XmlWPSkeleton, LogoIsA91By63RgbPngLaidOutIn76CharacterLines) {
    const std::vector<std::string> lines =
        splitLines(emptyDocument(mftest::wpClient(), mftest::wpModel(), "logo.xml"));
    const std::string open =
        std::string(11, '\t') + R"(<w:binData w:name="wordml://03000001.png">)";
    size_t at = 0;
    while (at < lines.size() && lines[at].compare(0, open.size(), open) != 0) {
        ++at;
    }
    ASSERT_LT(at + 26, lines.size());
    std::string base64 = lines[at].substr(open.size());
    EXPECT_EQ(base64.size(), 76U);
    for (size_t i = 1; i <= 24; ++i) {
        EXPECT_EQ(lines[at + i].size(), i < 24 ? 76U : 72U) << "line " << i;
        base64 += lines[at + i];
    }
    EXPECT_EQ(lines[at + 25], "</w:binData>");
    EXPECT_EQ(lines[at + 26], std::string(11, '\t') + R"(<v:shape id="_x0000_i1030" )"
                                                      R"(type="#_x0000_t75" )"
                                                      R"(style="width:48pt;height:33pt">)");
    ASSERT_EQ(base64.size(), 1896U);

    const std::string png = decodeBase64(base64);
    ASSERT_EQ(png.size(), 1422U);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(bigEndian(png, 16), 91U);
    EXPECT_EQ(bigEndian(png, 20), 63U);
    EXPECT_EQ(png[24], 8); // bits per sample
    EXPECT_EQ(png[25], 2); // RGB
    size_t chunk = 8;
    std::string last;
    while (chunk + 12 <= png.size()) {
        const uint32_t length = bigEndian(png, chunk);
        ASSERT_LE(chunk + 12 + length, png.size());
        last = png.substr(chunk + 4, 4);
        EXPECT_EQ(bigEndian(png, chunk + 8 + length), crc32(png, chunk + 4, length + 4))
            << "chunk " << last;
        chunk += 12 + length;
    }
    EXPECT_EQ(chunk, png.size());
    EXPECT_EQ(last, "IEND");
}

TEST(XmlWPSkeleton, FactoryBuildsTheDocumentDevice) {
    TempFile file("factory.xml");
    std::unique_ptr<mfDevice> device(mfDevice::createDevice(mftest::wpClient(), file.path(),
                                                            mfDevice::XML_WP, mftest::wpModel()));
    ASSERT_NE(dynamic_cast<mfXmlWPDevice*>(device.get()), nullptr);
    EXPECT_EQ(device->report_type(), mfDevice::XML_WP);
    std::unique_ptr<mfTable> table(device->addTable(mfTableHeader("T", "Table", 1)));
    EXPECT_NE(dynamic_cast<mfTableXmlWP*>(table.get()), nullptr);
    device.reset();
    EXPECT_WELL_FORMED(file.path());
}

TEST(XmlWPSkeleton, UnopenableFileThrowsTheLibraryMessage) {
    const std::string name = "/nonexistent-folder/report.xml";
    try {
        mfDevice::createDevice(mftest::wpClient(), name, mfDevice::XML_WP, mftest::wpModel());
        FAIL() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Unable to open file /nonexistent-folder/report.xml.\nIs file "
                               "locked by another program or an illegal filename specified ?");
    }
}

TEST(XmlWPSkeleton, FailedWritesMakeEveryOperationFalse) {
    mfXmlWPDevice device(mftest::wpClient(), "/dev/full", mftest::wpModel());
    EXPECT_FALSE(device.addParagraph("x"));
    EXPECT_FALSE(device.addHeading("x", 1));
    EXPECT_FALSE(device.addList({"a", "b"}, 2));
    EXPECT_FALSE(device.addPageBreak());
    EXPECT_FALSE(device.beginTOC());
    EXPECT_FALSE(device.addHeadingToTOC("x", 1));
    EXPECT_FALSE(device.endTOC());
    EXPECT_FALSE(device.addFigure("missing.png", "c"));
    std::unique_ptr<mfTable> table(device.addTable(mfTableHeader("T", "Table", 1)));
    table->addColumn(mfTableColumn("A", "a", mfTableColumn::INTEGER));
    EXPECT_FALSE(table->begin_table());
    EXPECT_FALSE(table->begin_record());
    EXPECT_TRUE(table->insertValue(0, 1));
    EXPECT_FALSE(table->end_record());
    EXPECT_FALSE(table->end_table());
}

TEST(XmlWPContent, ParagraphPageBreakAndEmptyContents) {
    const std::string body = wpBody("paragraph", [](mfXmlWPDevice& d) {
        EXPECT_TRUE(d.addParagraph("Results of the analysis."));
        EXPECT_TRUE(d.addPageBreak());
        EXPECT_TRUE(d.beginTOC());
        EXPECT_TRUE(d.endTOC());
    });
    EXPECT_EQ(body, R"( <w:p>
  <w:pPr><w:pStyle w:val="TextParagraph"/></w:pPr>
  <w:r><w:t>Results of the analysis.</w:t></w:r>
 </w:p>
 <w:p>
  <w:r><w:t> </w:t></w:r>
 </w:p>
<w:p>
  <w:pPr><w:pageBreakBefore w:val="on"/></w:pPr>
</w:p>
<w:p> <w:r> <w:fldChar w:fldCharType="begin" /> </w:r> <w:r> <w:instrText>TOC \o "1-5" \h \u</w:instrText> </w:r>
<w:r> <w:fldChar w:fldCharType="separate" /> </w:r> </w:p>
<w:p> <w:r> <w:fldChar w:fldCharType="end" /> </w:r> </w:p>
)");
}

TEST(XmlWPContent, HeadingWithBookmark) {
    const std::string body = wpBody("heading", [](mfXmlWPDevice& d) {
        d.addHeading("Loads", 1);
        d.addHeading("Dead load", 2);
        EXPECT_TRUE(d.addHeading("Load cases", 2));
    });
    const std::string expected = R"( <w:p>
  <w:pPr><w:pStyle w:val="Normal"/></w:pPr>
  <w:r><w:t> </w:t></w:r>
 </w:p>
 <w:p>
  <w:pPr>
   <w:pStyle w:val="Heading2"/>
   <w:outlineLvl w:val="2" />
  </w:pPr>
  <w:r><w:t>1.2  Load cases</w:t></w:r>
 </w:p>
<aml:annotation aml:id="0" w:type="Word.Bookmark.Start" w:name="1_2__Load_cases"/>
<aml:annotation aml:id="0" w:type="Word.Bookmark.End"/>
 <w:p>
  <w:pPr><w:pStyle w:val="Normal"/></w:pPr>
  <w:r><w:t> </w:t></w:r>
 </w:p>
)";
    EXPECT_TRUE(endsWith(body, expected)) << body;
    EXPECT_EQ(count(body, "<w:pStyle w:val=\"Heading1\"/>\n   <w:outlineLvl w:val=\"1\" />"), 1U);
}

TEST(XmlWPContent, HeadingStylesAndOutlineLevels) {
    const std::string body = wpBody("levels", [](mfXmlWPDevice& d) {
        d.addHeading("Appendix", 0);
        d.addHeading("Deep", 4);
        d.addHeading("Deeper", 5);
    });
    EXPECT_NE(body.find(R"(  <w:pPr>
   <w:pStyle w:val="Heading3"/>
  </w:pPr>
  <w:r><w:t>Appendix</w:t></w:r>
)"),
              std::string::npos);
    EXPECT_NE(body.find(R"(   <w:pStyle w:val="Heading3"/>
   <w:outlineLvl w:val="4" />
  </w:pPr>
  <w:r><w:t>0.0.0.1  Deep</w:t></w:r>
)"),
              std::string::npos);
    EXPECT_NE(body.find(R"(   <w:pStyle w:val="Heading3"/>
   <w:outlineLvl w:val="5" />
  </w:pPr>
  <w:r><w:t>0.0.0.1.1  Deeper</w:t></w:r>
)"),
              std::string::npos);
    EXPECT_NE(body.find(R"(w:name="Appendix"/>)"), std::string::npos);
    EXPECT_NE(body.find(R"(w:name="0_0_0_1_1__Deeper"/>)"), std::string::npos);
    EXPECT_EQ(count(body, "outlineLvl"), 2U);
}

TEST(XmlWPContent, ContentsEntryLinksToTheHeadingBookmark) {
    const std::string body = wpBody("contents", [](mfXmlWPDevice& d) {
        d.beginTOC();
        {
            mfTOCDevice contents(&d);
            EXPECT_TRUE(contents.addHeading("Model", 1));
            EXPECT_TRUE(contents.addHeading("Results", 1));
            EXPECT_TRUE(contents.addHeading("Forces/moments - ULS", 2));
        }
        d.endTOC();
        d.addHeading("Model", 1);
        d.addHeading("Results", 1);
        d.addHeading("Forces/moments - ULS", 2);
    });
    EXPECT_NE(
        body.find(
            R"(<w:p> <w:pPr> <w:pStyle w:val="TextParagraph"/> <w:tabs> <w:tab w:val="right" w:leader="dot" w:pos="9350" /> </w:tabs> </w:pPr>
<w:r> <w:t> <w:rPr><w:rStyle w:val="Hyperlink" /></w:rPr>2.1  Forces/moments - ULS</w:t> </w:r>
<w:r> <w:tab /> </w:r>
<w:hlink w:bookmark="2_1__Forces_moments___ULS"> <w:fldSimple w:instr="PAGEREF 2_1__Forces_moments___ULS">
<w:r> <w:t>0</w:t> </w:r> </w:fldSimple> </w:hlink> </w:p>
<w:p> <w:r> <w:fldChar w:fldCharType="end" /> </w:r> </w:p>
)"),
        std::string::npos)
        << body;
    for (const char* name : {"1__Model", "2__Results", "2_1__Forces_moments___ULS"}) {
        EXPECT_EQ(count(body, std::string("<w:hlink w:bookmark=\"") + name + "\">"), 1U);
        EXPECT_EQ(count(body, std::string("w:name=\"") + name + "\"/>"), 1U);
    }
}

TEST(XmlWPContent, HeadingTextAndBookmarkAreEscaped) {
    const std::string body = wpBody("heading-escaped", [](mfXmlWPDevice& d) {
        {
            mfTOCDevice contents(&d);
            contents.addHeading("Loads & \"<forces>\"", 1);
        }
        d.addHeading("Loads & \"<forces>\"", 1);
    });
    EXPECT_EQ(count(body, "<w:t>1  Loads &amp; \"&lt;forces&gt;\"</w:t>"), 1U);
    EXPECT_EQ(count(body, R"(w:name="1__Loads_&amp;_&quot;&lt;forces&gt;&quot;"/>)"), 1U);
    EXPECT_EQ(count(body, R"(<w:hlink w:bookmark="1__Loads_&amp;_&quot;&lt;forces&gt;&quot;">)"),
              1U);
    EXPECT_EQ(count(body, R"(w:instr="PAGEREF 1__Loads_&amp;_&quot;&lt;forces&gt;&quot;")"), 1U);
}

TEST(XmlWPContent, ListOfPairs) {
    const std::string body = wpBody("pairs", [](mfXmlWPDevice& d) {
        EXPECT_TRUE(d.addList({"Steel", "S355", "Chords", "HEA 200"}, 2));
    });
    EXPECT_EQ(body, listStart + R"( <w:tblGrid>
  <w:gridCol w:w="4550"/>
  <w:gridCol w:w="250"/>
  <w:gridCol w:w="4550"/>
 </w:tblGrid>
  <w:tr><w:tc><w:p><w:r><w:t>Steel</w:t></w:r></w:p></w:tc>
  <w:tc><w:tcPr><w:tcW w:w="250" w:type="dxa"/></w:tcPr><w:p><w:r><w:t>  </w:t></w:r></w:p></w:tc>
  <w:tc><w:p><w:r><w:t>S355</w:t></w:r></w:p></w:tc></w:tr>
  <w:tr><w:tc><w:p><w:r><w:t>Chords</w:t></w:r></w:p></w:tc>
  <w:tc><w:tcPr><w:tcW w:w="250" w:type="dxa"/></w:tcPr><w:p><w:r><w:t>  </w:t></w:r></w:p></w:tc>
  <w:tc><w:p><w:r><w:t>HEA 200</w:t></w:r></w:p></w:tc></w:tr>
)" + listEnd);
}

TEST(XmlWPContent, ListOfOneItemPerRow) {
    const std::string rows = R"(  <w:tr><w:tc><w:p><w:r><w:t>a</w:t></w:r></w:p></w:tc></w:tr>
  <w:tr><w:tc><w:p><w:r><w:t>b &amp; c</w:t></w:r></w:p></w:tc></w:tr>
)";
    EXPECT_EQ(wpBody("odd",
                     [](mfXmlWPDevice& d) {
                         d.addList({"a", "b & c", "d"}, 2);
                     }),
              listStart + singleGrid + rows +
                  "  <w:tr><w:tc><w:p><w:r><w:t>d</w:t></w:r></w:p></w:tc></w:tr>\n" + listEnd);
    EXPECT_EQ(wpBody("plain",
                     [](mfXmlWPDevice& d) {
                         d.addList({"a", "b & c"}, 1);
                     }),
              listStart + singleGrid + rows + listEnd);
    EXPECT_EQ(wpBody("empty-list", [](mfXmlWPDevice& d) { d.addList({}, 1); }),
              listStart + singleGrid + listEnd);
}

// Base64 text of n times "AAA".
std::string quads(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += "QUFB";
    }
    return text;
}

const std::string figureStart = R"(<w:p>
 <w:pPr><w:jc w:val="center"/></w:pPr>
 <w:r>
  <w:pict>
   <v:shapetype id="_x0000_t75" coordsize="21600,21600" o:spt="75" 
                 o:preferrelative="t" path="m@4@5l@4@11@9@11@9@5xe" 
                 filled="f" stroked="f"> 
     <v:stroke joinstyle="miter" />  
     <v:formulas> 
       <v:f eqn="if lineDrawn pixelLineWidth 0" />  
       <v:f eqn="sum @0 1 0" />  
       <v:f eqn="sum 0 0 @1" />  
       <v:f eqn="prod @2 1 2" />  
       <v:f eqn="prod @3 21600 pixelWidth" />  
       <v:f eqn="prod @3 21600 pixelHeight" />  
       <v:f eqn="sum @0 0 1" />  
       <v:f eqn="prod @6 1 2" />  
       <v:f eqn="prod @7 21600 pixelWidth" /> 
       <v:f eqn="sum @8 21600 0" />  
       <v:f eqn="prod @7 21600 pixelHeight" />  
       <v:f eqn="sum @10 21600 0" />  
      </v:formulas> 
      <v:path o:extrusionok="f" gradientshapeok="t" o:connecttype="rect" />  
      <o:lock v:ext="edit" aspectratio="t" />  
    </v:shapetype> 
)";

TEST(XmlWPContent, FigureOf57BytesEmbedsOneFullLine) {
    TempFile image("figure57.png");
    mftest::writeFile(image.path(), std::string(57, 'A'));
    const std::string name = image.path();
    const std::string body =
        wpBody("figure57", [&](mfXmlWPDevice& d) { EXPECT_TRUE(d.addFigure(name, "Elevation")); });
    EXPECT_EQ(body, figureStart + "<w:binData w:name=\"http://" + name + "\">\n" + quads(19) +
                        "\n\n" +
                        R"(</w:binData>
    <v:shape id="_x0000_i1025" type="#_x0000_t75" 
             style="width:450pt;height:350pt"> 
      <v:imagedata src="http://)" +
                        name + R"(" o:title="FolderN" /> 
    </v:shape>
  </w:pict>
 </w:r>
</w:p>
 <w:p>
  <w:r><w:t> </w:t></w:r>
 </w:p>
 <w:p>
  <w:pPr><w:pStyle w:val="Normal"/><w:jc w:val="center"/></w:pPr>
  <w:r><w:t>)" + name + R"( : Elevation</w:t></w:r>
 </w:p>
 <w:p>
  <w:r><w:t> </w:t></w:r>
 </w:p>
)");
}

TEST(XmlWPContent, FigureBase64LinesAndUnreadableFile) {
    TempFile image("figure152.png");
    mftest::writeFile(image.path(), std::string(152, 'A'));
    const std::string name = image.path();
    const std::vector<std::string> lines =
        splitLines(wpBody("figure152", [&](mfXmlWPDevice& d) { d.addFigure(name, "Plan"); }));
    ASSERT_GT(lines.size(), 30U);
    EXPECT_EQ(lines[25], "<w:binData w:name=\"http://" + name + "\">");
    EXPECT_EQ(lines[26], quads(19));
    EXPECT_EQ(lines[27], quads(19));
    EXPECT_EQ(lines[28], quads(12) + "QUE=");
    EXPECT_EQ(lines[29], "</w:binData>");

    const std::vector<std::string> missing =
        splitLines(wpBody("figure-missing", [](mfXmlWPDevice& d) {
            EXPECT_TRUE(d.addFigure("/nonexistent/plan & \"section\".png", "A < B"));
        }));
    ASSERT_GT(missing.size(), 40U);
    EXPECT_EQ(missing[25],
              R"(<w:binData w:name="http:///nonexistent/plan &amp; &quot;section&quot;.png">)");
    EXPECT_EQ(missing[26], "");
    EXPECT_EQ(missing[27], "</w:binData>");
    EXPECT_EQ(missing[30], R"(      <v:imagedata src="http:///nonexistent/plan &amp; )"
                           R"(&quot;section&quot;.png" o:title="FolderN" /> )");
    EXPECT_EQ(missing[40],
              R"(  <w:r><w:t>/nonexistent/plan &amp; "section".png : A &lt; B</w:t></w:r>)");
}

} // namespace
