#include "mfreport/support/banner_art.h"

#include <cstddef>

namespace mfreport::support {

namespace {

// The product word, letters two columns apart (the art starts two columns in
// so that it is centred like the spaced variant).
constexpr std::array<std::string_view, kProductArtRows> kBlockArt = {
    "  ***     ***      ***      ***          ********     ***     ***",
    "  ***    ***      *****     ***          *********    ***     ***",
    "  ***   ***      *** ***    ***          ***   ****   ***     ***",
    "  ***  ***      ***   ***   ***          ***    ****  ***     ***",
    "  *** ***      ***     ***  ***          ***     ***  ***     ***",
    "  *******      ***     ***  ***          ***     ***  ***     ***",
    "  ***  ***     ***********  ***          ***    ****  ***     ***",
    "  ***   ***    ***********  ***          ***   ****   ****   ****",
    "  ***    ***   ***     ***  ***********  *********     *********",
    "  ***     ***  ***     ***  ***********  ********       *******",
};

// The product word, letters three columns apart.
constexpr std::array<std::string_view, kProductArtRows> kSpacedArt = {
    "***     ***       ***       ***           ********      ***     ***",
    "***    ***       *****      ***           *********     ***     ***",
    "***   ***       *** ***     ***           ***   ****    ***     ***",
    "***  ***       ***   ***    ***           ***    ****   ***     ***",
    "*** ***       ***     ***   ***           ***     ***   ***     ***",
    "*******       ***     ***   ***           ***     ***   ***     ***",
    "***  ***      ***********   ***           ***    ****   ***     ***",
    "***   ***     ***********   ***           ***   ****    ****   ****",
    "***    ***    ***     ***   ***********   *********      *********",
    "***     ***   ***     ***   ***********   ********        *******",
};

// The big-letter font: a bitmap of 7 rows by 372 columns, "#" for a set
// cell, kept as six bands of 62 columns side by side. Each band is written
// out here as its own 7 rows so that the glyphs can be read.
constexpr int32_t kBands = 6;
constexpr int32_t kBandWidth = 62;
constexpr int32_t kFontWidth = kBands * kBandWidth;

constexpr std::string_view kFontBands[kBands][kBigRows] = {
    // band 1: A B C D E F G
    {
        "  ###    ######    #####   #####    #######  #######   #####  ",
        " ## ##   ##   ##  ##   ##  ##  ##   ##       ##       ##   ## ",
        "##   ##  ##   ##  ##       ##   ##  ##       ##       ##      ",
        "##   ##  ######   ##       ##   ##  #####    #####    ##  ### ",
        "#######  ##   ##  ##       ##   ##  ##       ##       ##   ## ",
        "##   ##  ##   ##  ##   ##  ##  ##   ##       ##       ##   ## ",
        "##   ##  ######    #####   #####    #######  ##        #####  ",
    },
    // band 2: H I J K L M N
    {
        "##   ##  #######    #####  ##  ##   ##       ##   ##  ##   ## ",
        "##   ##    ###         ##  ## ##    ##       ### ###  ###  ## ",
        "##   ##    ###         ##  ####     ##       #######  #### ## ",
        "#######    ###         ##  ###      ##       ## # ##  ## #### ",
        "##   ##    ###    ##   ##  ####     ##       ##   ##  ##  ### ",
        "##   ##    ###    ##   ##  ## ##    ##       ##   ##  ##   ## ",
        "##   ##  #######   #####   ##  ##   #######  ##   ##  ##   ## ",
    },
    // band 3: O P Q R S T U
    {
        " #####   ######    #####   ######    #####   #######  ##   ## ",
        "##   ##  ##   ##  ##   ##  ##   ##  ##   ##    ###    ##   ## ",
        "##   ##  ##   ##  ##   ##  ##   ##  ##         ###    ##   ## ",
        "##   ##  ######   ##   ##  ######    #####     ###    ##   ## ",
        "##   ##  ##       ## # ##  ## ##         ##    ###    ##   ## ",
        "##   ##  ##       ##  ##   ##  ##   ##   ##    ###    ##   ## ",
        " #####   ##        #### #  ##   ##   #####     ###     #####  ",
    },
    // band 4: V W X Y Z 0 1
    {
        "##   ##  ##   ##  ##   ##  ##   ##  #######   #####     ##    ",
        "##   ##  ##   ##  ##   ##  ##   ##       ##  ##   ##   ###    ",
        "##   ##  ##   ##   ## ##    ## ##       ##   ##  ###  ####    ",
        "##   ##  ## # ##    ###      ###       ##    ## # ##    ##    ",
        " ## ##   #######   ## ##     ###      ##     ###  ##    ##    ",
        "  ###    ### ###  ##   ##    ###     ##      ##   ##    ##    ",
        "   #     ##   ##  ##   ##    ###    #######   #####   #####   ",
    },
    // band 5: 2 3 4 5 6 7 8
    {
        " #####    #####      ###   #######   #####   #######   #####  ",
        "##   ##  ##   ##    ####   ##       ##            ##  ##   ## ",
        "     ##       ##   ## ##   ######   ##           ##   ##   ## ",
        "  ####     ####   ##  ##        ##  ######      ##     #####  ",
        " ##           ##  #######       ##  ##   ##    ##     ##   ## ",
        "##       ##   ##      ##   ##   ##  ##   ##    ##     ##   ## ",
        "#######   #####       ##    #####    #####     ##      #####  ",
    },
    // band 6: 9 . blank
    {
        " #####                                                        ",
        "##   ##                                                       ",
        "##   ##                                                       ",
        " ######                                                       ",
        "     ##                                                       ",
        "     ##   ###                                                 ",
        " #####    ###                                                 ",
    },
};

struct Glyph {
    char c;
    int32_t band;  ///< 1 to 6
    int32_t start; ///< first column within the band, 1 to 62
    int32_t width;
};

constexpr Glyph kGlyphs[] = {
    {'A', 1, 1, 7},  {'B', 1, 10, 7}, {'C', 1, 19, 7}, {'D', 1, 28, 7}, {'E', 1, 37, 7},
    {'F', 1, 46, 7}, {'G', 1, 55, 7}, {'H', 2, 1, 7},  {'I', 2, 10, 7}, {'J', 2, 19, 7},
    {'K', 2, 28, 6}, {'L', 2, 37, 7}, {'M', 2, 46, 7}, {'N', 2, 55, 7}, {'O', 3, 1, 7},
    {'P', 3, 10, 7}, {'Q', 3, 19, 7}, {'R', 3, 28, 7}, {'S', 3, 37, 7}, {'T', 3, 46, 7},
    {'U', 3, 55, 7}, {'V', 4, 1, 7},  {'W', 4, 10, 7}, {'X', 4, 19, 7}, {'Y', 4, 28, 7},
    {'Z', 4, 37, 7}, {'0', 4, 46, 7}, {'1', 4, 55, 5}, {'2', 5, 1, 7},  {'3', 5, 10, 7},
    {'4', 5, 19, 7}, {'5', 5, 28, 7}, {'6', 5, 37, 7}, {'7', 5, 46, 7}, {'8', 5, 55, 7},
    {'9', 6, 1, 7},  {'.', 6, 10, 5}, {' ', 6, 19, 7},
};

constexpr bool bandsAreWhole() {
    for (const auto& band : kFontBands) {
        for (const std::string_view row : band) {
            if (row.size() != static_cast<size_t>(kBandWidth)) {
                return false;
            }
        }
    }
    return true;
}
static_assert(bandsAreWhole(), "every band row is 62 columns");

struct Bitmap {
    char cells[kBigRows][kFontWidth];
};

constexpr Bitmap makeBitmap() {
    Bitmap bitmap{};
    for (int32_t band = 0; band < kBands; ++band) {
        for (int32_t row = 0; row < kBigRows; ++row) {
            const std::string_view line = kFontBands[band][row];
            for (int32_t col = 0; col < kBandWidth; ++col) {
                bitmap.cells[row][band * kBandWidth + col] = line[static_cast<size_t>(col)];
            }
        }
    }
    return bitmap;
}

constexpr Bitmap kBitmap = makeBitmap();

const Glyph* findGlyph(char c) {
    if (c >= 'a' && c <= 'z') {
        c = static_cast<char>(c - 'a' + 'A');
    }
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.c == c) {
            return &glyph;
        }
    }
    return nullptr;
}

} // namespace

const std::array<std::string_view, kProductArtRows>& productWordArt(bool spaced) {
    return spaced ? kSpacedArt : kBlockArt;
}

BigText drawBigText(std::string_view text, int32_t max_width) {
    BigText big;
    for (const char c : text) {
        const Glyph* glyph = findGlyph(c);
        if (glyph == nullptr) {
            continue;
        }
        const int32_t gap = big.width > 0 ? 2 : 0;
        if (big.width + gap + glyph->width > max_width) {
            break;
        }
        const int32_t first = (glyph->band - 1) * kBandWidth + glyph->start - 1;
        for (int32_t row = 0; row < kBigRows; ++row) {
            std::string& line = big.rows[static_cast<size_t>(row)];
            line.append(static_cast<size_t>(gap), ' ');
            for (int32_t col = first; col < first + glyph->width; ++col) {
                line += kBitmap.cells[row][col] == '#' ? '*' : ' ';
            }
        }
        big.width += gap + glyph->width;
    }
    return big;
}

} // namespace mfreport::support
