// The base of the workbook table writers: a table of more records than a
// worksheet holds goes on on a new worksheet, whose head its next record
// writes. The kind's writer says how many worksheets its workbook has and
// starts the count at each worksheet's head.
#pragma once

#include <cstddef>
#include <cstdint>

#include "mfreport/markup/mfMarkupTable.h"

class mfWorksheetTable : public mfMarkupTable {
public:
    bool begin_table() override;
    /// A record that finds its worksheet full, and that worksheet still the
    /// workbook's last, ends it and starts the next first.
    bool begin_record() override;
    bool end_record() override;
    bool end_table() override;

protected:
    using mfMarkupTable::mfMarkupTable;

    /// The worksheets in the workbook so far.
    virtual size_t sheetsInWorkbook() const = 0;
    /// Called once a record is on worksheet `sheet`, with its records so far.
    virtual void recordWritten(size_t sheet, int64_t records);
    /// The table's worksheet is number `sheet` of the workbook (its head is
    /// being written); no record is on it yet.
    void sheetStarted(size_t sheet) {
        sheet_ = sheet;
        sheetRecords_ = 0;
    }

private:
    size_t sheet_ = 0;         ///< the table's open worksheet, 0 before its first
    int64_t sheetRecords_ = 0; ///< records written on it
};
