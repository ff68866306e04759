#include "mfreport/markup/cells.h"

#include <array>

namespace mfreport::markup {

std::string_view showBrackets(std::string_view value, std::string& scratch) {
    if (!isBracketed(value)) {
        return value;
    }
    scratch.assign("&lt;");
    scratch.append(value.substr(1, value.size() - 2));
    scratch.append("&gt;");
    return scratch;
}

void appendColumnNumber(Text& out, const ColumnText& column, double shown) {
    out.commit(number::writeDouble(out.room(number::doubleRoom(column.precision)), shown,
                                   column.notation, column.precision, true));
}

void appendWideNumberCell(Text& out, const Piece& start, const ColumnText& column, double shown,
                          std::string_view end) {
    std::array<char, 512> local;
    if (number::doubleRoom(column.precision) > local.size() || column.width > 256) {
        // Very many decimals or a very wide field: written in place and moved
        // behind the blanks.
        out += start;
        const size_t first = out.size();
        if (std::fabs(shown) > 0.0) {
            appendColumnNumber(out, column, shown);
        } else {
            out += '0';
        }
        const size_t length = out.size() - first;
        if (column.width > 0 && static_cast<uint64_t>(column.width) > length) {
            const size_t blanks = static_cast<size_t>(column.width) - length;
            char* p = out.room(blanks) - length;
            std::memmove(p + blanks, p, length);
            std::memset(p, ' ', blanks);
            out.commit(p + blanks + length);
        }
        out += end;
        return;
    }
    char* last = local.data();
    if (std::fabs(shown) > 0.0) {
        last = number::writeDouble(local.data(), shown, column.notation, column.precision, true);
    } else {
        *last++ = '0';
    }
    const size_t length = static_cast<size_t>(last - local.data());
    const size_t blanks = column.width > 0 && static_cast<uint64_t>(column.width) > length
                              ? static_cast<size_t>(column.width) - length
                              : 0;
    char* p = out.room(start.room() + blanks + length + end.size());
    p = start.copyTo(p);
    std::memset(p, ' ', blanks);
    p = copy(p + blanks, std::string_view(local.data(), length));
    out.commit(copy(p, end));
}

namespace {

size_t skipDigits(std::string_view text, size_t at) {
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at;
    }
    return at;
}

} // namespace

// True for a plain decimal number between blanks: an optional sign, digits
// with an optional fraction (digits on at least one side of the point) and an
// optional exponent. Spreadsheet programs refuse any other text in a number
// cell, or read a wrong number from it ("1,5" as 1).
bool isPlainNumber(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    text = text.substr(first, text.find_last_not_of(' ') + 1 - first);
    size_t at = text[0] == '+' || text[0] == '-' ? 1 : 0;
    const size_t whole = skipDigits(text, at);
    bool digits = whole > at;
    at = whole;
    if (at < text.size() && text[at] == '.') {
        const size_t fraction = skipDigits(text, at + 1);
        digits = digits || fraction > at + 1;
        at = fraction;
    }
    if (!digits) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        const size_t exponent = skipDigits(text, at);
        if (exponent == at) {
            return false;
        }
        at = exponent;
    }
    return at == text.size();
}

} // namespace mfreport::markup
