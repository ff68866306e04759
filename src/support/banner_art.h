// The art of the banner page: the product word in block letters and a font
// of big letters for the program name.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace mfreport::support {

/// Rows and longest row of the product word art.
inline constexpr int32_t kProductArtRows = 10;
inline constexpr int32_t kProductArtWidth = 67;

/// The product word KALDU in block letters of asterisks. The spaced variant
/// leaves wider gaps between the letters; both are centred on column 34.
const std::array<std::string_view, kProductArtRows>& productWordArt(bool spaced);

/// Rows of a big letter.
inline constexpr int32_t kBigRows = 7;

/// Text drawn in big letters.
struct BigText {
    std::array<std::string, kBigRows> rows; ///< each `width` characters long
    int32_t width = 0;                      ///< columns used
};

/// Draws `text`, upper-cased, in big letters of "*" with two blank columns
/// between neighbouring glyphs. The font covers A to Z, 0 to 9, "." and
/// blank; other characters are skipped without taking space. Drawing stops
/// at the first glyph that would pass column `max_width`.
BigText drawBigText(std::string_view text, int32_t max_width);

} // namespace mfreport::support
