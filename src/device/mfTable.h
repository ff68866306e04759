// Abstract table writer and its record protocol:
//   begin_table, { begin_record, insertValue..., end_record }..., end_table.
#pragma once

#include <cstddef>
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
    /// The record protocol that the writers of the markup kinds share (head
    /// written at the first record, a record's cells kept until its end,
    /// folding, markup left open between calls); defined with those writers.
    class MarkupRecords;

private:
    bool suspended_ = false;
    int wrap_width_ = 99;
    int wrap_indent_ = 0;
    mfDevice* device_;
    mfTableHeader header_;
    Vector<mfTableColumn> columns_;
    std::string background_color_ = "FFFFFF";
};
