// The two ident stores and the key vocabulary. The library itself never adds
// idents; this header lets a front end (and the tests) fill the stores.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mfreport/record/fixed_text.h"

namespace mfreport::support {

inline constexpr int32_t kIdentRecords = 2000;
inline constexpr int32_t kIdentRecordLength = 70;

/// Fixed-length records, one ident per record: the key, then its values;
/// a record whose column 1 is blank continues the record before it.
struct IdentRecordStore {
    std::array<record::FixedString<kIdentRecordLength>, kIdentRecords> records;
    int32_t record_count = 0;
};

/// Kind codes of typed idents.
enum IdentKind : int32_t {
    kIdentSwitch = 1,
    kIdentWord = 2,
    kIdentFileName = 3,
    kIdentText = 4,
    kIdentInteger = 5,
    kIdentReal = 6,
};

/// Idents with a kind and a text or integer value.
struct TypedIdentTable {
    int32_t count = 0;
    std::vector<std::string> names;
    std::vector<std::optional<std::string>> text_values;
    std::vector<int32_t> kinds;
    std::vector<int32_t> integer_values;
};

/// One known key.
struct IdentKey {
    const char* name;
    bool negatable; ///< also has the form "NO" + name
    int32_t kind;
    std::vector<const char*> allowed; ///< kind 2 only
    int32_t default_index;            ///< -1: none
};

/// The fixed vocabulary of 34 keys.
const std::vector<IdentKey>& identKeys();

/// The key table as built on first use: the names followed by the "NO"
/// forms, each mapped to its key (0-based), and copies of the value lists.
struct IdentKeyTable {
    bool built = false;
    bool attempted = false;
    std::vector<std::string> names;
    std::vector<int32_t> key_index;
    std::vector<std::vector<std::string>> allowed;
};

IdentRecordStore& identRecordStore();
TypedIdentTable& typedIdentTable();
IdentKeyTable& identKeyTable();

/// Adds a typed ident (a text value, or an integer for kind 5).
void setTypedIdent(const std::string& name, int32_t kind, std::optional<std::string> text,
                   int32_t integer = 0);
/// Adds a record to the record store; false when the store is full.
bool addIdentRecord(std::string_view record);
/// Empties both stores and forgets the cached run mode (the key table stays).
void clearIdentStores();

/// Keyword match of candidate name C against asked key K: 0 no match, -1
/// exact, otherwise the length of C (an abbreviation).
int32_t matchKeyword(std::string_view key, std::string_view candidate);

/// Status of a name-list look-up.
enum LookupStatus : int32_t { kFound = 0, kNotSet = 1, kAmbiguous = 2 };
/// Looks a key up in a list of names; `index` (0-based) is set when found.
int32_t lookupName(std::string_view key, const std::vector<std::string>& names, int32_t& index);

} // namespace mfreport::support
