// The table formatter PRIMAX keeps its tables, field descriptors, names and
// texts in one module-wide record; the channel routines keep the report's
// channels, program identity and record buffers beside it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mfreport/print/print_channels.h"
#include "mfreport/record/fixed_text.h"

class mfTextDevice;

namespace mfreport::text {

using record::FixedString;
using record::FixedText;

inline constexpr int32_t kMaxTables = 5;
inline constexpr int32_t kMaxColumns = 36;
inline constexpr int32_t kFieldKinds = 4;
inline constexpr int32_t kMaxFields = 200;
inline constexpr int32_t kFieldAttributes = 23;
inline constexpr int32_t kMaxNames = 200;
inline constexpr int32_t kNameLength = 60;
inline constexpr int32_t kTableNameLength = 10;
inline constexpr int32_t kTextLength = 1310;
inline constexpr int32_t kTextPiece = 131;
inline constexpr int32_t kMaxPieces = 10;
inline constexpr int32_t kTitleLines = 5;
inline constexpr int32_t kTableHeadingLines = 15;
inline constexpr int32_t kHeaderSlots = kTitleLines + kTableHeadingLines;
inline constexpr int32_t kMaxRecordLines = kMaxColumns; // at least one column per line
inline constexpr int32_t kRecordLength = 1000;
inline constexpr int32_t kRecordRowLength = kMaxRecordLines * kRecordLength;
inline constexpr int32_t kMaxTexts = kMaxTables * (kHeaderSlots + kMaxColumns * kMaxPieces);
inline constexpr int32_t kMaxChannels = print::kMaxChannels;

static_assert(kMaxTables * (kMaxColumns + kFieldKinds) <= kMaxFields,
              "every table always finds its fields");
static_assert(kMaxTables * kMaxColumns <= kMaxNames, "every column always finds its name slot");
static_assert(kMaxPieces * kTextPiece == kTextLength, "a description fills at most ten pieces");

/// Field kinds; a table keeps one default field of each.
enum FieldKind : int32_t {
    kIntegerField = 1,
    kRealField = 2,
    kTextField = 3,
    kDoubleField = 4,
};

/// Sub-kinds of the real kinds.
enum RealForm : int32_t {
    kFixedForm = 1,
    kExponentForm = 2,
};

/// Attribute numbers of a field descriptor (1-based).
enum FieldAttribute : int32_t {
    kAttrKind = 1,           ///< FieldKind
    kAttrSubKind = 2,        ///< RealForm for the real kinds, else 0
    kAttrWidth = 3,          ///< value field width; 0: the table default
    kAttrDecimals = 4,       ///< decimals of a real field
    kAttrAdjust = 5,         ///< 2: centred in its column, otherwise at its right end
    kAttrScale = 6,          ///< scale factor of exponent fields
    kAttrExponentDigits = 7, ///< exponent digits of exponent fields
    kAttrOverflowTest = 8,   ///< 1: exponent fields test the exponent range first
    kAttrNameSlot = 9,       ///< name slot of the column name
    kAttrTextSlot = 10,      ///< first text slot of the description; 0: none
    kAttrTextPieces = 11,    ///< text slots the description takes
    kAttrTable = 12,         ///< number of the table owning the field
    kAttrLevel = 13,         ///< level (group) of the column
    kAttrColumn = 14,        ///< column number, 1 to 36
    kAttrLine = 15,          ///< record line holding the field; 0: not laid out
    kAttrStart = 16,         ///< first position of the value field in its line
    kAttrColumnStart = 17,   ///< first position of the column
    kAttrColumnWidth = 18,   ///< width of the column: the wider of value field and name
    kAttrNameLength = 19,    ///< length of the name in the table heading
    kAttrHeadingLine = 20,   ///< table heading line with the name; 0: named in the legend only
    kAttrNameAlign = 21,     ///< 1: name left over text, 2: right over numbers
    kAttrSeparator = 22,     ///< position of the ";" on a comma-separated channel, else 0
    kAttrValuesPut = 23,     ///< values put into the field since the last record was written
};

/// Stages of a table, its third state integer.
enum TableStage : int32_t {
    kStageDefined = 0,     ///< defined, no column definition yet
    kStageColumnsOpen = 1, ///< column definition open
    kStageColumnsDone = 2, ///< column definition closed
    kStageChecked = 3,     ///< definition checked
    kStageSetUp = 4,       ///< laid out on a channel, no record written yet
    kStageWriting = 5,     ///< at least one record written
};

/// The three state integers of a table.
enum TableStateIndex : size_t {
    kStateAttribute = 0, ///< table attribute, 1 to 4
    kStateChannel = 1,   ///< channel the table is set up on; 0: none yet
    kStateStage = 2,     ///< TableStage
};

/// What a value put needs of a column, resolved once when the table is set
/// up on its channel: the field, its place in the record buffer and the
/// fixed facts of its edit.
struct ColumnPlan {
    int32_t field = 0; ///< 0: the column takes no values as planned
    int32_t kind = 0;  ///< FieldKind
    int32_t form = 0;  ///< RealForm of a real field
    int32_t width = 0;
    int32_t decimals = 0;
    int32_t scale = 0;
    int32_t exponent_digits = 0;
    bool range_tested = false; ///< exponent fields: test the magnitude first
    char* value = nullptr;     ///< the value field in the table's record buffer
    /// Semicolon-separated text fields: the blank before the field and the
    /// field, where a quoted text starts with its quote.
    char* quotable = nullptr;
    int32_t quotable_width = 0;
    double highest = 0.0;        ///< fixed fields: the largest value that fits
    double lowest = 0.0;         ///< fixed fields: the smallest value that fits
    double exponent_limit = 0.0; ///< exponent fields: magnitudes below it fit
};

/// One table slot. A slot is free while its name is blank; its number stays,
/// so that numbers are never handed out twice within a report.
struct TableState {
    int32_t number = 0; ///< the table number given to the caller
    std::array<int32_t, 3> state{};
    /// Text slots of the sub heading (entries 1 to 5) and of the table
    /// heading lines (entries 6 to 20); 0: unused.
    std::array<int32_t, kHeaderSlots> header_lines{};
    /// First text slot of each column's description (the nomenclature).
    std::array<int32_t, kMaxColumns> additional_text{};
    int32_t lines_per_record = 0;
    std::array<int32_t, kFieldKinds> default_field{}; ///< by FieldKind
    /// Per record line: 0 for the first line, 1 for a continuation line.
    std::array<int32_t, kMaxRecordLines> wrap_mode{};
    int32_t groups = 0; ///< levels defined (1 once the column definition opens)
    /// Field numbers of each record line in column order, 0-terminated.
    /// Until the table is laid out, line 1 lists every field.
    std::array<std::array<int32_t, kMaxColumns>, kMaxRecordLines> line_fields{};
    /// Field of each column of level 1, for a quick look-up; 0: none.
    std::array<int32_t, kMaxColumns> column_field{};
    /// Per record line: the last position that a value or a separator
    /// takes; the buffer line is blank beyond it.
    std::array<int32_t, kMaxRecordLines> line_end{};
    FixedString<kTableNameLength> name;
    /// Per column of level 1, set up by the table's set-up.
    std::array<ColumnPlan, kMaxColumns> plan{};
    /// Semicolon-separated channels: the buffer indexes of the record's
    /// separators in column order, set up with the plan; the last one is
    /// written blank.
    std::array<int32_t, kMaxColumns> separator_at{};
    int32_t separators = 0;
    /// The failure mark of the unit that the set-up bound the table to.
    const bool* unit_failed = nullptr;

    /// A table is active while its name is not blank (blanks and NULs).
    bool active() const {
        for (int32_t i = 0; i < name.size(); ++i) {
            if (name[i] != ' ' && name[i] != '\0') {
                return true;
            }
        }
        return false;
    }
};

/// The formatter's module-wide state; the per-channel integers are the
/// page manager's PrintChannels (print_channels.h).
struct FormatterState {
    int32_t tables = 0;        ///< active tables
    int32_t channels = 0;      ///< defined channels ("logical devices")
    int32_t defining = 0;      ///< number of the table being defined; 0: none
    int32_t fields_used = 0;   ///< fields used in the field buffer
    int32_t names_used = 0;    ///< names used in the name buffer
    int32_t last_table = 0;    ///< number of the table used last
    int32_t heading_lines = 0; ///< lines of the program heading
    int32_t text_lines = 0;    ///< text slots used
    std::array<TableState, kMaxTables> table;
    std::array<std::array<int32_t, kFieldAttributes>, kMaxFields> field{};
    std::array<FixedString<kNameLength>, kMaxNames> name;
    std::array<FixedString<kTextLength>, kMaxTexts> text;
    std::array<int32_t, kMaxTexts> text_next{}; ///< continuation slot; 0: none
};

/// Program identity of the report: the heading lines and the banner fields.
struct ProgramIdentity {
    static constexpr int32_t kHeadingWidth = 60;
    static constexpr int32_t kMaxHeadingLines = 6;
    std::array<char, kHeadingWidth * kMaxHeadingLines> heading{}; ///< consecutive lines
    FixedString<8> suite;
    FixedString<9> name;
    FixedString<256> title;
    FixedString<8> version;
    FixedString<8> update;
    FixedString<131> notes;
    FixedString<11> date;
};

/// What the channel routines keep per channel beside PrintChannels.
struct ChannelFile {
    FixedString<10> name;
    FixedString<260> directory;
    FixedString<260> file;
    FixedString<4> extension;
    int32_t heading_table = 0;  ///< table whose headings are in force on the channel
    bool create_failed = false; ///< the file could not be created
};

/// The report-wide values of the channel routines.
struct ReportState {
    int32_t dump_unit = 0;
    int32_t current_channel = 0;   ///< channel last looked up by name
    int32_t report_channel = 0;    ///< channel of the report file; 0: none
    int32_t close_status = 0;      ///< CLSFIL status of the last close of a channel file
    mfTextDevice* owner = nullptr; ///< the text device the report belongs to
    FixedString<20> program_name;
    FixedString<50> program_description;
    FixedString<20> program_version;
    FixedString<20> version_date;
    FixedString<260> report_file;
    ProgramIdentity identity;
    std::array<ChannelFile, kMaxChannels> channel;
};

inline FormatterState& formatterState() {
    static FormatterState state;
    return state;
}
inline ReportState& reportState() {
    static ReportState state;
    return state;
}

/// Record buffer line `line` (1-based) of table slot `slot` (0-based).
FixedText recordLine(int32_t slot, int32_t line);
/// The whole record buffer of the table slot as one line, for the one wide
/// line of a semicolon-separated record.
FixedText recordRow(int32_t slot);

/// Table slot (0-based) of an active table number; -1 when none. A number
/// belongs to one slot only: number - 1 is the slot modulo kMaxTables.
inline int32_t tableSlot(int32_t number) {
    if (number <= 0) {
        return -1;
    }
    const int32_t slot = (number - 1) % kMaxTables;
    const TableState& t = formatterState().table[static_cast<size_t>(slot)];
    return t.number == number && t.active() ? slot : -1;
}
/// Table slot (0-based) of the active table with that name; -1 when none.
int32_t tableSlotByName(std::string_view name);

/// Attribute `attribute` of field `field` (both 1-based), as stored; a
/// scratch 0 for a field or attribute out of range.
inline int32_t& fieldAttribute(int32_t field, int32_t attribute) {
    static int32_t scratch = 0;
    if (field < 1 || field > kMaxFields || attribute < 1 || attribute > kFieldAttributes) {
        scratch = 0;
        return scratch;
    }
    return formatterState()
        .field[static_cast<size_t>(field - 1)][static_cast<size_t>(attribute - 1)];
}

/// Takes the next free field, name or text slot (1-based), blank or zero.
int32_t takeField();
int32_t takeName();
int32_t takeText();

/// Releases every field, name and text slot of a table and closes up the
/// buffers, renumbering what refers to the slots that move.
void releaseTable(int32_t slot);
/// Releases text slots (each with its continuations) and closes up the buffer.
void releaseTexts(const std::vector<int32_t>& firsts);

/// The text stored from a first slot on, its pieces joined.
std::string joinedText(int32_t first);

/// Resets the formatter and report state, the channel integers and the
/// record buffers.
void resetFormatter();

} // namespace mfreport::text
