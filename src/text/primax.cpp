#include "mfreport/text/primax.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "mfreport/print/heading_layout.h"
#include "mfreport/print/line_output.h"
#include "mfreport/print/page_setup.h"
#include "mfreport/print/primas_state.h"
#include "mfreport/print/print_channels.h"
#include "mfreport/record/edit.h"
#include "mfreport/record/logical.h"
#include "mfreport/record/record_io.h"
#include "mfreport/support/banner.h"
#include "mfreport/support/files.h"
#include "mfreport/text/formatter_state.h"
#include "mfreport/text/printable.h"
#include "mfreport/text/ptdump.h"
#include "mfreport/text/status.h"
#include "mfreport/text/table_layout.h"

namespace mfreport::text {

namespace {

using print::printChannels;
using record::TRMLEN;

// Widest record line: what the page manager writes of a print line.
constexpr int32_t kMaxLineWidth = 131;
// Widest line the page manager pages.
constexpr int32_t kMaxPageWidth = 132;
// Longest title line: the sub heading's text field at the usual width.
constexpr int32_t kTitleWidth = 77;
constexpr int32_t kTitleSlot = 0;
constexpr int32_t kHeadingSlot = kTitleLines;

struct FormatCode {
    std::string_view code;
    int32_t kind;
    int32_t form;
};

constexpr FormatCode kFormatCodes[] = {
    {"I", kIntegerField, 0}, {"F", kRealField, kFixedForm},    {"E", kRealField, kExponentForm},
    {"A", kTextField, 0},    {"DF", kDoubleField, kFixedForm}, {"DE", kDoubleField, kExponentForm},
};

// Width, decimals, scale, exponent digits and overflow test of the default
// field of each kind.
struct FieldDefaults {
    int32_t width;
    int32_t decimals;
    int32_t scale;
    int32_t exponent_digits;
    int32_t overflow_test;
};

constexpr FieldDefaults kDefaults[kFieldKinds] = {
    {8, 0, 0, 0, 0}, {10, 3, 1, 2, 1}, {8, 0, 0, 0, 0}, {10, 3, 1, 2, 1}};

std::string_view trimmed(std::string_view text) {
    return text.substr(0, static_cast<size_t>(TRMLEN(text)));
}

TableState& tableAt(int32_t slot) {
    return formatterState().table[static_cast<size_t>(slot)];
}

size_t channelIndex(int32_t channel) {
    return static_cast<size_t>(channel - 1);
}

bool definedChannel(int32_t channel) {
    return channel >= 1 && channel <= formatterState().channels;
}

bool numericKind(int32_t kind) {
    return kind != kTextField;
}

// The table-heading mode of the table's record page breaks.
int32_t headingMode(const TableState& t) {
    return t.state[kStateAttribute] >= 3 ? print::kTableHeadingOnPage : print::kNoTableHeading;
}

bool separatedChannel(int32_t channel) {
    return definedChannel(channel) &&
           printChannels().kind[channelIndex(channel)] == print::kCommaSeparatedChannel;
}

// Buffer line `line` of the table's record: a semicolon-separated record is
// one line as long as the whole buffer.
FixedText bufferLine(int32_t slot, int32_t line) {
    return separatedChannel(tableAt(slot).state[kStateChannel]) ? recordRow(slot)
                                                                : recordLine(slot, line);
}

bool channelFailed(int32_t channel) {
    return definedChannel(channel) &&
           record::writeFailed(printChannels().unit[channelIndex(channel)]);
}

// PTGFPR of a field known to exist: its own value, or its table's default.
int32_t fieldValue(int32_t table, int32_t f, int32_t attribute) {
    const int32_t own = fieldAttribute(f, attribute);
    return own != 0 ? own : PTGFPR(table, f, attribute);
}

// Slot of an active table, with `status` 101 when there is none.
int32_t activeSlot(int32_t table, int32_t& status) {
    const int32_t slot = tableSlot(table);
    if (slot < 0) {
        status = kNoActiveTable;
    } else {
        formatterState().last_table = table;
    }
    return slot;
}

// Slot of the table being defined, checked as the definition routines do.
int32_t definingSlot(int32_t table, int32_t& status) {
    const int32_t slot = activeSlot(table, status);
    if (slot < 0) {
        return slot;
    }
    const int32_t defining = formatterState().defining;
    if (defining == 0) {
        status = kNoTableDefined;
        return -1;
    }
    if (defining != table) {
        status = kNotTableDefined;
        return -1;
    }
    return slot;
}

// Checks level and column number; returns the column's field, 0 with `status`
// set when it is not defined.
int32_t columnField(const TableState& t, int32_t level, int32_t column, int32_t& status) {
    if (level < 1) {
        status = kLevelTooLow;
        return 0;
    }
    if (level > t.groups) {
        status = kLevelTooHigh;
        return 0;
    }
    if (column < 1) {
        status = kColumnTooLow;
        return 0;
    }
    if (column > kMaxColumns) {
        status = kColumnTooHigh;
        return 0;
    }
    if (level == 1) {
        const int32_t f = t.column_field[static_cast<size_t>(column - 1)];
        if (f > 0 && fieldAttribute(f, kAttrColumn) == column &&
            fieldAttribute(f, kAttrLevel) == level) {
            return f;
        }
    }
    for (const auto& line : t.line_fields) {
        for (const int32_t f : line) {
            if (f > 0 && fieldAttribute(f, kAttrColumn) == column &&
                fieldAttribute(f, kAttrLevel) == level) {
                return f;
            }
        }
    }
    status = kNoSuchColumn;
    return 0;
}

int32_t definedColumns(const TableState& t) {
    int32_t count = 0;
    for (const auto& line : t.line_fields) {
        count += static_cast<int32_t>(
            std::count_if(line.begin(), line.end(), [](int32_t f) { return f > 0; }));
    }
    return count;
}

void endSlot(int32_t slot) {
    FormatterState& s = formatterState();
    const int32_t number = tableAt(slot).number;
    if (s.defining == number) {
        s.defining = 0;
    }
    for (ChannelFile& channel : reportState().channel) {
        if (channel.heading_table == number) {
            channel.heading_table = 0;
        }
    }
    releaseTable(slot);
    --s.tables;
}

// Next table number for a slot: the first above every number given so far
// that belongs to the slot.
int32_t nextNumber(int32_t slot, int32_t last) {
    if (last > std::numeric_limits<int32_t>::max() - 2 * kMaxTables) {
        last = 0;
    }
    int32_t n = last + 1;
    while ((n - 1) % kMaxTables != slot) {
        ++n;
    }
    return n;
}

void storeLines(std::array<int32_t, kHeaderSlots>& slots, int32_t first, int32_t capacity,
                const std::vector<std::string>& lines) {
    for (int32_t i = 0; i < capacity; ++i) {
        int32_t& slot = slots[static_cast<size_t>(first + i)];
        slot = 0;
        if (i < static_cast<int32_t>(lines.size())) {
            slot = takeText();
            if (slot > 0) {
                record::assign(formatterState().text[static_cast<size_t>(slot - 1)].view(),
                               lines[static_cast<size_t>(i)]);
            }
        }
    }
}

void releaseLines(TableState& t, int32_t first, int32_t capacity) {
    std::vector<int32_t> firsts;
    for (int32_t i = first; i < first + capacity; ++i) {
        firsts.push_back(t.header_lines[static_cast<size_t>(i)]);
        t.header_lines[static_cast<size_t>(i)] = 0;
    }
    releaseTexts(firsts);
}

// The lines kept in header entries first .. first + capacity - 1.
std::vector<std::string> storedLines(const TableState& t, int32_t first, int32_t capacity) {
    std::vector<std::string> lines;
    for (int32_t i = first; i < first + capacity; ++i) {
        const int32_t slot = t.header_lines[static_cast<size_t>(i)];
        if (slot > 0) {
            lines.emplace_back(trimmed(formatterState().text[static_cast<size_t>(slot - 1)]));
        }
    }
    return lines;
}

// Lines as consecutive fields of `length` characters, each cut to `room`.
struct HeadingBlock {
    std::string buffer;
    int32_t length = 1;
    int32_t count = 0;

    HeadingBlock(const std::vector<std::string>& lines, int32_t length_, int32_t room)
        : length(std::max(length_, 1)) {
        for (const std::string& line : lines) {
            std::string text = line.substr(0, static_cast<size_t>(std::max(room, 0)));
            text.resize(static_cast<size_t>(length), ' ');
            buffer += text;
            ++count;
        }
        buffer.resize(static_cast<size_t>(length) * static_cast<size_t>(std::max(count, 1)), ' ');
    }
    record::TextArray array() { return {buffer.data(), length, std::max(count, 1)}; }
};

// Program heading, sub heading and table heading of the table, with the
// channel's unit and page; counts are cut so that the headings always fit
// the page manager's limits.
void issueHeadings(const TableState& t, bool restart_main, bool restart_sub) {
    const print::PrintChannels& channels = printChannels();
    const size_t c = channelIndex(t.state[kStateChannel]);
    const int32_t page = channels.page_length[c];
    const int32_t width = std::min(channels.line_width[c], kMaxPageWidth);
    const bool screen = channels.kind[c] == print::kScreenChannel;

    const ProgramIdentity& id = reportState().identity;
    std::vector<std::string> mainLines;
    const int32_t mainCount =
        screen ? 0 : std::min(formatterState().heading_lines, print::kMaxMainLines);
    for (int32_t i = 0; i < mainCount; ++i) {
        mainLines.emplace_back(std::string_view(id.heading.data(), id.heading.size())
                                   .substr(static_cast<size_t>(i * ProgramIdentity::kHeadingWidth),
                                           ProgramIdentity::kHeadingWidth));
    }
    std::vector<std::string> subLines = storedLines(t, kTitleSlot, kTitleLines);
    if (subLines.empty()) {
        subLines.emplace_back(trimmed(t.name));
    }
    std::vector<std::string> tableLines = storedLines(t, kHeadingSlot, kTableHeadingLines);

    const int32_t mainRoom = print::layout::mainTextField(width).length;
    const int32_t subRoom = print::layout::subTextField(width).length;
    if (mainRoom < 1) {
        mainLines.clear();
    }
    if (subRoom < 1) {
        subLines.clear();
    }
    // Keep at least one body line and the line feed below the headings.
    auto size = [&] { return mainLines.size() + subLines.size() + tableLines.size(); };
    const size_t limit = static_cast<size_t>(std::max(page - 2, 0));
    while (size() > limit && !tableLines.empty()) {
        tableLines.pop_back();
    }
    while (size() > limit && !subLines.empty()) {
        subLines.pop_back();
    }
    while (size() > limit && !mainLines.empty()) {
        mainLines.pop_back();
    }

    HeadingBlock main(mainLines, ProgramIdentity::kHeadingWidth, mainRoom);
    HeadingBlock sub(subLines, print::kHeadingWidth, subRoom);
    HeadingBlock table(tableLines, width, width);
    HeadingBlock none({}, 1, 0);
    print::INIUNI(channels.unit[c]);
    print::TABHDG(none.array(), 0);
    print::SUBHDG(none.array(), 0, record::kFalse);
    print::MAIHDG(none.array(), 0, record::kFalse);
    print::INIPAG(page, width, 1, record::kFalse);
    print::MAIHDG(main.array(), main.count, record::logical(restart_main));
    print::SUBHDG(sub.array(), sub.count, record::logical(restart_sub));
    print::TABHDG(table.array(), table.count);
}

// Moves to a new page when the table's next record would not fit with two
// lines to spare: the integer put's early page break.
void takePendingBreak(const TableState& t) {
    const int32_t channel = t.state[kStateChannel];
    if (t.state[kStateStage] != kStageWriting ||
        reportState().channel[channelIndex(channel)].heading_table != t.number) {
        return;
    }
    const int32_t page = printChannels().page_length[channelIndex(channel)];
    if (int64_t{print::CURLIN()} + t.lines_per_record > int64_t{page} - 2) {
        int32_t status = 0;
        print::PRTNEW(0, channel, 0, headingMode(t), status);
    }
}

// Common part of the put routines: the field of the column, checked for kind
// and place. 0 with `status` set on failure.
int32_t fieldToPut(int32_t table, int32_t level, int32_t column, bool (*kind_fits)(int32_t),
                   int32_t& slot, int32_t& status) {
    status = kOk;
    slot = activeSlot(table, status);
    if (slot < 0) {
        return 0;
    }
    const TableState& t = tableAt(slot);
    const int32_t f = columnField(t, level, column, status);
    if (f == 0) {
        return 0;
    }
    if (!kind_fits(fieldAttribute(f, kAttrKind))) {
        status = kWrongKind;
        return 0;
    }
    const int32_t line = fieldAttribute(f, kAttrLine);
    const int32_t start = fieldAttribute(f, kAttrStart);
    if (t.state[kStateStage] < kStageSetUp || line < 1 || line > t.lines_per_record || start < 1 ||
        start + fieldValue(t.number, f, kAttrWidth) - 1 > bufferLine(slot, line).size()) {
        status = kNoLayoutPlace;
        return 0;
    }
    if (channelFailed(t.state[kStateChannel])) {
        status = kFileFailed;
        return 0;
    }
    ++fieldAttribute(f, kAttrValuesPut);
    return f;
}

// Decimals of a real field: its own when it has its own width, else the default's.
int32_t realDecimals(int32_t table, int32_t f) {
    return fieldAttribute(f, kAttrWidth) != 0 ? fieldAttribute(f, kAttrDecimals)
                                              : PTGFPR(table, f, kAttrDecimals);
}

// 10^n in double precision (exact up to 10^22).
double tenTo(int32_t n) {
    return std::pow(10.0, static_cast<double>(n));
}

// Exponent fields with the range test show magnitudes below 10^(10^e - 1 + k).
double exponentLimit(int32_t e, int32_t k) {
    const int32_t digits = std::clamp(e, 1, 9);
    int32_t largest = 1;
    for (int32_t i = 0; i < digits; ++i) {
        largest *= 10;
    }
    return tenTo(largest - 1 + std::clamp(k, -99, 99));
}

// What a value put into field `f` of the table in `slot` needs; false when
// the field has no place in the table's record buffer.
bool planField(int32_t slot, int32_t f, ColumnPlan& c) {
    const TableState& t = tableAt(slot);
    c = ColumnPlan();
    const int32_t line = fieldAttribute(f, kAttrLine);
    const int32_t start = fieldAttribute(f, kAttrStart);
    const int32_t width = fieldValue(t.number, f, kAttrWidth);
    const FixedText buffer = bufferLine(slot, line);
    if (line < 1 || line > t.lines_per_record || start < 1 || start + width - 1 > buffer.size()) {
        return false;
    }
    c.kind = fieldAttribute(f, kAttrKind);
    c.form = fieldAttribute(f, kAttrSubKind);
    c.width = width;
    c.value = buffer.data() + (start - 1);
    if (c.kind == kRealField || c.kind == kDoubleField) {
        c.decimals = realDecimals(t.number, f);
        if (c.form == kFixedForm) {
            const double scale = tenTo(c.decimals);
            c.highest = (tenTo(width - 1) - 1.0) / scale;
            c.lowest = (1.0 - tenTo(width - 2)) / scale;
        } else {
            c.scale = fieldValue(t.number, f, kAttrScale);
            c.exponent_digits = fieldValue(t.number, f, kAttrExponentDigits);
            c.range_tested = fieldValue(t.number, f, kAttrOverflowTest) == 1;
            c.exponent_limit = exponentLimit(c.exponent_digits, c.scale);
        }
    }
    if (c.kind == kTextField && separatedChannel(t.state[kStateChannel])) {
        c.quotable = start > 1 ? c.value - 1 : c.value;
        c.quotable_width = start > 1 ? width + 1 : width;
    }
    c.field = f;
    return true;
}

// Plans every column of level 1 of a table set up on its channel, and the
// separators of its record on a semicolon-separated channel.
void planColumns(int32_t slot) {
    TableState& t = tableAt(slot);
    t.separators = 0;
    if (separatedChannel(t.state[kStateChannel])) {
        const int32_t size = bufferLine(slot, 1).sub(1, t.line_end[0]).size();
        for (const int32_t f : t.line_fields[0]) {
            if (f == 0) {
                break;
            }
            const int32_t at = fieldAttribute(f, kAttrSeparator);
            if (at >= 1 && at <= size) {
                t.separator_at[static_cast<size_t>(t.separators++)] = at - 1;
            }
        }
    }
    for (int32_t column = 1; column <= kMaxColumns; ++column) {
        ColumnPlan& c = t.plan[static_cast<size_t>(column - 1)];
        int32_t status = kOk;
        const int32_t f = columnField(t, 1, column, status);
        if (f == 0 || !planField(slot, f, c)) {
            c = ColumnPlan();
        }
    }
}

// The plan of a column ready for values of a kind (`status` 107 when the
// column holds another kind), or null when the checked path must answer.
const ColumnPlan* plannedColumn(int32_t table, int32_t level, int32_t column,
                                bool (*kind_fits)(int32_t), int32_t& slot, int32_t& status) {
    status = kOk;
    slot = tableSlot(table);
    if (slot < 0 || level != 1 || column < 1 || column > kMaxColumns) {
        return nullptr;
    }
    FormatterState& s = formatterState();
    const TableState& t = s.table[static_cast<size_t>(slot)];
    const ColumnPlan& c = t.plan[static_cast<size_t>(column - 1)];
    if (c.field == 0 || t.state[kStateStage] < kStageSetUp) {
        return nullptr;
    }
    s.last_table = table;
    if (!kind_fits(c.kind)) {
        status = kWrongKind;
        return nullptr;
    }
    if (t.unit_failed != nullptr ? *t.unit_failed : channelFailed(t.state[kStateChannel])) {
        status = kFileFailed;
        return nullptr;
    }
    ++s.field[static_cast<size_t>(c.field - 1)][kAttrValuesPut - 1];
    return &c;
}

bool integerKind(int32_t kind) {
    return kind == kIntegerField;
}

bool realKind(int32_t kind) {
    return kind == kRealField || kind == kDoubleField;
}

bool textKind(int32_t kind) {
    return kind == kTextField;
}

// Puts a value with `put` (plan, slot) into the column's field as the
// table's plan says or, for a column outside it, as the field found with
// every check says. `status` tells why nothing was put.
template <class Put>
void putValue(int32_t table, int32_t level, int32_t column, bool (*kind_fits)(int32_t),
              int32_t& status, Put&& put) {
    int32_t slot = 0;
    if (const ColumnPlan* c = plannedColumn(table, level, column, kind_fits, slot, status)) {
        put(*c, slot);
        return;
    }
    if (status != kOk) {
        return;
    }
    const int32_t f = fieldToPut(table, level, column, kind_fits, slot, status);
    ColumnPlan scratch;
    if (f != 0 && planField(slot, f, scratch)) {
        put(scratch, slot);
    }
}

void writeLine(int32_t channel, std::string text) {
    int32_t status = 0;
    print::PRTLIN(channel, FixedText(text), status);
}

} // namespace

void PTDTAB(std::string_view name, int32_t attribute, int32_t& table, int32_t& status) {
    status = kOk;
    const int32_t length = TRMLEN(name);
    if (name.empty() || length > kTableNameLength) {
        status = kBadTableName;
        return;
    }
    if (length == 0) {
        status = kBlankTableName;
        return;
    }
    if (attribute < 1 || attribute > 4) {
        status = kBadTableAttribute;
        return;
    }
    const int32_t existing = tableSlotByName(name);
    if (existing >= 0) {
        table = tableAt(existing).number;
        status = kTableExists;
        return;
    }

    FormatterState& s = formatterState();
    int32_t last = 0;
    int32_t lastSlot = kMaxTables - 1;
    for (int32_t i = 0; i < kMaxTables; ++i) {
        if (tableAt(i).number > last) {
            last = tableAt(i).number;
            lastSlot = i;
        }
    }
    int32_t slot = (lastSlot + 1) % kMaxTables;
    for (int32_t d = 1; d <= kMaxTables; ++d) {
        const int32_t candidate = (lastSlot + d) % kMaxTables;
        if (!tableAt(candidate).active()) {
            slot = candidate;
            break;
        }
    }
    if (tableAt(slot).active()) {
        endSlot(slot);
    }

    TableState& t = tableAt(slot);
    t = TableState();
    t.number = nextNumber(slot, last);
    t.state[kStateAttribute] = attribute;
    record::assign(t.name.view(), name);
    for (int32_t kind = 1; kind <= kFieldKinds; ++kind) {
        const int32_t f = takeField();
        const FieldDefaults& d = kDefaults[kind - 1];
        fieldAttribute(f, kAttrKind) = kind;
        fieldAttribute(f, kAttrWidth) = d.width;
        fieldAttribute(f, kAttrDecimals) = d.decimals;
        fieldAttribute(f, kAttrScale) = d.scale;
        fieldAttribute(f, kAttrExponentDigits) = d.exponent_digits;
        fieldAttribute(f, kAttrOverflowTest) = d.overflow_test;
        fieldAttribute(f, kAttrTable) = t.number;
        fieldAttribute(f, kAttrNameAlign) = numericKind(kind) ? 2 : 1;
        t.default_field[static_cast<size_t>(kind - 1)] = f;
    }
    ++s.tables;
    s.defining = t.number;
    s.last_table = t.number;
    table = t.number;
}

void PTTITL(int32_t table, std::string_view title, int32_t& status) {
    status = kOk;
    const int32_t slot = activeSlot(table, status);
    if (slot < 0) {
        return;
    }
    TableState& t = tableAt(slot);
    releaseLines(t, kTitleSlot, kTitleLines);
    storeLines(t.header_lines, kTitleSlot, kTitleLines, wrapText(title, kTitleWidth, kTitleLines));
}

void PTOCOL(int32_t table, int32_t& status) {
    status = kOk;
    const int32_t slot = definingSlot(table, status);
    if (slot < 0) {
        return;
    }
    TableState& t = tableAt(slot);
    if (t.state[kStateStage] == kStageColumnsOpen) {
        status = kColumnsOpen;
        return;
    }
    if (t.state[kStateStage] != kStageDefined) {
        status = kColumnsDefined;
        return;
    }
    t.state[kStateStage] = kStageColumnsOpen;
    t.groups = 1;
}

void PTDCOL(int32_t table, int32_t level, int32_t column, std::string_view name,
            std::string_view description, std::string_view code, int32_t& status) {
    status = kOk;
    const int32_t slot = definingSlot(table, status);
    if (slot < 0) {
        return;
    }
    TableState& t = tableAt(slot);
    if (t.state[kStateStage] != kStageColumnsOpen) {
        status = kColumnsNotOpen;
        return;
    }
    int32_t probe = kOk;
    if (columnField(t, level, column, probe) != 0) {
        status = kColumnRepeated;
        return;
    }
    if (probe != kNoSuchColumn) {
        status = probe;
        return;
    }
    const int32_t next = definedColumns(t) + 1;
    if (column != next) {
        status = column < next ? kColumnRepeated : kColumnSkipped;
        return;
    }
    const FormatCode* format = nullptr;
    for (const FormatCode& candidate : kFormatCodes) {
        if (trimmed(code) == candidate.code) {
            format = &candidate;
        }
    }
    if (format == nullptr) {
        status = kBadFormatCode;
        return;
    }
    const std::string_view columnName = trimmed(name);
    const std::string_view text = trimmed(description);
    if (columnName.size() > static_cast<size_t>(kNameLength)) {
        status = kNameTooLong;
        return;
    }
    if (text.size() > static_cast<size_t>(kTextLength)) {
        status = kTextTooLong;
        return;
    }

    FormatterState& s = formatterState();
    const int32_t f = takeField();
    const int32_t nameSlot = takeName();
    if (nameSlot > 0) {
        record::assign(s.name[static_cast<size_t>(nameSlot - 1)].view(), columnName);
    }
    int32_t first = 0;
    int32_t previous = 0;
    int32_t pieces = 0;
    for (size_t at = 0; at < text.size(); at += static_cast<size_t>(kTextPiece)) {
        const int32_t piece = takeText();
        if (piece == 0) {
            break;
        }
        record::assign(s.text[static_cast<size_t>(piece - 1)].view(),
                       text.substr(at, static_cast<size_t>(kTextPiece)));
        if (previous > 0) {
            s.text_next[static_cast<size_t>(previous - 1)] = piece;
        } else {
            first = piece;
        }
        previous = piece;
        ++pieces;
    }
    fieldAttribute(f, kAttrKind) = format->kind;
    fieldAttribute(f, kAttrSubKind) = format->form;
    fieldAttribute(f, kAttrNameSlot) = nameSlot;
    fieldAttribute(f, kAttrTextSlot) = first;
    fieldAttribute(f, kAttrTextPieces) = pieces;
    fieldAttribute(f, kAttrTable) = t.number;
    fieldAttribute(f, kAttrLevel) = level;
    fieldAttribute(f, kAttrColumn) = column;
    fieldAttribute(f, kAttrNameLength) = static_cast<int32_t>(columnName.size());
    fieldAttribute(f, kAttrNameAlign) = numericKind(format->kind) ? 2 : 1;
    t.line_fields[0][static_cast<size_t>(column - 1)] = f;
    if (level == 1) {
        t.column_field[static_cast<size_t>(column - 1)] = f;
    }
    t.additional_text[static_cast<size_t>(column - 1)] = first;
}

void PTSWID(int32_t table, int32_t level, int32_t column, int32_t width, int32_t decimals,
            int32_t& status) {
    status = kOk;
    const int32_t slot = definingSlot(table, status);
    if (slot < 0) {
        return;
    }
    const TableState& t = tableAt(slot);
    if (t.state[kStateStage] != kStageColumnsOpen) {
        status = kColumnsNotOpen;
        return;
    }
    const int32_t f = columnField(t, level, column, status);
    if (f == 0) {
        return;
    }
    const int32_t kind = fieldAttribute(f, kAttrKind);
    const bool fixed = fieldAttribute(f, kAttrSubKind) == kFixedForm;
    if (kind == kIntegerField && (width < 1 || width > 20)) {
        status = kBadIntegerWidth;
    } else if (kind == kTextField && (width < 1 || width > 72)) {
        status = kBadTextWidth;
    } else if (numericKind(kind) && kind != kIntegerField &&
               (width < (fixed ? 3 : 7) || width > 20 || decimals < 0)) {
        status = kBadRealWidth;
    } else if (numericKind(kind) && kind != kIntegerField && fixed &&
               int64_t{width} <= int64_t{decimals} + 1) {
        status = kFixedTooNarrow;
    }
    if (status != kOk) {
        return;
    }
    fieldAttribute(f, kAttrWidth) = width;
    fieldAttribute(f, kAttrDecimals) = kind == kRealField || kind == kDoubleField ? decimals : 0;
}

void PTCCOL(int32_t table, int32_t& status) {
    status = kOk;
    const int32_t slot = definingSlot(table, status);
    if (slot < 0) {
        return;
    }
    TableState& t = tableAt(slot);
    if (t.state[kStateStage] != kStageColumnsOpen) {
        status = kColumnsNotOpen;
        return;
    }
    t.state[kStateStage] = kStageColumnsDone;
}

void PTCHEK(int32_t table, int32_t& status) {
    status = kOk;
    const int32_t slot = definingSlot(table, status);
    if (slot < 0) {
        return;
    }
    TableState& t = tableAt(slot);
    if (t.state[kStateStage] == kStageColumnsOpen) {
        status = kColumnsOpen;
        return;
    }
    if (t.state[kStateStage] != kStageColumnsDone) {
        status = kColumnsNotOpen;
        return;
    }
    t.state[kStateStage] = kStageChecked;
    formatterState().defining = 0;
}

void PTSETU(std::string_view name, int32_t& status) {
    status = kOk;
    const int32_t slot = tableSlotByName(name);
    if (slot < 0) {
        status = kNoTableToSetUp;
        return;
    }
    TableState& t = tableAt(slot);
    formatterState().last_table = t.number;
    if (t.state[kStateStage] < kStageChecked) {
        status = kColumnsNotOpen;
        return;
    }
    const int32_t channel = reportState().current_channel;
    if (!definedChannel(channel)) {
        status = kChannelNotFound;
        return;
    }
    print::PrintChannels& channels = printChannels();
    const size_t c = channelIndex(channel);
    const int32_t unit = channels.unit[c];
    const int32_t page = channels.page_length[c];
    if (unit < record::kMinUnit || unit > record::kMaxUnit || page < 2) {
        status = kNoSuchChannel;
        return;
    }
    const int32_t kind = channels.kind[c];
    const int32_t width = std::clamp(channels.line_width[c], 1, kMaxLineWidth);
    const bool separated = kind == print::kCommaSeparatedChannel;
    const bool screen = kind == print::kScreenChannel;

    t.plan.fill(ColumnPlan());
    layOutTable(slot, width, separated);
    const int32_t lines = t.lines_per_record;
    const int32_t mainLines = screen ? 0 : std::min(formatterState().heading_lines, 5);
    const int32_t subLines =
        std::max(static_cast<int32_t>(storedLines(t, kTitleSlot, kTitleLines).size()), 1);
    // Names of at most 14 record lines, and no more than leave a whole record
    // below the headings and the two separators of a requested page.
    const int32_t named = std::clamp(std::min(lines, kTableHeadingLines - 1), 0,
                                     std::max(page - 5 - mainLines - subLines - lines, 0));
    std::vector<std::string> heading = tableHeading(slot, named, width, separated);
    if (named == 0) {
        heading.clear();
    }
    releaseLines(t, kHeadingSlot, kTableHeadingLines);
    storeLines(t.header_lines, kHeadingSlot, kTableHeadingLines, heading);
    for (int32_t line = 1; line <= kMaxRecordLines; ++line) {
        recordLine(slot, line).blank();
    }

    t.state[kStateChannel] = channel;
    const bool open = record::isTrue(channels.banner_written[c]);
    issueHeadings(t, !open, true);
    if (!screen && !open) {
        const ChannelFile& file = reportState().channel[c];
        int32_t iostat = 0;
        support::OPNPRT(unit, file.directory, file.file, file.extension, "NEW", iostat);
        if (iostat != 0) {
            reportState().channel[c].create_failed = true;
            status = kOpenFailed;
            return;
        }
        channels.banner_written[c] = record::kTrue;
        const ProgramIdentity& id = reportState().identity;
        support::BANNER(unit, id.name, id.title, id.version, id.update, id.notes, id.date,
                        channels.line_width[c] == print::layout::kNarrowWidth ? "NARROW" : "LONG");
    }
    planColumns(slot);
    t.unit_failed = record::failureMark(unit);
    t.state[kStateStage] = kStageSetUp;
    reportState().channel[c].heading_table = t.number;
    if (channelFailed(channel)) {
        status = kFileFailed;
    }
}

void PTPUTI(int32_t table, int32_t level, int32_t column, int32_t value, int32_t& status) {
    putValue(table, level, column, integerKind, status, [value](const ColumnPlan& c, int32_t slot) {
        takePendingBreak(tableAt(slot));
        if (!record::putInteger(c.value, value, c.width)) {
            std::memset(c.value, '*', static_cast<size_t>(c.width));
        }
    });
}

void PTPUTR(int32_t table, int32_t level, int32_t column, double value, int32_t& status) {
    putValue(table, level, column, realKind, status, [value](const ColumnPlan& c, int32_t) {
        bool written = false;
        if (c.form == kFixedForm) {
            // Fw.d shows v when v <= (10^(w-1) - 1) / 10^d, or for a negative
            // v when v >= (1 - 10^(w-2)) / 10^d.
            written = (value >= 0.0 ? value <= c.highest : value >= c.lowest) &&
                      record::putFixed(c.value, value, c.width, c.decimals);
        } else {
            written = (!c.range_tested || std::fabs(value) < c.exponent_limit) &&
                      record::putExponent(c.value, value, c.width, c.decimals, c.exponent_digits,
                                          c.scale);
        }
        if (!written) {
            std::memset(c.value, '*', static_cast<size_t>(c.width));
        }
    });
}

void PTPUTA(int32_t table, int32_t level, int32_t column, std::string_view text, int32_t& status) {
    putValue(table, level, column, textKind, status, [text](const ColumnPlan& c, int32_t) {
        if (record::trimmedLength(text) == 0) {
            return;
        }
        if (c.quotable != nullptr) {
            // The blank between the separator and the field takes the opening
            // quote, so that the quote is the field's first character.
            const std::string_view shown =
                trimmed(text.substr(0, static_cast<size_t>(c.quotable_width)));
            if (needsQuotes(shown)) { // one field for a reader that splits at ";"
                putQuoted(c.quotable, c.quotable_width, shown);
                return;
            }
        }
        record::assign(FixedText(c.value, c.width), text);
    });
}

void PTWREC(int32_t table, int32_t& status) {
    status = kOk;
    const int32_t slot = activeSlot(table, status);
    if (slot < 0) {
        return;
    }
    TableState& t = tableAt(slot);
    if (t.state[kStateStage] < kStageSetUp) {
        status = kNoLayoutPlace;
        return;
    }
    const int32_t channel = t.state[kStateChannel];
    if (channelFailed(channel)) {
        status = kFileFailed;
        return;
    }
    print::PrintChannels& channels = printChannels();
    ChannelFile& file = reportState().channel[channelIndex(channel)];
    const bool screen = channels.kind[channelIndex(channel)] == print::kScreenChannel;
    const bool separated = separatedChannel(channel);
    const bool first = t.state[kStateStage] == kStageSetUp;
    const int32_t lines = t.lines_per_record;
    const int32_t mode = headingMode(t);

    if (first || file.heading_table != t.number) {
        if (file.heading_table != t.number) {
            issueHeadings(t, false, false);
            file.heading_table = t.number;
        }
        int32_t st = 0;
        if (!screen) {
            print::PRTNEW(0, channel, 0, print::kNoTableHeading, st);
        }
        const int32_t width =
            std::clamp(channels.line_width[channelIndex(channel)], 1, kMaxLineWidth);
        if (first) {
            const std::vector<std::string> legend = columnLegend(slot, width, separated);
            for (const std::string& line : legend) {
                writeLine(channel, line);
            }
            if (!legend.empty()) {
                writeLine(channel, "");
            }
        }
        if (mode != print::kNoTableHeading) {
            const int32_t heading = print::primasState().table_lines;
            if (separated) {
                // Written whole here, since the page manager cuts heading lines.
                print::PRTNEW(0, channel, heading + lines, print::kNoTableHeading, st);
                if (heading > 0) {
                    for (const std::string& line : tableHeading(slot, heading - 1, width, true)) {
                        writeLine(channel, line);
                    }
                }
            } else {
                print::PRTNEW(0, channel, heading + lines, print::kTableHeadingAlways, st);
            }
        }
        t.state[kStateStage] = kStageWriting;
    }

    print::PRTNEW(0, channel, lines, mode, status);
    const bool suppressed = record::isTrue(channels.suppress_table_output) ||
                            record::isTrue(channels.suppress_all_output);
    for (int32_t line = 1; line <= lines; ++line) {
        // Beyond its last value the buffer line is blank.
        const FixedText buffer =
            bufferLine(slot, line).sub(1, t.line_end[static_cast<size_t>(line - 1)]);
        if (status == kOk && !suppressed) {
            if (separated && t.separators > 0) {
                char* row = buffer.data();
                for (int32_t i = 0; i < t.separators; ++i) {
                    row[t.separator_at[static_cast<size_t>(i)]] = ';';
                }
                row[t.separator_at[static_cast<size_t>(t.separators - 1)]] = ' ';
            }
            int32_t st = 0;
            print::PRTLIN(channel, buffer, st);
        }
        buffer.blank();
    }
    auto& fields = formatterState().field;
    for (int32_t line = 1; line <= lines; ++line) {
        for (const int32_t f : t.line_fields[static_cast<size_t>(line - 1)]) {
            if (f == 0) {
                break;
            }
            fields[static_cast<size_t>(f - 1)][kAttrValuesPut - 1] = 0;
        }
    }
    if (status == kOk && channelFailed(channel)) {
        status = kFileFailed;
    }
}

void PTENDT(std::string_view name, int32_t& status) {
    status = kOk;
    const int32_t slot = tableSlotByName(name);
    if (slot < 0) {
        status = kNoTableToEnd;
        return;
    }
    formatterState().last_table = tableAt(slot).number;
    const bool failed = channelFailed(tableAt(slot).state[kStateChannel]);
    endSlot(slot);
    if (failed) {
        status = kFileFailed;
    }
}

int32_t tableNumber(std::string_view name) {
    const int32_t slot = tableSlotByName(name);
    return slot < 0 ? 0 : tableAt(slot).number;
}

void flushTable(int32_t table) {
    const int32_t slot = tableSlot(table);
    const int32_t channel = slot >= 0 ? tableAt(slot).state[kStateChannel] : 0;
    if (definedChannel(channel)) {
        record::flushUnit(printChannels().unit[channelIndex(channel)]);
    }
}

bool tableFileFailed(int32_t table) {
    const int32_t slot = tableSlot(table);
    return slot >= 0 && channelFailed(tableAt(slot).state[kStateChannel]);
}

} // namespace mfreport::text
