#include "mfreport/xmlwp/mfXmlWPDevice.h"

#include <sstream>

#include "mfreport/markup/markup_output.h"
#include "mfreport/markup/text_codec.h"
#include "mfreport/platform/Base64File.h"
#include "mfreport/platform/mfDateTime.h"
#include "mfreport/xmlwp/logo_png.h"
#include "mfreport/xmlwp/mfTableXmlWP.h"

namespace {

using mfreport::markup::finish;

// One line of fixed markup: its indentation and its text.
struct Line {
    std::string_view indent;
    std::string_view text;
};

constexpr std::string_view tabs = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
constexpr std::string_view blanks = "                    ";
constexpr std::string_view T(size_t n) {
    return tabs.substr(0, n);
}
constexpr std::string_view B(size_t n) {
    return blanks.substr(0, n);
}
constexpr std::string_view none;

void put(std::ostream& out, std::string_view indent, std::string_view text) {
    out.write(indent.data(), static_cast<std::streamsize>(indent.size()));
    mfreport::markup::line(out, text);
}

template <size_t N>
void put(std::ostream& out, const Line (&table)[N]) {
    for (const Line& line : table) {
        put(out, line.indent, line.text);
    }
}

constexpr Line prologue[] = {
    {none, R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"},
    {none, R"(<?mso-application progid="Word.Document"?>)"},
    {none, R"(<w:wordDocument xmlns:w="http://schemas.microsoft.com/office/word/2003/wordml" )"},
    {none, R"(xmlns:v="urn:schemas-microsoft-com:vml" )"},
    {none, R"(xmlns:w10="urn:schemas-microsoft-com:office:word" )"},
    {none, R"(xmlns:sl="http://schemas.microsoft.com/schemaLibrary/2003/core" )"},
    {none, R"(xmlns:aml="http://schemas.microsoft.com/aml/2001/core" )"},
    {none, R"(xmlns:wx="http://schemas.microsoft.com/office/word/2003/auxHint" )"},
    {none, R"(xmlns:o="urn:schemas-microsoft-com:office:office" )"},
    {none, R"(xmlns:dt="uuid:C2F41010-65B3-11d1-A29F-00AA00C14882" )"},
    {none,
     R"(w:macrosPresent="no" w:embeddedObjPresent="no" w:ocxPresent="no" xml:space="preserve">)"},
};

constexpr Line fonts[] = {
    {none, R"(<w:fonts>)"},
    {B(1),
     R"(<w:defaultFonts w:ascii="Arial Narrow" w:fareast="Arial Narrow" w:h-ansi="Arial Narrow" w:cs="Arial Narrow"/> )"},
    {none, R"(</w:fonts>)"},
};

constexpr Line styles[] = {
    {none, R"(<w:styles>)"},
    {none, R"(<w:style w:type="character" w:default="on" w:styleId="DefaultParagraphFont">)"},
    {B(1), R"(<w:name w:val="Default Paragraph Font"/><w:semiHidden/>)"},
    {none, R"(</w:style>)"},
    {none, R"(<w:style w:type="character" w:styleId="Hyperlink"><w:name w:val="Hyperlink"/>)"},
    {B(1), R"(<w:basedOn w:val="DefaultParagraphFont"/><w:rsid w:val="00DF17B2"/>)"},
    {B(1), R"(<w:rPr><w:color w:val="0000FF"/><w:u w:val="single"/></w:rPr>)"},
    {none, R"(</w:style>)"},
    {none, R"(<w:style w:type="paragraph" w:default="off" w:styleId="HeaderFooter">)"},
    {B(1), R"(<w:name w:val="HeaderFooter"/>)"},
    {B(1), R"(<w:rPr>)"},
    {B(2), R"(<w:sz w:val="20"/>)"},
    {B(1), R"(</w:rPr>)"},
    {none, R"(</w:style>)"},
    {none, R"(<w:style w:type="paragraph" w:default="off" w:styleId="Heading1">)"},
    {B(1), R"(<w:name w:val="Heading1"/>)"},
    {B(1), R"(<w:rPr>)"},
    {B(2),
     R"(<w:rFonts w:ascii="Times New Normal" w:h-ansi="Times New Normal" w:cs="Times New Normal"/> )"},
    {B(2), R"(<w:sz w:val="28"/>)"},
    {B(2), R"(<w:b w:val="on"/>)"},
    {B(1), R"(</w:rPr>)"},
    {none, R"(</w:style>)"},
    {none, R"(<w:style w:type="paragraph" w:default="off" w:styleId="Heading2">)"},
    {B(1), R"(<w:name w:val="Heading2"/>)"},
    {B(1), R"(<w:rPr>)"},
    {B(2),
     R"(<w:rFonts w:ascii="Times New Normal" w:h-ansi="Times New Normal" w:cs="Times New Normal"/> )"},
    {B(2), R"(<w:sz w:val="22"/>)"},
    {B(2), R"(<w:b w:val="on"/>)"},
    {B(1), R"(</w:rPr>)"},
    {none, R"(</w:style>)"},
    {none, R"(<w:style w:type="paragraph" w:default="off" w:styleId="Heading3">)"},
    {B(1), R"(<w:name w:val="Heading3"/>)"},
    {B(1), R"(<w:rPr>)"},
    {B(2),
     R"(<w:rFonts w:ascii="Times New Normal" w:h-ansi="Times New Normal" w:cs="Times New Normal"/> )"},
    {B(2), R"(<w:sz w:val="18"/>)"},
    {B(2), R"(<w:b w:val="on"/>)"},
    {B(1), R"(</w:rPr>)"},
    {none, R"(</w:style>)"},
    {none, R"(<w:style w:type="paragraph" w:default="on" w:styleId="TextParagraph">)"},
    {B(1), R"(<w:name w:val="TextParagraph"/>)"},
    {B(1), R"(<w:rPr>)"},
    {B(2),
     R"(<w:rFonts w:ascii="Times New Normal" w:h-ansi="Times New Normal" w:cs="Times New Normal"/> )"},
    {B(2), R"(<w:sz w:val="16"/>)"},
    {B(1), R"(</w:rPr>)"},
    {none, R"(</w:style>)"},
    {none, R"(<w:style w:type="paragraph" w:default="on" w:styleId="Normal">)"},
    {B(1), R"(<w:name w:val="Normal"/>)"},
    {B(1), R"(<w:rPr>)"},
    {B(2), R"(<w:rFonts w:ascii="Arial Narrow" w:h-ansi="Arial Narrow" w:cs="Arial Narrow"/> )"},
    {B(2), R"(<w:sz w:val="16"/>)"},
    {B(1), R"(</w:rPr>)"},
    {none, R"(</w:style>)"},
    {B(1), R"(<w:style w:type="table" w:styleId="TableGrid">)"},
    {B(1), R"(<w:name w:val="TableGrid" />)"},
    {B(1), R"(<w:tblPr>)"},
    {B(2), R"(<w:tblBorders>)"},
    {B(3), R"(<w:top     w:val="single"/>)"},
    {B(3), R"(<w:bottom  w:val="single"/>)"},
    {B(3), R"(<w:left    w:val="single"/>)"},
    {B(3), R"(<w:right   w:val="single"/>)"},
    {B(3), R"(<w:insideH w:val="single"/>)"},
    {B(3), R"(<w:insideV w:val="single"/>)"},
    {B(2), R"(</w:tblBorders>)"},
    {B(2), R"(<w:tblCellMar>)"},
    {B(3), R"(<w:top     w:w="20" w:type="dxa" />)"},
    {B(3), R"(<w:bottom  w:w="20" w:type="dxa" />)"},
    {B(3), R"(<w:left    w:w="60" w:type="dxa" />)"},
    {B(3), R"(<w:right   w:w="60" w:type="dxa" />)"},
    {B(2), R"(</w:tblCellMar>)"},
    {B(1), R"(</w:tblPr>)"},
    {B(1), R"(</w:style>)"},
    {none, R"(</w:styles>)"},
};

// The body, the page header and the start of its identification table.
constexpr Line pageHeaderStart[] = {
    {none, R"(<w:body>)"},
    {B(1), R"(<w:hdr w:type="both">)"},
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
    {T(5), R"(</w:tblPr>)"},
    {T(5), R"(<w:tblGrid>)"},
    {T(6), R"(<w:gridCol w:w="1800"/>)"},
    {T(6), R"(<w:gridCol w:w="1800"/>)"},
    {T(6), R"(<w:gridCol w:w="4111"/>)"},
    {T(6), R"(<w:gridCol w:w="1559"/>)"},
    {T(5), R"(</w:tblGrid>)"},
};

constexpr Line pageHeaderEnd[] = {
    {T(5), R"(</w:tbl>)"}, {T(5), R"(<w:p>)"},
    {T(6), R"(<w:pPr>)"},  {T(7), R"(<w:pStyle w:val="Header"/>)"},
    {T(6), R"(</w:pPr>)"}, {T(5), R"(</w:p>)"},
};

// The VML picture-frame template of the logo, up to its image data.
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
constexpr std::string_view logoDataOpen = R"(<w:binData w:name="wordml://03000001.png">)";
constexpr Line logoShape[] = {
    {none, R"(</w:binData>)"},
    {T(11), R"(<v:shape id="_x0000_i1030" type="#_x0000_t75" style="width:48pt;height:33pt">)"},
    {T(12), R"(<v:imagedata src="wordml://03000001.png" o:title=""/>)"},
    {T(11), R"(</v:shape>)"},
    {T(10), R"(</w:pict>)"},
};

// Footer, from its closing of the page header to the open section.
constexpr Line footerStart[] = {
    {B(1), R"(</w:hdr>)"},
    {B(1), R"(<w:ftr w:type="both"><w:p>)"},
    {B(2), R"(<w:pPr><w:pStyle w:val="Header"/><w:jc w:val="center"/></w:pPr>)"},
};
// Between the two: the date and time run.
constexpr Line footerEnd[] = {
    {B(2), R"(<w:r><w:t>                          </w:t></w:r>)"},
    {B(2), R"(<w:r><w:t>ZEB Software</w:t></w:r>)"},
    {B(2), R"(<w:r><w:t>                          </w:t></w:r>)"},
    {B(2), R"(<w:r><w:t> Page  </w:t></w:r>)"},
    {B(2), R"(<w:r><w:fldChar w:fldCharType="begin"/></w:r>)"},
    {B(2), R"(<w:r><w:instrText> PAGE </w:instrText></w:r>)"},
    {B(2), R"(<w:r><w:fldChar w:fldCharType="end"/></w:r>)"},
    {B(2), R"(<w:r><w:t> of </w:t></w:r>)"},
    {B(2), R"(<w:r><w:fldChar w:fldCharType="begin"/></w:r>)"},
    {B(2), R"(<w:r><w:instrText> NUMPAGES </w:instrText></w:r>)"},
    {B(2), R"(<w:r><w:fldChar w:fldCharType="end"/></w:r>)"},
    {none, R"(</w:p></w:ftr>)"},
    {none, R"(<wx:sect>)"},
};

constexpr std::string_view documentEnd[] = {
    R"(</wx:sect>)",
    R"(</w:body>)",
    R"(</w:wordDocument>)",
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
constexpr std::string_view cellBorders[] = {
    R"(<w:top w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)",
    R"(<w:left w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)",
    R"(<w:bottom w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)",
    R"(<w:right w:val="single" w:sz="4" wx:bdrwidth="10" w:space="0" w:color="auto"/>)",
};

constexpr size_t base64Line = 76;

// The building blocks of the page-header table, at their tab indentation.
class PageHeaderTable {
public:
    enum class Merge { None, Start, Continue };

    explicit PageHeaderTable(std::ostream& out) : out_(out) {}

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
        put(b + 2, R"(<w:trHeight w:val=")" + std::to_string(height) + R"("/>)");
        put(b + 1, "</w:trPr>");
    }
    void rowEnd() { put(6, "</w:tr>"); }

    void cellStart(int width, Merge merge, size_t c = 7, bool bordered = false) {
        put(c, "<w:tc>");
        put(c + 1, "<w:tcPr>");
        put(c + 2, R"(<w:tcW w:w=")" + std::to_string(width) + R"(" w:type="dxa"/>)");
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
        put(10, text);
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

    // The outer paragraph encloses a complete plain value.
    void wrappedValue(const std::string& value) {
        put(8, "<w:p>");
        put(9, "<w:pPr>");
        put(10, headerStyle);
        runProperties(10, size16);
        put(9, "</w:pPr>");
        plainValue(value);
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
        put(10, "<w:t>" + date + "  " + time + "</w:t>");
        put(9, "</w:r>");
        put(8, "</w:p>");
    }

    void logoContent(const mfReportClient& client) {
        out_ << T(7);
        ::put(out_, B(3), "<w:p>");
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

        out_ << B(3);
        ::put(out_, T(8), "<w:p>");
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
    void put(size_t indent, std::string_view text) { ::put(out_, T(indent), text); }

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
        line_ = "<w:t>";
        mfreport::markup::appendXmlText(line_, value);
        line_ += "</w:t>";
        put(10, line_);
    }
    void run(const std::string& value) {
        put(9, "<w:r>");
        valueText(value);
        put(9, "</w:r>");
    }

    // The picture lines: the shape type, the PNG's Base64 text (its first 76
    // characters on the opening line) and the shape showing it.
    void logoPicture() {
        ::put(out_, logoShapeType);
        const std::string base64 = Base64File::encodeBytes(std::string_view(
            reinterpret_cast<const char*>(mfreport::xmlwp::logoPng), mfreport::xmlwp::logoPngSize));
        const std::string_view text(base64);
        put(11, std::string(logoDataOpen) + std::string(text.substr(0, base64Line)));
        for (size_t at = base64Line; at < text.size(); at += base64Line) {
            mfreport::markup::line(out_, text.substr(at, base64Line));
        }
        ::put(out_, logoShape);
    }

    std::ostream& out_;
    std::string line_;
};

template <class T>
std::string streamed(const T& value) {
    std::ostringstream os;
    os << value;
    return os.str();
}

// Bookmark name of a numbered heading: blanks, ".", "/" and "-" become "_".
std::string bookmarkName(std::string text) {
    for (char& c : text) {
        if (c == ' ' || c == '.' || c == '/' || c == '-') {
            c = '_';
        }
    }
    return text;
}

// Fixed parts of the content operations.
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
constexpr std::string_view tocEntryStart =
    R"(<w:p> <w:pPr> <w:pStyle w:val="TextParagraph"/> <w:tabs> <w:tab w:val="right" w:leader="dot" w:pos="9350" /> </w:tabs> </w:pPr>)";
constexpr std::string_view tocEntryTab = R"(<w:r> <w:tab /> </w:r>)";
constexpr std::string_view tocEntryEnd =
    R"(<w:r> <w:t>0</w:t> </w:r> </w:fldSimple> </w:hlink> </w:p>)";

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
constexpr std::string_view listEnd[] = {
    R"( </w:tbl>)",
    R"( <w:br/>)",
};
constexpr std::string_view listSpacerCell =
    R"(  <w:tc><w:tcPr><w:tcW w:w="250" w:type="dxa"/></w:tcPr><w:p><w:r><w:t>  </w:t></w:r></w:p></w:tc>)";

// The figure's VML picture-frame template.
constexpr Line figureShapeType[] = {
    {none, R"(<w:p>)"},
    {B(1), R"(<w:pPr><w:jc w:val="center"/></w:pPr>)"},
    {B(1), R"(<w:r>)"},
    {B(2), R"(<w:pict>)"},
    {B(3), R"(<v:shapetype id="_x0000_t75" coordsize="21600,21600" o:spt="75" )"},
    {B(17), R"(o:preferrelative="t" path="m@4@5l@4@11@9@11@9@5xe" )"},
    {B(17), R"(filled="f" stroked="f"> )"},
    {B(5), R"(<v:stroke joinstyle="miter" />  )"},
    {B(5), R"(<v:formulas> )"},
    {B(7), R"(<v:f eqn="if lineDrawn pixelLineWidth 0" />  )"},
    {B(7), R"(<v:f eqn="sum @0 1 0" />  )"},
    {B(7), R"(<v:f eqn="sum 0 0 @1" />  )"},
    {B(7), R"(<v:f eqn="prod @2 1 2" />  )"},
    {B(7), R"(<v:f eqn="prod @3 21600 pixelWidth" />  )"},
    {B(7), R"(<v:f eqn="prod @3 21600 pixelHeight" />  )"},
    {B(7), R"(<v:f eqn="sum @0 0 1" />  )"},
    {B(7), R"(<v:f eqn="prod @6 1 2" />  )"},
    {B(7), R"(<v:f eqn="prod @7 21600 pixelWidth" /> )"},
    {B(7), R"(<v:f eqn="sum @8 21600 0" />  )"},
    {B(7), R"(<v:f eqn="prod @7 21600 pixelHeight" />  )"},
    {B(7), R"(<v:f eqn="sum @10 21600 0" />  )"},
    {B(6), R"(</v:formulas> )"},
    {B(6), R"(<v:path o:extrusionok="f" gradientshapeok="t" o:connecttype="rect" />  )"},
    {B(6), R"(<o:lock v:ext="edit" aspectratio="t" />  )"},
    {B(4), R"(</v:shapetype> )"},
};
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

} // namespace

mfXmlWPDevice::mfXmlWPDevice(const mfReportClient& client, const std::string& fileName,
                             const mfReportHeader& header)
    : client_(client) {
    mfreport::markup::openOutput(out_, fileName);
    const std::string date = streamed(mfDate());
    const std::string time = streamed(mfTime());
    writePrologue();
    writeFonts();
    writeStyles();
    writePageHeader(header, date, time);
    writeFooter(date, time);
    finish(out_);
}

void mfXmlWPDevice::writePrologue() {
    put(out_, prologue);
}

void mfXmlWPDevice::writeFonts() {
    put(out_, fonts);
}

void mfXmlWPDevice::writeStyles() {
    put(out_, styles);
}

void mfXmlWPDevice::writePageHeader(const mfReportHeader& header, const std::string& date,
                                    const std::string& time) {
    using Merge = PageHeaderTable::Merge;
    put(out_, pageHeaderStart);
    PageHeaderTable table(out_);

    table.rowStart(370, 5);
    table.cellStart(1800, Merge::Start, 6);
    table.logoContent(client_);
    table.cellEnd();
    table.cellStart(1800, Merge::Start);
    table.label("<w:t>Report:</w:t>", true);
    table.largeValue(header.model_name());
    table.emptyParagraph();
    table.cellEnd();
    table.cellStart(4111, Merge::None);
    table.label("<w:t>Model Id:</w:t>", true);
    table.plainValue(header.model_name());
    table.cellEnd();
    table.cellStart(1559, Merge::None);
    table.label("<w:t>Sign:</w:t>", false);
    table.arialValue(header.model_sign());
    table.cellEnd();
    table.rowEnd();

    table.rowStart(410, 6);
    for (int i = 0; i < 2; ++i) {
        table.cellStart(1800, Merge::Continue);
        table.emptyParagraph();
        table.cellEnd();
    }
    table.cellStart(4111, Merge::None);
    table.label("<w:t>Description:</w:t>", true);
    table.plainValue(header.model_description());
    table.cellEnd();
    table.cellStart(1559, Merge::None);
    table.label("<w:t>Date:</w:t>", true);
    table.arialValue(header.model_date());
    table.cellEnd();
    table.rowEnd();

    table.rowStart(452, 6);
    for (int i = 0; i < 2; ++i) {
        table.cellStart(1800, Merge::Continue);
        table.emptyParagraph();
        table.cellEnd();
    }
    table.cellStart(4111, Merge::None);
    table.label("<w:t>Model file name:</w:t>", true);
    table.wrappedValue(header.model_filename());
    table.cellEnd();
    table.cellStart(1559, Merge::None, 7, true);
    table.label("<w:t>Last saved:</w:t>", true);
    table.timeValue(date, time);
    table.cellEnd();
    table.rowEnd();

    put(out_, pageHeaderEnd);
}

void mfXmlWPDevice::writeFooter(const std::string& date, const std::string& time) {
    put(out_, footerStart);
    put(out_, B(2), "<w:r><w:t>" + date + " " + time + "</w:t></w:r>");
    put(out_, footerEnd);
}

mfXmlWPDevice::~mfXmlWPDevice() {
    if (!open_.empty()) {
        closeMarkup(open_.front().first);
    }
    mfreport::markup::lines(out_, documentEnd);
    out_.close();
}

mfXmlWPDevice::MarkupId mfXmlWPDevice::openMarkup(std::string closing) {
    open_.emplace_back(++lastId_, std::move(closing));
    return lastId_;
}

bool mfXmlWPDevice::isOpen(MarkupId id) const {
    for (const auto& element : open_) {
        if (element.first == id) {
            return true;
        }
    }
    return false;
}

void mfXmlWPDevice::closeMarkup(MarkupId id, std::string_view content) {
    if (!isOpen(id)) {
        return;
    }
    while (open_.back().first != id) {
        out_ << open_.back().second;
        open_.pop_back();
    }
    out_ << content << open_.back().second;
    open_.pop_back();
}

void mfXmlWPDevice::writeBlankParagraph() {
    mfreport::markup::lines(out_, blankParagraph);
}

void mfXmlWPDevice::writeBookmark(std::string_view name) {
    line_ = R"(<aml:annotation aml:id="0" w:type="Word.Bookmark.Start" w:name=")";
    mfreport::markup::appendXmlAttribute(line_, name);
    line_ += R"("/>)";
    mfreport::markup::line(out_, line_);
    mfreport::markup::line(out_, R"(<aml:annotation aml:id="0" w:type="Word.Bookmark.End"/>)");
}

bool mfXmlWPDevice::addParagraph(const std::string& text) {
    mfreport::markup::line(out_, R"( <w:p>)");
    mfreport::markup::line(out_, R"(  <w:pPr><w:pStyle w:val="TextParagraph"/></w:pPr>)");
    line_ = "  <w:r><w:t>";
    mfreport::markup::appendXmlText(line_, text);
    line_ += "</w:t></w:r>";
    mfreport::markup::line(out_, line_);
    mfreport::markup::line(out_, R"( </w:p>)");
    writeBlankParagraph();
    return finish(out_);
}

bool mfXmlWPDevice::addPageBreak() {
    mfreport::markup::lines(out_, pageBreak);
    return finish(out_);
}

bool mfXmlWPDevice::beginTOC() {
    mfreport::markup::lines(out_, tocBegin);
    return finish(out_);
}

bool mfXmlWPDevice::endTOC() {
    mfreport::markup::line(out_, tocEnd);
    return finish(out_);
}

bool mfXmlWPDevice::addHeading(const std::string& text, int level) {
    const std::string numbered = numbered_heading(text, level);
    const int styleLevel = level >= 1 && level <= 3 ? level : 3;
    mfreport::markup::lines(out_, blankNormalParagraph);
    mfreport::markup::line(out_, R"( <w:p>)");
    mfreport::markup::line(out_, R"(  <w:pPr>)");
    line_ = R"(   <w:pStyle w:val="Heading)";
    line_ += std::to_string(styleLevel);
    line_ += R"("/>)";
    mfreport::markup::line(out_, line_);
    if (level > 0) {
        line_ = R"(   <w:outlineLvl w:val=")";
        line_ += std::to_string(level);
        line_ += R"(" />)";
        mfreport::markup::line(out_, line_);
    }
    mfreport::markup::line(out_, R"(  </w:pPr>)");
    line_ = "  <w:r><w:t>";
    mfreport::markup::appendXmlText(line_, numbered);
    line_ += "</w:t></w:r>";
    mfreport::markup::line(out_, line_);
    mfreport::markup::line(out_, R"( </w:p>)");
    writeBookmark(bookmarkName(numbered));
    mfreport::markup::lines(out_, blankNormalParagraph);
    return finish(out_);
}

bool mfXmlWPDevice::addHeadingToTOC(const std::string& text, int level) {
    const std::string numbered = numbered_heading(text, level);
    const std::string bookmark = mfreport::markup::xmlAttribute(bookmarkName(numbered));
    mfreport::markup::line(out_, tocEntryStart);
    line_ = R"(<w:r> <w:t> <w:rPr><w:rStyle w:val="Hyperlink" /></w:rPr>)";
    mfreport::markup::appendXmlText(line_, numbered);
    line_ += "</w:t> </w:r>";
    mfreport::markup::line(out_, line_);
    mfreport::markup::line(out_, tocEntryTab);
    line_ = R"(<w:hlink w:bookmark=")";
    line_ += bookmark;
    line_ += R"("> <w:fldSimple w:instr="PAGEREF )";
    line_ += bookmark;
    line_ += R"(">)";
    mfreport::markup::line(out_, line_);
    mfreport::markup::line(out_, tocEntryEnd);
    return finish(out_);
}

bool mfXmlWPDevice::addList(const Vector<std::string>& items, int style) {
    const bool pairs = style == 2 && items.size() % 2 == 0;
    mfreport::markup::lines(out_, listStart);
    if (pairs) {
        mfreport::markup::lines(out_, listGridPairs);
    } else {
        mfreport::markup::lines(out_, listGridSingle);
    }
    for (size_t i = 0; i < items.size(); i += pairs ? 2 : 1) {
        line_ = "  <w:tr><w:tc><w:p><w:r><w:t>";
        mfreport::markup::appendXmlText(line_, items[i]);
        line_ += pairs ? "</w:t></w:r></w:p></w:tc>" : "</w:t></w:r></w:p></w:tc></w:tr>";
        mfreport::markup::line(out_, line_);
        if (pairs) {
            mfreport::markup::line(out_, listSpacerCell);
            line_ = "  <w:tc><w:p><w:r><w:t>";
            mfreport::markup::appendXmlText(line_, items[i + 1]);
            line_ += "</w:t></w:r></w:p></w:tc></w:tr>";
            mfreport::markup::line(out_, line_);
        }
    }
    mfreport::markup::lines(out_, listEnd);
    writeBlankParagraph();
    return finish(out_);
}

bool mfXmlWPDevice::addFigure(const std::string& fileName, const std::string& caption) {
    std::string imageName = "http://";
    mfreport::markup::appendXmlAttribute(imageName, fileName);
    put(out_, figureShapeType);
    mfreport::markup::line(out_, R"(<w:binData w:name=")" + imageName + R"(">)");
    // Base64 text, 76 characters a line, then one more line end.
    std::string base64;
    Base64File::encode(fileName, base64);
    const std::string_view text(base64);
    for (size_t at = 0; at + base64Line <= text.size(); at += base64Line) {
        mfreport::markup::line(out_, text.substr(at, base64Line));
    }
    mfreport::markup::line(out_, text.substr(text.size() - text.size() % base64Line));
    mfreport::markup::lines(out_, figureShapeStart);
    mfreport::markup::line(out_, R"(      <v:imagedata src=")" + imageName +
                                     R"(" o:title="FolderN" /> )");
    mfreport::markup::lines(out_, figureEnd);
    writeBlankParagraph();
    mfreport::markup::lines(out_, captionStart);
    line_ = "  <w:r><w:t>";
    mfreport::markup::appendXmlText(line_, fileName);
    line_ += " : ";
    mfreport::markup::appendXmlText(line_, caption);
    line_ += "</w:t></w:r>";
    mfreport::markup::line(out_, line_);
    mfreport::markup::line(out_, R"( </w:p>)");
    writeBlankParagraph();
    return finish(out_);
}

mfTable* mfXmlWPDevice::addTable(const mfTableHeader& header) {
    return new mfTableXmlWP(header, this);
}

mfDevice::ReportType mfXmlWPDevice::report_type() const {
    return XML_WP;
}
