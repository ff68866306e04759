// Caller text on its way into a document: UTF-8 repair and XML escaping.
//
// Bytes that do not form valid UTF-8 are taken as Windows-1252 (so a Latin-1
// degree or micro sign from an engineering unit shows as itself) and written
// as UTF-8; valid UTF-8 passes through unchanged.
#pragma once

#include <string>
#include <string_view>

namespace mfreport::markup {

/// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates,
/// nothing above U+10FFFF).
bool isValidUtf8(std::string_view text);

/// Appends `text` to `out` with invalid UTF-8 repaired; nothing else changes.
void appendUtf8(std::string& out, std::string_view text);

/// Appends `text` as XML character data: repaired as appendUtf8, "<" and ">"
/// escaped, "&" escaped unless it begins a predefined entity reference or a
/// character reference to a character XML allows (text a caller escaped stays
/// as it is), and characters XML 1.0 forbids replaced by U+FFFD.
void appendXmlText(std::string& out, std::string_view text);

/// As appendXmlText, and '"' becomes "&quot;", for attribute values in double quotes.
void appendXmlAttribute(std::string& out, std::string_view text);

/// True for a text of at least two characters between "<" and ">", such as a
/// placeholder word that the writers show with its brackets.
inline bool isBracketed(std::string_view text) {
    return text.size() >= 2 && text.front() == '<' && text.back() == '>';
}

/// Convenience forms that return the converted text.
std::string utf8(std::string_view text);
std::string xmlText(std::string_view text);
std::string xmlAttribute(std::string_view text);

} // namespace mfreport::markup
