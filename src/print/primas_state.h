// The page manager's process-wide state record.
#pragma once

#include <array>
#include <cstdint>

#include "mfreport/record/fixed_text.h"
#include "mfreport/record/logical.h"

namespace mfreport::print {

using record::FixedString;

inline constexpr int32_t kMaxMainLines = 5;
inline constexpr int32_t kMaxSubLines = 5;
inline constexpr int32_t kMaxTableLines = 15;
inline constexpr int32_t kHeadingWidth = 132;
inline constexpr int32_t kTableHeadingWidth = 1310;

/// Page state of the one print file being paged. Zero state (unit 0) means
/// that the print defaults have not been set yet.
struct PrimasState {
    int32_t unit = 0;              ///< print unit, 1 to 99 once initialised
    int32_t page_size = 0;         ///< lines per page, headings included
    int32_t line_width = 0;        ///< characters per line, at most 132
    int32_t line_feeds = 0;        ///< lines each written line advances
    int32_t line_count = 0;        ///< lines used on the current page
    int32_t page_no = 0;           ///< page counter (main heading)
    int32_t sub_page_no = 0;       ///< sub-page counter (sub heading)
    int32_t main_lines = 0;        ///< main heading lines in use, 0 to 5
    int32_t sub_lines = 0;         ///< sub heading lines in use, 0 to 5
    int32_t table_lines = 0;       ///< table heading lines in use, 0 to 15
    int32_t heading_size = 0;      ///< main_lines + sub_lines + table_lines
    int32_t clear_after_write = 0; ///< logical: blank the caller's line after writing
    char page_advance_char = '\0'; ///< written alone as the first record of a page
    std::array<FixedString<kHeadingWidth>, kMaxMainLines> main_heading;
    std::array<FixedString<kHeadingWidth>, kMaxSubLines> sub_heading;
    std::array<FixedString<kTableHeadingWidth>, kMaxTableLines> table_heading;
};

/// The process's one page state.
inline PrimasState& primasState() {
    static PrimasState state;
    return state;
}

} // namespace mfreport::print
