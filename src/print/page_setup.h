// The page manager's set-up: print unit, page geometry, the three heading
// blocks, the two accessors and the misuse report. Every routine works on the
// one PrimasState and ends the process through PRIERR when it is misused,
// including any call before the print defaults have been set.
#pragma once

#include <cstdint>
#include <string_view>

#include "mfreport/print/primas_state.h"
#include "mfreport/record/fixed_text.h"

namespace mfreport::print {

using record::FixedText;
using record::TextArray;
using record::TRMLEN;

/// Selects the print unit, 1 to 99.
void INIUNI(int32_t unit);

/// Sets lines per page (headings included, above the heading size), the line
/// width (at most 132; 79 selects the narrow heading layout), the line feeds
/// per written line (1 to page size - heading size - 1) and the logical
/// clear-after-write flag.
void INIPAG(int32_t page_size, int32_t line_width, int32_t line_feeds, int32_t clear_after_write);

/// Replaces the main heading by the first `count` (at most 5) lines; page
/// numbering restarts when bit 0 of `restart` is set.
void MAIHDG(TextArray lines, int32_t count, int32_t restart);

/// Replaces the sub heading by the first `count` (at most 5) lines; sub-page
/// numbering restarts when bit 0 of `restart` is set.
void SUBHDG(TextArray lines, int32_t count, int32_t restart);

/// Replaces the table heading by the first `count` (at most 15) lines, each
/// no longer than the line width.
void TABHDG(TextArray lines, int32_t count);

/// Lines used on the current page.
int32_t CURLIN();

/// Lines per page.
int32_t PAGLEN();

/// Reports a misuse of the page manager by `routine` on standard output,
/// winds up, walks back and ends the process with status 1.
[[noreturn]] void PRIERR(std::string_view routine, std::string_view message, int32_t value);

/// The message of a page manager used before its defaults are set.
inline constexpr std::string_view kImpermissibleUnit = "IMPERMISSIBLE FORTRAN UNIT NO.";

/// Ends the process through PRIERR, naming `routine`, when the print
/// defaults have not been set (unit 0).
inline void requireUnit(std::string_view routine) {
    if (primasState().unit == 0) {
        PRIERR(routine, kImpermissibleUnit, 0);
    }
}

} // namespace mfreport::print
