#include "mfreport/markup/record_protocol.h"

#include <algorithm>
#include <utility>

namespace mfreport::markup {

class RecordProtocol::RowFinisher final : public Output::Finisher {
public:
    RowFinisher(RecordProtocol& records, mfTable& table) : records_(records), table_(table) {}
    void finishOpen(Output&, Output::Mark) override { records_.end_record(table_); }

private:
    RecordProtocol& records_;
    mfTable& table_;
};

RecordProtocol::RecordProtocol(std::shared_ptr<Output> output, const TableMarkup& markup)
    : output_(std::move(output)), markup_(&markup) {}

RecordProtocol::RecordProtocol(const RecordProtocol& other)
    : output_(other.output_), markup_(other.markup_), table_(other.table_), cells_(Cells::Kept),
      columns_(other.columns_), count_(other.count_), starts_(other.starts_), kept_(other.kept_),
      tableMark_(other.tableMark_), rowMark_(other.rowMark_) {
    other.copyCells(kept_);
}

RecordProtocol& RecordProtocol::operator=(const RecordProtocol& other) {
    if (this == &other) {
        return *this;
    }
    output_ = other.output_;
    markup_ = other.markup_;
    columns_ = other.columns_;
    count_ = other.count_;
    starts_ = other.starts_;
    next_ = 0;
    cells_ = Cells::Kept;
    kept_ = other.kept_;
    table_ = other.table_;
    other.copyCells(kept_);
    tableMark_ = other.tableMark_;
    rowMark_ = other.rowMark_;
    finisher_.reset();
    return *this;
}

RecordProtocol::~RecordProtocol() = default;

Folding RecordProtocol::folding(const mfTable& table) {
    // An indent fills at most a row less one cell: every output row shows a
    // column, and no indent makes a record endless.
    const int width = table.wrapWidth();
    const int indent = width >= 1 ? std::min(table.wrapIndent(), width - 1) : 0;
    return Folding{width, indent};
}

void RecordProtocol::prepare(mfTable& table) {
    // Cells written in order were written with the texts they are kept with.
    if (next_ > 0 && cells_ == Cells::InOrder) {
        keepCells();
    }
    const size_t count = table.column_size();
    columns_.assign(count, ColumnText{});
    count_ = count;
    starts_.assign(count, 0);
    const Folding rows = markup_->rowFold.empty() ? Folding{} : folding(table);
    // The fold and the indent cells before a column's cell belong to that column.
    bool folded = false;
    const auto fold = [&](int column) {
        if (folded) {
            columns_[static_cast<size_t>(column)].before += markup_->rowFold;
            folded = false;
        }
    };
    rows.walk(
        count, [&] { folded = true; },
        [&](int column) {
            fold(column);
            markup_->appendBlankCell(columns_[static_cast<size_t>(column)].before, table, column);
        },
        fold);
    for (size_t i = 0; i < count; ++i) {
        ColumnText& text = columns_[i];
        const mfTableColumn& column = *table.column_at(i);
        markup_->appendBlankCell(text.blank, table, static_cast<int>(i));
        text.type = column.type();
        text.factor = column.displayValue(1.0);
        const mfTableColumn::fmt_type format = column.format_type();
        const bool sized = format == mfTableColumn::FIXED || format == mfTableColumn::SCIENTIFIC;
        text.notation = format == mfTableColumn::FIXED ? mfreport::number::Notation::Fixed
                        : format == mfTableColumn::SCIENTIFIC
                            ? mfreport::number::Notation::Scientific
                            : mfreport::number::Notation::General;
        // A stream takes a negative precision as its default of 6. Widths and
        // decimals stop at kLongestNumber: a cell of 2^31 digits or blanks
        // would take gigabytes and minutes.
        const int32_t decimals = std::min(column.storedDecimals(), kLongestNumber);
        text.precision = sized && decimals >= 0 ? decimals : 6;
        text.width = sized ? std::min(column.storedWidth(), kLongestNumber) : 0;
        text.field = static_cast<size_t>(text.width > 0 ? text.width : 0);
        text.shortField = text.field <= ColumnText::kShort &&
                          mfreport::number::doubleRoom(text.precision) <= ColumnText::kLocal;
        markup_->prepareColumn(table, static_cast<int>(i), text);
    }
}

void RecordProtocol::copyCells(RowBuffer& into) const {
    if (cells_ == Cells::Kept || next_ == 0 || output_ == nullptr) {
        return;
    }
    const Text& out = output_->buffer();
    const size_t begin = output_->contentStart(rowMark_);
    if (begin == Output::kGone || begin > starts_[0] || starts_[next_ - 1] > out.size()) {
        return; // no longer in the buffer
    }
    for (size_t k = 0; k < next_; ++k) {
        const size_t end =
            k + 1 < next_ ? starts_[k + 1] - columns_[k + 1].before.size() : out.size();
        into.store(k, out.view(starts_[k], end));
    }
}

void RecordProtocol::keepCells() {
    if (cells_ == Cells::InOrder && next_ > 0) {
        copyCells(kept_);
        output_->rewind(rowMark_);
    }
    cells_ = Cells::Kept;
}

void RecordProtocol::clearRecord() {
    row_.clear();
    next_ = 0;
    if (cells_ == Cells::Kept) {
        kept_.clear();
        cells_ = Cells::InOrder;
    }
}

Text* RecordProtocol::openCell(mfTable& table, int column) {
    if (output_ != nullptr && output_->closed()) {
        return nullptr;
    }
    const size_t count = table.column_size();
    if (column < 0 || static_cast<size_t>(column) >= count) {
        return nullptr;
    }
    if (count_ != count) {
        prepare(table);
    }
    keepCells();
    scratch_.clear();
    return &scratch_;
}

bool RecordProtocol::begin_table(mfTable& table) {
    if (!writable()) {
        return false;
    }
    if (output_->isOpen(tableMark_)) {
        end_table(table);
    }
    table_ = Table::HeadDue;
    return output_->healthy();
}

bool RecordProtocol::begin_record(mfTable& table) {
    if (!writable() || table.device() == nullptr) {
        return false;
    }
    clearRecord();
    if (table_ == Table::HeadDue) {
        table_ = Table::Written;
        output_->closeAll();
        markup_->writeHead(table, *output_, folding(table));
        tableMark_ = output_->open(markup_->tableEnd);
        prepare(table);
        // The table's start reaches the file at once, before a record's cells
        // are written into the buffer.
        output_->finish();
    }
    if (!output_->isOpen(tableMark_)) {
        return false;
    }
    if (output_->isOpen(rowMark_)) {
        output_->rewind(rowMark_); // begun again: the cells start afresh
    } else {
        // A record that a copy of this table left open ends first: rows
        // never nest, and its cells never take this row's back with them.
        output_->closeInside(tableMark_);
        output_->put(markup_->rowStart);
        if (!finisher_) {
            finisher_ = std::make_shared<RowFinisher>(*this, table);
        }
        rowMark_ = output_->open(markup_->rowEnd, finisher_);
    }
    return output_->healthy();
}

bool RecordProtocol::end_record(mfTable& table) {
    if (!writable()) {
        return false;
    }
    if (!output_->isOpen(rowMark_)) {
        clearRecord();
        return false;
    }
    const size_t count = table.column_size();
    if (count_ != count) {
        prepare(table);
    }
    if (!output_->innermost(rowMark_)) {
        keepCells();
    }
    if (cells_ == Cells::Kept) {
        output_->rewind(rowMark_);
        row_.clear();
        for (size_t k = 0; k < count; ++k) {
            const ColumnText& column = columns_[k];
            row_ += column.before;
            const std::string* cell = kept_.cell(k);
            row_ += cell != nullptr ? std::string_view(*cell) : std::string_view(column.blank);
        }
        output_->close(rowMark_, row_.view());
    } else {
        Text& out = output_->buffer();
        for (size_t k = next_; k < count; ++k) {
            out += columns_[k].before;
            out += columns_[k].blank;
        }
        output_->close(rowMark_);
    }
    clearRecord();
    return output_->endRecord();
}

bool RecordProtocol::end_table(mfTable& table) {
    if (!writable()) {
        return false;
    }
    if (table_ == Table::HeadDue && markup_->emptyRecord) {
        table.begin_record();
        table.insertValue(0, std::string("Empty table"), nullptr);
        table.end_record();
    }
    table_ = Table::Ended;
    if (output_->isOpen(rowMark_)) {
        end_record(table);
    }
    output_->close(tableMark_);
    return output_->finish();
}

} // namespace mfreport::markup
