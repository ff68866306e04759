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

#include "mfreport/platform/clock.h"
#include "mfreport/record/edit.h"

namespace mfreport::record {

namespace {

constexpr size_t kUnitBuffer = size_t{256} << 10;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

struct Unit {
    std::unique_ptr<std::FILE, FileCloser> file;
    std::string name;
    OpenForm form = OpenForm::Formatted;
    OpenAction action = OpenAction::ReadWrite;
    int32_t record_length = 0;
    bool scratch = false;
    /// Set by open and rewind: the first record written replaces the contents.
    bool replace_on_write = false;
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

// The file of a unit that accepts formatted records of the given lengths,
// or null with `status` set.
std::FILE* recordFile(int32_t unit, std::initializer_list<size_t> lengths, int32_t& status) {
    status = kIoOk;
    if (unit == kStandardOutput) {
        return stdout;
    }
    if (unit == kStandardInput) {
        status = kIoReadOnly;
        return nullptr;
    }
    if (!validUnit(unit)) {
        status = kIoBadUnit;
        return nullptr;
    }
    Unit* u = &unitTable()[static_cast<size_t>(unit)];
    if (!u->file) {
        status = kIoNotOpen;
        return nullptr;
    }
    if (u->action == OpenAction::Read) {
        status = kIoReadOnly;
        return nullptr;
    }
    if (u->form != OpenForm::Formatted) {
        status = kIoUnformatted;
        return nullptr;
    }
    for (const size_t length : lengths) {
        if (u->record_length > 0 && length > static_cast<size_t>(u->record_length)) {
            status = kIoRecordTooLong;
            return nullptr;
        }
    }
    if (u->replace_on_write) {
        std::fflush(u->file.get());
        if (!u->scratch) {
            std::error_code ec;
            std::filesystem::resize_file(u->name, 0, ec);
            if (ec) {
                status = kIoWriteFailed;
                return nullptr;
            }
        }
        std::rewind(u->file.get());
        u->replace_on_write = false;
    }
    return u->file.get();
}

int32_t writeLines(int32_t unit, const std::vector<std::string>& lines) {
    int32_t status = kIoOk;
    std::FILE* out = nullptr;
    if (lines.size() == 1) {
        out = recordFile(unit, {lines.front().size()}, status);
    } else {
        size_t longest = 0;
        for (const std::string& line : lines) {
            longest = line.size() > longest ? line.size() : longest;
        }
        out = recordFile(unit, {longest}, status);
    }
    if (out == nullptr) {
        return status;
    }
    for (const std::string& line : lines) {
        if (std::fwrite(line.data(), 1, line.size(), out) != line.size() ||
            std::fputc('\n', out) == EOF) {
            return kIoWriteFailed;
        }
    }
    return kIoOk;
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
    std::FILE* file = nullptr;
    bool readOnly = request.action == OpenAction::Read;
    bool existing = false;
    if (scratch) {
        file = std::tmpfile();
    } else {
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
        if (!existing) {
            file = std::fopen(name.c_str(), "wb");
        } else if (readOnly) {
            file = std::fopen(name.c_str(), "rb");
        } else if (request.access == OpenAccess::Append) {
            file = std::fopen(name.c_str(), "ab");
        } else {
            file = std::fopen(name.c_str(), "r+b");
            if (file == nullptr) {
                // A file without write permission is still opened, for reading.
                file = std::fopen(name.c_str(), "rb");
                readOnly = file != nullptr;
            }
        }
    }
    if (file == nullptr) {
        return kIoOpenFailed;
    }
    // Records collect in a buffer of this size before they reach the file.
    std::setvbuf(file, nullptr, _IOFBF, kUnitBuffer);
    u.file.reset(file);
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
    if (!u.file) {
        return kIoOk;
    }
    const int result = std::fclose(u.file.release());
    u = Unit();
    return result == 0 ? kIoOk : kIoCloseFailed;
}

int32_t rewindUnit(int32_t unit) {
    if (isStandard(unit)) {
        return kIoOk;
    }
    if (!validUnit(unit)) {
        return kIoBadUnit;
    }
    Unit& u = unitTable()[static_cast<size_t>(unit)];
    if (!u.file) {
        return kIoNotOpen;
    }
    std::fflush(u.file.get());
    std::rewind(u.file.get());
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
    info.open = static_cast<bool>(u.file);
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
    if (u.file && std::fflush(u.file.get()) != 0) {
        failedUnits()[static_cast<size_t>(unit)] = true;
    }
}

void flushUnits() {
    for (Unit& u : unitTable()) {
        if (u.file) {
            std::fflush(u.file.get());
        }
    }
    std::fflush(stdout);
}

bool writeFailed(int32_t unit) {
    return validUnit(unit) && failedUnits()[static_cast<size_t>(unit)];
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
    std::FILE* out = recordFile(unit, {first.size() + second.size()}, status);
    if (out != nullptr) {
        // One piece per record: the pieces and the line end in one write.
        static std::string line;
        line.assign(first.data(), first.size());
        line.append(second.data(), second.size());
        line += '\n';
        if (std::fwrite(line.data(), 1, line.size(), out) != line.size()) {
            status = kIoWriteFailed;
        }
        if (line.capacity() > 4096) {
            std::string().swap(line);
        }
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
