// Fixed-length, blank-padded text as the text side of the library passes it:
// a buffer with an explicit length. Every operation stays inside the buffer
// whatever lengths it is given.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace mfreport::record {

/// A writable, non-owning view of a fixed-length text field.
class FixedText {
public:
    FixedText() = default;
    FixedText(char* data, int32_t length) : data_(data), size_(length > 0 ? length : 0) {}
    /// The whole contents of `text` (its length does not change).
    FixedText(std::string& text) : data_(text.data()), size_(static_cast<int32_t>(text.size())) {}

    int32_t size() const { return size_; }
    char* data() const { return data_; }
    char& operator[](int32_t i) const { return data_[i]; }
    /// Characters `first` to `last` (1-based, inclusive), clipped to the field.
    FixedText sub(int32_t first, int32_t last) const;
    operator std::string_view() const { return {data_, static_cast<size_t>(size_)}; }
    std::string str() const { return std::string(data_, static_cast<size_t>(size_)); }
    void fill(char c) const;
    void blank() const { fill(' '); }

private:
    char* data_ = nullptr;
    int32_t size_ = 0;
};

/// Copies `source` into `target`, cut to the target's length or padded with blanks.
void assign(FixedText target, std::string_view source);

/// An owning text field of N characters, blank at construction.
template <size_t N>
class FixedString {
public:
    FixedString() { chars_.fill(' '); }
    explicit FixedString(std::string_view text) : FixedString() { assign(view(), text); }

    static constexpr int32_t size() { return static_cast<int32_t>(N); }
    FixedText view() { return {chars_.data(), size()}; }
    operator FixedText() { return view(); }
    operator std::string_view() const { return {chars_.data(), N}; }
    char& operator[](int32_t i) { return chars_[static_cast<size_t>(i)]; }
    char operator[](int32_t i) const { return chars_[static_cast<size_t>(i)]; }
    std::string str() const { return std::string(chars_.data(), N); }

private:
    std::array<char, N> chars_;
};

/// A run of `count` consecutive fields of `element_length` characters each.
class TextArray {
public:
    TextArray() = default;
    TextArray(char* data, int32_t element_length, int32_t count)
        : data_(data), length_(element_length > 0 ? element_length : 0),
          count_(count > 0 ? count : 0) {}

    int32_t count() const { return count_; }
    int32_t elementLength() const { return length_; }
    /// Element i, 0-based; an empty field when i is out of range.
    FixedText operator[](int32_t i) const;

private:
    char* data_ = nullptr;
    int32_t length_ = 0;
    int32_t count_ = 0;
};

/// Blank-padded comparison: the shorter text counts as padded with blanks.
bool textEqual(std::string_view a, std::string_view b);
inline bool textUnequal(std::string_view a, std::string_view b) {
    return !textEqual(a, b);
}

/// Joins the pieces into `target`, cut or blank-padded to its length.
void concat(FixedText target, std::initializer_list<std::string_view> pieces);

/// Length without trailing blanks and NUL characters; 0 for an all-blank text.
int32_t TRMLEN(std::string_view text);

/// Length without trailing blanks (NUL characters count).
int32_t trimmedLength(std::string_view text);

/// 1-based position of the first occurrence of `pattern` in `text`, 0 when
/// absent; an empty pattern is found at position 1.
int32_t findText(std::string_view text, std::string_view pattern);

/// Upper-cases the letters a to z in place.
void upperCase(FixedText text);

} // namespace mfreport::record
