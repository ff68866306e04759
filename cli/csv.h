// Streaming reader of CSV files (RFC 4180, with ',' ';' tab or '|' between
// the fields): one record at a time, with the line and column of every field.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"

namespace mfreport::cli {

/// 1-based line and column of a character in a file.
struct Position {
    std::uint64_t line = 1;
    std::uint64_t column = 1;
};

/// "file:line:column: message"
[[noreturn]] void failAt(const std::string& file, Position at, const std::string& message);

/// How the fields of a file are written.
struct CsvFormat {
    char separator = ',';
    bool quotes = true; ///< false: '"' is an ordinary character
    char comment = 0;   ///< lines that start with it are skipped; 0: none
    bool header = true; ///< the first record names the columns
};

/// The bytes of a file in order, with their position and a check of UTF-8.
class ByteSource {
public:
    /// Throws Failure when the file cannot be opened or is not text (a NUL
    /// byte in its first 64 KiB, a UTF-16 or UTF-32 byte order mark).
    ByteSource(const std::string& path, Encoding encoding);

    /// The next byte, or -1 at the end of the file.
    int get();
    int peek();
    /// Moves up to `most` of the bytes not yet read to `to`; 0 at the end.
    size_t read(char* to, size_t most);
    /// The position of the next byte; columns count characters.
    Position position() const;
    std::uint64_t offset() const { return offset_; }
    std::uint64_t size() const { return size_; }
    /// Whether every byte read so far is part of well-formed UTF-8.
    bool validUtf8() const { return utf8_valid_ && utf8_need_ == 0; }
    const std::string& path() const { return path_; }

private:
    bool fill();
    void checkText();
    void checkUtf8(unsigned char byte);

    std::string path_;
    Encoding encoding_;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
    std::vector<unsigned char> buffer_;
    size_t at_ = 0;
    size_t end_ = 0;
    std::uint64_t offset_ = 0;
    std::uint64_t size_ = 0;
    std::uint64_t line_ = 1;
    std::uint64_t column_bytes_ = 1;
    std::uint64_t column_chars_ = 1;
    bool after_cr_ = false;
    bool utf8_valid_ = true;
    int utf8_need_ = 0;
    unsigned char utf8_low_ = 0x80;
    unsigned char utf8_high_ = 0xBF;
};

/// The separator among ',' ';' tab and '|' that splits the first lines of
/// the file (comment lines skipped) most evenly into the first line's
/// number of fields: every line with that many, none with more.
char detectSeparator(const std::string& path, const CsvFormat& format);

/// Reads records in large blocks: each record lies whole in the buffer and
/// its fields are views of it (a quoted field with doubled quotes or a CR
/// line end inside is copied without them). Positions are worked out only
/// when asked for.
class CsvReader {
public:
    CsvReader(const std::string& path, const CsvFormat& format, Encoding encoding);

    /// Reads the next record, skipping empty and comment lines; false at the
    /// end. With a field limit, a record of more fields fails. Fails on bad CSV.
    bool next(size_t fieldLimit = 0);
    /// Adds empty fields at the record's end up to `count` fields.
    void padTo(size_t count);
    size_t size() const { return count_; }
    /// The i-th field of the record, valid until the next call of next().
    std::string_view field(size_t i) const {
        const Field& f = fields_[i];
        return {(f.unescaped ? unescaped_.data() : buffer_.data()) + f.at, f.length};
    }
    Position fieldStart(size_t i) const { return positionAt(fields_[i].start); }
    /// Where the last record ended (at its line end).
    Position recordEnd() const;
    /// Bytes read so far, up to the end of the last record.
    std::uint64_t offset() const { return base_ + next_; }
    std::uint64_t fileSize() const { return source_.size(); }
    /// Whether every byte read so far is part of well-formed UTF-8.
    bool validUtf8() const { return firstInvalid_ == kValid && utf8Need_ == 0; }
    [[noreturn]] void fail(Position at, const std::string& message) const;

private:
    static constexpr std::uint64_t kValid = ~std::uint64_t{0};

    struct Field {
        size_t at = 0; ///< of its text in the buffer or in unescaped_
        size_t length = 0;
        size_t start = 0; ///< buffer index of its first byte
        bool unescaped = false;
    };

    bool parseRecord(size_t fieldLimit);
    Field* slot(size_t fieldLimit, size_t start);
    bool refill(size_t keep);
    void checkUtf8(const unsigned char* bytes, size_t count);
    Position positionAt(size_t at) const;

    ByteSource source_;
    CsvFormat format_;
    Encoding encoding_;
    bool stops_[256] = {}; ///< the separator and the line ends
    std::vector<char> buffer_;
    size_t end_ = 0;         ///< bytes in the buffer
    size_t next_ = 0;        ///< the first byte not yet read
    bool atEnd_ = false;     ///< the file has no more bytes
    std::uint64_t base_ = 0; ///< file offset of the buffer's first byte
    std::uint64_t line_ = 1; ///< line of the next byte
    bool afterCr_ = false;
    size_t record_ = 0;    ///< buffer index of the record's first byte
    size_t recordEnd_ = 0; ///< buffer index of its line end
    std::uint64_t recordLine_ = 1;
    bool haveRecord_ = false;
    bool endKept_ = false; ///< the record left the buffer; endPosition_ holds its end
    Position endPosition_;
    std::vector<Field> fields_;
    size_t count_ = 0;
    size_t extra_ = 0;
    size_t firstExtra_ = 0;
    std::string unescaped_;
    std::uint64_t firstInvalid_ = kValid; ///< file offset of the first byte that breaks UTF-8
    int utf8Need_ = 0;
    unsigned char utf8Low_ = 0x80;
    unsigned char utf8High_ = 0xBF;
};

} // namespace mfreport::cli
