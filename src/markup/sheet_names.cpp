#include "mfreport/markup/sheet_names.h"

#include <vector>

#include "mfreport/markup/text_codec.h"

namespace mfreport::markup {

namespace {

/// A character of a name: the caller's bytes for it and what they show.
struct Character {
    std::string_view bytes;
    char32_t cp;
};

bool isForbidden(char32_t cp) {
    return cp == '[' || cp == ']' || cp == ':' || cp == '*' || cp == '?' || cp == '/' || cp == '\\';
}

size_t unitsOf(char32_t cp) {
    return cp >= 0x10000 ? 2 : 1;
}

/// Lower case of the letters of ASCII, Latin-1, Greek and Cyrillic.
char32_t folded(char32_t cp) {
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) ||
        (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) || (cp >= 0x410 && cp <= 0x42F)) {
        return cp + 0x20;
    }
    if (cp >= 0x400 && cp <= 0x40F) {
        return cp + 0x50;
    }
    return cp;
}

/// The characters of `text` after its leading apostrophes, with the
/// forbidden ones as "_", as many as fit in kNameUnits.
std::vector<Character> charactersOf(std::string_view text) {
    std::vector<Character> out;
    size_t units = 0;
    for (size_t at = 0; at < text.size();) {
        const ShownCharacter shown = shownCharacter(text.substr(at));
        const Character c = isForbidden(shown.cp)
                                ? Character{"_", '_'}
                                : Character{text.substr(at, shown.length), shown.cp};
        at += shown.length;
        if (out.empty() && c.cp == '\'') {
            continue;
        }
        units += unitsOf(c.cp);
        if (units > kNameUnits) {
            break;
        }
        out.push_back(c);
    }
    return out;
}

/// How many of the first characters fit in `room` units.
size_t fitting(const std::vector<Character>& chars, size_t room) {
    size_t units = 0;
    for (size_t n = 0; n < chars.size(); ++n) {
        units += unitsOf(chars[n].cp);
        if (units > room) {
            return n;
        }
    }
    return chars.size();
}

void appendKey(std::u32string& key, const std::vector<Character>& chars, size_t count) {
    for (size_t n = 0; n < count; ++n) {
        key += folded(chars[n].cp);
    }
}

void appendBytes(std::string& name, const std::vector<Character>& chars, size_t count) {
    for (size_t n = 0; n < count; ++n) {
        name += chars[n].bytes;
    }
}

bool isAsciiLetter(char32_t cp) {
    return (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z');
}

bool isDigit(char32_t cp) {
    return cp >= '0' && cp <= '9';
}

size_t skipDigits(std::string_view text, size_t at) {
    while (at < text.size() && isDigit(static_cast<unsigned char>(text[at]))) {
        ++at;
    }
    return at;
}

/// True for a name of letters and digits that reads as a cell reference:
/// "B12", "XFD1" (one to three letters, then digits), "R", "C", "R1", "C1",
/// "RC", "R1C1".
bool readsAsCell(std::string_view name) {
    size_t letters = 0;
    while (letters < name.size() && isAsciiLetter(static_cast<unsigned char>(name[letters]))) {
        ++letters;
    }
    if (letters >= 1 && letters <= 3 && letters < name.size() &&
        skipDigits(name, letters) == name.size()) {
        return true;
    }
    size_t at = 0;
    if (at < name.size() && (name[at] == 'R' || name[at] == 'r')) {
        at = skipDigits(name, at + 1);
    }
    if (at < name.size() && (name[at] == 'C' || name[at] == 'c')) {
        at = skipDigits(name, at + 1);
    }
    return at > 0 && at == name.size();
}

} // namespace

std::string SheetNames::add(std::string_view tableName) {
    ++count_;
    std::vector<Character> chars = charactersOf(tableName);
    while (!chars.empty() && chars.back().cp == '\'') {
        chars.pop_back();
    }
    const std::string numbered = "Sheet" + std::to_string(count_);
    if (chars.empty()) {
        chars = charactersOf(numbered);
    }
    std::u32string key;
    appendKey(key, chars, chars.size());
    std::string name;
    if (taken_.insert(key).second) {
        appendBytes(name, chars, chars.size());
        return name;
    }
    // Taken: the first free " (n)" in place of the last characters.
    int64_t& next = nextNumber_.try_emplace(key, 2).first->second;
    for (;; ++next) {
        const std::string suffix = " (" + std::to_string(next) + ")";
        const size_t kept = fitting(chars, kNameUnits - suffix.size());
        std::u32string candidate;
        appendKey(candidate, chars, kept);
        candidate.append(suffix.begin(), suffix.end());
        if (taken_.insert(candidate).second) {
            appendBytes(name, chars, kept);
            name += suffix;
            ++next;
            return name;
        }
    }
}

std::string sheetReference(std::string_view sheetName, std::string_view cells) {
    bool plain = !sheetName.empty() && !readsAsCell(sheetName);
    for (size_t at = 0; plain && at < sheetName.size(); ++at) {
        const auto c = static_cast<unsigned char>(sheetName[at]);
        plain = isAsciiLetter(c) || c == '_' || (at > 0 && (isDigit(c) || c == '.'));
    }
    if (plain) {
        return std::string(sheetName) + "!" + std::string(cells);
    }
    std::string out = "'";
    for (size_t at = 0; at < sheetName.size();) {
        const ShownCharacter shown = shownCharacter(sheetName.substr(at));
        const std::string_view bytes = sheetName.substr(at, shown.length);
        out += bytes;
        if (shown.cp == '\'') {
            out += bytes;
        }
        at += shown.length;
    }
    return out + "'!" + std::string(cells);
}

} // namespace mfreport::markup
