// The base of the markup table writers (XHTML, workbook, word-processing):
// the record protocol, copy and assignment are defined here once, so that a
// kind's writer holds only its markup and its cells.
#pragma once

#include <memory>
#include <string_view>

#include "mfreport/device/mfTable.h"

namespace mfreport::markup {
class Output;
class RecordProtocol;
struct TableMarkup;
} // namespace mfreport::markup

class mfMarkupTable : public mfTable {
public:
    mfMarkupTable(const mfMarkupTable& other);
    mfMarkupTable& operator=(const mfMarkupTable& other);
    /// Writes nothing.
    ~mfMarkupTable() override;

    bool begin_table() override;
    bool begin_record() override;
    bool end_record() override;
    bool end_table() override;

protected:
    /// `output` is the document of `device`, null when the device is not of
    /// the writer's kind: then every operation that writes answers false.
    mfMarkupTable(const mfTableHeader& header, mfDevice* device,
                  std::shared_ptr<mfreport::markup::Output> output,
                  const mfreport::markup::TableMarkup& markup);

    mfreport::markup::RecordProtocol& records() { return *records_; }

    /// The cell of `column`: the column's start of an integer cell, `value`
    /// in decimal and `end`. False when it cannot be written.
    bool putIntegerCell(int column, int value, std::string_view end);
    /// The cell of `column`: the column's start of a number cell, `value`
    /// after the unit factor in the column's format, and `end`.
    bool putNumberCell(int column, double value, std::string_view end);

private:
    std::unique_ptr<mfreport::markup::RecordProtocol> records_;
};
