#include "mfreport/print/heading_layout.h"

#include <algorithm>

#include "mfreport/platform/clock.h"
#include "mfreport/record/edit.h"
#include "mfreport/record/fixed_text.h"
#include "mfreport/support/dates.h"

namespace mfreport::print::layout {

namespace {

bool isNarrow(int32_t width) {
    return width == kNarrowWidth;
}

// Width less `columns`; -1 (no room) below 0, so that no width overflows.
int32_t roomLeft(int32_t width, int32_t columns) {
    return static_cast<int32_t>(std::max<int64_t>(int64_t{width} - columns, -1));
}

// A counter right-justified in the six columns before the last one; six
// asterisks when it needs more digits.
void putCounter(FixedText line, int32_t width, int32_t value) {
    put(line, int64_t{width} - 6, record::editInteger(value, 6).value_or("******"));
}

} // namespace

TextField mainTextField(int32_t width) {
    return isNarrow(width) ? TextField{19, 48} : TextField{36, roomLeft(width, 50)};
}

TextField subTextField(int32_t width) {
    return isNarrow(width) ? TextField{19, 44} : TextField{36, roomLeft(width, 54)};
}

void put(FixedText line, int64_t column, std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const int64_t at = column + static_cast<int64_t>(i);
        if (at >= 1 && at <= line.size()) {
            line[static_cast<int32_t>(at - 1)] = text[i];
        }
    }
}

void putMainLabels(FixedText line, int32_t width) {
    put(line, int64_t{width} - 11, "PAGE: ");
    if (!isNarrow(width)) {
        put(line, 1, "DATE: ");
        put(line, 19, "TIME: ");
    }
}

void putSubLabel(FixedText line, int32_t width) {
    put(line, int64_t{width} - 15, "SUB PAGE: ");
}

void stampMainLine(FixedText line, int32_t width, int32_t page_no) {
    // Pages follow each other within a second: the texts of the last second
    // are kept.
    static platform::CivilTime shown{0, 0, 0, -1, 0, 0, 0};
    static record::FixedString<11> date;
    static record::FixedString<8> time;
    const platform::CivilTime now = platform::now();
    if (now.second != shown.second || now.minute != shown.minute || now.hour != shown.hour ||
        now.day != shown.day || now.month != shown.month || now.year != shown.year) {
        support::DATSTR(date);
        support::TIMSTR(time);
        shown = now;
    }
    if (isNarrow(width)) {
        put(line, 1, date);
        put(line, 13, std::string_view(time).substr(0, 5));
    } else {
        put(line, 7, date);
        put(line, 25, time);
    }
    putCounter(line, width, page_no);
}

void stampSubLine(FixedText line, int32_t width, int32_t sub_page_no) {
    putCounter(line, width, sub_page_no);
}

} // namespace mfreport::print::layout
