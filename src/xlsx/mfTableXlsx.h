// Table writer of the .xlsx workbook: one worksheet per table, named after it
// in a form spreadsheet programs accept, with column widths, a bold grey head
// row that stays in view (frozen), repeats on printed pages and carries an
// autofilter, and one row per record. A table of more records than a
// worksheet holds goes on on further worksheets, named as the table again
// ("FORCES (2)"), each with its column widths and head row.
//
// Integers are number cells; numbers are number cells in the column's number
// format (fixed or exponent with its decimals, otherwise general); texts are
// inline strings. Caller text is written as XML text, as in the SpreadsheetML
// workbook.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "mfreport/markup/mfMarkupTable.h"

namespace mfreport::xlsx {
class Workbook;
struct Worksheet;
} // namespace mfreport::xlsx

class mfTableXlsx : public mfMarkupTable {
public:
    /// `device` must be an mfXlsxDevice; on any other every operation that
    /// writes answers false.
    mfTableXlsx(const mfTableHeader& header, mfDevice* device);

    bool begin_table() override;
    /// The first record after begin_table starts the worksheet; a record
    /// that finds its worksheet full first ends it and starts the next.
    bool begin_record() override;
    using mfTable::insertValue; // the other arithmetic types
    /// The link is ignored. In an INTEGER or REAL column a text that is a
    /// plain decimal number (between blanks) is a number cell; any other text
    /// is a string cell.
    bool insertValue(int column, const std::string& value,
                     const std::string* link = nullptr) override;
    /// A value that is not finite is a string cell ("INF", "-INF", "NAN").
    bool insertValue(int column, const double& value, const std::string* link = nullptr) override;
    bool insertValue(int column, const int& value, const std::string* link = nullptr) override;
    bool end_record() override;
    /// Ends the worksheet's rows; a table without records leaves nothing in
    /// the workbook.
    bool end_table() override;

private:
    friend struct mfreport::xlsx::Worksheet;

    /// The device's workbook; null on a device of another kind.
    std::shared_ptr<mfreport::xlsx::Workbook> workbook_;
    /// The number of the table's open worksheet in the workbook, 0 before its first.
    size_t sheet_ = 0;
    /// Records written on that worksheet.
    int64_t sheetRecords_ = 0;
};
