#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "mfreport/docx/picture.h"

namespace {

using mfreport::docx::extentOf;
using mfreport::docx::Picture;
using mfreport::docx::readPicture;

std::string be32(uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

std::string pngHeader(uint32_t width, uint32_t height) {
    return std::string("\x89PNG\r\n\x1a\n", 8) + be32(13) + "IHDR" + be32(width) + be32(height) +
           std::string("\x08\x02\x00\x00\x00", 5);
}

// SOI, an APP0 segment of 16 bytes, then SOF0: length 17, precision 8,
// height, width.
std::string jpegHeader(int marker, uint16_t width, uint16_t height) {
    std::string bytes("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 20);
    bytes += '\xFF';
    bytes += static_cast<char>(marker);
    bytes += std::string("\x00\x11\x08", 3);
    bytes += static_cast<char>(height >> 8);
    bytes += static_cast<char>(height & 0xFF);
    bytes += static_cast<char>(width >> 8);
    bytes += static_cast<char>(width & 0xFF);
    bytes += std::string("\x03\x01\x22\x00", 4);
    return bytes;
}

TEST(DocxPicture, ReadsTheSizeFromPngAndJpegHeaders) {
    const std::optional<Picture> png = readPicture(pngHeader(640, 480));
    ASSERT_TRUE(png);
    EXPECT_EQ(png->width, 640);
    EXPECT_EQ(png->height, 480);
    EXPECT_EQ(png->contentType, "image/png");

    for (int marker : {0xC0, 0xC2}) { // baseline and progressive
        const std::optional<Picture> jpeg = readPicture(jpegHeader(marker, 1024, 300));
        ASSERT_TRUE(jpeg) << marker;
        EXPECT_EQ(jpeg->width, 1024);
        EXPECT_EQ(jpeg->height, 300);
        EXPECT_EQ(jpeg->extension, "jpeg");
    }
}

TEST(DocxPicture, RefusesOtherOrCutBytes) {
    EXPECT_FALSE(readPicture(""));
    EXPECT_FALSE(readPicture("GIF89a this is no picture of ours"));
    EXPECT_FALSE(readPicture(pngHeader(640, 480).substr(0, 20)));
    EXPECT_FALSE(readPicture(pngHeader(0, 480)));
    EXPECT_FALSE(readPicture(jpegHeader(0xC0, 1024, 300).substr(0, 28)));
    // A huffman table marker (C4) is no frame: the scan that follows ends the search.
    EXPECT_FALSE(readPicture(std::string("\xFF\xD8\xFF\xC4\x00\x02\xFF\xDA\x00\x02", 10)));
}

TEST(DocxPicture, ShowsAtNinetySixPixelsAnInchScaledDownToTheTextWidth) {
    // 9525 units a pixel; 100 x 50 pixels fit.
    const auto small = extentOf(Picture{100, 50, "png", "image/png"}, 6120130);
    EXPECT_EQ(small.cx, 952500);
    EXPECT_EQ(small.cy, 476250);
    // 2000 x 1000 pixels (19050000 units wide) scale down to the width, half as high.
    const auto wide = extentOf(Picture{2000, 1000, "png", "image/png"}, 6120130);
    EXPECT_EQ(wide.cx, 6120130);
    EXPECT_EQ(wide.cy, 3060065);
}

} // namespace
