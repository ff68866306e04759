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

#include "mfreport/markup/mfWorksheetTable.h"

namespace mfreport::xlsx {
class Workbook;
struct Worksheet;
} // namespace mfreport::xlsx

class mfTableXlsx : public mfWorksheetTable {
public:
    /// `device` must be an mfXlsxDevice; on any other every operation that
    /// writes answers false.
    mfTableXlsx(const mfTableHeader& header, mfDevice* device);

    using mfTable::insertValue; // the other arithmetic types
    /// The link is ignored. In an INTEGER or REAL column a text that is a
    /// plain decimal number (between blanks) is a number cell; any other text
    /// is a string cell.
    bool insertValue(int column, const std::string& value,
                     const std::string* link = nullptr) override;
    /// A value that is not finite is a string cell ("INF", "-INF", "NAN").
    bool insertValue(int column, const double& value, const std::string* link = nullptr) override;
    bool insertValue(int column, const int& value, const std::string* link = nullptr) override;

protected:
    size_t sheetsInWorkbook() const override;
    /// The worksheet's part states how many rows it holds.
    void recordWritten(size_t sheet, int64_t records) override;

private:
    friend struct mfreport::xlsx::Worksheet;

    /// The device's workbook; null on a device of another kind.
    std::shared_ptr<mfreport::xlsx::Workbook> workbook_;
};
