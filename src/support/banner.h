// The title page of a print file: product word, program name in a box of
// asterisks, title, support line, identification block, special notes, the
// ownership notice and the local address lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "mfreport/platform/maker.h"

namespace mfreport::support {

/// The maker the banner page names: the text device sets it, when it is
/// made, from the process-wide maker. The defaults until then.
void setBannerMaker(const Maker& maker);
const Maker& bannerMaker();

/// "Marketing and Support by " and the maker's name.
std::string supportLine(std::string_view maker);
/// "This program is the property of ", the maker's name, ". All rights reserved."
std::string ownershipNotice(std::string_view maker);

/// Writes the banner page to `unit` (to standard output when `unit` is the
/// standard output unit of STDUNI). The style word selects the layout:
/// NONE writes nothing; SHORT and SHORT/SMALL give the 80-column page,
/// NARROW and NARROW/SMALL the same after a page eject, the /SMALL forms with
/// the product word spaced out; LONG and WIDE give the 132-column page with
/// the program name in big letters; any other word acts as LONG in a batch
/// run and as SHORT otherwise. The product word is the banner maker's suite
/// word: the block-letter art for the default word, another word in the big
/// letters of the program name (7 of the art's 10 rows, centred on the same
/// column), or spaced out with two blanks between its characters.
void BANNER(int32_t unit, std::string_view name, std::string_view title,
            std::string_view program_id, std::string_view update, std::string_view notes,
            std::string_view release_date, std::string_view style);

} // namespace mfreport::support
