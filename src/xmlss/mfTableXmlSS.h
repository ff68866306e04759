// Table writer of the workbook: one worksheet per table, with column widths, a
// bold head row that repeats as print titles and one row per record. The
// worksheet is named after the table in a form spreadsheet programs accept
// (see sheet_names.h). A table of more records than a worksheet holds goes
// on on further worksheets, named as the table again ("FORCES (2)"), each
// with the column widths and the head row.
//
// Caller text is written as XML text: markup characters are escaped (text
// that is already escaped stays as it is), characters XML forbids become
// U+FFFD and bytes that are not UTF-8 are read as Windows-1252.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "mfreport/markup/mfWorksheetTable.h"

namespace mfreport::markup {
class SheetNames;
}
namespace mfreport::xmlss {
struct Worksheet;
}

class mfTableXmlSS : public mfWorksheetTable {
public:
    /// `device` must be an mfXmlSSDevice; on any other every operation that
    /// writes answers false.
    mfTableXmlSS(const mfTableHeader& header, mfDevice* device);

    using mfTable::insertValue; // the other arithmetic types
    /// The link is ignored: a worksheet cell carries no link. In an INTEGER
    /// or REAL column a text that is a plain decimal number (between blanks)
    /// is a number cell; any other text is a string cell, as in a STRING
    /// column, so that no number cell holds text a spreadsheet cannot read.
    bool insertValue(int column, const std::string& value,
                     const std::string* link = nullptr) override;
    bool insertValue(int column, const double& value, const std::string* link = nullptr) override;
    bool insertValue(int column, const int& value, const std::string* link = nullptr) override;

protected:
    size_t sheetsInWorkbook() const override;

private:
    friend struct mfreport::xmlss::Worksheet;

    /// The workbook's sheet names; null on a device of another kind.
    std::shared_ptr<mfreport::markup::SheetNames> sheetNames_;
};
