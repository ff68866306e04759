// The pixel size of a PNG or JPEG image, read from its header, and the size
// at which a document shows it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace mfreport::docx {

struct Picture {
    int64_t width = 0;            ///< pixels
    int64_t height = 0;           ///< pixels
    std::string_view extension;   ///< "png" or "jpeg"
    std::string_view contentType; ///< "image/png" or "image/jpeg"
};

/// The image in `bytes`: a PNG (its IHDR) or a JPEG (its first start-of-frame
/// marker). Nothing for any other bytes or a header that is cut short.
std::optional<Picture> readPicture(std::string_view bytes);

/// English metric units per pixel, at 96 pixels to the inch.
constexpr int64_t kEmuPerPixel = 9525;
/// English metric units per twentieth of a point.
constexpr int64_t kEmuPerTwip = 635;

struct Extent {
    int64_t cx = 0; ///< English metric units
    int64_t cy = 0;
};

/// The picture at 96 pixels to the inch, scaled down, proportions kept, to
/// `widest` English metric units when it is wider.
Extent extentOf(const Picture& picture, int64_t widest);

} // namespace mfreport::docx
