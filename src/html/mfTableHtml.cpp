#include "mfreport/html/mfTableHtml.h"

#include <cmath>

#include "mfreport/device/number_format.h"
#include "mfreport/html/mfHtmlDevice.h"
#include "mfreport/markup/markup_output.h"
#include "mfreport/markup/text_codec.h"

namespace {

constexpr std::string_view headOpen[] = {
    R"(<table border="0" cellspacing="1" cellpadding="2">)",
    R"(  <thead>)",
    R"(    <tr>)",
};
constexpr std::string_view headClose[] = {
    R"(    </tr> )",
    R"(   </thead>)",
    R"(  <tbody>)",
};
constexpr std::string_view tableClose[] = {
    R"(  </tbody>)",
    R"(</table> )",
};
constexpr std::string_view headFold[] = {
    R"(    </tr>)",
    R"(    <tr>)",
};
constexpr std::string_view recordFold = " </tr>\n <tr>\n";
constexpr std::string_view blankHeadCell = R"(      <th valign="top" align="left" >&nbsp;</th> )";

constexpr std::string_view linkStart = "<a href=\"#";

void openLink(std::string& out, const std::string* link) {
    out += linkStart;
    mfreport::markup::appendUtf8(out, *link);
    out += "\">";
}

// Text of a string cell: line feeds become line breaks, carriage returns go,
// an empty text is a blank and a bracketed word shows with its brackets.
void appendCellText(std::string& out, const std::string& value) {
    if (value.empty()) {
        out += "&nbsp;";
    } else if (mfreport::markup::isBracketed(value)) {
        out += "&lt;";
        mfreport::markup::appendUtf8(out, std::string_view(value).substr(1, value.size() - 2));
        out += "&gt;";
    } else {
        const std::string_view text(value);
        size_t from = 0;
        for (size_t i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
                mfreport::markup::appendUtf8(out, text.substr(from, i - from));
                if (i < text.size() && text[i] == '\n') {
                    out += "<br/>";
                }
                from = i + 1;
            }
        }
    }
}

} // namespace

mfTableHtml::mfTableHtml(const mfTableHeader& header, mfDevice* device)
    : mfTable(header, device), html_(dynamic_cast<mfHtmlDevice*>(device)) {}

mfTableHtml::~mfTableHtml() = default;

bool mfTableHtml::healthy() const {
    return html_ != nullptr && mfreport::markup::healthy(html_->out());
}

bool mfTableHtml::begin_table() {
    setSuspended(true);
    return healthy();
}

bool mfTableHtml::begin_table_suspended() {
    html_->writeLine("<p><a id=\"", header().name(), "\" /></p>");
    html_->addHeading(header().description(), header().heading_level());
    List<std::string> notes;
    header().getNotes(notes);
    html_->addList(Vector<std::string>(notes.begin(), notes.end()), 1);

    std::ofstream& out = html_->out();
    mfreport::markup::lines(out, headOpen);
    forEachFoldedCell([&] { mfreport::markup::lines(out, headFold); },
                      [&](int) { mfreport::markup::line(out, blankHeadCell); },
                      [&](int column) {
                          html_->writeLine("      <th valign=\"top\" align=\"left\" > ",
                                           columns()[static_cast<size_t>(column)].header(),
                                           " </th> ");
                      });
    mfreport::markup::lines(out, headClose);
    return healthy();
}

bool mfTableHtml::begin_record() {
    if (html_ == nullptr) {
        return false;
    }
    if (takeSuspended()) {
        begin_table_suspended();
    }
    mfreport::markup::line(html_->out(), "    <tr> ");
    cells_.clear();
    return mfreport::markup::finish(html_->out());
}

bool mfTableHtml::insertValue(int column, const int& value, const std::string* link) {
    if (!validColumn(column)) {
        return false;
    }
    std::string& cell = cells_.open(static_cast<size_t>(column));
    cell += "      <td align=\"right\"";
    appendBackgroundColorTag(cell, column);
    cell += "> ";
    if (link != nullptr) {
        openLink(cell, link);
    }
    mfreport::number::appendInt(cell, value);
    if (link != nullptr) {
        cell += "</a>";
    }
    cell += "</td> \n";
    return true;
}

bool mfTableHtml::insertValue(int column, const double& value, const std::string* link) {
    if (!validColumn(column)) {
        return false;
    }
    const mfTableColumn& col = columns()[static_cast<size_t>(column)];
    std::string& cell = cells_.open(static_cast<size_t>(column));
    cell += "      <td align=\"right\"";
    appendBackgroundColorTag(cell, column);
    cell += "> ";

    const double shown = col.displayValue(value);
    // The field width applies to the first item written: the text that opens
    // the link when there is one, otherwise the number itself.
    const int64_t width = numberWidth(col);
    if (link != nullptr) {
        const size_t start = cell.size();
        cell += linkStart;
        mfreport::number::padFront(cell, start, width);
        mfreport::markup::appendUtf8(cell, *link);
        cell += "\">";
    }
    const size_t numberStart = cell.size();
    if (link == nullptr && !(std::fabs(shown) > 0.0)) {
        cell += '0';
    } else {
        appendColumnNumber(cell, col, shown);
    }
    if (link == nullptr) {
        mfreport::number::padFront(cell, numberStart, width);
    } else {
        cell += "</a>";
    }
    cell += "</td>\n";
    return true;
}

bool mfTableHtml::insertValue(int column, const std::string& value, const std::string* link) {
    if (!validColumn(column)) {
        return false;
    }
    std::string& cell = cells_.open(static_cast<size_t>(column));
    cell += "      <td ";
    cell += adjustTag(column);
    cell += ' ';
    appendBackgroundColorTag(cell, column);
    cell += '>';
    if (link != nullptr) {
        openLink(cell, link);
    }
    appendCellText(cell, value);
    if (link != nullptr) {
        cell += "</a>";
    }
    cell += " </td>\n";
    return true;
}

bool mfTableHtml::end_record() {
    if (html_ == nullptr) {
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
    row_ += "    </tr> \n";
    html_->out() << row_;
    cells_.clear();
    return mfreport::markup::finish(html_->out());
}

bool mfTableHtml::end_table() {
    if (html_ == nullptr) {
        return false;
    }
    if (suspended()) {
        begin_record();
        insertValue(0, std::string("Empty table"), nullptr);
        end_record();
    }
    if (!suspended()) {
        mfreport::markup::lines(html_->out(), tableClose);
    }
    setSuspended(false);
    return mfreport::markup::finish(html_->out());
}

void mfTableHtml::appendBackgroundColorTag(std::string& out, int column) const {
    const std::string& own = columns()[static_cast<size_t>(column)].backgroundColor();
    const std::string& color = own == "FFFFFF" ? backgroundColor() : own;
    if (color != "FFFFFF") {
        out += " bgcolor=\"";
        mfreport::markup::appendUtf8(out, color);
        out += '"';
    }
}

std::string_view mfTableHtml::adjustTag(int column) const {
    switch (columns()[static_cast<size_t>(column)].adjust()) {
    case mfTableColumn::LEFT:
        return R"(align="left")";
    case mfTableColumn::RIGHT:
        return R"(align="right")";
    default:
        return R"(align="center")";
    }
}

void mfTableHtml::appendBlankCell(std::string& out, int column) const {
    out += "      <td align=\"right\"";
    appendBackgroundColorTag(out, column);
    out += ">&nbsp;</td>\n";
}
