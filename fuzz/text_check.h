// Checks of a paged text report (".LIS") or its semicolon-separated form
// (".csv"): no line wider than the page and its carriage-control column, and
// page numbers that rise by one from page to page.
#pragma once

#include <string>
#include <string_view>

namespace mffuzz {

/// Characters of a print line: 131 of the page and the carriage-control column.
constexpr size_t kLongestLine = 132;

/// "" when the report keeps to its page, otherwise what is wrong and where.
std::string textProblem(std::string_view report);

} // namespace mffuzz
