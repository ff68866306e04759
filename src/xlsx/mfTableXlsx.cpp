#include "mfreport/xlsx/mfTableXlsx.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "mfreport/device/number_format.h"
#include "mfreport/markup/record_protocol.h"
#include "mfreport/markup/sheet_names.h"
#include "mfreport/xlsx/mfXlsxDevice.h"
#include "mfreport/xlsx/workbook.h"

namespace {

using mfreport::markup::appendXmlText;
using mfreport::markup::ColumnText;
using mfreport::markup::Folding;
using mfreport::markup::Output;
using mfreport::markup::Text;
using mfreport::markup::XmlText;

constexpr std::string_view worksheetStart[] = {
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)",
    R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")"
    R"( xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)",
    R"(<sheetViews><sheetView workbookViewId="0">)",
    R"(<pane ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen"/>)",
    R"(<selection pane="bottomLeft" activeCell="A2" sqref="A2"/>)",
    R"(</sheetView></sheetViews>)",
    R"(<sheetFormatPr defaultRowHeight="15"/>)",
};
constexpr std::string_view headCellStart = R"(<c s="1" t="inlineStr"><is><t>)";
constexpr std::string_view headCellEnd = "</t></is></c>";

constexpr std::string_view numberCell = "<c><v>";
constexpr std::string_view numberEnd = "</v></c>";
constexpr std::string_view textCell = R"(<c t="inlineStr"><is><t>)";
constexpr std::string_view spacedTextCell = R"(<c t="inlineStr"><is><t xml:space="preserve">)";
constexpr std::string_view textEnd = "</t></is></c>";

// Column widths in characters: 12 for a column without a width; a
// spreadsheet takes at most 255.
constexpr int64_t defaultWidth = 12;
constexpr int64_t widestColumn = 255;

int64_t widthOf(const mfTableColumn& column) {
    const int64_t width = column.storedWidth();
    return std::min(width > 0 ? width : defaultWidth, widestColumn);
}

// The cell format of a number by the column's format and decimals: 2 + n for
// fixed, 12 + n for exponent notation with n decimals, 0 (general) otherwise.
int styleOf(const mfTableColumn& column) {
    const int32_t decimals = column.storedDecimals();
    if (decimals < 0 || decimals >= 10) {
        return 0;
    }
    switch (column.format_type()) {
    case mfTableColumn::FIXED:
        return 2 + decimals;
    case mfTableColumn::SCIENTIFIC:
        return 12 + decimals;
    default:
        return 0;
    }
}

std::string styledNumberCell(const mfTableColumn& column) {
    const int style = styleOf(column);
    return style == 0 ? std::string(numberCell) : R"(<c s=")" + std::to_string(style) + R"("><v>)";
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

namespace mfreport::xlsx {

struct Worksheet {
    // The worksheet part under the sheet's next name: view with the head row
    // frozen, column widths and the head row.
    static void writeHead(mfTable& table, Output& out, const Folding&) {
        auto* writer = dynamic_cast<mfTableXlsx*>(&table);
        if (writer == nullptr || writer->workbook_ == nullptr) {
            return;
        }
        // What is buffered belongs to the worksheet before.
        out.finish();
        writer->sheetStarted(
            writer->workbook_->beginSheet(table.header().name(), table.column_size()));
        out.lines(worksheetStart);
        const int64_t columns = std::min(static_cast<int64_t>(table.column_size()), kSheetColumns);
        if (columns > 0) {
            out.line("<cols>");
            for (int64_t k = 1; k <= columns; ++k) {
                out.line(R"(<col min=")", k, R"(" max=")", k, R"(" width=")",
                         widthOf(*table.column_at(static_cast<size_t>(k - 1))),
                         R"(" customWidth="1"/>)");
            }
            out.line("</cols>");
        }
        out.line("<sheetData>");
        out.put("<row>");
        for (auto column = table.column_begin(); column != table.column_end(); ++column) {
            out.line(headCellStart, XmlText{column->header()}, headCellEnd);
        }
        out.line("</row>");
    }
};

} // namespace mfreport::xlsx

namespace {

void appendBlankCell(std::string& row, mfTable&, int) {
    row += "<c/>";
}

void prepareColumn(mfTable& table, int index, ColumnText& text) {
    const mfTableColumn& column = *table.column_at(static_cast<size_t>(index));
    text.integerStart = numberCell;
    text.realStart = styledNumberCell(column);
    text.numberTextStart = column.type() == mfTableColumn::INTEGER ? std::string(numberCell)
                                                                   : styledNumberCell(column);
    text.textStart = textCell;
}

constexpr mfreport::markup::TableMarkup worksheet = {
    mfreport::xlsx::Worksheet::writeHead,
    "</sheetData>\n",
    "<row>",
    "</row>\n",
    "",
    appendBlankCell,
    false,
    prepareColumn,
};

// Not-a-number and the infinities as the SpreadsheetML workbook shows them.
constexpr int kDigits = 16;

std::shared_ptr<mfreport::xlsx::Workbook> workbookOf(mfDevice* device) {
    auto* xlsx = dynamic_cast<mfXlsxDevice*>(device);
    return xlsx != nullptr ? xlsx->workbook() : nullptr;
}

} // namespace

mfTableXlsx::mfTableXlsx(const mfTableHeader& header, mfDevice* device)
    : mfWorksheetTable(header, device, mfreport::markup::outputOf<mfXlsxDevice>(device), worksheet),
      workbook_(workbookOf(device)) {}

size_t mfTableXlsx::sheetsInWorkbook() const {
    return workbook_ != nullptr ? workbook_->sheets() : 0;
}

void mfTableXlsx::recordWritten(size_t sheet, int64_t records) {
    if (workbook_ != nullptr) {
        workbook_->setRecords(sheet, records);
    }
}

bool mfTableXlsx::insertValue(int column, const int& value, const std::string*) {
    return putIntegerCell(column, value, numberEnd);
}

bool mfTableXlsx::insertValue(int column, const double& value, const std::string*) {
    const auto cell = records().cell(*this, column);
    if (cell.out == nullptr) {
        return false;
    }
    Text& out = *cell.out;
    const ColumnText& col = *cell.column;
    const double shown = value * col.factor;
    if (std::isfinite(shown)) {
        char* p =
            out.room(col.realStart.room() + mfreport::number::kShortestRoom + numberEnd.size());
        p = col.realStart.copyTo(p);
        p = mfreport::number::writeShortest(p, shown);
        out.commit(mfreport::markup::copy(p, numberEnd));
    } else {
        char* p =
            out.room(textCell.size() + mfreport::number::doubleRoom(kDigits) + textEnd.size());
        p = mfreport::markup::copy(p, textCell);
        p = mfreport::number::writeDouble(p, shown, mfreport::number::Notation::Scientific, kDigits,
                                          true);
        out.commit(mfreport::markup::copy(p, textEnd));
    }
    return records().done(cell);
}

bool mfTableXlsx::insertValue(int column, const std::string& value, const std::string*) {
    return records().put(*this, column, [&](Text& out, const ColumnText& col) {
        std::string scratch;
        std::string_view text = mfreport::markup::showBrackets(value, scratch);
        const bool numberColumn =
            col.type == mfTableColumn::INTEGER || col.type == mfTableColumn::REAL;
        if (numberColumn && mfreport::markup::isPlainNumber(value)) {
            // Without the blanks around it: a number cell holds the number alone.
            text = value;
            text.remove_prefix(text.find_first_not_of(' '));
            text = text.substr(0, text.find_last_not_of(' ') + 1);
            out += col.numberTextStart;
            out += text;
            out += numberEnd;
            return;
        }
        if (col.type == mfTableColumn::REAL && (text.find("Inf") != std::string_view::npos ||
                                                text.find("NaN") != std::string_view::npos)) {
            text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
        }
        const bool spaced = !text.empty() && (isBlank(text.front()) || isBlank(text.back()));
        out += spaced ? spacedTextCell : textCell;
        appendXmlText(out, text);
        out += textEnd;
    });
}
