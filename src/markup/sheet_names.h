// Worksheet names that spreadsheet programs take as they are, and the size of
// a worksheet.
//
// A name is made from the table's name: the characters [ ] : * ? / \ become
// "_", leading and trailing apostrophes go, and at most 31 characters are
// kept (counted as UTF-16 units, never cutting a character); an empty name
// becomes "Sheet" followed by the sheet's number in the workbook. A name
// equal to an earlier sheet's, ignoring case, gets " (2)", " (3)", ... in
// place of its last characters where it would grow beyond 31. Characters are
// those a reader of the workbook sees: a byte that is not UTF-8 is a
// Windows-1252 character, a reference the caller wrote is the character it
// stands for. The name keeps the caller's bytes, so a name that needs no
// change is written exactly as before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace mfreport::markup {

/// Rows of a worksheet that spreadsheet programs keep.
constexpr int64_t kSheetRows = 1048576;
/// Records of a table on one worksheet, below its head row; a longer table
/// goes on on further worksheets.
constexpr int64_t kRecordsPerSheet = kSheetRows - 1;
/// The longest worksheet name, in UTF-16 units.
constexpr size_t kNameUnits = 31;

/// The names of the worksheets of one workbook, in order.
class SheetNames {
public:
    /// The name of the next worksheet, made from `tableName`; it is taken from
    /// then on.
    std::string add(std::string_view tableName);
    /// Worksheets named so far.
    size_t size() const { return count_; }

private:
    size_t count_ = 0;
    std::set<std::u32string> taken_; ///< the names so far, case folded
    /// The next number to try after a name, case folded and uncut.
    std::map<std::u32string, int64_t> nextNumber_;
};

/// A reference to `cells` of a worksheet: "Forces!R1". A name of anything
/// but ASCII letters, digits, "_" and ".", one that begins with a digit or
/// ".", and one that reads as a cell reference ("A1", "R1C1") is quoted, with
/// an apostrophe in it doubled: "'FORCES (2)'!R1".
std::string sheetReference(std::string_view sheetName, std::string_view cells);

/// The print titles of a worksheet, its first row, in R1C1 notation: "Forces!R1".
inline std::string printTitlesReference(std::string_view sheetName) {
    return sheetReference(sheetName, "R1");
}

} // namespace mfreport::markup
