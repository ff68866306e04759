#include "mfreport/device/mfDevice.h"

#include <algorithm>
#include <iterator>

mfDevice::mfDevice() : lifeline_(std::make_shared<mfDevice*>(this)) {
    reset_heading_counter();
}

mfDevice::mfDevice(const mfDevice& other)
    : max_heading_level_(other.max_heading_level_), last_heading_level_(other.last_heading_level_),
      lifeline_(std::make_shared<mfDevice*>(this)) {
    std::copy(std::begin(other.heading_counter_), std::end(other.heading_counter_),
              std::begin(heading_counter_));
}

mfDevice& mfDevice::operator=(const mfDevice& other) {
    max_heading_level_ = other.max_heading_level_;
    last_heading_level_ = other.last_heading_level_;
    std::copy(std::begin(other.heading_counter_), std::end(other.heading_counter_),
              std::begin(heading_counter_));
    return *this;
}

mfDevice::~mfDevice() {
    *lifeline_ = nullptr;
}

void mfDevice::reset_heading_counter() {
    max_heading_level_ = levels;
    last_heading_level_ = 0;
    for (int& counter : heading_counter_) {
        counter = 0;
    }
}

std::string mfDevice::numbered_heading(const std::string& text, int level) {
    std::string result;
    if (level < 1 || level > max_heading_level_) {
        return result + text;
    }
    last_heading_level_ = level;
    ++heading_counter_[level - 1];
    for (int deeper = level; deeper < levels; ++deeper) {
        heading_counter_[deeper] = 0;
    }
    for (int i = 0; i < level; ++i) {
        if (i > 0) {
            result += '.';
        }
        result += std::to_string(heading_counter_[i]);
    }
    return result + "  " + text;
}

bool mfDevice::addHeading(const std::string&, int) {
    return false;
}
bool mfDevice::addParagraph(const std::string&) {
    return false;
}
bool mfDevice::addList(const Vector<std::string>&, int) {
    return false;
}
mfTable* mfDevice::addTable(const mfTableHeader&) {
    return nullptr;
}
bool mfDevice::addFigure(const std::string&, const std::string&) {
    return false;
}
bool mfDevice::addPageBreak() {
    return false;
}
bool mfDevice::addHeadingToTOC(const std::string&, int) {
    return false;
}
bool mfDevice::beginTOC() {
    return false;
}
bool mfDevice::endTOC() {
    return false;
}
bool mfDevice::close() {
    return true;
}
bool mfDevice::flush() {
    return true;
}
