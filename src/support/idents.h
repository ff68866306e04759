// Named settings of the run (idents) and text editing.
#pragma once

#include <cstdint>
#include <string_view>

#include "mfreport/record/fixed_text.h"
#include "mfreport/record/logical.h"

namespace mfreport::support {

using record::FixedText;
using record::kFalse;
using record::kTrue;
using record::TextArray;

/// Status codes of IDGSTR and IDGINT.
enum IdentStatus : int32_t {
    kIdentFound = 0,
    kIdentNotSet = 1,
    kIdentAmbiguous = 2,
    kIdentNotInteger = -1,
    kIdentCut = -4,
    kIdentNoMemory = -99,
};

/// Looks a key up in the record store. `operation` is "GET" (the values of
/// the record whose first word is the key), "GET-TAIL" (the text after
/// "key:") or "IDENTS" (the first words of all records beginning with the
/// key). Every value slot up to `max_values` that stays blank is set to ",".
void IDQUERY(std::string_view operation, std::string_view key, TextArray values, int32_t max_values,
             int32_t& count);

/// Gets ("GET") or puts ("PUT") value word `word` of one record.
void IDFIELD(std::string_view operation, FixedText record, int32_t word, FixedText value);

/// Text value of a typed ident, blank-padded into `value`.
void IDGSTR(std::string_view key, FixedText value, int32_t& status);

/// Integer value of a typed ident.
void IDGINT(std::string_view key, int32_t& value, int32_t& status);

/// Logical: true (all bits set) when the run mode is BATCH; asked once.
int32_t ISBATCH();

/// Logical: true when the letter case is UPPER.
int32_t ISUPPER();

/// Edits the text in place as the mode word says (U, LO, LE, I, R, C, H+,
/// H-, X:, T-).
void EDTSTR(FixedText text, std::string_view mode);

} // namespace mfreport::support
