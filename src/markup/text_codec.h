// Caller text on its way into a document: UTF-8 repair and XML escaping.
//
// Bytes that do not form valid UTF-8 are taken as Windows-1252 (so a Latin-1
// degree or micro sign from an engineering unit shows as itself) and written
// as UTF-8; valid UTF-8 passes through unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "mfreport/markup/text_buffer.h"

namespace mfreport::markup {

/// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates,
/// nothing above U+10FFFF).
bool isValidUtf8(std::string_view text);

/// One character of caller text as a reader of the document sees it once
/// appendXmlText has written it: the first `length` bytes stand for `cp`.
struct ShownCharacter {
    size_t length;
    char32_t cp;
};

/// The character at the start of non-empty `text`: a valid UTF-8 sequence, a
/// byte taken as Windows-1252, or a reference the caller wrote; a character
/// XML forbids is U+FFFD.
ShownCharacter shownCharacter(std::string_view text);

/// Appends `text` to `out` with invalid UTF-8 repaired; nothing else changes.
void appendUtf8(std::string& out, std::string_view text);

/// Appends `text` as XML character data: repaired as appendUtf8, "<" and ">"
/// escaped, "&" escaped unless it begins a predefined entity reference or a
/// character reference to a character XML allows (text a caller escaped stays
/// as it is), and characters XML 1.0 forbids replaced by U+FFFD.
void appendXmlText(std::string& out, std::string_view text);

/// As appendXmlText, and '"' becomes "&quot;", for attribute values in double quotes.
void appendXmlAttribute(std::string& out, std::string_view text);

/// The same, into a Text.
void appendUtf8(Text& out, std::string_view text);
void appendXmlText(Text& out, std::string_view text);
void appendXmlAttribute(Text& out, std::string_view text);

/// Caller text in a line of markup, marked with what it becomes on the way:
/// Utf8 is repaired (appendUtf8); XmlText and XmlAttribute are also escaped.
struct Utf8 {
    std::string_view text;
};
struct XmlText {
    std::string_view text;
};
struct XmlAttribute {
    std::string_view text;
};

/// Appends one piece of a line of markup: fixed markup as it is, a number in
/// decimal, caller text as its mark says.
inline void append(std::string& out, std::string_view markup) {
    out += markup;
}
void append(std::string& out, int64_t number);
inline void append(std::string& out, Utf8 text) {
    appendUtf8(out, text.text);
}
inline void append(std::string& out, XmlText text) {
    appendXmlText(out, text.text);
}
inline void append(std::string& out, XmlAttribute text) {
    appendXmlAttribute(out, text.text);
}
inline void append(Text& out, std::string_view markup) {
    out.append(markup);
}
void append(Text& out, int64_t number);
inline void append(Text& out, Utf8 text) {
    appendUtf8(out, text.text);
}
inline void append(Text& out, XmlText text) {
    appendXmlText(out, text.text);
}
inline void append(Text& out, XmlAttribute text) {
    appendXmlAttribute(out, text.text);
}

} // namespace mfreport::markup
