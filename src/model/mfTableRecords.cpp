#include "mfreport/model/mfTableColumn.h"
#include "mfreport/model/mfTableHeader.h"
#include "mfreport/model/mfTableValue.h"

mfTableColumn::mfTableColumn(const std::string& name, const std::string& description, col_type type)
    : name_(name), description_(description), type_(type),
      adjust_(type == INTEGER || type == REAL ? RIGHT : LEFT) {}

mfTableColumn::mfTableColumn(const std::string& name, const std::string& description,
                             const mfTableColumn& model)
    : name_(name), description_(description), unit_(model.unit_), unit_factor_(model.unit_factor_),
      type_(model.type_), width_(model.width_), decimals_(model.decimals_), format_(model.format_),
      adjust_(model.adjust_) {}

mfTableColumn::~mfTableColumn() = default;

std::string mfTableColumn::header() const {
    return unit_.empty() ? name_ : name_ + " [" + unit_ + "]";
}

const std::string& mfTableColumn::name() const {
    return name_;
}
const std::string& mfTableColumn::description() const {
    return description_;
}
const std::string& mfTableColumn::unit() const {
    return unit_;
}
double mfTableColumn::displayValue(double value) const {
    return value * unit_factor_;
}

// The sign of the stored value carries over into the wide result.
size_t mfTableColumn::width() const {
    return static_cast<size_t>(static_cast<int64_t>(width_));
}
size_t mfTableColumn::decimals() const {
    return static_cast<size_t>(static_cast<int64_t>(decimals_));
}

mfTableColumn::fmt_type mfTableColumn::format_type() const {
    return format_;
}
mfTableColumn::col_type mfTableColumn::type() const {
    return type_;
}
mfTableColumn::adj_type mfTableColumn::adjust() const {
    return adjust_;
}
void mfTableColumn::setType(col_type type) {
    type_ = type;
}
void mfTableColumn::setAdjust(adj_type adjust) {
    adjust_ = adjust;
}

void mfTableColumn::setWidth(size_t width, size_t decimals, fmt_type format) {
    // Keep the low 32 bits, as the stored fields are 32 bits wide.
    width_ = static_cast<int32_t>(static_cast<uint32_t>(width));
    decimals_ = static_cast<int32_t>(static_cast<uint32_t>(decimals));
    format_ = format;
}

void mfTableColumn::setUnits(const std::string& unit, double factor) {
    unit_ = unit;
    unit_factor_ = factor;
}

void mfTableColumn::setBackgroundColor(const std::string& color) {
    background_color_ = color;
}
const std::string& mfTableColumn::backgroundColor() const {
    return background_color_;
}

int mfTableColumn::operator<(const mfTableColumn& other) const {
    return name_ + description_ < other.name_ + other.description_ ? 1 : 0;
}

mfTableHeader::mfTableHeader(const std::string& name, const std::string& description,
                             int heading_level)
    : name_(name), description_(description), heading_level_(heading_level) {}

mfTableHeader::~mfTableHeader() = default;

const std::string& mfTableHeader::name() const {
    return name_;
}
const std::string& mfTableHeader::description() const {
    return description_;
}

int mfTableHeader::getNotes(List<std::string>& notes) const {
    notes.insert(notes.end(), notes_.begin(), notes_.end());
    return static_cast<int>(notes.size());
}

void mfTableHeader::setDescription(const std::string& description) {
    description_ = description;
}
void mfTableHeader::addNote(const std::string& note) {
    notes_.push_back(note);
}
int mfTableHeader::heading_level() const {
    return heading_level_;
}

mfTableValue::~mfTableValue() = default;
