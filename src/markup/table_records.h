// The record protocol of the markup table writers (XHTML, spreadsheet and
// word-processing), written once for the three: the head written by the first
// record, so that header, notes and columns may still change after
// begin_table; the cells of a record kept by column until its end and then
// written in column order, folded when the table is wide; the "Empty table"
// record; and the table's and the record's markup kept open in the document
// output between calls. What differs between the kinds is a TableMarkup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "mfreport/device/mfDevice.h"
#include "mfreport/device/mfTable.h"
#include "mfreport/markup/output.h"
#include "mfreport/markup/row_buffer.h"

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
};

/// The document output of `device` when it is a `Device`, otherwise null.
template <class Device>
Output* outputOf(mfDevice* device) {
    auto* typed = dynamic_cast<Device*>(device);
    return typed != nullptr ? &typed->output() : nullptr;
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

/// Appends the text of a number cell: `shown` (the value after the column's
/// unit factor) in the column's format, right-justified to its width, where
/// zero, negative zero and not-a-number show as "0".
void appendCellNumber(std::string& out, const mfTableColumn& column, double shown);

} // namespace mfreport::markup

class mfTable::MarkupRecords {
public:
    /// `output` is the document of the table's device, null when the device is
    /// of another kind: then nothing is written and the protocol answers false.
    MarkupRecords(mfreport::markup::Output* output, const mfreport::markup::TableMarkup& markup);
    /// A copy carries the open record's cells; the original alone writes them
    /// when something else closes the record.
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
    /// The cell of `column` in the record being built, emptied for writing;
    /// null when `column` is not a column of the table or the document is
    /// closed.
    std::string* cell(const mfTable& table, int column);
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

    mfreport::markup::Output* output_;
    const mfreport::markup::TableMarkup* markup_;
    mfreport::markup::RowBuffer cells_;
    mfreport::markup::Output::Mark table_ = 0; ///< the table's markup, open after its head
    mfreport::markup::Output::Mark row_ = 0;   ///< the open record's row
    std::string text_;                         ///< a record's row, reused
    /// Writes the open record when content or another table closes its row.
    std::shared_ptr<RowFinisher> finisher_;
};
