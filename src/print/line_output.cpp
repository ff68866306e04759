#include "mfreport/print/line_output.h"

#include <algorithm>
#include <limits>

#include "mfreport/print/heading_layout.h"
#include "mfreport/print/page_setup.h"
#include "mfreport/print/primas_state.h"
#include "mfreport/record/logical.h"
#include "mfreport/record/record_io.h"

namespace mfreport::print {

namespace {

using namespace record::item;

// Widest text a print line carries after its carriage-control column.
constexpr int32_t kPrintTextWidth = 131;

// Adds to a counter, stopping at the largest value.
void advance(int32_t& counter, int32_t by) {
    counter = static_cast<int32_t>(
        std::min<int64_t>(int64_t{counter} + by, std::numeric_limits<int32_t>::max()));
}

// The first `n` characters of the text (none for n below 1).
std::string_view head(std::string_view text, int32_t n) {
    return text.substr(0, static_cast<size_t>(std::clamp<int64_t>(n, 0, int64_t(text.size()))));
}

// `count` lines of line_feeds each fit below the page end.
bool linesFit(const PrimasState& s, int32_t count) {
    return count != 0 && int64_t{s.line_count} + int64_t{s.line_feeds} * count < s.page_size;
}

void writeRaw(std::string_view text) {
    record::writeLine(primasState().unit, text);
}

// A print text line: the carriage-control blank, then the text.
void printLine(std::string_view text) {
    record::writeLine(primasState().unit, " ", text);
}

// A screen text line: the text without trailing blanks, at least one character.
void screenLine(std::string_view text) {
    const int32_t length = record::trimmedLength(text);
    SCRREC(length > 0 ? head(text, length) : std::string_view(" "));
}

// A heading line on a print page, counted: `width` characters as they are, or
// trimmed of trailing blanks and NULs to at most `width` (at least one).
void printHeadingLine(std::string_view line, int32_t width, bool trimmed) {
    PrimasState& s = primasState();
    advance(s.line_count, 1);
    const std::string_view text = head(line, width);
    printLine(trimmed ? head(line, std::max(TRMLEN(text), 1)) : text);
}

void printSeparator() {
    advance(primasState().line_count, 1);
    writeRaw("  ");
}

// The table heading lines of a print page, counted.
void printTableHeading(bool trimmed) {
    PrimasState& s = primasState();
    for (int32_t i = 0; i < s.table_lines; ++i) {
        printHeadingLine(s.table_heading[static_cast<size_t>(i)],
                         std::min(s.line_width, kPrintTextWidth), trimmed);
    }
}

// The table heading lines of a screen page requested by the caller, counted.
void screenTableHeading() {
    PrimasState& s = primasState();
    for (int32_t i = 0; i < s.table_lines; ++i) {
        const std::string_view line = s.table_heading[static_cast<size_t>(i)];
        advance(s.line_count, 1);
        screenLine(head(line, std::min(TRMLEN(line), s.line_width)));
    }
}

// A new print page: page-advance record and headings. A page requested by the
// caller has trimmed headings with separators and the table heading as
// `mode` says; a forced one has full-width headings and the table heading.
void beginPrintPage(bool requested, int32_t mode) {
    PrimasState& s = primasState();
    const int32_t width = s.line_width;
    const int32_t textWidth = std::min(width, kPrintTextWidth);
    s.line_count = 0;
    writeRaw(std::string_view(&s.page_advance_char, 1));
    if (s.main_lines > 0) {
        advance(s.page_no, 1);
        layout::stampMainLine(s.main_heading[0], width, s.page_no);
        for (int32_t i = 0; i < s.main_lines; ++i) {
            printHeadingLine(s.main_heading[static_cast<size_t>(i)], textWidth, requested);
        }
        if (requested) {
            printSeparator();
        }
    }
    if (s.sub_lines > 0) {
        advance(s.sub_page_no, 1);
        layout::stampSubLine(s.sub_heading[static_cast<size_t>(s.sub_lines - 1)], width,
                             s.sub_page_no);
        for (int32_t i = 0; i < s.sub_lines; ++i) {
            printHeadingLine(s.sub_heading[static_cast<size_t>(i)], textWidth, requested);
        }
        if (requested) {
            printSeparator();
        }
    }
    if (!requested || mode >= kTableHeadingOnPage) {
        printTableHeading(requested);
    }
}

// Blanks the caller's line when the clear-after-write flag is set; then the
// extra line feeds, each a record of one blank.
void finishLine(FixedText line) {
    PrimasState& s = primasState();
    if (record::isTrue(s.clear_after_write)) {
        line.blank();
    }
    for (int32_t feed = 1; feed < s.line_feeds; ++feed) {
        advance(s.line_count, 1);
        writeRaw(" ");
    }
}

} // namespace

void WRLINE(FixedText line) {
    requireUnit("WRLINE");
    PrimasState& s = primasState();
    const int32_t length = line.size();
    if (length > s.line_width) {
        CHGPAG(5);
        advance(s.line_count, 5);
        record::writeRecord(s.unit, {BR, BR, BR, A("  ***WARNING*** FROM PRINT MODULE. "), BR,
                                     A(" NEXT LINE HAS "), I(length, 4),
                                     A(" CHARACTERS - TRUNCATED TO"), I(s.line_width, 4)});
    }
    if (s.line_count >= s.page_size) {
        CHGPAG(0);
    }
    advance(s.line_count, 1);
    printLine(head(line, std::min({length, s.line_width, kPrintTextWidth})));
    finishLine(line);
}

void WRWIDE(FixedText line) {
    requireUnit("WRWIDE");
    PrimasState& s = primasState();
    if (s.line_count >= s.page_size) {
        CHGPAG(0);
    }
    advance(s.line_count, 1);
    printLine(line);
    finishLine(line);
}

void CHGPAG(int32_t count) {
    requireUnit("CHGPAG");
    if (!linesFit(primasState(), count)) {
        beginPrintPage(false, kTableHeadingOnPage);
    }
}

void NEWPAG(int32_t count, int32_t mode) {
    requireUnit("NEWPAG");
    if (!linesFit(primasState(), count)) {
        beginPrintPage(true, mode);
    } else if (mode == kTableHeadingAlways) {
        printTableHeading(true);
    }
}

void WRSCR(FixedText line) {
    requireUnit("WRSCR");
    PrimasState& s = primasState();
    const int32_t length = line.size();
    if (length > s.line_width) {
        CHGSCR(5);
        advance(s.line_count, 5);
        SCRREC("** Print WARNING: Next line truncated");
    }
    if (s.line_count >= s.page_size) {
        CHGSCR(0);
    }
    advance(s.line_count, 1);
    screenLine(head(line, std::min(length, s.line_width)));
    finishLine(line);
}

void CHGSCR(int32_t count) {
    requireUnit("CHGSCR");
    PrimasState& s = primasState();
    if (linesFit(s, count)) {
        return;
    }
    s.line_count = 0;
    for (int32_t i = 0; i < s.table_lines; ++i) {
        advance(s.line_count, 1);
        const std::string_view line = s.table_heading[static_cast<size_t>(i)];
        screenLine(head(head(line, std::min(s.line_width, kTableHeadingWidth)), kHeadingWidth));
    }
}

void NEWSCR(int32_t count, int32_t mode) {
    requireUnit("NEWSCR");
    PrimasState& s = primasState();
    if (linesFit(s, count)) {
        if (mode == kTableHeadingAlways) {
            screenTableHeading();
        }
        return;
    }
    s.line_count = 0;
    if (mode >= kTableHeadingOnPage) {
        screenTableHeading();
    }
}

void SCRREC(std::string_view text) {
    requireUnit("SCRREC");
    writeRaw(text);
}

} // namespace mfreport::print
