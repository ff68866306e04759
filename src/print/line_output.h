// Line output of the page manager: print lines with page changes and
// repeated headings, and the screen variant that repeats only the table
// heading and writes no page-advance records.
#pragma once

#include <cstdint>
#include <string_view>

#include "mfreport/record/fixed_text.h"

namespace mfreport::print {

using record::FixedText;

/// Table-heading modes of NEWPAG and NEWSCR.
enum TableHeadingMode : int32_t {
    kNoTableHeading = 0,     ///< never write the table heading
    kTableHeadingOnPage = 1, ///< write it at the top of a new page
    kTableHeadingAlways = 2, ///< also write it at the current position
};

/// Writes the line (its whole length) on the print unit after a blank
/// carriage-control column, starting a new page when the page is full. A line
/// longer than the line width is announced by a five-record warning and cut;
/// at most 131 characters are written. Blanks the line afterwards when the
/// clear-after-write flag is set.
void WRLINE(FixedText line);

/// Writes the line whole on the print unit, as WRLINE does but without
/// cutting it to the line width: a record of a semicolon-separated file stays
/// one line, however wide.
void WRWIDE(FixedText line);

/// Starts a new print page (page-advance record, then main, sub and table
/// heading lines at full width) unless `count` lines fit on the current one.
void CHGPAG(int32_t count);

/// Page break requested by the caller: as CHGPAG, but with heading lines
/// trimmed, a blank separator after the main and the sub heading, and the
/// table heading as `mode` says.
void NEWPAG(int32_t count, int32_t mode);

/// Writes the line on the screen channel, without trailing blanks.
void WRSCR(FixedText line);

/// Starts a new screen page (only the table heading) unless `count` lines fit.
void CHGSCR(int32_t count);

/// Page break on the screen channel requested by the caller.
void NEWSCR(int32_t count, int32_t mode);

/// Writes the text as one record without carriage-control column.
void SCRREC(std::string_view text);

} // namespace mfreport::print
