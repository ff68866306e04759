// The print defaults: the page state before any unit, page or heading is set.
#pragma once

namespace mfreport::print {

/// Sets the page manager's state to the print defaults: unit 6, 60 lines of
/// 132 characters ("PRINT-PAGESIZE" may change the page size), form feed as
/// the page-advance character ("PRINT-FORMFEED" FORTRAN gives "1"), no
/// headings, and the caller's line cleared after each write.
void PRTDEF();

} // namespace mfreport::print
