#include "mfreport/record/record_io.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include "mfreport/platform/clock.h"
#include "mfreport/platform/files.h"
#include "mfreport/record/edit.h"

namespace mfreport::record {

namespace {

constexpr size_t kUnitBuffer = size_t{256} << 10;

/// A connected unit. Records collect in `buffer` and reach the file in one
/// write when it is full, when the unit is flushed and when it is closed.
struct Unit {
    int fd = -1;
    std::string buffer;
    std::string name;
    OpenForm form = OpenForm::Formatted;
    OpenAction action = OpenAction::ReadWrite;
    int32_t record_length = 0;
    bool scratch = false;
    /// Set by open and rewind: the first record written replaces the contents.
    bool replace_on_write = false;
    /// No other writer of this process may write the file while it is open.
    platform::FileClaim claim;

    Unit() = default;
    Unit(const Unit&) = delete;
    Unit& operator=(const Unit&) = delete;
    /// A unit still open when the process ends keeps its records.
    ~Unit() {
        if (open()) {
            drain();
            platform::closeFile(fd);
        }
    }

    bool open() const { return fd >= 0; }
    /// Forgets the file, which is closed already.
    void reset() {
        fd = -1;
        std::string().swap(buffer);
        name.clear();
        form = OpenForm::Formatted;
        action = OpenAction::ReadWrite;
        record_length = 0;
        scratch = false;
        replace_on_write = false;
        claim.release();
    }
    /// Writes the buffer to the file; false when the system refused.
    bool drain() {
        const bool written = buffer.empty() || platform::writeAll(fd, buffer.data(), buffer.size());
        buffer.clear();
        return written;
    }
};

std::array<Unit, kMaxUnit + 1>& unitTable() {
    static std::array<Unit, kMaxUnit + 1> table;
    return table;
}

// Units on which a write has failed since they were last opened.
std::array<bool, kMaxUnit + 1>& failedUnits() {
    static std::array<bool, kMaxUnit + 1> failed{};
    return failed;
}

bool validUnit(int32_t unit) {
    return unit >= kMinUnit && unit <= kMaxUnit;
}

bool isStandard(int32_t unit) {
    return unit == kStandardInput || unit == kStandardOutput;
}

bool fileExists(const std::string& name) {
    std::error_code ec;
    return std::filesystem::exists(name, ec);
}

// Lays the items out as lines; false when an item is malformed. Blanks of
// nX items are written only when another item follows them in the same line,
// so skips at the end of a line do not lengthen it.
bool formatLines(Format items, std::vector<std::string>& lines) {
    lines.assign(1, std::string());
    size_t pendingBlanks = 0;
    for (const FormatItem& it : items) {
        std::string& line = lines.back();
        std::optional<std::string> text;
        if (const auto* t = std::get_if<item::Text>(&it)) {
            if (t->width < 0) {
                text = std::string(t->text);
            } else if (t->width > kMaxFieldWidth) {
                return false;
            } else if (static_cast<size_t>(t->width) <= t->text.size()) {
                text = std::string(t->text.substr(0, static_cast<size_t>(t->width)));
            } else {
                text = std::string(static_cast<size_t>(t->width) - t->text.size(), ' ') +
                       std::string(t->text);
            }
        } else if (const auto* i = std::get_if<item::Integer>(&it)) {
            text = editInteger(i->value, i->width, i->digits);
        } else if (const auto* f = std::get_if<item::Fixed>(&it)) {
            text = editFixed(f->value, f->width, f->decimals);
        } else if (const auto* e = std::get_if<item::Exponent>(&it)) {
            text = editExponent(e->value, e->width, e->decimals, e->exponent_digits, e->scale);
        } else if (const auto* x = std::get_if<item::Blanks>(&it)) {
            if (x->count < 0 || x->count > kMaxFieldWidth) {
                return false;
            }
            pendingBlanks += static_cast<size_t>(x->count);
            continue;
        } else {
            pendingBlanks = 0;
            lines.emplace_back();
            continue;
        }
        if (!text) {
            return false;
        }
        line.append(pendingBlanks, ' ');
        pendingBlanks = 0;
        line += *text;
    }
    return true;
}

// Where the records of a unit go: standard output, or a unit's buffer.
struct Destination {
    Unit* unit = nullptr; ///< null: standard output

    /// Appends the pieces and a line end as one record.
    bool record(std::string_view first, std::string_view second = {}) const {
        if (unit == nullptr) {
            return std::fwrite(first.data(), 1, first.size(), stdout) == first.size() &&
                   std::fwrite(second.data(), 1, second.size(), stdout) == second.size() &&
                   std::fputc('\n', stdout) != EOF;
        }
        std::string& buffer = unit->buffer;
        buffer.append(first.data(), first.size());
        buffer.append(second.data(), second.size());
        buffer += '\n';
        return buffer.size() < kUnitBuffer || unit->drain();
    }
};

// The destination of a unit that accepts formatted records of the given
// lengths; false with `status` set when it accepts none.
bool recordDestination(int32_t unit, std::initializer_list<size_t> lengths, Destination& to,
                       int32_t& status) {
    status = kIoOk;
    to.unit = nullptr;
    if (unit == kStandardOutput) {
        return true;
    }
    if (unit == kStandardInput) {
        status = kIoReadOnly;
        return false;
    }
    if (!validUnit(unit)) {
        status = kIoBadUnit;
        return false;
    }
    Unit* u = &unitTable()[static_cast<size_t>(unit)];
    if (!u->open()) {
        status = kIoNotOpen;
        return false;
    }
    if (u->action == OpenAction::Read) {
        status = kIoReadOnly;
        return false;
    }
    if (u->form != OpenForm::Formatted) {
        status = kIoUnformatted;
        return false;
    }
    for (const size_t length : lengths) {
        if (u->record_length > 0 && length > static_cast<size_t>(u->record_length)) {
            status = kIoRecordTooLong;
            return false;
        }
    }
    if (u->replace_on_write) {
        if (!u->drain() || ::ftruncate(u->fd, 0) != 0 || ::lseek(u->fd, 0, SEEK_SET) != 0) {
            status = kIoWriteFailed;
            return false;
        }
        u->replace_on_write = false;
    }
    to.unit = u;
    return true;
}

int32_t writeLines(int32_t unit, const std::vector<std::string>& lines) {
    int32_t status = kIoOk;
    Destination to;
    size_t longest = 0;
    for (const std::string& line : lines) {
        longest = line.size() > longest ? line.size() : longest;
    }
    if (!recordDestination(unit, {longest}, to, status)) {
        return status;
    }
    for (const std::string& line : lines) {
        if (!to.record(line)) {
            return kIoWriteFailed;
        }
    }
    return kIoOk;
}

// Opens the file of an open request; -1 when the system refuses. `readOnly`
// becomes true when a file without write permission is opened for reading.
int openFile(const OpenRequest& request, bool existing, bool& readOnly) {
    if (request.status == OpenStatus::Scratch) {
        // A file without a name: gone from the directory while still open.
        std::FILE* file = std::tmpfile();
        if (file == nullptr) {
            return -1;
        }
        const int fd = ::dup(fileno(file));
        std::fclose(file);
        return fd;
    }
    const char* name = request.file.c_str();
    constexpr int kCreate = O_CREAT | O_CLOEXEC;
    constexpr mode_t kMode = 0666;
    if (!existing) {
        return ::open(name, O_WRONLY | O_TRUNC | kCreate, kMode);
    }
    if (readOnly) {
        return ::open(name, O_RDONLY | O_CLOEXEC);
    }
    if (request.access == OpenAccess::Append) {
        return ::open(name, O_WRONLY | O_APPEND | kCreate, kMode);
    }
    const int fd = ::open(name, O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        // A file without write permission is still opened, for reading.
        readOnly = true;
        return ::open(name, O_RDONLY | O_CLOEXEC);
    }
    return fd;
}

} // namespace

int32_t openUnit(const OpenRequest& request) {
    if (!validUnit(request.unit) || isStandard(request.unit)) {
        return kIoBadUnit;
    }
    closeUnit(request.unit);
    Unit& u = unitTable()[static_cast<size_t>(request.unit)];

    const bool scratch = request.status == OpenStatus::Scratch;
    const std::string& name = request.file;
    bool readOnly = request.action == OpenAction::Read;
    bool existing = false;
    if (!scratch) {
        if (name.empty()) {
            return kIoOpenFailed;
        }
        existing = fileExists(name);
        if (request.status == OpenStatus::Old && !existing) {
            return kIoNoSuchFile;
        }
        if (request.status == OpenStatus::New && existing) {
            return kIoFileExists;
        }
        // A file that another writer of this process is writing is left alone.
        if (!readOnly && platform::FileClaim::claimed(name)) {
            return kIoOpenFailed;
        }
    }
    const int fd = openFile(request, existing, readOnly);
    if (fd < 0) {
        return kIoOpenFailed;
    }
    if (!readOnly && !scratch) {
        const std::optional<platform::FileId> id = platform::fileIdOf(fd);
        if (id && !u.claim.take(*id)) {
            platform::closeFile(fd);
            return kIoOpenFailed;
        }
    }
    u.fd = fd;
    u.buffer.reserve(kUnitBuffer);
    u.name = scratch ? std::string() : name;
    u.form = request.form;
    u.action = readOnly ? OpenAction::Read : OpenAction::ReadWrite;
    u.record_length = request.record_length > 0 ? request.record_length : 0;
    u.scratch = scratch;
    u.replace_on_write = existing && request.access != OpenAccess::Append;
    failedUnits()[static_cast<size_t>(request.unit)] = false;
    return kIoOk;
}

int32_t closeUnit(int32_t unit) {
    if (unit == kStandardOutput) {
        std::fflush(stdout);
        return kIoOk;
    }
    if (!validUnit(unit)) {
        return kIoBadUnit;
    }
    Unit& u = unitTable()[static_cast<size_t>(unit)];
    if (!u.open()) {
        return kIoOk;
    }
    // The records reach the file and the file stable storage before the unit
    // answers that it closed well.
    bool closed = u.drain();
    if (!u.scratch && u.action != OpenAction::Read) {
        closed = platform::syncToDisk(u.fd) && closed;
    }
    closed = platform::closeFile(u.fd) && closed;
    u.reset();
    if (!closed) {
        failedUnits()[static_cast<size_t>(unit)] = true;
    }
    return closed ? kIoOk : kIoCloseFailed;
}

int32_t rewindUnit(int32_t unit) {
    if (isStandard(unit)) {
        return kIoOk;
    }
    if (!validUnit(unit)) {
        return kIoBadUnit;
    }
    Unit& u = unitTable()[static_cast<size_t>(unit)];
    if (!u.open()) {
        return kIoNotOpen;
    }
    if (!u.drain()) {
        failedUnits()[static_cast<size_t>(unit)] = true;
    }
    ::lseek(u.fd, 0, SEEK_SET);
    u.replace_on_write = true;
    return kIoOk;
}

UnitInfo inquireUnit(int32_t unit) {
    UnitInfo info;
    if (!validUnit(unit)) {
        return info;
    }
    if (isStandard(unit)) {
        info.open = true;
        info.action = unit == kStandardInput ? OpenAction::Read : OpenAction::ReadWrite;
        return info;
    }
    const Unit& u = unitTable()[static_cast<size_t>(unit)];
    info.open = u.open();
    info.file = u.name;
    info.form = u.form;
    info.action = u.action;
    info.record_length = u.record_length;
    return info;
}

void flushUnit(int32_t unit) {
    if (!validUnit(unit) || isStandard(unit)) {
        return;
    }
    Unit& u = unitTable()[static_cast<size_t>(unit)];
    if (u.open() && !u.drain()) {
        failedUnits()[static_cast<size_t>(unit)] = true;
    }
}

void flushUnits() {
    for (size_t unit = 0; unit < unitTable().size(); ++unit) {
        flushUnit(static_cast<int32_t>(unit));
    }
    std::fflush(stdout);
}

bool writeFailed(int32_t unit) {
    return validUnit(unit) && failedUnits()[static_cast<size_t>(unit)];
}

const bool* failureMark(int32_t unit) {
    return validUnit(unit) ? &failedUnits()[static_cast<size_t>(unit)] : nullptr;
}

int32_t writeRecord(int32_t unit, Format items) {
    std::vector<std::string> lines;
    if (!formatLines(items, lines)) {
        return kIoBadFormat;
    }
    const int32_t status = writeLines(unit, lines);
    if (status != kIoOk && validUnit(unit)) {
        failedUnits()[static_cast<size_t>(unit)] = true;
    }
    return status;
}

int32_t writeLine(int32_t unit, std::string_view first, std::string_view second) {
    int32_t status = kIoOk;
    Destination to;
    if (recordDestination(unit, {first.size() + second.size()}, to, status) &&
        !to.record(first, second)) {
        status = kIoWriteFailed;
    }
    if (status != kIoOk && validUnit(unit)) {
        failedUnits()[static_cast<size_t>(unit)] = true;
    }
    return status;
}

void writeFree(std::initializer_list<FreeItem> items) {
    std::string line = " ";
    for (const FreeItem& it : items) {
        if (const auto* text = std::get_if<std::string_view>(&it)) {
            line += *text;
        } else {
            line += ' ' + std::to_string(std::get<int32_t>(it));
        }
    }
    writeLines(kStandardOutput, {line});
}

int32_t writeText(FixedText target, Format items) {
    std::vector<std::string> lines;
    if (!formatLines(items, lines)) {
        return kIoBadFormat;
    }
    assign(target, lines.front());
    const bool fits =
        lines.size() == 1 && lines.front().size() <= static_cast<size_t>(target.size());
    return fits ? kIoOk : kIoEndOfRecord;
}

int32_t readInteger(std::string_view field, int32_t& value) {
    int64_t result = 0;
    bool negative = false;
    bool seenSign = false;
    bool seenDigit = false;
    for (const char c : field) {
        if (c == ' ') {
            continue;
        }
        if ((c == '+' || c == '-') && !seenSign && !seenDigit) {
            seenSign = true;
            negative = c == '-';
        } else if (c >= '0' && c <= '9') {
            seenDigit = true;
            result = result * 10 + (c - '0');
            if (result > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1) {
                return kIoBadInteger;
            }
        } else {
            return kIoBadInteger;
        }
    }
    if (seenSign && !seenDigit) {
        return kIoBadInteger;
    }
    result = negative ? -result : result;
    if (result > std::numeric_limits<int32_t>::max()) {
        return kIoBadInteger;
    }
    value = static_cast<int32_t>(result);
    return kIoOk;
}

void dateAndTime(FixedText date, FixedText time) {
    using namespace item;
    const platform::CivilTime t = platform::now();
    FixedString<8> d;
    FixedString<10> h;
    writeText(d, {I(t.year, 4, 4), I(t.month, 2, 2), I(t.day, 2, 2)});
    writeText(
        h, {I(t.hour, 2, 2), I(t.minute, 2, 2), I(t.second, 2, 2), A("."), I(t.millisecond, 3, 3)});
    assign(date, d);
    assign(time, h);
}

void stopRun(int32_t status) {
    flushUnits();
    std::exit(status);
}

float power(float base, int32_t exponent) {
    // Binary powering in single precision, as compiled Fortran does for x**n.
    uint32_t n =
        exponent < 0 ? 0U - static_cast<uint32_t>(exponent) : static_cast<uint32_t>(exponent);
    float result = (n % 2U) != 0U ? base : 1.0F;
    while ((n >>= 1U) != 0U) {
        base = base * base;
        if ((n % 2U) != 0U) {
            result = result * base;
        }
    }
    return exponent < 0 ? 1.0F / result : result;
}

float power(float base, float exponent) {
    return std::pow(base, exponent);
}

float log10r(float value) {
    return std::log10(value);
}

int32_t ceiling(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    const float c = std::ceil(value);
    if (c >= 2147483648.0F) {
        return std::numeric_limits<int32_t>::max();
    }
    if (c < -2147483648.0F) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(c);
}

} // namespace mfreport::record
