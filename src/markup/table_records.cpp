#include "mfreport/markup/table_records.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace mfreport::markup {

/// The widest number field, and the most decimals.
constexpr int32_t kLongestNumber = 1024;

std::string_view showBrackets(std::string_view value, std::string& scratch) {
    if (!isBracketed(value)) {
        return value;
    }
    scratch.assign("&lt;");
    scratch.append(value.substr(1, value.size() - 2));
    scratch.append("&gt;");
    return scratch;
}

void appendColumnNumber(Text& out, const ColumnText& column, double shown) {
    out.commit(number::writeDouble(out.room(number::doubleRoom(column.precision)), shown,
                                   column.notation, column.precision, true));
}

void appendWideNumberCell(Text& out, const Piece& start, const ColumnText& column, double shown,
                          std::string_view end) {
    std::array<char, 512> local;
    if (number::doubleRoom(column.precision) > local.size() || column.width > 256) {
        // Very many decimals or a very wide field: written in place and moved
        // behind the blanks.
        out += start;
        const size_t first = out.size();
        if (std::fabs(shown) > 0.0) {
            appendColumnNumber(out, column, shown);
        } else {
            out += '0';
        }
        const size_t length = out.size() - first;
        if (column.width > 0 && static_cast<uint64_t>(column.width) > length) {
            const size_t blanks = static_cast<size_t>(column.width) - length;
            char* p = out.room(blanks) - length;
            std::memmove(p + blanks, p, length);
            std::memset(p, ' ', blanks);
            out.commit(p + blanks + length);
        }
        out += end;
        return;
    }
    char* last = local.data();
    if (std::fabs(shown) > 0.0) {
        last = number::writeDouble(local.data(), shown, column.notation, column.precision, true);
    } else {
        *last++ = '0';
    }
    const size_t length = static_cast<size_t>(last - local.data());
    const size_t blanks = column.width > 0 && static_cast<uint64_t>(column.width) > length
                              ? static_cast<size_t>(column.width) - length
                              : 0;
    char* p = out.room(start.room() + blanks + length + end.size());
    p = start.copyTo(p);
    std::memset(p, ' ', blanks);
    p = copy(p + blanks, std::string_view(local.data(), length));
    out.commit(copy(p, end));
}

} // namespace mfreport::markup

using mfreport::markup::ColumnText;
using mfreport::markup::Folding;
using mfreport::markup::Output;
using mfreport::markup::Text;

class mfTable::MarkupRecords::RowFinisher final : public Output::Finisher {
public:
    RowFinisher(MarkupRecords& records, mfTable& table) : records_(records), table_(table) {}
    void finishOpen(Output&, Output::Mark) override { records_.end_record(table_); }

private:
    MarkupRecords& records_;
    mfTable& table_;
};

mfTable::MarkupRecords::MarkupRecords(std::shared_ptr<Output> output,
                                      const mfreport::markup::TableMarkup& markup)
    : output_(std::move(output)), markup_(&markup) {}

mfTable::MarkupRecords::MarkupRecords(const MarkupRecords& other)
    : output_(other.output_), markup_(other.markup_), columns_(other.columns_),
      count_(other.count_), starts_(other.starts_), kept_(true), cells_(other.cells_),
      table_(other.table_), rowMark_(other.rowMark_) {
    other.copyCells(cells_);
}

mfTable::MarkupRecords& mfTable::MarkupRecords::operator=(const MarkupRecords& other) {
    if (this == &other) {
        return *this;
    }
    output_ = other.output_;
    markup_ = other.markup_;
    columns_ = other.columns_;
    count_ = other.count_;
    starts_ = other.starts_;
    next_ = 0;
    kept_ = true;
    cells_ = other.cells_;
    other.copyCells(cells_);
    table_ = other.table_;
    rowMark_ = other.rowMark_;
    finisher_.reset();
    return *this;
}

mfTable::MarkupRecords::~MarkupRecords() = default;

Folding mfTable::MarkupRecords::folding(const mfTable& table) {
    // An indent fills at most a row less one cell: every output row shows a
    // column, and no indent makes a record endless.
    const int width = table.wrap_width_;
    const int indent = width >= 1 ? std::min(table.wrap_indent_, width - 1) : 0;
    return Folding{width, indent};
}

void mfTable::MarkupRecords::prepare(mfTable& table) {
    // Cells written in order were written with the texts they are kept with.
    if (next_ > 0 && !kept_) {
        keepCells();
    }
    const size_t count = table.columns_.size();
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
        const mfTableColumn& column = table.columns_[i];
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
        const int32_t decimals =
            std::min(column.storedDecimals(), mfreport::markup::kLongestNumber);
        text.precision = sized && decimals >= 0 ? decimals : 6;
        text.width = sized ? std::min(column.storedWidth(), mfreport::markup::kLongestNumber) : 0;
        text.field = static_cast<size_t>(text.width > 0 ? text.width : 0);
        text.shortField = text.field <= ColumnText::kShort &&
                          mfreport::number::doubleRoom(text.precision) <= ColumnText::kLocal;
        markup_->prepareColumn(table, static_cast<int>(i), text);
    }
}

void mfTable::MarkupRecords::copyCells(mfreport::markup::RowBuffer& into) const {
    if (kept_ || next_ == 0 || output_ == nullptr) {
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

void mfTable::MarkupRecords::keepCells() {
    if (!kept_ && next_ > 0) {
        copyCells(cells_);
        output_->rewind(rowMark_);
    }
    kept_ = true;
}

void mfTable::MarkupRecords::clearRecord() {
    row_.clear();
    next_ = 0;
    if (kept_) {
        cells_.clear();
        kept_ = false;
    }
}

Text* mfTable::MarkupRecords::openCell(mfTable& table, int column) {
    if (output_ != nullptr && output_->closed()) {
        return nullptr;
    }
    const size_t count = table.columns_.size();
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
    if (!writable() || table.device() == nullptr) {
        return false;
    }
    clearRecord();
    if (table.suspended_) {
        table.suspended_ = false;
        output_->closeAll();
        markup_->writeHead(table, *output_, folding(table));
        table_ = output_->open(markup_->tableEnd);
        prepare(table);
        // The table's start reaches the file at once, before a record's cells
        // are written into the buffer.
        output_->finish();
    }
    if (!output_->isOpen(table_)) {
        return false;
    }
    if (output_->isOpen(rowMark_)) {
        output_->rewind(rowMark_); // begun again: the cells start afresh
    } else {
        // A record that a copy of this table left open ends first: rows
        // never nest, and its cells never take this row's back with them.
        output_->closeInside(table_);
        output_->put(markup_->rowStart);
        if (!finisher_) {
            finisher_ = std::make_shared<RowFinisher>(*this, table);
        }
        rowMark_ = output_->open(markup_->rowEnd, finisher_);
    }
    return output_->healthy();
}

bool mfTable::MarkupRecords::end_record(mfTable& table) {
    if (!writable()) {
        return false;
    }
    if (!output_->isOpen(rowMark_)) {
        clearRecord();
        return false;
    }
    const size_t count = table.columns_.size();
    if (count_ != count) {
        prepare(table);
    }
    if (!output_->innermost(rowMark_)) {
        keepCells();
    }
    if (kept_) {
        output_->rewind(rowMark_);
        row_.clear();
        for (size_t k = 0; k < count; ++k) {
            const ColumnText& column = columns_[k];
            row_ += column.before;
            const std::string* cell = cells_.cell(k);
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
    if (output_->isOpen(rowMark_)) {
        end_record(table);
    }
    output_->close(table_);
    return output_->finish();
}
