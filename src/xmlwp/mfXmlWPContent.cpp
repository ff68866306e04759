// The content operations of the word-processing document: paragraphs,
// headings with bookmarks, the contents field and its entries, lists, figures
// and page breaks, appended to the open section.
#include <string_view>

#include "mfreport/markup/output.h"
#include "mfreport/markup/word_markup.h"
#include "mfreport/platform/Base64File.h"
#include "mfreport/xmlwp/mfXmlWPDevice.h"
#include "mfreport/xmlwp/wp_markup.h"

namespace {

using mfreport::markup::Output;
using mfreport::markup::XmlAttribute;
using mfreport::markup::XmlText;

constexpr std::string_view blankParagraph[] = {
    R"( <w:p>)",
    R"(  <w:r><w:t> </w:t></w:r>)",
    R"( </w:p>)",
};
constexpr std::string_view blankNormalParagraph[] = {
    R"( <w:p>)",
    R"(  <w:pPr><w:pStyle w:val="Normal"/></w:pPr>)",
    R"(  <w:r><w:t> </w:t></w:r>)",
    R"( </w:p>)",
};
// The blank after a heading keeps with what follows, as the heading keeps
// with it: a heading never ends a page alone.
constexpr std::string_view blankKeptParagraph[] = {
    R"( <w:p>)",
    R"(  <w:pPr><w:pStyle w:val="Normal"/><w:keepNext/></w:pPr>)",
    R"(  <w:r><w:t> </w:t></w:r>)",
    R"( </w:p>)",
};
constexpr std::string_view pageBreak[] = {
    R"(<w:p>)",
    R"(  <w:pPr><w:pageBreakBefore w:val="on"/></w:pPr>)",
    R"(</w:p>)",
};

constexpr std::string_view tocBegin[] = {
    R"(<w:p> <w:r> <w:fldChar w:fldCharType="begin" /> </w:r> <w:r> <w:instrText>TOC \o "1-5" \h \u</w:instrText> </w:r>)",
    R"(<w:r> <w:fldChar w:fldCharType="separate" /> </w:r> </w:p>)",
};
constexpr std::string_view tocEnd =
    R"(<w:p> <w:r> <w:fldChar w:fldCharType="end" /> </w:r> </w:p>)";
// A contents entry: a right tab at 9350 twentieths of a point with a dotted
// leader, and a page number that shows 0 until the word processor updates it.
constexpr std::string_view tocEntryStart =
    R"(<w:p> <w:pPr> <w:pStyle w:val="TextParagraph"/> <w:tabs> <w:tab w:val="right" w:leader="dot" w:pos="9350" /> </w:tabs> </w:pPr>)";
constexpr std::string_view tocEntryTab = R"(<w:r> <w:tab /> </w:r>)";
constexpr std::string_view tocEntryEnd =
    R"(<w:r> <w:t>0</w:t> </w:r> </w:fldSimple> </w:hlink> </w:p>)";

// A list is a borderless table; its cells keep the usual margins.
constexpr std::string_view listStart[] = {
    R"(<w:tbl>)",
    R"( <w:tblPr>)",
    R"(  <w:tblBorders>)",
    R"(   <w:top     w:sz="0"  wx:bdrwidth="0" w:space="0" w:val="none"/>)",
    R"(   <w:bottom  w:sz="0"  wx:bdrwidth="0" w:space="0" w:val="none"/>)",
    R"(   <w:left    w:sz="0"  wx:bdrwidth="0" w:space="0" w:val="none"/>)",
    R"(   <w:right   w:sz="0"  wx:bdrwidth="0" w:space="0" w:val="none"/>)",
    R"(   <w:insideH w:sz="0"  wx:bdrwidth="0" w:space="0" w:val="none"/>)",
    R"(   <w:insideV w:sz="0"  wx:bdrwidth="0" w:space="0" w:val="none"/>)",
    R"(  </w:tblBorders>)",
    R"(  <w:tblCellMar>)",
    R"(   <w:left w:w="108" w:type="dxa"/>)",
    R"(   <w:right w:w="108" w:type="dxa"/>)",
    R"(  </w:tblCellMar>)",
    R"( </w:tblPr>)",
};
// The grids of the two list layouts: one column filling the text width, or
// two item columns around the 250-twip spacer.
constexpr std::string_view listGridSingle[] = {
    R"( <w:tblGrid>)",
    R"(  <w:gridCol w:w="9350"/>)",
    R"( </w:tblGrid>)",
};
constexpr std::string_view listGridPairs[] = {
    R"( <w:tblGrid>)",
    R"(  <w:gridCol w:w="4550"/>)",
    R"(  <w:gridCol w:w="250"/>)",
    R"(  <w:gridCol w:w="4550"/>)",
    R"( </w:tblGrid>)",
};
constexpr std::string_view listSpacerCell =
    R"(  <w:tc><w:tcPr><w:tcW w:w="250" w:type="dxa"/></w:tcPr><w:p><w:r><w:t>  </w:t></w:r></w:p></w:tc>)";
constexpr std::string_view listEnd[] = {
    R"( </w:tbl>)",
    R"( <w:br/>)",
};

// The figure's VML picture-frame template, up to its image data.
constexpr std::string_view figureShapeType[] = {
    R"(<w:p>)",
    R"( <w:pPr><w:jc w:val="center"/></w:pPr>)",
    R"( <w:r>)",
    R"(  <w:pict>)",
    R"(   <v:shapetype id="_x0000_t75" coordsize="21600,21600" o:spt="75" )",
    R"(                 o:preferrelative="t" path="m@4@5l@4@11@9@11@9@5xe" )",
    R"(                 filled="f" stroked="f"> )",
    R"(     <v:stroke joinstyle="miter" />  )",
    R"(     <v:formulas> )",
    R"(       <v:f eqn="if lineDrawn pixelLineWidth 0" />  )",
    R"(       <v:f eqn="sum @0 1 0" />  )",
    R"(       <v:f eqn="sum 0 0 @1" />  )",
    R"(       <v:f eqn="prod @2 1 2" />  )",
    R"(       <v:f eqn="prod @3 21600 pixelWidth" />  )",
    R"(       <v:f eqn="prod @3 21600 pixelHeight" />  )",
    R"(       <v:f eqn="sum @0 0 1" />  )",
    R"(       <v:f eqn="prod @6 1 2" />  )",
    R"(       <v:f eqn="prod @7 21600 pixelWidth" /> )",
    R"(       <v:f eqn="sum @8 21600 0" />  )",
    R"(       <v:f eqn="prod @7 21600 pixelHeight" />  )",
    R"(       <v:f eqn="sum @10 21600 0" />  )",
    R"(      </v:formulas> )",
    R"(      <v:path o:extrusionok="f" gradientshapeok="t" o:connecttype="rect" />  )",
    R"(      <o:lock v:ext="edit" aspectratio="t" />  )",
    R"(    </v:shapetype> )",
};
// Every figure shows 450 points wide and 350 high, whatever the image's size.
constexpr std::string_view figureShapeStart[] = {
    R"(</w:binData>)",
    R"(    <v:shape id="_x0000_i1025" type="#_x0000_t75" )",
    R"(             style="width:450pt;height:350pt"> )",
};
constexpr std::string_view figureEnd[] = {
    R"(    </v:shape>)",
    R"(  </w:pict>)",
    R"( </w:r>)",
    R"(</w:p>)",
};
constexpr std::string_view captionStart[] = {
    R"( <w:p>)",
    R"(  <w:pPr><w:pStyle w:val="Normal"/><w:jc w:val="center"/></w:pPr>)",
};
constexpr size_t base64Line = 76;

} // namespace

bool mfXmlWPDevice::addParagraph(const std::string& text) {
    if (!output_->startContent()) {
        return false;
    }
    Output& out = *output_;
    out.line(" <w:p>");
    out.line(R"(  <w:pPr><w:pStyle w:val="TextParagraph"/></w:pPr>)");
    out.line("  <w:r><w:t>", XmlText{text}, "</w:t></w:r>");
    out.line(" </w:p>");
    out.lines(blankParagraph);
    return out.finish();
}

bool mfXmlWPDevice::addPageBreak() {
    if (!output_->startContent()) {
        return false;
    }
    output_->lines(pageBreak);
    return output_->finish();
}

bool mfXmlWPDevice::beginTOC() {
    if (!output_->startContent()) {
        return false;
    }
    output_->lines(tocBegin);
    return output_->finish();
}

bool mfXmlWPDevice::endTOC() {
    if (!output_->startContent()) {
        return false;
    }
    output_->line(tocEnd);
    return output_->finish();
}

bool mfXmlWPDevice::addHeading(const std::string& text, int level) {
    if (!output_->startContent()) {
        return false;
    }
    Output& out = *output_;
    const std::string numbered = numbered_heading(text, level);
    const int styleLevel = level >= 1 && level <= 3 ? level : 3;
    out.lines(blankNormalParagraph);
    out.line(" <w:p>");
    out.line("  <w:pPr>");
    out.line(R"(   <w:pStyle w:val="Heading)", styleLevel, R"("/>)");
    if (level > 0) {
        out.line(R"(   <w:outlineLvl w:val=")", level, R"(" />)");
    }
    out.line("  </w:pPr>");
    out.line("  <w:r><w:t>", XmlText{numbered}, "</w:t></w:r>");
    out.line(" </w:p>");
    mfreport::xmlwp::writeBookmark(out, mfreport::markup::word::bookmarkName(numbered));
    out.lines(blankKeptParagraph);
    return out.finish();
}

bool mfXmlWPDevice::addHeadingToTOC(const std::string& text, int level) {
    if (!output_->startContent()) {
        return false;
    }
    Output& out = *output_;
    const std::string numbered = numbered_heading(text, level);
    const std::string bookmark = mfreport::markup::word::bookmarkName(numbered);
    out.line(tocEntryStart);
    out.line(R"(<w:r> <w:t> <w:rPr><w:rStyle w:val="Hyperlink" /></w:rPr>)", XmlText{numbered},
             "</w:t> </w:r>");
    out.line(tocEntryTab);
    out.line(R"(<w:hlink w:bookmark=")", XmlAttribute{bookmark},
             R"("> <w:fldSimple w:instr="PAGEREF )", XmlAttribute{bookmark},
             R"( \* MERGEFORMAT">)");
    out.line(tocEntryEnd);
    return out.finish();
}

bool mfXmlWPDevice::addList(const Vector<std::string>& items, int style) {
    if (!output_->startContent()) {
        return false;
    }
    Output& out = *output_;
    const bool pairs = style == 2 && items.size() % 2 == 0;
    out.lines(listStart);
    if (pairs) {
        out.lines(listGridPairs);
        for (size_t i = 0; i < items.size(); i += 2) {
            out.line("  <w:tr><w:tc><w:p><w:r><w:t>", XmlText{items[i]},
                     "</w:t></w:r></w:p></w:tc>");
            out.line(listSpacerCell);
            out.line("  <w:tc><w:p><w:r><w:t>", XmlText{items[i + 1]},
                     "</w:t></w:r></w:p></w:tc></w:tr>");
        }
    } else {
        out.lines(listGridSingle);
        for (const std::string& item : items) {
            out.line("  <w:tr><w:tc><w:p><w:r><w:t>", XmlText{item},
                     "</w:t></w:r></w:p></w:tc></w:tr>");
        }
    }
    out.lines(listEnd);
    out.lines(blankParagraph);
    return out.finish();
}

bool mfXmlWPDevice::addFigure(const std::string& fileName, const std::string& caption) {
    if (!output_->startContent()) {
        return false;
    }
    Output& out = *output_;
    out.lines(figureShapeType);
    out.line(R"(<w:binData w:name="http://)", XmlAttribute{fileName}, R"(">)");
    // The file's Base64 text, 76 characters a line, then one more line end.
    std::string base64;
    Base64File::encode(fileName, base64);
    const std::string_view text(base64);
    for (size_t at = 0; at + base64Line <= text.size(); at += base64Line) {
        out.line(text.substr(at, base64Line));
    }
    out.line(text.substr(text.size() - text.size() % base64Line));
    out.lines(figureShapeStart);
    out.line(R"(      <v:imagedata src="http://)", XmlAttribute{fileName},
             R"(" o:title="FolderN" /> )");
    out.lines(figureEnd);
    out.lines(blankParagraph);
    out.lines(captionStart);
    out.line("  <w:r><w:t>", XmlText{fileName}, " : ", XmlText{caption}, "</w:t></w:r>");
    out.line(" </w:p>");
    out.lines(blankParagraph);
    return out.finish();
}
