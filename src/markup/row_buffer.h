// Cells of the record being built, kept by column index until the row is
// written. The strings keep their storage from record to record.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace mfreport::markup {

class RowBuffer {
public:
    /// Forgets every cell; the storage stays for the next record.
    void clear() {
        for (size_t i = 0; i < used_; ++i) {
            present_[i] = false;
        }
        used_ = 0;
    }

    /// Starts the cell of `column` afresh (replacing an earlier one) and
    /// returns it for writing.
    std::string& open(size_t column) {
        if (column >= cells_.size()) {
            cells_.resize(column + 1);
            present_.resize(column + 1, false);
        }
        present_[column] = true;
        used_ = column + 1 > used_ ? column + 1 : used_;
        cells_[column].clear();
        return cells_[column];
    }

    /// The cell of `column`, or null when none was stored.
    const std::string* cell(size_t column) const {
        return column < used_ && present_[column] ? &cells_[column] : nullptr;
    }

private:
    std::vector<std::string> cells_;
    std::vector<bool> present_;
    size_t used_ = 0; ///< cells below this index may be present
};

} // namespace mfreport::markup
