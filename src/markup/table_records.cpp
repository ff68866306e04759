#include "mfreport/markup/table_records.h"

#include <cmath>

#include "mfreport/device/number_format.h"

namespace mfreport::markup {

std::string_view showBrackets(std::string_view value, std::string& scratch) {
    if (!isBracketed(value)) {
        return value;
    }
    scratch.assign("&lt;");
    scratch.append(value.substr(1, value.size() - 2));
    scratch.append("&gt;");
    return scratch;
}

void appendCellNumber(std::string& out, const mfTableColumn& column, double shown) {
    const size_t start = out.size();
    if (std::fabs(shown) > 0.0) {
        number::appendColumnNumber(out, column, shown);
    } else {
        out += '0';
    }
    number::padFront(out, start, number::columnWidth(column));
}

} // namespace mfreport::markup

using mfreport::markup::Folding;
using mfreport::markup::Output;

class mfTable::MarkupRecords::RowFinisher final : public Output::Finisher {
public:
    RowFinisher(MarkupRecords& records, mfTable& table) : records_(records), table_(table) {}
    void finishOpen(Output&, Output::Mark) override { records_.end_record(table_); }

private:
    MarkupRecords& records_;
    mfTable& table_;
};

mfTable::MarkupRecords::MarkupRecords(Output* output, const mfreport::markup::TableMarkup& markup)
    : output_(output), markup_(&markup) {}

mfTable::MarkupRecords::MarkupRecords(const MarkupRecords& other)
    : output_(other.output_), markup_(other.markup_), cells_(other.cells_), table_(other.table_),
      row_(other.row_) {}

mfTable::MarkupRecords& mfTable::MarkupRecords::operator=(const MarkupRecords& other) {
    if (this == &other) {
        return *this;
    }
    output_ = other.output_;
    markup_ = other.markup_;
    cells_ = other.cells_;
    table_ = other.table_;
    row_ = other.row_;
    finisher_.reset();
    return *this;
}

mfTable::MarkupRecords::~MarkupRecords() = default;

Folding mfTable::MarkupRecords::folding(const mfTable& table) {
    return Folding{table.wrap_width_, table.wrap_indent_};
}

bool mfTable::MarkupRecords::begin_table(mfTable& table) {
    if (!writable()) {
        return false;
    }
    if (output_->isOpen(table_)) {
        end_table(table);
    }
    table.suspended_ = true;
    return output_->healthy();
}

bool mfTable::MarkupRecords::begin_record(mfTable& table) {
    if (!writable()) {
        return false;
    }
    cells_.clear();
    if (table.suspended_) {
        table.suspended_ = false;
        output_->closeAll();
        markup_->writeHead(table, *output_, folding(table));
        table_ = output_->open(markup_->tableEnd);
    }
    if (!output_->isOpen(table_)) {
        return false;
    }
    if (!output_->isOpen(row_)) {
        output_->put(markup_->rowStart);
        if (!finisher_) {
            finisher_ = std::make_shared<RowFinisher>(*this, table);
        }
        row_ = output_->open(markup_->rowEnd, finisher_);
    }
    return output_->finish();
}

std::string* mfTable::MarkupRecords::cell(const mfTable& table, int column) {
    if (output_ != nullptr && output_->closed()) {
        return nullptr;
    }
    if (column < 0 || static_cast<size_t>(column) >= table.columns_.size()) {
        return nullptr;
    }
    return &cells_.open(static_cast<size_t>(column));
}

bool mfTable::MarkupRecords::end_record(mfTable& table) {
    if (!writable()) {
        return false;
    }
    if (!output_->isOpen(row_)) {
        cells_.clear();
        return false;
    }
    const Folding rows = markup_->rowFold.empty() ? Folding{} : folding(table);
    text_.clear();
    rows.walk(
        table.columns_.size(), [&] { text_ += markup_->rowFold; },
        [&](int column) { markup_->appendBlankCell(text_, table, column); },
        [&](int column) {
            if (const std::string* cell = cells_.cell(static_cast<size_t>(column))) {
                text_ += *cell;
            } else {
                markup_->appendBlankCell(text_, table, column);
            }
        });
    output_->close(row_, text_);
    cells_.clear();
    return output_->finish();
}

bool mfTable::MarkupRecords::end_table(mfTable& table) {
    if (!writable()) {
        return false;
    }
    if (table.suspended_ && markup_->emptyRecord) {
        table.begin_record();
        table.insertValue(0, std::string("Empty table"), nullptr);
        table.end_record();
    }
    table.suspended_ = false;
    if (output_->isOpen(row_)) {
        end_record(table);
    }
    output_->close(table_);
    return output_->finish();
}
