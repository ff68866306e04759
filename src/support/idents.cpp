#include "mfreport/support/idents.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <system_error>

#include "mfreport/support/ident_store.h"

namespace mfreport::support {

namespace {

using record::FixedString;

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

std::string_view trimmed(std::string_view text) {
    return text.substr(0, static_cast<size_t>(record::trimmedLength(text)));
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

std::optional<int32_t>& batchCache() {
    static std::optional<int32_t> cache;
    return cache;
}

// Builds the key table; false when the build ran out of memory.
bool buildKeyTable() {
    IdentKeyTable& table = identKeyTable();
    table.attempted = true;
    try {
        const std::vector<IdentKey>& keys = identKeys();
        for (size_t i = 0; i < keys.size(); ++i) {
            table.names.emplace_back(keys[i].name);
            table.key_index.push_back(static_cast<int32_t>(i));
            table.allowed.emplace_back(keys[i].allowed.begin(), keys[i].allowed.end());
        }
        for (size_t i = 0; i < keys.size(); ++i) {
            if (keys[i].negatable) {
                table.names.push_back(std::string("NO") + keys[i].name);
                table.key_index.push_back(static_cast<int32_t>(i));
            }
        }
        table.built = true;
    } catch (const std::bad_alloc&) {
        table.built = false;
    }
    return table.built;
}

// Finds a typed ident; the status is one of the IdentStatus codes.
int32_t findTyped(std::string_view key, int32_t& index) {
    const TypedIdentTable& table = typedIdentTable();
    const std::string_view name = trimmed(key);
    if (name.empty() || table.count <= 0) {
        return kIdentNotSet;
    }
    // Only the look-up that attempted the build reports its failure.
    if (!identKeyTable().attempted && !buildKeyTable()) {
        return kIdentNoMemory;
    }
    return lookupName(name, table.names, index);
}

// The ident text as an integer: digits, point or sign first, "d" read as
// "e", a whole number strictly inside the 32-bit range.
bool parseInteger(std::string text, int32_t& out) {
    if (text.empty() || std::string_view("0123456789.+-").find(text[0]) == std::string::npos) {
        return false;
    }
    std::replace(text.begin(), text.end(), 'd', 'e');
    std::replace(text.begin(), text.end(), 'D', 'e');
    bool negative = false;
    size_t start = 0;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        start = 1;
        if (text.size() > 1 && (text[1] == '+' || text[1] == '-')) {
            return false;
        }
    }
    double value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data() + start, end, value);
    if (result.ec != std::errc()) {
        return false;
    }
    for (const char* p = result.ptr; p != end; ++p) {
        if (std::isspace(static_cast<unsigned char>(*p)) == 0) {
            return false;
        }
    }
    value = negative ? -value : value;
    if (!(std::fabs(value) < std::numeric_limits<double>::max()) || value != std::floor(value) ||
        !(value > -2147483647.0 && value < 2147483647.0)) {
        return false;
    }
    out = static_cast<int32_t>(value);
    return true;
}

} // namespace

const std::vector<IdentKey>& identKeys() {
    static const std::vector<IdentKey> keys = {
        {"EXECUTABLE", false, 3, {}, -1},
        {"HEADER", true, 2, {"NONE", "SHORT"}, -1},
        {"PREFIX", false, 3, {}, -1},
        {"NAME", false, 3, {}, -1},
        {"STATUS", false, 2, {"OLD", "NEW", "UNKNOWN"}, -1},
        {"ARGFILE", true, 3, {}, -1},
        {"INTERFACE", false, 2, {"LINE", "WINDOWS", "PICK", "COMMAND"}, -1},
        {"COMPANY-NAME", true, 4, {}, -1},
        {"DISPLAY-DEVICE",
         false,
         2,
         {"3279",
          "APOLLO",
          "CDC-721",
          "DUMMY",
          "EGA",
          "SVGA-600x800",
          "SVGA-1024x768",
          "TDV-2200",
          "TPAZ-MONO",
          "TPAZ-COLOUR",
          "TX4014-15-16-54",
          "TX4105",
          "TX4107-09-13-15",
          "VT125",
          "VT240",
          "VT340",
          "VGA",
          "WESTWARD-3219",
          "WESTWARD-3220",
          "X-WINDOW"},
         -1},
        {"DISPLAY-COLOUR", false, 2, {"ON", "OFF"}, -1},
        {"PLOT-COLOUR", false, 2, {"ON", "OFF", "GREYSCALE"}, -1},
        {"PLOT-FORMAT",
         false,
         2,
         {"CGM-BINARY", "HPGL-2", "HPGL-7470", "HPGL-7550", "LN03-PLUS", "POSTSCRIPT",
          "KALDU-NEUTRAL", "WINDOWS-PRINTER"},
         -1},
        {"PLOT-PAGE-SIZE", false, 2, {"A0", "A1", "A2", "A3", "A4", "A5"}, -1},
        {"PLOT-ORIENTATION", false, 2, {"PORTRAIT", "LANDSCAPE"}, -1},
        {"READ-SUPERELEMENT", true, 5, {}, -1},
        {"WRITE-SUPERELEMENT", true, 5, {}, -1},
        {"COMMAND-FILE", true, 3, {}, -1},
        {"FORCED-EXIT", true, 1, {}, -1},
        {"MENUFILE", true, 3, {}, -1},
        {"HELPFILE", true, 3, {}, -1},
        {"ARGINFO", true, 2, {"NONE", "ERROR", "ALL"}, -1},
        {"STRUCTURE-TYPE", false, 4, {}, -1},
        {"EYEDIR-X", false, 6, {}, -1},
        {"EYEDIR-Y", false, 6, {}, -1},
        {"EYEDIR-Z", false, 6, {}, -1},
        {"PROGRAM", true, 4, {}, -1},
        {"VERSION", true, 4, {}, -1},
        {"MODE", true, 4, {}, -1},
        {"PARENT-NETADDR", false, 5, {}, -1},
        {"PARENT-NODE", false, 4, {}, -1},
        {"NETDEBUG", true, 1, {}, -1},
        {"WINDOW-SIZE", false, 5, {}, -1},
        {"PRINT-FORMFEED", false, 2, {"ASCII", "FORTRAN"}, -1},
        {"INPUT-FILE", true, 3, {}, -1},
    };
    return keys;
}

IdentRecordStore& identRecordStore() {
    static IdentRecordStore store;
    return store;
}

TypedIdentTable& typedIdentTable() {
    static TypedIdentTable table;
    return table;
}

IdentKeyTable& identKeyTable() {
    static IdentKeyTable table;
    return table;
}

void setTypedIdent(const std::string& name, int32_t kind, std::optional<std::string> text,
                   int32_t integer) {
    TypedIdentTable& table = typedIdentTable();
    table.names.push_back(name);
    table.text_values.push_back(std::move(text));
    table.kinds.push_back(kind);
    table.integer_values.push_back(integer);
    table.count = static_cast<int32_t>(table.names.size());
}

bool addIdentRecord(std::string_view record) {
    IdentRecordStore& store = identRecordStore();
    if (store.record_count < 0 || store.record_count >= kIdentRecords) {
        return false;
    }
    record::assign(store.records[static_cast<size_t>(store.record_count)], record);
    ++store.record_count;
    return true;
}

void clearIdentStores() {
    identRecordStore() = IdentRecordStore();
    typedIdentTable() = TypedIdentTable();
    batchCache().reset();
}

int32_t matchKeyword(std::string_view key, std::string_view candidate) {
    const std::string k = upper(key);
    const std::string c = upper(candidate);
    if (k.empty() || c.empty()) {
        return 0;
    }
    const bool candidateHasBlank = c.find(' ') != std::string::npos;
    size_t j = 0;
    for (size_t i = 0; i < k.size(); ++i) {
        if (j >= c.size()) {
            return 0;
        }
        if (k[i] == c[j]) {
            ++j;
        } else if (k[i] == '-' && i > 0 && !candidateHasBlank) {
            const size_t dash = c.find('-', j);
            if (dash == std::string::npos) {
                return 0;
            }
            j = dash + 1;
        } else {
            return 0;
        }
    }
    if (k.size() == c.size()) {
        return -1;
    }
    return c == "EXIT" ? 0 : static_cast<int32_t>(c.size());
}

int32_t lookupName(std::string_view key, const std::vector<std::string>& names, int32_t& index) {
    int32_t exact = -1;
    int32_t exactCount = 0;
    int32_t abbreviation = -1;
    int32_t abbreviationCount = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        const int32_t match = matchKeyword(key, names[i]);
        if (match == -1) {
            if (exactCount++ == 0) {
                exact = static_cast<int32_t>(i);
            }
        } else if (match > 0) {
            ++abbreviationCount;
            abbreviation = static_cast<int32_t>(i);
        }
    }
    if (exactCount > 1) {
        return kAmbiguous;
    }
    if (exactCount == 1) {
        index = exact;
        return kFound;
    }
    if (abbreviationCount > 1) {
        return kAmbiguous;
    }
    if (abbreviationCount == 1) {
        index = abbreviation;
        return kFound;
    }
    return kNotSet;
}

void IDFIELD(std::string_view operation, FixedText record, int32_t word, FixedText value) {
    const bool put = record::textEqual(operation, "PUT");
    if (!put && !record::textEqual(operation, "GET")) {
        return;
    }
    const std::string_view text = record;
    size_t pos = 0;
    for (int32_t i = 1; i <= word; ++i) {
        const size_t blank = text.find(' ', pos);
        if (blank == std::string_view::npos) {
            return;
        }
        const size_t start = text.find_first_not_of(' ', blank);
        if (start == std::string_view::npos) {
            if (put) {
                std::string tail;
                for (int32_t missing = i; missing < word; ++missing) {
                    tail += ", ";
                }
                tail += std::string_view(value);
                record::assign(record.sub(static_cast<int32_t>(blank) + 2, record.size()), tail);
            } else {
                value.blank();
            }
            return;
        }
        pos = start;
    }
    if (put) {
        const std::string copy(value);
        record::assign(record.sub(static_cast<int32_t>(pos) + 1, record.size()), copy);
    } else {
        const size_t end = std::min(text.find(' ', pos), text.size());
        record::assign(value, text.substr(pos, end - pos));
    }
}

void IDQUERY(std::string_view operation, std::string_view key, TextArray values, int32_t max_values,
             int32_t& count) {
    const int32_t max = std::clamp(max_values, 0, values.count());
    for (int32_t i = 0; i < max; ++i) {
        values[i].blank();
    }
    count = 0;

    FixedString<51> work;
    record::assign(record::FixedText(work).sub(1, 50), key);
    const int32_t length = record::trimmedLength(std::string_view(work).substr(0, 50));
    const bool get = record::textEqual(operation, "GET");
    const bool tail = record::textEqual(operation, "GET-TAIL");
    const bool idents = record::textEqual(operation, "IDENTS");
    if (tail) {
        work[length] = ':';
    }
    const size_t compared = static_cast<size_t>(idents ? length : length + 1);
    const std::string_view pattern = std::string_view(work).substr(0, compared);

    IdentRecordStore& store = identRecordStore();
    const int32_t records = std::clamp(store.record_count, 0, kIdentRecords);
    for (int32_t r = 0; r < records && (get || tail || idents); ++r) {
        const std::string_view record = store.records[static_cast<size_t>(r)];
        if (record.substr(0, compared) != pattern) {
            continue;
        }
        if (get) {
            int32_t n = 0;
            for (int32_t at = r; at < records; ++at) {
                auto& line = store.records[static_cast<size_t>(at)];
                if (at > r && line[0] != ' ') {
                    break;
                }
                for (int32_t k = n + 1; k <= max; ++k) {
                    IDFIELD("GET", line, k - n, values[k - 1]);
                }
                n = 0;
                for (int32_t k = max; k >= 1; --k) {
                    if (!isBlank(values[k - 1])) {
                        n = k;
                        break;
                    }
                }
            }
            count = n;
            break;
        }
        if (tail) {
            const int32_t colon = record::findText(record, ":");
            if (colon > 0 && colon < kIdentRecordLength && max >= 1) {
                const std::string_view rest = record.substr(static_cast<size_t>(colon));
                const size_t blank = rest.find(' ');
                record::assign(values[0], rest[0] == ' ' ? rest : rest.substr(0, blank));
            }
            count = 1;
            break;
        }
        if (count >= max) {
            break;
        }
        const size_t blank = record.find(' ');
        record::assign(
            values[count],
            record.substr(0, blank == std::string_view::npos ? record.size() : blank + 1));
        ++count;
    }
    for (int32_t i = 0; i < max; ++i) {
        if (isBlank(values[i])) {
            record::assign(values[i], ",");
        }
    }
}

void IDGINT(std::string_view key, int32_t& value, int32_t& status) {
    int32_t index = 0;
    status = findTyped(key, index);
    if (status != kIdentFound) {
        return;
    }
    const TypedIdentTable& table = typedIdentTable();
    const auto i = static_cast<size_t>(index);
    if (i < table.kinds.size() && table.kinds[i] == kIdentInteger &&
        i < table.integer_values.size()) {
        value = table.integer_values[i];
        return;
    }
    const std::optional<std::string>& text =
        i < table.text_values.size() ? table.text_values[i] : std::optional<std::string>();
    if (!text || !parseInteger(*text, value)) {
        value = 0;
        status = kIdentNotInteger;
    }
}

void IDGSTR(std::string_view key, FixedText value, int32_t& status) {
    int32_t index = 0;
    status = findTyped(key, index);
    if (status != kIdentFound) {
        return;
    }
    const TypedIdentTable& table = typedIdentTable();
    const auto i = static_cast<size_t>(index);
    if (i >= table.text_values.size() || !table.text_values[i]) {
        status = kIdentNotSet;
        return;
    }
    const std::string& text = *table.text_values[i];
    record::assign(value, text);
    if (text.size() > static_cast<size_t>(value.size())) {
        status = kIdentCut;
    }
}

int32_t ISBATCH() {
    std::optional<int32_t>& cache = batchCache();
    if (!cache) {
        FixedString<10> mode;
        int32_t status = 0;
        IDGSTR("RUN-MODE", mode, status);
        record::upperCase(mode);
        cache = record::logical(record::textEqual(mode, "BATCH"));
    }
    return *cache;
}

int32_t ISUPPER() {
    FixedString<15> value;
    int32_t count = 0;
    IDQUERY("GET", "LETTER-CASE", TextArray(&value[0], value.size(), 1), 1, count);
    return record::logical(record::textEqual(value, "UPPER"));
}

void EDTSTR(FixedText text, std::string_view mode) {
    const std::string head = upper(std::string(mode.substr(0, 2)) + "  ").substr(0, 2);
    const std::string_view view = text;
    const size_t first = view.find_first_not_of(' ');
    const size_t last = view.find_last_not_of(' ');
    const bool blank = first == std::string_view::npos;
    const auto size = static_cast<size_t>(text.size());
    char* chars = text.data();

    if (head[0] == 'U') {
        record::upperCase(text);
    } else if (head == "LO") {
        std::transform(chars, chars + size, chars, [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
    } else if (head == "LE") {
        if (!blank) {
            record::assign(text, std::string(view.substr(first)));
        }
    } else if (head[0] == 'I') {
        if (std::any_of(view.begin(), view.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
            return;
        }
        for (size_t i = 1; i < size; ++i) {
            if (chars[i] >= 'A' && chars[i] <= 'Z' && chars[i - 1] != ' ') {
                chars[i] = static_cast<char>(chars[i] - 'A' + 'a');
            }
        }
    } else if (head[0] == 'R' || head[0] == 'C') {
        if (blank) {
            return;
        }
        const std::string word(view.substr(first, last - first + 1));
        const size_t spare = size - word.size();
        size_t left = spare;
        if (head[0] == 'C') {
            const bool oddLeft = mode.size() >= 7 && (mode[6] == 'L' || mode[6] == 'l');
            left = oddLeft ? (spare + 1) / 2 : spare / 2;
        }
        record::assign(text, std::string(left, ' ') + word);
    } else if (head == "H+" || head == "H-" || head == "T-") {
        if (blank) {
            return;
        }
        const char from = head == "H+" ? ' ' : head == "H-" ? '-' : '\t';
        const char to = head == "H+" ? '-' : ' ';
        std::replace(chars + first, chars + last + 1, from, to);
    } else if (head == "X:") {
        const std::string_view remove = mode.substr(2);
        std::string kept;
        for (const char c : view) {
            if (remove.find(c) == std::string_view::npos) {
                kept += c;
            }
        }
        record::assign(text, kept);
    }
}

} // namespace mfreport::support
