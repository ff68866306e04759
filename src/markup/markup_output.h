// What every markup device does with its output file: open it, write lines,
// and report at the end of each operation whether everything reached the file.
#pragma once

#include <fstream>
#include <string>
#include <string_view>

namespace mfreport::markup {

/// Opens `file` for writing (replacing an existing file) or throws
/// std::runtime_error with the library's "Unable to open file" text.
void openOutput(std::ofstream& out, const std::string& fileName);

/// Writes one line of markup.
inline void line(std::ostream& out, std::string_view text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.put('\n');
}

/// Writes lines of fixed markup, one entry per line.
template <class Lines>
void lines(std::ostream& out, const Lines& table) {
    for (std::string_view text : table) {
        line(out, text);
    }
}

/// Ends a writing operation: pushes what was written to the file and tells
/// whether the file is open and no write has ever failed.
inline bool finish(std::ofstream& out) {
    if (out.is_open() && out.good()) {
        out.flush();
    }
    return out.is_open() && out.good();
}

/// Whether the file is open and no write has failed, without writing.
inline bool healthy(const std::ofstream& out) {
    return out.is_open() && out.good();
}

} // namespace mfreport::markup
