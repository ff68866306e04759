#include "mfreport/xmlwp/mfTableXmlWP.h"

#include <string_view>

#include "mfreport/device/number_format.h"
#include "mfreport/markup/record_protocol.h"
#include "mfreport/markup/word_markup.h"
#include "mfreport/platform/mfStr.h"
#include "mfreport/xmlwp/mfXmlWPDevice.h"
#include "mfreport/xmlwp/wp_markup.h"

namespace {

using mfreport::markup::appendXmlAttribute;
using mfreport::markup::appendXmlText;
using mfreport::markup::ColumnText;
using mfreport::markup::Folding;
using mfreport::markup::Output;
using mfreport::markup::Text;
using mfreport::markup::XmlText;

// Every table states its cell margins (108 twips left and right, the usual
// default of word processors): readers that take no margin from the table
// style otherwise run neighbouring values together.
constexpr std::string_view tableStart[] = {
    R"(<w:tbl>)",
    R"( <w:tblPr>)",
    R"(  <w:tblStyle w:val="TableGrid"/>)",
    R"(  <w:tblW w:w="0" w:type="auto"/>)",
    R"(  <w:tblCellMar>)",
    R"(   <w:left w:w="108" w:type="dxa"/>)",
    R"(   <w:right w:w="108" w:type="dxa"/>)",
    R"(  </w:tblCellMar>)",
    R"(  <w:tblLook w:val="01E0"/>)",
    R"( </w:tblPr>)",
    R"( <w:tblGrid>)",
};
constexpr std::string_view headRowStart[] = {
    R"( </w:tblGrid>)",
    R"( <w:tr>)",
    R"(   <w:trPr><w:tblHeader w:val="on"/></w:trPr>)",
};
constexpr std::string_view headRowFold[] = {
    R"( </w:tr>)",
    R"( <w:tr>)",
    R"(  <w:trPr><w:tblHeader w:val="on"/></w:trPr>)",
};
constexpr std::string_view headFillerCell[] = {
    R"(   <w:tc>)",
    R"(     <w:p><w:r><w:t> </w:t></w:r></w:p>)",
    R"(   </w:tc>)",
};
constexpr std::string_view headCellStart[] = {
    R"(   <w:tc>)",
    R"(     <w:p>)",
    R"(      <w:pPr><w:jc w:val="center"/></w:pPr>)",
    R"(        <w:r><w:rPr><w:b w:val="on"/></w:rPr>)",
};
constexpr std::string_view headCellEnd[] = {
    R"(     </w:p>)",
    R"(   </w:tc>)",
};
constexpr std::string_view headRowEnd = R"( </w:tr>)";

constexpr std::string_view cellEnd = "</w:p></w:tc>\n";
constexpr std::string_view numberEnd = "</w:t></w:r></w:p></w:tc>\n";

// "  <w:tc><w:p>" and the paragraph alignment of a cell of the column.
// Cells carry no shading: with any cell properties present, word processors
// that import this format draw the table style's borders, which the style
// sheet leaves without a size, as heavy black bars around every cell.
void openCell(std::string& cell, const mfTableColumn& column) {
    cell += "  <w:tc><w:p>";
    cell += mfreport::markup::word::alignment(column);
}

// Bookmark, numbered heading, notes, grid and the repeated head row, folded
// like the records; the grid holds the cells of one output row.
void writeHead(mfTable& table, Output& out, const Folding& folding) {
    mfTableHeader& header = table.header();
    out.line("<wx:sub-section>");
    mfreport::xmlwp::writeBookmark(out, header.name());
    table.device()->addHeading(header.description(), header.heading_level());
    List<std::string> notes;
    header.getNotes(notes);
    table.device()->addList(Vector<std::string>(notes.begin(), notes.end()), 1);

    out.lines(tableStart);
    for (size_t i = 0; i < table.column_size() && (i == 0 || !folding.foldsBefore(i)); ++i) {
        out.line(R"(  <w:gridCol w:w=")", mfreport::markup::word::gridWidth(*table.column_at(i)),
                 R"("/>)");
    }
    out.lines(headRowStart);
    folding.walk(
        table.column_size(), [&] { out.lines(headRowFold); },
        [&](int) { out.lines(headFillerCell); },
        [&](int index) {
            const mfTableColumn& column = *table.column_at(static_cast<size_t>(index));
            out.lines(headCellStart);
            out.line("         <w:t>", XmlText{column.name()}, "</w:t></w:r>");
            if (!column.unit().empty()) {
                out.line("        <w:br/><w:r><w:t> [", XmlText{column.unit()}, "] </w:t></w:r>");
            }
            out.lines(headCellEnd);
        });
    out.line(headRowEnd);
}

void appendBlankCell(std::string& row, mfTable&, int) {
    row += "  <w:tc><w:p><w:r><w:t> </w:t></w:r></w:p></w:tc>\n";
}

void prepareColumn(mfTable& table, int index, ColumnText& text) {
    std::string start;
    openCell(start, *table.column_at(static_cast<size_t>(index)));
    text.textStart = start;
    start += "<w:r><w:t>";
    text.integerStart = start;
    text.realStart = start;
}

constexpr mfreport::markup::TableMarkup wordTable = {
    writeHead,
    "</w:tbl>\n</wx:sub-section>\n\n",
    " <w:tr>\n  <w:trPr><w:tblHeader w:val=\"off\"/></w:trPr>\n",
    " </w:tr>\n",
    " </w:tr>\n <w:tr>\n",
    appendBlankCell,
    true,
    prepareColumn,
};

} // namespace

mfTableXmlWP::mfTableXmlWP(const mfTableHeader& header, mfDevice* device)
    : mfMarkupTable(header, device, mfreport::markup::outputOf<mfXmlWPDevice>(device), wordTable) {}

bool mfTableXmlWP::insertValue(int column, const int& value, const std::string*) {
    return putIntegerCell(column, value, numberEnd);
}

bool mfTableXmlWP::insertValue(int column, const double& value, const std::string*) {
    return putNumberCell(column, value, numberEnd);
}

bool mfTableXmlWP::insertValue(int column, const std::string& value, const std::string* link) {
    return records().put(*this, column, [&](Text& out, const ColumnText& col) {
        std::string scratch;
        const std::string_view text = mfreport::markup::showBrackets(value, scratch);
        out += col.textStart;
        if (link != nullptr) {
            out += R"(<w:hlink w:bookmark=")";
            appendXmlAttribute(out, *link);
            out += R"(">)";
            out += R"(<w:r><w:rPr><w:rStyle w:val="Hyperlink" /></w:rPr><w:t>)";
            appendXmlText(out, text);
            out += "</w:t></w:r></w:hlink>";
        } else if (Vector<std::string> lines;
                   text.find_first_of("\r\n") != std::string_view::npos &&
                   mfStr::findLines(std::string(text), lines) > 1) {
            for (size_t i = 0; i < lines.size(); ++i) {
                out += i > 0 ? "<w:br/><w:r><w:t>" : "<w:r><w:t>";
                appendXmlText(out, lines[i]);
                out += "</w:t></w:r>";
            }
        } else {
            out += "<w:r><w:t>";
            appendXmlText(out, text);
            out += "</w:t></w:r>";
        }
        out += cellEnd;
    });
}
