// Column layout of the main and sub heading lines, standard and narrow.
#pragma once

#include <cstdint>
#include <string_view>

#include "mfreport/record/fixed_text.h"

namespace mfreport::print::layout {

using record::FixedText;

/// The line width that selects the narrow layout.
inline constexpr int32_t kNarrowWidth = 79;

/// Where heading text goes in a heading line: first column (1-based) and
/// number of columns; the length is below 1 when there is no room.
struct TextField {
    int32_t first;
    int32_t length;
};

/// Text field of the main heading lines at line width `width`.
TextField mainTextField(int32_t width);
/// Text field of the sub heading lines at line width `width`.
TextField subTextField(int32_t width);

/// Copies `text` into `line` from column `column` on; characters that would
/// fall outside the line are left out.
void put(FixedText line, int64_t column, std::string_view text);

/// The labels of main heading line 1: "PAGE: " and, in the standard layout,
/// "DATE: " and "TIME: ".
void putMainLabels(FixedText line, int32_t width);
/// The "SUB PAGE: " label of the last sub heading line.
void putSubLabel(FixedText line, int32_t width);

/// Today's date and time and the page number into main heading line 1.
void stampMainLine(FixedText line, int32_t width, int32_t page_no);
/// The sub-page number into the last sub heading line.
void stampSubLine(FixedText line, int32_t width, int32_t sub_page_no);

} // namespace mfreport::print::layout
