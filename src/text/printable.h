// Caller text as the text kinds write it. A line feed, form feed or other
// control character would break the print file's lines and pages, or a
// semicolon-separated record in two: each becomes a blank. In a
// semicolon-separated file a text holding ";" or '"' is written in quotes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace mfreport::text {

inline bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

/// `text` itself when it holds no control character, else a copy of it in
/// `scratch` with each one blanked.
inline std::string_view printable(std::string_view text, std::string& scratch) {
    if (std::none_of(text.begin(), text.end(), isControl)) {
        return text;
    }
    scratch.assign(text);
    std::replace_if(scratch.begin(), scratch.end(), isControl, ' ');
    return scratch;
}

/// The text with each control character blanked.
inline std::string printable(std::string_view text) {
    std::string copy(text);
    std::replace_if(copy.begin(), copy.end(), isControl, ' ');
    return copy;
}

/// Whether a text of a semicolon-separated file must be quoted to stay one field.
inline bool needsQuotes(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c == ';' || c == '"'; });
}

/// The text in double quotes, each inner quote doubled.
inline std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

/// Writes the text quoted into the `width` characters at `out`, left-justified
/// and blank-padded; the text is cut so that its closing quote stays inside,
/// and blanks that the cut leaves at its end go.
/// Asterisks when not even its first character fits.
inline void putQuoted(char* out, int32_t width, std::string_view text) {
    const size_t w = width > 0 ? static_cast<size_t>(width) : 0;
    std::memset(out, ' ', w);
    size_t at = 1;
    for (const char c : text) {
        const size_t need = c == '"' ? 2 : 1;
        if (at + need + 1 > w) {
            break;
        }
        std::memset(out + at, c, need);
        at += need;
    }
    if (at == 1 && (!text.empty() || w < 2)) {
        std::memset(out, '*', w);
        return;
    }
    while (at > 2 && out[at - 1] == ' ') { // a cut leaves no blank at the end
        out[--at] = ' ';
    }
    out[0] = '"';
    out[at] = '"';
}

} // namespace mfreport::text
