// The title page of a print file: product word, program name in a box of
// asterisks, title, support line, identification block, special notes, the
// ownership notice and the local address lines.
#pragma once

#include <cstdint>
#include <string_view>

namespace mfreport::support {

/// The ownership notice line of the banner page.
inline constexpr std::string_view kOwnershipNotice =
    "This program is the property of ZEB Software. All rights reserved.";

/// Writes the banner page to `unit` (to standard output when `unit` is the
/// standard output unit of STDUNI). The style word selects the layout:
/// NONE writes nothing; SHORT and SHORT/SMALL give the 80-column page,
/// NARROW and NARROW/SMALL the same after a page eject, the /SMALL forms with
/// the product word spaced out; LONG and WIDE give the 132-column page with
/// the program name in big letters; any other word acts as LONG in a batch
/// run and as SHORT otherwise.
void BANNER(int32_t unit, std::string_view name, std::string_view title,
            std::string_view program_id, std::string_view update, std::string_view notes,
            std::string_view release_date, std::string_view style);

} // namespace mfreport::support
