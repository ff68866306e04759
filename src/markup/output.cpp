#include "mfreport/markup/output.h"

#include <stdexcept>
#include <utility>

namespace mfreport::markup {

namespace {

std::runtime_error unableToOpen(const std::string& fileName) {
    return std::runtime_error("Unable to open file " + fileName +
                              ".\nIs file locked by another program or an illegal filename "
                              "specified ?");
}

} // namespace

Output::Output(const std::string& fileName) {
    // Opening would cut short the file of a report still being written.
    if (platform::FileClaim::claimed(fileName)) {
        throw unableToOpen(fileName);
    }
    // The buffer here is the only one: each drain is one write to the file.
    file_.rdbuf()->pubsetbuf(nullptr, 0);
    file_.open(fileName, std::ios::out | std::ios::trunc);
    if (!file_.is_open()) {
        throw unableToOpen(fileName);
    }
    sync_ = platform::openForSync(fileName);
    const std::optional<platform::FileId> id =
        sync_ >= 0 ? platform::fileIdOf(sync_) : platform::fileIdOf(fileName);
    if (id && !claim_.take(*id)) {
        platform::closeFile(sync_);
        throw unableToOpen(fileName);
    }
    is_open_ = true;
    buffer_.reserve(kBufferSize + (kBufferSize >> 2));
    last_write_ = std::time(nullptr);
}

Output::Output(std::unique_ptr<Sink> sink) : sink_(std::move(sink)) {
    is_open_ = sink_ != nullptr;
    buffer_.reserve(kBufferSize + (kBufferSize >> 2));
    last_write_ = std::time(nullptr);
}

Output::~Output() {
    if (sync_ >= 0) {
        platform::closeFile(sync_);
    }
}

void Output::drain() {
    if (!buffer_.empty()) {
        ++writes_;
        write(buffer_.data(), buffer_.size());
        buffer_.clear();
        if (buffer_.capacity() > 4 * kBufferSize) { // after a very long line
            buffer_ = Text();
            buffer_.reserve(kBufferSize + (kBufferSize >> 2));
        }
    }
    last_write_ = std::time(nullptr);
}

void Output::putLarge(std::string_view text) {
    drain();
    ++writes_;
    write(text.data(), text.size());
}

void Output::write(const char* data, size_t size) {
    if (failed_) {
        return;
    }
    if (sink_ != nullptr) {
        failed_ = !sink_->write(data, size);
        return;
    }
    file_.write(data, static_cast<std::streamsize>(size));
    if (!file_.good()) {
        failed_ = true;
    }
}

bool Output::finish() {
    if (closed()) {
        return false;
    }
    drain();
    if (!failed_) {
        if (sink_ != nullptr) {
            failed_ = !sink_->flush();
        } else {
            file_.flush();
            failed_ = !file_.good();
        }
    }
    return healthy();
}

std::ofstream& Output::stream() {
    if (!closed()) {
        drain();
    }
    return file_;
}

bool Output::startContent() {
    if (closed()) {
        return false;
    }
    closeAll();
    return true;
}

Output::Mark Output::open(std::string_view closing, std::weak_ptr<Finisher> finisher) {
    open_.push_back(OpenElement{++last_, closing, std::move(finisher), buffer_.size(), writes_});
    return last_;
}

void Output::closeInnermost() {
    const Mark mark = open_.back().mark;
    // Taken out first, so that a finisher that closes more runs only once.
    const std::shared_ptr<Finisher> finisher = open_.back().finisher.lock();
    open_.back().finisher.reset();
    if (finisher) {
        finisher->finishOpen(*this, mark);
    }
    if (!open_.empty() && open_.back().mark == mark) {
        put(open_.back().closing);
        open_.pop_back();
    }
}

void Output::closeOuter(Mark mark, std::string_view content) {
    if (!isOpen(mark)) {
        return;
    }
    while (open_.back().mark != mark) {
        closeInnermost();
        if (!isOpen(mark)) { // closed by a finisher on the way
            return;
        }
    }
    put(content);
    put(open_.back().closing);
    open_.pop_back();
}

void Output::closeAll() {
    while (!open_.empty()) {
        closeInnermost();
    }
}

void Output::closeInside(Mark mark) {
    while (isOpen(mark) && !innermost(mark)) {
        closeInnermost();
    }
}

bool Output::closeDocument(std::string_view documentEnd) {
    if (!closed()) {
        closeAll();
        put(documentEnd);
        drain();
        if (sink_ != nullptr) {
            if (!sink_->close()) {
                failed_ = true;
            }
            is_open_ = false;
            buffer_ = Text();
            return !failed_;
        }
        file_.flush();
        if (!file_.good() || (sync_ >= 0 && !platform::syncToDisk(sync_))) {
            failed_ = true;
        }
        file_.close();
        if (file_.fail()) {
            failed_ = true;
        }
        if (sync_ >= 0 && !platform::closeFile(sync_)) {
            failed_ = true;
        }
        sync_ = -1;
        claim_.release();
        is_open_ = false;
        buffer_ = Text();
    }
    return !failed_;
}

} // namespace mfreport::markup
