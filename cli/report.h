// The second pass: the report written through the library's device.
#pragma once

#include <vector>

#include "columns.h"
#include "options.h"
#include "output.h"

namespace mfreport::cli {

/// Writes the tables of `scans` with their `columns` into `output`; throws
/// Failure when an input changed since the first pass or the report cannot
/// be written.
void writeReport(const Options& options, Kind kind, const std::vector<TableScan>& scans,
                 const std::vector<std::vector<ColumnPlan>>& columns, OutputFile& output);

} // namespace mfreport::cli
