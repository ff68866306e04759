#include "mfreport/text/mfTableText.h"

#include "mfreport/text/formatter_state.h"
#include "mfreport/text/mfTextDevice.h"
#include "mfreport/text/primax.h"
#include "mfreport/text/printable.h"

namespace {

using namespace mfreport;

constexpr int32_t kLevel = 1;
constexpr int32_t kTableAttribute = 3;
constexpr size_t kLongestName = 10;

// A width or decimals count as stored: 32 bits, returned widened with the sign.
int32_t stored(size_t value) {
    return static_cast<int32_t>(static_cast<int64_t>(value));
}

} // namespace

mfTableText::mfTableText(const mfTableHeader& header, mfDevice* device)
    : mfTable(header, device), format_code_{{mfTableColumn::INTEGER, "I"},
                                            {mfTableColumn::REAL, "E"},
                                            {mfTableColumn::STRING, "A"}},
      text_device_(dynamic_cast<mfTextDevice*>(device)) {}

mfTableText::~mfTableText() = default;

// Inline: every value and record asks.
inline bool mfTableText::usable() const {
    // A later text device takes the page manager and the formatter over: from
    // then on this device's tables write nothing.
    return text_device_ != nullptr && hasDevice() && text_device_->isOpen() &&
           text::reportState().owner == text_device_;
}

std::string mfTableText::tableName() {
    const std::string& name = header().name();
    return text::printable(name.size() > kLongestName ? name.substr(0, kLongestName - 1) : name);
}

bool mfTableText::defineColumn(int32_t k, const mfTableColumn& column) {
    std::string name = text::printable(column.name());
    std::string description = text::printable(column.description());
    if (!column.unit().empty()) {
        description += "(" + text::printable(column.unit()) + ")";
    }
    const auto code = format_code_.find(column.type());
    std::string format = code != format_code_.end() ? code->second : std::string();
    if (format == "E" && column.format_type() == mfTableColumn::FIXED) {
        format = "F";
    }
    // A width of 0 leaves the name whole: width - 1 is then the largest size.
    const size_t width = column.width();
    if (name.size() > width - 1) {
        name.resize(width - 1);
    }
    int32_t status = 0;
    text::PTDCOL(table_, kLevel, k, name, description, format, status);
    if (status == 0 && width != 0) {
        text::PTSWID(table_, kLevel, k, stored(width), stored(column.decimals()), status);
    }
    return status == 0;
}

bool mfTableText::begin_table() {
    if (!usable()) {
        return false;
    }
    const std::string name = tableName();
    int32_t status = 0;
    int32_t table = 0;
    text::PTDTAB(name, kTableAttribute, table, status);
    if (status != 0) {
        return false;
    }
    table_ = table;
    text::PTTITL(table_, text::printable(header().description()), status);
    if (status == 0) {
        text::PTOCOL(table_, status);
    }
    int32_t k = 0;
    for (auto column = column_begin(); status == 0 && column != column_end(); ++column) {
        if (!defineColumn(++k, *column)) {
            return false;
        }
    }
    if (status == 0) {
        text::PTCCOL(table_, status);
    }
    if (status == 0) {
        text::PTCHEK(table_, status);
    }
    if (status == 0) {
        text::PTSETU(name, status);
    }
    if (status == 0) {
        text::flushTable(table_);
        flushed_ = std::time(nullptr);
    }
    set_up_ = status == 0;
    return set_up_;
}

inline const mfTableColumn* mfTableText::typedColumn(int column, mfTableColumn::col_type type) {
    const mfTableColumn* c = column >= 0 ? column_at(static_cast<size_t>(column)) : nullptr;
    return c != nullptr && c->type() == type ? c : nullptr;
}

bool mfTableText::begin_record() {
    return usable() && set_up_ && !text::tableFileFailed(table_);
}

bool mfTableText::insertValue(int column, const std::string& value, const std::string*) {
    if (!usable() || typedColumn(column, mfTableColumn::STRING) == nullptr) {
        return false;
    }
    if (value.empty()) {
        return !text::tableFileFailed(table_);
    }
    int32_t status = 0;
    std::string scratch;
    text::PTPUTA(table_, kLevel, column + 1, text::printable(value, scratch), status);
    return status == 0;
}

bool mfTableText::insertValue(int column, const double& value, const std::string*) {
    const mfTableColumn* c = usable() ? typedColumn(column, mfTableColumn::REAL) : nullptr;
    if (c == nullptr) {
        return false;
    }
    int32_t status = 0;
    text::PTPUTR(table_, kLevel, column + 1, c->displayValue(value), status);
    return status == 0;
}

bool mfTableText::insertValue(int column, const int& value, const std::string*) {
    if (!usable() || typedColumn(column, mfTableColumn::INTEGER) == nullptr) {
        return false;
    }
    int32_t status = 0;
    text::PTPUTI(table_, kLevel, column + 1, value, status);
    return status == 0;
}

bool mfTableText::end_record() {
    if (!usable()) {
        return false;
    }
    int32_t status = 0;
    text::PTWREC(table_, status);
    if (status == 0 && std::time(nullptr) != flushed_) {
        text::flushTable(table_);
        flushed_ = std::time(nullptr);
    }
    return status == 0;
}

bool mfTableText::end_table() {
    if (!usable() || table_ == 0) {
        return false;
    }
    const std::string name = tableName();
    if (text::tableNumber(name) != table_) {
        table_ = 0; // ended already, or its slot went to a later table
        set_up_ = false;
        return false;
    }
    text::flushTable(table_);
    int32_t status = 0;
    text::PTENDT(name, status);
    table_ = 0;
    set_up_ = false;
    return status == 0;
}
