// Cells kept by column index for a record whose cells come out of order (the
// cells of a record in column order go straight into its row). The strings
// keep their storage from record to record.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
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

    /// Stores `text` as the cell of `column`, replacing an earlier one.
    void store(size_t column, std::string_view text) {
        if (column >= cells_.size()) {
            cells_.resize(column + 1);
            present_.resize(column + 1, false);
        }
        present_[column] = true;
        used_ = column + 1 > used_ ? column + 1 : used_;
        cells_[column].assign(text.data(), text.size());
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
