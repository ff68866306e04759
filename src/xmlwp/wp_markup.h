// Markup that the word-processing device and its table writer both write.
#pragma once

#include <cstdint>
#include <string_view>

#include "mfreport/markup/output.h"

namespace mfreport::xmlwp {

/// A bookmark at this place of the document. Its start and end share an id
/// of their own (1, 2, 3, ... in document order), by which readers pair them.
inline void writeBookmark(markup::Output& out, std::string_view name) {
    const int64_t id = out.nextId();
    out.line(R"(<aml:annotation aml:id=")", id, R"(" w:type="Word.Bookmark.Start" w:name=")",
             markup::XmlAttribute{name}, R"("/>)");
    out.line(R"(<aml:annotation aml:id=")", id, R"(" w:type="Word.Bookmark.End"/>)");
}

} // namespace mfreport::xmlwp
