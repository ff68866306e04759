// Table writer of the .docx document: at the first record the table's
// description as a numbered heading carrying the table's bookmark (its name),
// its notes as a bulleted list, and a grid table whose head row (each
// column's name in bold, its unit below) repeats on every page. Grid widths
// come from the column widths (6 points a width unit, 72 points without a
// width), cells keep margins of 108 twips at the sides, align by the
// column's adjustment and are shaded in the column's colour, or the table's.
// Wide tables fold by the table's wrapping; texts of several lines break
// inside their cell; a cell with a link is a hyperlink to that bookmark.
#pragma once

#include <cstdint>
#include <string>

#include "mfreport/markup/mfMarkupTable.h"

class mfTableDocx : public mfMarkupTable {
public:
    /// `device` must be an mfDocxDevice; on any other every operation that
    /// writes answers false.
    mfTableDocx(const mfTableHeader& header, mfDevice* device);

    using mfTable::insertValue; // the other arithmetic types
    bool insertValue(int column, const std::string& value,
                     const std::string* link = nullptr) override;
    /// The value after the column's unit factor, in the column's format.
    bool insertValue(int column, const double& value, const std::string* link = nullptr) override;
    bool insertValue(int column, const int& value, const std::string* link = nullptr) override;

    bool begin_record() override;
    bool end_record() override;
    bool end_table() override;

    /// Sets the rows a record is written on, once the head is written.
    void setRecordRows(int64_t rows) { recordRows_ = rows; }

private:
    /// Counts the record's rows in the device's page layout.
    void countRecord();

    int64_t recordRows_ = 1;
    int64_t recordLines_ = 1; ///< the most lines of a cell of the record
    bool inRecord_ = false;
};
