#include "mfreport/markup/output.h"

#include <stdexcept>

namespace mfreport::markup {

Output::Output(const std::string& fileName) {
    file_.open(fileName, std::ios::out | std::ios::trunc);
    if (!file_.is_open()) {
        throw std::runtime_error("Unable to open file " + fileName +
                                 ".\nIs file locked by another program or an illegal filename "
                                 "specified ?");
    }
}

Output::~Output() = default;

void Output::put(std::string_view text) {
    file_.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file_.good()) {
        failed_ = true;
    }
}

bool Output::finish() {
    if (healthy()) {
        file_.flush();
    }
    if (!file_.good()) {
        failed_ = true;
    }
    return healthy();
}

Output::Mark Output::open(std::string_view closing) {
    open_.emplace_back(++last_, closing);
    return last_;
}

bool Output::isOpen(Mark mark) const {
    for (const auto& element : open_) {
        if (element.first == mark) {
            return true;
        }
    }
    return false;
}

void Output::close(Mark mark, std::string_view content) {
    if (!isOpen(mark)) {
        return;
    }
    while (open_.back().first != mark) {
        put(open_.back().second);
        open_.pop_back();
    }
    put(content);
    put(open_.back().second);
    open_.pop_back();
}

void Output::closeAll() {
    while (!open_.empty()) {
        put(open_.back().second);
        open_.pop_back();
    }
}

bool Output::closeDocument(std::string_view documentEnd) {
    if (file_.is_open()) {
        closeAll();
        put(documentEnd);
        file_.close();
        if (file_.fail()) {
            failed_ = true;
        }
    }
    return !failed_;
}

} // namespace mfreport::markup
