// The package of an .xlsx workbook: its worksheets in order, each a part that
// the workbook's document output streams into, and the parts written when
// the workbook closes (workbook, styles, relationships, content types and
// properties).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mfreport/markup/output.h"
#include "mfreport/markup/sheet_names.h"
#include "mfreport/package/package.h"

namespace mfreport::xlsx {

/// Columns a worksheet holds.
constexpr int64_t kSheetColumns = 16384;

class Workbook {
public:
    /// Creates the file; throws as Package does.
    explicit Workbook(const std::string& fileName);

    /// The output whose bytes go into the open worksheet.
    std::unique_ptr<markup::Output::Sink> sink();

    /// Ends the open worksheet and starts the next, named from `tableName`
    /// with `columns` columns; its number, 1 for the first.
    size_t beginSheet(std::string_view tableName, size_t columns);
    /// The name of worksheet `sheet`.
    const std::string& sheetName(size_t sheet) const { return sheets_[sheet - 1].name; }
    /// Sets the records on worksheet `sheet` below its head row.
    void setRecords(size_t sheet, int64_t records) { sheets_[sheet - 1].records = records; }
    /// Worksheets begun so far.
    size_t sheets() const { return sheets_.size(); }

    /// Ends the open worksheet: its autofilter and page settings.
    bool endSheet();
    /// Writes the workbook's other parts and closes the package; `creatorXml`
    /// and `titleXml` are escaped XML text. False when anything failed.
    bool close(std::string_view creatorXml, std::string_view titleXml);
    bool healthy() const { return package_.healthy(); }

private:
    struct Sheet {
        std::string name;
        size_t columns = 0;
        int64_t records = 0;
    };
    std::string workbookPart() const;

    package::Package package_;
    markup::SheetNames names_;
    std::vector<Sheet> sheets_;
    bool sheetOpen_ = false;
};

/// "A", "B", ... "Z", "AA", ... : the letters of a column numbered from 1.
std::string columnLetters(int64_t column);

} // namespace mfreport::xlsx
