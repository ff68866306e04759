#include "mfreport/xmlss/mfTableXmlSS.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "mfreport/device/number_format.h"
#include "mfreport/markup/record_protocol.h"
#include "mfreport/markup/sheet_names.h"
#include "mfreport/xmlss/mfXmlSSDevice.h"

namespace {

using mfreport::markup::appendXmlText;
using mfreport::markup::ColumnText;
using mfreport::markup::Folding;
using mfreport::markup::Output;
using mfreport::markup::Text;
using mfreport::markup::XmlAttribute;
using mfreport::markup::XmlText;

constexpr std::string_view namesStart = " <Names>";
constexpr std::string_view namesEnd[] = {" </Names>", " <Table>"};
constexpr std::string_view headRowStart = "  <Row>";
constexpr std::string_view headRowEnd = "  </Row>";

constexpr std::string_view numberCell = R"(    <Cell><Data ss:Type="Number">)";
constexpr std::string_view stringCell = R"(    <Cell><Data ss:Type="String">)";
constexpr std::string_view styledCell = R"(    <Cell ss:StyleID=")";
constexpr std::string_view styledNumber = R"("><Data ss:Type="Number">)";
// The text variant leaves a blank before the data element.
constexpr std::string_view styledNumberText = R"("> <Data ss:Type="Number">)";
constexpr std::string_view cellEnd = "</Data></Cell>\n";

// Column widths in points: 6 per character, 12 characters for a column without a width.
constexpr int64_t pointsPerCharacter = 6;
constexpr int64_t defaultWidth = 12;

int64_t widthInPoints(const mfTableColumn& column) {
    const int64_t width = column.storedWidth();
    return pointsPerCharacter * (width > 0 ? width : defaultWidth);
}

// One of the style sheet's styles by the column's format and decimals.
void appendStyle(std::string& out, const mfTableColumn& column) {
    const int32_t decimals = column.storedDecimals();
    const bool styled = decimals >= 0 && decimals < 10;
    if (styled && column.format_type() == mfTableColumn::FIXED) {
        out += "FixedDecimal";
    } else if (styled && column.format_type() == mfTableColumn::SCIENTIFIC) {
        out += "ExponentDecimal";
    } else {
        out += "Default";
        return;
    }
    out += static_cast<char>('0' + decimals);
}

} // namespace

namespace mfreport::xmlss {

struct Worksheet {
    // Worksheet start under the sheet's next name, column widths and the head row.
    static void writeHead(mfTable& table, Output& out, const Folding&) {
        std::string name = table.header().name();
        if (auto* writer = dynamic_cast<mfTableXmlSS*>(&table);
            writer != nullptr && writer->sheetNames_ != nullptr) {
            name = writer->sheetNames_->add(name);
            writer->sheetStarted(writer->sheetNames_->size());
        }
        out.line(R"(<Worksheet ss:Name=")", XmlAttribute{name}, R"(">)");
        out.line(namesStart);
        out.line(R"(   <NamedRange ss:Name="Print_Titles" ss:RefersTo="=)",
                 XmlAttribute{mfreport::markup::printTitlesReference(name)}, R"("/>)");
        out.lines(namesEnd);
        for (auto column = table.column_begin(); column != table.column_end(); ++column) {
            out.line(R"(    <Column ss:Width=")", widthInPoints(*column), R"("/>)");
        }
        out.line(headRowStart);
        for (auto column = table.column_begin(); column != table.column_end(); ++column) {
            out.line(R"(    <Cell ss:StyleID="HeaderStyle"><Data ss:Type="String">)",
                     XmlText{column->header()}, "</Data></Cell>");
        }
        out.line(headRowEnd);
    }
};

} // namespace mfreport::xmlss

namespace {

void appendBlankCell(std::string& row, mfTable&, int) {
    row += stringCell;
    row += " ";
    row += cellEnd;
}

// Integers are unstyled number cells; a number takes the style of its
// column's format; a number written as text keeps a blank before its data.
void prepareColumn(mfTable& table, int index, ColumnText& text) {
    const mfTableColumn& column = *table.column_at(static_cast<size_t>(index));
    text.integerStart = numberCell;
    std::string start(styledCell);
    appendStyle(start, column);
    text.realStart = start + std::string(styledNumber);
    text.numberTextStart = column.type() == mfTableColumn::INTEGER
                               ? std::string(numberCell)
                               : start + std::string(styledNumberText);
    text.textStart = stringCell;
}

constexpr mfreport::markup::TableMarkup worksheet = {
    mfreport::xmlss::Worksheet::writeHead,
    "</Table>\n</Worksheet>\n\n",
    " <Row>\n",
    "  </Row>",
    "",
    appendBlankCell,
    false,
    prepareColumn,
};

// The number in scientific notation with 16 decimals and an upper-case "E".
constexpr int kDigits = 16;

} // namespace

mfTableXmlSS::mfTableXmlSS(const mfTableHeader& header, mfDevice* device)
    : mfWorksheetTable(header, device, mfreport::markup::outputOf<mfXmlSSDevice>(device),
                       worksheet) {
    if (auto* workbook = dynamic_cast<mfXmlSSDevice*>(device); workbook != nullptr) {
        sheetNames_ = workbook->sheetNames();
    }
}

size_t mfTableXmlSS::sheetsInWorkbook() const {
    return sheetNames_ != nullptr ? sheetNames_->size() : 0;
}

bool mfTableXmlSS::insertValue(int column, const int& value, const std::string*) {
    return putIntegerCell(column, value, cellEnd);
}

bool mfTableXmlSS::insertValue(int column, const double& value, const std::string*) {
    const auto cell = records().cell(*this, column);
    if (cell.out == nullptr) {
        return false;
    }
    Text& out = *cell.out;
    const ColumnText& col = *cell.column;
    const double shown = value * col.factor;
    char* p =
        out.room(col.realStart.room() + mfreport::number::doubleRoom(kDigits) + cellEnd.size());
    p = std::isfinite(shown) ? col.realStart.copyTo(p) : mfreport::markup::copy(p, stringCell);
    p = mfreport::number::writeDouble(p, shown, mfreport::number::Notation::Scientific, kDigits,
                                      true);
    out.commit(mfreport::markup::copy(p, cellEnd));
    return records().done(cell);
}

bool mfTableXmlSS::insertValue(int column, const std::string& value, const std::string*) {
    return records().put(*this, column, [&](Text& out, const ColumnText& col) {
        std::string scratch;
        std::string_view text = mfreport::markup::showBrackets(value, scratch);
        const bool numberColumn =
            col.type == mfTableColumn::INTEGER || col.type == mfTableColumn::REAL;
        if (numberColumn && mfreport::markup::isPlainNumber(value)) {
            // Without leading blanks: spreadsheet programs read " 7" as no number.
            text = value;
            text.remove_prefix(text.find_first_not_of(' '));
            out += col.numberTextStart;
        } else if (col.type == mfTableColumn::REAL &&
                   (text.find("Inf") != std::string_view::npos ||
                    text.find("NaN") != std::string_view::npos)) {
            text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
            out += stringCell;
        } else { // text, and text that is no plain number
            out += stringCell;
        }
        appendXmlText(out, text);
        out += cellEnd;
    });
}
