#include "mfreport/text/ptdump.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "mfreport/print/page_setup.h"
#include "mfreport/print/print_channels.h"
#include "mfreport/record/edit.h"
#include "mfreport/record/record_io.h"
#include "mfreport/support/files.h"
#include "mfreport/text/formatter_state.h"

namespace mfreport::text {

namespace {

using namespace record::item;

// Integers edited one after another, each in `width` columns.
template <class Values>
std::string edited(const Values& values, size_t first, size_t count, int32_t width) {
    std::string text;
    for (size_t i = first; i < first + count && i < values.size(); ++i) {
        text += record::editInteger(values[i], width).value_or(std::string());
    }
    return text;
}

// A format of `skip` blanks, a literal and `per_line` integers, used over and
// over while values remain (each use a new line); with no values, the blanks
// and the literal alone.
template <class Values>
void writeRepeated(int32_t unit, int32_t skip, std::string_view literal, const Values& values,
                   size_t per_line, int32_t width) {
    if (values.empty()) {
        if (literal.empty()) {
            record::writeRecord(unit, {X(skip)});
        } else {
            record::writeRecord(unit, {X(skip), A(literal)});
        }
        return;
    }
    for (size_t first = 0; first < values.size(); first += per_line) {
        record::writeRecord(unit, {X(skip), A(literal), A(edited(values, first, per_line, width))});
    }
}

void twoEmptyLines(int32_t unit) {
    record::writeRecord(unit, {BR});
}

void summary(int32_t u, const FormatterState& s) {
    const std::pair<std::string_view, int32_t> counters[] = {
        {" Number of tables", s.tables},
        {" Number of defined logical devices", s.channels},
        {" Table being defined at the moment", s.defining},
        {" Number of fields used in field buffer", s.fields_used},
        {" Number of names used in name buffer", s.names_used},
        {" Last table used in common block", s.last_table},
        {" Number of lines in program heading print", s.heading_lines},
        {" Number of lines in text buffer", s.text_lines},
    };
    twoEmptyLines(u);
    for (const auto& [label, value] : counters) {
        record::writeRecord(u, {A(FixedString<42>(label)), A(":"), I(value, 8)});
    }
}

void channels(int32_t u, const FormatterState& s) {
    const print::PrintChannels& c = print::printChannels();
    twoEmptyLines(u);
    record::writeRecord(u, {A(" The following devices have been defined:")});
    for (int32_t i = 1; i <= s.channels && i <= kMaxChannels; ++i) {
        const size_t k = static_cast<size_t>(i - 1);
        record::writeRecord(u, {X(5), A("Device"), I(i, 3), A(":"), I(c.banner_written[k], 4),
                                I(c.unit[k], 4), I(c.kind[k], 4), I(c.line_width[k], 4),
                                I(c.page_length[k], 4)});
    }
}

void tableSections(int32_t u, const FormatterState& s) {
    for (const TableState& t : s.table) {
        if (t.active()) {
            twoEmptyLines(u);
            record::writeRecord(u, {A(" Table number:"), I(t.number, 4), A(" with data:"),
                                    I(t.state[0], 5), I(t.state[1], 5), I(t.state[2], 5)});
        }
    }
    for (const TableState& t : s.table) {
        if (t.active()) {
            twoEmptyLines(u);
            record::writeRecord(u, {A(" Table number:"), I(t.number, 4),
                                    A(" with the following table header lines")});
            writeRepeated(u, 1, "", t.header_lines, 20, 3);
        }
    }
    for (const TableState& t : s.table) {
        if (t.active()) {
            twoEmptyLines(u);
            record::writeRecord(u, {A(" Table nomenclature:"), I(t.number, 4),
                                    A(" with the following additional text")});
            writeRepeated(u, 1, "", t.additional_text, 20, 3);
        }
    }
    for (const TableState& t : s.table) {
        if (!t.active()) {
            continue;
        }
        const auto& d = t.default_field;
        twoEmptyLines(u);
        record::writeRecord(
            u, {A(" Table number "), I(t.number, 4), A(", with the following specification:")});
        record::writeRecord(
            u, {X(5), A("Number of lines in record        :"), I(t.lines_per_record, 4)});
        record::writeRecord(u, {X(5), A("Pointer to default integer size  :"), I(d[0], 4)});
        record::writeRecord(u, {X(5), A("Pointer to default real size     :"), I(d[1], 4)});
        record::writeRecord(u, {X(5), A("Pointer to default character size:"), I(d[2], 4)});
        record::writeRecord(u, {X(5), A("Pointer to default double size   :"), I(d[3], 4)});
        record::writeRecord(u, {X(5), A("Wrap mode for lines (l/r):")});
        const std::vector<int32_t> wraps(t.wrap_mode.begin(),
                                         t.wrap_mode.begin() +
                                             std::clamp(t.lines_per_record, 0, kMaxRecordLines));
        writeRepeated(u, 5, "", wraps, 19, 3);
        record::writeRecord(u, {X(5), A("Number of defined groups:"), I(t.groups, 4)});
    }
    for (const TableState& t : s.table) {
        if (!t.active()) {
            continue;
        }
        twoEmptyLines(u);
        record::writeRecord(u, {A(" Table number:"), I(t.number, 4), A(", is defined by"),
                                I(t.lines_per_record, 4), A(" lines with fields")});
        for (int32_t line = 1; line <= t.lines_per_record && line <= kMaxRecordLines; ++line) {
            std::vector<int32_t> fields;
            for (const int32_t f : t.line_fields[static_cast<size_t>(line - 1)]) {
                if (f > 0) {
                    fields.push_back(f);
                }
            }
            writeRepeated(u, 5, "Fields:", fields, 15, 4);
        }
    }
}

void buffers(int32_t u, const FormatterState& s) {
    twoEmptyLines(u);
    record::writeRecord(u, {A(" The following fields have been defined:")});
    for (int32_t f = 1; f <= s.fields_used; ++f) {
        const auto& attributes = s.field[static_cast<size_t>(f - 1)];
        record::writeRecord(
            u, {A(" Fld"), I(f, 3), A(":"), A(edited(attributes, 0, attributes.size(), 3))});
    }

    twoEmptyLines(u);
    record::writeRecord(u, {A(" The following table names have been specified:")});
    for (const TableState& t : s.table) {
        if (t.active()) {
            record::writeRecord(u, {X(5), A(t.name)});
        }
    }

    twoEmptyLines(u);
    record::writeRecord(u, {A(" The following fields have been defined:")});
    for (int32_t i = 0; i < s.names_used; ++i) {
        record::writeRecord(u, {X(5), A(s.name[static_cast<size_t>(i)])});
    }

    twoEmptyLines(u);
    record::writeRecord(u, {A(" The following text strings have been specified:")});
    for (int32_t i = 1; i <= s.text_lines; ++i) {
        record::writeRecord(u, {A(" String number: "), I(i, 5), A(" continued on line:"),
                                I(s.text_next[static_cast<size_t>(i - 1)], 5)});
        record::writeRecord(u, {X(1), A(s.text[static_cast<size_t>(i - 1)])});
    }
}

} // namespace

int32_t PTGFPR(int32_t table, int32_t field, int32_t attribute) {
    const FormatterState& s = formatterState();
    if (field < 1 || field > s.fields_used) {
        PTDUMP();
        print::PRIERR("PTGFPR", "Pointer to ITFLD is out of range", field);
    }
    if (attribute < 1 || attribute > kFieldAttributes) {
        return 0;
    }
    const int32_t value = fieldAttribute(field, attribute);
    if (value != 0) {
        return value;
    }
    const int32_t kind = fieldAttribute(field, kAttrKind);
    int32_t slot = tableSlot(table);
    if (slot < 0) {
        slot = tableSlot(fieldAttribute(field, kAttrTable));
    }
    if (slot < 0 || kind < 1 || kind > kFieldKinds) {
        return 0;
    }
    const int32_t fallback =
        s.table[static_cast<size_t>(slot)].default_field[static_cast<size_t>(kind - 1)];
    return fallback >= 1 && fallback <= s.fields_used ? fieldAttribute(fallback, attribute) : 0;
}

void PTDUMP() {
    const int32_t unit = reportState().dump_unit;
    int32_t iostat = 0;
    support::OPNFIL(unit, " ", "PTDUMP", ".DMP", "NEW", "FORMATTED", iostat);
    if (iostat != 0) {
        support::CLSFIL(unit, iostat);
        return;
    }
    const FormatterState& s = formatterState();
    summary(unit, s);
    channels(unit, s);
    tableSections(unit, s);
    buffers(unit, s);
    support::CLSFIL(unit, iostat);
}

} // namespace mfreport::text
