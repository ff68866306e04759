// Caller text as the text kinds write it. A line feed, form feed or other
// control character would break the print file's lines and pages, or a
// semicolon-separated record in two: each becomes a blank.
#pragma once

#include <algorithm>
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

} // namespace mfreport::text
