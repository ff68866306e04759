// Table writer of the XHTML page: a late-written head (anchor, numbered
// heading, notes, column heads) and one row per record, folded when wide.
#pragma once

#include <string>

#include "mfreport/markup/mfMarkupTable.h"

class mfTableHtml : public mfMarkupTable {
public:
    /// `device` must be an mfHtmlDevice; on any other every operation that
    /// writes answers false.
    mfTableHtml(const mfTableHeader& header, mfDevice* device);

    using mfTable::insertValue; // the other arithmetic types
    bool insertValue(int column, const std::string& value,
                     const std::string* link = nullptr) override;
    bool insertValue(int column, const double& value, const std::string* link = nullptr) override;
    bool insertValue(int column, const int& value, const std::string* link = nullptr) override;
};
