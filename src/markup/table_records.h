// The record protocol of the markup table writers (XHTML, spreadsheet and
// word-processing), written once for the three: the head written by the first
// record, so that header, notes and columns may still change after
// begin_table; the cells of a record written in column order, folded when the
// table is wide; the "Empty table" record; and the table's and the record's
// markup kept open in the document output between calls. What differs
// between the kinds is a TableMarkup.
//
// Cells that come in column order go straight into the record's row; only a
// record whose cells come out of order, or replace one another, keeps them by
// column until its end. What a table writes for every cell of a column (the
// start of its markup, its blank cell, its number format) is built once, when
// the head is written: changes to the columns after the first record do not
// show, except that columns added later are written too.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include <vector>

#include "mfreport/device/mfDevice.h"
#include "mfreport/device/mfTable.h"
#include "mfreport/device/number_format.h"
#include "mfreport/markup/output.h"
#include "mfreport/markup/row_buffer.h"
#include "mfreport/markup/text_buffer.h"

namespace mfreport::markup {

/// Where the rows of a wide table fold: before a cell, when the cells already
/// written in the logical row (indent cells included) are a positive multiple
/// of the width, a new output row starts with `indent` blank cells. A width
/// below 1 never folds.
struct Folding {
    int width = 0;
    int indent = 0;

    bool foldsBefore(int64_t written) const {
        return written > 0 && width >= 1 && written % width == 0;
    }

    /// Walks a logical row of `columns` cells as it is written: where a new
    /// output row starts, `fold()` and then `indentCell(column)` once per
    /// indent cell; then `cell(column)` for each column in order.
    template <class Fold, class IndentCell, class Cell>
    void walk(size_t columns, Fold&& fold, IndentCell&& indentCell, Cell&& cell) const {
        int64_t written = 0;
        for (size_t i = 0; i < columns; ++i) {
            const int column = static_cast<int>(i);
            if (foldsBefore(written)) {
                fold();
                for (int k = 0; k < indent; ++k, ++written) {
                    indentCell(column);
                }
            }
            cell(column);
            ++written;
        }
    }
};

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

/// What one markup kind writes for a table.
struct TableMarkup {
    /// Writes the head: everything the table shows before its first row.
    void (*writeHead)(mfTable& table, Output& out, const Folding& folding);
    std::string_view tableEnd; ///< closes the table after its last row
    std::string_view rowStart; ///< opens the row of a record
    std::string_view rowEnd;   ///< closes it after its cells
    /// Ends one output row and starts the next where a record folds; empty
    /// for a kind whose rows never fold.
    std::string_view rowFold;
    /// Appends the blank cell of a column, written for a column that has no
    /// value and for the indent cells of a folded row.
    void (*appendBlankCell)(std::string& row, mfTable& table, int column);
    /// Whether a table ended without records shows one reading "Empty table".
    bool emptyRecord;
    /// Sets the starts of the cells of a column (the rest of `text` is set).
    void (*prepareColumn)(mfTable& table, int column, ColumnText& text);
};

/// The document output of `device` when it is a `Device`, otherwise null.
template <class Device>
std::shared_ptr<Output> outputOf(mfDevice* device) {
    auto* typed = dynamic_cast<Device*>(device);
    return typed != nullptr ? typed->output() : nullptr;
}

/// True for a text of at least two characters between "<" and ">", such as a
/// placeholder word.
inline bool isBracketed(std::string_view text) {
    return text.size() >= 2 && text.front() == '<' && text.back() == '>';
}

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

/// Appends `shown` in the column's format, as appendColumnNumber does.
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

class mfTable::MarkupRecords {
public:
    /// `output` is the document of the table's device, null when the device is
    /// of another kind: then nothing is written and the protocol answers false.
    /// The table keeps the output, closed, after its device is deleted.
    MarkupRecords(std::shared_ptr<mfreport::markup::Output> output,
                  const mfreport::markup::TableMarkup& markup);
    /// A copy carries the open record's cells, kept by column; the original
    /// alone writes them when something else closes the record.
    MarkupRecords(const MarkupRecords& other);
    MarkupRecords& operator=(const MarkupRecords& other);
    ~MarkupRecords();

    /// Marks the head as due. A table begun again first ends what it left open.
    bool begin_table(mfTable& table);
    /// Writes the head when it is due (after closing what other tables left
    /// open, their open record included: tables do not nest), then opens the
    /// record's row. A record begun again keeps its row and starts its cells
    /// afresh. False, writing nothing, when the table is not the one open on
    /// the device: never begun, ended, or closed by other content.
    bool begin_record(mfTable& table);
    /// Where the cell of a column goes (`out`, null when it cannot be
    /// written) and what the table writes for the column's cells.
    struct Cell {
        mfreport::markup::Text* out;
        const mfreport::markup::ColumnText* column;
        size_t index;
    };
    /// The cell of `column` in the record being built: the writer appends
    /// its markup to `out` and then calls done(). `out` is null when `column`
    /// is not a column of the table or the document is closed.
    Cell cell(mfTable& table, int column) {
        const size_t index = static_cast<size_t>(column);
        if (index == next_ && index < count_ && !kept_ && output_ != nullptr &&
            output_->innermost(rowMark_)) {
            // The next cell of the open record in column order: straight
            // into the document, behind the cells before it.
            mfreport::markup::Text& out = output_->buffer();
            const mfreport::markup::ColumnText& text = columns_[index];
            if (!text.before.empty()) {
                out += text.before;
            }
            starts_[index] = out.size();
            ++next_;
            return {&out, &text, index};
        }
        mfreport::markup::Text* out = openCell(table, column);
        return {out, out != nullptr ? &columns_[index] : nullptr, index};
    }
    /// Ends the cell that cell() gave. False once a write to the document
    /// has failed: the cell may then never reach the file.
    bool done(const Cell& cell) {
        if (cell.out == &scratch_) {
            cells_.store(cell.index, scratch_.view());
        }
        return output_ != nullptr && output_->healthy();
    }
    /// Writes the cell of `column` by calling `write(Text& out, const
    /// ColumnText& column)`, which appends the cell's markup to `out`. False,
    /// writing nothing, when the cell cannot be written.
    template <class Write>
    bool put(mfTable& table, int column, Write&& write) {
        const Cell target = cell(table, column);
        if (target.out == nullptr) {
            return false;
        }
        write(*target.out, *target.column);
        return done(target);
    }

    /// Writes the record's cells in column order and closes its row. False,
    /// writing nothing, when no record is open.
    bool end_record(mfTable& table);
    /// Writes the "Empty table" record where the kind has one and a record
    /// left open, and closes the table.
    bool end_table(mfTable& table);

private:
    class RowFinisher;
    static mfreport::markup::Folding folding(const mfTable& table);
    /// True when the table can still write: a document of its kind, open.
    bool writable() const { return output_ != nullptr && !output_->closed(); }
    /// Builds what the table writes per column.
    void prepare(mfTable& table);
    /// Where the cell of `column` goes when it cannot go straight into the
    /// document: the scratch text (emptied) from which the cell is kept. Null
    /// when it cannot be written.
    mfreport::markup::Text* openCell(mfTable& table, int column);
    /// Copies the cells of the record written in column order into the kept
    /// cells of `into`.
    void copyCells(mfreport::markup::RowBuffer& into) const;
    /// Moves the cells of the record written in column order into the kept
    /// cells and takes them back from the document.
    void keepCells();
    /// Forgets the cells of the record.
    void clearRecord();

    std::shared_ptr<mfreport::markup::Output> output_;
    const mfreport::markup::TableMarkup* markup_;
    std::vector<mfreport::markup::ColumnText> columns_;
    /// Columns whose texts are built; a column added later is built at once.
    size_t count_ = 0;
    mfreport::markup::Text row_; ///< a record of kept cells, in column order
    /// Where the cell of each column written in order starts in the output's buffer.
    std::vector<size_t> starts_;
    size_t next_ = 0;                ///< the column whose cell comes next in order
    bool kept_ = false;              ///< the record's cells are kept by column
    mfreport::markup::Text scratch_; ///< a cell on its way to be kept
    mfreport::markup::RowBuffer cells_;
    mfreport::markup::Output::Mark table_ = 0;   ///< the table's markup, open after its head
    mfreport::markup::Output::Mark rowMark_ = 0; ///< the open record's row
    /// Writes the open record when content or another table closes its row.
    std::shared_ptr<RowFinisher> finisher_;
};
