// Table writer of the XHTML page: a late-written head (anchor, numbered
// heading, notes, column heads) and one row per record, folded when wide.
#pragma once

#include <memory>
#include <string>

#include "mfreport/device/mfTable.h"

class mfTableHtml : public mfTable {
public:
    /// `device` must be an mfHtmlDevice; on any other every operation that
    /// writes answers false.
    mfTableHtml(const mfTableHeader& header, mfDevice* device);
    mfTableHtml(const mfTableHtml& other);
    mfTableHtml& operator=(const mfTableHtml& other);
    ~mfTableHtml() override;

    bool begin_table() override;
    bool begin_record() override;
    using mfTable::insertValue; // the other arithmetic types
    bool insertValue(int column, const std::string& value,
                     const std::string* link = nullptr) override;
    bool insertValue(int column, const double& value, const std::string* link = nullptr) override;
    bool insertValue(int column, const int& value, const std::string* link = nullptr) override;
    bool end_record() override;
    bool end_table() override;

private:
    std::unique_ptr<MarkupRecords> records_;
};
