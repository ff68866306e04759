// Table writer of the word-processing document: a late-written head (bookmark,
// numbered heading, notes, grid and repeated head row) and one row per record,
// folded when wide. Text cells may link to a bookmark; multi-line texts become
// line breaks inside the cell.
#pragma once

#include <string>

#include "mfreport/markup/mfMarkupTable.h"

class mfTableXmlWP : public mfMarkupTable {
public:
    /// `device` must be an mfXmlWPDevice; on any other every operation that
    /// writes answers false.
    mfTableXmlWP(const mfTableHeader& header, mfDevice* device);

    using mfTable::insertValue; // the other arithmetic types
    /// A text between angle brackets ("<n/a>") shows with its brackets; with a
    /// link the cell is one hyperlinked run, otherwise each line is a run.
    bool insertValue(int column, const std::string& value,
                     const std::string* link = nullptr) override;
    /// Shown in the column's format; zero and not-a-number show as "0". Numbers
    /// carry no link.
    bool insertValue(int column, const double& value, const std::string* link = nullptr) override;
    bool insertValue(int column, const int& value, const std::string* link = nullptr) override;
};
