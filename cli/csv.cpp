#include "csv.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace mfreport::cli {

namespace {

constexpr size_t kBufferSize = 1 << 16;
constexpr size_t kLongestField = size_t{16} << 20;

bool isLineEnd(int c) {
    return c == '\n' || c == '\r';
}

} // namespace

void failAt(const std::string& file, Position at, const std::string& message) {
    throw Failure(file + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) + ": " +
                  message);
}

ByteSource::ByteSource(const std::string& path, Encoding encoding)
    : path_(path), encoding_(encoding), file_(std::fopen(path.c_str(), "rb"), &std::fclose),
      buffer_(kBufferSize) {
    if (!file_) {
        throw Failure(path + ": cannot open: " + std::strerror(errno));
    }
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        throw Failure(path + ": cannot read: it is a folder");
    }
    if (!std::filesystem::is_regular_file(path, error)) {
        throw Failure(path + ": cannot read: not a regular file, and every input is read twice");
    }
    const auto size = std::filesystem::file_size(path, error);
    size_ = error ? 0 : size;
    if (encoding_ != Encoding::Latin1 && peek() == 0xEF) {
        // A UTF-8 byte order mark is not part of the text.
        if (end_ >= 3 && buffer_[1] == 0xBB && buffer_[2] == 0xBF) {
            at_ = 3;
            offset_ = 3;
        }
    }
}

bool ByteSource::fill() {
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
    at_ = 0;
    if (end_ == 0 && std::ferror(file_.get())) {
        failAt(path_, position(), std::string("cannot read: ") + std::strerror(errno));
    }
    return end_ > 0;
}

int ByteSource::peek() {
    if (at_ == end_ && !fill()) {
        return -1;
    }
    return buffer_[at_];
}

int ByteSource::get() {
    const int c = peek();
    if (c < 0) {
        return c;
    }
    ++at_;
    ++offset_;
    const auto byte = static_cast<unsigned char>(c);
    checkUtf8(byte);
    if (c == '\n' && after_cr_) {
        after_cr_ = false; // the second half of CR LF
    } else if (isLineEnd(c)) {
        ++line_;
        column_bytes_ = 1;
        column_chars_ = 1;
        after_cr_ = c == '\r';
    } else {
        after_cr_ = false;
        ++column_bytes_;
        if ((byte & 0xC0) != 0x80) {
            ++column_chars_;
        }
    }
    return c;
}

Position ByteSource::position() const {
    const bool utf8 = encoding_ == Encoding::Utf8 || (encoding_ == Encoding::Detect && utf8_valid_);
    return {line_, utf8 ? column_chars_ : column_bytes_};
}

void ByteSource::checkUtf8(unsigned char byte) {
    if (!utf8_valid_) {
        return;
    }
    if (utf8_need_ > 0) {
        if (byte < utf8_low_ || byte > utf8_high_) {
            utf8_valid_ = false;
        }
        --utf8_need_;
        utf8_low_ = 0x80;
        utf8_high_ = 0xBF;
        return;
    }
    if (byte < 0x80) {
        return;
    }
    // The lead byte fixes the length and the range of the next byte, which
    // excludes overlong forms, surrogates and code points above U+10FFFF.
    if (byte >= 0xC2 && byte <= 0xDF) {
        utf8_need_ = 1;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        utf8_need_ = 2;
        utf8_low_ = byte == 0xE0 ? 0xA0 : 0x80;
        utf8_high_ = byte == 0xED ? 0x9F : 0xBF;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        utf8_need_ = 3;
        utf8_low_ = byte == 0xF0 ? 0x90 : 0x80;
        utf8_high_ = byte == 0xF4 ? 0x8F : 0xBF;
    } else {
        utf8_valid_ = false;
    }
}

char detectSeparator(const std::string& path) {
    ByteSource source(path, Encoding::Detect);
    size_t commas = 0;
    size_t semicolons = 0;
    bool quoted = false;
    bool content = false; // empty lines before the header row are skipped
    for (int c = source.get(); c >= 0; c = source.get()) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && isLineEnd(c)) {
            if (content) {
                break;
            }
        } else if (!quoted) {
            commas += c == ',' ? 1 : 0;
            semicolons += c == ';' ? 1 : 0;
        }
        content = content || !isLineEnd(c);
    }
    return semicolons > commas ? ';' : ',';
}

CsvReader::CsvReader(const std::string& path, char separator, Encoding encoding)
    : source_(path, encoding), separator_(separator) {}

void CsvReader::fail(Position at, const std::string& message) const {
    failAt(source_.path(), at, message);
}

std::string* CsvReader::nextField(size_t fieldLimit, Position start) {
    if (fieldLimit != 0 && count_ == fieldLimit) {
        if (extra_++ == 0) {
            first_extra_ = start;
        }
        discard_.clear();
        return &discard_;
    }
    if (count_ == fields_.size()) {
        fields_.emplace_back();
        starts_.emplace_back();
    }
    starts_[count_] = start;
    fields_[count_].clear();
    return &fields_[count_++];
}

bool CsvReader::next(size_t fieldLimit) {
    count_ = 0;
    extra_ = 0;
    while (isLineEnd(source_.peek())) {
        source_.get();
    }
    if (source_.peek() < 0) {
        return false;
    }
    for (;;) {
        std::string& text = *nextField(fieldLimit, source_.position());
        if (source_.peek() == '"') {
            readQuoted(text);
        } else {
            readPlain(text);
        }
        const int c = source_.peek();
        if (c == separator_) {
            source_.get();
            continue;
        }
        end_ = source_.position();
        if (c == '\r') {
            source_.get();
            if (source_.peek() == '\n') {
                source_.get();
            }
        } else if (c == '\n') {
            source_.get();
        }
        break;
    }
    if (extra_ > 0) {
        fail(first_extra_, "record has " + std::to_string(fieldLimit + extra_) +
                               " fields; the header has " + std::to_string(fieldLimit));
    }
    return true;
}

void CsvReader::readPlain(std::string& text) {
    for (int c = source_.peek(); c >= 0 && c != separator_ && !isLineEnd(c); c = source_.peek()) {
        if (text.size() == kLongestField) {
            fail(source_.position(), "field longer than 16 MiB");
        }
        text += static_cast<char>(source_.get());
    }
}

void CsvReader::readQuoted(std::string& text) {
    const Position opening = source_.position();
    source_.get();
    for (;;) {
        const int c = source_.get();
        if (c < 0) {
            fail(opening,
                 "quoted field is not closed: no closing quote before the end of the file");
        }
        if (text.size() == kLongestField) {
            fail(opening, "quoted field longer than 16 MiB: is its closing quote missing?");
        }
        if (c == '"') {
            if (source_.peek() != '"') {
                break;
            }
            source_.get();
        } else if (c == '\r') {
            // A line end inside a field is kept as a line feed.
            if (source_.peek() == '\n') {
                source_.get();
            }
            text += '\n';
            continue;
        }
        text += static_cast<char>(c);
    }
    const int after = source_.peek();
    if (after >= 0 && after != separator_ && !isLineEnd(after)) {
        fail(source_.position(),
             "unexpected character after the closing quote of a field (a quote inside a quoted "
             "field is written \"\")");
    }
}

} // namespace mfreport::cli
