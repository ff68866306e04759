// Today's date and time as texts, and conversion between the date forms
// YYMMDD, YYYYMMDD, DD-MMM-YY and DD-MMM-YYYY.
#pragma once

#include <string_view>

#include "mfreport/record/fixed_text.h"

namespace mfreport::support {

using record::FixedText;

/// Today's date as DD-MMM-YYYY; the field stays blank when it is shorter
/// than 11 characters.
void DATSTR(FixedText text);

/// The current time as hh:mm:ss, blank-padded (cut to a shorter field).
void TIMSTR(FixedText text);

/// Converts a date between the forms, told by the length of its first word:
/// 6 -> DD-MMM-YY, 8 -> DD-MMM-YYYY, 9 -> YYMMDD, 11 -> YYYYMMDD. The output
/// is left unchanged when the form is not known or the field is too short;
/// characters beyond the built form are kept.
void CNVDAT(std::string_view input, FixedText output);

} // namespace mfreport::support
