// What the two word-processing kinds write alike: bookmark names, grid
// widths and paragraph alignment of table columns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "mfreport/model/mfTableColumn.h"

namespace mfreport::markup::word {

/// Bookmark name of a numbered heading: blanks, ".", "/" and "-" become "_",
/// so that links and contents entries name the same anchors in either kind.
std::string bookmarkName(std::string text);

/// Grid width in twentieths of a point: 6 points per width unit, 72 points
/// for a column without a width.
inline int64_t gridWidth(const mfTableColumn& column) {
    const int64_t width = column.storedWidth();
    return 120 * (width > 0 ? width : 12);
}

/// Paragraph alignment by the column's adjustment: centred unless LEFT or
/// RIGHT.
inline std::string_view alignment(const mfTableColumn& column) {
    switch (column.adjust()) {
    case mfTableColumn::LEFT:
        return R"(<w:pPr><w:jc w:val="left"/></w:pPr>)";
    case mfTableColumn::RIGHT:
        return R"(<w:pPr><w:jc w:val="right"/></w:pPr>)";
    default:
        return R"(<w:pPr><w:jc w:val="center"/></w:pPr>)";
    }
}

} // namespace mfreport::markup::word
