#include "mfreport/text/table_layout.h"

#include <algorithm>

#include "mfreport/record/fixed_text.h"
#include "mfreport/text/formatter_state.h"
#include "mfreport/text/printable.h"
#include "mfreport/text/ptdump.h"

namespace mfreport::text {

namespace {

using record::TRMLEN;

std::string_view fieldName(int32_t field) {
    const FormatterState& s = formatterState();
    const int32_t slot = fieldAttribute(field, kAttrNameSlot);
    if (slot < 1 || slot > s.names_used) {
        return {};
    }
    const std::string_view name = s.name[static_cast<size_t>(slot - 1)];
    return name.substr(0, static_cast<size_t>(TRMLEN(name)));
}

// The name as the table heading shows it: quoted on a semicolon-separated
// channel when it holds ";" or '"'.
std::string shownName(int32_t field, bool separated) {
    const std::string_view name = fieldName(field);
    return separated && needsQuotes(name) ? quoted(name) : std::string(name);
}

// The table's fields in column order, wherever they are listed.
std::vector<int32_t> columnFields(const TableState& t) {
    std::vector<int32_t> fields;
    for (const auto& line : t.line_fields) {
        for (const int32_t f : line) {
            if (f > 0) {
                fields.push_back(f);
            }
        }
    }
    std::stable_sort(fields.begin(), fields.end(), [](int32_t a, int32_t b) {
        return fieldAttribute(a, kAttrColumn) < fieldAttribute(b, kAttrColumn);
    });
    return fields;
}

// Writes `text` into `line` from position `first` (1-based); what falls
// outside the line is left out.
void put(std::string& line, int64_t first, std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const int64_t at = first + static_cast<int64_t>(i);
        if (at >= 1 && at <= static_cast<int64_t>(line.size())) {
            line[static_cast<size_t>(at - 1)] = text[i];
        }
    }
}

std::string trimmed(std::string line) {
    line.resize(static_cast<size_t>(record::trimmedLength(line)));
    return line;
}

} // namespace

std::vector<std::string> wrapText(std::string_view text, int32_t width, int32_t max_lines) {
    std::vector<std::string> lines;
    const size_t w = static_cast<size_t>(std::max(width, 4));
    std::string line;
    bool cut = false;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        size_t end = std::min(text.find(' ', i), text.size());
        std::string_view word = text.substr(i, end - i);
        if (!line.empty() && line.size() + 1 + word.size() > w) {
            lines.push_back(line);
            line.clear();
        }
        if (max_lines > 0 && static_cast<int32_t>(lines.size()) >= max_lines) {
            cut = true;
            break;
        }
        if (word.size() > w) { // the line is empty: the word fills lines of its own
            word = word.substr(0, w);
            end = i + w;
        }
        line += line.empty() ? "" : " ";
        line += word;
        i = end;
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    if (cut && !lines.empty()) {
        std::string& last = lines.back();
        last = last.substr(0, std::min(last.size(), w - 3)) + "...";
    }
    return lines;
}

void layOutTable(int32_t slot, int32_t width, bool separated) {
    TableState& t = formatterState().table[static_cast<size_t>(slot)];
    const std::vector<int32_t> fields = columnFields(t);
    for (auto& line : t.line_fields) {
        line.fill(0);
    }
    t.wrap_mode.fill(0);
    t.line_end.fill(0);

    int32_t line = 1;
    int32_t used = 0; // last position taken in the line
    size_t inLine = 0;
    for (const int32_t f : fields) {
        const int32_t fieldWidth = std::max(PTGFPR(t.number, f, kAttrWidth), 1);
        const int32_t nameLength = static_cast<int32_t>(shownName(f, separated).size());
        const int32_t columnWidth = std::max(fieldWidth, nameLength);
        int32_t first = used == 0 ? 1 : used + 1 + kColumnGap;
        // A semicolon-separated record stays one line, however wide.
        if (!separated && used > 0 && first + columnWidth - 1 > width && line < kMaxRecordLines) {
            ++line;
            inLine = 0;
            first = 1 + kContinuationIndent;
            t.wrap_mode[static_cast<size_t>(line - 1)] = 1;
        }
        const int32_t spare = columnWidth - fieldWidth;
        const int32_t offset = PTGFPR(t.number, f, kAttrAdjust) == 2 ? spare / 2 : spare;
        const int32_t start = first + offset;
        fieldAttribute(f, kAttrLine) = line;
        fieldAttribute(f, kAttrColumnStart) = first;
        fieldAttribute(f, kAttrColumnWidth) = columnWidth;
        fieldAttribute(f, kAttrStart) = start;
        fieldAttribute(f, kAttrNameLength) = nameLength;
        fieldAttribute(f, kAttrSeparator) = separated ? start + fieldWidth : 0;
        fieldAttribute(f, kAttrValuesPut) = 0;
        t.line_fields[static_cast<size_t>(line - 1)][inLine++] = f;
        int32_t& end = t.line_end[static_cast<size_t>(line - 1)];
        end = std::max(end, separated ? start + fieldWidth : start + fieldWidth - 1);
        used = first + columnWidth - 1;
    }
    t.lines_per_record = line;
}

std::vector<std::string> tableHeading(int32_t slot, int32_t named_lines, int32_t width,
                                      bool separated) {
    const TableState& t = formatterState().table[static_cast<size_t>(slot)];
    const std::vector<int32_t> fields = columnFields(t);
    std::vector<std::string> heading;
    for (const int32_t f : fields) {
        fieldAttribute(f, kAttrHeadingLine) = 0;
    }
    if (fields.empty()) {
        return heading;
    }
    int32_t end = 0;
    for (const int32_t f : fields) {
        end = std::max(end, fieldAttribute(f, kAttrColumnStart) +
                                fieldAttribute(f, kAttrColumnWidth) - 1);
    }
    // A semicolon-separated heading is as wide as its record.
    const size_t w = static_cast<size_t>(std::max(separated ? std::max(width, end + 1) : width, 1));
    for (int32_t line = 1; line <= std::min(named_lines, t.lines_per_record); ++line) {
        std::string names(w, ' ');
        const auto& list = t.line_fields[static_cast<size_t>(line - 1)];
        for (size_t i = 0; i < list.size() && list[i] > 0; ++i) {
            const int32_t f = list[i];
            const std::string name = shownName(f, separated);
            const int32_t first = fieldAttribute(f, kAttrColumnStart);
            const int32_t columnWidth = fieldAttribute(f, kAttrColumnWidth);
            const bool left = fieldAttribute(f, kAttrNameAlign) == 1;
            // A quoted name after a separator begins in the blank that follows
            // it, so that its quote opens the field.
            const bool quoted = separated && i > 0 && name.front() == '"';
            put(names,
                quoted ? first - 1
                : left ? first
                       : first + columnWidth - static_cast<int32_t>(name.size()),
                name);
            const bool last = i + 1 == list.size() || list[i + 1] == 0;
            if (separated && !last) {
                put(names, int64_t{first} + columnWidth, ";");
            }
            fieldAttribute(f, kAttrHeadingLine) = line;
        }
        heading.push_back(trimmed(names));
    }

    std::string rule(w, ' ');
    if (t.lines_per_record == 1) {
        const auto& list = t.line_fields[0];
        for (size_t i = 0; i < list.size() && list[i] > 0; ++i) {
            const int32_t first = fieldAttribute(list[i], kAttrColumnStart);
            const int32_t columnWidth = fieldAttribute(list[i], kAttrColumnWidth);
            put(rule, first, std::string(static_cast<size_t>(columnWidth), '-'));
            const bool last = i + 1 == list.size() || list[i + 1] == 0;
            if (separated && !last) {
                put(rule, int64_t{first} + columnWidth, ";");
            }
        }
    } else {
        put(rule, 1, std::string(static_cast<size_t>(std::max(end, 1)), '-'));
    }
    heading.push_back(trimmed(rule));
    return heading;
}

std::vector<std::string> columnLegend(int32_t slot, int32_t width, bool separated) {
    const TableState& t = formatterState().table[static_cast<size_t>(slot)];
    struct Entry {
        std::string_view name;
        std::string text;
    };
    std::vector<Entry> entries;
    size_t nameWidth = 1;
    for (const int32_t f : columnFields(t)) {
        std::string text = joinedText(fieldAttribute(f, kAttrTextSlot));
        if (fieldAttribute(f, kAttrHeadingLine) == 0) {
            text += (text.empty() ? "(record line " : " (record line ") +
                    std::to_string(fieldAttribute(f, kAttrLine)) + ")";
        }
        if (record::TRMLEN(text) == 0) {
            continue;
        }
        entries.push_back({fieldName(f), text});
        nameWidth = std::max(nameWidth, entries.back().name.size());
    }

    std::vector<std::string> lines;
    const size_t indent = std::min(nameWidth + 3, static_cast<size_t>(std::max(width, 8)) / 2);
    // A semicolon-separated legend keeps each description on one line.
    const int32_t textWidth =
        separated ? kTextLength + 1 : std::max(width - static_cast<int32_t>(indent), 4);
    for (const Entry& e : entries) {
        std::string prefix(e.name.substr(0, indent - 3));
        prefix.resize(indent - 3, ' ');
        prefix += " : ";
        const std::vector<std::string> text = wrapText(e.text, textWidth);
        for (size_t i = 0; i < text.size(); ++i) {
            lines.push_back((i == 0 ? prefix : std::string(indent, ' ')) + text[i]);
            if (separated && needsQuotes(lines.back())) {
                lines.back() = quoted(lines.back());
            }
        }
    }
    return lines;
}

} // namespace mfreport::text
