#include "mfreport/print/page_setup.h"

#include <algorithm>
#include <array>

#include "mfreport/print/heading_layout.h"
#include "mfreport/print/primas_state.h"
#include "mfreport/record/logical.h"
#include "mfreport/record/record_io.h"
#include "mfreport/support/windup.h"

namespace mfreport::print {

namespace {

constexpr std::string_view kBadUnit = kImpermissibleUnit;
constexpr std::string_view kPageTooSmall = "PAGE SIZE LESS THAN HEADING SIZE";

static_assert(kMaxSubLines == kMaxMainLines, "main and sub headings share their shape");

// One heading block as MAIHDG and SUBHDG see it.
struct HeadingBlock {
    bool main;
    std::string_view routine;
    std::string_view too_many_lines;
    std::string_view line_too_long;
    std::array<FixedString<kHeadingWidth>, kMaxMainLines>& lines;
    int32_t& lines_in_use;
    int32_t& counter;
    layout::TextField field;
};

// The first TRMLEN characters of `source`, blank-padded, into the field of
// `target`; the field must hold them.
void copyText(FixedText target, layout::TextField field, FixedText source) {
    const std::string_view text = source;
    record::assign(target.sub(field.first, field.first + field.length - 1),
                   text.substr(0, static_cast<size_t>(TRMLEN(text))));
}

// Checks a heading's new line count against its maximum and the page size and
// takes it (a negative count means no lines). Returns the count.
int32_t takeLineCount(std::string_view routine, std::string_view too_many_lines, int32_t max_lines,
                      int32_t& lines_in_use, int32_t count) {
    PrimasState& s = primasState();
    if (count > max_lines) {
        PRIERR(routine, too_many_lines, count);
    }
    const int32_t used = std::max(count, 0);
    s.heading_size = s.heading_size - lines_in_use + used;
    if (s.heading_size >= s.page_size) {
        PRIERR(routine, kPageTooSmall, s.heading_size);
    }
    lines_in_use = used;
    return used;
}

void setHeading(const HeadingBlock& block, TextArray source, int32_t count, int32_t restart) {
    requireUnit(block.routine);
    const int32_t width = primasState().line_width;
    for (auto& line : block.lines) {
        line.view().blank();
    }
    const int32_t used =
        takeLineCount(block.routine, block.too_many_lines, static_cast<int32_t>(block.lines.size()),
                      block.lines_in_use, count);
    if (used > 0) {
        for (int32_t i = 0; i < used; ++i) {
            const int32_t length = TRMLEN(source[i]);
            if (length > block.field.length) {
                PRIERR(block.routine, block.line_too_long, length);
            }
            copyText(block.lines[static_cast<size_t>(i)], block.field, source[i]);
        }
        if (block.main) {
            layout::putMainLabels(block.lines[0], width);
        } else {
            layout::putSubLabel(block.lines[static_cast<size_t>(used - 1)], width);
        }
    }
    if (record::isTrue(restart)) {
        block.counter = 0;
    }
}

} // namespace

void INIUNI(int32_t unit) {
    requireUnit("INIUNI");
    if (unit < record::kMinUnit || unit > record::kMaxUnit) {
        PRIERR("INIUNI", kBadUnit, unit);
    }
    primasState().unit = unit;
}

void INIPAG(int32_t page_size, int32_t line_width, int32_t line_feeds, int32_t clear_after_write) {
    requireUnit("INIPAG");
    PrimasState& s = primasState();
    if (page_size <= s.heading_size) {
        PRIERR("INIPAG", kPageTooSmall, s.heading_size);
    }
    s.page_size = page_size;
    if (line_width > kHeadingWidth) {
        PRIERR("INIPAG", "TOO MANY CHARACTERS PER LINE", line_width);
    }
    s.line_width = line_width;
    if (line_feeds < 1 || line_feeds > s.page_size - s.heading_size - 1) {
        PRIERR("INIPAG", "IMPERMISSIBLE NO. OF LINFEEDS", line_feeds);
    }
    s.line_feeds = line_feeds;
    s.clear_after_write = clear_after_write;
}

void MAIHDG(TextArray lines, int32_t count, int32_t restart) {
    PrimasState& s = primasState();
    setHeading({true, "MAIHDG", "TOO MANY LINES IN MAIN HEADING", "MAIN HEADING LINE TOO LONG",
                s.main_heading, s.main_lines, s.page_no, layout::mainTextField(s.line_width)},
               lines, count, restart);
}

void SUBHDG(TextArray lines, int32_t count, int32_t restart) {
    PrimasState& s = primasState();
    setHeading({false, "SUBHDG", "TOO MANY LINES IN SUB HEADING", "SUB HEADING LINE IS TOO LONG",
                s.sub_heading, s.sub_lines, s.sub_page_no, layout::subTextField(s.line_width)},
               lines, count, restart);
}

void TABHDG(TextArray lines, int32_t count) {
    requireUnit("TABHDG");
    PrimasState& s = primasState();
    for (auto& line : s.table_heading) {
        line.view().blank();
    }
    const int32_t used = takeLineCount("TABHDG", "TOO MANY LINES IN TABLE HEADING", kMaxTableLines,
                                       s.table_lines, count);
    for (int32_t i = 0; i < used; ++i) {
        const int32_t length = TRMLEN(lines[i]);
        if (length > s.line_width) {
            PRIERR("TABHDG", "TABLE HEADING LINE TOO LONG", length);
        }
        copyText(s.table_heading[static_cast<size_t>(i)], {1, kTableHeadingWidth}, lines[i]);
    }
}

int32_t CURLIN() {
    requireUnit("CURLIN");
    return primasState().line_count;
}

int32_t PAGLEN() {
    requireUnit("PAGLEN");
    return primasState().page_size;
}

void PRIERR(std::string_view routine, std::string_view message, int32_t value) {
    using Item = record::FreeItem;
    record::writeFree({Item(std::string_view("***** ILLEGAL USE OF \"PRIMAS\" MODULE *****"))});
    record::writeFree({Item(std::string_view("      SUBROUTINE: ")), Item(routine)});
    record::writeFree({Item(std::string_view("     ")), Item(message), Item(value)});
    support::WINDUP();
    support::WALK();
    support::STOPRC(1);
}

} // namespace mfreport::print
