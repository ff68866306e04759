// A growing run of bytes that a writer fills through a pointer, for text
// built piece by piece at the speed of plain copies.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace mfreport::markup {

/// Copies `text` to the pointer `p` and returns the end of the copy. A text
/// of up to 32 bytes, such as the end of a cell, moves as two blocks of a
/// fixed size that overlap, without a call.
inline char* copy(char* p, std::string_view text) {
    const size_t n = text.size();
    const char* s = text.data();
    if (n >= 16 && n <= 32) {
        std::memcpy(p, s, 16);
        std::memcpy(p + n - 16, s + n - 16, 16);
    } else if (n >= 8 && n < 16) {
        std::memcpy(p, s, 8);
        std::memcpy(p + n - 8, s + n - 8, 8);
    } else if (n >= 4 && n < 8) {
        std::memcpy(p, s, 4);
        std::memcpy(p + n - 4, s + n - 4, 4);
    } else if (n > 0 && n < 4) {
        p[0] = s[0];
        p[n / 2] = s[n / 2];
        p[n - 1] = s[n - 1];
    } else if (n > 32) {
        std::memcpy(p, s, n);
    }
    return p + n;
}

/// A growing run of bytes written through a pointer: room(n) gives space for
/// n more bytes, commit(end) keeps what was written up to `end`.
class Text {
public:
    Text() = default;
    Text(const Text& other) { append(other.view()); }
    Text(Text&& other) noexcept
        : data_(std::move(other.data_)), size_(other.size_), capacity_(other.capacity_) {
        other.size_ = 0;
        other.capacity_ = 0;
    }
    Text& operator=(Text&& other) noexcept {
        data_ = std::move(other.data_);
        size_ = other.size_;
        capacity_ = other.capacity_;
        other.size_ = 0;
        other.capacity_ = 0;
        return *this;
    }
    Text& operator=(const Text& other) {
        if (this != &other) {
            clear();
            append(other.view());
        }
        return *this;
    }

    size_t size() const { return size_; }
    size_t capacity() const { return capacity_; }
    bool empty() const { return size_ == 0; }
    const char* data() const { return data_.get(); }
    std::string_view view() const { return {data_.get(), size_}; }
    std::string_view view(size_t from, size_t to) const { return {data_.get() + from, to - from}; }
    void clear() { size_ = 0; }
    /// Makes room for `n` bytes in all without growing again.
    void reserve(size_t n) {
        if (n > size_) {
            room(n - size_);
        }
    }
    /// Drops everything from `size` on.
    void truncate(size_t size) { size_ = size < size_ ? size : size_; }

    /// Where `n` more bytes may be written.
    char* room(size_t n) {
        if (capacity_ - size_ < n) {
            grow(n);
        }
        return data_.get() + size_;
    }
    /// Keeps the bytes written from room() up to `end`.
    void commit(const char* end) { size_ = static_cast<size_t>(end - data_.get()); }

    void append(std::string_view text) {
        copy(room(text.size()), text);
        size_ += text.size();
    }
    void append(size_t count, char c) {
        if (count > 0) {
            std::memset(room(count), c, count);
            size_ += count;
        }
    }
    Text& operator+=(std::string_view text) {
        append(text);
        return *this;
    }
    Text& operator+=(char c) {
        *room(1) = c;
        ++size_;
        return *this;
    }

private:
    void grow(size_t n) {
        size_t capacity = capacity_ > 0 ? capacity_ : 256;
        while (capacity - size_ < n) {
            capacity = capacity * 2 > capacity ? capacity * 2 : size_ + n;
        }
        std::unique_ptr<char[]> data(new char[capacity]);
        if (size_ > 0) {
            std::memcpy(data.get(), data_.get(), size_);
        }
        data_ = std::move(data);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> data_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

/// A short fixed text written many times: copied as one block of a fixed
/// size, which the compiler turns into a few moves, and then cut to its length.
class Piece {
public:
    static constexpr size_t kBlock = 64;

    Piece() = default;
    Piece(std::string_view text) { assign(text); }
    Piece& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    std::string_view view() const { return text_; }
    size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }

    /// Room that copyTo needs.
    size_t room() const { return text_.size() > kBlock ? text_.size() : kBlock; }
    /// Writes the text at `p`, which has room(); returns the end of the text.
    char* copyTo(char* p) const {
        if (text_.size() <= kBlock) {
            std::memcpy(p, block_.data(), kBlock);
        } else {
            std::memcpy(p, text_.data(), text_.size());
        }
        return p + text_.size();
    }
    /// Appends the text to `out`.
    void appendTo(Text& out) const { out.commit(copyTo(out.room(room()))); }

private:
    void assign(std::string_view text) {
        text_.assign(text.data(), text.size());
        block_.fill(0);
        if (!text.empty()) {
            std::memcpy(block_.data(), text.data(), text.size() < kBlock ? text.size() : kBlock);
        }
    }

    std::string text_;
    std::array<char, kBlock> block_{};
};

inline Text& operator+=(Text& out, const Piece& piece) {
    piece.appendTo(out);
    return out;
}

} // namespace mfreport::markup
