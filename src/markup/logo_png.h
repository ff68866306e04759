// The logo of the word-processing page headers: a 91 x 63 pixel, 8-bit RGB PNG
// image (tools/make_logo.py draws it and writes logo_png.cpp).
#pragma once

#include <cstddef>

namespace mfreport::markup {

constexpr size_t logoPngSize = 1422;
extern const unsigned char logoPng[logoPngSize];

} // namespace mfreport::markup
