#include "mfreport/text/formatter_state.h"

#include <algorithm>

namespace mfreport::text {

namespace {

// The lines of a record one after the other: a record of one wide line (a
// semicolon-separated table) takes the whole buffer.
using RecordBuffer = FixedString<kRecordRowLength>;

std::array<RecordBuffer, kMaxTables>& recordBuffers() {
    static std::array<RecordBuffer, kMaxTables> buffers;
    return buffers;
}

// Old slot number -> new slot number (0 for a dropped slot), for a buffer of
// `used` slots of which those marked in `drop` go.
std::vector<int32_t> renumbering(const std::vector<bool>& drop, int32_t used) {
    std::vector<int32_t> map(static_cast<size_t>(used) + 1, 0);
    int32_t next = 0;
    for (int32_t i = 1; i <= used; ++i) {
        if (!drop[static_cast<size_t>(i)]) {
            map[static_cast<size_t>(i)] = ++next;
        }
    }
    return map;
}

int32_t mapped(const std::vector<int32_t>& map, int32_t slot) {
    return slot > 0 && static_cast<size_t>(slot) < map.size() ? map[static_cast<size_t>(slot)] : 0;
}

// Moves every kept slot i of `items` to map[i]; returns the new count.
template <class Array>
int32_t closeUp(Array& items, const std::vector<int32_t>& map, int32_t used,
                const typename Array::value_type& empty) {
    int32_t kept = 0;
    for (int32_t i = 1; i <= used; ++i) {
        const int32_t to = map[static_cast<size_t>(i)];
        if (to > 0) {
            items[static_cast<size_t>(to - 1)] = items[static_cast<size_t>(i - 1)];
            kept = to;
        }
    }
    for (int32_t i = kept + 1; i <= used; ++i) {
        items[static_cast<size_t>(i - 1)] = empty;
    }
    return kept;
}

void compactFields(const std::vector<bool>& drop) {
    FormatterState& s = formatterState();
    const std::vector<int32_t> map = renumbering(drop, s.fields_used);
    s.fields_used = closeUp(s.field, map, s.fields_used, {});
    for (TableState& t : s.table) {
        for (int32_t& f : t.default_field) {
            f = mapped(map, f);
        }
        for (auto& line : t.line_fields) {
            // Dropped fields belong to released tables, whose lines are
            // cleared, so the lists of kept tables keep their order.
            for (int32_t& f : line) {
                f = mapped(map, f);
            }
        }
        for (int32_t& f : t.column_field) {
            f = mapped(map, f);
        }
        for (ColumnPlan& column : t.plan) {
            column.field = mapped(map, column.field);
        }
    }
}

void compactNames(const std::vector<bool>& drop) {
    FormatterState& s = formatterState();
    const std::vector<int32_t> map = renumbering(drop, s.names_used);
    s.names_used = closeUp(s.name, map, s.names_used, FixedString<kNameLength>());
    for (int32_t f = 1; f <= s.fields_used; ++f) {
        int32_t& slot = fieldAttribute(f, kAttrNameSlot);
        slot = mapped(map, slot);
    }
}

void compactTexts(const std::vector<bool>& drop) {
    FormatterState& s = formatterState();
    const std::vector<int32_t> map = renumbering(drop, s.text_lines);
    for (int32_t i = 1; i <= s.text_lines; ++i) {
        int32_t& next = s.text_next[static_cast<size_t>(i - 1)];
        next = mapped(map, next);
    }
    closeUp(s.text_next, map, s.text_lines, 0);
    s.text_lines = closeUp(s.text, map, s.text_lines, FixedString<kTextLength>());
    for (int32_t f = 1; f <= s.fields_used; ++f) {
        int32_t& slot = fieldAttribute(f, kAttrTextSlot);
        slot = mapped(map, slot);
    }
    for (TableState& t : s.table) {
        for (int32_t& slot : t.header_lines) {
            slot = mapped(map, slot);
        }
        for (int32_t& slot : t.additional_text) {
            slot = mapped(map, slot);
        }
    }
}

// Marks a text slot and its continuations.
void markChain(std::vector<bool>& drop, int32_t first) {
    const FormatterState& s = formatterState();
    for (int32_t slot = first, guard = 0; slot > 0 && slot <= s.text_lines && guard < kMaxTexts;
         slot = s.text_next[static_cast<size_t>(slot - 1)], ++guard) {
        drop[static_cast<size_t>(slot)] = true;
    }
}

} // namespace

FixedText recordLine(int32_t slot, int32_t line) {
    if (slot < 0 || slot >= kMaxTables || line < 1 || line > kMaxRecordLines) {
        return {};
    }
    const int32_t first = (line - 1) * kRecordLength + 1;
    return recordBuffers()[static_cast<size_t>(slot)].view().sub(first, first + kRecordLength - 1);
}

FixedText recordRow(int32_t slot) {
    if (slot < 0 || slot >= kMaxTables) {
        return {};
    }
    return recordBuffers()[static_cast<size_t>(slot)].view();
}

int32_t tableSlotByName(std::string_view name) {
    const FormatterState& s = formatterState();
    for (int32_t i = 0; i < kMaxTables; ++i) {
        const TableState& t = s.table[static_cast<size_t>(i)];
        if (t.active() && record::textEqual(t.name, name)) {
            return i;
        }
    }
    return -1;
}

int32_t takeField() {
    FormatterState& s = formatterState();
    if (s.fields_used >= kMaxFields) {
        return 0;
    }
    s.field[static_cast<size_t>(s.fields_used)] = {};
    return ++s.fields_used;
}

int32_t takeName() {
    FormatterState& s = formatterState();
    if (s.names_used >= kMaxNames) {
        return 0;
    }
    s.name[static_cast<size_t>(s.names_used)].view().blank();
    return ++s.names_used;
}

int32_t takeText() {
    FormatterState& s = formatterState();
    if (s.text_lines >= kMaxTexts) {
        return 0;
    }
    s.text[static_cast<size_t>(s.text_lines)].view().blank();
    s.text_next[static_cast<size_t>(s.text_lines)] = 0;
    return ++s.text_lines;
}

void releaseTexts(const std::vector<int32_t>& firsts) {
    FormatterState& s = formatterState();
    std::vector<bool> drop(static_cast<size_t>(s.text_lines) + 1, false);
    for (const int32_t first : firsts) {
        markChain(drop, first);
    }
    compactTexts(drop);
}

void releaseTable(int32_t slot) {
    FormatterState& s = formatterState();
    if (slot < 0 || slot >= kMaxTables) {
        return;
    }
    TableState& t = s.table[static_cast<size_t>(slot)];
    std::vector<bool> fields(static_cast<size_t>(s.fields_used) + 1, false);
    std::vector<bool> names(static_cast<size_t>(s.names_used) + 1, false);
    std::vector<bool> texts(static_cast<size_t>(s.text_lines) + 1, false);
    for (int32_t f = 1; f <= s.fields_used; ++f) {
        if (fieldAttribute(f, kAttrTable) != t.number) {
            continue;
        }
        fields[static_cast<size_t>(f)] = true;
        const int32_t name = fieldAttribute(f, kAttrNameSlot);
        if (name > 0 && name <= s.names_used) {
            names[static_cast<size_t>(name)] = true;
        }
        markChain(texts, fieldAttribute(f, kAttrTextSlot));
    }
    for (const int32_t first : t.header_lines) {
        markChain(texts, first);
    }
    for (const int32_t first : t.additional_text) {
        markChain(texts, first);
    }

    const int32_t number = t.number;
    t = TableState();
    t.number = number;
    for (int32_t line = 1; line <= kMaxRecordLines; ++line) {
        recordLine(slot, line).blank();
    }
    compactTexts(texts);
    compactNames(names);
    compactFields(fields);
}

std::string joinedText(int32_t first) {
    const FormatterState& s = formatterState();
    std::string text;
    for (int32_t slot = first, guard = 0; slot > 0 && slot <= s.text_lines && guard < kMaxTexts;
         ++guard) {
        const std::string_view piece = s.text[static_cast<size_t>(slot - 1)];
        slot = s.text_next[static_cast<size_t>(slot - 1)];
        // Every piece but the last is full; the last ends at its last non-blank.
        text += slot > 0 ? piece.substr(0, static_cast<size_t>(kTextPiece))
                         : piece.substr(0, static_cast<size_t>(record::TRMLEN(piece)));
    }
    return text;
}

void resetFormatter() {
    // In place: the state is too large for a temporary on the stack.
    FormatterState& s = formatterState();
    s.tables = 0;
    s.channels = 0;
    s.defining = 0;
    s.fields_used = 0;
    s.names_used = 0;
    s.last_table = 0;
    s.heading_lines = 0;
    s.text_lines = 0;
    s.table.fill(TableState());
    s.field.fill({});
    for (auto& name : s.name) {
        name.view().blank();
    }
    for (auto& text : s.text) {
        text.view().blank();
    }
    s.text_next.fill(0);
    reportState() = ReportState();
    print::printChannels() = print::PrintChannels();
    for (RecordBuffer& buffer : recordBuffers()) {
        buffer.view().blank();
    }
}

} // namespace mfreport::text
