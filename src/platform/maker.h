// The maker of the calling program: the name and the suite word that the
// reports show. One setting for the whole process.
#pragma once

#include <cstddef>
#include <string>

namespace mfreport {

/// The maker's name (the listing's banner support line and ownership notice,
/// the document's footer) and the suite word (the listing's program heading
/// "PROGRAM: <suite> ...", the banner's product word).
struct Maker {
    std::string name = "ZEB Software";
    std::string suite = "KALDU";
};

/// Longest maker's name and suite word kept, in bytes.
inline constexpr size_t kMakerNameLength = 40;
inline constexpr size_t kSuiteWordLength = 8;

/// Sets the maker for the devices made afterwards; a device keeps the maker
/// it was made with. Control characters become blanks, blanks at either end
/// are dropped, and the texts are cut to their longest lengths (never inside
/// a UTF-8 character). Answers false, and changes nothing, when either text
/// is then empty.
bool setMaker(const std::string& name, const std::string& suite);

/// The maker as set; the defaults until setMaker succeeds.
const Maker& maker();

} // namespace mfreport
