// The document skeleton: everything the constructor writes before the
// content, and the end the destructor writes.
#include "mfreport/xmlwp/mfXmlWPDevice.h"

#include <sstream>
#include <string_view>

#include "mfreport/markup/logo_png.h"
#include "mfreport/markup/output.h"
#include "mfreport/platform/Base64File.h"
#include "mfreport/platform/maker.h"
#include "mfreport/platform/mfDateTime.h"
#include "mfreport/xmlwp/mfTableXmlWP.h"

namespace {

using mfreport::markup::Output;
using mfreport::markup::XmlText;

// Indentation: n tab characters, n blanks.
constexpr std::string_view tabs = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
constexpr std::string_view blanks = "                    ";
constexpr std::string_view T(size_t n) {
    return tabs.substr(0, n);
}
constexpr std::string_view B(size_t n) {
    return blanks.substr(0, n);
}
constexpr std::string_view none;

// One line of fixed markup: its indentation and its text.
struct Line {
    std::string_view indent;
    std::string_view text;
};

template <size_t N>
void writeLines(Output& out, const Line (&table)[N]) {
    for (const Line& line : table) {
        out.line(line.indent, line.text);
    }
}

constexpr std::string_view headingFont = "Times New Normal";
constexpr std::string_view textFont = "Times New Normal";
constexpr std::string_view defaultFont = "Arial Narrow";

constexpr std::string_view prologue[] = {
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)",
    R"(<?mso-application progid="Word.Document"?>)",
    R"(<w:wordDocument xmlns:w="http://schemas.microsoft.com/office/word/2003/wordml" )",
    R"(xmlns:v="urn:schemas-microsoft-com:vml" )",
    R"(xmlns:w10="urn:schemas-microsoft-com:office:word" )",
    R"(xmlns:sl="http://schemas.microsoft.com/schemaLibrary/2003/core" )",
    R"(xmlns:aml="http://schemas.microsoft.com/aml/2001/core" )",
    R"(xmlns:wx="http://schemas.microsoft.com/office/word/2003/auxHint" )",
    R"(xmlns:o="urn:schemas-microsoft-com:office:office" )",
    R"(xmlns:dt="uuid:C2F41010-65B3-11d1-A29F-00AA00C14882" )",
    R"(w:macrosPresent="no" w:embeddedObjPresent="no" w:ocxPresent="no" xml:space="preserve">)",
};

constexpr std::string_view characterStyles[] = {
    R"(<w:styles>)",
    R"(<w:style w:type="character" w:default="on" w:styleId="DefaultParagraphFont">)",
    R"( <w:name w:val="Default Paragraph Font"/><w:semiHidden/>)",
    R"(</w:style>)",
    R"(<w:style w:type="character" w:styleId="Hyperlink"><w:name w:val="Hyperlink"/>)",
    R"( <w:basedOn w:val="DefaultParagraphFont"/><w:rsid w:val="00DF17B2"/>)",
    R"( <w:rPr><w:color w:val="0000FF"/><w:u w:val="single"/></w:rPr>)",
    R"(</w:style>)",
};

// The paragraph styles differ in their font, size (half-points) and weight.
// Headings keep with the next paragraph, so that none ends a page alone.
struct ParagraphStyle {
    std::string_view id;
    std::string_view isDefault;
    std::string_view font; ///< none: the document's default fonts
    int size;
    bool heading;
};
constexpr ParagraphStyle paragraphStyles[] = {
    {"HeaderFooter", "off", {}, 20, false},       {"Heading1", "off", headingFont, 28, true},
    {"Heading2", "off", headingFont, 22, true},   {"Heading3", "off", headingFont, 18, true},
    {"TextParagraph", "on", textFont, 16, false}, {"Normal", "on", defaultFont, 16, false},
};

constexpr std::string_view tableStyle[] = {
    R"( <w:style w:type="table" w:styleId="TableGrid">)",
    R"( <w:name w:val="TableGrid" />)",
    R"( <w:tblPr>)",
    R"(  <w:tblBorders>)",
    R"(   <w:top     w:val="single"/>)",
    R"(   <w:bottom  w:val="single"/>)",
    R"(   <w:left    w:val="single"/>)",
    R"(   <w:right   w:val="single"/>)",
    R"(   <w:insideH w:val="single"/>)",
    R"(   <w:insideV w:val="single"/>)",
    R"(  </w:tblBorders>)",
    R"(  <w:tblCellMar>)",
    R"(   <w:top     w:w="20" w:type="dxa" />)",
    R"(   <w:bottom  w:w="20" w:type="dxa" />)",
    R"(   <w:left    w:w="60" w:type="dxa" />)",
    R"(   <w:right   w:w="60" w:type="dxa" />)",
    R"(  </w:tblCellMar>)",
    R"( </w:tblPr>)",
    R"( </w:style>)",
    R"(</w:styles>)",
};

// The page header is a table of four columns (widths in twentieths of a
// point): the logo with the program's name and version, the report's model
// name, and two columns of labels with their values. The first two columns
// are merged down all three rows.
constexpr int logoColumnWidth = 1800;
constexpr int reportColumnWidth = 1800;
constexpr int identityColumnWidth = 4111;
constexpr int stampColumnWidth = 1559;
constexpr int rowHeights[] = {370, 410, 452};

// The page-header table's properties, up to its grid. Like every table of
// the document it states its cells' left and right margins.
constexpr Line pageHeaderStart[] = {
    {B(11), R"(<w:tbl>)"},
    {B(14), R"(<w:tblPr>)"},
    {B(17), R"(<w:tblW w:w="0" w:type="auto"/>)"},
    {T(6), R"(<w:tblInd w:w="77" w:type="dxa"/>)"},
    {T(6), R"(<w:tblBorders>)"},
    {T(7), R"(<w:top w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)"},
    {T(7), R"(<w:left w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)"},
    {T(7), R"(<w:bottom w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)"},
    {T(7), R"(<w:right w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)"},
    {T(7), R"(<w:insideH w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)"},
    {T(7), R"(<w:insideV w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)"},
    {T(6), R"(</w:tblBorders>)"},
    {T(6), R"(<w:tblLayout w:type="Fixed"/>)"},
    {T(6), R"(<w:tblCellMar>)"},
    {T(7), R"(<w:left w:w="108" w:type="dxa"/>)"},
    {T(7), R"(<w:right w:w="108" w:type="dxa"/>)"},
    {T(6), R"(</w:tblCellMar>)"},
    {T(5), R"(</w:tblPr>)"},
};
// The four borders of the bordered cell, as those of the table.
constexpr std::string_view cellBorders[] = {
    R"(<w:top w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)",
    R"(<w:left w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)",
    R"(<w:bottom w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)",
    R"(<w:right w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)",
};
constexpr Line pageHeaderEnd[] = {
    {T(5), R"(</w:tbl>)"}, {T(5), R"(<w:p>)"},
    {T(6), R"(<w:pPr>)"},  {T(7), R"(<w:pStyle w:val="Header"/>)"},
    {T(6), R"(</w:pPr>)"}, {T(5), R"(</w:p>)"},
};

// Run-property groups of the page header.
constexpr std::string_view arial12[] = {
    R"(<w:rFonts w:ascii="Arial" w:h-ansi="Arial" w:cs="Arial"/>)",
    R"(<wx:font wx:val="Arial"/>)",
    R"(<w:sz w:val="12"/>)",
    R"(<w:sz-cs w:val="12"/>)",
};
constexpr std::string_view arial16[] = {
    R"(<w:rFonts w:ascii="Arial" w:h-ansi="Arial" w:cs="Arial"/>)",
    R"(<wx:font wx:val="Arial"/>)",
    R"(<w:sz w:val="16"/>)",
    R"(<w:sz-cs w:val="16"/>)",
};
constexpr std::string_view size12[] = {R"(<w:sz w:val="12"/>)", R"(<w:sz-cs w:val="12"/>)"};
constexpr std::string_view size16[] = {R"(<w:sz w:val="16"/>)", R"(<w:sz-cs w:val="16"/>)"};
constexpr std::string_view size28[] = {R"(<w:sz w:val="28"/>)", R"(<w:sz-cs w:val="28"/>)"};
constexpr std::string_view headerStyle = R"(<w:pStyle w:val="Header"/>)";
constexpr std::string_view centered = R"(<w:jc w:val="center"/>)";

// The logo: the VML picture-frame template, the PNG's Base64 text (its first
// 76 characters on the opening line) and the shape that shows it.
constexpr Line logoShapeType[] = {
    {T(10), R"(<w:pict>)"},
    {T(11),
     R"(<v:shapetype id="_x0000_t75" coordsize="21600,21600" o:spt="75" o:preferrelative="t" path="m@4@5l@4@11@9@11@9@5xe" filled="f" stroked="f">)"},
    {T(12), R"(<v:stroke joinstyle="miter"/>)"},
    {T(12), R"(<v:formulas>)"},
    {T(13), R"(<v:f eqn="if lineDrawn pixelLineWidth 0"/>)"},
    {T(13), R"(<v:f eqn="sum @0 1 0"/>)"},
    {T(13), R"(<v:f eqn="sum 0 0 @1"/>)"},
    {T(13), R"(<v:f eqn="prod @2 1 2"/>)"},
    {T(13), R"(<v:f eqn="prod @3 21600 pixelWidth"/>)"},
    {T(13), R"(<v:f eqn="prod @3 21600 pixelHeight"/>)"},
    {T(13), R"(<v:f eqn="sum @0 0 1"/>)"},
    {T(13), R"(<v:f eqn="prod @6 1 2"/>)"},
    {T(13), R"(<v:f eqn="prod @7 21600 pixelWidth"/>)"},
    {T(13), R"(<v:f eqn="sum @8 21600 0"/>)"},
    {T(13), R"(<v:f eqn="prod @7 21600 pixelHeight"/>)"},
    {T(13), R"(<v:f eqn="sum @10 21600 0"/>)"},
    {T(12), R"(</v:formulas>)"},
    {T(12), R"(<v:path o:extrusionok="f" gradientshapeok="t" o:connecttype="rect"/>)"},
    {T(12), R"(<o:lock v:ext="edit" aspectratio="t"/>)"},
    {T(11), R"(</v:shapetype>)"},
};
constexpr std::string_view logoDataStart = R"(<w:binData w:name="wordml://03000001.png">)";
constexpr size_t base64Line = 76;
constexpr Line logoShape[] = {
    {none, R"(</w:binData>)"},
    {T(11), R"(<v:shape id="_x0000_i1030" type="#_x0000_t75" style="width:48pt;height:33pt">)"},
    {T(12), R"(<v:imagedata src="wordml://03000001.png" o:title=""/>)"},
    {T(11), R"(</v:shape>)"},
    {T(10), R"(</w:pict>)"},
};

// The footer's paragraph: creation time, maker's name and the page number.
// The page count is a simple field: readers keep the text around it.
constexpr std::string_view footerStyle =
    R"(  <w:pPr><w:pStyle w:val="Header"/><w:jc w:val="center"/></w:pPr>)";
constexpr std::string_view footerGap = R"(  <w:r><w:t>                          </w:t></w:r>)";
constexpr std::string_view footerEnd[] = {
    footerGap,
    R"(  <w:r><w:t> Page  </w:t></w:r>)",
    R"(  <w:r><w:fldChar w:fldCharType="begin"/></w:r>)",
    R"(  <w:r><w:instrText> PAGE </w:instrText></w:r>)",
    R"(  <w:r><w:fldChar w:fldCharType="end"/></w:r>)",
    R"(  <w:r><w:t> of </w:t></w:r>)",
    R"(  <w:fldSimple w:instr=" NUMPAGES "><w:r><w:t>1</w:t></w:r></w:fldSimple>)",
    R"(</w:p></w:ftr>)",
};

// The content goes into one section, whose properties at its end carry the
// page header and footer: for odd (all) pages, and again for the first page.
constexpr std::string_view sectionStart[] = {"<w:body>", "<wx:sect>"};
constexpr std::string_view pageTypes[] = {"odd", "first"};
constexpr std::string_view documentEnd = "</wx:sect>\n</w:body>\n</w:wordDocument>\n";

template <class T>
std::string streamed(const T& value) {
    std::ostringstream os;
    os << value;
    return os.str();
}

// The building blocks of the page-header table, at their tab indentation.
class PageHeaderTable {
public:
    enum class Merge { None, Start, Continue };

    explicit PageHeaderTable(Output& out) : out_(out) {}

    void rowStart(int height, size_t b) {
        put(b, "<w:tr>");
        put(b + 1, "<w:tblPrEx>");
        put(b + 2, "<w:tblCellMar>");
        put(b + 3, R"(<w:top w:w="0" w:type="dxa"/>)");
        put(b + 3, R"(<w:bottom w:w="0" w:type="dxa"/>)");
        put(b + 2, "</w:tblCellMar>");
        put(b + 1, "</w:tblPrEx>");
        put(b + 1, "<w:trPr>");
        put(b + 2, "<w:cantSplit/>");
        out_.line(T(b + 2), R"(<w:trHeight w:val=")", height, R"("/>)");
        put(b + 1, "</w:trPr>");
    }
    void rowEnd() { put(6, "</w:tr>"); }

    void cellStart(int width, Merge merge, size_t c = 7, bool bordered = false) {
        put(c, "<w:tc>");
        put(c + 1, "<w:tcPr>");
        out_.line(T(c + 2), R"(<w:tcW w:w=")", width, R"(" w:type="dxa"/>)");
        if (merge == Merge::Start) {
            put(c + 2, R"(<w:vmerge w:val="restart"/>)");
        } else if (merge == Merge::Continue) {
            put(c + 2, "<w:vmerge/>");
        }
        if (bordered) {
            put(c + 2, "<w:tcBorders>");
            for (std::string_view border : cellBorders) {
                put(c + 3, border);
            }
            put(c + 2, "</w:tcBorders>");
        }
        put(c + 1, "</w:tcPr>");
    }
    void cellEnd() { put(7, "</w:tc>"); }

    // A cell of each merged column continuing down from the first row.
    void mergedCells() {
        for (int width : {logoColumnWidth, reportColumnWidth}) {
            cellStart(width, Merge::Continue);
            emptyParagraph();
            cellEnd();
        }
    }

    void label(std::string_view text, bool paragraphFont) {
        put(8, "<w:p>");
        put(9, "<w:pPr>");
        put(10, headerStyle);
        if (paragraphFont) {
            runProperties(10, arial12);
        }
        put(9, "</w:pPr>");
        put(9, "<w:r>");
        runProperties(10, arial12);
        out_.line(T(10), "<w:t>", text, "</w:t>");
        put(9, "</w:r>");
        put(8, "</w:p>");
    }

    void emptyParagraph() {
        put(8, "<w:p>");
        paragraphStyle();
        put(8, "</w:p>");
    }

    void plainValue(const std::string& value) {
        put(8, "<w:p>");
        paragraphStyle();
        run(value);
        put(8, "</w:p>");
    }

    void largeValue(const std::string& value) {
        put(8, "<w:p>");
        paragraphStyle();
        put(9, "<w:r>");
        runProperties(10, size16);
        valueText(value);
        put(9, "</w:r>");
        put(8, "</w:p>");
    }

    void arialValue(const std::string& value) {
        put(8, "<w:p>");
        put(9, "<w:pPr>");
        put(10, headerStyle);
        runProperties(10, arial12);
        put(9, "</w:pPr>");
        run(value);
        put(8, "</w:p>");
    }

    // A plain value's run in a paragraph whose properties set size 16.
    void wrappedValue(const std::string& value) {
        put(8, "<w:p>");
        put(9, "<w:pPr>");
        put(10, headerStyle);
        runProperties(10, size16);
        put(9, "</w:pPr>");
        run(value);
        put(8, "</w:p>");
    }

    void timeValue(const std::string& date, const std::string& time) {
        put(8, "<w:p>");
        put(9, "<w:pPr>");
        put(10, headerStyle);
        runProperties(10, arial16);
        put(9, "</w:pPr>");
        put(9, "<w:r>");
        runProperties(10, size16);
        put(9, "</w:r>");
        put(9, "<w:r>");
        runProperties(10, size16);
        out_.line(T(10), "<w:t>", date, "  ", time, "</w:t>");
        put(9, "</w:r>");
        put(8, "</w:p>");
    }

    // A small empty paragraph, the logo, the program's name and its version.
    void logoContent(const mfReportClient& client) {
        out_.line(T(7), B(3), "<w:p>");
        put(9, "<w:pPr>");
        put(10, headerStyle);
        runProperties(10, size12);
        put(9, "</w:pPr>");
        put(8, "</w:p>");

        put(8, "<w:p>");
        centeredStyle();
        put(9, "</w:pPr>");
        put(9, "<w:r>");
        logoPicture();
        put(9, "</w:r>");
        put(8, "</w:p>");

        out_.line(B(3), T(8), "<w:p>");
        centeredStyle();
        runProperties(10, size28);
        put(9, "</w:pPr>");
        put(9, "<w:r>");
        runProperties(10, size28);
        valueText(client.name());
        put(9, "</w:r>");
        put(8, "</w:p>");

        put(8, "<w:p>");
        centeredStyle();
        put(9, "</w:pPr>");
        run(client.version());
        put(8, "</w:p>");
    }

private:
    void put(size_t indent, std::string_view text) { out_.line(T(indent), text); }

    template <size_t N>
    void runProperties(size_t k, const std::string_view (&group)[N]) {
        put(k, "<w:rPr>");
        for (std::string_view text : group) {
            put(k + 1, text);
        }
        put(k, "</w:rPr>");
    }

    void paragraphStyle() {
        put(9, "<w:pPr>");
        put(10, headerStyle);
        put(9, "</w:pPr>");
    }
    // Opens the paragraph properties of a centred paragraph.
    void centeredStyle() {
        put(9, "<w:pPr>");
        put(10, headerStyle);
        put(10, centered);
    }

    void valueText(const std::string& value) {
        out_.line(T(10), "<w:t>", XmlText{value}, "</w:t>");
    }
    void run(const std::string& value) {
        put(9, "<w:r>");
        valueText(value);
        put(9, "</w:r>");
    }

    void logoPicture() {
        writeLines(out_, logoShapeType);
        const std::string base64 = Base64File::encodeBytes(
            std::string_view(reinterpret_cast<const char*>(mfreport::markup::logoPng),
                             mfreport::markup::logoPngSize));
        const std::string_view text(base64);
        out_.line(T(11), logoDataStart, text.substr(0, base64Line));
        for (size_t at = base64Line; at < text.size(); at += base64Line) {
            out_.line(text.substr(at, base64Line));
        }
        writeLines(out_, logoShape);
    }

    Output& out_;
};

void writePrologue(Output& out) {
    out.lines(prologue);
}

void writeFonts(Output& out) {
    out.line("<w:fonts>");
    out.line(" <w:defaultFonts w:ascii=\"", defaultFont, "\" w:fareast=\"", defaultFont,
             "\" w:h-ansi=\"", defaultFont, "\" w:cs=\"", defaultFont, "\"/> ");
    out.line("</w:fonts>");
}

void writeStyles(Output& out) {
    out.lines(characterStyles);
    for (const ParagraphStyle& style : paragraphStyles) {
        out.line(R"(<w:style w:type="paragraph" w:default=")", style.isDefault, R"(" w:styleId=")",
                 style.id, R"(">)");
        out.line(R"( <w:name w:val=")", style.id, R"("/>)");
        if (style.heading) {
            out.line(" <w:pPr><w:keepNext/></w:pPr>");
        }
        out.line(" <w:rPr>");
        if (!style.font.empty()) {
            out.line(R"(  <w:rFonts w:ascii=")", style.font, R"(" w:h-ansi=")", style.font,
                     R"(" w:cs=")", style.font, R"("/> )");
        }
        out.line(R"(  <w:sz w:val=")", style.size, R"("/>)");
        if (style.heading) {
            out.line(R"(  <w:b w:val="on"/>)");
        }
        out.line(" </w:rPr>");
        out.line("</w:style>");
    }
    out.lines(tableStyle);
}

} // namespace

// The page header of `type`: a bordered table identifying the program and
// the model, and the time the document was written.
void mfXmlWPDevice::writePageHeader(std::string_view type) {
    using Merge = PageHeaderTable::Merge;
    Output& out = *output_;
    const mfReportHeader& model = model_;
    out.line(B(1), R"(<w:hdr w:type=")", type, R"(">)");
    writeLines(out, pageHeaderStart);
    out.line(T(5), "<w:tblGrid>");
    for (int width : {logoColumnWidth, reportColumnWidth, identityColumnWidth, stampColumnWidth}) {
        out.line(T(6), R"(<w:gridCol w:w=")", width, R"("/>)");
    }
    out.line(T(5), "</w:tblGrid>");
    PageHeaderTable table(out);

    table.rowStart(rowHeights[0], 5);
    table.cellStart(logoColumnWidth, Merge::Start, 6);
    table.logoContent(client_);
    table.cellEnd();
    table.cellStart(reportColumnWidth, Merge::Start);
    table.label("Report:", true);
    table.largeValue(model.model_name());
    table.emptyParagraph();
    table.cellEnd();
    table.cellStart(identityColumnWidth, Merge::None);
    table.label("Model Id:", true);
    table.plainValue(model.model_name());
    table.cellEnd();
    table.cellStart(stampColumnWidth, Merge::None);
    table.label("Sign:", false);
    table.arialValue(model.model_sign());
    table.cellEnd();
    table.rowEnd();

    table.rowStart(rowHeights[1], 6);
    table.mergedCells();
    table.cellStart(identityColumnWidth, Merge::None);
    table.label("Description:", true);
    table.plainValue(model.model_description());
    table.cellEnd();
    table.cellStart(stampColumnWidth, Merge::None);
    table.label("Date:", true);
    table.arialValue(model.model_date());
    table.cellEnd();
    table.rowEnd();

    table.rowStart(rowHeights[2], 6);
    table.mergedCells();
    table.cellStart(identityColumnWidth, Merge::None);
    table.label("Model file name:", true);
    table.wrappedValue(model.model_filename());
    table.cellEnd();
    table.cellStart(stampColumnWidth, Merge::None, 7, true);
    table.label("Last saved:", true);
    table.timeValue(date_, time_);
    table.cellEnd();
    table.rowEnd();

    writeLines(out, pageHeaderEnd);
    out.line(B(1), "</w:hdr>");
}

// The footer of `type`: creation time, maker and "Page X of Y".
void mfXmlWPDevice::writeFooter(std::string_view type) {
    Output& out = *output_;
    out.line(B(1), R"(<w:ftr w:type=")", type, R"("><w:p>)");
    out.line(footerStyle);
    out.line("  <w:r><w:t>", date_, " ", time_, "</w:t></w:r>");
    out.line(footerGap);
    out.line("  <w:r><w:t>", XmlText{maker_}, "</w:t></w:r>");
    out.lines(footerEnd);
}

mfXmlWPDevice::mfXmlWPDevice(const mfReportClient& client, const std::string& fileName,
                             const mfReportHeader& header)
    : client_(client), output_(std::make_shared<Output>(fileName)),
      model_(header.model_name(), header.model_description(), header.model_filename(),
             header.model_sign(), header.model_date()),
      date_(streamed(mfDate())), time_(streamed(mfTime())), maker_(mfreport::maker().name) {
    writePrologue(*output_);
    writeFonts(*output_);
    writeStyles(*output_);
    output_->lines(sectionStart);
    output_->finish();
}

mfXmlWPDevice::~mfXmlWPDevice() {
    mfXmlWPDevice::close();
}

bool mfXmlWPDevice::close() {
    if (output_->startContent()) {
        output_->line("<w:sectPr>");
        for (std::string_view type : pageTypes) {
            writePageHeader(type);
            writeFooter(type);
        }
        output_->line("</w:sectPr>");
    }
    return output_->closeDocument(documentEnd);
}

mfTable* mfXmlWPDevice::addTable(const mfTableHeader& header) {
    return new mfTableXmlWP(header, this);
}

mfDevice::ReportType mfXmlWPDevice::report_type() const {
    return XML_WP;
}

std::ofstream& mfXmlWPDevice::out() {
    return output_->stream();
}

const std::shared_ptr<mfreport::markup::Output>& mfXmlWPDevice::output() {
    return output_;
}

bool mfXmlWPDevice::flush() {
    return output_->finish();
}
