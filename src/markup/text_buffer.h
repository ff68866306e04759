// A growing run of bytes that a writer fills through a pointer, for text
// built piece by piece at the speed of plain copies.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace mfreport::markup {

/// A growing run of bytes written through a pointer: room(n) gives space for
/// n more bytes, commit(end) keeps what was written up to `end`.
class Text {
public:
    Text() = default;
    Text(const Text& other) { append(other.view()); }
    Text& operator=(const Text& other) {
        if (this != &other) {
            clear();
            append(other.view());
        }
        return *this;
    }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const char* data() const { return data_.get(); }
    std::string_view view() const { return {data_.get(), size_}; }
    std::string_view view(size_t from, size_t to) const { return {data_.get() + from, to - from}; }
    void clear() { size_ = 0; }
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
        char* p = room(text.size());
        if (!text.empty()) {
            std::memcpy(p, text.data(), text.size());
        }
        size_ += text.size();
    }
    void append(size_t count, char c) {
        char* p = room(count);
        std::memset(p, c, count);
        size_ += count;
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

/// Copies `text` to the pointer `p` and returns the end of the copy.
inline char* copy(char* p, std::string_view text) {
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

} // namespace mfreport::markup
