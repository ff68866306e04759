// Who runs the program and where: user, account, installation, processor,
// operating system and host id for the banner's identification block. Every
// value is fetched once per process and then kept.
#pragma once

#include <cstdint>

#include "mfreport/record/fixed_text.h"

namespace mfreport::support {

using record::FixedText;

/// The login name (kept at 20 characters; blank when unknown), the account
/// (always blank) and the logical batch flag of ISBATCH.
void USRINF(FixedText user, FixedText account, int32_t& batch);

/// The installation text (the ident INSTALLATION, a blank and the computer
/// name), the processor type number, the operating-system text, the host id
/// (not negative) and the logical upper-case flag of ISUPPER. The first call
/// computes all five; later calls return the kept values.
void SYSINF(FixedText installation, FixedText processor, FixedText system, int32_t& host_id,
            int32_t& upper);

/// Number of text lines of the terminal window: always 0 (no answer).
void SCRLIN(int32_t& lines);

/// Forgets the kept values, so that the next calls fetch them again.
void resetHostInfo();

} // namespace mfreport::support
