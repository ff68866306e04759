// Text from the input on its way into a report.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mfreport::cli {

/// Latin-1 text (read as Windows-1252) as UTF-8.
std::string latin1ToUtf8(std::string_view text);

/// Number of characters of UTF-8 text.
size_t utf8Length(std::string_view text);

/// Text for the markup kinds: UTF-8 (converted from Latin-1 when `latin1`),
/// with "&", "<", ">" and '"' escaped so that it shows literally (unless
/// `escape` is false), and control characters other than tab and line ends
/// replaced by U+FFFD.
std::string forMarkup(std::string_view text, bool latin1, bool escape = true);
/// The same into `out`, whose storage is reused.
void forMarkup(std::string_view text, bool latin1, bool escape, std::string& out);

/// Text for the text kinds: the bytes as they are, control characters made
/// blanks, cut to at most `width` bytes without splitting a UTF-8 character
/// when `utf8`.
std::string forText(std::string_view text, bool utf8, size_t width = std::string::npos);
/// The same into `out`, whose storage is reused.
void forText(std::string_view text, bool utf8, size_t width, std::string& out);

} // namespace mfreport::cli
