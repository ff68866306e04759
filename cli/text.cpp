#include "text.h"

#include <cstdint>

namespace mfreport::cli {

namespace {

// Windows-1252 at 0x80 to 0x9F; 0 where the code page has no character.
constexpr std::uint16_t kWindows1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr std::uint16_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

} // namespace

std::string latin1ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0) {
            const std::uint16_t code = kWindows1252[byte - 0x80];
            appendUtf8(out, code != 0 ? code : kReplacement);
        } else {
            appendUtf8(out, byte);
        }
    }
    return out;
}

size_t utf8Length(std::string_view text) {
    size_t length = 0;
    for (const char c : text) {
        length += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return length;
}

std::string forMarkup(std::string_view text, bool latin1, bool escape) {
    std::string out;
    forMarkup(text, latin1, escape, out);
    return out;
}

void forMarkup(std::string_view text, bool latin1, bool escape, std::string& out) {
    std::string converted;
    if (latin1) {
        converted = latin1ToUtf8(text);
        text = converted;
    }
    out.clear();
    for (const char c : text) {
        const char* reference = !escape    ? nullptr
                                : c == '&' ? "&amp;"
                                : c == '<' ? "&lt;"
                                : c == '>' ? "&gt;"
                                : c == '"' ? "&quot;"
                                           : nullptr;
        if (reference != nullptr) {
            out += reference;
        } else if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            appendUtf8(out, kReplacement);
        } else {
            out += c;
        }
    }
}

std::string forText(std::string_view text, bool utf8, size_t width) {
    std::string out;
    forText(text, utf8, width, out);
    return out;
}

void forText(std::string_view text, bool utf8, size_t width, std::string& out) {
    // One byte past the width tells whether the cut splits a character.
    out.assign(text.data(), text.size() <= width ? text.size() : width + 1);
    for (char& c : out) {
        c = isControl(static_cast<unsigned char>(c)) ? ' ' : c;
    }
    if (out.size() > width) {
        size_t cut = width;
        // Back to the start of the character that would be split.
        while (utf8 && cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        out.resize(cut);
    }
}

} // namespace mfreport::cli
