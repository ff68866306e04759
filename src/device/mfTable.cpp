#include "mfreport/device/mfTable.h"

#include "mfreport/device/mfDevice.h"

mfTable::mfTable(const mfTableHeader& header, mfDevice* device)
    : device_(device != nullptr ? device->lifeline() : nullptr), header_(header) {}

mfTable::~mfTable() = default;

mfDevice* mfTable::device() {
    return device_ != nullptr ? *device_ : nullptr;
}

int mfTable::addColumn(const mfTableColumn& column) {
    columns_.push_back(column);
    return static_cast<int>(columns_.size());
}

mfTable::column_iterator mfTable::column_begin() {
    return columns_.begin();
}
mfTable::column_iterator mfTable::column_end() {
    return columns_.end();
}
size_t mfTable::column_size() const {
    return columns_.size();
}

mfTableColumn* mfTable::column_at(size_t index) {
    return index < columns_.size() ? &columns_[index] : nullptr;
}

mfTableHeader& mfTable::header() {
    return header_;
}

void mfTable::setBackgroundColor(const std::string& color) {
    background_color_ = color;
}
const std::string& mfTable::backgroundColor() const {
    return background_color_;
}

void mfTable::setWrapping(int width, int indent) {
    wrap_width_ = width;
    wrap_indent_ = indent;
}

void mfTable::printAbbreviations() {
    mfDevice* device = this->device();
    if (device == nullptr) {
        return;
    }
    device->addParagraph("Abbreviations");
    Vector<std::string> items;
    items.reserve(columns_.size());
    for (const mfTableColumn& column : columns_) {
        items.push_back(column.name() + "  :  " + column.description());
    }
    device->addList(items, 1);
}
