// Table writer of the XHTML page: a late-written head (anchor, numbered
// heading, notes, column heads) and one row per record, folded when wide.
#pragma once

#include <string>
#include <string_view>

#include "mfreport/device/mfTable.h"
#include "mfreport/markup/row_buffer.h"

class mfHtmlDevice;

class mfTableHtml : public mfTable {
public:
    /// `device` must be an mfHtmlDevice; on any other every operation answers false.
    mfTableHtml(const mfTableHeader& header, mfDevice* device);
    mfTableHtml(const mfTableHtml&) = default;
    mfTableHtml& operator=(const mfTableHtml&) = default;
    ~mfTableHtml() override;

    bool begin_table() override;
    bool begin_record() override;
    bool insertValue(int column, const std::string& value,
                     const std::string* link = nullptr) override;
    bool insertValue(int column, const double& value, const std::string* link = nullptr) override;
    bool insertValue(int column, const int& value, const std::string* link = nullptr) override;
    bool end_record() override;
    bool end_table() override;

private:
    bool begin_table_suspended();
    /// " bgcolor=\"RRGGBB\"" for a cell of the column (the table's colour when
    /// the column has none of its own); nothing when both are "FFFFFF".
    void appendBackgroundColorTag(std::string& out, int column) const;
    /// "align=\"left\"", "align=\"right\"" or "align=\"center\"" by the column's alignment.
    std::string_view adjustTag(int column) const;
    void appendBlankCell(std::string& out, int column) const;
    bool healthy() const;

    mfHtmlDevice* html_;
    mfreport::RowBuffer cells_;
    std::string row_; ///< output of one record, reused
};
