#include "columns.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "numbers.h"
#include "progress.h"
#include "text.h"

namespace mfreport::cli {

namespace {

constexpr size_t kMostColumns = 10000;
constexpr std::uint64_t kLargeFile = std::uint64_t{8} << 20; // about a million cells
constexpr size_t kShownValue = 40;
constexpr int kMostInferredDecimals = 6;

// Limits of the text report's fields.
constexpr size_t kLongestNumber = 20;
constexpr size_t kLongestText = 72;
constexpr size_t kLongestMarkupNumber = 40;
constexpr size_t kShortestFixed = 3;
constexpr size_t kShortestExponent = 7;
constexpr size_t kLongestTextName = 60;
constexpr size_t kLongestTextDescription = 1200;
constexpr size_t kLongestTextUnit = 100;

bool blank(std::string_view text) {
    for (const char c : text) {
        if (c != ' ' && c != '\t') {
            return false;
        }
    }
    return true;
}

// An identifier or a code such as 007, 01234 or -012 (not 0, 0.5 or -0.25):
// a zero followed by a digit at the start of the number.
bool hasLeadingZero(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    return at + 1 < text.size() && text[at] == '0' && text[at + 1] >= '0' && text[at + 1] <= '9';
}

void note(Counterexample& example, std::string_view value, const CsvReader& reader, size_t field) {
    if (!example.found) {
        example.found = true;
        example.at = reader.fieldStart(field);
        example.text = forText(value, true, kShownValue);
    }
}

size_t clamp(size_t value, size_t lowest, size_t highest) {
    return std::min(std::max(value, lowest), highest);
}

// Characters of the largest magnitude in fixed notation, with a sign when
// some value is negative.
size_t fixedWidth(const ColumnStats& stats, double factor, size_t decimals) {
    const double largest = stats.largest * std::fabs(factor);
    const int length = std::snprintf(nullptr, 0, "%.*f", static_cast<int>(decimals), largest);
    return static_cast<size_t>(std::max(length, 1)) + (stats.negative ? 1 : 0);
}

// Characters of the widest value as a report shows it in the column's format.
size_t widestValue(const ColumnStats& stats, const ColumnPlan& column, bool latin1) {
    const size_t sign = stats.negative ? 1 : 0;
    const double factor = std::fabs(column.factor);
    switch (column.type) {
    case mfTableColumn::STRING:
        return latin1 ? stats.bytes : stats.chars;
    case mfTableColumn::INTEGER:
        return stats.integerWidth;
    default:
        break;
    }
    if (stats.values == 0) {
        return 1;
    }
    switch (column.format) {
    case mfTableColumn::FIXED:
        return fixedWidth(stats, column.factor, column.decimals);
    case mfTableColumn::SCIENTIFIC: {
        // d.ddddE+xx, with three exponent digits beyond 1E+99 and 1E-99
        const bool wideExponent = stats.largest * factor >= 1e100 ||
                                  (stats.smallest > 0 && stats.smallest * factor < 1e-99);
        return sign + 1 + (column.decimals > 0 ? column.decimals + 1 : 0) + 2 +
               (wideExponent ? 3 : 2);
    }
    default:
        return sign + 11; // six significant digits: 1.23457E+06
    }
}

const char* typeName(mfTableColumn::col_type type) {
    return type == mfTableColumn::INTEGER ? "integer"
           : type == mfTableColumn::REAL  ? "real"
                                          : "text";
}

// The settings of every --column option that names the column, later ones first.
ColumnSpec settingsFor(const std::string& name, size_t number, const Options& options) {
    ColumnSpec merged;
    for (const ColumnSpec& spec : options.columns) {
        if (!namesColumn(spec, name, number)) {
            continue;
        }
        merged.unit = spec.unit ? spec.unit : merged.unit;
        merged.factor = spec.factor ? spec.factor : merged.factor;
        merged.width = spec.width ? spec.width : merged.width;
        merged.decimals = spec.decimals ? spec.decimals : merged.decimals;
        merged.format = spec.format ? spec.format : merged.format;
        merged.align = spec.align ? spec.align : merged.align;
        merged.type = spec.type ? spec.type : merged.type;
        merged.description = spec.description ? spec.description : merged.description;
    }
    return merged;
}

// The width ranges of the text report's fields.
void checkTextWidth(const ColumnPlan& column, const std::string& label) {
    size_t lowest = 1;
    size_t highest = kLongestNumber;
    if (column.type == mfTableColumn::STRING) {
        highest = kLongestText;
    } else if (column.type == mfTableColumn::REAL) {
        lowest = column.format == mfTableColumn::FIXED
                     ? std::max(kShortestFixed, column.decimals + 2)
                     : kShortestExponent;
    }
    if (column.width < lowest || column.width > highest) {
        throw Failure(label + ": a text report takes widths from " + std::to_string(lowest) +
                      " to " + std::to_string(highest) + " for this " + typeName(column.type) +
                      " column, not " + std::to_string(column.width));
    }
}

} // namespace

void ColumnStats::add(std::string_view value, const CsvReader& reader, size_t field,
                      bool decimalComma) {
    Number number;
    // A plain decimal, the common case, has neither blanks nor bytes beyond
    // ASCII: no scan of its characters before it is read.
    const bool plainDecimal = !notNumber.found && parsePlainDecimal(value, decimalComma, number);
    if (!plainDecimal && blank(value)) {
        return;
    }
    ++values;
    bytes = std::max(bytes, value.size());
    if (value.size() > chars) { // never fewer bytes than characters
        chars = std::max(chars, plainDecimal ? value.size() : utf8Length(value));
    }
    if (notNumber.found) {
        return; // a text column: only its lengths count from here on
    }
    if (!plainDecimal) {
        number = parseNumber(value, decimalComma);
    }
    if (number.kind == Number::None) {
        note(notNumber, value, reader, field);
        note(notInteger, value, reader, field);
        return;
    }
    if (!leadingZero.found && hasLeadingZero(value)) {
        note(leadingZero, value, reader, field);
    }
    if (fitsInt(number)) {
        if (value.size() > integerWidth) { // never more characters than the text's
            char digits[24];
            const auto result = std::to_chars(digits, digits + sizeof digits, number.integer);
            integerWidth = std::max(integerWidth, static_cast<size_t>(result.ptr - digits));
        }
    } else {
        note(notInteger, value, reader, field);
    }
    plain = plain && number.plain;
    decimals = std::max(decimals, number.decimals);
    if (std::isfinite(number.real)) {
        const double magnitude = std::fabs(number.real);
        if (magnitude > 0 && (smallest == 0 || magnitude < smallest)) {
            smallest = magnitude;
        }
        largest = std::max(largest, magnitude);
        negative = negative || number.real < 0;
    }
}

bool namesColumn(const ColumnSpec& spec, const std::string& name, size_t number) {
    if (spec.name.empty()) {
        return spec.position == number;
    }
    return spec.name == name || spec.name == latin1ToUtf8(name);
}

CsvFormat csvFormat(const std::string& path, const Options& options) {
    CsvFormat format;
    format.quotes = options.quotes;
    format.comment = options.comment;
    format.header = options.header;
    const std::string extension = std::filesystem::path(path).extension().string();
    if (options.separator != 0) {
        format.separator = options.separator;
    } else if (extension == ".tsv" || extension == ".TSV" || extension == ".tab" ||
               extension == ".TAB") {
        format.separator = '\t';
    } else {
        format.separator = detectSeparator(path, format);
    }
    return format;
}

TableScan scanTable(const std::string& path, const Options& options, bool headerOnly) {
    TableScan scan;
    scan.path = path;
    scan.format = csvFormat(path, options);
    scan.decimalComma = scan.format.separator == ';';
    CsvReader reader(path, scan.format, options.encoding);
    if (!reader.next()) {
        reader.fail(Position{}, options.header ? "no header row: the file is empty"
                                               : "no record: the file is empty");
    }
    const size_t count = reader.size();
    if (count > kMostColumns) {
        reader.fail(reader.fieldStart(kMostColumns),
                    "more than " + std::to_string(kMostColumns) + " columns");
    }
    for (size_t i = 0; i < count; ++i) {
        const std::string_view field = reader.field(i);
        const size_t first = field.find_first_not_of(" \t");
        if (!options.header) {
            scan.names.push_back(std::to_string(i + 1));
        } else if (first == std::string::npos) {
            scan.names.push_back("Column " + std::to_string(i + 1));
        } else {
            scan.names.emplace_back(field.substr(first, field.find_last_not_of(" \t") - first + 1));
        }
    }
    scan.columns.resize(count);
    if (headerOnly) {
        return scan;
    }
    Progress progress("reading " + path, reader.fileSize(), reader.fileSize() >= kLargeFile);
    for (bool record = options.header ? reader.next(count) : true; record;
         record = reader.next(count)) {
        if (reader.size() < count) {
            if (scan.shortRecords++ == 0) {
                scan.firstShortLine = reader.fieldStart(0).line;
            }
            reader.padTo(count);
        }
        for (size_t i = 0; i < count; ++i) {
            scan.columns[i].add(reader.field(i), reader, i, scan.decimalComma);
        }
        ++scan.records;
        progress.update(reader.offset());
    }
    scan.latin1 = options.encoding == Encoding::Latin1 ||
                  (options.encoding == Encoding::Detect && !reader.validUtf8());
    scan.bytes = reader.offset();
    return scan;
}

std::vector<ColumnPlan> planColumns(const TableScan& scan, const Options& options, Kind kind) {
    const bool text = isTextKind(kind);
    std::vector<ColumnPlan> plans;
    for (size_t i = 0; i < scan.names.size(); ++i) {
        const std::string& name = scan.names[i];
        const std::string utf8Name = scan.latin1 ? latin1ToUtf8(name) : name;
        const std::string label = utf8Name + " in " + scan.path;
        const ColumnSpec spec = settingsFor(name, i + 1, options);
        const ColumnStats& stats = scan.columns[i];
        ColumnPlan column;
        column.factor = spec.factor.value_or(1.0);
        column.align = spec.align;

        if (spec.type) {
            column.type = *spec.type;
            const Counterexample& against = column.type == mfTableColumn::INTEGER ? stats.notInteger
                                            : column.type == mfTableColumn::REAL  ? stats.notNumber
                                                                                 : Counterexample();
            if (against.found) {
                failAt(scan.path, against.at,
                       "'" + against.text + "' is not " +
                           (column.type == mfTableColumn::INTEGER
                                ? "a whole number that fits 32 bits"
                                : "a number") +
                           ", but --column makes " + utf8Name +
                           (column.type == mfTableColumn::INTEGER ? " an " : " a ") +
                           typeName(column.type) + " column");
            }
            if (column.type == mfTableColumn::INTEGER && column.factor != 1.0) {
                throw Failure(label + ": a factor needs a real column, not an integer one");
            }
        } else if (stats.values == 0 || stats.notNumber.found || stats.leadingZero.found) {
            column.type = mfTableColumn::STRING;
        } else if (!stats.notInteger.found && column.factor == 1.0 && !spec.format &&
                   !spec.decimals) {
            column.type = mfTableColumn::INTEGER;
        } else {
            column.type = mfTableColumn::REAL;
        }

        const bool scaled = column.factor != 1.0;
        if (column.type == mfTableColumn::REAL) {
            const bool exact = stats.plain && stats.decimals <= kMostInferredDecimals && !scaled;
            column.decimals =
                spec.decimals.value_or(exact ? static_cast<size_t>(stats.decimals) : size_t{4});
            column.format =
                spec.format.value_or(exact ? mfTableColumn::FIXED : mfTableColumn::GENERAL);
            if (!spec.format && !spec.width &&
                fixedWidth(stats, column.factor, column.decimals) > kLongestNumber) {
                column.format = mfTableColumn::GENERAL; // too wide for fixed notation
            }
        } else {
            column.decimals = spec.decimals.value_or(0);
        }

        const std::string unit = spec.unit.value_or("");
        const size_t nameLength = scan.latin1 || text ? name.size() : utf8Length(name);
        const size_t unitLength = unit.empty() ? 0 : utf8Length(unit) + 3;
        if (spec.width) {
            column.width = *spec.width;
        } else if (text) {
            // The text report cuts the name to one less than the width; one
            // more character keeps the head off the next column.
            const size_t head = 1 + nameLength;
            if (column.type == mfTableColumn::INTEGER) {
                column.width = clamp(std::max(head, stats.integerWidth), 1, kLongestNumber);
            } else if (column.type == mfTableColumn::STRING) {
                column.width = clamp(std::max(head, stats.bytes), 1, kLongestText);
            } else if (column.format == mfTableColumn::FIXED) {
                const size_t widest = fixedWidth(stats, column.factor, column.decimals);
                column.width = clamp(std::max(head, widest),
                                     std::max(kShortestFixed, column.decimals + 2), kLongestNumber);
            } else {
                column.width =
                    clamp(std::max(head, column.decimals + 7), kShortestExponent, kLongestNumber);
            }
        } else {
            // The documents head a column with the name over its bracketed
            // unit, the others with "name [unit]". In the documents and the workbooks
            // the cell's margins (and the bold head row) take two characters
            // more; on the page one keeps the head off the next column.
            const bool document = kind == Kind::XmlWp || kind == Kind::Docx;
            const size_t head =
                document ? std::max(nameLength, unitLength + 1) : nameLength + unitLength;
            const size_t widest = widestValue(stats, column, scan.latin1);
            column.width = clamp(
                kind == Kind::Html ? std::max(head + 1, widest) : std::max(head, widest) + 2, 1,
                column.type == mfTableColumn::STRING ? kLongestText : kLongestMarkupNumber);
        }
        if (text) {
            checkTextWidth(column, label);
        }

        const std::string description = spec.description.value_or(name);
        if (text) {
            column.name = forText(name, !scan.latin1, kLongestTextName);
            column.unit = forText(unit, true, kLongestTextUnit);
            column.description =
                forText(description, !scan.latin1 || spec.description, kLongestTextDescription);
        } else {
            const bool escape = escapes(kind);
            column.name = forMarkup(name, scan.latin1, escape);
            column.unit = forMarkup(unit, false, escape);
            column.description = forMarkup(description, scan.latin1 && !spec.description, escape);
        }
        plans.push_back(std::move(column));
    }
    return plans;
}

} // namespace mfreport::cli

namespace mfreport::cli {

size_t foldColumns(std::vector<ColumnPlan>& columns) {
    std::vector<size_t> places;
    for (size_t cells = columns.size(); cells > 0; --cells) {
        places.assign(cells, 0);
        for (size_t i = 0; i < columns.size(); ++i) {
            places[i % cells] = std::max(places[i % cells], columns[i].width);
        }
        size_t total = 0;
        for (const size_t width : places) {
            total += width;
        }
        if (total <= kPageWidth || cells == 1) {
            if (cells == columns.size()) {
                return 0;
            }
            for (size_t i = 0; i < columns.size(); ++i) {
                columns[i].width = places[i % cells];
            }
            return cells;
        }
    }
    return 0;
}

} // namespace mfreport::cli
