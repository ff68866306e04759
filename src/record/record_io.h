// Record output layer: numbered units, formatted records built from typed
// format items, writing into and reading from text fields, today's date and
// time, the stop operation and the single-precision number helpers.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

#include "mfreport/record/fixed_text.h"

namespace mfreport::record {

/// Unit numbers.
inline constexpr int32_t kMinUnit = 1;
inline constexpr int32_t kMaxUnit = 99;
inline constexpr int32_t kStandardInput = 5;
inline constexpr int32_t kStandardOutput = 6;

/// I/O status values returned in iostat; 0 means success.
enum IoStatus : int32_t {
    kIoOk = 0,
    kIoBadUnit = 101,       ///< unit number outside 1 to 99, or a standard unit
    kIoNotOpen = 102,       ///< the unit is not connected
    kIoNoSuchFile = 103,    ///< status OLD and the file does not exist
    kIoFileExists = 104,    ///< status NEW and the file exists
    kIoOpenFailed = 105,    ///< the operating system refused the open
    kIoWriteFailed = 106,   ///< the operating system refused the write
    kIoReadOnly = 107,      ///< writing to a unit opened for reading
    kIoUnformatted = 108,   ///< formatted record on an unformatted unit
    kIoRecordTooLong = 109, ///< record longer than the unit's record length
    kIoBadFormat = 110,     ///< malformed edit descriptor
    kIoEndOfRecord = 111,   ///< output does not fit the text field
    kIoBadInteger = 112,    ///< text field does not hold an integer
    kIoNameTooLong = 113,   ///< file name longer than 255 characters
    kIoBadFormWord = 114,   ///< form word not FORMATTED or UNFORMATTED
    kIoCloseFailed = 115,   ///< the operating system refused the close
};

enum class OpenStatus { Old, New, Unknown, Scratch };
enum class OpenAccess { Sequential, Append };
enum class OpenAction { ReadWrite, Read };
enum class OpenForm { Formatted, Unformatted };

/// What an open asks for. The file name is ignored for Scratch.
struct OpenRequest {
    int32_t unit = 0;
    std::string file;
    OpenStatus status = OpenStatus::Unknown;
    OpenAccess access = OpenAccess::Sequential;
    OpenAction action = OpenAction::ReadWrite;
    OpenForm form = OpenForm::Formatted;
    int32_t record_length = 0; ///< 0: none
};

/// What is known about a unit.
struct UnitInfo {
    bool open = false;
    std::string file; ///< empty for a scratch unit
    OpenForm form = OpenForm::Formatted;
    OpenAction action = OpenAction::ReadWrite;
    int32_t record_length = 0;
};

/// Connects a unit to a file; a unit that is open already is closed first.
int32_t openUnit(const OpenRequest& request);
/// Closes a unit (a scratch file is deleted). Closing a unit that is not
/// open, or a standard unit, does nothing and succeeds.
int32_t closeUnit(int32_t unit);
/// Positions a unit at its first record; the next record written replaces
/// the file's contents.
int32_t rewindUnit(int32_t unit);
UnitInfo inquireUnit(int32_t unit);
/// Writes buffered records of every unit to their files.
void flushUnits();
/// Writes the buffered records of one unit to its file; a failure marks the
/// unit as failed (writeFailed).
void flushUnit(int32_t unit);
/// True once a record written to the unit has failed; stays set until the
/// unit is opened again.
bool writeFailed(int32_t unit);
/// What writeFailed answers for a valid unit, as a flag that a caller may
/// keep and read: it lives as long as the process. Null for another unit.
const bool* failureMark(int32_t unit);

/// Format items. Build them with the functions in namespace `item`.
namespace item {
struct Text {
    std::string_view text;
    int32_t width; ///< -1: the text's own length
};
struct Integer {
    int32_t value;
    int32_t width;
    int32_t digits;
};
struct Fixed {
    double value;
    int32_t width;
    int32_t decimals;
};
struct Exponent {
    double value;
    int32_t width;
    int32_t decimals;
    int32_t exponent_digits;
    int32_t scale;
};
struct Blanks {
    int32_t count;
};
struct Break {};

/// Text at its own length (A), also used for literal text.
constexpr Text A(std::string_view text) {
    return {text, -1};
}
/// Text in w columns (Aw): cut to its first w characters, or right-justified.
constexpr Text A(std::string_view text, int32_t w) {
    return {text, w};
}
/// Integer right-justified in w columns (Iw, Iw.m).
constexpr Integer I(int32_t value, int32_t w, int32_t m = 1) {
    return {value, w, m};
}
/// Fixed-point real (Fw.d).
constexpr Fixed F(double value, int32_t w, int32_t d) {
    return {value, w, d};
}
/// Real with exponent (kPEw.dEe).
constexpr Exponent E(double value, int32_t w, int32_t d, int32_t e, int32_t k = 0) {
    return {value, w, d, e, k};
}
/// n blanks (nX); they lengthen a line only when another item follows.
constexpr Blanks X(int32_t n) {
    return {n};
}
/// Record break (/): ends the current line.
inline constexpr Break BR{};
} // namespace item

using FormatItem =
    std::variant<item::Text, item::Integer, item::Fixed, item::Exponent, item::Blanks, item::Break>;
using Format = std::initializer_list<FormatItem>;

/// Writes the format's lines to a unit (standard output for unit 6), each
/// ended by a line feed; every record break ends a line and the format's end
/// ends the last. Nothing is written when an item is malformed. A write that
/// fails marks the unit as failed (writeFailed).
int32_t writeRecord(int32_t unit, Format items);

/// Writes one line made of `first` and `second` as they are, as writeRecord
/// does with the items A(first), A(second), without the work of a format.
int32_t writeLine(int32_t unit, std::string_view first, std::string_view second = {});

/// Item of a free-format record: text or integer.
using FreeItem = std::variant<std::string_view, int32_t>;

/// One line on standard output: a blank, then the items in order, texts as
/// they are and each integer as a blank followed by its digits.
void writeFree(std::initializer_list<FreeItem> items);

/// Writes the format into the field; positions after the last written
/// character become blanks. Output beyond the field (or a second line) is
/// cut and gives kIoEndOfRecord; a malformed item gives kIoBadFormat and
/// leaves the field unchanged.
int32_t writeText(FixedText target, Format items);

/// Reads the field as Iw input: blanks are ignored, an optional sign, then
/// digits; an all-blank field reads 0. On error the value is unchanged.
int32_t readInteger(std::string_view field, int32_t& value);

/// Today's local date as 8 digits YYYYMMDD and the time as hhmmss.sss,
/// assigned (cut or padded) to the fields.
void dateAndTime(FixedText date, FixedText time);

/// Flushes every unit and standard output and ends the process.
[[noreturn]] void stopRun(int32_t status);

/// Single-precision helpers.
float power(float base, int32_t exponent);
float power(float base, float exponent);
float log10r(float value);
/// Smallest integer not below the value; NaN gives 0, out-of-range values
/// the nearest 32-bit integer.
int32_t ceiling(float value);

} // namespace mfreport::record
