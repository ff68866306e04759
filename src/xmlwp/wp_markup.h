// Markup that the word-processing device and its table writer both write.
#pragma once

#include <string_view>

#include "mfreport/markup/output.h"

namespace mfreport::xmlwp {

/// A bookmark at this place of the document; every bookmark has the id 0.
inline void writeBookmark(markup::Output& out, std::string_view name) {
    out.line(R"(<aml:annotation aml:id="0" w:type="Word.Bookmark.Start" w:name=")",
             markup::XmlAttribute{name}, R"("/>)");
    out.line(R"(<aml:annotation aml:id="0" w:type="Word.Bookmark.End"/>)");
}

} // namespace mfreport::xmlwp
