// Table writer of the text report: every protocol call goes to the table
// formatter, which lays the columns out in begin_table and writes each
// record at end_record.
#pragma once

#include <cstdint>
#include <ctime>
#include <map>
#include <string>

#include "mfreport/device/mfTable.h"

class mfTextDevice;

class mfTableText : public mfTable {
public:
    /// `device` must be an mfTextDevice; on any other every operation answers false.
    mfTableText(const mfTableHeader& header, mfDevice* device);
    mfTableText(const mfTableText&) = default;
    mfTableText& operator=(const mfTableText&) = default;
    ~mfTableText() override;

    /// Defines the table and its columns in the formatter and sets it up on
    /// the report file. Names longer than 10 characters are cut to 9.
    bool begin_table() override;
    bool begin_record() override;
    using mfTable::insertValue; // the other arithmetic types
    /// False unless the column's type matches the value's; the link is not
    /// used. An empty text answers true and writes nothing.
    bool insertValue(int column, const std::string& value,
                     const std::string* link = nullptr) override;
    bool insertValue(int column, const double& value, const std::string* link = nullptr) override;
    bool insertValue(int column, const int& value, const std::string* link = nullptr) override;
    bool end_record() override;
    bool end_table() override;

private:
    /// The formatter's name of the table.
    std::string tableName();
    /// Column k (1-based) as the formatter defines it.
    bool defineColumn(int32_t k, const mfTableColumn& column);
    /// On an open text device.
    bool usable() const;
    /// The column `column` of the table when it is of that type, else null.
    const mfTableColumn* typedColumn(int column, mfTableColumn::col_type type);

    int32_t table_ = 0; ///< formatter table number; 0 until begun
    /// The second of the last flush of the table's file: records reach the
    /// file when a new second has begun, and at the table's start and end.
    std::time_t flushed_ = 0;
    std::map<mfTableColumn::col_type, std::string> format_code_;
    mfTextDevice* text_device_; ///< the device when it is a text device, else null
    bool set_up_ = false;       ///< begin_table laid the table out on its channel
};
