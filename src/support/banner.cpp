#include "mfreport/support/banner.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "mfreport/record/fixed_text.h"
#include "mfreport/record/logical.h"
#include "mfreport/record/record_io.h"
#include "mfreport/support/banner_art.h"
#include "mfreport/support/dates.h"
#include "mfreport/support/host_info.h"
#include "mfreport/support/idents.h"
#include "mfreport/support/windup.h"

namespace mfreport::support {

namespace {

using record::FixedString;
using record::TRMLEN;

constexpr int32_t kRows = 70;
constexpr int32_t kColumns = 131;

// The page as rows and columns counted from 1; writes outside it are dropped.
class PageImage {
public:
    PageImage() {
        for (auto& row : cells_) {
            row.fill(' ');
        }
    }

    // Text from the given column on; a text that would start left of
    // column 1 starts there instead.
    void put(int32_t row, int32_t column, std::string_view text) {
        column = std::max(column, 1);
        for (size_t i = 0; i < text.size() && column + static_cast<int32_t>(i) <= kColumns; ++i) {
            set(row, column + static_cast<int32_t>(i), text[i]);
        }
    }

    void set(int32_t row, int32_t column, char c) {
        if (row >= 1 && row <= kRows && column >= 1 && column <= kColumns) {
            cells_[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)] = c;
        }
    }

    void horizontal(int32_t row, int32_t from, int32_t to) {
        for (int32_t c = std::max(from, 1); c <= std::min(to, kColumns); ++c) {
            set(row, c, '*');
        }
    }

    void vertical(int32_t column, int32_t from, int32_t to) {
        for (int32_t r = std::max(from, 1); r <= std::min(to, kRows); ++r) {
            set(r, column, '*');
        }
    }

    std::string_view row(int32_t row) const {
        return {cells_[static_cast<size_t>(row - 1)].data(), kColumns};
    }

private:
    std::array<std::array<char, kColumns>, kRows> cells_;
};

struct Style {
    bool eject = false;
    bool narrow = false;
    bool small = false;
};

// Characters first to last (1-based) of the text, as far as it has them.
std::string_view part(std::string_view text, size_t first, size_t last) {
    if (first > text.size()) {
        return {};
    }
    return text.substr(first - 1, std::min(last, text.size()) - first + 1);
}

std::string_view trimmed(std::string_view text) {
    return text.substr(0, static_cast<size_t>(TRMLEN(text)));
}

// The product word in ten rows from `row` on, centred on column `centre`:
// the fixed art for the default suite word, big letters for another.
void putProductWord(PageImage& page, int32_t row, int32_t centre, bool spaced) {
    const std::string& suite = bannerMaker().suite;
    if (suite == Maker().suite) {
        const auto& art = productWordArt(spaced);
        for (int32_t i = 0; i < kProductArtRows; ++i) {
            page.put(row + i, centre - kProductArtWidth / 2, art[static_cast<size_t>(i)]);
        }
        return;
    }
    const BigText big = drawBigText(suite, kColumns - 2);
    for (int32_t i = 0; i < kBigRows; ++i) {
        page.put(row + 1 + i, centre - big.width / 2, big.rows[static_cast<size_t>(i)]);
    }
}

// Composes the 80-column page down to the box; returns the next free row.
int32_t composeNarrow(PageImage& page, const Style& style, std::string_view name,
                      std::string_view title) {
    const int32_t e = style.eject ? 1 : 0;
    int32_t top = 0;
    int32_t left = 0;
    int32_t right = 0;
    int32_t n = 0;
    if (style.small) {
        // Two blanks between the characters, centred on column 39.
        std::string spaced;
        for (const char c : bannerMaker().suite) {
            spaced += spaced.empty() ? "" : "  ";
            spaced += c;
        }
        page.put(5 + e, 39 - (static_cast<int32_t>(spaced.size()) - 1) / 2, spaced);
        top = 3;
        left = 28;
        right = 51;
        n = style.eject ? 9 : 7;
    } else {
        putProductWord(page, 4, 40, false);
        top = style.eject ? 20 : 16;
        left = 40;
        right = 40;
        n = style.eject ? 22 : 18;
    }

    // The name with a blank after every character.
    const int32_t l = TRMLEN(name);
    std::string spaced;
    for (int32_t i = 0; i < l && spaced.size() < 30; ++i) {
        spaced += name[static_cast<size_t>(i)];
        spaced += ' ';
    }
    page.put(n, 40 - l, spaced.substr(0, 30));
    if (right < 44 + l) {
        left = 35 - l;
        right = 44 + l;
    }

    const int32_t extra = style.small && style.eject ? 1 : 0;
    const int32_t t = n + 2 + extra;
    const std::string_view title1 = trimmed(part(title, 1, 80));
    const int32_t t1 = static_cast<int32_t>(title1.size());
    page.put(t, 40 - t1 / 2, title1);
    if (right < 45 + t1 - t1 / 2) {
        left = 35 - t1 / 2;
        right = 45 + t1 - t1 / 2;
    }

    const int32_t bottom = t + 2 + extra;
    page.horizontal(top, left, right);
    page.horizontal(bottom, left, right);
    page.vertical(left, top, bottom);
    page.vertical(right, top, bottom);
    return bottom + (style.eject ? 4 : 2);
}

// Composes the 132-column page down to the double box; returns the next free row.
int32_t composeWide(PageImage& page, std::string_view name, std::string_view title) {
    putProductWord(page, 7, 65, true);

    const BigText big = drawBigText(trimmed(name), kColumns);
    const int32_t w = big.width;
    const int32_t start = 65 - w / 2 >= 2 ? 65 - w / 2 : 1;
    for (int32_t i = 0; i < kBigRows; ++i) {
        page.put(24 + i, start, big.rows[static_cast<size_t>(i)]);
    }
    int32_t left = 65 - w / 2 - 7;
    int32_t right = 65 - w / 2 + w + 7;

    const std::string_view title1 = trimmed(part(title, 1, 80));
    const int32_t t1 = static_cast<int32_t>(title1.size());
    page.put(33, 65 - t1 / 2, title1);
    if (right < 65 - t1 / 2 + t1 + 6) {
        left = 65 - t1 / 2 - 7;
        right = 65 - t1 / 2 + t1 + 7;
    }

    for (const int32_t row : {20, 21, 36, 37}) {
        page.horizontal(row, left, right);
    }
    for (const int32_t column : {left, left + 1, right - 1, right}) {
        page.vertical(column, 20, 37);
    }
    return 40;
}

// The style flags of a style word; false for NONE.
bool chooseStyle(std::string_view word, Style& style) {
    using record::textEqual;
    if (textEqual(word, "NONE")) {
        return false;
    }
    if (textEqual(word, "SHORT")) {
        style = {false, true, false};
    } else if (textEqual(word, "SHORT/SMALL")) {
        style = {false, true, true};
    } else if (textEqual(word, "NARROW")) {
        style = {true, true, false};
    } else if (textEqual(word, "NARROW/SMALL")) {
        style = {true, true, true};
    } else if (textEqual(word, "LONG") || textEqual(word, "WIDE") || record::isTrue(ISBATCH())) {
        style = {true, false, false};
    } else {
        style = {false, true, false};
    }
    return true;
}

// The identification block from row i0 on, left entries in column cl (each
// ending before the right column), right entries in column cr. Returns the
// upper-case flag of the host information.
int32_t composeIdentification(PageImage& page, int32_t i0, int32_t cl, int32_t cr,
                              std::string_view program_id, std::string_view update,
                              std::string_view release_date) {
    FixedString<20> user;
    FixedString<20> account;
    int32_t batch = kFalse;
    USRINF(user, account, batch);
    FixedString<25> installation;
    FixedString<25> processor;
    FixedString<25> system;
    int32_t host_id = 0;
    int32_t upper = kFalse;
    SYSINF(installation, processor, system, host_id, upper);
    FixedString<11> date;
    FixedString<8> time;
    DATSTR(date);
    TIMSTR(time);
    char id[16];
    std::snprintf(id, sizeof id, "%010d", static_cast<int>(host_id));

    const auto left = [&](int32_t row, std::string_view label, std::string_view value) {
        const std::string text = std::string(label) + std::string(value);
        page.put(row, cl, std::string_view(text).substr(0, static_cast<size_t>(cr - cl - 1)));
    };
    const auto right = [&](int32_t row, std::string_view label, std::string_view value) {
        page.put(row, cr, std::string(label) + std::string(value));
    };
    left(i0, "Program id   : ", program_id);
    right(i0, "Computer         : ", processor);
    left(i0 + 1, "Release date : ", release_date);
    right(i0 + 1, "Impl. update     : ", update);
    left(i0 + 2, "Access time  : ", date.str() + " " + time.str());
    right(i0 + 2, "Operating system : ", system);
    if (TRMLEN(user) > 0) {
        left(i0 + 3, "User id      : ", user);
    }
    right(i0 + 3, "CPU id           : ", id);
    if (TRMLEN(account) > 0) {
        left(i0 + 4, "Account      : ", account);
    }
    right(i0 + 4, "Installation     : ", installation);
    return upper;
}

// Writes rows 1 to last, each at its trimmed length (1 to width characters).
void writeRows(const PageImage& page, int32_t unit, int32_t last, int32_t width, bool upper) {
    int32_t input = 0;
    int32_t output = 0;
    STDUNI(2, input, output);
    const int32_t target = unit == output ? record::kStandardOutput : unit;
    for (int32_t row = 1; row <= std::min(last, kRows); ++row) {
        std::string text(page.row(row).substr(0, static_cast<size_t>(width)));
        text.resize(static_cast<size_t>(std::max(TRMLEN(text), 1)));
        if (upper) {
            record::upperCase(text);
        }
        record::writeRecord(target, {record::item::A(text)});
    }
}

Maker& bannerMakerValue() {
    static Maker maker;
    return maker;
}

} // namespace

void setBannerMaker(const Maker& maker) {
    bannerMakerValue() = maker;
}

const Maker& bannerMaker() {
    return bannerMakerValue();
}

std::string supportLine(std::string_view maker) {
    return "Marketing and Support by " + std::string(maker);
}

std::string ownershipNotice(std::string_view maker) {
    return "This program is the property of " + std::string(maker) + ". All rights reserved.";
}

void BANNER(int32_t unit, std::string_view name, std::string_view title,
            std::string_view program_id, std::string_view update, std::string_view notes,
            std::string_view release_date, std::string_view style_word) {
    Style style;
    if (!chooseStyle(style_word, style)) {
        return;
    }
    const int32_t h = style.narrow ? 40 : 65;
    const int32_t cl = h - h / 2 - 17;
    const int32_t cr = h + h / 2 - 17;

    PageImage page;
    if (style.eject) {
        page.set(1, 1, '1');
    }
    int32_t r =
        style.narrow ? composeNarrow(page, style, name, title) : composeWide(page, name, title);

    // Title characters 81 to 160.
    const std::string_view title2 = trimmed(part(title, 81, 160));
    if (!title2.empty()) {
        page.put(r, h - static_cast<int32_t>(title2.size()) / 2, title2);
        r += style.narrow && style.eject ? 3 : 2;
    }
    const std::string support = supportLine(bannerMaker().name);
    page.put(r, h - static_cast<int32_t>(support.size()) / 2, support);

    const int32_t i0 = r + (style.eject ? 4 : 2);
    const int32_t upper = composeIdentification(page, i0, cl, cr, program_id, update, release_date);

    // Special notes in rows of 50 characters.
    int32_t z = i0 + 4;
    const std::string_view note_text = trimmed(notes);
    if (!note_text.empty()) {
        const int32_t heading = i0 + (style.eject ? 7 : 6);
        page.put(heading, cl, "Special notes for this program version :");
        z = heading;
        for (size_t first = 0; first < note_text.size() && z <= kRows; first += 50) {
            page.put(++z, cl + 3, note_text.substr(first, 50));
        }
    }

    // The ownership notice, or title characters 161 to 255 in its place.
    const int32_t c = z + (style.eject ? 3 : 2);
    const std::string_view title3 = trimmed(part(title, 161, 255));
    page.put(c, cl, title3.empty() ? ownershipNotice(bannerMaker().name) : std::string(title3));

    // Local address lines; a lone "," is an empty value.
    FixedString<250> addresses;
    int32_t count = 0;
    IDQUERY("GET", "LOCAL-ADDRESSES", record::TextArray(&addresses[0], 50, 5), 5, count);
    count = std::clamp(count, 0, 5);
    for (int32_t k = 0; k < count; ++k) {
        const std::string_view value = trimmed(part(addresses, 50 * k + 1, 50 * k + 50));
        page.put(c + 1 + k, cl + 3, value == "," ? std::string_view() : value);
    }

    writeRows(page, unit, c + count + 2, style.narrow ? 79 : kColumns, record::isTrue(upper));
}

} // namespace mfreport::support
