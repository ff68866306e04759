// The cell writers of the markup table writers: what a table writes for the
// cells of a column, built once when its head is written, and the appenders of
// number and integer cells, written into a record's row at the speed of plain
// copies.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "mfreport/device/number_format.h"
#include "mfreport/markup/text_buffer.h"
#include "mfreport/model/mfTableColumn.h"

namespace mfreport::markup {

/// The widest number field, and the most decimals.
constexpr int32_t kLongestNumber = 1024;

/// What a table writes for the cells of one column.
struct ColumnText {
    /// Before the column's cell in every record: where the row folds, the
    /// end of an output row, the start of the next and its indent cells.
    std::string before;
    std::string blank;  ///< the blank cell of a column without a value
    Piece integerStart; ///< the kind's start of an integer cell
    Piece realStart;    ///< the kind's start of a number cell
    Piece textStart;    ///< the kind's start of a text cell
    /// The kind's start of a text cell that holds a number (spreadsheet).
    Piece numberTextStart;
    mfTableColumn::col_type type = mfTableColumn::STRING;
    double factor = 1.0; ///< the unit factor
    mfreport::number::Notation notation = mfreport::number::Notation::General;
    int precision = 6;
    int64_t width = 0; ///< field width of numbers; 0: none

    /// Fields and numbers up to this size are written as blocks.
    static constexpr size_t kShort = 32;
    /// Room for a number of the precisions that shortField allows.
    static constexpr size_t kLocal = 512;
    size_t field = 0;        ///< the width as a size, 0 for none
    bool shortField = false; ///< width at most kShort, numbers written in kLocal
};

/// True for a text of at least two characters between "<" and ">", such as a
/// placeholder word.
inline bool isBracketed(std::string_view text) {
    return text.size() >= 2 && text.front() == '<' && text.back() == '>';
}

/// True for a plain decimal number between blanks: an optional sign, digits
/// with an optional fraction (digits on at least one side of the point) and an
/// optional exponent, which a spreadsheet's number cell takes.
bool isPlainNumber(std::string_view text);

/// The bracket rule of every table writer: a bracketed text shows its
/// brackets, as "&lt;" + the characters between them + "&gt;" (built in
/// `scratch`); any other text stays as it is.
std::string_view showBrackets(std::string_view value, std::string& scratch);

/// Appends `start`, the text of a number cell and `end`, for a field wider
/// than 32 characters or a number of more than 32.
void appendWideNumberCell(Text& out, const Piece& start, const ColumnText& column, double shown,
                          std::string_view end);

/// Appends `start`, the text of a number cell and `end`. The text of the cell
/// is `shown` (the value after the column's unit factor) in the column's
/// format, right-justified to its width, where zero, negative zero and
/// not-a-number show as "0".
inline void appendNumberCell(Text& out, const Piece& start, const ColumnText& column, double shown,
                             std::string_view end) {
    constexpr size_t kShort = ColumnText::kShort;
    if (!column.shortField) {
        appendWideNumberCell(out, start, column, shown, end);
        return;
    }
    // The number is written behind a block of blanks and moved back to
    // leave the blanks its field needs.
    char* p = out.room(start.room() + kShort + ColumnText::kLocal + end.size());
    p = start.copyTo(p);
    std::memset(p, ' ', kShort);
    char* number = p + kShort;
    char* last = number;
    if (std::fabs(shown) > 0.0) {
        last =
            mfreport::number::writeDouble(number, shown, column.notation, column.precision, true);
    } else {
        *last++ = '0';
    }
    const size_t length = static_cast<size_t>(last - number);
    if (length > kShort) {
        out.commit(p);
        appendWideNumberCell(out, Piece(), column, shown, end);
        return;
    }
    const size_t blanks = column.field > length ? column.field - length : 0;
    std::memmove(p + blanks, number, kShort);
    out.commit(copy(p + blanks + length, end));
}

/// Appends `shown` in the column's notation and precision, unpadded.
void appendColumnNumber(Text& out, const ColumnText& column, double shown);

/// Appends `value` in decimal.
inline void appendInt(Text& out, int64_t value) {
    out.commit(mfreport::number::writeInt(out.room(20), value));
}

/// Appends an integer cell: `start`, `value` in decimal, `end`.
inline void appendIntegerCell(Text& out, const Piece& start, int64_t value, std::string_view end) {
    char* p = out.room(start.room() + 20 + end.size());
    p = start.copyTo(p);
    p = mfreport::number::writeInt(p, value);
    out.commit(copy(p, end));
}

} // namespace mfreport::markup
