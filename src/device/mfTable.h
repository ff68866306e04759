// Abstract table writer and its record protocol:
//   begin_table, { begin_record, insertValue..., end_record }..., end_table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "mfreport/model/mfTableColumn.h"
#include "mfreport/model/mfTableHeader.h"
#include "mfreport/platform/mfTypes.h"

class mfDevice;

class mfTable {
public:
    using column_iterator = Vector<mfTableColumn>::iterator;

    mfTable(const mfTableHeader& header, mfDevice* device);
    mfTable(const mfTable&) = default;
    mfTable& operator=(const mfTable&) = default;

    /// Deleting a table writes nothing: call end_table first.
    virtual ~mfTable();
    virtual mfDevice* device();
    /// Appends a copy of the column; returns the new number of columns.
    virtual int addColumn(const mfTableColumn& column);
    virtual column_iterator column_begin();
    virtual column_iterator column_end();
    virtual size_t column_size() const;
    /// The column of that index, or null when there is none.
    virtual mfTableColumn* column_at(size_t index);
    /// The table's own copy of its header.
    virtual mfTableHeader& header();
    virtual bool begin_table() = 0;
    virtual bool begin_record() = 0;
    /// One cell of the open record; `link`, when given, names an anchor in the
    /// same document that the cell links to. A column index outside the
    /// columns stores nothing and answers false.
    virtual bool insertValue(int column, const std::string& value,
                             const std::string* link = nullptr) = 0;
    virtual bool insertValue(int column, const double& value,
                             const std::string* link = nullptr) = 0;
    virtual bool insertValue(int column, const int& value, const std::string* link = nullptr) = 0;
    virtual bool end_record() = 0;
    virtual bool end_table() = 0;
    virtual void setBackgroundColor(const std::string& color);
    virtual const std::string& backgroundColor() const;
    /// Folds wide tables: `width` cells per output row, `indent` blank cells at
    /// the start of each continuation row. A width below 1 never folds.
    virtual void setWrapping(int width, int indent);
    /// Writes "Abbreviations" and a list "name  :  description" of the columns
    /// through the device's paragraph and list operations.
    virtual void printAbbreviations();

protected:
    bool suspended() const { return suspended_; }
    void setSuspended(bool suspended) { suspended_ = suspended; }
    /// Clears the suspended flag; true when it was set (the head is still to be written).
    bool takeSuspended() {
        const bool was = suspended_;
        suspended_ = false;
        return was;
    }
    bool validColumn(int column) const {
        return column >= 0 && static_cast<size_t>(column) < columns_.size();
    }
    /// True when a new output row starts before the cell at `written` (the
    /// number of cells already written in the current logical row).
    bool foldsBefore(int64_t written) const {
        return written > 0 && wrap_width_ >= 1 && written % wrap_width_ == 0;
    }
    int wrapIndent() const { return wrap_indent_; }
    /// Walks one logical row (the head or a record) cell by cell as it is
    /// written, folded at the wrap width: where a new output row starts,
    /// `fold()` and then `indent(column)` once per indent cell; then
    /// `cell(column)` for each column in order.
    template <class Fold, class Indent, class Cell>
    void forEachFoldedCell(Fold&& fold, Indent&& indent, Cell&& cell) const {
        int64_t written = 0;
        for (size_t i = 0; i < columns_.size(); ++i) {
            const int column = static_cast<int>(i);
            if (foldsBefore(written)) {
                fold();
                for (int k = 0; k < wrap_indent_; ++k, ++written) {
                    indent(column);
                }
            }
            cell(column);
            ++written;
        }
    }
    const Vector<mfTableColumn>& columns() const { return columns_; }
    /// Appends `value` as the column's number format shows it, with upper-case
    /// letters: FIXED and SCIENTIFIC with the column's decimals, every other
    /// format in general notation with six significant digits.
    static void appendColumnNumber(std::string& out, const mfTableColumn& column, double value);
    /// The field width of the column's numbers: its width for FIXED and
    /// SCIENTIFIC, none for the other formats.
    static int64_t numberWidth(const mfTableColumn& column);

private:
    bool suspended_ = false;
    int wrap_width_ = 99;
    int wrap_indent_ = 0;
    mfDevice* device_;
    mfTableHeader header_;
    Vector<mfTableColumn> columns_;
    std::string background_color_ = "FFFFFF";
};
