// Streaming reader of CSV files (RFC 4180, with ',' ';' tab or '|' between
// the fields): one record at a time, with the line and column of every field.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
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

class CsvReader {
public:
    CsvReader(const std::string& path, const CsvFormat& format, Encoding encoding);

    /// Reads the next record, skipping empty and comment lines; false at the
    /// end. With a field limit, a record of more fields fails. Fails on bad CSV.
    bool next(size_t fieldLimit = 0);
    /// Adds empty fields at the record's end up to `count` fields.
    void padTo(size_t count);
    size_t size() const { return count_; }
    const std::string& field(size_t i) const { return fields_[i]; }
    Position fieldStart(size_t i) const { return starts_[i]; }
    /// Where the last record ended (at its line end).
    Position recordEnd() const { return end_; }
    ByteSource& source() { return source_; }
    [[noreturn]] void fail(Position at, const std::string& message) const;

private:
    void readQuoted(std::string& text);
    void readPlain(std::string& text);
    std::string* nextField(size_t fieldLimit, Position start);

    void skipLine();

    ByteSource source_;
    CsvFormat format_;
    std::vector<std::string> fields_;
    std::vector<Position> starts_;
    size_t count_ = 0;
    size_t extra_ = 0;
    Position first_extra_;
    Position end_;
    std::string discard_;
};

} // namespace mfreport::cli
