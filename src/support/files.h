// Opening sequential files by directory, name and extension, with one
// backup generation of a file that a new file replaces.
#pragma once

#include <cstdint>
#include <string_view>

namespace mfreport::support {

/// Longest full file name (directory, name and extension joined).
inline constexpr int32_t kMaxFileName = 255;

/// Opens `unit` on the trimmed directory, name and extension joined. The
/// status word is OLD, READ, APPEND, NEW, PRINT, SCRATCH or UNKNOWN (any
/// other word opens nothing and leaves iostat unchanged); NEW and PRINT first
/// back an existing file up under its name followed by ".bak". The form word
/// is FORMATTED, UNFORMATTED or IEEE-UNFORMATTED, optionally followed by "="
/// and a record length of up to 4 digits. A full name longer than 255
/// characters opens nothing and gives a non-zero iostat.
void OPNFIL(int32_t unit, std::string_view directory, std::string_view name,
            std::string_view extension, std::string_view status, std::string_view form,
            int32_t& iostat);

/// OPNFIL for a formatted print file; status NEW becomes PRINT.
void OPNPRT(int32_t unit, std::string_view directory, std::string_view name,
            std::string_view extension, std::string_view status, int32_t& iostat);

/// Closes a unit.
void CLSFIL(int32_t unit, int32_t& iostat);

/// Renames `old_name` to `new_name`, deleting an existing `new_name` first.
/// iostat: 0 done, -1 rename failed, 1 no old file, -2 a name of 256
/// characters or more.
void BAKFIL(std::string_view old_name, std::string_view new_name, int32_t& iostat);

} // namespace mfreport::support
