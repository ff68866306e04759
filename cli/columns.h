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
    std::uint64_t values = 0;  ///< non-empty fields
    Counterexample notInteger; ///< first value that is no int
    Counterexample notNumber;  ///< first value that is no number
    bool plain = true;         ///< every number in plain decimal notation
    int decimals = 0;          ///< most digits after the decimal mark
    double largest = 0;        ///< largest magnitude of the finite numbers
    bool negative = false;     ///< a number below zero
    size_t integerWidth = 0;   ///< longest integer as written without blanks
    size_t chars = 0;          ///< longest value in characters (UTF-8)
    size_t bytes = 0;          ///< longest value in bytes

    void add(std::string_view value, Position at, bool decimalComma);
};

/// One input as the first pass found it.
struct TableScan {
    std::string path;
    char separator = ',';
    bool latin1 = false;
    bool decimalComma = false;
    std::vector<std::string> names; ///< header fields without surrounding blanks
    std::vector<ColumnStats> columns;
    std::uint64_t records = 0;
    std::uint64_t bytes = 0;
};

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

} // namespace mfreport::cli
