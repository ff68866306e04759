// Abstract table writer and its record protocol:
//   begin_table, { begin_record, insertValue..., end_record }..., end_table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>

#include "mfreport/model/mfTableColumn.h"
#include "mfreport/model/mfTableHeader.h"
#include "mfreport/platform/mfTypes.h"

class mfDevice;

class mfTable {
public:
    using column_iterator = Vector<mfTableColumn>::iterator;

    mfTable(const mfTableHeader& header, mfDevice* device);
    mfTable(const mfTable&) = default;
    mfTable& operator=(const mfTable&) = default;

    /// Deleting a table writes nothing: call end_table first.
    virtual ~mfTable();
    /// The table's device; null once the device is deleted.
    virtual mfDevice* device();
    /// Appends a copy of the column; returns the new number of columns.
    virtual int addColumn(const mfTableColumn& column);
    virtual column_iterator column_begin();
    virtual column_iterator column_end();
    virtual size_t column_size() const;
    /// The column of that index, or null when there is none.
    virtual mfTableColumn* column_at(size_t index);
    /// The table's own copy of its header.
    virtual mfTableHeader& header();
    virtual bool begin_table() = 0;
    virtual bool begin_record() = 0;
    /// One cell of the open record; `link`, when given, names an anchor in the
    /// same document that the cell links to. A column index outside the
    /// columns stores nothing and answers false.
    virtual bool insertValue(int column, const std::string& value,
                             const std::string* link = nullptr) = 0;
    virtual bool insertValue(int column, const double& value,
                             const std::string* link = nullptr) = 0;
    virtual bool insertValue(int column, const int& value, const std::string* link = nullptr) = 0;
    /// Any other arithmetic value, handed to the variants above: an integer
    /// that fits an int as an int; a wider one as a double when a double holds
    /// it exactly, otherwise as its decimal text; a floating-point value as a
    /// double. A writer that overrides insertValue brings these in with
    /// `using mfTable::insertValue;`.
    template <typename T, std::enable_if_t<std::is_arithmetic_v<T> && !std::is_same_v<T, int> &&
                                               !std::is_same_v<T, double>,
                                           int> = 0>
    bool insertValue(int column, const T& value, const std::string* link = nullptr) {
        if constexpr (std::is_floating_point_v<T>) {
            return insertValue(column, static_cast<double>(value), link);
        } else if constexpr (std::numeric_limits<T>::digits <= std::numeric_limits<int>::digits) {
            return insertValue(column, static_cast<int>(value), link);
        } else if (fitsInt(value)) {
            return insertValue(column, static_cast<int>(value), link);
        } else if (exactInDouble(value)) {
            return insertValue(column, static_cast<double>(value), link);
        } else {
            return insertValue(column, decimalText(value), link);
        }
    }
    virtual bool end_record() = 0;
    virtual bool end_table() = 0;
    virtual void setBackgroundColor(const std::string& color);
    virtual const std::string& backgroundColor() const;
    /// Folds wide tables: `width` cells per output row, `indent` blank cells at
    /// the start of each continuation row. A width below 1 never folds.
    virtual void setWrapping(int width, int indent);
    /// Writes "Abbreviations" and a list "name  :  description" of the columns
    /// through the device's paragraph and list operations.
    virtual void printAbbreviations();

    /// Cells per output row of a folded table (see setWrapping).
    int wrapWidth() const { return wrap_width_; }
    /// Blank cells at the start of each continuation row.
    int wrapIndent() const { return wrap_indent_; }

protected:
    /// False once the table's device is deleted.
    bool hasDevice() const { return device_ != nullptr && *device_ != nullptr; }

private:
    // Helpers of the arithmetic overloads, for integers wider than an int.
    template <typename Integer>
    static constexpr bool fitsInt(Integer value) {
        using limits = std::numeric_limits<int>;
        if constexpr (std::is_signed_v<Integer>) {
            return value >= static_cast<Integer>(limits::min()) &&
                   value <= static_cast<Integer>(limits::max());
        } else {
            return value <= static_cast<Integer>(limits::max());
        }
    }

    /// Whether a double holds the value exactly: its odd part has at most as
    /// many bits as a double's mantissa.
    template <typename Integer>
    static constexpr bool exactInDouble(Integer value) {
        constexpr int mantissa = std::numeric_limits<double>::digits;
        if constexpr (std::numeric_limits<Integer>::digits <= mantissa) {
            return true;
        } else {
            auto odd = magnitude(value);
            while (odd != 0 && (odd & 1U) == 0) {
                odd >>= 1;
            }
            return (odd >> mantissa) == 0;
        }
    }

    template <typename Integer>
    static constexpr std::make_unsigned_t<Integer> magnitude(Integer value) {
        using Unsigned = std::make_unsigned_t<Integer>;
        const auto bits = static_cast<Unsigned>(value);
        if constexpr (std::is_signed_v<Integer>) {
            return value < 0 ? static_cast<Unsigned>(Unsigned{0} - bits) : bits;
        } else {
            return bits;
        }
    }

    template <typename Integer>
    static std::string decimalText(Integer value) {
        auto rest = magnitude(value);
        char digits[64];
        size_t count = 0;
        do {
            digits[count++] = static_cast<char>('0' + static_cast<int>(rest % 10U));
            rest /= 10U;
        } while (rest != 0);
        std::string text;
        if constexpr (std::is_signed_v<Integer>) {
            text.assign(value < 0 ? 1 : 0, '-');
        }
        while (count > 0) {
            text += digits[--count];
        }
        return text;
    }

    int wrap_width_ = 99;
    int wrap_indent_ = 0;
    /// The device, followed through its lifeline (not owned).
    std::shared_ptr<mfDevice* const> device_;
    mfTableHeader header_;
    Vector<mfTableColumn> columns_;
    std::string background_color_ = "FFFFFF";
};
