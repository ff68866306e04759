// Description of one table column: head text, unit, value type and number format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class mfTableColumn {
public:
    enum col_type : int { INTEGER = 0, REAL = 1, STRING = 2 };
    /// Writers treat every value other than LEFT and RIGHT as centred.
    enum adj_type : int { LEFT = 0, CENTER = 1, RIGHT = 2 };
    enum fmt_type : int { FIXED = 0, SCIENTIFIC = 1, GENERAL = 2 };

    /// Width 12, 4 decimals, GENERAL, no unit, factor 1, colour "FFFFFF";
    /// numeric columns are right aligned, text columns left aligned.
    mfTableColumn(const std::string& name, const std::string& description, col_type type);
    /// Own name and description; unit, factor, type, width, decimals, format and
    /// alignment from `model`; the colour is not taken over.
    mfTableColumn(const std::string& name, const std::string& description,
                  const mfTableColumn& model);
    mfTableColumn(const mfTableColumn&) = default;
    mfTableColumn& operator=(const mfTableColumn&) = default;
    virtual ~mfTableColumn();

    /// Head text: the name, followed by " [unit]" when there is a unit.
    virtual std::string header() const;
    virtual const std::string& name() const;
    virtual const std::string& description() const;
    virtual const std::string& unit() const;
    /// The value multiplied by the unit factor.
    virtual double displayValue(double value) const;
    /// Stored as 32 bits; returned widened with their sign.
    virtual size_t width() const;
    virtual size_t decimals() const;
    virtual fmt_type format_type() const;
    virtual col_type type() const;
    virtual adj_type adjust() const;
    /// Changes the value type only; the alignment stays as it is.
    virtual void setType(col_type type);
    virtual void setAdjust(adj_type adjust);
    virtual void setWidth(size_t width, size_t decimals, fmt_type format);
    virtual void setUnits(const std::string& unit, double factor);
    /// Six hexadecimal digits RRGGBB; "FFFFFF" means no colour of its own.
    virtual void setBackgroundColor(const std::string& color);
    virtual const std::string& backgroundColor() const;

    /// 1 when name + description sorts before the other's byte by byte, else 0.
    int operator<(const mfTableColumn& other) const;

    /// The stored width and decimals as signed values, as writers use them.
    int32_t storedWidth() const { return width_; }
    int32_t storedDecimals() const { return decimals_; }

private:
    std::string name_;
    std::string description_;
    std::string unit_;
    double unit_factor_ = 1.0;
    col_type type_;
    int32_t width_ = 12;
    int32_t decimals_ = 4;
    fmt_type format_ = GENERAL;
    std::string background_color_ = "FFFFFF";
    adj_type adjust_;
};
