// Table writer of the workbook: one worksheet per table, with column widths, a
// bold head row that repeats as print titles and one row per record.
//
// Caller text is written as XML text: markup characters are escaped (text
// that is already escaped stays as it is), characters XML forbids become
// U+FFFD and bytes that are not UTF-8 are read as Windows-1252.
#pragma once

#include <cstdint>
#include <string>

#include "mfreport/device/mfTable.h"
#include "mfreport/markup/row_buffer.h"

class mfXmlSSDevice;

class mfTableXmlSS : public mfTable {
public:
    /// `device` must be an mfXmlSSDevice; on any other every operation answers false.
    mfTableXmlSS(const mfTableHeader& header, mfDevice* device);
    mfTableXmlSS(const mfTableXmlSS&) = default;
    mfTableXmlSS& operator=(const mfTableXmlSS&) = default;
    /// Writes nothing.
    ~mfTableXmlSS() override;

    /// Marks the head as due; closes a worksheet this table still has open.
    bool begin_table() override;
    /// The first record after begin_table writes the worksheet start. Answers
    /// false and writes nothing when this table has no open worksheet.
    bool begin_record() override;
    /// The link is ignored: a worksheet cell carries no link.
    bool insertValue(int column, const std::string& value,
                     const std::string* link = nullptr) override;
    bool insertValue(int column, const double& value, const std::string* link = nullptr) override;
    bool insertValue(int column, const int& value, const std::string* link = nullptr) override;
    /// Writes the record's cells in column order; answers false and writes
    /// nothing when no record is open.
    bool end_record() override;
    /// Writes the record still open and the worksheet end; a table without
    /// records leaves nothing in the workbook.
    bool end_table() override;

private:
    bool begin_table_suspended();
    bool healthy() const;

    mfXmlSSDevice* xmlss_;
    mfreport::RowBuffer cells_;
    uint64_t sheet_ = 0; ///< the worksheet this table started (see mfXmlSSDevice)
    std::string text_;   ///< scratch for the worksheet start and the rows, reused
};
