#include "mfreport/docx/document.h"

#include <algorithm>

#include "mfreport/markup/logo_png.h"
#include "mfreport/markup/text_codec.h"

namespace mfreport::docx {

namespace {

using markup::appendXmlText;

constexpr std::string_view xmlDeclaration =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n";

constexpr std::string_view documentContent =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml";
constexpr std::string_view stylesContent =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml";
constexpr std::string_view settingsContent =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml";
constexpr std::string_view numberingContent =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.numbering+xml";
constexpr std::string_view headerContent =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml";
constexpr std::string_view footerContent =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml";

constexpr std::string_view stylesRelation =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
constexpr std::string_view settingsRelation =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings";
constexpr std::string_view numberingRelation =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering";
constexpr std::string_view headerRelation =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/header";
constexpr std::string_view footerRelation =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer";
constexpr std::string_view imageRelation =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";

// The body's relationships: the fixed parts first, then the pictures.
constexpr int kFirstPictureRelation = 6;

constexpr std::string_view bodyEndMarkup =
    R"(<w:sectPr>)"
    "\n"
    R"(<w:headerReference w:type="default" r:id="rId4"/>)"
    "\n"
    R"(<w:footerReference w:type="default" r:id="rId5"/>)"
    "\n"
    R"(<w:pgSz w:w="11906" w:h="16838"/>)"
    "\n"
    R"(<w:pgMar w:top="2552" w:right="1134" w:bottom="1418" w:left="1134" w:header="567" w:footer="567" w:gutter="0"/>)"
    "\n"
    R"(</w:sectPr>)"
    "\n"
    R"(</w:body>)"
    "\n"
    R"(</w:document>)"
    "\n";

// Heading and text fonts; sizes in half-points.
constexpr std::string_view stylesStart[] = {
    R"(<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)",
    R"(<w:docDefaults>)",
    R"(<w:rPrDefault><w:rPr><w:rFonts w:ascii="Arial Narrow" w:eastAsia="Arial Narrow" w:hAnsi="Arial Narrow" w:cs="Arial Narrow"/><w:sz w:val="16"/><w:szCs w:val="16"/><w:lang w:val="en-GB"/></w:rPr></w:rPrDefault>)",
    R"(<w:pPrDefault><w:pPr><w:spacing w:after="60" w:line="192" w:lineRule="atLeast"/></w:pPr></w:pPrDefault>)",
    R"(</w:docDefaults>)",
    R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/><w:qFormat/></w:style>)",
    R"(<w:style w:type="character" w:default="1" w:styleId="DefaultParagraphFont"><w:name w:val="Default Paragraph Font"/><w:uiPriority w:val="1"/><w:semiHidden/></w:style>)",
    R"(<w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/><w:semiHidden/><w:tblPr><w:tblInd w:w="0" w:type="dxa"/><w:tblCellMar><w:top w:w="0" w:type="dxa"/><w:left w:w="108" w:type="dxa"/><w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar></w:tblPr></w:style>)",
};
constexpr std::string_view stylesEnd[] = {
    R"(<w:style w:type="paragraph" w:styleId="HeadingUnnumbered"><w:name w:val="Heading Unnumbered"/><w:basedOn w:val="Normal"/><w:next w:val="Normal"/><w:qFormat/><w:pPr><w:keepNext/><w:keepLines/><w:spacing w:before="180" w:after="120" w:line="216" w:lineRule="atLeast"/></w:pPr><w:rPr><w:rFonts w:ascii="Times New Normal" w:hAnsi="Times New Normal" w:cs="Times New Normal"/><w:b/><w:sz w:val="18"/><w:szCs w:val="18"/></w:rPr></w:style>)",
    R"(<w:style w:type="paragraph" w:styleId="TextParagraph"><w:name w:val="Text Paragraph"/><w:basedOn w:val="Normal"/><w:qFormat/><w:pPr><w:spacing w:after="120" w:line="240" w:lineRule="atLeast"/></w:pPr><w:rPr><w:rFonts w:ascii="Times New Normal" w:hAnsi="Times New Normal" w:cs="Times New Normal"/><w:sz w:val="20"/><w:szCs w:val="20"/></w:rPr></w:style>)",
    R"(<w:style w:type="paragraph" w:styleId="ListParagraph"><w:name w:val="List Paragraph"/><w:basedOn w:val="Normal"/><w:qFormat/><w:pPr><w:ind w:left="720"/><w:contextualSpacing/></w:pPr></w:style>)",
    R"(<w:style w:type="paragraph" w:styleId="Figure"><w:name w:val="Figure"/><w:basedOn w:val="Normal"/><w:next w:val="Caption"/><w:pPr><w:keepNext/><w:spacing w:before="120"/><w:jc w:val="center"/></w:pPr></w:style>)",
    R"(<w:style w:type="paragraph" w:styleId="Caption"><w:name w:val="caption"/><w:basedOn w:val="Normal"/><w:next w:val="Normal"/><w:qFormat/><w:pPr><w:spacing w:after="240"/><w:jc w:val="center"/></w:pPr><w:rPr><w:i/></w:rPr></w:style>)",
    R"(<w:style w:type="paragraph" w:styleId="Header"><w:name w:val="header"/><w:basedOn w:val="Normal"/><w:pPr><w:spacing w:after="0" w:line="144" w:lineRule="atLeast"/></w:pPr><w:rPr><w:rFonts w:ascii="Arial" w:hAnsi="Arial" w:cs="Arial"/><w:sz w:val="12"/><w:szCs w:val="12"/></w:rPr></w:style>)",
    R"(<w:style w:type="paragraph" w:styleId="Footer"><w:name w:val="footer"/><w:basedOn w:val="Normal"/><w:pPr><w:tabs><w:tab w:val="center" w:pos="4819"/><w:tab w:val="right" w:pos="9638"/></w:tabs><w:spacing w:after="0"/></w:pPr><w:rPr><w:sz w:val="16"/></w:rPr></w:style>)",
};
constexpr std::string_view tocStyleEnd =
    R"(<w:pPr><w:tabs><w:tab w:val="right" w:leader="dot" w:pos="9638"/></w:tabs><w:spacing w:after="40"/>)";
constexpr std::string_view stylesTail[] = {
    R"(<w:style w:type="character" w:styleId="Hyperlink"><w:name w:val="Hyperlink"/><w:basedOn w:val="DefaultParagraphFont"/><w:rPr><w:color w:val="0000FF"/><w:u w:val="single"/></w:rPr></w:style>)",
    R"(<w:style w:type="table" w:styleId="TableGrid"><w:name w:val="Table Grid"/><w:basedOn w:val="TableNormal"/><w:tblPr><w:tblBorders><w:top w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:left w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:bottom w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:right w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:insideH w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:insideV w:val="single" w:sz="4" w:space="0" w:color="auto"/></w:tblBorders></w:tblPr></w:style>)",
    R"(</w:styles>)",
};

constexpr std::string_view settingsLines[] = {
    R"(<w:settings xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)",
    R"(<w:defaultTabStop w:val="720"/>)",
    R"(<w:characterSpacingControl w:val="doNotCompress"/>)",
    R"(<w:updateFields w:val="true"/>)",
    R"(</w:settings>)",
};

// Bullets, and decimal numbers that each numbered list restarts.
constexpr std::string_view numberingStart[] = {
    R"(<w:numbering xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)",
    R"(<w:abstractNum w:abstractNumId="0"><w:multiLevelType w:val="singleLevel"/><w:lvl w:ilvl="0"><w:start w:val="1"/><w:numFmt w:val="bullet"/><w:lvlText w:val=")"
    "\xE2\x80\xA2"
    R"("/><w:lvlJc w:val="left"/><w:pPr><w:ind w:left="720" w:hanging="360"/></w:pPr></w:lvl></w:abstractNum>)",
    R"(<w:abstractNum w:abstractNumId="1"><w:multiLevelType w:val="singleLevel"/><w:lvl w:ilvl="0"><w:start w:val="1"/><w:numFmt w:val="decimal"/><w:lvlText w:val="%1."/><w:lvlJc w:val="left"/><w:pPr><w:ind w:left="720" w:hanging="360"/></w:pPr></w:lvl></w:abstractNum>)",
    R"(<w:num w:numId="1"><w:abstractNumId w:val="0"/></w:num>)",
};

// The identification table of the page header: four columns, the first two
// merged down its three rows.
constexpr int64_t headerColumns[] = {1800, 2400, 3511, 1559};
constexpr std::string_view headerTableStart[] = {
    R"(<w:tbl>)",
    R"(<w:tblPr><w:tblW w:w="9270" w:type="dxa"/><w:tblBorders><w:top w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:left w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:bottom w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:right w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:insideH w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:insideV w:val="single" w:sz="4" w:space="0" w:color="auto"/></w:tblBorders><w:tblLayout w:type="fixed"/><w:tblCellMar><w:left w:w="108" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar></w:tblPr>)",
    R"(<w:tblGrid><w:gridCol w:w="1800"/><w:gridCol w:w="2400"/><w:gridCol w:w="3511"/><w:gridCol w:w="1559"/></w:tblGrid>)",
};
constexpr std::string_view headerTableEnd[] = {
    R"(</w:tbl>)",
    R"(<w:p><w:pPr><w:pStyle w:val="Header"/></w:pPr></w:p>)",
    R"(</w:hdr>)",
};
// The logo at 48 x 33 points.
constexpr Extent logoExtent{48 * 12700, 33 * 12700};

enum class Merge { None, Restart, Continue };

void rowStart(std::string& out, int height) {
    out += R"(<w:tr><w:trPr><w:cantSplit/><w:trHeight w:val=")" + std::to_string(height) +
           "\"/></w:trPr>\n";
}
void cellStart(std::string& out, int column, Merge merge) {
    out += R"(<w:tc><w:tcPr><w:tcW w:w=")" + std::to_string(headerColumns[column]) +
           R"(" w:type="dxa"/>)";
    if (merge == Merge::Restart) {
        out += R"(<w:vMerge w:val="restart"/>)";
    } else if (merge == Merge::Continue) {
        out += R"(<w:vMerge/>)";
    }
    out += "</w:tcPr>\n";
}
// A paragraph of the header: its alignment, size (half-points, 0: the
// style's) and text.
void headerParagraph(std::string& out, std::string_view text, int size = 0, bool centred = false) {
    out += R"(<w:p><w:pPr><w:pStyle w:val="Header"/>)";
    if (centred) {
        out += R"(<w:jc w:val="center"/>)";
    }
    out += "</w:pPr>";
    if (!text.empty()) {
        out += "<w:r>";
        if (size > 0) {
            out += R"(<w:rPr><w:sz w:val=")" + std::to_string(size) + R"("/><w:szCs w:val=")" +
                   std::to_string(size) + R"("/></w:rPr>)";
        }
        out += R"(<w:t xml:space="preserve">)";
        appendXmlText(out, text);
        out += "</w:t></w:r>";
    }
    out += "</w:p>\n";
}
void labelCell(std::string& out, int column, std::string_view label, std::string_view value,
               int size = 16) {
    cellStart(out, column, Merge::None);
    headerParagraph(out, label);
    headerParagraph(out, value, size);
    out += "</w:tc>\n";
}
void mergedCell(std::string& out, int column) {
    cellStart(out, column, Merge::Continue);
    headerParagraph(out, {});
    out += "</w:tc>\n";
}

template <class Lines>
void appendLines(std::string& out, const Lines& lines) {
    for (std::string_view line : lines) {
        out += line;
        out += '\n';
    }
}

// A field whose result shows `shown` until the reader updates it.
void appendField(std::string& out, std::string_view instruction, std::string_view shown) {
    out +=
        R"(<w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText xml:space="preserve"> )";
    out += instruction;
    out += R"( </w:instrText></w:r><w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>)";
    out += shown;
    out += R"(</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r>)";
}

class BodySink final : public markup::Output::Sink {
public:
    explicit BodySink(Document& document) : document_(document) {}
    bool write(const char* data, size_t size) override { return document_.writeBody(data, size); }
    bool flush() override { return document_.healthy(); }
    bool close() override { return document_.endBody(); }

private:
    Document& document_;
};

// A contents entry: its text linked to the heading's bookmark, the dotted tab
// and the page reference field, whose shown number follows.
constexpr std::string_view entryLink = R"("/></w:pPr><w:hyperlink w:anchor=")";
constexpr std::string_view entryText = R"(" w:history="1"><w:r><w:t xml:space="preserve">)";
constexpr std::string_view entryPage =
    R"(</w:t></w:r><w:r><w:tab/></w:r><w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText xml:space="preserve"> PAGEREF )";
constexpr std::string_view entryPageShown =
    R"( \h </w:instrText></w:r><w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>)";
constexpr std::string_view entryEnd =
    R"(</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r></w:hyperlink></w:p>)"
    "\n";

} // namespace

const std::string_view kNamespaces =
    R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")"
    R"( xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships")"
    R"( xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing")"
    R"( xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main")"
    R"( xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture")";

void appendInlinePicture(std::string& out, int64_t id, std::string_view relation,
                         std::string_view name, const Extent& extent) {
    const std::string cx = std::to_string(extent.cx);
    const std::string cy = std::to_string(extent.cy);
    const std::string n = std::to_string(id);
    out += R"(<w:drawing><wp:inline distT="0" distB="0" distL="0" distR="0"><wp:extent cx=")" + cx +
           R"(" cy=")" + cy + R"("/><wp:docPr id=")" + n + R"(" name="Picture )" + n +
           R"(" descr=")";
    markup::appendXmlAttribute(out, name);
    out +=
        R"("/><wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect="1"/></wp:cNvGraphicFramePr>)"
        R"(<a:graphic><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture">)"
        R"(<pic:pic><pic:nvPicPr><pic:cNvPr id="0" name="Picture )" +
        n + R"("/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:embed=")";
    out += relation;
    out +=
        R"("/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx=")" +
        cx + R"(" cy=")" + cy +
        R"("/></a:xfrm><a:prstGeom prst="rect"><a:avLst/></a:prstGeom></pic:spPr></pic:pic>)"
        R"(</a:graphicData></a:graphic></wp:inline></w:drawing>)";
}

std::string stylesPart() {
    std::string out(xmlDeclaration);
    appendLines(out, stylesStart);
    for (int level = 1; level <= 5; ++level) {
        const std::string n = std::to_string(level);
        const ParagraphLayout& style = kHeadingLayouts[level - 1];
        out +=
            R"(<w:style w:type="paragraph" w:styleId="Heading)" + n +
            R"("><w:name w:val="heading )" + n +
            R"("/><w:basedOn w:val="Normal"/><w:next w:val="Normal"/><w:uiPriority w:val="9"/><w:qFormat/>)"
            R"(<w:pPr><w:keepNext/><w:keepLines/><w:spacing w:before=")" +
            std::to_string(style.before) + R"(" w:after=")" + std::to_string(style.after) +
            R"(" w:line=")" + std::to_string(lineHeight(style.size)) +
            R"(" w:lineRule="atLeast"/><w:outlineLvl w:val=")" + std::to_string(level - 1) +
            R"("/></w:pPr><w:rPr><w:rFonts w:ascii="Times New Normal" w:hAnsi="Times New Normal" w:cs="Times New Normal"/><w:b/><w:sz w:val=")" +
            std::to_string(style.size) + R"("/><w:szCs w:val=")" + std::to_string(style.size) +
            "\"/></w:rPr></w:style>\n";
    }
    appendLines(out, stylesEnd);
    for (int level = 1; level <= 5; ++level) {
        const std::string n = std::to_string(level);
        out +=
            R"(<w:style w:type="paragraph" w:styleId="TOC)" + n + R"("><w:name w:val="toc )" + n +
            R"("/><w:basedOn w:val="Normal"/><w:next w:val="Normal"/><w:uiPriority w:val="39"/>)";
        out += tocStyleEnd;
        out +=
            R"(<w:ind w:left=")" + std::to_string(240 * (level - 1)) + "\"/></w:pPr></w:style>\n";
    }
    appendLines(out, stylesTail);
    return out;
}

std::string settingsPart() {
    std::string out(xmlDeclaration);
    appendLines(out, settingsLines);
    return out;
}

std::string numberingPart(int64_t numberedLists) {
    std::string out(xmlDeclaration);
    appendLines(out, numberingStart);
    for (int64_t k = 0; k < numberedLists; ++k) {
        out +=
            R"(<w:num w:numId=")" + std::to_string(Document::kFirstNumberedList + k) +
            R"("><w:abstractNumId w:val="1"/><w:lvlOverride w:ilvl="0"><w:startOverride w:val="1"/></w:lvlOverride></w:num>)" +
            "\n";
    }
    out += "</w:numbering>\n";
    return out;
}

std::string headerPart(const Identity& id, int64_t logoId) {
    std::string out(xmlDeclaration);
    out += "<w:hdr ";
    out += kNamespaces;
    out += ">\n";
    appendLines(out, headerTableStart);
    // Logo, program and version; Report: with the model; Model Id:; Sign:.
    rowStart(out, 370);
    cellStart(out, 0, Merge::Restart);
    out += R"(<w:p><w:pPr><w:pStyle w:val="Header"/><w:jc w:val="center"/></w:pPr><w:r>)";
    appendInlinePicture(out, logoId, "rId1", "Logo", logoExtent);
    out += "</w:r></w:p>\n";
    headerParagraph(out, id.program, 28, true);
    headerParagraph(out, id.version, 0, true);
    out += "</w:tc>\n";
    cellStart(out, 1, Merge::Restart);
    headerParagraph(out, "Report:");
    headerParagraph(out, id.modelName, 20);
    out += "</w:tc>\n";
    labelCell(out, 2, "Model Id:", id.modelName);
    labelCell(out, 3, "Sign:", id.modelSign);
    out += "</w:tr>\n";
    rowStart(out, 410);
    mergedCell(out, 0);
    mergedCell(out, 1);
    labelCell(out, 2, "Description:", id.modelDescription);
    labelCell(out, 3, "Date:", id.modelDate);
    out += "</w:tr>\n";
    rowStart(out, 452);
    mergedCell(out, 0);
    mergedCell(out, 1);
    labelCell(out, 2, "Model file name:", id.modelFile);
    labelCell(out, 3, "Last saved:", id.date + "  " + id.time);
    out += "</w:tr>\n";
    appendLines(out, headerTableEnd);
    return out;
}

std::string footerPart(const Identity& id) {
    std::string out(xmlDeclaration);
    out += "<w:ftr ";
    out += kNamespaces;
    out += ">\n";
    out += R"(<w:p><w:pPr><w:pStyle w:val="Footer"/></w:pPr>)"
           "\n<w:r><w:t>";
    appendXmlText(out, id.date + " " + id.time);
    out += "</w:t></w:r><w:r><w:tab/></w:r><w:r><w:t>";
    appendXmlText(out, id.maker);
    out += R"(</w:t></w:r><w:r><w:tab/></w:r><w:r><w:t xml:space="preserve">Page </w:t></w:r>)"
           "\n";
    appendField(out, "PAGE", "1");
    out += R"(<w:r><w:t xml:space="preserve"> of </w:t></w:r>)";
    appendField(out, "NUMPAGES", "1");
    out += "\n</w:p>\n</w:ftr>\n";
    return out;
}

Document::Document(const std::string& fileName) : package_(fileName) {
    package_.beginPart("word/document.xml", true);
}

std::unique_ptr<markup::Output::Sink> Document::sink() {
    return std::make_unique<BodySink>(*this);
}

std::string_view Document::bodyEnd() {
    return bodyEndMarkup;
}

std::string Document::addPicture(std::string bytes, const Picture& picture) {
    media_.push_back(Media{std::move(bytes), picture.extension});
    return "rId" + std::to_string(kFirstPictureRelation - 1 + static_cast<int64_t>(media_.size()));
}

bool Document::addContentsEntry(int style, std::string_view text, const std::string& bookmark) {
    if (failed_) {
        return false;
    }
    if (!spool_) {
        spool_.reset(std::tmpfile());
        if (!spool_) {
            failed_ = true;
            return false;
        }
    }
    std::string markup = R"(<w:p><w:pPr><w:pStyle w:val="TOC)" + std::to_string(style);
    markup += entryLink;
    markup::appendXmlAttribute(markup, bookmark);
    markup += entryText;
    appendXmlText(markup, text);
    markup += entryPage;
    appendXmlText(markup, bookmark);
    markup += entryPageShown;
    bookmarks_.emplace(bookmark, static_cast<int64_t>(entries_.size()));
    entries_.push_back(Entry{std::move(markup), spooled_});
    pages_.push_back(0);
    return true;
}

int64_t Document::contentsSlot(const std::string& bookmark) const {
    const auto found = bookmarks_.find(bookmark);
    return found != bookmarks_.end() ? found->second : -1;
}

bool Document::writeBody(const char* data, size_t size) {
    if (failed_) {
        return false;
    }
    if (!spool_) {
        return package_.write(std::string_view(data, size));
    }
    if (std::fwrite(data, 1, size, spool_.get()) != size) {
        failed_ = true;
        return false;
    }
    spooled_ += static_cast<int64_t>(size);
    return true;
}

bool Document::copySpool(int64_t bytes, std::vector<char>& chunk) {
    while (bytes > 0 && !failed_) {
        const size_t want = static_cast<size_t>(std::min<int64_t>(bytes, chunk.size()));
        if (std::fread(chunk.data(), 1, want, spool_.get()) != want) {
            failed_ = true;
        } else if (!package_.write(std::string_view(chunk.data(), want))) {
            return false;
        }
        bytes -= static_cast<int64_t>(want);
    }
    return !failed_;
}

bool Document::endBody() {
    if (spool_) {
        layout_.finish();
        if (std::fflush(spool_.get()) != 0 || std::fseek(spool_.get(), 0, SEEK_SET) != 0) {
            failed_ = true;
        }
        std::vector<char> chunk(size_t{64} << 10);
        int64_t at = 0;
        for (size_t k = 0; k < entries_.size() && !failed_; ++k) {
            copySpool(entries_[k].offset - at, chunk);
            at = entries_[k].offset;
            std::string entry = std::move(entries_[k].markup);
            if (pages_[k] > 0) {
                entry += std::to_string(pages_[k]);
            }
            entry += entryEnd;
            package_.write(entry);
        }
        copySpool(spooled_ - at, chunk);
        spool_.reset();
        entries_.clear();
    }
    return package_.endPart() && !failed_;
}

bool Document::close(const Identity& identity, int64_t logoId) {
    if (package_.closed()) {
        return package_.close();
    }
    package_.endPart();
    std::vector<package::Relationship> bodyRelations = {
        {"rId1", stylesRelation, "styles.xml"},       {"rId2", settingsRelation, "settings.xml"},
        {"rId3", numberingRelation, "numbering.xml"}, {"rId4", headerRelation, "header1.xml"},
        {"rId5", footerRelation, "footer1.xml"},
    };
    std::vector<package::PartType> types = {
        {"word/document.xml", documentContent},
        {"word/styles.xml", stylesContent},
        {"word/settings.xml", settingsContent},
        {"word/numbering.xml", numberingContent},
        {"word/header1.xml", headerContent},
        {"word/footer1.xml", footerContent},
        {"docProps/core.xml", package::type::corePropertiesContent},
        {"docProps/app.xml", package::type::extendedPropertiesContent},
        {"word/media/logo.png", "image/png"},
    };
    for (size_t k = 0; k < media_.size(); ++k) {
        const std::string name =
            "media/image" + std::to_string(k + 1) + "." + std::string(media_[k].extension);
        bodyRelations.push_back(
            {"rId" + std::to_string(kFirstPictureRelation + static_cast<int64_t>(k)), imageRelation,
             name});
        types.push_back(
            {"word/" + name, media_[k].extension == "png" ? "image/png" : "image/jpeg"});
        package_.addPart("word/" + name, media_[k].bytes);
        media_[k].bytes = std::string();
    }
    package_.addPart(
        "word/media/logo.png",
        std::string_view(reinterpret_cast<const char*>(markup::logoPng), markup::logoPngSize));
    package_.addPart("word/styles.xml", stylesPart());
    package_.addPart("word/settings.xml", settingsPart());
    package_.addPart("word/numbering.xml", numberingPart(numberedLists_));
    package_.addPart("word/header1.xml", headerPart(identity, logoId));
    package_.addPart("word/_rels/header1.xml.rels",
                     package::relationships({{"rId1", imageRelation, "media/logo.png"}}));
    package_.addPart("word/footer1.xml", footerPart(identity));
    package_.addPart("word/_rels/document.xml.rels", package::relationships(bodyRelations));
    std::string creator;
    std::string title;
    appendXmlText(creator, identity.program);
    appendXmlText(title, identity.modelName);
    package_.addPart("docProps/core.xml", package::coreProperties(creator, title));
    package_.addPart("docProps/app.xml", package::appProperties("mfreport"));
    package_.addPart(
        "_rels/.rels",
        package::relationships({{"rId1", package::type::officeDocument, "word/document.xml"},
                                {"rId2", package::type::coreProperties, "docProps/core.xml"},
                                {"rId3", package::type::extendedProperties, "docProps/app.xml"}}));
    package_.addPart("[Content_Types].xml", package::contentTypes(types));
    return package_.close();
}

} // namespace mfreport::docx
