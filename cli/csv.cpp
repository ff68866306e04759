#include "csv.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <tuple>

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
    checkText();
    if (encoding_ != Encoding::Latin1 && peek() == 0xEF) {
        // A UTF-8 byte order mark is not part of the text.
        if (end_ >= 3 && buffer_[1] == 0xBB && buffer_[2] == 0xBF) {
            at_ = 3;
            offset_ = 3;
        }
    }
}

void ByteSource::checkText() {
    peek(); // the first 64 KiB
    const struct {
        const char* mark;
        size_t length;
        const char* encoding;
        const char* name;
    } marks[] = {
        {"\x00\x00\xFE\xFF", 4, "UTF-32", "UTF-32BE"},
        {"\xFF\xFE\x00\x00", 4, "UTF-32", "UTF-32LE"},
        {"\xFE\xFF", 2, "UTF-16", "UTF-16BE"},
        {"\xFF\xFE", 2, "UTF-16", "UTF-16LE"},
    };
    for (const auto& mark : marks) {
        if (end_ >= mark.length && std::memcmp(buffer_.data(), mark.mark, mark.length) == 0) {
            throw Failure(path_ + ": " + mark.encoding +
                          " text (by its byte order mark); convert it to UTF-8 first, for "
                          "example: iconv -f " +
                          mark.name + " -t UTF-8 " + path_ + " >" + " converted.csv");
        }
    }
    const void* nul = std::memchr(buffer_.data(), 0, end_);
    if (nul != nullptr) {
        const auto at = static_cast<const unsigned char*>(nul) - buffer_.data();
        throw Failure(path_ + ": not a text file: byte " + std::to_string(at + 1) + " is NUL");
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

char detectSeparator(const std::string& path, const CsvFormat& format) {
    constexpr char kCandidates[] = {',', ';', '\t', '|'};
    constexpr size_t kCount = sizeof kCandidates;
    constexpr int kSampleLines = 50;
    ByteSource source(path, Encoding::Detect);
    size_t first[kCount] = {};
    size_t line[kCount] = {};
    size_t matching[kCount] = {};
    bool more[kCount] = {};
    int lines = 0;
    bool quoted = false;
    bool atStart = true;
    bool content = false;
    for (int c = source.get(); lines < kSampleLines; c = source.get()) {
        if (atStart && !quoted && format.comment != 0 && c == format.comment) {
            while (c >= 0 && !isLineEnd(c)) {
                c = source.get();
            }
        }
        atStart = false;
        if (c < 0 || (!quoted && isLineEnd(c))) {
            if (content) {
                for (size_t k = 0; k < kCount; ++k) {
                    if (lines == 0) {
                        first[k] = line[k];
                    } else {
                        matching[k] += line[k] == first[k] ? 1 : 0;
                        more[k] = more[k] || line[k] > first[k];
                    }
                    line[k] = 0;
                }
                ++lines;
            }
            content = false;
            atStart = true;
            if (c < 0) {
                break;
            }
            continue;
        }
        content = true;
        if (c == '"' && format.quotes) {
            quoted = !quoted;
        }
        for (size_t k = 0; k < kCount && !quoted; ++k) {
            line[k] += c == kCandidates[k] ? 1 : 0;
        }
    }
    // The best splits every line into as many fields as the first, none
    // into more; then the most fields; ties go to the earlier candidate.
    const auto rank = [&](size_t k) {
        return std::make_tuple(first[k] > 0, !more[k], matching[k], first[k]);
    };
    size_t best = 0;
    for (size_t k = 1; k < kCount; ++k) {
        if (rank(k) > rank(best)) {
            best = k;
        }
    }
    return kCandidates[best];
}

CsvReader::CsvReader(const std::string& path, const CsvFormat& format, Encoding encoding)
    : source_(path, encoding), format_(format) {}

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

void CsvReader::skipLine() {
    while (source_.peek() >= 0 && !isLineEnd(source_.peek())) {
        source_.get();
    }
}

void CsvReader::padTo(size_t count) {
    while (count_ < count) {
        nextField(0, end_);
    }
}

bool CsvReader::next(size_t fieldLimit) {
    count_ = 0;
    extra_ = 0;
    for (;;) {
        const int c = source_.peek();
        if (isLineEnd(c)) {
            source_.get();
        } else if (format_.comment != 0 && c == format_.comment) {
            skipLine();
        } else {
            break;
        }
    }
    if (source_.peek() < 0) {
        return false;
    }
    for (;;) {
        std::string& text = *nextField(fieldLimit, source_.position());
        if (format_.quotes && source_.peek() == '"') {
            readQuoted(text);
        } else {
            readPlain(text);
        }
        const int c = source_.peek();
        if (c == format_.separator) {
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
        fail(first_extra_, "record has " + std::to_string(fieldLimit + extra_) + " fields; " +
                               (format_.header ? "the header" : "the first record") + " has " +
                               std::to_string(fieldLimit));
    }
    return true;
}

void CsvReader::readPlain(std::string& text) {
    for (int c = source_.peek(); c >= 0 && c != format_.separator && !isLineEnd(c);
         c = source_.peek()) {
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
    if (after >= 0 && after != format_.separator && !isLineEnd(after)) {
        fail(source_.position(),
             "unexpected character after the closing quote of a field (a quote inside a quoted "
             "field is written \"\")");
    }
}

} // namespace mfreport::cli
