#include "mfreport/xmlss/mfTableXmlSS.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "mfreport/device/number_format.h"
#include "mfreport/markup/markup_output.h"
#include "mfreport/markup/text_codec.h"
#include "mfreport/xmlss/mfXmlSSDevice.h"

namespace {

using mfreport::markup::appendXmlAttribute;
using mfreport::markup::appendXmlText;

constexpr std::string_view sheetOpen = R"(<Worksheet ss:Name=")";
constexpr std::string_view sheetOpenEnd = "\">\n";
constexpr std::string_view namesOpen = " <Names>\n";
constexpr std::string_view printTitles = R"(   <NamedRange ss:Name="Print_Titles" ss:RefersTo="=)";
constexpr std::string_view printTitlesEnd = "!R1\"/>\n";
constexpr std::string_view namesClose = " </Names>\n";
constexpr std::string_view tableOpen = " <Table>\n";
constexpr std::string_view columnWidth = R"(    <Column ss:Width=")";
constexpr std::string_view columnEnd = "\"/>\n";
constexpr std::string_view headRowOpen = "  <Row>\n";
constexpr std::string_view headCell =
    R"(    <Cell ss:StyleID="HeaderStyle"><Data ss:Type="String">)";
constexpr std::string_view headRowClose = "  </Row>\n";

constexpr std::string_view numberCell = R"(    <Cell><Data ss:Type="Number">)";
constexpr std::string_view stringCell = R"(    <Cell><Data ss:Type="String">)";
constexpr std::string_view styledCell = R"(    <Cell ss:StyleID=")";
constexpr std::string_view styledNumber = R"("><Data ss:Type="Number">)";
// The text variant leaves a blank before the data element.
constexpr std::string_view styledNumberText = R"("> <Data ss:Type="Number">)";
constexpr std::string_view cellEnd = "</Data></Cell>\n";
constexpr std::string_view emptyCell = "    <Cell><Data ss:Type=\"String\"> </Data></Cell>\n";

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

// A text cell's value as written: a word between angle brackets keeps its
// brackets as "&lt;" and "&gt;" around the word.
struct CellText {
    explicit CellText(const std::string& value)
        : body(value), bracketed(mfreport::markup::isBracketed(value)) {
        if (bracketed) {
            body = body.substr(1, body.size() - 2);
        }
    }
    void removeLeadingBlanks() {
        if (!bracketed) {
            body.remove_prefix(std::min(body.find_first_not_of(' '), body.size()));
        }
    }
    bool namesNonFinite() const {
        return body.find("Inf") != std::string_view::npos ||
               body.find("NaN") != std::string_view::npos;
    }
    void appendTo(std::string& out) const {
        out += bracketed ? "&lt;" : "";
        appendXmlText(out, body);
        out += bracketed ? "&gt;" : "";
    }

    std::string_view body;
    bool bracketed;
};

} // namespace

mfTableXmlSS::mfTableXmlSS(const mfTableHeader& header, mfDevice* device)
    : mfTable(header, device), xmlss_(dynamic_cast<mfXmlSSDevice*>(device)) {}

mfTableXmlSS::~mfTableXmlSS() = default;

bool mfTableXmlSS::healthy() const {
    return xmlss_ != nullptr && mfreport::markup::healthy(xmlss_->out());
}

bool mfTableXmlSS::begin_table() {
    if (xmlss_ != nullptr && xmlss_->isOpen(sheet_)) {
        end_table();
    }
    setSuspended(true);
    return healthy();
}

bool mfTableXmlSS::begin_table_suspended() {
    const std::string& name = header().name();
    text_.assign(sheetOpen);
    appendXmlAttribute(text_, name);
    text_ += sheetOpenEnd;
    text_ += namesOpen;
    text_ += printTitles;
    appendXmlAttribute(text_, name);
    text_ += printTitlesEnd;
    text_ += namesClose;
    text_ += tableOpen;
    for (const mfTableColumn& col : columns()) {
        text_ += columnWidth;
        mfreport::number::appendInt(text_, widthInPoints(col));
        text_ += columnEnd;
    }
    text_ += headRowOpen;
    for (const mfTableColumn& col : columns()) {
        text_ += headCell;
        appendXmlText(text_, col.header());
        text_ += cellEnd;
    }
    text_ += headRowClose;
    xmlss_->out() << text_;
    return healthy();
}

bool mfTableXmlSS::begin_record() {
    if (xmlss_ == nullptr) {
        return false;
    }
    cells_.clear();
    if (takeSuspended()) {
        sheet_ = xmlss_->openSheet();
        begin_table_suspended();
    }
    if (!xmlss_->isOpen(sheet_)) {
        return false;
    }
    // A record begun twice starts afresh in the row already open.
    if (!xmlss_->rowOpen()) {
        xmlss_->beginRow();
    }
    return mfreport::markup::finish(xmlss_->out());
}

bool mfTableXmlSS::insertValue(int column, const int& value, const std::string*) {
    if (!validColumn(column)) {
        return false;
    }
    std::string& cell = cells_.open(static_cast<size_t>(column));
    cell += numberCell;
    mfreport::number::appendInt(cell, value);
    cell += cellEnd;
    return true;
}

bool mfTableXmlSS::insertValue(int column, const double& value, const std::string*) {
    if (!validColumn(column)) {
        return false;
    }
    const mfTableColumn& col = columns()[static_cast<size_t>(column)];
    const double shown = col.displayValue(value);
    std::string& cell = cells_.open(static_cast<size_t>(column));
    if (std::isfinite(shown)) {
        cell += styledCell;
        appendStyle(cell, col);
        cell += styledNumber;
    } else {
        cell += stringCell;
    }
    mfreport::number::appendDouble(cell, shown, mfreport::number::Notation::Scientific, 16, true);
    cell += cellEnd;
    return true;
}

bool mfTableXmlSS::insertValue(int column, const std::string& value, const std::string*) {
    if (!validColumn(column)) {
        return false;
    }
    const mfTableColumn& col = columns()[static_cast<size_t>(column)];
    std::string& cell = cells_.open(static_cast<size_t>(column));
    CellText text(value);
    switch (col.type()) {
    case mfTableColumn::INTEGER: // the value as passed, without the bracket rule
        cell += numberCell;
        appendXmlText(cell, value);
        break;
    case mfTableColumn::REAL:
        text.removeLeadingBlanks();
        if (text.namesNonFinite()) {
            cell += stringCell;
        } else {
            cell += styledCell;
            appendStyle(cell, col);
            cell += styledNumberText;
        }
        text.appendTo(cell);
        break;
    default:
        cell += stringCell;
        text.appendTo(cell);
        break;
    }
    cell += cellEnd;
    return true;
}

bool mfTableXmlSS::end_record() {
    if (xmlss_ == nullptr) {
        return false;
    }
    if (!xmlss_->isOpen(sheet_) || !xmlss_->rowOpen()) {
        cells_.clear();
        return false;
    }
    text_.clear();
    for (size_t i = 0; i < column_size(); ++i) {
        const std::string* cell = cells_.cell(i);
        text_ += cell != nullptr ? std::string_view(*cell) : emptyCell;
    }
    xmlss_->out() << text_;
    xmlss_->endRow();
    cells_.clear();
    return mfreport::markup::finish(xmlss_->out());
}

bool mfTableXmlSS::end_table() {
    setSuspended(false);
    if (xmlss_ == nullptr) {
        return false;
    }
    if (xmlss_->isOpen(sheet_)) {
        if (xmlss_->rowOpen()) {
            end_record();
        }
        xmlss_->closeSheet();
    }
    sheet_ = 0;
    return mfreport::markup::finish(xmlss_->out());
}
