// The record protocol of the markup table writers (XHTML, spreadsheet and
// word-processing), written once for all: the head written by the first
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

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mfreport/device/mfDevice.h"
#include "mfreport/device/mfTable.h"
#include "mfreport/markup/cells.h"
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

/// The record protocol of one table, written with one kind's markup.
class RecordProtocol {
public:
    /// `output` is the document of the table's device, null when the device is
    /// of another kind: then nothing is written and the protocol answers false.
    /// The table keeps the output, closed, after its device is deleted.
    RecordProtocol(std::shared_ptr<Output> output, const TableMarkup& markup);
    /// A copy carries the open record's cells, kept by column; the original
    /// alone writes them when something else closes the record.
    RecordProtocol(const RecordProtocol& other);
    RecordProtocol& operator=(const RecordProtocol& other);
    ~RecordProtocol();

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
        Text* out;
        const ColumnText* column;
        size_t index;
    };
    /// The cell of `column` in the record being built: the writer appends
    /// its markup to `out` and then calls done(). `out` is null when `column`
    /// is not a column of the table or the document is closed.
    Cell cell(mfTable& table, int column) {
        const size_t index = static_cast<size_t>(column);
        if (index == next_ && index < count_ && cells_ == Cells::InOrder && output_ != nullptr &&
            output_->innermost(rowMark_)) {
            // The next cell of the open record in column order: straight
            // into the document, behind the cells before it.
            Text& out = output_->buffer();
            const ColumnText& text = columns_[index];
            if (!text.before.empty()) {
                out += text.before;
            }
            starts_[index] = out.size();
            ++next_;
            return {&out, &text, index};
        }
        Text* out = openCell(table, column);
        return {out, out != nullptr ? &columns_[index] : nullptr, index};
    }
    /// Ends the cell that cell() gave. False once a write to the document
    /// has failed: the cell may then never reach the file.
    bool done(const Cell& cell) {
        if (cell.out == &scratch_) {
            kept_.store(cell.index, scratch_.view());
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
    /// Where the table stands: ended (or never begun), begun with its head
    /// still to write, or with its head written and its markup open (until
    /// it ends or other content closes it).
    enum class Table { Ended, HeadDue, Written };
    /// Where the cells of the open record are: in the document's buffer,
    /// written in column order, or kept by column until the record ends.
    enum class Cells { InOrder, Kept };

    class RowFinisher;
    static Folding folding(const mfTable& table);
    /// True when the table can still write: a document of its kind, open.
    bool writable() const { return output_ != nullptr && !output_->closed(); }
    /// Builds what the table writes per column.
    void prepare(mfTable& table);
    /// Where the cell of `column` goes when it cannot go straight into the
    /// document: the scratch text (emptied) from which the cell is kept. Null
    /// when it cannot be written.
    Text* openCell(mfTable& table, int column);
    /// Copies the cells of the record written in column order into the kept
    /// cells of `into`.
    void copyCells(RowBuffer& into) const;
    /// Moves the cells of the record written in column order into the kept
    /// cells and takes them back from the document.
    void keepCells();
    /// Forgets the cells of the record.
    void clearRecord();

    std::shared_ptr<Output> output_;
    const TableMarkup* markup_;
    Table table_ = Table::Ended;
    Cells cells_ = Cells::InOrder;
    std::vector<ColumnText> columns_;
    /// Columns whose texts are built; a column added later is built at once.
    size_t count_ = 0;
    Text row_; ///< a record of kept cells, in column order
    /// Where the cell of each column written in order starts in the output's buffer.
    std::vector<size_t> starts_;
    size_t next_ = 0; ///< the column whose cell comes next in order
    Text scratch_;    ///< a cell on its way to be kept
    RowBuffer kept_;
    Output::Mark tableMark_ = 0; ///< the table's markup, open after its head
    Output::Mark rowMark_ = 0;   ///< the open record's row
    /// Writes the open record when content or another table closes its row.
    std::shared_ptr<RowFinisher> finisher_;
};

} // namespace mfreport::markup
