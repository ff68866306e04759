// The channel routines between the text device and the table formatter: the
// report set-up, the program identity, the named output channels and the
// report file kept under the channel "PFILE". Every routine reports through
// `status` (FormatterStatus; 0 = success) and changes nothing when it fails.
#pragma once

#include <cstdint>
#include <string_view>

#include "mfreport/record/fixed_text.h"

namespace mfreport::text {

/// Resets the whole formatter and report state and records the unit of the
/// print-state dump. Every channel slot gets the directory "[]", the name
/// "PRIMAX" and the extension ".LIS"; the report file name becomes
/// "**UNDEFINED**".
void PTINIT(int32_t dump_unit, int32_t& status);

/// Program identity: main heading line 1 becomes the 60-character line
/// "PROGRAM: " + suite (8) + " " + name (9) + " " + version (7) + " " +
/// date (11), line 2 is blank and the extra lines follow (at most 4: more
/// give status 3). Keeps the banner fields.
void PTPRID(std::string_view suite, std::string_view name, std::string_view description,
            std::string_view version, std::string_view update, std::string_view notes,
            std::string_view date, int32_t extra_count, record::TextArray extra_lines,
            int32_t& status);

/// Defines a channel of kind 0 (print), 1 (screen) or 2 (semicolon-separated)
/// on a unit; returns its number. A print channel starts with 131 columns
/// and 60 lines, a screen channel with 79 columns and 24 lines.
void PTDCHN(std::string_view name, int32_t unit, int32_t kind, int32_t& channel, int32_t& status);

/// Sets page length and width (cut to 1310) of a channel, each only when positive.
void PTGEOM(int32_t channel, int32_t page_length, int32_t width, int32_t& status);

/// Sets the channel's directory and file name; the extension becomes ".csv"
/// on a semicolon-separated channel and ".LIS" otherwise.
void PTSFIL(std::string_view name, std::string_view directory, std::string_view file,
            int32_t& status);

/// Looks a channel up by name; it becomes the channel that tables are set up on.
void PTFCHN(std::string_view name, int32_t& channel, int32_t& status);

/// Closes the channel's file (every channel's when bit 0 of `all` is set) if
/// it is open. A channel number outside the defined ones gives status 2.
void PTCLOS(int32_t all, int32_t channel, int32_t& status);

/// The report file: "open" (close the recorded report channel's file, then
/// name the file of "PFILE" and record the channel), "close" (close the
/// recorded channel's file and record none) or "default" (with no channel
/// recorded, "open" with the kept name, "REPORT" while it is undefined).
void PTREPF(std::string_view operation, std::string_view file, int32_t& status);

/// Unit of a channel; 0 when the channel is not defined.
int32_t channelUnit(int32_t channel);

} // namespace mfreport::text
