// Standard units, the wind-up and walk-back announcements and the stop.
#pragma once

#include <cstdint>

namespace mfreport::support {

/// Operation 1 stores the standard input and output units, operation 2
/// returns them (initially 5 and 6); any other operation does nothing.
void STDUNI(int32_t operation, int32_t& input_unit, int32_t& output_unit);

/// Writes the wind-up line to the standard output unit.
void WINDUP();

/// Writes the six walk-back lines to the standard output unit.
void WALK();

/// Ends the process with the given exit status; all units are flushed first.
[[noreturn]] void STOPRC(int32_t status);

} // namespace mfreport::support
