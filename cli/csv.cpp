#include "csv.h"

#include <algorithm>
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

namespace {

constexpr size_t kFirstBlock = size_t{1} << 20;
constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighs = 0x8080808080808080ULL;

constexpr std::uint64_t kLows = ~kHighs;

// The high bit of each byte of `word` that differs from the byte `pattern`
// repeats.
std::uint64_t differentBytes(std::uint64_t word, std::uint64_t pattern) {
    const std::uint64_t x = word ^ pattern;
    return ((x & kLows) + kLows) | x;
}

// The separators and line ends among the `count` (1 to 8) bytes at `data`,
// each by the high bit of its byte: the byte at data[i] is bit 8 i + 7.
std::uint64_t stopBytes(const char* data, size_t count, char separator, const bool* stops) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    (void)stops;
    std::uint64_t word = 0;
    if (count == 8) {
        std::memcpy(&word, data, 8);
    } else {
        std::memcpy(&word, data, count);
    }
    std::uint64_t found =
        ~differentBytes(word, kOnes * static_cast<unsigned char>(separator)) & kHighs;
    // Line ends are rare: looked for only in a word with a byte below 14.
    if (((word - kOnes * 14) & ~word & kHighs) != 0) {
        found |=
            ~(differentBytes(word, kOnes * '\n') & differentBytes(word, kOnes * '\r')) & kHighs;
    }
    return count == 8 ? found : found & ((std::uint64_t{1} << (8 * count)) - 1);
#else
    (void)separator;
    std::uint64_t found = 0;
    for (size_t i = 0; i < count; ++i) {
        found |= stops[static_cast<unsigned char>(data[i])] ? std::uint64_t{0x80} << (8 * i) : 0;
    }
    return found;
#endif
}

} // namespace

size_t ByteSource::read(char* to, size_t most) {
    size_t moved = 0;
    if (at_ < end_) {
        moved = std::min(most, end_ - at_);
        std::memcpy(to, buffer_.data() + at_, moved);
        at_ += moved;
    } else {
        moved = std::fread(to, 1, most, file_.get());
        if (moved == 0 && std::ferror(file_.get())) {
            failAt(path_, position(), std::string("cannot read: ") + std::strerror(errno));
        }
    }
    offset_ += moved;
    return moved;
}

CsvReader::CsvReader(const std::string& path, const CsvFormat& format, Encoding encoding)
    : source_(path, encoding), format_(format), encoding_(encoding), buffer_(kFirstBlock) {
    stops_[static_cast<unsigned char>(format_.separator)] = true;
    stops_[static_cast<unsigned char>('\n')] = true;
    stops_[static_cast<unsigned char>('\r')] = true;
    base_ = source_.offset(); // after a byte order mark
}

void CsvReader::fail(Position at, const std::string& message) const {
    failAt(source_.path(), at, message);
}

// Keeps the bytes from `keep` on, at the buffer's start, and reads more after
// them; false at the end of the file.
bool CsvReader::refill(size_t keep) {
    if (haveRecord_ && !endKept_ && keep > record_) {
        endPosition_ = positionAt(recordEnd_);
        endKept_ = true;
    }
    if (keep > 0) {
        std::memmove(buffer_.data(), buffer_.data() + keep, end_ - keep);
        end_ -= keep;
        next_ -= keep;
        record_ = record_ >= keep ? record_ - keep : 0;
        base_ += keep;
    }
    if (end_ == buffer_.size()) {
        buffer_.resize(buffer_.size() * 2); // a record longer than the buffer
    }
    const size_t read = source_.read(buffer_.data() + end_, buffer_.size() - end_);
    checkUtf8(reinterpret_cast<const unsigned char*>(buffer_.data() + end_), read);
    end_ += read;
    atEnd_ = read == 0;
    return read > 0;
}

// The lead byte fixes the length and the range of the next byte, which
// excludes overlong forms, surrogates and code points above U+10FFFF.
void CsvReader::checkUtf8(const unsigned char* bytes, size_t count) {
    const std::uint64_t first = base_ + end_;
    for (size_t i = 0; i < count && firstInvalid_ == kValid; ++i) {
        if (utf8Need_ == 0) {
            // Plain ASCII eight bytes at a time.
            while (i + 8 <= count) {
                std::uint64_t word;
                std::memcpy(&word, bytes + i, 8);
                if ((word & 0x8080808080808080ULL) != 0) {
                    break;
                }
                i += 8;
            }
            if (i == count) {
                break;
            }
        }
        const unsigned char byte = bytes[i];
        if (utf8Need_ > 0) {
            if (byte < utf8Low_ || byte > utf8High_) {
                firstInvalid_ = first + i;
            }
            --utf8Need_;
            utf8Low_ = 0x80;
            utf8High_ = 0xBF;
        } else if (byte < 0x80) {
            continue;
        } else if (byte >= 0xC2 && byte <= 0xDF) {
            utf8Need_ = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            utf8Need_ = 2;
            utf8Low_ = byte == 0xE0 ? 0xA0 : 0x80;
            utf8High_ = byte == 0xED ? 0x9F : 0xBF;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            utf8Need_ = 3;
            utf8Low_ = byte == 0xF0 ? 0x90 : 0x80;
            utf8High_ = byte == 0xF4 ? 0x8F : 0xBF;
        } else {
            firstInvalid_ = first + i;
        }
    }
}

// The line and column of the byte at buffer index `at` of the record (or
// its line end); columns count characters while the bytes before are UTF-8.
Position CsvReader::positionAt(size_t at) const {
    Position position{recordLine_, 1};
    size_t lineStart = record_;
    bool afterCr = false;
    for (size_t i = record_; i < at; ++i) {
        const char c = buffer_[i];
        if (c == '\r' || (c == '\n' && !afterCr)) {
            ++position.line;
        }
        if (isLineEnd(c)) {
            lineStart = i + 1;
        }
        afterCr = c == '\r';
    }
    const bool chars = encoding_ == Encoding::Utf8 ||
                       (encoding_ == Encoding::Detect && firstInvalid_ >= base_ + at);
    for (size_t i = lineStart; i < at; ++i) {
        position.column += !chars || (static_cast<unsigned char>(buffer_[i]) & 0xC0) != 0x80;
    }
    return position;
}

Position CsvReader::recordEnd() const {
    return endKept_ ? endPosition_ : positionAt(recordEnd_);
}

CsvReader::Field* CsvReader::slot(size_t fieldLimit, size_t start) {
    if (fieldLimit != 0 && count_ == fieldLimit) {
        if (extra_++ == 0) {
            firstExtra_ = start;
        }
        return nullptr;
    }
    if (count_ == fields_.size()) {
        fields_.emplace_back();
    }
    Field& field = fields_[count_++];
    field.start = start;
    return &field;
}

void CsvReader::padTo(size_t count) {
    while (count_ < count) {
        *slot(0, recordEnd_) = Field{0, 0, recordEnd_, false};
    }
}

bool CsvReader::next(size_t fieldLimit) {
    // Empty and comment lines.
    for (;;) {
        if (next_ == end_) {
            if (!refill(next_)) {
                return false;
            }
            continue;
        }
        const char c = buffer_[next_];
        if (isLineEnd(c)) {
            line_ += c == '\r' || !afterCr_ ? 1 : 0;
            afterCr_ = c == '\r';
            ++next_;
        } else if (format_.comment != 0 && c == format_.comment) {
            afterCr_ = false;
            while (next_ < end_ && !isLineEnd(buffer_[next_])) {
                ++next_;
            }
        } else {
            break;
        }
    }
    afterCr_ = false;
    record_ = next_;
    recordLine_ = line_;
    haveRecord_ = true;
    endKept_ = false;
    while (!parseRecord(fieldLimit)) {
        refill(record_);
    }
    if (extra_ > 0) {
        fail(positionAt(firstExtra_), "record has " + std::to_string(fieldLimit + extra_) +
                                          " fields; " +
                                          (format_.header ? "the header" : "the first record") +
                                          " has " + std::to_string(fieldLimit));
    }
    return true;
}

// Splits the record that starts at record_ into fields; false when the
// buffer ends before the record does.
bool CsvReader::parseRecord(size_t fieldLimit) {
    const char* data = buffer_.data();
    const char separator = format_.separator;
    count_ = 0;
    extra_ = 0;
    unescaped_.clear();
    std::uint64_t lines = 0;
    size_t p = record_;
    for (;;) {
        const size_t start = p;
        if (format_.quotes && p < end_ && data[p] == '"') {
            Field* field = slot(fieldLimit, start);
            bool copy = false; // doubled quotes or CR line ends inside
            size_t length = 0;
            size_t q = p + 1;
            for (;;) {
                if (q == end_) {
                    if (!atEnd_) {
                        return false;
                    }
                    fail(positionAt(start), "quoted field is not closed: no closing quote "
                                            "before the end of the file");
                }
                if (length == kLongestField) {
                    fail(positionAt(start),
                         "quoted field longer than 16 MiB: is its closing quote missing?");
                }
                const char c = data[q];
                if (c == '"' || c == '\r') {
                    if (q + 1 == end_ && !atEnd_) {
                        return false;
                    }
                    const bool pair = q + 1 < end_ && data[q + 1] == (c == '"' ? '"' : '\n');
                    if (c == '"' && !pair) {
                        break;
                    }
                    copy = true;
                    lines += c == '\r' ? 1 : 0;
                    q += pair ? 2 : 1;
                } else {
                    lines += c == '\n' ? 1 : 0;
                    ++q;
                }
                ++length;
            }
            if (field != nullptr) {
                *field = Field{p + 1, length, start, copy};
                if (copy) {
                    field->at = unescaped_.size();
                    for (size_t i = p + 1; i < q; ++i) {
                        const char c = data[i];
                        unescaped_ += c == '\r' ? '\n' : c;
                        i += (c == '"' || (c == '\r' && data[i + 1] == '\n')) ? 1 : 0;
                    }
                }
            }
            p = q + 1;
            if (p == end_ && !atEnd_) {
                return false;
            }
            if (p < end_ && data[p] != separator && !isLineEnd(data[p])) {
                fail(positionAt(p), "unexpected character after the closing quote of a field "
                                    "(a quote inside a quoted field is written \"\")");
            }
        } else {
            // Unquoted fields, as many as each word of eight bytes holds, up
            // to the line end or a field that starts with a quote. Kept in
            // locals, since the fields' stores could alias the members.
            const size_t end = end_;
            const bool quotes = format_.quotes;
            Field* fields = fields_.data();
            size_t count = count_;
            size_t room = fieldLimit != 0 ? std::min(fields_.size(), fieldLimit) : fields_.size();
            const auto put = [&](size_t at, size_t length) {
                if (count < room) {
                    fields[count++] = Field{at, length, at, false};
                    return;
                }
                count_ = count;
                if (Field* field = slot(fieldLimit, at)) {
                    *field = Field{at, length, at, false};
                }
                count = count_;
                fields = fields_.data();
                room = fieldLimit != 0 ? std::min(fields_.size(), fieldLimit) : fields_.size();
            };
            size_t first = p; // of the field being split
            bool quotedNext = false;
            for (size_t q = p;;) {
                const size_t bytes = std::min<size_t>(8, end - q);
                if (bytes == 0) {
                    count_ = count;
                    if (q - first > kLongestField) {
                        fail(positionAt(first + kLongestField), "field longer than 16 MiB");
                    }
                    if (!atEnd_) {
                        return false;
                    }
                    put(first, q - first);
                    p = q;
                    break;
                }
                std::uint64_t found = stopBytes(data + q, bytes, separator, stops_);
                bool lineEnd = false;
                for (; found != 0; found &= found - 1) {
                    const size_t at = q + static_cast<size_t>(__builtin_ctzll(found)) / 8;
                    if (at - first > kLongestField) {
                        count_ = count;
                        fail(positionAt(first + kLongestField), "field longer than 16 MiB");
                    }
                    put(first, at - first);
                    p = at;
                    if (data[at] != separator) {
                        lineEnd = true;
                        break;
                    }
                    first = at + 1;
                    if (quotes && first < end && data[first] == '"') {
                        quotedNext = true;
                        break;
                    }
                }
                if (lineEnd || quotedNext) {
                    break;
                }
                q += bytes;
            }
            count_ = count;
            if (quotedNext) {
                p = first;
                continue;
            }
            break;
        }
        if (p < end_ && data[p] == separator) {
            ++p;
            continue;
        }
        break;
    }
    // p is at the line end or the end of the file.
    recordEnd_ = p;
    line_ = recordLine_ + lines;
    next_ = p;
    return true;
}

} // namespace mfreport::cli
