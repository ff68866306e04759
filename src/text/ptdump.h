// Field attributes with table defaults, and the print-state dump of the
// table formatter.
#pragma once

#include <cstdint>

namespace mfreport::text {

/// Attribute `attribute` (FieldAttribute) of field `field`; when it is 0,
/// the same attribute of the table's default field of the field's kind. A
/// field outside 1 to the fields used writes the dump and ends the process
/// through the page manager's error report.
int32_t PTGFPR(int32_t table, int32_t field, int32_t attribute);

/// Writes the formatter state to "PTDUMP.DMP" on the dump unit given to the
/// report set-up; an earlier dump is kept with ".bak" appended.
void PTDUMP();

} // namespace mfreport::text
