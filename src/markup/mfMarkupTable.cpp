#include "mfreport/markup/mfMarkupTable.h"

#include <utility>

#include "mfreport/markup/cells.h"
#include "mfreport/markup/record_protocol.h"

using mfreport::markup::RecordProtocol;

mfMarkupTable::mfMarkupTable(const mfTableHeader& header, mfDevice* device,
                             std::shared_ptr<mfreport::markup::Output> output,
                             const mfreport::markup::TableMarkup& markup)
    : mfTable(header, device),
      records_(std::make_unique<RecordProtocol>(std::move(output), markup)) {}

mfMarkupTable::mfMarkupTable(const mfMarkupTable& other)
    : mfTable(other), records_(std::make_unique<RecordProtocol>(*other.records_)) {}

mfMarkupTable& mfMarkupTable::operator=(const mfMarkupTable& other) {
    mfTable::operator=(other);
    *records_ = *other.records_;
    return *this;
}

mfMarkupTable::~mfMarkupTable() = default;

bool mfMarkupTable::begin_table() {
    return records_->begin_table(*this);
}

bool mfMarkupTable::begin_record() {
    return records_->begin_record(*this);
}

bool mfMarkupTable::end_record() {
    return records_->end_record(*this);
}

bool mfMarkupTable::end_table() {
    return records_->end_table(*this);
}

bool mfMarkupTable::putIntegerCell(int column, int value, std::string_view end) {
    const auto cell = records_->cell(*this, column);
    if (cell.out == nullptr) {
        return false;
    }
    mfreport::markup::appendIntegerCell(*cell.out, cell.column->integerStart, value, end);
    return records_->done(cell);
}

bool mfMarkupTable::putNumberCell(int column, double value, std::string_view end) {
    const auto cell = records_->cell(*this, column);
    if (cell.out == nullptr) {
        return false;
    }
    const mfreport::markup::ColumnText& col = *cell.column;
    mfreport::markup::appendNumberCell(*cell.out, col.realStart, col, value * col.factor, end);
    return records_->done(cell);
}
