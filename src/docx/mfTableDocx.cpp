#include "mfreport/docx/mfTableDocx.h"

#include <algorithm>
#include <string_view>

#include "mfreport/docx/mfDocxDevice.h"
#include "mfreport/docx/pages.h"
#include "mfreport/markup/record_protocol.h"
#include "mfreport/markup/word_markup.h"
#include "mfreport/platform/mfStr.h"

namespace {

using mfreport::markup::appendXmlAttribute;
using mfreport::markup::appendXmlText;
using mfreport::markup::ColumnText;
using mfreport::markup::Folding;
using mfreport::markup::Output;
using mfreport::markup::Text;
using mfreport::markup::XmlText;

constexpr std::string_view tableStart[] = {
    R"(<w:tbl>)",
    R"(<w:tblPr><w:tblStyle w:val="TableGrid"/><w:tblW w:w="0" w:type="auto"/><w:tblLayout w:type="fixed"/><w:tblCellMar><w:left w:w="108" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar><w:tblLook w:val="04A0"/></w:tblPr>)",
    R"(<w:tblGrid>)",
};
constexpr std::string_view headRowStart[] = {
    R"(</w:tblGrid>)",
    R"(<w:tr><w:trPr><w:cantSplit/><w:tblHeader/></w:trPr>)",
};
constexpr std::string_view headRowFold[] = {
    R"(</w:tr>)",
    R"(<w:tr><w:trPr><w:cantSplit/><w:tblHeader/></w:trPr>)",
};
// The head row is grey, its names bold and centred.
constexpr std::string_view headCellStart =
    R"(<w:tc><w:tcPr><w:shd w:val="clear" w:color="auto" w:fill="D9D9D9"/></w:tcPr><w:p><w:pPr><w:keepNext/><w:jc w:val="center"/></w:pPr><w:r><w:rPr><w:b/></w:rPr><w:t xml:space="preserve">)";
constexpr std::string_view headUnitStart = R"(</w:t></w:r><w:r><w:br/><w:t xml:space="preserve">[)";
constexpr std::string_view headUnitEnd = "]";
constexpr std::string_view headCellEnd = "</w:t></w:r></w:p></w:tc>";
constexpr std::string_view headFillerCell =
    R"(<w:tc><w:tcPr><w:shd w:val="clear" w:color="auto" w:fill="D9D9D9"/></w:tcPr><w:p/></w:tc>)";
constexpr std::string_view headRowEnd = R"(</w:tr>)";

// The height of a row of one line: the line, its paragraph's spacing after
// and the border.
constexpr int64_t cellLine = mfreport::docx::lineHeight(16);
constexpr int64_t rowHeight = cellLine + 60 + 10;

constexpr std::string_view textRun = R"(<w:r><w:t xml:space="preserve">)";
constexpr std::string_view cellEnd = "</w:p></w:tc>\n";
constexpr std::string_view numberEnd = "</w:t></w:r></w:p></w:tc>\n";

bool isColour(const std::string& colour) {
    if (colour.size() != 6 || colour == "FFFFFF") {
        return false;
    }
    for (char c : colour) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!hex) {
            return false;
        }
    }
    return true;
}

// "<w:tc>" with the shading of the column's colour, or the table's when the
// column has none of its own.
void openCell(std::string& cell, mfTable& table, int index) {
    const mfTableColumn* column = table.column_at(static_cast<size_t>(index));
    const std::string& own =
        column != nullptr ? column->backgroundColor() : table.backgroundColor();
    const std::string& colour = isColour(own) ? own : table.backgroundColor();
    cell += "<w:tc>";
    if (isColour(colour)) {
        cell += R"(<w:tcPr><w:shd w:val="clear" w:color="auto" w:fill=")";
        cell += colour;
        cell += R"("/></w:tcPr>)";
    }
}

void writeHead(mfTable& table, Output& out, const Folding& folding) {
    mfTableHeader& header = table.header();
    auto* device = dynamic_cast<mfDocxDevice*>(table.device());
    if (device != nullptr) {
        device->addAnchoredHeading(header.description(), header.heading_level(), header.name());
        List<std::string> notes;
        header.getNotes(notes);
        device->addList(Vector<std::string>(notes.begin(), notes.end()), 1);
    }
    out.lines(tableStart);
    for (size_t i = 0; i < table.column_size() && (i == 0 || !folding.foldsBefore(i)); ++i) {
        out.line(R"(<w:gridCol w:w=")", mfreport::markup::word::gridWidth(*table.column_at(i)),
                 R"("/>)");
    }
    out.lines(headRowStart);
    // The head's height: a row of names, a line more where a unit shows.
    int64_t rows = 1;
    int64_t height = 0;
    bool unit = false;
    const auto endRow = [&] { height += rowHeight + (unit ? cellLine : 0); };
    folding.walk(
        table.column_size(),
        [&] {
            out.lines(headRowFold);
            endRow();
            ++rows;
            unit = false;
        },
        [&](int) { out.line(headFillerCell); },
        [&](int index) {
            const mfTableColumn& column = *table.column_at(static_cast<size_t>(index));
            unit = unit || !column.unit().empty();
            if (column.unit().empty()) {
                out.line(headCellStart, XmlText{column.name()}, headCellEnd);
            } else {
                out.line(headCellStart, XmlText{column.name()}, headUnitStart,
                         XmlText{column.unit()}, headUnitEnd, headCellEnd);
            }
        });
    out.line(headRowEnd);
    endRow();
    if (device != nullptr) {
        device->layout().tableHead(height);
        // Only a docx table has this head.
        static_cast<mfTableDocx&>(table).setRecordRows(rows);
    }
}

void appendBlankCell(std::string& row, mfTable& table, int column) {
    openCell(row, table, column);
    row += "<w:p/></w:tc>\n";
}

void prepareColumn(mfTable& table, int index, ColumnText& text) {
    std::string start;
    openCell(start, table, index);
    start += "<w:p>";
    start += mfreport::markup::word::alignment(*table.column_at(static_cast<size_t>(index)));
    text.textStart = start;
    start += textRun;
    text.integerStart = start;
    text.realStart = start;
}

constexpr mfreport::markup::TableMarkup wordTable = {
    writeHead,
    "</w:tbl>\n<w:p/>\n",
    "<w:tr><w:trPr><w:cantSplit/></w:trPr>\n",
    "</w:tr>\n",
    "</w:tr>\n<w:tr><w:trPr><w:cantSplit/></w:trPr>\n",
    appendBlankCell,
    true,
    prepareColumn,
};

} // namespace

mfTableDocx::mfTableDocx(const mfTableHeader& header, mfDevice* device)
    : mfMarkupTable(header, device, mfreport::markup::outputOf<mfDocxDevice>(device), wordTable) {}

bool mfTableDocx::insertValue(int column, const int& value, const std::string*) {
    return putIntegerCell(column, value, numberEnd);
}

bool mfTableDocx::insertValue(int column, const double& value, const std::string*) {
    return putNumberCell(column, value, numberEnd);
}

bool mfTableDocx::begin_record() {
    const bool written = mfMarkupTable::begin_record();
    inRecord_ = true;
    recordLines_ = 1;
    return written;
}

bool mfTableDocx::end_record() {
    const bool written = mfMarkupTable::end_record();
    if (written) {
        countRecord();
    }
    return written;
}

bool mfTableDocx::end_table() {
    const bool record = inRecord_;
    const bool written = mfMarkupTable::end_table();
    if (written && record) {
        countRecord();
    }
    return written;
}

void mfTableDocx::countRecord() {
    if (inRecord_) {
        if (auto* device = dynamic_cast<mfDocxDevice*>(this->device())) {
            device->layout().tableRow(recordRows_ * rowHeight + (recordLines_ - 1) * cellLine);
        }
    }
    inRecord_ = false;
}

bool mfTableDocx::insertValue(int column, const std::string& value, const std::string* link) {
    return records().put(*this, column, [&](Text& out, const ColumnText& col) {
        std::string scratch;
        const std::string_view text = mfreport::markup::showBrackets(value, scratch);
        out += col.textStart;
        if (link != nullptr) {
            out += R"(<w:hyperlink w:anchor=")";
            appendXmlAttribute(out, *link);
            out +=
                R"(" w:history="1"><w:r><w:rPr><w:rStyle w:val="Hyperlink"/></w:rPr><w:t xml:space="preserve">)";
            appendXmlText(out, text);
            out += "</w:t></w:r></w:hyperlink>";
        } else if (Vector<std::string> lines;
                   text.find_first_of("\r\n") != std::string_view::npos &&
                   mfStr::findLines(std::string(text), lines) > 1) {
            recordLines_ = std::max(recordLines_, static_cast<int64_t>(lines.size()));
            out += textRun;
            for (size_t i = 0; i < lines.size(); ++i) {
                if (i > 0) {
                    out += R"(</w:t><w:br/><w:t xml:space="preserve">)";
                }
                appendXmlText(out, lines[i]);
            }
            out += "</w:t></w:r>";
        } else {
            out += textRun;
            appendXmlText(out, text);
            out += "</w:t></w:r>";
        }
        out += cellEnd;
    });
}
