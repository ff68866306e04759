// What the first pass learns about the columns of a table, and the columns
// of the report made from it and from the --column settings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <mfreport/mfreport.h>

#include "csv.h"
#include "options.h"

namespace mfreport::cli {

/// A value that keeps a column from being of a type, for the message.
struct Counterexample {
    bool found = false;
    Position at;
    std::string text;
};

struct ColumnStats {
    std::uint64_t values = 0;   ///< non-empty fields
    Counterexample notInteger;  ///< first value that is no int
    Counterexample notNumber;   ///< first value that is no number
    Counterexample leadingZero; ///< first number written with a leading zero, as 007
    bool plain = true;          ///< every number in plain decimal notation
    int decimals = 0;           ///< most digits after the decimal mark
    double largest = 0;         ///< largest magnitude of the finite numbers
    double smallest = 0;        ///< smallest magnitude of the finite numbers other than 0
    bool negative = false;      ///< a number below zero
    size_t integerWidth = 0;    ///< longest integer as written without blanks
    size_t chars = 0;           ///< longest value in characters (UTF-8)
    size_t bytes = 0;           ///< longest value in bytes

    /// Counts the `field`-th value of the reader's record.
    void add(std::string_view value, const CsvReader& reader, size_t field, bool decimalComma);
};

/// One input as the first pass found it.
struct TableScan {
    std::string path;
    CsvFormat format;
    bool latin1 = false;
    bool decimalComma = false;
    std::vector<std::string> names; ///< header fields without surrounding blanks
    std::vector<ColumnStats> columns;
    std::uint64_t records = 0;
    std::uint64_t bytes = 0;
    std::uint64_t shortRecords = 0; ///< records padded with empty fields
    std::uint64_t firstShortLine = 0;
};

/// How `path` is read: the separator given or detected (tab for .tsv and
/// .tab names), quotes, comments and header row as the options say.
CsvFormat csvFormat(const std::string& path, const Options& options);

/// First pass over one input, or only its header row; throws Failure on bad input.
TableScan scanTable(const std::string& path, const Options& options, bool headerOnly = false);

/// Whether --column `spec` names the column `name` (in UTF-8 or Latin-1),
/// the `number`-th (1-based) of its table.
bool namesColumn(const ColumnSpec& spec, const std::string& name, size_t number);

/// A column of the report.
struct ColumnPlan {
    std::string name; ///< as the CSV header has it, in the input's encoding
    std::string description;
    std::string unit;
    double factor = 1.0;
    mfTableColumn::col_type type = mfTableColumn::STRING;
    mfTableColumn::fmt_type format = mfTableColumn::GENERAL;
    std::optional<mfTableColumn::adj_type> align;
    size_t width = 12;
    size_t decimals = 4;
};

/// Columns of one table: types inferred unless set, settings applied, widths
/// chosen; throws Failure when a setting cannot be met.
std::vector<ColumnPlan> planColumns(const TableScan& scan, const Options& options, Kind kind);

/// The text width of a page of the document and the XHTML page, in the
/// columns' width units (6 points).
constexpr size_t kPageWidth = 72;

/// Cells per output row for a table of the document or the XHTML page wider
/// than the page (0 when it fits): the most whose widest column at each
/// place of the folded rows still fit the page width. The columns at one
/// place get that widest width, so that every folded cell is as wide as the
/// widest value below the grid column it stands in.
size_t foldColumns(std::vector<ColumnPlan>& columns);

} // namespace mfreport::cli
