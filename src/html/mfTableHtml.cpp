#include "mfreport/html/mfTableHtml.h"

#include <string_view>

#include "mfreport/device/number_format.h"
#include "mfreport/html/mfHtmlDevice.h"
#include "mfreport/markup/record_protocol.h"

namespace {

using mfreport::markup::appendUtf8;
using mfreport::markup::ColumnText;
using mfreport::markup::Folding;
using mfreport::markup::Output;
using mfreport::markup::Text;
using mfreport::markup::Utf8;

constexpr std::string_view headStart[] = {
    R"(<table border="0" cellspacing="1" cellpadding="2">)",
    R"(  <thead>)",
    R"(    <tr>)",
};
constexpr std::string_view headFold[] = {
    R"(    </tr>)",
    R"(    <tr>)",
};
constexpr std::string_view blankHeadCell = R"(      <th valign="top" align="left" >&nbsp;</th> )";
constexpr std::string_view headEnd[] = {
    R"(    </tr> )",
    R"(   </thead>)",
    R"(  <tbody>)",
};

constexpr std::string_view linkStart = "<a href=\"#";
constexpr std::string_view intEnd = "</td> \n";
constexpr std::string_view realEnd = "</td>\n";

// " bgcolor=\"RRGGBB\"" for a cell of the column: its own colour, or the
// table's when it has none; nothing when neither has one.
void appendBackgroundColorTag(std::string& out, mfTable& table, int column) {
    const std::string& own = table.column_at(static_cast<size_t>(column))->backgroundColor();
    const std::string& color = own == "FFFFFF" ? table.backgroundColor() : own;
    if (color != "FFFFFF") {
        out += " bgcolor=\"";
        appendUtf8(out, color);
        out += '"';
    }
}

std::string_view adjustTag(const mfTableColumn& column) {
    switch (column.adjust()) {
    case mfTableColumn::LEFT:
        return R"(align="left")";
    case mfTableColumn::RIGHT:
        return R"(align="right")";
    default:
        return R"(align="center")";
    }
}

// Number cells and blank cells are right-aligned whatever the column's alignment.
void openNumberCell(std::string& out, mfTable& table, int column) {
    out += "      <td align=\"right\"";
    appendBackgroundColorTag(out, table, column);
}

void openLink(Text& out, const std::string& link) {
    out += linkStart;
    appendUtf8(out, link);
    out += "\">";
}

// Text of a string cell: line feeds become line breaks, carriage returns go,
// an empty text is a blank and a bracketed word shows with its brackets.
void appendCellText(Text& out, const std::string& value) {
    bool plain = !value.empty();
    for (const char c : value) {
        if (c == '\n' || c == '\r' || static_cast<unsigned char>(c) >= 0x80) {
            plain = false;
            break;
        }
    }
    if (plain && !mfreport::markup::isBracketed(value)) {
        out += value;
    } else if (value.empty()) {
        out += "&nbsp;";
    } else if (mfreport::markup::isBracketed(value)) {
        std::string scratch;
        appendUtf8(out, mfreport::markup::showBrackets(value, scratch));
    } else {
        const std::string_view text(value);
        size_t from = 0;
        for (size_t i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
                appendUtf8(out, text.substr(from, i - from));
                if (i < text.size() && text[i] == '\n') {
                    out += "<br/>";
                }
                from = i + 1;
            }
        }
    }
}

// Anchor, numbered heading, notes and the column heads, folded like the rows.
void writeHead(mfTable& table, Output& out, const Folding& folding) {
    mfTableHeader& header = table.header();
    out.line("<p><a id=\"", Utf8{header.name()}, "\" /></p>");
    table.device()->addHeading(header.description(), header.heading_level());
    List<std::string> notes;
    header.getNotes(notes);
    table.device()->addList(Vector<std::string>(notes.begin(), notes.end()), 1);
    out.lines(headStart);
    folding.walk(
        table.column_size(), [&] { out.lines(headFold); }, [&](int) { out.line(blankHeadCell); },
        [&](int column) {
            out.line("      <th valign=\"top\" align=\"left\" > ",
                     Utf8{table.column_at(static_cast<size_t>(column))->header()}, " </th> ");
        });
    out.lines(headEnd);
}

void appendBlankCell(std::string& row, mfTable& table, int column) {
    openNumberCell(row, table, column);
    row += ">&nbsp;</td>\n";
}

void prepareColumn(mfTable& table, int column, ColumnText& text) {
    std::string start;
    openNumberCell(start, table, column);
    start += "> ";
    text.integerStart = start;
    text.realStart = start;
    start = "      <td ";
    start += adjustTag(*table.column_at(static_cast<size_t>(column)));
    start += ' ';
    appendBackgroundColorTag(start, table, column);
    start += '>';
    text.textStart = start;
}

constexpr mfreport::markup::TableMarkup htmlTable = {
    writeHead,         "  </tbody>\n</table> \n", "    <tr> \n", "    </tr> \n",
    " </tr>\n <tr>\n", appendBlankCell,           true,          prepareColumn,
};

} // namespace

mfTableHtml::mfTableHtml(const mfTableHeader& header, mfDevice* device)
    : mfMarkupTable(header, device, mfreport::markup::outputOf<mfHtmlDevice>(device), htmlTable) {}

bool mfTableHtml::insertValue(int column, const int& value, const std::string* link) {
    const auto cell = records().cell(*this, column);
    if (cell.out == nullptr) {
        return false;
    }
    Text& out = *cell.out;
    const ColumnText& col = *cell.column;
    if (link == nullptr) {
        mfreport::markup::appendIntegerCell(out, col.integerStart, value, intEnd);
    } else {
        out += col.integerStart;
        openLink(out, *link);
        mfreport::markup::appendInt(out, value);
        out += "</a>";
        out += intEnd;
    }
    return records().done(cell);
}

bool mfTableHtml::insertValue(int column, const double& value, const std::string* link) {
    const auto cell = records().cell(*this, column);
    if (cell.out == nullptr) {
        return false;
    }
    Text& out = *cell.out;
    const ColumnText& col = *cell.column;
    const double shown = value * col.factor;
    if (link == nullptr) {
        mfreport::markup::appendNumberCell(out, col.realStart, col, shown, realEnd);
    } else {
        out += col.realStart;
        // The field width pads the first text written: here the link's start.
        if (col.width > 0 && static_cast<uint64_t>(col.width) > linkStart.size()) {
            out.append(static_cast<size_t>(col.width) - linkStart.size(), ' ');
        }
        out += linkStart;
        appendUtf8(out, *link);
        out += "\">";
        mfreport::markup::appendColumnNumber(out, col, shown);
        out += "</a>";
        out += realEnd;
    }
    return records().done(cell);
}

bool mfTableHtml::insertValue(int column, const std::string& value, const std::string* link) {
    return records().put(*this, column, [&](Text& out, const ColumnText& col) {
        out += col.textStart;
        if (link != nullptr) {
            openLink(out, *link);
        }
        appendCellText(out, value);
        if (link != nullptr) {
            out += "</a>";
        }
        out += " </td>\n";
    });
}
