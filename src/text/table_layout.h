// How the formatter lays a table out on a channel: columns in definition
// order packed into record lines of at most the line width (one line of any
// width on a semicolon-separated channel), two blanks between columns,
// continuation lines indented by four; a value field narrower than its column
// sits at the column's right end (centred for adjustment 2). The table heading shows the names over
// their columns (right-aligned over numbers, left over text) and a rule line; the column legend
// lists names with descriptions once, above the first record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mfreport::text {

inline constexpr int32_t kColumnGap = 2;
inline constexpr int32_t kContinuationIndent = 4;

/// Splits the text at blanks into lines of at most `width` characters (a
/// longer word is split). With `max_lines` above 0 only that many lines are
/// kept and a text cut short ends with "...".
std::vector<std::string> wrapText(std::string_view text, int32_t width, int32_t max_lines = 0);

/// Lays out the fields of the table in slot `slot` (0-based) for lines of
/// `width` characters; on a semicolon-separated channel the record is one
/// line, however wide, and each field notes the position of its separator.
/// Sets the lines per record.
void layOutTable(int32_t slot, int32_t width, bool separated);

/// The table heading: the names of record lines 1 to `named_lines`, then the
/// rule line; none for a table without columns. Fields on later lines are
/// marked as named only in the legend. A semicolon-separated heading is as
/// wide as its record, its names holding ";" or '"' quoted.
std::vector<std::string> tableHeading(int32_t slot, int32_t named_lines, int32_t width,
                                      bool separated);

/// The column legend: "name : description" for every column with a
/// description or without a name in the table heading, wrapped to `width`;
/// on a semicolon-separated channel one line per column, quoted when it
/// holds ";" or '"'.
std::vector<std::string> columnLegend(int32_t slot, int32_t width, bool separated);

} // namespace mfreport::text
