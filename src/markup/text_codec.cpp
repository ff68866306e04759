#include "mfreport/markup/text_codec.h"

#include <cstdint>

#include "mfreport/device/number_format.h"

namespace mfreport::markup {

namespace {

enum class Mode { Utf8Only, XmlText, XmlAttribute };

constexpr char32_t replacement = 0xFFFD;

// Windows-1252 code points of the bytes 0x80 to 0x9F; 0 where the byte is unassigned.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

template <class Out>
void appendCodePoint(Out& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t fromCp1252(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        const char16_t cp = cp1252High[byte - 0x80];
        return cp != 0 ? cp : replacement;
    }
    return byte;
}

// Length of the valid UTF-8 sequence at the start of `s` (its code point in
// `cp`), or 0 when the leading bytes do not form one.
size_t decode(std::string_view s, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    size_t length = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < length) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) != 0x80) {
            return 0;
        }
        cp = cp << 6 | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return length;
}

bool xmlAllows(char32_t cp) {
    return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
           (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

// Length of the entity or character reference at the start of `s` that may
// stand in XML as it is (its character in `cp`), or 0 when the "&" there
// begins none.
size_t referenceLength(std::string_view s, char32_t& cp) {
    constexpr struct {
        std::string_view name;
        char32_t cp;
    } entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    for (const auto& entity : entities) {
        if (s.substr(0, entity.name.size()) == entity.name) {
            cp = entity.cp;
            return entity.name.size();
        }
    }
    if (s.size() < 4 || s[1] != '#') {
        return 0;
    }
    const bool hex = s[2] == 'x';
    size_t i = hex ? 3 : 2;
    const size_t firstDigit = i;
    uint32_t value = 0;
    for (; i < s.size() && s[i] != ';'; ++i) {
        const char c = s[i];
        uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = static_cast<uint32_t>(c - 'A' + 10);
        } else {
            return 0;
        }
        value = value * (hex ? 16 : 10) + digit;
        if (value > 0x10FFFF) {
            return 0;
        }
    }
    if (i == s.size() || i == firstDigit || !xmlAllows(value)) {
        return 0;
    }
    cp = value;
    return i + 1;
}

// True when the "&" at the start of `s` begins an entity or character
// reference that may stand in XML as it is.
bool isReference(std::string_view s) {
    char32_t cp = 0;
    return referenceLength(s, cp) != 0;
}

// Bytes that need a look on the slow path.
constexpr bool needsWork(unsigned char byte, Mode mode) {
    if (byte >= 0x80) {
        return true;
    }
    if (mode == Mode::Utf8Only) {
        return false;
    }
    return byte < 0x20 || byte == '&' || byte == '<' || byte == '>' ||
           (byte == '"' && mode == Mode::XmlAttribute);
}

// needsWork as a table per mode, for the scan of clean text.
struct WorkTable {
    bool byte[3][256];
};

constexpr WorkTable makeWorkTable() {
    WorkTable table{};
    for (int mode = 0; mode < 3; ++mode) {
        for (int b = 0; b < 256; ++b) {
            table.byte[mode][b] = needsWork(static_cast<unsigned char>(b), static_cast<Mode>(mode));
        }
    }
    return table;
}

constexpr WorkTable kWork = makeWorkTable();

template <class Out>
void convert(Out& out, std::string_view text, Mode mode) {
    const bool* work = kWork.byte[static_cast<int>(mode)];
    size_t clean = 0;
    while (clean < text.size() && !work[static_cast<unsigned char>(text[clean])]) {
        ++clean;
    }
    out.append(text.substr(0, clean));
    if (clean == text.size()) {
        return;
    }
    if (mode == Mode::Utf8Only && isValidUtf8(text.substr(clean))) {
        out.append(text.substr(clean));
        return;
    }
    for (size_t i = clean; i < text.size();) {
        char32_t cp = 0;
        size_t length = decode(text.substr(i), cp);
        if (length == 0) {
            cp = fromCp1252(static_cast<unsigned char>(text[i]));
            length = 1;
        } else if (length > 1 || mode == Mode::Utf8Only) {
            if (mode != Mode::Utf8Only && !xmlAllows(cp)) {
                cp = replacement;
            } else {
                out.append(text.substr(i, length));
                i += length;
                continue;
            }
        }
        i += length;
        if (mode != Mode::Utf8Only) {
            switch (cp) {
            case '<':
                out += "&lt;";
                continue;
            case '>':
                out += "&gt;";
                continue;
            case '&':
                out += isReference(text.substr(i - 1)) ? "&" : "&amp;";
                continue;
            case '"':
                out += mode == Mode::XmlAttribute ? "&quot;" : "\"";
                continue;
            default:
                if (!xmlAllows(cp)) {
                    cp = replacement;
                }
            }
        }
        appendCodePoint(out, cp);
    }
}

} // namespace

bool isValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t cp = 0;
        const size_t length = decode(text.substr(i), cp);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

ShownCharacter shownCharacter(std::string_view text) {
    char32_t cp = 0;
    if (text[0] == '&') {
        if (const size_t length = referenceLength(text, cp); length != 0) {
            return {length, cp};
        }
        return {1, '&'};
    }
    size_t length = decode(text, cp);
    if (length == 0) {
        cp = fromCp1252(static_cast<unsigned char>(text[0]));
        length = 1;
    }
    return {length, xmlAllows(cp) ? cp : replacement};
}

void appendUtf8(std::string& out, std::string_view text) {
    convert(out, text, Mode::Utf8Only);
}
void appendXmlText(std::string& out, std::string_view text) {
    convert(out, text, Mode::XmlText);
}
void appendXmlAttribute(std::string& out, std::string_view text) {
    convert(out, text, Mode::XmlAttribute);
}

void appendUtf8(Text& out, std::string_view text) {
    convert(out, text, Mode::Utf8Only);
}
void appendXmlText(Text& out, std::string_view text) {
    convert(out, text, Mode::XmlText);
}
void appendXmlAttribute(Text& out, std::string_view text) {
    convert(out, text, Mode::XmlAttribute);
}

void append(std::string& out, int64_t number) {
    number::appendInt(out, number);
}

void append(Text& out, int64_t number) {
    out.commit(number::writeInt(out.room(20), number));
}

} // namespace mfreport::markup
