// Table writer of the word-processing document: a late-written head (bookmark,
// numbered heading, notes, grid and repeated head row) and one row per record,
// folded when wide. Text cells may link to a bookmark; multi-line texts become
// line breaks inside the cell. Markup a table leaves open (no end_record or
// end_table) is closed by the device, so the document stays well-formed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "mfreport/device/mfTable.h"
#include "mfreport/markup/row_buffer.h"

class mfXmlWPDevice;

class mfTableXmlWP : public mfTable {
public:
    /// `device` must be an mfXmlWPDevice; on any other every operation that
    /// writes answers false.
    mfTableXmlWP(const mfTableHeader& header, mfDevice* device);
    mfTableXmlWP(const mfTableXmlWP&) = default;
    mfTableXmlWP& operator=(const mfTableXmlWP&) = default;
    ~mfTableXmlWP() override;

    bool begin_table() override;
    bool begin_record() override;
    /// A text between angle brackets ("<n/a>") shows with its brackets; with a
    /// link the cell is one hyperlinked run, otherwise each line is a run.
    bool insertValue(int column, const std::string& value,
                     const std::string* link = nullptr) override;
    /// Shown in the column's format; zero and not-a-number show as "0". Numbers
    /// carry no link.
    bool insertValue(int column, const double& value, const std::string* link = nullptr) override;
    bool insertValue(int column, const int& value, const std::string* link = nullptr) override;
    bool end_record() override;
    bool end_table() override;

private:
    bool begin_table_suspended();
    /// Cell shading: none, whatever the column's and the table's colours.
    void appendBackgroundColorTag(std::string& out, int column) const;
    /// Paragraph alignment by the column's adjustment (centred unless LEFT or RIGHT).
    std::string_view adjustTag(int column) const;
    /// "  <w:tc>", shading, "<w:p>" and the alignment of a cell of the column.
    std::string& openCell(int column);
    void appendBlankCell(std::string& out, int column) const;
    bool healthy() const;

    mfXmlWPDevice* wp_;
    uint64_t tableMarkup_ = 0; ///< the device's mark of this table's open markup
    uint64_t rowMarkup_ = 0;   ///< and of its open row
    mfreport::RowBuffer cells_;
    std::string row_;  ///< output of one record, reused
    std::string text_; ///< working copy of a text value, reused
    Vector<std::string> lines_;
};
