// Checks of a paged text report (".LIS") or its semicolon-separated form
// (".csv"): no line wider than the page and its carriage-control column (the
// semicolon-separated file: than its widest record), and page numbers that
// rise by one from page to page.
#pragma once

#include <string>
#include <string_view>

namespace mffuzz {

/// Characters of a print line: 131 of the page and the carriage-control column.
constexpr size_t kLongestLine = 132;

/// Characters of the widest line of a semicolon-separated file, whose records
/// are never folded: 36 columns, each at most a quoted name of 60 quotes (122
/// characters) with its separator and gap, after the carriage-control column.
/// Its legend lines (a quoted name and description) stay below it.
constexpr size_t kLongestSeparatedLine = 1 + 36 * (122 + 3);

/// "" when the report keeps to its page, otherwise what is wrong and where.
std::string textProblem(std::string_view report, size_t longest = kLongestLine);

} // namespace mffuzz
