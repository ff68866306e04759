#include "mfreport/xmlwp/mfTableXmlWP.h"

#include <cmath>

#include "mfreport/device/number_format.h"
#include "mfreport/markup/markup_output.h"
#include "mfreport/markup/text_codec.h"
#include "mfreport/platform/mfStr.h"
#include "mfreport/xmlwp/mfXmlWPDevice.h"

namespace {

using mfreport::markup::appendXmlAttribute;
using mfreport::markup::appendXmlText;
using mfreport::markup::line;
using mfreport::markup::lines;

constexpr std::string_view bookmarkEnd =
    R"(<aml:annotation aml:id="0" w:type="Word.Bookmark.End"/>)";
constexpr std::string_view tableStart[] = {
    R"(<w:tbl>)",
    R"( <w:tblPr>)",
    R"(  <w:tblStyle w:val="TableGrid"/>)",
    R"(  <w:tblW w:w="0" w:type="auto"/><w:tblLook w:val="01E0"/>)",
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
constexpr std::string_view rowEnd = R"( </w:tr>)";
constexpr std::string_view recordStart[] = {
    R"( <w:tr>)",
    R"(  <w:trPr><w:tblHeader w:val="off"/></w:trPr>)",
};
constexpr std::string_view recordFold = " </w:tr>\n <w:tr>\n";
constexpr std::string_view recordEnd = " </w:tr>\n";
constexpr std::string_view tableEnd = "</w:tbl>\n</wx:sub-section>\n\n";
constexpr std::string_view blankRun = "<w:r><w:t> </w:t></w:r></w:p></w:tc>\n";
constexpr std::string_view cellEnd = "</w:p></w:tc>\n";

// Grid width in twentieths of a point: 6 points per width unit, 72 points
// for a column without a width.
int64_t gridWidth(const mfTableColumn& column) {
    const int64_t width = column.storedWidth();
    return 120 * (width > 0 ? width : 12);
}

} // namespace

mfTableXmlWP::mfTableXmlWP(const mfTableHeader& header, mfDevice* device)
    : mfTable(header, device), wp_(dynamic_cast<mfXmlWPDevice*>(device)) {}

mfTableXmlWP::~mfTableXmlWP() = default;

bool mfTableXmlWP::healthy() const {
    return wp_ != nullptr && mfreport::markup::healthy(wp_->out());
}

bool mfTableXmlWP::begin_table() {
    setSuspended(true);
    return healthy();
}

bool mfTableXmlWP::begin_table_suspended() {
    std::ofstream& out = wp_->out();
    line(out, "<wx:sub-section>");
    row_ = R"(<aml:annotation aml:id="0" w:type="Word.Bookmark.Start" w:name=")";
    appendXmlAttribute(row_, header().name());
    row_ += R"("/>)";
    line(out, row_);
    line(out, bookmarkEnd);
    wp_->addHeading(header().description(), header().heading_level());
    List<std::string> notes;
    header().getNotes(notes);
    wp_->addList(Vector<std::string>(notes.begin(), notes.end()), 1);

    // The grid holds the cells of one output row.
    lines(out, tableStart);
    for (size_t i = 0; i < column_size() && (i == 0 || !foldsBefore(static_cast<int64_t>(i)));
         ++i) {
        row_ = R"(  <w:gridCol w:w=")";
        mfreport::number::appendInt(row_, gridWidth(columns()[i]));
        row_ += R"("/>)";
        line(out, row_);
    }
    lines(out, headRowStart);
    forEachFoldedCell([&] { lines(out, headRowFold); }, [&](int) { lines(out, headFillerCell); },
                      [&](int index) {
                          const mfTableColumn& column = columns()[static_cast<size_t>(index)];
                          lines(out, headCellStart);
                          row_ = "         <w:t>";
                          appendXmlText(row_, column.name());
                          row_ += "</w:t></w:r>";
                          line(out, row_);
                          if (!column.unit().empty()) {
                              row_ = "        <w:br/><w:r><w:t> [";
                              appendXmlText(row_, column.unit());
                              row_ += "] </w:t></w:r>";
                              line(out, row_);
                          }
                          lines(out, headCellEnd);
                      });
    line(out, rowEnd);
    tableMarkup_ = wp_->openMarkup(std::string(tableEnd));
    return healthy();
}

bool mfTableXmlWP::begin_record() {
    if (wp_ == nullptr) {
        return false;
    }
    if (takeSuspended()) {
        begin_table_suspended();
    }
    wp_->closeMarkup(rowMarkup_);
    lines(wp_->out(), recordStart);
    rowMarkup_ = wp_->openMarkup(std::string(recordEnd));
    cells_.clear();
    return mfreport::markup::finish(wp_->out());
}

std::string& mfTableXmlWP::openCell(int column) {
    std::string& cell = cells_.open(static_cast<size_t>(column));
    cell += "  <w:tc>";
    appendBackgroundColorTag(cell, column);
    cell += "<w:p>";
    cell += adjustTag(column);
    return cell;
}

bool mfTableXmlWP::insertValue(int column, const int& value, const std::string*) {
    if (!validColumn(column)) {
        return false;
    }
    std::string& cell = openCell(column);
    cell += "<w:r><w:t>";
    mfreport::number::appendInt(cell, value);
    cell += "</w:t></w:r>";
    cell += cellEnd;
    return true;
}

bool mfTableXmlWP::insertValue(int column, const double& value, const std::string*) {
    if (!validColumn(column)) {
        return false;
    }
    const mfTableColumn& col = columns()[static_cast<size_t>(column)];
    std::string& cell = openCell(column);
    cell += "<w:r><w:t>";
    const double shown = col.displayValue(value);
    const size_t start = cell.size();
    if (std::fabs(shown) > 0.0) {
        appendColumnNumber(cell, col, shown);
    } else {
        cell += '0';
    }
    mfreport::number::padFront(cell, start, numberWidth(col));
    cell += "</w:t></w:r>";
    cell += cellEnd;
    return true;
}

bool mfTableXmlWP::insertValue(int column, const std::string& value, const std::string* link) {
    if (!validColumn(column)) {
        return false;
    }
    if (mfreport::markup::isBracketed(value)) {
        text_.assign("&lt;");
        text_.append(value, 1, value.size() - 2);
        text_ += "&gt;";
    } else {
        text_.assign(value);
    }
    std::string& cell = openCell(column);
    if (link != nullptr) {
        cell += R"(<w:hlink w:bookmark=")";
        appendXmlAttribute(cell, *link);
        cell += R"(">)";
        cell += R"(<w:r><w:rPr><w:rStyle w:val="Hyperlink" /></w:rPr><w:t>)";
        appendXmlText(cell, text_);
        cell += "</w:t></w:r></w:hlink>";
    } else if (text_.find_first_of("\r\n") != std::string::npos &&
               mfStr::findLines(text_, lines_) > 1) {
        for (size_t i = 0; i < lines_.size(); ++i) {
            cell += i > 0 ? "<w:br/><w:r><w:t>" : "<w:r><w:t>";
            appendXmlText(cell, lines_[i]);
            cell += "</w:t></w:r>";
        }
    } else {
        cell += "<w:r><w:t>";
        appendXmlText(cell, text_);
        cell += "</w:t></w:r>";
    }
    cell += cellEnd;
    return true;
}

bool mfTableXmlWP::end_record() {
    if (wp_ == nullptr) {
        return false;
    }
    row_.clear();
    forEachFoldedCell([&] { row_ += recordFold; },
                      [&](int column) { appendBlankCell(row_, column); },
                      [&](int column) {
                          if (const std::string* cell = cells_.cell(static_cast<size_t>(column))) {
                              row_ += *cell;
                          } else {
                              appendBlankCell(row_, column);
                          }
                      });
    if (wp_->isOpen(rowMarkup_)) {
        wp_->closeMarkup(rowMarkup_, row_);
    } else {
        lines(wp_->out(), recordStart);
        wp_->out() << row_ << recordEnd;
    }
    cells_.clear();
    return mfreport::markup::finish(wp_->out());
}

bool mfTableXmlWP::end_table() {
    if (wp_ == nullptr) {
        return false;
    }
    if (suspended()) {
        begin_record();
        insertValue(0, std::string("Empty table"), nullptr);
        end_record();
    }
    wp_->closeMarkup(rowMarkup_);
    wp_->closeMarkup(tableMarkup_);
    setSuspended(false);
    return mfreport::markup::finish(wp_->out());
}

// Cells carry no shading: with any cell properties present, word processors
// that import this format draw the table style's borders, which the style
// sheet leaves without a size, as heavy black bars around every cell.
void mfTableXmlWP::appendBackgroundColorTag(std::string&, int) const {}

std::string_view mfTableXmlWP::adjustTag(int column) const {
    switch (columns()[static_cast<size_t>(column)].adjust()) {
    case mfTableColumn::LEFT:
        return R"(<w:pPr><w:jc w:val="left"/></w:pPr>)";
    case mfTableColumn::RIGHT:
        return R"(<w:pPr><w:jc w:val="right"/></w:pPr>)";
    default:
        return R"(<w:pPr><w:jc w:val="center"/></w:pPr>)";
    }
}

void mfTableXmlWP::appendBlankCell(std::string& out, int column) const {
    out += "  <w:tc>";
    appendBackgroundColorTag(out, column);
    out += "<w:p>";
    out += blankRun;
}
