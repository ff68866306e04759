#include "mfreport/docx/picture.h"

namespace mfreport::docx {

namespace {

constexpr std::string_view pngSignature = "\x89PNG\r\n\x1a\n";

uint32_t bigEndian(std::string_view bytes, size_t at, size_t count) {
    uint32_t value = 0;
    for (size_t k = 0; k < count; ++k) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + k]);
    }
    return value;
}

std::optional<Picture> readPng(std::string_view bytes) {
    // Signature, then the IHDR chunk: length, type, width, height.
    if (bytes.size() < 24 || bytes.substr(12, 4) != "IHDR") {
        return std::nullopt;
    }
    return Picture{bigEndian(bytes, 16, 4), bigEndian(bytes, 20, 4), "png", "image/png"};
}

bool isStartOfFrame(unsigned char marker) {
    // C0 to CF, except DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<Picture> readJpeg(std::string_view bytes) {
    size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) != 0xFF) {
            return std::nullopt;
        }
        const auto marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length
            at += 2;
            continue;
        }
        const uint32_t length = bigEndian(bytes, at + 2, 2);
        if (isStartOfFrame(marker)) {
            // Length, precision, height, width.
            if (length < 7 || at + 9 > bytes.size()) {
                return std::nullopt;
            }
            return Picture{bigEndian(bytes, at + 7, 2), bigEndian(bytes, at + 5, 2), "jpeg",
                           "image/jpeg"};
        }
        if (length < 2 || marker == 0xD9 || marker == 0xDA) {
            return std::nullopt;
        }
        at += 2 + length;
    }
    return std::nullopt;
}

} // namespace

std::optional<Picture> readPicture(std::string_view bytes) {
    std::optional<Picture> picture;
    if (bytes.substr(0, pngSignature.size()) == pngSignature) {
        picture = readPng(bytes);
    } else if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xFF\xD8\xFF") {
        picture = readJpeg(bytes);
    }
    if (picture && (picture->width <= 0 || picture->height <= 0)) {
        return std::nullopt;
    }
    return picture;
}

Extent extentOf(const Picture& picture, int64_t widest) {
    Extent extent{picture.width * kEmuPerPixel, picture.height * kEmuPerPixel};
    if (extent.cx > widest && widest > 0) {
        extent.cy = extent.cy * widest / extent.cx;
        extent.cx = widest;
    }
    return extent;
}

} // namespace mfreport::docx
